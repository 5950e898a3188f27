#pragma once
// CUIFont: one backend font with the description it was made from.

#include <string>

#include "UIExport.h"
#include "UIFontBase.h"
#include "UIRefBase.h"
#include "UIString.h"

// Whether a face name is the absolute path of a font file ("/..." or "C:\...").
UILIB_API bool isPathValid(const std::wstring& text);

class UILIB_API CUIFont : public CRefBase, public CFontBase {
public:
    CUIFont();
    CUIFont(const CUIString& name, const CUIString& face, int size, int bold, int underline, int italic);
    CUIFont(const CUIFont&) = delete;
    CUIFont& operator=(const CUIFont&) = delete;
    ~CUIFont() override;

    bool Create(const wchar_t* face, int size, bool bold, bool underline, bool italic) override;
    bool CreateFromFile(const wchar_t* path, int size, bool bold, bool underline, bool italic) override;
    void Destroy() override;
    int GetFontHeight() override;

    // Creates the backend font from the stored description.
    bool Create();

    void SetName(const CUIString& name);
    void SetFaceName(const CUIString& face);
    void SetSize(int size);
    void SetBold(int bold);
    void SetUnderLine(int underline);
    void SetItalic(int italic);

    // The size given at construction, which SetSize leaves alone.
    int GetOrgSize() const;
    CFontBase* GetFontPlatform() const;

private:
    CUIString m_strName;
    CUIString m_strFaceName;
    int m_nSize;
    int m_bBold;
    int m_bUnderline;
    int m_bItalic;
    int m_nOrgSize;
    CFontBase* m_pFont;
};
