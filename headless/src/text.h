#pragma once
// Text laid out with pango: measuring and drawing go through the same layout, so they agree.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

#include <UIFontBase.h>
#include <UIRect.h>

namespace headless {

class TextLayout {
public:
    // Lays text out for rc with the text-style bits; the fonts are tried in order for each glyph.
    TextLayout(const tagRECT& rc, const wchar_t* text, unsigned long style, CFontBase* const* fonts, int count);

    // The extent of the text, its top-left corner at rc's.
    tagRECT Extent() const;
    // Draws the text into cr, placed in rc as the style says and clipped to rc.
    void Draw(cairo_t* cr, unsigned long colour) const;

private:
    struct Unref {
        void operator()(PangoLayout* layout) const { g_object_unref(layout); }
    };

    std::unique_ptr<PangoLayout, Unref> m_layout;
    tagRECT m_rc;
    unsigned long m_style;
    bool m_widthSet = false;
    PangoRectangle m_logical{0, 0, 0, 0};
};

}  // namespace headless
