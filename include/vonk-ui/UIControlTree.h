#pragma once
// Deleting a whole tree of controls that the application owns.

#include "UIExport.h"

class CUIControl;

// Deletes control and every control below it, once each and children before their parents,
// the last child first. It reaches a list's headers and body (through GetHeader and GetList,
// and its own children), which the list leaves to its owner, but not a container's scroll
// bars, which the container deletes itself. The tree is taken whole before anything goes: a
// control of it that a destroy handler deletes meanwhile is not deleted again, and one that a
// handler moves elsewhere goes all the same. A null control does nothing.
UILIB_API void DeleteControlTree(CUIControl* control);
