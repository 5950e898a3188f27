// The markup builder's resource pass: the fonts, font groups, classes, text colours and
// default lists that a "Global" or "Window" root declares, and the "Window" attributes.

#include <cstdint>
#include <cstdlib>
#include <string>

#include <pugixml.hpp>
#include <utility/logger>

#include "DialogBuilder.h"
#include "GlobalManager.h"
#include "MarkupLimits.h"
#include "MarkupPlace.h"
#include "MarkupText.h"
#include "ResourceMgr.h"
#include "UIParse.h"
#include "UIWindow.h"

namespace {

bool IsFontElement(const wchar_t* name) { return IsNamed(name, L"Font") || IsNamed(name, L"Fonts"); }

// The value of the element's last attribute of that name ("" without one): a later
// attribute of the same name replaces an earlier one.
const wchar_t* LastValue(const pugi::xml_node& element, const wchar_t* name)
{
    const wchar_t* value = L"";
    for (const pugi::xml_attribute attribute : element.attributes()) {
        if (IsNamed(attribute.name(), name))
            value = attribute.value();
    }
    return value;
}

// What a "Font" or "Fonts" element declares.
struct FontSpec {
    CUIString name;
    CUIString face;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool isDefault = false;
};

FontSpec ReadFont(const pugi::xml_node& element)
{
    FontSpec font;
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const wchar_t* name = attribute.name();
        const wchar_t* value = attribute.value();
        if (IsNamed(name, L"name"))
            font.name = value;
        else if (IsNamed(name, L"facename"))
            font.face = value;
        else if (IsNamed(name, L"size"))
            font.size = ReadInt(value);
        else if (IsNamed(name, L"bold"))
            font.bold = ReadBool(value);
        else if (IsNamed(name, L"underline"))
            font.underline = ReadBool(value);
        else if (IsNamed(name, L"italic"))
            font.italic = ReadBool(value);
        else if (IsNamed(name, L"default"))
            font.isDefault = ReadBool(value);
    }
    return font;
}

// A "Style" element's attribute list; its "name" goes to className. A list longer than
// one attribute value may be is refused, with a line, and comes back empty.
std::wstring ComposeClass(const pugi::xml_node& element, std::wstring& className)
{
    std::wstring list;
    bool tooLong = false;
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const wchar_t* name = attribute.name();
        const wchar_t* value = attribute.value();
        if (IsNamed(name, L"name")) {
            className = value;
        } else if (tooLong) {
            continue;
        } else if (IsNamed(name, L"value")) {
            list += value;
        } else {
            // "_value" stands for a "value" pair after a raw fragment.
            if (IsNamed(name, L"_value")) {
                if (!list.empty() && list.back() != L' ')
                    list += L' ';
                name = L"value";
            }
            list.append(name).append(L"=\"").append(value).append(L"\" ");
        }
        tooLong = list.size() > kMaxAttributeLength;
    }
    if (!tooLong)
        return list;
    UI_TRACE("%sclass \"%S\" is longer than %zu characters, refused ", MarkupWhere().c_str(), className.c_str(),
             kMaxAttributeLength);
    return std::wstring();
}

// Where the resources of a "Global" root go: a style manager, or the process-wide one.
class GlobalTarget {
public:
    explicit GlobalTarget(StyleManager* manager) : m_manager(manager) {}

    void AddFont(const FontSpec& font) const
    {
        if (m_manager)
            m_manager->AddFont(font.name, font.face, font.isDefault, font.size, font.bold, font.underline,
                               font.italic);
        else
            GlobalManager::AddFont(font.name, font.face, font.isDefault, font.size, font.bold, font.underline,
                                   font.italic);
    }
    void AddFonts(const FontSpec& font) const
    {
        if (m_manager)
            m_manager->AddFonts(font.name, font.face, font.isDefault, font.size, font.bold, font.underline,
                                font.italic);
        else
            GlobalManager::AddFonts(font.name, font.face, font.isDefault, font.size, font.bold, font.underline,
                                    font.italic);
    }
    void AddClass(const std::wstring& name, const std::wstring& list) const
    {
        if (m_manager)
            m_manager->AddClass(name, list);
        else
            GlobalManager::AddClass(name, list);
    }
    void AddTextColor(const std::wstring& name, const std::wstring& value) const
    {
        if (m_manager)
            m_manager->AddTextColor(name, value);
        else
            GlobalManager::AddTextColor(name, value);
    }

private:
    StyleManager* m_manager;
};

void ReportInvalid(const wchar_t* name, const wchar_t* value)
{
    UI_TRACE("%sinvalid window attribute %S=\"%S\" ", MarkupWhere().c_str(), name, value);
}

// "size" and "initsize": cx, any one character, cy. False when nothing follows cx.
bool ReadWindowSize(const wchar_t* value, CUISize& size)
{
    wchar_t* end = nullptr;
    const long cx = std::wcstol(value, &end, 10);
    if (*end == L'\0')
        return false;
    const long cy = std::wcstol(end + 1, nullptr, 10);
    size = CUISize(static_cast<int32_t>(cx), static_cast<int32_t>(cy));
    return true;
}

void ApplyWindowAttribute(CUIWindow& window, const wchar_t* name, const wchar_t* value)
{
    CUISize size;
    CUIRect rc;
    unsigned long colour = 0;
    if (IsNamed(name, L"size") || IsNamed(name, L"initsize")) {
        if (ReadWindowSize(value, size))
            window.SetInitSize(size, IsNamed(name, L"size"));
        else
            ReportInvalid(name, value);
    } else if (IsNamed(name, L"sizebox") || IsNamed(name, L"caption")) {
        if (!ParseRectString(value, rc))
            ReportInvalid(name, value);
        else if (IsNamed(name, L"sizebox"))
            window.SetSizeBox(rc);
        else
            window.SetCaptionRect(rc);
    } else if (IsNamed(name, L"mininfo") || IsNamed(name, L"maxinfo")) {
        if (!ParseSizeString(value, size))
            ReportInvalid(name, value);
        else if (IsNamed(name, L"mininfo"))
            window.SetMinSize(size);
        else
            window.SetMaxSize(size);
    } else if (IsNamed(name, L"disabledfontcolor") || IsNamed(name, L"defaultfontcolor") ||
               IsNamed(name, L"linkfontcolor") || IsNamed(name, L"linkhoverfontcolor") ||
               IsNamed(name, L"selectedcolor")) {
        // Checked, then dropped: the window keeps no such colour.
        if (!ParseColorString(value, colour))
            ReportInvalid(name, value);
        else
            CheckHexDigits(value, colour);
    } else if (!IsNamed(name, L"showdirty") && !IsNamed(name, L"alpha") && !IsNamed(name, L"bktrans")) {
        UI_TRACE("%sWindow reads no attribute \"%S\", ignored ", MarkupWhere().c_str(), name);
    }
}

}  // namespace

void CDialogBuilder::ParseGlobal(const pugi::xml_node& root, StyleManager* manager)
{
    const GlobalTarget target(manager);
    for (const pugi::xml_node child : root.children()) {
        const MarkupPlace here(m_path, child);
        const wchar_t* name = child.name();
        if (IsNamed(name, L"Image")) {
            UI_TRACE("%sImage is not a resource of Global markup ", MarkupWhere().c_str());
        } else if (IsFontElement(name)) {
            const FontSpec font = ReadFont(child);
            if (IsNamed(name, L"Fonts"))
                target.AddFonts(font);
            else if (!font.name.IsEmpty())
                target.AddFont(font);
        } else if (IsNamed(name, L"Style")) {
            std::wstring className;
            const std::wstring list = ComposeClass(child, className);
            if (!className.empty() && !list.empty())
                target.AddClass(className, list);
        } else if (IsNamed(name, L"TextColor")) {
            const std::wstring colourName = LastValue(child, L"name");
            if (!colourName.empty())
                target.AddTextColor(colourName, LastValue(child, L"value"));
        }
    }
}

void CDialogBuilder::ParseWindowStyle(const pugi::xml_node& root, CUIWindow* window)
{
    if (window == nullptr)
        return;
    {
        const MarkupPlace here(m_path, root);
        for (const pugi::xml_attribute attribute : root.attributes())
            ApplyWindowAttribute(*window, attribute.name(), attribute.value());
    }

    CResourceMgr* resources = window->GetPaintManager();
    for (const pugi::xml_node child : root.children()) {
        const MarkupPlace here(m_path, child);
        const wchar_t* name = child.name();
        if (IsFontElement(name)) {
            const FontSpec font = ReadFont(child);
            if (IsNamed(name, L"Fonts"))
                resources->AddFonts(font.name, font.face, font.isDefault, font.size, font.bold, font.underline,
                                    font.italic);
            else
                resources->AddFont(font.name, font.face, font.isDefault, font.size, font.bold, font.underline,
                                   font.italic);
        } else if (IsNamed(name, L"Default")) {
            window->AddDefaultAttributeList(LastValue(child, L"name"), LastValue(child, L"value"));
        } else if (IsNamed(name, L"Style")) {
            std::wstring className;
            const std::wstring list = ComposeClass(child, className);
            if (!className.empty() && !list.empty())
                resources->AddClass(className, list);
        }
    }
}

bool CDialogBuilder::ParseStyle(const CUIString& file, StyleManager** manager)
{
    if (manager == nullptr || file.IsEmpty() || !Load(file))
        return false;
    const pugi::xml_node root = m_xml->document_element();
    if (!root)
        return false;
    if (IsNamed(root.name(), L"Global")) {
        if (*manager == nullptr)
            *manager = new StyleManager;
        ParseGlobal(root, *manager);
    }
    return *manager != nullptr;
}
