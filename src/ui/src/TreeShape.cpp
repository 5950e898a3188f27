// The checks of the child operations: how deep a control stands, how much hangs below it,
// and whether a new listing would close a loop.

#include "TreeShape.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <utility/logger>

#include "TreeLimits.h"
#include "UIControl.h"

namespace {

// The listings that adding is making right now, innermost last: (container, child). A
// control deleted meanwhile leaves a null in its place.
std::vector<std::pair<CUIControl*, CUIControl*>>& Pending()
{
    // Never destroyed: a tree may be built or deleted from a static object's destructor.
    static auto& pending = *new std::vector<std::pair<CUIControl*, CUIControl*>>;
    return pending;
}

// What TreeShape::Longest answers when the walk met the control it must not meet.
constexpr int kLoop = -1;
// The mark of a control that the running walk has reached and not finished yet.
constexpr int kOnPath = 0;

}  // namespace

int TreeShape::LevelsBelow(const CUIControl& container) { return container.m_pPartOf ? 2 : 1; }

bool TreeShape::Link(Direction direction, const CUIControl& control, size_t at, CUIControl*& other, int& levels)
{
    const bool found = OwnLink(direction, control, at, other, levels);
    if (found && other && levels == 1)
        levels = LevelsBelow(direction == Direction::Up ? *other : control);
    return found;
}

bool TreeShape::OwnLink(Direction direction, const CUIControl& control, size_t at, CUIControl*& other, int& levels)
{
    other = nullptr;
    levels = 1;
    if (at < 2) {
        if (direction == Direction::Down) {
            other = control.m_parts[at];
            levels = 0;
        } else if (at == 0) {
            other = control.m_pPartOf;
            levels = 0;
        } else if (control.m_pParent != control.m_pPartOf) {
            // A scroll bar's parent is its container, through the link above.
            other = control.m_pParent;
        }
        return true;
    }
    at -= 2;
    if (direction == Direction::Up) {
        if (at < control.m_listedIn.size()) {
            other = control.m_listedIn[at];
            return true;
        }
        at -= control.m_listedIn.size();
    } else {
        const size_t children = static_cast<size_t>(control.m_items.GetSize());
        if (at < children) {
            other = static_cast<CUIControl*>(control.m_items[static_cast<int>(at)]);
            return true;
        }
        at -= children;
        if (at < control.m_unlinked.size()) {
            other = control.m_unlinked[at];
            return true;
        }
        at -= control.m_unlinked.size();
    }
    const auto& pending = Pending();
    if (at >= pending.size())
        return false;
    const auto& [container, child] = pending[at];
    if (direction == Direction::Up && child == &control)
        other = container;
    else if (direction == Direction::Down && container == &control)
        other = child;
    return true;
}

int TreeShape::Longest(Direction direction, CUIControl& from, const CUIControl* forbidden, int limit)
{
    struct Step {
        CUIControl* control;
        size_t next;     // the next link of control to follow
        int longest;     // the levels of the longest way from control found so far
        int along;       // the levels from `from` to control, both counted
        int levels;      // the levels of the link that led here
    };
    // The walk calls nothing outside this file, so one stack serves every walk.
    static auto& steps = *new std::vector<Step>;
    static uint64_t lastWalk = 0;
    const uint64_t walk = ++lastWalk;
    steps.clear();
    steps.push_back({&from, 0, 1, 1, 0});
    from.m_shapeWalk = walk;
    from.m_shapeLevel = kOnPath;
    while (true) {
        Step& top = steps.back();
        CUIControl* other = nullptr;
        int levels = 0;
        if (!Link(direction, *top.control, top.next++, other, levels)) {
            const Step done = top;
            steps.pop_back();
            done.control->m_shapeLevel = done.longest;
            // Counted to the end: the height it keeps is exact now.
            if (direction == Direction::Down)
                done.control->m_treeHeight = done.longest;
            if (steps.empty())
                return done.longest;
            Step& below = steps.back();
            below.longest = std::max(below.longest, done.longest + done.levels);
            if (below.along + below.longest - 1 > limit)
                return limit + 1;
            continue;
        }
        if (other == nullptr)
            continue;
        if (other == forbidden)
            return kLoop;
        if (other->m_shapeWalk == walk) {
            if (other->m_shapeLevel == kOnPath)
                return kLoop;
            top.longest = std::max(top.longest, other->m_shapeLevel + levels);
            if (top.along + top.longest - 1 > limit)
                return limit + 1;
            continue;
        }
        const int along = top.along + levels;
        if (along > limit)
            return limit + 1;
        other->m_shapeWalk = walk;
        other->m_shapeLevel = kOnPath;
        steps.push_back({other, 0, 1, along, levels});
    }
}

void TreeShape::Grow(CUIControl& control, int height)
{
    if (height <= control.m_treeHeight)
        return;
    // Raises nothing past one level beyond the limit, so that it ends even on a loop of
    // parent pointers that an application made by hand.
    static auto& work = *new std::vector<std::pair<CUIControl*, int>>;
    work.clear();
    work.emplace_back(&control, height);
    while (!work.empty()) {
        auto [grown, atLeast] = work.back();
        work.pop_back();
        atLeast = std::min(atLeast, kMaxTreeDepth + 1);
        if (atLeast <= grown->m_treeHeight)
            continue;
        grown->m_treeHeight = atLeast;
        CUIControl* above = nullptr;
        int levels = 0;
        for (size_t at = 0; Link(Direction::Up, *grown, at, above, levels); ++at) {
            if (above)
                work.emplace_back(above, atLeast + levels);
        }
    }
}

int TreeShape::LevelUpAChain(const CUIControl& from, const CUIControl* forbidden, int limit)
{
    const auto& pending = Pending();
    int level = 1;
    for (const CUIControl* at = &from;;) {
        const std::vector<CUIControl*>& listedIn = at->m_listedIn;
        CUIControl* const parent = at->m_pParent;
        if (at->m_pPartOf || listedIn.size() > 1 || (parent && !listedIn.empty() && listedIn[0] != parent))
            return 0;
        for (const auto& listing : pending) {
            if (listing.second == at)
                return 0;
        }
        const CUIControl* const up = parent ? parent : listedIn.empty() ? nullptr : listedIn[0];
        if (up == nullptr)
            return level;
        if (up == forbidden)
            return kLoop;
        level += LevelsBelow(*up);
        if (level > limit)
            return limit + 1;
        at = up;
    }
}

bool TreeShape::MayList(CUIControl& container, CUIControl& child)
{
    // The levels above child once it is listed: down to it, child not counted.
    const int above = LevelsBelow(container);
    int level = &child == &container ? kLoop : LevelUpAChain(container, &child, kMaxTreeDepth - above);
    if (level == 0)
        level = Longest(Direction::Up, container, &child, kMaxTreeDepth - above);
    int height = child.m_treeHeight;
    if (level != kLoop && level + above <= kMaxTreeDepth && level + above - 1 + height > kMaxTreeDepth)
        height = Longest(Direction::Down, child, &container, kMaxTreeDepth - level - above + 1);
    if (level == kLoop || height == kLoop) {
        UI_TRACE("control added below itself  %S ", child.GetClass().GetData());
        return false;
    }
    if (level + above - 1 + height > kMaxTreeDepth) {
        UI_TRACE("control tree nested too deep  %S ", child.GetClass().GetData());
        return false;
    }
    return true;
}

int TreeShape::LevelOf(CUIControl& control)
{
    const int level = Longest(Direction::Up, control, nullptr, kMaxTreeDepth);
    return level == kLoop ? kMaxTreeDepth + 1 : level;
}

TreeShape::Listing::Listing(CUIControl& container, CUIControl& child)
{
    Pending().emplace_back(&container, &child);
    Grow(container, child.m_treeHeight + LevelsBelow(container));
}

TreeShape::Listing::~Listing() { Pending().pop_back(); }

void TreeShape::AddPart(CUIControl& owner, CUIControl& part)
{
    CUIControl** slot = std::find(std::begin(owner.m_parts), std::end(owner.m_parts), nullptr);
    if (slot == std::end(owner.m_parts))
        return;
    *slot = &part;
    part.m_pPartOf = &owner;
    Grow(owner, part.m_treeHeight);
}

void TreeShape::ReportParentLoop(const CUIControl& control)
{
    UI_TRACE("walk up the parents goes round a loop  %S ", control.GetClass().GetData());
}

void TreeShape::Forget(CUIControl& control)
{
    if (CUIControl* owner = control.m_pPartOf)
        std::replace(std::begin(owner->m_parts), std::end(owner->m_parts), &control, static_cast<CUIControl*>(nullptr));
    for (CUIControl* part : control.m_parts) {
        if (part)
            part->m_pPartOf = nullptr;
    }
    for (auto& [container, child] : Pending()) {
        if (container == &control)
            container = nullptr;
        if (child == &control)
            child = nullptr;
    }
}
