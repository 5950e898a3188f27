#pragma once
// CUIRender: the drawing wrapper through which the controls of one window draw.
//
// Lifetime: made and deleted by its window; the backend renderer it draws with
// belongs to the backend.
//
// Images are named by image-attribute strings: a plain image name, or pairs such as
// file='button.png' corner='4,4,4,4' fade='200' (keywords "file", "res", "restype",
// "dest", "source", "corner", "fade", "hole", "xtiled", "ytiled", "size", "align",
// "padding"); a pair of the modifier overrides the same keyword of the image string.

#include <cstdint>

#include "UIExport.h"
#include "UIGeometry.h"
#include "UIString.h"
#include "UIWatched.h"

class CImageBase;
class CRenderBase;
class CUIWindow;

// Text-style bits: how text sits in its rectangle, handed to the backend unchanged.
enum : uint32_t {
    TEXTSTYLE_TOP = 0x1,
    TEXTSTYLE_LEFT = 0x2,
    TEXTSTYLE_CENTER = 0x4,
    TEXTSTYLE_RIGHT = 0x8,
    TEXTSTYLE_VCENTER = 0x10,
    TEXTSTYLE_BOTTOM = 0x20,
    TEXTSTYLE_SINGLELINE = 0x80,
    TEXTSTYLE_CALCRECT = 0x1000,  // measure into the out rectangle, draw nothing
    TEXTSTYLE_END_ELLIPSIS = 0x4000,
    TEXTSTYLE_ELLIPSIS_MODE2 = 0x8000,
};

class UILIB_API CUIRender {
public:
    CUIRender();
    CUIRender(const CUIRender&) = delete;
    CUIRender& operator=(const CUIRender&) = delete;
    virtual ~CUIRender();

    void SetRenderPlatform(CRenderBase* render);
    // Whether a backend renderer is set; without one every drawing call does nothing.
    bool HasRenderPlatform() const;
    void SetOwnWindow(CUIWindow* window);

    void DrawColor(const CUIRect& rc, unsigned long colour);
    void DrawColor(int x, int y, int w, int h, unsigned long colour);
    // A frame of size pixels.
    void DrawRect(const CUIRect& rc, int size, unsigned long colour);
    void DrawLine(const CUIRect& rc, int size, unsigned long colour, int style);
    void DrawLine(const tagPOINT* points, int count, int size, unsigned long colour);
    // vertical is passed as a bool (non-zero is true).
    void DrawLinerGradient(const CUIRect& rc, unsigned long from, unsigned long to, int vertical, int steps);
    void DrawLinerGradient(int x, int y, int w, int h, unsigned long from, unsigned long to, int vertical, int steps);
    // False without a renderer.
    bool AlphaBlend(CImageBase* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int fade);
    void GenerateClip(const tagRECT& rc);
    void ClearClip();

    // Text in the named font (the window's default font when no manager knows it); every
    // backslash followed by n becomes a line break. With TEXTSTYLE_CALCRECT the renderer
    // measures into outRect instead of drawing.
    void DrawText(const CUIRect& rc, const CUIString& text, unsigned long style, const CUIString& fontName,
                  unsigned long colour, bool showHtml, CUIRect* outRect);
    void DrawText(int x, int y, int w, int h, const wchar_t* text, unsigned long style, const wchar_t* fontName,
                  unsigned long colour, bool showHtml, CUIRect* outRect);
    // The same with the fonts of a font group, in group order.
    void DrawTextFromFonts(const CUIRect& rc, const CUIString& text, unsigned long style, const CUIString& groupName,
                           unsigned long colour, bool showHtml, CUIRect* outRect);

    // Draws the image that the image-attribute string image (then modify) describes;
    // either may be null. False without renderer or window, or when the image is missing.
    bool DrawImageString(const CUIRect& item, const CUIRect& paint, const wchar_t* image, const wchar_t* modify);
    // Places an image of a fixed size inside item by align ("left", "right", "top", "bottom";
    // centred otherwise), moved by padding; always true.
    bool MakeImageDest(const tagRECT& item, const CUISize& size, const CUIString& align, const tagRECT& padding,
                       CUIRect& out);
    // Draws the window's image of that name; a null source becomes the whole image, and
    // source is cut to the image. True when nothing needed drawing.
    bool DrawImage(const CUIString& name, const CUIRect& item, const CUIRect& paint, const CUIRect& dest,
                   CUIRect& source, const CUIRect& corner, int fade, int hole, int xtiled, int ytiled);
    // Draws source of image into dest as a nine-grid with the border widths of corner: the
    // centre (unless hole), then corners and edges; only the pieces that meet paint. Always true.
    bool DrawImage(CImageBase* image, const CUIRect& dest, const CUIRect& paint, const CUIRect& source,
                   const CUIRect& corner, int fade, int hole, int xtiled, int ytiled);

private:
    void DrawCentre(CImageBase* image, const tagRECT& centre, const CUIRect& paint, const CUIRect& source,
                    const CUIRect& corner, int fade, int xtiled, int ytiled);

    CRenderBase* m_pRender;
    CWatched<CUIWindow> m_pOwnWindow;
};
