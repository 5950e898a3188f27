// Options and check boxes in a window built from markup: selection by clicks and calls,
// groups kept by the window, what is reported in which order, and the selected look.

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
using vonktest::Members;

class OptionTest : public vonktest::MarkupTest {
protected:
    void SetUp() override
    {
        MarkupTest::SetUp();
        Open(L"options.xml");
        for (const wchar_t* name : {L"a", L"b", L"c", L"free", L"first", L"early", L"look"})
            ASSERT_NE(Find<CUIOption>(name), nullptr) << vonktest::Narrow(name);
    }
    CUIOption* Option(const wchar_t* name) { return Find<CUIOption>(name); }
    // Which of the named options are selected.
    std::string Selection(std::initializer_list<const wchar_t*> names)
    {
        std::string selected;
        for (const wchar_t* name : names)
            selected += Option(name)->IsSelected() ? "1" : "0";
        return selected;
    }
};

TEST_F(OptionTest, MarkupJoinsGroupsAndReportsTheSelectionsItMakes)
{
    EXPECT_EQ(Members(*window, L"g"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(Members(*window, L"h"), (Lines{"first", "early"}));
    // "early" was selected before it named its group: it deselected nobody.
    EXPECT_EQ(Selection({L"a", L"b", L"c", L"first", L"early"}), "10011");
    Lines selections;
    for (const std::string& line : opened) {
        if (line.rfind("selectchanged", 0) == 0)
            selections.push_back(line);
    }
    EXPECT_EQ(selections, (Lines{"selectchanged a 1,0", "selectchanged first 1,0", "selectchanged early 1,0"}));
    EXPECT_EQ(Option(L"a")->GetButtonState() & BUTTONSTATE_SELECTED, uint32_t{BUTTONSTATE_SELECTED});
}

TEST_F(OptionTest, AClickInAGroupDeselectsTheOthersQuietlyThenReportsTheChangeThenTheClick)
{
    vonktest::Click(handler, 200, 20);
    EXPECT_EQ(Selection({L"a", L"b", L"c"}), "001");
    EXPECT_EQ(notes.Take(), (Lines{"selectchanged c 1,0", "click c 0,0"}));
    EXPECT_EQ(Option(L"a")->GetButtonState() & BUTTONSTATE_SELECTED, 0u);
    // The selected member again: a click only.
    vonktest::Click(handler, 200, 20);
    EXPECT_EQ(notes.Take(), (Lines{"click c 0,0"}));
    EXPECT_EQ(Selection({L"a", L"b", L"c"}), "001");
}

TEST_F(OptionTest, AnOptionWithoutAGroupTogglesOnEveryClick)
{
    vonktest::Click(handler, 50, 60);
    vonktest::Click(handler, 50, 60);
    EXPECT_EQ(notes.Take(), (Lines{"selectchanged free 1,0", "click free 0,0", "selectchanged free 0,0", "click free 0,0"}));
    EXPECT_FALSE(Option(L"free")->IsSelected());
}

TEST_F(OptionTest, SelectingByCallReportsOnlyWhenAskedAndOnlyChanges)
{
    Option(L"b")->Selected(true, false);
    EXPECT_EQ(Selection({L"a", L"b", L"c"}), "010");
    Option(L"b")->Selected(true, true);
    Option(L"b")->Selected(false, true);  // a grouped option reports only becoming selected
    EXPECT_EQ(notes.Take(), Lines{});
    EXPECT_EQ(Selection({L"a", L"b", L"c"}), "000");
    Option(L"free")->Selected(true, false);
    Option(L"free")->Selected(false, true);
    EXPECT_EQ(notes.Take(), (Lines{"selectchanged free 0,0"}));
}

TEST_F(OptionTest, AnOptionOutOfItsGroupIsLeftAloneAndAnotherNameJoinsAnotherGroup)
{
    CUIOption* b = Option(L"b");
    b->Selected(true, false);
    b->SetGroup(L"");
    EXPECT_EQ(Members(*window, L"g"), (Lines{"a", "c"}));
    vonktest::Click(handler, 200, 20);
    EXPECT_TRUE(b->IsSelected());
    b->SetGroup(L"h");
    EXPECT_EQ(Members(*window, L"h"), (Lines{"first", "early", "b"}));
    b->SetGroup(L"h");
    EXPECT_EQ(vonktest::Narrow(b->GetGroup()), "h");
    b->Selected(false, false);
    vonktest::Click(handler, 140, 20);
    EXPECT_EQ(Selection({L"first", L"early", L"b"}), "001");
    // A deleted member leaves its group.
    delete Option(L"c");
    EXPECT_EQ(Members(*window, L"g"), (Lines{"a"}));
}

TEST_F(OptionTest, DisablingKeepsOnlyTheSelection)
{
    CUIOption* a = Option(L"a");
    vonktest::MoveTo(handler, 50, 20);
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(a->GetButtonState(),
              uint32_t{BUTTONSTATE_SELECTED | BUTTONSTATE_HOT | BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED});
    a->SetEnabled(false);
    EXPECT_EQ(a->GetButtonState(), uint32_t{BUTTONSTATE_SELECTED});
    vonktest::Release(handler, 50, 20);
    EXPECT_FALSE(a->Activate());
    EXPECT_EQ(notes.Take(), Lines{});
}

TEST_F(OptionTest, TheSelectedLookFollowsThePointerAndGivesWayWhenDisabled)
{
    CUIOption* look = Option(L"look");
    const auto paint = [this]() {
        PaintAll();
        Lines seen;
        for (const std::string& fill : headless::JournalOf("Render.DrawColor(100,90,180,120,"))
            seen.push_back(fill.substr(fill.rfind(',') + 1, 8));
        for (const std::string& blend : vonktest::Blends()) {
            if (blend.rfind("100,90,", 0) == 0)
                seen.push_back(blend.substr(blend.rfind(' ') + 1));
        }
        return seen;
    };
    EXPECT_EQ(paint(), (Lines{"10", "11"}));
    look->Selected(true, false);
    EXPECT_EQ(paint(), (Lines{"ff0a0a0a", "60", "61"}));
    vonktest::MoveTo(handler, 140, 100);
    EXPECT_EQ(paint(), (Lines{"ff0a0a0a", "70", "71"}));
    vonktest::Press(handler, 140, 100);
    EXPECT_EQ(paint(), (Lines{"ff0a0a0a", "80", "81"}));
    vonktest::Release(handler, 140, 100);
    EXPECT_FALSE(look->IsSelected());  // the click toggled it
    look->Selected(true, false);
    look->SetEnabled(false);
    EXPECT_EQ(paint(), (Lines{"ff0a0a0a", "50", "51"}));
}

TEST_F(OptionTest, ASelectedOptionsTextTakesTheSelectedColoursAndItsOwnStyle)
{
    CUIOption* a = Option(L"a");
    a->ApplyAttributeList(L"selectedtextcolor=\"#FF000001\" selectedhottextcolor=\"#FF000002\" "
                          L"selectedpushedtextcolor=\"#FF000003\" singleline=\"false\"");
    const auto text = [this]() {
        PaintAll();
        for (const std::string& line : vonktest::DrawnTexts()) {
            if (line.rfind("10,10,90,40 A ", 0) == 0)
                return line.substr(14);
        }
        return std::string("none");
    };
    const std::string multiLine = std::to_string(0x14) + " ";
    EXPECT_EQ(text(), multiLine + "ff000001");
    vonktest::MoveTo(handler, 50, 20);
    EXPECT_EQ(text(), multiLine + "ff000002");
    vonktest::Press(handler, 50, 20);
    EXPECT_EQ(text(), multiLine + "ff000003");
    vonktest::Release(handler, 50, 20);
    // Without selected colours the text colour, black while unset and left unset.
    a->ApplyAttributeList(L"selectedtextcolor=\"FF000001\" selectedhottextcolor=\"FF000002\"");
    EXPECT_EQ(text(), multiLine + "ff000000");
    EXPECT_EQ(a->GetTextColor(), 0ul);
    EXPECT_EQ(a->GetDisabledTextColor(), 0xFFA7A6AAul);
    // Not selected: the button's painting, on one line.
    Option(L"b")->Selected(true, false);
    EXPECT_EQ(text(), std::to_string(0x94) + " ff000000");
    EXPECT_EQ(a->GetTextColor(), 0xFF000000ul);
}

TEST_F(OptionTest, ASelectedOptionWithoutTextLeavesItsTextColourUnset)
{
    CUIOption* first = Option(L"first");
    PaintAll();
    EXPECT_EQ(first->GetTextColor(), 0ul);
    EXPECT_EQ(first->GetDisabledTextColor(), 0xFFA7A6AAul);
}

TEST_F(OptionTest, ACheckBoxReportsEachChangeOfItsCheck)
{
    auto* check = Find<CUICheckBox>(L"check");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->GetInterface(L"CheckBox"), check);
    EXPECT_EQ(check->GetInterface(L"Option"), static_cast<CUIOption*>(check));
    check->SetCheck(true);
    check->SetCheck(true);
    EXPECT_TRUE(check->GetCheck());
    EXPECT_EQ(notes.Take(), (Lines{"selectchanged check 1,0"}));
    vonktest::Click(handler, 50, 100);
    EXPECT_FALSE(check->GetCheck());
    EXPECT_EQ(notes.Take(), (Lines{"selectchanged check 0,0", "click check 0,0"}));
    check->Selected(true, false);
    EXPECT_EQ(notes.Take(), Lines{});
}

TEST(Option, SelectedColoursNeedTheirHashAndTheTextColourDefaultsToBlack)
{
    CUIOption option;
    EXPECT_EQ(vonktest::Narrow(option.GetClass()), "OptionUI");
    EXPECT_EQ(option.GetSelectedTextColor(), 0xFF000000ul);
    option.ApplyAttributeList(L"selectedtextcolor=\"FF0000\" selectedbkcolor=\"#FF0000\"");
    EXPECT_EQ(option.GetSelectedTextColor(), 0xFF000000ul);  // none, so black
    EXPECT_EQ(option.GetSelectBkColor(), 0x00FF0000ul);
    option.ApplyAttributeList(L"selectedimage=\"s.png\" selectedhotforeimage=\"h.png\"");
    EXPECT_EQ(vonktest::Narrow(option.GetSelectedImage()), "s.png");
    EXPECT_EQ(vonktest::Narrow(option.GetSelectedHotForeImage()), "h.png");
    EXPECT_FALSE(option.HasState(~0u));
    // Without a window the selection changes and nothing is reported.
    EXPECT_TRUE(option.Activate());
    EXPECT_TRUE(option.IsSelected());
    EXPECT_EQ(option.GetButtonState(), uint32_t{BUTTONSTATE_SELECTED});
}

TEST(Option, AGroupIsLeftInTheWindowItWasJoinedInEvenAfterTheWindowWasTakenBack)
{
    vonktest::StartHeadless();
    auto window = vonktest::OpenWindow(100, 100);
    auto* option = new CUIOption;
    option->SetName(L"o");
    // As the builder does: the window is lent while the markup's attributes are applied.
    option->SetOwnWindow(window.get(), nullptr, false);
    option->SetAttribute(L"group", L"x");
    option->SetOwnWindow(nullptr, nullptr, false);
    EXPECT_EQ(Members(*window, L"x"), (Lines{"o"}));
    option->SetGroup(L"y");
    EXPECT_EQ(window->GetOptionGroup(L"x"), nullptr);
    EXPECT_EQ(window->GetOptionGroup(L"y"), nullptr);
    option->SetOwnWindow(window.get(), nullptr, true);
    EXPECT_EQ(Members(*window, L"y"), (Lines{"o"}));

    // The window may go first.
    window.reset();
    option->SetGroup(L"z");
    delete option;
}

}  // namespace
