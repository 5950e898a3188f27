#pragma once
// CWatched: a pointer to a control or window that the holder does not own; it answers
// null once its target is deleted.

#include <memory>

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
