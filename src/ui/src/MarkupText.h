#pragma once
// Reading element names and attribute values of markup.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include <utility/logger>

#include "MarkupPlace.h"
#include "NumberText.h"
#include "Scaling.h"
#include "UIDefine.h"
#include "UIParse.h"
#include "UIRender.h"

// Markup names compare exactly, letter case included.
inline bool IsNamed(const wchar_t* name, const wchar_t* expected) { return std::wcscmp(name, expected) == 0; }

// True only for the text "true".
inline bool ReadBool(const wchar_t* value)
{
    bool result = false;
    ParseBoolString(value, result);
    return result;
}

// Whether only blanks are left of a value from there on.
inline bool OnlyBlanksFrom(const wchar_t* rest)
{
    while (*rest == L' ' || *rest == L'\t')
        ++rest;
    return *rest == L'\0';
}

// A decimal integer, held within int; 0 without digits. A value that holds more than the
// number is read as far as it goes, with a line.
inline int ReadInt(const wchar_t* value)
{
    wchar_t* end = nullptr;
    const int number = ClampToInt(ReadDecimal(value, &end));
    if (!OnlyBlanksFrom(end))
        UI_ERROR("%s\"%S\" is no integer, read as %d ", MarkupWhere().c_str(), value, number);
    return number;
}

// A colour read from value whose digits after the "#" are not all hexadecimal gets a line:
// the colour stays what the digits before the first stray character give. The empty
// value is no colour, and no mistake.
inline void CheckHexDigits(const wchar_t* value, unsigned long colour)
{
    const wchar_t* digits = *value == L'#' ? value + 1 : value;
    const wchar_t* letter = digits;
    while (HexDigitValue(*letter) >= 0)
        ++letter;
    if (*value == L'\0' || (*digits != L'\0' && *letter == L'\0'))
        return;
    UI_ERROR("%scolour \"%S\" is not all hexadecimal digits, read as #%08lX ", MarkupWhere().c_str(), value, colour);
}

// Hexadecimal digits after at most one leading "#"; 0 without digits.
inline unsigned long ReadHexColour(const wchar_t* value)
{
    const unsigned long colour = ReadHexadecimal(*value == L'#' ? value + 1 : value);
    CheckHexDigits(value, colour);
    return colour;
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
        numbers[i] = ClampToInt(ReadDecimal(cursor, &end));
        if (*end == L'\0')
            return i + 1;
        cursor = end + 1;
    }
    return count;
}

// Hashes a markup name in one pass over its letters, inline: names are a few letters long.
struct MarkupNameHash {
    size_t operator()(std::wstring_view name) const noexcept
    {
        size_t hash = 14695981039346656037ull;
        for (const wchar_t letter : name)
            hash = (hash ^ static_cast<size_t>(letter)) * 1099511628211ull;
        return hash;
    }
};

// The attributes that one class of control reads itself, by name: an open-addressed table
// built once, in which a lookup hashes the name and probes a slot or two.
template <typename Control>
class AttributeTable {
public:
    using Setter = void (*)(Control& control, const wchar_t* value);

    // The first entry of a name holds; a later one of the same name is ignored.
    AttributeTable(std::initializer_list<std::pair<const wchar_t*, Setter>> entries)
    {
        size_t slots = 16;
        while (slots < 2 * entries.size())
            slots *= 2;
        m_slots.resize(slots);
        for (const auto& [name, setter] : entries) {
            const Hashed key = Hash(name);
            Slot& slot = m_slots[Probe(key, name)];
            if (slot.name == nullptr)
                slot = Slot{name, key.length, key.hash, setter};
        }
    }

    // The setter of that name, or null when the table has none.
    Setter Find(const wchar_t* name) const
    {
        const Hashed key = Hash(name);
        return m_slots[Probe(key, name)].setter;
    }

private:
    struct Slot {
        const wchar_t* name = nullptr;
        size_t length = 0;
        size_t hash = 0;
        Setter setter = nullptr;
    };
    struct Hashed {
        size_t hash;
        size_t length;
    };

    static Hashed Hash(const wchar_t* name)
    {
        const std::wstring_view text(name);
        return {MarkupNameHash()(text), text.size()};
    }

    // The slot that holds name, or the empty one where it would go: the table is never full.
    size_t Probe(const Hashed& key, const wchar_t* name) const
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t at = key.hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = m_slots[at];
            if (slot.name == nullptr ||
                (slot.hash == key.hash && slot.length == key.length && std::wmemcmp(slot.name, name, key.length) == 0))
                return at;
        }
    }

    std::vector<Slot> m_slots;
};

// Applies the attribute of that name from table to control; false when the table has none.
template <typename Control>
bool ApplyAttribute(const AttributeTable<Control>& table, Control& control, const wchar_t* name, const wchar_t* value)
{
    const auto setter = table.Find(name);
    if (setter == nullptr)
        return false;
    setter(control, value);
    return true;
}

// Hands a colour written as "#" and hexadecimal digits to store; a value without the "#"
// is refused with a log line, and store is not called.
template <typename Store>
void ApplyColour(const wchar_t* value, Store store)
{
    unsigned long colour = 0;
    if (!ParseColorString(value, colour)) {
        UI_ERROR("%scolour \"%S\" lacks its \"#\" ", MarkupWhere().c_str(), value);
        return;
    }
    CheckHexDigits(value, colour);
    store(colour);
}

// The alignment words, tested in this order; each clears the other bits of its axis. The
// bits are the text style's, which a control's anchor shares.
struct AlignWord {
    const wchar_t* word;
    uint32_t clears;
    uint32_t sets;
};

// Applies to bits every alignment word that value contains, "left", "center" and "right"
// and, with vertical, "top", "vcenter" and "bottom", in that order: the last word of an
// axis wins.
inline uint32_t ReadAlignWords(const wchar_t* value, uint32_t bits, bool vertical)
{
    static const AlignWord kWords[] = {
        {L"left", TEXTSTYLE_CENTER | TEXTSTYLE_RIGHT, TEXTSTYLE_LEFT},
        {L"center", TEXTSTYLE_LEFT | TEXTSTYLE_RIGHT, TEXTSTYLE_CENTER},
        {L"right", TEXTSTYLE_LEFT | TEXTSTYLE_CENTER, TEXTSTYLE_RIGHT},
        {L"top", TEXTSTYLE_VCENTER | TEXTSTYLE_BOTTOM, TEXTSTYLE_TOP},
        {L"vcenter", TEXTSTYLE_TOP | TEXTSTYLE_BOTTOM, TEXTSTYLE_VCENTER},
        {L"bottom", TEXTSTYLE_TOP | TEXTSTYLE_VCENTER, TEXTSTYLE_BOTTOM},
    };
    const int count = vertical ? 6 : 3;
    for (int i = 0; i < count; ++i) {
        if (std::wcsstr(value, kWords[i].word))
            bits = (bits & ~kWords[i].clears) | kWords[i].sets;
    }
    return bits;
}
