// The headless renderer: every call is journalled; text is measured from the font's metrics.

#include <algorithm>

#include "journal.h"
#include "render.h"
#include "resources.h"

namespace headless {
namespace {

constexpr unsigned long kCalcRect = 0x1000;

// The extent of text in font: the longest line times the advance, lines times the line height.
void Measure(const tagRECT& rc, const wchar_t* text, CFontBase* font, tagRECT& out)
{
    const Font* metrics = dynamic_cast<const Font*>(font);
    const int advance = metrics ? metrics->Advance() : 4;
    const int lineHeight = metrics ? metrics->LineHeight() : 10;
    long longest = 0, current = 0, lines = 1;
    for (const wchar_t* c = text; c && *c; ++c) {
        if (*c == L'\n') {
            ++lines;
            current = 0;
            continue;
        }
        longest = std::max(longest, ++current);
    }
    out.left = rc.left;
    out.top = rc.top;
    out.right = rc.left + longest * advance;
    out.bottom = rc.top + lines * lineHeight;
}

}  // namespace

void Render::DrawLinerGradient(const tagRECT& rc, unsigned long from, unsigned long to, bool vertical, int steps)
{
    Call("Render.DrawLinerGradient", rc, Colour{from}, Colour{to}, vertical, steps);
}

void Render::DrawColor(const tagRECT& rc, unsigned long colour) { Call("Render.DrawColor", rc, Colour{colour}); }

void Render::DrawRect(const tagRECT& rc, int size, unsigned long colour)
{
    Call("Render.DrawRect", rc, size, Colour{colour});
}

bool Render::AlphaBlend(CImageBase* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int fade)
{
    Call("Render.AlphaBlend", dx, dy, dw, dh, sx, sy, sw, sh, fade);
    return image != nullptr && image->IsValid();
}

void Render::DrawText(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* font,
                      unsigned long colour, bool showHtml, tagRECT* outRect)
{
    Call("Render.DrawText", rc, text, style, Colour{colour}, showHtml);
    if ((style & kCalcRect) && outRect)
        Measure(rc, text, font, *outRect);
}

void Render::DrawTextFromFonts(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase** fonts,
                               int count, unsigned long colour, bool showHtml, tagRECT* outRect)
{
    Call("Render.DrawTextFromFonts", rc, text, style, count, Colour{colour}, showHtml);
    if ((style & kCalcRect) && outRect)
        Measure(rc, text, count > 0 ? fonts[0] : nullptr, *outRect);
}

void Render::DrawLine(const tagRECT& rc, int size, unsigned long colour, int style)
{
    Call("Render.DrawLine", rc, size, Colour{colour}, style);
}

void Render::DrawLine(const tagPOINT* points, int count, int size, unsigned long colour)
{
    Call("Render.DrawPolyline", count, size, Colour{colour});
    for (int i = 0; i < count; ++i)
        Call("Render.Point", points[i]);
}

void Render::GenerateClip(const tagRECT& rc) { Call("Render.GenerateClip", rc); }

void Render::ClearClip() { Call("Render.ClearClip"); }

}  // namespace headless
