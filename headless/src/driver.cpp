// The application's driver: pointer input and painting on the newest window.

#include "headless.h"
#include "window.h"

namespace headless {

MsgButtonParam Pointer(int x, int y, int type)
{
    MsgButtonParam param{};
    param.type = type;
    param.x = x;
    param.y = y;
    param.root_x = x;
    param.root_y = y;
    return param;
}

void Press(int x, int y, int type)
{
    ReportPendingSizes();
    if (CMsgHandler* handler = LastHandler())
        handler->OnButtonPress(Pointer(x, y, type), nullptr);
}

void Release(int x, int y)
{
    ReportPendingSizes();
    if (CMsgHandler* handler = LastHandler())
        handler->OnButtonRelease(Pointer(x, y, EVENT_BUTTONUP));
}

void MoveTo(int x, int y)
{
    ReportPendingSizes();
    if (CMsgHandler* handler = LastHandler())
        handler->OnMouseMove(Pointer(x, y, EVENT_MOUSEMOVE));
}

void Click(int x, int y)
{
    Press(x, y);
    Release(x, y);
}

void Wheel(int x, int y, int direction)
{
    ReportPendingSizes();
    if (CMsgHandler* handler = LastHandler())
        handler->OnMouseWheel(direction, Pointer(x, y, EVENT_SCROLLWHEEL));
}

int Paint()
{
    ReportPendingSizes();
    CMsgHandler* handler = LastHandler();
    return handler ? handler->OnPaint(LastRender()) : 0;
}

}  // namespace headless
