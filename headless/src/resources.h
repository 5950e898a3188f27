#pragma once
// The headless backend's fonts and images.

#include <cairo.h>

#include <string>

#include <UIFontBase.h>
#include <UIImageBase.h>

namespace headless {

std::string Utf8(const wchar_t* text);

// A font whose metrics follow from its size alone: a line is size + size / 4
// pixels high and every character advances size / 2 pixels (at least 1).
class Font : public CFontBase {
public:
    bool Create(const wchar_t* face, int size, bool bold, bool underline, bool italic) override;
    bool CreateFromFile(const wchar_t* path, int size, bool bold, bool underline, bool italic) override;
    void Destroy() override;
    int GetFontHeight() override;

    int LineHeight() const { return m_size + m_size / 4; }
    int Advance() const { return m_size / 2 > 0 ? m_size / 2 : 1; }

private:
    std::wstring m_face;
    int m_size = 0;
    bool m_bold = false;
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
