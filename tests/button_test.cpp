// Buttons in a window built from markup: the state that follows the pointer, the click,
// the images and colours of each state, children that mirror the state, and the tab page
// that a click selects.

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

const uint32_t kPressed = BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED;

class ButtonTest : public vonktest::MarkupTest {
protected:
    void SetUp() override
    {
        MarkupTest::SetUp();
        Open(L"buttons.xml");
        ok = Find<CUIButton>(L"ok");
        look = Find<CUIButton>(L"look");
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(look, nullptr);
    }
    // The fades of the images painted: the look button's back image, then its fore image.
    Lines Painted()
    {
        PaintAll();
        Lines fades;
        for (const std::string& blend : vonktest::Blends())
            fades.push_back(blend.substr(blend.rfind(' ') + 1));
        return fades;
    }

    CUIButton* ok = nullptr;
    CUIButton* look = nullptr;
};

TEST_F(ButtonTest, APressAndAReleaseInsideClickOnce)
{
    EXPECT_EQ(ok->GetInterface(L"Button"), ok);
    EXPECT_EQ(vonktest::Narrow(ok->GetClass()), "ButtonUI");
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(ok->GetButtonState() & kPressed, kPressed);
    vonktest::Release(handler, 50, 20);
    EXPECT_EQ(notes.Take(), (Lines{"click ok 0,0"}));
    EXPECT_EQ(ok->GetButtonState() & kPressed, 0u);

    // Out and back in again before the release: one click.
    vonktest::Press(handler, 50, 20);
    vonktest::MoveTo(handler, 150, 100);
    EXPECT_EQ(ok->GetButtonState() & kPressed, BUTTONSTATE_CAPTURED);
    vonktest::MoveTo(handler, 60, 25);
    EXPECT_EQ(ok->GetButtonState() & kPressed, kPressed);
    vonktest::Release(handler, 60, 25);
    EXPECT_EQ(notes.Take(), (Lines{"click ok 0,0"}));
}

TEST_F(ButtonTest, AReleaseOutsideOrWithoutAPressDoesNotClick)
{
    vonktest::Press(handler, 50, 20);
    vonktest::MoveTo(handler, 250, 100);
    vonktest::Release(handler, 250, 100);
    EXPECT_EQ(ok->GetButtonState() & kPressed, 0u);
    EXPECT_EQ(notes.Take(), Lines{});
    // Pressed beside it, released over it.
    vonktest::Press(handler, 5, 5);
    vonktest::Release(handler, 50, 20);
    EXPECT_EQ(ok->GetButtonState() & kPressed, 0u);
    EXPECT_EQ(notes.Take(), Lines{});
    // A double click presses as well.
    vonktest::Press(handler, 50, 20, EVENT_DBLCLICK);
    vonktest::Release(handler, 50, 20);
    EXPECT_EQ(notes.Take(), (Lines{"click ok 0,0"}));
}

TEST_F(ButtonTest, ADisabledButtonTakesNoStateAndDisablingClearsIt)
{
    vonktest::MoveTo(handler, 50, 20);
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(ok->GetButtonState(), kPressed | BUTTONSTATE_HOT);
    EXPECT_EQ(ok->GetControlFlags(), 2u);
    ok->SetEnabled(false);
    EXPECT_EQ(ok->GetButtonState(), 0u);
    vonktest::Release(handler, 50, 20);
    vonktest::MoveTo(handler, 250, 190);
    vonktest::MoveTo(handler, 50, 20);
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(ok->GetButtonState(), 0u);
    vonktest::Release(handler, 50, 20);
    EXPECT_EQ(notes.Take(), Lines{});
    EXPECT_FALSE(ok->Activate());
    EXPECT_EQ(ok->GetControlFlags(), 0u);
}

TEST_F(ButtonTest, OnlyAButtonWithAHotLookRepaintsOnEnterAndLeave)
{
    EXPECT_FALSE(ok->HasState(BUTTONSTATE_HOT));
    headless::ClearJournal();
    vonktest::MoveTo(handler, 50, 20);
    vonktest::MoveTo(handler, 50, 50);
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), Lines{});
    const Lines hover = notes.Take(true);
    EXPECT_EQ(Lines(hover.begin(), hover.begin() + 2), (Lines{"enter ok 0,0", "leave ok 0,0"}));

    EXPECT_TRUE(look->HasState(BUTTONSTATE_HOT | BUTTONSTATE_PUSHED | BUTTONSTATE_FOCUSED | BUTTONSTATE_DISABLED));
    vonktest::MoveTo(handler, 150, 20);
    vonktest::MoveTo(handler, 150, 50);
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"),
              (Lines{"Window.Invalidate(120,10,220,40)", "Window.Invalidate(120,10,220,40)"}));
    // A colour gives a look too.
    ok->SetHotTextColor(0xFF00FF00);
    EXPECT_TRUE(ok->HasState(BUTTONSTATE_HOT));
}

TEST_F(ButtonTest, EachStatePaintsItsBackImageUnderItsForeImage)
{
    EXPECT_EQ(Painted(), (Lines{"10", "11"}));
    vonktest::MoveTo(handler, 150, 20);
    EXPECT_EQ(Painted(), (Lines{"20", "21"}));
    vonktest::Press(handler, 150, 20);
    EXPECT_EQ(Painted(), (Lines{"30", "21"}));
    vonktest::Release(handler, 150, 20);
    vonktest::MoveTo(handler, 5, 5);
    TEventUI focus = vonktest::MakeEvent(EVENT_SETFOCUS);
    look->Event(focus);
    EXPECT_EQ(Painted(), (Lines{"40", "41"}));
    look->SetEnabled(false);
    EXPECT_EQ(Painted(), (Lines{"50", "51"}));
    EXPECT_EQ(look->GetButtonState(), BUTTONSTATE_FOCUSED | BUTTONSTATE_DISABLED);
}

TEST_F(ButtonTest, AnImageThatFailsIsForgottenAndTheNextRowTakesOverNextTime)
{
    look->SetHotImage(L"missing.png");
    vonktest::MoveTo(handler, 150, 20);
    // A paint without a renderer draws nothing and forgets nothing.
    window->GetPaintContext()->SetRenderPlatform(nullptr);
    look->DoPaint(window->GetPaintContext(), CUIRect(0, 0, 300, 200));
    EXPECT_EQ(vonktest::Narrow(look->GetHotImage()), "missing.png");
    window->GetPaintContext()->SetRenderPlatform(headless::LastRender());

    EXPECT_EQ(Painted(), (Lines{"21"}));
    EXPECT_EQ(vonktest::Narrow(look->GetHotImage()), "");
    EXPECT_EQ(Painted(), (Lines{"10", "21"}));
}

TEST_F(ButtonTest, TheTextTakesTheColourOfTheFirstStateThatHasOne)
{
    ok->ApplyAttributeList(L"hottextcolor=\"#FF0000AA\" pushedtextcolor=\"FF0000BB\" focusedtextcolor=\"#FF0000CC\" "
                           L"textcolor=\"#FF0000DD\" singleline=\"false\" align=\"left\"");
    const auto colour = [this]() {
        PaintAll();
        const Lines texts = vonktest::DrawnTexts();
        return texts.empty() ? std::string("none") : texts[0].substr(texts[0].rfind(' ') + 1);
    };
    EXPECT_EQ(colour(), "ff0000dd");
    // Drawn on one line whatever the style says.
    EXPECT_EQ(vonktest::DrawnTexts()[0], "10,10,110,40 OK " + std::to_string(TEXTSTYLE_LEFT | 0x90) + " ff0000dd");
    vonktest::MoveTo(handler, 50, 20);
    EXPECT_EQ(colour(), "ff0000aa");
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(colour(), "ff0000bb");
    vonktest::Release(handler, 50, 20);
    vonktest::MoveTo(handler, 5, 5);
    TEventUI focus = vonktest::MakeEvent(EVENT_SETFOCUS);
    ok->Event(focus);
    EXPECT_EQ(colour(), "ff0000cc");
    // Disabled and focused: still the focused colour.
    ok->SetEnabled(false);
    EXPECT_EQ(colour(), "ff0000cc");
    ok->SetFocusedTextColor(0);
    EXPECT_EQ(colour(), "ffa7a6aa");
}

TEST_F(ButtonTest, HotAndPushedBackgroundColoursFillTheButton)
{
    ok->ApplyAttributeList(L"bkcolor=\"#FF010101\" hotbkcolor=\"#FF020202\" pushedbkcolor=\"FF030303\"");
    const auto fill = [this]() {
        PaintAll();
        return headless::JournalOf("Render.DrawColor(10,10,110,40,");
    };
    EXPECT_EQ(fill(), (Lines{"Render.DrawColor(10,10,110,40,ff010101)"}));
    vonktest::MoveTo(handler, 50, 20);
    EXPECT_EQ(fill(), (Lines{"Render.DrawColor(10,10,110,40,ff020202)"}));
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(fill(), (Lines{"Render.DrawColor(10,10,110,40,ff030303)"}));
    vonktest::Release(handler, 50, 20);
}

TEST_F(ButtonTest, ChildButtonsThatUseTheParentStateMirrorIt)
{
    auto* mirror = new CUIButton;
    auto* own = new CUIButton;
    auto* label = new CUILabel;
    auto* nested = new CUIButton;
    mirror->SetUseParentState(true);
    nested->SetUseParentState(true);
    label->SetUseParentState(true);
    mirror->Add(nested);
    ok->Add(mirror);
    ok->Add(own);
    ok->Add(label);
    vonktest::MoveTo(handler, 50, 20);
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(mirror->GetButtonState(), kPressed | BUTTONSTATE_HOT);
    EXPECT_EQ(nested->GetButtonState(), kPressed | BUTTONSTATE_HOT);
    EXPECT_EQ(own->GetButtonState(), 0u);
    vonktest::Release(handler, 50, 20);
    EXPECT_EQ(mirror->GetButtonState(), BUTTONSTATE_HOT);
}

TEST_F(ButtonTest, DraggingASlidingContainerDoesNotClickUnlessAskedTo)
{
    auto* inslide = Find<CUIButton>(L"inslide");
    const auto drag = [this]() {
        vonktest::Press(handler, 50, 70);
        vonktest::MoveTo(handler, 50, 80);
        vonktest::MoveTo(handler, 50, 75);
        vonktest::Release(handler, 50, 75);
        return notes.Take();
    };
    EXPECT_EQ(drag(), Lines{});
    EXPECT_EQ(inslide->GetButtonState() & kPressed, 0u);
    inslide->SetAttribute(L"sliderandselected", L"true");
    EXPECT_EQ(drag(), (Lines{"click inslide 0,0"}));
    // Within the dead zone it is a click anyway.
    inslide->SetSliderAndSelect(false);
    vonktest::Press(handler, 50, 70);
    vonktest::MoveTo(handler, 52, 72);
    vonktest::Release(handler, 52, 72);
    EXPECT_EQ(notes.Take(), (Lines{"click inslide 0,0"}));
    // Not a candidate: never a click.
    inslide->SetCandActive(false);
    vonktest::Click(handler, 50, 70);
    EXPECT_EQ(notes.Take(), Lines{});
}

TEST_F(ButtonTest, AClickSelectsTheBoundPageOfATabLayoutOnly)
{
    auto* tabs = Find<CUITabLayout>(L"tabs");
    auto* tabbtn = Find<CUIButton>(L"tabbtn");
    vonktest::Click(handler, 200, 140);
    EXPECT_EQ(tabs->GetCurSel(), 2);
    // The first switch records the new page as the last one too.
    EXPECT_EQ(notes.Take(), (Lines{"click tabbtn 0,0", "tabselect tabs 2,2"}));

    tabbtn->SetAttribute(L"bindtabindex", L"-1");
    EXPECT_EQ(tabbtn->GetBindTabLayoutIndex(), 2);
    tabbtn->BindTriggerTabSel(0);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    // Without an index: the page of the item name; a name of no page selects nothing.
    tabbtn->RemoveBindTabIndex();
    tabbtn->BindTabLayoutName(L"tabs");
    tabbtn->BindTabItemName(L"page1");
    tabbtn->BindTabItemName(nullptr);
    vonktest::Click(handler, 200, 140);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    tabbtn->BindTabItemName(L"nothing");
    vonktest::Click(handler, 200, 140);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(notes.Take(), (Lines{"tabselect tabs 0,2", "click tabbtn 0,0", "tabselect tabs 1,0",
                                   "click tabbtn 0,0"}));

    // A name of a control that is no tab layout selects nothing; the click is reported.
    vonktest::Click(handler, 200, 180);
    EXPECT_EQ(notes.Take(), (Lines{"click labelbtn 0,0"}));
    EXPECT_EQ(vonktest::Narrow(Find<CUIButton>(L"labelbtn")->GetBindTabLayoutName()), "caption");
}

// A deleted control that two containers list, one of them twice, tells each container once,
// in the order of its first listing.
class ListedTwiceTest : public vonktest::MarkupTest {};

TEST_F(ListedTwiceTest, ADeletedControlTellsEachContainerOnceInTheOrderOfItsFirstListing)
{
    Open(L"buttons.xml");
    CUIControl* root = window->FindControl(L"root");
    CUIControl* slide = window->FindControl(L"slide");
    ASSERT_NE(slide, nullptr);
    auto* listed = new CUIControl;
    slide->Add(listed);
    root->Add(listed);
    slide->Add(listed);
    PaintAll();
    headless::ClearJournal();
    delete listed;
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"),
              (Lines{"Window.Invalidate(10,60,150,190)", "Window.Invalidate(0,0,300,200)"}));
    EXPECT_EQ(slide->GetItemIndex(listed), -1);
}

TEST(Button, WithoutAWindowAnActivationSendsNothingAndAnswersTrue)
{
    CUIButton button;
    EXPECT_TRUE(button.Activate());
    EXPECT_EQ(button.GetControlFlags(), 2u);
    button.SetVisible(false);
    EXPECT_FALSE(button.Activate());
    EXPECT_EQ(button.GetTextStyle(), 0x94u);
    button.ApplyAttributeList(L"hotbkcolor=\"#FF123456\" focusedtextcolor=\"ABC\" normalimage=\"n.png\"");
    EXPECT_EQ(button.GetHotBkColor(), 0xFF123456ul);
    EXPECT_EQ(button.GetFocusedTextColor(), 0xABCul);
    EXPECT_EQ(vonktest::Narrow(button.GetNormalImage()), "n.png");
    // The normal and plain fore images are no state's look.
    EXPECT_EQ(button.HasState(~0u), true);
    CUIButton bare;
    bare.SetNormalImage(L"n.png");
    bare.SetForeImage(L"f.png");
    EXPECT_FALSE(bare.HasState(~0u));
}

}  // namespace
