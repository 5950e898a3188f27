// What a control class of the application sees of the window while the builder builds it:
// each SetOwnWindow call it receives, in order, and the window and parent pointers that it
// and the controls below it hold while its attributes are set; then attaching the result.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "window_tree.h"

namespace {

using vonktest::Lines;
using vonktest::Narrow;

// What one control held at one moment, kept as pointers and named once the test is done,
// when every control has its name.
struct Held {
    const CUIControl* control;
    const CUIWindow* window;
    const CUIControl* parent;
};

// One call that reached a recording control: a SetOwnWindow (init told), or an attribute
// with what the control and everything below it held right after it was set.
struct Call {
    bool own;
    Held held;
    bool init;
    std::string attribute;
    std::vector<Held> below;
};

std::vector<Call>& Calls()
{
    static std::vector<Call> calls;
    return calls;
}

void HeldBelow(const CUIControl& control, std::vector<Held>& held)
{
    for (int i = 0; i < control.GetCount(); ++i) {
        const CUIControl* child = control.GetItemAt(i);
        held.push_back({child, child->GetOwnWindow(), child->GetParent()});
        HeldBelow(*child, held);
    }
}

// A container of the application's that records what it receives.
class Rec : public CUIContainer {
public:
    void SetOwnWindow(CUIWindow* window, CUIControl* parent, bool init) override
    {
        Calls().push_back({true, {this, window, parent}, init, {}, {}});
        CUIContainer::SetOwnWindow(window, parent, init);
    }

    void SetAttribute(const wchar_t* name, const wchar_t* value) override
    {
        CUIContainer::SetAttribute(name, value);
        Call call{false, {this, GetOwnWindow(), GetParent()}, false, Narrow(name), {}};
        HeldBelow(*this, call.below);
        Calls().push_back(call);
    }
};

class RecWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L""; }
    CUIControl* CreateControl(const CUIString& name) override { return name == L"Rec" ? new Rec : nullptr; }
};

class BuilderLendingTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        m_dir = std::filesystem::path(testing::TempDir()) / ("vonk-lending-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
        const std::wstring dir = m_dir.wstring() + L"/";
        CResourceMgr::SetResourePath(CUIString(dir.c_str()));
        Calls().clear();
    }

    void TearDown() override
    {
        if (window.GetRoot())
            vonktest::DeleteTree(window);
        std::filesystem::remove_all(m_dir);
    }

    void Write(const char* file, const std::string& markup) const
    {
        std::ofstream(m_dir / file) << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" << markup;
    }

    // Builds markup, written to a file, for a window (or none), under a parent (or none).
    CUIControl* Build(const std::string& markup, CUIWindow* to, CUIControl* parent = nullptr)
    {
        Write("lending.xml", markup);
        CDialogBuilder builder(&window);
        return builder.Create(L"lending.xml", to, parent);
    }

    std::string Name(const CUIControl* control) const { return control ? Narrow(control->GetName()) : "null"; }
    std::string Name(const CUIWindow* held) const { return held == nullptr ? "null" : held == &window ? "w" : "?"; }
    std::string Text(const Held& held) const
    {
        return Name(held.control) + "(" + Name(held.window) + ", " + Name(held.parent) + ")";
    }

    // The calls since the last look, as "c.SetOwnWindow(w, p, false)" and
    // "p.name: p(w, null) c(w, p)".
    Lines Seen()
    {
        Lines seen;
        for (const Call& call : Calls()) {
            if (call.own) {
                seen.push_back(Name(call.held.control) + ".SetOwnWindow(" + Name(call.held.window) + ", " +
                               Name(call.held.parent) + (call.init ? ", true)" : ", false)"));
                continue;
            }
            std::string line = Name(call.held.control) + "." + call.attribute + ": " + Text(call.held);
            for (const Held& below : call.below)
                line += " " + Text(below);
            seen.push_back(line);
        }
        Calls().clear();
        return seen;
    }

    // Every control of the tree with what it holds, the top first.
    std::string Holding(const CUIControl& top) const
    {
        std::vector<Held> held{{&top, top.GetOwnWindow(), top.GetParent()}};
        HeldBelow(top, held);
        std::string text;
        for (const Held& each : held)
            text += (text.empty() ? "" : " ") + Text(each);
        return text;
    }

    RecWindow window;

private:
    std::filesystem::path m_dir;
};

// Each case is built for the window, then attached to it.
struct LendingCase {
    const char* what;
    std::string markup;
    Lines built;     // the calls while the build runs
    Lines attached;  // the calls while AttachDlg runs
    std::string afterBuild;
};

const LendingCase kCases[] = {
    {"an application's container with one of its own inside",
     R"(<Window><Rec name="p"><Rec name="c"/></Rec></Window>)",
     {"c.SetOwnWindow(w, null, false)", "c.name: c(w, null)", "c.SetOwnWindow(null, null, false)",
      // Lending p lends c again, now with p as its parent; taking it back takes it from both.
      "p.SetOwnWindow(w, null, false)", "c.SetOwnWindow(w, p, false)", "p.name: p(w, null) c(w, p)",
      "p.SetOwnWindow(null, null, false)", "c.SetOwnWindow(null, p, false)"},
     {"p.SetOwnWindow(w, null, true)", "c.SetOwnWindow(w, p, true)"},
     "p(null, null) c(null, p)"},
    {"one of the application's two levels below library containers",
     R"(<Window><VerticalLayout name="v"><HorizontalLayout name="h"><Rec name="c"/></HorizontalLayout></VerticalLayout></Window>)",
     {"c.SetOwnWindow(w, null, false)", "c.name: c(w, null)", "c.SetOwnWindow(null, null, false)",
      "c.SetOwnWindow(w, h, false)", "c.SetOwnWindow(null, h, false)",  // h lent and taken back
      "c.SetOwnWindow(w, h, false)", "c.SetOwnWindow(null, h, false)"},  // v lent and taken back
     {"c.SetOwnWindow(w, h, true)"},
     "v(null, null) h(null, v) c(null, h)"},
    {"a library container holding one of the application's, which holds a library control",
     R"(<Window><HorizontalLayout name="h"><Rec name="c"><Control name="leaf"/></Rec></HorizontalLayout></Window>)",
     {"c.SetOwnWindow(w, null, false)", "c.name: c(w, null) leaf(w, c)", "c.SetOwnWindow(null, null, false)",
      "c.SetOwnWindow(w, h, false)", "c.SetOwnWindow(null, h, false)"},
     {"c.SetOwnWindow(w, h, true)"},
     "h(null, null) c(null, h) leaf(null, c)"},
    {"siblings, the first taken back before the second is lent, and a library control between them",
     R"(<Window><Rec name="p"><Rec name="a"/><Label name="l"/><Rec name="b"/></Rec></Window>)",
     {"a.SetOwnWindow(w, null, false)", "a.name: a(w, null)", "a.SetOwnWindow(null, null, false)",
      "b.SetOwnWindow(w, null, false)", "b.name: b(w, null)", "b.SetOwnWindow(null, null, false)",
      "p.SetOwnWindow(w, null, false)", "a.SetOwnWindow(w, p, false)", "b.SetOwnWindow(w, p, false)",
      "p.name: p(w, null) a(w, p) l(w, p) b(w, p)", "p.SetOwnWindow(null, null, false)",
      "a.SetOwnWindow(null, p, false)", "b.SetOwnWindow(null, p, false)"},
     {"p.SetOwnWindow(w, null, true)", "a.SetOwnWindow(w, p, true)", "b.SetOwnWindow(w, p, true)"},
     "p(null, null) a(null, p) l(null, p) b(null, p)"},
    {"an included copy, which takes the include's attributes without the window",
     R"(<Window><Rec name="p"><Include source="one.xml"/></Rec></Window>)",
     {"i.SetOwnWindow(w, null, false)", "i.name: i(w, null)", "i.SetOwnWindow(null, null, false)",
      "i.source: i(null, null)", "p.SetOwnWindow(w, null, false)", "i.SetOwnWindow(w, p, false)",
      "p.name: p(w, null) i(w, p)", "p.SetOwnWindow(null, null, false)", "i.SetOwnWindow(null, p, false)"},
     {"p.SetOwnWindow(w, null, true)", "i.SetOwnWindow(w, p, true)"},
     "p(null, null) i(null, p)"},
};

TEST_F(BuilderLendingTest, EachControlIsLentTheWindowForItsAttributesAndWithItsParentForItsAncestors)
{
    Write("one.xml", R"(<Include><Rec name="i"/></Include>)");
    for (const LendingCase& one : kCases) {
        SCOPED_TRACE(one.what);
        CUIControl* top = Build(one.markup, &window);
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(Seen(), one.built);
        EXPECT_EQ(Holding(*top), one.afterBuild);

        window.AttachDlg(top);
        EXPECT_EQ(Seen(), one.attached);
        // Attached, every control holds the window and the control that lists it.
        std::string attached = one.afterBuild;
        for (size_t at = 0; (at = attached.find("(null, ", at)) != std::string::npos;)
            attached.replace(at, 7, "(w, ");
        EXPECT_EQ(Holding(*top), attached);
        vonktest::DeleteTree(window);
    }
}

TEST_F(BuilderLendingTest, WithoutAWindowNothingIsLentAndNothingHoldsAParentUntilAttached)
{
    for (const LendingCase& one : kCases) {
        // Without a window an include's copy has no callback to make the application's controls.
        if (one.markup.find("Include") != std::string::npos)
            continue;
        SCOPED_TRACE(one.what);
        CUIControl* top = Build(one.markup, nullptr);
        ASSERT_NE(top, nullptr);
        // Only attributes arrive, and adding to a parent without a window links a child
        // without giving it its parent.
        for (const Call& call : Calls()) {
            EXPECT_FALSE(call.own);
            EXPECT_EQ(call.held.window, nullptr);
            EXPECT_EQ(call.held.parent, nullptr);
            for (const Held& below : call.below)
                EXPECT_TRUE(below.window == nullptr && below.parent == nullptr) << Text(below);
        }
        Calls().clear();
        window.AttachDlg(top);
        EXPECT_EQ(Seen(), one.attached);
        vonktest::DeleteTree(window);
    }
}

TEST_F(BuilderLendingTest, AParentWithAWindowAttachesWhatIsBuiltIntoItAndNothingIsLent)
{
    CUIContainer* host = new CUIContainer;
    host->SetName(L"host");
    window.AttachDlg(host);
    CUIControl* top = Build(R"(<Window><Rec name="p"><Rec name="c"/></Rec></Window>)", &window, host);
    ASSERT_EQ(top, host->GetItemAt(0));
    // c is built into p, which has no window yet; p is added to the host, which attaches it.
    EXPECT_EQ(Seen(), (Lines{"c.SetOwnWindow(w, null, false)", "c.name: c(w, null)",
                             "c.SetOwnWindow(null, null, false)", "p.SetOwnWindow(w, host, true)",
                             "c.SetOwnWindow(w, p, true)", "p.name: p(w, host) c(w, p)"}));
    EXPECT_EQ(Holding(*host), "host(w, null) p(w, host) c(w, p)");
    // The name that p's attributes gave it after it was attached is registered as well.
    EXPECT_EQ(window.FindControl(L"p"), top);
    EXPECT_EQ(window.FindControl(L"c"), top->GetItemAt(0));
}

TEST_F(BuilderLendingTest, AChildLayoutBuildsItsFileWithTheWindowLentThenAttachesIt)
{
    Write("child.xml", R"(<Window><Rec name="k"><Rec name="m"/></Rec></Window>)");
    CUIControl* top = Build(R"(<Window><ChildLayout name="cl" xmlfile="child.xml"/></Window>)", &window);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(Seen(), Lines{});
    window.AttachDlg(top);
    EXPECT_EQ(Seen(), (Lines{"m.SetOwnWindow(w, null, false)", "m.name: m(w, null)",
                             "m.SetOwnWindow(null, null, false)", "k.SetOwnWindow(w, null, false)",
                             "m.SetOwnWindow(w, k, false)", "k.name: k(w, null) m(w, k)",
                             "k.SetOwnWindow(null, null, false)", "m.SetOwnWindow(null, k, false)",
                             "k.SetOwnWindow(w, cl, true)", "m.SetOwnWindow(w, k, true)"}));
    EXPECT_EQ(Holding(*top), "cl(w, null) k(w, cl) m(w, k)");
    EXPECT_EQ(window.FindControl(L"m"), top->GetItemAt(0)->GetItemAt(0));
}

}  // namespace
