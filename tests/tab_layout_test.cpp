// The tab layout: which page is current and shown as pages come and go, switching pages
// with the notification it sends, and where the current page is placed.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "user_actions.h"

namespace {

using vonktest::Lines;
using vonktest::Text;

std::string TabSelect(const TNotifyUI& msg)
{
    return "tab " + std::to_string(static_cast<int64_t>(msg.wParam)) + "," +
           std::to_string(static_cast<int64_t>(msg.lParam));
}

// Notes the tab notifications of a window.
class Recorder : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        if (msg.Type == NOTIFY_TAB_SELECT)
            seen.push_back(TabSelect(msg));
    }
    Lines seen;
};

// Which pages show, as "+" or "-" each.
std::string Shown(const CUITabLayout& tabs)
{
    std::string shown;
    for (int i = 0; i < tabs.GetCount(); ++i)
        shown += tabs.GetItemAt(i)->IsVisible() ? '+' : '-';
    return shown;
}

class TabTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        window = vonktest::OpenWindow(400, 300);
        window->AddNotifier(&recorder);
    }

    // Adds the pages to tabs, attaches it and places it.
    void Open(std::vector<CUIControl*> add)
    {
        for (CUIControl* page : add)
            tabs.Add(page);
        window->InitControls(&tabs);
        tabs.SetPos(CUIRect(0, 0, 200, 100), false);
    }

    std::unique_ptr<vonktest::PlainWindow> window;
    Recorder recorder;
    CUITabLayout tabs;
    CUIControl pages[4];
};

TEST_F(TabTest, IsMadeByItsElementName)
{
    std::unique_ptr<CUIControl> made(CDialogBuilder::CreateControlByClass(L"TabLayout"));
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->GetClass().GetData(), L"TabLayoutUI");
    EXPECT_EQ(made->GetInterface(L"TabLayout"), made.get());
    EXPECT_NE(made->GetInterface(L"Container"), nullptr);
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_EQ(tabs.GetLastSel(), -1);
    EXPECT_EQ(tabs.GetCurSelItem(), nullptr);
}

TEST_F(TabTest, TheFirstVisiblePageAddedIsCurrentAndTheOthersHide)
{
    Open({&pages[0], &pages[1], &pages[2]});
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.GetCurSelItem(), &pages[0]);
    EXPECT_EQ(Shown(tabs), "+--");
    EXPECT_EQ(Text(pages[0].GetPos()), "0,0,200,100");
    EXPECT_EQ(Text(pages[1].GetPos()), "0,0,0,0");  // a hidden page is left where it was

    CUITabLayout hiddenOnly;
    CUIControl a, b;
    a.SetVisible(false);
    b.SetVisible(false);
    hiddenOnly.Add(&a);
    hiddenOnly.Add(&b);
    window->InitControls(&hiddenOnly);
    EXPECT_EQ(hiddenOnly.GetCurSel(), -1);
    EXPECT_TRUE(hiddenOnly.SelectItem(0, true));
    EXPECT_EQ(Shown(hiddenOnly), "+-");
    EXPECT_EQ(recorder.seen, (Lines{"tab 0,0"}));
}

TEST_F(TabTest, SwitchingNotifiesTheNewPageAndTheLastOne)
{
    Open({&pages[0], &pages[1], &pages[2]});
    EXPECT_TRUE(tabs.SelectItem(1, true));
    EXPECT_EQ(Shown(tabs), "-+-");
    EXPECT_EQ(Text(pages[1].GetPos()), "0,0,200,100");  // laid out as it is shown
    EXPECT_TRUE(tabs.SelectItem(2, true));
    EXPECT_EQ(recorder.seen, (Lines{"tab 1,1", "tab 2,1"}));  // the first switch records itself as last
    EXPECT_EQ(tabs.GetLastSel(), 1);

    EXPECT_TRUE(tabs.SelectItem(2, true));  // the current page: nothing happens
    EXPECT_FALSE(tabs.SelectItem(-1, true));
    EXPECT_FALSE(tabs.SelectItem(3, true));
    EXPECT_EQ(recorder.seen.size(), 2u);
    EXPECT_EQ(tabs.GetCurSel(), 2);

    EXPECT_TRUE(tabs.SelectItem(0, false));  // silently
    EXPECT_EQ(Shown(tabs), "+--");
    EXPECT_EQ(recorder.seen.size(), 2u);
    EXPECT_EQ(tabs.GetLastSel(), 2);
}

TEST_F(TabTest, SelectingTheCurrentPageFirstRecordsItAsTheLast)
{
    Open({&pages[0], &pages[1]});
    EXPECT_TRUE(tabs.SelectItem(0, true));
    EXPECT_EQ(tabs.GetLastSel(), 0);
    EXPECT_TRUE(recorder.seen.empty());
    tabs.SetLastSel(7);
    EXPECT_EQ(tabs.GetLastSel(), 7);
}

TEST_F(TabTest, PagesAreSelectedByControlOrByNameAmongTheLayoutsOwnChildren)
{
    CUIContainer holder;
    CUIControl inside;
    inside.SetName(L"inside");
    holder.Add(&inside);
    pages[1].SetName(L"second");
    Open({&pages[0], &pages[1], &holder});
    EXPECT_TRUE(tabs.SelectItem(&holder, true));
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_FALSE(tabs.SelectItem(&inside, true));  // found below the layout, but no page
    EXPECT_FALSE(tabs.SelectItem(L"inside", true));
    EXPECT_FALSE(tabs.SelectItem(L"nothing", true));
    EXPECT_FALSE(tabs.SelectItem(static_cast<const wchar_t*>(nullptr), true));
    EXPECT_TRUE(tabs.SelectItem(L"second", true));
    EXPECT_EQ(tabs.GetCurSel(), 1);

    CUITabLayout detached;  // without a window pages switch silently and names find nothing
    CUIControl a, b;
    b.SetName(L"b");
    detached.Add(&a);
    detached.Add(&b);
    EXPECT_TRUE(detached.SelectItem(&b, true));
    EXPECT_EQ(detached.GetCurSel(), 1);
    EXPECT_FALSE(detached.SelectItem(L"b", true));
    EXPECT_EQ(recorder.seen, (Lines{"tab 2,2", "tab 1,2"}));
}

TEST_F(TabTest, InsertingAndRemovingPagesKeepsTheCurrentPage)
{
    Open({&pages[0], &pages[1], &pages[2]});
    tabs.SelectItem(2, false);
    EXPECT_TRUE(tabs.AddAt(&pages[3], 0));
    EXPECT_EQ(tabs.GetCurSel(), 3);
    EXPECT_EQ(tabs.GetCurSelItem(), &pages[2]);
    EXPECT_EQ(Shown(tabs), "---+");
    EXPECT_FALSE(tabs.AddAt(&pages[3], 9));

    EXPECT_TRUE(tabs.Remove(&pages[0]));  // before the current page
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(tabs.GetCurSelItem(), &pages[2]);
    EXPECT_FALSE(tabs.Remove(&pages[0]));
    EXPECT_FALSE(tabs.Remove(nullptr));

    EXPECT_TRUE(tabs.Remove(&pages[2]));  // the current page: page 0 takes over
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.GetCurSelItem(), &pages[3]);
    EXPECT_EQ(Shown(tabs), "+-");

    EXPECT_TRUE(tabs.RemoveAt(1));
    EXPECT_TRUE(tabs.Remove(&pages[3]));
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_TRUE(recorder.seen.empty());

    tabs.Add(&pages[0]);  // hidden since it was switched away from: no current page
    EXPECT_EQ(tabs.GetCurSel(), -1);
    pages[1].SetVisible(true);
    tabs.Add(&pages[1]);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    tabs.RemoveAll();
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_EQ(tabs.GetLastSel(), 2);
    EXPECT_EQ(tabs.GetCount(), 0);
}

TEST_F(TabTest, AddingIntoALayoutWithoutPagesMakesAVisiblePageCurrent)
{
    pages[0].SetVisible(false);
    Open({&pages[0]});
    EXPECT_TRUE(tabs.AddAt(&pages[1], 0));
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(Shown(tabs), "+-");
}

TEST_F(TabTest, TheCurrentPageSitsAtTheInnerCornerBySize)
{
    CUIControl floating;
    floating.SetFloat(true);
    floating.SetAttribute(L"pos", L"50,5,70,15");
    pages[0].SetFixedWidth(100);
    pages[0].SetFixedHeight(40);
    pages[0].SetPadding(CUIRect(5, 6, 0, 0));
    pages[1].SetMinWidth(500);
    pages[1].SetMaxHeight(30);
    tabs.SetInset(CUIRect(10, 10, 10, 10));
    Open({&pages[0], &pages[1], &floating});
    floating.SetVisible(true);
    tabs.SetPos(CUIRect(0, 0, 200, 100), false);
    EXPECT_EQ(Text(pages[0].GetPos()), "15,16,115,56");
    EXPECT_EQ(Text(floating.GetPos()), "60,15,80,25");

    tabs.SelectItem(1, false);
    EXPECT_EQ(Text(pages[1].GetPos()), "10,10,510,40");  // raised to its minimum, cut to its maximum

    tabs.SetAttribute(L"vscrollbar", L"true");
    CUIControl tall;
    tall.SetFixedHeight(1000);
    tabs.Add(&tall);
    tabs.SelectItem(&tall, false);
    EXPECT_EQ(tabs.GetScrollRange().cy, 100);  // untouched: a tab layout reports no extent
}

TEST_F(TabTest, SelectedIdSelectsAndNotifies)
{
    Open({&pages[0], &pages[1]});
    tabs.SetAttribute(L"selectedid", L"1");
    EXPECT_EQ(tabs.GetCurSel(), 1);
    tabs.SetAttribute(L"selectedid", L"five");  // 0
    EXPECT_EQ(tabs.GetCurSel(), 0);
    tabs.SetAttribute(L"selectedid", L"9");
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(recorder.seen, (Lines{"tab 1,1", "tab 0,1"}));
}

// A window of markup that notes its tab notifications, also those sent while it is built.
class TabWindow : public vonktest::MarkupWindow {
public:
    using MarkupWindow::MarkupWindow;
    void Notify(TNotifyUI& msg) override
    {
        if (msg.Type == NOTIFY_TAB_SELECT)
            seen.push_back(TabSelect(msg) + (GetRoot() ? "" : " while building"));
        MarkupWindow::Notify(msg);
    }
    Lines seen;
};

TEST_F(TabTest, MarkupPagesShowByTheirOwnAttributesUntilTheNextSwitch)
{
    vonktest::UseDataFolder("layouts");
    const auto built = vonktest::OpenMarkup<TabWindow>(L"tabs.xml");
    auto* markupTabs = static_cast<CUITabLayout*>(built->FindControl(L"tabs")->GetInterface(L"TabLayout"));
    EXPECT_EQ(markupTabs->GetCurSel(), 0);
    EXPECT_EQ(Shown(*markupTabs), "++-");
    markupTabs->SelectItem(2, true);
    EXPECT_EQ(Shown(*markupTabs), "--+");
    EXPECT_EQ(built->seen, (Lines{"tab 2,2"}));
    vonktest::DeleteTree(*built);
}

TEST_F(TabTest, MarkupSelectsItsPageWhileBuilding)
{
    vonktest::UseDataFolder("layouts");
    const auto built = vonktest::OpenMarkup<TabWindow>(L"tabs_selected.xml");
    auto* markupTabs = static_cast<CUITabLayout*>(built->FindControl(L"tabs")->GetInterface(L"TabLayout"));
    EXPECT_EQ(markupTabs->GetCurSel(), 2);
    EXPECT_EQ(Shown(*markupTabs), "--+");
    EXPECT_EQ(built->seen, (Lines{"tab 2,2 while building"}));
    EXPECT_EQ(Text(built->FindControl(L"third")->GetPos()), "15,16,115,66");
    vonktest::DeleteTree(*built);
}

}  // namespace
