// The list family: the list with its record of columns and item settings, its body, its
// header and header items, and the items that it holds.

#include "UIList.h"

#include <algorithm>
#include <cassert>
#include <cwchar>
#include <string_view>
#include <unordered_map>

#include <utility/logger>

#include "ContentArea.h"
#include "EventCodes.h"
#include "MarkupText.h"
#include "ResourceMgr.h"
#include "Scaling.h"
#include "SizeLimits.h"
#include "UIListHeader.h"
#include "UIListItem.h"
#include "UIRender.h"
#include "UIScrollBar.h"
#include "UIWindow.h"

namespace {

const wchar_t* OrEmpty(const wchar_t* text) { return text ? text : L""; }

// Stores a setting of the control's look and repaints the control.
template <typename T>
void StoreAndRepaint(CUIControl& control, T& field, const T& value)
{
    field = value;
    control.Invalidate();
}

IListItemUI* AsListItem(CUIControl* control)
{
    return control ? static_cast<IListItemUI*>(control->GetInterface(L"ListItem")) : nullptr;
}

// The kinds of control that a list sorts its children into.
enum class Kind { Header, HeaderItem, Item };

Kind KindOf(CUIControl* control)
{
    if (control->GetInterface(L"ListHeader"))
        return Kind::Header;
    if (control->GetClass().Find(L"ListHeaderItemUI") >= 0)
        return Kind::HeaderItem;
    return Kind::Item;
}

// The column count of the record: the header's items, at most the rectangles it has.
void CountColumns(const CListHeaderUI& header, tagTListInfoUI& info)
{
    info.nColumns = std::min(header.GetCount(), UILIST_MAX_COLUMNS);
}

// Moves every visible, non-floating header item left by dx (not at all for 0) and keeps
// where each of the first columns then lies.
void PlaceColumns(const CListHeaderUI& header, tagTListInfoUI& info, int dx)
{
    for (int i = 0; i < header.GetCount(); ++i) {
        CUIControl* column = header.GetItemAt(i);
        if (!column->IsVisible() || column->IsFloat())
            continue;
        if (dx != 0) {
            CUIRect pos = column->GetPos();
            pos.left -= dx;
            pos.right -= dx;
            column->SetPos(pos, true);
        }
        if (i < UILIST_MAX_COLUMNS)
            info.rcColumn[i] = column->GetPos();
    }
}

// Sorts in place and stably by less, taking from the right run only what is strictly less.
// The merges count within the runs whatever less answers, so that a comparison that is no
// order cannot make them step outside the items.
template <typename Less>
void MergeSort(std::vector<void*>& items, Less less)
{
    const size_t count = items.size();
    std::vector<void*> merged(count);
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t low = 0; low < count; low += 2 * width) {
            const size_t middle = std::min(low + width, count);
            const size_t high = std::min(low + 2 * width, count);
            size_t left = low;
            size_t right = middle;
            size_t out = low;
            while (left < middle && right < high)
                merged[out++] = less(items[right], items[left]) ? items[right++] : items[left++];
            while (left < middle)
                merged[out++] = items[left++];
            while (right < high)
                merged[out++] = items[right++];
        }
        items.swap(merged);
    }
}

// ---- what the two kinds of item share ----

void NotifyFromItem(CUIControl& item, uint32_t code, unsigned long wParam)
{
    // Events that the application hands to an item outside any window notify nobody.
    if (CUIWindow* window = item.GetOwnWindow())
        window->SendNotify(&item, code, wParam, 0, false);
}

// Repaints the part of item inside its container's content area (without the scroll bars)
// and inside every ancestor further up.
void InvalidateItem(CUIControl& item)
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
bool SelectItemOf(CUIControl& item, bool& selected, IListOwnerUI* owner, int index, bool select)
{
    if (select && !item.IsEnabled())
        return false;
    if (select == selected)
        return true;
    selected = select;
    const std::weak_ptr<const void> alive = item.GetLifetime();
    if (select && owner)
        owner->SelectItem(index, true);
    // A handler of the selection may have deleted the item.
    if (!alive.expired())
        InvalidateItem(item);
    return true;
}

// After the item's visibility changed: a hidden item gives up the selection.
void DeselectIfHidden(CUIControl& item, bool& selected, IListOwnerUI* owner)
{
    if (item.IsVisible() || !selected)
        return;
    selected = false;
    if (owner)
        owner->SelectItem(-1, true);
}

IListOwnerUI* OwnerOf(CUIControl* list)
{
    return list ? static_cast<IListOwnerUI*>(list->GetInterface(L"IListOwner")) : nullptr;
}

// A press selects, the pointer makes the item hot; true for the events handled so.
bool HandleItemPointer(CUIControl& control, IListItemUI& item, UINT& state, const TEventUI& event,
                       unsigned long clickParam)
{
    switch (event.Type) {
    case EVENT_BUTTONDOWN:
    case EVENT_SECONDARYDOWN: {
        if (!control.IsEnabled())
            return true;
        const std::weak_ptr<const void> alive = control.GetLifetime();
        NotifyFromItem(control, NOTIFY_ITEM_CLICK, clickParam);
        if (alive.expired())
            return true;
        item.Select(true);
        if (!alive.expired())
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
bool HandleItemActivation(CUIControl& control, const TEventUI& event)
{
    const bool doubleClick = event.Type == EVENT_DBLCLICK;
    const bool enabled = control.IsEnabled();
    if (!doubleClick && !(event.Type == EVENT_KEYDOWN && event.chKey == kKeyReturn && enabled))
        return false;
    if (!enabled)
        return true;
    const std::weak_ptr<const void> alive = control.GetLifetime();
    control.Activate();
    if (!alive.expired())
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

ItemLook LookOf(const CUIControl& item, const tagTListInfoUI& info, UINT state, bool selected, int index)
{
    return {(state & BUTTONSTATE_HOT) != 0, selected, !item.IsEnabled(), !info.bAlternateBk || index % 2 == 0};
}

unsigned long TextColourOf(const ItemLook& look, const tagTListInfoUI& info)
{
    unsigned long colour = info.dwTextColor;
    if (look.hot)
        colour = info.dwHotTextColor;
    if (look.selected)
        colour = info.dwSelectedTextColor;
    if (look.disabled)
        colour = info.dwDisabledTextColor;
    return colour;
}

// The background of an item by its look: the colour, the first state image that draws
// (which ends it), the item's own image, the record's image (which ends it when it draws),
// and the line under the item. drawOrForget draws an image and empties it when it fails.
template <typename DrawOrForget>
void PaintItemBackground(CUIRender* render, const CUIRect& item, const ItemLook& look, tagTListInfoUI& info,
                         CUIString& ownImage, DrawOrForget drawOrForget)
{
    unsigned long colour = look.background ? info.dwBkColor : 0;
    if (look.hot)
        colour = info.dwHotBkColor;
    if (look.selected)
        colour = info.dwSelectedBkColor;
    if (look.disabled)
        colour = info.dwDisabledBkColor;
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

}  // namespace

// ---- the list ----

CListUI::CListUI()
    : m_bScrollSelect(false),
      m_iCurSel(-1),
      m_iExpandedItem(-1),
      m_pCallback(nullptr),
      m_pList(new CListBodyUI(this)),
      m_pHeader(new CListHeaderUI),
      m_headerLifetime(m_pHeader->GetLifetime()),
      m_bodyLifetime(m_pList->GetLifetime())
{
    Add(m_pHeader);
    CUIControl::Add(m_pList);
}

CListUI::~CListUI()
{
    // The items stay, without their list.
    if (m_bodyLifetime.expired())
        return;
    for (int i = 0; i < m_pList->GetCount(); ++i)
        Release(m_pList->GetItemAt(i));
}

CUIString CListUI::GetClass() const { return L"ListUI"; }

void* CListUI::GetInterface(const CUIString& name)
{
    if (name == L"List")
        return static_cast<CListUI*>(this);
    if (name == L"IList")
        return static_cast<IListUI*>(this);
    if (name == L"IListOwner")
        return static_cast<IListOwnerUI*>(this);
    return CUIVerticalLayout::GetInterface(name);
}

UINT CListUI::GetControlFlags() const { return 1; }

CListHeaderUI* CListUI::GetHeader() const { return m_headerLifetime.expired() ? nullptr : m_pHeader; }
CListBodyUI* CListUI::GetList() const { return m_bodyLifetime.expired() ? nullptr : m_pList; }
tagTListInfoUI* CListUI::GetListInfo() { return &m_ListInfo; }
IListCallbackUI* CListUI::GetTextCallback() const { return m_pCallback; }
void CListUI::SetTextCallback(IListCallbackUI* callback) { m_pCallback = callback; }
int CListUI::GetCurSel() const { return m_iCurSel; }
int CListUI::GetExpandedItem() const { return m_iExpandedItem; }
void CListUI::SetMultiExpanding(bool multiExpanding) { m_ListInfo.bMultiExpandable = multiExpanding; }
bool CListUI::GetScrollSelect() const { return m_bScrollSelect; }
void CListUI::SetScrollSelect(bool scrollSelect) { m_bScrollSelect = scrollSelect; }

// ---- children ----

IListItemUI* CListUI::ListItemAt(int index) const { return AsListItem(m_pList->GetItemAt(index)); }

void CListUI::Renumber(int from, int to) const
{
    for (int i = std::max(from, 0); i <= to && i < m_pList->GetCount(); ++i) {
        if (IListItemUI* item = ListItemAt(i))
            item->SetIndex(i);
    }
}

void CListUI::Release(CUIControl* control) const
{
    IListItemUI* item = AsListItem(control);
    if (item == nullptr)
        return;
    item->SetOwner(nullptr);
    item->SetIndex(-1);
    item->Select(false);
}

CUIControl* CListUI::GetItemAt(int index) const { return m_pList->GetItemAt(index); }

int CListUI::GetCount() const { return m_pList->GetCount(); }

int CListUI::GetItemIndex(CUIControl* control) const
{
    if (control == nullptr)
        return -1;
    switch (KindOf(control)) {
    case Kind::Header: return CUIControl::GetItemIndex(control);
    case Kind::HeaderItem: return m_pHeader->GetItemIndex(control);
    case Kind::Item: break;
    }
    return m_pList->GetItemIndex(control);
}

bool CListUI::SetItemIndex(CUIControl* control, int index)
{
    if (control == nullptr)
        return false;
    switch (KindOf(control)) {
    case Kind::Header: return CUIControl::SetItemIndex(control, index);
    case Kind::HeaderItem: return m_pHeader->SetItemIndex(control, index);
    case Kind::Item: break;
    }
    const int old = m_pList->GetItemIndex(control);
    if (old < 0 || index < 0 || index >= GetCount())
        return false;
    if (old == index)
        return true;
    IListItemUI* selected = m_iCurSel >= 0 ? ListItemAt(m_iCurSel) : nullptr;
    IListItemUI* expanded = m_iExpandedItem >= 0 ? ListItemAt(m_iExpandedItem) : nullptr;
    if (!m_pList->SetItemIndex(control, index))
        return false;
    Renumber(std::min(old, index), std::max(old, index));
    if (m_iCurSel >= 0 && selected)
        m_iCurSel = selected->GetIndex();
    if (m_iExpandedItem >= 0 && expanded)
        m_iExpandedItem = expanded->GetIndex();
    return true;
}

bool CListUI::AddHeader(CUIControl* header)
{
    if (header != m_pHeader && m_pHeader->GetCount() == 0) {
        CUIControl::Remove(m_pHeader);
        m_pHeader = static_cast<CListHeaderUI*>(header->GetInterface(L"ListHeader"));
        m_headerLifetime = m_pHeader->GetLifetime();
    }
    CountColumns(*m_pHeader, m_ListInfo);
    // A header already among the list's own children is not linked twice.
    if (CUIControl::GetItemIndex(header) >= 0)
        return true;
    return CUIControl::AddAt(header, 0);
}

bool CListUI::Add(CUIControl* control)
{
    if (control == nullptr)
        return false;
    switch (KindOf(control)) {
    case Kind::Header: return AddHeader(control);
    case Kind::HeaderItem: {
        const bool added = m_pHeader->Add(control);
        CountColumns(*m_pHeader, m_ListInfo);
        return added;
    }
    case Kind::Item: break;
    }
    if (IListItemUI* item = AsListItem(control)) {
        item->SetOwner(this);
        item->SetIndex(GetCount());
    }
    return m_pList->Add(control);
}

bool CListUI::AddAt(CUIControl* control, int index)
{
    if (control == nullptr)
        return false;
    switch (KindOf(control)) {
    case Kind::Header: return AddHeader(control);
    case Kind::HeaderItem: {
        const bool added = m_pHeader->AddAt(control, index);
        CountColumns(*m_pHeader, m_ListInfo);
        return added;
    }
    case Kind::Item: break;
    }
    if (!m_pList->AddAt(control, index))
        return false;
    if (IListItemUI* item = AsListItem(control)) {
        item->SetOwner(this);
        item->SetIndex(index);
    }
    Renumber(index + 1, GetCount() - 1);
    if (m_iCurSel >= index)
        ++m_iCurSel;
    if (m_iExpandedItem >= index)
        ++m_iExpandedItem;
    return true;
}

bool CListUI::Remove(CUIControl* control)
{
    if (control == nullptr)
        return false;
    switch (KindOf(control)) {
    case Kind::Header: return CUIControl::Remove(control);
    case Kind::HeaderItem: {
        const bool removed = m_pHeader->Remove(control);
        CountColumns(*m_pHeader, m_ListInfo);
        return removed;
    }
    case Kind::Item: break;
    }
    const int index = m_pList->GetItemIndex(control);
    return index >= 0 && RemoveAt(index);
}

bool CListUI::RemoveAt(int index)
{
    CUIControl* removed = m_pList->GetItemAt(index);
    if (!m_pList->RemoveAt(index))
        return false;
    Release(removed);
    Renumber(index, GetCount() - 1);
    if (index == m_iCurSel && m_iCurSel != -1) {
        m_iCurSel = -1;
        SelectItem(FindSelectable(index, false), false);
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    if (index == m_iExpandedItem)
        m_iExpandedItem = -1;
    else if (index < m_iExpandedItem)
        --m_iExpandedItem;
    return true;
}

void CListUI::RemoveAll()
{
    m_iCurSel = -1;
    m_iExpandedItem = -1;
    for (int i = 0; i < m_pList->GetCount(); ++i)
        Release(m_pList->GetItemAt(i));
    m_pList->RemoveAll();
}

// ---- selection and expansion ----

bool CListUI::SelectItem(int index, bool notify)
{
    if (index == m_iCurSel)
        return true;
    const int old = m_iCurSel;
    if (old >= 0) {
        if (IListItemUI* previous = ListItemAt(old))
            previous->Select(false);
        m_iCurSel = -1;
    }
    if (index < 0)
        return false;
    IListItemUI* item = ListItemAt(index);
    if (item == nullptr)
        return false;
    m_iCurSel = index;
    if (!item->Select(true)) {
        m_iCurSel = -1;
        return false;
    }
    EnsureVisible(index);
    if (m_pWindow && notify)
        m_pWindow->SendNotify(this, NOTIFY_ITEM_SELECT, static_cast<unsigned long>(index),
                              static_cast<unsigned long>(old), false);
    return true;
}

bool CListUI::ExpandItem(int index, bool expand)
{
    if (m_iExpandedItem >= 0 && !m_ListInfo.bMultiExpandable) {
        if (IListItemUI* expanded = ListItemAt(m_iExpandedItem))
            expanded->Expand(false);
        m_iExpandedItem = -1;
    }
    if (expand) {
        CUIControl* control = m_pList->GetItemAt(index);
        IListItemUI* item = control && control->IsVisible() ? AsListItem(control) : nullptr;
        if (item == nullptr)
            return false;
        m_iExpandedItem = index;
        if (!item->Expand(true)) {
            m_iExpandedItem = -1;
            return false;
        }
    }
    NeedUpdate();
    return true;
}

// ---- layout and scrolling ----

void CListUI::SetPos(const CUIRect& rc, bool needInvalidate)
{
    CUIVerticalLayout::SetPos(rc, needInvalidate);
    CountColumns(*m_pHeader, m_ListInfo);
    // The column skipped a hidden header; its items still need their places across.
    if (!m_pHeader->IsVisible())
        m_pHeader->SetPos(CUIRect(rc.left, 0, rc.right, 0), needInvalidate);
    const int dx = ClampToInt(m_pList->GetScrollPos().cx);
    PlaceColumns(*m_pHeader, m_ListInfo, dx > 0 ? dx : 0);
    EnsureVisible(m_iCurSel);
}

void CListUI::EnsureVisible(int index)
{
    if (m_iCurSel == -1 || m_pList->GetOwnWindow() == nullptr)
        return;
    const CUIControl* control = m_pList->GetItemAt(index);
    if (control == nullptr)
        return;
    const CUIRect item = control->GetPos();
    const CUIRect view = ContentArea(*m_pList);
    if (item.top >= view.top && item.bottom <= view.bottom)
        return;
    int64_t dy = 0;
    if (item.top < view.top)
        dy = item.top - view.top;
    if (item.bottom > view.bottom)
        dy = item.bottom - view.bottom;
    Scroll(0, ClampToInt(dy));
}

void CListUI::Scroll(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    const tagSIZE pos = m_pList->GetScrollPos();
    m_pList->SetScrollPos({pos.cx + dx, pos.cy + dy});
}

bool CListUI::SortItems(int (*compare)(void*, void*, void*), void* data) { return m_pList->SortItems(compare, data); }

int CListUI::GetChildPadding() const { return m_pList->GetChildPadding(); }
void CListUI::SetChildPadding(int padding) { m_pList->SetChildPadding(padding); }
tagSIZE CListUI::GetScrollPos() const { return m_pList->GetScrollPos(); }
tagSIZE CListUI::GetScrollRange() const { return m_pList->GetScrollRange(); }
void CListUI::SetScrollPos(tagSIZE pos) { m_pList->SetScrollPos(pos); }
void CListUI::LineUp() { m_pList->LineUp(); }
void CListUI::LineDown() { m_pList->LineDown(); }
void CListUI::PageUp() { m_pList->PageUp(); }
void CListUI::PageDown() { m_pList->PageDown(); }
void CListUI::HomeUp() { m_pList->HomeUp(); }
void CListUI::EndDown() { m_pList->EndDown(); }
void CListUI::LineLeft() { m_pList->LineLeft(); }
void CListUI::LineRight() { m_pList->LineRight(); }
void CListUI::PageLeft() { m_pList->PageLeft(); }
void CListUI::PageRight() { m_pList->PageRight(); }
void CListUI::HomeLeft() { m_pList->HomeLeft(); }
void CListUI::EndRight() { m_pList->EndRight(); }
void CListUI::EnableScrollBar(bool vertical, bool horizontal) { m_pList->EnableScrollBar(vertical, horizontal); }
CUIScrollBar* CListUI::GetVerticalScrollBar() const { return m_pList->GetVerticalScrollBar(); }
CUIScrollBar* CListUI::GetHorizontalScrollBar() const { return m_pList->GetHorizontalScrollBar(); }

// ---- input ----

void CListUI::SelectNext()
{
    // Past the last selectable item the selection stays where it is.
    const int next = FindSelectable(m_iCurSel + 1, true);
    if (next >= 0)
        SelectItem(next, true);
}

void CListUI::DoEvent(TEventUI& event)
{
    if (!IsMouseEnabled() && IsPointerEvent(event)) {
        if (m_pParent)
            m_pParent->Event(event);
        else
            CUIVerticalLayout::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case EVENT_SETFOCUS:
    case EVENT_KILLFOCUS:
        m_bFocused = event.Type == EVENT_SETFOCUS;
        return;
    case EVENT_KEYDOWN:
        switch (event.chKey) {
        case kKeyReturn:
            if (m_iCurSel != -1) {
                if (CUIControl* selected = m_pList->GetItemAt(m_iCurSel))
                    selected->Activate();
            }
            return;
        case kKeyPageUp: PageUp(); return;
        case kKeyPageDown: PageDown(); return;
        case kKeyEnd: SelectItem(FindSelectable(GetCount() - 1, true), true); return;
        case kKeyHome: SelectItem(FindSelectable(0, false), true); return;
        case kKeyUp: SelectItem(FindSelectable(m_iCurSel - 1, false), true); return;
        case kKeyDown: SelectNext(); return;
        default: break;
        }
        break;
    case EVENT_SCROLLWHEEL: {
        const uint64_t direction = WheelDirection(event);
        if (direction == kWheelUp && m_bScrollSelect)
            SelectItem(FindSelectable(m_iCurSel - 1, false), true);
        else if (direction == kWheelUp)
            LineUp();
        else if (direction == kWheelDown && m_bScrollSelect)
            SelectNext();
        else if (direction == kWheelDown)
            LineDown();
        else
            break;
        return;
    }
    default:
        break;
    }
    CUIVerticalLayout::DoEvent(event);
}

// ---- item settings ----

void CListUI::SetItemFont(const CUIString& font)
{
    m_ListInfo.sFont = font;
    NeedUpdate();
}

void CListUI::SetItemTextStyle(UINT style)
{
    m_ListInfo.uTextStyle = style;
    NeedUpdate();
}

void CListUI::SetItemTextPadding(tagRECT padding)
{
    m_ListInfo.rcTextPadding = padding;
    NeedUpdate();
}

CUIRect CListUI::GetItemTextPadding() const { return m_ListInfo.rcTextPadding; }

void CListUI::SetItemShowHtml(bool showHtml)
{
    if (m_ListInfo.bShowHtml == showHtml)
        return;
    m_ListInfo.bShowHtml = showHtml;
    NeedUpdate();
}

bool CListUI::IsItemShowHtml() const { return m_ListInfo.bShowHtml; }

void CListUI::SetItemTextColor(unsigned long colour) { StoreAndRepaint(*this, m_ListInfo.dwTextColor, colour); }
unsigned long CListUI::GetItemTextColor() const { return m_ListInfo.dwTextColor; }
void CListUI::SetItemBkColor(unsigned long colour) { StoreAndRepaint(*this, m_ListInfo.dwBkColor, colour); }
unsigned long CListUI::GetItemBkColor() const { return m_ListInfo.dwBkColor; }
void CListUI::SetItemBkImage(const CUIString& image) { StoreAndRepaint(*this, m_ListInfo.sBkImage, image); }
CUIString CListUI::GetItemBkImage() const { return m_ListInfo.sBkImage; }
void CListUI::SetAlternateBk(bool alternate) { StoreAndRepaint(*this, m_ListInfo.bAlternateBk, alternate); }
bool CListUI::IsAlternateBk() const { return m_ListInfo.bAlternateBk; }

void CListUI::SetSelectedItemTextColor(unsigned long colour)
{
    StoreAndRepaint(*this, m_ListInfo.dwSelectedTextColor, colour);
}

unsigned long CListUI::GetSelectedItemTextColor() const { return m_ListInfo.dwSelectedTextColor; }

void CListUI::SetSelectedItemBkColor(unsigned long colour)
{
    StoreAndRepaint(*this, m_ListInfo.dwSelectedBkColor, colour);
}

unsigned long CListUI::GetSelectedItemBkColor() const { return m_ListInfo.dwSelectedBkColor; }

void CListUI::SetSelectedItemImage(const CUIString& image)
{
    StoreAndRepaint(*this, m_ListInfo.sSelectedImage, image);
}

CUIString CListUI::GetSelectedItemImage() const { return m_ListInfo.sSelectedImage; }
void CListUI::SetHotItemTextColor(unsigned long colour) { StoreAndRepaint(*this, m_ListInfo.dwHotTextColor, colour); }
unsigned long CListUI::GetHotItemTextColor() const { return m_ListInfo.dwHotTextColor; }
void CListUI::SetHotItemBkColor(unsigned long colour) { StoreAndRepaint(*this, m_ListInfo.dwHotBkColor, colour); }
unsigned long CListUI::GetHotItemBkColor() const { return m_ListInfo.dwHotBkColor; }
void CListUI::SetHotItemImage(const CUIString& image) { StoreAndRepaint(*this, m_ListInfo.sHotImage, image); }
CUIString CListUI::GetHotItemImage() const { return m_ListInfo.sHotImage; }

void CListUI::SetDisabledItemTextColor(unsigned long colour)
{
    StoreAndRepaint(*this, m_ListInfo.dwDisabledTextColor, colour);
}

unsigned long CListUI::GetDisabledItemTextColor() const { return m_ListInfo.dwDisabledTextColor; }

void CListUI::SetDisabledItemBkColor(unsigned long colour)
{
    StoreAndRepaint(*this, m_ListInfo.dwDisabledBkColor, colour);
}

unsigned long CListUI::GetDisabledItemBkColor() const { return m_ListInfo.dwDisabledBkColor; }

void CListUI::SetDisabledItemImage(const CUIString& image)
{
    StoreAndRepaint(*this, m_ListInfo.sDisabledImage, image);
}

CUIString CListUI::GetDisabledItemImage() const { return m_ListInfo.sDisabledImage; }
void CListUI::SetItemLineColor(unsigned long colour) { StoreAndRepaint(*this, m_ListInfo.dwLineColor, colour); }
unsigned long CListUI::GetItemLineColor() const { return m_ListInfo.dwLineColor; }

// ---- markup ----

void CListUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    // The list's own settings, and "resetscrollpos", which the column and the list share.
    static const AttributeTable<CListUI> kListSettings = {
        {L"header", [](CListUI& l, const wchar_t* v) { l.m_pHeader->SetVisible(std::wcscmp(v, L"hidden") != 0); }},
        {L"headerbkimage", [](CListUI& l, const wchar_t* v) { l.m_pHeader->SetBkImage(v); }},
        {L"scrollselect", [](CListUI& l, const wchar_t* v) { l.SetScrollSelect(ReadBool(v)); }},
        {L"resetscrollpos",
         [](CListUI& l, const wchar_t* v) {
             l.m_pList->SetAttribute(L"resetscrollpos", v);
             l.CUIVerticalLayout::SetAttribute(L"resetscrollpos", v);
         }},
        {L"multiexpanding", [](CListUI& l, const wchar_t* v) { l.SetMultiExpanding(ReadBool(v)); }},
        {L"itemfont",
         [](CListUI& l, const wchar_t* v) {
             l.m_ListInfo.sFont = v;
             ReportUnknownFont(l, v, false);
         }},
        {L"itemfonts",
         [](CListUI& l, const wchar_t* v) {
             l.m_ListInfo.sFonts = v;
             ReportUnknownFont(l, v, true);
         }},
        {L"itemalign",
         [](CListUI& l, const wchar_t* v) { l.m_ListInfo.uTextStyle = ReadAlignWords(v, l.m_ListInfo.uTextStyle, false); }},
        {L"itemendellipsis",
         [](CListUI& l, const wchar_t* v) {
             if (ReadBool(v))
                 l.m_ListInfo.uTextStyle |= TEXTSTYLE_END_ELLIPSIS;
             else
                 l.m_ListInfo.uTextStyle &= ~TEXTSTYLE_END_ELLIPSIS;
         }},
    };
    static const AttributeTable<CListUI> kItemSettings = {
        {L"itemtextpadding",
         [](CListUI& l, const wchar_t* v) {
             CUIRect padding;
             if (ParseRectString(v, padding))
                 l.SetItemTextPadding(padding);
             else
                 UI_ERROR("%sitemtextpadding \"%S\" is no rectangle ", MarkupWhere().c_str(), v);
         }},
        {L"itemtextcolor", [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetItemTextColor(c); }); }},
        {L"itembkcolor", [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetItemBkColor(c); }); }},
        {L"itembkimage", [](CListUI& l, const wchar_t* v) { l.SetItemBkImage(v); }},
        {L"itemaltbk", [](CListUI& l, const wchar_t* v) { l.SetAlternateBk(ReadBool(v)); }},
        {L"itemselectedtextcolor",
         [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetSelectedItemTextColor(c); }); }},
        {L"itemselectedbkcolor",
         [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetSelectedItemBkColor(c); }); }},
        {L"itemselectedimage", [](CListUI& l, const wchar_t* v) { l.SetSelectedItemImage(v); }},
        {L"itemhottextcolor",
         [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetHotItemTextColor(c); }); }},
        {L"itemhotbkcolor",
         [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetHotItemBkColor(c); }); }},
        {L"itemhotimage", [](CListUI& l, const wchar_t* v) { l.SetHotItemImage(v); }},
        {L"itemdisabledtextcolor",
         [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetDisabledItemTextColor(c); }); }},
        {L"itemdisabledbkcolor",
         [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetDisabledItemBkColor(c); }); }},
        {L"itemdisabledimage", [](CListUI& l, const wchar_t* v) { l.SetDisabledItemImage(v); }},
        {L"itemlinecolor",
         [](CListUI& l, const wchar_t* v) { ApplyColour(v, [&l](unsigned long c) { l.SetItemLineColor(c); }); }},
        {L"itemshowhtml", [](CListUI& l, const wchar_t* v) { l.SetItemShowHtml(ReadBool(v)); }},
        // What a value holds of the pair is taken as it stands; the rest keeps its value.
        {L"itemsize", [](CListUI& l, const wchar_t* v) { ParseSizeString(v, l.m_ListInfo.szItem); }},
    };
    if (!ApplyAttribute(kListSettings, *this, name, value) && !ApplyAttribute(kItemSettings, *this, name, value))
        CUIVerticalLayout::SetAttribute(name, value);
}

// ---- the body ----

CListBodyUI::CListBodyUI(CListUI* owner) : m_pOwner(owner), m_pCompareFunc(nullptr), m_pCompareData(nullptr)
{
    assert(m_pOwner);
}

CListBodyUI::~CListBodyUI() {}

void CListBodyUI::DoEvent(TEventUI& event) { m_pOwner->Event(event); }

void CListBodyUI::SetScrollPos(tagSIZE pos)
{
    // Only the bars that show scroll.
    int dx = 0;
    int dy = 0;
    if (m_pVerticalScrollBar->IsVisible()) {
        const int old = m_pVerticalScrollBar->GetScrollPos();
        m_pVerticalScrollBar->SetScrollPos(ClampToInt(pos.cy));
        dy = m_pVerticalScrollBar->GetScrollPos() - old;
    }
    if (m_pHorizontalScrollBar->IsVisible()) {
        const int old = m_pHorizontalScrollBar->GetScrollPos();
        m_pHorizontalScrollBar->SetScrollPos(ClampToInt(pos.cx));
        dx = m_pHorizontalScrollBar->GetScrollPos() - old;
    }
    if (dx == 0 && dy == 0)
        return;
    ScrollPage(dx, dy);
    if (dx == 0)
        return;
    CListHeaderUI* header = m_pOwner->GetHeader();
    if (header == nullptr)
        return;
    tagTListInfoUI& info = *m_pOwner->GetListInfo();
    CountColumns(*header, info);
    PlaceColumns(*header, info, dx);
}

void CListBodyUI::SetPos(const CUIRect& rc, bool needInvalidate)
{
    UpdatePos(rc, needInvalidate);
    CUIScrollBar* vertical = m_pVerticalScrollBar.get();
    CUIScrollBar* horizontal = m_pHorizontalScrollBar.get();
    CUIRect inner = ContentArea(*this);

    const int64_t innerWidth = inner.right - inner.left;
    const int64_t innerHeight = inner.bottom - inner.top;
    const int64_t availableWidth = innerWidth + (horizontal->IsVisible() ? horizontal->GetScrollRange() : 0);
    const int64_t gap = GetChildPadding();

    int64_t fixedTotal = 0;
    int64_t stretchables = 0;
    int64_t flowing = 0;
    int64_t neededWidth = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        if (!IsFlowing(child))
            continue;
        const tagSIZE size = child->EstimateSize({availableWidth, innerHeight});
        int64_t height = size.cy;
        if (height == 0)
            ++stretchables;
        else
            height = ClampedHeight(*child, height);
        const CUIRect pad = child->GetPadding();
        fixedTotal += height + pad.top + pad.bottom;
        neededWidth = std::max(neededWidth, ClampedWidth(*child, std::max<int64_t>(0, size.cx)));
        ++flowing;
    }
    fixedTotal += (flowing - 1) * gap;

    // With columns, the items are as wide as the header.
    CListHeaderUI* header = m_pOwner->GetHeader();
    if (header && header->GetCount() > 0)
        neededWidth = std::max<int64_t>(0, header->EstimateSize({innerWidth, innerHeight}).cx);

    const int64_t share = stretchables > 0 ? std::max<int64_t>(0, (innerHeight - fixedTotal) / stretchables) : 0;
    // Unlike the layouts, the body counts only a bar that shows: its SetScrollPos leaves a
    // hidden bar alone, so the items were never moved by what such a bar holds.
    int64_t y = inner.top - (vertical->IsVisible() ? ScrollOffset(vertical) : 0);
    const int64_t x = inner.left - (horizontal->IsVisible() ? ScrollOffset(horizontal) : 0);
    int64_t remaining = innerHeight;
    int64_t fixedLeft = fixedTotal;
    int64_t stretched = 0;
    int64_t neededHeight = 0;
    PlaceChildren(*this, m_items, [&](CUIControl* child, int) {
        const CUIRect pad = child->GetPadding();
        remaining -= pad.top;
        int64_t height = child->EstimateSize({availableWidth, remaining}).cy;
        if (height == 0) {
            ++stretched;
            height = stretched == stretchables ? std::max<int64_t>(0, remaining - pad.bottom - fixedLeft) : share;
            height = ClampedHeight(*child, height);
        } else {
            height = ClampedHeight(*child, height);
            fixedLeft -= height;
        }
        const int64_t width = ClampedWidth(*child, std::max(neededWidth, availableWidth - pad.left - pad.right));
        CUIRect place;
        place.left = x + pad.left;
        place.top = y + pad.top;
        place.right = place.left + width;
        // The bottom padding lies inside the item's rectangle.
        place.bottom = place.top + height + pad.bottom;
        child->SetPos(place, true);
        y += height + gap + pad.top + pad.bottom;
        neededHeight += height + pad.top + pad.bottom;
        remaining -= height + gap + pad.bottom;
    });
    neededHeight += (flowing - 1) * gap;

    // A bar that shows by its range is shown or hidden here, so that the inner area the
    // bars are placed by leaves room for it.
    if (horizontal->IsEnabled() && horizontal->IsShowScroll()) {
        if (innerWidth < neededWidth) {
            const int range = ClampToInt(neededWidth - innerWidth);
            if (horizontal->IsVisible()) {
                horizontal->SetScrollRange(range);
            } else {
                horizontal->SetVisible(true);
                horizontal->SetScrollRange(range);
                horizontal->SetScrollPos(0);
                inner.bottom -= horizontal->GetFixedHeight();
            }
        } else if (horizontal->IsVisible()) {
            horizontal->SetVisible(false);
            horizontal->SetScrollRange(0);
            horizontal->SetScrollPos(0);
            inner.bottom += horizontal->GetFixedHeight();
        }
    }
    ProcessScrollBar(inner, ClampToInt(neededWidth), ClampToInt(neededHeight));
}

int CListBodyUI::ItemComareFunc(const void* item1, const void* item2, void* body)
{
    if (item1 == nullptr || item2 == nullptr || body == nullptr)
        return 0;
    return static_cast<CListBodyUI*>(body)->ItemComareFunc(item1, item2);
}

int CListBodyUI::ItemComareFunc(const void* item1, const void* item2)
{
    if (m_pCompareFunc == nullptr)
        return 0;
    void* first = *static_cast<void* const*>(item1);
    void* second = *static_cast<void* const*>(item2);
    return m_pCompareFunc(first, second, m_pCompareData);
}

bool CListBodyUI::SortItems(int (*compare)(void*, void*, void*), void* data)
{
    if (compare == nullptr)
        return false;
    m_pCompareFunc = compare;
    m_pCompareData = data;
    // Sorted in a copy, so that the children stay whole whatever compare answers.
    std::vector<void*> order(m_items.GetData(), m_items.GetData() + m_items.GetSize());
    MergeSort(order, [this](void* const& a, void* const& b) { return ItemComareFunc(&a, &b, this) < 0; });
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        m_items.SetAt(i, order[i]);
        if (IListItemUI* item = AsListItem(static_cast<CUIControl*>(order[i]))) {
            item->SetIndex(i);
            item->Select(false);
        }
    }
    m_pOwner->SelectItem(-1, false);
    if (m_pWindow) {
        SetPos(GetPos(), true);
        Invalidate();
    }
    return true;
}

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
    const std::weak_ptr<const void> alive = GetLifetime();
    if (m_pWindow)
        m_pWindow->SendNotify(this, NOTIFY_HEADER_CLICK, 0, 0, false);
    if (!alive.expired())
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

// ---- the item on a plain control ----

CListElementUI::CListElementUI() : m_iItemIndex(-1), m_bSelected(false), m_uButtonState(0), m_pOwner(nullptr) {}

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

bool CListElementUI::Activate()
{
    if (!CUIControl::Activate())
        return false;
    NotifyFromItem(*this, NOTIFY_ITEM_ACTIVATE, 0);
    return true;
}

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
    if (m_pOwner)
        m_pOwner->DoEvent(event);
    else
        CUIControl::DoEvent(event);
}

void CListElementUI::DrawItemBk(CUIRender* render, const CUIRect&)
{
    if (m_pOwner == nullptr)
        return;
    tagTListInfoUI& info = *m_pOwner->GetListInfo();
    const auto drawOrForget = [this, render](CUIString& image) { return DrawImageOrForget(render, image, nullptr); };
    PaintItemBackground(render, m_rcItem, LookOf(*this, info, m_uButtonState, m_bSelected, m_iItemIndex), info,
                        m_sBkImage, drawOrForget);
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
        if (m_pOwner)
            m_pOwner->DoEvent(event);
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
    if (m_pOwner == nullptr)
        return {0, 0};
    tagTListInfoUI* info = m_pOwner->GetListInfo();
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
    if (m_sText.IsEmpty() || m_pOwner == nullptr)
        return;
    tagTListInfoUI* info = m_pOwner->GetListInfo();
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

CListTextElementUI::CListTextElementUI() : m_nLinks(0), m_nHoverLink(-1), m_pOwnerList(nullptr) {}

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
    m_pOwnerList = owner ? static_cast<IListUI*>(owner->GetInterface(L"IList")) : nullptr;
}

const wchar_t* CListTextElementUI::GetText(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_aTexts.size()) || m_aTexts[column] == nullptr)
        return nullptr;
    return m_aTexts[column]->GetData();
}

void CListTextElementUI::SetText(int column, const wchar_t* text)
{
    if (m_pOwner == nullptr || column < 0)
        return;
    const int columns = m_pOwner->GetListInfo()->nColumns;
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
    if (m_pOwner == nullptr)
        return;
    tagTListInfoUI* info = m_pOwner->GetListInfo();
    const unsigned long colour = TextColourOf(LookOf(*this, *info, m_uButtonState, m_bSelected, m_iItemIndex), *info);
    IListCallbackUI* callback = m_pOwnerList ? m_pOwnerList->GetTextCallback() : nullptr;
    for (int i = 0; i < info->nColumns; ++i) {
        const CUIString text(callback ? OrEmpty(callback->QueryItemText(this, m_iItemIndex, i)) : OrEmpty(GetText(i)));
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
    : m_iItemIndex(-1), m_bSelected(false), m_uButtonState(0), m_pOwner(nullptr)
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

bool CListContainerElementUI::Activate()
{
    if (!CUIContainer::Activate())
        return false;
    NotifyFromItem(*this, NOTIFY_ITEM_ACTIVATE, 0);
    return true;
}

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
        if (m_pOwner)
            m_pOwner->DoEvent(event);
        else
            CUIContainer::DoEvent(event);
        return;
    }
    if (HandleItemPointer(*this, *this, m_uButtonState, event, 0) || HandleItemActivation(*this, event))
        return;
    if (m_pOwner)
        m_pOwner->DoEvent(event);
    else
        CUIControl::DoEvent(event);
}

void CListContainerElementUI::DrawItemBk(CUIRender* render, const CUIRect&)
{
    if (m_pOwner == nullptr)
        return;
    tagTListInfoUI& info = *m_pOwner->GetListInfo();
    const auto drawOrForget = [this, render](CUIString& image) { return DrawImageOrForget(render, image, nullptr); };
    PaintItemBackground(render, m_rcItem, LookOf(*this, info, m_uButtonState, m_bSelected, m_iItemIndex), info,
                        m_sBkImage, drawOrForget);
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
