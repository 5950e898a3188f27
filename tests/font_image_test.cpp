// Font and image proxies on the headless backend: creation, forwarding, and returning
// the backend objects.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring ImagePath(const char* name) { return Wide(vonktest::DataDir() + "/resources/images/" + name); }

TEST(FontTest, FaceNamesThatArePathsAreTakenAsFiles)
{
    const struct {
        std::wstring face;
        bool isPath;
    } cases[] = {
        {L"/usr/share/fonts/a.ttf", true},
        {L"/", true},
        {L"C:\\fonts\\a.ttf", true},
        {L"z:\\", true},
        {std::wstring(1, static_cast<wchar_t>(0x100 | L'/')) + L"x", true},  // low 8 bits are a slash
        {L"Sans", false},
        {L"fonts/a.ttf", false},
        {L"C:/fonts/a.ttf", false},
        {L"C:", false},
        {L"1:\\a", false},
        {L"\u00e9:\\a", false},  // only ASCII letters name a drive
        {L"/fonts/a\nb.ttf", false}, // "." matches no line break
        {L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isPathValid(c.face), c.isPath) << std::string(c.face.begin(), c.face.end());
}

TEST(FontTest, CreateChoosesFileOrFamilyAndPassesTheDescription)
{
    vonktest::StartHeadless();
    CUIFont family(L"title", L"Sans", 12, 1, 0, 2);
    CUIFont file(L"mono", L"/fonts/mono.ttf", 9, 0, 1, 0);
    CUIFont empty(L"none", L"", 10, 0, 0, 0);
    headless::ClearJournal();

    EXPECT_TRUE(family.Create());
    EXPECT_TRUE(file.Create());
    EXPECT_TRUE(empty.Create());
    EXPECT_EQ(headless::Journal(), (Lines{"Font.Create(Sans,12,1,0,1)", "Font.CreateFromFile(/fonts/mono.ttf,9,0,1,0)",
                                          "Font.Create(,10,0,0,0)"}));
    EXPECT_EQ(family.GetFontHeight(), 12 + 3);
}

TEST(FontTest, SetSizeKeepsTheBaseSizeAndTakesEffectAtTheNextCreate)
{
    vonktest::StartHeadless();
    CUIFont font(L"body", L"Serif", 12, 0, 0, 0);
    font.Create();
    font.SetSize(20);
    font.SetFaceName(L"Mono");
    font.SetBold(1);
    EXPECT_EQ(font.GetOrgSize(), 12);
    EXPECT_EQ(font.GetFontHeight(), 15) << "the backend font is unchanged until it is created again";

    headless::ClearJournal();
    font.Destroy();
    font.Create();
    EXPECT_EQ(headless::Journal(), (Lines{"Font.Destroy()", "Font.Create(Mono,20,1,0,0)"}));
    EXPECT_EQ(CUIFont().GetOrgSize(), 8);
}

TEST(FontTest, DeletingAFontDestroysThenReturnsItsBackendFont)
{
    vonktest::StartHeadless();
    auto font = std::make_unique<CUIFont>(L"body", L"Sans", 12, 0, 0, 0);
    ASSERT_NE(font->GetFontPlatform(), nullptr);
    EXPECT_EQ(headless::Outstanding("Font"), 1u);
    headless::ClearJournal();

    font.reset();
    EXPECT_EQ(headless::Journal(), (Lines{"Font.Destroy()", "ReleaseFont()"}));
    EXPECT_EQ(headless::Outstanding("Font"), 0u);
}

TEST(ImageTest, LoadsAPngWithItsTrueSize)
{
    vonktest::StartHeadless();
    CUIImage image;
    EXPECT_FALSE(image.IsValid());
    ASSERT_TRUE(image.Load(ImagePath("red-3x2.png").c_str()));
    EXPECT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_NE(image.GetImagePlatform(), nullptr);

    CUIImage missing;
    EXPECT_FALSE(missing.Load(ImagePath("absent.png").c_str()));
    EXPECT_FALSE(missing.IsValid());
}

TEST(ImageTest, ReleasePixBufferForwardsOnlyARealBuffer)
{
    vonktest::StartHeadless();
    CUIImage image;
    int pixels = 0;
    headless::ClearJournal();
    image.ReleasePixBuffer(nullptr);
    EXPECT_TRUE(headless::Journal().empty());
    image.ReleasePixBuffer(&pixels);
    EXPECT_EQ(headless::JournalOf("Image.ReleasePixBuffer").size(), 1u);
}

TEST(ImageTest, DeletingAnImageOnlyReturnsItsBackendImage)
{
    vonktest::StartHeadless();
    auto image = std::make_unique<CUIImage>();
    image->Load(ImagePath("red-3x2.png").c_str());
    EXPECT_EQ(headless::Outstanding("Image"), 1u);
    headless::ClearJournal();

    image.reset();
    EXPECT_EQ(headless::Journal(), (Lines{"ReleaseImage()"}));
    EXPECT_EQ(headless::Outstanding("Image"), 0u);
}

// Without a backend object (no backend loaded, or the backend gave none) every
// operation answers "nothing" and deleting returns nothing.
void ExpectInertProxies()
{
    auto font = std::make_unique<CUIFont>(L"body", L"Sans", 12, 0, 0, 0);
    EXPECT_EQ(font->GetFontPlatform(), nullptr);
    EXPECT_FALSE(font->Create());
    EXPECT_FALSE(font->CreateFromFile(L"/a.ttf", 12, false, false, false));
    font->Destroy();
    EXPECT_EQ(font->GetFontHeight(), 0);

    auto image = std::make_unique<CUIImage>();
    int pixels = 0;
    EXPECT_EQ(image->GetImagePlatform(), nullptr);
    EXPECT_FALSE(image->Load(ImagePath("red-3x2.png").c_str()));
    EXPECT_FALSE(image->IsValid());
    EXPECT_EQ(image->GetWidth(), 0);
    EXPECT_EQ(image->GetHeight(), 0);
    image->ReleasePixBuffer(&pixels);

    headless::ClearJournal();
    font.reset();
    image.reset();
    EXPECT_TRUE(headless::Journal().empty());
}

TEST(FontImageFaultTest, ProxiesWithoutBackendObjectsAreInert)
{
    vonktest::StartHeadless();
    headless::SetFaults(headless::kNullFont | headless::kNullImage);
    ExpectInertProxies();
}

TEST(FontImageFaultTest, ProxiesBeforeAnyBackendIsLoadedAreInert) { ExpectInertProxies(); }

}  // namespace
