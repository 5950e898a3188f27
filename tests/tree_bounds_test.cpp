// The bounds of a control tree made through the child operations: nothing is added below
// itself or one of its ancestors, nothing below the documented depth, and the deepest tree
// allowed lays out, paints, hit tests, passes events up and tears down, on a thread with a
// small stack too. Each case tries what would otherwise hang or exhaust the stack.

#include <gtest/gtest.h>

#include <pthread.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "user_actions.h"
#include "window_tree.h"

namespace {

using vonktest::Lines;

// The documented bound (docs/markup.md, "Limits"): no control stands below this level.
constexpr int kMaxTreeDepth = 256;
// Far deeper than any stack takes if every level were walked.
constexpr int kHostileDepth = 100000;

const char kTooDeep[] = "] control tree nested too deep  ";
const char kBelowItself[] = "] control added below itself  ";

size_t CountOf(const Lines& messages, const std::string& text)
{
    size_t count = 0;
    for (const std::string& message : messages)
        count += message.find(text) != std::string::npos;
    return count;
}

// The level a control stands at, counted through its parents.
int LevelOf(const CUIControl* control)
{
    int level = 1;
    for (const CUIControl* above = control->GetParent(); above && level <= kHostileDepth; above = above->GetParent())
        ++level;
    return level;
}

IListItemUI* AsItem(CUIControl* control) { return static_cast<IListItemUI*>(control->GetInterface(L"ListItem")); }

// A tree grown one level at a time, the control that the last step refused, and the
// controls outside the tree that the case made.
struct Grown {
    CUIControl* root = nullptr;
    CUIControl* deepest = nullptr;
    CUIControl* refused = nullptr;
    std::vector<CUIControl*> others;
};

using Make = std::function<CUIControl*()>;
using Step = std::function<bool(CUIControl* above, CUIControl* below)>;

// Grows first by step until a step refuses, or for kHostileDepth levels: down puts each new
// control below the deepest, otherwise above the root.
Grown Grow(CUIControl* first, const Make& make, const Step& step, bool down)
{
    Grown grown{first, first, nullptr, {}};
    for (int level = 1; level < kHostileDepth; ++level) {
        CUIControl* fresh = make();
        const bool added = down ? step(grown.deepest, fresh) : step(fresh, grown.root);
        if (!added) {
            grown.refused = fresh;
            break;
        }
        (down ? grown.deepest : grown.root) = fresh;
    }
    return grown;
}

CUIControl* NewColumn() { return new CUIVerticalLayout; }

// A chain of that many levels of what make makes.
Grown Chain(int levels, const Make& make)
{
    Grown chain{make(), nullptr, nullptr, {}};
    chain.deepest = chain.root;
    for (int level = 1; level < levels; ++level) {
        CUIControl* below = make();
        EXPECT_TRUE(chain.deepest->Add(below));
        chain.deepest = below;
    }
    return chain;
}

bool AddBelow(CUIControl* above, CUIControl* below) { return above->Add(below); }
bool AddAtTheFront(CUIControl* above, CUIControl* below) { return above->AddAt(below, 0); }

// Lists and their items in turn, after one column: column, list, (body), item, list, (body),
// item ... so that the body stands at the deepest level when an item comes to it.
Make ListsAndItems()
{
    return [made = 0]() mutable -> CUIControl* {
        if (made++ == 0)
            return NewColumn();
        return made % 2 == 0 ? static_cast<CUIControl*>(new CListUI) : new CListContainerElementUI;
    };
}

// A press, moves, a release and the wheel at the window's centre, a change of the deepest
// control's size and the relayout it asks for, hiding and showing the whole tree: every walk
// of the tree that the window and the controls make.
void UseTheTree(CMsgHandler* handler, CUIControl* root, CUIControl* deepest)
{
    ASSERT_EQ(vonktest::Paint(handler), 1);
    vonktest::MoveTo(handler, 100, 50);
    vonktest::Click(handler, 100, 50);
    vonktest::Wheel(handler, 100, 50, 1);
    vonktest::MoveTo(handler, 300, 300);
    deepest->SetFixedHeight(40);
    EXPECT_EQ(vonktest::Paint(handler), 1);
    root->SetVisible(false);
    EXPECT_FALSE(deepest->IsAreaVisible());
    root->SetVisible(true);
    EXPECT_EQ(vonktest::Paint(handler), 1);
}

// ---- depth, by each form of adding ----

struct DepthCase {
    const char* name;
    std::function<Grown()> grow;
    // The level of the control added last: a list's body stands a level below the list.
    int deepest;
    // A chain of columns, the deepest at the top left: the hit test reaches it.
    bool columns;
};

const DepthCase kDepthCases[] = {
    {"AddBelowTheDeepest", [] { return Grow(NewColumn(), NewColumn, AddBelow, true); }, kMaxTreeDepth, true},
    {"AddAboveTheRoot", [] { return Grow(NewColumn(), NewColumn, AddBelow, false); }, kMaxTreeDepth, true},
    {"AddAtBelowTheDeepest", [] { return Grow(NewColumn(), NewColumn, AddAtTheFront, true); }, kMaxTreeDepth, true},
    {"TabPageBelowTheDeepest",
     [] {
         const Make tab = [] { return static_cast<CUIControl*>(new CUITabLayout); };
         return Grow(tab(), tab, AddBelow, true);
     },
     kMaxTreeDepth, false},
    {"ListItemBelowTheDeepest", [] { return Grow(NewColumn(), ListsAndItems(), AddBelow, true); }, kMaxTreeDepth - 1,
     false},
    {"ListItemAtBelowTheDeepest", [] { return Grow(NewColumn(), ListsAndItems(), AddAtTheFront, true); },
     kMaxTreeDepth - 1, false},
    // A control below a scroll bar stands a level below the bar, two below the bar's container.
    // A tree's deleter leaves what hangs below scroll bars to the application.
    {"BelowTheScrollBarOfTheDeepest",
     [] {
         std::vector<CUIControl*> belowBars;
         const Step belowTheBar = [&belowBars](CUIControl* above, CUIControl* below) {
             const bool added = static_cast<CUIContainer*>(above)->GetVerticalScrollBar()->Add(below);
             if (added)
                 belowBars.push_back(below);
             return added;
         };
         Grown grown = Grow(NewColumn(), NewColumn, belowTheBar, true);
         grown.others = belowBars;
         return grown;
     },
     kMaxTreeDepth - 1, false},
    // Without a window no control has a parent: its listings give its level. The deepest
    // column is listed in a second container as well, just below a root.
    {"BelowAControlListedInAShallowAndADeepContainer",
     [] {
         const Grown deep = Chain(kMaxTreeDepth, NewColumn);
         CUIControl* shallow = NewColumn();
         EXPECT_TRUE(shallow->Add(deep.deepest));
         Grown below = Grow(deep.deepest, NewColumn, AddBelow, true);
         below.root = deep.root;
         below.others.push_back(shallow);
         return below;
     },
     kMaxTreeDepth, true},
};

class DepthTest : public vonktest::WindowFixture, public testing::WithParamInterface<DepthCase> {};

TEST_P(DepthTest, AddingRefusesAControlBelowTheDeepestLevelAndTheTreeWorks)
{
    vonktest::LogCapture log;
    const Grown grown = GetParam().grow();
    const Lines messages = log.Messages();
    EXPECT_EQ(CountOf(messages, kTooDeep), 1u);
    if (grown.refused) {
        EXPECT_EQ(grown.refused->GetParent(), nullptr);
        // A list keeps an item it refused out of its bookkeeping.
        if (IListItemUI* item = AsItem(grown.refused)) {
            EXPECT_EQ(item->GetOwner(), nullptr);
        }
        delete grown.refused;
    }

    window->Show(true);
    window->AttachDlg(grown.root);
    EXPECT_EQ(LevelOf(grown.deepest), GetParam().deepest);
    UseTheTree(handler, grown.root, grown.deepest);
    if (GetParam().columns) {
        EXPECT_EQ(window->FindControl(tagPOINT{100, 10}), grown.deepest);
    }
    vonktest::DeleteTree(*window);
    for (CUIControl* other : grown.others)
        delete other;
}

INSTANTIATE_TEST_SUITE_P(Forms, DepthTest, testing::ValuesIn(kDepthCases),
                         [](const testing::TestParamInfo<DepthCase>& info) { return std::string(info.param.name); });

// A child layout builds the tree of its file when it gets its window, below itself: the
// builder stops that tree at the deepest level, with a line naming the file, and the child
// operations take what was built.
class ChildLayoutDepthTest : public vonktest::WindowFixture {};

TEST_F(ChildLayoutDepthTest, ATreeTooDeepForTheLayoutsPlaceIsCutAtTheDeepestLevel)
{
    const std::string dir = testing::TempDir();
    std::ofstream(dir + "ten.xml") << "<Markup><VerticalLayout><VerticalLayout><VerticalLayout><VerticalLayout>"
                                      "<VerticalLayout><VerticalLayout><VerticalLayout><VerticalLayout>"
                                      "<VerticalLayout><VerticalLayout/></VerticalLayout></VerticalLayout>"
                                      "</VerticalLayout></VerticalLayout></VerticalLayout></VerticalLayout>"
                                      "</VerticalLayout></VerticalLayout></VerticalLayout></Markup>";
    CResourceMgr::SetResourePath(CUIString(std::wstring(dir.begin(), dir.end()).c_str()));
    const Grown chain = Chain(kMaxTreeDepth - 5, NewColumn);
    window->AttachDlg(chain.root);
    auto* layout = new CUIChildLayout;
    layout->SetChildLayoutXML(L"ten.xml");

    vonktest::LogCapture log;
    EXPECT_TRUE(chain.deepest->Add(layout));
    int levels = 0;  // below the layout
    for (CUIControl* level = layout->GetItemAt(0); level; level = level->GetItemAt(0))
        ++levels;
    EXPECT_EQ(levels, 4);
    const auto messages = log.Messages();
    EXPECT_EQ(CountOf(messages, kTooDeep), 0u);
    EXPECT_EQ(CountOf(messages, "ten.xml:1: <VerticalLayout> would stand deeper than 256 levels"), 1u);
    vonktest::DeleteTree(*window);
}

// A list routes a header to its own children: one that would reach too deep is refused
// before it takes the place of the list's header.
TEST(TreeBoundsTest, AListKeepsItsHeaderWhenItRefusesANewOne)
{
    const Grown chain = Chain(kMaxTreeDepth - 2, NewColumn);
    auto* list = new CListUI;
    ASSERT_TRUE(chain.deepest->Add(list));
    CListHeaderUI* header = list->GetHeader();
    auto* taller = new CListHeaderUI;
    taller->Add(new CListHeaderItemUI);

    vonktest::LogCapture log;
    EXPECT_FALSE(list->Add(taller));
    EXPECT_EQ(CountOf(log.Messages(), kTooDeep), 1u);
    EXPECT_EQ(list->GetHeader(), header);
    EXPECT_EQ(list->CUIControl::GetItemAt(0), header);
    DeleteControlTree(taller);
    DeleteControlTree(chain.root);
}

// The height of a subtree that adding records stays when controls are taken out of it: a
// check that it fails counts the subtree again before it refuses, so that what removing
// freed is there to use.
TEST(TreeBoundsTest, LevelsThatRemovingFreedCanBeUsedAgain)
{
    const Grown chain = Chain(kMaxTreeDepth, NewColumn);
    CUIControl* middle = chain.root;
    for (int level = 1; level < kMaxTreeDepth / 2; ++level)
        middle = middle->GetItemAt(0);
    CUIControl* cut = middle->GetItemAt(0);
    ASSERT_TRUE(middle->Remove(cut));

    // The chain, half as deep now, fits below another of the other half's depth, exactly.
    const Grown above = Chain(kMaxTreeDepth / 2, NewColumn);
    vonktest::LogCapture log;
    EXPECT_TRUE(above.deepest->Add(chain.root));
    CUIControl* one = NewColumn();
    EXPECT_FALSE(middle->Add(one));
    EXPECT_EQ(CountOf(log.Messages(), kTooDeep), 1u);
    delete one;
    DeleteControlTree(above.root);
    DeleteControlTree(cut);
}

// ---- loops ----

// The attempt of a case on a shown window's tree root > a > b, each a column; the controls it
// made outside the tree go into others.
using Attempt = std::function<bool(CUIControl& root, CUIControl& a, CUIControl& b, std::vector<CUIControl*>& others)>;

struct LoopCase {
    const char* name;
    Attempt attempt;
};

// Adds the control under b, for the cases that need one of a kind.
template <typename Control>
Control* AddUnder(CUIControl& b)
{
    auto* control = new Control;
    b.Add(control);
    return control;
}

const LoopCase kLoopCases[] = {
    {"AddItself", [](CUIControl&, CUIControl& a, CUIControl&, auto&) { return a.Add(&a); }},
    {"AddAtItself", [](CUIControl&, CUIControl& a, CUIControl&, auto&) { return a.AddAt(&a, 0); }},
    {"ParentUnderItsChild", [](CUIControl&, CUIControl& a, CUIControl& b, auto&) { return b.Add(&a); }},
    {"RootUnderTheDeepest", [](CUIControl& root, CUIControl&, CUIControl& b, auto&) { return b.AddAt(&root, 0); }},
    // A removed child keeps its parent: a is still above b.
    {"OldParentUnderTheRemovedChild",
     [](CUIControl&, CUIControl& a, CUIControl& b, auto& others) {
         EXPECT_TRUE(a.Remove(&b));
         others.push_back(&b);
         return b.Add(&a);
     }},
    {"ContainerUnderItsOwnScrollBar",
     [](CUIControl&, CUIControl& a, CUIControl&, auto&) {
         return static_cast<CUIContainer&>(a).GetHorizontalScrollBar()->Add(&a);
     }},
    // The list hands its items to its body, which the list holds.
    {"ListAsAnItemOfItself",
     [](CUIControl&, CUIControl&, CUIControl& b, auto&) {
         CListUI* list = AddUnder<CListUI>(b);
         return list->Add(list);
     }},
    {"TabLayoutAsAPageOfItself",
     [](CUIControl&, CUIControl&, CUIControl& b, auto&) {
         CUITabLayout* tab = AddUnder<CUITabLayout>(b);
         return tab->AddAt(tab, 0);
     }},
    // Adding to a container with a window runs the new subtree's init events before the
    // child is listed: a handler there that adds the container below the subtree closes a
    // loop all the same.
    {"ContainerUnderTheNewSubtreeFromItsInitEvent",
     [](CUIControl&, CUIControl&, CUIControl& b, auto&) {
         static CUIControl* container = nullptr;
         static bool added = false;
         container = &b;
         CUIControl* x = NewColumn();
         CUIControl* grandchild = NewColumn();
         x->Add(grandchild);
         grandchild->InitEvent += +[](void* control) {
             added = static_cast<CUIControl*>(control)->Add(container);
             return true;
         };
         EXPECT_TRUE(b.Add(x));
         return added;
     }},
    // Without a window the controls have no parents: the listings alone hold x above y. x
    // then joins the shown tree, whose window goes to every control below it.
    {"ContainerUnderItsChildWithoutAWindow",
     [](CUIControl&, CUIControl&, CUIControl& b, auto&) {
         CUIControl* x = NewColumn();
         CUIControl* y = NewColumn();
         EXPECT_TRUE(x->Add(y));
         const bool added = y->Add(x);
         EXPECT_TRUE(b.Add(x));
         return added;
     }},
};

class LoopTest : public vonktest::WindowFixture, public testing::WithParamInterface<LoopCase> {};

TEST_P(LoopTest, AddingRefusesAControlBelowItselfAndEveryWalkEnds)
{
    CUIControl* root = NewColumn();
    CUIControl* a = NewColumn();
    CUIControl* b = NewColumn();
    root->Add(a);
    a->Add(b);
    window->Show(true);
    window->AttachDlg(root);
    ASSERT_EQ(vonktest::Paint(handler), 1);

    std::vector<CUIControl*> others;
    vonktest::LogCapture log;
    EXPECT_FALSE(GetParam().attempt(*root, *a, *b, others));
    EXPECT_EQ(CountOf(log.Messages(), kBelowItself), 1u);

    // The walks up the parents and down the children all end.
    b->NeedParentUpdate();
    b->Invalidate();
    b->IsAreaVisible();
    UseTheTree(handler, root, b);
    vonktest::DeleteTree(*window);
    for (CUIControl* other : others)
        vonktest::TreeDeleter()(other);
}

INSTANTIATE_TEST_SUITE_P(Attempts, LoopTest, testing::ValuesIn(kLoopCases),
                         [](const testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

// The child operations make no loop of parents, but an application's own SetOwnWindow can:
// every walk up the parents still ends, and says so.
class ParentLoopTest : public vonktest::WindowFixture {};

TEST_F(ParentLoopTest, EveryWalkUpALoopOfParentsMadeByHandEndsWithALogLine)
{
    CUIControl* root = NewColumn();
    CUIControl* a = NewColumn();
    CUIControl* b = NewColumn();
    auto* button = new CUIButton;
    root->Add(a);
    a->Add(b);
    b->Add(button);
    window->Show(true);
    window->AttachDlg(root);
    ASSERT_EQ(vonktest::Paint(handler), 1);
    a->SetOwnWindow(window.get(), b, false);

    const auto logsALoop = [](const std::function<void()>& walk) {
        vonktest::LogCapture log;
        walk();
        return CountOf(log.Messages(), "] walk up the parents goes round a loop  ") > 0;
    };
    EXPECT_TRUE(logsALoop([&] { b->Invalidate(); }));
    EXPECT_TRUE(logsALoop([&] { EXPECT_FALSE(b->IsAreaVisible()); }));
    EXPECT_TRUE(logsALoop([&] { b->NeedParentUpdate(); }));
    // An event that b passes up, and one that the button takes with a drag owner to check.
    for (CUIControl* target : {b, static_cast<CUIControl*>(button)}) {
        CUIContainer stranger;
        target->SetOwnerDrag(&stranger);
        EXPECT_TRUE(logsALoop([&] {
            TEventUI press{};
            press.Type = EVENT_BUTTONDOWN;
            press.pSender = target;
            press.ptMouse = {100, 50};
            target->Event(press);
        }));
        target->SetOwnerDrag(nullptr);
    }

    a->SetOwnWindow(window.get(), root, false);
    vonktest::DeleteTree(*window);
}

// ---- tearing down the deepest tree ----

struct TearDownCase {
    const char* name;
    // Deletes the shown window's tree, of which deepest is the deepest control, and the window
    // when the case deletes it too.
    std::function<void(std::unique_ptr<vonktest::PlainWindow>& window, CUIControl* root, CUIControl* deepest)> drop;
};

// The chain from deepest up to the root, the root last.
std::vector<CUIControl*> ChainUpFrom(CUIControl* deepest)
{
    std::vector<CUIControl*> chain;
    for (CUIControl* control = deepest; control; control = control->GetParent())
        chain.push_back(control);
    return chain;
}

const TearDownCase kTearDownCases[] = {
    {"TheTreeWithItsWindow", [](auto& window, CUIControl*, CUIControl*) { vonktest::DeleteTree(*window); }},
    {"TheWindowThenTheTree",
     [](auto& window, CUIControl* root, CUIControl*) {
         window.reset();
         DeleteControlTree(root);
     }},
    // The tree stays the application's, and works without the window.
    {"OnlyTheWindow",
     [](auto& window, CUIControl* root, CUIControl* deepest) {
         window.reset();
         root->SetPos(CUIRect(0, 0, 100, 100), true);
         EXPECT_TRUE(deepest->IsAreaVisible());
         deepest->NeedParentUpdate();
         DeleteControlTree(root);
     }},
    {"EachControlTheDeepestFirst",
     [](auto&, CUIControl*, CUIControl* deepest) {
         for (CUIControl* control : ChainUpFrom(deepest))
             delete control;
     }},
    {"EachControlTheRootFirst",
     [](auto&, CUIControl*, CUIControl* deepest) {
         std::vector<CUIControl*> chain = ChainUpFrom(deepest);
         for (auto control = chain.rbegin(); control != chain.rend(); ++control)
             delete *control;
     }},
};

class TearDownTest : public vonktest::WindowFixture, public testing::WithParamInterface<TearDownCase> {};

TEST_P(TearDownTest, TheDeepestTreeAllowedTearsDown)
{
    const Grown grown = Grow(NewColumn(), NewColumn, AddBelow, true);
    delete grown.refused;
    window->Show(true);
    window->AttachDlg(grown.root);
    ASSERT_EQ(vonktest::Paint(handler), 1);
    GetParam().drop(window, grown.root, grown.deepest);
    if (window) {
        EXPECT_EQ(window->GetRoot(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, TearDownTest, testing::ValuesIn(kTearDownCases),
                         [](const testing::TestParamInfo<TearDownCase>& info) { return std::string(info.param.name); });

// ---- the stack ----

// The stack that the library is said to need at most (README.md): that of a thread an
// application may run it on.
constexpr size_t kGuaranteedStack = 1 << 20;

// Runs work on a new thread with a stack of that many bytes, and waits for it.
void RunWithStack(size_t bytes, const std::function<void()>& work)
{
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, bytes), 0);
    pthread_t thread;
    const auto run = [](void* job) -> void* {
        (*static_cast<const std::function<void()>*>(job))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// The deepest chain of what make makes, with a label's text at the bottom, shown in a
// window and used.
void UseTheDeepest(const Make& make)
{
    auto window = vonktest::OpenWindow(200, 100);
    window->Show(true);
    const Grown chain = Chain(kMaxTreeDepth - 1, make);
    auto* label = new CUILabel;
    label->SetText(L"deep");
    ASSERT_TRUE(chain.deepest->Add(label));
    window->AttachDlg(chain.root);
    UseTheTree(headless::LastHandler(), chain.root, label);
    vonktest::DeleteTree(*window);
}

TEST(StackTest, TheDeepestTreesWalksRunOnAThreadWithTheGuaranteedStack)
{
    vonktest::StartHeadless();
    const std::string dir = testing::TempDir();
    std::string markup = "<Window>";
    for (int level = 1; level < kMaxTreeDepth; ++level)
        markup += "<VerticalLayout>";
    markup += "<Label text=\"deep\"/>";
    for (int level = 1; level < kMaxTreeDepth; ++level)
        markup += "</VerticalLayout>";
    std::ofstream(dir + "deepest.xml") << markup << "</Window>";
    CResourceMgr::SetResourePath(CUIString(std::wstring(dir.begin(), dir.end()).c_str()));

    RunWithStack(kGuaranteedStack, [] {
        // Each class is the one whose frames are the largest in one of the walks. Layout: the
        // row and column layouts, which also measure the children of their children.
        UseTheDeepest([] {
            auto* column = new CUIVerticalLayout;
            column->SetAttribute(L"adapttochildsize", L"true");
            return column;
        });
        UseTheDeepest([] { return new CUIHorizontalLayout; });
        // Painting and hit testing: the list's container items. Events passed up: buttons.
        UseTheDeepest([] { return new CListContainerElementUI; });
        UseTheDeepest([] { return new CUIButton; });
        // Building from markup, then every walk again.
        auto window = vonktest::OpenMarkup(L"deepest.xml");
        CUIControl* deepest = window->FindControl(tagPOINT{100, 10});
        ASSERT_NE(deepest, nullptr);
        EXPECT_EQ(LevelOf(deepest), kMaxTreeDepth);
        UseTheTree(headless::LastHandler(), window->GetRoot(), deepest);
        vonktest::DeleteTree(*window);
    });
}

}  // namespace
