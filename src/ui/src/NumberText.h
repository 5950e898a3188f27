#pragma once
// Reading integers out of markup values as std::wcstoll and std::wcstoul do in bases 10
// and 16, without the locale machinery that they run for every digit.

#include <climits>
#include <cwctype>

// The value of a hexadecimal digit, or -1 for any other letter.
inline int HexDigitValue(wchar_t letter)
{
    if (letter >= L'0' && letter <= L'9')
        return letter - L'0';
    if (letter >= L'a' && letter <= L'f')
        return letter - L'a' + 10;
    if (letter >= L'A' && letter <= L'F')
        return letter - L'A' + 10;
    return -1;
}

// Moves letter past leading white space and one sign; answers whether the sign was a minus.
inline bool SkipBlanksAndSign(const wchar_t*& letter)
{
    while (std::iswspace(static_cast<wint_t>(*letter)))
        ++letter;
    const bool negative = *letter == L'-';
    if (*letter == L'-' || *letter == L'+')
        ++letter;
    return negative;
}

// Skips leading white space, takes one sign and then the decimal digits; sets *end after
// the last digit, or to text when there is none, and answers 0 then. A number beyond the
// range of long long answers LLONG_MAX or LLONG_MIN. errno is left alone.
inline long long ReadDecimal(const wchar_t* text, wchar_t** end)
{
    const wchar_t* letter = text;
    const bool negative = SkipBlanksAndSign(letter);
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

// As std::wcstoul(text, nullptr, 16): leading white space, one sign (a minus negates the
// number modulo 2^64), a "0x" or "0X" before a hexadecimal digit, then the digits; 0
// without digits, ULONG_MAX beyond 64 bits.
inline unsigned long ReadHexadecimal(const wchar_t* text)
{
    const wchar_t* letter = text;
    const bool negative = SkipBlanksAndSign(letter);
    if (letter[0] == L'0' && (letter[1] == L'x' || letter[1] == L'X') && HexDigitValue(letter[2]) >= 0)
        letter += 2;
    unsigned long number = 0;
    for (int digit = HexDigitValue(*letter); digit >= 0; digit = HexDigitValue(*++letter)) {
        if (number > (ULONG_MAX >> 4))
            return ULONG_MAX;
        number = number << 4 | static_cast<unsigned long>(digit);
    }
    return negative ? 0ul - number : number;
}
