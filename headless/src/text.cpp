// Text through pango: one shared context with fixed font options, so a text measures the same
// whatever it is later drawn into.

#include "text.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "cairo_util.h"
#include "resources.h"

namespace headless {
namespace {

constexpr unsigned long kCenter = 0x4;
constexpr unsigned long kRight = 0x8;
constexpr unsigned long kVCenter = 0x10;
constexpr unsigned long kBottom = 0x20;
constexpr unsigned long kSingleLine = 0x80;
constexpr unsigned long kEndEllipsis = 0x4000;
constexpr unsigned long kEllipsisMode2 = 0x8000;

// The size of text drawn without a usable font.
constexpr int kFallbackSize = 8;
// Larger sizes and widths are held here, so that they stay within pango's units.
constexpr int kLargestSize = 1 << 12;
constexpr int64_t kWidestLayout = 1 << 20;

PangoContext* SharedContext()
{
    static PangoContext* const context = [] {
        PangoContext* made = pango_font_map_create_context(pango_cairo_font_map_get_default());
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(made, options);
        cairo_font_options_destroy(options);
        return made;
    }();
    return context;
}

// The offset that places extent within span: at its start, centred, or at its end.
int64_t Place(int64_t span, int64_t extent, bool centre, bool end)
{
    if (centre)
        return (span - extent) / 2;
    return end ? span - extent : 0;
}

// The first font sets size and styles; every font's family joins the fallback list.
void Describe(PangoLayout* layout, CFontBase* const* fonts, int count)
{
    std::string families;
    const Font* first = nullptr;
    for (int i = 0; fonts && i < count; ++i) {
        const Font* font = dynamic_cast<const Font*>(fonts[i]);
        if (font == nullptr)
            continue;
        if (first == nullptr)
            first = font;
        families += (families.empty() ? "" : ",") + font->Family();
    }
    const int size = first && first->Size() > 0 ? std::min(first->Size(), kLargestSize) : kFallbackSize;

    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, families.empty() ? kDefaultFamily : families.c_str());
    pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
    if (first && first->Bold())
        pango_font_description_set_weight(description, PANGO_WEIGHT_BOLD);
    if (first && first->Italic())
        pango_font_description_set_style(description, PANGO_STYLE_ITALIC);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);

    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_line_height_new_absolute((size + size / 4) * PANGO_SCALE));
    if (first && first->Underline())
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
}

}  // namespace

TextLayout::TextLayout(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* const* fonts,
                       int count)
    : m_layout(pango_layout_new(SharedContext())), m_rc(rc), m_style(style)
{
    PangoLayout* layout = m_layout.get();
    Describe(layout, fonts, count);

    const int64_t width = rc.right - rc.left;
    const bool wraps = !(style & kSingleLine);
    const bool ellipsizes = (style & (kEndEllipsis | kEllipsisMode2)) != 0;
    if ((wraps || ellipsizes) && width > 0) {
        m_widthSet = true;
        pango_layout_set_width(layout, static_cast<int>(std::min(width, kWidestLayout)) * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        pango_layout_set_alignment(layout, (style & kCenter)  ? PANGO_ALIGN_CENTER
                                           : (style & kRight) ? PANGO_ALIGN_RIGHT
                                                              : PANGO_ALIGN_LEFT);
        if (ellipsizes)
            pango_layout_set_ellipsize(layout, (style & kEndEllipsis) ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_MIDDLE);
    }
    pango_layout_set_text(layout, Utf8(text).c_str(), -1);
    pango_layout_get_pixel_extents(layout, nullptr, &m_logical);
}

tagRECT TextLayout::Extent() const
{
    return {m_rc.left, m_rc.top, m_rc.left + m_logical.width, m_rc.top + m_logical.height};
}

void TextLayout::Draw(cairo_t* cr, unsigned long colour) const
{
    const int64_t width = m_rc.right - m_rc.left;
    const int64_t height = m_rc.bottom - m_rc.top;
    int64_t x = m_rc.left;
    if (!m_widthSet)
        x += Place(width, m_logical.width, m_style & kCenter, m_style & kRight) - m_logical.x;
    const int64_t y = m_rc.top + Place(height, m_logical.height, m_style & kVCenter, m_style & kBottom) - m_logical.y;

    cairo_save(cr);
    cairo_rectangle(cr, m_rc.left, m_rc.top, width, height);
    cairo_clip(cr);
    SetSource(cr, colour);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, m_layout.get());
    cairo_restore(cr);
}

}  // namespace headless
