// The resource pass of markup: "Window" attributes, fonts, classes, default lists and
// text colours, style files, and "global.xml" at start-up.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

class MarkupWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L"window.xml"; }
};

bool Contains(const Lines& lines, const std::string& text)
{
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

class MarkupResourcesTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        std::string pattern = (fs::temp_directory_path() / "vonk-markup-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        CResourceMgr::SetResourePath(CUIString(dir.wstring().c_str()));
        window = std::make_unique<MarkupWindow>();
        headless::ClearJournal();
    }

    void TearDown() override
    {
        window.reset();
        fs::remove_all(dir);
    }

    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir / name) << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" << text;
    }

    // Builds a "Window" file for the test window; answers the log written meanwhile.
    Lines BuildWindow(const std::string& markup)
    {
        Write("window.xml", markup);
        vonktest::LogCapture log;
        CDialogBuilder builder(window.get());
        EXPECT_EQ(builder.Create(L"window.xml", window.get(), nullptr), nullptr);
        return log.Messages();
    }

    fs::path dir;
    std::unique_ptr<MarkupWindow> window;
};

TEST_F(MarkupResourcesTest, SizeResizesTheWindowAndInitSizeOnlyStoresIt)
{
    const struct {
        const char* attributes;
        long storedWidth, storedHeight;
        Lines resized;
    } cases[] = {
        {"size=\"640,480\"", 640, 480, {"Window.ReSize(640,480)"}},
        {"initsize=\"640,480\"", 640, 480, {}},
        {"size=\"800x600\" initsize=\"300, 200\"", 300, 200, {"Window.ReSize(800,600)"}},
        {"initsize=\"300,200\" size=\"800,,600\"", 800, 0, {"Window.ReSize(800,0)"}},
        {"size=\"800\"", 0, 0, {}},  // nothing after the width: refused
        {"size=\"\"", 0, 0, {}},
    };
    for (const auto& one : cases) {
        window = std::make_unique<MarkupWindow>();
        headless::ClearJournal();
        BuildWindow(std::string("<Window ") + one.attributes + "/>");
        CUISize stored;
        window->GetInitSize(stored);
        EXPECT_EQ(stored.cx, one.storedWidth) << one.attributes;
        EXPECT_EQ(stored.cy, one.storedHeight) << one.attributes;
        EXPECT_EQ(headless::JournalOf("Window.ReSize"), one.resized) << one.attributes;
    }
}

TEST_F(MarkupResourcesTest, CaptionAndSizingLimitsReachTheWindow)
{
    BuildWindow("<Window caption=\"0,0,-1,30\" sizebox=\"4,4,4,4\" mininfo=\"300,200\" maxinfo=\"800,600\" "
                "selectedcolor=\"#FF00FF00\" bktrans=\"true\" showdirty=\"x\" alpha=\"y\"/>");
    const CUIRect caption = window->GetCaptionRect();
    EXPECT_EQ(caption.right, -1);
    EXPECT_EQ(caption.bottom, 30);
    window->ReSize(CUISize(100, 1000));
    EXPECT_EQ(headless::JournalOf("Window.ReSize"), (Lines{"Window.ReSize(300,600)"}));

    // An edge too large for any number reads as the largest one, scaled or not.
    BuildWindow("<Window caption=\"99999999999999999999,0,-1,48\"/>");
    window->OnScaleChange(1.5, 1.5);
    EXPECT_EQ(window->GetCaptionRect().left, INT64_MAX);
}

TEST_F(MarkupResourcesTest, InvalidWindowValuesAreReportedAndSkipped)
{
    const Lines log = BuildWindow("<Window caption=\"1,2\" mininfo=\"x\" linkfontcolor=\"00FF00\" size=\"9\" "
                                  "maxinfo=\"500,400\"/>");
    for (const char* value : {"caption=\"1,2\"", "mininfo=\"x\"", "linkfontcolor=\"00FF00\"", "size=\"9\""})
        EXPECT_TRUE(Contains(log, std::string("invalid window attribute ") + value + " ")) << value;
    EXPECT_TRUE(window->GetCaptionRect().IsNull());
    window->ReSize(CUISize(900, 900));  // what followed the faults still took effect
    EXPECT_EQ(headless::JournalOf("Window.ReSize"), (Lines{"Window.ReSize(500,400)"}));
}

TEST_F(MarkupResourcesTest, FontsGoToTheWindowOrTheProcessWithTheirDefaults)
{
    GlobalManager::Startup();
    Write("global.xml", "<Global><Font name=\"title\" facename=\"Serif\" size=\"14\" bold=\"true\"/>"
                        "<Font facename=\"Nameless\"/><Fonts name=\"mixed\" facename=\"A,B\" italic=\"true\"/></Global>");
    GlobalManager::ClearResource();
    headless::ClearJournal();
    GlobalManager::Startup();
    EXPECT_NE(GlobalManager::GetFont(L"title"), nullptr);
    EXPECT_EQ(GlobalManager::GetFonts(L"mixed").size(), 2u);
    EXPECT_EQ(headless::JournalOf("Font.Create"),
              (Lines{"Font.Create(Serif,14,1,0,0)", "Font.Create(A,B,12,0,0,1)", "Font.Create(A,B,12,0,0,1)"}));

    headless::ClearJournal();
    window->OnScaleChange(1.5, 2.0);
    BuildWindow("<Window><Font name=\"body\" facename=\"Sans\" size=\"14\" default=\"true\" underline=\"TRUE\"/>"
                "<Font facename=\"Mono\" size=\"x\"/></Window>");
    CResourceMgr* resources = window->GetPaintManager();
    EXPECT_EQ(resources->GetDefault(), resources->GetFont(L"body"));
    EXPECT_NE(resources->GetFont(L""), nullptr);  // a window keeps a nameless font
    EXPECT_EQ(headless::JournalOf("Font.Create"), (Lines{"Font.Create(Sans,21,0,0,0)", "Font.Create(Mono,0,0,0,0)"}));
}

TEST_F(MarkupResourcesTest, StyleElementsComposeAttributeLists)
{
    BuildWindow("<Window>"
                "<Style name=\"pairs\" width=\"10\" height=\"20\"/>"
                "<Style name=\"raw\" value=\"text=&quot;a&quot;\"/>"
                "<Style name=\"mixed\" value=\"text=&quot;a&quot;\" _value=\"v\" width=\"1\" _value=\"w\"/>"
                "<Style name=\"empty\"/>"
                "<Style width=\"5\"/>"
                "</Window>");
    CResourceMgr* resources = window->GetPaintManager();
    EXPECT_EQ(resources->GetClassAttributes(L"pairs"), L"width=\"10\" height=\"20\" ");
    EXPECT_EQ(resources->GetClassAttributes(L"raw"), L"text=\"a\"");
    EXPECT_EQ(resources->GetClassAttributes(L"mixed"), L"text=\"a\" value=\"v\" width=\"1\" value=\"w\" ");
    EXPECT_EQ(resources->GetClassAttributes(L"empty"), L"");
    EXPECT_EQ(resources->GetClassAttributes(L""), L"");
}

TEST_F(MarkupResourcesTest, EachRootRecordsOnlyTheElementsThatBelongToIt)
{
    GlobalManager::Startup();
    const Lines log = BuildWindow("<Window>"
                                  "<Default name=\"Control\" value=\"width=&quot;1&quot; \"/>"
                                  "<Default name=\"Control\" value=\"width=&quot;2&quot; \"/>"
                                  "<Default name=\"Control\" name=\"Text\" value=\"a\" value=\"b\"/>"
                                  "<TextColor name=\"ink\" value=\"#FF112233\"/>"
                                  "<Image name=\"skipped.png\"/>"
                                  "</Window>");
    EXPECT_STREQ(window->GetDefaultAttributeList(L"Control"), L"width=\"1\" ");
    EXPECT_STREQ(window->GetDefaultAttributeList(L"Text"), L"b");  // a repeated attribute: the later one
    EXPECT_TRUE(log.empty());

    Write("global.xml", "<Global><Default name=\"Control\" value=\"x\"/><Image name=\"a.png\"/>"
                        "<Style name=\"big\" width=\"99\"/><TextColor value=\"#1\"/></Global>");
    vonktest::LogCapture globalLog;
    CDialogBuilder().Create(L"global.xml", window.get(), nullptr);
    EXPECT_TRUE(Contains(globalLog.Messages(), "Image is not a resource of Global markup "));
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"big"), L"width=\"99\" ");
    EXPECT_EQ(window->GetDefaultAttributeList(L"Control"), std::wstring(L"width=\"1\" "));
}

TEST_F(MarkupResourcesTest, ParseStyleFillsAManagerOfTheApplications)
{
    Write("style.xml", "<Global><Font name=\"f\" facename=\"Sans\"/><Style name=\"c\" width=\"3\"/>"
                       "<TextColor name=\"ink\" value=\"#FF0000\"/>"
                       "<TextColor name=\"\" name=\"pen\" value=\"#1\" value=\"#00FF00\"/></Global>");
    Write("window_style.xml", "<Window><Font name=\"f\" facename=\"Sans\"/></Window>");
    const std::wstring styleFile = (dir / "style.xml").wstring();

    StyleManager* made = nullptr;
    EXPECT_TRUE(CDialogBuilder().ParseStyle(styleFile.c_str(), &made));
    ASSERT_NE(made, nullptr);
    std::unique_ptr<StyleManager> owned(made);
    EXPECT_NE(made->GetFont(L"f"), nullptr);
    EXPECT_EQ(made->GetClassAttributes(L"c"), L"width=\"3\" ");
    EXPECT_EQ(made->GetTextColor(L"ink"), 0xFF0000ul);
    EXPECT_EQ(made->GetTextColor(L"pen"), 0x00FF00ul);  // a repeated attribute: the later one

    StyleManager* none = nullptr;
    EXPECT_FALSE(CDialogBuilder().ParseStyle((dir / "window_style.xml").wstring().c_str(), &none));
    EXPECT_EQ(none, nullptr);
    EXPECT_TRUE(CDialogBuilder().ParseStyle((dir / "window_style.xml").wstring().c_str(), &made));
    EXPECT_FALSE(CDialogBuilder().ParseStyle(styleFile.c_str(), nullptr));
    EXPECT_FALSE(CDialogBuilder().ParseStyle(L"", &made));

    vonktest::LogCapture log;
    EXPECT_FALSE(CDialogBuilder().ParseStyle(L"missing.xml", &made));
    EXPECT_TRUE(Contains(log.Messages(), "] load xml file error  missing.xml "));
}

TEST_F(MarkupResourcesTest, StartupBuildsGlobalMarkupUntilItOnceGaveAControl)
{
    const struct {
        const char* trailing;
        bool rebuilt;
    } cases[] = {{"", true}, {"<Control/>", false}};
    for (const auto& one : cases) {
        GlobalManager::ClearResource();
        Write("global.xml", std::string("<Global><Style name=\"first\" width=\"1\"/>") + one.trailing + "</Global>");
        GlobalManager::Startup();
        EXPECT_EQ(GlobalManager::GetClassAttributes(L"first"), L"width=\"1\" ");
        Write("global.xml", "<Global><Style name=\"second\" width=\"2\"/></Global>");
        GlobalManager::Startup();
        EXPECT_EQ(GlobalManager::GetClassAttributes(L"second").empty(), !one.rebuilt) << one.trailing;
    }
}

TEST_F(MarkupResourcesTest, InitResourceFillsTheProcessWideManagerOnceItGaveAControl)
{
    GlobalManager::Startup();
    const struct {
        const char* trailing;
        bool rebuilt;
    } cases[] = {{"", true}, {"<Control/>", false}};
    for (const auto& one : cases) {
        StyleManager manager;
        GlobalManager::ClearResource();
        Write("global.xml", std::string("<Global><Style name=\"first\" width=\"1\"/>") + one.trailing + "</Global>");
        manager.InitResource();
        EXPECT_EQ(GlobalManager::GetClassAttributes(L"first"), L"width=\"1\" ");
        EXPECT_EQ(manager.GetClassAttributes(L"first"), L"") << "the resources go to the process-wide manager";

        Write("global.xml", "<Global><Style name=\"second\" width=\"2\"/></Global>");
        manager.InitResource();
        EXPECT_EQ(GlobalManager::GetClassAttributes(L"second").empty(), !one.rebuilt) << one.trailing;
        manager.ClearResource();
        manager.InitResource();
        EXPECT_EQ(GlobalManager::GetClassAttributes(L"second"), L"width=\"2\" ") << "cleared, it builds again";
    }
}

}  // namespace
