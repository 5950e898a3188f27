#pragma once
// The shape the child operations keep a control tree in: no control is listed below itself
// or one of its ancestors, and no control stands below level kMaxTreeDepth (TreeLimits.h).
//
// A control's links go up through its parent, the containers that list it (one control may
// be listed in several) and, for a scroll bar, the container it belongs to; they go down
// through its children, the removed children that still name it as their parent and its
// scroll bars. A control's level is 1 plus the most levels above it. A scroll bar stands at
// its container's level, so that a container may stand at the deepest level, and a control
// below a scroll bar two levels below the bar's container, so that a level counts the
// ancestors; a walk goes into a scroll bar one step further than the bar's level says. Each
// control keeps its height, the levels from it down to the deepest control below it, as an
// upper bound that adding raises at once and removing leaves as it is; a check that the bound
// fails counts the subtree exactly before it refuses.

#include <cstddef>

class CUIControl;

class TreeShape {
public:
    // Whether container may list child: false, with one log line, when child is container or
    // one of its ancestors, or when a control of child's subtree would stand below the limit.
    static bool MayList(CUIControl& container, CUIControl& child);

    // While it lives, container counts as listing child: the handlers that adding runs before
    // the child is in the array (its init events) see the listing that is being made.
    class Listing {
    public:
        Listing(CUIControl& container, CUIControl& child);
        ~Listing();
        Listing(const Listing&) = delete;
        Listing& operator=(const Listing&) = delete;
    };

    // The level control stands at.
    static int LevelOf(CUIControl& control);

    // part is one of owner's scroll bars.
    static void AddPart(CUIControl& owner, CUIControl& part);

    // Logs that a walk up the parents from control went round a loop, which only
    // SetOwnWindow called with a parent of the caller's choosing can make.
    static void ReportParentLoop(const CUIControl& control);

    // control is being deleted: no link of another control's keeps naming it.
    static void Forget(CUIControl& control);

private:
    enum class Direction { Up, Down };
    // The levels that a control listed in container stands below it.
    static int LevelsBelow(const CUIControl& container);
    // The control at the other end of control's link number at in that direction (null for a
    // link that leads nowhere), and the levels between them; false past the last link.
    static bool Link(Direction direction, const CUIControl& control, size_t at, CUIControl*& other, int& levels);
    // The same, with every link but a scroll bar's one level long.
    static bool OwnLink(Direction direction, const CUIControl& control, size_t at, CUIControl*& other, int& levels);
    // The levels of the longest way from `from` in that direction, from counted: its level
    // going up, its height going down (which each control reached keeps as its exact height).
    // Past limit it stops and answers limit + 1; -1 when it meets forbidden, or a loop.
    static int Longest(Direction direction, CUIControl& from, const CUIControl* forbidden, int limit);
    // Longest going up, while each control on the way has one way up at most, as in a tree;
    // 0 as soon as one has more.
    static int LevelUpAChain(const CUIControl& from, const CUIControl* forbidden, int limit);
    // Raises control's height to at least height, and the heights above it to match.
    static void Grow(CUIControl& control, int height);
};
