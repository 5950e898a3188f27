#pragma once
// Sizes held within a control's minimum and maximum.

#include <algorithm>
#include <cstdint>

#include "UIControl.h"

// Raised to the minimum, then lowered to the maximum, so the maximum wins a conflict.
inline int64_t Clamped(int64_t value, int64_t minimum, int64_t maximum) { return std::min(std::max(value, minimum), maximum); }

inline int64_t ClampedWidth(const CUIControl& control, int64_t width)
{
    return Clamped(width, control.GetMinWidth(), control.GetMaxWidth());
}

inline int64_t ClampedHeight(const CUIControl& control, int64_t height)
{
    return Clamped(height, control.GetMinHeight(), control.GetMaxHeight());
}

// The width first, then the height.
inline tagSIZE ClampedSize(const CUIControl& control, tagSIZE size)
{
    size.cx = ClampedWidth(control, size.cx);
    size.cy = ClampedHeight(control, size.cy);
    return size;
}
