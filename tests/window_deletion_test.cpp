// The application deletes a window from inside the window's own callbacks, the
// delete-on-close pattern: from a click, the close button, a timer, the pointer entering
// or leaving a control, the first paint and InitWindow, alone or with its tree. Nothing
// of the window is touched afterwards, and nothing is left over.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "user_actions.h"

namespace {

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

}  // namespace
