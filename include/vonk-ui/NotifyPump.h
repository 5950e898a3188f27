#pragma once
// CNotifyPump: routes a notification to the member function that a message map binds to
// its code and its sender's name. A class declares its own map and names its base class's
// map, so the most derived matching row wins.
//
// A map is a static table of UI_MSGMAP_ENTRY rows ended by an end row, and a UI_MSGMAP
// header that points at the rows and at the function giving the base class's header. The
// UI_BEGIN_MESSAGE_MAP ... UI_END_MESSAGE_MAP macros write both; a map written by hand
// needs nothing but the same two structures.

#include <cstdint>

#include "UIExport.h"
#include "UIMessage.h"
#include "UIString.h"
#include "UIStringPtrMap.h"

class CNotifyPump;

// Row signatures.
enum : uint32_t {
    MSGMAP_SIG_END = 0,     // the end row of a map
    MSGMAP_SIG_PARAMS = 1,  // the handler takes the notification's wParam and lParam
    MSGMAP_SIG_NOTIFY = 2,  // the handler takes the whole notification
};

// The code of every map's end row.
enum : uint32_t { NOTIFY_MAP_END = 0x4fffffff };

// A row's handler: a member function of a class derived from CNotifyPump, converted to
// a member of CNotifyPump (static_cast<UI_PMSG>(&CMyWindow::OnOk)); which of the two
// shapes it has is the row's signature.
typedef void (CNotifyPump::*UI_PMSG)(TNotifyUI& msg);
typedef void (CNotifyPump::*UI_PMSG_PARAMS)(uint64_t wParam, uint64_t lParam);

union UI_MSGMAP_HANDLER {
    UI_MSGMAP_HANDLER(UI_PMSG notify = UI_PMSG()) : pfn(notify) {}
    UI_MSGMAP_HANDLER(UI_PMSG_PARAMS params) : pfnParams(params) {}

    UI_PMSG pfn;               // MSGMAP_SIG_NOTIFY
    UI_PMSG_PARAMS pfnParams;  // MSGMAP_SIG_PARAMS
};

struct UI_MSGMAP_ENTRY {
    uint32_t nMsgType;
    CUIString sCtrlName;  // empty: any sender
    uint32_t nSig;
    UI_MSGMAP_HANDLER handler;
};

struct UI_MSGMAP {
    const UI_MSGMAP* (*pfnGetBaseMap)();  // null for the last map of the chain
    const UI_MSGMAP_ENTRY* lpEntries;
};

#define UI_NOTIFY_HANDLER(memberFxn) static_cast<UI_PMSG>(&memberFxn)
#define UI_PARAMS_HANDLER(memberFxn) static_cast<UI_PMSG_PARAMS>(&memberFxn)

// In the class: the four static members of a map.
#define UI_DECLARE_MESSAGE_MAP()                                  \
private:                                                          \
    static const UI_MSGMAP_ENTRY _messageEntries[];               \
                                                                  \
protected:                                                        \
    static const UI_MSGMAP messageMap;                            \
    static const UI_MSGMAP* _GetBaseMessageMap();                 \
                                                                  \
public:                                                           \
    const UI_MSGMAP* GetMessageMap() const override;              \
                                                                  \
private:

// In one source: the map of theClass, searched before the map of baseClass.
#define UI_BEGIN_MESSAGE_MAP(theClass, baseClass)                                                           \
    const UI_MSGMAP* theClass::_GetBaseMessageMap() { return &baseClass::messageMap; }                      \
    const UI_MSGMAP* theClass::GetMessageMap() const { return &theClass::messageMap; }                      \
    const UI_MSGMAP theClass::messageMap = {&theClass::_GetBaseMessageMap, &theClass::_messageEntries[0]}; \
    const UI_MSGMAP_ENTRY theClass::_messageEntries[] = {

#define UI_END_MESSAGE_MAP() {NOTIFY_MAP_END, CUIString(), MSGMAP_SIG_END, UI_PMSG()}};

// Rows: a handler taking the notification, for any sender or for the named one.
#define UI_ON_MSGTYPE(type, memberFxn) {type, CUIString(), MSGMAP_SIG_NOTIFY, UI_NOTIFY_HANDLER(memberFxn)},
#define UI_ON_MSGTYPE_CTRNAME(type, name, memberFxn) \
    {type, CUIString(name), MSGMAP_SIG_NOTIFY, UI_NOTIFY_HANDLER(memberFxn)},
#define UI_ON_CLICK_CTRNAME(name, memberFxn) UI_ON_MSGTYPE_CTRNAME(NOTIFY_CLICK, name, memberFxn)
// Rows: a handler taking wParam and lParam.
#define UI_ON_PARAMS(type, memberFxn) {type, CUIString(), MSGMAP_SIG_PARAMS, UI_PARAMS_HANDLER(memberFxn)},
#define UI_ON_PARAMS_CTRNAME(type, name, memberFxn) \
    {type, CUIString(name), MSGMAP_SIG_PARAMS, UI_PARAMS_HANDLER(memberFxn)},

class UILIB_API CNotifyPump {
public:
    CNotifyPump();
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;
    virtual ~CNotifyPump();

    // The header of the object's own class's map.
    virtual const UI_MSGMAP* GetMessageMap() const;

    // Calls the handler that the map chain binds to the notification; false when none does.
    bool NotifyPump(TNotifyUI& msg);
    bool LoopDispatch(TNotifyUI& msg);

    // A registry of named pumps; dispatch never consults it.
    bool AddVirtualWnd(CUIString name, CNotifyPump* pump);
    bool RemoveVirtualWnd(CUIString name);

protected:
    static const UI_MSGMAP messageMap;
    static const UI_MSGMAP* _GetBaseMessageMap();

private:
    static const UI_MSGMAP_ENTRY _messageEntries[];

    CStdStringPtrMap m_VirtualWndMap;
};
