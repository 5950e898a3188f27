#pragma once
// Control of the headless stand-in backend, for tests, scripted runs and the demonstration.
//
// The application loads the backend as any other ("#DLOPEN_CALLER_PATH#/libvonk-headless.so.0",
// the file beside libvonk-ui.so.0) and links it (-lvonk-headless) to call what follows; the
// two are the same library. Include it as <vonk-ui/headless.h>, or as <headless.h> with
// pkg-config's flags. Nothing comes from a native window system: the application drives
// the newest window itself (Paint, Press, Release, MoveTo, Wheel, AdvanceClock) and reads
// its pixels (WritePng).
//
// The backend journals every call it receives, in order, as one line each
// ("Render.DrawColor(0,0,10,10,ff0000ff)"); each window draws into pixels of its
// own size: premultiplied ARGB32, one 32-bit word a pixel in native byte order, as
// CWindowBase::GetRenderData gives them. It can be told to fail, and its timers run on a
// manual clock that only AdvanceClock moves.

#include <cstddef>
#include <string>
#include <vector>

#include "UIMessage.h"
#include "UIWindowBase.h"

namespace headless {

// A call that a fault makes fail is journalled all the same.
enum Fault : unsigned {
    kNullFont = 1u << 0,      // GetFont returns null
    kNullImage = 1u << 1,     // GetImage returns null
    kNullTimer = 1u << 2,     // GetTimer returns null
    kNullWindow = 1u << 3,    // GetPlatformWindow returns null
    kFailImageLoad = 1u << 4, // every image Load fails
};

void SetFaults(unsigned faults);

std::vector<std::string> Journal();
// The journal's lines that begin with prefix.
std::vector<std::string> JournalOf(const std::string& prefix);
void ClearJournal();
void EnableJournal(bool enabled);
// Pixel work on (the default) or off; the journal and text measuring stay as they are.
// A window made or resized while it is off has no pixels.
void EnableRendering(bool enabled);

// Moves the manual clock and fires every timer that falls due, in time order.
void AdvanceClock(unsigned milliseconds);
// The number of timers running now.
size_t RunningTimers();

// Backend objects handed out and not yet returned, by kind ("Font", "Image", "Timer", "Window").
size_t Outstanding(const std::string& kind);

// Drawing calls (every renderer call but the clip brackets) that reached any renderer,
// counted whether the journal is on or not.
size_t DrawCalls();

// One frame of the most recently created window, as a native window system paints: when
// something was invalidated, or a relayout asked for, since the last frame, the handler's
// OnPaint runs with the clipping rectangle set to the bounds of what was invalidated (the
// whole window after its creation or a new size; nothing when only a relayout was asked
// for); otherwise no OnPaint runs. Answers whether OnPaint ran.
bool PaintFrame();
// A frame of that window that only lays out: when a relayout was asked for since the last
// frame, OnPaint runs with an empty clipping rectangle, so that nothing is painted; what
// was invalidated, before it or by it, waits for the next PaintFrame. Answers whether
// OnPaint ran.
bool LayoutFrame();

// The handler that the most recently created window registered, or null.
CMsgHandler* LastHandler();
// The renderer of the most recently created window, or null.
CRenderBase* LastRender();

// A pointer record at (x, y), window coordinates, that are also taken as the screen position.
MsgButtonParam Pointer(int x, int y, int type = EVENT_BUTTONDOWN);

// The user's pointer on the most recently created window, sent to its handler as a native
// window sends it (a Pointer record at (x, y)), so that it goes through the window's hit
// test and dispatch. Nothing without a window.
// type: EVENT_BUTTONDOWN, EVENT_DBLCLICK or EVENT_SECONDARYDOWN (which the window ignores).
void Press(int x, int y, int type = EVENT_BUTTONDOWN);
void Release(int x, int y);
void MoveTo(int x, int y);
// A press and a release at the same point.
void Click(int x, int y);
// direction: 0 turns the wheel up, 1 down.
void Wheel(int x, int y, int direction);

// Paints the most recently created window now, whole, with its renderer (laying it out
// first when that was asked for); answers what OnPaint answers, 0 without a window.
int Paint();

// Saves what window's GetRenderData gives (premultiplied ARGB32) as a PNG file;
// false when there are no pixels or the file cannot be written.
bool WritePng(CWindowBase* window, const std::string& path);

// The most recently created window reports a new client size or position to its
// handler, as a native window does after the user resized or moved it.
//
// A window that resizes itself (CWindowBase::ReSize, which a "Window" element's "size"
// reaches) takes its new pixels at once, and, as from a window system, its handler hears of
// the new size (OnSize) only once that call has returned: a ReSize made while the window is
// created gives the size that Create then reports; a later one is reported before the next
// thing this driver delivers (a frame, a paint, pointer input, timer ticks). A size that
// ReportSize gives replaces one not yet reported.
void ReportSize(int width, int height);
void ReportMove(int x, int y);

}  // namespace headless
