// The resource directory with its string table, and one window's images, fonts,
// font groups and classes on the headless backend.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring ResourceDir(const std::string& sub = "") { return Wide(vonktest::DataDir() + "/resources/" + sub); }

// Only the named locale variables are set (this machine has C, C.UTF-8 and POSIX).
void UseLocale(std::initializer_list<std::pair<const char*, const char*>> variables)
{
    for (const char* name : {"LC_ALL", "LANG", "LANGUAGE", "LC_CTYPE", "LC_MESSAGES", "LC_TIME"})
        unsetenv(name);
    for (const auto& variable : variables)
        setenv(variable.first, variable.second, 1);
}

std::wstring Text(const wchar_t* name) { return CResourceMgr::GetText(name).GetData(); }

TEST(ResourcePathTest, EndsInASeparatorAndIgnoresAnEmptyPath)
{
    const struct {
        const wchar_t* given;
        const wchar_t* stored;
    } cases[] = {
        {L"/res", L"/res/"},
        {L"/res/", L"/res/"},
        {L"C:\\res\\", L"C:\\res\\"},
        {L"relative", L"relative/"},
    };
    for (const auto& c : cases) {
        CResourceMgr::SetResourePath(c.given);
        EXPECT_STREQ(CResourceMgr::GetResourePath().GetData(), c.stored);
        CResourceMgr::SetResourePath(L"");
        EXPECT_STREQ(CResourceMgr::GetResourePath().GetData(), c.stored) << "an empty path changes nothing";
    }
}

TEST(StringTableTest, TheLocalesFolderWinsOverValues)
{
    UseLocale({{"LC_ALL", "C.UTF-8"}});
    CResourceMgr::SetResourePath(ResourceDir().c_str());
    EXPECT_STREQ(setlocale(LC_ALL, nullptr), "C.UTF-8") << "the process takes the environment's locale";
    EXPECT_EQ(CResourceMgr::GetLanguageName(), "C");
    EXPECT_EQ(Text(L"greeting"), L"Hello from values-C");
    EXPECT_EQ(CResourceMgr::GetStringsPath(ResourceDir() + L"values"), ResourceDir() + L"values-C/strings.xml");
}

TEST(StringTableTest, ValuesServesWhenTheLocaleHasNoFolder)
{
    UseLocale({{"LC_ALL", "C"}});
    CResourceMgr::SetResourePath(ResourceDir("fallback").c_str());
    EXPECT_EQ(Text(L"greeting"), L"Hello from fallback");
    EXPECT_EQ(CResourceMgr::GetStringsPath(L"/nowhere/values"), L"/nowhere/values/strings.xml");
}

TEST(StringTableTest, MixedLocaleCategoriesStillNameTheLanguage)
{
    UseLocale({{"LANG", "C.UTF-8"}, {"LC_TIME", "C"}});
    EXPECT_EQ(CResourceMgr::GetLanguageName(), "C");
    CResourceMgr::SetResourePath(ResourceDir().c_str());
    EXPECT_EQ(Text(L"greeting"), L"Hello from values-C");
}

TEST(StringTableTest, ItemsFollowTheirDocumentOrder)
{
    UseLocale({{"LC_ALL", "C"}});
    CResourceMgr::SetResourePath(ResourceDir().c_str());
    EXPECT_EQ(Text(L"twice"), L"second");
    EXPECT_EQ(Text(L""), L"no name");
    EXPECT_EQ(Text(L"bare"), L"");
    EXPECT_EQ(Text(L"extra"), L"kept");
    EXPECT_EQ(Text(L"note"), L"") << "only Item elements are entries";
    EXPECT_EQ(Text(L"wide"), L"Gr\u00fc\u00dfe");
    EXPECT_EQ(Text(L"absent"), L"");
}

TEST(StringTableTest, AnUnreadableTableLeavesNoTextsAndLogs)
{
    UseLocale({{"LC_ALL", "C"}});
    // The second line says why: the parser's reason and place, or that there is no file.
    const struct {
        std::string sub;
        std::string why;
    } cases[] = {
        {"broken", "/values/strings.xml:4:1: Error parsing start element tag "},
        {"missing", "/values/strings.xml does not exist "},
    };
    for (const auto& [sub, why] : cases) {
        CResourceMgr::SetResourePath(ResourceDir().c_str());
        ASSERT_EQ(Text(L"greeting"), L"Hello from values-C");
        vonktest::LogCapture log;
        CResourceMgr::SetResourePath(ResourceDir(sub).c_str());
        EXPECT_STREQ(CResourceMgr::GetResourePath().GetData(), (ResourceDir(sub) + L"/").c_str());
        EXPECT_EQ(Text(L"greeting"), L"") << sub << ": the previous directory's table is gone";
        const Lines messages = log.Messages();
        ASSERT_EQ(messages.size(), 2u) << sub;
        const std::string path = vonktest::DataDir() + "/resources/" + sub + "/values/strings.xml";
        EXPECT_EQ(messages[0].substr(messages[0].find("] ") + 2), "load xml file error  " + path + " ");
        const std::string second = messages[1].substr(messages[1].find("] ") + 2);
        EXPECT_EQ(second.substr(second.size() - why.size()), why) << second;
    }
}

TEST(StringTableTest, ATableUnderAnotherRootIsEmpty)
{
    UseLocale({{"LC_ALL", "C"}});
    CResourceMgr::SetResourePath(ResourceDir().c_str());
    CResourceMgr::SetResourePath(ResourceDir("otherroot").c_str());
    EXPECT_EQ(Text(L"greeting"), L"");
}

TEST(StringTableTest, ADirectoryThatIsNoTextKeepsTheTable)
{
    UseLocale({{"LC_ALL", "C"}});
    CResourceMgr::SetResourePath(ResourceDir().c_str());
    UseLocale({{"LC_ALL", "C.UTF-8"}});
    const std::wstring bad = ResourceDir() + static_cast<wchar_t>(0xD800);
    EXPECT_EQ(CResourceMgr::GetStringsPath(bad + L"values"), L"");
    CResourceMgr::SetResourePath(bad.c_str());
    EXPECT_EQ(Text(L"greeting"), L"Hello from values-C");
    EXPECT_STREQ(setlocale(LC_ALL, nullptr), "C.UTF-8");
}

class ResourceMgrTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        CResourceMgr::SetResourePath(ResourceDir().c_str());
        headless::ClearJournal();
    }
    std::unique_ptr<CResourceMgr> resources = std::make_unique<CResourceMgr>();
};

TEST_F(ResourceMgrTest, ImagesLoadFromTheResourceDirectoryOnce)
{
    ASSERT_TRUE(resources->AddImage(L"images/red-3x2.png"));
    EXPECT_EQ(headless::JournalOf("Image.Load"),
              (Lines{"Image.Load(" + vonktest::DataDir() + "/resources/images/red-3x2.png)"}));
    CUIImage* image = resources->GetImage(L"images/red-3x2.png", false);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 3);
    EXPECT_EQ(image->GetHeight(), 2);

    EXPECT_FALSE(resources->AddImage(L"images/red-3x2.png")) << "the name is taken";
    EXPECT_EQ(resources->GetImage(L"images/red-3x2.png", true), image);
    EXPECT_EQ(headless::Outstanding("Image"), 1u);
}

TEST_F(ResourceMgrTest, AnImageThatCannotLoadIsNeverStored)
{
    EXPECT_FALSE(resources->AddImage(L"images/absent.png"));
    EXPECT_EQ(resources->GetImage(L"images/absent.png", true), nullptr);
    EXPECT_EQ(headless::JournalOf("Image.Load").size(), 2u) << "every load asks the backend again";
    EXPECT_EQ(headless::Outstanding("Image"), 0u);

    headless::ClearJournal();
    EXPECT_EQ(resources->GetImage(L"images/red-3x2.png", false), nullptr);
    EXPECT_TRUE(headless::Journal().empty());
}

// What is there but is no file would hang or fail the backend: it is refused unopened, like
// a missing file, logged once, and tried again at the next load.
TEST_F(ResourceMgrTest, AFifoAFolderOrADeviceIsRefusedWithoutBeingOpened)
{
    std::string dir = testing::TempDir() + "images-XXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    dir += "/";
    ASSERT_EQ(mkfifo((dir + "fifo.png").c_str(), 0600), 0);
    ASSERT_EQ(mkdir((dir + "folder.png").c_str(), 0700), 0);
    ASSERT_EQ(symlink("/dev/null", (dir + "device.png").c_str()), 0);
    CResourceMgr::SetResourePath(Wide(dir).c_str());

    vonktest::LogCapture log;
    for (int paint = 0; paint < 2; ++paint) {
        for (const wchar_t* name : {L"fifo.png", L"folder.png", L"device.png"})
            EXPECT_EQ(resources->GetImage(name, true), nullptr);
    }
    EXPECT_TRUE(headless::JournalOf("Image.Load").empty());
    EXPECT_EQ(headless::Outstanding("Image"), 0u);
    Lines refusals;
    for (const std::string& message : log.Messages()) {
        if (message.find("load image file error") != std::string::npos)
            refusals.push_back(message.substr(message.find("error  ")));
    }
    EXPECT_EQ(refusals, (Lines{"error  " + dir + "fifo.png ", "error  " + dir + "folder.png ",
                               "error  " + dir + "device.png "}));

    // The image that appears later loads at the next attempt.
    ASSERT_EQ(unlink((dir + "fifo.png").c_str()), 0);
    std::filesystem::copy_file(vonktest::DataDir() + "/resources/images/red-3x2.png", dir + "fifo.png");
    CUIImage* image = resources->GetImage(L"fifo.png", true);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 3);
}

TEST_F(ResourceMgrTest, RemovingImagesReturnsThemToTheBackend)
{
    resources->AddImage(L"images/red-3x2.png");
    EXPECT_FALSE(resources->RemoveImage(L"images/other.png"));
    EXPECT_TRUE(resources->RemoveImage(L"images/red-3x2.png"));
    EXPECT_EQ(resources->GetImage(L"images/red-3x2.png", false), nullptr);
    EXPECT_EQ(headless::Outstanding("Image"), 0u);

    resources->GetImage(L"images/red-3x2.png", true);
    resources->RemoveAllImage();
    EXPECT_EQ(resources->GetImage(L"images/red-3x2.png", false), nullptr);
    EXPECT_EQ(headless::Outstanding("Image"), 0u);
}

TEST_F(ResourceMgrTest, FontsAreScaledFromTheirUnscaledSize)
{
    ASSERT_TRUE(resources->AddFont(L"body", L"Sans", false, 12, false, false, false));
    resources->SetScale(1.5);
    EXPECT_EQ(resources->GetFontHeight(L"body"), 18 + 4);

    headless::ClearJournal();
    resources->SetScale(1.50005);
    EXPECT_TRUE(headless::Journal().empty()) << "a change below 0.0001 rebuilds nothing";
    EXPECT_DOUBLE_EQ(resources->GetScale(), 1.5);

    resources->SetScale(2.0);
    EXPECT_EQ(headless::Journal(), (Lines{"Font.Destroy()", "Font.Create(Sans,24,0,0,0)"}));

    // A font added while the scale is 2 has the same base: it does not compound.
    resources->AddFont(L"late", L"Sans", false, 12, false, false, false);
    EXPECT_EQ(resources->GetFont(L"late")->GetOrgSize(), 12);
    resources->SetScale(1.5);
    EXPECT_EQ(resources->GetFontHeight(L"late"), 18 + 4);
    EXPECT_EQ(resources->GetFontHeight(L"body"), 18 + 4);
}

TEST_F(ResourceMgrTest, TheDefaultFontIsMadeOnDemandAndScaled)
{
    CUIFont* font = resources->GetDefault();
    EXPECT_EQ(resources->GetFont(L"__default__"), font);
    EXPECT_EQ(headless::JournalOf("Font.Create"), (Lines{"Font.Create(,8,0,0,0)"}));
    EXPECT_EQ(resources->GetDefaultFontHeight(), 10);
    EXPECT_EQ(resources->GetFontHeight(L""), 10);

    resources->SetScale(1.5);
    EXPECT_EQ(resources->GetDefaultFontHeight(), 15);

    resources->Clear();
    headless::ClearJournal();
    resources->GetDefault();
    EXPECT_EQ(headless::JournalOf("Font.Create"), (Lines{"Font.Create(,12,0,0,0)"}))
        << "made again after Clear, at the current scale";
}

TEST_F(ResourceMgrTest, AFontNamedDefaultBecomesTheDefaultFont)
{
    resources->AddFont(L"__default__", L"Sans", false, 14, false, false, false);
    CUIFont* named = resources->GetFont(L"__default__");
    EXPECT_EQ(resources->GetDefault(), named);
    EXPECT_EQ(headless::JournalOf("Font.Create").size(), 1u);
    resources.reset();
    EXPECT_EQ(headless::Outstanding("Font"), 0u);
}

TEST_F(ResourceMgrTest, ScaledSizesStayWithinRange)
{
    resources->SetScale(2.0);
    resources->AddFont(L"huge", L"Sans", false, 2147483647, false, false, false);
    resources->AddFont(L"low", L"Sans", false, -2147483647, false, false, false);
    EXPECT_EQ(headless::JournalOf("Font.Create"),
              (Lines{"Font.Create(Sans,2147483647,0,0,0)", "Font.Create(Sans,-2147483648,0,0,0)"}));
}

TEST_F(ResourceMgrTest, FontGroupsFollowTheFaceTableAndTheScale)
{
    resources->SetConfigFontFaceNameMap({{L"A", L"X"}, {L"B", L"old"}});
    resources->SetConfigFontFaceNameMap({{L"B", L"Y"}});
    resources->SetScale(1.5);
    ASSERT_TRUE(resources->AddFonts(L"group", L"A,B,C", false, 10, true, false, false));
    EXPECT_EQ(headless::JournalOf("Font.Create"),
              (Lines{"Font.Create(X,15,1,0,0)", "Font.Create(Y,15,1,0,0)", "Font.Create(A,B,C,15,1,0,0)"}));
    EXPECT_EQ(resources->GetFonts(L"group").size(), 3u);
    EXPECT_TRUE(resources->AddFonts(L"group", L"D", false, 10, false, false, false));
    EXPECT_FALSE(resources->AddFonts(L"empty", L"", false, 10, false, false, false));

    headless::ClearJournal();
    resources->SetScale(2.0);
    EXPECT_EQ(headless::JournalOf("Font.Create").size(), 3u);

    resources->Clear();
    EXPECT_EQ(resources->GetFonts(L"group").size(), 3u) << "Clear keeps the groups";
    EXPECT_EQ(headless::Outstanding("Font"), 3u);
}

TEST_F(ResourceMgrTest, AddFontRefusesATakenNameAndGetFontReturnsIt)
{
    resources->AddConfigFontFaceName(L"UI", L"DejaVu Sans");
    ASSERT_TRUE(resources->AddFont(L"", L"UI", true, 12, false, false, false)) << "the empty name is allowed";
    CUIFont* font = resources->GetFont(L"");
    EXPECT_EQ(resources->GetDefault(), font);
    EXPECT_FALSE(resources->AddFont(L"", L"Serif", false, 20, false, false, false));
    EXPECT_EQ(resources->GetFont(L"", L"Serif", false, 20, false, false, false), font);

    // GetFont makes a missing font with the face as given.
    CUIFont* made = resources->GetFont(L"made", L"UI", false, 9, false, true, false);
    EXPECT_EQ(resources->GetFont(L"made"), made);
    EXPECT_EQ(headless::JournalOf("Font.Create"),
              (Lines{"Font.Create(DejaVu Sans,12,0,0,0)", "Font.Create(UI,9,0,1,0)"}));
}

TEST_F(ResourceMgrTest, SetDefaultAndReleaseAllFont)
{
    resources->AddFont(L"body", L"Sans", false, 14, false, false, false);
    EXPECT_FALSE(resources->SetDefault(L"absent"));
    ASSERT_TRUE(resources->SetDefault(L"body"));
    EXPECT_EQ(resources->GetDefault(), resources->GetFont(L"body"));

    resources->ReleaseAllFont();
    EXPECT_EQ(resources->GetFont(L"body"), nullptr);
    EXPECT_EQ(headless::Outstanding("Font"), 0u);
    EXPECT_EQ(resources->GetDefaultFontHeight(), 10) << "a new default font";
}

TEST_F(ResourceMgrTest, FontHeightLooksOutwardsToTheProcessWideFonts)
{
    GlobalManager::Startup();
    GlobalManager::AddFont(L"shared", L"Sans", false, 16, false, false, false);
    resources->AddFont(L"own", L"Sans", false, 8, false, false, false);
    EXPECT_EQ(resources->GetFontHeight(L"shared"), 20);
    EXPECT_EQ(resources->GetFontHeight(L"own"), 10);
    EXPECT_EQ(resources->GetFontHeight(L"nowhere"), 12);
}

TEST_F(ResourceMgrTest, ClearForgetsClassesImagesAndFontsOnly)
{
    resources->AddClass(L"big", L"width=\"100\" ");
    resources->AddClass(L"big", L"width=\"200\" ");
    EXPECT_EQ(resources->GetClassAttributes(L"big"), L"width=\"200\" ");
    resources->AddImage(L"images/red-3x2.png");
    resources->AddFont(L"body", L"UI", false, 10, false, false, false);
    resources->AddConfigFontFaceName(L"UI", L"Mapped");
    resources->SetScale(2.0);

    resources->Clear();
    resources->ResetDPIAssets();
    EXPECT_EQ(resources->GetClassAttributes(L"big"), L"");
    EXPECT_EQ(resources->GetImage(L"images/red-3x2.png", false), nullptr);
    EXPECT_EQ(resources->GetFont(L"body"), nullptr);
    EXPECT_EQ(headless::Outstanding("Image"), 0u);
    EXPECT_EQ(headless::Outstanding("Font"), 0u);

    headless::ClearJournal();
    resources->AddFont(L"body", L"UI", false, 10, false, false, false);
    EXPECT_EQ(headless::JournalOf("Font.Create"), (Lines{"Font.Create(Mapped,20,0,0,0)"}))
        << "the face table and the scale stay";
}

TEST_F(ResourceMgrTest, DeletingTheManagerReturnsEverythingItHolds)
{
    resources->AddImage(L"images/red-3x2.png");
    resources->AddFont(L"body", L"Sans", false, 10, false, false, false);
    resources->AddFonts(L"group", L"A,B", false, 10, false, false, false);
    resources->GetDefault();
    resources.reset();
    EXPECT_EQ(headless::Outstanding("Image"), 0u);
    EXPECT_EQ(headless::Outstanding("Font"), 0u);
}

TEST_F(ResourceMgrTest, ResourcesWithoutBackendObjectsAreSafe)
{
    headless::SetFaults(headless::kNullFont | headless::kNullImage);
    EXPECT_FALSE(resources->AddImage(L"images/red-3x2.png"));
    ASSERT_TRUE(resources->AddFont(L"body", L"Sans", false, 10, false, false, false));
    ASSERT_TRUE(resources->AddFonts(L"group", L"A", false, 10, false, false, false));
    EXPECT_EQ(resources->GetFontHeight(L"body"), 0);
    resources->SetScale(3.0);
    resources->Clear();
    resources.reset();
    EXPECT_TRUE(headless::JournalOf("Font.").empty());
}

TEST(ResourceMgrDeathTest, EmptyClassNamesAndListsAreProgrammingErrors)
{
    CResourceMgr resources;
    EXPECT_DEATH(resources.AddClass(L"", L"width=\"1\" "),
                 "CResourceMgr::AddClass.*Assertion `!strClassName.empty\\(\\)' failed");
    EXPECT_DEATH(resources.AddClass(L"big", L""),
                 "CResourceMgr::AddClass.*Assertion `!strControlAttrList.empty\\(\\)' failed");
}

}  // namespace
