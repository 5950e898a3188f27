// The window: the backend window it drives, its registries and services, its callbacks
// (layout and painting, pointer dispatch, timers, notifications); and the application
// facade over the backend's application object.

#include "UIWindow.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <unordered_set>

#include <utility/logger>

#include "CallbackScope.h"
#include "UIContainer.h"
#include "UIControl.h"
#include "UIDpi.h"
#include "UIPlatform.h"
#include "UIRender.h"
#include "UIScrollBar.h"
#include "ResourceMgr.h"
#include "Scaling.h"

// One running timer of a window: the hook handed to the backend points back at it.
struct TimerEntry {
    CUIControl* control;
    UINT id;
    CUIWindow* window;
    TimerHook hook;
};

namespace {

// Every window alive in the process, so a deleted control can be forgotten by all.
std::vector<CUIWindow*>& LiveWindows()
{
    static std::vector<CUIWindow*> windows;
    return windows;
}

// A window's resource manager and DPI holder outlive the window: they stay
// reachable here until the process ends.
void KeepForProcess(void* service)
{
    static auto* kept = new std::vector<void*>;
    kept->push_back(service);
}

}  // namespace

std::weak_ptr<const void> CUIWindow::GetLifetime() const { return m_lifetime; }

CUIWindow::CUIWindow()
    : m_bUpdateNeeded(false),
      m_pPlatformWindow(nullptr),
      m_pTimer(nullptr),
      m_pResourceMgr(nullptr),
      m_pStyleCustom(nullptr),
      m_pDpi(nullptr),
      m_pRoot(nullptr),
      m_pEventClick(nullptr),
      m_pEventHover(nullptr),
      m_mOptionGroup(100),
      m_DefaultAttrHash(100),
      m_bShow(false),
      m_pRender(new CUIRender),
      m_fHeightScale(1.0),
      m_fWidthScale(1.0),
      m_ptWindow{0, 0},
      m_ptLastMousePos{0, 0},
      m_bDragging(false),
      m_ptDragWindowStart{0, 0},
      m_ptDragPointerStart{0, 0},
      m_callbacks(std::make_shared<CallbackState>())
{
    LiveWindows().push_back(this);
    m_pRender->SetOwnWindow(this);
    m_pPlatformWindow = CUIPlatfrom::GetPlatformWindow();
    if (m_pPlatformWindow)
        m_pPlatformWindow->RegisterMsgHandler(this);
    UI_TRACE("platform window = %p ", static_cast<void*>(m_pPlatformWindow));
    m_pTimer = CUIPlatfrom::GetTimer();
}

CUIWindow::~CUIWindow()
{
    // A callback that runs now stops where it is; it deletes what waits for it.
    m_lifetime.reset();
    for (CUIControl** slot : m_dispatchSlots)
        *slot = nullptr;
    while (m_pFirstControl)
        m_pFirstControl->SetWindowPointer(nullptr);
    auto& windows = LiveWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());

    RemoveAllTimers();
    RemoveAllOptionGroups();
    RemoveAllDefaultAttributeList();
    if (m_pResourceMgr)
        KeepForProcess(m_pResourceMgr);
    if (m_pDpi)
        KeepForProcess(m_pDpi);

    // A paint that this deletion interrupted still holds the drawing wrapper: it stays, and
    // draws nothing, until the callback returns.
    m_pRender->SetRenderPlatform(nullptr);
    if (m_callbacks->depth > 0)
        m_callbacks->keptRender = std::move(m_pRender);
    m_pRender.reset();
    UI_TRACE("window release ");
    if (m_pTimer)
        CUIPlatfrom::ReleaseTimer(m_pTimer);
    if (m_pPlatformWindow)
        CUIPlatfrom::ReleaseWindow(m_pPlatformWindow);
}

// ---- the window operations ----

bool CUIWindow::Create(int x, int y, int width, int height)
{
    return m_pPlatformWindow ? m_pPlatformWindow->Create(x, y, width, height) : false;
}

void CUIWindow::SetType(int type)
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->SetType(type);
}

void CUIWindow::Quite()
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->Quite();
}

void CUIWindow::Show(bool show)
{
    if (show == m_bShow)
        return;
    m_bShow = show;
    if (m_pPlatformWindow)
        m_pPlatformWindow->Show(show);
}

void CUIWindow::ShowPop(bool show)
{
    if (show == m_bShow)
        return;
    m_bShow = show;
    if (m_pPlatformWindow)
        m_pPlatformWindow->ShowPop(show);
}

void CUIWindow::Invalidate(const tagRECT& rc)
{
    if (m_bShow && m_pPlatformWindow)
        m_pPlatformWindow->Invalidate(rc);
}

void CUIWindow::NeedUpdate()
{
    m_bUpdateNeeded = true;
    if (m_pPlatformWindow)
        m_pPlatformWindow->NeedUpdate();
}

void CUIWindow::ReSize(const tagSIZE& size)
{
    if (!(CUISize(size) != m_szClient))
        return;
    tagSIZE wanted = size;
    if (!m_szMinWindow.IsNull()) {
        wanted.cx = std::max(wanted.cx, m_szMinWindow.cx);
        wanted.cy = std::max(wanted.cy, m_szMinWindow.cy);
    }
    // A non-positive component of the maximum limits nothing.
    if (m_szMaxWindow.cx > 0)
        wanted.cx = std::min(wanted.cx, m_szMaxWindow.cx);
    if (m_szMaxWindow.cy > 0)
        wanted.cy = std::min(wanted.cy, m_szMaxWindow.cy);
    if (m_pPlatformWindow)
        m_pPlatformWindow->ReSize(wanted);
}

void CUIWindow::GetSize(tagSIZE& size) { size = m_szClient; }

void CUIWindow::GetClipRect(tagRECT& rc)
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->GetClipRect(rc);
}

void CUIWindow::GetWindowPos(tagPOINT& pt) { pt = m_ptWindow; }

void CUIWindow::SetParent(CWindowBase* parent)
{
    CUIWindow* window = dynamic_cast<CUIWindow*>(parent);
    if (m_pPlatformWindow)
        m_pPlatformWindow->SetParent(window ? window->GetPlatform() : nullptr);
}

void CUIWindow::CenterWindow()
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->CenterWindow();
}

void CUIWindow::MoveWindow(int x, int y)
{
    if (x == m_ptWindow.x && y == m_ptWindow.y)
        return;
    if (m_pPlatformWindow)
        m_pPlatformWindow->MoveWindow(x, y);
}

void CUIWindow::SetMinMaxSizeInfo(const tagSIZE& minimum, const tagSIZE& maximum)
{
    m_szMinWindow = minimum;
    m_szMaxWindow = maximum;
    if (m_szMinWindow.IsNull())
        m_szMinWindow = m_szInitWindowSize;
    if (m_szMaxWindow.IsNull())
        m_szMaxWindow = CUISize(-1, -1);
    if (!m_rcSizeBox.IsNull() && m_pPlatformWindow)
        m_pPlatformWindow->SetMinMaxSizeInfo(m_szMinWindow, m_szMaxWindow);
}

void CUIWindow::BeginMoveDrag(void* native)
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->BeginMoveDrag(native);
}

void CUIWindow::Minimize()
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->Minimize();
}

void CUIWindow::Close()
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->Close();
}

void CUIWindow::Restore()
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->Restore();
}

void CUIWindow::Maximize()
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->Maximize();
}

void CUIWindow::FullScreen()
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->FullScreen();
}

bool CUIWindow::IsMinimize() { return m_pPlatformWindow ? m_pPlatformWindow->IsMinimize() : false; }
bool CUIWindow::IsMaximize() { return m_pPlatformWindow ? m_pPlatformWindow->IsMaximize() : false; }
bool CUIWindow::IsFullScreen() { return m_pPlatformWindow ? m_pPlatformWindow->IsFullScreen() : false; }

void CUIWindow::GetRenderData(unsigned char*& data, int& width, int& height, int& stride)
{
    if (m_pPlatformWindow)
        m_pPlatformWindow->GetRenderData(data, width, height, stride);
}

void* CUIWindow::GetRenderSharedMapName(const char* name)
{
    return m_pPlatformWindow ? m_pPlatformWindow->GetRenderSharedMapName(name) : nullptr;
}

bool CUIWindow::IsShow() const { return m_bShow; }

CWindowBase* CUIWindow::GetPlatform() const { return m_pPlatformWindow; }

// ---- what the backend calls ----

// Every callback opens a scope, so that what it runs may delete controls and the window.

int CUIWindow::OnCreate(CRenderBase* render)
{
    const CallbackScope running(this);
    if (render)
        m_pRender->SetRenderPlatform(render);
    return 0;
}

int CUIWindow::OnClose()
{
    const CallbackScope running(this);
    return 0;
}

void CUIWindow::OnDestroy() { const CallbackScope running(this); }

int CUIWindow::OnSize(int width, int height)
{
    const CallbackScope running(this);
    m_szClient = CUISize(width, height);
    if (m_pRoot)
        m_pRoot->NeedUpdate();
    return 0;
}

int CUIWindow::OnKeyDown(int)
{
    const CallbackScope running(this);
    return 0;
}

int CUIWindow::OnKeyUp(int)
{
    const CallbackScope running(this);
    return 0;
}

void CUIWindow::OnDpiChange(double dpi)
{
    const CallbackScope running(this);
    GetDPIObj()->SetDpi(dpi);
    if (m_pResourceMgr)
        m_pResourceMgr->ResetDPIAssets();
    if (m_pRoot)
        m_pRoot->NeedUpdate();
}

void CUIWindow::OnWindowMove(int x, int y)
{
    const CallbackScope running(this);
    m_ptWindow = {x, y};
}

const char* CUIWindow::GetWindowName() { return "base"; }

bool CUIWindow::UseSharedMap() { return false; }

// ---- painting ----

namespace {

// Whether any window of the process has sent NOTIFY_FIRST_PAINT.
bool g_firstPaintSent = false;

}  // namespace

int CUIWindow::OnPaint(CRenderBase* render)
{
    const CallbackScope running(this);
    if (m_pRoot == nullptr || m_pRender == nullptr)
        return 0;
    m_pRender->SetRenderPlatform(render);

    if (m_bUpdateNeeded) {
        // Cleared first, so that a request made while laying out is kept for the next paint.
        m_bUpdateNeeded = false;
        Relayout(running);
        if (running.WindowDeleted())
            return 0;
        if (m_pRoot && !g_firstPaintSent) {
            g_firstPaintSent = true;
            SendNotify(m_pRoot, NOTIFY_FIRST_PAINT, 0, 0, false);
        }
        // A handler may have taken the tree away, or the window.
        if (running.WindowDeleted() || m_pRoot == nullptr)
            return 0;
    }

    tagRECT clip{};
    GetClipRect(clip);
    m_pRoot->DoPaint(m_pRender.get(), CUIRect(clip));
    return 1;
}

// The search for the controls that ask for an update, in the order of FindControl with
// FINDFLAG_SELF_FIRST | FINDFLAG_VISIBLE: a visible control's scroll bars when it is a
// container, then the control, then its children in order. It descends only into
// controls marked as holding one that asks (MarkUpdatePath), and unmarks each visible
// control under which it finds none, so that a search after one change walks that
// change's path rather than the tree.
class CUIWindow::UpdateSearch {
public:
    // Controls placed in this pass are passed over, but keep their marks while they ask again.
    explicit UpdateSearch(const std::unordered_set<CUIControl*>& placed) : m_placed(placed) {}

    // The first control that asks and is not placed yet, null when none is left.
    CUIControl* Next(CUIControl* root)
    {
        bool asking = false;
        return Find(root, asking);
    }

    // Unmarks what asks for nothing, after the root's placing laid the whole tree out.
    void Unmark(CUIControl* root)
    {
        m_unmarkOnly = true;
        bool asking = false;
        Find(root, asking);
    }

private:
    // The first unplaced control that asks at or below control; asking tells whether
    // any control there still asks, placed or not.
    CUIControl* Find(CUIControl* control, bool& asking)
    {
        if (!control->m_bUpdatePath || !control->IsVisible())
            return nullptr;
        bool below = false;
        if (auto* container = dynamic_cast<CUIContainer*>(control)) {
            for (CUIControl* bar : {static_cast<CUIControl*>(container->GetVerticalScrollBar()),
                                    static_cast<CUIControl*>(container->GetHorizontalScrollBar())}) {
                if (CUIControl* found = Find(bar, below))
                    return found;
            }
        }
        if (control->m_bUpdateNeeded) {
            if (!m_unmarkOnly && m_placed.count(control) == 0)
                return control;
            below = true;
        }
        if (CUIControl* found = FindInChildren(control, below))
            return found;
        if (!below)
            control->UnmarkUpdatePath();
        asking = asking || below;
        return nullptr;
    }

    // Find over control's children in order. Unmarked children hold nothing to find, so
    // with one marked listing only that child is searched, and with none no child is.
    CUIControl* FindInChildren(CUIControl* control, bool& asking)
    {
        if (control->m_markedListings == 0)
            return nullptr;
        if (control->m_markedListings == 1 && control->m_lastMarkedChild)
            return Find(control->m_lastMarkedChild, asking);
        const CStdPtrArray& children = control->m_items;
        for (int i = 0; i < children.GetSize(); ++i) {
            auto* child = static_cast<CUIControl*>(children[i]);
            CUIControl* found = Find(child, asking);
            // Still marked after its search: the child that the one listing left names.
            if (child->m_bUpdatePath)
                control->m_lastMarkedChild = child;
            if (found)
                return found;
        }
        return nullptr;
    }

    const std::unordered_set<CUIControl*>& m_placed;
    bool m_unmarkOnly = false;
};

void CUIWindow::Relayout(const CallbackScope& running)
{
    tagSIZE size{};
    GetSize(size);
    const CUIRect client(0, 0, static_cast<long>(size.cx), static_cast<long>(size.cy));
    std::unordered_set<CUIControl*> placed;
    UpdateSearch search(placed);
    if (m_pRoot->IsUpdateNeeded()) {
        m_pRoot->SetPos(client, true);
        // A size handler may have taken the tree away, or the window.
        if (!running.WindowDeleted() && m_pRoot)
            search.Unmark(m_pRoot);
        return;
    }
    // Each control is placed at most once, so a control whose SetPos keeps asking
    // for relayout cannot hold the paint up for ever.
    while (!running.WindowDeleted() && m_pRoot) {
        CUIControl* control = search.Next(m_pRoot);
        if (control == nullptr)
            return;
        placed.insert(control);
        control->SetPos(control->GetPos(), true);
    }
}

// ---- pointer input ----

// A control that a dispatch is about to hand events to. The window nulls it when the
// control is deleted meanwhile, or the window itself, so the dispatch skips what it
// would have done with it.
class CUIWindow::DispatchSlot {
public:
    DispatchSlot(const CallbackScope& running, CUIControl* control) : m_running(running), m_control(control)
    {
        m_running.Window().m_dispatchSlots.push_back(&m_control);
    }
    DispatchSlot(const DispatchSlot&) = delete;
    DispatchSlot& operator=(const DispatchSlot&) = delete;
    ~DispatchSlot()
    {
        if (m_running.WindowDeleted())
            return;
        auto& slots = m_running.Window().m_dispatchSlots;
        slots.erase(std::find(slots.begin(), slots.end(), &m_control));
    }

    CUIControl* Get() const { return m_control; }
    CUIControl* operator->() const { return m_control; }
    explicit operator bool() const { return m_control != nullptr; }

private:
    const CallbackScope& m_running;
    CUIControl* m_control;
};

namespace {

// The record of one pointer callback, before its type and sender are set.
TEventUI PointerEvent(const MsgButtonParam& param)
{
    TEventUI event{};
    event.dwTimestamp = param.timestamp;
    event.ptMouse = {param.x, param.y};
    return event;
}

// Window position arithmetic is 32-bit and wraps.
int32_t Add32(int64_t a, int64_t b, int64_t c)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b) - static_cast<uint32_t>(c));
}

}  // namespace

void CUIWindow::RunMessageFilters(TEventUI& event, const CallbackScope& running)
{
    // Filters may register or delete controls: the length is read on every step.
    for (int i = 0; !running.WindowDeleted() && i < m_aMessageFilters.GetSize(); ++i)
        static_cast<CUIControl*>(m_aMessageFilters[i])->MessageFilterEvent(&event);
}

int CUIWindow::OnButtonPress(const MsgButtonParam& param, void*)
{
    const CallbackScope running(this);
    if (param.type == EVENT_SECONDARYDOWN)
        return 0;
    m_ptLastMousePos = {param.x, param.y};
    DispatchSlot hit(running, FindControl(m_ptLastMousePos));
    UI_TRACE("ui TouchDown FindControl end ");
    if (hit) {
        m_pEventClick = hit.Get();
        TEventUI event = PointerEvent(param);
        event.Type = static_cast<uint32_t>(param.type);
        event.pSender = hit.Get();
        hit->Event(event);
        UI_TRACE("ui TouchDown do Event end ");
        if (hit)
            RunMessageFilters(event, running);
        if (running.WindowDeleted())
            return 0;
    }
    StartCaptionDrag(param);
    return 0;
}

void CUIWindow::StartCaptionDrag(const MsgButtonParam& param)
{
    // (0, 0, -1, -1) as stored stands for the whole window at every scale.
    const bool wholeWindow = m_rcCaption.right - m_rcCaption.left == -1 && m_rcCaption.bottom - m_rcCaption.top == -1;
    CUIRect caption = GetCaptionRect();
    const tagPOINT pt{param.x, param.y};
    if (!wholeWindow && !caption.IsPtIn(pt))
        return;
    CUIControl* under = FindControl(pt);
    if (under && under->GetInterface(L"Button"))
        return;
    m_bDragging = true;
    m_ptDragWindowStart = m_ptWindow;
    m_ptDragPointerStart = {param.root_x, param.root_y};
}

int CUIWindow::OnButtonRelease(const MsgButtonParam& param)
{
    const CallbackScope running(this);
    m_bDragging = false;
    m_ptLastMousePos = {param.x, param.y};
    DispatchSlot hit(running, FindControl(m_ptLastMousePos));
    UI_TRACE("ui TouchUp FindControl end ");
    const CUIControl* const hitControl = hit.Get();
    DispatchSlot pressed(running, m_pEventClick);
    if (!hit && !pressed)
        return 0;

    TEventUI event = PointerEvent(param);
    event.Type = EVENT_BUTTONUP;
    const DispatchSlot* last = &hit;
    if (hit) {
        event.pSender = hit.Get();
        hit->Event(event);
    }
    UI_TRACE("ui TouchUp do Event end ");
    if (running.WindowDeleted())
        return 0;
    if (pressed && pressed.Get() != hitControl) {
        CUIControl* const pressedControl = pressed.Get();
        event.pSender = pressedControl;
        pressed->Event(event);
        if (running.WindowDeleted())
            return 0;
        if (m_pEventClick == pressedControl)
            m_pEventClick = nullptr;
        last = &pressed;
    }
    if (*last)
        RunMessageFilters(event, running);
    return 0;
}

int CUIWindow::OnMouseMove(const MsgButtonParam& param)
{
    const CallbackScope running(this);
    if (m_bDragging) {
        MoveWindow(Add32(m_ptDragWindowStart.x, param.root_x, m_ptDragPointerStart.x),
                   Add32(m_ptDragWindowStart.y, param.root_y, m_ptDragPointerStart.y));
        return 0;
    }
    m_ptLastMousePos = {param.x, param.y};
    DispatchSlot hit(running, FindControl(m_ptLastMousePos));
    if (!hit)
        return 0;

    TEventUI event = PointerEvent(param);
    if (m_pEventHover && m_pEventHover != hit.Get()) {
        DispatchSlot hover(running, m_pEventHover);
        event.Type = EVENT_MOUSELEAVE;
        event.pSender = hover.Get();
        hover->Event(event);
        if (hover)
            RunMessageFilters(event, running);
        if (running.WindowDeleted())
            return 0;
        m_pEventHover = nullptr;
    }
    if (hit && hit.Get() != m_pEventHover) {
        event.Type = EVENT_MOUSEENTER;
        event.pSender = hit.Get();
        hit->Event(event);
        if (hit)
            RunMessageFilters(event, running);
        if (running.WindowDeleted())
            return 0;
        // A filter may have deleted it too.
        if (hit)
            m_pEventHover = hit.Get();
    }
    DispatchSlot target(running, m_pEventClick ? m_pEventClick : hit.Get());
    if (!target)
        return 0;
    event.Type = EVENT_MOUSEMOVE;
    event.pSender = target.Get();
    target->Event(event);
    if (target)
        RunMessageFilters(event, running);
    return 0;
}

int CUIWindow::OnMouseWheel(int delta, const MsgButtonParam& param)
{
    const CallbackScope running(this);
    m_ptLastMousePos = {param.x, param.y};
    DispatchSlot hit(running, FindControl(m_ptLastMousePos));
    if (!hit)
        return 0;
    TEventUI event{};
    event.Type = EVENT_SCROLLWHEEL;
    event.pSender = hit.Get();
    event.dwTimestamp = param.timestamp;
    event.wKeyState = static_cast<uint16_t>(param.state & 0xffff);
    event.wParam = static_cast<uint64_t>(static_cast<int64_t>(delta));
    hit->Event(event);
    if (hit)
        RunMessageFilters(event, running);
    return 0;
}

// ---- sizes, caption and scale ----

void CUIWindow::SetInitSize(const CUISize& size, bool resize)
{
    m_szInitWindowSize = size;
    if (resize)
        ReSize(size);
}

void CUIWindow::GetInitSize(CUISize& size) const { size = m_szInitWindowSize; }
void CUIWindow::SetMinSize(const CUISize& size) { m_szMinWindow = size; }
void CUIWindow::SetMaxSize(const CUISize& size) { m_szMaxWindow = size; }
void CUIWindow::SetSizeBox(const CUIRect& rc) { m_rcSizeBox = rc; }
void CUIWindow::SetCaptionRect(const CUIRect& rc) { m_rcCaption = rc; }

CUIRect CUIWindow::GetCaptionRect() const
{
    const auto scaled = [](int64_t edge, double factor) {
        return TruncClamped<int64_t>(static_cast<double>(edge) * factor);
    };
    CUIRect rc;
    rc.left = scaled(m_rcCaption.left, m_fWidthScale);
    rc.top = scaled(m_rcCaption.top, m_fHeightScale);
    rc.right = scaled(m_rcCaption.right, m_fWidthScale);
    rc.bottom = scaled(m_rcCaption.bottom, m_fHeightScale);
    return rc;
}

void CUIWindow::OnScaleChange(double width, double height)
{
    m_fWidthScale = width;
    m_fHeightScale = height;
    GetPaintManager()->SetScale(std::min(width, height));
}

double CUIWindow::GetWidthScale() const { return m_fWidthScale; }
double CUIWindow::GetHeightScale() const { return m_fHeightScale; }

// ---- services ----

CUIRender* CUIWindow::GetPaintContext() const { return m_pRender.get(); }

CResourceMgr* CUIWindow::GetPaintManager()
{
    if (m_pResourceMgr == nullptr)
        m_pResourceMgr = new CResourceMgr;
    return m_pResourceMgr;
}

CUIDpi* CUIWindow::GetDPIObj()
{
    if (m_pDpi == nullptr)
        m_pDpi = new CUIDpi;
    return m_pDpi;
}

void CUIWindow::SetStyleCustom(StyleManager* styles) { m_pStyleCustom = styles; }
StyleManager* CUIWindow::GetStyleCustom() const { return m_pStyleCustom; }

// ---- the control tree ----

void CUIWindow::AttachDlg(CUIControl* root)
{
    m_pRoot = root;
    m_bUpdateNeeded = true;
    InitControls(root, nullptr);
}

bool CUIWindow::InitControls(CUIControl* control, CUIControl* parent)
{
    if (control == nullptr)
        return true;
    // Init handlers may delete the window, or the control; what they leave gets no names.
    const CWatched<CUIWindow> alive(this);
    const CWatched<CUIControl> top(control);
    control->SetOwnWindow(this, parent, true);
    if (!alive || !top)
        return true;
    // Every control that holds the window may bring a name: no table grows by rehashing.
    m_mNameHash.reserve(m_nControls);
    m_registered.reserve(m_nControls);
    control->FindControl(__FindControlFromNameHash, this, 0);
    return true;
}

void CUIWindow::DetachDlg()
{
    if (m_pRoot == nullptr)
        return;
    CUIControl* root = m_pRoot;
    m_pRoot = nullptr;
    // Emptied first, so that forgetting each control finds no names left to look for.
    ForgetAllNames();
    root->FindControl(
        [](CUIControl* control, void* window) -> CUIControl* {
            static_cast<CUIWindow*>(window)->Forget(control);
            return nullptr;
        },
        this, 0);
    // What stays of the old tree is the application's, and knows this window no more.
    root->SetOwnWindow(nullptr, nullptr, false);
    DeleteWhenIdle(root);
}

void CUIWindow::DeleteWhenIdle(CUIControl* control)
{
    if (m_callbacks->depth > 0)
        m_callbacks->deleteWhenIdle.push_back(control);
    else
        delete control;
}

CUIControl* CUIWindow::GetRoot() const { return m_pRoot; }

// ---- lookups ----

CUIControl* CUIWindow::FindControl(const wchar_t* name) const
{
    if (name == nullptr)
        return nullptr;
    const auto found = m_mNameHash.find(name);
    return found == m_mNameHash.end() ? nullptr : found->second.control;
}

CUIControl* CUIWindow::FindControl(tagPOINT pt) const { return FindSubControlByPoint(nullptr, pt); }

CUIControl* CUIWindow::FindSubControlByPoint(CUIControl* parent, tagPOINT pt) const
{
    CUIControl* start = parent ? parent : m_pRoot;
    if (start == nullptr)
        return nullptr;
    return start->FindControl(__FindControlFromPoint, &pt, FINDFLAG_VISIBLE | FINDFLAG_HITTEST | FINDFLAG_LAST_CHILD_FIRST);
}

CUIControl* CUIWindow::FindSubControlByName(CUIControl* parent, const wchar_t* name) const
{
    CUIControl* start = parent ? parent : m_pRoot;
    if (start == nullptr || name == nullptr)
        return nullptr;
    return start->FindControl(__FindControlFromName, const_cast<wchar_t*>(name), 0);
}

CStdPtrArray* CUIWindow::GetSubControlsByClass() { return &m_aFoundControls; }

CUIControl* CUIWindow::__FindControlFromNameHash(CUIControl* control, void* window)
{
    const CUIString name = control->GetName();
    if (!name.IsEmpty())
        static_cast<CUIWindow*>(window)->RegisterName(name, control);
    return nullptr;
}

CUIControl* CUIWindow::__FindControlFromCount(CUIControl*, void* counter)
{
    ++*static_cast<int*>(counter);
    return nullptr;
}

CUIControl* CUIWindow::__FindControlFromPoint(CUIControl* control, void* point)
{
    return control->GetPos().IsPtIn(*static_cast<tagPOINT*>(point)) ? control : nullptr;
}

CUIControl* CUIWindow::__FindControlFromUpdate(CUIControl* control, void*)
{
    return control->IsUpdateNeeded() ? control : nullptr;
}

CUIControl* CUIWindow::__FindControlFromName(CUIControl* control, void* name)
{
    if (name == nullptr)
        return nullptr;
    return control->GetName() == static_cast<const wchar_t*>(name) ? control : nullptr;
}

// ---- option groups ----

bool CUIWindow::AddOptionGroup(const wchar_t* group, CUIControl* control)
{
    if (group == nullptr || control == nullptr)
        return false;
    auto* members = static_cast<CStdPtrArray*>(m_mOptionGroup.Find(group));
    if (members == nullptr) {
        members = new CStdPtrArray(6);
        members->Add(control);
        m_mOptionGroup.Insert(group, members);
    } else {
        if (members->Find(control) >= 0)
            return false;
        members->Add(control);
    }
    Registration(control);
    return true;
}

CStdPtrArray* CUIWindow::GetOptionGroup(const wchar_t* group)
{
    return group ? static_cast<CStdPtrArray*>(m_mOptionGroup.Find(group)) : nullptr;
}

bool CUIWindow::RemoveOptionGroup(const wchar_t* group, CUIControl* control)
{
    auto* members = group ? static_cast<CStdPtrArray*>(m_mOptionGroup.Find(group)) : nullptr;
    if (members == nullptr)
        return false;
    members->Remove(members->Find(control));
    if (!members->IsEmpty())
        return false;
    delete members;
    return m_mOptionGroup.Remove(group);
}

void CUIWindow::RemoveAllOptionGroups()
{
    for (int i = 0; i < m_mOptionGroup.GetSize(); ++i)
        delete static_cast<CStdPtrArray*>(m_mOptionGroup.Find(m_mOptionGroup.GetAt(i), false));
    m_mOptionGroup.RemoveAll();
}

// ---- default attribute lists ----

void CUIWindow::AddDefaultAttributeList(const wchar_t* element, const wchar_t* list)
{
    if (element == nullptr || list == nullptr || m_DefaultAttrHash.Find(element))
        return;
    m_DefaultAttrHash.Insert(element, new CUIString(list));
}

const wchar_t* CUIWindow::GetDefaultAttributeList(const wchar_t* element) const
{
    const auto* list = element ? static_cast<CUIString*>(m_DefaultAttrHash.Find(element)) : nullptr;
    return list ? list->GetData() : nullptr;
}

bool CUIWindow::RemoveDefaultAttributeList(const wchar_t* element)
{
    auto* list = element ? static_cast<CUIString*>(m_DefaultAttrHash.Find(element)) : nullptr;
    if (list == nullptr)
        return false;
    delete list;
    return m_DefaultAttrHash.Remove(element);
}

void CUIWindow::RemoveAllDefaultAttributeList()
{
    for (int i = 0; i < m_DefaultAttrHash.GetSize(); ++i)
        delete static_cast<CUIString*>(m_DefaultAttrHash.Find(m_DefaultAttrHash.GetAt(i), false));
    m_DefaultAttrHash.RemoveAll();
}

const CStdStringPtrMap* CUIWindow::GetDefaultAttribultes() const { return &m_DefaultAttrHash; }

// ---- notifiers and message filters ----

bool CUIWindow::AddNotifier(INotifyUI* notifier) { return m_aNotifiers.Add(notifier); }

bool CUIWindow::RemoveNotifier(INotifyUI* notifier) { return m_aNotifiers.Remove(m_aNotifiers.Find(notifier)); }

bool CUIWindow::AddMessageFilter(CUIControl* control)
{
    Registration(control);
    return m_aMessageFilters.Add(control);
}

bool CUIWindow::RemoveMessageFilter(CUIControl* control)
{
    return m_aMessageFilters.Remove(m_aMessageFilters.Find(control));
}

// ---- timers ----

int CUIWindow::SetTimer(CUIControl* pControl, UINT uElapse)
{
    assert(pControl != NULL);
    assert(uElapse > 0);
    if (m_pTimer == nullptr)
        return 0;
    auto entry = std::make_unique<TimerEntry>(TimerEntry{pControl, 0, this, {TimerCallback, nullptr}});
    entry->hook.param = entry.get();
    entry->id = static_cast<UINT>(m_pTimer->SetTimer(uElapse, &entry->hook));
    const UINT id = entry->id;
    m_aTimers.push_back(std::move(entry));
    Registration(pControl);
    return static_cast<int>(id);
}

void CUIWindow::KillTimerAt(size_t index)
{
    m_pTimer->KillTimer(static_cast<int>(m_aTimers[index]->id));
    m_aTimers.erase(m_aTimers.begin() + static_cast<std::ptrdiff_t>(index));
}

bool CUIWindow::KillTimer(CUIControl* pControl, UINT uID)
{
    assert(pControl != NULL);
    for (size_t i = 0; i < m_aTimers.size(); ++i) {
        if (m_aTimers[i]->control == pControl && m_aTimers[i]->id == uID) {
            KillTimerAt(i);
            break;
        }
    }
    return false;
}

void CUIWindow::KillTimer(CUIControl* pControl)
{
    assert(pControl != NULL);
    for (size_t i = 0; i < m_aTimers.size();) {
        if (m_aTimers[i]->control == pControl)
            KillTimerAt(i);
        else
            ++i;
    }
}

void CUIWindow::RemoveAllTimers()
{
    while (!m_aTimers.empty())
        KillTimerAt(0);
}

void CUIWindow::OnTimer(unsigned long control, unsigned long id)
{
    auto* target = reinterpret_cast<CUIControl*>(control);
    if (target == nullptr)
        return;
    TEventUI event{};
    event.Type = EVENT_TIMER;
    event.pSender = target;
    event.wParam = id;
    target->Event(event);
}

void TimerCallback(void* arg)
{
    // The handler may stop this very timer, which frees the entry.
    const TimerEntry* entry = static_cast<TimerEntry*>(arg);
    CUIWindow* window = entry->window;
    const auto control = reinterpret_cast<unsigned long>(entry->control);
    const unsigned long id = entry->id;
    const CUIWindow::CallbackScope running(window);
    window->OnTimer(control, id);
}

// ---- notifications ----

void CUIWindow::SendNotify(CUIControl* sender, UINT type, unsigned long wParam, unsigned long lParam, bool async)
{
    TNotifyUI msg{};
    msg.Type = type;
    msg.pSender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CUIWindow::SendNotify(TNotifyUI& msg, bool async)
{
    const CallbackScope running(this);
    msg.ptMouse = m_ptLastMousePos;
    msg.dwTimestamp = UIGetTickCount();
    if (async)
        return;
    // A receiver that deletes the sender leaves the record without one.
    DispatchSlot sender(running, msg.pSender);
    if (sender && sender->NotifyEvent)
        sender->NotifyEvent(&msg);
    // Notifiers may add or remove notifiers: the length is read on every step. One that
    // deletes the window ends the delivery.
    for (int i = 0; !running.WindowDeleted() && i < m_aNotifiers.GetSize(); ++i) {
        if (!sender)
            msg.pSender = nullptr;
        static_cast<INotifyUI*>(m_aNotifiers[i])->Notify(msg);
    }
}

// ---- forgetting deleted controls ----

void CUIWindow::Registered::AddName(NameEntry* entry)
{
    if (name == nullptr)
        name = entry;
    else
        moreNames.push_back(entry);
}

void CUIWindow::Registered::DropName(const NameEntry* entry)
{
    if (name != entry) {
        moreNames.erase(std::remove(moreNames.begin(), moreNames.end(), entry), moreNames.end());
        return;
    }
    name = nullptr;
    if (!moreNames.empty()) {
        name = moreNames.back();
        moreNames.pop_back();
    }
}

CUIWindow::Registered& CUIWindow::Registration(CUIControl* control) { return m_registered[control]; }

void CUIWindow::RegisterName(const CUIString& name, CUIControl* control)
{
    const std::wstring_view key(name.GetData(), static_cast<size_t>(name.GetLength()));
    auto found = m_mNameHash.find(key);
    if (found == m_mNameHash.end()) {
        auto text = std::make_unique<wchar_t[]>(key.size() + 1);
        std::copy(key.begin(), key.end(), text.get());
        const std::wstring_view owned(text.get(), key.size());
        found = m_mNameHash.emplace(owned, NamedControl{std::move(text), control}).first;
    } else if (found->second.control == control) {
        return;
    } else {
        // The name passes to this control: the one it named so far no longer holds it.
        m_registered[found->second.control].DropName(&*found);
        found->second.control = control;
    }
    Registration(control).AddName(&*found);
}

void CUIWindow::ForgetAllNames()
{
    m_mNameHash.clear();
    for (auto& registered : m_registered)
        registered.second = Registered();
}

void CUIWindow::Forget(CUIControl* control)
{
    for (CUIControl** slot : m_dispatchSlots) {
        if (*slot == control)
            *slot = nullptr;
    }
    if (m_pEventClick == control)
        m_pEventClick = nullptr;
    if (m_pEventHover == control)
        m_pEventHover = nullptr;
    if (m_pRoot == control)
        m_pRoot = nullptr;
    const auto found = m_registered.find(control);
    if (found == m_registered.end())
        return;
    const Registered& record = found->second;
    if (record.name)
        m_mNameHash.erase(m_mNameHash.find(record.name->first));
    for (const NameEntry* entry : record.moreNames)
        m_mNameHash.erase(m_mNameHash.find(entry->first));
    m_registered.erase(found);

    for (int i = m_aMessageFilters.GetSize(); i-- > 0;) {
        if (m_aMessageFilters[i] == control)
            m_aMessageFilters.Remove(i);
    }
    if (m_pTimer)
        KillTimer(control);
    std::vector<CUIString> emptied;
    for (int i = 0; i < m_mOptionGroup.GetSize(); ++i) {
        const wchar_t* group = m_mOptionGroup.GetAt(i);
        auto* members = static_cast<CStdPtrArray*>(m_mOptionGroup.Find(group, false));
        for (int at = members->Find(control); at >= 0; at = members->Find(control))
            members->Remove(at);
        if (members->IsEmpty())
            emptied.emplace_back(group);
    }
    for (const CUIString& group : emptied)
        DeleteOptionGroup(group);
}

void CUIWindow::DeleteOptionGroup(const wchar_t* group)
{
    delete static_cast<CStdPtrArray*>(m_mOptionGroup.Find(group, false));
    m_mOptionGroup.Remove(group);
}

void CUIWindow::ForgetEverywhere(CUIControl* control)
{
    for (CUIWindow* window : LiveWindows())
        window->Forget(control);
}

// ---- the application ----

void CUIApp::Init(int argc, char** argv)
{
    if (CUIPlatfrom::GetApp() == nullptr) {
        UI_TRACE("m_fnGetApp is nullptr (platform is not init) ");
        return;
    }
    CUIPlatfrom::GetApp()->Init(argc, argv);
}

void CUIApp::MainLoop()
{
    if (CAppBase* app = CUIPlatfrom::GetApp())
        app->MainLoop();
}

void CUIApp::GetRenderData(char const* name, unsigned char*& data, int& width, int& height, int& stride)
{
    if (CAppBase* app = CUIPlatfrom::GetApp())
        app->GetRenderData(name, data, width, height, stride);
}
