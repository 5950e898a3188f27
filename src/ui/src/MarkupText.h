#pragma once
// Reading element names and attribute values of markup.

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
