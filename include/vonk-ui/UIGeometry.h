#pragma once
// CUIRect and CUISize, the rectangle functions and the tick count.

#include <cstdint>

#include "UIExport.h"
#include "UIRect.h"

UILIB_API bool SetRectEmpty(tagRECT* rc);
UILIB_API bool UnionRect(tagRECT* dst, const tagRECT* a, const tagRECT* b);
UILIB_API bool UIIntersectRect(tagRECT* dst, const tagRECT* a, const tagRECT* b);
// Milliseconds of the monotonic clock.
UILIB_API uint64_t UIGetTickCount();

// A rectangle with exclusive right and bottom edges.
class UILIB_API CUIRect : public tagRECT {
public:
    CUIRect();
    CUIRect(const tagRECT& src);
    CUIRect(long left, long top, long right, long bottom);

    int GetWidth() const;
    int GetHeight() const;
    void Empty();
    bool IsEmpty();
    bool IsNull() const;
    void Join(const tagRECT& r);
    void Union(CUIRect& r);
    void ResetOffset();
    void Normalize();
    void Offset(int dx, int dy);
    void Inflate(int dx, int dy);
    void Deflate(int dx, int dy);
    // Insets every edge by the matching member of insets.
    void Deflate(const tagRECT& insets);
    bool IsPtIn(tagPOINT pt);
    void PosToParent(CUIRect& parent);
};

class UILIB_API CUISize : public tagSIZE {
public:
    CUISize();
    CUISize(const tagSIZE& src);
    CUISize(tagRECT rc);
    CUISize(long cx, long cy);

    bool IsNull() const;
    bool operator!=(const CUISize& other) const;
};
