// Rectangles and sizes; coordinate arithmetic saturates instead of overflowing.

#include "UIGeometry.h"

#include <time.h>

#include <algorithm>
#include <climits>

namespace {

int64_t SaturatingAdd(int64_t a, int64_t b)
{
    int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? INT64_MAX : INT64_MIN;
}

int64_t SaturatingSub(int64_t a, int64_t b)
{
    int64_t difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference))
        return difference;
    return b < 0 ? INT64_MAX : INT64_MIN;
}

// to - from as a 32-bit value, clamped to its range.
int Span(int64_t from, int64_t to)
{
    return static_cast<int>(std::clamp<int64_t>(SaturatingSub(to, from), INT_MIN, INT_MAX));
}

bool IsEmptyRect(const tagRECT& rc) { return !(rc.left < rc.right && rc.top < rc.bottom); }

}  // namespace

bool SetRectEmpty(tagRECT* rc)
{
    if (rc == nullptr)
        return false;
    *rc = tagRECT{0, 0, 0, 0};
    return true;
}

bool UnionRect(tagRECT* dst, const tagRECT* a, const tagRECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return false;
    const bool aEmpty = IsEmptyRect(*a);
    const bool bEmpty = IsEmptyRect(*b);
    if (aEmpty && bEmpty) {
        SetRectEmpty(dst);
        return false;
    }
    if (aEmpty || bEmpty) {
        *dst = aEmpty ? *b : *a;
        return true;
    }
    *dst = tagRECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                   std::max(a->bottom, b->bottom)};
    return true;
}

bool UIIntersectRect(tagRECT* dst, const tagRECT* a, const tagRECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return false;
    const tagRECT overlap{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                          std::min(a->bottom, b->bottom)};
    if (IsEmptyRect(overlap)) {
        SetRectEmpty(dst);
        return false;
    }
    *dst = overlap;
    return true;
}

uint64_t UIGetTickCount()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

CUIRect::CUIRect() : tagRECT{0, 0, 0, 0} {}

CUIRect::CUIRect(const tagRECT& src) : tagRECT(src) {}

CUIRect::CUIRect(long left, long top, long right, long bottom) : tagRECT{left, top, right, bottom} {}

int CUIRect::GetWidth() const { return Span(left, right); }

int CUIRect::GetHeight() const { return Span(top, bottom); }

void CUIRect::Empty() { SetRectEmpty(this); }

bool CUIRect::IsEmpty() { return IsEmptyRect(*this); }

bool CUIRect::IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }

void CUIRect::Join(const tagRECT& r)
{
    left = std::min(left, r.left);
    top = std::min(top, r.top);
    right = std::max(right, r.right);
    bottom = std::max(bottom, r.bottom);
}

void CUIRect::Union(CUIRect& r) { UnionRect(this, this, &r); }

void CUIRect::ResetOffset()
{
    right = SaturatingSub(right, left);
    bottom = SaturatingSub(bottom, top);
    left = 0;
    top = 0;
}

void CUIRect::Normalize()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void CUIRect::Offset(int dx, int dy)
{
    left = SaturatingAdd(left, dx);
    right = SaturatingAdd(right, dx);
    top = SaturatingAdd(top, dy);
    bottom = SaturatingAdd(bottom, dy);
}

void CUIRect::Inflate(int dx, int dy)
{
    left = SaturatingSub(left, dx);
    right = SaturatingAdd(right, dx);
    top = SaturatingSub(top, dy);
    bottom = SaturatingAdd(bottom, dy);
}

void CUIRect::Deflate(int dx, int dy)
{
    left = SaturatingAdd(left, dx);
    right = SaturatingSub(right, dx);
    top = SaturatingAdd(top, dy);
    bottom = SaturatingSub(bottom, dy);
}

void CUIRect::Deflate(const tagRECT& insets)
{
    left = SaturatingAdd(left, insets.left);
    top = SaturatingAdd(top, insets.top);
    right = SaturatingSub(right, insets.right);
    bottom = SaturatingSub(bottom, insets.bottom);
}

bool CUIRect::IsPtIn(tagPOINT pt) { return left <= pt.x && pt.x < right && top <= pt.y && pt.y < bottom; }

void CUIRect::PosToParent(CUIRect& parent)
{
    left = SaturatingSub(left, parent.left);
    right = SaturatingSub(right, parent.left);
    top = SaturatingSub(top, parent.top);
    bottom = SaturatingSub(bottom, parent.top);
}

CUISize::CUISize() : tagSIZE{0, 0} {}

CUISize::CUISize(const tagSIZE& src) : tagSIZE(src) {}

CUISize::CUISize(tagRECT rc) : tagSIZE{SaturatingSub(rc.right, rc.left), SaturatingSub(rc.bottom, rc.top)} {}

CUISize::CUISize(long cx, long cy) : tagSIZE{cx, cy} {}

bool CUISize::IsNull() const { return cx == 0 && cy == 0; }

bool CUISize::operator!=(const CUISize& other) const { return cx != other.cx || cy != other.cy; }
