// The place in the markup that the builder is at, and the lines that name it.

#include "MarkupPlace.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include <pugixml.hpp>
#include <utility/logger>

#include "GlobalManager.h"
#include "MarkupText.h"
#include "ResourceMgr.h"
#include "UIControl.h"
#include "UIWindow.h"

namespace {

const MarkupPlace*& InnermostPlace()
{
    static const MarkupPlace* innermost = nullptr;
    return innermost;
}

// The text of the file read last, kept while the file stays as it was, so that a file
// with many mistakes is not read again for each of them.
struct ReadFile {
    std::string path;
    struct stat status {};
    std::wstring text;
};

bool Unchanged(const struct stat& a, const struct stat& b)
{
    return a.st_ino == b.st_ino && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// The file's text as the parser sees it, one wide character per character; null when it
// cannot be read.
const std::wstring* ReadText(const CUIString& file)
{
    static ReadFile last;
    const std::string path = pugi::as_utf8(file.GetData());
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return nullptr;
    if (path == last.path && Unchanged(status, last.status))
        return &last.text;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    // One read of the whole file: a file as large as markup may grow is read in a blink.
    std::string bytes(static_cast<size_t>(status.st_size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    last = ReadFile{path, status, pugi::as_wide(bytes)};
    return &last.text;
}

bool KnowsFont(CUIWindow& window, const CUIString& name, bool group)
{
    StyleManager* custom = window.GetStyleCustom();
    if (group)
        return !window.GetPaintManager()->GetFonts(name).empty() || (custom && !custom->GetFonts(name).empty()) ||
               !GlobalManager::GetFonts(name).empty();
    return window.GetPaintManager()->GetFont(name) || (custom && custom->GetFont(name)) || GlobalManager::GetFont(name);
}

}  // namespace

MarkupPlace::MarkupPlace(const CUIString& file, const pugi::xml_node& node)
    : m_file(file), m_node(&node), m_offset(-1), m_element(node.name()), m_outer(InnermostPlace())
{
    InnermostPlace() = this;
}

MarkupPlace::MarkupPlace(const CUIString& file, std::ptrdiff_t offset, const wchar_t* element)
    : m_file(file), m_node(nullptr), m_offset(offset), m_element(element), m_outer(InnermostPlace())
{
    InnermostPlace() = this;
}

MarkupPlace::~MarkupPlace() { InnermostPlace() = m_outer; }

const MarkupPlace* MarkupPlace::Innermost() { return InnermostPlace(); }

std::ptrdiff_t MarkupPlace::Offset() const { return m_node ? m_node->offset_debug() : m_offset; }

std::string MarkupPlace::Where() const
{
    if (m_file.IsEmpty())
        return std::string();
    return FilePosition(m_file, Offset(), false) + ": ";
}

MarkupOrigin CurrentMarkupOrigin()
{
    const MarkupPlace* place = MarkupPlace::Innermost();
    if (place == nullptr)
        return MarkupOrigin();
    return MarkupOrigin{place->File(), place->Offset()};
}

std::string MarkupWhere()
{
    const MarkupPlace* place = MarkupPlace::Innermost();
    return place ? place->Where() : std::string();
}

std::string FilePosition(const CUIString& file, std::ptrdiff_t offset, bool withColumn)
{
    std::string position = pugi::as_utf8(file.GetData());
    const std::wstring* read = offset < 0 ? nullptr : ReadText(file);
    if (read == nullptr)
        return position;
    const std::wstring& text = *read;
    const auto end = text.begin() + std::min<std::ptrdiff_t>(offset, static_cast<std::ptrdiff_t>(text.size()));
    const auto line = std::count(text.begin(), end, L'\n') + 1;
    position += ":" + std::to_string(line);
    if (withColumn) {
        const auto lineStart = std::find(std::make_reverse_iterator(end), text.rend(), L'\n').base();
        position += ":" + std::to_string(end - lineStart + 1);
    }
    return position;
}

void ReportUnknownAttribute(const CUIControl& control, const wchar_t* name)
{
    const MarkupPlace* place = MarkupPlace::Innermost();
    if (place == nullptr)
        return;
    if (place->HandingOnInclude() && (IsNamed(name, L"source") || IsNamed(name, L"count")))
        return;
    UI_TRACE("%s%S reads no attribute \"%S\", ignored ", place->Where().c_str(), control.GetClass().GetData(), name);
}

void ReportUnknownFont(const CUIControl& control, const wchar_t* name, bool group)
{
    CUIWindow* window = control.GetOwnWindow();
    if (MarkupPlace::Innermost() == nullptr || window == nullptr || *name == L'\0')
        return;
    if (KnowsFont(*window, CUIString(name), group))
        return;
    UI_TRACE("%sfont%s \"%S\" is not known, the default font draws ", MarkupWhere().c_str(), group ? " group" : "",
             name);
}

void ReportNotBuiltHere(const CUIString& path)
{
    const MarkupPlace* place = MarkupPlace::Innermost();
    if (place == nullptr)
        return;
    UI_TRACE("%s<%S> of %S builds nothing ", place->Where().c_str(), place->Element(), path.GetData());
}
