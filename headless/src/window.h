#pragma once
// A headless native window: it keeps its size, position and pixels and calls its handler back.

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
    void Report(const tagPOINT& pos);

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
    // New, transparent pixels of the window's size, which the renderer then draws into.
    void MakeSurface();

    SurfacePtr m_surface;
    Render m_render;
    tagSIZE m_size{0, 0};
    tagPOINT m_pos{0, 0};
    State m_state = State::Normal;
};

// The most recently created window that is still alive, or null.
Window* NewestWindow();

}  // namespace headless
