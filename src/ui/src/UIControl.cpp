// The base control: its children, its place in the window, its sizes and visibility.

#include "UIControl.h"

#include <algorithm>

#include "ContentArea.h"
#include "ResourceMgr.h"
#include "Scaling.h"
#include "TreeLimits.h"
#include "TreeShape.h"
#include "UIWindow.h"

namespace {

bool IsEmptyRect(const tagRECT& rc) { return !(rc.left < rc.right && rc.top < rc.bottom); }

void EraseOne(std::vector<CUIControl*>& controls, const CUIControl* control)
{
    const auto found = std::find(controls.begin(), controls.end(), control);
    if (found != controls.end())
        controls.erase(found);
}

}  // namespace

CUIControl::CUIControl()
    : m_bEnabled(true),
      m_bMouseEnabled(true),
      m_bUpdateNeeded(true),
      m_bInSizeEvent(false),
      m_bFloat(false),
      m_cXY(0, 0),
      m_cxyMax(9999, 9999),
      m_cxyMin(0, 0),
      m_uAnchor(ANCHOR_LEFT | ANCHOR_TOP),
      m_bVisible(true),
      m_bInternVisible(true),
      m_pParent(nullptr),
      m_bFocused(false),
      m_cxyFixed(0, 0),
      m_pWindow(nullptr),
      m_iIndex(-1),
      m_bMouseChildEnabled(true),
      m_bUseParentState(false),
      m_bUseSmallScale(false),
      m_iTag(-1)
{
}

CUIControl::~CUIControl()
{
    if (DestroyEvent)
        DestroyEvent(this);
    CUIWindow::ForgetEverywhere(this);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        EraseOne(child->m_listedIn, this);
        if (child->m_pParent == this)
            child->m_pParent = nullptr;
    }
    for (CUIControl* child : m_unlinked) {
        child->m_pParent = nullptr;
        child->m_unlinkedAt = -1;
    }
    if (m_pParent)
        m_pParent->ForgetUnlinked(this);
    // Each container takes out every place of this control at its first entry in
    // m_listedIn (one entry per place) and is then told; each place is searched from the
    // end, as a tree deleted children first takes each container's last child, so that
    // emptying a container is linear in its children.
    for (auto entry = m_listedIn.begin(); entry != m_listedIn.end(); ++entry) {
        CUIControl* const container = *entry;
        if (std::find(m_listedIn.begin(), entry, container) != entry)
            continue;
        auto places = std::count(entry, m_listedIn.end(), container);
        CStdPtrArray& items = container->m_items;
        bool removed = false;
        for (int at = items.GetSize(); places > 0 && at-- > 0;) {
            if (items[at] != this)
                continue;
            removed = items.Remove(at);
            --places;
            if (m_bUpdatePath)
                container->ForgetMarkedListing(this, false);
        }
        if (removed)
            container->NeedUpdate();
    }
    SetWindowPointer(nullptr);
    TreeShape::Forget(*this);
}

CUIString CUIControl::GetClass() const { return L"UIControl"; }

void* CUIControl::GetInterface(const CUIString& name)
{
    if (name == L"Control")
        return static_cast<CUIControl*>(this);
    if (name == L"IContainer")
        return static_cast<IContainerUI*>(this);
    return nullptr;
}

CUIString CUIControl::GetName() const { return m_sName; }

void CUIControl::SetName(const CUIString& name) { m_sName = name; }

CUIWindow* CUIControl::GetOwnWindow() const { return m_pWindow; }

// ---- children ----

int CUIControl::GetCount() const { return m_items.GetSize(); }

CUIControl* CUIControl::GetItemAt(int index) const { return static_cast<CUIControl*>(m_items.GetAt(index)); }

int CUIControl::GetItemIndex(CUIControl* child) const { return m_items.Find(child); }

CUIControl* CUIControl::GetItemByName(const wchar_t* name) const
{
    if (name == nullptr || *name == L'\0')
        return nullptr;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        const CUIString childName = child->GetName();
        if (!childName.IsEmpty() && childName == name)
            return child;
    }
    return nullptr;
}

bool CUIControl::Add(CUIControl* child) { return InsertChild(child, m_items.GetSize()); }

bool CUIControl::AddAt(CUIControl* child, int index) { return InsertChild(child, index); }

bool CUIControl::InsertChild(CUIControl* child, int index)
{
    if (child == nullptr || index < 0 || index > m_items.GetSize())
        return false;
    if (!TreeShape::MayList(*this, *child))
        return false;
    const TreeShape::Listing listing(*this, *child);
    if (m_pWindow)
        m_pWindow->InitControls(child, this);
    if (IsVisible())
        NeedUpdate();
    ForgetUnlinked(child);
    if (!m_items.InsertAt(index, child))
        return false;
    child->m_listedIn.push_back(this);
    if (child->m_bUpdatePath)
        RecordMarkedListing(child);
    return true;
}

bool CUIControl::Remove(CUIControl* child)
{
    const int index = child ? m_items.Find(child) : -1;
    if (index < 0)
        return false;
    NeedUpdate();
    m_items.Remove(index);
    EraseOne(child->m_listedIn, this);
    const bool stillListed = m_items.Find(child) >= 0;
    if (child->m_bUpdatePath)
        ForgetMarkedListing(child, stillListed);
    if (child->m_pParent == this && !stillListed)
        KeepUnlinked(child);
    return true;
}

bool CUIControl::RemoveAt(int index)
{
    CUIControl* child = GetItemAt(index);
    return child ? Remove(child) : false;
}

void CUIControl::RemoveAll()
{
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        EraseOne(child->m_listedIn, this);
        if (child->m_pParent == this)
            KeepUnlinked(child);
    }
    m_items.Empty();
    m_markedListings = 0;
    m_lastMarkedChild = nullptr;
    NeedUpdate();
}

bool CUIControl::SetItemIndex(CUIControl* child, int index)
{
    const int current = m_items.Find(child);
    if (current < 0 || index < 0 || index >= m_items.GetSize())
        return false;
    NeedUpdate();
    m_items.Remove(current);
    return m_items.InsertAt(index, child);
}

// ---- window and parent ----

void CUIControl::SetOwnWindow(CUIWindow* window, CUIControl* parent, bool init)
{
    if (init) {
        InitWalk(window, parent);
        return;
    }
    for (int i = 0; i < m_items.GetSize(); ++i)
        static_cast<CUIControl*>(m_items[i])->SetOwnWindow(window, this, init);
    SetWindowPointer(window);
    SetParentPointer(parent);
}

void CUIControl::InitWalk(CUIWindow* window, CUIControl* parent)
{
    // Init handlers may delete this control, any child, or the window: the walk stops where
    // this control or the window went, and goes on after a child that went.
    const CWatched<CUIControl> alive(this);
    const CWatched<CUIWindow> given(window);
    const auto lost = [&] { return !alive || (window && !given); };
    for (int i = 0; i < m_items.GetSize();) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        child->SetOwnWindow(window, this, true);
        if (lost())
            return;
        const int at = i < m_items.GetSize() && m_items[i] == child ? i : m_items.Find(child);
        i = at < 0 ? i : at + 1;
    }
    SetWindowPointer(window);
    SetParentPointer(parent);
    Init();
}

void CUIControl::SetParentPointer(CUIControl* parent)
{
    if (m_pParent && m_pParent != parent)
        m_pParent->ForgetUnlinked(this);
    m_pParent = parent;
}

void CUIControl::KeepUnlinked(CUIControl* child)
{
    if (child->m_unlinkedAt >= 0)
        return;
    child->m_unlinkedAt = static_cast<int>(m_unlinked.size());
    m_unlinked.push_back(child);
}

void CUIControl::ForgetUnlinked(CUIControl* child)
{
    const int at = child->m_unlinkedAt;
    if (at < 0 || at >= static_cast<int>(m_unlinked.size()) || m_unlinked[at] != child)
        return;
    // The last one takes the forgotten one's place: the order of m_unlinked means nothing.
    m_unlinked[at] = m_unlinked.back();
    m_unlinked[at]->m_unlinkedAt = at;
    m_unlinked.pop_back();
    child->m_unlinkedAt = -1;
}

void CUIControl::SetWindowPointer(CUIWindow* window)
{
    if (window == m_pWindow)
        return;
    if (m_pWindow) {
        --m_pWindow->m_nControls;
        (m_pPrevOfWindow ? m_pPrevOfWindow->m_pNextOfWindow : m_pWindow->m_pFirstControl) = m_pNextOfWindow;
        if (m_pNextOfWindow)
            m_pNextOfWindow->m_pPrevOfWindow = m_pPrevOfWindow;
        m_pPrevOfWindow = m_pNextOfWindow = nullptr;
    }
    m_pWindow = window;
    if (m_pWindow) {
        ++m_pWindow->m_nControls;
        m_pNextOfWindow = m_pWindow->m_pFirstControl;
        if (m_pNextOfWindow)
            m_pNextOfWindow->m_pPrevOfWindow = this;
        m_pWindow->m_pFirstControl = this;
    }
}

void CUIControl::Init()
{
    if (InitEvent)
        InitEvent(this);
}

CUIControl* CUIControl::GetParent() const { return m_pParent; }

// ---- geometry ----

CUIRect CUIControl::GetPos() const { return m_rcItem; }

CUISize CUIControl::GetSize() const
{
    return CUISize(static_cast<long>(m_rcItem.right - m_rcItem.left), static_cast<long>(m_rcItem.bottom - m_rcItem.top));
}

void CUIControl::UpdatePos(const CUIRect& rc, bool needInvalidate)
{
    CUIRect pos = rc;
    if (pos.right < pos.left)
        pos.right = pos.left;
    if (pos.bottom < pos.top)
        pos.bottom = pos.top;

    CUIRect area = IsEmptyRect(m_rcItem) ? pos : m_rcItem;
    m_rcItem = pos;
    if (m_pWindow == nullptr)
        return;

    if (!m_bInSizeEvent && SizeEvent) {
        // The handler may delete this control: the caller asks its own watch (see SetPos).
        const CWatched<CUIControl> alive(this);
        m_bInSizeEvent = true;
        SizeEvent(this);
        if (!alive)
            return;
        m_bInSizeEvent = false;
    }
    m_bUpdateNeeded = false;

    area.Join(m_rcItem);
    if (!needInvalidate || !IsVisible() || !ClipByAncestors(this, area))
        return;
    // A SizeEvent callback may have taken the window away.
    if (m_pWindow)
        m_pWindow->Invalidate(area);
}

void CUIControl::SetPos(const CUIRect& rc, bool needInvalidate)
{
    // Without children and without a size handler nothing runs here that could delete this
    // control, and there is nothing to place after it.
    if (m_items.IsEmpty() && !SizeEvent) {
        UpdatePos(rc, needInvalidate);
        return;
    }
    // Size handlers, this control's and its children's, may delete this control.
    const CWatched<CUIControl> alive(this);
    UpdatePos(rc, needInvalidate);
    if (!alive)
        return;

    const int64_t width = m_rcItem.right - m_rcItem.left;
    const int64_t height = m_rcItem.bottom - m_rcItem.top;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        if (!child->IsVisible())
            continue;
        tagSIZE size = child->EstimateSize({width, height});
        if (size.cx == 0)
            size.cx = width;
        if (size.cy == 0)
            size.cy = height;
        const CUIRect padding = child->GetPadding();
        const uint32_t anchor = child->GetAnchorAlign();

        int64_t x = m_rcItem.left;
        if (anchor & ANCHOR_RIGHT)
            x = m_rcItem.right - size.cx - padding.right;
        else if (anchor & ANCHOR_CENTER)
            x = m_rcItem.left + (width - size.cx - padding.left - padding.right) / 2;
        else if (anchor & ANCHOR_LEFT)
            x = m_rcItem.left + padding.left;

        int64_t y = m_rcItem.top;
        if (anchor & ANCHOR_VCENTER)
            y = m_rcItem.top + (height - size.cy - padding.top - padding.bottom) / 2;
        else if (anchor & ANCHOR_BOTTOM)
            y = m_rcItem.bottom - size.cy - padding.bottom;
        else if (anchor & ANCHOR_TOP)
            y = m_rcItem.top + padding.top;

        CUIRect place;
        place.left = x;
        place.top = y;
        place.right = x + size.cx;
        place.bottom = y + size.cy;
        child->SetPos(place, false);
        if (!alive)
            return;
    }
}

double CUIControl::WidthScale() const { return m_pWindow ? m_pWindow->GetWidthScale() : 1.0; }

double CUIControl::HeightScale() const { return m_pWindow ? m_pWindow->GetHeightScale() : 1.0; }

double CUIControl::SmallerScale() const { return std::min(WidthScale(), HeightScale()); }

tagSIZE CUIControl::EstimateSize(tagSIZE)
{
    const double cx = m_bUseSmallScale ? SmallerScale() : WidthScale();
    const double cy = m_bUseSmallScale ? SmallerScale() : HeightScale();
    return {Scale64(m_cxyFixed.cx, cx), Scale64(m_cxyFixed.cy, cy)};
}

tagSIZE CUIControl::GetFixedXY() const { return {Scale64(m_cXY.cx, WidthScale()), Scale64(m_cXY.cy, HeightScale())}; }

void CUIControl::SetFixedXY(tagSIZE xy)
{
    m_cXY = xy;
    NeedSizeUpdate();
}

void CUIControl::SetFixedXYCurrent(tagSIZE xy)
{
    const double cx = WidthScale();
    const double cy = HeightScale();
    if (cx > 0)
        xy.cx = CeilClamped<int64_t>(static_cast<double>(xy.cx) / cx);
    if (cy > 0)
        xy.cy = CeilClamped<int64_t>(static_cast<double>(xy.cy) / cy);
    m_cXY = xy;
    NeedSizeUpdate();
}

int CUIControl::GetFixedWidth() const { return ScaleInt(m_cxyFixed.cx, m_bUseSmallScale ? SmallerScale() : WidthScale()); }

int CUIControl::GetFixedHeight() const { return ScaleInt(m_cxyFixed.cy, m_bUseSmallScale ? SmallerScale() : HeightScale()); }

void CUIControl::SetFixedWidth(int width)
{
    if (width < 0)
        return;
    m_cxyFixed.cx = width;
    NeedSizeUpdate();
}

void CUIControl::SetFixedHeight(int height)
{
    if (height < 0)
        return;
    m_cxyFixed.cy = height;
    NeedSizeUpdate();
}

int CUIControl::GetMinWidth() const { return ScaleInt(m_cxyMin.cx, WidthScale()); }
int CUIControl::GetMaxWidth() const { return ScaleInt(m_cxyMax.cx, WidthScale()); }
int CUIControl::GetMinHeight() const { return ScaleInt(m_cxyMin.cy, HeightScale()); }
int CUIControl::GetMaxHeight() const { return ScaleInt(m_cxyMax.cy, HeightScale()); }

namespace {

// Stores a size limit; false when there is nothing to change.
bool StoreLimit(int64_t& stored, int value)
{
    if (value < 0 || stored == value)
        return false;
    stored = value;
    return true;
}

}  // namespace

void CUIControl::SetMinWidth(int width)
{
    if (StoreLimit(m_cxyMin.cx, width))
        NeedSizeUpdate();
}

void CUIControl::SetMaxWidth(int width)
{
    if (StoreLimit(m_cxyMax.cx, width))
        NeedSizeUpdate();
}

void CUIControl::SetMinHeight(int height)
{
    if (StoreLimit(m_cxyMin.cy, height))
        NeedSizeUpdate();
}

void CUIControl::SetMaxHeight(int height)
{
    if (StoreLimit(m_cxyMax.cy, height))
        NeedSizeUpdate();
}

CUIRect CUIControl::GetPadding() const { return ScaleRect(m_rcPadding); }

CUIRect CUIControl::ScaleRect(const CUIRect& logical) const
{
    const double cx = WidthScale();
    const double cy = HeightScale();
    CUIRect scaled;
    scaled.left = Scale64(logical.left, cx);
    scaled.top = Scale64(logical.top, cy);
    scaled.right = Scale64(logical.right, cx);
    scaled.bottom = Scale64(logical.bottom, cy);
    return scaled;
}

void CUIControl::SetPadding(const CUIRect& padding)
{
    m_rcPadding = padding;
    NeedParentUpdate();
}

bool CUIControl::IsFloat() const { return m_bFloat; }

void CUIControl::SetFloat(bool isFloat)
{
    if (m_bFloat == isFloat)
        return;
    m_bFloat = isFloat;
    NeedParentUpdate();
}

uint32_t CUIControl::GetAnchorAlign() const { return m_uAnchor; }

bool CUIControl::IsUseSmallScale() const { return m_bUseSmallScale; }

void CUIControl::SetUseSmallScale(bool useSmallScale) { m_bUseSmallScale = useSmallScale; }

void CUIControl::NeedSizeUpdate()
{
    if (m_bFloat)
        NeedUpdate();
    else
        NeedParentUpdate();
}

// ---- relayout and repaint ----

void CUIControl::NeedUpdate()
{
    if (!IsVisible())
        return;
    m_bUpdateNeeded = true;
    MarkUpdatePath();
    Invalidate();
    if (m_pWindow)
        m_pWindow->NeedUpdate();
}

void CUIControl::NeedParentUpdate()
{
    if (m_pParent) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pWindow)
        m_pWindow->NeedUpdate();
}

bool CUIControl::IsUpdateNeeded() const { return m_bUpdateNeeded; }

void CUIControl::MarkUpdatePath()
{
    // Climbs depth first, the parent before the containers in their order, and marks each
    // control not marked yet; a marked one is not climbed from again.
    struct Climb {
        CUIControl* control;
        size_t next;  // 0: the parent; then the containers of m_listedIn
    };
    MarkOwnPath();
    // Mostly all above is marked already.
    const auto marked = [](const CUIControl* control) { return control == nullptr || control->m_bUpdatePath; };
    if (marked(m_pParent) && std::all_of(m_listedIn.begin(), m_listedIn.end(), marked))
        return;
    // Marking calls nothing outside this file, so one stack serves every climb.
    static auto& climbs = *new std::vector<Climb>;
    climbs.clear();
    climbs.push_back({this, 0});
    while (!climbs.empty()) {
        Climb& top = climbs.back();
        CUIControl* const control = top.control;
        const size_t next = top.next++;
        // A container finds its scroll bars through their parent, its children through m_listedIn.
        CUIControl* above = nullptr;
        if (next == 0)
            above = control->m_pParent;
        else if (next <= control->m_listedIn.size())
            above = control->m_listedIn[next - 1];
        else
            climbs.pop_back();
        if (above == nullptr || above->m_bUpdatePath)
            continue;
        above->MarkOwnPath();
        climbs.push_back({above, 0});
    }
}

void CUIControl::MarkOwnPath()
{
    if (m_bUpdatePath)
        return;
    m_bUpdatePath = true;
    for (CUIControl* container : m_listedIn)
        container->RecordMarkedListing(this);
}

void CUIControl::UnmarkUpdatePath()
{
    if (!m_bUpdatePath)
        return;
    m_bUpdatePath = false;
    for (CUIControl* container : m_listedIn)
        container->ForgetMarkedListing(this, false);
}

void CUIControl::RecordMarkedListing(CUIControl* child)
{
    ++m_markedListings;
    m_lastMarkedChild = child;
}

void CUIControl::ForgetMarkedListing(const CUIControl* child, bool stillListed)
{
    --m_markedListings;
    if (m_lastMarkedChild == child && !stillListed)
        m_lastMarkedChild = nullptr;
}

void CUIControl::Invalidate()
{
    // Without a window nothing is asked for: no walk up the ancestors either, which tearing
    // down a tree would otherwise take once for each control.
    if (!IsVisible() || m_pWindow == nullptr)
        return;
    CUIRect area = m_rcItem;
    if (!ClipByAncestors(this, area))
        return;
    if (m_pWindow)
        m_pWindow->Invalidate(area);
}

// ---- visibility ----

bool CUIControl::IsVisible() const { return m_bVisible && m_bInternVisible; }

void CUIControl::SetVisible(bool visible)
{
    if (m_bVisible == visible)
        return;
    const bool wasVisible = IsVisible();
    m_bVisible = visible;
    m_bFocused = false;
    if (!wasVisible && IsVisible())
        MarkUpdatePath();
    if (IsVisible() != wasVisible) {
        NeedParentUpdate();
        VisibleChanged(IsVisible());
    }
    for (int i = 0; i < m_items.GetSize(); ++i)
        static_cast<CUIControl*>(m_items[i])->SetInternVisible(IsVisible());
}

void CUIControl::SetInternVisible(bool visible)
{
    const bool wasVisible = IsVisible();
    m_bInternVisible = visible;
    if (!wasVisible && IsVisible())
        MarkUpdatePath();
    for (int i = 0; i < m_items.GetSize(); ++i)
        static_cast<CUIControl*>(m_items[i])->SetInternVisible(IsVisible());
    if (IsVisible() != wasVisible)
        VisibleChanged(IsVisible());
}

void CUIControl::VisibleChanged(bool)
{
    if (VisibleChangedEvent)
        VisibleChangedEvent(this);
}

bool CUIControl::IsAreaVisible() const
{
    if (!IsVisible())
        return false;
    if (m_pParent == nullptr)
        return true;
    // A climb longer than a tree can be has met a loop of parent pointers.
    static thread_local int climbing = 0;
    const ClimbStep step(climbing);
    if (step.Lost()) {
        TreeShape::ReportParentLoop(*this);
        return false;
    }
    if (!m_pParent->IsAreaVisible())
        return false;
    const CUIRect parentPos = m_pParent->GetPos();
    CUIRect common;
    return UIIntersectRect(&common, &parentPos, &m_rcItem);
}

// ---- state ----

bool CUIControl::IsEnabled() const { return m_bEnabled; }

void CUIControl::SetEnabled(bool enabled)
{
    if (m_bEnabled == enabled)
        return;
    m_bEnabled = enabled;
    Invalidate();
}

bool CUIControl::IsFocused() const { return m_bFocused; }

void CUIControl::SetFocused(bool focused)
{
    if (m_bFocused == focused)
        return;
    m_bFocused = focused;
    Invalidate();
}

bool CUIControl::IsMouseEnabled() const { return m_bMouseEnabled; }
void CUIControl::SetMouseEnabled(bool enabled) { m_bMouseEnabled = enabled; }
bool CUIControl::IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
void CUIControl::SetMouseChildEnabled(bool enabled) { m_bMouseChildEnabled = enabled; }
bool CUIControl::IsUseParentState() const { return m_bUseParentState; }
void CUIControl::SetUseParentState(bool use) { m_bUseParentState = use; }
int CUIControl::GetTag() const { return m_iTag; }
void CUIControl::SetTag(int tag) { m_iTag = tag; }
void CUIControl::SetIndex(int index) { m_iIndex = index; }

// ---- texts ----

namespace {

const wchar_t* OrEmpty(const wchar_t* text) { return text ? text : L""; }

// Stores text when it differs; true when it did.
bool StoreText(CUIString& stored, const wchar_t* text)
{
    if (stored == OrEmpty(text))
        return false;
    stored = OrEmpty(text);
    return true;
}

// Stores id, and the string table's text for it in text unless the table has none.
bool StoreTextOfId(CUIString& storedId, CUIString& text, const wchar_t* id)
{
    storedId = OrEmpty(id);
    const CUIString found = CResourceMgr::GetText(storedId);
    if (found.IsEmpty())
        return false;
    text = found;
    return true;
}

}  // namespace

const CUIString& CUIControl::GetText() const { return m_sText; }
const CUIString& CUIControl::GetToolTip() const { return m_sToolTip; }
const CUIString& CUIControl::GetUserData() const { return m_sUserData; }

void CUIControl::SetText(const wchar_t* text)
{
    if (StoreText(m_sText, text))
        Invalidate();
}

void CUIControl::SetToolTip(const wchar_t* text)
{
    if (StoreText(m_sToolTip, text))
        Invalidate();
}

void CUIControl::SetUserData(const wchar_t* text) { m_sUserData = OrEmpty(text); }

void CUIControl::SetTextId(const wchar_t* id)
{
    if (StoreTextOfId(m_sTextId, m_sText, id))
        Invalidate();
}

void CUIControl::SetToolTipId(const wchar_t* id)
{
    if (StoreTextOfId(m_sToolTipId, m_sToolTip, id))
        Invalidate();
}
