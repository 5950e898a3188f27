#pragma once
// Input events and notifications: their records, their type codes and the notifier interface.

#include <cstdint>

#include "UIExport.h"
#include "UIRect.h"

class CUIControl;

// Types of tagTEventUI.
enum : uint32_t {
    EVENT_KEYDOWN = 3,
    EVENT_MOUSEMOVE = 9,
    EVENT_MOUSELEAVE = 10,
    EVENT_MOUSEENTER = 11,
    EVENT_BUTTONDOWN = 13,
    EVENT_BUTTONUP = 14,
    EVENT_SECONDARYDOWN = 15,
    EVENT_DBLCLICK = 17,
    EVENT_SCROLLWHEEL = 19,  // low 16 bits of wParam: 0 up, 1 down
    EVENT_KILLFOCUS = 21,
    EVENT_SETFOCUS = 22,
    EVENT_SETCURSOR = 24,
    EVENT_TIMER = 25,        // wParam: the timer identifier
};

// Codes of tagTNotifyUI.
enum : uint32_t {
    NOTIFY_LINK_CLICK = 0x40000001,
    NOTIFY_TIMER = 0x40000002,
    NOTIFY_CLICK = 0x40000003,
    NOTIFY_SCROLL = 0x40000005,
    NOTIFY_ITEM_CLICK = 0x40000009,
    NOTIFY_TAB_SELECT = 0x4000000a,
    NOTIFY_ITEM_SELECT = 0x4000000b,
    NOTIFY_FIRST_PAINT = 0x4000000d,
    NOTIFY_MOUSE_ENTER = 0x4000000f,
    NOTIFY_MOUSE_LEAVE = 0x40000010,
    NOTIFY_HEADER_CLICK = 0x40000012,
    NOTIFY_ITEM_ACTIVATE = 0x40000016,
    NOTIFY_VALUE_CHANGED = 0x40000017,
    NOTIFY_SELECT_CHANGED = 0x40000018,
};

// One input event, as it travels from the window to a control and up its parents.
struct tagTEventUI {
    uint32_t Type;
    CUIControl* pSender;
    uint64_t dwTimestamp;
    tagPOINT ptMouse;
    uint32_t chKey;
    uint16_t wKeyState;
    uint64_t wParam;
    uint64_t lParam;
};
typedef tagTEventUI TEventUI;

// One notification, sent by a control through its window.
struct tagTNotifyUI {
    uint32_t Type;
    CUIControl* pSender;
    uint64_t dwTimestamp;
    tagPOINT ptMouse;
    uint64_t wParam;
    uint64_t lParam;
};
typedef tagTNotifyUI TNotifyUI;

// Receives every notification of the windows it is registered with.
class UILIB_API INotifyUI {
public:
    virtual void Notify(TNotifyUI& msg) = 0;

protected:
    ~INotifyUI() {}
};
