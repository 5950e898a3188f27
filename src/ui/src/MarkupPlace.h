#pragma once
// Where in which markup file the builder is right now, so that a line about a mistake in
// the markup can name its file and line. Nothing is computed until such a line is written.

#include <cstddef>
#include <string>

#include "UIString.h"

class CUIControl;

namespace pugi {
class xml_node;
}  // namespace pugi

// Names a node of a markup file as the place of everything that happens while it lives;
// places nest, and the innermost one counts.
class MarkupPlace {
public:
    // The file and the node must outlive the place.
    MarkupPlace(const CUIString& file, const pugi::xml_node& node);
    // A place kept as an offset into the file's text (see MarkupOrigin), for an element
    // whose document is gone.
    MarkupPlace(const CUIString& file, std::ptrdiff_t offset, const wchar_t* element);
    MarkupPlace(const MarkupPlace&) = delete;
    MarkupPlace& operator=(const MarkupPlace&) = delete;
    ~MarkupPlace();

    // The attributes that an "Include" hands to its copy's control: its own "source" and
    // "count" are no mistake there.
    void HandOnInclude() { m_handingOnInclude = true; }

    // The innermost place, or null outside markup.
    static const MarkupPlace* Innermost();
    // "file:line: " of this place.
    std::string Where() const;
    const wchar_t* Element() const { return m_element; }
    bool HandingOnInclude() const { return m_handingOnInclude; }
    const CUIString& File() const { return m_file; }
    std::ptrdiff_t Offset() const;

private:
    const CUIString& m_file;
    const pugi::xml_node* m_node;
    std::ptrdiff_t m_offset;
    const wchar_t* m_element;
    bool m_handingOnInclude = false;
    const MarkupPlace* m_outer;
};

// A place to report later, when its document is gone: the file and the offset.
struct MarkupOrigin {
    CUIString file;
    std::ptrdiff_t offset = -1;
};

// The innermost place as an origin; an empty one outside markup.
MarkupOrigin CurrentMarkupOrigin();

// "file:line: " of the innermost place, or "" outside markup: the start of a line about
// a mistake in the markup.
std::string MarkupWhere();

// "file:line:column" of a character offset into the file's text, as the parser counts
// it; "file" alone when the file can no longer be read or the offset is unknown.
std::string FilePosition(const CUIString& file, std::ptrdiff_t offset, bool withColumn);

// A line for an attribute that no class of the control's chain reads; nothing outside markup.
void ReportUnknownAttribute(const CUIControl& control, const wchar_t* name);

// A line for a font (or font group) name that none of the control's window, its styles
// and the process-wide styles knows; nothing outside markup, without a window or for the
// empty name, which means the default font.
void ReportUnknownFont(const CUIControl& control, const wchar_t* name, bool group);

// A line, at the innermost place, for a file that it names and that builds nothing.
void ReportNotBuiltHere(const CUIString& path);
