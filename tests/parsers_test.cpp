// The markup value parsers and their refusal rules.

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "UIParse.h"

namespace {

const wchar_t* Shown(const wchar_t* text) { return text == nullptr ? L"(null)" : text; }

TEST(Parsers, RectString)
{
    const struct {
        const wchar_t* text;
        bool result;
        tagRECT expected;  // starting from (-1, -1, -1, -1)
    } cases[] = {
        {L"1,2,3,4", true, {1, 2, 3, 4}},
        {L"  1, 2,\t3,  4px", true, {1, 2, 3, 4}},
        {L"1,,3,4", true, {1, 0, 3, 4}},
        {L"-5,+6,7,8,9", true, {-5, 6, 7, 8}},
        {L"1,2", false, {1, 2, -1, -1}},
        {L"1 2 3 4", false, {1, -1, -1, -1}},
        {L"1,2,3", false, {1, 2, 3, -1}},
        {L"", false, {0, -1, -1, -1}},
        {L"99999999999999999999,0,0,0", true, {INT64_MAX, 0, 0, 0}},
        {nullptr, false, {-1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.text));
        CUIRect rc(-1, -1, -1, -1);
        EXPECT_EQ(c.result, ParseRectString(c.text, rc));
        EXPECT_EQ(c.expected.left, rc.left);
        EXPECT_EQ(c.expected.top, rc.top);
        EXPECT_EQ(c.expected.right, rc.right);
        EXPECT_EQ(c.expected.bottom, rc.bottom);
    }
}

// Every decimal field reads as the C library's wcstoll reads it: white space, signs,
// digits and the limits of 64 bits.
TEST(Parsers, DecimalFieldsReadAsWcstoll)
{
    const wchar_t* const numbers[] = {
        L"12", L"  \t\n12", L"-0", L"+7", L"+", L"-", L"+-1", L"--1", L" ", L"", L"00012", L"0x10", L"1e3",
        L"9223372036854775807", L"9223372036854775808", L"99999999999999999999999", L"-9223372036854775808",
        L"-9223372036854775809", L"-99999999999999999999999", L"\uFF11\uFF12", L"\u3000 5", L"\u00A05", L"7\u0663",
    };
    for (const wchar_t* number : numbers) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(number)));
        const std::wstring text = std::wstring(number) + L",5,6,7";
        wchar_t* end = nullptr;
        const long long expected = std::wcstoll(text.c_str(), &end, 10);
        CUIRect rc(-1, -1, -1, -1);
        EXPECT_EQ(*end == L',', ParseRectString(text.c_str(), rc));
        EXPECT_EQ(expected, rc.left);
    }
}

// A colour's digits after the "#" read as wcstoul reads them in base 16.
TEST(Parsers, ColourDigitsReadAsWcstoul)
{
    const wchar_t* const digits[] = {
        L"FF3A4250", L"ff00AA", L"", L" \t1f", L"-1", L"+A", L"0x1F", L"0X", L"0xG", L"x1", L"FFFFFFFFFFFFFFFF",
        L"10000000000000000", L"-FFFFFFFFFFFFFFFFF", L"12zz", L"\uFF11", L"#12",
    };
    for (const wchar_t* text : digits) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        unsigned long colour = 7;
        EXPECT_TRUE(ParseColorString((L"#" + std::wstring(text)).c_str(), colour));
        EXPECT_EQ(std::wcstoul(text, nullptr, 16), colour);
    }
}

TEST(Parsers, SizeString)
{
    const struct {
        const wchar_t* text;
        bool result;
        tagSIZE expected;  // starting from (-1, -1)
    } cases[] = {
        {L"10,20", true, {10, 20}},
        {L"10", false, {10, -1}},
        {L"10;20", false, {10, -1}},
        {L",7", true, {0, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.text));
        CUISize size(-1, -1);
        EXPECT_EQ(c.result, ParseSizeString(c.text, size));
        EXPECT_EQ(c.expected.cx, size.cx);
        EXPECT_EQ(c.expected.cy, size.cy);
    }
}

TEST(Parsers, FractionStringWritesOnlyOnSuccess)
{
    const struct {
        const wchar_t* text;
        bool result;
        double expected;  // starting from 7
    } cases[] = {
        {L"1/4", true, 0.25},
        {L" -3/ 2 rest", true, -1.5},
        {L"3", false, 7},
        {L"3,4", false, 7},
        {L"4294967297/2", true, 0.5},  // numerator taken as 32 bits: 1
        {nullptr, false, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.text));
        double value = 7;
        EXPECT_EQ(c.result, ParseFractionString(c.text, value));
        EXPECT_DOUBLE_EQ(c.expected, value);
    }
    double value = 0;
    EXPECT_TRUE(ParseFractionString(L"1/0", value));
    EXPECT_TRUE(std::isinf(value));
}

TEST(Parsers, ColorStringIsTakenAsWritten)
{
    const struct {
        const wchar_t* text;
        bool result;
        unsigned long expected;
    } cases[] = {
        {L"#FF112233", true, 0xFF112233ul},
        {L"#112233", true, 0x112233ul},
        {L"#0x1f", true, 0x1ful},
        {L"#12zz", true, 0x12ul},
        {L"#", true, 0},
        {L"112233", false, 0},
        {L"", false, 0},
        {nullptr, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.text));
        unsigned long colour = 0xdead;
        EXPECT_EQ(c.result, ParseColorString(c.text, colour));
        EXPECT_EQ(c.expected, colour);
    }
}

TEST(Parsers, BoolStringIsExactlyTrue)
{
    const struct {
        const wchar_t* text;
        bool value;
    } cases[] = {{L"true", true}, {L"True", false}, {L"true ", false}, {L"1", false}, {L"", false}, {nullptr, false}};
    for (const auto& c : cases) {
        bool value = !c.value;
        EXPECT_TRUE(ParseBoolString(c.text, value));
        EXPECT_EQ(c.value, value);
    }
}

TEST(Parsers, SplitStringToToken)
{
    using Pieces = std::vector<std::wstring>;
    const struct {
        const wchar_t* text;
        Pieces pieces;
    } cases[] = {
        {L"a,b,,c", {L"a", L"b", L"", L"c"}},
        {L"a,", {L"a"}},
        {L",a", {L"", L"a"}},
        {L" a , b", {L" a ", L" b"}},
        {L"", {}},
        {nullptr, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.text));
        EXPECT_EQ(c.pieces, SplitStringToToken(c.text));
    }
}

}  // namespace
