// The row and the column: the flow of children along one axis, the estimate that adapts
// to them, and the separator drag that resizes the layout.

#include "UIFlowLayout.h"

#include <algorithm>
#include <cwchar>

#include "ContentArea.h"
#include "MarkupText.h"
#include "Scaling.h"
#include "SizeLimits.h"
#include "UIRender.h"
#include "UIScrollBar.h"
#include "UIWindow.h"

namespace {

// The colour of the ghost bar that a drag outside immediate mode moves.
const unsigned long kGhostColour = 0xAA000000;

// The axis a layout runs along, the main one: x for the row, y for the column.
struct Axis {
    bool row;

    int64_t Main(const tagSIZE& size) const { return row ? size.cx : size.cy; }
    int64_t Cross(const tagSIZE& size) const { return row ? size.cy : size.cx; }
    int64_t Main(const tagPOINT& pt) const { return row ? pt.x : pt.y; }
    // The edges of a rectangle (or the sides of a padding) along the main axis and across it.
    int64_t& Near(tagRECT& rc) const { return row ? rc.left : rc.top; }
    int64_t& Far(tagRECT& rc) const { return row ? rc.right : rc.bottom; }
    int64_t Near(const tagRECT& rc) const { return row ? rc.left : rc.top; }
    int64_t Far(const tagRECT& rc) const { return row ? rc.right : rc.bottom; }
    int64_t& CrossNear(tagRECT& rc) const { return row ? rc.top : rc.left; }
    int64_t& CrossFar(tagRECT& rc) const { return row ? rc.bottom : rc.right; }
    int64_t CrossNear(const tagRECT& rc) const { return row ? rc.top : rc.left; }
    int64_t CrossFar(const tagRECT& rc) const { return row ? rc.bottom : rc.right; }
    int64_t Extent(const tagRECT& rc) const { return Far(rc) - Near(rc); }

    int64_t MinMain(const CUIControl& c) const { return row ? c.GetMinWidth() : c.GetMinHeight(); }
    int64_t MaxMain(const CUIControl& c) const { return row ? c.GetMaxWidth() : c.GetMaxHeight(); }
    int64_t ClampMain(const CUIControl& c, int64_t value) const
    {
        return row ? ClampedWidth(c, value) : ClampedHeight(c, value);
    }
    int64_t ClampCross(const CUIControl& c, int64_t value) const
    {
        return row ? ClampedHeight(c, value) : ClampedWidth(c, value);
    }
};

const Axis kRow{true};
const Axis kColumn{false};

// Where a child sits across the axis within the room its size leaves: the row centres
// every child, the column places it by its horizontal anchor.
int64_t CrossOffset(const Axis& axis, uint32_t anchor, int64_t room)
{
    int64_t offset = room / 2;
    if (!axis.row && (anchor & ANCHOR_LEFT))
        offset = 0;
    else if (!axis.row && (anchor & ANCHOR_RIGHT))
        offset = room;
    return std::max<int64_t>(0, offset);
}

// The layout pass over items, the layout's own children: the fixed extents first, then
// what is left shared among the children that estimate 0 along the axis.
void LayOut(CUIContainer& layout, const Axis& axis, const CStdPtrArray& items, const CUIRect& rc, bool needInvalidate)
{
    // Size handlers, the layout's and its children's, may delete the layout.
    const CWatched<CUIControl> alive(&layout);
    layout.UpdatePos(rc, needInvalidate);
    if (!alive)
        return;
    CUIRect inner = layout.GetPos();
    inner.Deflate(layout.GetInset());
    if (items.IsEmpty()) {
        layout.ProcessScrollBar(inner, 0, 0);
        return;
    }
    // The layout's own bars and gap, also where a subclass answers with another's (a list
    // hands out its body's).
    const CUIScrollBar* vertical = layout.CUIContainer::GetVerticalScrollBar();
    const CUIScrollBar* horizontal = layout.CUIContainer::GetHorizontalScrollBar();
    TakeOffScrollBars(layout, inner);
    const tagSIZE available = {inner.right - inner.left, inner.bottom - inner.top};
    const int64_t gap = layout.CUIContainer::GetChildPadding();

    int64_t fixedTotal = 0;
    int64_t stretchables = 0;
    int64_t flowing = 0;
    for (int i = 0; i < items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(items[i]);
        if (!IsFlowing(child))
            continue;
        int64_t main = axis.Main(child->EstimateSize(available));
        if (main == 0)
            ++stretchables;
        else
            main = axis.ClampMain(*child, main);
        const CUIRect pad = child->GetPadding();
        fixedTotal += main + axis.Near(pad) + axis.Far(pad);
        ++flowing;
    }
    fixedTotal += (flowing - 1) * gap;
    const int64_t share =
        stretchables > 0 ? std::max<int64_t>(0, (axis.Main(available) - fixedTotal) / stretchables) : 0;

    // The fixed remainder still counts the paddings of the children already placed (the
    // row even those of fixed children twice), so the last stretchable child comes out
    // short by them when children have padding.
    int64_t remaining = axis.Main(available);
    int64_t fixedLeft = fixedTotal;
    int64_t stretched = 0;
    int64_t needed = 0;
    const CUIScrollBar* mainBar = axis.row ? horizontal : vertical;
    int64_t position = axis.Near(inner) - ScrollOffset(mainBar);
    const int64_t crossOrigin = axis.row ? inner.top : inner.left - ScrollOffset(horizontal);
    const bool placed = PlaceChildren(layout, items, [&](CUIControl* child, int) {
        const CUIRect pad = child->GetPadding();
        const int64_t lead = axis.Near(pad);
        const int64_t trail = axis.Far(pad);
        remaining -= lead;
        const tagSIZE size = child->EstimateSize(available);
        int64_t main = axis.Main(size);
        if (main == 0) {
            ++stretched;
            main = stretched == stretchables ? std::max<int64_t>(0, remaining - trail - fixedLeft) : share;
            main = axis.ClampMain(*child, main);
        } else {
            main = axis.ClampMain(*child, main);
            fixedLeft += axis.row ? lead + trail - main : -main;
        }
        fixedLeft -= gap;

        const int64_t crossPads = axis.CrossNear(pad) + axis.CrossFar(pad);
        int64_t cross = axis.Cross(size);
        if (cross == 0)
            cross = axis.Cross(available) - crossPads;
        cross = axis.ClampCross(*child, std::max<int64_t>(0, cross));
        const int64_t offset = CrossOffset(axis, child->GetAnchorAlign(), axis.Cross(available) - crossPads - cross);

        CUIRect place;
        axis.Near(place) = position + lead;
        axis.Far(place) = axis.Near(place) + main;
        axis.CrossNear(place) = crossOrigin + axis.CrossNear(pad) + offset;
        axis.CrossFar(place) = axis.CrossNear(place) + cross;
        child->SetPos(place, false);

        position += main + gap + lead + trail;
        needed += main + lead + trail;
        remaining -= main + gap + trail;
    });
    if (!placed)
        return;
    needed += (flowing - 1) * gap;
    const int extent = ClampToInt(needed);
    layout.ProcessScrollBar(inner, axis.row ? extent : 0, axis.row ? 0 : extent);
}

// What the visible children need side by side along the axis, with the insets and gaps;
// floating children only raise the result to their own size.
tagSIZE EstimateFromChildren(CUIContainer& layout, const Axis& axis, tagSIZE available)
{
    int64_t sum = 0;
    int64_t widest = 0;
    int64_t counted = 0;
    tagSIZE floating = {0, 0};
    for (int i = 0; i < layout.GetCount(); ++i) {
        CUIControl* child = layout.GetItemAt(i);
        if (!child->IsVisible())
            continue;
        tagSIZE size = child->EstimateSize(available);
        const CUIRect pad = child->GetPadding();
        size.cx += pad.left + pad.right;
        size.cy += pad.top + pad.bottom;
        if (child->IsFloat()) {
            floating.cx = std::max(floating.cx, size.cx);
            floating.cy = std::max(floating.cy, size.cy);
            continue;
        }
        sum += axis.Main(size);
        widest = std::max(widest, axis.Cross(size));
        ++counted;
    }
    const CUIRect inset = layout.GetInset();
    const int64_t main = axis.Near(inset) + axis.Far(inset) + layout.GetChildPadding() * (counted - 1) + sum;
    const int64_t cross = widest + axis.CrossNear(inset) + axis.CrossFar(inset);
    const int64_t cx = axis.row ? main : cross;
    const int64_t cy = axis.row ? cross : main;
    return {std::max(cx, floating.cx), std::max(cy, floating.cy)};
}

// The separator on base, a layout's rectangle: at the far edge for a positive extent, at
// the near one for a negative extent. The column keeps it within base, the row does not.
CUIRect ThumbRect(const Axis& axis, int extent, const CUIRect& base)
{
    CUIRect thumb = base;
    if (extent >= 0)
        axis.Near(thumb) = axis.Far(base) - extent;
    else
        axis.Far(thumb) = axis.Near(base) - extent;
    if (!axis.row) {
        axis.Near(thumb) = std::max(axis.Near(thumb), axis.Near(base));
        axis.Far(thumb) = std::min(axis.Far(thumb), axis.Far(base));
    }
    return thumb;
}

// A row's or column's separator drag, over the fields of the layout that carries it.
struct Separator {
    const Axis& axis;
    CUIControl& layout;
    int extent;
    bool immediate;
    UINT& state;
    tagPOINT& last;
    CUIRect& newPos;
    CUIRect& item;
    // The layout's own fixed extent along the axis, in logical pixels.
    int64_t& fixed;

    bool Captured() const { return (state & BUTTONSTATE_CAPTURED) != 0; }

    CUIRect Thumb(bool drag) const { return ThumbRect(axis, extent, drag && Captured() ? newPos : item); }

    bool OnThumb(const tagPOINT& pt) const { return layout.IsEnabled() && Thumb(false).IsPtIn(pt); }

    // True when the event ends at the separator.
    bool Handle(const TEventUI& event)
    {
        if (event.Type == EVENT_BUTTONDOWN && OnThumb(event.ptMouse)) {
            state |= BUTTONSTATE_CAPTURED;
            last = event.ptMouse;
            newPos = item;
            return !immediate;
        }
        if (event.Type == EVENT_BUTTONUP && Captured()) {
            state &= ~BUTTONSTATE_CAPTURED;
            item = newPos;
            if (axis.row || !immediate)
                layout.NeedParentUpdate();
            return true;
        }
        if (event.Type == EVENT_MOUSEMOVE && Captured()) {
            Drag(event.ptMouse);
            return true;
        }
        return event.Type == EVENT_SETCURSOR && OnThumb(event.ptMouse);
    }

    void Drag(const tagPOINT& pt)
    {
        const int64_t at = axis.Main(pt);
        const int64_t delta = at - axis.Main(last);
        last = pt;
        const bool farEdge = extent >= 0;
        if (farEdge) {
            if ((delta > 0 && at < axis.Far(newPos) - extent) || (delta < 0 && at > axis.Far(newPos)))
                return;
        } else {
            if ((delta > 0 && at < axis.Near(newPos)) || (delta < 0 && at > axis.Near(newPos) - extent))
                return;
        }
        CUIRect candidate = newPos;
        (farEdge ? axis.Far(candidate) : axis.Near(candidate)) += delta;
        const auto setExtent = [&](int64_t size) {
            if (farEdge)
                axis.Far(candidate) = axis.Near(candidate) + size;
            else
                axis.Near(candidate) = axis.Far(candidate) - size;
        };
        const int64_t minimum = axis.MinMain(layout);
        if (axis.Extent(candidate) <= minimum) {
            if (axis.Extent(newPos) <= minimum)
                return;
            setExtent(minimum);
        }
        const int64_t maximum = axis.MaxMain(layout);
        if (axis.Extent(candidate) >= maximum) {
            if (axis.Extent(newPos) >= maximum)
                return;
            setExtent(maximum);
        }

        CUIRect repaint = Thumb(true);
        newPos = candidate;
        fixed = Logical(axis.Extent(newPos));
        if (immediate) {
            item = newPos;
            layout.NeedParentUpdate();
            return;
        }
        repaint.Join(Thumb(true));
        repaint.Join(Thumb(false));
        if (CUIWindow* window = layout.GetOwnWindow())
            window->Invalidate(repaint);
    }

    // A dragged extent in window pixels as the fixed extent that the getter scales back to it.
    int64_t Logical(int64_t pixels) const
    {
        const CUIWindow* window = layout.GetOwnWindow();
        if (window == nullptr)
            return pixels;
        const double along = axis.row ? window->GetWidthScale() : window->GetHeightScale();
        const double factor =
            layout.IsUseSmallScale() ? std::min(window->GetWidthScale(), window->GetHeightScale()) : along;
        return factor > 0 ? CeilClamped<int64_t>(static_cast<double>(pixels) / factor) : pixels;
    }
};

UINT ControlFlags(const CUIControl& layout, int extent) { return layout.IsEnabled() && extent != 0 ? 2 : 0; }

}  // namespace

// ---- the row ----

CUIHorizontalLayout::CUIHorizontalLayout()
    : m_iSepWidth(0), m_uButtonState(0), m_ptLastMouse{0, 0}, m_bImmMode(false)
{
}

CUIHorizontalLayout::~CUIHorizontalLayout() = default;

CUIString CUIHorizontalLayout::GetClass() const { return L"HorizontalLayoutUI"; }

void* CUIHorizontalLayout::GetInterface(const CUIString& name)
{
    if (name == L"HorizontalLayout")
        return static_cast<CUIHorizontalLayout*>(this);
    return CUIContainer::GetInterface(name);
}

void CUIHorizontalLayout::SetSepWidth(int width) { m_iSepWidth = width; }
int CUIHorizontalLayout::GetSepWidth() const { return m_iSepWidth; }
void CUIHorizontalLayout::SetSepImmMode(bool immediate) { m_bImmMode = immediate; }
bool CUIHorizontalLayout::IsSepImmMode() const { return m_bImmMode; }
UINT CUIHorizontalLayout::GetControlFlags() const { return ControlFlags(*this, m_iSepWidth); }

CUIRect CUIHorizontalLayout::GetThumbRect(bool drag) const
{
    const bool dragging = drag && (m_uButtonState & BUTTONSTATE_CAPTURED);
    return ThumbRect(kRow, m_iSepWidth, dragging ? m_rcNewPos : m_rcItem);
}

void CUIHorizontalLayout::SetPos(const CUIRect& rc, bool needInvalidate)
{
    LayOut(*this, kRow, m_items, rc, needInvalidate);
}

tagSIZE CUIHorizontalLayout::EstimateSize(tagSIZE available)
{
    if (!m_bAdaptToChildSize)
        return CUIControl::EstimateSize(available);
    return EstimateFromChildren(*this, kRow, available);
}

void CUIHorizontalLayout::DoEvent(TEventUI& event)
{
    Separator separator{kRow,          *this,     m_iSepWidth, m_bImmMode, m_uButtonState,
                        m_ptLastMouse, m_rcNewPos, m_rcItem,   m_cxyFixed.cx};
    if (m_iSepWidth != 0 && separator.Handle(event))
        return;
    CUIContainer::DoEvent(event);
}

void CUIHorizontalLayout::DoPostPaint(CUIRender* render, const CUIRect&)
{
    if ((m_uButtonState & BUTTONSTATE_CAPTURED) && !m_bImmMode)
        render->DrawColor(GetThumbRect(true), kGhostColour);
}

void CUIHorizontalLayout::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    if (IsNamed(name, L"sepwidth"))
        SetSepWidth(ReadInt(value));
    else if (IsNamed(name, L"sepimm"))
        SetSepImmMode(ReadBool(value));
    else
        CUIContainer::SetAttribute(name, value);
}

// ---- the column ----

CUIVerticalLayout::CUIVerticalLayout()
    : m_iSepHeight(0), m_uButtonState(0), m_ptLastMouse{0, 0}, m_bImmMode(false)
{
}

CUIVerticalLayout::~CUIVerticalLayout() = default;

CUIString CUIVerticalLayout::GetClass() const { return L"VerticalLayoutUI"; }

void* CUIVerticalLayout::GetInterface(const CUIString& name)
{
    if (name == L"VerticalLayout")
        return static_cast<CUIVerticalLayout*>(this);
    return CUIContainer::GetInterface(name);
}

void CUIVerticalLayout::SetSepHeight(int height) { m_iSepHeight = height; }
int CUIVerticalLayout::GetSepHeight() const { return m_iSepHeight; }
void CUIVerticalLayout::SetSepImmMode(bool immediate) { m_bImmMode = immediate; }
bool CUIVerticalLayout::IsSepImmMode() const { return m_bImmMode; }
UINT CUIVerticalLayout::GetControlFlags() const { return ControlFlags(*this, m_iSepHeight); }

CUIRect CUIVerticalLayout::GetThumbRect(bool drag) const
{
    const bool dragging = drag && (m_uButtonState & BUTTONSTATE_CAPTURED);
    return ThumbRect(kColumn, m_iSepHeight, dragging ? m_rcNewPos : m_rcItem);
}

void CUIVerticalLayout::SetPos(const CUIRect& rc, bool needInvalidate)
{
    LayOut(*this, kColumn, m_items, rc, needInvalidate);
}

tagSIZE CUIVerticalLayout::EstimateSize(tagSIZE available)
{
    if (!m_bAdaptToChildSize)
        return CUIControl::EstimateSize(available);
    return EstimateFromChildren(*this, kColumn, available);
}

void CUIVerticalLayout::DoEvent(TEventUI& event)
{
    Separator separator{kColumn,       *this,     m_iSepHeight, m_bImmMode, m_uButtonState,
                        m_ptLastMouse, m_rcNewPos, m_rcItem,    m_cxyFixed.cy};
    if (m_iSepHeight != 0 && separator.Handle(event))
        return;
    CUIContainer::DoEvent(event);
}

void CUIVerticalLayout::DoPostPaint(CUIRender* render, const CUIRect&)
{
    if ((m_uButtonState & BUTTONSTATE_CAPTURED) && !m_bImmMode)
        render->DrawColor(GetThumbRect(true), kGhostColour);
}

void CUIVerticalLayout::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    if (IsNamed(name, L"sepheight"))
        SetSepHeight(ReadInt(value));
    else if (IsNamed(name, L"sepimm"))
        SetSepImmMode(ReadBool(value));
    else
        CUIContainer::SetAttribute(name, value);
}
