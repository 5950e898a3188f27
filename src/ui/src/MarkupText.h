#pragma once
// Reading element names and attribute values of markup.

#include <cwchar>

// Markup names compare exactly, letter case included.
inline bool IsNamed(const wchar_t* name, const wchar_t* expected) { return std::wcscmp(name, expected) == 0; }
