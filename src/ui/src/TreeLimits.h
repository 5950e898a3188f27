#pragma once
// How deep a control tree may grow. The walks of a tree that run application code on the way
// (attaching, layout, painting, hit testing) recurse once per level, so a deeper tree is
// refused where it would be made: by the child operations and by the markup builder.

// A control without a parent stands at level 1; no control stands below this level.
constexpr int kMaxTreeDepth = 256;
