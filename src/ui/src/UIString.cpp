// CUIString: inline text of up to kInlineMax characters, a malloc'ed block beyond that.

#include "UIString.h"

#include <cassert>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cstdint>
#include <string>

namespace {

// The longest text kept in the inline buffer.
const int kInlineMax = 62;
const size_t kFormatFirstSize = 512;
// Formatting gives up beyond this many characters.
const size_t kFormatMaxSize = 1024 * 1024;

const wchar_t* OrEmpty(const wchar_t* text) { return text == nullptr ? L"" : text; }

wchar_t* AllocateText(wchar_t* block, size_t characters)
{
    return static_cast<wchar_t*>(realloc(block, characters * sizeof(wchar_t)));
}

}  // namespace

CUIString::CUIString() : m_pstr(m_szBuffer) { m_szBuffer[0] = L'\0'; }

CUIString::CUIString(wchar_t ch) : m_pstr(m_szBuffer)
{
    m_szBuffer[0] = ch;
    m_szBuffer[1] = L'\0';
}

CUIString::CUIString(const wchar_t* text, int length) : m_pstr(m_szBuffer)
{
    m_szBuffer[0] = L'\0';
    Assign(text, length);
}

CUIString::CUIString(const CUIString& other) : m_pstr(m_szBuffer)
{
    m_szBuffer[0] = L'\0';
    Assign(other.m_pstr, -1);
}

CUIString::~CUIString()
{
    FreeHeap();
    m_pstr = nullptr;
}

bool CUIString::IsInline() const { return m_pstr == m_szBuffer; }

bool CUIString::Holds(const wchar_t* text) const
{
    const auto address = reinterpret_cast<uintptr_t>(text);
    const auto first = reinterpret_cast<uintptr_t>(m_pstr);
    const int extent = IsInline() ? 64 : GetLength() + 1;
    return address >= first && address < first + extent * sizeof(wchar_t);
}

void CUIString::FreeHeap()
{
    if (IsInline())
        return;
    free(m_pstr);
    m_pstr = m_szBuffer;
}

int CUIString::GetLength() const { return static_cast<int>(wcslen(m_pstr)); }

bool CUIString::IsEmpty() const { return m_pstr[0] == L'\0'; }

const wchar_t* CUIString::GetData() const { return m_pstr; }

CUIString::operator wchar_t*() const { return m_pstr; }

wchar_t CUIString::GetAt(int i) const { return m_pstr[i]; }

wchar_t CUIString::operator[](int i) const { return m_pstr[i]; }

void CUIString::SetAt(int i, wchar_t ch) { m_pstr[i] = ch; }

void CUIString::Empty()
{
    FreeHeap();
    m_szBuffer[0] = L'\0';
}

void CUIString::Assign(const wchar_t* text, int length)
{
    text = OrEmpty(text);
    if (length < 0)
        length = static_cast<int>(wcslen(text));
    if (Holds(text)) {
        const CUIString copy(text, length);
        Assign(copy.m_pstr, length);
        return;
    }
    if (length > kInlineMax) {
        if (IsInline())
            m_pstr = AllocateText(nullptr, length + 1);
        else if (length > GetLength())
            m_pstr = AllocateText(m_pstr, length + 1);
    } else {
        FreeHeap();
    }
    wcsncpy(m_pstr, text, length);
    m_pstr[length] = L'\0';
}

void CUIString::Append(const wchar_t* text)
{
    if (text == nullptr)
        return;
    if (Holds(text)) {
        const CUIString copy(text);
        Append(copy.m_pstr);
        return;
    }
    const int current = GetLength();
    const int added = static_cast<int>(wcslen(text));
    const int total = current + added;
    if (total > kInlineMax) {
        if (IsInline()) {
            m_pstr = AllocateText(nullptr, total + 1);
            wmemcpy(m_pstr, m_szBuffer, current);
        } else {
            m_pstr = AllocateText(m_pstr, total + 1);
        }
    } else if (!IsInline()) {
        wmemcpy(m_szBuffer, m_pstr, current);
        FreeHeap();
    }
    wmemcpy(m_pstr + current, text, added + 1);
}

const CUIString& CUIString::operator=(const CUIString& other)
{
    if (&other != this)
        Assign(other.m_pstr, -1);
    return *this;
}

const CUIString& CUIString::operator=(const wchar_t* text)
{
    if (text == nullptr)
        Empty();
    else
        Assign(text, -1);
    return *this;
}

const CUIString& CUIString::operator=(wchar_t ch)
{
    Empty();
    m_szBuffer[0] = ch;
    m_szBuffer[1] = L'\0';
    return *this;
}

const CUIString& CUIString::operator+=(const CUIString& other)
{
    Append(other.m_pstr);
    return *this;
}

const CUIString& CUIString::operator+=(const wchar_t* text)
{
    Append(text);
    return *this;
}

const CUIString& CUIString::operator+=(wchar_t ch)
{
    const wchar_t text[2] = {ch, L'\0'};
    Append(text);
    return *this;
}

CUIString CUIString::operator+(const CUIString& other) const
{
    CUIString result(*this);
    result.Append(other.m_pstr);
    return result;
}

CUIString CUIString::operator+(const wchar_t* text) const
{
    CUIString result(*this);
    result.Append(text);
    return result;
}

int CUIString::Compare(const wchar_t* text) const { return wcscmp(m_pstr, OrEmpty(text)); }

int CUIString::CompareNoCase(const wchar_t* text) const { return wcscasecmp(m_pstr, OrEmpty(text)); }

bool CUIString::operator==(const CUIString& other) const { return Compare(other.m_pstr) == 0; }
bool CUIString::operator==(const wchar_t* text) const { return Compare(text) == 0; }
bool CUIString::operator!=(const CUIString& other) const { return Compare(other.m_pstr) != 0; }
bool CUIString::operator!=(const wchar_t* text) const { return Compare(text) != 0; }
bool CUIString::operator<(const wchar_t* text) const { return Compare(text) < 0; }
bool CUIString::operator<=(const wchar_t* text) const { return Compare(text) <= 0; }
bool CUIString::operator>(const wchar_t* text) const { return Compare(text) > 0; }
bool CUIString::operator>=(const wchar_t* text) const { return Compare(text) >= 0; }

namespace {

// Applies the narrow mapping to the characters it is defined for (0 to 255).
void MapNarrow(wchar_t* text, int (*map)(int))
{
    for (; *text != L'\0'; ++text) {
        if (*text >= 0 && *text < 256)
            *text = static_cast<wchar_t>(map(static_cast<int>(*text)));
    }
}

}  // namespace

void CUIString::MakeUpper() { MapNarrow(m_pstr, ::toupper); }

void CUIString::MakeLower() { MapNarrow(m_pstr, ::tolower); }

CUIString CUIString::Left(int n) const
{
    const int length = GetLength();
    if (n < 0)
        n = 0;
    if (n > length)
        n = length;
    return CUIString(m_pstr, n);
}

CUIString CUIString::Mid(int start, int count) const
{
    const int length = GetLength();
    if (start < 0)
        start = 0;
    if (count < 0 || count > length - start)
        count = length - start;
    if (count <= 0)
        return CUIString();
    return CUIString(m_pstr + start, count);
}

CUIString CUIString::Right(int n) const
{
    const int length = GetLength();
    if (n < 0)
        return CUIString();
    if (n >= length)
        return *this;
    return CUIString(m_pstr + length - n, n);
}

int CUIString::Find(wchar_t ch, int start) const
{
    if (start != 0 && (start < 0 || start >= GetLength()))
        return -1;
    const wchar_t* found = wcschr(m_pstr + start, ch);
    return found == nullptr ? -1 : static_cast<int>(found - m_pstr);
}

int CUIString::Find(const wchar_t* text, int start) const
{
    if (text == nullptr || start < 0 || start > GetLength())
        return -1;
    const wchar_t* found = wcsstr(m_pstr + start, text);
    return found == nullptr ? -1 : static_cast<int>(found - m_pstr);
}

int CUIString::ReverseFind(wchar_t ch) const
{
    const wchar_t* found = wcsrchr(m_pstr, ch);
    return found == nullptr ? -1 : static_cast<int>(found - m_pstr);
}

long CUIString::toLong(int base) { return wcstol(m_pstr, nullptr, base); }

unsigned long CUIString::toULong(int base) { return wcstoul(m_pstr, nullptr, base); }

int CUIString::Replace(const wchar_t* from, const wchar_t* to)
{
    if (from == nullptr || from[0] == L'\0')
        return 0;
    // One pass over the text as it stands: what is put in is never searched again. The
    // result is built apart, since either argument may lie inside this string.
    const wchar_t* const text = m_pstr;
    const wchar_t* const replacement = OrEmpty(to);
    const size_t fromLength = wcslen(from);
    std::wstring result;
    int count = 0;
    const wchar_t* rest = text;
    for (const wchar_t* found = wcsstr(rest, from); found; found = wcsstr(rest, from)) {
        result.append(rest, found).append(replacement);
        rest = found + fromLength;
        ++count;
    }
    if (count == 0)
        return 0;
    result.append(rest);
    Assign(result.c_str(), static_cast<int>(result.size()));
    return count;
}

int CUIString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = FormatV(format, args);
    va_end(args);
    return result;
}

int CUIString::FormatV(const wchar_t* format, va_list args)
{
    assert(format != nullptr);
    size_t size = kFormatFirstSize;
    wchar_t* buffer = static_cast<wchar_t*>(calloc(size, sizeof(wchar_t)));
    if (buffer == nullptr)
        return 0;
    for (;;) {
        va_list attempt;
        va_copy(attempt, args);
        errno = 0;
        const int result = vswprintf(buffer, size, format, attempt);
        va_end(attempt);
        if (result >= 0 && static_cast<size_t>(result) < size) {
            Assign(buffer, -1);
            free(buffer);
            return result;
        }
        // -1 also answers a format that no size helps: an encoding error or a bad conversion.
        const bool tooSmall = result >= 0 || errno == 0 || errno == EOVERFLOW || errno == E2BIG;
        size = result < 0 ? size * 2 : size + 4;
        wchar_t* grown = tooSmall && size <= kFormatMaxSize ? AllocateText(buffer, size) : nullptr;
        if (grown == nullptr) {
            free(buffer);
            Empty();
            return 0;
        }
        buffer = grown;
        wmemset(buffer, L'\0', size);
    }
}
