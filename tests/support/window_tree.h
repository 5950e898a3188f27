#pragma once
// What a window leaves to its owner: the controls of its tree are the application's to
// delete. It needs the library alone, so that the benchmarks, the fuzzers and the demo drop
// their trees as the tests do.

#include <memory>

#include <vonk-ui.h>

namespace vonktest {

// Deletes the window's whole tree; the window forgets each control as it goes.
inline void DeleteTree(CUIWindow& window) { DeleteControlTree(window.GetRoot()); }

// Deletes a tree that a test made, with everything below it, when it goes.
struct TreeDeleter {
    void operator()(CUIControl* root) const { DeleteControlTree(root); }
};
template <typename Control>
using OwnedTree = std::unique_ptr<Control, TreeDeleter>;

}  // namespace vonktest
