#pragma once
// Reading element names and attribute values of markup.

#include <cstdint>
#include <cwchar>

#include "UIParse.h"

// Markup names compare exactly, letter case included.
inline bool IsNamed(const wchar_t* name, const wchar_t* expected) { return std::wcscmp(name, expected) == 0; }

// A decimal integer as wcstol reads it: text that is no number gives 0.
inline int ReadInt(const wchar_t* value) { return static_cast<int>(std::wcstol(value, nullptr, 10)); }

// True only for the text "true".
inline bool ReadBool(const wchar_t* value)
{
    bool result = false;
    ParseBoolString(value, result);
    return result;
}

// Decimal integers, each but the last followed by one separator of any kind, into fields;
// false when the text ends before the last one.
inline bool ReadIntegers(const wchar_t* value, int64_t* const* fields, int count)
{
    const wchar_t* cursor = value;
    for (int i = 0; i < count; ++i) {
        wchar_t* end = nullptr;
        *fields[i] = static_cast<int>(std::wcstol(cursor, &end, 10));
        if (i + 1 == count)
            break;
        if (*end == L'\0')
            return false;
        cursor = end + 1;
    }
    return true;
}
