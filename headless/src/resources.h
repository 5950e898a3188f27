#pragma once
// The headless backend's fonts and images.

#include <cairo.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include <UIFontBase.h>
#include <UIImageBase.h>

namespace headless {

// text in UTF-8; a lone surrogate or a value above U+10FFFF becomes U+FFFD.
std::string Utf8(const wchar_t* text);

// The family drawn for a font that names none, installed with fonts-dejavu-core.
constexpr const char* kDefaultFamily = "DejaVu Sans";

// A font drawn through pango. Its size is in pixels, and a line of it is
// size + size / 4 pixels high, in measuring and drawing alike.
class Font : public CFontBase {
public:
    bool Create(const wchar_t* face, int size, bool bold, bool underline, bool italic) override;
    bool CreateFromFile(const wchar_t* path, int size, bool bold, bool underline, bool italic) override;
    void Destroy() override;
    int GetFontHeight() override;

    // A quarter more than the size, held within int however large the size.
    int LineHeight() const { return static_cast<int>(std::min<int64_t>(INT_MAX, int64_t{m_size} + m_size / 4)); }
    int Size() const { return m_size; }
    // The family to draw with: the face, or the default family for an empty face or a font file.
    std::string Family() const;
    bool Bold() const { return m_bold; }
    bool Underline() const { return m_underline; }
    bool Italic() const { return m_italic; }

private:
    void Describe(const wchar_t* face, bool fromFile, int size, bool bold, bool underline, bool italic);

    std::wstring m_face;
    bool m_fromFile = false;
    int m_size = 0;
    bool m_bold = false;
    bool m_underline = false;
    bool m_italic = false;
};

// An image decoded from a PNG file into premultiplied ARGB.
class Image : public CImageBase {
public:
    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image() override;

    bool Load(const wchar_t* path) override;
    bool IsValid() override;
    void ReleasePixBuffer(void* buffer) override;
    int GetWidth() override;
    int GetHeight() override;

    cairo_surface_t* Surface() const { return m_surface; }

private:
    cairo_surface_t* m_surface = nullptr;
};

}  // namespace headless
