// docs/markup.md against the sources: every element of the builder's table has its section
// naming its class, and every attribute table of the library is the reference's table of
// the same class, name for name, both ways. Then the defaults and value syntax that the
// reference spells out, each shown on a small window as an application builds it.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "widget_support.h"

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

// ---- what the reference says, on windows built from markup ----

using vonktest::Text;

// A window built from one markup file of a folder of its own, created at a size, shown and
// painted once through the backend's driver, as an application opens it.
class ReferenceWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        std::string pattern = (std::filesystem::temp_directory_path() / "vonk-reference-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern + "/";
        CResourceMgr::SetResourePath(CUIString(std::wstring(dir.begin(), dir.end()).c_str()));
    }

    void TearDown() override
    {
        Close();
        std::filesystem::remove_all(dir);
    }

    // Opens the "Window" of those attributes and that body; answers the log of the build.
    vonktest::Lines Open(const std::string& body, const std::string& attributes = "", int width = 300, int height = 200)
    {
        Close();
        std::ofstream(dir + "window.xml") << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window " << attributes
                                          << ">\n" << body << "\n</Window>\n";
        vonktest::LogCapture log;
        window = std::make_unique<vonktest::MarkupWindow>(L"window.xml");
        window->Create(0, 0, width, height);
        window->Show(true);
        headless::ClearJournal();
        headless::Paint();
        EXPECT_NE(window->GetRoot(), nullptr) << body;
        return log.Messages();
    }

    void Close()
    {
        if (window == nullptr)
            return;
        vonktest::DeleteTree(*window);
        window.reset();
    }

    template <typename Control = CUIControl>
    Control* Find(const wchar_t* name)
    {
        Control* found = dynamic_cast<Control*>(window->FindControl(name));
        EXPECT_NE(found, nullptr) << vonktest::Narrow(name);
        return found;
    }

    std::string dir;
    std::unique_ptr<vonktest::MarkupWindow> window;
};

bool Logged(const vonktest::Lines& log, const std::string& text)
{
    for (const std::string& line : log) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// "vcenter" holds "center", which is tested after "left": the horizontal word that
// survives it is "right" alone, and a label keeps "left" with its default "vcenter" only
// when the value leaves "vcenter" out.
TEST_F(ReferenceWindowTest, LabelAlignWordsGiveTheStyleThatReachesTheRenderer)
{
    const struct {
        const char* align;
        UINT style;
    } cases[] = {
        {"left vcenter", TEXTSTYLE_CENTER | TEXTSTYLE_VCENTER},
        {"left", TEXTSTYLE_LEFT | TEXTSTYLE_VCENTER},
        {"right vcenter", TEXTSTYLE_RIGHT | TEXTSTYLE_VCENTER},
        {"left top", TEXTSTYLE_LEFT | TEXTSTYLE_TOP},
        {"bottom", TEXTSTYLE_CENTER | TEXTSTYLE_BOTTOM},
    };
    std::string body = "<VerticalLayout>";
    for (size_t i = 0; i < std::size(cases); ++i)
        body += "<Label height=\"20\" text=\"t" + std::to_string(i) + "\" align=\"" + cases[i].align + "\"/>";
    Open(body + "</VerticalLayout>");
    const vonktest::Lines drawn = vonktest::DrawnTexts();
    ASSERT_EQ(drawn.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string style = std::to_string(cases[i].style | TEXTSTYLE_SINGLELINE);
        EXPECT_NE(drawn[i].find(" t" + std::to_string(i) + " " + style + " "), std::string::npos)
            << cases[i].align << ": " << drawn[i];
    }
}

// "value" is judged against the bounds in force when it arrives: outside them it is
// ignored, with a line that names the file and line.
TEST_F(ReferenceWindowTest, ProgressValueOutsideTheBoundsInForceIsIgnoredAndReported)
{
    const struct {
        const char* attributes;
        int value;
        bool reported;
    } cases[] = {
        {"value=\"150\"", 0, true},
        {"max=\"200\" value=\"150\"", 150, false},
        {"value=\"150\" max=\"200\"", 0, true},
        {"value=\"-5\"", 0, true},
        {"min=\"-10\" value=\"-5\"", -5, false},
        {"value=\"100\"", 100, false},
    };
    for (const auto& c : cases) {
        const vonktest::Lines log = Open(std::string("<Progress name=\"bar\" ") + c.attributes + "/>");
        EXPECT_EQ(Find<CUIProgress>(L"bar")->GetValue(), c.value) << c.attributes;
        EXPECT_EQ(Logged(log, "window.xml:3: progress value "), c.reported) << c.attributes;
    }
}

TEST_F(ReferenceWindowTest, WindowSizeIsTheSizeTheRootIsLaidOutAt)
{
    Open("<HorizontalLayout name=\"row\"><Control/><Button name=\"ok\" width=\"80\" text=\"OK\"/></HorizontalLayout>",
         "size=\"320,200\"", 640, 480);
    EXPECT_EQ(Text(window->GetRoot()->GetPos()), "0,0,320,200");
    EXPECT_EQ(Text(Find(L"ok")->GetPos()), "240,0,320,200");
    tagSIZE size{};
    window->GetSize(size);
    EXPECT_EQ(vonktest::Size(size), "320,200");
}

// A layout that first shows its bar in a pass has placed its children without it: the bar
// stands over their right edge, inside the layout, until the next pass takes it off them.
// Without images it is a grey thumb, and outlined buttons when shown.
TEST_F(ReferenceWindowTest, AScrollBarWithoutAClassDrawsAGreyThumbInsideItsLayout)
{
    Open("<Style name=\"buttons\" showbutton1=\"true\" showbutton2=\"true\"/>"
         "<VerticalLayout name=\"column\" vscrollbar=\"true\" vscrollbarstyle=\"buttons\">"
         "<Control height=\"150\"/><Control height=\"150\"/></VerticalLayout>");
    const CUIScrollBar* bar = Find<CUIContainer>(L"column")->GetVerticalScrollBar();
    ASSERT_TRUE(bar->IsVisible());
    EXPECT_EQ(Text(bar->GetPos()), "296,0,300,200");
    EXPECT_EQ(bar->GetScrollRange(), 100);
    const vonktest::Lines drawn = headless::JournalOf("Render.Draw");
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "Render.DrawRect(296,0,300,4,2,ff85e4ff)"), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "Render.DrawRect(296,196,300,200,2,ff85e4ff)"), drawn.end());
    bool thumb = false;
    for (const std::string& line : drawn)
        thumb = thumb || (line.rfind("Render.DrawColor(296,4,300,", 0) == 0 && line.find(",ffbbc1cd)") != std::string::npos);
    EXPECT_TRUE(thumb);
}

// The grid's cells come from its columns and rows; "itemsize" gives the automatic column
// count (its width) and what stretching starts from, and sizes no tile itself.
TEST_F(ReferenceWindowTest, TileCellsComeFromTheColumnsAndTheTallestTileOfALine)
{
    const struct {
        const char* layout;
        const char* tile;
        const char* first;
        const char* second;
    } cases[] = {
        // 300 / 50: six columns of 50; the tiles fill their cells' width, and a line of
        // tiles without a height is 0 high.
        {"itemsize=\"50,20\"", "", "0,0,50,0", "50,0,100,0"},
        {"itemsize=\"50,20\"", "height=\"30\"", "0,0,50,30", "50,0,100,30"},
        // The column count wins over the item width.
        {"itemsize=\"50,20\" columns=\"2\"", "height=\"30\"", "0,0,150,30", "150,0,300,30"},
        // Rows divide the height.
        {"itemsize=\"50,20\" columns=\"2\" rows=\"4\"", "", "0,0,150,50", "150,0,300,50"},
        // A tile smaller than its cell is centred in it.
        {"columns=\"2\" rows=\"2\"", "width=\"50\" height=\"20\"", "50,40,100,60", "200,40,250,60"},
    };
    for (const auto& c : cases) {
        Open(std::string("<TileLayout ") + c.layout + "><Control name=\"a\" " + c.tile + "/><Control name=\"b\" " +
             c.tile + "/></TileLayout>");
        EXPECT_EQ(Text(Find(L"a")->GetPos()), c.first) << c.layout << " " << c.tile;
        EXPECT_EQ(Text(Find(L"b")->GetPos()), c.second) << c.layout << " " << c.tile;
    }
}

// "pos": a negative left or top takes the right or bottom number as the position; the size
// is right - left and bottom - top whatever the signs; a position below 1 leaves its axis to
// "anchoralign".
TEST_F(ReferenceWindowTest, FloatPosNumbersBecomeAPositionAndASize)
{
    const struct {
        const char* attributes;
        const char* placed;
    } cases[] = {
        {"pos=\"10,20,110,60\"", "10,20,110,60"},
        {"pos=\"-1,5,30,25\"", "30,5,61,25"},
        {"pos=\"-50,-30,-10,-5\"", "0,0,40,25"},
        {"pos=\"0,0,40,20\" anchoralign=\"right bottom\"", "260,180,300,200"},
        {"pos=\"-20,0,-1,10\" anchoralign=\"right\"", "281,0,300,10"},
    };
    for (const auto& c : cases) {
        Open(std::string("<Container><Control name=\"f\" float=\"true\" ") + c.attributes + "/></Container>");
        EXPECT_EQ(Text(Find(L"f")->GetPos()), c.placed) << c.attributes;
    }
}

// The default font's line height, as the backend measures the font, not its size.
TEST_F(ReferenceWindowTest, AListHeaderWithoutAHeightIsTheDefaultFontsLinePlus14)
{
    for (const std::string font : {"", "<Font name=\"big\" size=\"20\" default=\"true\"/>"}) {
        Open(font + "<List name=\"list\"><ListHeader><ListHeaderItem name=\"c0\" text=\"Name\" width=\"100\"/>"
                    "</ListHeader></List>");
        const int line = window->GetPaintManager()->GetDefaultFontHeight();
        EXPECT_EQ(Find(L"c0")->GetPos().bottom - Find(L"c0")->GetPos().top, line + 14) << font;
        EXPECT_NE(line, font.empty() ? 8 : 20) << "the line height is the size: the case shows nothing";
    }
}

}  // namespace
