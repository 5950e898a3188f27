// Deleting whole subtrees of controls.

#include "UIControlTree.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "UIControl.h"
#include "UIList.h"
#include "UIListHeader.h"

namespace {

// Calls visit on each control right below control: its children or, for a list, whose child
// operations reach only the items in its body, its own children (the headers and the body)
// and the header and body it names while they hang nowhere else.
template <typename Visit>
void ForEachPartBelow(CUIControl* control, Visit&& visit)
{
    // Never destroyed: a tree may be deleted from a static object's destructor.
    static const CUIString& kList = *new CUIString(L"IList");
    auto* list = static_cast<IListUI*>(control->GetInterface(kList));
    if (list == nullptr) {
        for (int i = 0; i < control->GetCount(); ++i)
            visit(control->GetItemAt(i));
        return;
    }
    for (int i = 0; i < control->CUIControl::GetCount(); ++i)
        visit(control->CUIControl::GetItemAt(i));
    for (CUIControl* part : {static_cast<CUIControl*>(list->GetHeader()), static_cast<CUIControl*>(list->GetList())}) {
        if (part && (part->GetParent() == nullptr || part->GetParent() == control))
            visit(part);
    }
}

}  // namespace

// A walk of the controls below one, which stamps each control it reaches with a number of
// its own, so that a control listed twice, or reached both as a child and through its
// list, is taken once.
class ControlTreeWalk {
public:
    explicit ControlTreeWalk(CUIControl* top) : m_walk(++s_lastWalk) { top->m_reachedByWalk = m_walk; }

    // Hands take the controls below control that the walk has not reached yet, each one
    // before its children, depth first: the order of a recursive walk, without the recursion.
    template <typename Take>
    void CollectBelow(CUIControl* control, Take&& take) const
    {
        // The parts still to visit, the next one last: each control's parts go on in reverse.
        std::vector<CUIControl*> toVisit;
        const auto pushPartsOf = [&toVisit](CUIControl* above) {
            const size_t first = toVisit.size();
            ForEachPartBelow(above, [&toVisit](CUIControl* part) { toVisit.push_back(part); });
            std::reverse(toVisit.begin() + static_cast<std::ptrdiff_t>(first), toVisit.end());
        };
        pushPartsOf(control);
        while (!toVisit.empty()) {
            CUIControl* const part = toVisit.back();
            toVisit.pop_back();
            // Reached already when listed twice, or through a list as well as a child.
            if (part == nullptr || part->m_reachedByWalk == m_walk)
                continue;
            part->m_reachedByWalk = m_walk;
            take(part);
            pushPartsOf(part);
        }
    }

private:
    // Zero is the stamp of a control that no walk has reached; 64 bits never wrap.
    static inline uint64_t s_lastWalk = 0;
    const uint64_t m_walk;
};

void DeleteControlTree(CUIControl* control)
{
    if (control == nullptr)
        return;
    // The whole tree is taken before anything goes, each control with its lifetime, so that
    // one that a destroy handler deleted on the way is not deleted again.
    std::vector<CWatched<CUIControl>> doomed{control};
    ControlTreeWalk(control).CollectBelow(control, [&](CUIControl* part) { doomed.emplace_back(part); });
    // Children before their parents: the last control taken is a leaf, the first the top.
    for (auto each = doomed.rbegin(); each != doomed.rend(); ++each)
        delete each->Get();
}
