// Progress bars and sliders in a window built from markup: the range, the filled part of
// the fore image, the thumb dragged by the pointer or stepped by the wheel, what a drag
// reports, and hiding or disabling a slider while its thumb is held.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"
#include "widget_support.h"

namespace {

using vonktest::Lines;
using vonktest::Text;

TEST(Progress, MarkupValuesAreJudgedAgainstTheRangeOfTheirMoment)
{
    CUIProgress before;
    before.ApplyAttributeList(L"value=\"150\" max=\"200\"");
    EXPECT_EQ(before.GetValue(), 0);
    CUIProgress after;
    after.ApplyAttributeList(L"max=\"200\" value=\"150\" min=\"-5\" hor=\"false\" isstretchfore=\"false\" "
                             L"forepadding=\"5\" foreimage=\"f.png\"");
    EXPECT_EQ(after.GetValue(), 150);
    EXPECT_EQ(after.GetMinValue(), -5);
    EXPECT_FALSE(after.IsHorizontal());
    EXPECT_FALSE(after.IsStretchForeImage());
    EXPECT_EQ(after.GetForePadding(), 0);  // only sliders read it
    EXPECT_EQ(vonktest::Narrow(after.GetForeImage()), "f.png");
    EXPECT_EQ(after.GetFixedHeight(), 12);
    EXPECT_EQ(after.GetTextStyle(), 0x84u);
    EXPECT_EQ(after.GetInterface(L"Progress"), &after);
    after.SetValue(201);
    after.SetValue(-6);
    EXPECT_EQ(after.GetValue(), 150);
}

TEST(Slider, MarkupSetsTheThumbStepAndPaddingReadingNoFurtherThanTheValue)
{
    CUISlider slider;
    EXPECT_EQ(vonktest::Narrow(slider.GetClass()), "SliderUI");
    EXPECT_EQ(slider.GetInterface(L"Progress"), static_cast<CUIProgress*>(&slider));
    EXPECT_EQ(slider.GetChangeStep(), 1);
    slider.ApplyAttributeList(L"thumbsize=\"20,8\" step=\"5\" forepadding=\"3\" sendmove=\"true\" "
                              L"thumbimage=\"t.png\"");
    slider.SetPos(CUIRect(0, 0, 100, 20), false);
    EXPECT_EQ(Text(slider.GetThumbRect()), "0,6,20,14");
    EXPECT_EQ(slider.GetChangeStep(), 5);
    EXPECT_EQ(slider.GetForePadding(), 3);
    EXPECT_TRUE(slider.IsSendMove());
    EXPECT_EQ(vonktest::Narrow(slider.GetThumbImage()), "t.png");
    slider.ApplyAttributeList(L"thumbsize=\"14\"");
    EXPECT_EQ(Text(slider.GetThumbRect()), "0,10,14,10");
    EXPECT_EQ(slider.GetControlFlags(), 2u);
}

TEST(Slider, TheThumbSitsAtTheStartOfItsTrackWhileTheRangeIsEmpty)
{
    CUISlider slider;
    slider.SetPos(CUIRect(0, 0, 110, 20), false);
    slider.SetMaxValue(0);
    EXPECT_EQ(Text(slider.GetThumbRect()), "0,5,10,15");
    slider.SetHorizontal(false);
    slider.SetPos(CUIRect(0, 0, 20, 110), false);
    EXPECT_EQ(Text(slider.GetThumbRect()), "5,100,15,110");
}

class ProgressTest : public vonktest::MarkupTest {
protected:
    void SetUp() override
    {
        MarkupTest::SetUp();
        Open(L"progress.xml");
        bar = Find<CUIProgress>(L"bar");
        slider = Find<CUISlider>(L"slider");
        upright = Find<CUISlider>(L"upright");
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(slider, nullptr);
        ASSERT_NE(upright, nullptr);
    }
    // The pieces of images that a paint of the window blends inside the control.
    Lines Blended(CUIControl* control)
    {
        PaintAll();
        CUIRect pos = control->GetPos();
        Lines blends;
        for (const std::string& blend : vonktest::Blends()) {
            const Lines dest = vonktest::Arguments("(" + blend.substr(0, blend.find(' ')) + ")");
            if (pos.IsPtIn({std::stoll(dest[0]), std::stoll(dest[1])}))
                blends.push_back(blend);
        }
        return blends;
    }
    // Presses at the first point, moves through the others and releases at the last.
    void Drag(std::initializer_list<tagPOINT> points)
    {
        const tagPOINT* at = points.begin();
        vonktest::Press(handler, static_cast<int>(at->x), static_cast<int>(at->y));
        for (++at; at != points.end(); ++at)
            vonktest::MoveTo(handler, static_cast<int>(at->x), static_cast<int>(at->y));
        const tagPOINT last = *(points.end() - 1);
        vonktest::Release(handler, static_cast<int>(last.x), static_cast<int>(last.y));
    }

    CUIProgress* bar = nullptr;
    CUISlider* slider = nullptr;
    CUISlider* upright = nullptr;
};

TEST_F(ProgressTest, TheForeImageFillsItsShareOfTheBar)
{
    // a.png is 20 x 20; the bar lies at (10, 20), 200 x 12.
    const struct {
        bool stretch;
        int padding;
        int value;
        bool horizontal;
        Lines blends;
    } cases[] = {
        {true, 0, 50, true, {"10,20,100,12 0,0,20,20 255"}},
        {true, 5, 50, true, {"15,20,95,12 0,0,20,20 255"}},
        {false, 5, 50, true, {"10,20,100,12 0,0,20,12 255"}},
        {true, 0, 0, true, {}},
        {true, 5, 100, true, {"15,20,190,12 0,0,20,20 255"}},
        // Upright: from the bottom.
        {true, 0, 50, false, {"10,26,200,6 0,0,20,20 255"}},
        {true, 2, 50, false, {"10,26,200,4 0,0,20,20 255"}},
        {false, 2, 50, false, {"10,26,200,6 0,6,20,6 255"}},
    };
    for (const auto& c : cases) {
        bar->SetStretchForeImage(c.stretch);
        bar->SetForePadding(c.padding);
        bar->SetValue(c.value);
        bar->SetHorizontal(c.horizontal);
        EXPECT_EQ(Blended(bar), c.blends) << c.stretch << " " << c.padding << " " << c.value << " " << c.horizontal;
    }
}

TEST_F(ProgressTest, TheTextIsPaintedOverTheFill)
{
    PaintAll();
    const Lines calls = headless::JournalOf("Render.");
    size_t blend = calls.size();
    size_t text = calls.size();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].rfind("Render.AlphaBlend(10,20,", 0) == 0)
            blend = i;
        if (calls[i].rfind("Render.DrawText(10,20,210,32,half,", 0) == 0)
            text = i;
    }
    ASSERT_LT(text, calls.size());
    EXPECT_LT(blend, text);
}

TEST_F(ProgressTest, PaintingPutsTheRangeInOrder)
{
    bar->SetMaxValue(0);
    EXPECT_EQ(bar->GetMaxValue(), 0);
    PaintAll();
    EXPECT_EQ(bar->GetMaxValue(), 1);
    EXPECT_EQ(bar->GetValue(), 1);

    bar->SetMaxValue(INT_MAX);
    bar->SetMinValue(INT_MAX);
    PaintAll();
    EXPECT_EQ(bar->GetMinValue(), INT_MAX - 1);
    EXPECT_EQ(bar->GetMaxValue(), INT_MAX);
    EXPECT_EQ(bar->GetValue(), INT_MAX - 1);
    // The widest range fills without overflow.
    bar->SetMinValue(INT_MIN);
    bar->SetValue(INT_MAX);
    EXPECT_EQ(Blended(bar), (Lines{"10,20,200,12 0,0,20,20 255"}));
}

TEST_F(ProgressTest, AForeImageThatFailsIsForgotten)
{
    bar->SetForeImage(L"missing.png");
    PaintAll();
    EXPECT_TRUE(bar->GetForeImage().IsEmpty());
}

TEST_F(ProgressTest, TheDraggedThumbTakesTheValueUnderThePointer)
{
    EXPECT_EQ(Text(slider->GetThumbRect()), "50,105,60,115");
    vonktest::Press(handler, 55, 110);
    vonktest::MoveTo(handler, 60, 110);
    EXPECT_EQ(slider->GetValue(), 55);
    vonktest::MoveTo(handler, 4, 110);
    EXPECT_EQ(slider->GetValue(), 0);
    vonktest::MoveTo(handler, 106, 150);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(notes.Take(), Lines{});
    vonktest::Release(handler, 106, 150);
    EXPECT_EQ(notes.Take(), (Lines{"valuechanged slider 0,0"}));
    EXPECT_EQ(Text(slider->GetThumbRect()), "100,105,110,115");

    // Upright: the bottom half thumb is the minimum, the top one the maximum.
    EXPECT_EQ(Text(upright->GetThumbRect()), "255,90,265,100");
    vonktest::Press(handler, 260, 95);
    vonktest::MoveTo(handler, 260, 146);
    EXPECT_EQ(upright->GetValue(), 0);
    vonktest::MoveTo(handler, 260, 45);
    EXPECT_EQ(upright->GetValue(), 100);
    vonktest::MoveTo(handler, 260, 100);
    EXPECT_EQ(upright->GetValue(), 45);
    vonktest::Release(handler, 260, 100);
    EXPECT_EQ(notes.Take(), (Lines{"valuechanged upright 0,0"}));
}

TEST_F(ProgressTest, ADragReportsAtItsReleaseAndWithSendMoveAtEachChange)
{
    Drag({{55, 110}, {65, 110}, {75, 110}, {75, 112}});
    EXPECT_EQ(slider->GetValue(), 70);
    EXPECT_EQ(notes.Take(), (Lines{"valuechanged slider 0,0"}));

    slider->SetSendMove(true);
    Drag({{75, 110}, {65, 110}, {65, 111}, {55, 110}});
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(notes.Take(), (Lines(3, "valuechanged slider 0,0")));
}

TEST_F(ProgressTest, ADragThatEndsWhereItStartedReportsNothing)
{
    Drag({{55, 110}, {75, 110}, {55, 110}});
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(notes.Take(), Lines{});
    // Released where the press was after a move away: the value follows the release.
    Drag({{55, 110}, {75, 110}, {56, 110}});
    EXPECT_EQ(slider->GetValue(), 51);
    EXPECT_EQ(notes.Take(), (Lines{"valuechanged slider 0,0"}));
}

TEST_F(ProgressTest, APressBesideTheThumbChangesNothing)
{
    vonktest::Press(handler, 20, 110);
    vonktest::MoveTo(handler, 90, 110);
    vonktest::Release(handler, 90, 110);
    EXPECT_EQ(slider->GetValue(), 50);
    // Nor does a release that ends no drag, on an enabled slider or a disabled one.
    vonktest::Press(handler, 5, 5);
    vonktest::Release(handler, 90, 110);
    slider->SetEnabled(false);
    vonktest::Click(handler, 55, 110);
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(notes.Take(), Lines{});
}

TEST_F(ProgressTest, TheWheelStepsTheValueAndAlwaysReports)
{
    vonktest::Wheel(handler, 30, 110, 0);
    EXPECT_EQ(slider->GetValue(), 51);
    slider->SetChangeStep(5);
    vonktest::Wheel(handler, 30, 110, 1);
    EXPECT_EQ(slider->GetValue(), 46);
    slider->SetValue(100);
    vonktest::Wheel(handler, 30, 110, 0);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(notes.Take(), (Lines(3, "valuechanged slider 0,0")));
    // A step beyond int stops at the range's end.
    slider->SetChangeStep(INT_MAX);
    vonktest::Wheel(handler, 30, 110, 0);
    EXPECT_EQ(slider->GetValue(), 100);
    slider->SetChangeStep(INT_MIN);
    vonktest::Wheel(handler, 30, 110, 1);
    EXPECT_EQ(slider->GetValue(), 100);
    // Neither up nor down: the base control's.
    notes.Take();
    vonktest::Wheel(handler, 30, 110, 2);
    EXPECT_EQ(notes.Take(), Lines{});
}

TEST_F(ProgressTest, WhileTheThumbIsHeldValuesWaitAndAHideWaitsForTheRelease)
{
    vonktest::Press(handler, 55, 110);
    slider->SetValue(10);
    EXPECT_EQ(slider->GetValue(), 50);
    slider->SetVisible(false);
    EXPECT_TRUE(slider->IsVisible());
    vonktest::MoveTo(handler, 65, 110);
    vonktest::Release(handler, 65, 110);
    EXPECT_FALSE(slider->IsVisible());
    EXPECT_EQ(slider->GetValue(), 60);
    slider->SetValue(10);
    EXPECT_EQ(slider->GetValue(), 10);

    // Shown again before the release: it stays shown.
    slider->SetVisible(true);
    slider->SetValue(50);
    PaintAll();
    vonktest::Press(handler, 55, 110);
    slider->SetVisible(false);
    slider->SetVisible(true);
    vonktest::Release(handler, 55, 110);
    EXPECT_TRUE(slider->IsVisible());

    // Disabled while held: the hide happens at once.
    vonktest::Press(handler, 55, 110);
    slider->SetVisible(false);
    slider->SetEnabled(false);
    EXPECT_FALSE(slider->IsVisible());
    vonktest::Release(handler, 55, 110);
    slider->SetEnabled(true);
    slider->SetValue(20);
    EXPECT_EQ(slider->GetValue(), 20);
}

TEST_F(ProgressTest, TheThumbShowsTheImageOfItsState)
{
    const auto thumb = [this]() {
        return Blended(slider);
    };
    EXPECT_EQ(thumb(), (Lines{"50,105,10,10 0,0,10,10 10"}));
    vonktest::MoveTo(handler, 20, 110);
    EXPECT_EQ(thumb(), (Lines{"50,105,10,10 0,0,10,10 20"}));
    vonktest::Press(handler, 55, 110);
    EXPECT_EQ(thumb(), (Lines{"50,105,10,10 0,0,10,10 30"}));
    vonktest::MoveTo(handler, 75, 110);
    EXPECT_EQ(thumb(), (Lines{"70,105,10,10 0,0,10,10 30"}));
    vonktest::Release(handler, 75, 110);
    // A state image that fails is forgotten and the plain one drawn in its place.
    slider->SetThumbHotImage(L"missing.png");
    EXPECT_EQ(thumb(), (Lines{"70,105,10,10 0,0,10,10 10"}));
    EXPECT_TRUE(slider->GetThumbHotImage().IsEmpty());
    vonktest::MoveTo(handler, 200, 190);
    slider->SetEnabled(false);
    vonktest::MoveTo(handler, 20, 110);
    EXPECT_EQ(thumb(), (Lines{"70,105,10,10 0,0,10,10 10"}));
}

}  // namespace
