#pragma once
// The backend's renderer of one window.
//
// Lifetime: owned by the backend; handed to CMsgHandler::OnCreate and OnPaint and
// valid until the backend window is released. The library never deletes it and
// keeps none of the arrays or texts it passes beyond the call.

#include "UIExport.h"
#include "UIRect.h"

class CFontBase;
class CImageBase;

class UILIB_API CRenderBase {
public:
    virtual ~CRenderBase() {}
    virtual void DrawLinerGradient(const tagRECT& rc, unsigned long from, unsigned long to, bool vertical, int steps) = 0;
    virtual void DrawColor(const tagRECT& rc, unsigned long colour) = 0;
    virtual void DrawRect(const tagRECT& rc, int size, unsigned long colour) = 0;
    virtual bool AlphaBlend(CImageBase* image, int dx, int dy, int dw, int dh,
                            int sx, int sy, int sw, int sh, int fade) = 0;
    // With TEXTSTYLE_CALCRECT in style the text is measured into outRect, not drawn.
    virtual void DrawText(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* font,
                          unsigned long colour, bool showHtml, tagRECT* outRect) = 0;
    virtual void DrawTextFromFonts(const tagRECT& rc, const wchar_t* text, unsigned long style,
                                   CFontBase** fonts, int count, unsigned long colour, bool showHtml,
                                   tagRECT* outRect) = 0;
    virtual void DrawLine(const tagRECT& rc, int size, unsigned long colour, int style) = 0;
    virtual void DrawLine(const tagPOINT* points, int count, int size, unsigned long colour) = 0;
    virtual void GenerateClip(const tagRECT& rc) = 0;
    virtual void ClearClip() = 0;
};
