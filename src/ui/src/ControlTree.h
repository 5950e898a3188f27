#pragma once
// Whole subtrees of controls, for the builder and the window that drop what they built.

#include <vector>

#include "UIControlTree.h"

class CUIControl;

// Every control below control, each one before its children: deleted in this order, no
// control outlives its parent's deletion while still listed by it.
std::vector<CUIControl*> Descendants(CUIControl* control);
