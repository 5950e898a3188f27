// The headless renderer: every call is journalled, then drawn with cairo into the window's
// pixels (unless pixel work is off); text goes through pango, measured as it is drawn.

#include <algorithm>
#include <cstdint>

#include "cairo_util.h"
#include "journal.h"
#include "render.h"
#include "resources.h"
#include "text.h"

namespace headless {
namespace {

constexpr unsigned long kCalcRect = 0x1000;

void AddRect(cairo_t* cr, const tagRECT& rc)
{
    cairo_rectangle(cr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

// Lines of odd width sit on pixel centres, so that straight ones cover whole pixels.
double LineOffset(int size) { return size % 2 ? 0.5 : 0.0; }

// Journals a drawing call and counts it.
template <typename... Args>
void Draw(const char* name, const Args&... args)
{
    CountDrawCall();
    Call(name, args...);
}

}  // namespace

Render::~Render()
{
    if (m_cr)
        cairo_destroy(m_cr);
}

void Render::SetTarget(cairo_surface_t* surface)
{
    if (m_cr)
        cairo_destroy(m_cr);
    m_cr = surface ? cairo_create(surface) : nullptr;
    m_clips = 0;
}

cairo_t* Render::Canvas() const { return RenderingEnabled() ? m_cr : nullptr; }

void Render::DrawLinerGradient(const tagRECT& rc, unsigned long from, unsigned long to, bool vertical, int steps)
{
    Draw("Render.DrawLinerGradient", rc, Colour{from}, Colour{to}, vertical, steps);
    cairo_t* cr = Canvas();
    if (cr == nullptr)
        return;
    cairo_pattern_t* gradient = vertical ? cairo_pattern_create_linear(0, rc.top, 0, rc.bottom)
                                         : cairo_pattern_create_linear(rc.left, 0, rc.right, 0);
    const auto stop = [gradient](double offset, unsigned long argb) {
        const Rgba c = Channels(argb);
        cairo_pattern_add_color_stop_rgba(gradient, offset, c.red, c.green, c.blue, c.alpha);
    };
    stop(0, from);
    stop(1, to);
    cairo_set_source(cr, gradient);
    AddRect(cr, rc);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void Render::DrawColor(const tagRECT& rc, unsigned long colour)
{
    Draw("Render.DrawColor", rc, Colour{colour});
    cairo_t* cr = Canvas();
    if (cr == nullptr)
        return;
    SetSource(cr, colour);
    AddRect(cr, rc);
    cairo_fill(cr);
}

// A frame of size pixels inside rc.
void Render::DrawRect(const tagRECT& rc, int size, unsigned long colour)
{
    Draw("Render.DrawRect", rc, size, Colour{colour});
    cairo_t* cr = Canvas();
    if (cr == nullptr || size <= 0)
        return;
    SetSource(cr, colour);
    AddRect(cr, rc);
    const tagRECT inner{rc.left + size, rc.top + size, rc.right - size, rc.bottom - size};
    if (inner.left < inner.right && inner.top < inner.bottom)
        AddRect(cr, inner);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// The source rectangle, cut to the image, is scaled onto the destination at fade / 255 opacity;
// its edge pixels are repeated outwards so that neighbouring pixels never bleed in.
bool Render::AlphaBlend(CImageBase* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int fade)
{
    Draw("Render.AlphaBlend", dx, dy, dw, dh, sx, sy, sw, sh, fade);
    const bool valid = image != nullptr && image->IsValid();
    cairo_t* cr = Canvas();
    if (!valid || cr == nullptr || dw <= 0 || dh <= 0)
        return valid;
    const Image* picture = dynamic_cast<const Image*>(image);
    if (picture == nullptr)
        return valid;
    // In 64 bits: the far edges of extreme rectangles lie beyond int.
    const int64_t left = std::max(sx, 0);
    const int64_t top = std::max(sy, 0);
    const int64_t right = std::min<int64_t>(int64_t{sx} + sw, cairo_image_surface_get_width(picture->Surface()));
    const int64_t bottom = std::min<int64_t>(int64_t{sy} + sh, cairo_image_surface_get_height(picture->Surface()));
    if (left >= right || top >= bottom)
        return valid;

    const SurfacePtr part(
        cairo_surface_create_for_rectangle(picture->Surface(), static_cast<double>(left), static_cast<double>(top),
                                           static_cast<double>(right - left), static_cast<double>(bottom - top)));
    cairo_save(cr);
    cairo_rectangle(cr, dx, dy, dw, dh);
    cairo_clip(cr);
    cairo_translate(cr, dx, dy);
    cairo_scale(cr, static_cast<double>(dw) / static_cast<double>(right - left),
                static_cast<double>(dh) / static_cast<double>(bottom - top));
    cairo_set_source_surface(cr, part.get(), 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint_with_alpha(cr, std::clamp(fade, 0, 255) / 255.0);
    cairo_restore(cr);
    return valid;
}

void Render::Text(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* const* fonts, int count,
                  unsigned long colour, tagRECT* outRect)
{
    if (style & kCalcRect) {
        if (outRect)
            *outRect = TextLayout(rc, text, style, fonts, count).Extent();
        return;
    }
    if (cairo_t* cr = Canvas())
        TextLayout(rc, text, style, fonts, count).Draw(cr, colour);
}

void Render::DrawText(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* font,
                      unsigned long colour, bool showHtml, tagRECT* outRect)
{
    Draw("Render.DrawText", rc, text, style, Colour{colour}, showHtml);
    Text(rc, text, style, &font, 1, colour, outRect);
}

void Render::DrawTextFromFonts(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase** fonts,
                               int count, unsigned long colour, bool showHtml, tagRECT* outRect)
{
    Draw("Render.DrawTextFromFonts", rc, text, style, count, Colour{colour}, showHtml);
    Text(rc, text, style, fonts, count, colour, outRect);
}

// A straight line from the rectangle's top-left corner to its bottom-right one.
void Render::DrawLine(const tagRECT& rc, int size, unsigned long colour, int style)
{
    Draw("Render.DrawLine", rc, size, Colour{colour}, style);
    const tagPOINT ends[] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
    Polyline(ends, 2, size, colour);
}

void Render::DrawLine(const tagPOINT* points, int count, int size, unsigned long colour)
{
    Draw("Render.DrawPolyline", count, size, Colour{colour});
    for (int i = 0; i < count; ++i)
        Call("Render.Point", points[i]);
    Polyline(points, count, size, colour);
}

void Render::Polyline(const tagPOINT* points, int count, int size, unsigned long colour)
{
    cairo_t* cr = Canvas();
    if (cr == nullptr || points == nullptr || count < 2 || size <= 0)
        return;
    const double offset = LineOffset(size);
    cairo_move_to(cr, points[0].x + offset, points[0].y + offset);
    for (int i = 1; i < count; ++i)
        cairo_line_to(cr, points[i].x + offset, points[i].y + offset);
    SetSource(cr, colour);
    cairo_set_line_width(cr, size);
    cairo_stroke(cr);
}

// Clips nest: each one narrows the one before, and ClearClip returns to it.
void Render::GenerateClip(const tagRECT& rc)
{
    Call("Render.GenerateClip", rc);
    if (m_cr == nullptr)
        return;
    cairo_save(m_cr);
    AddRect(m_cr, rc);
    cairo_clip(m_cr);
    ++m_clips;
}

void Render::ClearClip()
{
    Call("Render.ClearClip");
    if (m_cr == nullptr || m_clips == 0)
        return;
    cairo_restore(m_cr);
    --m_clips;
}

}  // namespace headless
