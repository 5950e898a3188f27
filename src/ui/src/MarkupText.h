#pragma once
// Reading element names and attribute values of markup.

#include <algorithm>
#include <cwchar>

#include "Scaling.h"
#include "UIParse.h"

// Markup names compare exactly, letter case included.
inline bool IsNamed(const wchar_t* name, const wchar_t* expected) { return std::wcscmp(name, expected) == 0; }

// True only for the text "true".
inline bool ReadBool(const wchar_t* value)
{
    bool result = false;
    ParseBoolString(value, result);
    return result;
}

// A decimal integer, held within int; 0 without digits.
inline int ReadInt(const wchar_t* value) { return ClampToInt(std::wcstol(value, nullptr, 10)); }

// Hexadecimal digits after at most one leading "#"; 0 without digits.
inline unsigned long ReadHexColour(const wchar_t* value)
{
    if (*value == L'#')
        ++value;
    return std::wcstoul(value, nullptr, 16);
}

// Up to count decimal integers, each but the last followed by one separator of any kind.
// Reading stops at the end of the value: the numbers missing there stay 0. Answers how
// many numbers the value held.
inline int ReadInts(const wchar_t* value, int* numbers, int count)
{
    std::fill(numbers, numbers + count, 0);
    const wchar_t* cursor = value;
    for (int i = 0; i < count; ++i) {
        wchar_t* end = nullptr;
        numbers[i] = ClampToInt(std::wcstol(cursor, &end, 10));
        if (*end == L'\0')
            return i + 1;
        cursor = end + 1;
    }
    return count;
}
