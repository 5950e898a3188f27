// Loading the backend, its entry points and forwarders, and the application facade.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"

// The pointer record is shared with backends built apart from the library: its layout is fixed.
static_assert(offsetof(MsgButtonParam, type) == 0 && offsetof(MsgButtonParam, x) == 4 &&
              offsetof(MsgButtonParam, y) == 8 && offsetof(MsgButtonParam, timestamp) == 16 &&
              offsetof(MsgButtonParam, root_x) == 24 && offsetof(MsgButtonParam, root_y) == 28 &&
              offsetof(MsgButtonParam, state) == 32);
static_assert(sizeof(MsgButtonParam::type) == 4 && sizeof(MsgButtonParam::timestamp) == 8 &&
              sizeof(MsgButtonParam::state) == 4);

using vonktest::HeadlessPath;
using vonktest::LibDir;
using vonktest::LogCapture;

namespace {

const std::string kMarker = "#DLOPEN_CALLER_PATH#";

bool AllEntryPointsNull()
{
    return CUIPlatfrom::m_fnGetFont == nullptr && CUIPlatfrom::m_fnReleaseFont == nullptr &&
           CUIPlatfrom::m_fnGetImage == nullptr && CUIPlatfrom::m_fnReleaseImage == nullptr &&
           CUIPlatfrom::m_fnGetTimer == nullptr && CUIPlatfrom::m_fnReleaseTimer == nullptr &&
           CUIPlatfrom::m_fnGetWindow == nullptr && CUIPlatfrom::m_fnReleaseWindow == nullptr &&
           CUIPlatfrom::m_fnGetApp == nullptr && CUIPlatfrom::m_fnGetSignal == nullptr &&
           CUIPlatfrom::m_fnInitSignal == nullptr && dlKeysym2VK == nullptr;
}

// The messages of the records, without their "[file,line@pid|tid] " prefix.
std::vector<std::string> Texts(const std::vector<std::string>& messages)
{
    std::vector<std::string> texts;
    for (const std::string& message : messages)
        texts.push_back(message.substr(message.find("] ") + 2));
    return texts;
}

}  // namespace

TEST(Platform, NullPathIsRefusedSilently)
{
    LogCapture capture;
    EXPECT_FALSE(CUIPlatfrom::Init(nullptr));
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_TRUE(AllEntryPointsNull());
}

TEST(Platform, MissingFileFailsWithTheLoadersReason)
{
    LogCapture capture;
    EXPECT_FALSE(CUIPlatfrom::Init((kMarker + "/libnothing-here.so").c_str()));
    const auto texts = Texts(capture.Messages());
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].rfind("dladdr successed, dlopen caller path: [" + LibDir() + "], current executable file path: [" +
                                 LibDir() + "/libvonk-ui.so",
                             0),
              0u)
        << texts[0];
    EXPECT_EQ(texts[1], "before replace, platform so path = " + kMarker + "/libnothing-here.so ");
    EXPECT_EQ(texts[2], "after replace, platform so path = " + LibDir() + "/libnothing-here.so ");
    EXPECT_NE(texts[3].find("dlopen - "), std::string::npos);
    EXPECT_NE(texts[3].find("libnothing-here.so"), std::string::npos);
    EXPECT_EQ(CUIPlatfrom::m_handle, nullptr);
    EXPECT_TRUE(AllEntryPointsNull());
}

// "[source,line@pid|tid] ": the source relative to the project, this process and this thread.
TEST(Platform, TraceLinesNameSourceLineProcessAndThread)
{
    std::ostringstream thread;
    thread << std::this_thread::get_id();
    const std::string tail = "@" + std::to_string(getpid()) + "|" + thread.str() + "] ";

    LogCapture capture;
    CUIPlatfrom::Init("/nonexistent/backend.so");
    CUIApp::MainLoop();
    char* argv[] = {nullptr};
    CUIApp::Init(0, argv);
    const auto messages = capture.Messages();
    ASSERT_EQ(messages.size(), 7u);
    for (size_t i = 0; i < messages.size(); ++i) {
        const std::string source = i < 6 ? "[src/ui/src/PlatformLoad.cpp," : "[src/ui/src/UIWindow.cpp,";
        const std::string& message = messages[i];
        ASSERT_EQ(message.rfind(source, 0), 0u) << message;
        const size_t line = source.size();
        const size_t at = message.find('@', line);
        ASSERT_NE(at, std::string::npos) << message;
        EXPECT_GT(at, line) << message;
        EXPECT_EQ(message.find_first_not_of("0123456789", line), at) << message;
        EXPECT_EQ(message.compare(at, tail.size(), tail), 0) << message;
    }
}

TEST(Platform, EveryMarkerIsReplacedAndAPlainPathIsKept)
{
    struct Case {
        std::string given;
        std::string loaded;
    };
    const std::vector<Case> cases = {
        {kMarker + "/x.so", LibDir() + "/x.so"},
        {kMarker + "/" + kMarker + "/x.so", LibDir() + "/" + LibDir() + "/x.so"},
        {"/plain/" + kMarker.substr(1) + "/x.so", "/plain/" + kMarker.substr(1) + "/x.so"},
        {"/plain/x.so", "/plain/x.so"},
    };
    for (const Case& c : cases) {
        LogCapture capture;
        CUIPlatfrom::Init(c.given.c_str());
        const auto texts = Texts(capture.Messages());
        ASSERT_GE(texts.size(), 3u);
        EXPECT_EQ(texts[2], "after replace, platform so path = " + c.loaded + " ") << c.given;
    }
}

TEST(Platform, LoadsTheBackendBesideTheLibrary)
{
    LogCapture capture;
    ASSERT_TRUE(CUIPlatfrom::Init((kMarker + "/libvonk-headless.so").c_str()));
    const auto texts = Texts(capture.Messages());
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[3].rfind("m_fnGetFont = 0x", 0), 0u) << texts[3];
    EXPECT_EQ(texts[7].rfind("m_fnGetApp = 0x", 0), 0u) << texts[7];
    EXPECT_NE(CUIPlatfrom::m_handle, nullptr);
    EXPECT_NE(CUIPlatfrom::GetApp(), nullptr);
    EXPECT_EQ(CUIPlatfrom::GetApp(), CUIPlatfrom::GetApp());
    ASSERT_NE(dlKeysym2VK, nullptr);
    EXPECT_EQ(reinterpret_cast<int (*)(unsigned long)>(dlKeysym2VK)('a'), 'a');
    EXPECT_EQ(headless::JournalOf("_Keysym2VK"), (std::vector<std::string>{"_Keysym2VK(97)"}));
}

TEST(Platform, ForwardersHandOutAndTakeBackBackendObjects)
{
    vonktest::StartHeadless();
    CFontBase* font = CUIPlatfrom::GetFont();
    CImageBase* image = CUIPlatfrom::GetImage();
    CTimerBase* timer = CUIPlatfrom::GetTimer();
    CWindowBase* window = CUIPlatfrom::GetPlatformWindow();
    ASSERT_TRUE(font && image && timer && window);
    EXPECT_EQ(headless::Outstanding("Font"), 1u);
    EXPECT_EQ(headless::Outstanding("Window"), 1u);
    CUIPlatfrom::ReleaseFont(font);
    CUIPlatfrom::ReleaseImage(image);
    CUIPlatfrom::ReleaseTimer(timer);
    CUIPlatfrom::ReleaseWindow(window);
    for (const char* kind : {"Font", "Image", "Timer", "Window"})
        EXPECT_EQ(headless::Outstanding(kind), 0u) << kind;
    EXPECT_NE(CUIPlatfrom::GetSignal(), nullptr);
}

TEST(Platform, BackendJournalsTheObjectsItHandsOutAndTakesBackInOrder)
{
    vonktest::StartHeadless();
    headless::ClearJournal();
    {
        vonktest::PlainWindow window;
        CUIFont font(L"body", L"Sans", 10, 0, 0, 0);
        font.Create();
        CUIImage image;
    }
    EXPECT_EQ(headless::Journal(),
              (std::vector<std::string>{"GetPlatformWindow()", "GetTimer()", "GetFont()", "Font.Create(Sans,10,0,0,0)",
                                        "GetImage()", "ReleaseImage()", "Font.Destroy()", "ReleaseFont()",
                                        "ReleaseTimer()", "ReleaseWindow()"}));
}

TEST(Platform, InitSignalPassesTheCallbacksThrough)
{
    vonktest::StartHeadless();
    static std::string received;
    CUIPlatfrom::InitSignal([](char const* text) { return received = text, 0; }, nullptr, nullptr);
    EXPECT_EQ(received, "headless");
}

TEST(Platform, BackendWithOnlyFontsLoadsAndTheRestStaysEmpty)
{
    LogCapture capture;
    ASSERT_TRUE(CUIPlatfrom::Init((LibDir() + "/libvonk-headless-fonts-only.so").c_str()));
    const auto texts = Texts(capture.Messages());
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[4], "m_fnGetImage = (nil), m_fnReleaseImage = (nil) ");
    EXPECT_EQ(texts[5], "m_fnGetTimer = (nil), m_fnReleaseTimer = (nil) ");
    EXPECT_EQ(texts[6], "m_fnGetWindow = (nil), m_fnReleaseWindow = (nil) ");
    EXPECT_EQ(texts[7], "m_fnGetApp = (nil) ");
    EXPECT_NE(CUIPlatfrom::m_fnGetFont, nullptr);
    EXPECT_EQ(CUIPlatfrom::GetImage(), nullptr);
    EXPECT_EQ(CUIPlatfrom::GetTimer(), nullptr);
    EXPECT_EQ(CUIPlatfrom::GetPlatformWindow(), nullptr);
    EXPECT_EQ(dlKeysym2VK, nullptr);

    LogCapture later;
    EXPECT_EQ(CUIPlatfrom::GetSignal(), nullptr);
    CUIPlatfrom::ReleaseImage(nullptr);
    char arg0[] = "app";
    char* argv[] = {arg0, nullptr};
    CUIApp::Init(1, argv);
    EXPECT_EQ(Texts(later.Messages()),
              (std::vector<std::string>{"error m_fnGetApp is null ", "m_fnGetApp is nullptr (platform is not init) "}));
}

TEST(Platform, FailedSecondLoadKeepsTheFirstEntryPoints)
{
    vonktest::StartHeadless();
    const PFN_GetApp getApp = CUIPlatfrom::m_fnGetApp;
    EXPECT_FALSE(CUIPlatfrom::Init("/nonexistent/backend.so"));
    EXPECT_EQ(CUIPlatfrom::m_handle, nullptr);
    EXPECT_EQ(CUIPlatfrom::m_fnGetApp, getApp);
    EXPECT_NE(CUIPlatfrom::GetApp(), nullptr);
}

TEST(Platform, SecondLoadReplacesEveryEntryPoint)
{
    vonktest::StartHeadless();
    ASSERT_TRUE(CUIPlatfrom::Init((LibDir() + "/libvonk-headless-fonts-only.so").c_str()));
    EXPECT_EQ(CUIPlatfrom::m_fnGetApp, nullptr);
    EXPECT_EQ(CUIPlatfrom::m_fnGetImage, nullptr);
    EXPECT_NE(CUIPlatfrom::m_fnGetFont, nullptr);
}

TEST(Platform, DestroyedBindingForgetsTheBackend)
{
    vonktest::StartHeadless();
    { CUIPlatfrom binding; }
    EXPECT_EQ(CUIPlatfrom::m_handle, nullptr);
    EXPECT_TRUE(AllEntryPointsNull());
    EXPECT_EQ(CUIPlatfrom::GetFont(), nullptr);
}

TEST(App, WithoutABackendNothingIsCalled)
{
    LogCapture capture;
    char arg0[] = "app";
    char* argv[] = {arg0, nullptr};
    CUIApp::Init(1, argv);
    CUIApp::MainLoop();
    unsigned char* data = reinterpret_cast<unsigned char*>(0x1);
    int width = 7, height = 8, stride = 9;
    CUIApp::GetRenderData("base", data, width, height, stride);
    EXPECT_EQ(data, reinterpret_cast<unsigned char*>(0x1));
    EXPECT_EQ(width + height + stride, 24);
    // Init and MainLoop each ask for the application once, GetRenderData once more.
    const auto texts = Texts(capture.Messages());
    EXPECT_EQ(texts.front(), "error m_fnGetApp is null ");
    EXPECT_EQ(texts[1], "m_fnGetApp is nullptr (platform is not init) ");
}

TEST(App, ForwardsTheCommandLineAndTheLoop)
{
    vonktest::StartHeadless();
    headless::ClearJournal();
    char arg0[] = "app";
    char arg1[] = "--flag";
    char* argv[] = {arg0, arg1, nullptr};
    CUIApp::Init(2, argv);
    CUIApp::MainLoop();
    EXPECT_EQ(headless::JournalOf("App."),
              (std::vector<std::string>{"App.Init(2)", "App.Arg(app)", "App.Arg(--flag)", "App.MainLoop()"}));
}

TEST(App, RenderDataOfAWindowByItsName)
{
    vonktest::StartHeadless();
    const auto window = vonktest::OpenWindow(200, 100);
    headless::ClearJournal();
    unsigned char* data = nullptr;
    int width = 0, height = 0, stride = 0;
    CUIApp::GetRenderData("base", data, width, height, stride);
    EXPECT_EQ(headless::JournalOf("App."), (std::vector<std::string>{"App.GetRenderData(base)"}));
    unsigned char* own = nullptr;
    int ownWidth = 0, ownHeight = 0, ownStride = 0;
    window->GetRenderData(own, ownWidth, ownHeight, ownStride);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data, own);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 100);
    EXPECT_EQ(stride, ownStride);

    // No window of that name, or no name at all: no pixels.
    for (const char* name : {"nobody", static_cast<const char*>(nullptr)}) {
        CUIApp::GetRenderData(name, data, width, height, stride);
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(width, 0);
    }
}
