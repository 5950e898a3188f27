// The tile layouts: the grid's columns, rows, line heights, whole pages and stretch, and
// the flowing grid's lines of tiles snapped to whole item widths.

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

// A tile that estimates a chosen size and notes the sizes it was asked with.
class Tile : public CUIControl {
public:
    explicit Tile(tagSIZE estimate = {0, 0}) : m_estimate(estimate) {}
    tagSIZE EstimateSize(tagSIZE available) override
    {
        asked.push_back(std::to_string(available.cx) + "x" + std::to_string(available.cy));
        return m_estimate;
    }

    Lines asked;

private:
    tagSIZE m_estimate;
};

class TileTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        window = vonktest::OpenWindow(400, 300);
    }

    // Adds count tiles of that estimate to layout and attaches it.
    std::vector<std::unique_ptr<Tile>>& Fill(CUIContainer& layout, int count, tagSIZE estimate)
    {
        for (int i = 0; i < count; ++i) {
            tiles.push_back(std::make_unique<Tile>(estimate));
            layout.Add(tiles.back().get());
        }
        window->InitControls(&layout);
        return tiles;
    }

    Lines Positions() const
    {
        Lines positions;
        for (const auto& tile : tiles)
            positions.push_back(Text(tile->GetPos()));
        return positions;
    }

    std::unique_ptr<vonktest::PlainWindow> window;
    std::vector<std::unique_ptr<Tile>> tiles;
};

TEST_F(TileTest, BothLayoutsAreMadeByTheirElementNames)
{
    std::unique_ptr<CUIControl> grid(CDialogBuilder::CreateControlByClass(L"TileLayout"));
    std::unique_ptr<CUIControl> flowing(CDialogBuilder::CreateControlByClass(L"TileExLayout"));
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(flowing, nullptr);
    EXPECT_STREQ(grid->GetClass().GetData(), L"TileLayoutUI");
    EXPECT_STREQ(flowing->GetClass().GetData(), L"TileExLayoutUI");
    EXPECT_EQ(grid->GetInterface(L"TileLayout"), grid.get());
    EXPECT_EQ(grid->GetInterface(L"TileExLayout"), nullptr);
    EXPECT_EQ(flowing->GetInterface(L"TileExLayout"), flowing.get());
    EXPECT_NE(flowing->GetInterface(L"TileLayout"), nullptr);
    EXPECT_NE(flowing->GetInterface(L"Container"), nullptr);
}

TEST_F(TileTest, AutomaticColumnsAreCountedOnceAndTilesFillTheirCells)
{
    CUITileLayout grid;
    grid.SetItemSize({100, 50});
    Fill(grid, 5, {0, 40});
    EXPECT_EQ(grid.GetColumns(), 0);
    grid.SetPos(CUIRect(0, 0, 300, 200), false);
    EXPECT_EQ(grid.GetColumns(), 3);
    EXPECT_EQ(Positions(), (Lines{"0,0,100,40", "100,0,200,40", "200,0,300,40", "0,40,100,80", "100,40,200,80"}));

    grid.SetPos(CUIRect(0, 0, 600, 200), false);
    EXPECT_EQ(grid.GetColumns(), 3);
    EXPECT_EQ(Text(tiles[1]->GetPos()), "200,0,400,40");

    CUITileLayout narrow;
    narrow.SetItemSize({100, 50});
    narrow.SetPos(CUIRect(0, 0, 50, 100), false);  // without children nothing is counted
    EXPECT_EQ(narrow.GetColumns(), 0);
    Tile first({0, 10});
    narrow.Add(&first);
    narrow.SetPos(CUIRect(0, 0, 50, 100), false);
    EXPECT_EQ(narrow.GetColumns(), 1);
    narrow.SetPos(CUIRect(0, 0, 500, 100), false);
    EXPECT_EQ(narrow.GetColumns(), 1);
}

TEST_F(TileTest, ARowCountDividesTheHeightAndTheGapEndsEachTileEarly)
{
    for (const bool pageEnd : {false, true}) {
        SCOPED_TRACE(pageEnd);
        CUITileLayout grid;
        tiles.clear();
        grid.SetAttribute(L"columns", L"1");
        grid.SetAttribute(L"rows", L"2");
        grid.SetAttribute(L"childvpadding", L"10");
        grid.SetAttribute(L"pageendwithpadding", pageEnd ? L"true" : L"false");
        Fill(grid, 3, {0, 0});
        grid.SetPos(CUIRect(0, 0, 100, 200), false);
        if (pageEnd)
            EXPECT_EQ(Positions(), (Lines{"0,0,100,90", "0,100,100,190", "0,200,100,290"}));
        else
            EXPECT_EQ(Positions(), (Lines{"0,0,100,95", "0,105,100,200", "0,210,100,305"}));
    }
}

TEST_F(TileTest, WithoutARowCountALineIsAsHighAsItsTallestTile)
{
    CUITileLayout grid;
    grid.SetColumns(2);
    grid.SetChildPadding(10);
    Tile low({30, 20}), tall({30, 50}), next({30, 10});
    tall.SetPadding(CUIRect(0, 5, 0, 5));
    for (Tile* tile : {&low, &tall, &next})
        grid.Add(tile);
    window->InitControls(&grid);
    grid.SetPos(CUIRect(0, 0, 210, 300), false);
    // Cells 110 wide; the first line is 60 high (50 and the paddings), its tiles end the gap
    // of 10 early, and the second line is as high as its one tile.
    EXPECT_EQ(Text(low.GetPos()), "35,15,65,35");
    EXPECT_EQ(Text(tall.GetPos()), "145,0,175,50");
    EXPECT_EQ(Text(next.GetPos()), "35,55,65,65");
    // Measured with the cell less the paddings and half the gap, and a height of 9999.
    EXPECT_EQ(low.asked.front(), "105x9999");
    EXPECT_EQ(tall.asked.front(), "105x9999");
}

TEST_F(TileTest, HiddenAndFloatingChildrenDoNotShiftTheLines)
{
    CUITileLayout grid;
    grid.SetColumns(2);
    Tile a({0, 10}), hidden({0, 99}), floating({20, 20}), b({0, 10}), c({0, 10});
    hidden.SetVisible(false);
    floating.SetFloat(true);
    floating.SetAttribute(L"pos", L"5,5,25,25");
    for (Tile* tile : {&a, &hidden, &floating, &b, &c})
        grid.Add(tile);
    window->InitControls(&grid);
    grid.SetPos(CUIRect(0, 0, 100, 100), false);
    EXPECT_EQ(Text(a.GetPos()), "0,0,50,10");
    EXPECT_EQ(Text(b.GetPos()), "50,0,100,10");
    EXPECT_EQ(Text(c.GetPos()), "0,10,50,20");
    EXPECT_EQ(Text(floating.GetPos()), "5,5,25,25");
}

TEST_F(TileTest, WholePagesExtendTheScrollableHeight)
{
    const struct {
        bool wholePage;
        bool pageEnd;
        int range;
    } cases[] = {
        {false, false, 150},  // 250 needed in 100
        {true, false, 210},   // 3 pages of 100 and the gap of 10
        {true, true, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.wholePage) + "," + std::to_string(c.pageEnd));
        CUITileLayout grid;
        tiles.clear();
        grid.SetColumns(1);
        grid.SetChildVPadding(10);
        grid.SetAttribute(L"usewholepage", c.wholePage ? L"true" : L"false");
        grid.SetAttribute(L"pageendwithpadding", c.pageEnd ? L"true" : L"false");
        Fill(grid, 5, {0, 50});
        grid.SetPos(CUIRect(0, 0, 100, 100), false);
        // The last tile area ends the gap early: 4 lines of 50, then 50 less 10.
        EXPECT_EQ(grid.GetScrollRange().cy, c.wholePage ? c.range : 240 - 100);
    }
}

TEST_F(TileTest, ChildPaddingAloneAlsoSeparatesTheRows)
{
    CUITileLayout grid;
    grid.SetAttribute(L"childpadding", L"10");
    grid.SetAttribute(L"columns", L"2");
    grid.SetAttribute(L"rows", L"2");
    Fill(grid, 3, {0, 0});
    EXPECT_EQ(grid.GetChildVPadding(), 0);
    grid.SetPos(CUIRect(0, 0, 210, 210), false);
    EXPECT_EQ(grid.GetChildVPadding(), 10);
    EXPECT_EQ(Positions(), (Lines{"0,0,100,100", "110,0,210,100", "0,110,100,210"}));
}

TEST_F(TileTest, StretchingFitsItemsInsetsAndGapsToTheWidth)
{
    CUITileLayout grid;
    grid.SetColumns(4);
    grid.SetItemSize({50, 20});
    grid.SetChildPadding(10);
    grid.SetStretchType(STRETCH_ITEM_WIDTH);
    Fill(grid, 4, {0, 20});
    double factor = 0;
    EXPECT_TRUE(grid.CalcWidthStretchScale(320, &factor));
    EXPECT_DOUBLE_EQ(factor, 1.45);
    for (int pass = 0; pass < 2; ++pass) {  // a second pass starts from the same configuration
        grid.SetPos(CUIRect(0, 0, 320, 100), false);
        EXPECT_EQ(grid.GetItemSize().cx, 72);
        EXPECT_EQ(grid.GetChildPadding(), 10);
    }
    EXPECT_EQ(tiles[1]->GetPos().left, 82);  // cells of (320 + 10) / 4
    EXPECT_EQ(tiles[1]->GetPos().right, 154);

    CUITileLayout padded;  // the insets stretch with the gaps
    padded.SetColumns(2);
    padded.SetItemSize({40, 20});
    padded.SetChildPadding(20);
    padded.SetInset(CUIRect(10, 0, 10, 0));
    padded.SetStretchType(STRETCH_PADDING);
    EXPECT_TRUE(padded.CalcWidthStretchScale(120, &factor));
    EXPECT_DOUBLE_EQ(factor, 1.0);  // (120 - 80) / (10 + 10 + 20)
    EXPECT_TRUE(padded.CalcWidthStretchScale(160, &factor));
    EXPECT_DOUBLE_EQ(factor, 2.0);
    padded.SetPos(CUIRect(0, 0, 160, 50), false);
    EXPECT_EQ(Text(padded.GetInset()), "20,0,20,0");
    EXPECT_EQ(padded.GetChildPadding(), 40);

    padded.SetStretchType(static_cast<StretchType>(0x10000));  // no flag in the low 16 bits
    padded.SetStretchType(STRETCH_ITEM_HEIGHT);
    EXPECT_FALSE(padded.CalcHeightStrechScale(50, &factor));  // no row count
    EXPECT_DOUBLE_EQ(factor, 1.0);
}

TEST_F(TileTest, AnOriginalWidthScalesOncePerPassAndSpreadsTheGaps)
{
    CUITileLayout grid;
    grid.SetAttribute(L"originalwidth", L"200");
    grid.SetAttribute(L"stretchitemwidth", L"true");
    grid.SetColumns(2);
    grid.SetItemSize({50, 30});
    Fill(grid, 2, {0, 30});
    for (int pass = 0; pass < 3; ++pass) {
        grid.SetPos(CUIRect(0, 0, 400, 100), false);
        EXPECT_EQ(grid.GetItemSize().cx, 100);
        EXPECT_EQ(grid.GetChildPadding(), 200);
    }

    CUITileLayout plain;  // without flags only the gaps spread, and the rows keep their place
    plain.SetAttribute(L"originalwidth", L"300");
    plain.SetColumns(3);
    plain.SetItemSize({50, 30});
    tiles.clear();
    Fill(plain, 4, {50, 30});
    for (int pass = 0; pass < 2; ++pass) {
        plain.SetPos(CUIRect(0, 0, 300, 100), false);
        EXPECT_EQ(plain.GetChildPadding(), 75);
        EXPECT_EQ(plain.GetChildVPadding(), 0);
        EXPECT_EQ(Text(tiles[1]->GetPos()), "125,0,175,30");
        EXPECT_EQ(Text(tiles[3]->GetPos()), "0,30,50,60");
    }
}

TEST_F(TileTest, NothingStretchesWithoutAFlagOrWhereItWouldTurnNegative)
{
    const struct {
        const char* what;
        const wchar_t* attributes;
        int width;
        const char* item;
        const char* inset;
    } cases[] = {
        {"no flag, no original width", L"columns=\"4\" itemsize=\"50,20\" childpadding=\"10\"", 400, "50", "0,0,0,0"},
        {"narrower than the parts that do not stretch",
         L"columns=\"4\" itemsize=\"50,20\" childpadding=\"10\" stretchitemwidth=\"true\"", 20, "50", "0,0,0,0"},
        {"automatic columns: the insets would take the whole width",
         L"itemsize=\"100,20\" inset=\"10,0,10,0\" stretchall=\"true\"", 300, "100", "10,0,10,0"},
        {"no row count: the insets would take the whole height",
         L"columns=\"1\" itemsize=\"100,20\" inset=\"0,10,0,10\" stretchvpadding=\"true\"", 300, "100", "0,10,0,10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CUITileLayout grid;
        grid.ApplyAttributeList(c.attributes);
        Tile tile({0, 20});
        grid.Add(&tile);
        window->InitControls(&grid);
        grid.SetPos(CUIRect(0, 0, c.width, 300), false);
        EXPECT_EQ(std::to_string(grid.GetItemSize().cx), c.item);
        EXPECT_EQ(Text(grid.GetInset()), c.inset);
    }
}

TEST_F(TileTest, LineHeightsNeedAColumnCountAndTheFirstTileOfALine)
{
    CUITileLayout grid;
    Tile tall({10, 70});
    grid.Add(&tall);
    int height = 5;
    EXPECT_EQ(grid.GetLineHeight(0, 100, height), 5);  // automatic columns not yet counted
    grid.SetColumns(2);
    EXPECT_EQ(grid.GetLineHeight(1, 100, height), 5);  // not the first tile of a line
    EXPECT_EQ(grid.GetLineHeight(0, 100, height), 70);
    EXPECT_EQ(height, 70);
    grid.SetRows(1);
    height = 5;
    EXPECT_EQ(grid.GetLineHeight(0, 100, height), 5);
}

TEST_F(TileTest, AttributesTakeTheirValuesOrAreRefused)
{
    CUITileLayout grid;
    grid.SetAttribute(L"itemsize", L"30x40");  // any one separator
    EXPECT_EQ(grid.GetItemSize().cx, 30);
    EXPECT_EQ(grid.GetItemSize().cy, 40);
    for (const wchar_t* value : {L"70", L""}) {
        vonktest::LogCapture log;
        grid.SetAttribute(L"itemsize", value);
        const Lines messages = log.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("has fewer than two numbers"), std::string::npos);
        EXPECT_EQ(grid.GetItemSize().cx, 30);
    }
    grid.SetAttribute(L"columns", L"3");
    grid.SetAttribute(L"columns", L"0");
    grid.SetAttribute(L"columns", L"-2");
    EXPECT_EQ(grid.GetColumns(), 3);
    grid.SetAttribute(L"stretchitemwidth", L"yes");  // only "true" sets a flag
    grid.SetItemSize({50, 20});
    grid.SetChildPadding(0);
    double factor = 0;
    grid.SetColumns(1);
    EXPECT_FALSE(grid.CalcWidthStretchScale(100, &factor));
    grid.SetAttribute(L"stretchitemwidth", L"true");
    EXPECT_TRUE(grid.CalcWidthStretchScale(100, &factor));
    EXPECT_DOUBLE_EQ(factor, 2.0);
}

TEST_F(TileTest, FlowingTilesSnapToWholeItemsAndTheLastOfALineReachesItsEnd)
{
    CUITileExLayout flowing;
    flowing.SetItemSize({100, 30});
    flowing.SetChildVPadding(5);
    Tile first({150, 0}), second({150, 20}), wide({500, 10}), hidden({10, 10}), floating({10, 10}), after({500, 10});
    hidden.SetVisible(false);
    floating.SetFloat(true);
    for (Tile* tile : {&first, &second, &wide, &hidden, &floating, &after})
        flowing.Add(tile);
    window->InitControls(&flowing);
    flowing.SetAttribute(L"vscrollbar", L"true");
    flowing.SetPos(CUIRect(0, 0, 300, 100), false);
    EXPECT_EQ(Text(first.GetPos()), "0,0,300,30");     // snapped to 200, widened when the next did not fit
    EXPECT_EQ(Text(second.GetPos()), "0,35,300,55");   // alone on its line, widened to its end
    EXPECT_EQ(Text(wide.GetPos()), "0,60,300,70");     // wider than a line: takes exactly the line
    EXPECT_EQ(Text(after.GetPos()), "0,75,300,85");    // hidden and floating children before it change nothing
    EXPECT_EQ(flowing.GetScrollRange().cy, 0);          // 85 needed in 100
    EXPECT_EQ(second.asked.front(), "100x100");         // asked with what the line has left

    int height = 0;
    EXPECT_EQ(flowing.SetLineItemPos(1, {0, 200}, {300, 50}, height), 1);
    EXPECT_EQ(height, 20);
    EXPECT_EQ(Text(second.GetPos()), "0,200,300,220");
}

TEST_F(TileTest, FlowingItemWidthsComeFromTheColumnsOrTheItemSize)
{
    CUITileExLayout flowing;
    flowing.SetItemSize({40, 10});
    flowing.SetChildPadding(5);
    Tile narrow({30, 0}), wider({50, 0});
    flowing.Add(&narrow);
    flowing.Add(&wider);
    window->InitControls(&flowing);
    flowing.SetPos(CUIRect(0, 0, 200, 100), false);
    EXPECT_EQ(Text(narrow.GetPos()), "0,0,40,10");
    EXPECT_EQ(Text(wider.GetPos()), "45,0,195,10");  // 2 items and a gap, widened by what is left after its gap

    flowing.SetColumns(4);
    EXPECT_EQ(flowing.GetItemSize().cx, 50);  // 200 / 4
    flowing.SetPos(CUIRect(0, 0, 200, 100), false);
    EXPECT_EQ(Text(narrow.GetPos()), "0,0,50,10");

    CUITileExLayout unsized;  // no item width to snap to: the estimate stays
    Tile lone({30, 10}), other({40, 10});
    unsized.Add(&lone);
    unsized.Add(&other);
    window->InitControls(&unsized);
    unsized.SetPos(CUIRect(0, 0, 200, 100), false);
    EXPECT_EQ(Text(lone.GetPos()), "0,0,30,10");
    EXPECT_EQ(Text(other.GetPos()), "30,0,200,10");
}

TEST_F(TileTest, MarkupBuildsAGridOfItsChildren)
{
    vonktest::UseDataFolder("layouts");
    const auto grid = vonktest::OpenMarkup(L"tiles.xml");
    // Cells of (380 + 10) / 3 by (280 + 10) / 2, each less the gap of 10 at its right and bottom.
    const Lines expected = {"10,62,130,92", "140,62,260,92", "270,62,390,92", "10,207,130,237"};
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::wstring name = L"tile" + std::to_wstring(i);
        CUIControl* tile = grid->FindControl(name.c_str());
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(Text(tile->GetPos()), expected[i]) << i;
    }
    vonktest::DeleteTree(*grid);
}

}  // namespace
