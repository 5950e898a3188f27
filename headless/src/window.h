#pragma once
// A headless native window: it keeps its size, position and pixels and calls its handler back.

#include <memory>

#include <UIWatched.h>
#include <UIWindowBase.h>

#include "cairo_util.h"
#include "render.h"

namespace headless {

class Window : public CWindowBase {
public:
    Window();
    ~Window() override;

    CMsgHandler* Handler() const { return m_pMsgHandler; }
    Render* Renderer() { return &m_render; }
    // Stores what the native window now has and tells the handler.
    void Report(const tagSIZE& size);
    // Tells the handler the size that a ReSize gave, once that call has returned.
    void ReportPendingSize();
    void Report(const tagPOINT& pos);
    // Paints what was damaged since the last frame; false when nothing was.
    bool PaintFrame();
    // Lays out what asked for it with nothing to paint; the damage waits for PaintFrame.
    bool LayoutFrame();

    bool Create(int x, int y, int width, int height) override;
    void SetType(int type) override;
    void Quite() override;
    void Show(bool show) override;
    void Invalidate(const tagRECT& rc) override;
    void NeedUpdate() override;
    void ReSize(const tagSIZE& size) override;
    void GetSize(tagSIZE& size) override;
    void GetClipRect(tagRECT& rc) override;
    void GetWindowPos(tagPOINT& pt) override;
    void SetParent(CWindowBase* parent) override;
    void CenterWindow() override;
    void MoveWindow(int x, int y) override;
    void SetMinMaxSizeInfo(const tagSIZE& minimum, const tagSIZE& maximum) override;
    void BeginMoveDrag(void* native) override;
    void Minimize() override;
    void Close() override;
    void Restore() override;
    void Maximize() override;
    void FullScreen() override;
    bool IsMinimize() override;
    bool IsMaximize() override;
    bool IsFullScreen() override;
    void ShowPop(bool show) override;
    void GetRenderData(unsigned char*& data, int& width, int& height, int& stride) override;
    void* GetRenderSharedMapName(const char* name) override;

private:
    enum class State { Normal, Minimized, Maximized, FullScreen };
    // New, transparent pixels of the window's size, which the renderer then draws into;
    // none while pixel work is off.
    void MakeSurface();
    void Damage(const tagRECT& rc);
    void DamageAll() { Damage({0, 0, m_size.cx, m_size.cy}); }
    // The handler's OnPaint with that clip; false when the handler deleted the window.
    bool RunFrame(const tagRECT& clip);

    SurfacePtr m_surface;
    Render m_render;
    tagSIZE m_size{0, 0};
    // What the next frame repaints, whether one is due even with nothing to repaint (a
    // relayout was asked for), and the clip that OnPaint is given within a frame.
    tagRECT m_damage{0, 0, 0, 0};
    bool m_frameDue = false;
    tagRECT m_clip{0, 0, 0, 0};
    bool m_inFrame = false;
    // A ReSize whose size the handler has not been told yet.
    bool m_sizePending = false;
    tagPOINT m_pos{0, 0};
    State m_state = State::Normal;
    // Gone with the window: a handler may delete the window that is calling it.
    std::shared_ptr<const bool> m_lifetime = std::make_shared<const bool>(true);

public:
    // For CWatched: expires when this window is deleted.
    std::weak_ptr<const void> GetLifetime() const { return m_lifetime; }
};

// The most recently created window that is still alive, or null.
Window* NewestWindow();
// Reports every live window's pending size, as a window system delivers the size it gave
// before the events that follow; the driver calls it before it delivers anything.
void ReportPendingSizes();

}  // namespace headless
