#pragma once
// The renderer of one headless window: journals every call and draws into the window's pixels.

#include <cairo.h>

#include <UIRenderBase.h>

namespace headless {

class Render : public CRenderBase {
public:
    Render() = default;
    Render(const Render&) = delete;
    Render& operator=(const Render&) = delete;
    ~Render() override;

    // Draws into surface from now on (null: nowhere); clips set before are dropped.
    void SetTarget(cairo_surface_t* surface);

    void DrawLinerGradient(const tagRECT& rc, unsigned long from, unsigned long to, bool vertical, int steps) override;
    void DrawColor(const tagRECT& rc, unsigned long colour) override;
    void DrawRect(const tagRECT& rc, int size, unsigned long colour) override;
    bool AlphaBlend(CImageBase* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh,
                    int fade) override;
    void DrawText(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* font, unsigned long colour,
                  bool showHtml, tagRECT* outRect) override;
    void DrawTextFromFonts(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase** fonts, int count,
                           unsigned long colour, bool showHtml, tagRECT* outRect) override;
    void DrawLine(const tagRECT& rc, int size, unsigned long colour, int style) override;
    void DrawLine(const tagPOINT* points, int count, int size, unsigned long colour) override;
    void GenerateClip(const tagRECT& rc) override;
    void ClearClip() override;

private:
    // The context to draw with, or null when there is no target or pixel work is off.
    cairo_t* Canvas() const;
    void Text(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* const* fonts, int count,
              unsigned long colour, tagRECT* outRect);
    void Polyline(const tagPOINT* points, int count, int size, unsigned long colour);

    cairo_t* m_cr = nullptr;
    // Clips set by GenerateClip and not yet cleared; each is one saved cairo state.
    int m_clips = 0;
};

}  // namespace headless
