// The markup builder: what a build returns, the order in which an element is built, the
// factories, "Include", and files that cannot be built.

#include <gtest/gtest.h>

#include <cwchar>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

std::string Narrow(const CUIString& text) { return std::string(text.GetData(), text.GetData() + text.GetLength()); }

// Every attribute that reached a probe, as "name.attribute=value", with " [window]"
// while it held a window and " [parent]" while it held a parent (which a control added
// to a parent without window does not hold yet).
Lines& Attributes()
{
    static Lines attributes;
    return attributes;
}

// The element names the test factory was asked for.
Lines& Asked()
{
    static Lines asked;
    return asked;
}

int& ProbesAlive()
{
    static int alive = 0;
    return alive;
}

// The controls below control, in order, each as "name:" with "w" when it holds control's
// window and "p" when its parent is the control that lists it.
std::string Survey(const CUIControl& control, CUIWindow* window)
{
    std::string seen;
    for (int i = 0; i < control.GetCount(); ++i) {
        const CUIControl* child = control.GetItemAt(i);
        seen += " " + Narrow(child->GetName()) + ":" + (child->GetOwnWindow() == window ? "w" : "-") +
                (child->GetParent() == &control ? "p" : "-") + Survey(*child, window);
    }
    return seen;
}

class Probe : public CUIControl {
public:
    Probe() { ++ProbesAlive(); }
    ~Probe() override { --ProbesAlive(); }

    void SetAttribute(const wchar_t* name, const wchar_t* value) override
    {
        CUIControl::SetAttribute(name, value);
        Attributes().push_back(Narrow(GetName()) + "." + Narrow(name) + "=" + Narrow(value) +
                               (GetOwnWindow() ? " [window]" : "") + (GetParent() ? " [parent]" : ""));
        // "survey": what the controls below hold while this one's attributes are set.
        if (std::wcscmp(name, L"survey") == 0 && GetOwnWindow())
            Attributes().push_back(Narrow(GetName()) + " sees" + Survey(*this, GetOwnWindow()));
    }
};

CUIControl* MakeProbe(const CUIString& name)
{
    Asked().push_back(Narrow(name));
    return name == L"Probe" || name == L"Contested" ? new Probe : nullptr;
}

class ProbeFactory : public IDialogBuilderCallback {
public:
    CUIControl* CreateControl(const CUIString& name) override { return MakeProbe(name); }
};

// A window whose markup makes probes; it notes when InitWindow runs.
class ProbeWindow : public CWindowImpBase {
public:
    explicit ProbeWindow(const wchar_t* skin = L"") : m_skin(skin) {}
    CUIString GetSkinFile() override { return m_skin; }
    CUIControl* CreateControl(const CUIString& name) override { return MakeProbe(name); }
    void InitWindow() override { ++initialised; }

    int initialised = 0;

private:
    CUIString m_skin;
};

// A window that is no CWindowImpBase.
class BareWindow : public CUIWindow {
public:
    CUIString GetSkinFolder() override { return L""; }
};

std::vector<std::string> ChildNames(const CUIControl& parent)
{
    std::vector<std::string> names;
    for (int i = 0; i < parent.GetCount(); ++i)
        names.push_back(Narrow(parent.GetItemAt(i)->GetName()));
    return names;
}

bool Contains(const Lines& lines, const std::string& text)
{
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

class BuilderTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        CResourceMgr::SetResourePath(CUIString(Wide(vonktest::DataDir() + "/builder/").c_str()));
        Attributes().clear();
        Asked().clear();
        headless::ClearJournal();
        window = std::make_unique<ProbeWindow>();
    }

    void TearDown() override { DeleteChildren(parent); }

    static std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

    // Deletes the trees below control; a control goes before its children, which it unlinks.
    static void DeleteChildren(CUIControl& control)
    {
        std::vector<CUIControl*> children;
        for (int i = 0; i < control.GetCount(); ++i)
            children.push_back(control.GetItemAt(i));
        control.RemoveAll();
        for (CUIControl* child : children) {
            DeleteChildren(*child);
            delete child;
        }
    }

    // Builds file with the probe factory, without window.
    CUIControl* Build(const wchar_t* file, CUIControl* into = nullptr)
    {
        ProbeFactory factory;
        CDialogBuilder builder(&factory);
        return builder.Create(file, nullptr, into);
    }

    // Builds file for a probe window, which "Include" copies need for their callback.
    CUIControl* BuildForWindow(const wchar_t* file, CUIControl* into)
    {
        CDialogBuilder builder(window.get());
        return builder.Create(file, window.get(), into);
    }

    CUIControl parent;
    std::unique_ptr<ProbeWindow> window;
};

TEST_F(BuilderTest, AWindowFileGivesItsLastControlBuiltChildrenFirst)
{
    std::unique_ptr<CUIControl> layout(BuildForWindow(L"window.xml", nullptr));
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(Narrow(layout->GetName()), "layout");
    EXPECT_EQ(ChildNames(*layout), (Lines{"first", "second"}));
    // Each control holds the lent window while its attributes are applied, and its
    // children their parent; afterwards the window is taken back.
    EXPECT_EQ(Attributes(), (Lines{"first.name=first [window]", "first.text=one [window]",
                                   "second.name=second [window]", "second.text=two [window]",
                                   "layout.name=layout [window]", "layout.text=outer [window]"}));
    EXPECT_EQ(layout->GetOwnWindow(), nullptr);
    EXPECT_EQ(layout->GetItemAt(0)->GetOwnWindow(), nullptr);
    DeleteChildren(*layout);
}

TEST_F(BuilderTest, EveryControlBelowHoldsTheLentWindowAndItsParentWhileAnAncestorsAttributesAreSet)
{
    std::unique_ptr<CUIControl> outer(BuildForWindow(L"lent_deep.xml", nullptr));
    ASSERT_NE(outer, nullptr);
    // The included copy, unnamed, came back without the window and gets it again with its
    // parent's; each control itself holds the window without a parent.
    EXPECT_EQ(Attributes(), (Lines{"inner.name=inner [window]", ".text=inner [window]", ".source=include_one.xml",
                                   "middle.name=middle [window]", "middle.survey= [window]",
                                   "middle sees inner:wp :wp", "outer.name=outer [window]",
                                   "outer.survey= [window]", "outer sees middle:wp inner:wp :wp"}));
    EXPECT_EQ(outer->GetOwnWindow(), nullptr);
    EXPECT_EQ(outer->GetParent(), nullptr);
    EXPECT_EQ(Survey(*outer, nullptr), " middle:wp inner:wp :wp");
    DeleteChildren(*outer);
}

TEST_F(BuilderTest, TheRootIsNeverBuiltAndEveryChildGoesToTheParent)
{
    CUIControl* last = Build(L"plain_root.xml");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(Narrow(last->GetName()), "b");
    delete last;
    EXPECT_EQ(ProbesAlive(), 0);  // "a" was built, then dropped, not leaked

    CUIControl* added = Build(L"plain_root.xml", &parent);
    EXPECT_EQ(added, parent.GetItemAt(1));
    EXPECT_EQ(ChildNames(parent), (Lines{"a", "b"}));
    EXPECT_FALSE(Contains(Attributes(), "root only"));
}

TEST_F(BuilderTest, WhatFollowsTheControlElementDecidesTheResult)
{
    const struct {
        const wchar_t* file;
        Lines asked;
    } cases[] = {
        {L"resource_last.xml", {"Probe", "Probe"}},  // a resource element after the control
        {L"unknown.xml", {"Mystery"}},               // no factory knows it: its subtree is skipped
        {L"text_node.xml", {"Probe", ""}},           // text is offered under the empty name
    };
    for (const auto& one : cases) {
        Asked().clear();
        EXPECT_EQ(Build(one.file), nullptr) << Narrow(one.file);
        EXPECT_EQ(Asked(), one.asked) << Narrow(one.file);
        EXPECT_EQ(ProbesAlive(), 0) << Narrow(one.file);
    }
}

TEST_F(BuilderTest, TheWindowsDefaultListComesBeforeTheElementsOwnAttributes)
{
    BuildForWindow(L"defaults.xml", &parent);
    ASSERT_EQ(ChildNames(parent), (Lines{"own", "plain"}));
    EXPECT_EQ(Narrow(parent.GetItemAt(0)->GetText()), "own text");
    EXPECT_EQ(Narrow(parent.GetItemAt(1)->GetText()), "from the list");  // the first list for the name
    EXPECT_EQ(Narrow(parent.GetItemAt(1)->GetUserData()), "listed");

    CUIControl windowless;
    Build(L"defaults.xml", &windowless);
    ASSERT_EQ(windowless.GetCount(), 2);
    EXPECT_TRUE(windowless.GetItemAt(1)->GetText().IsEmpty());
    DeleteChildren(windowless);
}

TEST_F(BuilderTest, TheElementNameTableNamesItsClassesExactly)
{
    const struct {
        const wchar_t* element;
        const char* className;  // null: no control
    } cases[] = {
        {L"Container", "ContainerUI"}, {L"Control", "UIControl"}, {L"ScrollBar", "ScrollBarUI"},
        {L"Label", "LabelUI"},         {L"Text", "TextUI"},       {L"Button", "ButtonUI"},
        {L"Option", "OptionUI"},       {L"CheckBox", "CheckBoxUI"}, {L"Progress", "ProgressUI"},
        {L"Slider", "SliderUI"},
        {L"control", nullptr},         {L"Probe", nullptr},       {L"", nullptr},
    };
    for (const auto& one : cases) {
        std::unique_ptr<CUIControl> made(CDialogBuilder::CreateControlByClass(one.element));
        EXPECT_EQ(made ? Narrow(made->GetClass()) : "none", one.className ? one.className : "none")
            << Narrow(one.element);
    }
}

TEST_F(BuilderTest, FactoriesAreAskedTableFirstThenTheCallbackThenThePlugins)
{
    ASSERT_TRUE(GlobalManager::LoadPlugin((vonktest::LibDir() + "/libvonk-test-plugin.so").c_str()));
    Build(L"factories.xml", &parent);
    ASSERT_EQ(ChildNames(parent), (Lines{"table", "plugged", "contested"}));
    EXPECT_EQ(Narrow(parent.GetItemAt(0)->GetClass()), "UIControl");
    EXPECT_EQ(Narrow(parent.GetItemAt(1)->GetUserData()), "plugin");
    EXPECT_NE(dynamic_cast<Probe*>(parent.GetItemAt(2)), nullptr);
    EXPECT_EQ(Asked(), (Lines{"PluginControl", "Contested"}));  // never the table's "Control"
}

TEST_F(BuilderTest, IncludeBuildsEachCopyIntoTheParentAndHandsItTheIncludeAttributes)
{
    CUIControl* result = BuildForWindow(L"include_three.xml", &parent);
    ASSERT_EQ(parent.GetCount(), 3);
    EXPECT_EQ(result, parent.GetItemAt(2));
    Lines expected;
    for (int copy = 0; copy < 3; ++copy) {
        // The copy's own attribute with the window lent, then every attribute of the
        // Include element without it.
        expected.insert(expected.end(),
                        {".text=inner [window]", ".source=include_one.xml", ".count=3", "copy.name=copy"});
    }
    EXPECT_EQ(Attributes(), expected);

    CUIControl empty;
    EXPECT_EQ(BuildForWindow(L"include_nothing.xml", &empty), nullptr);
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST_F(BuilderTest, IncludedCopiesUseTheWindowsOwnCallback)
{
    CDialogBuilder withoutCallback;
    CUIControl* result = withoutCallback.Create(L"include_three.xml", window.get(), &parent);
    EXPECT_EQ(parent.GetCount(), 3);
    EXPECT_NE(dynamic_cast<Probe*>(result), nullptr);

    // A window that is no CWindowImpBase has no callback to lend: the copies build nothing.
    BareWindow bare;
    CUIControl empty;
    EXPECT_EQ(withoutCallback.Create(L"include_three.xml", &bare, &empty), nullptr);
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST_F(BuilderTest, AFileThatIncludesItselfIsRefusedWithALogLine)
{
    const struct {
        const wchar_t* file;
        Lines built;
        size_t refusals;
    } cases[] = {
        {L"cycle_self.xml", {"before"}, 1},
        {L"cycle_a.xml", {"a", "b", "b", "b"}, 9},
        {L"repeated.xml", {"", "", ""}, 0},  // the same file three times is no cycle
    };
    for (const auto& one : cases) {
        vonktest::LogCapture log;
        BuildForWindow(one.file, &parent);
        const Lines messages = log.Messages();
        EXPECT_EQ(ChildNames(parent), one.built) << Narrow(one.file);
        size_t refusals = 0;
        for (const std::string& message : messages)
            refusals += message.find("markup file includes itself") != std::string::npos;
        EXPECT_EQ(refusals, one.refusals) << Narrow(one.file);
        DeleteChildren(parent);
    }
}

TEST_F(BuilderTest, FilesThatCannotBeLoadedGiveNullWithALogLineAndWhy)
{
    const std::string dir = vonktest::DataDir() + "/builder/";
    // A folder is no file either: read as one, it would seem to have no end.
    const struct {
        const wchar_t* file;
        std::string why;
    } cases[] = {
        {L"missing.xml", "markup file " + dir + "missing.xml does not exist "},
        {L"malformed.xml", dir + "malformed.xml:4:3: Start-end tags mismatch "},
        {L".", "markup file " + dir + ". is not a regular file "},
    };
    for (const auto& one : cases) {
        vonktest::LogCapture log;
        EXPECT_EQ(Build(one.file), nullptr);
        const Lines messages = log.Messages();
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_NE(messages[0].find("src/ui/src/DialogBuilder.cpp"), std::string::npos);
        EXPECT_NE(messages[0].find("] load xml file error  " + dir + Narrow(one.file) + " "), std::string::npos);
        EXPECT_EQ(messages[1].substr(messages[1].find("] ") + 2), one.why);
    }
    vonktest::LogCapture log;
    EXPECT_EQ(Build(L""), nullptr);
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(ProbesAlive(), 0);
}

TEST_F(BuilderTest, MarkupNestedTooDeepIsCutWithALogLine)
{
    // Far deeper than a stack could take if every level were built.
    const int levels = 50000;
    std::string markup = "<Window>";
    for (int i = 0; i < levels; ++i)
        markup += "<Container>";
    for (int i = 0; i < levels; ++i)
        markup += "</Container>";
    markup += "</Window>";
    const std::string dir = testing::TempDir();
    std::ofstream(dir + "deep.xml") << markup;
    CResourceMgr::SetResourePath(CUIString(Wide(dir).c_str()));

    vonktest::LogCapture log;
    ASSERT_NE(Build(L"deep.xml", &parent), nullptr);
    const Lines messages = log.Messages();
    // The parent's level counts: with it the tree is 256 levels deep.
    int depth = 0;
    for (CUIControl* level = &parent; level; level = level->GetCount() > 0 ? level->GetItemAt(0) : nullptr)
        ++depth;
    EXPECT_EQ(depth, 256);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("] " + dir + "deep.xml:1: <Container> would stand deeper than 256 levels in the "
                               "control tree: neither it nor its children are built "),
              std::string::npos);
}

TEST_F(BuilderTest, AnIncludeCountTooLargeIsRefusedAndTheFileBuiltOnce)
{
    const std::string dir = testing::TempDir();
    std::ofstream(dir + "one.xml") << "<Markup><Probe name=\"copy\"/></Markup>";
    std::ofstream(dir + "many.xml") << "<Markup><Include source=\"one.xml\" count=\"99999999999999999999\"/>"
                                       "<Include source=\"missing.xml\" count=\"10001\"/></Markup>";
    CResourceMgr::SetResourePath(CUIString(Wide(dir).c_str()));

    vonktest::LogCapture log;
    BuildForWindow(L"many.xml", &parent);
    EXPECT_EQ(ChildNames(parent), Lines{"copy"});
    size_t refusals = 0;
    for (const std::string& message : log.Messages())
        refusals += message.find("include count too large") != std::string::npos;
    EXPECT_EQ(refusals, 2u);
}

// Counts multiply across nested files: one build makes 2,000 copies in all of files it
// met before, and the next build counts afresh.
TEST_F(BuilderTest, IncludeCopiesAcrossNestedFilesAreBoundedPerBuild)
{
    const std::string dir = testing::TempDir();
    std::ofstream(dir + "leaf.xml") << "<Markup><Control/></Markup>";
    std::ofstream(dir + "rows.xml") << "<Markup><Include source=\"leaf.xml\" count=\"50\"/></Markup>";
    std::ofstream(dir + "table.xml") << "<Markup><Include source=\"rows.xml\" count=\"50\"/></Markup>";
    CResourceMgr::SetResourePath(CUIString(Wide(dir).c_str()));

    vonktest::LogCapture log;
    BuildForWindow(L"table.xml", &parent);
    // The first rows.xml and leaf.xml are no copies: 49 leaf copies, then each rows.xml copy
    // takes one copy and its leaves 50: 38 whole ones, then 12 leaves.
    EXPECT_EQ(parent.GetCount(), 50 + 38 * 50 + 12);
    size_t refusals = 0;
    for (const std::string& message : log.Messages())
        refusals += message.find("] " + dir + "rows.xml:1: markup copies too many for one window (2000): " + dir +
                                 "leaf.xml and every later copy are not built ") != std::string::npos;
    EXPECT_EQ(refusals, 1u);

    DeleteChildren(parent);
    BuildForWindow(L"rows.xml", &parent);
    EXPECT_EQ(parent.GetCount(), 50);
}

TEST_F(BuilderTest, ABuildIntoAnAttachedParentLeavesAConsistentTree)
{
    window->AttachDlg(&parent);
    ASSERT_NE(BuildForWindow(L"plain_root.xml", &parent), nullptr);
    for (const char* name : {"a", "b"}) {
        CUIControl* child = window->FindControl(Wide(name).c_str());
        ASSERT_NE(child, nullptr) << name;
        EXPECT_EQ(child->GetOwnWindow(), window.get());
        EXPECT_EQ(child->GetParent(), &parent);
    }
    // An included copy takes its name from the "Include" element after it was attached.
    ASSERT_NE(BuildForWindow(L"include_three.xml", &parent), nullptr);
    CUIControl* copy = window->FindControl(L"copy");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetParent(), &parent);
    // The root must outlive nothing: the window forgets it before the test deletes it.
    parent.SetOwnWindow(nullptr, nullptr, false);
}

TEST_F(BuilderTest, AWindowLoadsItsMarkupWhenTheBackendCreatesIt)
{
    ProbeWindow loading(L"window.xml");
    loading.Create(0, 0, 200, 100);
    ASSERT_NE(loading.GetRoot(), nullptr);
    EXPECT_EQ(Narrow(loading.GetRoot()->GetName()), "layout");
    EXPECT_EQ(loading.initialised, 1);
    ASSERT_NE(loading.FindControl(L"second"), nullptr);
    EXPECT_EQ(loading.FindControl(L"second")->GetOwnWindow(), &loading);
    EXPECT_TRUE(Contains(headless::Journal(), "Window.ReSize(640,480)"));
    EXPECT_EQ(loading.FindControl(L"second")->GetParent(), loading.GetRoot());
    DeleteChildren(*loading.GetRoot());
    loading.DetachDlg();
}

TEST_F(BuilderTest, AWindowWhoseMarkupCannotBeBuiltSaysSoAndStaysEmpty)
{
    for (const wchar_t* skin : {L"missing.xml", L"resource_last.xml", L"unknown.xml"}) {
        ProbeWindow failing(skin);
        vonktest::LogCapture log;
        failing.Create(0, 0, 200, 100);
        const Lines messages = log.Messages();
        EXPECT_EQ(failing.GetRoot(), nullptr);
        EXPECT_EQ(failing.initialised, 0);
        ASSERT_FALSE(messages.empty());
        EXPECT_NE(messages.back().find("src/ui/src/WindowImpBase.cpp"), std::string::npos);
        EXPECT_NE(messages.back().find("] builder error : root == null "), std::string::npos);
        EXPECT_EQ(ProbesAlive(), 0) << Narrow(skin);
    }
}

}  // namespace
