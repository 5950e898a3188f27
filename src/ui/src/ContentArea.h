#pragma once
// Where controls show: the content area of a container, where its children are laid out
// and painted, and the clip of a control's ancestors.

#include <algorithm>
#include <cstdint>

#include "TreeLimits.h"
#include "TreeShape.h"
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

// A child that takes part in its layout's flow: visible and not floating.
inline bool IsFlowing(const CUIControl* child) { return child->IsVisible() && !child->IsFloat(); }

// How far a bar has scrolled the content: its position, 0 without a bar. A layout counts it
// whether the bar shows or not, since the container's SetScrollPos moves the children by
// either bar; the list body counts only a bar that shows (see CListBodyUI::SetPos).
inline int64_t ScrollOffset(const CUIScrollBar* bar) { return bar ? bar->GetScrollPos() : 0; }

// What PlaceChildrenFrom answers when a size handler deleted the container on the way.
constexpr int kContainerGone = -1;

// The walk every layout makes over items, its own children, from start on: a hidden child is
// passed over, a floating one placed by the container's SetFloatPos, and every other handed to
// place(child, index), which answers whether the walk goes on. Answers the index it stopped at,
// the count of items when it went through, or kContainerGone, after which the caller touches
// nothing of the container.
template <typename Place>
int PlaceChildrenFrom(CUIContainer& container, const CStdPtrArray& items, int start, Place&& place)
{
    const CWatched<CUIControl> alive(&container);
    int i = std::max(start, 0);
    for (; i < items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(items[i]);
        if (!child->IsVisible())
            continue;
        bool goOn = true;
        if (child->IsFloat())
            container.SetFloatPos(i);
        else
            goOn = place(child, i);
        if (!alive)
            return kContainerGone;
        if (!goOn)
            break;
    }
    return i;
}

// The same walk over all of items, place(child, index) taking every flowing child; false when
// the container was deleted on the way.
template <typename Place>
bool PlaceChildren(CUIContainer& container, const CStdPtrArray& items, Place&& place)
{
    return PlaceChildrenFrom(container, items, 0, [&place](CUIControl* child, int index) {
        place(child, index);
        return true;
    }) != kContainerGone;
}

// The area clipped by the item rectangles of every ancestor; false when nothing is left, or
// when the parents lead round a loop.
inline bool ClipByAncestors(const CUIControl* control, CUIRect& area)
{
    const CUIControl* parent = control->GetParent();
    for (int steps = 0; parent && steps < kMaxAncestors; ++steps, parent = parent->GetParent()) {
        const CUIRect bounds = parent->GetPos();
        if (!UIIntersectRect(&area, &area, &bounds))
            return false;
    }
    if (parent)
        TreeShape::ReportParentLoop(*control);
    return parent == nullptr;
}
