// A window on the headless backend: what reaches the backend, scaling, the
// registries, timers ticked by hand, and controls deleted while registered.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace {

using vonktest::Lines;
using vonktest::Text;

class TestWindow : public CUIWindow {
public:
    CUIString GetSkinFolder() override { return L""; }
};

std::string Pointer(const void* pointer)
{
    std::ostringstream out;
    out << pointer;
    return out.str();
}

// Every input event that reached a control, as "type:wParam".
std::vector<std::string>& Inputs()
{
    static std::vector<std::string> inputs;
    return inputs;
}

bool RecordInput(void* param)
{
    const auto* event = static_cast<const TEventUI*>(param);
    Inputs().push_back(std::to_string(event->Type) + ":" + std::to_string(event->wParam));
    return true;
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        window = std::make_unique<TestWindow>();
        window->Create(0, 0, 200, 100);
        headless::ClearJournal();
    }

    // Attaches root > (a, b) and lays it out over the whole window.
    void AttachTree()
    {
        a.SetName(L"a");
        b.SetName(L"b");
        root.Add(&a);
        root.Add(&b);
        window->AttachDlg(&root);
        root.SetPos(CUIRect(0, 0, 200, 100), false);
        a.SetPos(CUIRect(0, 0, 100, 50), false);
        b.SetPos(CUIRect(100, 0, 300, 50), false);  // reaches past the root's right edge
        headless::ClearJournal();
    }

    CUIControl root, a, b;
    std::unique_ptr<TestWindow> window;
};

TEST_F(WindowTest, TakesABackendWindowAndTimerAndReturnsThemInOrder)
{
    EXPECT_EQ(headless::LastHandler(), static_cast<CMsgHandler*>(window.get()));
    EXPECT_EQ(headless::Outstanding("Window"), 1u);
    EXPECT_EQ(headless::Outstanding("Timer"), 1u);
    vonktest::LogCapture log;
    window.reset();
    const auto messages = log.Messages();
    EXPECT_EQ(headless::Journal(), (Lines{"ReleaseTimer()", "ReleaseWindow()"}));
    EXPECT_EQ(headless::Outstanding("Window"), 0u);
    EXPECT_EQ(headless::Outstanding("Timer"), 0u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("src/ui/src/UIWindow.cpp"), std::string::npos);
    EXPECT_NE(messages[0].find("] window release "), std::string::npos);
}

TEST(WindowWithoutBackendTest, ForwardsNothingWithoutABackendWindow)
{
    vonktest::StartHeadless();
    headless::SetFaults(headless::kNullWindow | headless::kNullTimer);
    vonktest::LogCapture log;
    TestWindow window;
    EXPECT_NE(log.Messages().at(0).find("platform window = (nil) "), std::string::npos);
    CUIControl control;
    EXPECT_FALSE(window.Create(0, 0, 10, 10));
    window.Show(true);
    window.NeedUpdate();
    window.MoveWindow(5, 5);
    EXPECT_FALSE(window.IsMaximize());
    EXPECT_EQ(window.GetRenderSharedMapName("map"), nullptr);
    EXPECT_EQ(window.SetTimer(&control, 10), 0);
    EXPECT_TRUE(window.IsShow());
    // The two requests that came back empty are all the backend heard.
    EXPECT_EQ(headless::Journal(), (Lines{"GetPlatformWindow()", "GetTimer()"}));
}

TEST_F(WindowTest, ShowReachesTheBackendOnlyOnAChange)
{
    window->Show(true);
    window->Show(true);
    window->ShowPop(false);
    window->Show(false);
    window->ShowPop(true);
    window->Show(false);
    EXPECT_EQ(headless::Journal(), (Lines{"Window.Show(1)", "Window.ShowPop(0)", "Window.ShowPop(1)", "Window.Show(0)"}));
}

TEST_F(WindowTest, InvalidateReachesTheBackendOnlyWhileShownButNeedUpdateAlways)
{
    window->Invalidate(CUIRect(1, 2, 3, 4));
    window->NeedUpdate();
    window->Show(true);
    window->Invalidate(CUIRect(1, 2, 3, 4));
    EXPECT_EQ(headless::Journal(), (Lines{"Window.NeedUpdate()", "Window.Show(1)", "Window.Invalidate(1,2,3,4)"}));
}

TEST_F(WindowTest, SizeAndPositionAreTheOnesTheBackendReported)
{
    headless::ReportSize(321, 123);
    headless::ReportMove(30, 40);
    tagSIZE size{};
    tagPOINT pos{};
    window->GetSize(size);
    window->GetWindowPos(pos);
    EXPECT_EQ(size.cx, 321);
    EXPECT_EQ(size.cy, 123);
    EXPECT_EQ(pos.x, 30);
    EXPECT_EQ(pos.y, 40);

    headless::ClearJournal();
    window->MoveWindow(30, 40);
    window->ReSize({321, 123});
    EXPECT_TRUE(headless::Journal().empty());
    window->MoveWindow(50, 60);
    EXPECT_EQ(headless::Journal(), (Lines{"Window.MoveWindow(50,60)"}));
}

// As a window system does, the backend tells the window the size that a ReSize gave once
// the call has returned, before the next thing it delivers: here the frame, which then lays
// the root out at that size.
TEST_F(WindowTest, TheBackendReportsTheSizeThatReSizeGaveBeforeItsNextDelivery)
{
    AttachTree();
    window->ReSize(CUISize(300, 150));
    tagSIZE size{};
    window->GetSize(size);
    EXPECT_EQ(vonktest::Size(size), "200,100");
    headless::PaintFrame();
    window->GetSize(size);
    EXPECT_EQ(vonktest::Size(size), "300,150");
    EXPECT_EQ(Text(root.GetPos()), "0,0,300,150");

    // Pointer input comes after it too, and a size that the user gave replaces one not yet told.
    window->ReSize(CUISize(320, 160));
    headless::MoveTo(1, 1);
    window->GetSize(size);
    EXPECT_EQ(vonktest::Size(size), "320,160");
    window->ReSize(CUISize(400, 200));
    headless::ReportSize(250, 120);
    headless::PaintFrame();
    window->GetSize(size);
    EXPECT_EQ(vonktest::Size(size), "250,120");
}

TEST_F(WindowTest, ReSizeKeepsWithinTheSizeLimits)
{
    const struct {
        CUISize minimum, maximum, asked;
        const char* sent;
    } cases[] = {
        {CUISize(300, 200), CUISize(), CUISize(100, 500), "Window.ReSize(300,500)"},
        {CUISize(), CUISize(400, 400), CUISize(500, 100), "Window.ReSize(400,100)"},
        {CUISize(300, 200), CUISize(400, 400), CUISize(500, 100), "Window.ReSize(400,200)"},
        {CUISize(), CUISize(-1, 500), CUISize(800, 600), "Window.ReSize(800,500)"},  // -1 limits nothing
    };
    for (const auto& c : cases) {
        TestWindow sized;
        sized.SetMinSize(c.minimum);
        sized.SetMaxSize(c.maximum);
        headless::ClearJournal();
        sized.ReSize(c.asked);
        EXPECT_EQ(headless::JournalOf("Window.ReSize"), Lines{c.sent});
    }
}

TEST_F(WindowTest, SetMinMaxSizeInfoStoresLimitsAndReachesTheBackendOnlyWithASizeBox)
{
    window->SetMinMaxSizeInfo(CUISize(100, 100), CUISize());
    window->ReSize(CUISize(800, 600));
    window->ReSize(CUISize(50, 600));
    EXPECT_EQ(headless::Journal(), (Lines{"Window.ReSize(800,600)", "Window.ReSize(100,600)"}));

    headless::ClearJournal();
    window->SetInitSize(CUISize(640, 480), false);
    window->SetSizeBox(CUIRect(4, 4, 4, 4));
    window->SetMinMaxSizeInfo(CUISize(), CUISize());
    EXPECT_EQ(headless::Journal(), (Lines{"Window.SetMinMaxSizeInfo(640,480,-1,-1)"}));
    CUISize initial;
    window->GetInitSize(initial);
    EXPECT_EQ(initial.cx, 640);
}

TEST_F(WindowTest, SetInitSizeResizesOnlyWhenAsked)
{
    window->SetInitSize(CUISize(300, 300), false);
    window->SetInitSize(CUISize(320, 240), true);
    EXPECT_EQ(headless::Journal(), (Lines{"Window.ReSize(320,240)"}));
}

TEST_F(WindowTest, ForwardsTheWindowOperations)
{
    TestWindow parent;
    window->SetType(2);
    window->Quite();
    window->CenterWindow();
    window->Maximize();
    EXPECT_TRUE(window->IsMaximize());
    window->Minimize();
    window->Restore();
    window->FullScreen();
    EXPECT_TRUE(window->IsFullScreen());
    window->SetParent(&parent);
    window->SetParent(nullptr);
    EXPECT_EQ(headless::JournalOf("Window."),
              (Lines{"Window.SetType(2)", "Window.Quite()", "Window.CenterWindow()", "Window.Maximize()",
                     "Window.Minimize()", "Window.Restore()", "Window.FullScreen()",
                     "Window.SetParent(" + Pointer(parent.GetPlatform()) + ")",
                     "Window.SetParent(" + Pointer(nullptr) + ")"}));
    tagRECT clip{};
    window->GetClipRect(clip);
    EXPECT_EQ(Text(clip), "0,0,200,100");
}

TEST_F(WindowTest, CaptionRectangleIsScaledAndTruncated)
{
    const struct {
        CUIRect caption;
        double width, height;
        const char* scaled;
    } cases[] = {
        {CUIRect(0, 0, 100, 30), 1.5, 2.0, "0,0,150,60"},
        {CUIRect(0, 0, -1, -1), 1.5, 1.5, "0,0,-1,-1"},
        {CUIRect(3, 3, 5, 5), 1.25, 1.25, "3,3,6,6"},
        // Edges beyond what the scaled value can hold stop at its ends.
        {CUIRect(INT64_MAX, INT64_MIN, 0, 48), 1.0, 1.0, "9223372036854775807,-9223372036854775808,0,48"},
        {CUIRect(0, 0, INT64_MAX / 2, 48), 4.0, 1.0, "0,0,9223372036854775807,48"},
    };
    for (const auto& c : cases) {
        window->SetCaptionRect(c.caption);
        window->OnScaleChange(c.width, c.height);
        EXPECT_EQ(Text(window->GetCaptionRect()), c.scaled);
    }
}

TEST_F(WindowTest, ScaleChangeScalesFontsByTheSmallerFactorOnly)
{
    window->OnScaleChange(1.25, 1.5);
    EXPECT_DOUBLE_EQ(window->GetPaintManager()->GetScale(), 1.25);
    EXPECT_DOUBLE_EQ(window->GetWidthScale(), 1.25);
    EXPECT_DOUBLE_EQ(window->GetHeightScale(), 1.5);
    EXPECT_TRUE(headless::JournalOf("Window.").empty());  // no relayout, no repaint
    EXPECT_EQ(window->GetPaintManager(), window->GetPaintManager());
    EXPECT_EQ(window->GetDPIObj(), window->GetDPIObj());
}

TEST_F(WindowTest, ScaledGettersRoundTheProductUp)
{
    const struct {
        double width, height;
        bool small;
        int fixedWidth, fixedHeight;
        int readWidth, readHeight, readMaxWidth, readMinWidth;
        int64_t estimateCx, estimateCy;
    } cases[] = {
        {1.25, 1.0, false, 100, 10, 125, 10, 12499, 13, 125, 10},
        {1.5, 1.5, false, 101, 10, 152, 15, 14999, 15, 152, 15},
        {2.0, 1.5, true, 100, 40, 150, 60, 19998, 20, 150, 60},  // small scale: 1.5 for the fixed size only
    };
    for (const auto& c : cases) {
        CUIControl control;
        window->InitControls(&control);
        window->OnScaleChange(c.width, c.height);
        control.SetUseSmallScale(c.small);
        control.SetFixedWidth(c.fixedWidth);
        control.SetFixedHeight(c.fixedHeight);
        control.SetMinWidth(10);
        EXPECT_EQ(control.GetFixedWidth(), c.readWidth);
        EXPECT_EQ(control.GetFixedHeight(), c.readHeight);
        EXPECT_EQ(control.GetMaxWidth(), c.readMaxWidth);
        EXPECT_EQ(control.GetMinWidth(), c.readMinWidth);
        const tagSIZE estimate = control.EstimateSize({0, 0});
        EXPECT_EQ(estimate.cx, c.estimateCx);
        EXPECT_EQ(estimate.cy, c.estimateCy);
    }
}

TEST_F(WindowTest, FixedPositionAndPaddingAreStoredLogicalAndReadScaled)
{
    CUIControl control;
    window->InitControls(&control);
    window->OnScaleChange(1.5, 1.5);
    control.SetFixedXYCurrent({100, 100});
    tagSIZE xy = control.GetFixedXY();
    EXPECT_EQ(xy.cx, 101);  // stored as 67
    EXPECT_EQ(xy.cy, 101);
    control.SetFixedXY({10, 20});
    xy = control.GetFixedXY();
    EXPECT_EQ(xy.cx, 15);
    EXPECT_EQ(xy.cy, 30);
    window->OnScaleChange(2.0, 3.0);
    control.SetPadding(CUIRect(1, 1, 2, 2));
    EXPECT_EQ(Text(control.GetPadding()), "2,3,4,6");
}

TEST_F(WindowTest, SizeChangesAskTheBackendForARelayout)
{
    AttachTree();
    const auto relayouts = [] { return headless::JournalOf("Window.NeedUpdate").size(); };
    a.SetMinWidth(-5);
    a.SetMinWidth(0);  // the current value
    EXPECT_EQ(relayouts(), 0u);
    a.SetFixedWidth(0);  // the current value, asked again
    EXPECT_GE(relayouts(), 1u);
    EXPECT_TRUE(root.IsUpdateNeeded());
}

TEST_F(WindowTest, AFloatControlAsksForItsOwnRelayoutAndAnotherForItsParents)
{
    AttachTree();
    a.SetFloat(true);
    root.SetPos(root.GetPos(), false);
    a.SetPos(a.GetPos(), false);
    ASSERT_FALSE(root.IsUpdateNeeded());
    a.SetFixedWidth(30);
    EXPECT_TRUE(a.IsUpdateNeeded());
    EXPECT_FALSE(root.IsUpdateNeeded());
    b.SetFixedWidth(30);
    EXPECT_TRUE(root.IsUpdateNeeded());
}

TEST_F(WindowTest, InvalidateIsClippedByEveryAncestorAndOnlyWhileShown)
{
    AttachTree();
    a.Invalidate();
    EXPECT_TRUE(headless::Journal().empty());
    window->Show(true);
    headless::ClearJournal();
    a.Invalidate();
    b.Invalidate();
    EXPECT_EQ(headless::Journal(), (Lines{"Window.Invalidate(0,0,100,50)", "Window.Invalidate(100,0,200,50)"}));

    b.SetPos(CUIRect(250, 0, 300, 50), false);
    headless::ClearJournal();
    b.Invalidate();  // wholly outside the root
    a.SetVisible(false);
    headless::ClearJournal();
    a.Invalidate();  // hidden
    EXPECT_TRUE(headless::JournalOf("Window.Invalidate").empty());
}

TEST_F(WindowTest, UpdatePosRepaintsTheOldAndNewPlaceAndFiresSizeEventOnce)
{
    AttachTree();
    window->Show(true);
    static int sizeEvents;
    sizeEvents = 0;
    a.SizeEvent += [](void* control) {
        // Moving the control again from here fires no second event.
        if (++sizeEvents == 1)
            static_cast<CUIControl*>(control)->SetPos(CUIRect(20, 10, 160, 80), false);
        return true;
    };
    headless::ClearJournal();
    a.SetPos(CUIRect(20, 10, 160, 80), true);
    EXPECT_EQ(sizeEvents, 1);
    EXPECT_FALSE(a.IsUpdateNeeded());
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), Lines{"Window.Invalidate(0,0,160,80)"});

    headless::ClearJournal();
    a.SetPos(CUIRect(20, 10, 160, 80), false);
    EXPECT_EQ(sizeEvents, 2);
    EXPECT_TRUE(headless::Journal().empty());
}

TEST_F(WindowTest, TextChangesRepaintOnlyWhenTheTextDiffers)
{
    AttachTree();
    window->Show(true);
    headless::ClearJournal();
    a.SetText(L"one");
    a.SetText(L"one");
    a.SetEnabled(true);
    a.SetEnabled(false);
    EXPECT_EQ(headless::JournalOf("Window.Invalidate").size(), 2u);
}

TEST_F(WindowTest, NamesFindTheControlReachedLast)
{
    CUIControl child, first, second;
    root.SetName(L"same");
    child.SetName(L"same");
    first.SetName(L"twin");
    second.SetName(L"twin");
    root.Add(&child);
    root.Add(&first);
    root.Add(&second);
    window->AttachDlg(&root);
    EXPECT_EQ(window->FindControl(L"same"), &root);
    EXPECT_EQ(window->FindControl(L"twin"), &second);
    EXPECT_EQ(window->FindControl(L"Twin"), nullptr);
    EXPECT_EQ(window->FindControl(static_cast<const wchar_t*>(nullptr)), nullptr);
    EXPECT_EQ(window->FindSubControlByName(nullptr, L"twin"), &first);  // the search's own order
    EXPECT_EQ(window->FindSubControlByName(&child, L"twin"), nullptr);

    CUIControl added;
    added.SetName(L"twin");
    first.Add(&added);  // a subtree added later wins
    EXPECT_EQ(window->FindControl(L"twin"), &added);
    EXPECT_EQ(added.GetOwnWindow(), window.get());
    EXPECT_EQ(added.GetParent(), &first);

    second.SetName(L"renamed");  // not registered again
    EXPECT_EQ(window->FindControl(L"renamed"), nullptr);
}

TEST_F(WindowTest, EveryNameAControlWasRegisteredUnderIsForgottenWithIt)
{
    auto earlier = std::make_unique<CUIControl>();
    auto later = std::make_unique<CUIControl>();
    auto moved = std::make_unique<CUIControl>();
    earlier->SetName(L"shared");
    later->SetName(L"shared");
    moved->SetName(L"one");
    root.Add(earlier.get());
    root.Add(moved.get());
    window->AttachDlg(&root);
    root.Add(later.get());  // takes the name over
    moved->SetName(L"two");
    root.Remove(moved.get());
    root.Add(moved.get());  // now under both names
    EXPECT_EQ(window->FindControl(L"one"), moved.get());
    EXPECT_EQ(window->FindControl(L"two"), moved.get());

    later.reset();
    EXPECT_EQ(window->FindControl(L"shared"), nullptr);
    moved.reset();
    EXPECT_EQ(window->FindControl(L"one"), nullptr);
    EXPECT_EQ(window->FindControl(L"two"), nullptr);
    earlier.reset();  // had given the name away: nothing of it is left to forget
    EXPECT_EQ(root.GetCount(), 0);
}

TEST_F(WindowTest, AddingToAnAttachedParentInitialisesTheSubtree)
{
    AttachTree();
    static std::vector<const void*> initialised;
    initialised.clear();
    CUIControl child, grandchild;
    child.Add(&grandchild);
    for (CUIControl* control : {&child, &grandchild})
        control->InitEvent += [](void* control) {
            initialised.push_back(control);
            return true;
        };
    EXPECT_FALSE(a.AddAt(&child, 5));  // refused before anything happens
    EXPECT_TRUE(initialised.empty());
    EXPECT_EQ(child.GetOwnWindow(), nullptr);
    EXPECT_TRUE(a.Add(&child));
    EXPECT_EQ(initialised, (std::vector<const void*>{&grandchild, &child}));
    EXPECT_EQ(grandchild.GetOwnWindow(), window.get());
}

TEST_F(WindowTest, FindControlAtAPointTakesTheTopmostVisibleControl)
{
    AttachTree();
    CUIControl overlap;
    root.Add(&overlap);
    overlap.SetPos(CUIRect(50, 0, 150, 50), false);
    EXPECT_EQ(window->FindControl(tagPOINT{60, 10}), &overlap);
    EXPECT_EQ(window->FindControl(tagPOINT{10, 10}), &a);
    EXPECT_EQ(window->FindControl(tagPOINT{10, 80}), &root);
    EXPECT_EQ(window->FindControl(tagPOINT{250, 10}), nullptr);  // outside the root
    overlap.SetVisible(false);
    EXPECT_EQ(window->FindControl(tagPOINT{60, 10}), &a);
    EXPECT_EQ(window->FindSubControlByPoint(&b, tagPOINT{60, 10}), nullptr);
    int count = 0;
    root.FindControl(CUIWindow::__FindControlFromCount, &count, 0);
    EXPECT_EQ(count, 4);
}

TEST_F(WindowTest, OptionGroupsHoldEachControlOnce)
{
    CUIControl first, second;
    EXPECT_TRUE(window->AddOptionGroup(L"g", &first));
    EXPECT_FALSE(window->AddOptionGroup(L"g", &first));
    EXPECT_TRUE(window->AddOptionGroup(L"g", &second));
    ASSERT_NE(window->GetOptionGroup(L"g"), nullptr);
    EXPECT_EQ(window->GetOptionGroup(L"g")->GetSize(), 2);
    EXPECT_FALSE(window->RemoveOptionGroup(L"g", &first));  // the group is not empty yet
    EXPECT_TRUE(window->RemoveOptionGroup(L"g", &second));
    EXPECT_EQ(window->GetOptionGroup(L"g"), nullptr);
    EXPECT_FALSE(window->RemoveOptionGroup(L"g", &second));
    EXPECT_FALSE(window->AddOptionGroup(nullptr, &first));
    EXPECT_EQ(window->GetOptionGroup(nullptr), nullptr);
    window->AddOptionGroup(L"x", &first);
    window->AddOptionGroup(L"y", &first);
    window->RemoveAllOptionGroups();
    EXPECT_EQ(window->GetOptionGroup(L"x"), nullptr);
}

TEST_F(WindowTest, DefaultAttributeListsKeepTheFirstListPerElement)
{
    window->AddDefaultAttributeList(L"Button", L"width=\"10\" ");
    window->AddDefaultAttributeList(L"Button", L"width=\"20\" ");
    window->AddDefaultAttributeList(L"Label", L"height=\"5\" ");
    window->AddDefaultAttributeList(nullptr, L"x");
    window->AddDefaultAttributeList(L"Null", nullptr);
    EXPECT_STREQ(window->GetDefaultAttributeList(L"Button"), L"width=\"10\" ");
    EXPECT_EQ(window->GetDefaultAttributeList(L"Null"), nullptr);
    EXPECT_EQ(window->GetDefaultAttributeList(nullptr), nullptr);
    EXPECT_EQ(window->GetDefaultAttribultes()->GetSize(), 2);
    EXPECT_TRUE(window->RemoveDefaultAttributeList(L"Button"));
    EXPECT_FALSE(window->RemoveDefaultAttributeList(L"Button"));
    window->RemoveAllDefaultAttributeList();
    EXPECT_EQ(window->GetDefaultAttributeList(L"Label"), nullptr);
}

class CountingNotifier : public INotifyUI {
public:
    void Notify(TNotifyUI&) override {}
};

TEST_F(WindowTest, NotifiersAndFiltersAreListsWithoutDuplicateChecks)
{
    CountingNotifier notifier;
    EXPECT_TRUE(window->AddNotifier(&notifier));
    EXPECT_TRUE(window->AddNotifier(&notifier));
    EXPECT_TRUE(window->RemoveNotifier(&notifier));
    EXPECT_TRUE(window->RemoveNotifier(&notifier));
    EXPECT_FALSE(window->RemoveNotifier(&notifier));
    CUIControl control;
    EXPECT_TRUE(window->AddMessageFilter(&control));
    EXPECT_TRUE(window->RemoveMessageFilter(&control));
    EXPECT_FALSE(window->RemoveMessageFilter(&control));
}

TEST_F(WindowTest, TimersTickTheirControlUntilKilled)
{
    CUIControl control, other;
    control.InputEvent += RecordInput;
    Inputs().clear();
    const int first = window->SetTimer(&control, 50);
    const int second = window->SetTimer(&control, 30);
    window->SetTimer(&other, 10);
    EXPECT_EQ(headless::JournalOf("Timer.SetTimer"),
              (Lines{"Timer.SetTimer(50," + std::to_string(first) + ")",
                     "Timer.SetTimer(30," + std::to_string(second) + ")", "Timer.SetTimer(10,3)"}));
    headless::AdvanceClock(60);
    const std::string tickFirst = "25:" + std::to_string(first);
    const std::string tickSecond = "25:" + std::to_string(second);
    EXPECT_EQ(Inputs(), (std::vector<std::string>{tickSecond, tickFirst, tickSecond}));

    headless::ClearJournal();
    EXPECT_FALSE(window->KillTimer(&control, second));
    EXPECT_FALSE(window->KillTimer(&control, 999));
    EXPECT_FALSE(window->KillTimer(&other, first));
    EXPECT_EQ(headless::Journal(), Lines{"Timer.KillTimer(" + std::to_string(second) + ")"});
    EXPECT_EQ(headless::RunningTimers(), 2u);
    // Every timer of the control stops, in the order they were started.
    const int third = window->SetTimer(&control, 40);
    headless::ClearJournal();
    window->KillTimer(&control);
    EXPECT_EQ(headless::Journal(), (Lines{"Timer.KillTimer(" + std::to_string(first) + ")",
                                          "Timer.KillTimer(" + std::to_string(third) + ")"}));
    EXPECT_EQ(headless::RunningTimers(), 1u);
    window->RemoveAllTimers();
    EXPECT_EQ(headless::RunningTimers(), 0u);
}

TEST_F(WindowTest, ATimerHandlerMayKillItsOwnTimer)
{
    static TestWindow* owner;
    owner = window.get();
    CUIControl control;
    control.InputEvent += [](void* param) {
        owner->KillTimer(static_cast<TEventUI*>(param)->pSender);
        return true;
    };
    window->SetTimer(&control, 10);
    headless::AdvanceClock(100);
    EXPECT_EQ(headless::RunningTimers(), 0u);
    EXPECT_EQ(headless::JournalOf("Timer.KillTimer").size(), 1u);
}

using WindowDeathTest = WindowTest;

TEST_F(WindowDeathTest, TimerProgrammingErrorsStopTheProcess)
{
    CUIControl control;
    EXPECT_DEATH(window->SetTimer(nullptr, 10), "int CUIWindow::SetTimer\\(CUIControl\\*, UINT\\).*pControl != NULL");
    EXPECT_DEATH(window->SetTimer(&control, 0), "uElapse > 0");
    EXPECT_DEATH(window->KillTimer(nullptr, 1), "bool CUIWindow::KillTimer\\(CUIControl\\*, UINT\\)");
    EXPECT_DEATH(window->KillTimer(nullptr), "void CUIWindow::KillTimer\\(CUIControl\\*\\)");
}

TEST_F(WindowTest, ADeletedControlIsForgottenByEveryRegistry)
{
    TestWindow second;
    auto doomed = std::make_unique<CUIControl>();
    doomed->SetName(L"doomed");
    root.Add(doomed.get());
    window->AttachDlg(&root);
    second.AddOptionGroup(L"g", doomed.get());
    CUIControl survivor;
    window->AddOptionGroup(L"g", doomed.get());
    window->AddOptionGroup(L"g", &survivor);
    window->AddMessageFilter(doomed.get());
    window->SetTimer(doomed.get(), 10);
    doomed->SetName(L"renamed");
    auto* const gone = doomed.get();  // compared, never followed

    doomed.reset();
    EXPECT_EQ(window->FindControl(L"doomed"), nullptr);
    EXPECT_EQ(root.GetCount(), 0);
    EXPECT_EQ(second.GetOptionGroup(L"g"), nullptr);
    ASSERT_NE(window->GetOptionGroup(L"g"), nullptr);
    EXPECT_EQ(window->GetOptionGroup(L"g")->GetSize(), 1);
    EXPECT_FALSE(window->RemoveMessageFilter(gone));
    EXPECT_FALSE(window->RemoveOptionGroup(L"g", gone));  // the survivor keeps the group
    EXPECT_EQ(headless::RunningTimers(), 0u);
    headless::AdvanceClock(100);  // nothing ticks into freed memory
}

TEST_F(WindowTest, ARootDeletedByTheApplicationIsForgotten)
{
    auto* owned = new CUIControl;
    owned->SetName(L"root");
    window->AttachDlg(owned);
    window->Show(true);
    delete owned;
    EXPECT_EQ(window->GetRoot(), nullptr);
    EXPECT_EQ(window->FindControl(tagPOINT{10, 10}), nullptr);
    headless::ReportSize(300, 150);  // reaches no deleted root
    EXPECT_EQ(window->OnPaint(headless::LastRender()), 0);
    window->DetachDlg();
}

TEST_F(WindowTest, ATimerTickMayDeleteAnotherTimedControl)
{
    static CUIControl* victim;
    victim = new CUIControl;
    CUIControl killer;
    killer.InputEvent += [](void*) {
        delete victim;
        victim = nullptr;
        return true;
    };
    window->SetTimer(&killer, 10);
    window->SetTimer(victim, 15);
    window->SetTimer(victim, 10);
    headless::AdvanceClock(100);
    EXPECT_EQ(headless::RunningTimers(), 1u);
}

TEST_F(WindowTest, DetachDlgDeletesTheRootAndForgetsItsTree)
{
    auto* detached = new CUIControl;
    CUIControl child, grandchild;
    detached->SetName(L"root");
    child.SetName(L"child");
    grandchild.SetName(L"grandchild");
    child.Add(&grandchild);
    detached->Add(&child);
    window->AttachDlg(detached);
    window->AddOptionGroup(L"g", &grandchild);
    window->AddMessageFilter(&child);
    window->SetTimer(&grandchild, 10);

    window->DetachDlg();
    EXPECT_EQ(window->GetRoot(), nullptr);
    for (const wchar_t* name : {L"root", L"child", L"grandchild"})
        EXPECT_EQ(window->FindControl(name), nullptr);
    EXPECT_EQ(window->GetOptionGroup(L"g"), nullptr);
    EXPECT_FALSE(window->RemoveMessageFilter(&child));
    EXPECT_EQ(headless::RunningTimers(), 0u);
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_EQ(grandchild.GetParent(), &child);
    child.NeedParentUpdate();  // reaches no deleted control
    window->DetachDlg();
}

TEST_F(WindowTest, ADeletedWindowIsForgottenByItsControls)
{
    AttachTree();
    CUIControl removed;
    a.Add(&removed);
    a.Remove(&removed);
    window->SetTimer(&a, 10);
    window->AddOptionGroup(L"g", &b);
    window.reset();
    EXPECT_EQ(headless::RunningTimers(), 0u);
    for (CUIControl* control : {&root, &a, &b, &removed}) {
        EXPECT_EQ(control->GetOwnWindow(), nullptr);
        control->NeedParentUpdate();
        control->Invalidate();
    }
    EXPECT_EQ(a.GetFixedWidth(), 0);
}

TEST_F(WindowTest, BackendReportsReachTheTree)
{
    AttachTree();
    root.SetPos(root.GetPos(), false);
    ASSERT_FALSE(root.IsUpdateNeeded());
    headless::ReportSize(300, 150);
    EXPECT_TRUE(root.IsUpdateNeeded());
    EXPECT_EQ(headless::JournalOf("Window.NeedUpdate").size(), 1u);

    root.SetPos(root.GetPos(), false);
    window->OnDpiChange(2.0);
    EXPECT_DOUBLE_EQ(window->GetDPIObj()->GetDPI(), 2.0);
    EXPECT_TRUE(root.IsUpdateNeeded());
    EXPECT_STREQ(window->GetWindowName(), "base");
    EXPECT_FALSE(window->UseSharedMap());
    EXPECT_EQ(window->OnClose(), 0);
}

}  // namespace
