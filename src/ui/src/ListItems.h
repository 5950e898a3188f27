#pragma once
// What the list's items share: notifying from an item, repainting, selecting and deselecting
// it, its pointer and activation handling, its look and its background; and the setter of a
// look that the list and its header items use.

#include <cstdint>

#include "ContentArea.h"
#include "EventCodes.h"
#include "UIList.h"
#include "UIRender.h"
#include "UIWatched.h"
#include "UIWindow.h"

// Stores a setting of the control's look and repaints the control.
template <typename T>
void StoreAndRepaint(CUIControl& control, T& field, const T& value)
{
    field = value;
    control.Invalidate();
}

inline void NotifyFromItem(CUIControl& item, uint32_t code, unsigned long wParam)
{
    // Events that the application hands to an item outside any window notify nobody.
    if (CUIWindow* window = item.GetOwnWindow())
        window->SendNotify(&item, code, wParam, 0, false);
}

// Repaints the part of item inside its container's content area (without the scroll bars)
// and inside every ancestor further up.
inline void InvalidateItem(CUIControl& item)
{
    if (!item.IsVisible())
        return;
    CUIControl* parent = item.GetParent();
    auto* container = parent ? static_cast<CUIContainer*>(parent->GetInterface(L"Container")) : nullptr;
    if (container == nullptr) {
        item.Invalidate();
        return;
    }
    CUIRect area = ContentArea(*container);
    const CUIRect pos = item.GetPos();
    if (!UIIntersectRect(&area, &area, &pos) || !ClipByAncestors(parent, area))
        return;
    if (CUIWindow* window = item.GetOwnWindow())
        window->Invalidate(area);
}

// A disabled item can be deselected but not selected; selecting tells the owner.
inline bool SelectItemOf(CUIControl& item, bool& selected, IListOwnerUI* owner, int index, bool select)
{
    if (select && !item.IsEnabled())
        return false;
    if (select == selected)
        return true;
    selected = select;
    const CWatched<CUIControl> alive(&item);
    if (select && owner)
        owner->SelectItem(index, true);
    // A handler of the selection may have deleted the item.
    if (alive)
        InvalidateItem(item);
    return true;
}

// After the base's Activate answered activated: an activated item tells its window.
inline bool NotifyIfActivated(CUIControl& item, bool activated)
{
    if (activated)
        NotifyFromItem(item, NOTIFY_ITEM_ACTIVATE, 0);
    return activated;
}

// After the item's visibility changed: a hidden item gives up the selection.
inline void DeselectIfHidden(CUIControl& item, bool& selected, IListOwnerUI* owner)
{
    if (item.IsVisible() || !selected)
        return;
    selected = false;
    if (owner)
        owner->SelectItem(-1, true);
}

// The link from an item to list, watched: none for null or a control that is no list.
inline CWatchedInterface<IListOwnerUI> OwnerOf(CUIControl* list)
{
    return {list, list ? static_cast<IListOwnerUI*>(list->GetInterface(L"IListOwner")) : nullptr};
}

// A press selects, the pointer makes the item hot; true for the events handled so.
inline bool HandleItemPointer(CUIControl& control, IListItemUI& item, UINT& state, const TEventUI& event,
                       unsigned long clickParam)
{
    switch (event.Type) {
    case EVENT_BUTTONDOWN:
    case EVENT_SECONDARYDOWN: {
        if (!control.IsEnabled())
            return true;
        const CWatched<CUIControl> alive(&control);
        NotifyFromItem(control, NOTIFY_ITEM_CLICK, clickParam);
        if (!alive)
            return true;
        item.Select(true);
        if (alive)
            InvalidateItem(control);
        return true;
    }
    case EVENT_BUTTONUP:
    case EVENT_MOUSEMOVE:
        return true;
    case EVENT_MOUSEENTER:
        if (control.IsEnabled()) {
            state |= BUTTONSTATE_HOT;
            InvalidateItem(control);
        }
        return true;
    case EVENT_MOUSELEAVE:
        if (state & BUTTONSTATE_HOT) {
            state &= ~BUTTONSTATE_HOT;
            InvalidateItem(control);
        }
        return true;
    default:
        return false;
    }
}

// A double click, or Return on an enabled item, activates; true for the events handled so.
inline bool HandleItemActivation(CUIControl& control, const TEventUI& event)
{
    const bool doubleClick = event.Type == EVENT_DBLCLICK;
    const bool enabled = control.IsEnabled();
    if (!doubleClick && !(event.Type == EVENT_KEYDOWN && event.chKey == kKeyReturn && enabled))
        return false;
    if (!enabled)
        return true;
    const CWatched<CUIControl> alive(&control);
    control.Activate();
    if (alive)
        InvalidateItem(control);
    return true;
}

// The state of an item as the list record paints it.
struct ItemLook {
    bool hot;
    bool selected;
    bool disabled;
    // The item paints the record's background (no alternation, or an even index).
    bool background;
};

inline ItemLook LookOf(const CUIControl& item, const tagTListInfoUI& info, UINT state, bool selected, int index)
{
    return {(state & BUTTONSTATE_HOT) != 0, selected, !item.IsEnabled(), !info.bAlternateBk || index % 2 == 0};
}

// The colour of the look's strongest state (disabled, then selected, then hot), plain
// without one.
inline unsigned long ColourByState(const ItemLook& look, unsigned long plain, unsigned long hot,
                                   unsigned long selected, unsigned long disabled)
{
    if (look.disabled)
        return disabled;
    if (look.selected)
        return selected;
    return look.hot ? hot : plain;
}

inline unsigned long TextColourOf(const ItemLook& look, const tagTListInfoUI& info)
{
    return ColourByState(look, info.dwTextColor, info.dwHotTextColor, info.dwSelectedTextColor,
                         info.dwDisabledTextColor);
}

// The background of an item by its look: the colour, the first state image that draws
// (which ends it), the item's own image, the record's image (which ends it when it draws),
// and the line under the item. drawOrForget draws an image and empties it when it fails.
template <typename DrawOrForget>
void PaintItemBackground(CUIRender* render, const CUIRect& item, const ItemLook& look, tagTListInfoUI& info,
                         CUIString& ownImage, DrawOrForget drawOrForget)
{
    const unsigned long colour = ColourByState(look, look.background ? info.dwBkColor : 0, info.dwHotBkColor,
                                               info.dwSelectedBkColor, info.dwDisabledBkColor);
    if (colour != 0)
        render->DrawColor(item, colour);

    if (look.disabled && drawOrForget(info.sDisabledImage))
        return;
    if (look.selected && drawOrForget(info.sSelectedImage))
        return;
    if (look.hot && drawOrForget(info.sHotImage))
        return;
    if (look.background)
        drawOrForget(ownImage);
    if (ownImage.IsEmpty() && drawOrForget(info.sBkImage))
        return;
    if (info.dwLineColor != 0)
        render->DrawLine(CUIRect(item.left, item.bottom - 1, item.right, item.bottom - 1), 1, info.dwLineColor, 0);
}

// The background of an item in its owner's list by the owner's record; nothing without an owner.
template <typename DrawOrForget>
void PaintBackgroundOfItem(CUIRender* render, const CUIControl& control, IListOwnerUI* owner, const CUIRect& pos,
                           UINT state, bool selected, int index, CUIString& ownImage, DrawOrForget drawOrForget)
{
    if (owner == nullptr)
        return;
    tagTListInfoUI& info = *owner->GetListInfo();
    PaintItemBackground(render, pos, LookOf(control, info, state, selected, index), info, ownImage, drawOrForget);
}
