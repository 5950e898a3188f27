// CUIDpi: conversions by one factor; every result is clamped to the 32-bit range.

#include "UIDpi.h"

#include <cmath>
#include <cstdint>

#include "Scaling.h"

namespace {

const double kMinFactor = 0.1;

// Converts left and top on their own; right and bottom follow from the converted width and height.
template <typename Convert>
void ConvertRect(tagRECT& rc, Convert convert)
{
    const int width = convert(TruncToInt(static_cast<double>(rc.right) - static_cast<double>(rc.left)));
    const int height = convert(TruncToInt(static_cast<double>(rc.bottom) - static_cast<double>(rc.top)));
    rc.left = convert(ClampToInt(rc.left));
    rc.top = convert(ClampToInt(rc.top));
    rc.right = ClampToInt(rc.left + width);
    rc.bottom = ClampToInt(rc.top + height);
}

// Converts each of the two components on its own.
void ScaleComponents(CUIDpi& dpi, int64_t& first, int64_t& second)
{
    first = dpi.Scale(ClampToInt(first));
    second = dpi.Scale(ClampToInt(second));
}

}  // namespace

CUIDpi::CUIDpi() : m_fScale(1.0) {}

double CUIDpi::GetDPI() { return m_fScale; }

bool CUIDpi::SetDpi(double factor)
{
    if (!std::isfinite(factor) || factor <= kMinFactor)
        return false;
    m_fScale = factor;
    return true;
}

int CUIDpi::Scale(int value) { return TruncToInt(value * m_fScale + 0.5); }

int CUIDpi::ScaleBack(int value) { return TruncToInt(value / m_fScale + 0.5); }

tagRECT CUIDpi::Scale(tagRECT rc)
{
    Scale(&rc);
    return rc;
}

void CUIDpi::Scale(tagRECT* rc)
{
    ConvertRect(*rc, [this](int value) { return Scale(value); });
}

void CUIDpi::ScaleBack(tagRECT* rc)
{
    ConvertRect(*rc, [this](int value) { return ScaleBack(value); });
}

tagPOINT CUIDpi::Scale(tagPOINT pt)
{
    Scale(&pt);
    return pt;
}

void CUIDpi::Scale(tagPOINT* pt) { ScaleComponents(*this, pt->x, pt->y); }

tagSIZE CUIDpi::Scale(tagSIZE size)
{
    Scale(&size);
    return size;
}

void CUIDpi::Scale(tagSIZE* size) { ScaleComponents(*this, size->cx, size->cy); }
