// The drawing wrapper on the headless backend: what reaches the renderer (the journal),
// image-attribute strings with the nine-grid, tiling and placement, fonts by name, code points
// that UTF-8 cannot hold, and the pixels that the headless renderer draws.

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace {

using vonktest::Lines;
using vonktest::Text;

constexpr unsigned long kCalcRect = 0x1000;
constexpr unsigned long kSingleLine = 0x80;

class TestWindow : public CUIWindow {
public:
    CUIString GetSkinFolder() override { return CUIString(); }
};

// A shown-size window over the headless backend whose drawing wrapper draws with the
// window's headless renderer; the images come from tests/data/render.
class RenderTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        const std::string dir = vonktest::DataDir() + "/render/";
        CResourceMgr::SetResourePath(std::wstring(dir.begin(), dir.end()).c_str());
        m_window = std::make_unique<TestWindow>();
        m_window->Create(0, 0, 200, 100);
        m_render = m_window->GetPaintContext();
        m_render->SetRenderPlatform(headless::LastRender());
        headless::ClearJournal();
    }

    // The AlphaBlend calls of an image string drawn into item, with all of item to paint.
    Lines Blends(const CUIRect& item, const wchar_t* image, const wchar_t* modify = nullptr)
    {
        headless::ClearJournal();
        EXPECT_TRUE(m_render->DrawImageString(item, item, image, modify)) << "for " << Narrow(image);
        return headless::JournalOf("Render.AlphaBlend(");
    }

    static std::string Narrow(const wchar_t* text) { return text ? std::string(text, text + wcslen(text)) : ""; }

    // The window's pixel at (x, y), premultiplied ARGB.
    uint32_t Pixel(int x, int y)
    {
        unsigned char* data = nullptr;
        int width = 0, height = 0, stride = 0;
        m_window->GetRenderData(data, width, height, stride);
        EXPECT_TRUE(data != nullptr && x < width && y < height);
        uint32_t pixel = 0;
        std::memcpy(&pixel, data + y * stride + x * 4, sizeof pixel);
        return pixel;
    }

    std::unique_ptr<TestWindow> m_window;
    CUIRender* m_render = nullptr;
};

std::string Blend(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int fade = 255)
{
    return "Render.AlphaBlend(" + std::to_string(dx) + "," + std::to_string(dy) + "," + std::to_string(dw) + "," +
           std::to_string(dh) + "," + std::to_string(sx) + "," + std::to_string(sy) + "," + std::to_string(sw) +
           "," + std::to_string(sh) + "," + std::to_string(fade) + ")";
}

TEST_F(RenderTest, ForwardsEveryDrawingCallToTheRenderer)
{
    const tagPOINT points[] = {{1, 2}, {3, 4}};
    m_render->DrawColor(CUIRect(1, 2, 3, 4), 0xff112233);
    m_render->DrawColor(10, 20, 30, 40, 0x80ffffff);
    m_render->DrawRect(CUIRect(0, 0, 8, 8), 2, 0xff000000);
    m_render->DrawLine(CUIRect(0, 0, 9, 0), 1, 0xff0000ff, 3);
    m_render->DrawLine(points, 2, 1, 0xff00ff00);
    m_render->DrawLinerGradient(CUIRect(0, 0, 5, 5), 0xff000000, 0xffffffff, 0, 7);
    m_render->DrawLinerGradient(1, 1, 4, 4, 0xff000000, 0xffffffff, 5, 0);
    m_render->GenerateClip(CUIRect(0, 0, 50, 50));
    m_render->ClearClip();
    EXPECT_EQ(headless::Journal(), (Lines{
                                       "Render.DrawColor(1,2,3,4,ff112233)",
                                       "Render.DrawColor(10,20,40,60,80ffffff)",
                                       "Render.DrawRect(0,0,8,8,2,ff000000)",
                                       "Render.DrawLine(0,0,9,0,1,ff0000ff,3)",
                                       "Render.DrawPolyline(2,1,ff00ff00)",
                                       "Render.Point(1,2)",
                                       "Render.Point(3,4)",
                                       "Render.DrawLinerGradient(0,0,5,5,ff000000,ffffffff,0,7)",
                                       "Render.DrawLinerGradient(1,1,5,5,ff000000,ffffffff,1,0)",
                                       "Render.GenerateClip(0,0,50,50)",
                                       "Render.ClearClip()",
                                   }));
}

TEST_F(RenderTest, WithoutRendererNothingIsDrawn)
{
    CUIImage image;
    ASSERT_TRUE(image.Load((CResourceMgr::GetResourePath() + L"a.png").GetData()));
    const CUIRect item(0, 0, 100, 50);
    m_render->SetRenderPlatform(nullptr);
    m_render->DrawColor(item, 0xff000000);
    m_render->DrawText(item, L"text", 0, L"", 0xff000000, false, nullptr);
    EXPECT_FALSE(m_render->AlphaBlend(image.GetImagePlatform(), 0, 0, 1, 1, 0, 0, 1, 1, 255));
    EXPECT_FALSE(m_render->DrawImageString(item, item, L"a.png", nullptr));
    CUIRect source;
    EXPECT_FALSE(m_render->DrawImage(L"a.png", item, item, item, source, CUIRect(), 255, 0, 0, 0));
    EXPECT_TRUE(m_render->DrawImage(image.GetImagePlatform(), item, item, CUIRect(0, 0, 20, 20), CUIRect(), 255, 0,
                                    0, 0));
    EXPECT_TRUE(headless::JournalOf("Render.").empty());
}

TEST_F(RenderTest, WithoutOwnerWindowTextAndImagesAreRefused)
{
    CUIRender detached;
    detached.SetRenderPlatform(headless::LastRender());
    const CUIRect item(0, 0, 100, 50);
    detached.DrawText(item, L"text", 0, L"", 0xff000000, false, nullptr);
    EXPECT_FALSE(detached.DrawImageString(item, item, L"file='a.png' size='16,16'", nullptr));
    CUIRect source;
    EXPECT_FALSE(detached.DrawImage(L"a.png", item, item, item, source, CUIRect(), 255, 0, 0, 0));
    EXPECT_TRUE(headless::JournalOf("Render.").empty());
}

TEST_F(RenderTest, NineGridDrawsTheCentreFirstThenCornersAndEdges)
{
    const CUIRect item(0, 0, 100, 50);
    const Lines pieces{
        Blend(4, 4, 92, 42, 4, 4, 12, 12),  // centre
        Blend(0, 0, 4, 4, 0, 0, 4, 4),      // top-left
        Blend(4, 0, 92, 4, 4, 0, 12, 4),    // top
        Blend(96, 0, 4, 4, 16, 0, 4, 4),    // top-right
        Blend(0, 4, 4, 42, 0, 4, 4, 12),    // left
        Blend(96, 4, 4, 42, 16, 4, 4, 12),  // right
        Blend(0, 46, 4, 4, 0, 16, 4, 4),    // bottom-left
        Blend(4, 46, 92, 4, 4, 16, 12, 4),  // bottom
        Blend(96, 46, 4, 4, 16, 16, 4, 4),  // bottom-right
    };
    EXPECT_EQ(Blends(item, L"file='a.png' corner='4,4,4,4'"), pieces);
    EXPECT_EQ(Blends(item, L"file='a.png' corner='4,4,4,4' hole='true'"), Lines(pieces.begin() + 1, pieces.end()));
    EXPECT_EQ(Blends(item, L"file='a.png' corner='4,4,4,4' hole='yes'"), pieces);
    // Only borders wider than 0 are drawn.
    EXPECT_EQ(Blends(item, L"file='a.png' corner='0,4,0,0'"),
              (Lines{Blend(0, 4, 100, 46, 0, 4, 20, 16), Blend(0, 0, 100, 4, 0, 0, 20, 4)}));
}

TEST_F(RenderTest, NineGridDrawsWholeThePiecesThatMeetThePaintedArea)
{
    const CUIRect item(0, 0, 100, 50);
    headless::ClearJournal();
    EXPECT_TRUE(m_render->DrawImageString(item, CUIRect(0, 0, 10, 10), L"file='a.png' corner='4,4,4,4'", nullptr));
    EXPECT_EQ(headless::JournalOf("Render.AlphaBlend("), (Lines{
                                                             Blend(4, 4, 92, 42, 4, 4, 12, 12),
                                                             Blend(0, 0, 4, 4, 0, 0, 4, 4),
                                                             Blend(4, 0, 92, 4, 4, 0, 12, 4),
                                                             Blend(0, 4, 4, 42, 0, 4, 4, 12),
                                                         }));
}

TEST_F(RenderTest, TiledCentresRepeatTheSourceUnscaledAndCutTheLastTile)
{
    Lines across;
    for (int x = 4; x < 88; x += 12)
        across.push_back(Blend(x, 0, 12, 20, 4, 0, 12, 20));
    across.push_back(Blend(88, 0, 8, 20, 4, 0, 8, 20));
    across.push_back(Blend(0, 0, 4, 20, 0, 0, 4, 20));
    across.push_back(Blend(96, 0, 4, 20, 16, 0, 4, 20));
    EXPECT_EQ(Blends(CUIRect(0, 0, 100, 20), L"file='a.png' corner='4,0,4,0' xtiled='true'"), across);

    EXPECT_EQ(Blends(CUIRect(0, 0, 20, 50), L"file='a.png' ytiled='true'"),
              (Lines{Blend(0, 0, 20, 20, 0, 0, 20, 20), Blend(0, 20, 20, 20, 0, 0, 20, 20),
                     Blend(0, 40, 20, 10, 0, 0, 20, 10)}));
    // Both ways: row by row from the top, each row from the left.
    EXPECT_EQ(Blends(CUIRect(0, 0, 30, 30), L"file='a.png' xtiled='true' ytiled='true'"),
              (Lines{Blend(0, 0, 20, 20, 0, 0, 20, 20), Blend(20, 0, 10, 20, 0, 0, 10, 20),
                     Blend(0, 20, 20, 10, 0, 0, 20, 10), Blend(20, 20, 10, 10, 0, 0, 10, 10)}));
    // A tile of no width draws no tile; the borders are still drawn.
    EXPECT_EQ(Blends(CUIRect(0, 0, 100, 20), L"file='a.png' corner='10,0,10,0' xtiled='true'"),
              (Lines{Blend(0, 0, 10, 20, 0, 0, 10, 20), Blend(90, 0, 10, 20, 10, 0, 10, 20)}));
}

TEST_F(RenderTest, TilesWhollyOutsideThePaintedAreaAreLeftOut)
{
    // Only the tiles that meet x 25..45, y 5..25 of a 100 by 50 centre: drawn whole.
    headless::ClearJournal();
    EXPECT_TRUE(m_render->DrawImageString(CUIRect(0, 0, 100, 50), CUIRect(25, 5, 45, 25),
                                          L"file='a.png' xtiled='true' ytiled='true'", nullptr));
    EXPECT_EQ(headless::JournalOf("Render.AlphaBlend("),
              (Lines{Blend(20, 0, 20, 20, 0, 0, 20, 20), Blend(40, 0, 20, 20, 0, 0, 20, 20),
                     Blend(20, 20, 20, 20, 0, 0, 20, 20), Blend(40, 20, 20, 20, 0, 0, 20, 20)}));

    // A centre two billion pixels wide costs what the painted area holds, not tiles without end.
    headless::ClearJournal();
    EXPECT_TRUE(m_render->DrawImageString(CUIRect(0, 0, 2000000000, 20), CUIRect(0, 0, 200, 20),
                                          L"file='a.png' source='0,0,1,20' xtiled='true'", nullptr));
    EXPECT_EQ(headless::JournalOf("Render.AlphaBlend(").size(), 200u);
}

TEST_F(RenderTest, FadeKeepsItsLowEightBitsAndAModifierOverridesTheImageString)
{
    const CUIRect item(0, 0, 20, 20);
    EXPECT_EQ(Blends(item, L"file='a.png' fade='300'"), Lines{Blend(0, 0, 20, 20, 0, 0, 20, 20, 44)});
    const Lines faded = Blends(item, L"file='a.png' corner='2,2,2,2' fade='0'");
    EXPECT_EQ(faded.size(), 9u);
    for (const std::string& line : faded)
        EXPECT_EQ(line.substr(line.rfind(',')), ",0)") << line;
    EXPECT_EQ(Blends(item, L"file='a.png' fade='255'", L"fade='128'"), Lines{Blend(0, 0, 20, 20, 0, 0, 20, 20, 128)});
    EXPECT_EQ(Blends(item, L"file='a.png'", L"file='b.png'"), Lines{Blend(0, 0, 20, 20, 0, 0, 10, 10)});
}

TEST_F(RenderTest, DestIsRelativeToTheControlAndLimitedToIt)
{
    EXPECT_EQ(Blends(CUIRect(100, 200, 150, 220), L"file='a.png' dest='10,5,30,25'"),
              Lines{Blend(110, 205, 20, 15, 0, 0, 20, 20)});
    // Integers beyond the renderer's 32 bits are held at its limits.
    EXPECT_EQ(Blends(CUIRect(100, 200, 150, 220), L"file='a.png' dest='5,5,99999999999999999999,9999999999'"),
              Lines{Blend(105, 205, 45, 15, 0, 0, 20, 20)});
    EXPECT_EQ(Blends(CUIRect(100, 200, 150, 220), L"file='a.png' dest='0,0,0,0'"),
              Lines{Blend(100, 200, 50, 20, 0, 0, 20, 20)});
    EXPECT_EQ(Blends(CUIRect(0, 0, 100, 40), L"file='a.png' source='5,5,15,15'"),
              Lines{Blend(0, 0, 100, 40, 5, 5, 10, 10)});
}

TEST_F(RenderTest, SizeAlignAndPaddingPlaceAFixedSizeImage)
{
    const struct {
        CUIRect item;
        const wchar_t* image;
        std::string drawn;
    } cases[] = {
        {CUIRect(0, 0, 100, 40), L"file='a.png' size='16,16'", Blend(42, 12, 16, 16, 0, 0, 20, 20)},
        {CUIRect(0, 0, 100, 40), L"file='a.png' size='16,16' align='right bottom'", Blend(84, 24, 16, 16, 0, 0, 20, 20)},
        {CUIRect(0, 0, 100, 40), L"file='a.png' size='16,16' align='right bottom' padding='2,0,0,0'",
         Blend(86, 24, 14, 16, 0, 0, 20, 20)},
        {CUIRect(0, 0, 100, 20), L"file='a.png' size='16,16' align='bottom'", Blend(42, 4, 16, 16, 0, 0, 20, 20)},
        {CUIRect(0, 0, 100, 40), L"file='a.png' size='16,16' align='left right top bottom'",
         Blend(0, 0, 16, 16, 0, 0, 20, 20)},
        {CUIRect(0, 0, 100, 40), L"file='a.png' size='16,16' padding='0,0,4,6'", Blend(38, 6, 16, 16, 0, 0, 20, 20)},
        // A fixed size replaces "dest"; a size with a zero side does not.
        {CUIRect(0, 0, 100, 40), L"file='a.png' dest='0,0,10,10' size='16,16'", Blend(42, 12, 16, 16, 0, 0, 20, 20)},
        {CUIRect(0, 0, 100, 40), L"file='a.png' dest='0,0,10,10' size='16,0'", Blend(0, 0, 10, 10, 0, 0, 20, 20)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Blends(c.item, c.image), Lines{c.drawn}) << Narrow(c.image);
}

TEST_F(RenderTest, SizeIsScaledByTheWindowsScaleAndRoundedUp)
{
    m_window->OnScaleChange(1.5, 1.5);
    EXPECT_EQ(Blends(CUIRect(0, 0, 100, 100), L"file='a.png' size='15,15'"), Lines{Blend(38, 38, 23, 23, 0, 0, 20, 20)});
}

TEST_F(RenderTest, APlainNameIsTheWholeImageStretchedOverTheControl)
{
    const CUIRect item(0, 0, 100, 50);
    EXPECT_EQ(Blends(item, L"a.png"), Lines{Blend(0, 0, 100, 50, 0, 0, 20, 20)});
    headless::ClearJournal();
    EXPECT_FALSE(m_render->DrawImageString(item, item, L"a.png fade='100'", nullptr));
    EXPECT_TRUE(headless::JournalOf("Render.AlphaBlend(").empty());
}

// The text as a heap block of its exact length, so that reading past its end is caught.
std::unique_ptr<wchar_t[]> ExactCopy(const wchar_t* text)
{
    const size_t length = wcslen(text) + 1;
    auto copy = std::make_unique<wchar_t[]>(length);
    std::wmemcpy(copy.get(), text, length);
    return copy;
}

TEST_F(RenderTest, MalformedStringsAreReadOnlyAsFarAsTheyAreWellFormed)
{
    const struct {
        const wchar_t* image;
        int fade;
    } cases[] = {
        {L"file='a.png' fade='100", 255},      // no closing quote
        {L"file='a.png' fade=100", 255},       // no opening quote
        {L"file='a.png' fade '100'", 255},     // no "="
        {L"file='a.png'fade='100'", 255},      // no blank after the pair
        {L"file='a.png',fade='100'", 255},     // another character after the pair
        {L"file='a.png' fade=''", 255},        // an empty value
        {L"file='a.png' fade", 255},           // a keyword at the end
        {L"file='a.png' ", 255},               // a blank at the end
        {L"file='a.png' speed='1' fade='100'", 100},  // an unknown keyword
        {L" file = 'a.png'  \tfade=\n'100'", 100},    // blanks around "=" and between pairs
    };
    for (const auto& c : cases) {
        const auto image = ExactCopy(c.image);
        EXPECT_EQ(Blends(CUIRect(0, 0, 20, 20), image.get()), Lines{Blend(0, 0, 20, 20, 0, 0, 20, 20, c.fade)})
            << Narrow(c.image);
    }
    // Lists shorter than their keyword needs are read up to the value's end and no further.
    for (const wchar_t* shortList : {L"file='a.png' size='16'", L"file='a.png' corner='4,4'", L"file='a.png' dest='10,'",
                                     L"file='a.png' padding='1' size='8,8'"}) {
        const auto image = ExactCopy(shortList);
        headless::ClearJournal();
        EXPECT_TRUE(m_render->DrawImageString(CUIRect(0, 0, 20, 20), CUIRect(0, 0, 20, 20), image.get(), nullptr));
    }
}

TEST_F(RenderTest, AMissingImageDrawsNothingAndFails)
{
    const CUIRect item(0, 0, 100, 50);
    headless::ClearJournal();
    EXPECT_FALSE(m_render->DrawImageString(item, item, L"file='missing.png'", nullptr));
    EXPECT_FALSE(m_render->DrawImageString(item, item, nullptr, nullptr));
    EXPECT_TRUE(headless::JournalOf("Render.AlphaBlend(").empty());
    EXPECT_EQ(m_window->GetPaintManager()->GetImage(L"missing.png", false), nullptr);
}

TEST_F(RenderTest, DrawImageCompletesAndCutsTheSourceAndSkipsWhatIsNotPainted)
{
    const CUIRect item(0, 0, 100, 50);
    CUIRect whole;
    EXPECT_TRUE(m_render->DrawImage(L"a.png", item, item, item, whole, CUIRect(), 255, 0, 0, 0));
    EXPECT_EQ(Text(whole), "0,0,20,20");
    CUIRect wide(5, 0, 50, 40);
    EXPECT_TRUE(m_render->DrawImage(L"a.png", item, item, item, wide, CUIRect(), 255, 0, 0, 0));
    EXPECT_EQ(Text(wide), "5,0,20,20");
    EXPECT_EQ(headless::JournalOf("Render.AlphaBlend("),
              (Lines{Blend(0, 0, 100, 50, 0, 0, 20, 20), Blend(0, 0, 100, 50, 5, 0, 15, 20)}));

    headless::ClearJournal();
    CUIRect source;
    EXPECT_TRUE(m_render->DrawImage(L"a.png", item, item, CUIRect(100, 0, 120, 20), source, CUIRect(), 255, 0, 0, 0));
    EXPECT_TRUE(m_render->DrawImage(L"a.png", item, CUIRect(50, 0, 100, 50), CUIRect(0, 0, 50, 50), source, CUIRect(),
                                    255, 0, 0, 0));
    EXPECT_TRUE(headless::JournalOf("Render.AlphaBlend(").empty());
}

TEST_F(RenderTest, TextTurnsBackslashNIntoALineBreak)
{
    const CUIRect rc(0, 0, 100, 20);
    m_render->DrawText(rc, L"a\\nb\\\\n", 0x25, L"", 0xff000000, true, nullptr);
    m_render->DrawText(0, 0, 100, 20, L"x\\ny", 0, L"", 0xff000000, false, nullptr);
    m_render->DrawTextFromFonts(rc, L"a\\nb", 0, L"", 0xff000000, false, nullptr);
    EXPECT_EQ(headless::JournalOf("Render.DrawText"), (Lines{
                                                          "Render.DrawText(0,0,100,20,a\nb\\\n,37,ff000000,1)",
                                                          "Render.DrawText(0,0,100,20,x\ny,0,ff000000,0)",
                                                          "Render.DrawTextFromFonts(0,0,100,20,a\nb,0,1,ff000000,0)",
                                                      }));
}

// The measured height of one line tells which font drew it: a line is size + size / 4 high.
int LineHeightOf(CUIRender& render, const wchar_t* font)
{
    CUIRect out;
    render.DrawText(CUIRect(0, 0, 500, 500), L"Ag", kCalcRect | kSingleLine, font, 0xff000000, false, &out);
    return static_cast<int>(out.bottom - out.top);
}

TEST_F(RenderTest, FontsAreFoundInTheWindowThenItsStylesThenTheProcessElseTheDefault)
{
    GlobalManager::Startup();
    ASSERT_TRUE(GlobalManager::AddFont(L"global", L"DejaVu Sans", 0, 12, 0, 0, 0));
    ASSERT_TRUE(GlobalManager::AddFont(L"shared", L"DejaVu Sans", 0, 24, 0, 0, 0));
    StyleManager styles;
    ASSERT_TRUE(styles.AddFont(L"styled", L"DejaVu Sans", 0, 16, 0, 0, 0));
    m_window->SetStyleCustom(&styles);
    ASSERT_TRUE(m_window->GetPaintManager()->AddFont(L"own", L"DejaVu Sans", 0, 20, 0, 0, 0));
    ASSERT_TRUE(m_window->GetPaintManager()->AddFont(L"shared", L"DejaVu Sans", 0, 28, 0, 0, 0));

    EXPECT_EQ(LineHeightOf(*m_render, L"own"), 25);
    EXPECT_EQ(LineHeightOf(*m_render, L"styled"), 20);
    EXPECT_EQ(LineHeightOf(*m_render, L"global"), 15);
    EXPECT_EQ(LineHeightOf(*m_render, L"shared"), 35);
    EXPECT_EQ(LineHeightOf(*m_render, L"unknown"), 10);
    EXPECT_NE(m_window->GetPaintManager()->GetFont(L"__default__"), nullptr);
}

TEST_F(RenderTest, FontGroupsPassEveryMemberElseTheDefaultFont)
{
    ASSERT_TRUE(m_window->GetPaintManager()->AddFonts(L"pair", L"DejaVu Sans,DejaVu Serif", 0, 20, 0, 0,
                                                      0));
    const CUIRect rc(0, 0, 500, 500);
    CUIRect grouped, fallback;
    m_render->DrawTextFromFonts(rc, L"Ag", kCalcRect, L"pair", 0xff000000, false, &grouped);
    m_render->DrawTextFromFonts(rc, L"Ag", kCalcRect, L"nogroup", 0xff000000, false, &fallback);
    EXPECT_EQ(headless::JournalOf("Render.DrawTextFromFonts("),
              (Lines{"Render.DrawTextFromFonts(0,0,500,500,Ag,4096,2,ff000000,0)",
                     "Render.DrawTextFromFonts(0,0,500,500,Ag,4096,1,ff000000,0)"}));
    EXPECT_EQ(grouped.bottom, 25);
    EXPECT_EQ(fallback.bottom, 10);
}

// The messages of the warnings and criticals that glib is asked to write, pango's among them.
std::vector<std::string>& GlibWarnings()
{
    static std::vector<std::string> warnings;
    return warnings;
}

GLogWriterOutput CollectWarning(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer)
{
    if (!(level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL)))
        return G_LOG_WRITER_HANDLED;
    for (gsize i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].key, "MESSAGE") == 0)
            GlibWarnings().push_back(static_cast<const char*>(fields[i].value));
    }
    return G_LOG_WRITER_HANDLED;
}

TEST_F(RenderTest, CodePointsThatUtf8CannotHoldReachPangoAsTheReplacementCharacter)
{
    g_log_set_writer_func(CollectWarning, nullptr, nullptr);
    const CUIRect rc(0, 0, 500, 500);
    const auto measure = [&](const wchar_t* text) {
        CUIRect out;
        m_render->DrawText(rc, text, kCalcRect | kSingleLine, L"", 0xff000000, false, &out);
        m_render->DrawText(rc, text, kSingleLine, L"", 0xff000000, false, nullptr);
        return Text(out);
    };
    const std::string replaced = measure(L"x\uFFFDy");
    EXPECT_EQ(measure(L"x\xD800y"), replaced) << "a lone high surrogate";
    EXPECT_EQ(measure(L"x\xDFFFy"), replaced) << "a lone low surrogate";
    EXPECT_EQ(measure(L"x\x110000y"), replaced) << "a value above U+10FFFF";
    EXPECT_EQ(GlibWarnings(), Lines{});

    const Lines journal = headless::JournalOf("Render.DrawText(");
    ASSERT_EQ(journal.size(), 8u);
    EXPECT_EQ(journal[2], "Render.DrawText(0,0,500,500,x\\u{d800}y,4224,ff000000,0)");
    EXPECT_EQ(journal[7], "Render.DrawText(0,0,500,500,x\\u{110000}y,128,ff000000,0)");
    for (const std::string& line : journal)
        EXPECT_TRUE(g_utf8_validate(line.data(), static_cast<gssize>(line.size()), nullptr)) << line;
}

TEST_F(RenderTest, ColoursAndImagesReachTheWindowsPixelsWithinTheClip)
{
    m_render->GenerateClip(CUIRect(0, 0, 100, 50));
    m_render->GenerateClip(CUIRect(10, 10, 200, 100));
    m_render->DrawColor(CUIRect(0, 0, 200, 100), 0xff00ff00);
    m_render->ClearClip();
    EXPECT_EQ(Pixel(50, 30), 0xff00ff00u);
    EXPECT_EQ(Pixel(5, 5), 0u);
    EXPECT_EQ(Pixel(150, 30), 0u);
    m_render->DrawColor(CUIRect(0, 0, 20, 20), 0xff0000ffu);
    EXPECT_EQ(Pixel(5, 5), 0xff0000ffu);
    m_render->ClearClip();
    m_render->DrawColor(CUIRect(150, 60, 160, 70), 0xffffffffu);
    EXPECT_EQ(Pixel(155, 65), 0xffffffffu);

    // The red image at half opacity, nine-grid pieces joined without seams.
    EXPECT_TRUE(m_render->DrawImageString(CUIRect(100, 0, 200, 50), CUIRect(0, 0, 200, 100),
                                          L"file='a.png' corner='4,4,4,4' fade='128'", nullptr));
    for (const auto& at : {std::pair<int, int>{101, 1}, {150, 2}, {150, 25}, {198, 48}})
        EXPECT_EQ(Pixel(at.first, at.second), 0x80800000u) << at.first << "," << at.second;
}

TEST_F(RenderTest, ExtremeNumbersFromImageStringsAndRectanglesAreDrawnWithoutOverflow)
{
    const CUIRect item(0, 0, 100, 50);
    for (const wchar_t* image : {L"file='a.png' source='2147483647,0,20,20' corner='2147483647,0,0,0'",
                                 L"file='a.png' source='-2147483648,-2147483648,20,20' corner='0,0,2147483647,0'",
                                 L"file='a.png' corner='-2147483648,0,-2147483648,0'"})
        EXPECT_TRUE(m_render->DrawImageString(item, item, image, nullptr)) << Narrow(image);
    m_render->DrawText(CUIRect(0, 0, 2000000000, 20), L"wide", 0, L"", 0xff000000, false, nullptr);
    m_render->DrawText(CUIRect(-2000000000, 0, 100, 20), L"wide", 0x4, L"", 0xff000000, false, nullptr);
    ASSERT_TRUE(m_window->GetPaintManager()->AddFont(L"huge", L"", 0, 2147483647, 0, 0, 0));
    EXPECT_GT(m_window->GetPaintManager()->GetFontHeight(L"huge"), 0);
    CUIRect measured;
    m_render->DrawText(item, L"huge", kCalcRect, L"huge", 0xff000000, false, &measured);
    m_render->DrawText(item, L"huge", 0, L"huge", 0xff000000, false, nullptr);
}

TEST_F(RenderTest, MeasuredTextCoversWhatIsDrawn)
{
    ASSERT_TRUE(m_window->GetPaintManager()->AddFont(L"body", L"", 0, 16, 0, 0, 0));
    CUIRect measured;
    m_render->DrawText(CUIRect(0, 0, 9999, 9999), L"Measure me", kCalcRect | kSingleLine, L"body", 0xff000000,
                       false, &measured);
    EXPECT_EQ(measured.bottom, 20);
    EXPECT_GT(measured.right, 60);

    m_render->DrawText(CUIRect(0, 0, 200, 100), L"Measure me", kSingleLine, L"body", 0xff000000, false, nullptr);
    int inkRight = -1, inkBottom = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (Pixel(x, y) != 0) {
                inkRight = std::max(inkRight, x + 1);
                inkBottom = std::max(inkBottom, y + 1);
            }
    EXPECT_LE(inkRight, measured.right + 1);
    EXPECT_GE(inkRight, measured.right - 3);
    EXPECT_LE(inkBottom, measured.bottom);
    EXPECT_GT(inkBottom, measured.bottom / 2);
}

TEST_F(RenderTest, PixelWorkCanBeSwitchedOffWhileJournalAndMeasuringStay)
{
    headless::EnableRendering(false);
    m_render->DrawColor(CUIRect(0, 0, 10, 10), 0xffff0000);
    CUIRect measured;
    m_render->DrawText(CUIRect(0, 0, 500, 500), L"Ag", kCalcRect, L"", 0xff000000, false, &measured);
    EXPECT_EQ(headless::JournalOf("Render.DrawColor("), Lines{"Render.DrawColor(0,0,10,10,ffff0000)"});
    EXPECT_EQ(Pixel(5, 5), 0u);
    EXPECT_EQ(measured.bottom, 10);
    headless::EnableRendering(true);
    m_render->DrawColor(CUIRect(0, 0, 10, 10), 0xffff0000);
    EXPECT_EQ(Pixel(5, 5), 0xffff0000u);
}

TEST_F(RenderTest, WritePngSavesTheWindowsPixels)
{
    m_render->DrawColor(CUIRect(0, 0, 200, 100), 0xff336699);
    const std::string path = testing::TempDir() + "render_window.png";
    ASSERT_TRUE(headless::WritePng(m_window.get(), path));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    unsigned char signature[8] = {};
    EXPECT_EQ(std::fread(signature, 1, sizeof signature, file), sizeof signature);
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(std::memcmp(signature, "\x89PNG\r\n\x1a\n", 8), 0);

    CWindowBase* uncreated = CUIPlatfrom::GetPlatformWindow();
    EXPECT_FALSE(headless::WritePng(uncreated, path));
    CUIPlatfrom::ReleaseWindow(uncreated);
}

}  // namespace
