// The headless window and application, and the backend's exported entry points.

#include <algorithm>
#include <cstring>
#include <vector>

#include <UIPlatform.h>

#include "headless.h"
#include "journal.h"
#include "resources.h"
#include "timer.h"
#include "window.h"

namespace headless {
namespace {

std::vector<Window*>& LiveWindows()
{
    static std::vector<Window*> windows;
    return windows;
}

}  // namespace

Window::Window()
{
    LiveWindows().push_back(this);
    Count("Window", 1);
}

Window::~Window()
{
    auto& windows = LiveWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    Count("Window", -1);
}

Window* NewestWindow() { return LiveWindows().empty() ? nullptr : LiveWindows().back(); }

void ReportPendingSizes()
{
    // A handler may delete windows, its own among them, while it is told.
    const std::vector<CWatched<Window>> windows(LiveWindows().begin(), LiveWindows().end());
    for (Window* window : windows) {
        if (window)
            window->ReportPendingSize();
    }
}

CMsgHandler* LastHandler()
{
    const Window* window = NewestWindow();
    return window ? window->Handler() : nullptr;
}

CRenderBase* LastRender()
{
    Window* window = NewestWindow();
    return window ? window->Renderer() : nullptr;
}

void Window::MakeSurface()
{
    m_render.SetTarget(nullptr);
    m_surface.reset();
    // Without pixel work no pixels are kept, whatever size the window is given.
    if (!RenderingEnabled() || m_size.cx <= 0 || m_size.cy <= 0)
        return;
    m_surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(m_size.cx),
                                               static_cast<int>(m_size.cy)));
    if (cairo_surface_status(m_surface.get()) != CAIRO_STATUS_SUCCESS) {
        m_surface.reset();
        return;
    }
    m_render.SetTarget(m_surface.get());
}

void ReportSize(int width, int height)
{
    if (Window* window = NewestWindow())
        window->Report(tagSIZE{width, height});
}

void ReportMove(int x, int y)
{
    if (Window* window = NewestWindow())
        window->Report(tagPOINT{x, y});
}

bool PaintFrame()
{
    ReportPendingSizes();
    Window* window = NewestWindow();
    return window && window->PaintFrame();
}

bool LayoutFrame()
{
    ReportPendingSizes();
    Window* window = NewestWindow();
    return window && window->LayoutFrame();
}

namespace {

bool IsEmpty(const tagRECT& rc) { return rc.left >= rc.right || rc.top >= rc.bottom; }

}  // namespace

void Window::Damage(const tagRECT& rc)
{
    const tagRECT area{std::max<int64_t>(rc.left, 0), std::max<int64_t>(rc.top, 0),
                       std::min<int64_t>(rc.right, m_size.cx), std::min<int64_t>(rc.bottom, m_size.cy)};
    if (IsEmpty(area))
        return;
    if (IsEmpty(m_damage)) {
        m_damage = area;
        return;
    }
    m_damage = {std::min(m_damage.left, area.left), std::min(m_damage.top, area.top),
                std::max(m_damage.right, area.right), std::max(m_damage.bottom, area.bottom)};
}

bool Window::PaintFrame()
{
    if ((IsEmpty(m_damage) && !m_frameDue) || m_pMsgHandler == nullptr)
        return false;
    // What the paint itself invalidates or asks for belongs to the next frame.
    const tagRECT clip = m_damage;
    m_damage = {0, 0, 0, 0};
    RunFrame(clip);
    return true;
}

bool Window::LayoutFrame()
{
    if (!m_frameDue || m_pMsgHandler == nullptr)
        return false;
    // The damage is set aside and then joins what the frame itself invalidated.
    const tagRECT damage = m_damage;
    m_damage = {0, 0, 0, 0};
    if (RunFrame({0, 0, 0, 0}))
        Damage(damage);
    return true;
}

bool Window::RunFrame(const tagRECT& clip)
{
    m_clip = clip;
    m_frameDue = false;
    m_inFrame = true;
    const CWatched<Window> alive(this);
    m_pMsgHandler->OnPaint(&m_render);
    if (!alive)
        return false;
    m_inFrame = false;
    return true;
}

void Window::Report(const tagSIZE& size)
{
    m_sizePending = false;
    m_size = size;
    MakeSurface();
    DamageAll();
    if (m_pMsgHandler)
        m_pMsgHandler->OnSize(static_cast<int>(size.cx), static_cast<int>(size.cy));
}

void Window::ReportPendingSize()
{
    if (!m_sizePending || m_pMsgHandler == nullptr)
        return;
    m_sizePending = false;
    m_pMsgHandler->OnSize(static_cast<int>(m_size.cx), static_cast<int>(m_size.cy));
}

void Window::Report(const tagPOINT& pos)
{
    m_pos = pos;
    if (m_pMsgHandler)
        m_pMsgHandler->OnWindowMove(static_cast<int>(pos.x), static_cast<int>(pos.y));
}

// A native window is made, its renderer reported, then its first size: the one it has when
// OnCreate returns, which a ReSize from inside OnCreate (a window's markup) has given it.
bool Window::Create(int x, int y, int width, int height)
{
    Call("Window.Create", x, y, width, height);
    m_pos = {x, y};
    m_size = {width, height};
    MakeSurface();
    DamageAll();
    if (m_pMsgHandler) {
        const CWatched<Window> alive(this);
        m_pMsgHandler->OnCreate(&m_render);
        if (alive) {
            m_sizePending = false;
            m_pMsgHandler->OnSize(static_cast<int>(m_size.cx), static_cast<int>(m_size.cy));
        }
    }
    return true;
}

void Window::SetType(int type) { Call("Window.SetType", type); }
void Window::Quite() { Call("Window.Quite"); }
void Window::Show(bool show) { Call("Window.Show", show); }
void Window::Invalidate(const tagRECT& rc)
{
    Call("Window.Invalidate", rc);
    Damage(rc);
}

void Window::NeedUpdate()
{
    Call("Window.NeedUpdate");
    m_frameDue = true;
}

// The pixels take the size at once; the handler hears of it once this call has returned,
// as from a window system (ReportPendingSizes).
void Window::ReSize(const tagSIZE& size)
{
    Call("Window.ReSize", size);
    m_size = size;
    MakeSurface();
    DamageAll();
    m_sizePending = true;
}

void Window::GetSize(tagSIZE& size) { size = m_size; }
// Within a frame, what it repaints; otherwise the whole window.
void Window::GetClipRect(tagRECT& rc) { rc = m_inFrame ? m_clip : tagRECT{0, 0, m_size.cx, m_size.cy}; }
void Window::GetWindowPos(tagPOINT& pt) { pt = m_pos; }

void Window::SetParent(CWindowBase* parent) { Call("Window.SetParent", static_cast<const void*>(parent)); }
void Window::CenterWindow() { Call("Window.CenterWindow"); }

void Window::MoveWindow(int x, int y)
{
    Call("Window.MoveWindow", x, y);
    Report(tagPOINT{x, y});
}

void Window::SetMinMaxSizeInfo(const tagSIZE& minimum, const tagSIZE& maximum)
{
    Call("Window.SetMinMaxSizeInfo", minimum, maximum);
}

void Window::BeginMoveDrag(void* native) { Call("Window.BeginMoveDrag", static_cast<const void*>(native)); }

void Window::Minimize()
{
    Call("Window.Minimize");
    m_state = State::Minimized;
}

void Window::Close()
{
    Call("Window.Close");
    if (m_pMsgHandler)
        m_pMsgHandler->OnClose();
}

void Window::Restore()
{
    Call("Window.Restore");
    m_state = State::Normal;
}

void Window::Maximize()
{
    Call("Window.Maximize");
    m_state = State::Maximized;
}

void Window::FullScreen()
{
    Call("Window.FullScreen");
    m_state = State::FullScreen;
}

bool Window::IsMinimize() { return m_state == State::Minimized; }
bool Window::IsMaximize() { return m_state == State::Maximized; }
bool Window::IsFullScreen() { return m_state == State::FullScreen; }
void Window::ShowPop(bool show) { Call("Window.ShowPop", show); }

void Window::GetRenderData(unsigned char*& data, int& width, int& height, int& stride)
{
    data = nullptr;
    width = height = stride = 0;
    if (!m_surface)
        return;
    cairo_surface_flush(m_surface.get());
    data = cairo_image_surface_get_data(m_surface.get());
    width = cairo_image_surface_get_width(m_surface.get());
    height = cairo_image_surface_get_height(m_surface.get());
    stride = cairo_image_surface_get_stride(m_surface.get());
}

bool WritePng(CWindowBase* window, const std::string& path)
{
    unsigned char* data = nullptr;
    int width = 0, height = 0, stride = 0;
    window->GetRenderData(data, width, height, stride);
    if (data == nullptr)
        return false;
    cairo_surface_t* pixels = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, stride);
    const bool written = cairo_surface_write_to_png(pixels, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(pixels);
    return written;
}

void* Window::GetRenderSharedMapName(const char* name)
{
    Call("Window.GetRenderSharedMapName", name);
    return nullptr;
}

// The application: the command line is journalled; the loop returns at once,
// since everything a headless window receives comes from its driver.
class App : public CAppBase {
public:
    void Init(int argc, char** argv) override
    {
        Call("App.Init", argc);
        for (int i = 0; i < argc; ++i)
            Call("App.Arg", static_cast<const char*>(argv[i]));
    }

    void MainLoop() override { Call("App.MainLoop"); }

    void GetRenderData(const char* name, unsigned char*& data, int& width, int& height, int& stride) override
    {
        Call("App.GetRenderData", name);
        data = nullptr;
        width = height = stride = 0;
        if (name == nullptr)
            return;
        for (Window* window : LiveWindows()) {
            const char* own = window->Handler() ? window->Handler()->GetWindowName() : nullptr;
            if (own && std::strcmp(own, name) == 0) {
                window->GetRenderData(data, width, height, stride);
                return;
            }
        }
    }
};

}  // namespace headless

using namespace headless;

// The backend's entry points. A build with HEADLESS_FONTS_ONLY exports only the first two.
extern "C" {

__attribute__((visibility("default"))) CFontBase* GetFont()
{
    Call("GetFont");
    if (HasFault(kNullFont))
        return nullptr;
    Count("Font", 1);
    return new Font;
}

__attribute__((visibility("default"))) void ReleaseFont(CFontBase* font)
{
    Call("ReleaseFont");
    if (font)
        Count("Font", -1);
    delete font;
}

#ifndef HEADLESS_FONTS_ONLY

__attribute__((visibility("default"))) CImageBase* GetImage()
{
    Call("GetImage");
    if (HasFault(kNullImage))
        return nullptr;
    Count("Image", 1);
    return new Image;
}

__attribute__((visibility("default"))) void ReleaseImage(CImageBase* image)
{
    Call("ReleaseImage");
    if (image)
        Count("Image", -1);
    delete image;
}

__attribute__((visibility("default"))) CTimerBase* GetTimer()
{
    Call("GetTimer");
    return HasFault(kNullTimer) ? nullptr : new Timer;
}

__attribute__((visibility("default"))) void ReleaseTimer(CTimerBase* timer)
{
    Call("ReleaseTimer");
    delete timer;
}

__attribute__((visibility("default"))) CWindowBase* GetPlatformWindow()
{
    Call("GetPlatformWindow");
    return HasFault(kNullWindow) ? nullptr : new Window;
}

__attribute__((visibility("default"))) void ReleaseWindow(CWindowBase* window)
{
    Call("ReleaseWindow");
    delete window;
}

__attribute__((visibility("default"))) CAppBase* GetApp()
{
    Call("GetApp");
    static App app;
    return &app;
}

__attribute__((visibility("default"))) void* GetSignal()
{
    Call("GetSignal");
    static int signal;
    return &signal;
}

__attribute__((visibility("default"))) void InitSignal(int (*onText)(char const*), void (*)(int),
                                                       CWindowHander* (*)(int))
{
    Call("InitSignal");
    if (onText)
        onText("headless");
}

// X keysyms of the printable range map to themselves; everything else to 0.
__attribute__((visibility("default"))) int _Keysym2VK(unsigned long keysym)
{
    Call("_Keysym2VK", keysym);
    return keysym >= 0x20 && keysym < 0x7f ? static_cast<int>(keysym) : 0;
}

#endif
}
