// The child layout: the markup file it builds when it gets its window, with the callback
// the window's builder handed to it, and files that are missing or come round again.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "user_actions.h"

namespace {

using vonktest::Lines;
using vonktest::Text;

bool Mentions(const Lines& messages, const std::string& text)
{
    for (const std::string& message : messages) {
        if (message.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// The controls made for "Probe", which only a callback knows.
std::vector<CUIControl*>& Probes()
{
    static std::vector<CUIControl*> probes;
    return probes;
}

class ProbeFactory : public IDialogBuilderCallback {
public:
    CUIControl* CreateControl(const CUIString& name) override
    {
        if (name != L"Probe")
            return nullptr;
        Probes().push_back(new CUIControl);
        return Probes().back();
    }
};

int& Inits()
{
    static int inits = 0;
    return inits;
}

bool CountInit(void*)
{
    ++Inits();
    return true;
}

class ProbeWindow : public vonktest::MarkupWindow {
public:
    using MarkupWindow::MarkupWindow;
    CUIControl* CreateControl(const CUIString& name) override { return factory.CreateControl(name); }
    ProbeFactory factory;
};

class ChildLayoutTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        vonktest::UseDataFolder("layouts");
        Probes().clear();
    }

    // Probes that a failed build unlinked belong to no tree; the test deletes them.
    static void DeleteUnlinkedProbes()
    {
        for (CUIControl* probe : Probes()) {
            if (probe->GetParent() == nullptr || probe->GetParent()->GetItemIndex(probe) < 0)
                delete probe;
        }
    }

    // Deletes the controls below a layout that is not part of a window's tree.
    static void DeleteBelow(CUIControl& layout)
    {
        for (int i = layout.GetCount() - 1; i >= 0; --i) {
            CUIControl* child = layout.GetItemAt(i);
            DeleteBelow(*child);
            delete child;
        }
    }
};

TEST_F(ChildLayoutTest, IsMadeByItsElementNameAndStoresItsFile)
{
    std::unique_ptr<CUIControl> made(CDialogBuilder::CreateControlByClass(L"ChildLayout"));
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->GetClass().GetData(), L"ChildLayoutUI");
    auto* layout = static_cast<CUIChildLayout*>(made->GetInterface(L"ChildLayout"));
    EXPECT_EQ(layout, made.get());
    for (const wchar_t* name : {L"Container", L"Control", L"IContainer"})
        EXPECT_NE(made->GetInterface(name), nullptr);
    made->SetAttribute(L"xmlfile", L"child_panel.xml");
    EXPECT_STREQ(layout->GetChildLayoutXML().GetData(), L"child_panel.xml");
    EXPECT_EQ(made->GetCount(), 0);  // storing the name builds nothing
}

TEST_F(ChildLayoutTest, AWindowsChildLayoutsBuildTheirFilesWithTheWindowsCallback)
{
    const auto window = vonktest::OpenMarkup<ProbeWindow>(L"child_host.xml");
    ASSERT_NE(window->GetRoot(), nullptr);
    const struct {
        const wchar_t* name;
        const char* pos;
    } expected[] = {
        {L"panel", "0,0,400,100"},  {L"panelrow", "0,0,400,100"}, {L"panelleft", "0,0,30,100"},
        {L"probe", "30,0,400,100"}, {L"kept", "0,100,400,150"},
    };
    for (const auto& e : expected) {
        const CUIControl* control = window->FindControl(e.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Text(control->GetPos()), e.pos);
        EXPECT_EQ(control->GetOwnWindow(), window.get());
    }
    // A missing file leaves its layout without children; the one it held is unlinked, not deleted.
    EXPECT_EQ(window->FindControl(L"broken")->GetCount(), 0);
    EXPECT_EQ(window->FindControl(L"dropped"), nullptr);
    EXPECT_EQ(Probes().size(), 2u);

    DeleteUnlinkedProbes();
    vonktest::DeleteTree(*window);
}

TEST_F(ChildLayoutTest, EveryInitialisationAddsAnotherTreeAndFiresNoInitEvent)
{
    const auto window = vonktest::OpenWindow(400, 300);
    CUIChildLayout layout;
    layout.SetChildLayoutXML(L"child_panel.xml");
    layout.InitEvent += MakeDelegate(&CountInit);
    window->InitControls(&layout);
    ASSERT_EQ(layout.GetCount(), 1);
    CUIControl* row = layout.GetItemAt(0);
    EXPECT_STREQ(row->GetName().GetData(), L"panelrow");
    EXPECT_EQ(row->GetCount(), 1);  // without a callback no probe is made
    EXPECT_EQ(window->FindControl(L"panelleft"), row->GetItemAt(0));

    ProbeFactory factory;
    layout.SetBuilderCallback(&factory);
    layout.Init();
    ASSERT_EQ(layout.GetCount(), 2);
    EXPECT_EQ(layout.GetItemAt(1)->GetCount(), 2);
    EXPECT_EQ(Probes().size(), 1u);

    EXPECT_EQ(Inits(), 0);
    DeleteBelow(layout);
}

TEST_F(ChildLayoutTest, AFileThatCannotBeBuiltUnlinksEveryChildAndNoFileKeepsThem)
{
    const auto window = vonktest::OpenWindow(400, 300);
    CUIChildLayout layout;
    CUIControl first, second;
    layout.Add(&first);
    layout.Add(&second);
    window->InitControls(&layout);  // no file: nothing is built
    EXPECT_EQ(layout.GetCount(), 2);

    layout.SetChildLayoutXML(L"missing.xml");
    {
        vonktest::LogCapture log;
        layout.Init();
        EXPECT_TRUE(Mentions(log.Messages(), "load xml file error"));
    }
    EXPECT_EQ(layout.GetCount(), 0);

    layout.Add(&first);
    layout.SetChildLayoutXML(L"child_broken.xml");
    {
        vonktest::LogCapture log;
        layout.Init();
        EXPECT_TRUE(Mentions(log.Messages(), "load xml file error"));
    }
    EXPECT_EQ(layout.GetCount(), 0);
    EXPECT_EQ(first.GetOwnWindow(), window.get());  // unlinked, alive
}

TEST_F(ChildLayoutTest, AWindowFileThatNamesItselfIsRefusedOnce)
{
    vonktest::LogCapture log;
    const auto window = vonktest::OpenMarkup(L"child_self.xml");
    const Lines messages = log.Messages();
    ASSERT_NE(window->GetRoot(), nullptr);
    EXPECT_EQ(window->FindControl(L"again")->GetCount(), 0);
    EXPECT_TRUE(Mentions(messages, "markup file includes itself"));
    EXPECT_TRUE(Mentions(messages, "child_self.xml"));
    vonktest::DeleteTree(*window);
}

TEST_F(ChildLayoutTest, ACycleThroughOtherFilesEndsWhereItComesRound)
{
    const auto window = vonktest::OpenWindow(400, 300);
    CUIChildLayout layout;
    layout.SetChildLayoutXML(L"child_loop_a.xml");
    vonktest::LogCapture log;
    window->InitControls(&layout);
    EXPECT_TRUE(Mentions(log.Messages(), "markup file includes itself"));
    const CUIControl* toA = window->FindControl(L"toA");
    ASSERT_NE(toA, nullptr);
    EXPECT_EQ(toA->GetCount(), 0);
    EXPECT_NE(window->FindControl(L"b"), nullptr);
    EXPECT_EQ(window->FindControl(L"a")->GetParent(), &layout);

    layout.Init();  // the files are done with: building them again works again
    EXPECT_EQ(layout.GetCount(), 2);
    DeleteBelow(layout);
}

}  // namespace
