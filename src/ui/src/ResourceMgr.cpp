// The resource directory, the string table and one window's fonts, images and classes.

#include <sys/stat.h>

#include <cassert>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include <utility/logger>

#include "DialogBuilder.h"
#include "FontTables.h"
#include "GlobalManager.h"
#include "ResourceMgr.h"

CUIString CResourceMgr::m_strResDir;
std::map<std::wstring, std::wstring> CResourceMgr::m_strStingId;

namespace {

const wchar_t kDefaultFontName[] = L"__default__";

bool ToUtf8(const std::wstring& text, std::string& out)
{
    out.clear();
    for (const wchar_t character : text) {
        const auto c = static_cast<uint32_t>(character);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return true;
}

bool FromUtf8(const std::string& text, std::wstring& out)
{
    out.clear();
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        int trailing = 0;
        if (lead >= 0x80)
            trailing = (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        if (trailing < 0 || at + trailing >= text.size())
            return false;
        uint32_t c = trailing == 0 ? lead : lead & (0x3F >> trailing);
        for (int i = 1; i <= trailing; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3F);
        }
        out += static_cast<wchar_t>(c);
        at += trailing + 1;
    }
    return true;
}

// Whether path names something that is there but is no regular file: a folder, a FIFO or
// a device, which a backend would read without end or wait on for ever.
bool IsThereButNoFile(const CUIString& path)
{
    std::string utf8;
    struct stat status {};
    return ToUtf8(path.GetData(), utf8) && stat(utf8.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

// ceil(size * scale), kept within the range of int.
int ScaledSize(int size, double scale)
{
    const double scaled = std::ceil(size * scale);
    if (!(scaled < static_cast<double>(INT_MAX)))
        return INT_MAX;
    if (scaled < static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(scaled);
}

void Rebuild(CUIFont* font, double scale)
{
    font->Destroy();
    font->SetSize(ScaledSize(font->GetOrgSize(), scale));
    font->Create();
}

// Deletes every value of map as a T and empties it.
template <typename T>
void DeleteAll(CStdStringPtrMap& map)
{
    for (int i = 0; i < map.GetSize(); ++i)
        delete static_cast<T*>(map.Find(map.GetAt(i), false));
    map.RemoveAll();
}

}  // namespace

void CResourceMgr::SetResourePath(const CUIString& path)
{
    if (path.IsEmpty())
        return;
    m_strResDir = path;
    const wchar_t last = path[path.GetLength() - 1];
    if (last != L'/' && last != L'\\')
        m_strResDir += L'/';

    const std::wstring stringsPath = GetStringsPath(std::wstring(m_strResDir.GetData()) + L"values");
    if (stringsPath.empty())
        return;
    // The new directory's table replaces the old one; one that cannot be read leaves none.
    m_strStingId.clear();
    CDialogBuilder().ParseStrings(CUIString(stringsPath.c_str()), m_strStingId);
}

CUIString CResourceMgr::GetResourePath() { return m_strResDir; }

CUIString CResourceMgr::GetText(const CUIString& name)
{
    return CUIString(ValueOf(m_strStingId, name.GetData()).c_str());
}

std::string CResourceMgr::GetLanguageName()
{
    setlocale(LC_ALL, "");
    const char* locale = setlocale(LC_ALL, nullptr);
    // Mixed categories give a composite name; the messages category names the language.
    if (locale && std::strchr(locale, ';'))
        locale = setlocale(LC_MESSAGES, nullptr);
    if (locale == nullptr) {
        UI_ERROR("无法获取当前 locale ");
        return std::string();
    }
    const std::string name = locale;
    return name.substr(0, name.find('.'));
}

std::wstring CResourceMgr::GetStringsPath(std::wstring dir)
{
    // The locale switches even when the directory turns out to be no text.
    const std::string language = GetLanguageName();
    std::string path;
    if (!ToUtf8(dir, path))
        return std::wstring();
    const std::string directory = path;
    path += "/strings.xml";

    if (!language.empty()) {
        const std::string localised = directory + "-" + language + "/strings.xml";
        struct stat status;
        if (stat(localised.c_str(), &status) == 0)
            path = localised;
    }
    std::wstring result;
    return FromUtf8(path, result) ? result : std::wstring();
}

CResourceMgr::CResourceMgr() : m_mapImages(100), m_mapFonts(100), m_pDefaultFont(nullptr), m_dScale(1.0) {}

CResourceMgr::~CResourceMgr()
{
    RemoveAllImage();
    ReleaseAllFont();
    DeleteGroupFonts();
}

bool CResourceMgr::AddImage(const CUIString& name)
{
    const CUIString path = m_strResDir + name;
    auto image = std::make_unique<CUIImage>();
    if (IsThereButNoFile(path) || !image->Load(path.GetData())) {
        if (m_failedImages.insert(name.GetData()).second)
            UI_TRACE("load image file error  %S ", path.GetData());
        return false;
    }
    if (!m_mapImages.Insert(name.GetData(), image.get()))
        return false;
    image.release();
    return true;
}

CUIImage* CResourceMgr::GetImage(const CUIString& name, bool load)
{
    auto* image = static_cast<CUIImage*>(m_mapImages.Find(name.GetData(), true));
    if (image || !load)
        return image;
    AddImage(name);
    return static_cast<CUIImage*>(m_mapImages.Find(name.GetData(), true));
}

bool CResourceMgr::RemoveImage(const CUIString& name)
{
    auto* image = static_cast<CUIImage*>(m_mapImages.Find(name.GetData(), false));
    if (image == nullptr)
        return false;
    delete image;
    m_mapImages.Remove(name.GetData());
    return true;
}

void CResourceMgr::RemoveAllImage() { DeleteAll<CUIImage>(m_mapImages); }

CUIFont* CResourceMgr::MakeFont(const CUIString& name, const CUIString& face, int size, BOOL bold, BOOL underline,
                                BOOL italic) const
{
    // The base size stays unscaled, so that rescaling never compounds.
    auto* font = new CUIFont(name, face, size, bold, underline, italic);
    font->SetSize(ScaledSize(size, m_dScale));
    font->Create();
    return font;
}

bool CResourceMgr::AddFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold,
                           BOOL underline, BOOL italic)
{
    if (m_mapFonts.Find(name.GetData(), true) != nullptr)
        return false;
    const CUIString usedFace = MappedFace(m_mapFaceNames, face.GetData(), face);
    CUIFont* font = MakeFont(name, usedFace, size, bold, underline, italic);
    m_mapFonts.Insert(name.GetData(), font);
    if (bDefault)
        m_pDefaultFont = font;
    return true;
}

bool CResourceMgr::AddFonts(const CUIString& name, const CUIString& faces, BOOL, int size, BOOL bold,
                            BOOL underline, BOOL italic)
{
    return AddFontGroup(m_mapFontGroups, m_mapFaceNames, name, faces, [&](const CUIString& face) {
        return MakeFont(name, face, size, bold, underline, italic);
    });
}

CUIFont* CResourceMgr::GetFont(const CUIString& name, const CUIString& face, BOOL bDefault, int size, BOOL bold,
                               BOOL underline, BOOL italic)
{
    if (CUIFont* font = GetFont(name))
        return font;
    CUIFont* font = MakeFont(name, face, size, bold, underline, italic);
    m_mapFonts.Insert(name.GetData(), font);
    if (bDefault)
        m_pDefaultFont = font;
    return font;
}

CUIFont* CResourceMgr::GetFont(const CUIString& name)
{
    return static_cast<CUIFont*>(m_mapFonts.Find(name.GetData(), true));
}

std::vector<CUIFont*> CResourceMgr::GetFonts(const CUIString& name) const
{
    return ValueOf(m_mapFontGroups, name.GetData());
}

int CResourceMgr::GetFontHeight(const CUIString& name)
{
    CUIFont* font = name.IsEmpty() ? GetDefault() : GetFont(name);
    if (font == nullptr)
        font = GlobalManager::GetFont(name);
    return font ? font->GetFontHeight() : 12;
}

bool CResourceMgr::SetDefault(const CUIString& name)
{
    CUIFont* font = GetFont(name);
    if (font == nullptr)
        return false;
    m_pDefaultFont = font;
    return true;
}

CUIFont* CResourceMgr::GetDefault()
{
    if (m_pDefaultFont)
        return m_pDefaultFont;
    // A font that markup named "__default__" serves rather than being shadowed.
    if (CUIFont* named = GetFont(kDefaultFontName))
        return m_pDefaultFont = named;
    auto* font = new CUIFont;
    font->SetSize(ScaledSize(font->GetOrgSize(), m_dScale));
    font->Create();
    m_mapFonts.Insert(kDefaultFontName, font);
    m_pDefaultFont = font;
    return font;
}

int CResourceMgr::GetDefaultFontHeight() { return GetDefault()->GetFontHeight(); }

void CResourceMgr::ReleaseAllFont()
{
    DeleteAll<CUIFont>(m_mapFonts);
    m_pDefaultFont = nullptr;
}

void CResourceMgr::DeleteGroupFonts()
{
    for (const auto& group : m_mapFontGroups)
        for (CUIFont* font : group.second)
            delete font;
    m_mapFontGroups.clear();
}

void CResourceMgr::SetScale(double scale)
{
    if (std::fabs(scale - m_dScale) < 0.0001)
        return;
    m_dScale = scale;
    for (int i = 0; i < m_mapFonts.GetSize(); ++i)
        Rebuild(static_cast<CUIFont*>(m_mapFonts.Find(m_mapFonts.GetAt(i), false)), scale);
    for (const auto& group : m_mapFontGroups)
        for (CUIFont* font : group.second)
            Rebuild(font, scale);
}

double CResourceMgr::GetScale() const { return m_dScale; }

void CResourceMgr::Clear()
{
    m_mapClasses.clear();
    RemoveAllImage();
    ReleaseAllFont();
}

void CResourceMgr::ResetDPIAssets() {}

void CResourceMgr::AddClass(const std::wstring& strClassName, const std::wstring& strControlAttrList)
{
    assert(!strClassName.empty());
    assert(!strControlAttrList.empty());
    m_mapClasses[strClassName] = strControlAttrList;
}

std::wstring CResourceMgr::GetClassAttributes(const std::wstring& name) const
{
    return ValueOf(m_mapClasses, name);
}

void CResourceMgr::AddConfigFontFaceName(const std::wstring& face, const std::wstring& use)
{
    m_mapFaceNames[face] = use;
}

void CResourceMgr::SetConfigFontFaceNameMap(const std::map<std::wstring, std::wstring>& table)
{
    for (const auto& entry : table)
        m_mapFaceNames[entry.first] = entry.second;
}
