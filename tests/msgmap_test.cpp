// Message maps: which row of which map a notification reaches, maps written with the
// macros and by hand, the reserved button names, and the pump's registry.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

// What the handlers of the test windows saw, as "handler:sender" or "handler:wParam,lParam".
Lines& Calls()
{
    static Lines calls;
    return calls;
}

std::string SenderOf(const TNotifyUI& msg)
{
    if (msg.pSender == nullptr)
        return "none";
    const CUIString name = msg.pSender->GetName();
    return std::string(name.GetData(), name.GetData() + name.GetLength());
}

// A window class with no map of its own.
class PlainWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L"none.xml"; }
};

// Named rows beside rows for any sender, and both handler shapes.
class MappedWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L"none.xml"; }
    void OnOk(TNotifyUI& msg) { Calls().push_back("OnOk:" + SenderOf(msg)); }
    void OnAnyFirst(TNotifyUI& msg) { Calls().push_back("OnAnyFirst:" + SenderOf(msg)); }
    void OnAnySecond(TNotifyUI& msg) { Calls().push_back("OnAnySecond:" + SenderOf(msg)); }
    void OnSelect(uint64_t wParam, uint64_t lParam)
    {
        Calls().push_back("OnSelect:" + std::to_string(wParam) + "," + std::to_string(lParam));
    }
    UI_DECLARE_MESSAGE_MAP()
};

UI_BEGIN_MESSAGE_MAP(MappedWindow, CWindowImpBase)
UI_ON_MSGTYPE(NOTIFY_VALUE_CHANGED, MappedWindow::OnAnyFirst)
UI_ON_MSGTYPE(NOTIFY_VALUE_CHANGED, MappedWindow::OnAnySecond)
UI_ON_MSGTYPE(NOTIFY_TIMER, MappedWindow::OnAnyFirst)
UI_ON_MSGTYPE_CTRNAME(NOTIFY_TIMER, L"okbtn", MappedWindow::OnOk)
UI_ON_CLICK_CTRNAME(L"okbtn", MappedWindow::OnOk)
UI_ON_PARAMS(NOTIFY_SELECT_CHANGED, MappedWindow::OnSelect)
UI_END_MESSAGE_MAP()

// A row for every click: the base map's OnClick is never reached.
class EveryClickWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L"none.xml"; }
    virtual void OnAnyClick(TNotifyUI& msg) { Calls().push_back("EveryClick:" + SenderOf(msg)); }
    UI_DECLARE_MESSAGE_MAP()
};

UI_BEGIN_MESSAGE_MAP(EveryClickWindow, CWindowImpBase)
UI_ON_MSGTYPE(NOTIFY_CLICK, EveryClickWindow::OnAnyClick)
UI_END_MESSAGE_MAP()

// Overrides the handler that its base's map names, and adds a map written by hand.
class HandWrittenWindow : public EveryClickWindow {
public:
    void OnAnyClick(TNotifyUI& msg) override { Calls().push_back("Overridden:" + SenderOf(msg)); }
    void OnScroll(TNotifyUI& msg) { Calls().push_back("OnScroll:" + SenderOf(msg)); }

    const UI_MSGMAP* GetMessageMap() const override { return &messageMap; }

protected:
    static const UI_MSGMAP messageMap;
    static const UI_MSGMAP* BaseMap() { return &EveryClickWindow::messageMap; }

private:
    static const UI_MSGMAP_ENTRY rows[];
};

const UI_MSGMAP_ENTRY HandWrittenWindow::rows[] = {
    {NOTIFY_SCROLL, CUIString(L"list"), MSGMAP_SIG_NOTIFY, static_cast<UI_PMSG>(&HandWrittenWindow::OnScroll)},
    {NOTIFY_MAP_END, CUIString(), MSGMAP_SIG_END, UI_PMSG()},
};
const UI_MSGMAP HandWrittenWindow::messageMap = {&HandWrittenWindow::BaseMap, &HandWrittenWindow::rows[0]};

class MessageMapTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        Calls().clear();
        headless::ClearJournal();
    }

    // Sends a notification of type from a control named sender ("" for none) to window.
    static bool Send(CWindowImpBase& window, uint32_t type, const wchar_t* sender, uint64_t wParam = 0,
                     uint64_t lParam = 0)
    {
        CUIControl control;
        control.SetName(sender ? sender : L"");
        TNotifyUI msg{};
        msg.Type = type;
        msg.pSender = sender ? &control : nullptr;
        msg.wParam = wParam;
        msg.lParam = lParam;
        return window.NotifyPump(msg);
    }
};

TEST_F(MessageMapTest, ReservedNamesDriveTheWindowExactlyAsSpelled)
{
    const struct {
        const wchar_t* name;
        Lines journal;
    } cases[] = {
        {L"closebtn", {"Window.Close()"}}, {L"minbtn", {"Window.Minimize()"}},
        {L"maxbtn", {"Window.Maximize()"}}, {L"restorebtn", {"Window.Restore()"}},
        {L"CloseBtn", {}},                 {L"okbtn", {}},
    };
    PlainWindow window;
    for (const auto& one : cases) {
        headless::ClearJournal();
        EXPECT_TRUE(Send(window, NOTIFY_CLICK, one.name));
        EXPECT_EQ(headless::JournalOf("Window."), one.journal);
    }
}

TEST_F(MessageMapTest, TheDerivedMapWinsAndTheBaseMapServesWhatItLacks)
{
    MappedWindow window;
    EXPECT_TRUE(Send(window, NOTIFY_CLICK, L"okbtn"));
    EXPECT_TRUE(Send(window, NOTIFY_CLICK, L"closebtn"));
    EXPECT_EQ(Calls(), (Lines{"OnOk:okbtn"}));
    EXPECT_EQ(headless::JournalOf("Window."), (Lines{"Window.Close()"}));
}

TEST_F(MessageMapTest, WithinAMapTheNamedRowWinsAndOfAnySenderRowsTheLast)
{
    MappedWindow window;
    Send(window, NOTIFY_VALUE_CHANGED, L"slider");
    Send(window, NOTIFY_TIMER, L"okbtn");  // the named row stands after the row for any sender
    Send(window, NOTIFY_TIMER, L"other");
    Send(window, NOTIFY_TIMER, nullptr);   // no sender: rows for any sender only
    EXPECT_EQ(Calls(), (Lines{"OnAnySecond:slider", "OnOk:okbtn", "OnAnyFirst:other", "OnAnyFirst:none"}));
}

TEST_F(MessageMapTest, AParamsRowReceivesBothParameters)
{
    MappedWindow window;
    EXPECT_TRUE(Send(window, NOTIFY_SELECT_CHANGED, L"check", 1, 7));
    EXPECT_EQ(Calls(), (Lines{"OnSelect:1,7"}));
}

TEST_F(MessageMapTest, ANotificationNoMapHandlesIsDropped)
{
    MappedWindow window;
    EXPECT_FALSE(Send(window, NOTIFY_LINK_CLICK, L"okbtn"));
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(headless::JournalOf("Window.").empty());
}

TEST_F(MessageMapTest, ARowForEveryClickShadowsTheReservedNames)
{
    EveryClickWindow window;
    Send(window, NOTIFY_CLICK, L"closebtn");
    Send(window, NOTIFY_CLICK, L"okbtn");
    EXPECT_EQ(Calls(), (Lines{"EveryClick:closebtn", "EveryClick:okbtn"}));
    EXPECT_TRUE(headless::JournalOf("Window.").empty());
}

TEST_F(MessageMapTest, AHandWrittenMapChainsToTheMacroMapsAndCallsHandlersVirtually)
{
    HandWrittenWindow window;
    Send(window, NOTIFY_SCROLL, L"list");
    Send(window, NOTIFY_CLICK, L"closebtn");
    EXPECT_FALSE(Send(window, NOTIFY_SCROLL, L"other"));
    EXPECT_EQ(Calls(), (Lines{"OnScroll:list", "Overridden:closebtn"}));
}

TEST_F(MessageMapTest, NotifyRoutesThroughTheMaps)
{
    MappedWindow window;
    CUIControl ok;
    ok.SetName(L"okbtn");
    TNotifyUI msg{};
    msg.Type = NOTIFY_CLICK;
    msg.pSender = &ok;
    static_cast<INotifyUI&>(window).Notify(msg);
    EXPECT_EQ(Calls(), (Lines{"OnOk:okbtn"}));
}

// A map whose base is itself, and two maps that name each other.
class LoopingWindow : public PlainWindow {
public:
    explicit LoopingWindow(const UI_MSGMAP* map) : m_map(map) {}
    const UI_MSGMAP* GetMessageMap() const override { return m_map; }

private:
    const UI_MSGMAP* m_map;
};

const UI_MSGMAP_ENTRY kNoRows[] = {{NOTIFY_MAP_END, CUIString(), MSGMAP_SIG_END, UI_PMSG()}};
extern const UI_MSGMAP kSelfMap, kMapA, kMapB;
const UI_MSGMAP* SelfMap() { return &kSelfMap; }
const UI_MSGMAP* MapA() { return &kMapA; }
const UI_MSGMAP* MapB() { return &kMapB; }
const UI_MSGMAP kSelfMap = {&SelfMap, kNoRows};
const UI_MSGMAP kMapA = {&MapB, kNoRows};
const UI_MSGMAP kMapB = {&MapA, kNoRows};

TEST_F(MessageMapTest, AMapChainThatLoopsStopsTheProcess)
{
    EXPECT_DEATH(
        {
            LoopingWindow window(&kSelfMap);
            Send(window, NOTIFY_CLICK, L"x");
        },
        "bool CNotifyPump::LoopDispatch\\(TNotifyUI&\\): Assertion `pMessageMap != "
        "\\(\\*pMessageMap->pfnGetBaseMap\\)\\(\\)' failed");
    EXPECT_DEATH(
        {
            LoopingWindow window(&kMapA);
            Send(window, NOTIFY_CLICK, L"x");
        },
        "the message map chain loops");
}

TEST_F(MessageMapTest, TheVirtualWindowRegistryRefusesDuplicatesAndUnknownNames)
{
    PlainWindow window, other;
    EXPECT_TRUE(window.AddVirtualWnd(L"pane", &other));
    EXPECT_FALSE(window.AddVirtualWnd(L"pane", &other));
    EXPECT_FALSE(window.RemoveVirtualWnd(L"never"));
    EXPECT_TRUE(window.RemoveVirtualWnd(L"pane"));
    EXPECT_FALSE(window.RemoveVirtualWnd(L"pane"));
}

TEST_F(MessageMapTest, TheApplicationHooksHaveTheirDefaults)
{
    PlainWindow window;
    EXPECT_EQ(window.ResponseDefaultKeyEvent(27), 1);
    EXPECT_EQ(window.ResponseDefaultKeyEvent(13), 0);
    EXPECT_EQ(window.GetClassStyle(), 8u);
    EXPECT_EQ(window.GetResourceType(), 1);
    EXPECT_TRUE(window.GetZIPFileName().IsEmpty());
    EXPECT_TRUE(window.GetSkinFolder().IsEmpty());
    EXPECT_EQ(window.CreateControl(L"Button"), nullptr);
    EXPECT_EQ(window.HandleCustomMessage(1, 2, 3), 0);
    EXPECT_EQ(window.GetStyle(), 0);
}

}  // namespace
