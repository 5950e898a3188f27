// The list with its record of columns and item settings, and its body.

#include "UIList.h"

#include <algorithm>
#include <cassert>
#include <cwchar>

#include "ContentArea.h"
#include "EventCodes.h"
#include "ListItems.h"
#include "MarkupText.h"
#include "Scaling.h"
#include "SizeLimits.h"
#include "TreeShape.h"
#include "UIListHeader.h"
#include "UIListItem.h"
#include "UIRender.h"
#include "UIScrollBar.h"
#include "UIWindow.h"

namespace {

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

// The column count of the record: the header's items, at most the rectangles it has; none
// without a header.
void CountColumns(const CListHeaderUI* header, tagTListInfoUI& info)
{
    info.nColumns = header ? std::min(header->GetCount(), UILIST_MAX_COLUMNS) : 0;
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

}  // namespace

// ---- the list ----

CListUI::CListUI()
    : m_bScrollSelect(false),
      m_iCurSel(-1),
      m_iExpandedItem(-1),
      m_pCallback(nullptr),
      m_pList(new CListBodyUI(this)),
      m_pHeader(new CListHeaderUI)
{
    Add(m_pHeader.Get());
    CUIControl::Add(m_pList.Get());
}

CListUI::~CListUI()
{
    // The items stay, without their list, and the body that stays answers to no list.
    CListBodyUI* body = m_pList;
    if (body == nullptr)
        return;
    for (int i = 0; i < body->GetCount(); ++i)
        Release(body->GetItemAt(i));
    body->m_pOwner = nullptr;
}

void CListUI::LoseBody(CListBodyUI& body)
{
    if (!m_pList.Is(&body))
        return;
    for (int i = 0; i < body.GetCount(); ++i)
        Release(body.GetItemAt(i));
    m_pList = nullptr;
    m_iCurSel = -1;
    m_iExpandedItem = -1;
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

CListHeaderUI* CListUI::GetHeader() const { return m_pHeader; }
CListBodyUI* CListUI::GetList() const { return m_pList; }
tagTListInfoUI* CListUI::GetListInfo() { return &m_ListInfo; }
IListCallbackUI* CListUI::GetTextCallback() const { return m_pCallback; }
void CListUI::SetTextCallback(IListCallbackUI* callback) { m_pCallback = callback; }
int CListUI::GetCurSel() const { return m_iCurSel; }
int CListUI::GetExpandedItem() const { return m_iExpandedItem; }
void CListUI::SetMultiExpanding(bool multiExpanding) { m_ListInfo.bMultiExpandable = multiExpanding; }
bool CListUI::GetScrollSelect() const { return m_bScrollSelect; }
void CListUI::SetScrollSelect(bool scrollSelect) { m_bScrollSelect = scrollSelect; }

// ---- children ----

IListItemUI* CListUI::ListItemAt(int index) const { return AsListItem(GetItemAt(index)); }

void CListUI::Renumber(int from, int to) const
{
    const CListBodyUI* body = m_pList;
    if (body == nullptr)
        return;
    for (int i = std::max(from, 0); i <= to && i < body->GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(body->GetItemAt(i)))
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

CUIControl* CListUI::GetItemAt(int index) const
{
    const CListBodyUI* body = m_pList;
    return body ? body->GetItemAt(index) : nullptr;
}

int CListUI::GetCount() const
{
    const CListBodyUI* body = m_pList;
    return body ? body->GetCount() : 0;
}

int CListUI::GetItemIndex(CUIControl* control) const
{
    if (control == nullptr)
        return -1;
    const CListHeaderUI* header = m_pHeader;
    const CListBodyUI* body = m_pList;
    switch (KindOf(control)) {
    case Kind::Header: return CUIControl::GetItemIndex(control);
    case Kind::HeaderItem: return header ? header->GetItemIndex(control) : -1;
    case Kind::Item: break;
    }
    return body ? body->GetItemIndex(control) : -1;
}

bool CListUI::SetItemIndex(CUIControl* control, int index)
{
    if (control == nullptr)
        return false;
    CListHeaderUI* header = m_pHeader;
    CListBodyUI* body = m_pList;
    switch (KindOf(control)) {
    case Kind::Header: return CUIControl::SetItemIndex(control, index);
    case Kind::HeaderItem: return header && header->SetItemIndex(control, index);
    case Kind::Item: break;
    }
    const int old = body ? body->GetItemIndex(control) : -1;
    if (old < 0 || index < 0 || index >= body->GetCount())
        return false;
    if (old == index)
        return true;
    IListItemUI* selected = m_iCurSel >= 0 ? ListItemAt(m_iCurSel) : nullptr;
    IListItemUI* expanded = m_iExpandedItem >= 0 ? ListItemAt(m_iExpandedItem) : nullptr;
    if (!body->SetItemIndex(control, index))
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
    // A header that the list would refuse to link does not become its header either.
    const bool linked = CUIControl::GetItemIndex(header) >= 0;
    if (!linked && !TreeShape::MayList(*this, *header))
        return false;
    // A list whose header was deleted takes the next one as well.
    CListHeaderUI* present = m_pHeader;
    if (header != present && (present == nullptr || present->GetCount() == 0)) {
        if (present)
            CUIControl::Remove(present);
        present = static_cast<CListHeaderUI*>(header->GetInterface(L"ListHeader"));
        m_pHeader = present;
    }
    CountColumns(present, m_ListInfo);
    // A header already among the list's own children is not linked twice.
    if (linked)
        return true;
    return CUIControl::AddAt(header, 0);
}

bool CListUI::Add(CUIControl* control)
{
    if (control == nullptr)
        return false;
    CListHeaderUI* header = m_pHeader;
    CListBodyUI* body = m_pList;
    switch (KindOf(control)) {
    case Kind::Header: return AddHeader(control);
    case Kind::HeaderItem: {
        const bool added = header && header->Add(control);
        // Read again: an init handler of the column may have deleted the header.
        CountColumns(m_pHeader, m_ListInfo);
        return added;
    }
    case Kind::Item: break;
    }
    // An item that the body would refuse, or that no body is there to take, keeps the owner
    // and index it has.
    if (body == nullptr || !TreeShape::MayList(*body, *control))
        return false;
    if (IListItemUI* item = AsListItem(control)) {
        item->SetOwner(this);
        item->SetIndex(body->GetCount());
    }
    return body->Add(control);
}

bool CListUI::AddAt(CUIControl* control, int index)
{
    if (control == nullptr)
        return false;
    CListHeaderUI* header = m_pHeader;
    CListBodyUI* body = m_pList;
    switch (KindOf(control)) {
    case Kind::Header: return AddHeader(control);
    case Kind::HeaderItem: {
        const bool added = header && header->AddAt(control, index);
        CountColumns(m_pHeader, m_ListInfo);
        return added;
    }
    case Kind::Item: break;
    }
    if (body == nullptr || !body->AddAt(control, index))
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
    CListHeaderUI* header = m_pHeader;
    switch (KindOf(control)) {
    case Kind::Header: return CUIControl::Remove(control);
    case Kind::HeaderItem: {
        const bool removed = header && header->Remove(control);
        CountColumns(m_pHeader, m_ListInfo);
        return removed;
    }
    case Kind::Item: break;
    }
    const CListBodyUI* body = m_pList;
    const int index = body ? body->GetItemIndex(control) : -1;
    return index >= 0 && RemoveAt(index);
}

bool CListUI::RemoveAt(int index)
{
    CListBodyUI* body = m_pList;
    if (body == nullptr)
        return false;
    CUIControl* removed = body->GetItemAt(index);
    if (!body->RemoveAt(index))
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
    CListBodyUI* body = m_pList;
    if (body == nullptr)
        return;
    for (int i = 0; i < body->GetCount(); ++i)
        Release(body->GetItemAt(i));
    body->RemoveAll();
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
        CUIControl* control = GetItemAt(index);
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
    // The size handlers of the parts below may delete the list, its header or its body.
    const CWatched<CUIControl> self(this);
    CUIVerticalLayout::SetPos(rc, needInvalidate);
    if (!self)
        return;
    // The column skipped a hidden header; its items still need their places across.
    CListHeaderUI* header = m_pHeader;
    if (header && !header->IsVisible()) {
        header->SetPos(CUIRect(rc.left, 0, rc.right, 0), needInvalidate);
        if (!self)
            return;
    }
    const CListBodyUI* body = m_pList;
    const int dx = body ? ClampToInt(body->GetScrollPos().cx) : 0;
    PlaceColumns(dx > 0 ? dx : 0);
    if (self)
        EnsureVisible(m_iCurSel);
}

void CListUI::PlaceColumns(int dx)
{
    const CWatched<CUIControl> self(this);
    CountColumns(m_pHeader, m_ListInfo);
    // The header is read again after every column placed: a column's size handler may
    // have deleted it, the column or the list.
    for (int i = 0; self; ++i) {
        const CListHeaderUI* header = m_pHeader;
        if (header == nullptr || i >= header->GetCount())
            return;
        const CWatched<CUIControl> column(header->GetItemAt(i));
        if (!column->IsVisible() || column->IsFloat())
            continue;
        if (dx != 0) {
            CUIRect pos = column->GetPos();
            pos.left -= dx;
            pos.right -= dx;
            column->SetPos(pos, true);
            if (!self || !column)
                continue;
        }
        if (i < UILIST_MAX_COLUMNS)
            m_ListInfo.rcColumn[i] = column->GetPos();
    }
}

void CListUI::EnsureVisible(int index)
{
    CListBodyUI* body = m_pList;
    if (m_iCurSel == -1 || body == nullptr || body->GetOwnWindow() == nullptr)
        return;
    const CUIControl* control = body->GetItemAt(index);
    if (control == nullptr)
        return;
    const CUIRect item = control->GetPos();
    const CUIRect view = ContentArea(*body);
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
    CListBodyUI* body = m_pList;
    if ((dx == 0 && dy == 0) || body == nullptr)
        return;
    const tagSIZE pos = body->GetScrollPos();
    body->SetScrollPos({pos.cx + dx, pos.cy + dy});
}

bool CListUI::SortItems(int (*compare)(void*, void*, void*), void* data)
{
    CListBodyUI* body = m_pList;
    return body && body->SortItems(compare, data);
}

// Without a body there is nothing to scroll: the positions and ranges are 0, and the bars
// are the list's own, which never show.
namespace {

template <typename Operation>
void ForBody(CListBodyUI* body, Operation operation)
{
    if (body)
        operation(*body);
}

}  // namespace

int CListUI::GetChildPadding() const
{
    const CListBodyUI* body = m_pList;
    return body ? body->GetChildPadding() : 0;
}

tagSIZE CListUI::GetScrollPos() const
{
    const CListBodyUI* body = m_pList;
    return body ? body->GetScrollPos() : tagSIZE{0, 0};
}

tagSIZE CListUI::GetScrollRange() const
{
    const CListBodyUI* body = m_pList;
    return body ? body->GetScrollRange() : tagSIZE{0, 0};
}

CUIScrollBar* CListUI::GetVerticalScrollBar() const
{
    const CListBodyUI* body = m_pList;
    return body ? body->GetVerticalScrollBar() : CUIVerticalLayout::GetVerticalScrollBar();
}

CUIScrollBar* CListUI::GetHorizontalScrollBar() const
{
    const CListBodyUI* body = m_pList;
    return body ? body->GetHorizontalScrollBar() : CUIVerticalLayout::GetHorizontalScrollBar();
}

void CListUI::SetChildPadding(int padding) { ForBody(m_pList, [=](CListBodyUI& b) { b.SetChildPadding(padding); }); }
void CListUI::SetScrollPos(tagSIZE pos) { ForBody(m_pList, [=](CListBodyUI& b) { b.SetScrollPos(pos); }); }
void CListUI::LineUp() { ForBody(m_pList, [](CListBodyUI& b) { b.LineUp(); }); }
void CListUI::LineDown() { ForBody(m_pList, [](CListBodyUI& b) { b.LineDown(); }); }
void CListUI::PageUp() { ForBody(m_pList, [](CListBodyUI& b) { b.PageUp(); }); }
void CListUI::PageDown() { ForBody(m_pList, [](CListBodyUI& b) { b.PageDown(); }); }
void CListUI::HomeUp() { ForBody(m_pList, [](CListBodyUI& b) { b.HomeUp(); }); }
void CListUI::EndDown() { ForBody(m_pList, [](CListBodyUI& b) { b.EndDown(); }); }
void CListUI::LineLeft() { ForBody(m_pList, [](CListBodyUI& b) { b.LineLeft(); }); }
void CListUI::LineRight() { ForBody(m_pList, [](CListBodyUI& b) { b.LineRight(); }); }
void CListUI::PageLeft() { ForBody(m_pList, [](CListBodyUI& b) { b.PageLeft(); }); }
void CListUI::PageRight() { ForBody(m_pList, [](CListBodyUI& b) { b.PageRight(); }); }
void CListUI::HomeLeft() { ForBody(m_pList, [](CListBodyUI& b) { b.HomeLeft(); }); }
void CListUI::EndRight() { ForBody(m_pList, [](CListBodyUI& b) { b.EndRight(); }); }

void CListUI::EnableScrollBar(bool vertical, bool horizontal)
{
    ForBody(m_pList, [=](CListBodyUI& b) { b.EnableScrollBar(vertical, horizontal); });
}

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
                if (CUIControl* selected = GetItemAt(m_iCurSel))
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
        {L"header",
         [](CListUI& l, const wchar_t* v) {
             if (CListHeaderUI* header = l.m_pHeader)
                 header->SetVisible(std::wcscmp(v, L"hidden") != 0);
         }},
        {L"headerbkimage",
         [](CListUI& l, const wchar_t* v) {
             if (CListHeaderUI* header = l.m_pHeader)
                 header->SetBkImage(v);
         }},
        {L"scrollselect", [](CListUI& l, const wchar_t* v) { l.SetScrollSelect(ReadBool(v)); }},
        {L"resetscrollpos",
         [](CListUI& l, const wchar_t* v) {
             if (CListBodyUI* body = l.m_pList)
                 body->SetAttribute(L"resetscrollpos", v);
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
    assert(owner);
}

CListBodyUI::~CListBodyUI()
{
    if (CListUI* owner = m_pOwner)
        owner->LoseBody(*this);
}

void CListBodyUI::DoEvent(TEventUI& event)
{
    if (CListUI* owner = m_pOwner)
        owner->Event(event);
    else
        CUIVerticalLayout::DoEvent(event);
}

void CListBodyUI::SetScrollPos(tagSIZE pos)
{
    // The items' size handlers may delete the body or its list while the page scrolls.
    const CWatched<CUIControl> self(this);
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
    if (dx == 0 || !self)
        return;
    if (CListUI* owner = m_pOwner)
        owner->PlaceColumns(dx);
}

void CListBodyUI::SetPos(const CUIRect& rc, bool needInvalidate)
{
    // The size handlers of the body and of its items may delete the body or its list.
    const CWatched<CUIControl> self(this);
    UpdatePos(rc, needInvalidate);
    if (!self)
        return;
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
    const CListUI* owner = m_pOwner;
    CListHeaderUI* header = owner ? owner->GetHeader() : nullptr;
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
    // The walk stops when a size handler deleted the body.
    PlaceChildrenFrom(*this, m_items, 0, [&](CUIControl* child, int) {
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
        return self.Get() != nullptr;
    });
    if (!self)
        return;
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
    if (CListUI* owner = m_pOwner)
        owner->SelectItem(-1, false);
    if (m_pWindow) {
        SetPos(GetPos(), true);
        Invalidate();
    }
    return true;
}
