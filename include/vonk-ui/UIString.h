#pragma once
// CUIString: the library's wide string, with a small-text buffer inside the object.

#include <cstdarg>

#include "UIExport.h"

class UILIB_API CUIString {
public:
    CUIString();
    CUIString(wchar_t ch);
    CUIString(const wchar_t* text, int length = -1);
    CUIString(const CUIString& other);
    ~CUIString();

    int GetLength() const;
    bool IsEmpty() const;
    const wchar_t* GetData() const;
    operator wchar_t*() const;
    wchar_t GetAt(int i) const;
    wchar_t operator[](int i) const;
    void SetAt(int i, wchar_t ch);

    void Empty();
    void Assign(const wchar_t* text, int length = -1);
    void Append(const wchar_t* text);

    const CUIString& operator=(const CUIString& other);
    const CUIString& operator=(const wchar_t* text);
    const CUIString& operator=(wchar_t ch);
    const CUIString& operator+=(const CUIString& other);
    const CUIString& operator+=(const wchar_t* text);
    const CUIString& operator+=(wchar_t ch);
    CUIString operator+(const CUIString& other) const;
    CUIString operator+(const wchar_t* text) const;

    int Compare(const wchar_t* text) const;
    int CompareNoCase(const wchar_t* text) const;
    bool operator==(const CUIString& other) const;
    bool operator==(const wchar_t* text) const;
    bool operator!=(const CUIString& other) const;
    bool operator!=(const wchar_t* text) const;
    bool operator<(const wchar_t* text) const;
    bool operator<=(const wchar_t* text) const;
    bool operator>(const wchar_t* text) const;
    bool operator>=(const wchar_t* text) const;

    void MakeUpper();
    void MakeLower();

    CUIString Left(int n) const;
    CUIString Mid(int start, int count = -1) const;
    CUIString Right(int n) const;

    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* text, int start = 0) const;
    int ReverseFind(wchar_t ch) const;

    long toLong(int base = 10);
    unsigned long toULong(int base = 10);

    int Replace(const wchar_t* from, const wchar_t* to);

    int Format(const wchar_t* format, ...);
    int FormatV(const wchar_t* format, va_list args);

private:
    bool IsInline() const;
    // Whether text points into this string's own characters.
    bool Holds(const wchar_t* text) const;
    void FreeHeap();

    wchar_t* m_pstr;
    wchar_t m_szBuffer[64];
};
