#pragma once
// Logical pixels to window pixels (a value times a scale factor, rounded up) and other
// values held within the range of int.

#include <cmath>
#include <cstdint>
#include <limits>

// ceil of a scaled value, held within what T can represent.
template <typename T>
T CeilClamped(double value)
{
    const double lowest = static_cast<double>(std::numeric_limits<T>::min());
    const double beyond = -lowest;  // a power of two, one past the largest value
    const double rounded = std::ceil(value);
    if (std::isnan(rounded) || rounded >= beyond)
        return std::numeric_limits<T>::max();
    if (rounded < lowest)
        return std::numeric_limits<T>::min();
    return static_cast<T>(rounded);
}

inline int ScaleInt(int64_t value, double factor) { return CeilClamped<int>(static_cast<double>(value) * factor); }

inline int64_t Scale64(int64_t value, double factor) { return CeilClamped<int64_t>(static_cast<double>(value) * factor); }

// A 64-bit value held within int, saturating instead of wrapping round.
inline int ClampToInt(int64_t value)
{
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// A double truncated toward zero, held within what T can represent; not a number gives 0.
template <typename T>
T TruncClamped(double value)
{
    const double lowest = static_cast<double>(std::numeric_limits<T>::min());
    const double beyond = -lowest;  // a power of two, one past the largest value
    if (std::isnan(value))
        return 0;
    if (value >= beyond)
        return std::numeric_limits<T>::max();
    if (value <= lowest)
        return std::numeric_limits<T>::min();
    return static_cast<T>(value);
}

inline int TruncToInt(double value) { return TruncClamped<int>(value); }
