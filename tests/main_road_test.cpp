// The main road end to end: a window described in markup files, built when the backend
// creates it, painted, clicked, and its message map called with the notification.

#include <gtest/gtest.h>

#include <functional>
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
        if (freeOldTree)
            DeleteControlTree(GetRoot());
        ReloadSkin(L"ignored.xml");
        calls.push_back("reloaded, clickers alive: " + std::to_string(ClickersAlive()));
    }

    Lines calls;
    // Whether the reload handler deletes the old tree before it reloads.
    bool freeOldTree = false;

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
        if (window == nullptr)
            return;
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

// A reload deletes the old root only: the controls below it are the application's, which
// keeps them, attaches them elsewhere or deletes them as it likes.
TEST_F(MainRoadTest, AReloadLeavesTheOldRootsChildrenToTheApplication)
{
    struct Case {
        const char* name;
        // Reloads, with the old root's children at hand, and disposes of them.
        std::function<void(RoadWindow&, CMsgHandler*, const std::vector<CUIControl*>&)> reload;
    };
    const Case cases[] = {
        {"kept, then deleted",
         [](RoadWindow& window, CMsgHandler*, const std::vector<CUIControl*>& old) {
             window.ReloadSkin(nullptr);
             EXPECT_EQ(ClickersAlive(), 6);
             for (CUIControl* control : old) {
                 EXPECT_EQ(control->GetParent(), nullptr);
                 EXPECT_EQ(control->GetOwnWindow(), nullptr);
                 control->Invalidate();  // reaches neither the deleted root nor the window
                 DeleteControlTree(control);
             }
             EXPECT_EQ(ClickersAlive(), 3);
         }},
        {"kept, then one added to the new tree",
         [](RoadWindow& window, CMsgHandler* handler, const std::vector<CUIControl*>& old) {
             window.ReloadSkin(nullptr);
             CUIControl* moved = old[0];  // the old "okbtn"
             moved->SetAttribute(L"pos", L"150,100,250,130");
             ASSERT_TRUE(window.GetRoot()->Add(moved));
             EXPECT_EQ(moved->GetOwnWindow(), &window);
             EXPECT_EQ(window.FindControl(L"okbtn"), moved);
             vonktest::Paint(handler);
             vonktest::Click(handler, 200, 110);
             EXPECT_EQ(window.calls, (Lines{"ok:okbtn@200,110"}));
             for (size_t i = 1; i < old.size(); ++i)
                 DeleteControlTree(old[i]);
             EXPECT_EQ(ClickersAlive(), 4);
         }},
        {"kept from a click handler's reload, deleted after it",
         [](RoadWindow& window, CMsgHandler* handler, const std::vector<CUIControl*>& old) {
             vonktest::Click(handler, 50, 110);
             EXPECT_EQ(window.calls, (Lines{"reloaded, clickers alive: 6"}));
             for (CUIControl* control : old) {
                 EXPECT_EQ(control->GetParent(), nullptr);  // the root went once the release was dispatched
                 EXPECT_EQ(control->GetOwnWindow(), nullptr);
                 DeleteControlTree(control);
             }
             EXPECT_EQ(ClickersAlive(), 3);
         }},
        {"deleted by the click handler before each reload",
         [](RoadWindow& window, CMsgHandler* handler, const std::vector<CUIControl*>&) {
             window.freeOldTree = true;
             for (int reload = 0; reload < 3; ++reload) {
                 vonktest::Paint(handler);
                 vonktest::Click(handler, 50, 110);
             }
             EXPECT_EQ(window.calls, (Lines(3, "reloaded, clickers alive: 3")));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(L"main_road.xml");
        CUIControl* root = window->GetRoot();
        std::vector<CUIControl*> old;
        for (int i = 0; i < root->GetCount(); ++i)
            old.push_back(root->GetItemAt(i));
        const std::weak_ptr<const void> oldRoot = root->GetLifetime();

        c.reload(*window, handler, old);
        EXPECT_TRUE(oldRoot.expired());
        CUIControl* ok = window->FindControl(L"okbtn");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->GetOwnWindow(), window.get());
        vonktest::Paint(handler);
        vonktest::Click(handler, 50, 20);
        EXPECT_EQ(window->calls.back(), "ok:okbtn@50,20");
        TearDown();
    }
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
