// The four list items: on a plain control, with a label, with columns of text, on a container.

#include "UIListItem.h"

#include <memory>

#include "EventCodes.h"
#include "ListItems.h"
#include "MarkupText.h"
#include "Scaling.h"
#include "UIRender.h"
#include "UIWindow.h"

namespace {

const wchar_t* OrEmpty(const wchar_t* text) { return text ? text : L""; }

}  // namespace

// ---- the item on a plain control ----

CListElementUI::CListElementUI() : m_iItemIndex(-1), m_bSelected(false), m_uButtonState(0) {}

CListElementUI::~CListElementUI() {}

CUIString CListElementUI::GetClass() const { return L"ListElementUI"; }

void* CListElementUI::GetInterface(const CUIString& name)
{
    if (name == L"ListItem")
        return static_cast<IListItemUI*>(this);
    if (name == L"ListElement")
        return static_cast<CListElementUI*>(this);
    return CUIControl::GetInterface(name);
}

UINT CListElementUI::GetControlFlags() const { return 4; }

int CListElementUI::GetIndex() const { return m_iItemIndex; }
void CListElementUI::SetIndex(int index) { m_iItemIndex = index; }
IListOwnerUI* CListElementUI::GetOwner() { return m_pOwner; }
void CListElementUI::SetOwner(CUIControl* owner) { m_pOwner = OwnerOf(owner); }
bool CListElementUI::IsSelected() const { return m_bSelected; }
bool CListElementUI::IsExpanded() const { return false; }
bool CListElementUI::Expand(bool) { return false; }
void CListElementUI::DrawItemText(CUIRender*, const CUIRect&) {}
void CListElementUI::Invalidate() { InvalidateItem(*this); }

bool CListElementUI::Select(bool select) { return SelectItemOf(*this, m_bSelected, m_pOwner, m_iItemIndex, select); }

bool CListElementUI::Activate() { return NotifyIfActivated(*this, CUIControl::Activate()); }

void CListElementUI::SetVisible(bool visible)
{
    CUIControl::SetVisible(visible);
    DeselectIfHidden(*this, m_bSelected, m_pOwner);
}

void CListElementUI::SetEnabled(bool enabled)
{
    CUIControl::SetEnabled(enabled);
    if (!IsEnabled())
        m_uButtonState = 0;
}

void CListElementUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    if (IsNamed(name, L"selected"))
        Select(ReadBool(value));
    else
        CUIControl::SetAttribute(name, value);
}

void CListElementUI::DoEvent(TEventUI& event)
{
    if ((IsMouseEnabled() || !IsPointerEvent(event)) && HandleItemActivation(*this, event))
        return;
    if (IListOwnerUI* owner = m_pOwner)
        owner->DoEvent(event);
    else
        CUIControl::DoEvent(event);
}

void CListElementUI::DrawItemBk(CUIRender* render, const CUIRect&)
{
    const auto drawOrForget = [this, render](CUIString& image) { return DrawImageOrForget(render, image, nullptr); };
    PaintBackgroundOfItem(render, *this, m_pOwner, m_rcItem, m_uButtonState, m_bSelected, m_iItemIndex, m_sBkImage,
                          drawOrForget);
}

// ---- the label item ----

namespace {

// The extent of the rectangle that an item's text is measured in.
const int64_t kMeasureExtent = 9999;

}  // namespace

CListLabelElementUI::CListLabelElementUI() {}

CListLabelElementUI::~CListLabelElementUI() {}

CUIString CListLabelElementUI::GetClass() const { return L"ListLabelElementUI"; }

void* CListLabelElementUI::GetInterface(const CUIString& name)
{
    if (name == L"ListLabelElement")
        return static_cast<CListLabelElementUI*>(this);
    return CListElementUI::GetInterface(name);
}

void CListLabelElementUI::DrawTextWraper(CUIRender* render, tagTListInfoUI* info, const CUIRect& rect,
                                         const CUIString& text, unsigned long style, unsigned long colour, bool html,
                                         CUIRect* out)
{
    if (info->sFonts.IsEmpty())
        render->DrawText(rect, text, style, info->sFont, colour, html, out);
    else
        render->DrawTextFromFonts(rect, text, style, info->sFonts, colour, html, out);
}

void CListLabelElementUI::DoEvent(TEventUI& event)
{
    if (!IsMouseEnabled() && IsPointerEvent(event)) {
        if (IListOwnerUI* owner = m_pOwner)
            owner->DoEvent(event);
        else
            CListElementUI::DoEvent(event);
        return;
    }
    if (HandleItemPointer(*this, *this, m_uButtonState, event, static_cast<unsigned long>(m_iItemIndex)))
        return;
    CListElementUI::DoEvent(event);
}

tagSIZE CListLabelElementUI::EstimateSize(tagSIZE available)
{
    IListOwnerUI* owner = m_pOwner;
    if (owner == nullptr)
        return {0, 0};
    tagTListInfoUI* info = owner->GetListInfo();
    tagSIZE size = {0, 0};
    if (info->szItem.cx != 0 || info->szItem.cy != 0)
        size = {Scale64(info->szItem.cx, WidthScale()), Scale64(info->szItem.cy, HeightScale())};
    if (m_cxyFixed.cx != 0 || m_cxyFixed.cy != 0)
        size = CUIControl::EstimateSize(available);
    if ((size.cx != 0 && size.cy != 0) || m_pWindow == nullptr)
        return size;
    const unsigned long style = (info->uTextStyle & ~(TEXTSTYLE_CENTER | TEXTSTYLE_RIGHT | TEXTSTYLE_SINGLELINE |
                                                      TEXTSTYLE_CALCRECT)) |
                                TEXTSTYLE_SINGLELINE | TEXTSTYLE_CALCRECT;
    CUIRect measured(0, 0, 0, 0);
    DrawTextWraper(m_pWindow->GetPaintContext(), info, CUIRect(0, 0, kMeasureExtent, kMeasureExtent), m_sText, style,
                   0xFF000000, info->bShowHtml, &measured);
    const CUIRect& pad = info->rcTextPadding;
    if (size.cx == 0)
        size.cx = (measured.right - measured.left) + pad.left + pad.right;
    if (size.cy == 0)
        size.cy = (measured.bottom - measured.top) + pad.top + pad.bottom;
    return size;
}

void CListLabelElementUI::DoPaint(CUIRender* render, const CUIRect& paint)
{
    CUIRect area;
    if (!UIIntersectRect(&area, &paint, &m_rcItem))
        return;
    m_rcPaint = area;
    DrawItemBk(render, m_rcItem);
    DrawItemText(render, m_rcItem);
}

void CListLabelElementUI::DrawItemText(CUIRender* render, const CUIRect& rc)
{
    IListOwnerUI* owner = m_pOwner;
    if (m_sText.IsEmpty() || owner == nullptr)
        return;
    tagTListInfoUI* info = owner->GetListInfo();
    CUIRect text = rc;
    text.left += info->rcTextPadding.left;
    text.top += info->rcTextPadding.top;
    text.right -= info->rcTextPadding.right;
    text.bottom -= info->rcTextPadding.bottom;
    const unsigned long colour = TextColourOf(LookOf(*this, *info, m_uButtonState, m_bSelected, m_iItemIndex), *info);
    DrawTextWraper(render, info, text, m_sText, info->uTextStyle | TEXTSTYLE_SINGLELINE, colour, info->bShowHtml,
                   nullptr);
}

// ---- the text item ----

CListTextElementUI::CListTextElementUI() : m_nLinks(0), m_nHoverLink(-1) {}

CListTextElementUI::~CListTextElementUI() {}

CUIString CListTextElementUI::GetClass() const { return L"ListTextElementUI"; }

void* CListTextElementUI::GetInterface(const CUIString& name)
{
    if (name == L"ListTextElement")
        return static_cast<CListTextElementUI*>(this);
    return CListLabelElementUI::GetInterface(name);
}

UINT CListTextElementUI::GetControlFlags() const { return IsEnabled() && m_nLinks > 0 ? 6 : 4; }

void CListTextElementUI::SetOwner(CUIControl* owner)
{
    CListLabelElementUI::SetOwner(owner);
    m_pOwnerList = {owner, owner ? static_cast<IListUI*>(owner->GetInterface(L"IList")) : nullptr};
}

const wchar_t* CListTextElementUI::GetText(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_aTexts.size()) || m_aTexts[column] == nullptr)
        return nullptr;
    return m_aTexts[column]->GetData();
}

void CListTextElementUI::SetText(int column, const wchar_t* text)
{
    IListOwnerUI* owner = m_pOwner;
    if (owner == nullptr || column < 0)
        return;
    const int columns = owner->GetListInfo()->nColumns;
    if (column >= columns)
        return;
    if (static_cast<int>(m_aTexts.size()) < columns)
        m_aTexts.resize(columns);
    std::unique_ptr<CUIString>& slot = m_aTexts[column];
    if (slot == nullptr && text == nullptr)
        return;
    if (slot && *slot == OrEmpty(text))
        return;
    if (slot)
        *slot = OrEmpty(text);
    else
        slot = std::make_unique<CUIString>(OrEmpty(text));
    Invalidate();
}

CUIString* CListTextElementUI::GetLinkContent(int i)
{
    if (i < 0 || i >= m_nLinks)
        return nullptr;
    return &m_sLinks[i];
}

int CListTextElementUI::LinkAt(const tagPOINT& pt) const
{
    for (int i = 0; i < m_nLinks; ++i) {
        CUIRect link = m_rcLinks[i];
        if (link.IsPtIn(pt))
            return i;
    }
    return -1;
}

void CListTextElementUI::DoEvent(TEventUI& event)
{
    // The label item passes the pointer's events on while the mouse is disabled.
    if (!IsMouseEnabled() && IsPointerEvent(event)) {
        CListLabelElementUI::DoEvent(event);
        return;
    }
    if (event.Type == EVENT_SETCURSOR && LinkAt(event.ptMouse) >= 0)
        return;
    if (event.Type == EVENT_BUTTONUP && IsEnabled()) {
        const int link = LinkAt(event.ptMouse);
        if (link >= 0) {
            NotifyFromItem(*this, NOTIFY_LINK_CLICK, static_cast<unsigned long>(link));
            return;
        }
    }
    if (m_nLinks > 0 && event.Type == EVENT_MOUSEMOVE) {
        const int hover = LinkAt(event.ptMouse);
        if (hover != m_nHoverLink) {
            Invalidate();
            m_nHoverLink = hover;
        }
    }
    if (m_nLinks > 0 && event.Type == EVENT_MOUSELEAVE && m_nHoverLink != -1) {
        Invalidate();
        m_nHoverLink = -1;
    }
    CListLabelElementUI::DoEvent(event);
}

void CListTextElementUI::DrawItemText(CUIRender* render, const CUIRect& rc)
{
    IListOwnerUI* owner = m_pOwner;
    if (owner == nullptr)
        return;
    tagTListInfoUI* info = owner->GetListInfo();
    const unsigned long colour = TextColourOf(LookOf(*this, *info, m_uButtonState, m_bSelected, m_iItemIndex), *info);
    IListUI* list = m_pOwnerList;
    IListCallbackUI* callback = list ? list->GetTextCallback() : nullptr;
    // The application's callback may delete the item or its list between two columns.
    const CWatched<CUIControl> self(this);
    for (int i = 0; i < info->nColumns; ++i) {
        const CUIString text(callback ? OrEmpty(callback->QueryItemText(this, m_iItemIndex, i)) : OrEmpty(GetText(i)));
        if (!self || !m_pOwner)
            return;
        const CUIRect cell(info->rcColumn[i].left, rc.top, info->rcColumn[i].right, rc.bottom);
        DrawTextWraper(render, info, cell, text, info->uTextStyle | TEXTSTYLE_SINGLELINE, colour, info->bShowHtml,
                       nullptr);
    }
    m_nLinks = info->nColumns > 0 ? kMaxLinks : 0;
    for (int i = m_nLinks; i < kMaxLinks; ++i) {
        m_rcLinks[i] = CUIRect();
        m_sLinks[i].Empty();
    }
}

// ---- the item on a container ----

CListContainerElementUI::CListContainerElementUI()
    : m_iItemIndex(-1), m_bSelected(false), m_uButtonState(0)
{
}

CListContainerElementUI::~CListContainerElementUI() {}

CUIString CListContainerElementUI::GetClass() const { return L"ListContainerElementUI"; }

void* CListContainerElementUI::GetInterface(const CUIString& name)
{
    if (name == L"ListItem")
        return static_cast<IListItemUI*>(this);
    if (name == L"ListContainerElement")
        return static_cast<CListContainerElementUI*>(this);
    return CUIContainer::GetInterface(name);
}

UINT CListContainerElementUI::GetControlFlags() const { return 4; }

int CListContainerElementUI::GetIndex() const { return m_iItemIndex; }
void CListContainerElementUI::SetIndex(int index) { m_iItemIndex = index; }
IListOwnerUI* CListContainerElementUI::GetOwner() { return m_pOwner; }
void CListContainerElementUI::SetOwner(CUIControl* owner) { m_pOwner = OwnerOf(owner); }
bool CListContainerElementUI::IsSelected() const { return m_bSelected; }
bool CListContainerElementUI::IsExpanded() const { return false; }
bool CListContainerElementUI::Expand(bool) { return false; }
void CListContainerElementUI::DrawItemText(CUIRender*, const CUIRect&) {}
void CListContainerElementUI::Invalidate() { InvalidateItem(*this); }

bool CListContainerElementUI::Select(bool select)
{
    return SelectItemOf(*this, m_bSelected, m_pOwner, m_iItemIndex, select);
}

bool CListContainerElementUI::Activate() { return NotifyIfActivated(*this, CUIContainer::Activate()); }

void CListContainerElementUI::SetVisible(bool visible)
{
    CUIContainer::SetVisible(visible);
    DeselectIfHidden(*this, m_bSelected, m_pOwner);
}

void CListContainerElementUI::SetEnabled(bool enabled)
{
    CUIContainer::SetEnabled(enabled);
    if (!IsEnabled())
        m_uButtonState = 0;
}

void CListContainerElementUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    if (IsNamed(name, L"selected"))
        Select(ReadBool(value));
    else
        CUIContainer::SetAttribute(name, value);
}

void CListContainerElementUI::DoEvent(TEventUI& event)
{
    if (!IsMouseEnabled() && IsPointerEvent(event)) {
        if (IListOwnerUI* owner = m_pOwner)
            owner->DoEvent(event);
        else
            CUIContainer::DoEvent(event);
        return;
    }
    if (HandleItemPointer(*this, *this, m_uButtonState, event, 0) || HandleItemActivation(*this, event))
        return;
    if (IListOwnerUI* owner = m_pOwner)
        owner->DoEvent(event);
    else
        CUIControl::DoEvent(event);
}

void CListContainerElementUI::DrawItemBk(CUIRender* render, const CUIRect&)
{
    const auto drawOrForget = [this, render](CUIString& image) { return DrawImageOrForget(render, image, nullptr); };
    PaintBackgroundOfItem(render, *this, m_pOwner, m_rcItem, m_uButtonState, m_bSelected, m_iItemIndex, m_sBkImage,
                          drawOrForget);
}

void CListContainerElementUI::DoPaint(CUIRender* render, const CUIRect& paint)
{
    CUIRect area;
    if (!UIIntersectRect(&area, &paint, &m_rcItem))
        return;
    m_rcPaint = area;
    DrawItemBk(render, m_rcItem);
    CUIContainer::DoPaint(render, paint);
}
