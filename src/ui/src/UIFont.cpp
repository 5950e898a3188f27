// The font proxy: forwards to the backend font it holds, when the backend gave one.

#include <string>

#include "UIFont.h"
#include "UIPlatform.h"

// The whole text, narrowed to its low 8 bits, must match "^/.*" or "^[A-Za-z]:\\.*" as an
// ECMAScript expression, whose "." matches anything but a line break.
bool isPathValid(const std::wstring& text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t c : text)
        narrow += static_cast<char>(c & 0xFF);

    const auto isAsciiLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    size_t prefix = 0;
    if (narrow.size() >= 1 && narrow[0] == '/')
        prefix = 1;
    else if (narrow.size() >= 3 && isAsciiLetter(narrow[0]) && narrow[1] == ':' && narrow[2] == '\\')
        prefix = 3;
    else
        return false;
    return narrow.find_first_of("\r\n", prefix) == std::string::npos;
}

CUIFont::CUIFont() : CUIFont(CUIString(), CUIString(), 8, 0, 0, 0) {}

CUIFont::CUIFont(const CUIString& name, const CUIString& face, int size, int bold, int underline, int italic)
    : m_strName(name),
      m_strFaceName(face),
      m_nSize(size),
      m_bBold(bold),
      m_bUnderline(underline),
      m_bItalic(italic),
      m_nOrgSize(size),
      m_pFont(CUIPlatfrom::GetFont())
{
}

CUIFont::~CUIFont()
{
    if (m_pFont == nullptr)
        return;
    m_pFont->Destroy();
    CUIPlatfrom::ReleaseFont(m_pFont);
}

bool CUIFont::Create(const wchar_t* face, int size, bool bold, bool underline, bool italic)
{
    return m_pFont && m_pFont->Create(face, size, bold, underline, italic);
}

bool CUIFont::CreateFromFile(const wchar_t* path, int size, bool bold, bool underline, bool italic)
{
    return m_pFont && m_pFont->CreateFromFile(path, size, bold, underline, italic);
}

void CUIFont::Destroy()
{
    if (m_pFont)
        m_pFont->Destroy();
}

int CUIFont::GetFontHeight() { return m_pFont ? m_pFont->GetFontHeight() : 0; }

bool CUIFont::Create()
{
    const wchar_t* face = m_strFaceName.GetData();
    if (isPathValid(face))
        return CreateFromFile(face, m_nSize, m_bBold != 0, m_bUnderline != 0, m_bItalic != 0);
    return Create(face, m_nSize, m_bBold != 0, m_bUnderline != 0, m_bItalic != 0);
}

void CUIFont::SetName(const CUIString& name) { m_strName = name; }
void CUIFont::SetFaceName(const CUIString& face) { m_strFaceName = face; }
void CUIFont::SetSize(int size) { m_nSize = size; }
void CUIFont::SetBold(int bold) { m_bBold = bold; }
void CUIFont::SetUnderLine(int underline) { m_bUnderline = underline; }
void CUIFont::SetItalic(int italic) { m_bItalic = italic; }
int CUIFont::GetOrgSize() const { return m_nOrgSize; }
CFontBase* CUIFont::GetFontPlatform() const { return m_pFont; }
