// Style managers: fonts, font groups, face names, classes and text colours, and the
// process-wide one behind GlobalManager.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

class StyleManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        headless::ClearJournal();
    }
    StyleManager manager;
};

TEST_F(StyleManagerTest, AddFontRefusesATakenNameAndKeepsTheFirstFont)
{
    ASSERT_TRUE(manager.AddFont(L"title", L"Sans", false, 12, true, false, false));
    CUIFont* first = manager.GetFont(L"title");
    ASSERT_NE(first, nullptr);

    EXPECT_FALSE(manager.AddFont(L"title", L"Serif", true, 20, false, false, false));
    EXPECT_EQ(manager.GetFont(L"title"), first);
    EXPECT_EQ(first->GetFontHeight(), 15);
    EXPECT_EQ(headless::JournalOf("Font.Create"), (Lines{"Font.Create(Sans,12,1,0,0)"}));
    EXPECT_EQ(manager.GetFont(L"other"), nullptr);
}

TEST_F(StyleManagerTest, FaceNameTableMapsTheFaceAtAddTime)
{
    manager.AddConfigFontFaceName(L"UI", L"Noto Sans");
    manager.AddConfigFontFaceName(L"UI", L"DejaVu Sans");
    manager.GetConfigFontFaceName()[L"Code"] = L"/fonts/mono.ttf";
    manager.AddFont(L"a", L"UI", false, 10, false, false, false);
    manager.AddFont(L"b", L"Code", false, 11, false, true, false);
    manager.AddFont(L"c", L"Plain", false, 12, false, false, true);

    EXPECT_EQ(headless::JournalOf("Font."), (Lines{"Font.Create(DejaVu Sans,10,0,0,0)",
                                                   "Font.CreateFromFile(/fonts/mono.ttf,11,0,1,0)",
                                                   "Font.Create(Plain,12,0,0,1)"}));
    EXPECT_EQ(manager.GetConfigFontFaceName().size(), 2u);
}

TEST_F(StyleManagerTest, AddFontsMakesOneFontPerFaceNamedAfterTheGroup)
{
    manager.AddConfigFontFaceName(L"A", L"X");
    ASSERT_TRUE(manager.AddFonts(L"mixed", L"A,B", false, 12, false, false, false));

    // A mapped piece uses its mapping; an unmapped one the whole list of faces.
    EXPECT_EQ(headless::JournalOf("Font."), (Lines{"Font.Create(X,12,0,0,0)", "Font.Create(A,B,12,0,0,0)"}));
    EXPECT_EQ(manager.GetFonts(L"mixed").size(), 2u);
    EXPECT_EQ(manager.GetFont(L"mixed"), nullptr) << "group fonts are not in the fonts table";

    headless::ClearJournal();
    EXPECT_TRUE(manager.AddFonts(L"mixed", L"C", false, 30, false, false, false));
    EXPECT_TRUE(headless::Journal().empty()) << "an existing group stays as it is";
    EXPECT_EQ(manager.GetFonts(L"mixed").size(), 2u);

    EXPECT_FALSE(manager.AddFonts(L"none", L"", false, 12, false, false, false));
    EXPECT_TRUE(manager.GetFonts(L"none").empty());
}

TEST_F(StyleManagerTest, ClassesAreReplacedByName)
{
    manager.AddClass(L"big", L"width=\"100\" ");
    manager.AddClass(L"big", L"width=\"200\" ");
    EXPECT_EQ(manager.GetClassAttributes(L"big"), L"width=\"200\" ");
    EXPECT_EQ(manager.GetClassAttributes(L"small"), L"");
}

TEST_F(StyleManagerTest, TextColourSkipsTheFirstCharacterAndReadsHex)
{
    const struct {
        const wchar_t* value;
        unsigned long colour;
    } cases[] = {
        {L"#FF0000", 0xFF0000},     // no alpha is added
        {L"#80FF0000", 0x80FF0000},
        {L"FF0000", 0xF0000},       // the first character goes whatever it is
        {L"#", 0},
        {L"#zz", 0},
        {L"", 0},                   // nothing to skip: 0
    };
    for (const auto& c : cases) {
        manager.AddTextColor(L"ink", L"#123456");
        manager.AddTextColor(L"ink", c.value);
        EXPECT_EQ(manager.GetTextColor(L"ink"), c.colour) << std::wstring(c.value).size();
    }
    EXPECT_EQ(manager.GetTextColor(L"unknown"), 0u);
}

TEST_F(StyleManagerTest, ClearResourceForgetsAllButTheFontGroups)
{
    manager.AddFont(L"title", L"Sans", false, 12, false, false, false);
    manager.AddFonts(L"group", L"A,B", false, 12, false, false, false);
    manager.AddClass(L"big", L"width=\"100\" ");
    manager.AddTextColor(L"ink", L"#ff");
    manager.AddConfigFontFaceName(L"A", L"X");
    headless::ClearJournal();

    manager.ClearResource();
    EXPECT_TRUE(headless::Journal().empty()) << "forgotten fonts are not destroyed";
    EXPECT_EQ(manager.GetFont(L"title"), nullptr);
    EXPECT_EQ(manager.GetFonts(L"group").size(), 2u);
    EXPECT_EQ(manager.GetClassAttributes(L"big"), L"");
    EXPECT_EQ(manager.GetTextColor(L"ink"), 0u);
    EXPECT_TRUE(manager.GetConfigFontFaceName().empty());
    EXPECT_TRUE(manager.AddFont(L"title", L"Serif", false, 14, false, false, false));
}

TEST(StyleManagerLifetimeTest, DestroyingAManagerReturnsEveryFontItMade)
{
    vonktest::StartHeadless();
    {
        StyleManager manager;
        manager.AddFont(L"title", L"Sans", false, 12, false, false, false);
        manager.AddFonts(L"group", L"A,B", false, 12, false, false, false);
        manager.ClearResource();
        manager.AddFont(L"title", L"Sans", false, 12, false, false, false);
        EXPECT_EQ(headless::Outstanding("Font"), 4u);
    }
    EXPECT_EQ(headless::Outstanding("Font"), 0u);
}

TEST(StyleManagerLifetimeTest, FontsWithoutBackendFontAreStoredAndDeletedSafely)
{
    vonktest::StartHeadless();
    headless::SetFaults(headless::kNullFont);
    StyleManager manager;
    ASSERT_TRUE(manager.AddFont(L"title", L"Sans", false, 12, false, false, false));
    ASSERT_TRUE(manager.AddFonts(L"group", L"A", false, 12, false, false, false));
    ASSERT_NE(manager.GetFont(L"title"), nullptr);
    EXPECT_EQ(manager.GetFont(L"title")->GetFontPlatform(), nullptr);
    EXPECT_EQ(manager.GetFont(L"title")->GetFontHeight(), 0);
}

TEST(StyleManagerDeathTest, EmptyNamesAreProgrammingErrors)
{
    StyleManager manager;
    EXPECT_DEATH(manager.AddFont(L"", L"Sans", false, 12, false, false, false),
                 "StyleManager::AddFont.*Assertion `0' failed");
    EXPECT_DEATH(manager.AddClass(L"", L"width=\"1\" "),
                 "StyleManager::AddClass.*Assertion `!strClassName.empty\\(\\)' failed");
    EXPECT_DEATH(manager.AddClass(L"big", L""),
                 "StyleManager::AddClass.*Assertion `!strControlAttrList.empty\\(\\)' failed");
}

TEST(GlobalManagerTest, ForwardersDoNothingBeforeStartup)
{
    vonktest::StartHeadless();
    EXPECT_FALSE(GlobalManager::AddFont(L"title", L"Sans", false, 12, false, false, false));
    EXPECT_FALSE(GlobalManager::AddFonts(L"group", L"A", false, 12, false, false, false));
    GlobalManager::AddClass(L"big", L"width=\"1\" ");
    GlobalManager::AddTextColor(L"ink", L"#ff");
    GlobalManager::ClearResource();
    EXPECT_EQ(GlobalManager::GetFont(L"title"), nullptr);
    EXPECT_TRUE(GlobalManager::GetFonts(L"group").empty());
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"big"), L"");
    EXPECT_EQ(headless::Outstanding("Font"), 0u);
}

TEST(GlobalManagerTest, StartupMakesOneProcessWideManager)
{
    vonktest::StartHeadless();
    GlobalManager::Startup();
    ASSERT_TRUE(GlobalManager::AddFont(L"title", L"Sans", false, 12, false, false, false));
    ASSERT_TRUE(GlobalManager::AddFonts(L"group", L"A,B", false, 12, false, false, false));
    GlobalManager::AddClass(L"big", L"width=\"1\" ");
    CUIFont* title = GlobalManager::GetFont(L"title");
    ASSERT_NE(title, nullptr);

    GlobalManager::Startup();
    EXPECT_EQ(GlobalManager::GetFont(L"title"), title) << "a second Startup keeps the manager";
    EXPECT_FALSE(GlobalManager::AddFont(L"title", L"Serif", false, 20, false, false, false));
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"big"), L"width=\"1\" ");
}

TEST(GlobalManagerTest, ClearResourceForgetsFontsButKeepsGroups)
{
    vonktest::StartHeadless();
    GlobalManager::Startup();
    GlobalManager::AddFont(L"title", L"Sans", false, 12, false, false, false);
    GlobalManager::AddFonts(L"group", L"A,B", false, 12, false, false, false);
    GlobalManager::AddClass(L"big", L"width=\"1\" ");

    GlobalManager::ClearResource();
    EXPECT_EQ(GlobalManager::GetFont(L"title"), nullptr);
    EXPECT_EQ(GlobalManager::GetFonts(L"group").size(), 2u);
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"big"), L"");

    GlobalManager::Startup();
    headless::ClearJournal();
    EXPECT_TRUE(GlobalManager::AddFonts(L"group", L"C", false, 12, false, false, false));
    EXPECT_TRUE(headless::Journal().empty()) << "the kept group is not made again";
    EXPECT_TRUE(GlobalManager::AddFont(L"title", L"Serif", false, 20, false, false, false));
}

}  // namespace
