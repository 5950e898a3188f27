// Parsers for markup values: decimal lists, fractions, colours, booleans and comma lists.

#include "UIParse.h"

#include <cstdint>
#include <cwchar>
#include <sstream>

#include "NumberText.h"

namespace {

// Reads up to count decimal numbers, each but the last followed by separator.
// Answers how many were read before a separator was missing.
int ReadNumbers(const wchar_t* text, wchar_t separator, int64_t* numbers, int count)
{
    for (int i = 0; i < count; ++i) {
        wchar_t* end = nullptr;
        numbers[i] = ReadDecimal(text, &end);
        if (i + 1 == count)
            break;
        if (*end != separator)
            return i + 1;
        text = end + 1;
    }
    return count;
}

// Reads the numbers of text into the fields, keeping those read before a missing separator.
bool ParseFields(const wchar_t* text, wchar_t separator, int64_t* const* fields, int count)
{
    if (text == nullptr)
        return false;
    int64_t numbers[4] = {};
    const int read = ReadNumbers(text, separator, numbers, count);
    for (int i = 0; i < read; ++i)
        *fields[i] = numbers[i];
    return read == count;
}

}  // namespace

bool ParseRectString(const wchar_t* text, CUIRect& rc)
{
    int64_t* const fields[] = {&rc.left, &rc.top, &rc.right, &rc.bottom};
    return ParseFields(text, L',', fields, 4);
}

bool ParseSizeString(const wchar_t* text, CUISize& size)
{
    int64_t* const fields[] = {&size.cx, &size.cy};
    return ParseFields(text, L',', fields, 2);
}

bool ParseFractionString(const wchar_t* text, double& value)
{
    int64_t numerator = 0;
    int64_t denominator = 0;
    int64_t* const fields[] = {&numerator, &denominator};
    if (!ParseFields(text, L'/', fields, 2))
        return false;
    value = static_cast<double>(static_cast<int32_t>(numerator)) / static_cast<int32_t>(denominator);
    return true;
}

bool ParseColorString(const wchar_t* text, unsigned long& colour)
{
    colour = 0;
    if (text == nullptr || text[0] != L'#')
        return false;
    colour = ReadHexadecimal(text + 1);
    return true;
}

bool ParseBoolString(const wchar_t* text, bool& value)
{
    value = text != nullptr && wcscmp(text, L"true") == 0;
    return true;
}

std::vector<std::wstring> SplitStringToToken(const wchar_t* text)
{
    std::vector<std::wstring> pieces;
    if (text == nullptr)
        return pieces;
    std::wistringstream stream(text);
    for (std::wstring piece; std::getline(stream, piece, L',');)
        pieces.push_back(piece);
    return pieces;
}
