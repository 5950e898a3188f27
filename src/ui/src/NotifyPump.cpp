// Routing notifications through the message maps of a class and its bases.

#include "NotifyPump.h"

#include <cassert>

#include "UIControl.h"

#ifndef FALSE
#define FALSE 0
#endif

namespace {

// No real class hierarchy comes near this many maps; a longer chain loops.
constexpr int kMaxMapChain = 64;

// The row of one map that handles msg from a sender of that name, or null. A row for the
// name wins at once; otherwise the last row for any sender.
const UI_MSGMAP_ENTRY* FindEntry(const UI_MSGMAP_ENTRY* entry, const TNotifyUI& msg, const CUIString& sender)
{
    const UI_MSGMAP_ENTRY* anySender = nullptr;
    for (; entry->nSig != MSGMAP_SIG_END; ++entry) {
        if (entry->nMsgType != msg.Type)
            continue;
        if (entry->sCtrlName.IsEmpty())
            anySender = entry;
        else if (entry->sCtrlName == sender)
            return entry;
    }
    return anySender;
}

}  // namespace

const UI_MSGMAP_ENTRY CNotifyPump::_messageEntries[] = {
    {NOTIFY_MAP_END, CUIString(), MSGMAP_SIG_END, UI_PMSG()},
};

const UI_MSGMAP CNotifyPump::messageMap = {&CNotifyPump::_GetBaseMessageMap, &CNotifyPump::_messageEntries[0]};

const UI_MSGMAP* CNotifyPump::_GetBaseMessageMap() { return nullptr; }

const UI_MSGMAP* CNotifyPump::GetMessageMap() const { return &CNotifyPump::messageMap; }

CNotifyPump::CNotifyPump() : m_VirtualWndMap(100) {}

CNotifyPump::~CNotifyPump() = default;

bool CNotifyPump::NotifyPump(TNotifyUI& msg) { return LoopDispatch(msg); }

// A handler is a member of a class derived from CNotifyPump, called through a pointer
// converted to a member of CNotifyPump, which the language allows for any object that
// has that member. The sanitizer's type check takes the adjusted object for a
// CNotifyPump and objects, so it is left out here.
__attribute__((no_sanitize("vptr"))) bool CNotifyPump::LoopDispatch(TNotifyUI& msg)
{
    const CUIString sender = msg.pSender ? msg.pSender->GetName() : CUIString();
    int chained = 0;
    for (const UI_MSGMAP* pMessageMap = GetMessageMap(); pMessageMap != nullptr;
         pMessageMap = (*pMessageMap->pfnGetBaseMap)()) {
        assert(pMessageMap != (*pMessageMap->pfnGetBaseMap)());
        assert(++chained <= kMaxMapChain && "the message map chain loops");
        const UI_MSGMAP_ENTRY* entry = FindEntry(pMessageMap->lpEntries, msg, sender);
        if (entry == nullptr)
            continue;
        switch (entry->nSig) {
        case MSGMAP_SIG_PARAMS:
            (this->*entry->handler.pfnParams)(msg.wParam, msg.lParam);
            break;
        case MSGMAP_SIG_NOTIFY:
            (this->*entry->handler.pfn)(msg);
            break;
        default:
            assert(FALSE);
        }
        return true;
    }
    return false;
}

bool CNotifyPump::AddVirtualWnd(CUIString name, CNotifyPump* pump)
{
    if (m_VirtualWndMap.Find(name.GetData(), false) != nullptr)
        return false;
    return m_VirtualWndMap.Insert(name.GetData(), pump);
}

bool CNotifyPump::RemoveVirtualWnd(CUIString name)
{
    if (m_VirtualWndMap.Find(name.GetData(), false) == nullptr)
        return false;
    return m_VirtualWndMap.Remove(name.GetData());
}
