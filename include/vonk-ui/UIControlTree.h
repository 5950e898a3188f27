#pragma once
// Deleting a whole tree of controls that the application owns.

#include "UIExport.h"

class CUIControl;

// Deletes control and every control below it, children before their parents. It reaches a
// list's header and body, which the list leaves to its owner, but not a container's scroll
// bars, which the container deletes itself. A null control does nothing.
UILIB_API void DeleteControlTree(CUIControl* control);
