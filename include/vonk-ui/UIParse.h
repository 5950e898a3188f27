#pragma once
// Parsers for the values that markup gives as text.

#include <string>
#include <vector>

#include "UIExport.h"
#include "UIGeometry.h"

// "left,top,right,bottom"
UILIB_API bool ParseRectString(const wchar_t* text, CUIRect& rc);
// "cx,cy"
UILIB_API bool ParseSizeString(const wchar_t* text, CUISize& size);
// "numerator/denominator"
UILIB_API bool ParseFractionString(const wchar_t* text, double& value);
// "#" and hexadecimal digits, taken as written
UILIB_API bool ParseColorString(const wchar_t* text, unsigned long& colour);
// value is whether text is exactly "true"; always succeeds
UILIB_API bool ParseBoolString(const wchar_t* text, bool& value);
// The comma-separated pieces of text, untrimmed
UILIB_API std::vector<std::wstring> SplitStringToToken(const wchar_t* text);
