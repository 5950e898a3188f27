// Whole subtrees of controls: reaching every control below one, and deleting them all.

#include "ControlTree.h"

#include <algorithm>

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
    static const CUIString kList(L"IList");
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

    // Appends the controls below control that the walk has not reached yet, each one
    // before its children.
    void CollectBelow(CUIControl* control, std::vector<CUIControl*>& below) const
    {
        ForEachPartBelow(control, [&](CUIControl* part) {
            if (part == nullptr || part->m_reachedByWalk == m_walk)
                return;
            part->m_reachedByWalk = m_walk;
            below.push_back(part);
            CollectBelow(part, below);
        });
    }

    // Deletes the controls below control that the walk has not reached yet, children before
    // their parents, in the reverse of the order in which CollectBelow reaches them, each one
    // while it is still warm from reading its children.
    void DeleteBelow(CUIControl* control) const
    {
        static const CUIString kList(L"IList");
        auto* list = static_cast<IListUI*>(control->GetInterface(kList));
        if (list) {
            // The parts that only the list names come after its own children: they go first.
            for (CUIControl* part : {static_cast<CUIControl*>(list->GetList()), static_cast<CUIControl*>(list->GetHeader())}) {
                if (part && (part->GetParent() == nullptr || part->GetParent() == control) &&
                    control->CUIControl::GetItemIndex(part) < 0)
                    DeleteWithBelow(part);
            }
        }
        const auto count = [&] { return list ? control->CUIControl::GetCount() : control->GetCount(); };
        // A deleted child leaves the children, and a destroy handler may take others out.
        for (int i = count() - 1; i >= 0; i = std::min(i - 1, count() - 1))
            DeleteWithBelow(list ? control->CUIControl::GetItemAt(i) : control->GetItemAt(i));
    }

    void DeleteWithBelow(CUIControl* part) const
    {
        if (part == nullptr || part->m_reachedByWalk == m_walk)
            return;
        part->m_reachedByWalk = m_walk;
        DeleteBelow(part);
        delete part;
    }

private:
    // Zero is the stamp of a control that no walk has reached; 64 bits never wrap.
    static inline uint64_t s_lastWalk = 0;
    const uint64_t m_walk;
};

std::vector<CUIControl*> Descendants(CUIControl* control)
{
    std::vector<CUIControl*> below;
    ControlTreeWalk(control).CollectBelow(control, below);
    return below;
}

void DeleteControlTree(CUIControl* control)
{
    if (control == nullptr)
        return;
    ControlTreeWalk(control).DeleteBelow(control);
    delete control;
}
