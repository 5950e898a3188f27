#pragma once
// What a window shares with its running backend callbacks: how deep they are nested, and
// what waits for the outermost one to return.

#include <memory>
#include <vector>

#include "UIControl.h"
#include "UIRender.h"
#include "UIWatched.h"
#include "UIWindow.h"

// What a window shares with its running callbacks. It outlives the window while a
// callback that the window's deletion interrupted unwinds.
struct CUIWindow::CallbackState {
    int depth = 0;
    std::vector<CUIControl*> deleteWhenIdle;
    // The drawing wrapper of a window deleted while it painted: the paint still holds it.
    std::unique_ptr<CUIRender> keptRender;
};

// Marks a backend callback of the window as running. Controls handed to DeleteWhenIdle
// meanwhile are deleted when the outermost one returns, also when a handler deleted the
// window in between; a callback asks WindowDeleted after calling out and then touches
// nothing of the window.
class CUIWindow::CallbackScope {
public:
    explicit CallbackScope(CUIWindow* window) : m_window(window), m_state(window->m_callbacks) { ++m_state->depth; }
    CallbackScope(const CallbackScope&) = delete;
    CallbackScope& operator=(const CallbackScope&) = delete;
    ~CallbackScope()
    {
        if (--m_state->depth > 0)
            return;
        std::vector<CUIControl*> waiting;
        waiting.swap(m_state->deleteWhenIdle);
        for (CUIControl* control : waiting)
            delete control;
    }

    bool WindowDeleted() const { return !m_window; }
    // Only while WindowDeleted is false.
    CUIWindow& Window() const { return *m_window.Get(); }

private:
    const CWatched<CUIWindow> m_window;
    const std::shared_ptr<CallbackState> m_state;
};
