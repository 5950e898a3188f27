// The base control's painting, its input events with drag-scrolling, and hit testing.

#include "UIControl.h"

#include <cstdlib>

#include "EventCodes.h"
#include "Scaling.h"
#include "TreeLimits.h"
#include "TreeShape.h"
#include "UIContainer.h"
#include "UIRender.h"
#include "UIWindow.h"

namespace {

// Beyond this many pixels from the last drag point a move scrolls the owner.
constexpr int64_t kDragDeadZone = 3;

bool Intersects(const tagRECT& a, const tagRECT& b)
{
    tagRECT common;
    return UIIntersectRect(&common, &a, &b);
}

// Stores value when it differs; true when it did.
template <typename T>
bool StoreChanged(T& stored, const T& value)
{
    if (stored == value)
        return false;
    stored = value;
    return true;
}

}  // namespace

// ---- painting ----

void CUIControl::DoPaint(CUIRender* render, const CUIRect& paint)
{
    CUIRect area;
    if (!UIIntersectRect(&area, &paint, &m_rcItem))
        return;
    m_rcPaint = area;

    // Painting runs the application's code, which may delete this control (a window deleted
    // meanwhile leaves render drawing nothing until the paint returns).
    const bool leaf = m_items.IsEmpty();
    render->GenerateClip(area);
    if (leaf) {
        PaintSelf(render);
        render->ClearClip();
        return;
    }
    const CWatched<CUIControl> alive(this);
    PaintSelf(render);
    render->ClearClip();
    if (!alive)
        return;
    render->GenerateClip(area);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        if (!child->IsVisible())
            continue;
        const CUIRect pos = child->GetPos();
        if (Intersects(pos, paint) && Intersects(pos, m_rcItem))
            child->DoPaint(render, paint);
        if (!alive)
            break;
    }
    render->ClearClip();
}

void CUIControl::PaintSelf(CUIRender* render)
{
    PaintBkColor(render);
    PaintBkImage(render);
    PaintStatusImage(render);
    PaintText(render);
    PaintBorder(render);
}

void CUIControl::PaintBkColor(CUIRender* render)
{
    if (m_dwBackColor != 0)
        render->DrawColor(m_rcItem, m_dwBackColor);
}

void CUIControl::PaintBkImage(CUIRender* render)
{
    if (!m_sBkImage.IsEmpty())
        DrawImage(render, m_sBkImage, nullptr);
}

void CUIControl::PaintStatusImage(CUIRender*) {}

void CUIControl::PaintText(CUIRender*) {}

void CUIControl::PaintBorder(CUIRender* render)
{
    if (m_nBorderSize > 0)
        render->DrawRect(m_rcItem, m_nBorderSize, m_dwBorderColor);
    if (IsFocused() && m_nFocusBorderSize > 0)
        render->DrawRect(m_rcItem, m_nFocusBorderSize, m_dwFocusBorderColor);
}

void CUIControl::DoPostPaint(CUIRender*, const CUIRect&) {}

bool CUIControl::DrawImage(CUIRender* render, const wchar_t* image, const wchar_t* modify)
{
    return render->DrawImageString(m_rcItem, m_rcPaint, image, modify);
}

bool CUIControl::DrawImageOrForget(CUIRender* render, CUIString& image, const wchar_t* modify)
{
    if (image.IsEmpty())
        return false;
    if (DrawImage(render, image, modify))
        return true;
    // Without a renderer nothing can draw; the image itself is not at fault.
    if (render->HasRenderPlatform())
        image.Empty();
    return false;
}

unsigned long CUIControl::GetBkColor() const { return m_dwBackColor; }

void CUIControl::SetBkColor(unsigned long colour)
{
    if (StoreChanged(m_dwBackColor, colour))
        Invalidate();
}

CUIString CUIControl::GetBkImage() const { return m_sBkImage; }

void CUIControl::SetBkImage(const CUIString& image)
{
    if (StoreChanged(m_sBkImage, image))
        Invalidate();
}

int CUIControl::GetBorderSize() const { return m_nBorderSize; }

void CUIControl::SetBorderSize(int size)
{
    if (StoreChanged(m_nBorderSize, size))
        Invalidate();
}

unsigned long CUIControl::GetBorderColor() const { return m_dwBorderColor; }

void CUIControl::SetBorderColor(unsigned long colour)
{
    if (StoreChanged(m_dwBorderColor, colour))
        Invalidate();
}

// ---- events ----

std::weak_ptr<const void> CUIControl::GetLifetime() const { return m_lifetime; }

void CUIControl::Event(TEventUI& event)
{
    // Events pass up to the parents through here. Twice as many nested as a control has
    // ancestors leave room for handlers that hand events on, and only a loop of parent
    // pointers goes further: the event is dropped there.
    static thread_local int nested = 0;
    const ClimbStep step(nested, 2 * kMaxAncestors);
    if (step.Lost()) {
        TreeShape::ReportParentLoop(*this);
        return;
    }
    const CWatched<CUIControl> alive(this);
    if (!InputEvent(&event) || !alive)
        return;
    DoEvent(event);
    if (!alive)
        return;
    DragOwner(event);
}

bool CUIControl::PassOnWhileMouseDisabled(TEventUI& event)
{
    if (IsMouseEnabled() || !IsPointerEvent(event))
        return false;
    if (m_pParent)
        m_pParent->Event(event);
    else
        CUIControl::DoEvent(event);
    return true;
}

void CUIControl::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case EVENT_MOUSELEAVE:
        if (m_bMouseEnabled)
            SendOwnNotify(NOTIFY_MOUSE_LEAVE, event);
        return;
    case EVENT_MOUSEENTER:
        if (m_bMouseEnabled)
            SendOwnNotify(NOTIFY_MOUSE_ENTER, event);
        return;
    case EVENT_KILLFOCUS:
        m_bFocused = false;
        Invalidate();
        return;
    case EVENT_SETFOCUS:
        m_bFocused = true;
        Invalidate();
        return;
    case EVENT_TIMER:
        SendOwnNotify(NOTIFY_TIMER, event);
        return;
    case kEventSwallowed:
    case EVENT_SETCURSOR:
        return;
    default:
        if (m_pParent)
            m_pParent->Event(event);
        return;
    }
}

void CUIControl::SendOwnNotify(uint32_t type, const TEventUI& event)
{
    // Events delivered by hand to a control outside any window notify nobody.
    if (m_pWindow)
        m_pWindow->SendNotify(this, type, event.wParam, event.lParam, false);
}

bool CUIControl::Activate() { return IsVisible() && IsEnabled(); }

void CUIControl::AddMessageFilter(const CDelegateBase& filter)
{
    if (m_pWindow == nullptr)
        return;
    m_pWindow->AddMessageFilter(this);
    MessageFilterEvent += filter;
}

// ---- drag-scrolling of the owning container ----

void CUIControl::SetOwnerDrag(CUIContainer* owner) { m_pOwnerDrag = owner; }

bool CUIControl::IsPressedSlider() const { return m_bPressedSlider; }

CUIContainer* CUIControl::LiveOwnerDrag()
{
    CUIContainer* const owner = m_pOwnerDrag;
    if (owner == nullptr)
        return nullptr;
    // This control may have moved elsewhere since a hit test made it the owner.
    CUIControl* parent = m_pParent;
    for (int steps = 0; parent && steps < kMaxAncestors; ++steps, parent = parent->GetParent()) {
        if (parent->GetInterface(L"Container") == static_cast<void*>(owner))
            return owner;
    }
    if (parent)
        TreeShape::ReportParentLoop(*this);
    m_pOwnerDrag = nullptr;
    return nullptr;
}

void CUIControl::DragOwner(const TEventUI& event)
{
    switch (event.Type) {
    case EVENT_BUTTONDOWN: {
        CUIRect item = m_rcItem;
        if (item.IsPtIn(event.ptMouse) && LiveOwnerDrag()) {
            m_bDragArmed = true;
            m_ptLastDrag = event.ptMouse;
        }
        return;
    }
    case EVENT_MOUSEMOVE: {
        if (!m_bDragArmed)
            return;
        CUIContainer* owner = LiveOwnerDrag();
        if (owner == nullptr)
            return;
        const int64_t dx = m_ptLastDrag.x - event.ptMouse.x;
        const int64_t dy = m_ptLastDrag.y - event.ptMouse.y;
        if (std::llabs(dx) <= kDragDeadZone && std::llabs(dy) <= kDragDeadZone)
            return;
        m_ptLastDrag = event.ptMouse;
        m_bPressedSlider = true;
        // Last, as the scroll may reach handlers that delete this control.
        owner->SliderContainer(ClampToInt(dx), ClampToInt(dy));
        return;
    }
    case EVENT_BUTTONUP:
        if (!m_bDragArmed || m_pOwnerDrag == nullptr)
            return;
        m_bDragArmed = false;
        m_ptLastDrag = {0, 0};
        m_pOwnerDrag = nullptr;
        m_bPressedSlider = false;
        return;
    default:
        return;
    }
}

// ---- hit testing ----

CUIControl* CUIControl::HitCheck(FINDCONTROLPROC proc, void* data, UINT flags)
{
    if ((flags & FINDFLAG_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & FINDFLAG_ENABLED) && !IsEnabled())
        return nullptr;
    if ((flags & FINDFLAG_HITTEST) && (!m_bMouseEnabled || !m_rcItem.IsPtIn(*static_cast<tagPOINT*>(data))))
        return nullptr;
    return proc(this, data);
}

CUIControl* CUIControl::FindControl(FINDCONTROLPROC proc, void* data, UINT flags)
{
    if ((flags & FINDFLAG_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & FINDFLAG_ENABLED) && !IsEnabled())
        return nullptr;
    if (flags & FINDFLAG_HITTEST) {
        if (!m_rcItem.IsPtIn(*static_cast<tagPOINT*>(data)))
            return nullptr;
        if (!m_bMouseChildEnabled)
            return HitCheck(proc, data, flags);
    }
    const bool selfFirst = (flags & FINDFLAG_SELF_FIRST) != 0;
    if (selfFirst) {
        if (CUIControl* found = HitCheck(proc, data, flags))
            return found;
    }
    const int count = m_items.GetSize();
    for (int n = 0; n < count; ++n) {
        const int i = (flags & FINDFLAG_LAST_CHILD_FIRST) ? count - 1 - n : n;
        if (CUIControl* found = static_cast<CUIControl*>(m_items[i])->FindControl(proc, data, flags))
            return found;
    }
    return selfFirst ? nullptr : HitCheck(proc, data, flags);
}
