// Handlers that delete controls or windows in the middle of what the library is doing with
// them. Three groups: a window deleting itself from its own callbacks, alone or with its
// tree; widgets whose notification handler deletes them; and a table of rows, each a small
// window whose armed handler deletes one thing (its control, a container or parent of it,
// the window with or without its tree, another window, a list's body or header) while the
// backend drives a layout, a paint, an attach, a backend callback or input. After each,
// nothing freed is read, what is left keeps working, and the application deletes what it
// owns.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "user_actions.h"
#include "widget_support.h"

namespace {

using vonktest::Lines;
using vonktest::Members;

// ---- a window deletes itself from its own callbacks ----

// The application deletes a window from inside the window's own callbacks, the
// delete-on-close pattern: from a click, the close button, a timer, the pointer entering
// or leaving a control, the first paint and InitWindow, alone or with its tree. Nothing
// of the window is touched afterwards, and nothing is left over.
namespace closing {

// What the handler deletes together with the window.
enum class AlsoDeletes {
    Nothing,       // the tree stays with the application, which frees it afterwards
    Tree,          // the whole tree, first
    DetachedRoot,  // the root, through DetachDlg, keeping the controls below it
};

// Not notifications: the window deletes itself from OnClose, from InitWindow, or when the
// control "spot" is placed anew (in the first layout, or in a later relayout of it alone).
constexpr uint32_t kOnClose = 1;
constexpr uint32_t kOnInit = 2;
constexpr uint32_t kOnFirstPlacing = 3;
constexpr uint32_t kOnLaterPlacing = 4;

int g_windowsAlive = 0;
// Controls that the deleted window leaves to the test.
std::vector<CUIControl*> g_leftBehind;
bool g_rootDestroyed = false;
bool g_rootOutlivedTheHandler = false;

class ClosingWindow : public CWindowImpBase {
public:
    ClosingWindow(uint32_t deleteOn, AlsoDeletes also) : m_deleteOn(deleteOn), m_also(also) { ++g_windowsAlive; }
    ~ClosingWindow() override { --g_windowsAlive; }

    CUIString GetSkinFile() override { return L"closing.xml"; }

    void InitWindow() override
    {
        if (m_deleteOn == kOnInit)
            DeleteThis();
        else if (m_deleteOn == kOnFirstPlacing)
            DeleteWhenSpotIsPlaced();
    }

    void DeleteWhenSpotIsPlaced()
    {
        s_placing = this;
        FindControl(L"spot")->SizeEvent += &ClosingWindow::SpotPlaced;
    }

    int OnClose() override
    {
        if (m_deleteOn == kOnClose)
            DeleteThis();
        return 0;
    }

    void OnNotice(TNotifyUI& msg)
    {
        if (msg.Type == m_deleteOn)
            DeleteThis();
    }

private:
    static bool SpotPlaced(void*)
    {
        if (ClosingWindow* window = std::exchange(s_placing, nullptr))
            window->DeleteThis();
        return true;
    }

    void DeleteThis()
    {
        CUIControl* root = GetRoot();
        switch (m_also) {
        case AlsoDeletes::Nothing:
            g_leftBehind.push_back(root);
            break;
        case AlsoDeletes::Tree:
            DeleteControlTree(root);
            break;
        case AlsoDeletes::DetachedRoot:
            root->DestroyEvent += [](void*) {
                g_rootDestroyed = true;
                return true;
            };
            for (int i = 0; i < root->GetCount(); ++i)
                g_leftBehind.push_back(root->GetItemAt(i));
            DetachDlg();
            break;
        }
        delete this;
        g_rootOutlivedTheHandler = !g_rootDestroyed;
    }

    static ClosingWindow* s_placing;
    uint32_t m_deleteOn;
    AlsoDeletes m_also;
    UI_DECLARE_MESSAGE_MAP()
};

ClosingWindow* ClosingWindow::s_placing = nullptr;

UI_BEGIN_MESSAGE_MAP(ClosingWindow, CWindowImpBase)
UI_ON_CLICK_CTRNAME(L"okbtn", ClosingWindow::OnNotice)
UI_ON_MSGTYPE(NOTIFY_TIMER, ClosingWindow::OnNotice)
UI_ON_MSGTYPE(NOTIFY_MOUSE_ENTER, ClosingWindow::OnNotice)
UI_ON_MSGTYPE(NOTIFY_MOUSE_LEAVE, ClosingWindow::OnNotice)
UI_ON_MSGTYPE(NOTIFY_FIRST_PAINT, ClosingWindow::OnNotice)
UI_END_MESSAGE_MAP()

// What the user does once the window is made, starting with its first frame.
void ShowAndPaint(CUIWindow& window)
{
    window.Show(true);
    headless::PaintFrame();
}

// A click at (x, 25): 50 is on "okbtn", 150 on "closebtn".
template <int x>
void ClickButton(CUIWindow& window)
{
    ShowAndPaint(window);
    vonktest::Click(headless::LastHandler(), x, 25);
}
constexpr auto ClickOk = ClickButton<50>;
constexpr auto ClickClose = ClickButton<150>;

void TickSpot(CUIWindow& window)
{
    ShowAndPaint(window);
    window.SetTimer(window.FindControl(L"spot"), 10);
    headless::AdvanceClock(50);
}

void EnterSpot(CUIWindow& window)
{
    ShowAndPaint(window);
    vonktest::MoveTo(headless::LastHandler(), 50, 80);
}

void LeaveSpot(CUIWindow& window)
{
    EnterSpot(window);
    vonktest::MoveTo(headless::LastHandler(), 200, 150);
}

// "spot" grows after the first frame: the next frame lays out that control alone.
void GrowSpot(CUIWindow& window)
{
    ShowAndPaint(window);
    static_cast<ClosingWindow&>(window).DeleteWhenSpotIsPlaced();
    window.FindControl(L"spot")->SetFixedWidth(120);
    headless::PaintFrame();
}

struct Case {
    const char* name;
    uint32_t deleteOn;
    AlsoDeletes also;
    // Null when the window is gone before there is anything to do.
    void (*act)(CUIWindow& window);
};

void PrintTo(const Case& one, std::ostream* out) { *out << one.name; }

const Case kCases[] = {
    {"ClickHandler", NOTIFY_CLICK, AlsoDeletes::Nothing, ClickOk},
    {"CloseButtonAndOnClose", kOnClose, AlsoDeletes::Nothing, ClickClose},
    {"TimerHandler", NOTIFY_TIMER, AlsoDeletes::Nothing, TickSpot},
    {"MouseEnterOnAPlainMove", NOTIFY_MOUSE_ENTER, AlsoDeletes::Nothing, EnterSpot},
    {"MouseLeave", NOTIFY_MOUSE_LEAVE, AlsoDeletes::Nothing, LeaveSpot},
    {"FirstPaint", NOTIFY_FIRST_PAINT, AlsoDeletes::Nothing, ShowAndPaint},
    {"InitWindow", kOnInit, AlsoDeletes::Nothing, nullptr},
    {"SizeHandlerInTheFirstLayout", kOnFirstPlacing, AlsoDeletes::Nothing, ShowAndPaint},
    {"SizeHandlerInALaterRelayout", kOnLaterPlacing, AlsoDeletes::Nothing, GrowSpot},
    {"TreeThenWindowFromAClick", NOTIFY_CLICK, AlsoDeletes::Tree, ClickOk},
    {"TreeThenWindowFromOnClose", kOnClose, AlsoDeletes::Tree, ClickClose},
    {"TreeThenWindowFromMouseEnter", NOTIFY_MOUSE_ENTER, AlsoDeletes::Tree, EnterSpot},
    {"DetachedRootThenWindowFromAClick", NOTIFY_CLICK, AlsoDeletes::DetachedRoot, ClickOk},
};

class WindowDeletionTest : public testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        vonktest::UseDataFolder("windows");
    }
};

TEST_P(WindowDeletionTest, AWindowDeletedFromItsOwnCallbackIsNotTouchedAgain)
{
    const Case& one = GetParam();
    auto* window = new ClosingWindow(one.deleteOn, one.also);
    window->Create(0, 0, 300, 200);
    if (one.act)
        one.act(*window);

    EXPECT_EQ(g_windowsAlive, 0);
    EXPECT_EQ(headless::Outstanding("Window"), 0u);
    EXPECT_EQ(headless::Outstanding("Timer"), 0u);
    EXPECT_EQ(headless::RunningTimers(), 0u);
    if (one.also == AlsoDeletes::DetachedRoot) {
        // Deferred past the window's end until the callback returned, and not lost with it.
        EXPECT_TRUE(g_rootOutlivedTheHandler);
        EXPECT_TRUE(g_rootDestroyed);
    }
    // What is left is the application's, forgotten by the window and free to delete.
    for (CUIControl* control : g_leftBehind) {
        EXPECT_EQ(control->GetOwnWindow(), nullptr);
        control->Invalidate();
        DeleteControlTree(control);
    }
}

INSTANTIATE_TEST_SUITE_P(Callbacks, WindowDeletionTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace closing

// ---- a widget's handler deletes the widget ----

namespace widgets {

// Deletes the sender of the first notification of one type it is told of.
class DeleteSender : public INotifyUI {
public:
    explicit DeleteSender(uint32_t type) : m_type(type) {}
    void Notify(TNotifyUI& msg) override
    {
        if (msg.Type == m_type && !deleted) {
            deleted = true;
            delete msg.pSender;
        }
    }
    bool deleted = false;

private:
    uint32_t m_type;
};

class WidgetDeletionTest : public vonktest::MarkupTest {};

TEST_F(WidgetDeletionTest, AClickHandlerMayDeleteTheButton)
{
    Open(L"buttons.xml");
    DeleteSender deleter(NOTIFY_CLICK);
    window->AddNotifier(&deleter);
    vonktest::Click(handler, 50, 20);
    EXPECT_TRUE(deleter.deleted);
    EXPECT_EQ(window->FindControl(L"ok"), nullptr);
    vonktest::MoveTo(handler, 50, 25);
    vonktest::Click(handler, 50, 20);
    PaintAll();
    window->RemoveNotifier(&deleter);
}

TEST_F(WidgetDeletionTest, ASelectionHandlerMayDeleteTheOption)
{
    Open(L"options.xml");
    DeleteSender deleter(NOTIFY_SELECT_CHANGED);
    window->AddNotifier(&deleter);
    vonktest::Click(handler, 200, 20);
    EXPECT_TRUE(deleter.deleted);
    EXPECT_EQ(window->FindControl(L"c"), nullptr);
    EXPECT_EQ(Members(*window, L"g"), (Lines{"a", "b"}));
    EXPECT_EQ(notes.Take(), (Lines{"selectchanged c 1,0"}));  // and no click
    PaintAll();
    window->RemoveNotifier(&deleter);
}

TEST_F(WidgetDeletionTest, AValueHandlerMayDeleteTheSlider)
{
    Open(L"progress.xml");
    auto* slider = Find<CUISlider>(L"slider");
    ASSERT_NE(slider, nullptr);
    DeleteSender deleter(NOTIFY_VALUE_CHANGED);
    window->AddNotifier(&deleter);
    slider->SetSendMove(true);
    vonktest::Press(handler, 55, 110);
    vonktest::MoveTo(handler, 75, 110);
    EXPECT_TRUE(deleter.deleted);
    vonktest::MoveTo(handler, 85, 110);
    vonktest::Release(handler, 85, 110);
    PaintAll();
    window->RemoveNotifier(&deleter);
}

TEST_F(WidgetDeletionTest, AHandlerMayDeleteTheItemItWasToldAbout)
{
    Open(L"list_items.xml");
    auto* list = Find<CListUI>(L"list");
    ASSERT_NE(list, nullptr);
    // Deletes the item it hears of: the one clicked, or the one selected.
    struct Remover : INotifyUI {
        CListUI* list = nullptr;
        uint32_t on = NOTIFY_ITEM_CLICK;
        void Notify(TNotifyUI& msg) override
        {
            if (msg.Type != on)
                return;
            CUIControl* item = on == NOTIFY_ITEM_CLICK ? msg.pSender : list->GetItemAt(list->GetCurSel());
            list->Remove(item);
            delete item;
        }
    } remover;
    remover.list = list;
    window->AddNotifier(&remover);
    vonktest::Click(handler, 50, 50);
    PaintAll();
    remover.on = NOTIFY_ITEM_SELECT;
    vonktest::Click(handler, 50, 50);
    window->RemoveNotifier(&remover);
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(Find<CUIControl>(L"l1"), nullptr);
    EXPECT_EQ(Find<CUIControl>(L"t2"), nullptr);
}

// Notes the tab notifications of a window.
class TabRecorder : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        if (msg.Type == NOTIFY_TAB_SELECT)
            seen.push_back("tab " + std::to_string(static_cast<int64_t>(msg.wParam)) + "," +
                           std::to_string(static_cast<int64_t>(msg.lParam)));
    }
    Lines seen;
};

CUITabLayout*& Doomed()
{
    static CUITabLayout* doomed = nullptr;
    return doomed;
}

bool DeleteDoomed(void*)
{
    delete Doomed();
    Doomed() = nullptr;
    return true;
}

TEST(TabDeletion, AHandlerThatDeletesTheLayoutWhileItSwitchesEndsTheSwitch)
{
    vonktest::StartHeadless();
    auto window = vonktest::OpenWindow(400, 300);
    TabRecorder recorder;
    window->AddNotifier(&recorder);
    CUIControl first, second;
    Doomed() = new CUITabLayout;
    Doomed()->Add(&first);
    Doomed()->Add(&second);
    window->InitControls(Doomed());
    second.VisibleChangedEvent += MakeDelegate(&DeleteDoomed);
    EXPECT_TRUE(Doomed()->SelectItem(1, true));
    EXPECT_EQ(Doomed(), nullptr);
    EXPECT_TRUE(recorder.seen.empty());
    EXPECT_EQ(second.GetParent(), nullptr);
}

}  // namespace widgets

// ---- the table: a handler deletes X during Y ----

namespace table {

// What the armed handler does, once, whatever calls it later.
std::function<void()> g_action;
bool g_ran = false;

void RunOnce()
{
    if (g_ran || !g_action)
        return;
    g_ran = true;
    const std::function<void()> action = std::move(g_action);
    action();
}

bool RunOnceEvent(void*)
{
    RunOnce();
    return true;
}

// The row windows alive now, each taken out as its deletion begins.
std::set<CUIWindow*> g_windows;
// Controls that a row's deletions left to the application, deleted at the row's end.
std::vector<CUIControl*> g_left;

struct Counted {
    explicit Counted(CUIWindow* window) : window(window) { g_windows.insert(window); }
    ~Counted() { g_windows.erase(window); }
    CUIWindow* window;
};

// The backend callback whose end runs the armed handler.
enum class Backend { None, Size, Close, Dpi, KeyDown, KeyUp };

// A window for trees built by hand; the application's own handling of the backend callbacks
// runs the armed handler after the library's.
class RowWindow : public vonktest::PlainWindow {
public:
    int OnSize(int width, int height) override { return Heard(Backend::Size, PlainWindow::OnSize(width, height)); }
    int OnClose() override { return Heard(Backend::Close, PlainWindow::OnClose()); }
    void OnDpiChange(double dpi) override
    {
        PlainWindow::OnDpiChange(dpi);
        Heard(Backend::Dpi, 0);
    }
    int OnKeyDown(int key) override { return Heard(Backend::KeyDown, PlainWindow::OnKeyDown(key)); }
    int OnKeyUp(int key) override { return Heard(Backend::KeyUp, PlainWindow::OnKeyUp(key)); }

    Backend deleteOn = Backend::None;

private:
    int Heard(Backend callback, int answer)
    {
        if (callback == deleteOn)
            RunOnce();
        return answer;
    }
    Counted m_counted{this};
};

// A window of a markup file of tests/data/windows.
class RowMarkupWindow : public vonktest::MarkupWindow {
public:
    using MarkupWindow::MarkupWindow;
    // "Doomed" elements run the armed handler when they are initialised.
    CUIControl* CreateControl(const CUIString& name) override
    {
        if (name != L"Doomed")
            return nullptr;
        auto* doomed = new CUIControl;
        doomed->InitEvent += RunOnceEvent;
        return doomed;
    }

private:
    Counted m_counted{this};
};

// The control that runs the armed handler once it painted itself, when armed.
class PaintingSpot : public CUIControl {
public:
    void DoPaint(CUIRender* render, const CUIRect& paint) override
    {
        CUIControl::DoPaint(render, paint);
        if (armed)
            RunOnce();
    }
    bool armed = false;
};

// root (200 x 200): outer (100 high: box of 60 with spot and after, then tail), then "ok".
struct Tree {
    CUIVerticalLayout* root;
    CUIVerticalLayout* outer;
    CUIVerticalLayout* box;
    PaintingSpot* spot;
    CUIControl* after;
    CUIControl* tail;
    CUIButton* ok;
};

template <typename Control>
Control* Make(const wchar_t* name, int height, unsigned long colour)
{
    auto* control = new Control;
    control->SetName(name);
    if (height > 0)
        control->SetFixedHeight(height);
    control->SetBkColor(colour);
    return control;
}

Tree MakeTree()
{
    Tree tree{Make<CUIVerticalLayout>(L"root", 0, 0xFF101010), Make<CUIVerticalLayout>(L"outer", 100, 0xFF202020),
              Make<CUIVerticalLayout>(L"box", 60, 0xFF303030),  Make<PaintingSpot>(L"spot", 30, 0xFF404040),
              Make<CUIControl>(L"after", 30, 0xFF505050),       Make<CUIControl>(L"tail", 0, 0xFF606060),
              Make<CUIButton>(L"ok", 40, 0xFF707070)};
    tree.box->Add(tree.spot);
    tree.box->Add(tree.after);
    tree.outer->Add(tree.box);
    tree.outer->Add(tree.tail);
    tree.root->Add(tree.outer);
    tree.root->Add(tree.ok);
    tree.ok->SetText(L"OK");
    return tree;
}

// A shown row window of 200 x 200, the newest one; its handler in handler.
RowWindow* OpenRowWindow(CMsgHandler*& handler)
{
    auto* window = new RowWindow;
    window->Create(0, 0, 200, 200);
    window->Show(true);
    handler = headless::LastHandler();
    return window;
}

// The same with tree attached, laid out and painted.
RowWindow* OpenTree(const Tree& tree, CMsgHandler*& handler)
{
    RowWindow* window = OpenRowWindow(handler);
    window->AttachDlg(tree.root);
    headless::PaintFrame();
    return window;
}

// Deletes window and leaves its tree to the application.
void DeleteWindow(CUIWindow* window)
{
    g_left.push_back(window->GetRoot());
    delete window;
}

void DeleteWindowAndTree(CUIWindow* window)
{
    DeleteControlTree(window->GetRoot());
    delete window;
}

// Deletes a container alone: its children stay the application's.
void DeleteAlone(CUIControl* container)
{
    for (int i = 0; i < container->GetCount(); ++i)
        g_left.push_back(container->GetItemAt(i));
    delete container;
}

tagPOINT CenterOf(const CUIControl* control)
{
    const CUIRect pos = control->GetPos();
    return {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
}

// Runs the armed handler when "ok" is clicked in the window it is told by.
class RunOnOkClick : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        if (msg.Type == NOTIFY_CLICK && msg.pSender && msg.pSender->GetName() == L"ok")
            RunOnce();
    }
};

// A window that survived its row, the newest: it lays out and paints again, and its "ok"
// takes a click.
void ExpectWorks(CUIWindow* window, CMsgHandler* handler)
{
    ASSERT_EQ(g_windows.count(window), 1u);
    window->Invalidate(CUIRect(0, 0, 400, 400));
    window->GetRoot()->NeedUpdate();
    const size_t drawn = headless::DrawCalls();
    EXPECT_TRUE(headless::PaintFrame());
    EXPECT_GT(headless::DrawCalls(), drawn);
    CUIControl* ok = window->FindControl(L"ok");
    ASSERT_NE(ok, nullptr);
    vonktest::NotifyLog notes;
    window->AddNotifier(&notes);
    const tagPOINT at = CenterOf(ok);
    vonktest::Click(handler, static_cast<int>(at.x), static_cast<int>(at.y));
    EXPECT_EQ(notes.Take(), (Lines{"click ok 0,0"}));
    window->RemoveNotifier(&notes);
}

// What the handler of a hand-built tree deletes.
enum class Target {
    Control,          // "spot" itself
    Parent,           // "box" alone: "spot" and "after" stay the application's
    ParentTree,       // "box" with "spot" and "after"
    GrandparentTree,  // "outer" with everything in it
    Window,           // the window; the tree stays the application's
    WindowAndTree,    // the tree, then the window
};

// When it deletes it: the size event of "spot" in the first layout, its paint, or its
// initialisation while AttachDlg gives the tree its window.
enum class During { Size, Paint, Init };

template <During during, Target target>
void TreeRow()
{
    const Tree tree = MakeTree();
    CMsgHandler* handler = nullptr;
    RowWindow* window = OpenRowWindow(handler);
    g_action = [tree, window] {
        switch (target) {
        case Target::Control: delete tree.spot; break;
        case Target::Parent: DeleteAlone(tree.box); break;
        case Target::ParentTree: DeleteControlTree(tree.box); break;
        case Target::GrandparentTree: DeleteControlTree(tree.outer); break;
        case Target::Window: DeleteWindow(window); break;
        case Target::WindowAndTree: DeleteWindowAndTree(window); break;
        }
    };
    if (during == During::Size)
        tree.spot->SizeEvent += RunOnceEvent;
    else if (during == During::Paint)
        tree.spot->armed = true;
    else
        tree.spot->InitEvent += RunOnceEvent;
    window->AttachDlg(tree.root);
    headless::PaintFrame();
    ASSERT_TRUE(g_ran);

    if (target == Target::Window || target == Target::WindowAndTree) {
        EXPECT_TRUE(g_windows.empty());
        return;
    }
    const wchar_t* gone = target == Target::Control           ? L"spot"
                          : target == Target::GrandparentTree ? L"outer"
                                                              : L"box";
    EXPECT_EQ(window->FindControl(gone), nullptr);
    if (target == Target::Parent) {
        EXPECT_EQ(tree.spot->GetParent(), nullptr);
        EXPECT_EQ(tree.after->GetParent(), nullptr);
    }
    ExpectWorks(window, handler);
}

// The tree attached by markup, from inside Create: a control's initialisation deletes the
// window, which leaves its tree to the application.
void InitDeletesTheWindowWhileMarkupAttaches()
{
    vonktest::UseDataFolder("windows");
    auto* window = new RowMarkupWindow(L"doomed_init.xml");
    g_action = [window] { DeleteWindow(window); };
    window->Create(0, 0, 300, 200);
    ASSERT_TRUE(g_ran);
    EXPECT_TRUE(g_windows.empty());
    headless::PaintFrame();
}

// The application's handling of a backend callback deletes the window, with or without
// its tree, once the library's handling returned.
template <Backend callback, bool withTree>
void BackendRow()
{
    const Tree tree = MakeTree();
    CMsgHandler* handler = nullptr;
    RowWindow* window = OpenTree(tree, handler);
    window->SetTimer(tree.spot, 10);
    window->deleteOn = callback;
    g_action = [window] { withTree ? DeleteWindowAndTree(window) : DeleteWindow(window); };
    switch (callback) {
    case Backend::Size: headless::ReportSize(250, 150); break;
    case Backend::Close: window->GetPlatform()->Close(); break;
    case Backend::Dpi: handler->OnDpiChange(144); break;
    case Backend::KeyDown: handler->OnKeyDown(27); break;
    case Backend::KeyUp: handler->OnKeyUp(27); break;
    case Backend::None: break;
    }
    ASSERT_TRUE(g_ran);
    EXPECT_TRUE(g_windows.empty());
    // Its timer and its pending frame went with it.
    headless::AdvanceClock(50);
    headless::PaintFrame();
}

// Two windows, A and B, each showing a tree of its own, as the rows across windows open them.
struct TwoWindows {
    const Tree treeA = MakeTree();
    CMsgHandler* handlerA = nullptr;
    RowWindow* const a = OpenTree(treeA, handlerA);
    const Tree treeB = MakeTree();
    CMsgHandler* handlerB = nullptr;
    RowWindow* const b = OpenTree(treeB, handlerB);
    const size_t timers = headless::RunningTimers();
};

// A click in A deletes B with its tree while B has a timer, a relayout and a paint pending,
// and A a timer for a control of B: none of them runs.
void AClickInOneWindowDeletesAnother()
{
    const TwoWindows two;
    two.b->SetTimer(two.treeB.spot, 10);
    two.a->SetTimer(two.treeB.after, 10);
    two.treeB.after->SetFixedHeight(20);
    two.b->Invalidate(CUIRect(0, 0, 200, 200));
    vonktest::NotifyLog notesA;
    two.a->AddNotifier(&notesA);
    RunOnOkClick deleter;
    two.a->AddNotifier(&deleter);
    g_action = [b = two.b] { DeleteWindowAndTree(b); };
    const tagPOINT at = CenterOf(two.treeA.ok);
    vonktest::Click(two.handlerA, static_cast<int>(at.x), static_cast<int>(at.y));
    ASSERT_TRUE(g_ran);
    EXPECT_EQ(g_windows.count(two.b), 0u);
    EXPECT_EQ(headless::RunningTimers(), two.timers);
    headless::AdvanceClock(50);
    EXPECT_EQ(notesA.Take(), (Lines{"click ok 0,0"}));
    two.a->RemoveNotifier(&deleter);
    two.a->RemoveNotifier(&notesA);
    ExpectWorks(two.a, two.handlerA);
}

// A click in B deletes A with its tree while A has a timer pending and B a timer for a
// control of A; B's other notifiers still hear of the click, and B keeps working.
void AWindowsHandlerDeletesAnotherDuringItsOwnCallback()
{
    const TwoWindows two;
    two.a->SetTimer(two.treeA.spot, 10);
    two.b->SetTimer(two.treeA.after, 10);
    RunOnOkClick deleter;
    two.b->AddNotifier(&deleter);
    vonktest::NotifyLog notesB;
    two.b->AddNotifier(&notesB);
    g_action = [a = two.a] { DeleteWindowAndTree(a); };
    const tagPOINT at = CenterOf(two.treeB.ok);
    vonktest::Click(two.handlerB, static_cast<int>(at.x), static_cast<int>(at.y));
    ASSERT_TRUE(g_ran);
    EXPECT_EQ(g_windows.count(two.a), 0u);
    EXPECT_EQ(notesB.Take(), (Lines{"click ok 0,0"}));
    EXPECT_EQ(headless::RunningTimers(), two.timers);
    headless::AdvanceClock(50);
    EXPECT_EQ(notesB.Take(), Lines{});
    two.b->RemoveNotifier(&notesB);
    two.b->RemoveNotifier(&deleter);
    ExpectWorks(two.b, two.handlerB);
}

// ---- lists without their body or header ----

struct ListRow {
    RowMarkupWindow* window;
    CMsgHandler* handler;
    CListUI* list;
};

// list_and_button.xml, shown, laid out and painted.
ListRow OpenList()
{
    vonktest::UseDataFolder("windows");
    auto* window = new RowMarkupWindow(L"list_and_button.xml");
    window->Create(0, 0, 300, 200);
    window->Show(true);
    CMsgHandler* handler = headless::LastHandler();
    headless::PaintFrame();
    auto* list = static_cast<CListUI*>(window->FindControl(L"list")->GetInterface(L"List"));
    return {window, handler, list};
}

// The list laid out and painted again, clicked, wheeled both ways and told of keys.
void UseList(const ListRow& row)
{
    row.list->NeedUpdate();
    row.window->Invalidate(CUIRect(0, 0, 300, 200));
    headless::PaintFrame();
    vonktest::Click(row.handler, 50, 60);
    vonktest::Wheel(row.handler, 50, 60, 1);
    vonktest::Wheel(row.handler, 50, 60, 0);
    for (uint32_t key : {40u, 35u, 36u}) {  // Down, End, Home
        TEventUI event = vonktest::MakeEvent(EVENT_KEYDOWN);
        event.chKey = key;
        row.list->Event(event);
    }
    row.list->SelectItem(1, true);
    headless::PaintFrame();
}

// Deletes the list's body alone; its items stay the application's.
void DeleteBody(CListUI* list) { DeleteAlone(list->GetList()); }

void DeleteHeader(CListUI* list) { DeleteAlone(list->GetHeader()); }

void AListWithoutItsBody()
{
    const ListRow row = OpenList();
    DeleteBody(row.list);
    EXPECT_EQ(row.list->GetList(), nullptr);
    ASSERT_NE(row.list->GetHeader(), nullptr);
    UseList(row);
    EXPECT_EQ(row.list->GetCount(), 0);
    EXPECT_EQ(row.list->GetItemAt(0), nullptr);
    ExpectWorks(row.window, row.handler);
}

void AListWithoutItsHeader()
{
    const ListRow row = OpenList();
    DeleteHeader(row.list);
    EXPECT_EQ(row.list->GetHeader(), nullptr);
    ASSERT_NE(row.list->GetList(), nullptr);
    UseList(row);
    // The items still take the pointer.
    CUIControl* two = row.window->FindControl(L"i2");
    ASSERT_NE(two, nullptr);
    headless::PaintFrame();
    const tagPOINT at = CenterOf(two);
    vonktest::Click(row.handler, static_cast<int>(at.x), static_cast<int>(at.y));
    EXPECT_EQ(row.list->GetCurSel(), 2);
    ExpectWorks(row.window, row.handler);
}

// The body, then the list, then an item of it used: as an item without an owner.
void AnItemAfterItsBodyAndListWent()
{
    const ListRow row = OpenList();
    auto* item = dynamic_cast<CListLabelElementUI*>(row.window->FindControl(L"i0"));
    ASSERT_NE(item, nullptr);
    DeleteBody(row.list);
    g_left.erase(std::remove(g_left.begin(), g_left.end(), item), g_left.end());
    DeleteControlTree(row.list);
    EXPECT_EQ(row.window->FindControl(L"list"), nullptr);
    EXPECT_EQ(item->GetOwner(), nullptr);
    EXPECT_TRUE(item->Select(true));
    item->Activate();
    item->DoPaint(row.window->GetPaintContext(), item->GetPos());
    delete item;
    ExpectWorks(row.window, row.handler);
}

// Runs the armed handler when an item of the list is clicked.
class RunOnItemClick : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        if (msg.Type == NOTIFY_ITEM_CLICK)
            RunOnce();
    }
};

// An item's click handler deletes the list's body, or the list alone, before the item
// selects itself.
template <bool wholeList>
void AnItemClickDeletesItsList()
{
    const ListRow row = OpenList();
    RunOnItemClick deleter;
    row.window->AddNotifier(&deleter);
    CListUI* list = row.list;
    g_action = [list] {
        if (!wholeList) {
            DeleteBody(list);
            return;
        }
        // The list alone: its header and body stay the application's.
        g_left.push_back(list->GetHeader());
        g_left.push_back(list->GetList());
        delete list;
    };
    CUIControl* one = row.window->FindControl(L"i1");
    const tagPOINT at = CenterOf(one);
    vonktest::Click(row.handler, static_cast<int>(at.x), static_cast<int>(at.y));
    ASSERT_TRUE(g_ran);
    row.window->RemoveNotifier(&deleter);
    if (!wholeList)
        UseList(row);
    ExpectWorks(row.window, row.handler);
}

struct Row {
    const char* name;
    void (*run)();
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Row kRows[] = {
    {"SizeEventDeletesItsControl", TreeRow<During::Size, Target::Control>},
    {"SizeEventDeletesItsParentAlone", TreeRow<During::Size, Target::Parent>},
    {"SizeEventDeletesItsParentsTree", TreeRow<During::Size, Target::ParentTree>},
    {"SizeEventDeletesTheContainerAboveItsParent", TreeRow<During::Size, Target::GrandparentTree>},
    {"SizeEventDeletesTheWindowWithoutItsTree", TreeRow<During::Size, Target::Window>},
    {"SizeEventDeletesTheWindowAndItsTree", TreeRow<During::Size, Target::WindowAndTree>},
    {"PaintDeletesItsParentAlone", TreeRow<During::Paint, Target::Parent>},
    {"PaintDeletesItsParentsTree", TreeRow<During::Paint, Target::ParentTree>},
    {"PaintDeletesTheWindowWithoutItsTree", TreeRow<During::Paint, Target::Window>},
    {"PaintDeletesTheWindowAndItsTree", TreeRow<During::Paint, Target::WindowAndTree>},
    {"InitDeletesTheWindowDuringAttach", TreeRow<During::Init, Target::Window>},
    {"InitDeletesTheWindowAndItsTreeDuringAttach", TreeRow<During::Init, Target::WindowAndTree>},
    {"InitDeletesTheWindowWhileMarkupAttaches", InitDeletesTheWindowWhileMarkupAttaches},
    {"BackendSizeDeletesTheWindow", BackendRow<Backend::Size, false>},
    {"BackendSizeDeletesTheWindowAndItsTree", BackendRow<Backend::Size, true>},
    {"BackendCloseDeletesTheWindowAndItsTree", BackendRow<Backend::Close, true>},
    {"BackendDpiChangeDeletesTheWindowAndItsTree", BackendRow<Backend::Dpi, true>},
    {"KeyDownDeletesTheWindow", BackendRow<Backend::KeyDown, false>},
    {"KeyUpDeletesTheWindowAndItsTree", BackendRow<Backend::KeyUp, true>},
    {"AClickInOneWindowDeletesAnotherWithWorkPending", AClickInOneWindowDeletesAnother},
    {"AWindowsHandlerDeletesAnotherDuringItsOwnCallback", AWindowsHandlerDeletesAnotherDuringItsOwnCallback},
    {"AListWithoutItsBodyLaysOutPaintsAndTakesInput", AListWithoutItsBody},
    {"AListWithoutItsHeaderLaysOutPaintsAndTakesInput", AListWithoutItsHeader},
    {"AnItemAfterItsBodyAndItsListWent", AnItemAfterItsBodyAndListWent},
    {"AnItemClickDeletesTheListsBody", AnItemClickDeletesItsList<false>},
    {"AnItemClickDeletesTheListAlone", AnItemClickDeletesItsList<true>},
};

// Every row runs beside a witness window made first, which must come through each row
// unharmed: it still takes a click and paints.
class DeletionTest : public testing::TestWithParam<Row> {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        g_action = nullptr;
        g_ran = false;
        g_left.clear();
        witness = vonktest::OpenWindow(100, 50);
        witnessHandler = headless::LastHandler();
        witnessRender = headless::LastRender();
        auto* button = new CUIButton;
        button->SetName(L"witness");
        witness->AttachDlg(button);
        witness->AddNotifier(&witnessNotes);
        witnessHandler->OnPaint(witnessRender);
        witnessNotes.Take(true);
        windowsBefore = headless::Outstanding("Window");
        timersBefore = headless::Outstanding("Timer");
    }

    void TearDown() override
    {
        vonktest::DeleteTree(*witness);
        witness.reset();
    }

    // Deletes what the row left to the application: its windows with their trees, then the
    // controls that its deletions left over, which no window holds any more.
    void DeleteWhatIsLeft()
    {
        const std::set<CUIWindow*> windows = g_windows;
        for (CUIWindow* window : windows)
            DeleteWindowAndTree(window);
        for (CUIControl* control : g_left) {
            EXPECT_EQ(control->GetOwnWindow(), nullptr);
            control->Invalidate();
            DeleteControlTree(control);
        }
        g_left.clear();
    }

    std::unique_ptr<vonktest::PlainWindow> witness;
    CMsgHandler* witnessHandler = nullptr;
    CRenderBase* witnessRender = nullptr;
    vonktest::NotifyLog witnessNotes;
    size_t windowsBefore = 0;
    size_t timersBefore = 0;
};

TEST_P(DeletionTest, NothingGoneIsReadAndWhatIsLeftKeepsWorking)
{
    GetParam().run();
    DeleteWhatIsLeft();
    EXPECT_EQ(headless::Outstanding("Window"), windowsBefore);
    EXPECT_EQ(headless::Outstanding("Timer"), timersBefore);
    vonktest::Click(witnessHandler, 50, 25);
    EXPECT_EQ(witnessNotes.Take(), (Lines{"click witness 0,0"}));
    witness->Invalidate(CUIRect(0, 0, 100, 50));
    EXPECT_EQ(witnessHandler->OnPaint(witnessRender), 1);
}

INSTANTIATE_TEST_SUITE_P(Handlers, DeletionTest, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace table

}  // namespace
