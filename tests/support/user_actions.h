#pragma once
// A user's pointer actions on a window, sent the way the backend sends them, so
// that they go through the window's real hit test and dispatch.

#include <gtest/gtest.h>

#include <memory>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"

namespace vonktest {

// A window with no skin folder, for trees built by hand.
class PlainWindow : public CUIWindow {
public:
    CUIString GetSkinFolder() override { return L""; }
};

// A window created on the stand-in backend at (0, 0) with that client size; its
// handler is headless::LastHandler() until another window is made.
inline std::unique_ptr<PlainWindow> OpenWindow(int width, int height)
{
    auto window = std::make_unique<PlainWindow>();
    window->Create(0, 0, width, height);
    return window;
}

// Gives a child of a plain control its size and its offset from the parent's corner,
// where the parent's layout will place it.
inline void Place(CUIControl& control, int x, int y, int width, int height)
{
    control.SetFixedWidth(width);
    control.SetFixedHeight(height);
    control.SetPadding(CUIRect(x, y, 0, 0));
}

// A test that starts on the stand-in backend with one window of 200 by 100 pixels.
class WindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        StartHeadless();
        window = OpenWindow(200, 100);
        handler = headless::LastHandler();
    }

    std::unique_ptr<PlainWindow> window;
    CMsgHandler* handler = nullptr;
};

using headless::Pointer;

inline void Press(CMsgHandler* handler, int x, int y, int type = EVENT_BUTTONDOWN)
{
    handler->OnButtonPress(Pointer(x, y, type), nullptr);
}

inline void Release(CMsgHandler* handler, int x, int y) { handler->OnButtonRelease(Pointer(x, y)); }

inline void MoveTo(CMsgHandler* handler, int x, int y) { handler->OnMouseMove(Pointer(x, y)); }

inline void Click(CMsgHandler* handler, int x, int y)
{
    Press(handler, x, y);
    Release(handler, x, y);
}

// direction: 0 turns the wheel up, 1 down.
inline void Wheel(CMsgHandler* handler, int x, int y, int direction)
{
    handler->OnMouseWheel(direction, Pointer(x, y));
}

// Lays out (when asked for) and paints with the newest window's renderer, as the
// backend does when the window must be drawn; answers what OnPaint answers.
inline int Paint(CMsgHandler* handler) { return handler->OnPaint(headless::LastRender()); }

}  // namespace vonktest
