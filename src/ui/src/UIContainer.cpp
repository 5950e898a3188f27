// The base container: inset, child padding, float placement, scroll bars and scrolling.

#include "UIContainer.h"

#include <algorithm>
#include <cwchar>

#include <utility/logger>

#include "ContentArea.h"
#include "EventCodes.h"
#include "MarkupText.h"
#include "ResourceMgr.h"
#include "Scaling.h"
#include "TreeShape.h"
#include "UIParse.h"
#include "UIRender.h"
#include "UIScrollBar.h"
#include "UIWindow.h"

namespace {

// The horizontal line step, and the vertical one of a container without a window.
const int kLineStep = 8;


bool Intersects(const tagRECT& a, const tagRECT& b)
{
    CUIRect common;
    return UIIntersectRect(&common, &a, &b);
}

bool ReadInset(const wchar_t* value, CUIRect& inset)
{
    int edges[4];
    if (ReadInts(value, edges, 4) < 4)
        return false;
    inset = CUIRect(edges[0], edges[1], edges[2], edges[3]);
    return true;
}

}  // namespace

CUIContainer::CUIContainer()
    : m_iChildPadding(0),
      m_pVerticalScrollBar(new CUIScrollBar),
      m_pHorizontalScrollBar(new CUIScrollBar),
      m_szOriginal(0, 0),
      m_bEnableSlider(false),
      m_bResetScrollPos(true),
      m_bAdaptToChildSize(false)
{
    m_pVerticalScrollBar->SetOwner(this);
    m_pVerticalScrollBar->SetHorizontal(false);
    m_pVerticalScrollBar->SetVisible(false);
    m_pVerticalScrollBar->SetEnabled(false);
    m_pHorizontalScrollBar->SetOwner(this);
    m_pHorizontalScrollBar->SetHorizontal(true);
    m_pHorizontalScrollBar->SetVisible(false);
    m_pHorizontalScrollBar->SetEnabled(false);
    TreeShape::AddPart(*this, *m_pVerticalScrollBar);
    TreeShape::AddPart(*this, *m_pHorizontalScrollBar);
}

// The children are left for the base control, which unlinks them without relayout
// requests; the bars go first, vertical before horizontal.
CUIContainer::~CUIContainer()
{
    m_pVerticalScrollBar.reset();
    m_pHorizontalScrollBar.reset();
}

CUIString CUIContainer::GetClass() const { return L"ContainerUI"; }

void* CUIContainer::GetInterface(const CUIString& name)
{
    if (name == L"Container")
        return static_cast<CUIContainer*>(this);
    return CUIControl::GetInterface(name);
}

// ---- window, mouse, visibility ----

void CUIContainer::SetOwnWindow(CUIWindow* window, CUIControl* parent, bool init)
{
    // The bars' init handlers may delete this container.
    const CWatched<CUIControl> alive(init ? this : nullptr);
    m_pVerticalScrollBar->SetOwnWindow(window, this, init);
    if (init && !alive)
        return;
    m_pHorizontalScrollBar->SetOwnWindow(window, this, init);
    if (init && !alive)
        return;
    CUIControl::SetOwnWindow(window, parent, init);
}

void CUIContainer::SetMouseEnabled(bool enabled)
{
    m_pVerticalScrollBar->CUIControl::SetMouseEnabled(enabled);
    m_pHorizontalScrollBar->CUIControl::SetMouseEnabled(enabled);
    CUIControl::SetMouseEnabled(enabled);
}

void CUIContainer::VisibleChanged(bool visible)
{
    if (!visible && m_bResetScrollPos)
        ResetScrollPos();
    CUIControl::VisibleChanged(visible);
}

// ---- inset, padding, sizes ----

CUIRect CUIContainer::GetInset() const
{
    const double cx = m_pWindow ? m_pWindow->GetWidthScale() : 1.0;
    const double cy = m_pWindow ? m_pWindow->GetHeightScale() : 1.0;
    CUIRect inset;
    inset.left = ScaleInt(m_rcInset.left, cx);
    inset.top = ScaleInt(m_rcInset.top, cy);
    inset.right = ScaleInt(m_rcInset.right, cx);
    inset.bottom = ScaleInt(m_rcInset.bottom, cy);
    return inset;
}

void CUIContainer::SetInset(const CUIRect& inset)
{
    m_rcInset = inset;
    NeedUpdate();
}

int CUIContainer::GetChildPadding() const
{
    return ScaleInt(m_iChildPadding, m_pWindow ? m_pWindow->GetWidthScale() : 1.0);
}

void CUIContainer::SetChildPadding(int padding)
{
    m_iChildPadding = padding;
    NeedUpdate();
}

void CUIContainer::SetOriginalWidth(int width)
{
    if (width < 0)
        return;
    m_szOriginal.cx = width;
    NeedUpdate();
}

void CUIContainer::SetOriginalHeight(int height)
{
    if (height < 0)
        return;
    m_szOriginal.cy = height;
    NeedUpdate();
}

void CUIContainer::SetAdaptToChildSize(bool adapt) { m_bAdaptToChildSize = adapt; }
void CUIContainer::SetResetScrollPos(bool reset) { m_bResetScrollPos = reset; }
void CUIContainer::SetEnableSlider(bool enable) { m_bEnableSlider = enable; }

// ---- placement ----

void CUIContainer::SetPos(const CUIRect& rc, bool needInvalidate)
{
    const CWatched<CUIControl> alive(this);
    CUIControl::UpdatePos(rc, needInvalidate);
    if (!alive || m_items.IsEmpty())
        return;
    CUIRect inner = rc;
    inner.Deflate(GetInset());
    PlaceChildren(*this, m_items, [&inner](CUIControl* child, int) { child->SetPos(inner, false); });
}

void CUIContainer::SetFloatPos(int index)
{
    if (index < 0 || index >= m_items.GetSize())
        return;
    CUIControl* child = static_cast<CUIControl*>(m_items[index]);
    if (!child->IsVisible() || !child->IsFloat())
        return;

    const tagSIZE xy = child->GetFixedXY();
    const tagSIZE size = child->EstimateSize({0, 0});
    const CUIRect pad = child->GetPadding();
    CUIRect r = m_rcItem;
    r.Deflate(GetInset());
    const uint32_t anchor = child->GetAnchorAlign();

    CUIRect place;
    if (xy.cx >= 1)
        place.left = r.left + xy.cx;
    else if (anchor & ANCHOR_LEFT)
        place.left = r.left + pad.left;
    else if (anchor & ANCHOR_RIGHT)
        place.left = r.right - size.cx - pad.right;
    else if (anchor & ANCHOR_CENTER)
        place.left = r.left + (r.right - r.left - size.cx - pad.left - pad.right) / 2;
    place.right = place.left + size.cx;

    if (xy.cy >= 1)
        place.top = r.top + xy.cy;
    else if (anchor & ANCHOR_TOP)
        place.top = r.top + pad.top;
    else if (anchor & ANCHOR_BOTTOM)
        place.top = r.bottom - size.cy - pad.bottom;
    else if (anchor & ANCHOR_VCENTER)
        place.top = r.top + (r.bottom - r.top - size.cy - pad.top - pad.bottom) / 2;
    place.bottom = place.top + size.cy;

    child->SetPos(place, false);
}

tagSIZE CUIContainer::EstimateSize(tagSIZE available)
{
    if (!m_bAdaptToChildSize)
        return CUIControl::EstimateSize(available);
    tagSIZE floating = {0, 0};
    tagSIZE flowing = {0, 0};
    for (int i = 0; i < GetCount(); ++i) {
        CUIControl* child = GetItemAt(i);
        if (!child->IsVisible())
            continue;
        tagSIZE size = child->EstimateSize(available);
        const CUIRect pad = child->GetPadding();
        size.cx += pad.left + pad.right;
        size.cy += pad.top + pad.bottom;
        tagSIZE& biggest = child->IsFloat() ? floating : flowing;
        biggest.cx = std::max(biggest.cx, size.cx);
        biggest.cy = std::max(biggest.cy, size.cy);
    }
    const CUIRect inset = GetInset();
    flowing.cx += inset.left + inset.right;
    flowing.cy += inset.top + inset.bottom;
    return {std::max(floating.cx, flowing.cx), std::max(floating.cy, flowing.cy)};
}

// ---- scroll bars ----

CUIScrollBar* CUIContainer::GetVerticalScrollBar() const { return m_pVerticalScrollBar.get(); }

CUIScrollBar* CUIContainer::GetHorizontalScrollBar() const { return m_pHorizontalScrollBar.get(); }

void CUIContainer::EnableScrollBar(bool vertical, bool horizontal)
{
    m_pVerticalScrollBar->SetEnabled(vertical);
    m_pHorizontalScrollBar->SetEnabled(horizontal);
    NeedUpdate();
}

// A bar stands beside the area that the caller left to the children, which is without the
// bars that showed when the children were placed. One that this call shows first was not
// taken off it: it stands inside the area's edge, over the children's, until the next pass
// leaves room for it, so that it is never placed outside its container.
void CUIContainer::ProcessScrollBar(tagRECT inner, int neededWidth, int neededHeight)
{
    // A bar's size and visibility handlers may delete this container, and the bars with it.
    const CWatched<CUIControl> alive(this);
    CUIScrollBar* vertical = m_pVerticalScrollBar.get();
    vertical->SetScrollRange(ClampToInt(static_cast<int64_t>(neededHeight) - (inner.bottom - inner.top)));
    if (!alive)
        return;
    if (vertical->IsEnabled() && vertical->IsShowScroll()) {
        const bool shown = vertical->IsVisible();
        vertical->SetVisible(vertical->GetScrollRange() >= 1);
        if (!alive)
            return;
        if (vertical->IsVisible()) {
            const int64_t width = vertical->GetFixedWidth();
            const int64_t left = shown ? inner.right : inner.right - width;
            vertical->SetPos(CUIRect(left, inner.top, left + width, inner.bottom), true);
            if (!alive)
                return;
        }
    }
    CUIScrollBar* horizontal = m_pHorizontalScrollBar.get();
    horizontal->SetScrollRange(ClampToInt(static_cast<int64_t>(neededWidth) - (inner.right - inner.left)));
    if (!alive)
        return;
    if (horizontal->IsEnabled() && horizontal->IsShowScroll()) {
        const bool shown = horizontal->IsVisible();
        horizontal->SetVisible(horizontal->GetScrollRange() >= 1);
        if (alive && horizontal->IsVisible()) {
            const int64_t height = horizontal->GetFixedHeight();
            const int64_t top = shown ? inner.bottom : inner.bottom - height;
            horizontal->SetPos(CUIRect(inner.left, top, inner.right, top + height), true);
        }
    }
}

// ---- scroll position ----

tagSIZE CUIContainer::GetScrollPos() const
{
    return {m_pHorizontalScrollBar->GetScrollPos(), m_pVerticalScrollBar->GetScrollPos()};
}

tagSIZE CUIContainer::GetScrollRange() const
{
    return {m_pHorizontalScrollBar->GetScrollRange(), m_pVerticalScrollBar->GetScrollRange()};
}

void CUIContainer::SetScrollPos(tagSIZE pos)
{
    const int oldY = m_pVerticalScrollBar->GetScrollPos();
    m_pVerticalScrollBar->SetScrollPos(ClampToInt(pos.cy));
    const int dy = m_pVerticalScrollBar->GetScrollPos() - oldY;
    const int oldX = m_pHorizontalScrollBar->GetScrollPos();
    m_pHorizontalScrollBar->SetScrollPos(ClampToInt(pos.cx));
    const int dx = m_pHorizontalScrollBar->GetScrollPos() - oldX;
    ScrollPage(dx, dy);
}

void CUIContainer::ScrollPage(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    // Size and scroll handlers may delete this container.
    const CWatched<CUIControl> alive(this);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        if (!IsFlowing(child))
            continue;
        CUIRect pos = child->GetPos();
        pos.left -= dx;
        pos.right -= dx;
        pos.top -= dy;
        pos.bottom -= dy;
        child->SetPos(pos, true);
        if (!alive)
            return;
    }
    if (ScrollEvent) {
        TNotifyUI msg{};
        msg.pSender = this;
        msg.wParam = static_cast<uint64_t>(static_cast<int64_t>(dx));
        msg.lParam = static_cast<uint64_t>(static_cast<int64_t>(dy));
        ScrollEvent(&msg);
        if (!alive)
            return;
    }
    Invalidate();
}

void CUIContainer::ResetScrollPos()
{
    m_pVerticalScrollBar->SetScrollPos(0);
    m_pHorizontalScrollBar->SetScrollPos(0);
}

int CUIContainer::VerticalLineStep() const
{
    if (m_pWindow == nullptr)
        return kLineStep;
    return m_pWindow->GetPaintManager()->GetDefaultFontHeight() + kLineStep;
}

void CUIContainer::LineUp()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx, pos.cy - VerticalLineStep()});
}

void CUIContainer::LineDown()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx, pos.cy + VerticalLineStep()});
}

int CUIContainer::PageHeight() const
{
    const CUIRect inset = GetInset();
    return static_cast<int>(m_rcItem.bottom - m_rcItem.top - inset.top - inset.bottom);
}

int CUIContainer::PageWidth() const
{
    const CUIRect inset = GetInset();
    return static_cast<int>(m_rcItem.right - m_rcItem.left - inset.left - inset.right);
}

void CUIContainer::PageUp()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx, std::max<int64_t>(0, pos.cy - PageHeight())});
}

void CUIContainer::PageDown()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx, std::min<int64_t>(GetScrollRange().cy, pos.cy + PageHeight())});
}

void CUIContainer::HomeUp() { SetScrollPos({GetScrollPos().cx, 0}); }

void CUIContainer::EndDown() { SetScrollPos({GetScrollPos().cx, GetScrollRange().cy}); }

void CUIContainer::LineLeft()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx - kLineStep, pos.cy});
}

void CUIContainer::LineRight()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx + kLineStep, pos.cy});
}

void CUIContainer::PageLeft()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx - PageWidth(), pos.cy});
}

void CUIContainer::PageRight()
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx + PageWidth(), pos.cy});
}

void CUIContainer::HomeLeft() { SetScrollPos({0, GetScrollPos().cy}); }

void CUIContainer::EndRight() { SetScrollPos({GetScrollRange().cx, GetScrollPos().cy}); }

bool CUIContainer::CanPageUp() { return GetScrollPos().cy > 0; }

bool CUIContainer::CanPageDown() { return GetScrollPos().cy < GetScrollRange().cy; }

bool CUIContainer::CanLineDown() { return GetScrollPos().cy + kLineStep <= GetScrollRange().cy; }

bool CUIContainer::CanPageLeft() { return GetScrollPos().cx > 0; }

bool CUIContainer::CanPageRight() { return GetScrollPos().cx < GetScrollRange().cx; }

// ---- sliding ----

void CUIContainer::StartListerSlider(CUIControl* control)
{
    if (control && m_bEnableSlider)
        control->SetOwnerDrag(this);
}

void CUIContainer::SliderContainer(int dx, int dy)
{
    const tagSIZE pos = GetScrollPos();
    SetScrollPos({pos.cx + dx, pos.cy + dy});
}

// ---- painting ----

void CUIContainer::DoPaint(CUIRender* render, const CUIRect& paint)
{
    CUIRect area;
    if (!UIIntersectRect(&area, &paint, &m_rcItem))
        return;
    m_rcPaint = area;
    // Painting runs the application's code, which may delete this container (a window
    // deleted meanwhile leaves render drawing nothing until the paint returns).
    const CWatched<CUIControl> alive(this);
    render->GenerateClip(m_rcPaint);
    PaintSelf(render);
    render->ClearClip();
    if (!alive)
        return;

    if (!m_items.IsEmpty()) {
        const CUIRect content = ContentArea(*this);
        CUIRect clip;
        const bool contentShows = UIIntersectRect(&clip, &m_rcPaint, &content);
        if (contentShows)
            render->GenerateClip(clip);
        for (int i = 0; i < m_items.GetSize(); ++i) {
            CUIControl* child = static_cast<CUIControl*>(m_items[i]);
            const CUIRect pos = child->GetPos();
            if (!child->IsVisible() || !Intersects(pos, m_rcPaint))
                continue;
            // Without a content area left only float children paint, and unclipped.
            const bool shows = child->IsFloat() ? Intersects(pos, m_rcItem) : contentShows && Intersects(pos, content);
            if (shows)
                child->DoPaint(render, m_rcPaint);
            if (!alive)
                break;
        }
        if (contentShows)
            render->ClearClip();
        if (!alive)
            return;
    }

    for (CUIScrollBar* bar : {m_pVerticalScrollBar.get(), m_pHorizontalScrollBar.get()}) {
        if (bar->IsVisible() && Intersects(bar->GetPos(), paint))
            bar->DoPaint(render, paint);
        if (!alive)
            return;
    }
}

// ---- input ----

void CUIContainer::DoEvent(TEventUI& event)
{
    if (PassOnWhileMouseDisabled(event))
        return;
    if (event.Type == EVENT_SETFOCUS || event.Type == EVENT_KILLFOCUS) {
        m_bFocused = event.Type == EVENT_SETFOCUS;
        return;
    }
    const bool wheelDown = WheelDirection(event) == kWheelDown;
    const bool wheelUp = WheelDirection(event) == kWheelUp;
    if (m_pVerticalScrollBar->IsEnabled()) {
        if (event.Type == EVENT_KEYDOWN) {
            switch (event.chKey) {
            case kKeyPageUp: PageUp(); return;
            case kKeyPageDown: PageDown(); return;
            case kKeyEnd: EndDown(); return;
            case kKeyHome: HomeUp(); return;
            case kKeyUp: LineUp(); return;
            case kKeyDown: LineDown(); return;
            default: break;
            }
        } else if (event.Type == EVENT_SCROLLWHEEL && (wheelUp || wheelDown)) {
            if (wheelUp)
                LineUp();
            else
                LineDown();
            return;
        }
    } else if (m_pHorizontalScrollBar->IsVisible() && m_pHorizontalScrollBar->IsEnabled()) {
        if (event.Type == EVENT_KEYDOWN) {
            switch (event.chKey) {
            case kKeyPageUp: PageLeft(); return;
            case kKeyPageDown: PageRight(); return;
            case kKeyEnd: EndRight(); return;
            case kKeyHome: HomeLeft(); return;
            case kKeyUp: LineLeft(); return;
            case kKeyDown: LineRight(); return;
            default: break;
            }
        } else if (event.Type == EVENT_SCROLLWHEEL && (wheelUp || wheelDown)) {
            if (wheelUp)
                LineLeft();
            else
                LineRight();
            return;
        }
    }
    CUIControl::DoEvent(event);
}

// ---- hit testing ----

CUIControl* CUIContainer::FindControl(FINDCONTROLPROC proc, void* data, UINT flags)
{
    if ((flags & FINDFLAG_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & FINDFLAG_ENABLED) && !IsEnabled())
        return nullptr;
    const bool hitTest = (flags & FINDFLAG_HITTEST) != 0;
    if (hitTest) {
        if (!m_rcItem.IsPtIn(*static_cast<tagPOINT*>(data)))
            return nullptr;
        if (!m_bMouseChildEnabled) {
            CUIControl* found = m_pVerticalScrollBar->FindControl(proc, data, flags);
            if (found == nullptr)
                found = m_pHorizontalScrollBar->FindControl(proc, data, flags);
            if (found == nullptr)
                found = CUIControl::HitCheck(proc, data, flags);
            StartListerSlider(found);
            return found;
        }
    }
    if (CUIControl* bar = m_pVerticalScrollBar->FindControl(proc, data, flags))
        return bar;
    if (CUIControl* bar = m_pHorizontalScrollBar->FindControl(proc, data, flags))
        return bar;

    const bool selfFirst = (flags & FINDFLAG_SELF_FIRST) != 0;
    if (selfFirst) {
        if (CUIControl* found = CUIControl::HitCheck(proc, data, flags))
            return found;
    }
    CUIRect inner = m_rcItem;
    inner.Deflate(GetInset());
    const bool lastFirst = (flags & FINDFLAG_LAST_CHILD_FIRST) != 0;
    const int count = m_items.GetSize();
    for (int n = 0; n < count; ++n) {
        CUIControl* child = static_cast<CUIControl*>(m_items[lastFirst ? count - 1 - n : n]);
        CUIControl* found = child->FindControl(proc, data, flags);
        if (found == nullptr)
            continue;
        if (hitTest && !found->IsFloat() && !inner.IsPtIn(*static_cast<tagPOINT*>(data)))
            continue;
        if (lastFirst)
            StartListerSlider(found);
        return found;
    }
    return selfFirst ? nullptr : CUIControl::HitCheck(proc, data, flags);
}

// ---- child lookups ----

int CUIContainer::FindSelectable(int start, bool forward) const
{
    const int count = GetCount();
    if (count == 0)
        return -1;
    start = std::max(0, std::min(start, count - 1));
    const auto selectable = [this](int i) {
        CUIControl* child = GetItemAt(i);
        return child->GetInterface(L"ListItem") != nullptr && child->IsVisible() && child->IsEnabled();
    };
    if (forward) {
        for (int i = start; i < count; ++i) {
            if (selectable(i))
                return i;
        }
        return -1;
    }
    for (int i = start; i >= 0; --i) {
        if (selectable(i))
            return i;
    }
    return FindSelectable(0, true);
}

CUIControl* CUIContainer::GetVisbledItemAt(int i) const
{
    const int count = m_items.GetSize();
    if (i < 0 || i >= count)
        return nullptr;
    for (int j = 0; j < count; ++j) {
        const CUIControl* child = static_cast<CUIControl*>(m_items[j]);
        if (child->IsVisible() && Intersects(child->GetPos(), m_rcItem))
            return j + i < count ? static_cast<CUIControl*>(m_items[j + i]) : nullptr;
    }
    return nullptr;
}

CUIControl* CUIContainer::GetVisbledItemAtEnd()
{
    bool inside = false;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        if (!child->IsVisible())
            continue;
        const bool intersects = Intersects(child->GetPos(), m_rcItem);
        if (inside && !intersects)
            return child;
        inside = inside || intersects;
    }
    return nullptr;
}

CUIControl* CUIContainer::FindSubControl(const wchar_t* name)
{
    return m_pWindow ? m_pWindow->FindSubControlByName(this, name) : nullptr;
}

bool CUIContainer::SetSubControlText(const wchar_t* name, const wchar_t* text)
{
    CUIControl* found = FindSubControl(name);
    if (found)
        found->SetText(text);
    return found != nullptr;
}

bool CUIContainer::SetSubControlFixedHeight(const wchar_t* name, int height)
{
    CUIControl* found = FindSubControl(name);
    if (found)
        found->SetFixedHeight(height);
    return found != nullptr;
}

bool CUIContainer::SetSubControlFixedWdith(const wchar_t* name, int width)
{
    CUIControl* found = FindSubControl(name);
    if (found)
        found->SetFixedWidth(width);
    return found != nullptr;
}

CUIString CUIContainer::GetSubControlText(const wchar_t* name)
{
    const CUIControl* found = FindSubControl(name);
    return found ? found->GetText() : CUIString();
}

int CUIContainer::GetSubControlFixedHeight(const wchar_t* name)
{
    const CUIControl* found = FindSubControl(name);
    return found ? found->GetFixedHeight() : -1;
}

int CUIContainer::GetSubControlFixedWdith(const wchar_t* name)
{
    const CUIControl* found = FindSubControl(name);
    return found ? found->GetFixedWidth() : -1;
}

// ---- markup ----

// The scroll-bar attributes reach the bars through the virtual getters, so that a list
// styles the bars of its body, the ones it shows.
void CUIContainer::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    static const AttributeTable<CUIContainer> kAttributes = {
        {L"inset",
         [](CUIContainer& c, const wchar_t* v) {
             CUIRect inset;
             if (ReadInset(v, inset))
                 c.SetInset(inset);
             else
                 UI_ERROR("%sinset \"%S\" has fewer than four numbers ", MarkupWhere().c_str(), v);
         }},
        {L"vscrollbar",
         [](CUIContainer& c, const wchar_t* v) { c.EnableScrollBar(ReadBool(v), c.GetHorizontalScrollBar() != nullptr); }},
        {L"vscrollbarstyle",
         [](CUIContainer& c, const wchar_t* v) {
             c.EnableScrollBar(true, c.GetHorizontalScrollBar() != nullptr);
             c.GetVerticalScrollBar()->SetStyle(v);
         }},
        {L"vscrollbarshow", [](CUIContainer& c, const wchar_t* v) { c.GetVerticalScrollBar()->SetScroolShow(ReadBool(v)); }},
        {L"hscrollbar", [](CUIContainer& c, const wchar_t* v) { c.EnableScrollBar(true, ReadBool(v)); }},
        {L"hscrollbarstyle",
         [](CUIContainer& c, const wchar_t* v) {
             c.EnableScrollBar(true, true);
             c.GetHorizontalScrollBar()->SetStyle(v);
         }},
        {L"hscrollbarshow",
         [](CUIContainer& c, const wchar_t* v) { c.GetHorizontalScrollBar()->SetScroolShow(ReadBool(v)); }},
        {L"childpadding", [](CUIContainer& c, const wchar_t* v) { c.SetChildPadding(ReadInt(v)); }},
        {L"originalwidth", [](CUIContainer& c, const wchar_t* v) { c.SetOriginalWidth(ReadInt(v)); }},
        {L"originalHeight", [](CUIContainer& c, const wchar_t* v) { c.SetOriginalHeight(ReadInt(v)); }},
        {L"sliderenable", [](CUIContainer& c, const wchar_t* v) { c.SetEnableSlider(ReadBool(v)); }},
        {L"resetscrollpos", [](CUIContainer& c, const wchar_t* v) { c.SetResetScrollPos(ReadBool(v)); }},
        {L"adapttochildsize", [](CUIContainer& c, const wchar_t* v) { c.SetAdaptToChildSize(ReadBool(v)); }},
    };
    if (!ApplyAttribute(kAttributes, *this, name, value))
        CUIControl::SetAttribute(name, value);
}
