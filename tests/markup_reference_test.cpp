// docs/markup.md against the sources: every element of the builder's table has its section
// naming its class, and every attribute table of the library is the reference's table of
// the same class, name for name, both ways.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Names = std::set<std::string>;
using Tables = std::map<std::string, Names>;

const std::filesystem::path kSources = std::filesystem::path(VONK_SOURCE_DIR) / "src" / "ui" / "src";

std::vector<std::string> Lines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, size_t from, size_t to)
{
    std::string text;
    for (size_t i = from; i < to && i < lines.size(); ++i)
        text += lines[i] + "\n";
    return text;
}

bool IsNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The name that starts at text[at] and ends right before the character end; empty when
// anything else stands there.
std::string NameAt(const std::string& text, size_t at, char end)
{
    size_t stop = at;
    while (stop < text.size() && IsNameCharacter(text[stop]))
        ++stop;
    if (stop == at || stop >= text.size() || text[stop] != end)
        return "";
    return text.substr(at, stop - at);
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// The attribute names that a function body compares a name with: the entries of its
// tables, and the names it tests one by one.
Names NamesIn(const std::string& body)
{
    Names names;
    for (const std::string opening : {"{L\"", "IsNamed(name, L\"", "wcscmp(name, L\"", "attribute(L\""}) {
        for (size_t at = body.find(opening); at != std::string::npos; at = body.find(opening, at + 1)) {
            const std::string name = NameAt(body, at + opening.size(), '"');
            if (!name.empty())
                names.insert(name);
        }
    }
    return names;
}

// The body of the function whose definition starts at lines[start]: up to the first
// line that closes a definition.
std::string BodyFrom(const std::vector<std::string>& lines, size_t start)
{
    size_t end = start + 1;
    while (end < lines.size() && lines[end] != "}")
        ++end;
    return Joined(lines, start, end);
}

// The class of a definition of SetAttribute on this line, or empty.
std::string SetAttributeClass(const std::string& line)
{
    static const std::string kSignature = "::SetAttribute(const wchar_t* name, const wchar_t* value)";
    const size_t at = line.find(kSignature);
    if (at == std::string::npos || line.empty() || std::isspace(static_cast<unsigned char>(line[0])) ||
        line.back() == ';')
        return "";
    size_t begin = at;
    while (begin > 0 && IsNameCharacter(line[begin - 1]))
        --begin;
    return line.substr(begin, at - begin);
}

// The attribute tables of the sources: each control class's SetAttribute, the "Window"
// element's attributes, the attributes of "Font" and "Fonts", and those of "Include".
Tables SourceTables()
{
    static const std::map<std::string, std::string> kResourceReaders = {
        {"Window", "void ApplyWindowAttribute("},
        {"Font", "FontSpec ReadFont("},
        {"Include", "CUIControl* CDialogBuilder::BuildInclude("},
    };
    Tables tables;
    for (const auto& entry : std::filesystem::directory_iterator(kSources)) {
        if (entry.path().extension() != ".cpp")
            continue;
        const std::vector<std::string> lines = Lines(entry.path());
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string className = SetAttributeClass(lines[i]);
            if (!className.empty())
                tables[className] = NamesIn(BodyFrom(lines, i));
            for (const auto& [element, definition] : kResourceReaders) {
                if (StartsWith(lines[i], definition))
                    tables[element] = NamesIn(BodyFrom(lines, i));
            }
        }
    }
    return tables;
}

// The builder's element table, {L"Name", &Make<Class>}: element name to class.
std::map<std::string, std::string> SourceElements()
{
    std::map<std::string, std::string> elements;
    for (const std::string& line : Lines(kSources / "DialogBuilder.cpp")) {
        const size_t at = line.find("{L\"");
        if (at == std::string::npos)
            continue;
        const std::string element = NameAt(line, at + 3, '"');
        const std::string make = "\", &Make<";
        const size_t classAt = at + 3 + element.size();
        if (element.empty() || line.compare(classAt, make.size(), make) != 0)
            continue;
        const std::string className = NameAt(line, classAt + make.size(), '>');
        if (!className.empty())
            elements[element] = className;
    }
    return elements;
}

struct Reference {
    // "Attributes of `X`" and the names in backticks in the first column of the table after it.
    Tables tables;
    // Each element heading of "Control elements", with the text of its section.
    std::map<std::string, std::string> elementSections;
};

Reference ReadReference()
{
    const std::vector<std::string> lines = Lines(std::filesystem::path(VONK_SOURCE_DIR) / "docs" / "markup.md");
    Reference reference;
    Names* table = nullptr;
    bool inRows = false;
    bool inControls = false;
    std::vector<std::string> headingElements;
    size_t sectionStart = 0;
    const auto closeSection = [&](size_t end) {
        for (const std::string& element : headingElements)
            reference.elementSections[element] = Joined(lines, sectionStart, end);
        headingElements.clear();
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (StartsWith(line, "## ") || StartsWith(line, "### ")) {
            closeSection(i);
            table = nullptr;
            if (StartsWith(line, "## ")) {
                inControls = line == "## Control elements";
            } else if (inControls) {
                std::istringstream heading(line.substr(4));
                for (std::string element; std::getline(heading >> std::ws, element, ',');)
                    headingElements.push_back(element);
                sectionStart = i;
            }
        } else if (StartsWith(line, "Attributes of `")) {
            const std::string owner = NameAt(line, 15, '`');
            EXPECT_EQ(reference.tables.count(owner), 0u) << "two tables of " << owner;
            table = &reference.tables[owner];
            inRows = false;
        } else if (table && StartsWith(line, "|")) {
            inRows = true;
            const std::string name = StartsWith(line, "| `") ? NameAt(line, 3, '`') : "";
            if (!name.empty()) {
                EXPECT_TRUE(table->insert(name).second) << "twice in one table: " << name;
            }
        } else if (table && inRows) {
            table = nullptr;
        }
    }
    closeSection(lines.size());
    return reference;
}

std::string Listed(const Names& names)
{
    std::ostringstream out;
    for (const std::string& name : names)
        out << " " << name;
    return out.str();
}

Names Minus(const Names& from, const Names& taken)
{
    Names rest;
    for (const std::string& name : from) {
        if (taken.count(name) == 0)
            rest.insert(name);
    }
    return rest;
}

TEST(MarkupReference, ListsEveryAttributeOfEveryTableAndNoOther)
{
    const Tables sources = SourceTables();
    // The reading of the sources itself must find the tables, or the comparison proves nothing.
    ASSERT_GE(sources.size(), 18u);
    ASSERT_TRUE(sources.count("CUIControl") && sources.at("CUIControl").count("pos")) << "the base control's table";
    ASSERT_TRUE(sources.count("CUIScrollBar") && sources.at("CUIScrollBar").count("thumbnormalimage"));
    ASSERT_TRUE(sources.count("Window") && sources.at("Window").count("mininfo"));

    const Tables documented = ReadReference().tables;
    for (const auto& [owner, names] : sources) {
        const auto found = documented.find(owner);
        if (found == documented.end()) {
            ADD_FAILURE() << "docs/markup.md has no \"Attributes of `" << owner << "`\" table";
            continue;
        }
        EXPECT_EQ(Minus(names, found->second), Names()) << owner << ": read by the library, missing from the reference:"
                                                        << Listed(Minus(names, found->second));
        EXPECT_EQ(Minus(found->second, names), Names()) << owner << ": in the reference, unknown to the library:"
                                                        << Listed(Minus(found->second, names));
    }
    for (const auto& [owner, names] : documented)
        EXPECT_TRUE(sources.count(owner)) << "docs/markup.md has a table of " << owner << ", which reads no attributes";
}

TEST(MarkupReference, HasASectionForEveryElementNamingItsClass)
{
    const std::map<std::string, std::string> elements = SourceElements();
    ASSERT_GE(elements.size(), 20u);
    const std::map<std::string, std::string> sections = ReadReference().elementSections;
    for (const auto& [element, className] : elements) {
        const auto found = sections.find(element);
        if (found == sections.end()) {
            ADD_FAILURE() << "docs/markup.md has no section for the element " << element;
            continue;
        }
        EXPECT_NE(found->second.find("`" + className + "`"), std::string::npos)
            << "the section of " << element << " does not name " << className;
    }
    for (const auto& [element, text] : sections)
        EXPECT_TRUE(elements.count(element)) << "docs/markup.md has a section for " << element << ", which the builder does not know";
}

}  // namespace
