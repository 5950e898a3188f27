#pragma once
// Lending a window to a control that the builder made, for as long as its attributes are set.

class CUIControl;
class CUIWindow;

// Gives control the window, keeping its parent and without Init. Its children that hold
// the window already, because it was lent to them when they were built, keep it with their
// whole subtrees and only learn their parent; every other child gets it with its subtree.
void LendWindow(CUIControl* control, CUIWindow* window);
