// The tab layout: its pages, the current and the last page, switching pages and placing
// the current one.

#include "UITabLayout.h"

#include <algorithm>
#include <memory>

#include "ContentArea.h"
#include "MarkupText.h"
#include "SizeLimits.h"
#include "UIWindow.h"

CUITabLayout::CUITabLayout() : m_iCurSel(-1), m_iLastSel(-1) {}

CUITabLayout::~CUITabLayout() = default;

CUIString CUITabLayout::GetClass() const { return L"TabLayoutUI"; }

void* CUITabLayout::GetInterface(const CUIString& name)
{
    if (name == L"TabLayout")
        return static_cast<CUITabLayout*>(this);
    return CUIContainer::GetInterface(name);
}

// ---- pages ----

bool CUITabLayout::Add(CUIControl* child)
{
    if (!CUIControl::Add(child))
        return false;
    if (m_iCurSel == -1 && child->IsVisible())
        m_iCurSel = GetItemIndex(child);
    else
        child->SetVisible(false);
    return true;
}

bool CUITabLayout::AddAt(CUIControl* child, int index)
{
    if (!CUIControl::AddAt(child, index))
        return false;
    if (m_iCurSel == -1 && child->IsVisible()) {
        m_iCurSel = index;
        return true;
    }
    if (m_iCurSel != -1 && m_iCurSel >= index)
        ++m_iCurSel;
    child->SetVisible(false);
    return true;
}

bool CUITabLayout::Remove(CUIControl* child)
{
    if (child == nullptr)
        return false;
    const int index = GetItemIndex(child);
    if (!CUIControl::Remove(child))
        return false;
    if (index == m_iCurSel) {
        m_iCurSel = GetCount() > 0 ? 0 : -1;
        if (CUIControl* first = GetItemAt(0))
            first->SetVisible(true);
        NeedParentUpdate();
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    return true;
}

void CUITabLayout::RemoveAll()
{
    m_iCurSel = -1;
    CUIControl::RemoveAll();
    NeedParentUpdate();
}

// ---- selection ----

int CUITabLayout::GetCurSel() const { return m_iCurSel; }

CUIControl* CUITabLayout::GetCurSelItem() const { return GetItemAt(m_iCurSel); }

void CUITabLayout::SetLastSel(int index) { m_iLastSel = index; }

int CUITabLayout::GetLastSel() const { return m_iLastSel; }

bool CUITabLayout::SelectItem(int index, bool notify)
{
    if (index < 0 || index >= GetCount())
        return false;
    if (index == m_iCurSel) {
        if (m_iLastSel == -1)
            m_iLastSel = index;
        return true;
    }
    // The first switch records the new page as the last one as well.
    m_iLastSel = m_iLastSel == -1 ? index : m_iCurSel;
    m_iCurSel = index;

    // Showing, hiding and placing run the pages' callbacks, which may delete this layout.
    const CWatched<CUIControl> alive(this);
    for (int i = 0; alive && i < GetCount(); ++i) {
        CUIControl* page = GetItemAt(i);
        if (i != index) {
            page->SetVisible(false);
            continue;
        }
        page->SetVisible(true);
        if (alive)
            SetPos(m_rcItem, true);
    }
    if (!alive)
        return true;
    NeedParentUpdate();
    if (m_pWindow && notify) {
        const auto current = static_cast<unsigned long>(static_cast<long>(m_iCurSel));
        const auto last = static_cast<unsigned long>(static_cast<long>(m_iLastSel));
        m_pWindow->SendNotify(this, NOTIFY_TAB_SELECT, current, last, false);
    }
    return true;
}

bool CUITabLayout::SelectItem(CUIControl* page, bool notify)
{
    const int index = GetItemIndex(page);
    return index >= 0 && SelectItem(index, notify);
}

bool CUITabLayout::SelectItem(const wchar_t* name, bool notify)
{
    if (name == nullptr)
        return false;
    return SelectItem(FindSubControl(name), notify);
}

// ---- placement ----

void CUITabLayout::SetPos(const CUIRect& rc, bool needInvalidate)
{
    // The size handlers of the layout and of its page may delete the layout; nothing
    // follows the walk over the pages.
    const CWatched<CUIControl> alive(this);
    UpdatePos(rc, needInvalidate);
    if (!alive)
        return;
    CUIRect inner = m_rcItem;
    inner.Deflate(GetInset());
    PlaceChildren(*this, m_items, [&](CUIControl* child, int index) {
        if (index != m_iCurSel)
            return;
        CUIRect area = inner;
        area.Deflate(child->GetPadding());
        const int64_t width = area.right - area.left;
        const int64_t height = area.bottom - area.top;
        tagSIZE size = child->EstimateSize({width, height});
        if (size.cx == 0)
            size.cx = std::max<int64_t>(0, width);
        if (size.cy == 0)
            size.cy = std::max<int64_t>(0, height);
        size = ClampedSize(*child, size);
        child->SetPos(CUIRect(area.left, area.top, area.left + size.cx, area.top + size.cy), false);
    });
}

void CUITabLayout::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    if (IsNamed(name, L"selectedid"))
        SelectItem(ReadInt(value), true);
    else
        CUIContainer::SetAttribute(name, value);
}
