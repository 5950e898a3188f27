// The list header and its columns, the header items.

#include "UIListHeader.h"

#include <algorithm>

#include "EventCodes.h"
#include "ListItems.h"
#include "MarkupText.h"
#include "ResourceMgr.h"
#include "UIRender.h"
#include "UIWindow.h"

// ---- the header ----

CListHeaderUI::CListHeaderUI() {}

CListHeaderUI::~CListHeaderUI() {}

CUIString CListHeaderUI::GetClass() const { return L"ListHeaderUI"; }

void* CListHeaderUI::GetInterface(const CUIString& name)
{
    if (name == L"ListHeader")
        return static_cast<CListHeaderUI*>(this);
    return CUIHorizontalLayout::GetInterface(name);
}

tagSIZE CListHeaderUI::EstimateSize(tagSIZE available)
{
    // One estimate of each column gives both the sum of the widths and the tallest.
    const bool measureHeight = m_cxyFixed.cy == 0 && m_pWindow;
    int64_t cx = 0;
    int64_t cy = m_cxyFixed.cy;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        const tagSIZE size = static_cast<CUIControl*>(m_items[i])->EstimateSize(available);
        cx += size.cx;
        if (measureHeight)
            cy = std::max<int64_t>(cy, size.cy);
    }
    if (measureHeight)
        cy = std::max<int64_t>(cy, m_pWindow->GetPaintManager()->GetDefaultFontHeight() + 6);
    return {cx, cy};
}

void CListHeaderUI::SetVisible(bool visible)
{
    if (m_bVisible == visible)
        return;
    const bool wasVisible = IsVisible();
    m_bVisible = visible;
    m_bFocused = false;
    if (IsVisible() == wasVisible)
        return;
    if (IsVisible())
        MarkUpdatePath();
    NeedParentUpdate();
    VisibleChanged(IsVisible());
}

void CListHeaderUI::SetInternVisible(bool visible)
{
    const bool wasVisible = IsVisible();
    m_bInternVisible = visible;
    if (!wasVisible && IsVisible())
        MarkUpdatePath();
    for (int i = 0; i < m_items.GetSize(); ++i)
        static_cast<CUIControl*>(m_items[i])->SetInternVisible(visible);
    if (IsVisible() != wasVisible)
        VisibleChanged(IsVisible());
}

// ---- the header's columns ----

namespace {

// How far a press may lie inside the column from its separator and still start a drag.
const int kSeparatorGrip = 4;

}  // namespace

CListHeaderItemUI::CListHeaderItemUI()
    : m_ptLastMouse{0, 0}, m_bDragable(true), m_uButtonState(0), m_iSepWidth(4), m_nDragWidth(0)
{
    SetTextPadding(CUIRect(2, 0, 2, 0));
    SetMinWidth(16);
}

CListHeaderItemUI::~CListHeaderItemUI() {}

CUIString CListHeaderItemUI::GetClass() const { return L"ListHeaderItemUI"; }

void* CListHeaderItemUI::GetInterface(const CUIString& name)
{
    if (name == L"ListHeaderItem")
        return static_cast<CListHeaderItemUI*>(this);
    return CUILabel::GetInterface(name);
}

UINT CListHeaderItemUI::GetControlFlags() const { return IsEnabled() && m_iSepWidth != 0 ? 2 : 0; }

bool CListHeaderItemUI::IsDragable() const { return m_bDragable; }

void CListHeaderItemUI::SetDragable(bool dragable)
{
    m_bDragable = dragable;
    if (!m_bDragable)
        m_uButtonState &= ~BUTTONSTATE_CAPTURED;
}

int CListHeaderItemUI::GetSepWidth() const { return m_iSepWidth; }
void CListHeaderItemUI::SetSepWidth(int width) { m_iSepWidth = width; }

CUIString CListHeaderItemUI::GetNormalImage() const { return m_sNormalImage; }
void CListHeaderItemUI::SetNormalImage(const CUIString& image) { StoreAndRepaint(*this, m_sNormalImage, image); }
CUIString CListHeaderItemUI::GetHotImage() const { return m_sHotImage; }
void CListHeaderItemUI::SetHotImage(const CUIString& image) { StoreAndRepaint(*this, m_sHotImage, image); }
CUIString CListHeaderItemUI::GetPushedImage() const { return m_sPushedImage; }
void CListHeaderItemUI::SetPushedImage(const CUIString& image) { StoreAndRepaint(*this, m_sPushedImage, image); }
CUIString CListHeaderItemUI::GetFocusedImage() const { return m_sFocusedImage; }
void CListHeaderItemUI::SetFocusedImage(const CUIString& image) { StoreAndRepaint(*this, m_sFocusedImage, image); }
CUIString CListHeaderItemUI::GetSepImage() const { return m_sSepImage; }
void CListHeaderItemUI::SetSepImage(const CUIString& image) { StoreAndRepaint(*this, m_sSepImage, image); }

void CListHeaderItemUI::SetEnabled(bool enabled)
{
    CUILabel::SetEnabled(enabled);
    if (!IsEnabled())
        m_uButtonState = 0;
}

CUIRect CListHeaderItemUI::GetThumbRect() const
{
    if (m_iSepWidth >= 0)
        return CUIRect(m_rcItem.right - m_iSepWidth, m_rcItem.top, m_rcItem.right, m_rcItem.bottom);
    return CUIRect(m_rcItem.left, m_rcItem.top, m_rcItem.left - m_iSepWidth, m_rcItem.bottom);
}

bool CListHeaderItemUI::OnSeparator(const tagPOINT& pt) const
{
    CUIRect grip = GetThumbRect();
    if (m_iSepWidth >= 0)
        grip.left -= kSeparatorGrip;
    else
        grip.right += kSeparatorGrip;
    return grip.IsPtIn(pt);
}

tagSIZE CListHeaderItemUI::EstimateSize(tagSIZE available)
{
    if (m_cxyFixed.cy != 0 || m_pWindow == nullptr)
        return CUILabel::EstimateSize(available);
    return {m_cxyFixed.cx, m_pWindow->GetPaintManager()->GetDefaultFontHeight() + 14};
}

void CListHeaderItemUI::Press(const TEventUI& event)
{
    if (!IsEnabled())
        return;
    if (OnSeparator(event.ptMouse)) {
        if (m_bDragable) {
            m_uButtonState |= BUTTONSTATE_CAPTURED;
            m_ptLastMouse = event.ptMouse;
            m_nDragWidth = m_rcItem.right - m_rcItem.left;
        }
        return;
    }
    m_uButtonState |= BUTTONSTATE_PUSHED;
    const CWatched<CUIControl> alive(this);
    if (m_pWindow)
        m_pWindow->SendNotify(this, NOTIFY_HEADER_CLICK, 0, 0, false);
    if (alive)
        Invalidate();
}

// Each step measures from the width the drag has reached, so that steps that come faster
// than the relayouts still add up; a width at or below the minimum is refused, and the
// drag goes on from the last point taken.
void CListHeaderItemUI::Drag(const tagPOINT& pt)
{
    const int64_t delta = pt.x - m_ptLastMouse.x;
    const int64_t width = m_iSepWidth >= 0 ? m_nDragWidth + delta : m_nDragWidth - delta;
    if (width <= GetMinWidth())
        return;
    m_nDragWidth = width;
    m_cxyFixed.cx = width;
    m_ptLastMouse = pt;
    if (m_pParent)
        m_pParent->NeedParentUpdate();
}

void CListHeaderItemUI::DoEvent(TEventUI& event)
{
    if (PassOnWhileMouseDisabled(event))
        return;
    switch (event.Type) {
    case EVENT_SETFOCUS:
    case EVENT_KILLFOCUS:
        Invalidate();
        break;
    case EVENT_BUTTONDOWN:
    case EVENT_DBLCLICK:
        Press(event);
        return;
    case EVENT_BUTTONUP:
        if (m_uButtonState & BUTTONSTATE_CAPTURED) {
            m_uButtonState &= ~BUTTONSTATE_CAPTURED;
            if (m_pParent)
                m_pParent->NeedParentUpdate();
        } else if (m_uButtonState & BUTTONSTATE_PUSHED) {
            m_uButtonState &= ~BUTTONSTATE_PUSHED;
            Invalidate();
        }
        return;
    case EVENT_MOUSEMOVE:
        if (m_uButtonState & BUTTONSTATE_CAPTURED)
            Drag(event.ptMouse);
        return;
    case EVENT_SETCURSOR:
        if (IsEnabled() && m_bDragable && OnSeparator(event.ptMouse))
            return;
        break;
    case EVENT_MOUSEENTER:
    case EVENT_MOUSELEAVE:
        if (IsEnabled()) {
            if (event.Type == EVENT_MOUSEENTER)
                m_uButtonState |= BUTTONSTATE_HOT;
            else
                m_uButtonState &= ~BUTTONSTATE_HOT;
            Invalidate();
        }
        return;
    default:
        break;
    }
    CUILabel::DoEvent(event);
}

void CListHeaderItemUI::PaintStatusImage(CUIRender* render)
{
    if (IsFocused())
        m_uButtonState |= BUTTONSTATE_FOCUSED;
    else
        m_uButtonState &= ~BUTTONSTATE_FOCUSED;

    CUIString* state = nullptr;
    if (m_uButtonState & BUTTONSTATE_PUSHED)
        state = &m_sPushedImage;
    else if (m_uButtonState & BUTTONSTATE_HOT)
        state = &m_sHotImage;
    else if (m_uButtonState & BUTTONSTATE_FOCUSED)
        state = &m_sFocusedImage;
    if (state == nullptr) {
        DrawImageOrForget(render, m_sNormalImage, nullptr);
    } else {
        if (state->IsEmpty() && !m_sNormalImage.IsEmpty())
            DrawImage(render, m_sNormalImage, nullptr);
        DrawImageOrForget(render, *state, nullptr);
    }

    if (m_sSepImage.IsEmpty())
        return;
    const CUIRect thumb = GetThumbRect();
    m_sSepImageModify.Format(L"dest='%d,%d,%d,%d'", ClampToInt(thumb.left - m_rcItem.left),
                             ClampToInt(thumb.top - m_rcItem.top), ClampToInt(thumb.right - m_rcItem.left),
                             ClampToInt(thumb.bottom - m_rcItem.top));
    DrawImageOrForget(render, m_sSepImage, m_sSepImageModify);
}

void CListHeaderItemUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    static const AttributeTable<CListHeaderItemUI> kAttributes = {
        {L"dragable", [](CListHeaderItemUI& c, const wchar_t* v) { c.SetDragable(ReadBool(v)); }},
        {L"sepwidth", [](CListHeaderItemUI& c, const wchar_t* v) { c.SetSepWidth(ReadInt(v)); }},
        {L"normalimage", [](CListHeaderItemUI& c, const wchar_t* v) { c.SetNormalImage(v); }},
        {L"hotimage", [](CListHeaderItemUI& c, const wchar_t* v) { c.SetHotImage(v); }},
        {L"pushedimage", [](CListHeaderItemUI& c, const wchar_t* v) { c.SetPushedImage(v); }},
        {L"focusedimage", [](CListHeaderItemUI& c, const wchar_t* v) { c.SetFocusedImage(v); }},
        {L"sepimage", [](CListHeaderItemUI& c, const wchar_t* v) { c.SetSepImage(v); }},
    };
    if (!ApplyAttribute(kAttributes, *this, name, value))
        CUILabel::SetAttribute(name, value);
}
