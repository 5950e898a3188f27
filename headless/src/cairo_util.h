#pragma once
// Small cairo helpers: ARGB colours as sources, and surfaces owned by unique_ptr.

#include <cairo.h>

#include <memory>

namespace headless {

struct Rgba {
    double red, green, blue, alpha;
};

inline Rgba Channels(unsigned long argb)
{
    return {((argb >> 16) & 0xff) / 255.0, ((argb >> 8) & 0xff) / 255.0, (argb & 0xff) / 255.0,
            ((argb >> 24) & 0xff) / 255.0};
}

inline void SetSource(cairo_t* cr, unsigned long argb)
{
    const Rgba c = Channels(argb);
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
}

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

}  // namespace headless
