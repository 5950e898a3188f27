#pragma once
// CResourceMgr: one window's images, fonts, font groups and classes; statically, the
// resource directory and the localised string table that the whole process shares.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "UIDefine.h"
#include "UIExport.h"
#include "UIFont.h"
#include "UIImage.h"
#include "UIString.h"
#include "UIStringPtrMap.h"

class UILIB_API CResourceMgr {
public:
    CResourceMgr();
    CResourceMgr(const CResourceMgr&) = delete;
    CResourceMgr& operator=(const CResourceMgr&) = delete;
    // Deletes the images and fonts still held, the fonts of the font groups included.
    virtual ~CResourceMgr();

    // Stores the resource directory (ending in "/" or "\") and loads the locale's string table.
    static void SetResourePath(const CUIString& path);
    static CUIString GetResourePath();
    // The string table's text for name, empty when it has none.
    static CUIString GetText(const CUIString& name);
    // Switches to the environment's locale; its name up to the first ".".
    static std::string GetLanguageName();
    // dir + "-" + language + "/strings.xml" when that file exists, else dir + "/strings.xml".
    static std::wstring GetStringsPath(std::wstring dir);

    bool AddImage(const CUIString& name);
    // The stored image; with load, one that is not stored yet is loaded first.
    CUIImage* GetImage(const CUIString& name, bool load);
    bool RemoveImage(const CUIString& name);
    void RemoveAllImage();

    bool AddFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold, BOOL underline,
                 BOOL italic);
    bool AddFonts(const CUIString& name, const CUIString& faces, BOOL bDefault, int size, BOOL bold, BOOL underline,
                  BOOL italic);
    // The font of that name, made from the other arguments when there is none.
    CUIFont* GetFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold,
                     BOOL underline, BOOL italic);
    CUIFont* GetFont(const CUIString& name);
    std::vector<CUIFont*> GetFonts(const CUIString& name) const;
    // The height of this window's font, else the process-wide one; 12 when neither has it.
    int GetFontHeight(const CUIString& name);
    bool SetDefault(const CUIString& name);
    // The default font, made as "__default__" when there is none.
    CUIFont* GetDefault();
    int GetDefaultFontHeight();
    void ReleaseAllFont();

    // Rebuilds every font at its base size times scale.
    void SetScale(double scale);
    double GetScale() const;

    // Forgets the classes and deletes the images and fonts; font groups, face names and scale stay.
    void Clear();
    void ResetDPIAssets();

    void AddClass(const std::wstring& strClassName, const std::wstring& strControlAttrList);
    std::wstring GetClassAttributes(const std::wstring& name) const;
    void AddConfigFontFaceName(const std::wstring& face, const std::wstring& use);
    void SetConfigFontFaceNameMap(const std::map<std::wstring, std::wstring>& table);

private:
    CUIFont* MakeFont(const CUIString& name, const CUIString& face, int size, BOOL bold, BOOL underline,
                      BOOL italic) const;
    void DeleteGroupFonts();

    static CUIString m_strResDir;
    static std::map<std::wstring, std::wstring> m_strStingId;

    CStdStringPtrMap m_mapImages;
    // The image names that failed to load, each logged once.
    std::set<std::wstring> m_failedImages;
    CStdStringPtrMap m_mapFonts;
    std::map<std::wstring, std::vector<CUIFont*>> m_mapFontGroups;
    std::map<std::wstring, std::wstring> m_mapClasses;
    CUIFont* m_pDefaultFont;
    double m_dScale;
    std::map<std::wstring, std::wstring> m_mapFaceNames;
};
