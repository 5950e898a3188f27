// Labels and text controls: their markup vocabulary, the text they paint with its colours,
// the size they estimate from the measured text, and the text control's links and events.

#include <gtest/gtest.h>

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
using vonktest::Size;
using vonktest::Text;

TEST(Label, AFreshLabelCentresOneLineAndATextControlWrapsInsideTwoPixels)
{
    CUILabel label;
    EXPECT_EQ(vonktest::Narrow(label.GetClass()), "LabelUI");
    EXPECT_EQ(label.GetInterface(L"Label"), &label);
    EXPECT_EQ(label.GetInterface(L"Control"), static_cast<CUIControl*>(&label));
    EXPECT_EQ(label.GetTextStyle(), 0x94u);
    EXPECT_EQ(Text(label.GetTextPadding()), "0,0,0,0");

    CUIText text;
    EXPECT_EQ(vonktest::Narrow(text.GetClass()), "TextUI");
    EXPECT_EQ(text.GetInterface(L"Text"), &text);
    EXPECT_EQ(text.GetInterface(L"Label"), static_cast<CUILabel*>(&text));
    EXPECT_EQ(text.GetTextStyle(), 0x40u);
    EXPECT_EQ(Text(text.GetTextPadding()), "2,0,2,0");
}

TEST(Label, AlignAndEllipsisChangeOnlyTheirBitsOfTheStyle)
{
    const struct {
        const wchar_t* list;
        UINT style;
    } cases[] = {
        {L"align=\"left vcenter\"", TEXTSTYLE_CENTER | TEXTSTYLE_VCENTER | TEXTSTYLE_SINGLELINE},
        {L"align=\"right vcenter\"", TEXTSTYLE_RIGHT | TEXTSTYLE_VCENTER | TEXTSTYLE_SINGLELINE},
        {L"align=\"left\"", TEXTSTYLE_LEFT | TEXTSTYLE_VCENTER | TEXTSTYLE_SINGLELINE},
        {L"align=\"bottom\"", 0xA4},
        {L"align=\"top right\"", TEXTSTYLE_TOP | TEXTSTYLE_RIGHT | TEXTSTYLE_SINGLELINE},
        {L"ellipsis=\"1\"", 0x94 | TEXTSTYLE_END_ELLIPSIS},
        {L"ellipsis=\"1\" ellipsis=\"2\"", 0x94 | TEXTSTYLE_ELLIPSIS_MODE2},
        {L"ellipsis=\"2\" ellipsis=\"3\"", 0x94},
        {L"ellipsis=\"1\" ellipsis=\"x\"", 0x94},
        {L"singleline=\"false\"", 0x14},
        {L"singleline=\"false\" singleline=\"true\"", 0x94},
    };
    for (const auto& c : cases) {
        CUILabel label;
        label.ApplyAttributeList(c.list);
        EXPECT_EQ(label.GetTextStyle(), c.style) << vonktest::Narrow(c.list);
    }
}

TEST(Label, ColoursPaddingFontsAndFlagsFromMarkup)
{
    CUILabel label;
    label.ApplyAttributeList(L"textcolor=\"#FF0000FF\" disabledtextcolor=\"FF00FF00\" font=\"big\" "
                             L"textpadding=\"1,2,3,4\" showhtml=\"true\" autocalcwidth=\"true\" "
                             L"autocalcheight=\"true\" width=\"30\"");
    EXPECT_EQ(label.GetTextColor(), 0xFF0000FFul);
    EXPECT_EQ(label.GetDisabledTextColor(), 0xFF00FF00ul);
    EXPECT_EQ(vonktest::Narrow(label.GetFont()), "big");
    EXPECT_EQ(Text(label.GetTextPadding()), "1,2,3,4");
    EXPECT_TRUE(label.IsShowHtml());
    EXPECT_TRUE(label.GetAutoCalcWidth());
    EXPECT_TRUE(label.GetAutoCalcHeight());
    EXPECT_EQ(label.GetFixedWidth(), 30);  // the base control's name

    // Without digits a colour is unset; a short padding is read up to its end.
    label.ApplyAttributeList(L"textcolor=\"#\" textpadding=\"5,6\"");
    EXPECT_EQ(label.GetTextColor(), 0ul);
    EXPECT_EQ(Text(label.GetTextPadding()), "5,6,0,0");
    label.ApplyAttributeList(L"textpadding=\"7\"");
    EXPECT_EQ(Text(label.GetTextPadding()), "7,0,0,0");
}

// A window of 200 x 100 with a label as its root, which therefore fills it.
class LabelTest : public vonktest::WindowFixture {
protected:
    void Attach(CUIControl& root)
    {
        window->AttachDlg(&root);
        headless::ClearJournal();
    }
    // Paints the whole window and answers the texts drawn.
    Lines PaintTexts()
    {
        headless::ClearJournal();
        window->Invalidate(CUIRect(0, 0, 200, 100));
        vonktest::Paint(handler);
        return vonktest::DrawnTexts();
    }
    // The extent that the window's default font gives text in an unlimited rectangle.
    tagSIZE Extent(const wchar_t* text)
    {
        CUIRect out(0, 0, 0, 0);
        window->GetPaintContext()->DrawText(CUIRect(0, 0, 9999, 9999), text, TEXTSTYLE_CALCRECT, L"", 0, false, &out);
        headless::ClearJournal();
        return {out.right - out.left, out.bottom - out.top};
    }
};

TEST_F(LabelTest, TheTextIsDrawnInsideThePaddingInTheColourOfTheState)
{
    CUILabel label;
    label.ApplyAttributeList(L"text=\"Hello\" textpadding=\"4,2,6,8\"");
    Attach(label);
    EXPECT_EQ(label.GetTextColor(), 0ul);
    EXPECT_EQ(PaintTexts(), (Lines{"4,2,194,92 Hello 148 ff000000"}));
    // The defaults are stored by the first paint.
    EXPECT_EQ(label.GetTextColor(), 0xFF000000ul);
    EXPECT_EQ(label.GetDisabledTextColor(), 0xFFA7A6AAul);

    label.SetEnabled(false);
    EXPECT_EQ(PaintTexts(), (Lines{"4,2,194,92 Hello 148 ffa7a6aa"}));
    label.SetEnabled(true);
    label.SetTextColor(0xFF112233);
    label.SetTextStyle(TEXTSTYLE_LEFT);
    EXPECT_EQ(PaintTexts(), (Lines{"4,2,194,92 Hello 2 ff112233"}));
    // A colour set back to 0 is painted in the default again.
    label.SetTextColor(0);
    EXPECT_EQ(PaintTexts(), (Lines{"4,2,194,92 Hello 2 ff000000"}));

    // The padding is logical: it scales with the window.
    window->OnScaleChange(2.0, 1.5);
    EXPECT_EQ(Text(label.GetTextPadding()), "8,3,12,12");
    // A font group takes the place of the font.
    label.SetFonts(L"group");
    headless::ClearJournal();
    window->Invalidate(CUIRect(0, 0, 200, 100));
    vonktest::Paint(handler);
    EXPECT_EQ(headless::JournalOf("Render.DrawText(").size(), 0u);
    EXPECT_EQ(headless::JournalOf("Render.DrawTextFromFonts(").size(), 1u);

    label.SetText(L"");
    EXPECT_EQ(PaintTexts(), Lines{});
}

TEST_F(LabelTest, AFixedSizeIsEstimatedWithoutMeasuringAndAnEmptyLabelIsNotClamped)
{
    CUILabel fixed;
    fixed.ApplyAttributeList(L"text=\"Hello\" width=\"100\" height=\"20\" autocalcwidth=\"true\"");
    CUILabel empty;
    empty.ApplyAttributeList(L"minwidth=\"30\" minheight=\"5\"");
    window->InitControls(&fixed);
    window->InitControls(&empty);
    window->OnScaleChange(1.5, 2.0);
    headless::ClearJournal();
    EXPECT_EQ(Size(fixed.EstimateSize({300, 300})), "150,40");
    EXPECT_EQ(Size(empty.EstimateSize({300, 300})), "0,0");
    EXPECT_EQ(vonktest::Measured(), Lines{});
}

TEST_F(LabelTest, AnEstimateIsMeasuredOncePerTextAndAvailableSize)
{
    CUILabel label;
    label.ApplyAttributeList(L"text=\"Hello\" autocalcwidth=\"true\" textpadding=\"3,0,5,0\"");
    window->InitControls(&label);
    const tagSIZE hello = Extent(L"Hello");

    EXPECT_EQ(Size(label.EstimateSize({300, 50})), Size(tagSIZE{hello.cx + 8, 0}));
    label.SetFont(L"other");
    EXPECT_EQ(Size(label.EstimateSize({300, 50})), Size(tagSIZE{hello.cx + 8, 0}));
    // Measured with the alignment bits taken out, in an unlimited rectangle.
    const UINT style = (0x94 & ~TEXTSTYLE_CENTER) | TEXTSTYLE_CALCRECT;
    EXPECT_EQ(vonktest::Measured(), (Lines{"0,0,9999,9999 Hello " + std::to_string(style) + " ff000000"}));

    headless::ClearJournal();
    label.SetText(L"Hello");  // the same text measures again
    label.EstimateSize({300, 50});
    label.EstimateSize({200, 50});  // and so does another available size
    label.EstimateSize({200, 50});
    EXPECT_EQ(vonktest::Measured().size(), 2u);
}

TEST_F(LabelTest, AutomaticWidthReplacesTheFixedWidthWithinTheLimits)
{
    CUILabel label;
    label.ApplyAttributeList(L"text=\"Hello wide world\" autocalcwidth=\"true\" width=\"80\" textpadding=\"2,0,4,0\"");
    window->InitControls(&label);
    const tagSIZE extent = Extent(L"Hello wide world");
    ASSERT_GT(extent.cx, 50);
    EXPECT_EQ(label.EstimateSize({300, 50}).cx, extent.cx + 6);
    // A new limit, fixed size or scale makes the cached estimate stale.
    label.SetMaxWidth(50);
    EXPECT_EQ(label.EstimateSize({300, 50}).cx, 50);
    label.SetMaxWidth(9999);
    label.SetAutoCalcWidth(false);
    label.SetFixedWidth(120);
    EXPECT_EQ(label.EstimateSize({300, 50}).cx, 120);
    window->OnScaleChange(2.0, 2.0);
    EXPECT_EQ(label.EstimateSize({300, 50}).cx, 240);

    // Automatic height measures one line; without the flag the height stays 0.
    CUILabel tall;
    tall.ApplyAttributeList(L"text=\"Hello\" autocalcheight=\"true\" textpadding=\"0,1,0,2\"");
    window->InitControls(&tall);
    window->OnScaleChange(1.0, 1.0);
    EXPECT_EQ(Size(tall.EstimateSize({300, 50})), Size(tagSIZE{0, Extent(L"Hello").cy + 3}));
}

TEST_F(LabelTest, AMultiLineLabelMeasuresItsHeightWithinItsFixedWidth)
{
    CUILabel label;
    label.ApplyAttributeList(L"text=\"one two three four five six seven\" singleline=\"false\" "
                             L"autocalcheight=\"true\" width=\"60\" textpadding=\"5,1,7,2\"");
    window->InitControls(&label);
    headless::ClearJournal();
    const tagSIZE size = label.EstimateSize({300, 300});
    const Lines measured = vonktest::Measured();
    ASSERT_EQ(measured.size(), 1u);
    EXPECT_EQ(measured[0].substr(0, measured[0].find(' ')), "5,0,53,9999");
    EXPECT_EQ(size.cx, 60);
    EXPECT_GT(size.cy, 2 * Extent(L"one").cy);  // wrapped onto several lines

    // Without automatic height nothing is measured.
    CUILabel plain;
    plain.ApplyAttributeList(L"text=\"one\" singleline=\"false\" width=\"60\"");
    window->InitControls(&plain);
    headless::ClearJournal();
    EXPECT_EQ(Size(plain.EstimateSize({300, 300})), "60,0");
    EXPECT_EQ(vonktest::Measured(), Lines{});
}

TEST_F(LabelTest, FocusEventsSetTheFlagWithoutARepaint)
{
    CUILabel label;
    Attach(label);
    window->Show(true);
    vonktest::Paint(handler);
    headless::ClearJournal();
    TEventUI focus = vonktest::MakeEvent(EVENT_SETFOCUS);
    label.Event(focus);
    EXPECT_TRUE(label.IsFocused());
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), Lines{});
    TEventUI blur = vonktest::MakeEvent(EVENT_KILLFOCUS);
    label.Event(blur);
    EXPECT_FALSE(label.IsFocused());
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), Lines{});
    // A plain control repaints.
    CUIControl plain;
    window->InitControls(&plain);
    plain.SetPos(CUIRect(0, 0, 10, 10), false);
    plain.Event(focus);
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), Lines{"Window.Invalidate(0,0,10,10)"});
}

TEST_F(LabelTest, ATextControlMeasuresOverTheAvailableWidthEveryTime)
{
    CUIText text;
    text.SetText(L"Hello");
    window->InitControls(&text);
    const tagSIZE hello = Extent(L"Hello");  // clears the journal
    EXPECT_EQ(Size(text.EstimateSize({300, 10})), Size(tagSIZE{hello.cx + 4, hello.cy}));
    EXPECT_EQ(Size(text.EstimateSize({300, 10})), Size(tagSIZE{hello.cx + 4, hello.cy}));
    const Lines measured = vonktest::Measured();
    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0], "2,0,298,9999 Hello " + std::to_string(0x40 | TEXTSTYLE_CALCRECT) + " 00000000");

    // A fixed width wider than the space wins; a fixed height replaces the measured one.
    headless::ClearJournal();
    text.ApplyAttributeList(L"width=\"400\" height=\"33\"");
    EXPECT_EQ(text.EstimateSize({300, 10}).cy, 33);
    EXPECT_EQ(vonktest::Measured()[0].substr(0, 12), "2,0,398,9999");
}

TEST_F(LabelTest, ATextControlHasLinkSlotsOnlyOnceItPaintedText)
{
    CUIText text;
    Attach(text);
    EXPECT_EQ(text.GetControlFlags(), 0u);
    text.SetText(L"see the link");
    EXPECT_EQ(text.GetLinkContent(0), nullptr);
    PaintTexts();
    ASSERT_NE(text.GetLinkContent(0), nullptr);
    EXPECT_TRUE(text.GetLinkContent(0)->IsEmpty());
    EXPECT_NE(text.GetLinkContent(7), nullptr);
    EXPECT_EQ(text.GetLinkContent(-1), nullptr);
    EXPECT_EQ(text.GetLinkContent(8), nullptr);
    EXPECT_EQ(text.GetControlFlags(), 2u);
    text.SetEnabled(false);
    EXPECT_EQ(text.GetControlFlags(), 0u);

    text.SetText(L"");
    PaintTexts();
    EXPECT_EQ(text.GetLinkContent(0), nullptr);
}

// The types of the events that reached the control that records them.
std::vector<uint32_t>& Reached()
{
    static std::vector<uint32_t> types;
    return types;
}

bool RecordType(void* event)
{
    Reached().push_back(static_cast<TEventUI*>(event)->Type);
    return true;
}

TEST_F(LabelTest, ATextControlWhoseMouseIsDisabledHandsPointerEventsToItsParent)
{
    CUIControl root;
    CUIText text;
    root.SetName(L"root");
    text.SetName(L"text");
    root.Add(&text);
    Attach(root);
    vonktest::Paint(handler);
    Reached().clear();
    root.InputEvent += MakeDelegate(&RecordType);
    vonktest::NotifyLog notes;
    window->AddNotifier(&notes);

    text.SetMouseEnabled(false);
    for (const uint32_t type : {EVENT_BUTTONUP, EVENT_MOUSEENTER, EVENT_SCROLLWHEEL, EVENT_SETFOCUS}) {
        TEventUI event = vonktest::MakeEvent(type, 5, 5);
        text.Event(event);
    }
    EXPECT_EQ(Reached(), (std::vector<uint32_t>{EVENT_BUTTONUP, EVENT_MOUSEENTER, EVENT_SCROLLWHEEL}));
    EXPECT_TRUE(text.IsFocused());
    EXPECT_EQ(notes.Take(true), (Lines{"enter root 0,0"}));

    // With its mouse enabled a release over no link goes up too, an entry is its own.
    text.SetMouseEnabled(true);
    Reached().clear();
    for (const uint32_t type : {EVENT_BUTTONUP, EVENT_MOUSEENTER}) {
        TEventUI event = vonktest::MakeEvent(type, 5, 5);
        text.Event(event);
    }
    EXPECT_EQ(Reached(), (std::vector<uint32_t>{EVENT_BUTTONUP}));
    EXPECT_EQ(notes.Take(true), (Lines{"enter text 0,0"}));
}

}  // namespace
