#pragma once
// CWatched: a pointer to a control or window that the holder does not own, which answers
// null once its target is deleted; CWatchedInterface, the same for an interface of a control.

#include <memory>

class CUIControl;

// T is CUIControl, CUIWindow or a class derived from them: anything with GetLifetime.
// A target counts as gone from the moment its deletion begins for a window, and once
// CUIControl's own destructor has run for a control (its destroy handler still sees it).
template <class T>
class CWatched {
public:
    CWatched() = default;
    CWatched(T* target) : m_target(target)
    {
        if (target)
            m_alive = target->GetLifetime();
    }

    T* Get() const { return m_alive.expired() ? nullptr : m_target; }
    // Reads as the raw pointer it stands for, so that code written for one keeps working.
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }
    // True when this watches target, alive or not: for taking a link apart without reading it.
    bool Is(const void* target) const { return m_target == target; }

private:
    T* m_target = nullptr;
    std::weak_ptr<const void> m_alive;
};

// An interface of a control that the holder does not own, such as an item's link to its
// list: it reads as the interface pointer, and as null once the control is deleted.
template <class I>
class CWatchedInterface {
public:
    CWatchedInterface() = default;
    // part is control's interface, or null for none.
    CWatchedInterface(CUIControl* control, I* part) : m_control(part ? control : nullptr), m_part(part) {}

    I* Get() const { return m_control ? m_part : nullptr; }
    operator I*() const { return Get(); }
    I* operator->() const { return Get(); }

private:
    CWatched<CUIControl> m_control;
    I* m_part = nullptr;
};
