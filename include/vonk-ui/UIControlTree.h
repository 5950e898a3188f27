#pragma once
// Deleting a whole tree of controls that the application owns.

#include "UIExport.h"

class CUIControl;

// Deletes control and every control below it, once each and children before their parents,
// the last child first. It reaches a list's headers and body (through GetHeader and GetList,
// and its own children), which the list leaves to its owner, but not a container's scroll
// bars, which the container deletes itself. A destroy handler may delete controls of the tree
// that the walk has not reached yet. A null control does nothing.
UILIB_API void DeleteControlTree(CUIControl* control);
