// The list header and its columns: the separator that a press drags and the rest of the
// column that a press clicks, the width a drag gives, the header's estimate, and the
// state and separator images.

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

class HeaderTest : public vonktest::MarkupTest {
protected:
    void SetUp() override
    {
        MarkupTest::SetUp();
        Open(L"list_header.xml");
        list = Find<CListUI>(L"list");
        for (int i = 0; i < 3; ++i)
            columns[i] = Find<CListHeaderItemUI>((L"c" + std::to_wstring(i)).c_str());
        ASSERT_NE(list, nullptr);
        ASSERT_NE(columns[2], nullptr);
    }

    // The places of the columns in the list's record.
    std::string Columns() const
    {
        std::string places;
        const tagTListInfoUI* info = list->GetListInfo();
        for (int i = 0; i < info->nColumns; ++i)
            places += Text(info->rcColumn[i]) + " ";
        return places;
    }

    CListUI* list = nullptr;
    CListHeaderItemUI* columns[3] = {};
};

TEST_F(HeaderTest, ANewColumnHasAFourPixelSeparatorAndCanBeDragged)
{
    CListHeaderItemUI column;
    EXPECT_EQ(Narrow(column.GetClass()), "ListHeaderItemUI");
    EXPECT_EQ(column.GetInterface(L"ListHeaderItem"), &column);
    EXPECT_NE(column.GetInterface(L"Label"), nullptr);
    EXPECT_EQ(column.GetSepWidth(), 4);
    EXPECT_EQ(column.GetMinWidth(), 16);
    EXPECT_EQ(Text(column.GetTextPadding()), "2,0,2,0");
    EXPECT_TRUE(column.IsDragable());
    EXPECT_EQ(column.GetControlFlags(), 2u);
    column.SetSepWidth(0);
    EXPECT_EQ(column.GetControlFlags(), 0u);

    CListHeaderUI header;
    EXPECT_EQ(Narrow(header.GetClass()), "ListHeaderUI");
    EXPECT_EQ(header.GetInterface(L"ListHeader"), &header);
    EXPECT_NE(header.GetInterface(L"HorizontalLayout"), nullptr);
}

TEST_F(HeaderTest, APressNearTheSeparatorStartsADragAndElsewhereClicks)
{
    EXPECT_EQ(Text(columns[1]->GetPos()), "100,0,200,24");
    EXPECT_EQ(Text(columns[1]->GetThumbRect()), "196,0,200,24");
    struct Case {
        int x;
        Lines notified;
    };
    const Case cases[] = {
        {193, {}},                        // within 4 pixels of the separator
        {199, {}},                        // on it
        {191, {"headerclick c1 0,0"}},    // beside it
        {297, {}},                        // the separator of a column that is not to be dragged
        {250, {"headerclick c2 0,0"}},
    };
    for (const Case& c : cases) {
        vonktest::Press(handler, c.x, 10);
        vonktest::Release(handler, c.x, 10);
        EXPECT_EQ(notes.Take(), c.notified) << "at " << c.x;
    }
    EXPECT_EQ(columns[1]->GetFixedWidth(), 100);  // pressed and released, not dragged
}

TEST_F(HeaderTest, DraggingTheSeparatorGivesTheColumnItsWidthAndTheListItsColumns)
{
    vonktest::Press(handler, 193, 10);
    vonktest::MoveTo(handler, 163, 10);
    EXPECT_EQ(columns[1]->GetFixedWidth(), 70);
    PaintAll();
    EXPECT_EQ(Columns(), "0,0,100,24 100,0,170,24 170,0,270,24 ");

    vonktest::MoveTo(handler, 100, 10);  // would leave 7: refused
    EXPECT_EQ(columns[1]->GetFixedWidth(), 70);
    vonktest::MoveTo(handler, 150, 10);  // from where the drag stood, not from the refused point
    EXPECT_EQ(columns[1]->GetFixedWidth(), 57);
    vonktest::MoveTo(handler, 110, 10);  // 17, the least a column keeps above its minimum
    EXPECT_EQ(columns[1]->GetFixedWidth(), 17);
    vonktest::Release(handler, 110, 10);
    EXPECT_EQ(notes.Take(), Lines{});

    // Steps faster than the relayouts add up.
    vonktest::Press(handler, 97, 10);
    vonktest::MoveTo(handler, 87, 10);
    vonktest::MoveTo(handler, 77, 10);
    vonktest::Release(handler, 77, 10);
    EXPECT_EQ(columns[0]->GetFixedWidth(), 80);
    PaintAll();
    EXPECT_EQ(Columns(), "0,0,80,24 80,0,97,24 97,0,197,24 ");
}

TEST_F(HeaderTest, ASeparatorOnTheLeftEdgeMovesThatEdge)
{
    columns[0]->SetSepWidth(-4);
    EXPECT_EQ(Text(columns[0]->GetThumbRect()), "0,0,4,24");
    vonktest::Press(handler, 7, 10);
    vonktest::MoveTo(handler, 17, 10);
    vonktest::Release(handler, 17, 10);
    EXPECT_EQ(columns[0]->GetFixedWidth(), 90);
    vonktest::Click(handler, 9, 10);  // beyond the 4 pixels inside it
    EXPECT_EQ(notes.Take(), (Lines{"headerclick c0 0,0"}));
}

TEST_F(HeaderTest, DisablingOrForbiddingTheDragEndsIt)
{
    vonktest::Press(handler, 195, 10);
    columns[1]->SetDragable(false);
    vonktest::MoveTo(handler, 160, 10);
    EXPECT_EQ(columns[1]->GetFixedWidth(), 100);
    vonktest::Release(handler, 160, 10);

    columns[1]->SetDragable(true);
    vonktest::Press(handler, 195, 10);
    columns[1]->SetEnabled(false);
    vonktest::MoveTo(handler, 160, 10);
    vonktest::Release(handler, 160, 10);
    EXPECT_EQ(columns[1]->GetFixedWidth(), 100);
    vonktest::Click(handler, 150, 10);
    EXPECT_EQ(notes.Take(), Lines{});
    EXPECT_EQ(columns[1]->GetControlFlags(), 0u);
}

TEST_F(HeaderTest, TheHeaderIsAsWideAsItsColumnsAndAsHighAsItsFontNeeds)
{
    CListHeaderUI* header = list->GetHeader();
    EXPECT_EQ(vonktest::Size(header->EstimateSize({300, 200})), "300,24");  // the font's 10 and 14
    EXPECT_EQ(Text(header->GetPos()), "0,0,300,24");
    // A fixed height is taken as it is stored, whatever the scale.
    header->SetFixedHeight(30);
    window->OnScaleChange(2, 2);
    EXPECT_EQ(vonktest::Size(header->EstimateSize({300, 200})), "300,30");
}

TEST_F(HeaderTest, EachStatePaintsItsImageAndTheSeparatorImageSitsOnTheSeparator)
{
    // The first column's image, then the second one's separator image: "x,y,w,h source fade".
    const Lines idle = {"0,0,100,24 0,0,20,20 10", "196,0,4,24 0,0,10,10 40"};
    EXPECT_EQ(vonktest::Blends(), idle);
    vonktest::MoveTo(handler, 50, 10);
    PaintAll();
    EXPECT_EQ(vonktest::Blends()[0], "0,0,100,24 0,0,20,20 20");
    vonktest::Press(handler, 50, 10);
    PaintAll();
    EXPECT_EQ(vonktest::Blends()[0], "0,0,100,24 0,0,20,20 30");
    vonktest::Release(handler, 50, 10);
    vonktest::MoveTo(handler, 50, 150);
    // Focused without a focused image: the normal image.
    TEventUI focus = vonktest::MakeEvent(EVENT_SETFOCUS);
    columns[0]->Event(focus);
    PaintAll();
    EXPECT_EQ(vonktest::Blends(), idle);
    for (const std::string& note : notes.Take(true)) {  // columns notify no enter or leave
        EXPECT_NE(note, "enter c0 0,0");
        EXPECT_NE(note, "leave c0 0,0");
    }

    // An image that cannot be drawn is forgotten.
    columns[0]->SetHotImage(L"file='missing.png'");
    vonktest::MoveTo(handler, 50, 10);
    PaintAll();
    EXPECT_TRUE(columns[0]->GetHotImage().IsEmpty());
    PaintAll();
    EXPECT_EQ(vonktest::Blends()[0], "0,0,100,24 0,0,20,20 10");
}

}  // namespace
