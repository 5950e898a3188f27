// Draws the demonstration's image skin with cairo: the button, tab and list-header faces,
// the option and check-box indicators, the slider's track, fill and thumb, the progress
// bar's track and fill, and the scroll bar's thumb. The PNGs are committed under
// demo/resources/images; run this again after changing a colour or a shape:
//
//   vonk-demo-skin DIRECTORY

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

struct Colour {
    double r, g, b, a;
};

constexpr Colour Rgb(unsigned rgb, double alpha = 1.0)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

// The demonstration's palette: dark cards, light ink, one blue accent.
constexpr Colour kFace = Rgb(0x3A4660);
constexpr Colour kFaceLow = Rgb(0x303A50);
constexpr Colour kFaceHot = Rgb(0x4A5878);
constexpr Colour kFaceHotLow = Rgb(0x3E4A66);
constexpr Colour kEdge = Rgb(0x5A6A8A);
constexpr Colour kCard = Rgb(0x2A3242);
constexpr Colour kWell = Rgb(0x1A202A);
constexpr Colour kAccent = Rgb(0x4C9AFF);
constexpr Colour kAccentLow = Rgb(0x2F6DB0);
constexpr Colour kInk = Rgb(0xE6ECF5);
constexpr Colour kMuted = Rgb(0x8A96AE);
constexpr Colour kGreen = Rgb(0x5CB85C);
constexpr Colour kGreenLow = Rgb(0x3E8E3E);

void SetColour(cairo_t* cr, const Colour& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Fills the current path with a top-to-bottom gradient.
void FillVertical(cairo_t* cr, double top, double bottom, const Colour& upper, const Colour& lower)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(gradient, 0, upper.r, upper.g, upper.b, upper.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, lower.r, lower.g, lower.b, lower.a);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void Stroke(cairo_t* cr, const Colour& c, double width)
{
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

bool Write(const std::string& folder, const char* name, int width, int height,
           const std::function<void(cairo_t*)>& draw)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    const std::string path = folder + "/" + name;
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    std::printf("%s %s\n", written ? "wrote" : "could not write", path.c_str());
    return written;
}

// A 24 x 24 face for a nine-grid with 6-pixel corners.
std::function<void(cairo_t*)> ButtonFace(const Colour& upper, const Colour& lower, const Colour& edge)
{
    return [=](cairo_t* cr) {
        RoundedRect(cr, 0.5, 0.5, 23, 23, 5);
        FillVertical(cr, 0, 24, upper, lower);
        Stroke(cr, edge, 1);
    };
}

// A tab rounded at the top and open at the bottom; the selected one carries an accent line.
std::function<void(cairo_t*)> TabFace(const Colour& fill, bool selected)
{
    return [=](cairo_t* cr) {
        cairo_new_sub_path(cr);
        cairo_move_to(cr, 0.5, 24);
        cairo_arc(cr, 5.5, 5.5, 5, M_PI, 3 * M_PI / 2);
        cairo_arc(cr, 18.5, 5.5, 5, 3 * M_PI / 2, 2 * M_PI);
        cairo_line_to(cr, 23.5, 24);
        SetColour(cr, fill);
        cairo_fill_preserve(cr);
        Stroke(cr, selected ? kAccent : kEdge, 1);
        if (!selected)
            return;
        cairo_rectangle(cr, 3, 1, 18, 3);
        SetColour(cr, kAccent);
        cairo_fill(cr);
    };
}

// A 16 x 16 round indicator, with a dot when on.
std::function<void(cairo_t*)> Radio(bool on)
{
    return [=](cairo_t* cr) {
        cairo_arc(cr, 8, 8, 6.5, 0, 2 * M_PI);
        SetColour(cr, kWell);
        cairo_fill_preserve(cr);
        Stroke(cr, on ? kAccent : kMuted, 1.5);
        if (!on)
            return;
        cairo_arc(cr, 8, 8, 3.5, 0, 2 * M_PI);
        SetColour(cr, kAccent);
        cairo_fill(cr);
    };
}

// A 16 x 16 square indicator, filled and ticked when on.
std::function<void(cairo_t*)> Check(bool on)
{
    return [=](cairo_t* cr) {
        RoundedRect(cr, 1.5, 1.5, 13, 13, 3);
        SetColour(cr, on ? kAccent : kWell);
        cairo_fill_preserve(cr);
        Stroke(cr, on ? kAccent : kMuted, 1.5);
        if (!on)
            return;
        cairo_move_to(cr, 4.5, 8.5);
        cairo_line_to(cr, 7, 11);
        cairo_line_to(cr, 11.5, 5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        Stroke(cr, kInk, 2);
    };
}

// A 12 x 20 bar, 8 pixels high, centred: the slider's groove or its fill (nine-grid 4,6,4,6).
std::function<void(cairo_t*)> SliderBar(const Colour& fill, const Colour& edge)
{
    return [=](cairo_t* cr) {
        RoundedRect(cr, 0.5, 6.5, 11, 7, 3.5);
        SetColour(cr, fill);
        cairo_fill_preserve(cr);
        Stroke(cr, edge, 1);
    };
}

// An 18 x 18 knob.
std::function<void(cairo_t*)> Thumb(const Colour& ring)
{
    return [=](cairo_t* cr) {
        cairo_arc(cr, 9, 9, 7.5, 0, 2 * M_PI);
        FillVertical(cr, 1, 17, kInk, Rgb(0xB8C2D4));
        Stroke(cr, ring, 2);
    };
}

// A 16 x 16 progress track and a striped green fill (nine-grid 5,5,5,5).
void ProgressTrack(cairo_t* cr)
{
    RoundedRect(cr, 0.5, 0.5, 15, 15, 5);
    SetColour(cr, kWell);
    cairo_fill_preserve(cr);
    Stroke(cr, kEdge, 1);
}

void ProgressFill(cairo_t* cr)
{
    RoundedRect(cr, 1, 1, 14, 14, 4.5);
    FillVertical(cr, 1, 15, kGreen, kGreenLow);
    cairo_new_path(cr);
    RoundedRect(cr, 1, 3, 14, 4, 2);
    SetColour(cr, Rgb(0xFFFFFF, 0.25));
    cairo_fill(cr);
}

// A 24 x 24 column face with a separator line on its right and a rule at its foot.
std::function<void(cairo_t*)> HeaderFace(const Colour& upper, const Colour& lower)
{
    return [=](cairo_t* cr) {
        cairo_rectangle(cr, 0, 0, 24, 24);
        FillVertical(cr, 0, 24, upper, lower);
        cairo_new_path(cr);
        cairo_move_to(cr, 23.5, 4);
        cairo_line_to(cr, 23.5, 20);
        Stroke(cr, kEdge, 1);
        cairo_move_to(cr, 0, 23.5);
        cairo_line_to(cr, 24, 23.5);
        Stroke(cr, kAccent, 1);
    };
}

void ScrollThumb(cairo_t* cr)
{
    RoundedRect(cr, 2, 1, 8, 22, 4);
    SetColour(cr, kMuted);
    cairo_fill(cr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool written = true;
    written &= Write(folder, "button_normal.png", 24, 24, ButtonFace(kFace, kFaceLow, kEdge));
    written &= Write(folder, "button_hot.png", 24, 24, ButtonFace(kFaceHot, kFaceHotLow, kAccent));
    written &= Write(folder, "button_pushed.png", 24, 24, ButtonFace(kAccentLow, kAccent, kAccent));
    written &= Write(folder, "tab_normal.png", 24, 24, TabFace(Rgb(0x232A38), false));
    written &= Write(folder, "tab_selected.png", 24, 24, TabFace(kCard, true));
    written &= Write(folder, "radio_off.png", 16, 16, Radio(false));
    written &= Write(folder, "radio_on.png", 16, 16, Radio(true));
    written &= Write(folder, "check_off.png", 16, 16, Check(false));
    written &= Write(folder, "check_on.png", 16, 16, Check(true));
    written &= Write(folder, "slider_track.png", 12, 20, SliderBar(kWell, kEdge));
    written &= Write(folder, "slider_fill.png", 12, 20, SliderBar(kAccent, kAccent));
    written &= Write(folder, "slider_thumb.png", 18, 18, Thumb(kAccent));
    written &= Write(folder, "slider_thumb_hot.png", 18, 18, Thumb(kInk));
    written &= Write(folder, "progress_track.png", 16, 16, ProgressTrack);
    written &= Write(folder, "progress_fill.png", 16, 16, ProgressFill);
    written &= Write(folder, "header.png", 24, 24, HeaderFace(Rgb(0x343E52), Rgb(0x2C3546)));
    written &= Write(folder, "header_hot.png", 24, 24, HeaderFace(kFaceHot, kFaceHotLow));
    written &= Write(folder, "scroll_thumb.png", 12, 24, ScrollThumb);
    return written ? 0 : 1;
}
