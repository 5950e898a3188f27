#pragma once
// StyleManager: one set of shared fonts, font groups, classes and text colours.
// GlobalManager: the process-wide style manager and the control plug-ins.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "UIDefine.h"
#include "UIExport.h"
#include "UIFont.h"
#include "UIString.h"
#include "UIStringPtrMap.h"

class CUIControl;

// What a control plug-in exports as "CreateControl": a new control for an element name it serves, else null.
extern "C" typedef CUIControl* (*PFN_CreateControl)(const CUIString& name);

class UILIB_API StyleManager {
public:
    StyleManager();
    StyleManager(const StyleManager&) = delete;
    StyleManager& operator=(const StyleManager&) = delete;
    // Deletes every font the manager ever made, forgotten ones included.
    ~StyleManager();

    // Builds "global.xml" into the process-wide style manager, once.
    void InitResource();
    // Forgets the fonts, classes, text colours and face names; the font groups stay.
    void ClearResource();

    bool AddFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold, BOOL underline,
                 BOOL italic);
    // A font group: one font per comma-separated face, each carrying the group's name.
    bool AddFonts(const CUIString& name, const CUIString& faces, BOOL bDefault, int size, BOOL bold, BOOL underline,
                  BOOL italic);
    CUIFont* GetFont(const CUIString& name);
    std::vector<CUIFont*> GetFonts(const CUIString& name) const;

    void AddClass(const std::wstring& strClassName, const std::wstring& strControlAttrList);
    std::wstring GetClassAttributes(const std::wstring& name) const;

    // Stores the value after its first character, read as hexadecimal; an empty value stores 0.
    void AddTextColor(const std::wstring& name, const std::wstring& value);
    // The colour stored under name, 0 when there is none.
    unsigned long GetTextColor(const std::wstring& name) const;

    void AddConfigFontFaceName(const std::wstring& face, const std::wstring& use);
    std::map<std::wstring, std::wstring>& GetConfigFontFaceName();

private:
    CUIFont* MakeFont(const CUIString& name, const CUIString& face, int size, BOOL bold, BOOL underline,
                      BOOL italic);

    bool m_bInitialized;
    std::wstring m_strDefaultFont;
    CStdStringPtrMap m_mapFonts;
    std::map<std::wstring, std::vector<CUIFont*>> m_mapFontGroups;
    std::map<std::wstring, std::wstring> m_mapClasses;
    std::map<std::wstring, unsigned long> m_mapTextColors;
    std::map<std::wstring, std::wstring> m_mapFaceNames;
    // Every font made here; the tables above only point into it.
    std::vector<std::unique_ptr<CUIFont>> m_aOwnedFonts;
};

class UILIB_API GlobalManager {
public:
    GlobalManager() = delete;

    // Creates the process-wide style manager once and builds "global.xml" into it.
    static void Startup();
    static void LoadGlobalResource();
    static void ClearResource();

    // Loads the plug-ins of dir (not a link); false when none was loaded, or dir is null.
    static bool SetPluginsDir(const char* dir);
    static std::string& GetPluginsDir();
    static bool LoadAllPlugins();
    static bool LoadPlugin(const char* path);
    // The plug-ins' CreateControl entry points (PFN_CreateControl), in load order.
    static std::vector<void*>& GetPlugins();

    static CUIFont* GetFont(const CUIString& name);
    static std::vector<CUIFont*> GetFonts(const CUIString& name);
    static bool AddFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold,
                        BOOL underline, BOOL italic);
    static bool AddFonts(const CUIString& name, const CUIString& faces, BOOL bDefault, int size, BOOL bold,
                         BOOL underline, BOOL italic);
    static void AddClass(const std::wstring& strClassName, const std::wstring& strControlAttrList);
    static std::wstring GetClassAttributes(const std::wstring& name);
    static void AddTextColor(const std::wstring& name, const std::wstring& value);

private:
    static StyleManager* m_pStyleManager;
    static bool m_bStartUped;
    static std::string m_pathPlugins;
    static std::vector<void*> m_aPlugins;
};
