// Painting a window's tree as the backend asks for it: what reaches the renderer,
// in which clip brackets, and the relayout that comes before the first paint.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
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

// A control with a focus border, which only markup can give otherwise.
class FocusFramed : public CUIControl {
public:
    FocusFramed(int size, unsigned long colour)
    {
        m_nFocusBorderSize = size;
        m_dwFocusBorderColor = colour;
    }
};

class PaintTest : public vonktest::WindowFixture {
protected:
    // root (grey) > a (red, framed) at (10, 10) 50x20, b (blue) at (100, 50) 150x80.
    void AttachTree()
    {
        root.SetBkColor(0xff808080);
        a.SetBkColor(0xffff0000);
        a.SetBorderSize(2);
        a.SetBorderColor(0xff000000);
        b.SetBkColor(0xff0000ff);
        vonktest::Place(a, 10, 10, 50, 20);
        vonktest::Place(b, 100, 50, 150, 80);
        root.Add(&a);
        root.Add(&b);
        window->AttachDlg(&root);
        headless::ClearJournal();
    }

    Lines RenderCalls() { return headless::JournalOf("Render."); }

    CUIControl root, a, b;
};

TEST_F(PaintTest, LaysOutThenPaintsEachControlInsideItsOwnClip)
{
    AttachTree();
    EXPECT_EQ(vonktest::Paint(handler), 1);

    EXPECT_EQ(Text(root.GetPos()), "0,0,200,100");
    EXPECT_EQ(Text(a.GetPos()), "10,10,60,30");
    EXPECT_EQ(Text(b.GetPos()), "100,50,250,130");
    // Each control clips to its part of the area; the children's brackets sit inside
    // the parent's second one. b reaches past the window and is clipped to it.
    EXPECT_EQ(RenderCalls(), (Lines{
                                 "Render.GenerateClip(0,0,200,100)",
                                 "Render.DrawColor(0,0,200,100,ff808080)",
                                 "Render.ClearClip()",
                                 "Render.GenerateClip(0,0,200,100)",
                                 "Render.GenerateClip(10,10,60,30)",
                                 "Render.DrawColor(10,10,60,30,ffff0000)",
                                 "Render.DrawRect(10,10,60,30,2,ff000000)",
                                 "Render.ClearClip()",
                                 "Render.GenerateClip(100,50,200,100)",
                                 "Render.DrawColor(100,50,250,130,ff0000ff)",
                                 "Render.ClearClip()",
                                 "Render.ClearClip()",
                             }));
}

TEST_F(PaintTest, TheTreeIsPaintedIntoTheWindowsPixels)
{
    AttachTree();
    vonktest::Paint(handler);
    unsigned char* data = nullptr;
    int width = 0, height = 0, stride = 0;
    window->GetRenderData(data, width, height, stride);
    ASSERT_TRUE(data != nullptr);
    ASSERT_EQ(width, 200);
    ASSERT_EQ(height, 100);
    const auto pixel = [&](int x, int y) {
        uint32_t value = 0;
        std::memcpy(&value, data + y * stride + x * 4, sizeof value);
        return value;
    };
    EXPECT_EQ(pixel(5, 5), 0xff808080u);
    EXPECT_EQ(pixel(10, 10), 0xff000000u);  // a's border
    EXPECT_EQ(pixel(30, 20), 0xffff0000u);
    EXPECT_EQ(pixel(199, 99), 0xff0000ffu);
}

TEST_F(PaintTest, PaintsOnlyVisibleControlsThatMeetTheArea)
{
    AttachTree();
    vonktest::Paint(handler);
    headless::ClearJournal();

    // An area that misses a: only the root and b are drawn.
    root.DoPaint(window->GetPaintContext(), CUIRect(90, 40, 200, 100));
    EXPECT_EQ(headless::JournalOf("Render.DrawColor"),
              (Lines{"Render.DrawColor(0,0,200,100,ff808080)", "Render.DrawColor(100,50,250,130,ff0000ff)"}));

    // An invisible child is skipped even where it overlaps the area.
    b.SetVisible(false);
    headless::ClearJournal();
    root.DoPaint(window->GetPaintContext(), CUIRect(90, 40, 200, 100));
    EXPECT_EQ(headless::JournalOf("Render.DrawColor"), (Lines{"Render.DrawColor(0,0,200,100,ff808080)"}));

    // A control whose rectangle misses the area draws nothing at all, not even a clip.
    headless::ClearJournal();
    a.DoPaint(window->GetPaintContext(), CUIRect(150, 0, 200, 10));
    EXPECT_TRUE(RenderCalls().empty());
}

TEST_F(PaintTest, AChildOutsideItsParentIsNotPainted)
{
    AttachTree();
    CUIControl stray;
    vonktest::Place(stray, 0, 0, 30, 30);
    a.Add(&stray);
    vonktest::Paint(handler);
    stray.SetBkColor(0xff00ff00);
    stray.SetPos(CUIRect(100, 0, 130, 30), false);  // inside the area, outside a
    headless::ClearJournal();

    vonktest::Paint(handler);
    for (const std::string& line : headless::JournalOf("Render.DrawColor"))
        EXPECT_EQ(line.find("ff00ff00"), std::string::npos) << line;
}

TEST_F(PaintTest, AFocusedControlDrawsItsFocusBorderAfterItsBorder)
{
    FocusFramed framed(1, 0xff00ff00);
    framed.SetBorderSize(2);
    vonktest::Place(framed, 0, 0, 40, 40);
    window->AttachDlg(&framed);
    vonktest::Paint(handler);
    EXPECT_EQ(headless::JournalOf("Render.DrawRect"), (Lines{"Render.DrawRect(0,0,200,100,2,ff000000)"}));

    framed.SetFocused(true);
    headless::ClearJournal();
    vonktest::Paint(handler);
    EXPECT_EQ(headless::JournalOf("Render.DrawRect"),
              (Lines{"Render.DrawRect(0,0,200,100,2,ff000000)", "Render.DrawRect(0,0,200,100,1,ff00ff00)"}));
}

TEST_F(PaintTest, ANonPositiveBorderSizeDrawsNoBorder)
{
    for (const int size : {0, -3}) {
        CUIControl plain;
        plain.SetBorderSize(size);
        EXPECT_EQ(plain.GetBorderSize(), size);
        window->AttachDlg(&plain);
        headless::ClearJournal();
        vonktest::Paint(handler);
        EXPECT_TRUE(headless::JournalOf("Render.DrawRect").empty()) << size;
        window->AttachDlg(nullptr);
    }
}

TEST_F(PaintTest, SettersRepaintOnlyOnAChange)
{
    AttachTree();
    vonktest::Paint(handler);
    window->Show(true);
    headless::ClearJournal();

    a.SetBkColor(0xffff0000);
    a.SetBorderSize(2);
    a.SetBorderColor(0xff000000);
    a.SetBkImage(L"");
    EXPECT_TRUE(headless::JournalOf("Window.Invalidate").empty());

    a.SetBkColor(1);
    a.SetBorderSize(3);
    a.SetBorderColor(2);
    a.SetBkImage(L"file='a.png'");
    EXPECT_EQ(headless::JournalOf("Window.Invalidate").size(), 4u);
    EXPECT_EQ(a.GetBkColor(), 1u);
    EXPECT_EQ(a.GetBorderColor(), 2u);
    EXPECT_TRUE(a.GetBkImage() == L"file='a.png'");
}

// Frames as a window system paints them: only what the library invalidated, and nothing
// when nothing changed.
TEST_F(PaintTest, AFramePaintsWhatChangedAndAnUnchangedFrameNothing)
{
    AttachTree();
    window->Show(true);
    window->NeedUpdate();
    int frames = 0;
    while (frames < 8 && headless::PaintFrame())
        ++frames;
    EXPECT_LE(frames, 2);
    EXPECT_EQ(Text(a.GetPos()), "10,10,60,30");

    // Nothing changed, and the pointer crossing controls that keep their look changes nothing.
    const size_t drawn = headless::DrawCalls();
    EXPECT_FALSE(headless::PaintFrame());
    vonktest::MoveTo(handler, 20, 20);
    vonktest::MoveTo(handler, 120, 60);
    vonktest::MoveTo(handler, 5, 95);
    EXPECT_FALSE(headless::PaintFrame());
    EXPECT_EQ(headless::DrawCalls(), drawn);

    // One control changes its colour: the frame repaints its area, and no more.
    headless::ClearJournal();
    a.SetBkColor(0xff00ff00);
    EXPECT_TRUE(headless::PaintFrame());
    EXPECT_EQ(headless::JournalOf("Render.DrawColor"),
              (Lines{"Render.DrawColor(0,0,200,100,ff808080)", "Render.DrawColor(10,10,60,30,ff00ff00)"}));
    EXPECT_EQ(headless::JournalOf("Render.GenerateClip").front(), "Render.GenerateClip(10,10,60,30)");
    EXPECT_FALSE(headless::PaintFrame());
}

TEST_F(PaintTest, WithoutARootNothingIsPainted)
{
    EXPECT_EQ(vonktest::Paint(handler), 0);
    EXPECT_TRUE(RenderCalls().empty());
}

TEST_F(PaintTest, WithoutARendererTheTreeIsWalkedButNothingDrawn)
{
    AttachTree();
    EXPECT_EQ(handler->OnPaint(nullptr), 1);
    EXPECT_TRUE(RenderCalls().empty());
    EXPECT_EQ(Text(a.GetPos()), "10,10,60,30");

    // The next paint with a renderer draws everything again.
    vonktest::Paint(handler);
    EXPECT_EQ(headless::JournalOf("Render.DrawColor").size(), 3u);
}

// The names of the controls whose SizeEvent fired, in order.
Lines& Placed()
{
    static Lines placed;
    return placed;
}

bool RecordPlaced(void* control)
{
    Placed().push_back(static_cast<CUIControl*>(control)->GetName().IsEmpty()
                           ? "?"
                           : std::string(1, static_cast<char>(static_cast<CUIControl*>(control)->GetName()[0])));
    return true;
}

TEST_F(PaintTest, ARelayoutPlacesTheRootOverTheReportedSizeOnlyWhenAsked)
{
    root.SetName(L"r");
    a.SetName(L"a");
    b.SetName(L"b");
    AttachTree();
    for (CUIControl* control : {&root, &a, &b})
        control->SizeEvent += RecordPlaced;
    vonktest::Paint(handler);
    EXPECT_EQ(Placed(), (Lines{"r", "a", "b"}));

    Placed().clear();
    vonktest::Paint(handler);
    EXPECT_TRUE(Placed().empty());

    headless::ReportSize(300, 150);
    vonktest::Paint(handler);
    EXPECT_EQ(Text(root.GetPos()), "0,0,300,150");
    EXPECT_EQ(Placed(), (Lines{"r", "a", "b"}));

    // A control that asks is placed again where it is; the root stays.
    Placed().clear();
    a.NeedUpdate();
    vonktest::Paint(handler);
    EXPECT_EQ(Placed(), (Lines{"a"}));
    EXPECT_EQ(Text(a.GetPos()), "10,10,60,30");
}

// Two controls whose relayouts each ask for the other's.
CUIControl* g_a = nullptr;
CUIControl* g_b = nullptr;

bool AskForB(void*)
{
    g_b->NeedUpdate();
    return true;
}

bool AskForA(void*)
{
    g_a->NeedUpdate();
    return true;
}

TEST_F(PaintTest, ControlsThatKeepAskingArePlacedOncePerPaintAndTheirRequestsKept)
{
    a.SetName(L"a");
    b.SetName(L"b");
    AttachTree();
    vonktest::Paint(handler);
    g_a = &a;
    g_b = &b;
    a.SizeEvent += RecordPlaced;
    a.SizeEvent += AskForB;
    b.SizeEvent += RecordPlaced;
    b.SizeEvent += AskForA;

    a.NeedUpdate();
    EXPECT_EQ(vonktest::Paint(handler), 1);
    EXPECT_EQ(Placed(), (Lines{"a", "b"}));
    // What b's relayout asked for is done at the next paint.
    Placed().clear();
    vonktest::Paint(handler);
    EXPECT_EQ(Placed(), (Lines{"a", "b"}));
}

// A relayout looks only where controls asked since the last one; what turned visible
// without asking must still be found there, in the order of the whole tree.
TEST_F(PaintTest, ARelayoutFindsWhatAskedWhileHiddenOnceItShowsAgain)
{
    a.SetName(L"a");
    b.SetName(L"b");
    AttachTree();
    vonktest::Paint(handler);
    Placed().clear();
    b.SizeEvent += RecordPlaced;

    // A child added while its parent was hidden has never been placed.
    CUIControl late;
    late.SetName(L"l");
    late.SizeEvent += RecordPlaced;
    a.SetInternVisible(false);
    a.Add(&late);
    a.SetInternVisible(true);
    b.NeedUpdate();
    vonktest::Paint(handler);
    EXPECT_EQ(Placed(), (Lines{"l", "b"}));
    a.Remove(&late);
}

TEST_F(PaintTest, ARelayoutFindsAScrollBarShownWithoutAsking)
{
    CUIContainer box;
    CUIControl after;
    after.SetName(L"z");
    box.Add(&after);
    root.Add(&box);
    AttachTree();
    vonktest::Paint(handler);
    Placed().clear();

    CUIScrollBar* bar = box.GetVerticalScrollBar();
    bar->SetName(L"v");
    bar->SizeEvent += RecordPlaced;
    after.SizeEvent += RecordPlaced;
    bar->SetVisible(true);
    after.NeedUpdate();
    vonktest::Paint(handler);
    EXPECT_EQ(Placed(), (Lines{"v", "z"}));
    root.Remove(&box);
}

// A control taken out while it asks is not placed from there, though a sibling that asks
// with it still is.
TEST_F(PaintTest, ARelayoutLeavesOutWhatWasTakenOutWhileItAsked)
{
    CUIContainer box;
    CUIControl first, second;
    box.SetName(L"x");
    first.SetName(L"f");
    second.SetName(L"s");
    box.Add(&first);
    box.Add(&second);
    root.Add(&box);
    AttachTree();
    vonktest::Paint(handler);
    Placed().clear();
    for (CUIControl* control : {static_cast<CUIControl*>(&box), &first, &second})
        control->SizeEvent += RecordPlaced;

    first.NeedUpdate();
    second.NeedUpdate();
    box.Remove(&second);
    vonktest::Paint(handler);
    EXPECT_EQ(Placed(), (Lines{"x", "f"}));
    root.Remove(&box);
}

// Each notification as "code@journal lines so far", and the root's place then.
class Recorder : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        seen.push_back(std::to_string(msg.Type) + "@" + std::to_string(headless::JournalOf("Render.").size()));
        if (msg.pSender)
            places.push_back(Text(msg.pSender->GetPos()));
    }
    Lines seen, places;
};

TEST_F(PaintTest, TheFirstRelayoutOfTheProcessSendsFirstPaintBeforeAnythingIsDrawn)
{
    AttachTree();
    Recorder recorder;
    window->AddNotifier(&recorder);
    vonktest::Paint(handler);
    EXPECT_EQ(recorder.seen, (Lines{std::to_string(NOTIFY_FIRST_PAINT) + "@0"}));
    EXPECT_EQ(recorder.places, (Lines{"0,0,200,100"}));

    // Neither another relayout of this window nor the first of another window sends it.
    headless::ReportSize(120, 80);
    vonktest::Paint(handler);
    vonktest::PlainWindow second;
    second.Create(0, 0, 50, 50);
    CUIControl secondRoot;
    second.AttachDlg(&secondRoot);
    Recorder secondRecorder;
    second.AddNotifier(&secondRecorder);
    vonktest::Paint(headless::LastHandler());
    EXPECT_EQ(recorder.seen.size(), 1u);
    EXPECT_TRUE(secondRecorder.seen.empty());
    EXPECT_EQ(Text(secondRoot.GetPos()), "0,0,50,50");
}

TEST_F(PaintTest, AFirstPaintHandlerMayTakeTheTreeAway)
{
    auto* doomed = new CUIControl;
    doomed->SetBkColor(0xff00ff00);
    window->AttachDlg(doomed);
    doomed->NotifyEvent += MakeDelegate([](void* msg) {
        CUIWindow* owner = static_cast<TNotifyUI*>(msg)->pSender->GetOwnWindow();
        owner->DetachDlg();
        return true;
    });
    EXPECT_EQ(vonktest::Paint(handler), 0);
    EXPECT_TRUE(RenderCalls().empty());
    EXPECT_EQ(window->GetRoot(), nullptr);
}

}  // namespace

namespace {

class BackgroundImageTest : public PaintTest {
protected:
    void SetUp() override
    {
        PaintTest::SetUp();
        const std::string dir = vonktest::DataDir() + "/render/";
        CResourceMgr::SetResourePath(std::wstring(dir.begin(), dir.end()).c_str());
        AttachTree();
    }

    // The kinds of drawing calls, in order ("DrawColor", "AlphaBlend", ...).
    Lines Kinds()
    {
        Lines kinds;
        for (const std::string& line : RenderCalls()) {
            const std::string kind = line.substr(7, line.find('(') - 7);
            if (kind != "GenerateClip" && kind != "ClearClip")
                kinds.push_back(kind);
        }
        return kinds;
    }
};

}  // namespace

TEST_F(BackgroundImageTest, IsDrawnBetweenTheColourAndTheBorderOnlyWhereTheAreaNeedsIt)
{
    root.SetBkColor(0);
    b.SetBkColor(0);
    a.SetBkImage(L"file='a.png' corner='4,4,4,4'");
    vonktest::Paint(handler);
    EXPECT_EQ(Kinds(), (Lines{"DrawColor", "AlphaBlend", "AlphaBlend", "AlphaBlend", "AlphaBlend", "AlphaBlend",
                              "AlphaBlend", "AlphaBlend", "AlphaBlend", "AlphaBlend", "DrawRect"}));

    // Painting (0, 0, 20, 20) leaves a with (10, 10, 20, 20) to paint: the centre, the
    // top-left corner, the top and the left edge meet it.
    headless::ClearJournal();
    root.DoPaint(window->GetPaintContext(), CUIRect(0, 0, 20, 20));
    EXPECT_EQ(headless::JournalOf("Render.AlphaBlend("),
              (Lines{"Render.AlphaBlend(14,14,42,12,4,4,12,12,255)", "Render.AlphaBlend(10,10,4,4,0,0,4,4,255)",
                     "Render.AlphaBlend(14,10,42,4,4,0,12,4,255)", "Render.AlphaBlend(10,14,4,12,0,4,4,12,255)"}));
}

TEST_F(BackgroundImageTest, AMissingImageDrawsNothingAndAPaintWithoutRendererErasesNothing)
{
    a.SetBkImage(L"file='missing.png'");
    b.SetBkImage(L"b.png");
    EXPECT_EQ(handler->OnPaint(nullptr), 1);
    vonktest::Paint(handler);
    EXPECT_EQ(headless::JournalOf("Render.AlphaBlend("), (Lines{"Render.AlphaBlend(100,50,150,80,0,0,10,10,255)"}));
    EXPECT_TRUE(a.GetBkImage() == L"file='missing.png'");
    EXPECT_TRUE(b.GetBkImage() == L"b.png");
}
