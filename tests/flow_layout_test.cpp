// The row and the column: where their children go along and across the axis, what they
// tell their scroll bars, what they estimate, and the separator that the user drags.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "markup_window.h"
#include "user_actions.h"

namespace {

using vonktest::Lines;
using vonktest::Narrow;
using vonktest::Size;
using vonktest::Text;

// A span along an axis, as "from..to".
std::string Span(int64_t from, int64_t to) { return std::to_string(from) + ".." + std::to_string(to); }

class FlowTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        window = vonktest::OpenWindow(400, 300);
    }

    // Attaches the layout and what it holds to the window, then places it at rc.
    void Place(CUIControl& layout, const CUIRect& rc)
    {
        window->InitControls(&layout);
        layout.SetPos(rc, false);
    }

    std::unique_ptr<vonktest::PlainWindow> window;
};

TEST_F(FlowTest, BothLayoutsAreMadeByTheirElementNames)
{
    const struct {
        const wchar_t* element;
        const wchar_t* className;
    } cases[] = {{L"HorizontalLayout", L"HorizontalLayoutUI"}, {L"VerticalLayout", L"VerticalLayoutUI"}};
    for (const auto& c : cases) {
        std::unique_ptr<CUIControl> layout(CDialogBuilder::CreateControlByClass(c.element));
        ASSERT_NE(layout, nullptr);
        EXPECT_STREQ(layout->GetClass().GetData(), c.className);
        EXPECT_EQ(layout->GetInterface(c.element), layout.get());
        EXPECT_NE(layout->GetInterface(L"Container"), nullptr);
        EXPECT_EQ(layout->GetInterface(c.element == std::wstring(L"VerticalLayout") ? L"HorizontalLayout"
                                                                                     : L"VerticalLayout"),
                  nullptr);
    }
}

// One child of a case: its extent along the axis (0 stretches), its paddings along the
// axis and its minimum and maximum there.
struct Child {
    int extent;
    int lead = 0;
    int trail = 0;
    int minimum = 0;
    int maximum = 9999;
};

struct FlowCase {
    const char* what;
    int length;  // of the layout along its axis
    int gap;     // child padding
    std::vector<Child> children;
    Lines row;     // spans along x
    Lines column;  // spans along y
};

Lines PlaceAlong(bool row, const FlowCase& c, const CUIRect& area)
{
    std::unique_ptr<CUIContainer> layout;
    if (row)
        layout = std::make_unique<CUIHorizontalLayout>();
    else
        layout = std::make_unique<CUIVerticalLayout>();
    layout->SetChildPadding(c.gap);
    std::vector<std::unique_ptr<CUIControl>> children;
    for (const Child& given : c.children) {
        children.push_back(std::make_unique<CUIControl>());
        CUIControl& child = *children.back();
        if (row) {
            child.SetFixedWidth(given.extent);
            child.SetPadding(CUIRect(given.lead, 0, given.trail, 0));
            child.SetMinWidth(given.minimum);
            child.SetMaxWidth(given.maximum);
        } else {
            child.SetFixedHeight(given.extent);
            child.SetPadding(CUIRect(0, given.lead, 0, given.trail));
            child.SetMinHeight(given.minimum);
            child.SetMaxHeight(given.maximum);
        }
        layout->Add(&child);
    }
    layout->SetPos(area, false);
    Lines spans;
    for (const auto& child : children) {
        const CUIRect pos = child->GetPos();
        spans.push_back(row ? Span(pos.left, pos.right) : Span(pos.top, pos.bottom));
    }
    return spans;
}

TEST_F(FlowTest, FixedChildrenTakeTheirExtentAndTheRestShareWhatIsLeft)
{
    const FlowCase cases[] = {
        {"the last stretchable child takes the division's remainder", 101, 0, {{0}, {0}},
         {"0..50", "50..101"}, {"0..50", "50..101"}},
        {"paddings shorten the last stretchable child", 100, 0, {{0, 5, 5}, {0, 5, 5}},
         {"5..45", "55..75"}, {"5..45", "55..75"}},
        {"the row counts a fixed child's paddings once more", 100, 0, {{20, 5, 5}, {0}},
         {"5..25", "30..80"}, {"5..25", "30..90"}},
        {"child padding between children only", 100, 10, {{0}, {20}, {0}},
         {"0..30", "40..60", "70..100"}, {"0..30", "40..60", "70..100"}},
        {"fixed extents beyond the room leave the minimum", 100, 0, {{80}, {50}, {0, 0, 0, 10}},
         {"0..80", "80..130", "130..140"}, {"0..80", "80..130", "130..140"}},
        {"a limited stretchable child leaves the others' share alone", 100, 0, {{0, 0, 0, 0, 10}, {0}, {0}},
         {"0..10", "10..43", "43..100"}, {"0..10", "10..43", "43..100"}},
        {"a fixed extent is clamped, the maximum winning", 100, 0, {{300, 0, 0, 50, 40}, {5, 0, 0, 20}},
         {"0..40", "40..60"}, {"0..40", "40..60"}},
    };
    for (const FlowCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceAlong(true, c, CUIRect(0, 0, c.length, 50)), c.row);
        EXPECT_EQ(PlaceAlong(false, c, CUIRect(0, 0, 50, c.length)), c.column);
    }
}

TEST_F(FlowTest, ColumnChildrenSitByTheirAnchorAndRowChildrenAreCentred)
{
    CUIVerticalLayout column;
    CUIControl standard, right, centre, filling;
    for (CUIControl* child : {&standard, &right, &centre, &filling}) {
        child->SetFixedHeight(10);
        child->SetFixedWidth(50);
        child->SetPadding(CUIRect(4, 0, 6, 0));
        column.Add(child);
    }
    right.SetAttribute(L"anchoralign", L"right");
    centre.SetAttribute(L"anchoralign", L"center");
    filling.SetFixedWidth(0);
    Place(column, CUIRect(0, 0, 200, 100));
    EXPECT_EQ(Text(standard.GetPos()), "4,0,54,10");
    EXPECT_EQ(Text(right.GetPos()), "144,10,194,20");
    EXPECT_EQ(Text(centre.GetPos()), "74,20,124,30");
    EXPECT_EQ(Text(filling.GetPos()), "4,30,194,40");

    CUIHorizontalLayout row;
    CUIControl low, anchored, wide;
    for (CUIControl* child : {&low, &anchored, &wide}) {
        child->SetFixedWidth(10);
        child->SetFixedHeight(20);
        child->SetPadding(CUIRect(0, 4, 0, 6));
        row.Add(child);
    }
    anchored.SetAttribute(L"anchoralign", L"right,bottom");
    wide.SetFixedHeight(150);  // higher than the row: not centred above its top
    Place(row, CUIRect(0, 0, 100, 100));
    EXPECT_EQ(Text(low.GetPos()), "0,39,10,59");
    EXPECT_EQ(Text(anchored.GetPos()), "10,39,20,59");
    EXPECT_EQ(Text(wide.GetPos()), "20,4,30,154");
}

TEST_F(FlowTest, MarkupNestsRowsInColumnsWithInsetsAndChildPadding)
{
    vonktest::UseDataFolder("layouts");
    const auto flow = vonktest::OpenMarkup(L"flow.xml");
    const struct {
        const wchar_t* name;
        const char* pos;
    } expected[] = {
        {L"page", "0,0,400,300"},      {L"header", "10,10,390,50"},  {L"body", "10,55,390,265"},
        {L"left", "10,135,110,185"},   {L"middle", "120,55,250,265"}, {L"right", "260,60,390,260"},
        {L"footer", "310,270,390,290"},
    };
    for (const auto& e : expected) {
        CUIControl* control = flow->FindControl(e.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Text(control->GetPos()), e.pos) << Narrow(e.name);
    }
    vonktest::DeleteTree(*flow);
}

TEST_F(FlowTest, FloatingChildrenArePlacedApartFromTheFlow)
{
    CUIVerticalLayout column;
    CUIControl floating, flowing, hidden;
    floating.SetAttribute(L"float", L"true");
    floating.SetAttribute(L"pos", L"10,20,40,30");
    hidden.SetVisible(false);
    column.Add(&floating);
    column.Add(&hidden);
    column.Add(&flowing);
    column.SetInset(CUIRect(5, 5, 5, 5));
    Place(column, CUIRect(0, 0, 100, 100));
    EXPECT_EQ(Text(floating.GetPos()), "15,25,45,35");
    EXPECT_EQ(Text(flowing.GetPos()), "5,5,95,95");
    EXPECT_EQ(Text(hidden.GetPos()), "0,0,0,0");
}

TEST_F(FlowTest, TheNeededExtentDrivesTheScrollBarAndScrollingShiftsTheChildren)
{
    CUIVerticalLayout column;
    column.SetAttribute(L"vscrollbar", L"true");
    column.SetAttribute(L"hscrollbar", L"true");
    column.SetChildPadding(10);
    CUIControl first, second;
    first.SetFixedHeight(120);
    second.SetFixedHeight(120);
    column.Add(&first);
    column.Add(&second);
    Place(column, CUIRect(0, 0, 100, 100));
    CUIScrollBar* bar = column.GetVerticalScrollBar();
    EXPECT_EQ(column.GetScrollRange().cy, 150);  // 120 + 10 + 120 in 100
    EXPECT_TRUE(bar->IsVisible());

    column.SetScrollPos({0, 30});
    column.SetPos(column.GetPos(), false);  // the next pass leaves room for the bar
    EXPECT_EQ(Text(first.GetPos()), Text(CUIRect(0, -30, 100 - bar->GetFixedWidth(), 90)));
    EXPECT_EQ(Text(second.GetPos()), Text(CUIRect(0, 100, 100 - bar->GetFixedWidth(), 220)));
    EXPECT_EQ(column.GetScrollRange().cx, 0);

    column.RemoveAll();
    column.SetPos(column.GetPos(), false);
    EXPECT_EQ(Size(column.GetScrollRange()), "0,0");
    EXPECT_FALSE(bar->IsVisible());
}

TEST_F(FlowTest, AdaptingToChildrenSumsAlongTheAxisAndTakesTheLargestAcross)
{
    const struct {
        bool row;
        const char* size;
    } cases[] = {{true, "100,28"}, {false, "100,38"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        std::unique_ptr<CUIContainer> layout;
        if (c.row)
            layout = std::make_unique<CUIHorizontalLayout>();
        else
            layout = std::make_unique<CUIVerticalLayout>();
        CUIControl small, large, floating, hidden;
        small.SetFixedWidth(10);
        small.SetFixedHeight(20);
        small.SetPadding(CUIRect(1, 1, 1, 1));
        large.SetFixedWidth(20);
        large.SetFixedHeight(5);
        floating.SetFloat(true);
        floating.SetFixedWidth(100);
        floating.SetFixedHeight(8);
        hidden.SetFixedWidth(1000);
        hidden.SetVisible(false);
        for (CUIControl* child : {&small, &large, &floating, &hidden})
            layout->Add(child);
        layout->SetInset(CUIRect(1, 2, 3, 4));
        layout->SetChildPadding(5);
        layout->SetFixedWidth(7);
        layout->SetFixedHeight(9);
        EXPECT_EQ(Size(layout->EstimateSize({400, 300})), "7,9");
        layout->SetAttribute(L"adapttochildsize", L"true");
        EXPECT_EQ(Size(layout->EstimateSize({400, 300})), c.size);
    }

    CUIHorizontalLayout empty;
    empty.SetAttribute(L"adapttochildsize", L"true");
    empty.SetInset(CUIRect(2, 1, 2, 1));
    empty.SetChildPadding(10);
    EXPECT_EQ(Size(empty.EstimateSize({400, 300})), "0,2");  // 4 less one child padding, raised to 0
}

TEST_F(FlowTest, TheSeparatorLiesOnTheEdgeItsSignNames)
{
    CUIHorizontalLayout row;
    CUIVerticalLayout column;
    row.SetPos(CUIRect(10, 20, 110, 70), false);
    column.SetPos(CUIRect(10, 20, 110, 70), false);
    const struct {
        int extent;
        const char* row;
        const char* column;
    } cases[] = {
        {4, "106,20,110,70", "10,66,110,70"},
        {-4, "10,20,14,70", "10,20,110,24"},
        {0, "110,20,110,70", "10,70,110,70"},
        {150, "-40,20,110,70", "10,20,110,70"},  // only the column keeps it within itself
        {-150, "10,20,160,70", "10,20,110,70"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extent);
        row.SetSepWidth(c.extent);
        column.SetSepHeight(c.extent);
        EXPECT_EQ(Text(row.GetThumbRect(false)), c.row);
        EXPECT_EQ(Text(row.GetThumbRect(true)), c.row);  // no drag in progress
        EXPECT_EQ(Text(column.GetThumbRect(false)), c.column);
        EXPECT_EQ(row.GetControlFlags(), c.extent != 0 ? 2u : 0u);
    }
    column.SetEnabled(false);
    EXPECT_EQ(column.GetControlFlags(), 0u);
}

TEST_F(FlowTest, SeparatorAttributesTakeNumbersAndTrueOnly)
{
    CUIHorizontalLayout row;
    CUIVerticalLayout column;
    const struct {
        const wchar_t* value;
        int extent;
    } numbers[] = {{L"12", 12}, {L"-3", -3}, {L"wide", 0}, {L"", 0}};
    for (const auto& n : numbers) {
        row.SetAttribute(L"sepwidth", n.value);
        column.SetAttribute(L"sepheight", n.value);
        EXPECT_EQ(row.GetSepWidth(), n.extent);
        EXPECT_EQ(column.GetSepHeight(), n.extent);
    }
    row.SetAttribute(L"sepheight", L"7");  // a column's attribute: the row's base ignores it
    EXPECT_EQ(row.GetSepWidth(), 0);
    row.SetAttribute(L"sepimm", L"true");
    EXPECT_TRUE(row.IsSepImmMode());
    row.SetAttribute(L"sepimm", L"True");
    EXPECT_FALSE(row.IsSepImmMode());
}

// A window whose markup is separator.xml: a side bar of 100 at the left, resized at its right edge.
class SeparatorTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        vonktest::UseDataFolder("layouts");
        window = vonktest::OpenMarkup(L"separator.xml");
        handler = headless::LastHandler();
        side = static_cast<CUIHorizontalLayout*>(window->FindControl(L"side")->GetInterface(L"HorizontalLayout"));
        rest = window->FindControl(L"rest");
        window->FindControl(L"root")->InputEvent += MakeDelegate(&SeparatorTest::RecordAtRoot);
        Reached().clear();
    }

    void TearDown() override { vonktest::DeleteTree(*window); }

    static Lines& Reached()
    {
        static Lines reached;
        return reached;
    }

    // Notes the presses that reach the root, the side bar's parent.
    static bool RecordAtRoot(void* param)
    {
        const auto* event = static_cast<TEventUI*>(param);
        if (event->Type == EVENT_BUTTONDOWN)
            Reached().push_back(std::to_string(event->ptMouse.x));
        return true;
    }

    std::unique_ptr<vonktest::MarkupWindow> window;
    CMsgHandler* handler = nullptr;
    CUIHorizontalLayout* side = nullptr;
    CUIControl* rest = nullptr;
};

TEST_F(SeparatorTest, AGhostDragFollowsThePointerWithinTheLimitsAndAppliesOnRelease)
{
    ASSERT_EQ(Text(side->GetPos()), "0,0,100,300");
    vonktest::Press(handler, 98, 50);
    EXPECT_TRUE(Reached().empty());  // the press ended at the separator

    const struct {
        int x;
        const char* ghost;
    } moves[] = {
        {130, "128,0,132,300"},  // dragged right by 32
        {60, "58,0,62,300"},
        {20, "46,0,50,300"},     // stops at the minimum width of 50
        {10, "46,0,50,300"},     // at the minimum further shrinking is ignored
        {30, "46,0,50,300"},     // moving right before the separator's inner edge is ignored
        {300, "196,0,200,300"},  // stops at the maximum width of 200
        {350, "196,0,200,300"},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.x);
        headless::ClearJournal();
        vonktest::MoveTo(handler, m.x, 50);
        EXPECT_EQ(Text(side->GetThumbRect(true)), m.ghost);
        EXPECT_EQ(Text(side->GetPos()), "0,0,100,300");  // the layout stays until the release
    }
    EXPECT_EQ(side->GetFixedWidth(), 200);

    headless::ClearJournal();
    side->DoPostPaint(window->GetPaintContext(), side->GetPos());
    EXPECT_EQ(headless::JournalOf("Render.DrawColor"), (Lines{"Render.DrawColor(196,0,200,300,aa000000)"}));

    vonktest::Release(handler, 350, 50);
    EXPECT_EQ(Text(side->GetPos()), "0,0,200,300");
    vonktest::Paint(handler);
    EXPECT_EQ(Text(side->GetPos()), "0,0,200,300");
    EXPECT_EQ(Text(rest->GetPos()), "200,0,400,300");

    headless::ClearJournal();
    side->DoPostPaint(window->GetPaintContext(), side->GetPos());
    EXPECT_TRUE(headless::JournalOf("Render.DrawColor").empty());  // no drag, no ghost
}

TEST_F(SeparatorTest, AGhostDragRepaintsWhereTheBarWasAndIsNow)
{
    vonktest::Press(handler, 98, 50);
    headless::ClearJournal();
    vonktest::MoveTo(handler, 120, 50);
    const Lines invalidated = headless::JournalOf("Window.Invalidate");
    ASSERT_FALSE(invalidated.empty());
    EXPECT_EQ(invalidated.back(), "Window.Invalidate(96,0,122,300)");
}

TEST_F(SeparatorTest, InImmediateModeEveryStepResizesAndThePressAlsoReachesTheParent)
{
    side->SetSepImmMode(true);
    vonktest::Press(handler, 98, 50);
    EXPECT_EQ(Reached(), (Lines{"98"}));
    vonktest::MoveTo(handler, 140, 50);
    EXPECT_EQ(Text(side->GetPos()), "0,0,142,300");
    vonktest::Paint(handler);
    EXPECT_EQ(Text(rest->GetPos()), "142,0,400,300");
    vonktest::Release(handler, 140, 50);
    EXPECT_EQ(side->GetFixedWidth(), 142);
}

TEST_F(SeparatorTest, PressesBesideTheSeparatorOrOnADisabledOneStartNoDrag)
{
    vonktest::Press(handler, 50, 50);
    EXPECT_EQ(Reached(), (Lines{"50"}));
    vonktest::MoveTo(handler, 150, 50);
    vonktest::Release(handler, 150, 50);
    EXPECT_EQ(Text(side->GetPos()), "0,0,100,300");

    side->SetEnabled(false);
    Reached().clear();
    vonktest::Press(handler, 98, 50);
    EXPECT_EQ(Reached(), (Lines{"98"}));
    vonktest::MoveTo(handler, 150, 50);
    EXPECT_EQ(Text(side->GetThumbRect(true)), "96,0,100,300");
    vonktest::Release(handler, 150, 50);
    vonktest::Paint(handler);
    EXPECT_EQ(Text(side->GetPos()), "0,0,100,300");
}

TEST_F(SeparatorTest, AColumnSeparatorOnTheTopEdgeMovesTheTopWithinTheLimits)
{
    CUIVerticalLayout column;
    column.SetSepHeight(-5);
    column.SetMinHeight(50);
    column.SetMaxHeight(90);
    window->InitControls(&column);
    column.SetPos(CUIRect(0, 100, 50, 200), false);
    TEventUI event{};
    event.Type = EVENT_BUTTONDOWN;
    event.ptMouse = {10, 102};
    column.Event(event);
    const struct {
        int y;
        const char* ghost;
    } moves[] = {
        {180, "0,150,50,155"},  // down by 78, stopped at the minimum height of 50
        {170, "0,150,50,155"},  // moving up is ignored while below the bar
        {140, "0,120,50,125"},  // up by 30
        {90, "0,110,50,115"},   // up by 50, stopped at the maximum height of 90
        {100, "0,110,50,115"},  // moving down is ignored while above the top
        {112, "0,122,50,127"},  // down by 12
    };
    event.Type = EVENT_MOUSEMOVE;
    for (const auto& m : moves) {
        SCOPED_TRACE(m.y);
        event.ptMouse = {10, m.y};
        column.Event(event);
        EXPECT_EQ(Text(column.GetThumbRect(true)), m.ghost);
    }
    EXPECT_EQ(Text(column.GetPos()), "0,100,50,200");
    event.Type = EVENT_BUTTONUP;
    column.Event(event);
    EXPECT_EQ(Text(column.GetPos()), "0,122,50,200");
    EXPECT_EQ(column.GetFixedHeight(), 78);
}

TEST_F(SeparatorTest, TheDraggedExtentReadsBackAtAnyScale)
{
    window->OnScaleChange(1.5, 1.0);
    CUIHorizontalLayout row;
    row.SetSepWidth(4);
    window->InitControls(&row);
    row.SetPos(CUIRect(0, 0, 100, 50), false);
    TEventUI event{};
    event.Type = EVENT_BUTTONDOWN;
    event.ptMouse = {98, 10};
    row.Event(event);
    event.Type = EVENT_MOUSEMOVE;
    event.ptMouse = {130, 10};
    row.Event(event);
    EXPECT_EQ(row.GetFixedWidth(), 132);  // stored as 88 logical pixels, read back at 1.5
}

}  // namespace
