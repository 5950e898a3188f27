// The items of a list: the background and text colour of each state from the list's
// record, selection and activation by the pointer and Return, the size estimate, the
// text item's column cells and text callback, and items outside a list.

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
using vonktest::Narrow;
using vonktest::Text;

class ItemTest : public vonktest::MarkupTest {
protected:
    void OpenItems(const wchar_t* skin = L"list_items.xml")
    {
        Open(skin);
        list = Find<CListUI>(L"list");
        ASSERT_NE(list, nullptr);
    }

    IListItemUI* Item(const wchar_t* name)
    {
        return static_cast<IListItemUI*>(Find<CUIControl>(name)->GetInterface(L"ListItem"));
    }

    // What the last paint drew over the item rectangle rc: its colour, images, the line
    // under it and the colour of its texts, in order.
    static Lines Look(const tagRECT& rc)
    {
        const std::string place = std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
                                  std::to_string(rc.right) + "," + std::to_string(rc.bottom);
        const std::string blended = std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
                                    std::to_string(rc.right - rc.left) + "," + std::to_string(rc.bottom - rc.top);
        const std::string line = std::to_string(rc.left) + "," + std::to_string(rc.bottom - 1) + "," +
                                 std::to_string(rc.right) + "," + std::to_string(rc.bottom - 1);
        Lines look;
        for (const std::string& call : headless::Journal()) {
            const Lines a = call.find('(') == std::string::npos ? Lines{} : vonktest::Arguments(call);
            if (call.rfind("Render.DrawColor(" + place + ",", 0) == 0)
                look.push_back("colour " + a[4]);
            else if (call.rfind("Render.AlphaBlend(" + blended + ",", 0) == 0)
                look.push_back("image " + a[8]);
            else if (call.rfind("Render.DrawLine(" + line + ",", 0) == 0)
                look.push_back("line " + a[5]);
            else if (call.rfind("Render.DrawText(", 0) == 0 && a[1] == std::to_string(rc.top) &&
                     a[3] == std::to_string(rc.bottom))
                look.push_back("text " + a[6]);
        }
        return look;
    }

    Lines LookOf(const wchar_t* name)
    {
        PaintAll();
        return Look(Find<CUIControl>(name)->GetPos());
    }

    CListUI* list = nullptr;
};

TEST_F(ItemTest, TheBackgroundAndTextFollowTheStateAndTheRow)
{
    OpenItems();
    EXPECT_EQ(LookOf(L"l0"), (Lines{"colour ff000001", "line ff0000aa", "text ff000011"}));
    EXPECT_EQ(LookOf(L"l1"), (Lines{"line ff0000aa", "text ff000011"}));  // an odd row
    EXPECT_EQ(LookOf(L"l4"), (Lines{"colour ff000001", "line ff0000aa"}));  // no text, no text drawn

    vonktest::MoveTo(handler, 50, 50);
    EXPECT_EQ(LookOf(L"l1"), (Lines{"colour ff000002", "line ff0000aa", "text ff000012"}));
    list->SelectItem(1, false);
    EXPECT_EQ(LookOf(L"l1"), (Lines{"colour ff000003", "line ff0000aa", "text ff000013"}));
    Find<CUIControl>(L"l1")->SetEnabled(false);
    EXPECT_EQ(LookOf(L"l1"), (Lines{"colour ff000004", "line ff0000aa", "text ff000014"}));
    EXPECT_TRUE(Item(L"l1")->IsSelected());

    // A state image that draws ends the background: no own image, no line.
    list->SetSelectedItemImage(L"file='a.png' fade='50'");
    list->SetItemBkImage(L"file='a.png' fade='60'");
    list->SelectItem(0, false);
    vonktest::MoveTo(handler, 50, 30);
    EXPECT_EQ(LookOf(L"l0"), (Lines{"colour ff000003", "image 50", "text ff000013"}));
    EXPECT_EQ(LookOf(L"l4"), (Lines{"colour ff000001", "image 60"}));  // the list's image ends it too
    // One that cannot be drawn is forgotten by the list.
    list->SetHotItemImage(L"file='missing.png'");
    vonktest::MoveTo(handler, 50, 110);
    EXPECT_EQ(LookOf(L"l4"), (Lines{"colour ff000002", "image 60"}));
    EXPECT_TRUE(list->GetHotItemImage().IsEmpty());
}

TEST_F(ItemTest, SelectionRefusedWhileDisabledAndGivenUpWhenHidden)
{
    OpenItems();
    CUIControl* one = Find<CUIControl>(L"l1");
    one->SetEnabled(false);
    EXPECT_FALSE(Item(L"l1")->Select(true));
    EXPECT_EQ(list->GetCurSel(), -1);
    one->SetEnabled(true);
    EXPECT_TRUE(Item(L"l1")->Select(true));
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_TRUE(Item(L"l1")->Select(true));
    EXPECT_EQ(notes.Take(), (Lines{"itemselect list 1,-1"}));

    one->SetVisible(false);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_FALSE(Item(L"l1")->IsSelected());
    EXPECT_EQ(notes.Take(), Lines{});

    CUIControl* zero = Find<CUIControl>(L"l0");
    zero->SetAttribute(L"selected", L"false");
    EXPECT_FALSE(Item(L"l0")->IsSelected());
    zero->SetAttribute(L"selected", L"true");
    EXPECT_TRUE(Item(L"l0")->IsSelected());
    EXPECT_EQ(list->GetCurSel(), 0);
    zero->SetAttribute(L"selected", L"false");
    EXPECT_FALSE(Item(L"l0")->IsSelected());
}

TEST_F(ItemTest, PressesSelectAndReportTheClickDoubleClicksActivate)
{
    OpenItems();
    vonktest::Click(handler, 50, 50);
    EXPECT_EQ(notes.Take(), (Lines{"itemclick l1 1,0", "itemselect list 1,-1"}));
    vonktest::Click(handler, 50, 90);  // on the container item's child
    EXPECT_EQ(notes.Take(), (Lines{"itemclick c3 0,0", "itemselect list 3,1"}));
    EXPECT_TRUE(Item(L"c3")->IsSelected());
    EXPECT_FALSE(Item(L"l1")->IsSelected());

    vonktest::Press(handler, 50, 30, EVENT_DBLCLICK);
    vonktest::Release(handler, 50, 30);
    TEventUI enter = vonktest::MakeEvent(EVENT_KEYDOWN);
    enter.chKey = 13;
    Find<CUIControl>(L"c3")->Event(enter);
    EXPECT_EQ(notes.Take(), (Lines{"itemactivate l0 0,0", "itemactivate c3 0,0"}));

    CUIControl* zero = Find<CUIControl>(L"l0");
    zero->SetEnabled(false);
    vonktest::Press(handler, 50, 30, EVENT_DBLCLICK);
    vonktest::Release(handler, 50, 30);
    vonktest::Click(handler, 50, 30);
    zero->SetEnabled(true);
    zero->SetVisible(false);
    TEventUI twice = vonktest::MakeEvent(EVENT_DBLCLICK, 50, 30);
    zero->Event(twice);
    EXPECT_EQ(notes.Take(), Lines{});
}

TEST_F(ItemTest, TheWheelOverAnItemReachesTheList)
{
    OpenItems();
    list->SetAttribute(L"scrollselect", L"true");
    vonktest::Wheel(handler, 50, 30, 1);
    vonktest::Wheel(handler, 50, 90, 1);
    EXPECT_EQ(notes.Take(), (Lines{"itemselect list 0,-1", "itemselect list 1,0"}));
}

TEST_F(ItemTest, TheEstimateTakesTheListsItemSizeAndMeasuresTheRest)
{
    OpenItems();
    window->OnScaleChange(1.5, 1.5);
    list->SetAttribute(L"itemsize", L"0,24");
    CUIControl* zero = Find<CUIControl>(L"l0");
    CUIRect measured;
    window->GetPaintContext()->DrawText(CUIRect(0, 0, 9999, 9999), L"zero",
                                        TEXTSTYLE_VCENTER | TEXTSTYLE_SINGLELINE | TEXTSTYLE_CALCRECT, L"",
                                        0xFF000000, false, &measured);
    EXPECT_GT(measured.right, 0);
    const tagSIZE size = zero->EstimateSize({300, 200});
    EXPECT_EQ(size.cy, 36);
    EXPECT_EQ(size.cx, measured.right - measured.left + 8);  // with the text padding, unscaled

    zero->SetFixedHeight(30);
    EXPECT_EQ(zero->EstimateSize({300, 200}).cy, 45);  // its own fixed size, scaled, wins

    CListLabelElementUI loose;
    loose.SetText(L"loose");
    EXPECT_EQ(vonktest::Size(loose.EstimateSize({300, 200})), "0,0");
}

TEST_F(ItemTest, ATextItemDrawsItsColumnsInTheirCellsAndFollowsThem)
{
    OpenItems();
    auto* texts = static_cast<CListTextElementUI*>(Find<CUIControl>(L"t2"));
    texts->SetText(0, L"a");
    texts->SetText(1, L"b");
    texts->SetText(2, L"c");
    PaintAll();
    const Lines cells = {"0,64,100,84 a 144 ff000011", "100,64,200,84 b 144 ff000011", "200,64,300,84 c 144 ff000011"};
    const Lines drawn = vonktest::DrawnTexts();
    EXPECT_EQ(Lines(drawn.begin() + 5, drawn.begin() + 8), cells);  // after the header and two items

    // A column dragged wider, and the items scrolled.
    vonktest::Press(handler, 97, 10);
    vonktest::MoveTo(handler, 147, 10);
    vonktest::Release(handler, 147, 10);
    PaintAll();
    list->SetScrollPos({20, 0});
    PaintAll();
    const Lines after = vonktest::DrawnTexts();
    EXPECT_EQ(Lines(after.begin() + 5, after.begin() + 8),
              (Lines{"-20,64,130,84 a 144 ff000011", "130,64,230,84 b 144 ff000011", "230,64,330,84 c 144 ff000011"}));
    EXPECT_EQ(texts->GetControlFlags(), 6u);
    EXPECT_NE(texts->GetLinkContent(7), nullptr);
    EXPECT_EQ(texts->GetLinkContent(8), nullptr);
}

TEST_F(ItemTest, ColumnTextsStayWithinTheListsColumns)
{
    OpenItems();
    auto* texts = static_cast<CListTextElementUI*>(Find<CUIControl>(L"t2"));
    texts->SetText(5, L"beyond");
    texts->SetText(-1, L"before");
    EXPECT_EQ(texts->GetText(5), nullptr);
    EXPECT_EQ(texts->GetText(-1), nullptr);

    headless::ClearJournal();
    texts->SetText(1, nullptr);  // nothing there, nothing given
    EXPECT_EQ(texts->GetText(1), nullptr);
    texts->SetText(1, L"same");
    texts->SetText(1, L"same");
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), (Lines{"Window.Invalidate(0,64,300,84)"}));
    EXPECT_STREQ(texts->GetText(1), L"same");
    EXPECT_EQ(texts->GetText(0), nullptr);

    CListTextElementUI loose;
    loose.SetText(0, L"x");
    EXPECT_EQ(loose.GetText(0), nullptr);
}

TEST_F(ItemTest, TheTextCallbackGivesEveryCell)
{
    OpenItems();
    struct Cells : IListCallbackUI {
        std::wstring text;
        Lines asked;
        const wchar_t* QueryItemText(CUIControl* item, int index, int column) override
        {
            asked.push_back(Narrow(item->GetName()) + " " + std::to_string(index) + " " + std::to_string(column));
            if (column == 1)
                return nullptr;
            text = L"r" + std::to_wstring(index) + L"c" + std::to_wstring(column);
            return text.c_str();
        }
    } cells;
    list->SetTextCallback(&cells);
    EXPECT_EQ(list->GetTextCallback(), &cells);
    static_cast<CListTextElementUI*>(Find<CUIControl>(L"t2"))->SetText(0, L"stored");
    PaintAll();
    EXPECT_EQ(cells.asked, (Lines{"t2 2 0", "t2 2 1", "t2 2 2"}));
    const Lines drawn = vonktest::DrawnTexts();
    EXPECT_EQ(Lines(drawn.begin() + 5, drawn.begin() + 8),
              (Lines{"0,64,100,84 r2c0 144 ff000011", "100,64,200,84  144 ff000011",
                     "200,64,300,84 r2c2 144 ff000011"}));
}

TEST_F(ItemTest, AnItemScrolledPartlyOutRepaintsOnlyWhatShows)
{
    OpenItems(L"lists.xml");
    list->NeedUpdate();
    PaintAll();
    list->SetScrollPos({0, 10});
    headless::ClearJournal();
    vonktest::MoveTo(handler, 50, 30);  // over item 0, from 14 to 34, under the header
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), (Lines{"Window.Invalidate(0,24,296,34)"}));
}

TEST_F(ItemTest, AnItemOutsideAListDrawsNothingAndKeepsItsOwnSelection)
{
    OpenItems();
    CListLabelElementUI loose;
    loose.SetText(L"loose");
    loose.SetPos(CUIRect(0, 0, 100, 20));
    headless::ClearJournal();
    loose.DoPaint(window->GetPaintContext(), CUIRect(0, 0, 300, 200));
    EXPECT_EQ(headless::Journal(), Lines{});
    TEventUI press = vonktest::MakeEvent(EVENT_BUTTONDOWN, 10, 10);
    loose.Event(press);
    EXPECT_TRUE(loose.IsSelected());
    EXPECT_EQ(loose.GetOwner(), nullptr);
    EXPECT_FALSE(loose.IsExpanded());
    EXPECT_FALSE(loose.Expand(true));
    EXPECT_EQ(Narrow(loose.GetClass()), "ListLabelElementUI");
    EXPECT_EQ(loose.GetInterface(L"ListLabelElement"), &loose);
    EXPECT_EQ(loose.GetInterface(L"ListElement"), static_cast<CListElementUI*>(&loose));
    EXPECT_EQ(loose.GetControlFlags(), 4u);

    CListContainerElementUI row;
    EXPECT_EQ(row.GetInterface(L"ListContainerElement"), &row);
    EXPECT_EQ(row.GetInterface(L"ListItem"), static_cast<IListItemUI*>(&row));
    EXPECT_NE(row.GetInterface(L"Container"), nullptr);
}

}  // namespace
