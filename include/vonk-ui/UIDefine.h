#pragma once
// The Windows-style type names used across the interface.

typedef int BOOL;
typedef unsigned int UINT;
typedef const wchar_t* LPCWSTR;
