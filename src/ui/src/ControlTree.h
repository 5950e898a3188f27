#pragma once
// Whole subtrees of controls, for the builder and the window that drop what they built.

#include <vector>

#include "UIControlTree.h"

class CUIControl;

// Every control below control as DeleteControlTree reaches them, once each and each one
// before its children.
std::vector<CUIControl*> Descendants(CUIControl* control);
