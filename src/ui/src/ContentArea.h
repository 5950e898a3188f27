#pragma once
// Where controls show: the content area of a container, where its children are laid out
// and painted, and the clip of a control's ancestors.

#include "UIContainer.h"
#include "UIScrollBar.h"

// Takes the container's own scroll bars that show off inner: the vertical bar off its
// right edge, the horizontal one off its bottom. A subclass that answers the getters with
// other bars (a list hands out its body's) still has its own beside its children.
inline void TakeOffScrollBars(const CUIContainer& container, CUIRect& inner)
{
    const CUIScrollBar* vertical = container.CUIContainer::GetVerticalScrollBar();
    const CUIScrollBar* horizontal = container.CUIContainer::GetHorizontalScrollBar();
    if (vertical->IsVisible())
        inner.right -= vertical->GetFixedWidth();
    if (horizontal->IsVisible())
        inner.bottom -= horizontal->GetFixedHeight();
}

// The container's rectangle inside its inset, less its scroll bars that show.
inline CUIRect ContentArea(const CUIContainer& container)
{
    CUIRect area = container.GetPos();
    area.Deflate(container.GetInset());
    TakeOffScrollBars(container, area);
    return area;
}

// The area clipped by the item rectangles of every ancestor; false when nothing is left.
inline bool ClipByAncestors(const CUIControl* control, CUIRect& area)
{
    for (const CUIControl* parent = control->GetParent(); parent; parent = parent->GetParent()) {
        const CUIRect bounds = parent->GetPos();
        if (!UIIntersectRect(&area, &area, &bounds))
            return false;
    }
    return true;
}
