#pragma once
// How deep a control tree may grow. The walks of a tree that run application code on the way
// (attaching, layout, painting, hit testing, events passed up to the parents) recurse once per
// level, so a deeper tree is refused where it would be made: by the child operations and by
// the markup builder.

// A control without a parent stands at level 1; no control stands below this level. A
// container's scroll bars count at the container's level (a walk goes one step further into
// them), a control below a scroll bar two levels below the bar's container (see TreeShape.h).
//
// The stack that one level takes, measured per walk over chains of every control class
// (bytes, the largest class; plain build / AddressSanitizer build): attaching 112 / 208,
// layout 408 / 2240 (the list, the row and column layouts), painting 368 / 1136, hit testing
// 160 / 336, an event passed up 128 / 416, IsAreaVisible 96 / 288, the markup builder
// 608 / 1632. At this limit the deepest tree's walks take at most some 160 KiB of stack in a
// plain build (they run in 256 KiB, not in 128) and 580 KiB under AddressSanitizer (768 KiB,
// not 512): they run on a thread with a 1 MiB stack in either build.
constexpr int kMaxTreeDepth = 256;

// The most ancestors a control of such a tree has: a walk up the parents that goes further
// has met a loop of parent pointers, and stops.
constexpr int kMaxAncestors = kMaxTreeDepth;

// One step of a recursive climb up the parents, counted on a counter of the climb's own while
// it runs; a climb that has taken more steps than limit is lost in a loop.
class ClimbStep {
public:
    explicit ClimbStep(int& steps, int limit = kMaxAncestors) : m_steps(steps), m_limit(limit) { ++m_steps; }
    ~ClimbStep() { --m_steps; }
    ClimbStep(const ClimbStep&) = delete;
    ClimbStep& operator=(const ClimbStep&) = delete;
    bool Lost() const { return m_steps > m_limit; }

private:
    int& m_steps;
    const int m_limit;
};
