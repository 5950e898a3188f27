// The list and its body: the header and the items that markup gives it, the indexes and
// the one selection through insertions, moves and removals, keys and the wheel, scrolling
// that keeps the header over its columns, sorting, and the item settings of markup.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <set>
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

class ListTest : public vonktest::MarkupTest {
protected:
    void OpenList(const wchar_t* skin)
    {
        Open(skin);
        list = Find<CListUI>(L"list");
        ASSERT_NE(list, nullptr);
        Relayout();
        notes.Take(true);
    }

    // Lays the list out again and paints. Opening needs one: the first pass shows the
    // vertical bar after the items were placed.
    void Relayout()
    {
        list->NeedUpdate();
        PaintAll();
    }

    // The names of the items, in order, one blank after each.
    std::string Names() const
    {
        std::string names;
        for (int i = 0; i < list->GetCount(); ++i)
            names += Narrow(list->GetItemAt(i)->GetName()) + " ";
        return names;
    }

    // Whether every item's index is its position.
    bool Numbered() const
    {
        for (int i = 0; i < list->GetCount(); ++i) {
            if (ItemAt(i)->GetIndex() != i)
                return false;
        }
        return true;
    }

    IListItemUI* ItemAt(int i) const
    {
        return static_cast<IListItemUI*>(list->GetItemAt(i)->GetInterface(L"ListItem"));
    }

    IListItemUI* Named(const wchar_t* name)
    {
        return static_cast<IListItemUI*>(Find<CUIControl>(name)->GetInterface(L"ListItem"));
    }

    void Key(uint32_t key)
    {
        TEventUI event = vonktest::MakeEvent(EVENT_KEYDOWN);
        event.chKey = key;
        list->Event(event);
    }

    std::string Columns() const
    {
        std::string columns;
        const tagTListInfoUI* info = list->GetListInfo();
        for (int i = 0; i < info->nColumns; ++i)
            columns += Text(info->rcColumn[i]) + " ";
        return columns;
    }

    std::string HeaderItems() const
    {
        std::string places;
        for (int i = 0; i < list->GetHeader()->GetCount(); ++i)
            places += Text(list->GetHeader()->GetItemAt(i)->GetPos()) + " ";
        return places;
    }

    CListUI* list = nullptr;
};

TEST_F(ListTest, AFreshListHoldsAnEmptyHeaderAndABodyAndNothingElse)
{
    const vonktest::OwnedTree<CListUI> owned(new CListUI);
    CListUI& fresh = *owned;
    EXPECT_EQ(Narrow(fresh.GetClass()), "ListUI");
    EXPECT_EQ(fresh.GetInterface(L"List"), &fresh);
    EXPECT_EQ(fresh.GetInterface(L"IList"), static_cast<IListUI*>(&fresh));
    EXPECT_EQ(fresh.GetInterface(L"IListOwner"), static_cast<IListOwnerUI*>(&fresh));
    EXPECT_EQ(fresh.CUIControl::GetCount(), 2);
    EXPECT_EQ(fresh.CUIControl::GetItemAt(0), fresh.GetHeader());
    EXPECT_EQ(fresh.CUIControl::GetItemAt(1), fresh.GetList());
    EXPECT_EQ(fresh.GetHeader()->GetCount(), 0);
    EXPECT_EQ(Narrow(fresh.GetList()->GetClass()), "VerticalLayoutUI");
    EXPECT_EQ(fresh.GetCount(), 0);
    EXPECT_EQ(fresh.GetCurSel(), -1);
    EXPECT_EQ(fresh.GetExpandedItem(), -1);
    EXPECT_EQ(fresh.GetControlFlags(), 1u);

    const tagTListInfoUI& info = *fresh.GetListInfo();
    EXPECT_EQ(info.nColumns, 0);
    EXPECT_EQ(info.uTextStyle, TEXTSTYLE_VCENTER);
    EXPECT_EQ(info.dwTextColor, 0xFF000000u);
    EXPECT_EQ(info.dwSelectedBkColor, 0xFFC1E3FFu);
    EXPECT_EQ(info.dwHotBkColor, 0xFFE9F5FFu);
    EXPECT_EQ(info.dwDisabledTextColor, 0xFFCCCCCCu);
    EXPECT_EQ(info.dwDisabledBkColor, 0xFFFFFFFFu);
    EXPECT_EQ(info.dwLineColor, 0u);

    for (const wchar_t* name : {L"List", L"ListHeader", L"ListHeaderItem", L"ListLabelElement", L"ListTextElement",
                                L"ListContainerElement"}) {
        const vonktest::OwnedTree<CUIControl> made(CDialogBuilder::CreateControlByClass(name));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->GetClass(), CUIString(name) + L"UI");
    }
}

TEST_F(ListTest, MarkupGivesTheHeaderItsColumnsAndTheItemsTheirList)
{
    OpenList(L"lists.xml");
    CUIControl* header = Find<CUIControl>(L"header");
    EXPECT_EQ(list->GetHeader(), header);  // the list's own empty header gave way
    EXPECT_EQ(list->CUIControl::GetCount(), 2);
    EXPECT_EQ(list->CUIControl::GetItemAt(0), header);
    EXPECT_EQ(list->GetListInfo()->nColumns, 3);
    // As high as the font and 14, as wide as the columns.
    EXPECT_EQ(Text(header->GetPos()), "0,0,260,24");
    EXPECT_EQ(Columns(), "0,0,80,24 80,0,200,24 200,0,260,24 ");
    EXPECT_EQ(Text(list->GetList()->GetPos()), "0,24,300,200");
    EXPECT_EQ(list->GetCount(), 12);
    EXPECT_TRUE(Numbered());
    for (int i = 0; i < list->GetCount(); ++i)
        EXPECT_EQ(ItemAt(i)->GetOwner(), static_cast<IListOwnerUI*>(list));
    EXPECT_EQ(Text(list->GetItemAt(1)->GetPos()), "0,44,296,64");  // beside the vertical bar
    EXPECT_EQ(list->GetItemIndex(header), 0);
    EXPECT_EQ(list->GetItemIndex(Find<CUIControl>(L"c2")), 2);
    EXPECT_EQ(list->GetItemIndex(Find<CUIControl>(L"i4")), 4);
}

TEST_F(ListTest, TheColumnsStopAtThirtyTwo)
{
    const vonktest::OwnedTree<CListUI> owned(new CListUI);
    CListUI& wide = *owned;
    for (int i = 0; i < 40; ++i) {
        auto* column = new CListHeaderItemUI;
        column->SetFixedWidth(20);
        wide.Add(column);
    }
    EXPECT_EQ(wide.GetHeader()->GetCount(), 40);
    EXPECT_EQ(wide.GetListInfo()->nColumns, 32);
    wide.SetPos(CUIRect(0, 0, 500, 100));
    EXPECT_EQ(wide.GetListInfo()->rcColumn[31].left, 620);
    EXPECT_EQ(wide.GetListInfo()->rcColumn[31].right, 640);
}

TEST_F(ListTest, InsertingAndRemovingKeepTheIndexesAndTheSelection)
{
    OpenList(L"lists.xml");
    list->SelectItem(2, false);
    auto added = std::make_unique<CListLabelElementUI>();
    added->SetName(L"added");
    ASSERT_TRUE(list->AddAt(added.get(), 0));
    EXPECT_TRUE(Numbered());
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_TRUE(Named(L"i2")->IsSelected());

    ASSERT_TRUE(list->RemoveAt(0));
    EXPECT_TRUE(Numbered());
    EXPECT_EQ(list->GetCurSel(), 2);
    // A removed item leaves the list.
    EXPECT_EQ(added->GetOwner(), nullptr);
    EXPECT_EQ(added->GetIndex(), -1);

    // The selected item's removal selects its neighbour, silently.
    std::unique_ptr<CUIControl> two(Find<CUIControl>(L"i2"));
    ASSERT_TRUE(list->Remove(two.get()));
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_TRUE(Named(L"i3")->IsSelected());
    EXPECT_FALSE(static_cast<IListItemUI*>(two->GetInterface(L"ListItem"))->IsSelected());
    EXPECT_EQ(notes.Take(), Lines{});
    EXPECT_FALSE(list->Remove(two.get()));
    EXPECT_FALSE(list->RemoveAt(11));

    const vonktest::OwnedTree<CListUI> owned(new CListUI);
    CListUI& solo = *owned;
    CListLabelElementUI only;
    solo.Add(&only);
    EXPECT_TRUE(solo.SelectItem(0, false));
    EXPECT_TRUE(solo.Remove(&only));
    EXPECT_EQ(solo.GetCurSel(), -1);
}

TEST_F(ListTest, MovingTheSelectedItemKeepsItSelected)
{
    OpenList(L"lists.xml");
    list->SelectItem(0, false);
    CUIControl* zero = Find<CUIControl>(L"i0");
    ASSERT_TRUE(list->SetItemIndex(zero, 3));
    EXPECT_EQ(Names().substr(0, 12), "i1 i2 i3 i0 ");
    EXPECT_TRUE(Numbered());
    EXPECT_EQ(list->GetCurSel(), 3);

    // An index beyond the items is refused with nothing moved or lost.
    EXPECT_FALSE(list->SetItemIndex(zero, 12));
    EXPECT_FALSE(list->SetItemIndex(zero, -1));
    EXPECT_EQ(list->GetCount(), 12);
    EXPECT_EQ(list->GetItemIndex(zero), 3);
    EXPECT_TRUE(Numbered());
    CListLabelElementUI stranger;
    EXPECT_FALSE(list->SetItemIndex(&stranger, 0));
}

TEST_F(ListTest, NullControlsAreRefused)
{
    OpenList(L"lists.xml");
    EXPECT_FALSE(list->Add(nullptr));
    EXPECT_FALSE(list->AddAt(nullptr, 0));
    EXPECT_FALSE(list->Remove(nullptr));
    EXPECT_FALSE(list->SetItemIndex(nullptr, 0));
    EXPECT_EQ(list->GetItemIndex(nullptr), -1);
    EXPECT_EQ(list->GetCount(), 12);
}

TEST_F(ListTest, SelectingNotifiesOnlyAChangeAskedToNotify)
{
    OpenList(L"lists.xml");
    EXPECT_TRUE(list->SelectItem(1, true));
    EXPECT_TRUE(list->SelectItem(1, true));
    EXPECT_EQ(notes.Take(), (Lines{"itemselect list 1,-1"}));
    EXPECT_TRUE(list->SelectItem(2, false));
    EXPECT_EQ(notes.Take(), Lines{});
    EXPECT_FALSE(Named(L"i1")->IsSelected());

    // A disabled item refuses, and the previous selection is gone all the same.
    Find<CUIControl>(L"i3")->SetEnabled(false);
    EXPECT_FALSE(list->SelectItem(3, true));
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_FALSE(Named(L"i2")->IsSelected());
    EXPECT_FALSE(list->SelectItem(40, true));
    EXPECT_TRUE(list->SelectItem(-1, true));  // already nothing
    EXPECT_EQ(notes.Take(), Lines{});

    // A selected item that is disabled afterwards still lets go of its selection.
    list->SelectItem(4, false);
    Find<CUIControl>(L"i4")->SetEnabled(false);
    list->SelectItem(5, false);
    EXPECT_FALSE(Named(L"i4")->IsSelected());
    EXPECT_TRUE(Named(L"i5")->IsSelected());

    EXPECT_FALSE(list->ExpandItem(5, true));  // these items never expand
    EXPECT_EQ(list->GetExpandedItem(), -1);
    EXPECT_TRUE(list->ExpandItem(5, false));
}

TEST_F(ListTest, KeysMoveTheSelectionAndActivateIt)
{
    OpenList(L"lists.xml");
    Find<CUIControl>(L"i11")->SetEnabled(false);
    struct Step {
        uint32_t key;
        int before;  // selected silently first, unless -2
        int after;
        Lines notified;
    };
    const Step steps[] = {
        {40, -2, 0, {"itemselect list 0,-1"}},    // Down with nothing selected: the first item
        {38, -2, 0, {}},                          // Up on the first stays
        {36, 5, 0, {"itemselect list 0,5"}},      // Home
        {40, 10, 10, {}},                         // Down before a disabled last item stays
        {35, 10, -1, {}},                         // End on a disabled last item clears
        {38, 3, 2, {"itemselect list 2,3"}},      // Up
        {13, -2, 2, {"itemactivate i2 0,0"}},     // Return activates the selected item
    };
    for (const Step& step : steps) {
        if (step.before != -2)
            list->SelectItem(step.before, false);
        Key(step.key);
        EXPECT_EQ(list->GetCurSel(), step.after) << "key " << step.key;
        EXPECT_EQ(notes.Take(), step.notified) << "key " << step.key;
    }
    Key(34);  // Page Down scrolls the body by its height, up to the end
    EXPECT_EQ(list->GetScrollPos().cy, 64);
    Key(33);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    EXPECT_EQ(list->GetCurSel(), 2);
}

TEST_F(ListTest, TheWheelScrollsALineOrMovesTheSelection)
{
    OpenList(L"lists.xml");
    vonktest::Wheel(handler, 50, 100, 1);  // over an item, which hands the wheel to its list
    EXPECT_EQ(list->GetScrollPos().cy, 18);  // the font's height and 8
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,6,296,26");
    vonktest::Wheel(handler, 50, 100, 0);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    EXPECT_EQ(list->GetCurSel(), -1);

    list->SetAttribute(L"scrollselect", L"true");
    list->SelectItem(7, false);
    vonktest::Wheel(handler, 50, 100, 1);
    EXPECT_EQ(list->GetCurSel(), 8);
    EXPECT_EQ(list->GetScrollPos().cy, 4);  // item 8 ends 4 pixels below the body
    vonktest::Wheel(handler, 50, 100, 0);
    EXPECT_EQ(list->GetCurSel(), 7);
    EXPECT_EQ(list->GetScrollPos().cy, 4);
    EXPECT_EQ(notes.Take(), (Lines{"itemselect list 8,7", "itemselect list 7,8"}));
}

TEST_F(ListTest, EnsureVisibleScrollsOnlyWhileSomethingIsSelected)
{
    OpenList(L"lists.xml");
    list->EnsureVisible(11);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    list->SelectItem(0, false);
    list->EnsureVisible(40);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    list->EnsureVisible(11);
    EXPECT_EQ(list->GetScrollPos().cy, 64);
    list->EnsureVisible(1);
    EXPECT_EQ(list->GetScrollPos().cy, 20);
}

TEST_F(ListTest, AHorizontalScrollMovesTheHeaderAlongAndARelayoutKeepsIt)
{
    OpenList(L"list_columns.xml");
    EXPECT_TRUE(list->GetHorizontalScrollBar()->IsVisible());
    EXPECT_EQ(list->GetScrollRange().cx, 84);
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,24,380,44");  // as wide as the header

    list->SetScrollPos({30, 0});
    const std::string shifted = "-30,0,110,24 110,0,250,24 250,0,350,24 ";
    EXPECT_EQ(HeaderItems(), shifted);
    EXPECT_EQ(Columns(), shifted);
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "-30,24,350,44");
    Relayout();
    EXPECT_EQ(list->GetScrollPos().cx, 30);
    EXPECT_EQ(HeaderItems(), shifted);
    EXPECT_EQ(Columns(), shifted);
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "-30,24,350,44");

    // Vertically only the items move.
    list->SetScrollPos({30, 10});
    EXPECT_EQ(Columns(), shifted);
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "-30,14,350,34");
    list->SetScrollPos({0, 10});
    EXPECT_EQ(Columns(), "0,0,140,24 140,0,280,24 280,0,380,24 ");

    // What the bars clamp to where they are moves nothing; only the bar asked repaints.
    list->SetScrollPos({0, 10});
    headless::ClearJournal();
    list->SetScrollPos({-5, 10});
    EXPECT_EQ(headless::JournalOf("Window.Invalidate"), (Lines{"Window.Invalidate(0,196,296,200)"}));
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,14,380,34");
}

TEST_F(ListTest, AHiddenHorizontalBarLeavesTheItemsWhereTheyAre)
{
    OpenList(L"lists.xml");
    list->SetScrollPos({50, 0});
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,24,296,44");
    EXPECT_EQ(list->GetScrollPos().cx, 0);
}

TEST_F(ListTest, AHiddenHeaderStillGivesTheColumnsTheirWidths)
{
    OpenList(L"lists.xml");
    list->SetAttribute(L"header", L"hidden");
    Find<CUIControl>(L"c1")->SetFixedWidth(100);
    Relayout();
    EXPECT_FALSE(list->GetHeader()->IsVisible());
    EXPECT_EQ(Text(list->GetHeader()->GetPos()), "0,0,300,0");
    EXPECT_EQ(Columns(), "0,0,80,24 80,0,180,24 180,0,240,24 ");
    EXPECT_EQ(Text(list->GetList()->GetPos()), "0,0,300,200");
    for (const std::string& text : vonktest::DrawnTexts())
        EXPECT_EQ(text.find("Name"), std::string::npos) << text;

    list->SetAttribute(L"header", L"shown");
    Relayout();
    EXPECT_EQ(Text(list->GetList()->GetPos()), "0,24,300,200");
}

TEST_F(ListTest, ARemovedHeaderIsUnlinkedButStaysTheHeader)
{
    OpenList(L"lists.xml");
    CListHeaderUI* header = list->GetHeader();
    EXPECT_TRUE(list->Remove(header));
    EXPECT_EQ(list->CUIControl::GetCount(), 1);
    EXPECT_EQ(list->GetHeader(), header);
    Relayout();
    EXPECT_EQ(Columns(), "0,0,80,24 80,0,200,24 200,0,260,24 ");
    EXPECT_EQ(Text(list->GetList()->GetPos()), "0,0,300,200");

    // Linked again, once however often it is added.
    EXPECT_TRUE(list->Add(header));
    EXPECT_TRUE(list->AddAt(header, 1));
    EXPECT_EQ(list->CUIControl::GetCount(), 2);
    EXPECT_EQ(list->CUIControl::GetItemAt(0), header);

    // A header while the present one has columns is linked but does not take its place.
    auto* second = new CListHeaderUI;  // deleted with the window's tree
    EXPECT_TRUE(list->Add(second));
    EXPECT_EQ(list->GetHeader(), header);
    EXPECT_EQ(list->CUIControl::GetItemAt(0), second);
}

TEST_F(ListTest, ScrollingAndTheChildPaddingAreTheBodys)
{
    OpenList(L"lists.xml");
    list->SetAttribute(L"childpadding", L"5");
    list->SetScrollPos({0, 10});
    Relayout();
    EXPECT_EQ(list->GetList()->GetChildPadding(), 5);
    EXPECT_EQ(list->GetChildPadding(), 5);
    // The list lays its header and body out with its own gap and bars: none.
    EXPECT_EQ(Text(list->GetHeader()->GetPos()), "0,0,260,24");
    EXPECT_EQ(Text(list->GetList()->GetPos()), "0,24,300,200");
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,14,296,34");
    EXPECT_EQ(Text(list->GetItemAt(1)->GetPos()), "0,39,296,59");
    EXPECT_EQ(list->GetVerticalScrollBar(), list->GetList()->GetVerticalScrollBar());
    EXPECT_EQ(list->GetHorizontalScrollBar(), list->GetList()->GetHorizontalScrollBar());

    list->SetAttribute(L"vscrollbarshow", L"false");
    EXPECT_FALSE(list->GetList()->GetVerticalScrollBar()->IsShowScroll());

    // Hiding the list returns the body to the top, unless that was switched off.
    list->SetVisible(false);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    list->SetVisible(true);
    list->SetAttribute(L"resetscrollpos", L"false");
    list->GetList()->GetVerticalScrollBar()->SetScrollPos(10);
    list->SetVisible(false);
    EXPECT_EQ(list->GetScrollPos().cy, 10);
}

TEST_F(ListTest, EventsThatReachTheBodyGoToTheList)
{
    OpenList(L"lists.xml");
    list->GetList()->SetMouseEnabled(false);
    TEventUI wheel = vonktest::MakeEvent(EVENT_SCROLLWHEEL, 50, 100, 1);
    list->GetList()->Event(wheel);
    EXPECT_EQ(list->GetScrollPos().cy, 18);
}

TEST_F(ListTest, ItemSettingsComeFromMarkup)
{
    OpenList(L"lists.xml");
    const tagTListInfoUI& info = *list->GetListInfo();
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        std::function<bool()> holds;
    };
    const Case cases[] = {
        {L"itemtextcolor", L"#FF112233", [&] { return list->GetItemTextColor() == 0xFF112233; }},
        {L"itemtextcolor", L"FF445566", [&] { return list->GetItemTextColor() == 0xFF112233; }},  // refused
        {L"itembkcolor", L"#FF000001", [&] { return list->GetItemBkColor() == 0xFF000001; }},
        {L"itemselectedtextcolor", L"#FF000002", [&] { return list->GetSelectedItemTextColor() == 0xFF000002; }},
        {L"itemselectedbkcolor", L"#FF000003", [&] { return list->GetSelectedItemBkColor() == 0xFF000003; }},
        {L"itemhottextcolor", L"#FF000004", [&] { return list->GetHotItemTextColor() == 0xFF000004; }},
        {L"itemhotbkcolor", L"#FF000005", [&] { return list->GetHotItemBkColor() == 0xFF000005; }},
        {L"itemdisabledtextcolor", L"#FF000006", [&] { return list->GetDisabledItemTextColor() == 0xFF000006; }},
        {L"itemdisabledbkcolor", L"#FF000007", [&] { return list->GetDisabledItemBkColor() == 0xFF000007; }},
        {L"itemlinecolor", L"#FF000008", [&] { return list->GetItemLineColor() == 0xFF000008; }},
        {L"itembkimage", L"a.png", [&] { return list->GetItemBkImage() == L"a.png"; }},
        {L"itemselectedimage", L"b.png", [&] { return list->GetSelectedItemImage() == L"b.png"; }},
        {L"itemhotimage", L"c.png", [&] { return list->GetHotItemImage() == L"c.png"; }},
        {L"itemdisabledimage", L"d.png", [&] { return list->GetDisabledItemImage() == L"d.png"; }},
        {L"itemaltbk", L"true", [&] { return list->IsAlternateBk(); }},
        {L"itemshowhtml", L"true", [&] { return list->IsItemShowHtml(); }},
        {L"itemtextpadding", L"1,2,3,4", [&] { return Text(list->GetItemTextPadding()) == "1,2,3,4"; }},
        {L"itemtextpadding", L"5,6,7", [&] { return Text(list->GetItemTextPadding()) == "1,2,3,4"; }},  // refused
        {L"itemfont", L"bold", [&] { return info.sFont == L"bold"; }},
        {L"itemfonts", L"group", [&] { return info.sFonts == L"group"; }},
        {L"itemalign", L"left right", [&] { return info.uTextStyle == (TEXTSTYLE_VCENTER | TEXTSTYLE_RIGHT); }},
        {L"itemalign", L"center bottom", [&] { return info.uTextStyle == (TEXTSTYLE_VCENTER | TEXTSTYLE_CENTER); }},
        {L"itemendellipsis", L"true", [&] { return (info.uTextStyle & TEXTSTYLE_END_ELLIPSIS) != 0; }},
        {L"itemendellipsis", L"yes", [&] { return (info.uTextStyle & TEXTSTYLE_END_ELLIPSIS) == 0; }},
        {L"itemsize", L"30,22", [&] { return Text(CUIRect(0, 0, info.szItem.cx, info.szItem.cy)) == "0,0,30,22"; }},
        {L"itemsize", L"7", [&] { return info.szItem.cx == 7 && info.szItem.cy == 22; }},  // what there is
        {L"multiexpanding", L"true", [&] { return info.bMultiExpandable; }},
        {L"scrollselect", L"true", [&] { return list->GetScrollSelect(); }},
        {L"headerbkimage", L"e.png", [&] { return list->GetHeader()->GetBkImage() == L"e.png"; }},
        {L"header", L"hidden", [&] { return !list->GetHeader()->IsVisible(); }},
    };
    for (const Case& c : cases) {
        list->SetAttribute(c.name, c.value);
        EXPECT_TRUE(c.holds()) << Narrow(c.name) << "=" << Narrow(c.value);
    }
}

int ByTextDescending(void* a, void* b, void*)
{
    return -static_cast<CUIControl*>(a)->GetText().Compare(static_cast<CUIControl*>(b)->GetText());
}

TEST_F(ListTest, SortingOrdersNumbersAndDeselectsTheItems)
{
    OpenList(L"lists.xml");
    list->SelectItem(3, false);
    const std::string before = Names();
    EXPECT_FALSE(list->SortItems(nullptr, nullptr));
    EXPECT_EQ(Names(), before);
    EXPECT_EQ(list->GetCurSel(), 3);

    ASSERT_TRUE(list->SortItems(&ByTextDescending, nullptr));
    EXPECT_EQ(Names(), "i0 i2 i3 i10 i6 i7 i1 i9 i4 i5 i11 i8 ");
    EXPECT_TRUE(Numbered());
    EXPECT_EQ(list->GetCurSel(), -1);
    for (int i = 0; i < list->GetCount(); ++i)
        EXPECT_FALSE(ItemAt(i)->IsSelected());
    EXPECT_EQ(notes.Take(), Lines{});
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,24,296,44");
}

TEST_F(ListTest, AComparisonThatIsNoOrderLosesNoItem)
{
    OpenList(L"lists.xml");
    for (int i = 0; i < 200; ++i)
        list->Add(new CListLabelElementUI);
    std::set<CUIControl*> before;
    for (int i = 0; i < list->GetCount(); ++i)
        before.insert(list->GetItemAt(i));
    std::mt19937 coin(7);
    // Below, level with or above, at random.
    auto random = [](void*, void*, void* data) {
        return static_cast<int>((*static_cast<std::mt19937*>(data))() % 3) - 1;
    };
    ASSERT_TRUE(list->GetList()->SortItems(random, &coin));
    std::set<CUIControl*> after;
    for (int i = 0; i < list->GetCount(); ++i)
        after.insert(list->GetItemAt(i));
    EXPECT_EQ(after, before);
    EXPECT_TRUE(Numbered());
    EXPECT_EQ(CListBodyUI::ItemComareFunc(nullptr, nullptr, list->GetList()), 0);
}

TEST_F(ListTest, AfterASortTheItemsAreAsWideAsTheHeader)
{
    OpenList(L"list_columns.xml");
    ASSERT_TRUE(list->SortItems(&ByTextDescending, nullptr));
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,24,380,44");
    EXPECT_TRUE(list->GetHorizontalScrollBar()->IsVisible());
}

// A list deletes none of its parts: whoever made them, or got them from GetHeader and
// GetList, deletes them, in any order, once each.
TEST_F(ListTest, TheHeaderAndTheBodyOutliveTheListForTheirOwner)
{
    struct Made {
        CListUI* list;
        CListHeaderUI* made;  // the list's own empty header, replaced by header
        CListHeaderUI* header;
        CListBodyUI* body;
        CListHeaderItemUI* column;
        CListLabelElementUI* row;
    };
    struct Case {
        const char* name;
        std::function<void(const Made&)> drop;
    };
    const Case cases[] = {
        {"the list, then the columns that the caller made",
         [](const Made& m) {
             delete m.list;
             delete m.column;
             for (CUIControl* rest : std::initializer_list<CUIControl*>{m.row, m.header, m.body, m.made})
                 delete rest;
         }},
        {"the list, then the header and the body that it handed out",
         [](const Made& m) {
             delete m.list;
             EXPECT_EQ(m.header->GetParent(), nullptr);
             EXPECT_EQ(m.header->GetItemAt(0), m.column);  // the header still holds its column
             delete m.header;
             delete m.body;
             for (CUIControl* rest : std::initializer_list<CUIControl*>{m.column, m.row, m.made})
                 delete rest;
         }},
        {"the whole tree, children first",
         [](const Made& m) {
             for (CUIControl* each :
                  std::initializer_list<CUIControl*>{m.column, m.header, m.row, m.body, m.list, m.made})
                 delete each;
         }},
        {"the header that Add replaced, after the list",
         [](const Made& m) {
             delete m.list;
             delete m.made;
             DeleteControlTree(m.header);
             DeleteControlTree(m.body);
         }},
        {"the public deleter, then the replaced header",
         [](const Made& m) {
             DeleteControlTree(m.list);
             delete m.made;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* list = new CListUI;
        CListHeaderUI* made = list->GetHeader();
        auto* header = new CListHeaderUI;
        auto* column = new CListHeaderItemUI;
        auto* row = new CListLabelElementUI;
        ASSERT_TRUE(list->Add(header));  // takes the place of the empty one
        ASSERT_EQ(list->GetHeader(), header);
        ASSERT_TRUE(list->Add(column));
        ASSERT_TRUE(list->Add(row));
        const Made parts{list, made, header, list->GetList(), column, row};
        std::vector<std::weak_ptr<const void>> lifetimes;
        for (CUIControl* each : std::initializer_list<CUIControl*>{list, made, header, parts.body, column, row})
            lifetimes.push_back(each->GetLifetime());

        c.drop(parts);
        for (const std::weak_ptr<const void>& lifetime : lifetimes)
            EXPECT_TRUE(lifetime.expired());
    }
}

TEST_F(ListTest, ADeletedListLeavesItsPartsAndItsItemsWithoutAList)
{
    auto* doomed = new CListUI;
    CListLabelElementUI kept;
    doomed->Add(&kept);
    const vonktest::OwnedTree<CListHeaderUI> header(doomed->GetHeader());
    const vonktest::OwnedTree<CListBodyUI> body(doomed->GetList());
    EXPECT_EQ(kept.GetOwner(), static_cast<IListOwnerUI*>(doomed));
    delete doomed;
    EXPECT_EQ(header->GetParent(), nullptr);
    EXPECT_EQ(body->GetParent(), nullptr);
    EXPECT_EQ(body->GetItemAt(0), &kept);
    EXPECT_EQ(kept.GetOwner(), nullptr);
    EXPECT_EQ(kept.GetIndex(), -1);
    // The body answers to no list now: its events stay with it.
    TEventUI wheel = vonktest::MakeEvent(EVENT_SCROLLWHEEL, 0, 0, 1);
    body->Event(wheel);
    kept.Event(wheel);
    body->Remove(&kept);
}

// The body is the application's: once it deleted it, the list is an empty list under its
// header, which lays out, paints and takes input without reading the body.
TEST_F(ListTest, AListWhoseBodyWasDeletedIsAnEmptyListUnderItsHeader)
{
    OpenList(L"lists.xml");
    list->SetAttribute(L"bkcolor", L"#FF123456");
    list->SelectItem(2, false);
    std::vector<std::unique_ptr<CUIControl>> items;  // left without a body, so the test's
    for (int i = 0; i < list->GetCount(); ++i)
        items.emplace_back(list->GetItemAt(i));
    delete list->GetList();

    EXPECT_EQ(list->GetList(), nullptr);
    EXPECT_EQ(list->CUIControl::GetCount(), 1);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetItemAt(0), nullptr);
    EXPECT_EQ(list->GetCurSel(), -1);
    for (const auto& item : items) {
        auto* asItem = static_cast<IListItemUI*>(item->GetInterface(L"ListItem"));
        EXPECT_EQ(asItem->GetOwner(), nullptr);
        EXPECT_EQ(asItem->GetIndex(), -1);
        EXPECT_FALSE(asItem->IsSelected());
    }

    Relayout();
    EXPECT_EQ(Text(list->GetHeader()->GetPos()), "0,0,260,24");
    EXPECT_EQ(Columns(), "0,0,80,24 80,0,200,24 200,0,260,24 ");
    EXPECT_EQ(headless::JournalOf("Render.DrawColor(0,0,300,200,"), (Lines{"Render.DrawColor(0,0,300,200,ff123456)"}));
    EXPECT_EQ(vonktest::DrawnTexts().size(), 3u);  // the three captions, no item

    // Every operation answers as the list without items would; nothing reaches the items.
    CUIControl* three = items[3].get();
    CListLabelElementUI extra;
    EXPECT_FALSE(list->Add(&extra));
    EXPECT_FALSE(list->AddAt(&extra, 0));
    EXPECT_EQ(extra.GetOwner(), nullptr);
    EXPECT_FALSE(list->Remove(three));
    EXPECT_FALSE(list->RemoveAt(0));
    EXPECT_EQ(list->GetItemIndex(three), -1);
    EXPECT_FALSE(list->SetItemIndex(three, 0));
    EXPECT_FALSE(list->SelectItem(0, true));
    EXPECT_FALSE(list->ExpandItem(0, true));
    EXPECT_FALSE(list->SortItems(&ByTextDescending, nullptr));
    list->RemoveAll();
    list->EnsureVisible(0);
    list->SetScrollPos({0, 10});
    list->LineDown();
    list->Scroll(0, 20);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    EXPECT_EQ(list->GetScrollRange().cy, 0);
    EXPECT_EQ(list->GetChildPadding(), 0);
    ASSERT_NE(list->GetVerticalScrollBar(), nullptr);  // the list's own, which never shows
    for (const wchar_t* name : {L"vscrollbarshow", L"resetscrollpos", L"childpadding"})
        list->SetAttribute(name, L"false");
    for (uint32_t key : {40u, 35u, 13u, 34u})  // Down, End, Return, Page Down
        Key(key);
    vonktest::Click(handler, 50, 100);
    vonktest::Wheel(handler, 50, 100, 1);
    Relayout();
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(notes.Take(), Lines{});
    EXPECT_FALSE(static_cast<IListItemUI*>(three->GetInterface(L"ListItem"))->IsSelected());
}

// The header is the application's too: without it the body takes the whole list, there are
// no columns, the items still select, and the next header given takes its place.
TEST_F(ListTest, AListWhoseHeaderWasDeletedHasNoColumnsUntilItIsGivenOne)
{
    OpenList(L"list_columns.xml");
    list->SetScrollPos({30, 0});
    DeleteControlTree(list->GetHeader());
    EXPECT_EQ(list->GetHeader(), nullptr);
    // Two passes, as whenever the columns grow narrower than the body: the first hides the
    // horizontal bar after it placed the items.
    Relayout();
    Relayout();
    EXPECT_EQ(list->GetListInfo()->nColumns, 0);
    EXPECT_EQ(Text(list->GetList()->GetPos()), "0,0,300,200");
    // No longer as wide as columns: the horizontal bar has nothing left to scroll.
    EXPECT_FALSE(list->GetHorizontalScrollBar()->IsVisible());
    EXPECT_EQ(Text(list->GetItemAt(1)->GetPos()), "0,20,300,40");

    vonktest::Click(handler, 50, 30);
    EXPECT_EQ(notes.Take(), (Lines{"itemclick t1 1,0", "itemselect list 1,-1"}));
    Key(40);  // Down
    EXPECT_EQ(list->GetCurSel(), 2);
    list->SetScrollPos({30, 0});
    list->SetAttribute(L"header", L"hidden");
    list->SetAttribute(L"headerbkimage", L"e.png");

    CListHeaderItemUI column;
    EXPECT_FALSE(list->Add(&column));
    EXPECT_FALSE(list->AddAt(&column, 0));
    EXPECT_EQ(list->GetItemIndex(&column), -1);
    EXPECT_FALSE(list->SetItemIndex(&column, 0));
    EXPECT_FALSE(list->Remove(&column));
    EXPECT_EQ(list->GetListInfo()->nColumns, 0);

    auto* header = new CListHeaderUI;  // deleted with the window's tree
    auto* wide = new CListHeaderItemUI;
    wide->SetFixedWidth(400);
    header->Add(wide);
    ASSERT_TRUE(list->Add(header));
    EXPECT_EQ(list->GetHeader(), header);
    Relayout();
    EXPECT_EQ(Columns(), "0,0,400,24 ");
    EXPECT_TRUE(list->GetHorizontalScrollBar()->IsVisible());
    EXPECT_EQ(Text(list->GetItemAt(0)->GetPos()), "0,24,400,44");
}

// An item whose list went, however it went, is an item that was never in one: it selects
// itself, tells no list, measures and paints as nothing, and takes events as its base.
TEST_F(ListTest, AnItemWhoseListIsGoneBehavesAsAnItemWithNone)
{
    OpenList(L"lists.xml");
    struct Parts {
        CListUI* list;
        CListHeaderUI* header;
        CListBodyUI* body;
    };
    struct Way {
        const char* name;
        // Deletes what the way deletes and answers what is left for the test to delete.
        std::function<std::vector<CUIControl*>(const Parts&)> drop;
    };
    const Way ways[] = {
        {"never in a list", [](const Parts& p) { DeleteControlTree(p.list); return std::vector<CUIControl*>{}; }},
        {"removed from the list",
         [](const Parts& p) {
             p.list->RemoveAt(0);
             DeleteControlTree(p.list);
             return std::vector<CUIControl*>{};
         }},
        {"its body deleted",
         [](const Parts& p) {
             delete p.body;
             return std::vector<CUIControl*>{p.list};
         }},
        {"its list deleted",
         [](const Parts& p) {
             delete p.list;
             return std::vector<CUIControl*>{p.header, p.body};
         }},
        {"its body, then its list deleted",
         [](const Parts& p) {
             delete p.body;
             delete p.list;
             return std::vector<CUIControl*>{p.header};
         }},
    };
    const std::function<CUIControl*()> kinds[] = {
        [] { return new CListLabelElementUI; },
        [] { return new CListTextElementUI; },
        [] { return new CListContainerElementUI; },
    };
    for (const Way& way : ways) {
        for (const auto& make : kinds) {
            CUIControl* control = make();
            SCOPED_TRACE(std::string(way.name) + ", " + Narrow(control->GetClass()));
            auto* item = static_cast<IListItemUI*>(control->GetInterface(L"ListItem"));
            control->SetText(L"row");
            auto* owner = new CListUI;
            if (std::string(way.name) != "never in a list") {
                ASSERT_TRUE(owner->Add(control));
                owner->SelectItem(0, false);
            }
            const std::vector<CUIControl*> left = way.drop({owner, owner->GetHeader(), owner->GetList()});

            EXPECT_EQ(item->GetOwner(), nullptr);
            EXPECT_EQ(item->GetIndex(), -1);
            EXPECT_FALSE(item->IsSelected());
            EXPECT_TRUE(item->Select(true));
            EXPECT_TRUE(item->IsSelected());
            EXPECT_TRUE(item->Select(false));
            TEventUI press = vonktest::MakeEvent(EVENT_BUTTONDOWN, 10, 10);
            control->Event(press);
            EXPECT_TRUE(item->IsSelected());
            TEventUI wheel = vonktest::MakeEvent(EVENT_SCROLLWHEEL, 10, 10, 1);
            control->Event(wheel);
            EXPECT_TRUE(control->Activate());
            if (auto* text = static_cast<CListTextElementUI*>(control->GetInterface(L"ListTextElement"))) {
                text->SetText(0, L"cell");
                EXPECT_EQ(text->GetText(0), nullptr);
            }
            control->SetPos(CUIRect(0, 0, 100, 20));
            headless::ClearJournal();
            control->DoPaint(window->GetPaintContext(), CUIRect(0, 0, 300, 200));
            EXPECT_EQ(headless::JournalOf("Render.Draw"), Lines{});
            EXPECT_EQ(headless::JournalOf("Render.AlphaBlend"), Lines{});
            if (control->GetInterface(L"ListContainerElement") == nullptr) {
                const tagSIZE size = control->EstimateSize({300, 200});
                EXPECT_EQ(size.cx, 0);
                EXPECT_EQ(size.cy, 0);
            }

            delete control;
            for (CUIControl* rest : left)
                DeleteControlTree(rest);
        }
    }
    EXPECT_EQ(notes.Take(), Lines{});
}

// A list in markup deletes nothing: the window's tree goes whole through the tree deleter,
// the header and body and the empty header that markup replaced included.
TEST_F(ListTest, TheTreeDeleterFreesAListWithItsPartsAndItems)
{
    OpenList(L"lists.xml");
    std::vector<std::weak_ptr<const void>> lifetimes;
    for (CUIControl* part : {static_cast<CUIControl*>(list), static_cast<CUIControl*>(list->GetHeader()),
                             static_cast<CUIControl*>(list->GetList()), list->GetHeader()->GetItemAt(0),
                             list->GetItemAt(11)})
        lifetimes.push_back(part->GetLifetime());
    auto* extra = new CListHeaderUI;  // linked beside the header, which has columns
    ASSERT_TRUE(list->Add(extra));
    lifetimes.push_back(extra->GetLifetime());
    CListHeaderUI* header = list->GetHeader();
    ASSERT_TRUE(list->Remove(header));  // unlinked, yet still the header
    vonktest::DeleteTree(*window);
    EXPECT_EQ(window->GetRoot(), nullptr);
    for (const std::weak_ptr<const void>& lifetime : lifetimes)
        EXPECT_TRUE(lifetime.expired());
}

}  // namespace
