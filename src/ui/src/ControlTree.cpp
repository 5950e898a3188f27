// Whole subtrees of controls: reaching every control below one, and deleting them all.

#include "ControlTree.h"

#include <unordered_set>

#include "UIControl.h"
#include "UIList.h"
#include "UIListHeader.h"

namespace {

// The controls right below control: its children or, for a list, whose child operations
// reach only the items in its body, its own children (the headers and the body) and the
// header and body it names while they hang nowhere else.
std::vector<CUIControl*> PartsBelow(CUIControl* control)
{
    std::vector<CUIControl*> parts;
    auto* list = static_cast<IListUI*>(control->GetInterface(L"IList"));
    if (list == nullptr) {
        for (int i = 0; i < control->GetCount(); ++i)
            parts.push_back(control->GetItemAt(i));
        return parts;
    }
    for (int i = 0; i < control->CUIControl::GetCount(); ++i)
        parts.push_back(control->CUIControl::GetItemAt(i));
    for (CUIControl* part : {static_cast<CUIControl*>(list->GetHeader()), static_cast<CUIControl*>(list->GetList())}) {
        if (part && (part->GetParent() == nullptr || part->GetParent() == control))
            parts.push_back(part);
    }
    return parts;
}

// Appends the controls below control that reached does not hold yet, each one before its
// children, and notes them in reached.
void CollectBelow(CUIControl* control, std::unordered_set<CUIControl*>& reached, std::vector<CUIControl*>& below)
{
    for (CUIControl* part : PartsBelow(control)) {
        if (part == nullptr || !reached.insert(part).second)
            continue;
        below.push_back(part);
        CollectBelow(part, reached, below);
    }
}

}  // namespace

std::vector<CUIControl*> Descendants(CUIControl* control)
{
    std::vector<CUIControl*> below;
    std::unordered_set<CUIControl*> reached{control};
    CollectBelow(control, reached, below);
    return below;
}

void DeleteControlTree(CUIControl* control)
{
    if (control == nullptr)
        return;
    const std::vector<CUIControl*> below = Descendants(control);
    // Children before their parents: the last control below is a leaf.
    for (auto descendant = below.rbegin(); descendant != below.rend(); ++descendant)
        delete *descendant;
    delete control;
}
