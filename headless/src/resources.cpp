// Fonts described for pango, and images decoded from PNG files.

#include <cairo.h>
#include <glib.h>

#include <climits>
#include <string>

#include <UIFontBase.h>
#include <UIImageBase.h>
#include <UIPlatform.h>

#include "headless.h"
#include "journal.h"
#include "resources.h"

namespace headless {

std::string Utf8(const wchar_t* text)
{
    constexpr gunichar kReplacement = 0xFFFD;
    std::string out;
    for (; text && *text; ++text) {
        const auto c = static_cast<gunichar>(*text);
        gchar bytes[6];
        out.append(bytes, g_unichar_to_utf8(g_unichar_validate(c) ? c : kReplacement, bytes));
    }
    return out;
}

void Font::Describe(const wchar_t* face, bool fromFile, int size, bool bold, bool underline, bool italic)
{
    m_face = face ? face : L"";
    m_fromFile = fromFile;
    m_size = size;
    m_bold = bold;
    m_underline = underline;
    m_italic = italic;
}

bool Font::Create(const wchar_t* face, int size, bool bold, bool underline, bool italic)
{
    Call("Font.Create", face, size, bold, underline, italic);
    Describe(face, false, size, bold, underline, italic);
    return true;
}

bool Font::CreateFromFile(const wchar_t* path, int size, bool bold, bool underline, bool italic)
{
    Call("Font.CreateFromFile", path, size, bold, underline, italic);
    Describe(path, true, size, bold, underline, italic);
    return true;
}

std::string Font::Family() const
{
    if (m_fromFile || m_face.empty())
        return kDefaultFamily;
    return Utf8(m_face.c_str());
}

void Font::Destroy()
{
    Call("Font.Destroy");
    m_size = 0;
}

int Font::GetFontHeight()
{
    Call("Font.GetFontHeight");
    return LineHeight();
}

Image::~Image()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

bool Image::Load(const wchar_t* path)
{
    Call("Image.Load", path);
    if (HasFault(kFailImageLoad))
        return false;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(Utf8(path).c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    if (m_surface)
        cairo_surface_destroy(m_surface);
    m_surface = surface;
    return true;
}

bool Image::IsValid() { return m_surface != nullptr; }

void Image::ReleasePixBuffer(void* buffer) { Call("Image.ReleasePixBuffer", static_cast<const void*>(buffer)); }

int Image::GetWidth() { return m_surface ? cairo_image_surface_get_width(m_surface) : 0; }

int Image::GetHeight() { return m_surface ? cairo_image_surface_get_height(m_surface) : 0; }

}  // namespace headless
