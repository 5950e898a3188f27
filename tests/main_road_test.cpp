// The main road end to end: a window described in markup files, built when the backend
// creates it, painted, clicked, and its message map called with the notification.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"
#include "window_tree.h"

namespace {

using Lines = std::vector<std::string>;

int& ClickersAlive()
{
    static int alive = 0;
    return alive;
}

// A control of the application's that reports a release over itself as a click.
class Clicker : public CUIControl {
public:
    Clicker() { ++ClickersAlive(); }
    ~Clicker() override { --ClickersAlive(); }

    void DoEvent(TEventUI& event) override
    {
        if (event.Type == EVENT_BUTTONUP && GetPos().IsPtIn(event.ptMouse)) {
            GetOwnWindow()->SendNotify(this, NOTIFY_CLICK, 0, 0, false);
            return;
        }
        CUIControl::DoEvent(event);
    }
};

std::string Narrow(const CUIString& text) { return std::string(text.GetData(), text.GetData() + text.GetLength()); }

class RoadWindow : public CWindowImpBase {
public:
    explicit RoadWindow(const wchar_t* skin) : m_skin(skin) {}
    CUIString GetSkinFile() override { return m_skin; }
    CUIControl* CreateControl(const CUIString& name) override { return name == L"Clicker" ? new Clicker : nullptr; }

    void OnOk(TNotifyUI& msg)
    {
        calls.push_back("ok:" + Narrow(msg.pSender->GetName()) + "@" + std::to_string(msg.ptMouse.x) + "," +
                        std::to_string(msg.ptMouse.y));
    }
    void OnReload(TNotifyUI&)
    {
        ReloadSkin(L"ignored.xml");
        // The old tree lives on until the release that led here has been dispatched.
        calls.push_back("reloaded, clickers alive: " + std::to_string(ClickersAlive()));
    }

    Lines calls;

private:
    CUIString m_skin;
    UI_DECLARE_MESSAGE_MAP()
};

UI_BEGIN_MESSAGE_MAP(RoadWindow, CWindowImpBase)
UI_ON_CLICK_CTRNAME(L"okbtn", RoadWindow::OnOk)
UI_ON_CLICK_CTRNAME(L"reload", RoadWindow::OnReload)
UI_END_MESSAGE_MAP()

class MainRoadTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        const std::string dir = vonktest::DataDir() + "/builder/";
        CResourceMgr::SetResourePath(CUIString(std::wstring(dir.begin(), dir.end()).c_str()));
        GlobalManager::Startup();
    }

    // Creates the window, which loads its markup, and paints it once.
    void Open(const wchar_t* skin)
    {
        window = std::make_unique<RoadWindow>(skin);
        window->Create(0, 0, 300, 200);
        window->Show(true);
        handler = headless::LastHandler();
        headless::ClearJournal();
        vonktest::Paint(handler);
    }

    // A window leaves its tree to the application: the test deletes it.
    void TearDown() override
    {
        vonktest::DeleteTree(*window);
        window.reset();
    }

    std::unique_ptr<RoadWindow> window;
    CMsgHandler* handler = nullptr;
};

TEST_F(MainRoadTest, TheMarkupIsBuiltLaidOutAndPainted)
{
    Open(L"main_road.xml");
    ASSERT_NE(window->GetRoot(), nullptr);
    EXPECT_EQ(window->GetRoot(), window->FindControl(L"panel"));
    const CUIRect ok = window->FindControl(L"okbtn")->GetPos();
    EXPECT_EQ((Lines{std::to_string(ok.left), std::to_string(ok.top), std::to_string(ok.right),
                     std::to_string(ok.bottom)}),
              (Lines{"10", "10", "110", "40"}));
    EXPECT_EQ(headless::JournalOf("Render.DrawColor"),
              (Lines{"Render.DrawColor(0,0,300,200,ff202020)", "Render.DrawColor(10,10,110,40,ff00ff00)",
                     "Render.DrawColor(120,10,220,40,ffff0000)", "Render.DrawColor(10,100,110,130,ff00ff00)"}));
    EXPECT_FALSE(headless::JournalOf("Render.DrawRect(0,0,300,200,1,ffffffff").empty());
}

TEST_F(MainRoadTest, ClicksReachTheMessageMapAndTheReservedNames)
{
    Open(L"main_road.xml");
    vonktest::Click(handler, 50, 20);
    vonktest::Click(handler, 150, 200 - 1);  // over the panel only: no click
    EXPECT_EQ(window->calls, (Lines{"ok:okbtn@50,20"}));
    headless::ClearJournal();
    vonktest::Click(handler, 150, 20);
    EXPECT_EQ(headless::JournalOf("Window.Close"), (Lines{"Window.Close()"}));
}

TEST_F(MainRoadTest, ReloadingFromAClickHandlerWaitsForTheDispatchToUnwind)
{
    Open(L"main_road.xml");
    CUIControl* oldOk = window->FindControl(L"okbtn");
    vonktest::Click(handler, 50, 110);
    EXPECT_EQ(window->calls, (Lines{"reloaded, clickers alive: 6"}));
    EXPECT_EQ(ClickersAlive(), 3);  // the old tree went once the release was dispatched
    CUIControl* newOk = window->FindControl(L"okbtn");
    ASSERT_NE(newOk, nullptr);
    EXPECT_NE(newOk, oldOk);
    EXPECT_EQ(newOk->GetOwnWindow(), window.get());

    vonktest::Paint(handler);
    vonktest::Click(handler, 50, 20);
    EXPECT_EQ(window->calls.back(), "ok:okbtn@50,20");
}

TEST_F(MainRoadTest, AWindowWithoutMarkupStaysEmptyAndDeaf)
{
    Open(L"missing.xml");
    EXPECT_EQ(window->GetRoot(), nullptr);
    EXPECT_EQ(vonktest::Paint(handler), 0);
    CUIControl ok;
    ok.SetName(L"okbtn");
    window->SendNotify(&ok, NOTIFY_CLICK, 0, 0, false);
    EXPECT_TRUE(window->calls.empty());  // the window withdrew as its own notifier
}

}  // namespace
