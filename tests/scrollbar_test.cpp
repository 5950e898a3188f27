// The scroll bar: the geometry of its parts, painting by state, the pointer with
// auto-repeat on the window's timer ticked by hand, and the timer's end in every case.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"

namespace {

using vonktest::Lines;
using vonktest::Text;

// Exposes the parts' rectangles of a bar.
class InspectedBar : public CUIScrollBar {
public:
    std::string Parts() const { return Text(m_rcButton1) + " | " + Text(m_rcButton2) + " | " + Text(m_rcThumb); }
    std::string Thumb() const { return Text(m_rcThumb); }
};

TEST(ScrollBar, AFreshBarIsVerticalAndFourPixelsThick)
{
    CUIScrollBar bar;
    EXPECT_EQ(std::wstring(bar.GetClass().GetData()), L"ScrollBarUI");
    EXPECT_EQ(bar.GetInterface(L"ScrollBar"), &bar);
    EXPECT_NE(bar.GetInterface(L"Control"), nullptr);
    EXPECT_FALSE(bar.IsHorizontal());
    EXPECT_EQ(bar.GetFixedWidth(), 4);
    EXPECT_EQ(bar.GetFixedHeight(), 0);
    EXPECT_EQ(bar.GetScrollRange(), 100);
    EXPECT_EQ(bar.GetScrollPos(), 0);
    EXPECT_EQ(bar.GetLineSize(), 8);
    EXPECT_FALSE(bar.GetShowButton1());
    EXPECT_FALSE(bar.GetShowButton2());
    EXPECT_TRUE(bar.IsShowScroll());
    EXPECT_EQ(bar.GetOwner(), nullptr);
}

TEST(ScrollBar, RangeAndPositionStayInBounds)
{
    CUIScrollBar bar;
    bar.SetScrollPos(150);
    EXPECT_EQ(bar.GetScrollPos(), 100);
    bar.SetScrollPos(-3);
    EXPECT_EQ(bar.GetScrollPos(), 0);
    bar.SetScrollPos(60);
    bar.SetScrollRange(-5);
    EXPECT_EQ(bar.GetScrollRange(), 0);
    EXPECT_EQ(bar.GetScrollPos(), 0);
}

TEST(ScrollBar, TurningMovesTheThicknessOnlyToAnAxisWithout)
{
    CUIScrollBar bar;
    bar.SetHorizontal(true);
    EXPECT_EQ(bar.GetFixedWidth(), 0);
    EXPECT_EQ(bar.GetFixedHeight(), 4);
    bar.SetHorizontal(false);
    EXPECT_EQ(bar.GetFixedWidth(), 4);
    EXPECT_EQ(bar.GetFixedHeight(), 0);
    bar.SetFixedHeight(7);
    bar.SetHorizontal(true);
    EXPECT_EQ(bar.GetFixedWidth(), 4);
    EXPECT_EQ(bar.GetFixedHeight(), 7);
}

TEST(ScrollBar, PartsAreLaidOutAlongTheBar)
{
    struct Case {
        bool horizontal;
        CUIRect rc;
        bool button1, button2;
        int range, pos;
        std::string parts;  // button 1 | button 2 | thumb
    };
    const Case cases[] = {
        {false, CUIRect(0, 0, 4, 104), false, false, 100, 0, "0,0,0,0 | 0,104,0,104 | 0,0,4,53"},
        {false, CUIRect(0, 0, 4, 104), false, false, 100, 50, "0,0,0,0 | 0,104,0,104 | 0,25,4,78"},
        {false, CUIRect(0, 0, 4, 104), false, false, 100, 100, "0,0,0,0 | 0,104,0,104 | 0,51,4,104"},
        {false, CUIRect(0, 0, 4, 104), true, true, 100, 100, "0,0,4,4 | 0,100,4,104 | 0,52,4,100"},
        {false, CUIRect(0, 0, 4, 104), false, false, 0, 0, "0,0,0,0 | 0,104,0,104 | 0,0,4,104"},
        {false, CUIRect(0, 0, 4, 104), true, false, 0, 0, "0,0,4,4 | 0,104,0,104 | 0,4,4,104"},
        // No room for a thumb: the buttons share the length.
        {false, CUIRect(0, 0, 4, 6), true, true, 100, 0, "0,0,4,3 | 0,3,4,6 | 0,0,0,0"},
        {false, CUIRect(0, 0, 4, 20), true, true, 100, 0, "0,0,4,4 | 0,16,4,20 | 0,4,4,8"},
        {true, CUIRect(0, 0, 104, 4), false, false, 100, 50, "0,0,0,0 | 104,0,104,0 | 25,0,78,4"},
        {true, CUIRect(10, 20, 114, 24), true, true, 100, 0, "10,20,14,24 | 110,20,114,24 | 14,20,62,24"},
        {true, CUIRect(0, 0, 7, 4), true, false, 100, 0, "0,0,3,4 | 7,0,7,0 | 0,0,0,0"},
        // A range in the billions: the smallest thumb, and no overflow of its offset.
        {false, CUIRect(0, 0, 4, 104), false, false, INT_MAX, INT_MAX, "0,0,0,0 | 0,104,0,104 | 0,100,4,104"},
        {false, CUIRect(0, 0, 4, 104), false, false, INT_MAX, INT_MAX / 2, "0,0,0,0 | 0,104,0,104 | 0,49,4,53"},
    };
    for (const Case& c : cases) {
        InspectedBar bar;
        bar.SetHorizontal(c.horizontal);
        bar.SetScrollRange(c.range);
        bar.SetScrollPos(c.pos);
        bar.SetShowButton1(c.button1);
        bar.SetShowButton2(c.button2);
        bar.SetPos(c.rc, false);
        EXPECT_EQ(bar.Parts(), c.parts) << Text(c.rc) << " range " << c.range << " pos " << c.pos;
    }
}

TEST(ScrollBar, MarkupValuesApplyInDocumentOrder)
{
    CUIScrollBar before;
    before.ApplyAttributeList(L"value=\"150\" range=\"200\"");
    EXPECT_EQ(before.GetScrollPos(), 100);
    CUIScrollBar after;
    after.ApplyAttributeList(L"range=\"200\" value=\"150\" linesize=\"3\" hor=\"true\" showbutton1=\"true\" "
                             L"showbutton2=\"true\" bknormalimage=\"x.png\" width=\"9\"");
    EXPECT_EQ(after.GetScrollPos(), 150);
    EXPECT_EQ(after.GetLineSize(), 3);
    EXPECT_TRUE(after.IsHorizontal());
    EXPECT_TRUE(after.GetShowButton1());
    EXPECT_TRUE(after.GetShowButton2());
    EXPECT_EQ(std::wstring(after.GetBkNormalImage().GetData()), L"x.png");
    EXPECT_EQ(after.GetFixedWidth(), 9);
}

TEST(ScrollBar, WithoutAWindowAPressStepsButStartsNothing)
{
    vonktest::StartHeadless();
    CUIScrollBar bar;
    bar.SetShowButton2(true);
    bar.SetPos(CUIRect(0, 0, 4, 104), false);
    TEventUI press{};
    press.Type = EVENT_BUTTONDOWN;
    press.ptMouse = {1, 102};
    bar.Event(press);
    EXPECT_EQ(bar.GetScrollPos(), 8);
    TEventUI release{};
    release.Type = EVENT_BUTTONUP;
    bar.Event(release);
    EXPECT_EQ(headless::RunningTimers(), 0u);
}

TEST(ScrollBar, LineSizesOfAnyMagnitudeStopAtTheEnds)
{
    struct Case {
        int lineSize;
        int start;
        bool forward;
        int expected;
    };
    const Case cases[] = {
        {INT_MAX, 50, true, 100},
        {INT_MIN, 50, true, 0},
        {INT_MIN, 50, false, 100},
        {INT_MAX, 50, false, 0},
    };
    for (const Case& c : cases) {
        CUIScrollBar bar;
        bar.SetShowButton1(true);
        bar.SetShowButton2(true);
        bar.SetPos(CUIRect(0, 0, 4, 104), false);
        bar.SetLineSize(c.lineSize);
        bar.SetScrollPos(c.start);
        TEventUI press{};
        press.Type = EVENT_BUTTONDOWN;
        press.ptMouse = c.forward ? tagPOINT{1, 102} : tagPOINT{1, 1};
        bar.Event(press);
        EXPECT_EQ(bar.GetScrollPos(), c.expected) << c.lineSize << (c.forward ? " forward" : " back");
    }
}

// ---- on a window ----

// Records the codes of the notifications a window delivers.
class Notes : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        if (msg.Type == NOTIFY_SCROLL)
            scrolls.push_back(static_cast<InspectedBar*>(msg.pSender)->GetScrollPos());
    }
    std::vector<int> scrolls;
};

// A 200 x 120 window whose root container holds a free bar at a fixed place.
class BarTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        const std::string dir = vonktest::DataDir() + "/render/";
        CResourceMgr::SetResourePath(std::wstring(dir.begin(), dir.end()).c_str());
        window = std::make_unique<vonktest::PlainWindow>();
        window->Create(0, 0, 200, 120);
        headless::ReportSize(200, 120);
        handler = headless::LastHandler();
        window->AddNotifier(&notes);
        root = std::make_unique<CUIContainer>();
        bar = new InspectedBar;
        bar->ApplyAttributeList(L"float=\"true\" pos=\"0,0,4,104\"");
        root->Add(bar);
        window->AttachDlg(root.get());
        vonktest::Paint(handler);
        baseTimers = headless::RunningTimers();
    }
    void TearDown() override
    {
        root.reset();
        delete bar;
    }
    void Tick(int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            headless::AdvanceClock(50);
    }

    std::unique_ptr<vonktest::PlainWindow> window;
    CMsgHandler* handler = nullptr;
    Notes notes;
    std::unique_ptr<CUIContainer> root;
    InspectedBar* bar = nullptr;
    size_t baseTimers = 0;
};

TEST_F(BarTest, AHeldButtonStepsAtThePressAndRepeatsFromTheSixthTick)
{
    bar->SetShowButton2(true);
    vonktest::Press(handler, 1, 102);
    EXPECT_EQ(bar->GetScrollPos(), 8);
    EXPECT_EQ(notes.scrolls, std::vector<int>{8});
    EXPECT_EQ(headless::RunningTimers(), baseTimers + 1);
    Tick(5);
    EXPECT_EQ(bar->GetScrollPos(), 8);
    Tick(2);
    EXPECT_EQ(bar->GetScrollPos(), 24);
    EXPECT_EQ(notes.scrolls, (std::vector<int>{8, 16, 24}));
    vonktest::Release(handler, 1, 102);
    EXPECT_EQ(headless::RunningTimers(), baseTimers);
    Tick(10);
    EXPECT_EQ(bar->GetScrollPos(), 24);

    bar->SetShowButton1(true);
    vonktest::Click(handler, 1, 1);
    EXPECT_EQ(bar->GetScrollPos(), 16);
}

TEST_F(BarTest, TheDraggedThumbFollowsThePointerOnEachTick)
{
    ASSERT_EQ(bar->Thumb(), "0,0,4,53");
    vonktest::Press(handler, 2, 20);
    EXPECT_EQ(notes.scrolls, std::vector<int>{0});
    vonktest::MoveTo(handler, 2, 30);
    EXPECT_EQ(bar->GetScrollPos(), 0);  // the tick applies it
    Tick(1);
    EXPECT_EQ(bar->GetScrollPos(), 23);  // 10 * 100 / (104 - 53 - 8)
    EXPECT_EQ(bar->Thumb(), "0,11,4,64");
    Tick(1);
    EXPECT_EQ(bar->GetScrollPos(), 23);
    EXPECT_EQ(notes.scrolls, (std::vector<int>{0, 23, 23}));
    vonktest::MoveTo(handler, 2, 115);
    Tick(1);
    EXPECT_EQ(bar->GetScrollPos(), 100);
    vonktest::Release(handler, 2, 115);
    EXPECT_EQ(headless::RunningTimers(), baseTimers);
}

TEST_F(BarTest, DraggingOverAHugeRangeStopsAtItsEnd)
{
    bar->SetScrollRange(INT_MAX);
    ASSERT_EQ(bar->Thumb(), "0,0,4,4");
    vonktest::Press(handler, 2, 2);
    vonktest::MoveTo(handler, 2, 12);
    Tick(1);
    EXPECT_EQ(bar->GetScrollPos(), 233422135);  // 10 * INT_MAX / (104 - 4 - 8)
    vonktest::MoveTo(handler, 2, 102);
    Tick(1);
    EXPECT_EQ(bar->GetScrollPos(), INT_MAX);
    EXPECT_EQ(bar->Thumb(), "0,100,4,104");
    vonktest::Release(handler, 2, 102);
}

TEST_F(BarTest, AThumbThatFillsTheRailDoesNotMoveAgainstThePointer)
{
    bar->SetScrollRange(1);
    ASSERT_EQ(bar->Thumb(), "0,0,4,103");
    vonktest::Press(handler, 2, 20);
    vonktest::MoveTo(handler, 2, 40);
    Tick(1);
    EXPECT_EQ(bar->GetScrollPos(), 0);
    vonktest::Release(handler, 2, 40);
}

TEST_F(BarTest, APressedTwiceOrDisabledOrDeletedBarLeavesNoTimer)
{
    bar->SetScrollRange(1000);
    vonktest::Press(handler, 2, 90);
    vonktest::Press(handler, 2, 90, EVENT_DBLCLICK);
    EXPECT_EQ(headless::RunningTimers(), baseTimers + 1);
    vonktest::Release(handler, 2, 90);
    EXPECT_EQ(headless::RunningTimers(), baseTimers);

    vonktest::Press(handler, 2, 90);
    const int pos = bar->GetScrollPos();
    bar->SetEnabled(false);
    EXPECT_EQ(headless::RunningTimers(), baseTimers);
    Tick(10);
    EXPECT_EQ(bar->GetScrollPos(), pos);
    vonktest::Release(handler, 2, 90);
    // A press on the disabled bar starts nothing.
    vonktest::Press(handler, 2, 90);
    EXPECT_EQ(headless::RunningTimers(), baseTimers);
    EXPECT_EQ(bar->GetScrollPos(), pos);
    vonktest::Release(handler, 2, 90);

    bar->SetEnabled(true);
    vonktest::Press(handler, 2, 90);
    EXPECT_EQ(headless::RunningTimers(), baseTimers + 1);
    delete bar;
    bar = nullptr;
    EXPECT_EQ(headless::RunningTimers(), baseTimers);
    Tick(10);
    vonktest::Release(handler, 2, 90);
}

// Paints the window and answers the fades of the images drawn, one per part drawn.
Lines Fades()
{
    Lines fades;
    for (const std::string& line : headless::JournalOf("Render.AlphaBlend(")) {
        const size_t comma = line.rfind(',');
        fades.push_back(line.substr(comma + 1, line.size() - comma - 2));
    }
    return fades;
}

TEST_F(BarTest, PartsPaintTheImageOfTheirState)
{
    // Fades tell the images apart: 1x normal, 2x hot, 3x pushed, 4x disabled; x0 thumb, x1 button 1.
    bar->ApplyAttributeList(
        L"showbutton1=\"true\" thumbnormalimage=\"file='b.png' fade='10'\" thumbhotimage=\"file='b.png' fade='20'\" "
        L"thumbpushedimage=\"file='b.png' fade='30'\" thumbdisabledimage=\"file='b.png' fade='40'\" "
        L"button1normalimage=\"file='b.png' fade='11'\" button1hotimage=\"file='b.png' fade='21'\" "
        L"button1disabledimage=\"file='b.png' fade='41'\"");
    const auto paint = [this]() {
        headless::ClearJournal();
        window->Invalidate(CUIRect(0, 0, 200, 120));
        vonktest::Paint(handler);
        return Fades();
    };
    EXPECT_EQ(paint(), (Lines{"11", "10"}));
    vonktest::MoveTo(handler, 2, 10);  // enters over the thumb
    EXPECT_EQ(paint(), (Lines{"21", "20"}));
    vonktest::MoveTo(handler, 2, 80);  // off the thumb, still in the bar
    EXPECT_EQ(paint(), (Lines{"21", "10"}));
    vonktest::Press(handler, 2, 10);
    EXPECT_EQ(paint(), (Lines{"21", "30"}));
    vonktest::Release(handler, 2, 10);
    vonktest::MoveTo(handler, 100, 110);  // leaves the bar
    EXPECT_EQ(paint(), (Lines{"11", "10"}));
    bar->SetEnabled(false);
    EXPECT_EQ(paint(), (Lines{"41", "40"}));
    // Without a pushed image the normal one stands in.
    bar->SetEnabled(true);
    vonktest::Press(handler, 1, 1);
    EXPECT_EQ(paint(), (Lines{"11", "10"}));
    vonktest::Release(handler, 1, 1);
}

TEST_F(BarTest, ImagesArePlacedByDestAndMissingOnesFallBackOrAreForgotten)
{
    bar->SetScrollPos(50);
    bar->ApplyAttributeList(L"showbutton2=\"true\" railnormalimage=\"file='a.png'\" "
                            L"button2normalimage=\"missing.png\" bkdisabledimage=\"file='a.png'\"");
    headless::ClearJournal();
    bar->DoPaint(window->GetPaintContext(), CUIRect(0, 0, 200, 120));
    // Button 2's image is missing: its outline instead; the thumb has no image: its colour.
    const Lines drawn = headless::JournalOf("Render.Draw");
    EXPECT_EQ(drawn, (Lines{"Render.DrawRect(0,100,4,104,2,ff85e4ff)", "Render.DrawColor(0,25,4,75,ffbbc1cd)"}));
    EXPECT_TRUE(bar->GetButton2NormalImage().IsEmpty());
    // The grip: a square of the thickness across the thumb's middle.
    const Lines blends = headless::JournalOf("Render.AlphaBlend(");
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].find("Render.AlphaBlend(0,48,4,4,"), 0u) << blends[0];

    // A paint without a renderer draws nothing and forgets no image.
    bar->SetButton2NormalImage(L"missing.png");
    window->GetPaintContext()->SetRenderPlatform(nullptr);
    bar->DoPaint(window->GetPaintContext(), CUIRect(0, 0, 200, 120));
    EXPECT_FALSE(bar->GetButton2NormalImage().IsEmpty());
}

TEST_F(BarTest, TheButtonModifierIsRelativeToTheBar)
{
    bar->SetPos(CUIRect(10, 20, 14, 120), false);
    bar->ApplyAttributeList(L"showbutton1=\"true\" button1normalimage=\"file='a.png'\"");
    headless::ClearJournal();
    window->GetPaintContext()->SetRenderPlatform(headless::LastRender());
    bar->DoPaint(window->GetPaintContext(), CUIRect(0, 0, 200, 120));
    const Lines blends = headless::JournalOf("Render.AlphaBlend(");
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].find("Render.AlphaBlend(10,20,4,4,"), 0u) << blends[0];
}

// ---- an owned bar ----

class OwnedBarTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        bar->SetVisible(false);
        root->SetAttribute(L"vscrollbar", L"true");
        root->ProcessScrollBar(CUIRect(0, 0, 200, 100), 0, 600);
        owned = root->GetVerticalScrollBar();
    }
    CUIScrollBar* owned = nullptr;
};

TEST_F(OwnedBarTest, AHeldRailPagesTheOwnerUntilTheThumbCoversThePoint)
{
    ASSERT_EQ(Text(owned->GetPos()), "196,0,200,100");
    // A page is the root's height, 120.
    vonktest::Press(handler, 198, 60);
    EXPECT_EQ(root->GetScrollPos().cy, 120);
    Tick(5);
    EXPECT_EQ(root->GetScrollPos().cy, 120);
    Tick(1);
    EXPECT_EQ(root->GetScrollPos().cy, 240);
    Tick(1);
    EXPECT_EQ(root->GetScrollPos().cy, 360);  // the thumb now covers y 60
    Tick(5);
    EXPECT_EQ(root->GetScrollPos().cy, 360);
    vonktest::Release(handler, 198, 60);
    EXPECT_EQ(headless::RunningTimers(), baseTimers);
    // Only a free bar reports.
    EXPECT_TRUE(notes.scrolls.empty());

    vonktest::Click(handler, 198, 1);
    EXPECT_EQ(root->GetScrollPos().cy, 240);
}

TEST_F(OwnedBarTest, TheThumbDragsTheOwnerAndTheWheelScrollsIt)
{
    const int step = window->GetPaintManager()->GetDefaultFontHeight() + 8;
    vonktest::Wheel(handler, 198, 50, 1);
    EXPECT_EQ(root->GetScrollPos().cy, step);
    root->SetScrollPos({0, 0});

    vonktest::Press(handler, 198, 5);
    vonktest::MoveTo(handler, 198, 25);
    Tick(1);
    // 20 * 500 / (100 - 16 - 8)
    EXPECT_EQ(root->GetScrollPos().cy, 131);
    vonktest::Release(handler, 198, 25);
}

}  // namespace
