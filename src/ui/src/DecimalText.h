#pragma once
// Reading a decimal integer out of a markup value as std::wcstoll does in base 10, without
// the locale machinery that it runs for every digit.

#include <climits>
#include <cwctype>

// Skips leading white space, takes one sign and then the decimal digits; sets *end after
// the last digit, or to text when there is none, and answers 0 then. A number beyond the
// range of long long answers LLONG_MAX or LLONG_MIN. errno is left alone.
inline long long ReadDecimal(const wchar_t* text, wchar_t** end)
{
    const wchar_t* letter = text;
    while (std::iswspace(static_cast<wint_t>(*letter)))
        ++letter;
    const bool negative = *letter == L'-';
    if (*letter == L'-' || *letter == L'+')
        ++letter;
    if (*letter < L'0' || *letter > L'9') {
        if (end)
            *end = const_cast<wchar_t*>(text);
        return 0;
    }
    const unsigned long long limit = negative ? 0ull - static_cast<unsigned long long>(LLONG_MIN) : LLONG_MAX;
    unsigned long long magnitude = 0;
    bool tooLarge = false;
    for (; *letter >= L'0' && *letter <= L'9'; ++letter) {
        const unsigned digit = static_cast<unsigned>(*letter - L'0');
        if (tooLarge || magnitude > (limit - digit) / 10)
            tooLarge = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (end)
        *end = const_cast<wchar_t*>(letter);
    if (tooLarge)
        return negative ? LLONG_MIN : LLONG_MAX;
    return negative ? static_cast<long long>(0ull - magnitude) : static_cast<long long>(magnitude);
}
