#pragma once
// A user's pointer actions on a window, sent the way the backend sends them, so
// that they go through the window's real hit test and dispatch.

#include <headless.h>
#include <vonk-ui.h>

namespace vonktest {

// A window with no skin folder, for trees built by hand.
class PlainWindow : public CUIWindow {
public:
    CUIString GetSkinFolder() override { return L""; }
};

// A pointer record at (x, y); the screen position is the same point.
inline MsgButtonParam Pointer(int x, int y, int type = EVENT_BUTTONDOWN)
{
    MsgButtonParam param{};
    param.type = type;
    param.x = x;
    param.y = y;
    param.root_x = x;
    param.root_y = y;
    return param;
}

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
