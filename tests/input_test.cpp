// Pointer input as the backend delivers it: which control gets which event, the
// pressed and hovered controls, the message filters, the caption drag, handlers
// that delete controls mid-dispatch, and the base control's own event handling.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"

namespace {

using Lines = std::vector<std::string>;

std::string Name(const CUIControl* control)
{
    if (control == nullptr)
        return "none";
    const CUIString name = control->GetName();
    std::string text;
    for (int i = 0; i < name.GetLength(); ++i)
        text += static_cast<char>(name[i]);
    return text;
}

std::string Describe(const TEventUI& event)
{
    static const std::map<uint32_t, std::string> names = {
        {EVENT_MOUSEMOVE, "move"}, {EVENT_MOUSELEAVE, "leave"}, {EVENT_MOUSEENTER, "enter"},
        {EVENT_BUTTONDOWN, "down"}, {EVENT_BUTTONUP, "up"},     {EVENT_DBLCLICK, "dblclick"},
        {EVENT_SCROLLWHEEL, "wheel"}, {EVENT_TIMER, "timer"},
    };
    const auto found = names.find(event.Type);
    return (found == names.end() ? std::to_string(event.Type) : found->second) + " " + Name(event.pSender);
}

// What reached the controls' input sources, in order.
Lines& Log()
{
    static Lines log;
    return log;
}

// Hung on a leaf: every event it receives starts there, so its sender names it.
bool RecordEvent(void* param)
{
    Log().push_back(Describe(*static_cast<TEventUI*>(param)));
    return true;
}

bool RecordAtRoot(void* param)
{
    Log().push_back("root: " + Describe(*static_cast<TEventUI*>(param)));
    return true;
}

bool RecordFilter(void* param)
{
    Log().push_back("filter: " + Describe(*static_cast<TEventUI*>(param)));
    return true;
}

// A control that answers the interface query for "Button".
class FakeButton : public CUIControl {
public:
    void* GetInterface(const CUIString& name) override
    {
        if (name == L"Button")
            return this;
        return CUIControl::GetInterface(name);
    }
};

class InputTest : public vonktest::WindowFixture {
protected:
    // root over the window > a at (10, 10, 60, 30), b at (100, 50, 180, 80).
    void AttachTree()
    {
        root.SetName(L"root");
        a.SetName(L"a");
        b.SetName(L"b");
        vonktest::Place(a, 10, 10, 50, 20);
        vonktest::Place(b, 100, 50, 80, 30);
        root.Add(&a);
        root.Add(&b);
        a.InputEvent += RecordEvent;
        b.InputEvent += RecordEvent;
        window->AttachDlg(&root);
        vonktest::Paint(handler);
        headless::ClearJournal();
    }

    // A heap control at (10, 60, 40, 90) under the root that a handler is to delete.
    CUIControl* AddDoomed();

    // The pointer position the window stamps on a notification now.
    std::string LastPointer()
    {
        struct Stamp : INotifyUI {
            void Notify(TNotifyUI& msg) override { pt = msg.ptMouse; }
            tagPOINT pt{-1, -1};
        } stamp;
        window->AddNotifier(&stamp);
        window->SendNotify(nullptr, NOTIFY_CLICK, 0, 0, false);
        window->RemoveNotifier(&stamp);
        return std::to_string(stamp.pt.x) + "," + std::to_string(stamp.pt.y);
    }

    CUIControl root, a, b;
};

TEST_F(InputTest, APressedControlGetsTheMovesAndBothControlsTheRelease)
{
    AttachTree();
    vonktest::MoveTo(handler, 20, 20);
    vonktest::Press(handler, 20, 20);
    vonktest::MoveTo(handler, 120, 60);
    vonktest::Release(handler, 120, 60);
    EXPECT_EQ(Log(), (Lines{"enter a", "move a", "down a", "leave a", "enter b", "move a", "up b", "up a"}));

    // The release elsewhere forgot a: moves follow the pointer again.
    Log().clear();
    vonktest::MoveTo(handler, 130, 60);
    EXPECT_EQ(Log(), (Lines{"move b"}));
}

// The backend's own driver, as an application without the test helpers uses it.
TEST_F(InputTest, TheBackendsDriverSendsThePointerToTheNewestWindow)
{
    AttachTree();
    headless::MoveTo(20, 20);
    headless::Press(20, 20, EVENT_DBLCLICK);
    headless::Release(20, 20);
    headless::Wheel(120, 60, 1);
    headless::Press(120, 60, EVENT_SECONDARYDOWN);
    headless::Click(120, 60);
    EXPECT_EQ(Log(), (Lines{"enter a", "move a", "dblclick a", "up a", "wheel b", "down b", "up b"}));
}

TEST_F(InputTest, AControlReleasedOverItselfStaysPressed)
{
    AttachTree();
    vonktest::Click(handler, 20, 20);
    vonktest::MoveTo(handler, 120, 60);
    EXPECT_EQ(Log(), (Lines{"down a", "up a", "enter b", "move a"}));

    // A press over b makes it the pressed control.
    Log().clear();
    vonktest::Click(handler, 120, 60);
    vonktest::MoveTo(handler, 20, 20);
    EXPECT_EQ(Log(), (Lines{"down b", "up b", "leave b", "enter a", "move b"}));
}

TEST_F(InputTest, AMoveOverNoControlSendsNothingAndKeepsTheHoveredControl)
{
    AttachTree();
    vonktest::MoveTo(handler, 20, 20);
    vonktest::MoveTo(handler, 250, 50);  // beyond the root
    vonktest::MoveTo(handler, 25, 20);
    EXPECT_EQ(Log(), (Lines{"enter a", "move a", "move a"}));
    EXPECT_EQ(LastPointer(), "25,20");
}

TEST_F(InputTest, UnhandledPointerEventsTravelUpToTheParent)
{
    AttachTree();
    root.InputEvent += RecordAtRoot;
    vonktest::MoveTo(handler, 20, 20);
    vonktest::Click(handler, 20, 20);
    // Enter is the control's own business; the rest reaches the root with a as sender.
    EXPECT_EQ(Log(), (Lines{"enter a", "move a", "root: move a", "down a", "root: down a", "up a", "root: up a"}));
}

TEST_F(InputTest, ASecondaryPressIsIgnoredAltogether)
{
    AttachTree();
    window->SetCaptionRect(CUIRect(0, 0, -1, -1));
    vonktest::Press(handler, 20, 20, EVENT_SECONDARYDOWN);
    vonktest::MoveTo(handler, 120, 60);
    vonktest::Release(handler, 120, 60);
    // No press, no drag: the move reaches b itself and nothing asks the window to move.
    EXPECT_EQ(Log(), (Lines{"enter b", "move b", "up b"}));
    EXPECT_TRUE(headless::JournalOf("Window.MoveWindow").empty());

    Log().clear();
    vonktest::Press(handler, 20, 20, EVENT_DBLCLICK);
    EXPECT_EQ(Log(), (Lines{"dblclick a"}));
}

TEST_F(InputTest, OneCallbackReusesItsRecordForEachEventItSends)
{
    AttachTree();
    static Lines seen;
    a.InputEvent += [](void* param) {
        static_cast<TEventUI*>(param)->lParam = 99;
        return true;
    };
    b.InputEvent += [](void* param) {
        const auto* event = static_cast<TEventUI*>(param);
        seen.push_back(Describe(*event) + " " + std::to_string(event->lParam));
        return true;
    };
    vonktest::MoveTo(handler, 20, 20);
    vonktest::MoveTo(handler, 120, 60);  // a writes into the leave; b's enter and move see it
    EXPECT_EQ(seen, (Lines{"enter b 99", "move b 99"}));
}

TEST_F(InputTest, TheWheelCarriesItsDirectionAndKeyStateButNoPosition)
{
    AttachTree();
    static std::vector<TEventUI> seen;
    a.InputEvent += [](void* param) {
        seen.push_back(*static_cast<TEventUI*>(param));
        return true;
    };
    vonktest::Wheel(handler, 20, 20, 1);
    MsgButtonParam param = vonktest::Pointer(25, 15);
    param.state = 0x12345;
    param.timestamp = 77;
    handler->OnMouseWheel(-1, param);
    vonktest::Wheel(handler, 250, 50, 0);  // over no control

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Type, EVENT_SCROLLWHEEL);
    EXPECT_EQ(seen[0].wParam, 1u);
    EXPECT_EQ(seen[0].ptMouse.x, 0);
    EXPECT_EQ(seen[0].ptMouse.y, 0);
    EXPECT_EQ(seen[1].wParam, ~0ull);  // sign-extended
    EXPECT_EQ(seen[1].wKeyState, 0x2345);
    EXPECT_EQ(seen[1].dwTimestamp, 77u);
    EXPECT_EQ(LastPointer(), "250,50");
}

TEST_F(InputTest, PressRecordsCarryTheBackendsStampAndPosition)
{
    AttachTree();
    static std::vector<TEventUI> seen;
    a.InputEvent += [](void* param) {
        seen.push_back(*static_cast<TEventUI*>(param));
        return true;
    };
    MsgButtonParam param = vonktest::Pointer(30, 12);
    param.timestamp = 1234;
    param.state = 7;
    handler->OnButtonPress(param, nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].pSender, &a);
    EXPECT_EQ(seen[0].dwTimestamp, 1234u);
    EXPECT_EQ(seen[0].ptMouse.x, 30);
    EXPECT_EQ(seen[0].ptMouse.y, 12);
    EXPECT_EQ(seen[0].wKeyState, 0);
    EXPECT_EQ(seen[0].wParam, 0u);
    EXPECT_EQ(seen[0].chKey, 0u);
}

TEST_F(InputTest, FiltersSeeEveryPointerEventThatReachedAControlInRegistrationOrder)
{
    AttachTree();
    b.AddMessageFilter(MakeDelegate(RecordFilter));
    a.AddMessageFilter(MakeDelegate(RecordFilter));
    root.SetName(L"root");

    vonktest::Press(handler, 20, 20);
    EXPECT_EQ(Log(), (Lines{"down a", "filter: down a", "filter: down a"}));

    // A release over another control: once, after both targets, with the last one as sender.
    Log().clear();
    vonktest::Release(handler, 120, 60);
    EXPECT_EQ(Log(), (Lines{"up b", "up a", "filter: up a", "filter: up a"}));

    // Timer ticks reach no filter.
    Log().clear();
    window->SetTimer(&a, 10);
    headless::AdvanceClock(10);
    EXPECT_EQ(Log(), (Lines{"timer a"}));
}

TEST_F(InputTest, AControlThatAddsTwoFiltersIsListedTwice)
{
    AttachTree();
    static Lines calls;
    a.AddMessageFilter(MakeDelegate([](void*) {
        calls.push_back("first");
        return true;
    }));
    a.AddMessageFilter(MakeDelegate([](void*) {
        calls.push_back("second");
        return true;
    }));
    vonktest::MoveTo(handler, 20, 20);  // enter and move
    EXPECT_EQ(calls, (Lines{"first", "second", "first", "second", "first", "second", "first", "second"}));
}

TEST_F(InputTest, AFilterAddedWithoutAWindowIsNotKept)
{
    CUIControl loose;
    loose.AddMessageFilter(MakeDelegate(RecordFilter));
    AttachTree();
    root.Add(&loose);
    vonktest::Place(loose, 0, 0, 5, 5);
    vonktest::Paint(handler);
    vonktest::Click(handler, 20, 20);
    EXPECT_EQ(Log(), (Lines{"down a", "up a"}));
    EXPECT_FALSE(loose.MessageFilterEvent);
}

// ---- the caption drag ----

struct DragCase {
    const char* what;
    CUIRect caption;
    double scale;
    int x, y;
    bool drags;
};

TEST_F(InputTest, APressInTheCaptionOnNoButtonDragsTheWindow)
{
    const DragCase cases[] = {
        {"no caption", CUIRect(0, 0, 0, 0), 1.0, 150, 20, false},
        {"whole window", CUIRect(0, 0, -1, -1), 1.0, 150, 20, true},
        {"whole window, scaled", CUIRect(0, 0, -1, -1), 2.0, 150, 20, true},
        {"whole window, outside every control", CUIRect(0, 0, -1, -1), 1.0, 250, 20, true},
        {"inside a strip", CUIRect(0, 0, 200, 40), 1.0, 150, 20, true},
        {"below a strip", CUIRect(0, 0, 200, 40), 1.0, 150, 60, false},
        {"on a plain control in the strip", CUIRect(0, 0, 200, 40), 1.0, 20, 20, true},
        {"on a button in the strip", CUIRect(0, 0, 200, 40), 1.0, 170, 5, false},
        {"a strip scaled past the point", CUIRect(0, 0, 100, 20), 2.0, 150, 30, true},
    };
    AttachTree();
    FakeButton button;
    button.SetName(L"button");
    vonktest::Place(button, 160, 0, 40, 10);
    root.Add(&button);
    for (const DragCase& c : cases) {
        window->SetCaptionRect(c.caption);
        window->OnScaleChange(c.scale, c.scale);
        vonktest::Paint(handler);
        headless::ReportMove(30, 40);
        headless::ClearJournal();

        MsgButtonParam param = vonktest::Pointer(c.x, c.y);
        handler->OnButtonPress(param, nullptr);
        param.root_x += 10;
        param.root_y -= 5;
        handler->OnMouseMove(param);
        const Lines moves = headless::JournalOf("Window.MoveWindow");
        if (c.drags)
            EXPECT_EQ(moves, (Lines{"Window.MoveWindow(40,35)"})) << c.what;
        else
            EXPECT_TRUE(moves.empty()) << c.what;
        handler->OnButtonRelease(param);
    }
}

TEST_F(InputTest, DuringADragNoControlSeesTheMovesAndTheReleaseEndsIt)
{
    AttachTree();
    window->SetCaptionRect(CUIRect(0, 0, -1, -1));
    vonktest::Press(handler, 20, 20);  // a plain control: it gets the press, the window drags
    vonktest::MoveTo(handler, 120, 60);
    vonktest::MoveTo(handler, 20, 20);
    EXPECT_EQ(Log(), (Lines{"down a"}));
    EXPECT_EQ(headless::JournalOf("Window.MoveWindow"), (Lines{"Window.MoveWindow(100,40)", "Window.MoveWindow(0,0)"}));
    // The drag leaves the last pointer position where the press put it.
    EXPECT_EQ(LastPointer(), "20,20");

    vonktest::Release(handler, 20, 20);
    vonktest::MoveTo(handler, 25, 20);
    EXPECT_EQ(Log(), (Lines{"down a", "up a", "enter a", "move a"}));
    EXPECT_EQ(headless::JournalOf("Window.MoveWindow").size(), 2u);
}

// ---- handlers that delete controls while the window dispatches ----

CUIControl* g_doomed = nullptr;

bool DeleteDoomed(void*)
{
    delete g_doomed;
    g_doomed = nullptr;
    return true;
}

bool DeleteDoomedOn(void* param, uint32_t type)
{
    if (static_cast<TEventUI*>(param)->Type == type)
        DeleteDoomed(param);
    return true;
}

CUIControl* InputTest::AddDoomed()
{
    g_doomed = new CUIControl;
    g_doomed->SetName(L"doomed");
    vonktest::Place(*g_doomed, 10, 60, 30, 30);
    root.Add(g_doomed);
    vonktest::Paint(handler);
    return g_doomed;
}

TEST_F(InputTest, APressHandlerMayDeleteThePressedControl)
{
    AttachTree();
    CUIControl* doomed = AddDoomed();
    doomed->InputEvent += [](void* param) { return DeleteDoomedOn(param, EVENT_BUTTONDOWN); };
    doomed->AddMessageFilter(MakeDelegate(RecordFilter));
    root.InputEvent += RecordAtRoot;

    vonktest::Press(handler, 20, 70);
    vonktest::MoveTo(handler, 20, 70);
    vonktest::Release(handler, 20, 70);
    EXPECT_EQ(g_doomed, nullptr);
    // Neither its filter nor its drag step ran on it; what lies there now is the root.
    EXPECT_EQ(Log(), (Lines{"root: enter root", "root: move root", "root: up root"}));
}

TEST_F(InputTest, ALeaveHandlerMayDeleteTheControlAboutToBeEntered)
{
    AttachTree();
    AddDoomed()->InputEvent += RecordEvent;
    a.InputEvent += [](void* param) { return DeleteDoomedOn(param, EVENT_MOUSELEAVE); };

    vonktest::MoveTo(handler, 20, 20);
    vonktest::MoveTo(handler, 20, 70);
    EXPECT_EQ(g_doomed, nullptr);
    EXPECT_EQ(Log(), (Lines{"enter a", "move a", "leave a"}));
}

TEST_F(InputTest, AnEnterHandlerMayDeleteItsOwnControl)
{
    AttachTree();
    AddDoomed()->InputEvent += [](void* param) { return DeleteDoomedOn(param, EVENT_MOUSEENTER); };
    root.InputEvent += RecordAtRoot;

    vonktest::MoveTo(handler, 20, 70);
    EXPECT_EQ(g_doomed, nullptr);
    vonktest::MoveTo(handler, 21, 70);
    EXPECT_EQ(Log(), (Lines{"root: enter root", "root: move root"}));
}

CUIWindow* g_window = nullptr;

TEST_F(InputTest, AReleaseHandlerMayTakeTheWindowsTreeAway)
{
    auto* top = new CUIControl;
    auto* pressed = new CUIControl;
    auto* released = new CUIControl;
    pressed->SetName(L"pressed");
    released->SetName(L"released");
    vonktest::Place(*pressed, 0, 0, 50, 50);
    vonktest::Place(*released, 100, 0, 50, 50);
    top->Add(pressed);
    top->Add(released);
    pressed->InputEvent += RecordEvent;
    released->InputEvent += RecordEvent;
    released->InputEvent += [](void* param) {
        if (static_cast<TEventUI*>(param)->Type == EVENT_BUTTONUP)
            g_window->DetachDlg();
        return true;
    };
    g_window = window.get();
    window->AttachDlg(top);
    vonktest::Paint(handler);

    vonktest::Press(handler, 10, 10);
    vonktest::Release(handler, 110, 10);
    vonktest::MoveTo(handler, 10, 10);
    // The pressed control, forgotten with the tree, gets no release.
    EXPECT_EQ(Log(), (Lines{"down pressed", "up released"}));
    EXPECT_EQ(window->GetRoot(), nullptr);
    delete pressed;
    delete released;
}

// ---- the base control's own handling ----

class NotifyLog : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        seen.push_back(std::to_string(msg.Type - 0x40000000) + " " + Name(msg.pSender) + " " +
                       std::to_string(msg.wParam) + "," + std::to_string(msg.lParam));
    }
    Lines seen;
};

TEventUI EventOf(uint32_t type, CUIControl* sender, uint64_t wParam = 0, uint64_t lParam = 0)
{
    TEventUI event{};
    event.Type = type;
    event.pSender = sender;
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

TEST_F(InputTest, EnterLeaveAndTimerBecomeNotificationsOfAMouseEnabledControl)
{
    AttachTree();
    root.InputEvent += RecordAtRoot;
    NotifyLog notes;
    window->AddNotifier(&notes);
    for (const uint32_t type : {EVENT_MOUSEENTER, EVENT_MOUSELEAVE, EVENT_TIMER}) {
        TEventUI event = EventOf(type, &a, 5, 6);
        a.Event(event);
    }
    a.SetMouseEnabled(false);
    for (const uint32_t type : {EVENT_MOUSEENTER, EVENT_MOUSELEAVE, EVENT_TIMER}) {
        TEventUI event = EventOf(type, &a, 7, 8);
        a.Event(event);
    }
    // Enter and leave of a mouse-disabled control are dropped, not handed up.
    EXPECT_EQ(notes.seen, (Lines{"15 a 5,6", "16 a 5,6", "2 a 5,6", "2 a 7,8"}));
    EXPECT_EQ(Log(), (Lines{"enter a", "leave a", "timer a", "enter a", "leave a", "timer a"}));
}

TEST_F(InputTest, FocusEventsSetTheFlagAndCursorEventsEndAtTheControl)
{
    AttachTree();
    root.InputEvent += RecordAtRoot;
    TEventUI focus = EventOf(EVENT_SETFOCUS, &a);
    a.Event(focus);
    EXPECT_TRUE(a.IsFocused());
    TEventUI blur = EventOf(EVENT_KILLFOCUS, &a);
    a.Event(blur);
    EXPECT_FALSE(a.IsFocused());
    for (const uint32_t type : {18u, static_cast<uint32_t>(EVENT_SETCURSOR)}) {
        TEventUI event = EventOf(type, &a);
        a.Event(event);
    }
    TEventUI key = EventOf(EVENT_KEYDOWN, &a, 13);
    a.Event(key);
    EXPECT_EQ(Log(), (Lines{"22 a", "21 a", "18 a", "24 a", "3 a", "root: 3 a"}));
}

TEST_F(InputTest, AnInputCallbackThatAnswersFalseEndsTheEvent)
{
    AttachTree();
    root.InputEvent += RecordAtRoot;
    a.InputEvent += [](void*) { return false; };
    vonktest::Press(handler, 20, 20);
    EXPECT_EQ(Log(), (Lines{"down a"}));
}

TEST(DetachedControlTest, EventsWithoutAWindowOrParentGoNowhere)
{
    CUIControl loose;
    for (const uint32_t type : {EVENT_MOUSEENTER, EVENT_MOUSELEAVE, EVENT_TIMER, EVENT_BUTTONUP, EVENT_SETFOCUS}) {
        TEventUI event = EventOf(type, &loose);
        loose.Event(event);
    }
    EXPECT_TRUE(loose.IsFocused());
}

TEST(DetachedControlTest, ActivateAnswersWhetherTheControlIsVisibleAndEnabled)
{
    CUIControl control;
    EXPECT_TRUE(control.Activate());
    control.SetEnabled(false);
    EXPECT_FALSE(control.Activate());
    control.SetEnabled(true);
    control.SetVisible(false);
    EXPECT_FALSE(control.Activate());
}

// ---- hit testing ----

CUIControl* Any(CUIControl* control, void*) { return control; }

struct HitCase {
    const char* what;
    UINT flags;
    int x, y;
    const char* found;
};

TEST(HitTestTest, FindControlHonoursItsFlags)
{
    // parent (0,0,100,100) > first (0,0,60,60), second (40,40,100,100), overlapping.
    CUIControl parent, first, second;
    parent.SetName(L"parent");
    first.SetName(L"first");
    second.SetName(L"second");
    parent.Add(&first);
    parent.Add(&second);
    parent.SetPos(CUIRect(0, 0, 100, 100), false);
    first.SetPos(CUIRect(0, 0, 60, 60), false);
    second.SetPos(CUIRect(40, 40, 100, 100), false);
    const UINT hit = FINDFLAG_VISIBLE | FINDFLAG_HITTEST;
    const HitCase cases[] = {
        {"overlap, last child first", hit | FINDFLAG_LAST_CHILD_FIRST, 50, 50, "second"},
        {"overlap, first child first", hit, 50, 50, "first"},
        {"outside both children", hit, 90, 10, "parent"},
        {"outside the parent", hit, 150, 10, "none"},
        {"the parent before its children", hit | FINDFLAG_SELF_FIRST, 50, 50, "parent"},
        {"no flags: the first child's subtree first", 0, 0, 0, "first"},
    };
    for (const HitCase& c : cases) {
        tagPOINT pt{c.x, c.y};
        EXPECT_EQ(Name(parent.FindControl(Any, &pt, c.flags)), c.found) << c.what;
    }

    tagPOINT pt{50, 50};
    second.SetVisible(false);
    EXPECT_EQ(Name(parent.FindControl(Any, &pt, hit | FINDFLAG_LAST_CHILD_FIRST)), "first");
    EXPECT_EQ(Name(parent.FindControl(Any, &pt, FINDFLAG_HITTEST | FINDFLAG_LAST_CHILD_FIRST)), "second");
    second.SetVisible(true);
    second.SetEnabled(false);
    EXPECT_EQ(Name(parent.FindControl(Any, &pt, hit | FINDFLAG_ENABLED | FINDFLAG_LAST_CHILD_FIRST)), "first");

    // A parent whose mouse is off lets its children be found but is never found itself.
    parent.SetMouseEnabled(false);
    tagPOINT bare{90, 10};
    EXPECT_EQ(Name(parent.FindControl(Any, &bare, hit)), "none");
    EXPECT_EQ(Name(parent.FindControl(Any, &pt, hit)), "first");
    // With mouse-child off the children are not searched at all.
    parent.SetMouseEnabled(true);
    parent.SetMouseChildEnabled(false);
    EXPECT_EQ(Name(parent.FindControl(Any, &pt, hit)), "parent");
}

TEST(HitTestTest, WithoutFlagsEveryControlIsVisitedChildrenFirst)
{
    CUIControl parent, first, second, grandchild;
    parent.SetName(L"p");
    first.SetName(L"f");
    second.SetName(L"s");
    grandchild.SetName(L"g");
    first.Add(&grandchild);
    parent.Add(&first);
    parent.Add(&second);
    static Lines visits;
    parent.FindControl(
        [](CUIControl* control, void*) -> CUIControl* {
            visits.push_back(Name(control));
            return nullptr;
        },
        nullptr, 0);
    EXPECT_EQ(visits, (Lines{"g", "f", "s", "p"}));
}

}  // namespace

// ---- drag-scrolling of a sliding container ----

namespace {

// The scroll positions that were asked of a container, as "x,y".
Lines& ScrollRequests()
{
    static Lines requests;
    return requests;
}

class RecordingContainer : public CUIContainer {
public:
    void SetScrollPos(tagSIZE pos) override
    {
        ScrollRequests().push_back(std::to_string(pos.cx) + "," + std::to_string(pos.cy));
        CUIContainer::SetScrollPos(pos);
    }
};

class DragScrollTest : public vonktest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        list = new RecordingContainer;
        list->SetEnableSlider(true);
        list->Add(&item);
        window->AttachDlg(list);
        vonktest::Paint(handler);
    }

    void TearDown() override { delete window->GetRoot(); }

    CUIControl item;
    RecordingContainer* list = nullptr;
};

}  // namespace

TEST_F(DragScrollTest, MovesBeyondTheDeadZoneScrollTheOwnerUntilTheRelease)
{
    vonktest::Press(handler, 50, 50);
    vonktest::MoveTo(handler, 53, 53);
    EXPECT_TRUE(ScrollRequests().empty());
    EXPECT_FALSE(item.IsPressedSlider());

    // Measured from the press point: small moves add up.
    vonktest::MoveTo(handler, 54, 50);
    EXPECT_EQ(ScrollRequests(), (Lines{"-4,0"}));
    EXPECT_TRUE(item.IsPressedSlider());
    vonktest::MoveTo(handler, 54, 40);
    EXPECT_EQ(ScrollRequests(), (Lines{"-4,0", "0,10"}));

    vonktest::Release(handler, 54, 40);
    EXPECT_FALSE(item.IsPressedSlider());
    vonktest::MoveTo(handler, 10, 10);
    EXPECT_EQ(ScrollRequests().size(), 2u);
}

TEST_F(DragScrollTest, APressThatTheInputCallbackRefusesArmsNothing)
{
    item.InputEvent += [](void* param) { return static_cast<TEventUI*>(param)->Type != EVENT_BUTTONDOWN; };
    vonktest::Press(handler, 50, 50);
    vonktest::MoveTo(handler, 80, 80);
    EXPECT_TRUE(ScrollRequests().empty());
}

TEST_F(DragScrollTest, AnOwnerThatIsNoLongerAnAncestorIsNotScrolled)
{
    vonktest::MoveTo(handler, 50, 50);  // the hit test makes the list the item's owner
    window->DetachDlg();                // deletes the list; the item lives on
    list = nullptr;
    CUIControl plain;
    plain.Add(&item);
    window->AttachDlg(&plain);
    vonktest::Paint(handler);

    vonktest::Press(handler, 50, 50);
    vonktest::MoveTo(handler, 90, 90);
    vonktest::Release(handler, 90, 90);
    EXPECT_TRUE(ScrollRequests().empty());
    EXPECT_FALSE(item.IsPressedSlider());
    window->AttachDlg(nullptr);
}

TEST_F(InputTest, PressAndReleaseTraceTheirSteps)
{
    AttachTree();
    vonktest::LogCapture capture;
    vonktest::Click(handler, 20, 20);
    vonktest::Release(handler, 250, 50);  // a stayed pressed: a release over nothing reaches it
    Lines steps;
    for (const std::string& message : capture.Messages()) {
        EXPECT_EQ(message.rfind("[src/ui/src/UIWindow.cpp,", 0), 0u) << message;
        steps.push_back(message.substr(message.find("] ") + 2));
    }
    EXPECT_EQ(steps, (Lines{"ui TouchDown FindControl end ", "ui TouchDown do Event end ",
                            "ui TouchUp FindControl end ", "ui TouchUp do Event end ",
                            "ui TouchUp FindControl end ", "ui TouchUp do Event end "}));
    EXPECT_EQ(Log(), (Lines{"down a", "up a", "up a"}));
}
