// Shared styles, the process-wide style manager and the control plug-ins.

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <cassert>
#include <cstring>
#include <cwchar>

#include <utility/logger>

#include "DialogBuilder.h"
#include "FontTables.h"
#include "GlobalManager.h"
#include "UIControlTree.h"

StyleManager* GlobalManager::m_pStyleManager = nullptr;
bool GlobalManager::m_bStartUped = false;
std::string GlobalManager::m_pathPlugins;
std::vector<void*> GlobalManager::m_aPlugins;

namespace {

// Builds "global.xml" from the resource directory into the process-wide style manager and
// answers whether the build returned a control, which nothing else would ever reach.
bool BuildGlobalMarkup()
{
    CUIControl* built = CDialogBuilder().Create(L"global.xml", nullptr, nullptr);
    if (built == nullptr)
        return false;
    DeleteControlTree(built);
    return true;
}

bool QualifiesAsPlugin(const char* name)
{
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 || std::strcmp(name, "libui.so") == 0)
        return false;
    return std::strstr(name, ".so") != nullptr;
}

}  // namespace

StyleManager::StyleManager() : m_bInitialized(false), m_mapFonts(100) {}

StyleManager::~StyleManager() = default;

void StyleManager::InitResource()
{
    if (m_bInitialized)
        return;
    m_bInitialized = BuildGlobalMarkup();
}

void StyleManager::ClearResource()
{
    m_strDefaultFont.clear();
    m_mapFonts.RemoveAll();
    m_mapClasses.clear();
    m_mapTextColors.clear();
    m_mapFaceNames.clear();
    m_bInitialized = false;
}

CUIFont* StyleManager::MakeFont(const CUIString& name, const CUIString& face, int size, BOOL bold, BOOL underline,
                                BOOL italic)
{
    m_aOwnedFonts.push_back(std::make_unique<CUIFont>(name, face, size, bold, underline, italic));
    CUIFont* font = m_aOwnedFonts.back().get();
    font->Create();
    return font;
}

bool StyleManager::AddFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold,
                           BOOL underline, BOOL italic)
{
    if (name.IsEmpty())
        assert(0);
    if (m_mapFonts.Find(name.GetData(), true) != nullptr)
        return false;

    const CUIString usedFace = MappedFace(m_mapFaceNames, face.GetData(), face);
    m_mapFonts.Insert(name.GetData(), MakeFont(name, usedFace, size, bold, underline, italic));
    if (bDefault)
        m_strDefaultFont = name.GetData();
    return true;
}

bool StyleManager::AddFonts(const CUIString& name, const CUIString& faces, BOOL, int size, BOOL bold,
                            BOOL underline, BOOL italic)
{
    return AddFontGroup(m_mapFontGroups, m_mapFaceNames, name, faces, [&](const CUIString& face) {
        return MakeFont(name, face, size, bold, underline, italic);
    });
}

CUIFont* StyleManager::GetFont(const CUIString& name)
{
    return static_cast<CUIFont*>(m_mapFonts.Find(name.GetData(), true));
}

std::vector<CUIFont*> StyleManager::GetFonts(const CUIString& name) const
{
    return ValueOf(m_mapFontGroups, name.GetData());
}

void StyleManager::AddClass(const std::wstring& strClassName, const std::wstring& strControlAttrList)
{
    assert(!strClassName.empty());
    assert(!strControlAttrList.empty());
    m_mapClasses[strClassName] = strControlAttrList;
}

std::wstring StyleManager::GetClassAttributes(const std::wstring& name) const
{
    return ValueOf(m_mapClasses, name);
}

void StyleManager::AddTextColor(const std::wstring& name, const std::wstring& value)
{
    m_mapTextColors[name] = value.empty() ? 0 : std::wcstoul(value.c_str() + 1, nullptr, 16);
}

unsigned long StyleManager::GetTextColor(const std::wstring& name) const
{
    return ValueOf(m_mapTextColors, name);
}

void StyleManager::AddConfigFontFaceName(const std::wstring& face, const std::wstring& use)
{
    m_mapFaceNames[face] = use;
}

std::map<std::wstring, std::wstring>& StyleManager::GetConfigFontFaceName() { return m_mapFaceNames; }

void GlobalManager::Startup()
{
    if (m_pStyleManager == nullptr)
        m_pStyleManager = new StyleManager;
    if (!m_bStartUped)
        LoadGlobalResource();
}

void GlobalManager::LoadGlobalResource() { m_bStartUped = BuildGlobalMarkup(); }

void GlobalManager::ClearResource()
{
    if (m_pStyleManager)
        m_pStyleManager->ClearResource();
    m_bStartUped = false;
}

bool GlobalManager::SetPluginsDir(const char* dir)
{
    if (dir == nullptr)
        return false;
    m_pathPlugins = dir;
    return LoadAllPlugins();
}

std::string& GlobalManager::GetPluginsDir() { return m_pathPlugins; }

bool GlobalManager::LoadAllPlugins()
{
    if (m_pathPlugins.empty())
        return false;
    struct stat status;
    if (lstat(m_pathPlugins.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    DIR* directory = opendir(m_pathPlugins.c_str());
    if (directory == nullptr)
        return false;

    bool loadedAny = false;
    while (const dirent* entry = readdir(directory)) {
        if (!QualifiesAsPlugin(entry->d_name))
            continue;
        if (!LoadPlugin((m_pathPlugins + "/" + entry->d_name).c_str()))
            continue;
        loadedAny = true;
        UI_TRACE("load plugin = %s ", entry->d_name);
    }
    closedir(directory);
    return loadedAny;
}

bool GlobalManager::LoadPlugin(const char* path)
{
    if (path == nullptr)
        return false;
    void* handle = dlopen(path, RTLD_LAZY);
    if (handle == nullptr)
        return false;
    void* createControl = dlsym(handle, "CreateControl");
    if (createControl == nullptr) {
        dlclose(handle);
        return false;
    }
    if (std::find(m_aPlugins.begin(), m_aPlugins.end(), createControl) == m_aPlugins.end())
        m_aPlugins.push_back(createControl);
    return true;
}

std::vector<void*>& GlobalManager::GetPlugins() { return m_aPlugins; }

CUIFont* GlobalManager::GetFont(const CUIString& name)
{
    return m_pStyleManager ? m_pStyleManager->GetFont(name) : nullptr;
}

std::vector<CUIFont*> GlobalManager::GetFonts(const CUIString& name)
{
    return m_pStyleManager ? m_pStyleManager->GetFonts(name) : std::vector<CUIFont*>();
}

bool GlobalManager::AddFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold,
                            BOOL underline, BOOL italic)
{
    return m_pStyleManager && m_pStyleManager->AddFont(name, face, bDefault, size, bold, underline, italic);
}

bool GlobalManager::AddFonts(const CUIString& name, const CUIString& faces, BOOL bDefault, int size, BOOL bold,
                             BOOL underline, BOOL italic)
{
    return m_pStyleManager && m_pStyleManager->AddFonts(name, faces, bDefault, size, bold, underline, italic);
}

void GlobalManager::AddClass(const std::wstring& strClassName, const std::wstring& strControlAttrList)
{
    if (m_pStyleManager)
        m_pStyleManager->AddClass(strClassName, strControlAttrList);
}

std::wstring GlobalManager::GetClassAttributes(const std::wstring& name)
{
    return m_pStyleManager ? m_pStyleManager->GetClassAttributes(name) : std::wstring();
}

void GlobalManager::AddTextColor(const std::wstring& name, const std::wstring& value)
{
    if (m_pStyleManager)
        m_pStyleManager->AddTextColor(name, value);
}
