// The drawing wrapper: forwards to the backend renderer, resolves fonts by name and draws
// images described by image-attribute strings.

#include "UIRender.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "GlobalManager.h"
#include "NumberText.h"
#include "ResourceMgr.h"
#include "UIFont.h"
#include "UIImage.h"
#include "UIRenderBase.h"
#include "UIWindow.h"

namespace {

// What one image-attribute string and its modifier say, starting from the defaults.
struct ImageSettings {
    explicit ImageSettings(const wchar_t* image) : name(image) {}

    CUIString name;
    CUIRect dest;
    CUIRect source;
    CUIRect corner;
    int fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
    CUISize size;
    CUIString align = L"center|vcenter";
    CUIRect padding;
};

// Codes 1 to 32: blanks and control characters.
bool IsBlank(wchar_t c) { return c >= 1 && c <= 32; }

const wchar_t* SkipBlanks(const wchar_t* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// Renderer coordinates are 32-bit: larger values are held at its limits.
long Limited(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<long>(std::clamp<double>(value, INT32_MIN, INT32_MAX));
}

// Reads up to count integers as wcstol does, each starting one character after the end of the
// one before; the value's end stops the reading, and the integers it lacks stay 0.
std::vector<long> ReadIntegers(const std::wstring& value, int count)
{
    std::vector<long> numbers(count, 0);
    const wchar_t* p = value.c_str();
    for (int i = 0; i < count; ++i) {
        wchar_t* end = nullptr;
        numbers[i] = Limited(static_cast<double>(ReadDecimal(p, &end)));
        if (*end == L'\0')
            break;
        p = end + 1;
    }
    return numbers;
}

CUIRect ReadRect(const std::wstring& value)
{
    const std::vector<long> n = ReadIntegers(value, 4);
    return CUIRect(n[0], n[1], n[2], n[3]);
}

// Logical pixels times the scale, rounded up.
long Scaled(long pixels, double scale) { return Limited(std::ceil(pixels * scale)); }

void Apply(const std::wstring& key, const std::wstring& value, double scale, ImageSettings& settings)
{
    if (key == L"file" || key == L"res") {
        settings.name = value.c_str();
    } else if (key == L"dest") {
        settings.dest = ReadRect(value);
    } else if (key == L"source") {
        settings.source = ReadRect(value);
    } else if (key == L"corner") {
        settings.corner = ReadRect(value);
    } else if (key == L"fade") {
        settings.fade = static_cast<int>(std::wcstoul(value.c_str(), nullptr, 10) & 0xff);
    } else if (key == L"hole") {
        settings.hole = value == L"true";
    } else if (key == L"xtiled") {
        settings.xtiled = value == L"true";
    } else if (key == L"ytiled") {
        settings.ytiled = value == L"true";
    } else if (key == L"size") {
        const std::vector<long> n = ReadIntegers(value, 2);
        settings.size = CUISize(Scaled(n[0], scale), Scaled(n[1], scale));
    } else if (key == L"align") {
        settings.align = value.c_str();
    } else if (key == L"padding") {
        settings.padding = ReadRect(value);
    }
}

// Applies the pairs of text in order; a pair that is not well formed ends the reading, and
// the pairs read before it stay in force. A plain image name holds no pair.
void Parse(const wchar_t* text, double scale, ImageSettings& settings)
{
    if (text == nullptr)
        return;
    for (const wchar_t* p = text;;) {
        p = SkipBlanks(p);
        const wchar_t* const key = p;
        while (*p > 32 && *p != L'=')
            ++p;
        const std::wstring keyword(key, p);
        p = SkipBlanks(p);
        if (*p != L'=')
            return;
        p = SkipBlanks(p + 1);
        if (*p != L'\'')
            return;
        const wchar_t* const value = ++p;
        while (*p != L'\0' && *p != L'\'')
            ++p;
        if (*p != L'\'')
            return;
        if (p > value)
            Apply(keyword, std::wstring(value, p), scale, settings);
        if (*++p != L' ')
            return;
        ++p;
    }
}

// Where an extent of size starts within [start, end): at start when align names the first
// word, else centred unless it names the second, else at the end.
int64_t AlignedStart(const CUIString& align, const wchar_t* first, const wchar_t* second, int64_t start, int64_t end,
                     int64_t size)
{
    if (align.Find(first) >= 0)
        return start;
    if (align.Find(second) < 0)
        return start + (end - start - size) / 2;
    return end - size;
}

bool Meets(const tagRECT& a, const tagRECT& b)
{
    tagRECT overlap;
    return UIIntersectRect(&overlap, &a, &b);
}

// The text as the renderer gets it: every backslash followed by n is a line break.
CUIString WithLineBreaks(const CUIString& text)
{
    CUIString changed = text;
    changed.Replace(L"\\n", L"\n");
    return changed;
}

// A run of tiles along one axis: where the first starts, how far they reach, and the size of a
// tile; a span that is not tiled is one tile covering it from the whole source.
struct TileRun {
    int64_t start;
    int64_t end;
    int64_t tile;
    bool tiled;
};

}  // namespace

CUIRender::CUIRender() : m_pRender(nullptr) {}

CUIRender::~CUIRender() {}

void CUIRender::SetRenderPlatform(CRenderBase* render) { m_pRender = render; }

bool CUIRender::HasRenderPlatform() const { return m_pRender != nullptr; }

void CUIRender::SetOwnWindow(CUIWindow* window) { m_pOwnWindow = window; }

void CUIRender::DrawColor(const CUIRect& rc, unsigned long colour)
{
    if (m_pRender)
        m_pRender->DrawColor(rc, colour);
}

void CUIRender::DrawColor(int x, int y, int w, int h, unsigned long colour)
{
    DrawColor(CUIRect(x, y, x + w, y + h), colour);
}

void CUIRender::DrawRect(const CUIRect& rc, int size, unsigned long colour)
{
    if (m_pRender)
        m_pRender->DrawRect(rc, size, colour);
}

void CUIRender::DrawLine(const CUIRect& rc, int size, unsigned long colour, int style)
{
    if (m_pRender)
        m_pRender->DrawLine(rc, size, colour, style);
}

void CUIRender::DrawLine(const tagPOINT* points, int count, int size, unsigned long colour)
{
    if (m_pRender)
        m_pRender->DrawLine(points, count, size, colour);
}

void CUIRender::DrawLinerGradient(const CUIRect& rc, unsigned long from, unsigned long to, int vertical, int steps)
{
    if (m_pRender)
        m_pRender->DrawLinerGradient(rc, from, to, vertical != 0, steps);
}

void CUIRender::DrawLinerGradient(int x, int y, int w, int h, unsigned long from, unsigned long to, int vertical,
                                  int steps)
{
    DrawLinerGradient(CUIRect(x, y, x + w, y + h), from, to, vertical, steps);
}

bool CUIRender::AlphaBlend(CImageBase* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh,
                           int fade)
{
    if (m_pRender == nullptr)
        return false;
    return m_pRender->AlphaBlend(image, dx, dy, dw, dh, sx, sy, sw, sh, fade);
}

void CUIRender::GenerateClip(const tagRECT& rc)
{
    if (m_pRender)
        m_pRender->GenerateClip(rc);
}

void CUIRender::ClearClip()
{
    if (m_pRender)
        m_pRender->ClearClip();
}

// The first that knows the name: the window's resources, its own styles, the process-wide
// styles; otherwise the window's default font.
void CUIRender::DrawText(const CUIRect& rc, const CUIString& text, unsigned long style, const CUIString& fontName,
                         unsigned long colour, bool showHtml, CUIRect* outRect)
{
    if (m_pRender == nullptr || m_pOwnWindow == nullptr)
        return;
    CResourceMgr* resources = m_pOwnWindow->GetPaintManager();
    CUIFont* font = resources->GetFont(fontName);
    if (font == nullptr && m_pOwnWindow->GetStyleCustom())
        font = m_pOwnWindow->GetStyleCustom()->GetFont(fontName);
    if (font == nullptr)
        font = GlobalManager::GetFont(fontName);
    if (font == nullptr)
        font = resources->GetDefault();
    m_pRender->DrawText(rc, WithLineBreaks(text).GetData(), style, font ? font->GetFontPlatform() : nullptr, colour,
                        showHtml, outRect);
}

void CUIRender::DrawText(int x, int y, int w, int h, const wchar_t* text, unsigned long style,
                         const wchar_t* fontName, unsigned long colour, bool showHtml, CUIRect* outRect)
{
    DrawText(CUIRect(x, y, x + w, y + h), CUIString(text), style, CUIString(fontName), colour, showHtml, outRect);
}

void CUIRender::DrawTextFromFonts(const CUIRect& rc, const CUIString& text, unsigned long style,
                                  const CUIString& groupName, unsigned long colour, bool showHtml, CUIRect* outRect)
{
    if (m_pRender == nullptr || m_pOwnWindow == nullptr)
        return;
    CResourceMgr* resources = m_pOwnWindow->GetPaintManager();
    std::vector<CUIFont*> group = resources->GetFonts(groupName);
    if (group.empty() && m_pOwnWindow->GetStyleCustom())
        group = m_pOwnWindow->GetStyleCustom()->GetFonts(groupName);
    if (group.empty())
        group = GlobalManager::GetFonts(groupName);
    if (group.empty())
        group.push_back(resources->GetDefault());
    // The renderer gets the backend fonts for this call only.
    std::vector<CFontBase*> fonts;
    for (CUIFont* font : group)
        fonts.push_back(font ? font->GetFontPlatform() : nullptr);
    m_pRender->DrawTextFromFonts(rc, WithLineBreaks(text).GetData(), style, fonts.data(),
                                 static_cast<int>(fonts.size()), colour, showHtml, outRect);
}

bool CUIRender::DrawImageString(const CUIRect& item, const CUIRect& paint, const wchar_t* image,
                                const wchar_t* modify)
{
    // The window gives the images and the scale of "size".
    if (m_pRender == nullptr || m_pOwnWindow == nullptr)
        return false;
    const double scale = m_pOwnWindow->GetPaintManager()->GetScale();
    ImageSettings settings(image);
    Parse(image, scale, settings);
    Parse(modify, scale, settings);

    CUIRect dest = item;
    if (!settings.dest.IsNull()) {
        dest = CUIRect(item.left + settings.dest.left, item.top + settings.dest.top, item.left + settings.dest.right,
                       item.top + settings.dest.bottom);
        dest.right = std::min(dest.right, item.right);
        dest.bottom = std::min(dest.bottom, item.bottom);
    }
    if (settings.size.cx > 0 && settings.size.cy > 0)
        MakeImageDest(item, settings.size, settings.align, settings.padding, dest);
    return DrawImage(settings.name, item, paint, dest, settings.source, settings.corner, settings.fade,
                     settings.hole, settings.xtiled, settings.ytiled);
}

bool CUIRender::MakeImageDest(const tagRECT& item, const CUISize& size, const CUIString& align,
                              const tagRECT& padding, CUIRect& out)
{
    out.left = AlignedStart(align, L"left", L"right", item.left, item.right, size.cx);
    out.right = out.left + size.cx;
    out.top = AlignedStart(align, L"top", L"bottom", item.top, item.bottom, size.cy);
    out.bottom = out.top + size.cy;

    const int64_t dx = padding.left - padding.right;
    const int64_t dy = padding.top - padding.bottom;
    out.left += dx;
    out.right += dx;
    out.top += dy;
    out.bottom += dy;
    out.right = std::min(out.right, item.right);
    out.bottom = std::min(out.bottom, item.bottom);
    return true;
}

bool CUIRender::DrawImage(const CUIString& name, const CUIRect& item, const CUIRect& paint, const CUIRect& dest,
                          CUIRect& source, const CUIRect& corner, int fade, int hole, int xtiled, int ytiled)
{
    if (m_pRender == nullptr || m_pOwnWindow == nullptr)
        return false;
    CUIImage* image = m_pOwnWindow->GetPaintManager()->GetImage(name, true);
    if (image == nullptr || !image->IsValid())
        return false;
    if (source.IsNull())
        source = CUIRect(0, 0, image->GetWidth(), image->GetHeight());
    source.right = std::min<int64_t>(source.right, image->GetWidth());
    source.bottom = std::min<int64_t>(source.bottom, image->GetHeight());
    if (!Meets(dest, item) || !Meets(dest, paint))
        return true;
    return DrawImage(image->GetImagePlatform(), dest, paint, source, corner, fade, hole, xtiled, ytiled);
}

bool CUIRender::DrawImage(CImageBase* image, const CUIRect& dest, const CUIRect& paint, const CUIRect& source,
                          const CUIRect& corner, int fade, int hole, int xtiled, int ytiled)
{
    if (m_pRender == nullptr)
        return true;
    const CUIRect& d = dest;
    const CUIRect& s = source;
    const CUIRect& c = corner;
    const int64_t sw = s.right - s.left;
    const int64_t sh = s.bottom - s.top;
    const int64_t middleWidth = sw - c.left - c.right;
    const int64_t middleHeight = sh - c.top - c.bottom;

    const tagRECT centre{d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom};
    if (hole == 0 && Meets(centre, paint))
        DrawCentre(image, centre, paint, source, corner, fade, xtiled, ytiled);

    struct Piece {
        bool drawn;
        tagRECT to;
        int64_t sx, sy, sw, sh;
    };
    const Piece borders[] = {
        {c.left > 0 && c.top > 0, {d.left, d.top, d.left + c.left, d.top + c.top}, s.left, s.top, c.left, c.top},
        {c.top > 0, {d.left + c.left, d.top, d.right - c.right, d.top + c.top}, s.left + c.left, s.top, middleWidth,
         c.top},
        {c.right > 0 && c.top > 0, {d.right - c.right, d.top, d.right, d.top + c.top}, s.right - c.right, s.top,
         c.right, c.top},
        {c.left > 0, {d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom}, s.left, s.top + c.top, c.left,
         middleHeight},
        {c.right > 0, {d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom}, s.right - c.right,
         s.top + c.top, c.right, middleHeight},
        {c.left > 0 && c.bottom > 0, {d.left, d.bottom - c.bottom, d.left + c.left, d.bottom}, s.left,
         s.bottom - c.bottom, c.left, c.bottom},
        {c.bottom > 0, {d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom}, s.left + c.left,
         s.bottom - c.bottom, middleWidth, c.bottom},
        {c.right > 0 && c.bottom > 0, {d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
         s.right - c.right, s.bottom - c.bottom, c.right, c.bottom},
    };
    for (const Piece& piece : borders) {
        if (!piece.drawn || !Meets(piece.to, paint))
            continue;
        m_pRender->AlphaBlend(image, static_cast<int>(piece.to.left), static_cast<int>(piece.to.top),
                              static_cast<int>(piece.to.right - piece.to.left),
                              static_cast<int>(piece.to.bottom - piece.to.top), static_cast<int>(piece.sx),
                              static_cast<int>(piece.sy), static_cast<int>(piece.sw), static_cast<int>(piece.sh),
                              fade);
    }
    return true;
}

// The centre, stretched from the whole source centre, or covered by tiles along each tiled
// axis (row by row from the top), the last tile of a run cut to the centre together with its
// source, so that tiles are never scaled along their axis. Tiles wholly outside paint are
// left out: the clip would hide them, and a huge centre would otherwise mean tiles without end.
void CUIRender::DrawCentre(CImageBase* image, const tagRECT& centre, const CUIRect& paint, const CUIRect& source,
                           const CUIRect& corner, int fade, int xtiled, int ytiled)
{
    const TileRun across{centre.left, centre.right, source.right - source.left - corner.left - corner.right,
                         xtiled != 0};
    const TileRun down{centre.top, centre.bottom, source.bottom - source.top - corner.top - corner.bottom,
                       ytiled != 0};
    if ((across.tiled && across.tile <= 0) || (down.tiled && down.tile <= 0))
        return;
    const auto step = [](const TileRun& run, int64_t at) { return run.tiled ? run.tile : run.end - at; };
    const auto cut = [](const TileRun& run, int64_t at) {
        return run.tiled ? std::min(run.tile, run.end - at) : run.end - run.start;
    };
    // Where the first tile that reaches past `from` starts.
    const auto first = [](const TileRun& run, int64_t from) {
        return run.tiled && from > run.start ? run.start + (from - run.start) / run.tile * run.tile : run.start;
    };
    const int sx = static_cast<int>(source.left + corner.left);
    const int sy = static_cast<int>(source.top + corner.top);
    for (int64_t y = first(down, paint.top); y < down.end && y < paint.bottom; y += step(down, y)) {
        const int64_t height = cut(down, y);
        for (int64_t x = first(across, paint.left); x < across.end && x < paint.right; x += step(across, x)) {
            const int64_t width = cut(across, x);
            m_pRender->AlphaBlend(image, static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                                  static_cast<int>(height), sx, sy,
                                  static_cast<int>(across.tiled ? width : across.tile),
                                  static_cast<int>(down.tiled ? height : down.tile), fade);
        }
    }
}
