// CUIString: the inline/heap boundary, editing, searching, replacing and formatting.

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "UIString.h"

namespace {

// Whether the text lives inside the string object itself.
bool IsInline(const CUIString& s)
{
    const auto* text = reinterpret_cast<const char*>(s.GetData());
    const auto* object = reinterpret_cast<const char*>(&s);
    return text >= object && text < object + sizeof s;
}

std::wstring Text(const CUIString& s) { return s.GetData(); }

std::wstring Repeat(wchar_t ch, int n) { return std::wstring(n, ch); }

TEST(UIString, SixtyTwoCharactersStayInlineAndSixtyThreeGoToTheHeap)
{
    const CUIString inlineText(Repeat(L'x', 62).c_str());
    EXPECT_TRUE(IsInline(inlineText));
    EXPECT_EQ(62, inlineText.GetLength());

    CUIString heapText(Repeat(L'y', 63).c_str());
    EXPECT_FALSE(IsInline(heapText));
    EXPECT_EQ(Repeat(L'y', 63), Text(heapText));

    heapText = Repeat(L'z', 62).c_str();
    EXPECT_TRUE(IsInline(heapText));
    EXPECT_EQ(Repeat(L'z', 62), Text(heapText));
}

TEST(UIString, ShorterHeapTextKeepsTheBlockAndLongerAppendGrowsIt)
{
    CUIString s(Repeat(L'a', 100).c_str());
    const wchar_t* block = s.GetData();
    s.Assign(Repeat(L'b', 70).c_str());
    EXPECT_EQ(block, s.GetData());
    EXPECT_EQ(Repeat(L'b', 70), Text(s));

    s += Repeat(L'c', 200).c_str();
    EXPECT_EQ(Repeat(L'b', 70) + Repeat(L'c', 200), Text(s));

    CUIString grown(Repeat(L'd', 60).c_str());
    grown += L"efg";
    EXPECT_FALSE(IsInline(grown));
    EXPECT_EQ(Repeat(L'd', 60) + L"efg", Text(grown));
}

TEST(UIString, ConstructionAndAssignment)
{
    CUIString s = L"abc";
    EXPECT_EQ(L"abc", Text(s));
    EXPECT_EQ(L"ab", Text(CUIString(L"abc", 2)));
    EXPECT_EQ(L"abc", Text(CUIString(L"abc", 10)));
    EXPECT_TRUE(CUIString(L'\0').IsEmpty());
    EXPECT_EQ(L"q", Text(CUIString(L'q')));
    EXPECT_TRUE(CUIString().IsEmpty());

    s.Assign(nullptr, 5);
    EXPECT_TRUE(s.IsEmpty());
    s = L"abc";
    s = static_cast<const wchar_t*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s = L'\0';
    EXPECT_TRUE(s.IsEmpty());
    s = L'k';
    EXPECT_EQ(L"k", Text(s));

    const CUIString heap(Repeat(L'h', 80).c_str());
    CUIString copy(heap);
    EXPECT_NE(heap.GetData(), copy.GetData());
    copy = heap;
    EXPECT_EQ(Text(heap), Text(copy));
}

TEST(UIString, ZeroWrittenIntoHeapTextShortensItAndAppendReturnsInline)
{
    const std::wstring seventy = L"abc" + Repeat(L'-', 67);
    CUIString s(seventy.c_str());
    s.SetAt(3, L'\0');
    EXPECT_EQ(3, s.GetLength());
    s.Append(L"xy");
    EXPECT_EQ(L"abcxy", Text(s));
    EXPECT_TRUE(IsInline(s));
}

TEST(UIString, AppendingCharactersAndConcatenation)
{
    CUIString s(L"ab");
    s += L'\0';
    EXPECT_EQ(L"ab", Text(s));
    s += L'c';
    s += static_cast<const wchar_t*>(nullptr);
    EXPECT_EQ(L"abc", Text(s));
    EXPECT_EQ(L"abcdef", Text(s + CUIString(L"def")));
    EXPECT_EQ(L"abc", Text(s + static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(L"abc", Text(s));
}

// A string used as the source of its own assignment or append, inline and on the heap.
TEST(UIString, SelfAliasingAssignAndAppend)
{
    for (const int length : {5, 40, 62, 63, 100}) {
        SCOPED_TRACE(length);
        std::wstring text;
        for (int i = 0; i < length; ++i)
            text += static_cast<wchar_t>(L'a' + i % 26);

        CUIString doubled(text.c_str());
        doubled += doubled;
        EXPECT_EQ(text + text, Text(doubled));

        CUIString self(text.c_str());
        self = self;
        EXPECT_EQ(text, Text(self));

        CUIString tail(text.c_str());
        tail = tail.GetData() + 2;
        EXPECT_EQ(text.substr(2), Text(tail));

        CUIString head(text.c_str());
        head.Assign(head.GetData(), 3);
        EXPECT_EQ(text.substr(0, 3), Text(head));

        CUIString appended(text.c_str());
        appended.Append(appended.GetData() + 1);
        EXPECT_EQ(text + text.substr(1), Text(appended));
    }
}

TEST(UIString, Comparisons)
{
    const CUIString s(L"abc");
    EXPECT_TRUE(s == L"abc");
    EXPECT_TRUE(s == CUIString(L"abc"));
    EXPECT_TRUE(s != L"abd");
    EXPECT_TRUE(s != CUIString(L"ab"));
    EXPECT_TRUE(s < L"abd");
    EXPECT_TRUE(s <= L"abc");
    EXPECT_TRUE(s > L"ab");
    EXPECT_TRUE(s >= L"abc");
    EXPECT_FALSE(s < L"abc");
    EXPECT_LT(s.Compare(L"b"), 0);
    EXPECT_EQ(0, s.CompareNoCase(L"ABC"));
    EXPECT_NE(0, s.Compare(L"ABC"));
}

TEST(UIString, CaseMappingChangesOnlyNarrowCharacters)
{
    CUIString s(L"abc\u0101\u00e9Z");
    s += static_cast<wchar_t>(-1);
    s += static_cast<wchar_t>(-200);
    s.MakeUpper();
    EXPECT_EQ(std::wstring(L"ABC\u0101\u00e9Z") + static_cast<wchar_t>(-1) + static_cast<wchar_t>(-200), Text(s));
    s.MakeLower();
    EXPECT_EQ(L"abc\u0101\u00e9z", Text(s).substr(0, 6));
}

struct FindCase {
    const wchar_t* text;
    bool byCharacter;
    wchar_t ch;
    const wchar_t* needle;
    int start;
    int expected;
};

TEST(UIString, FindRespectsItsStartRules)
{
    const FindCase cases[] = {
        {L"abc", true, L'c', nullptr, 3, -1},    // a start at the length is refused for characters
        {L"abc", true, L'a', nullptr, -1, -1},
        {L"abc", true, L'\0', nullptr, 0, 3},    // the terminator is found
        {L"abc", true, L'b', nullptr, 1, 1},
        {L"abcb", true, L'b', nullptr, 2, 3},
        {L"abc", true, L'z', nullptr, 0, -1},
        {L"", true, L'\0', nullptr, 0, 0},
        {L"abc", false, 0, L"", 3, 3},           // the end of the text is a valid start for texts
        {L"abc", false, 0, L"a", 4, -1},
        {L"abc", false, 0, L"a", -1, -1},
        {L"abcabc", false, 0, L"bc", 2, 4},
        {L"abc", false, 0, L"abcd", 0, -1},
        {L"abc", false, 0, nullptr, 0, -1},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << c.text << " start " << c.start);
        const CUIString s(c.text);
        EXPECT_EQ(c.expected, c.byCharacter ? s.Find(c.ch, c.start) : s.Find(c.needle, c.start));
    }
    EXPECT_EQ(3, CUIString(L"abcb").ReverseFind(L'b'));
    EXPECT_EQ(-1, CUIString(L"abc").ReverseFind(L'z'));
}

TEST(UIString, LeftMidAndRightClampTheirArguments)
{
    const CUIString abc(L"abc");
    const CUIString abcdef(L"abcdef");
    const struct {
        CUIString result;
        const wchar_t* expected;
    } cases[] = {
        {abc.Left(-3), L""},
        {abc.Left(10), L"abc"},
        {abc.Left(2), L"ab"},
        {abcdef.Mid(2, 100), L"cdef"},
        {abcdef.Mid(10, 2), L""},
        {abcdef.Mid(2, 2), L"cd"},
        {abcdef.Mid(2), L"cdef"},
        {abcdef.Mid(3, 0), L""},
        {abcdef.Mid(-2, 3), L"abc"},  // a negative start counts from the first character
        {abcdef.Mid(1, 2147483647), L"bcdef"},
        {abc.Right(10), L"abc"},
        {abc.Right(2), L"bc"},
        {abc.Right(0), L""},
        {abc.Right(-1), L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Text(c.result));
}

TEST(UIString, ReplaceNeverSearchesInsertedText)
{
    const struct {
        const wchar_t* text;
        const wchar_t* from;
        const wchar_t* to;
        int count;
        const wchar_t* expected;
    } cases[] = {
        {L"aaa", L"a", L"aa", 3, L"aaaaaa"},
        {L"abcabc", L"bc", L"X", 2, L"aXaX"},
        {L"abc", L"z", L"y", 0, L"abc"},
        {L"abc", L"", L"y", 0, L"abc"},
        {L"abc", nullptr, L"y", 0, L"abc"},
        {L"abcb", L"b", nullptr, 2, L"ac"},
        {L"a-b", L"-", L"<this replacement is long enough to move the text to the heap>", 1,
         L"a<this replacement is long enough to move the text to the heap>b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CUIString s(c.text);
        EXPECT_EQ(c.count, s.Replace(c.from, c.to));
        EXPECT_EQ(c.expected, Text(s));
    }
}

TEST(UIString, ReplaceTakesOnePassOverALongText)
{
    // Two hundred thousand replacements, each growing the text: done in one pass, not one per hit.
    const std::wstring ab(400000, L'a');
    CUIString s(ab.c_str());
    EXPECT_EQ(200000, s.Replace(L"aa", L"<b>"));
    EXPECT_EQ(600000, s.GetLength());
    EXPECT_EQ(L"<b><b>", Text(s.Left(6)));
}

TEST(UIString, ReplaceWithTextsTakenFromItself)
{
    CUIString s(L"ab");
    EXPECT_EQ(1, s.Replace(s.GetData() + 1, s.GetData()));
    EXPECT_EQ(L"aab", Text(s));
}

TEST(UIString, FormatRetriesUntilTheResultFits)
{
    CUIString s;
    EXPECT_EQ(16, s.Format(L"dest='%d,%d,%d,%d'", 1, 2, 30, 40));
    EXPECT_EQ(L"dest='1,2,30,40'", Text(s));

    const std::wstring exact = Repeat(L'f', 512);
    EXPECT_EQ(512, s.Format(L"%ls", exact.c_str()));
    EXPECT_EQ(exact, Text(s));

    const std::wstring large = Repeat(L'g', 5000);
    EXPECT_EQ(5000, s.Format(L"%ls", large.c_str()));
    EXPECT_EQ(large, Text(s));
}

TEST(UIString, FormatThatAlwaysFailsEndsEmpty)
{
    std::setlocale(LC_ALL, "C");
    CUIString s(L"previous");
    EXPECT_EQ(0, s.Format(L"%s", "\xff\xfe"));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(UIString, NumberConversions)
{
    EXPECT_EQ(12, CUIString(L"12abc").toLong());
    EXPECT_EQ(-7, CUIString(L"  -7").toLong());
    EXPECT_EQ(0, CUIString(L"abc").toLong());
    EXPECT_EQ(31, CUIString(L"1f").toLong(16));
    EXPECT_EQ(255ul, CUIString(L"0xff").toULong(16));
    EXPECT_EQ(10ul, CUIString(L"10").toULong());
}

}  // namespace
