// Trees of controls without a window: child operations, placement by anchor,
// visibility and its events, and what a deleted control leaves behind.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <vonk-ui.h>

#include "test_support.h"

namespace {

using vonktest::Text;

std::vector<const CUIControl*>& Fired()
{
    static std::vector<const CUIControl*> fired;
    return fired;
}

bool Record(void* control)
{
    Fired().push_back(static_cast<const CUIControl*>(control));
    return true;
}

// A control with a chosen anchor and estimated size, as a plug-in might make one.
class Placed : public CUIControl {
public:
    Placed(uint32_t anchor, tagSIZE estimate) : m_estimate(estimate) { m_uAnchor = anchor; }
    tagSIZE EstimateSize(tagSIZE) override { return m_estimate; }

private:
    tagSIZE m_estimate;
};

// A parent holding children a, b, c, each knowing the parent.
struct Family {
    CUIControl parent, a, b, c;
    Family()
    {
        a.SetName(L"a");
        b.SetName(L"b");
        c.SetName(L"c");
        for (CUIControl* child : {&a, &b, &c})
            parent.Add(child);
        parent.SetOwnWindow(nullptr, nullptr, false);
    }
    std::string Order() const
    {
        std::string order;
        for (int i = 0; i < parent.GetCount(); ++i)
            order += static_cast<char>(parent.GetItemAt(i)->GetName()[0]);
        return order;
    }
};

TEST(ControlTest, FreshControlHasTheDocumentedDefaults)
{
    CUIControl control;
    EXPECT_EQ(control.GetAnchorAlign(), ANCHOR_LEFT | ANCHOR_TOP);
    EXPECT_EQ(control.GetMaxWidth(), 9999);
    EXPECT_EQ(control.GetMaxHeight(), 9999);
    EXPECT_EQ(control.GetMinWidth(), 0);
    EXPECT_EQ(control.GetTag(), -1);
    EXPECT_TRUE(control.IsVisible());
    EXPECT_TRUE(control.IsEnabled());
    EXPECT_TRUE(control.IsMouseEnabled());
    EXPECT_TRUE(control.IsMouseChildEnabled());
    EXPECT_TRUE(control.IsUpdateNeeded());
    EXPECT_FALSE(control.IsFloat());
    EXPECT_EQ(control.GetParent(), nullptr);
    EXPECT_EQ(control.GetOwnWindow(), nullptr);
    EXPECT_TRUE(control.GetClass() == L"UIControl");
    EXPECT_EQ(control.GetInterface(L"Control"), static_cast<void*>(&control));
    EXPECT_EQ(control.GetInterface(L"IContainer"), static_cast<void*>(static_cast<IContainerUI*>(&control)));
    EXPECT_EQ(control.GetInterface(L"Button"), nullptr);
}

TEST(ControlTest, ChildOperationsCheckTheirArgumentsBeforeChangingAnything)
{
    Family family;
    CUIControl stranger;
    EXPECT_FALSE(family.parent.Add(nullptr));
    EXPECT_FALSE(family.parent.AddAt(&stranger, -1));
    EXPECT_FALSE(family.parent.AddAt(&stranger, 4));
    EXPECT_FALSE(family.parent.Remove(nullptr));
    EXPECT_FALSE(family.parent.Remove(&stranger));
    EXPECT_FALSE(family.parent.RemoveAt(3));
    EXPECT_FALSE(family.parent.RemoveAt(-1));
    EXPECT_EQ(family.parent.GetItemAt(-1), nullptr);
    EXPECT_EQ(family.parent.GetItemAt(3), nullptr);
    EXPECT_EQ(family.parent.GetItemIndex(&stranger), -1);
    EXPECT_EQ(family.Order(), "abc");
}

TEST(ControlTest, SetItemIndexMovesWithinTheChildrenOrRefusesUntouched)
{
    const struct {
        int index;
        bool moved;
        const char* order;
    } cases[] = {
        {0, true, "bac"},
        {2, true, "acb"},  // the last place, counted after taking the child out
        {3, false, "abc"}, // one past the end: refused, and the child stays
        {-1, false, "abc"},
    };
    for (const auto& c : cases) {
        Family family;
        EXPECT_EQ(family.parent.SetItemIndex(&family.b, c.index), c.moved) << c.index;
        EXPECT_EQ(family.Order(), c.order) << c.index;
    }
    Family family;
    CUIControl stranger;
    EXPECT_FALSE(family.parent.SetItemIndex(&stranger, 0));
    EXPECT_EQ(family.Order(), "abc");
}

TEST(ControlTest, AddAtRemoveAtAndRemoveAllLinkWithoutDeleting)
{
    Family family;
    CUIControl d;
    d.SetName(L"d");
    EXPECT_TRUE(family.parent.AddAt(&d, 3));
    EXPECT_TRUE(family.parent.RemoveAt(0));
    EXPECT_EQ(family.Order(), "bcd");
    EXPECT_EQ(family.a.GetParent(), &family.parent);  // a removed child keeps its parent
    family.parent.RemoveAll();
    EXPECT_EQ(family.parent.GetCount(), 0);
    EXPECT_TRUE(family.b.GetName() == L"b");
}

TEST(ControlTest, GetItemByNameLooksAtDirectChildrenOnly)
{
    Family family;
    CUIControl grandchild;
    grandchild.SetName(L"g");
    family.a.Add(&grandchild);
    CUIControl second;
    second.SetName(L"b");
    family.parent.Add(&second);
    EXPECT_EQ(family.parent.GetItemByName(L"b"), &family.b);
    EXPECT_EQ(family.parent.GetItemByName(L"g"), nullptr);
    EXPECT_EQ(family.parent.GetItemByName(L""), nullptr);
    EXPECT_EQ(family.parent.GetItemByName(nullptr), nullptr);
}

TEST(ControlTest, SetPosPlacesVisibleChildrenByAnchorAndPadding)
{
    const struct {
        uint32_t anchor;
        tagSIZE estimate;
        CUIRect padding;
        const char* placed;
    } cases[] = {
        {ANCHOR_RIGHT | ANCHOR_BOTTOM, {20, 10}, CUIRect(0, 0, 5, 5), "75,35,95,45"},
        {ANCHOR_CENTER | ANCHOR_VCENTER, {20, 10}, CUIRect(0, 0, 0, 0), "40,20,60,30"},
        {ANCHOR_LEFT | ANCHOR_TOP, {0, 0}, CUIRect(0, 0, 0, 0), "0,0,100,50"},
        {ANCHOR_LEFT | ANCHOR_TOP, {20, 10}, CUIRect(3, 4, 0, 0), "3,4,23,14"},
        {0, {20, 10}, CUIRect(3, 4, 0, 0), "0,0,20,10"},  // no anchor: the corner, without padding
        // right wins over centre over left, vertical centre over bottom over top
        {ANCHOR_RIGHT | ANCHOR_CENTER | ANCHOR_LEFT | ANCHOR_BOTTOM | ANCHOR_VCENTER, {20, 10}, CUIRect(), "80,20,100,30"},
        // the halving truncates toward zero: (100 - 21 - 0) / 2 = 39, (50 - 51) / 2 = 0
        {ANCHOR_CENTER | ANCHOR_VCENTER, {21, 51}, CUIRect(), "39,0,60,51"},
    };
    for (const auto& c : cases) {
        CUIControl parent;
        Placed child(c.anchor, c.estimate);
        child.SetPadding(c.padding);
        parent.Add(&child);
        parent.SetPos(CUIRect(0, 0, 100, 50), false);
        EXPECT_EQ(Text(child.GetPos()), c.placed) << c.placed;
    }
}

TEST(ControlTest, SetPosSkipsHiddenChildrenAndNormalisesTheRectangle)
{
    CUIControl parent;
    Placed hidden(ANCHOR_LEFT | ANCHOR_TOP, {10, 10});
    hidden.SetVisible(false);
    parent.Add(&hidden);
    parent.SetPos(CUIRect(50, 20, 10, 5), false);
    EXPECT_EQ(Text(parent.GetPos()), "50,20,50,20");
    EXPECT_EQ(parent.GetSize().cx, 0);
    EXPECT_TRUE(hidden.GetPos().IsNull());
}

TEST(ControlTest, ScaledGettersWithoutAWindowUseFactorOne)
{
    CUIControl control;
    control.SetFixedWidth(101);
    control.SetFixedHeight(7);
    control.SetUseSmallScale(true);
    control.SetMinWidth(3);
    control.SetPadding(CUIRect(1, 2, 3, 4));
    control.SetFixedXYCurrent({100, 100});
    EXPECT_EQ(control.GetFixedWidth(), 101);
    EXPECT_EQ(control.GetFixedHeight(), 7);
    EXPECT_EQ(control.EstimateSize({500, 500}).cx, 101);
    EXPECT_EQ(control.GetMinWidth(), 3);
    EXPECT_EQ(Text(control.GetPadding()), "1,2,3,4");
    EXPECT_EQ(control.GetFixedXY().cx, 100);
}

TEST(ControlTest, SizeSettersIgnoreNegativeValues)
{
    CUIControl control;
    control.SetFixedWidth(40);
    control.SetFixedWidth(-1);
    control.SetMinHeight(-5);
    control.SetMaxWidth(-5);
    EXPECT_EQ(control.GetFixedWidth(), 40);
    EXPECT_EQ(control.GetMinHeight(), 0);
    EXPECT_EQ(control.GetMaxWidth(), 9999);
}

// parent > child > grandchild, and a sibling of the child hidden by itself.
struct Tree {
    CUIControl parent, child, grandchild, hiddenSibling;
    Tree()
    {
        child.Add(&grandchild);
        parent.Add(&child);
        parent.Add(&hiddenSibling);
        hiddenSibling.SetVisible(false);
        for (CUIControl* control : {&parent, &child, &grandchild, &hiddenSibling})
            control->VisibleChangedEvent += Record;
        Fired().clear();
    }
};

TEST(ControlVisibilityTest, HidingAParentHidesItsSubtreeAndShowingRestoresWhatWasVisible)
{
    Tree tree;
    tree.parent.SetVisible(false);
    EXPECT_FALSE(tree.child.IsVisible());
    EXPECT_FALSE(tree.grandchild.IsVisible());
    // The parent's own event first, then each subtree children first.
    EXPECT_EQ(Fired(), (std::vector<const CUIControl*>{&tree.parent, &tree.grandchild, &tree.child}));

    Fired().clear();
    tree.parent.SetVisible(true);
    EXPECT_TRUE(tree.child.IsVisible());
    EXPECT_TRUE(tree.grandchild.IsVisible());
    EXPECT_FALSE(tree.hiddenSibling.IsVisible());
    EXPECT_EQ(Fired(), (std::vector<const CUIControl*>{&tree.parent, &tree.grandchild, &tree.child}));
}

TEST(ControlVisibilityTest, SettingTheCurrentVisibilityFiresNothing)
{
    Tree tree;
    tree.child.SetVisible(true);
    tree.hiddenSibling.SetVisible(false);
    tree.child.SetInternVisible(true);
    EXPECT_TRUE(Fired().empty());
}

TEST(ControlVisibilityTest, HidingClearsFocus)
{
    CUIControl control;
    control.SetFocused(true);
    control.SetVisible(false);
    control.SetVisible(true);
    EXPECT_FALSE(control.IsFocused());
}

TEST(ControlVisibilityTest, AreaIsVisibleOnlyWhereEveryAncestorOverlaps)
{
    Family family;
    family.parent.SetPos(CUIRect(0, 0, 100, 100), false);
    family.a.SetPos(CUIRect(10, 10, 20, 20), false);
    family.b.SetPos(CUIRect(100, 0, 120, 20), false);  // just right of the parent
    EXPECT_TRUE(family.a.IsAreaVisible());
    EXPECT_FALSE(family.b.IsAreaVisible());
    family.parent.SetVisible(false);
    EXPECT_FALSE(family.a.IsAreaVisible());
}

TEST(ControlTest, InitEventsFireChildrenFirstAndTheSubtreeRootLast)
{
    Tree tree;
    for (CUIControl* control : {&tree.parent, &tree.child, &tree.grandchild, &tree.hiddenSibling})
        control->InitEvent += Record;
    tree.parent.SetOwnWindow(nullptr, nullptr, true);
    EXPECT_EQ(Fired(),
              (std::vector<const CUIControl*>{&tree.grandchild, &tree.child, &tree.hiddenSibling, &tree.parent}));
    EXPECT_EQ(tree.grandchild.GetParent(), &tree.child);
    EXPECT_EQ(tree.parent.GetParent(), nullptr);
}

TEST(ControlTest, SetTextIdWithAnUnknownIdKeepsTheText)
{
    CUIControl control;
    control.SetText(L"kept");
    control.SetTextId(L"no.such.id");
    control.SetToolTip(L"tip");
    control.SetToolTipId(L"no.such.id");
    control.SetText(nullptr);
    EXPECT_TRUE(control.GetText().IsEmpty());
    EXPECT_TRUE(control.GetToolTip() == L"tip");
}

TEST(ControlTest, SetTextIdTakesTheTextFromTheStringTable)
{
    const std::string dir = vonktest::DataDir() + "/tree";
    CResourceMgr::SetResourePath(CUIString(std::wstring(dir.begin(), dir.end()).c_str()));
    CUIControl control;
    control.SetTextId(L"greeting");
    control.SetToolTipId(L"hint");
    EXPECT_TRUE(control.GetText() == L"Hello");
    EXPECT_TRUE(control.GetToolTip() == L"Press here");
    control.SetTextId(L"missing");
    EXPECT_TRUE(control.GetText() == L"Hello");
}

TEST(ControlLifetimeTest, DeletedParentLeavesItsChildrenWithoutAParent)
{
    auto parent = std::make_unique<CUIControl>();
    CUIControl linked, removed;
    parent->Add(&linked);
    parent->Add(&removed);
    parent->SetOwnWindow(nullptr, nullptr, false);
    parent->Remove(&removed);
    parent->DestroyEvent += Record;
    Fired().clear();

    parent.reset();
    EXPECT_EQ(Fired().size(), 1u);
    EXPECT_EQ(linked.GetParent(), nullptr);
    EXPECT_EQ(removed.GetParent(), nullptr);
    // Nothing reaches the deleted parent any more.
    linked.Invalidate();
    removed.NeedParentUpdate();
    EXPECT_TRUE(linked.IsAreaVisible());
}

TEST(ControlLifetimeTest, DeletedChildLeavesItsParentsChildren)
{
    Family family;
    auto linked = std::make_unique<CUIControl>();
    auto unparented = std::make_unique<CUIControl>();  // added after the parent pointers were given
    family.parent.AddAt(linked.get(), 1);
    family.parent.SetOwnWindow(nullptr, nullptr, false);
    family.parent.AddAt(unparented.get(), 0);
    ASSERT_EQ(unparented->GetParent(), nullptr);
    linked.reset();
    unparented.reset();
    EXPECT_EQ(family.Order(), "abc");
}

// Children removed all at once, one of them listed twice, then deleted in an order of no
// pattern before their parent: neither the parent nor a sibling may touch a deleted one.
TEST(ControlLifetimeTest, RemovedChildrenDeletedInAnyOrderLeaveTheirParentClean)
{
    auto parent = std::make_unique<CUIControl>();
    std::vector<std::unique_ptr<CUIControl>> children;
    for (int i = 0; i < 5; ++i) {
        children.push_back(std::make_unique<CUIControl>());
        parent->Add(children.back().get());
    }
    parent->Add(children[3].get());
    parent->SetOwnWindow(nullptr, nullptr, false);
    parent->RemoveAll();
    for (int i : {2, 0, 4, 3})
        children[i].reset();
    // The one left is still the parent's, until the parent goes.
    EXPECT_EQ(children[1]->GetParent(), parent.get());
    parent.reset();
    EXPECT_EQ(children[1]->GetParent(), nullptr);
}

CUIControl*& Companion()
{
    static CUIControl* companion = nullptr;
    return companion;
}

// Deletes the tree of root and answers the order in which the watched controls went.
std::vector<const CUIControl*> DeletionOrder(CUIControl* root, std::initializer_list<CUIControl*> watched)
{
    for (CUIControl* each : watched)
        each->DestroyEvent += Record;
    Fired().clear();
    DeleteControlTree(root);
    return Fired();
}

// The tree deleter takes children before their parents, the last child first; a destroy
// handler may delete a control of the tree that the deleter has not come to yet.
TEST(ControlLifetimeTest, TheTreeDeleterTakesChildrenFirstAndLetsAHandlerDeleteWhatItHasNotReached)
{
    auto* root = new CUIControl;
    auto* a = new CUIControl;
    auto* b = new CUIControl;
    auto* c = new CUIControl;
    auto* b1 = new CUIControl;
    for (CUIControl* child : {a, b, c})
        root->Add(child);
    b->Add(b1);
    root->SetOwnWindow(nullptr, nullptr, false);
    for (CUIControl* each : {root, a, b, c, b1})
        each->DestroyEvent += Record;
    Companion() = a;
    c->DestroyEvent += [](void*) -> bool {
        delete Companion();
        return true;
    };
    Fired().clear();

    DeleteControlTree(root);
    EXPECT_EQ(Fired(), (std::vector<const CUIControl*>{c, a, b1, b, root}));
}

// A control that the tree holds twice, in two containers or as a list's header listed under
// a sibling, goes where the walk of the whole tree first reached it.
TEST(ControlLifetimeTest, TheTreeDeleterTakesAControlHeldTwiceWhereTheWalkFirstReachedIt)
{
    {
        auto* root = new CUIControl;
        auto* a = new CUIControl;
        auto* b = new CUIControl;
        auto* x = new CUIControl;
        root->Add(a);
        root->Add(b);
        a->Add(x);
        b->Add(x);
        EXPECT_EQ(DeletionOrder(root, {root, a, b, x}), (std::vector<const CUIControl*>{b, x, a, root}));
    }
    {
        auto* root = new CUIControl;
        auto* sibling = new CUIControl;
        auto* list = new CListUI;
        CUIControl* header = list->GetHeader();
        CUIControl* body = list->GetList();
        root->Add(sibling);
        root->Add(list);
        list->Remove(header);
        sibling->Add(header);
        EXPECT_EQ(DeletionOrder(root, {root, sibling, list, header, body}),
                  (std::vector<const CUIControl*>{body, list, header, sibling, root}));
    }
}

// A list's header that hangs under another control, listed nowhere, is the application's
// even when that control goes first.
TEST(ControlLifetimeTest, TheTreeDeleterLeavesAListHeaderThatHangsUnderAnotherParent)
{
    auto* root = new CUIControl;
    auto* list = new CListUI;
    auto* other = new CUIControl;
    std::unique_ptr<CUIControl> header(list->GetHeader());
    root->Add(list);
    root->Add(other);
    list->Remove(header.get());
    other->Add(header.get());
    root->SetOwnWindow(nullptr, nullptr, false);
    other->Remove(header.get());
    ASSERT_EQ(header->GetParent(), other);
    DeleteControlTree(root);
    EXPECT_EQ(header->GetParent(), nullptr);
}

// The tree is taken whole first: a control that a destroy handler moves out of it goes all
// the same, and a list's part that a handler deletes is not touched again.
TEST(ControlLifetimeTest, DestroyHandlersDoNotChangeWhatTheTreeDeleterTakes)
{
    CUIControl outside;
    auto* root = new CUIControl;
    auto* a = new CUIControl;
    auto* c = new CUIControl;
    root->Add(a);
    root->Add(c);
    Companion() = a;
    static CUIControl* s_root;
    static CUIControl* s_outside;
    s_root = root;
    s_outside = &outside;
    c->DestroyEvent += [](void*) -> bool {
        s_root->Remove(Companion());
        s_outside->Add(Companion());
        return true;
    };
    a->DestroyEvent += Record;
    Fired().clear();
    DeleteControlTree(root);
    EXPECT_EQ(Fired(), (std::vector<const CUIControl*>{a}));
    EXPECT_EQ(outside.GetCount(), 0);

    auto* list = new CListUI;
    Companion() = list->GetHeader();
    list->Remove(Companion());
    list->CUIControl::Remove(list->GetList());
    list->GetList()->DestroyEvent += [](void*) -> bool {
        delete Companion();
        return true;
    };
    DeleteControlTree(list);
}

TEST(ControlLifetimeTest, ReparentedChildIsNotTouchedByItsFormerParent)
{
    auto first = std::make_unique<CUIControl>();
    CUIControl second;
    auto child = std::make_unique<CUIControl>();
    first->Add(child.get());
    first->SetOwnWindow(nullptr, nullptr, false);
    first->Remove(child.get());
    second.Add(child.get());
    second.SetOwnWindow(nullptr, nullptr, false);
    child.reset();  // the first parent must not remember it
    first.reset();
    EXPECT_EQ(second.GetCount(), 0);
}

}  // namespace
