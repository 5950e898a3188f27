// The container: child rectangles after SetPos (insets, floats, anchors), scroll bars
// shown by the extents reported, scrolling by keys, wheel and bar, painting and hit tests.

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"

namespace {

using vonktest::Lines;
using vonktest::Size;
using vonktest::Text;

// A child with a chosen estimate.
class Sized : public CUIControl {
public:
    explicit Sized(tagSIZE estimate = {0, 0}) : m_estimate(estimate) {}
    tagSIZE EstimateSize(tagSIZE) override { return m_estimate; }

private:
    tagSIZE m_estimate;
};

// A list item, as far as FindSelectable asks.
class Item : public CUIControl {
public:
    void* GetInterface(const CUIString& name) override
    {
        return name == L"ListItem" ? this : CUIControl::GetInterface(name);
    }
};

TEventUI MakeEvent(uint32_t type, uint64_t wParam = 0, uint32_t key = 0)
{
    TEventUI event{};
    event.Type = type;
    event.wParam = wParam;
    event.chKey = key;
    return event;
}

std::vector<std::string>& Seen()
{
    static std::vector<std::string> seen;
    return seen;
}

bool RecordInput(void* param)
{
    Seen().push_back(std::to_string(static_cast<TEventUI*>(param)->Type));
    return true;
}

bool RecordScroll(void* param)
{
    const auto* msg = static_cast<TNotifyUI*>(param);
    Seen().push_back("scroll " + std::to_string(static_cast<int64_t>(msg->wParam)) + "," +
                     std::to_string(static_cast<int64_t>(msg->lParam)));
    return true;
}

class ContainerTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        window = std::make_unique<vonktest::PlainWindow>();
        window->Create(0, 0, 400, 300);
        Seen().clear();
    }
    // Attaches the container (and whatever it holds) to the window.
    void Attach(CUIContainer& container) { window->InitControls(&container); }

    std::unique_ptr<vonktest::PlainWindow> window;
};

TEST_F(ContainerTest, AFreshContainerHasTwoHiddenDisabledBars)
{
    CUIContainer container;
    EXPECT_EQ(std::wstring(container.GetClass().GetData()), L"ContainerUI");
    EXPECT_EQ(container.GetInterface(L"Container"), &container);
    EXPECT_NE(container.GetInterface(L"IContainer"), nullptr);
    EXPECT_EQ(Size(container.GetScrollPos()), "0,0");
    EXPECT_EQ(Size(container.GetScrollRange()), "100,100");
    EXPECT_EQ(container.GetCount(), 0);
    for (CUIScrollBar* bar : {container.GetVerticalScrollBar(), container.GetHorizontalScrollBar()}) {
        ASSERT_NE(bar, nullptr);
        EXPECT_FALSE(bar->IsVisible());
        EXPECT_FALSE(bar->IsEnabled());
        EXPECT_EQ(bar->GetOwner(), &container);
    }
    EXPECT_FALSE(container.GetVerticalScrollBar()->IsHorizontal());
    EXPECT_TRUE(container.GetHorizontalScrollBar()->IsHorizontal());
    EXPECT_EQ(container.GetHorizontalScrollBar()->GetFixedHeight(), 4);
}

TEST_F(ContainerTest, InsetAndChildPaddingScaleWithTheWindow)
{
    CUIContainer container;
    Attach(container);
    window->OnScaleChange(1.5, 2.0);
    container.SetAttribute(L"inset", L"10,20,30,40");
    container.SetAttribute(L"childpadding", L"5");
    EXPECT_EQ(Text(container.GetInset()), "15,40,45,80");
    EXPECT_EQ(container.GetChildPadding(), 8);
    container.SetAttribute(L"inset", L"1;2;3;4");
    EXPECT_EQ(Text(container.GetInset()), "2,4,5,8");
}

TEST_F(ContainerTest, AShortInsetIsRefusedWithoutReadingPastItsEnd)
{
    CUIContainer container;
    container.SetInset(CUIRect(1, 1, 1, 1));
    for (const wchar_t* text : {L"10,20", L"10,20,30", L"", L"10"}) {
        const size_t length = wcslen(text) + 1;
        std::unique_ptr<wchar_t[]> exact(new wchar_t[length]);
        wmemcpy(exact.get(), text, length);
        vonktest::LogCapture log;
        container.SetAttribute(L"inset", exact.get());
        EXPECT_EQ(Text(container.GetInset()), "1,1,1,1");
        const Lines messages = log.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("has fewer than four numbers"), std::string::npos);
    }
}

TEST_F(ContainerTest, ChildrenCoverTheInnerRectangleAndFloatsTakeTheirPlace)
{
    CUIContainer container;
    Sized a, b, hidden;
    Sized corner({20, 10}), placed({20, 10}), centred({20, 10});
    corner.SetFloat(true);
    corner.SetAttribute(L"anchoralign", L"right,bottom");
    corner.SetPadding(CUIRect(0, 0, 5, 5));
    placed.SetFloat(true);
    placed.SetAttribute(L"pos", L"10,5,30,15");
    centred.SetFloat(true);
    centred.SetAttribute(L"anchoralign", L"center,vcenter");
    centred.SetPadding(CUIRect(4, 0, 0, 2));
    hidden.SetVisible(false);
    for (CUIControl* child : {static_cast<CUIControl*>(&a), static_cast<CUIControl*>(&b), static_cast<CUIControl*>(&hidden),
                              static_cast<CUIControl*>(&corner), static_cast<CUIControl*>(&placed),
                              static_cast<CUIControl*>(&centred)})
        container.Add(child);
    Attach(container);

    container.SetPos(CUIRect(0, 0, 100, 50), true);
    EXPECT_EQ(Text(a.GetPos()), "0,0,100,50");
    EXPECT_EQ(Text(corner.GetPos()), "75,35,95,45");
    EXPECT_EQ(Text(placed.GetPos()), "10,5,30,15");
    EXPECT_EQ(Text(centred.GetPos()), "38,19,58,29");

    container.SetAttribute(L"inset", L"10,10,10,10");
    container.SetPos(CUIRect(0, 0, 200, 100), true);
    EXPECT_EQ(Text(a.GetPos()), "10,10,190,90");
    EXPECT_EQ(Text(b.GetPos()), "10,10,190,90");
    EXPECT_EQ(Text(hidden.GetPos()), "0,0,0,0");
    EXPECT_EQ(Text(corner.GetPos()), "165,75,185,85");
    EXPECT_EQ(Text(placed.GetPos()), "20,15,40,25");
}

TEST_F(ContainerTest, FarOutValuesPlaceAndScrollWithoutOverflow)
{
    CUIContainer container;
    CUIControl placed;
    Sized centred({20, 10});
    placed.ApplyAttributeList(L"float=\"true\" pos=\"-5,0,99999999999999999999,10\"");
    centred.ApplyAttributeList(L"float=\"true\" anchoralign=\"center\" padding=\"-99999999999999999999,0,0,0\"");
    container.Add(&placed);
    container.Add(&centred);
    Attach(container);
    container.SetPos(CUIRect(0, 0, 100, 50), false);
    EXPECT_EQ(Text(placed.GetPos()), "2147483647,0,4294967294,10");
    EXPECT_EQ(Text(centred.GetPos()), "1073741864,0,1073741884,10");

    // An inset taller than the container leaves a negative height to take off.
    container.ProcessScrollBar(CUIRect(0, 10, 100, 0), INT_MAX, INT_MAX);
    EXPECT_EQ(Size(container.GetScrollRange()), "2147483547,2147483647");
}

TEST_F(ContainerTest, AdaptingToChildrenTakesTheLargestChildWithPaddingAndInsets)
{
    CUIContainer container;
    Sized wide({100, 20}), tall({50, 40}), hidden({500, 500});
    for (Sized* child : {&wide, &tall}) {
        child->SetPadding(CUIRect(2, 2, 2, 2));
        container.Add(child);
    }
    hidden.SetVisible(false);
    container.Add(&hidden);
    container.SetInset(CUIRect(5, 5, 5, 5));
    container.SetFixedWidth(7);
    Attach(container);
    EXPECT_EQ(Size(container.EstimateSize({400, 300})), "7,0");
    container.SetAttribute(L"adapttochildsize", L"true");
    EXPECT_EQ(Size(container.EstimateSize({400, 300})), "114,54");
}

TEST_F(ContainerTest, ProcessScrollBarShowsAndPlacesABarByTheExtent)
{
    CUIContainer container;
    Attach(container);
    CUIScrollBar* bar = container.GetVerticalScrollBar();
    container.ProcessScrollBar(CUIRect(0, 0, 100, 200), 0, 350);
    EXPECT_EQ(bar->GetScrollRange(), 150);
    EXPECT_FALSE(bar->IsVisible());  // disabled bars keep their visibility

    // A bar shown first stands inside the area, over the children placed without it; once
    // shown, the caller leaves it room and it stands beside the area.
    container.SetAttribute(L"vscrollbar", L"true");
    container.ProcessScrollBar(CUIRect(0, 0, 100, 200), 0, 350);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(Text(bar->GetPos()), "96,0,100,200");
    EXPECT_EQ(bar->GetParent(), &container);
    container.ProcessScrollBar(CUIRect(0, 0, 96, 200), 0, 350);
    EXPECT_EQ(Text(bar->GetPos()), "96,0,100,200");

    container.SetScrollPos({0, 120});
    container.ProcessScrollBar(CUIRect(0, 0, 100, 200), 0, 250);
    EXPECT_EQ(container.GetScrollPos().cy, 50);
    container.ProcessScrollBar(CUIRect(0, 0, 100, 200), 0, 200);
    EXPECT_EQ(bar->GetScrollRange(), 0);
    EXPECT_FALSE(bar->IsVisible());

    CUIScrollBar* across = container.GetHorizontalScrollBar();
    container.ProcessScrollBar(CUIRect(0, 0, 100, 200), 130, 0);
    EXPECT_TRUE(across->IsVisible());
    EXPECT_EQ(Text(across->GetPos()), "0,196,100,200");
}

TEST_F(ContainerTest, ScrollingMovesNonFloatChildrenAndReportsTheChange)
{
    CUIContainer container;
    Sized a, floating({10, 10});
    floating.SetFloat(true);
    container.Add(&a);
    container.Add(&floating);
    Attach(container);
    container.SetPos(CUIRect(0, 0, 100, 100), false);
    container.ScrollEvent += RecordScroll;
    container.ProcessScrollBar(CUIRect(0, 0, 100, 100), 0, 130);

    container.SetScrollPos({0, 50});
    EXPECT_EQ(container.GetScrollPos().cy, 30);
    EXPECT_EQ(Text(a.GetPos()), "0,-30,100,70");
    EXPECT_EQ(Text(floating.GetPos()), "0,0,10,10");
    container.SetScrollPos({0, 50});
    EXPECT_EQ(Seen(), (Lines{"scroll 0,30"}));

    container.SetScrollPos({0, 0});
    EXPECT_EQ(Seen(), (Lines{"scroll 0,30", "scroll 0,-30"}));
    EXPECT_EQ(Text(a.GetPos()), "0,0,100,100");
}

TEST_F(ContainerTest, LineStepsFollowTheDefaultFontAndPagesStopAtTheEnds)
{
    CUIContainer detached;
    detached.LineDown();
    detached.LineRight();
    EXPECT_EQ(Size(detached.GetScrollPos()), "8,8");

    CUIContainer container;
    Attach(container);
    const int step = window->GetPaintManager()->GetDefaultFontHeight() + 8;
    container.LineDown();
    EXPECT_EQ(container.GetScrollPos().cy, step);
    container.LineUp();
    container.LineUp();
    EXPECT_EQ(container.GetScrollPos().cy, 0);

    container.SetPos(CUIRect(0, 0, 200, 300), false);
    container.SetInset(CUIRect(0, 10, 0, 10));
    container.ProcessScrollBar(CUIRect(0, 0, 200, 300), 0, 500);
    container.PageDown();
    EXPECT_EQ(container.GetScrollPos().cy, 200);
    EXPECT_FALSE(container.CanPageDown());
    container.SetScrollPos({0, 100});
    container.PageUp();
    EXPECT_EQ(container.GetScrollPos().cy, 0);
    EXPECT_FALSE(container.CanPageUp());
    EXPECT_TRUE(container.CanLineDown());
    container.EndDown();
    EXPECT_EQ(container.GetScrollPos().cy, 200);
    container.HomeUp();
    EXPECT_EQ(container.GetScrollPos().cy, 0);
}

TEST_F(ContainerTest, KeysAndTheWheelScrollWhileAVerticalBarIsEnabled)
{
    CUIControl parent;
    CUIContainer container;
    parent.Add(&container);
    parent.InputEvent += RecordInput;
    window->InitControls(&parent);
    container.SetPos(CUIRect(0, 0, 100, 100), false);
    container.ProcessScrollBar(CUIRect(0, 0, 100, 100), 400, 400);
    const int step = window->GetPaintManager()->GetDefaultFontHeight() + 8;

    // Both bars disabled: everything goes up to the parent.
    TEventUI key = MakeEvent(EVENT_KEYDOWN, 0, 40);
    container.Event(key);
    EXPECT_EQ(Seen(), (Lines{"3"}));
    EXPECT_EQ(Size(container.GetScrollPos()), "0,0");

    container.SetAttribute(L"vscrollbar", L"true");
    ASSERT_FALSE(container.GetVerticalScrollBar()->IsVisible());
    struct KeyCase {
        uint32_t key;
        int64_t expected;
    };
    const KeyCase keys[] = {{34, 100}, {40, 100 + step}, {38, 100}, {35, 300}, {33, 200}, {36, 0}};
    for (const KeyCase& k : keys) {
        TEventUI event = MakeEvent(EVENT_KEYDOWN, 0, k.key);
        container.Event(event);
        EXPECT_EQ(container.GetScrollPos().cy, k.expected) << "key " << k.key;
    }
    TEventUI down = MakeEvent(EVENT_SCROLLWHEEL, 1);
    container.Event(down);
    EXPECT_EQ(container.GetScrollPos().cy, step);
    TEventUI up = MakeEvent(EVENT_SCROLLWHEEL, 0x10000);
    container.Event(up);
    EXPECT_EQ(container.GetScrollPos().cy, 0);
    TEventUI other = MakeEvent(EVENT_SCROLLWHEEL, 2);
    container.Event(other);
    TEventUI letter = MakeEvent(EVENT_KEYDOWN, 0, 65);
    container.Event(letter);
    EXPECT_EQ(Seen(), (Lines{"3", "19", "3"}));

    // The vertical bar disabled, the horizontal one "vscrollbar" enabled, shown: sideways.
    container.SetAttribute(L"vscrollbar", L"false");
    EXPECT_FALSE(container.GetVerticalScrollBar()->IsEnabled());
    EXPECT_TRUE(container.GetHorizontalScrollBar()->IsEnabled());
    container.Event(down);
    EXPECT_EQ(container.GetScrollPos().cx, 0);  // not shown yet
    container.ProcessScrollBar(CUIRect(0, 0, 100, 100), 400, 400);
    container.Event(down);
    EXPECT_EQ(Size(container.GetScrollPos()), "8,0");
    TEventUI pageRight = MakeEvent(EVENT_KEYDOWN, 0, 34);
    container.Event(pageRight);
    EXPECT_EQ(Size(container.GetScrollPos()), "108,0");
    TEventUI end = MakeEvent(EVENT_KEYDOWN, 0, 35);
    container.Event(end);
    EXPECT_EQ(Size(container.GetScrollPos()), "300,0");
}

TEST_F(ContainerTest, APlainContainerScrollsByUpToTheFreshRangeAndLayoutPutsChildrenBack)
{
    CUIContainer container;
    Sized child;
    container.Add(&child);
    Attach(container);
    container.SetAttribute(L"vscrollbar", L"true");
    container.SetPos(CUIRect(0, 0, 100, 100), false);
    for (int i = 0; i < 20; ++i) {
        TEventUI down = MakeEvent(EVENT_SCROLLWHEEL, 1);
        container.Event(down);
    }
    EXPECT_FALSE(container.GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(container.GetScrollPos().cy, 100);
    EXPECT_EQ(Text(child.GetPos()), "0,-100,100,0");
    container.SetPos(CUIRect(0, 0, 100, 100), false);
    EXPECT_EQ(Text(child.GetPos()), "0,0,100,100");
    EXPECT_EQ(container.GetScrollPos().cy, 100);
}

TEST_F(ContainerTest, AContainerWithoutMousePassesPointerEventsUpButKeepsKeys)
{
    CUIControl parent;
    CUIContainer container;
    parent.Add(&container);
    parent.InputEvent += RecordInput;
    window->InitControls(&parent);
    container.SetAttribute(L"vscrollbar", L"true");
    container.SetMouseEnabled(false);
    EXPECT_FALSE(container.GetVerticalScrollBar()->IsMouseEnabled());
    TEventUI press = MakeEvent(EVENT_BUTTONDOWN);
    container.Event(press);
    TEventUI wheel = MakeEvent(EVENT_SCROLLWHEEL, 1);
    container.Event(wheel);
    TEventUI key = MakeEvent(EVENT_KEYDOWN, 0, 40);
    container.Event(key);
    EXPECT_EQ(Seen(), (Lines{"13", "19"}));
    EXPECT_GT(container.GetScrollPos().cy, 0);

    // The markup attribute leaves the bars alone.
    container.SetAttribute(L"mouse", L"true");
    EXPECT_FALSE(container.GetVerticalScrollBar()->IsMouseEnabled());
}

TEST_F(ContainerTest, ScrollBarAttributesEnableAndStyleTheOwnBars)
{
    CUIContainer container;
    Attach(container);
    window->GetPaintManager()->AddClass(L"thick", L"width=\"9\" showbutton1=\"true\" ");
    window->GetPaintManager()->AddClass(L"flat", L"height=\"3\" ");
    container.SetAttribute(L"hscrollbar", L"false");
    EXPECT_TRUE(container.GetVerticalScrollBar()->IsEnabled());
    EXPECT_FALSE(container.GetHorizontalScrollBar()->IsEnabled());
    container.SetAttribute(L"vscrollbarstyle", L"thick");
    EXPECT_EQ(container.GetVerticalScrollBar()->GetFixedWidth(), 9);
    EXPECT_TRUE(container.GetVerticalScrollBar()->GetShowButton1());
    EXPECT_TRUE(container.GetHorizontalScrollBar()->IsEnabled());
    container.SetAttribute(L"hscrollbarstyle", L"flat");
    EXPECT_EQ(container.GetHorizontalScrollBar()->GetFixedHeight(), 3);
    container.SetAttribute(L"vscrollbarshow", L"false");
    EXPECT_FALSE(container.GetVerticalScrollBar()->IsShowScroll());
    container.ProcessScrollBar(CUIRect(0, 0, 100, 100), 0, 400);
    EXPECT_FALSE(container.GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(container.GetVerticalScrollBar()->GetScrollRange(), 300);
}

TEST_F(ContainerTest, HidingResetsTheScrollPositionUnlessSwitchedOff)
{
    CUIContainer container;
    Sized child;
    container.Add(&child);
    Attach(container);
    container.SetPos(CUIRect(0, 0, 100, 100), false);
    container.SetScrollPos({0, 40});
    container.SetVisible(false);
    EXPECT_EQ(Size(container.GetScrollPos()), "0,0");
    EXPECT_EQ(Text(child.GetPos()), "0,-40,100,60");

    container.SetVisible(true);
    container.SetAttribute(L"resetscrollpos", L"yes");
    container.SetScrollPos({0, 40});
    container.SetVisible(false);
    EXPECT_EQ(container.GetScrollPos().cy, 40);
}

TEST_F(ContainerTest, FindSelectableWalksToTheNearestEnabledItem)
{
    CUIContainer container;
    Item items[5];
    for (Item& item : items)
        container.Add(&item);
    items[2].SetEnabled(false);
    EXPECT_EQ(container.FindSelectable(2, false), 1);
    EXPECT_EQ(container.FindSelectable(2, true), 3);
    EXPECT_EQ(container.FindSelectable(9, true), 4);
    EXPECT_EQ(container.FindSelectable(-3, true), 0);
    for (int i = 0; i < 4; ++i)
        items[i].SetVisible(false);
    EXPECT_EQ(container.FindSelectable(2, false), 4);
    items[4].SetEnabled(false);
    EXPECT_EQ(container.FindSelectable(2, true), -1);
    CUIContainer empty;
    EXPECT_EQ(empty.FindSelectable(0, true), -1);
}

TEST_F(ContainerTest, VisibleItemLookupsFollowTheItemRectangle)
{
    CUIContainer container;
    Sized rows[4];
    for (int i = 0; i < 4; ++i) {
        container.Add(&rows[i]);
    }
    container.SetPos(CUIRect(0, 0, 100, 50), false);
    for (int i = 0; i < 4; ++i)
        rows[i].SetPos(CUIRect(0, i * 30 - 30, 100, i * 30), false);
    EXPECT_EQ(container.GetVisbledItemAt(0), &rows[1]);
    EXPECT_EQ(container.GetVisbledItemAt(2), &rows[3]);
    EXPECT_EQ(container.GetVisbledItemAt(3), nullptr);
    EXPECT_EQ(container.GetVisbledItemAt(-1), nullptr);
    EXPECT_EQ(container.GetVisbledItemAtEnd(), &rows[3]);
}

TEST_F(ContainerTest, SubControlsAreFoundByNameInTheSubtree)
{
    CUIContainer container;
    CUIContainer inner;
    CUIControl label;
    label.SetName(L"label");
    label.SetText(L"hi");
    label.SetFixedHeight(12);
    inner.Add(&label);
    container.Add(&inner);
    EXPECT_EQ(container.FindSubControl(L"label"), nullptr);  // no window yet
    Attach(container);
    EXPECT_EQ(container.FindSubControl(L"label"), &label);
    EXPECT_TRUE(container.SetSubControlText(L"label", L"there"));
    EXPECT_EQ(std::wstring(container.GetSubControlText(L"label").GetData()), L"there");
    EXPECT_TRUE(container.SetSubControlFixedWdith(L"label", 30));
    EXPECT_EQ(container.GetSubControlFixedWdith(L"label"), 30);
    EXPECT_EQ(container.GetSubControlFixedHeight(L"label"), 12);
    EXPECT_FALSE(container.SetSubControlFixedHeight(L"missing", 3));
    EXPECT_EQ(container.GetSubControlFixedHeight(L"missing"), -1);
    EXPECT_TRUE(container.GetSubControlText(L"missing").IsEmpty());
}

TEST_F(ContainerTest, HitTestsFindBarsFirstAndSkipChildrenInTheInset)
{
    CUIContainer container;
    CUIControl child;
    container.Add(&child);
    Attach(container);
    container.SetAttribute(L"vscrollbar", L"true");
    container.SetPos(CUIRect(0, 0, 100, 100), false);
    child.SetPos(CUIRect(0, 0, 100, 100), false);
    container.SetInset(CUIRect(10, 10, 10, 10));
    container.ProcessScrollBar(CUIRect(0, 0, 94, 100), 0, 300);

    const auto at = [&container](int x, int y) {
        tagPOINT pt{x, y};
        return container.FindControl(CUIWindow::__FindControlFromPoint, &pt,
                                     FINDFLAG_VISIBLE | FINDFLAG_HITTEST | FINDFLAG_LAST_CHILD_FIRST);
    };
    EXPECT_EQ(at(50, 50), &child);
    EXPECT_EQ(at(5, 50), &container);
    EXPECT_EQ(at(92, 50), container.GetVerticalScrollBar());
    container.SetMouseChildEnabled(false);
    EXPECT_EQ(at(50, 50), &container);
    EXPECT_EQ(at(92, 50), container.GetVerticalScrollBar());
}

TEST_F(ContainerTest, ChildrenPaintClippedToTheInnerRectangleAndBarsLast)
{
    CUIContainer container;
    CUIControl child;
    child.SetBkColor(0xff00ff00);
    container.SetBkColor(0xff0000ff);
    container.Add(&child);
    Attach(container);
    container.SetAttribute(L"vscrollbar", L"true");
    container.SetInset(CUIRect(5, 5, 5, 5));
    container.SetPos(CUIRect(0, 0, 100, 100), false);
    container.ProcessScrollBar(CUIRect(5, 5, 95, 95), 0, 300);

    CUIRender* render = window->GetPaintContext();
    render->SetRenderPlatform(headless::LastRender());
    headless::ClearJournal();
    container.DoPaint(render, CUIRect(0, 0, 400, 300));
    const Lines expected = {
        "Render.GenerateClip(0,0,100,100)", "Render.DrawColor(0,0,100,100,ff0000ff)", "Render.ClearClip()",
        "Render.GenerateClip(5,5,91,95)",   "Render.GenerateClip(5,5,95,95)",          "Render.DrawColor(5,5,95,95,ff00ff00)",
        "Render.ClearClip()",               "Render.ClearClip()",                      "Render.DrawColor(91,5,95,32,ffbbc1cd)",
    };
    EXPECT_EQ(headless::JournalOf("Render."), expected);

    // An area that misses the container paints nothing.
    headless::ClearJournal();
    container.DoPaint(render, CUIRect(200, 200, 300, 300));
    EXPECT_TRUE(headless::JournalOf("Render.").empty());
    render->SetRenderPlatform(nullptr);
}

TEST_F(ContainerTest, DeletingAContainerWhileItsBarRepeatsLeavesNoTimer)
{
    auto container = std::make_unique<CUIContainer>();
    Attach(*container);
    container->SetAttribute(L"vscrollbar", L"true");
    container->SetPos(CUIRect(0, 0, 100, 100), false);
    container->ProcessScrollBar(CUIRect(0, 0, 96, 100), 0, 300);
    const size_t before = headless::RunningTimers();
    TEventUI press = MakeEvent(EVENT_BUTTONDOWN);
    press.ptMouse = {97, 90};
    container->GetVerticalScrollBar()->Event(press);
    EXPECT_EQ(headless::RunningTimers(), before + 1);
    container.reset();
    EXPECT_EQ(headless::RunningTimers(), before);
    headless::AdvanceClock(500);
}

}  // namespace

namespace {

TEST_F(ContainerTest, WithSlidingOnDraggingAChildScrollsTheContainer)
{
    CUIContainer root;
    CUIControl child;
    root.Add(&child);
    window->AttachDlg(&root);
    headless::ReportSize(200, 100);
    CMsgHandler* handler = headless::LastHandler();
    vonktest::Paint(handler);
    ASSERT_EQ(Text(child.GetPos()), "0,0,200,100");

    // Off by default.
    vonktest::Press(handler, 50, 50);
    vonktest::MoveTo(handler, 50, 30);
    vonktest::Release(handler, 50, 30);
    EXPECT_EQ(Size(root.GetScrollPos()), "0,0");

    root.SetAttribute(L"sliderenable", L"true");
    vonktest::Press(handler, 50, 50);
    vonktest::MoveTo(handler, 52, 48);
    EXPECT_EQ(Size(root.GetScrollPos()), "0,0");  // within the dead zone
    vonktest::MoveTo(handler, 50, 40);
    EXPECT_EQ(Size(root.GetScrollPos()), "0,10");
    EXPECT_EQ(Text(child.GetPos()), "0,-10,200,90");
    EXPECT_TRUE(child.IsPressedSlider());
    vonktest::Release(handler, 50, 40);
    EXPECT_FALSE(child.IsPressedSlider());
    window.reset();
}

}  // namespace

namespace {

// Hands its scroll position to a body, as a list does.
class Forwarding : public CUIContainer {
public:
    tagSIZE GetScrollPos() const override { return body.GetScrollPos(); }
    tagSIZE GetScrollRange() const override { return body.GetScrollRange(); }
    void SetScrollPos(tagSIZE pos) override
    {
        ++calls;
        body.SetScrollPos(pos);
    }

    CUIContainer body;
    int calls = 0;
};

TEST_F(ContainerTest, ScrollOperationsReachAnOverriddenPosition)
{
    Forwarding list;
    Attach(list);
    list.SetAttribute(L"vscrollbar", L"true");
    list.SetPos(CUIRect(0, 0, 100, 50), false);
    const int step = window->GetPaintManager()->GetDefaultFontHeight() + 8;

    list.LineDown();
    list.PageDown();
    TEventUI end = MakeEvent(EVENT_KEYDOWN, 0, 35);
    list.Event(end);
    EXPECT_EQ(list.body.GetScrollPos().cy, 100);
    TEventUI home = MakeEvent(EVENT_KEYDOWN, 0, 36);
    list.Event(home);
    list.SliderContainer(3, 4);
    EXPECT_EQ(Size(list.body.GetScrollPos()), "3,4");
    EXPECT_EQ(Size(list.GetScrollPos()), "3,4");
    EXPECT_EQ(list.GetVerticalScrollBar()->GetScrollPos(), 0);

    // The owned bar's press goes through the list's operations too.
    CUIScrollBar* bar = list.GetVerticalScrollBar();
    bar->SetShowButton2(true);
    bar->SetPos(CUIRect(96, 0, 100, 50), false);
    TEventUI press = MakeEvent(EVENT_BUTTONDOWN);
    press.ptMouse = {97, 48};
    bar->Event(press);
    TEventUI release = MakeEvent(EVENT_BUTTONUP);
    bar->Event(release);
    EXPECT_EQ(list.body.GetScrollPos().cy, 4 + step);
    EXPECT_EQ(list.calls, 6);
}

}  // namespace
