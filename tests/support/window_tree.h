#pragma once
// What a window leaves to its owner: detaching deletes only the root, the controls below
// it are the application's to delete. It needs the library alone, so that the benchmarks,
// the fuzzers and the demo drop their trees as the tests do.

#include <cstddef>
#include <vector>

#include <vonk-ui.h>

namespace vonktest {

// root and every control below it, each one before its children; empty for null.
inline std::vector<CUIControl*> TreeOf(CUIControl* root)
{
    std::vector<CUIControl*> tree;
    if (root)
        tree.push_back(root);
    for (size_t at = 0; at < tree.size(); ++at) {
        for (int i = 0; i < tree[at]->GetCount(); ++i)
            tree.push_back(tree[at]->GetItemAt(i));
    }
    return tree;
}

// Deletes the window's whole tree.
inline void DeleteTree(CUIWindow& window)
{
    const std::vector<CUIControl*> tree = TreeOf(window.GetRoot());
    window.DetachDlg();  // deletes tree[0]
    for (size_t at = 1; at < tree.size(); ++at)
        delete tree[at];
}

}  // namespace vonktest
