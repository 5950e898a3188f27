#pragma once
// Generated window markup of a given number of controls, for the benchmarks.

#include <string>

namespace bench {

// The markup of a window of exactly `controls` controls: containers nested ten wide (one
// control in five to eight is a container), every control named, styled by a class or
// the default list of its element, with colours, borders, paddings, anchors, float
// placement and images by attribute string ("image.png", which must sit beside the file).
std::string WindowMarkup(int controls);

// The markup of a window of exactly `controls` controls in which only a window's worth
// shows: one scrolled vertical layout of rows, each row a horizontal layout of leaves.
std::string ListMarkup(int controls);

}  // namespace bench
