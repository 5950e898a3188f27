#pragma once
// The renderer of one headless window.

#include <UIRenderBase.h>

namespace headless {

class Render : public CRenderBase {
public:
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
};

}  // namespace headless
