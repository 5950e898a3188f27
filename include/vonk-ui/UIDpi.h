#pragma once
// CUIDpi: one DPI factor, and conversions of values, points, sizes and rectangles by it.

#include "UIExport.h"
#include "UIRect.h"

class UILIB_API CUIDpi {
public:
    CUIDpi();

    double GetDPI();
    // Refuses (false, factor unchanged) a factor of 0.1 or less, or one that is not finite.
    bool SetDpi(double factor);

    int Scale(int value);
    int ScaleBack(int value);
    tagRECT Scale(tagRECT rc);
    void Scale(tagRECT* rc);
    void ScaleBack(tagRECT* rc);
    tagPOINT Scale(tagPOINT pt);
    void Scale(tagPOINT* pt);
    tagSIZE Scale(tagSIZE size);
    void Scale(tagSIZE* size);

private:
    double m_fScale;
};
