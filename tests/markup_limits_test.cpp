// How much markup may ask for: the depth of the tree across child layouts and includes,
// class chains, copies across Include and ChildLayout, and one huge attribute value. Past
// each bound the builder refuses with a line and builds the rest of the window. Each
// row's markup is written at test time into a folder of its own.

#include <gtest/gtest.h>

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "../src/ui/src/MarkupLimits.h"
#include "markup_window.h"
#include "test_support.h"

namespace {

using vonktest::Lines;

// The file names and texts of one row's markup.
using Files = std::vector<std::pair<std::string, std::string>>;

// Stand for attribute values that are too long: about 100 million characters, which as
// a text take the first layout far beyond memory, and one character more than a value
// may hold, which still takes a second to lay out as a text; and for the longest value
// allowed, which makes a class with one more attribute too long.
const char* const kHuge = "@huge@";
const char* const kLong = "@long@";
const char* const kFull = "@full@";
struct LongValue {
    const char* marker;
    size_t length;
};
constexpr LongValue kLongValues[] = {
    {kHuge, 100u << 20}, {kLong, kMaxAttributeLength + 1}, {kFull, kMaxAttributeLength}};

// Files in a folder of their own, the resource directory while it lives; they go with it.
class Folder {
public:
    Folder(const std::string& name, const Files& files)
        : m_dir(testing::TempDir() + "vonk-limits-" + std::to_string(getpid()) + "-" + name + "/")
    {
        std::filesystem::create_directories(m_dir + "values");
        for (const auto& [file, text] : files)
            Write(m_dir + file, text);
        CResourceMgr::SetResourePath(CUIString(std::wstring(m_dir.begin(), m_dir.end()).c_str()));
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder() { std::filesystem::remove_all(m_dir); }

    const std::string& Path() const { return m_dir; }

private:
    // Each marker of kLongValues in text is written as the value it stands for.
    static void Write(const std::string& path, const std::string& text)
    {
        std::ofstream out(path, std::ios::binary);
        const std::string chunk(1 << 16, 'x');
        size_t from = 0;
        for (;;) {
            const LongValue* next = nullptr;
            size_t at = std::string::npos;
            for (const LongValue& value : kLongValues) {
                const size_t found = text.find(value.marker, from);
                if (found < at) {
                    at = found;
                    next = &value;
                }
            }
            if (next == nullptr)
                break;
            out << text.substr(from, at - from);
            for (size_t written = 0; written < next->length; written += chunk.size())
                out.write(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), next->length - written)));
            from = at + std::string(next->marker).size();
        }
        out << text.substr(from);
    }

    std::string m_dir;
};

std::string Repeated(const std::string& text, long times)
{
    std::string all;
    all.reserve(text.size() * static_cast<size_t>(times));
    for (long i = 0; i < times; ++i)
        all += text;
    return all;
}

// levels containers, one a line, around inner.
std::string Nested(int levels, const std::string& inner)
{
    return Repeated("<Container>\n", levels) + inner + "\n" + Repeated("</Container>\n", levels);
}

// The deepest level in control's tree (1 for a control without parent), and how many
// controls it holds, itself included. A list answers its items for children, which stand
// in its body: the levels are counted up the parents.
struct TreeSize {
    int deepest = 0;
    long controls = 0;
};
TreeSize Measure(CUIControl* control)
{
    TreeSize size;
    std::vector<CUIControl*> pending{control};
    while (!pending.empty()) {
        CUIControl* at = pending.back();
        pending.pop_back();
        ++size.controls;
        int level = 0;
        for (const CUIControl* up = at; up; up = up->GetParent())
            ++level;
        size.deepest = std::max(size.deepest, level);
        for (int i = 0; i < at->GetCount(); ++i)
            pending.push_back(at->GetItemAt(i));
    }
    return size;
}

// The log lines that hold part, without the source position in front.
Lines Holding(const Lines& lines, const std::string& part)
{
    Lines found;
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos)
            found.push_back(line.substr(line.find("] ") + 2));
    }
    return found;
}

// Runs work on a thread with a stack of that size, as an application may run the library.
void OnStackOf(size_t bytes, const std::function<void()>& work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// A window of the w.xml of files, written into a folder of their own and opened with its
// first paint, and the lines logged on the way; its tree goes with it.
struct OpenWindow {
    OpenWindow(const std::string& name, const Files& files)
    {
        // The string table is read when the folder becomes the resource directory.
        vonktest::LogCapture log;
        folder = std::make_unique<Folder>(name, files);
        window = vonktest::OpenMarkup(L"w.xml");
        lines = log.Messages();
    }
    OpenWindow(const OpenWindow&) = delete;
    OpenWindow& operator=(const OpenWindow&) = delete;
    ~OpenWindow() { vonktest::DeleteTree(*window); }

    CUIControl* Root() const { return window->GetRoot(); }
    // The lines that hold part, each after its source position.
    Lines Logged(const std::string& part) const { return Holding(lines, part); }

    std::unique_ptr<Folder> folder;
    std::unique_ptr<vonktest::MarkupWindow> window;
    Lines lines;
};

class MarkupLimits : public testing::Test {
protected:
    void SetUp() override { vonktest::StartHeadless(); }
};

// ---- depth ----

// A window whose chain of containers holds, innermost, a child layout of c1.xml; file k
// holds such a chain with a child layout of file k + 1, directly or through an include of
// d<k>.xml. Each chain is a few levels short of the bound: counted per file, the files
// make a tree far deeper than a small stack takes.
Files ChildLayoutChain(int files, bool throughIncludes)
{
    const int levels = kMaxTreeDepth - 6;
    Files written{{"w.xml", "<Window>\n<VerticalLayout>\n<Control name=\"after\" height=\"10\"/>\n" +
                                Nested(levels, "<ChildLayout xmlfile=\"c1.xml\"/>") +
                                "</VerticalLayout>\n</Window>\n"}};
    for (int k = 1; k <= files; ++k) {
        const std::string number = std::to_string(k);
        const std::string inner =
            k < files ? "<ChildLayout xmlfile=\"c" + std::to_string(k + 1) + ".xml\"/>" : "<Control/>";
        const std::string chain = "<Markup>\n" + Nested(levels, inner) + "</Markup>\n";
        if (!throughIncludes) {
            written.emplace_back("c" + number + ".xml", chain);
            continue;
        }
        written.emplace_back("c" + number + ".xml", "<Markup><Include source=\"d" + number + ".xml\"/></Markup>");
        written.emplace_back("d" + number + ".xml", chain);
    }
    return written;
}

// The tree stops at the bound in the first file built below the window's chain, on a
// stack that the tree counted per file would overflow many times.
TEST_F(MarkupLimits, DepthCountsAcrossChildLayoutsAndIncludes)
{
    // The window's child layout stands at the chain's length plus two; its file holds the
    // four levels left, and the fifth, on the file's sixth line, is cut.
    const std::string cut = ":6: <Container> would stand deeper than " + std::to_string(kMaxTreeDepth) +
                            " levels in the control tree: neither it nor its children are built ";
    const struct {
        const char* name;
        Files files;
        std::string cut;
    } rows[] = {
        {"child_layouts", ChildLayoutChain(31, false), "c1.xml" + cut},
        {"through_includes", ChildLayoutChain(15, true), "d1.xml" + cut},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        OnStackOf(1 << 20, [&] {
            const OpenWindow opened(row.name, row.files);
            ASSERT_NE(opened.Root(), nullptr);
            EXPECT_EQ(Measure(opened.Root()).deepest, kMaxTreeDepth);
            EXPECT_EQ(opened.Logged("would stand deeper"), Lines{opened.folder->Path() + row.cut});
            EXPECT_FALSE(opened.window->FindControl(L"after")->GetPos().IsEmpty());
        });
    }
}

// A list holds its items in its body, one level below the list: what a list element
// holds counts one level more, and a list's own body must fit below it.
TEST_F(MarkupLimits, AListsItemsStandOneLevelFurtherDown)
{
    const std::string pair = "<List>\n<ListContainerElement>\n";
    const OpenWindow opened(
        "lists", {{"w.xml", "<Window>\n" + Repeated(pair, kMaxTreeDepth) + "<Control/>\n" +
                                Repeated("</ListContainerElement>\n</List>\n", kMaxTreeDepth) + "</Window>\n"}});
    ASSERT_NE(opened.Root(), nullptr);
    const int deepest = Measure(opened.Root()).deepest;
    EXPECT_LE(deepest, kMaxTreeDepth);
    EXPECT_GE(deepest, kMaxTreeDepth - 2);
    const Lines cut = opened.Logged("would stand deeper");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_NE(cut[0].find("> would stand deeper than"), std::string::npos);
}

// ---- class chains ----

// One control whose "style" applies class a of the window's classes.
std::string Styled(const std::vector<std::pair<std::string, std::string>>& classes)
{
    std::string markup = "<Window>\n";
    for (const auto& [name, list] : classes)
        markup += "<Style name=\"" + name + "\" value=\"" + list + "\"/>\n";
    return markup + "<Control name=\"styled\" style=\"a\"/>\n</Window>\n";
}

std::string Pair(const std::string& name, const std::string& value) { return name + "=&quot;" + value + "&quot; "; }

// Forty classes, each naming the next three times: 3^40 classes to apply, unbounded.
std::vector<std::pair<std::string, std::string>> WideChain()
{
    std::vector<std::pair<std::string, std::string>> classes;
    for (int k = 0; k < 40; ++k) {
        const std::string next = k == 39 ? "" : Repeated(Pair("style", "c" + std::to_string(k + 1)), 3);
        classes.emplace_back(k == 0 ? "a" : "c" + std::to_string(k), next + Pair("width", "5"));
    }
    return classes;
}

TEST_F(MarkupLimits, ClassChainsApplyEachClassOnceAlongAChainAndABoundedNumberInAll)
{
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> classes;
        std::string size;
        Lines classLines;
    } rows[] = {
        {"self",
         {{"a", Pair("style", "a") + Pair("width", "7")}},
         "7x0",
         {"w.xml:3: class \"a\" names itself through style, refused "}},
        {"loop",
         {{"a", Pair("style", "b") + Pair("height", "8")}, {"b", Pair("width", "9") + Pair("style", "a")}},
         "9x8",
         {"w.xml:4: class \"a\" names itself through style, refused "}},
        {"wide",
         WideChain(),
         "5x0",
         {"w.xml:42: class \"c38\": more than " + std::to_string(kMaxClassApplications) +
          " classes for one style, it and the rest refused "}},
        // A class named twice along one list is applied twice: the second one wins.
        {"twice",
         {{"a", Pair("style", "w") + Pair("width", "5") + Pair("style", "w")}, {"w", Pair("width", "10")}},
         "10x0",
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const OpenWindow opened(row.name, {{"w.xml", Styled(row.classes)}});
        ASSERT_NE(opened.Root(), nullptr);
        const CUIControl& styled = *opened.Root();
        EXPECT_EQ(std::to_string(styled.GetFixedWidth()) + "x" + std::to_string(styled.GetFixedHeight()), row.size);
        Lines expected;
        for (const std::string& line : row.classLines)
            expected.push_back("ERROR: " + opened.folder->Path() + line);
        EXPECT_EQ(opened.Logged("class \""), expected);
    }
}

// ---- copies ----

// Copies of a file met before, through includes and child layouts alike, build no more
// controls than the bound and those spelled out in each file once.
TEST_F(MarkupLimits, CopiesAcrossIncludeAndChildLayoutMakeABoundedNumberOfControls)
{
    const std::string window =
        "<Window>\n<VerticalLayout>\n<Include source=\"copied.xml\" count=\"2000\"/>\n"
        "<Control name=\"after\"/>\n</VerticalLayout>\n</Window>\n";
    const struct {
        const char* name;
        Files files;
        long spelledOut;
        std::string refusal;
    } rows[] = {
        // Each of 2,000 child layouts builds a file of 2,000 copies again.
        {"child_layouts",
         {{"w.xml", window},
          {"copied.xml", "<Markup><ChildLayout xmlfile=\"inner.xml\"/></Markup>"},
          {"inner.xml",
           "<Markup><VerticalLayout><Include source=\"leaf.xml\" count=\"2000\"/></VerticalLayout></Markup>"},
          {"leaf.xml", "<Markup><Control/></Markup>"}},
         5,
         "inner.xml:1: markup copies too many for one window (" + std::to_string(kMaxCopiesPerBuild) + "): "},
        // 2,000 copies of a file of 3,000 controls: six million controls.
        {"large_file",
         {{"w.xml", window},
          {"copied.xml", "<Markup><VerticalLayout>" + Repeated("<Control/>", 3000) + "</VerticalLayout></Markup>"}},
         3003,
         "copied.xml:1: markup controls too many through copies for one window (" + std::to_string(kMaxCopiedControls) +
             "): the rest of the copies is not built "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const OpenWindow opened(row.name, row.files);
        ASSERT_NE(opened.Root(), nullptr);
        const long controls = Measure(opened.Root()).controls;
        EXPECT_LE(controls, row.spelledOut + kMaxCopiedControls);
        EXPECT_GE(controls, kMaxCopiesPerBuild);
        const Lines refused = opened.Logged("too many");
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_EQ(refused[0].rfind(opened.folder->Path() + row.refusal, 0), 0u) << refused[0];
        // What the window spells out after the copies is built.
        EXPECT_FALSE(opened.window->FindControl(L"after")->GetPos().IsEmpty());
    }
}

// Controls spelled out one by one count as no copies, however many: in the window's own
// file and in a file it includes once.
TEST_F(MarkupLimits, MarkupSpelledOutBuildsWhole)
{
    const std::string many = Repeated("<Control/>", kMaxCopiedControls + 1);
    const OpenWindow opened("spelled_out", {{"w.xml", "<Window><VerticalLayout>" + many +
                                                          "<Include source=\"many.xml\"/></VerticalLayout></Window>"},
                                            {"many.xml", "<Markup>" + many + "</Markup>"}});
    ASSERT_NE(opened.Root(), nullptr);
    EXPECT_EQ(opened.Root()->GetCount(), 2 * (kMaxCopiedControls + 1));
    EXPECT_TRUE(opened.Logged("too many").empty());
}

// ---- one huge attribute ----

// A label far too long to lay out, or many labels each a little too long to lay out in
// time, through each way that markup hands a value on.
TEST_F(MarkupLimits, AnAttributeValueTooLongIsRefusedAndTheRestOfTheElementBuilds)
{
    const auto window = [](const std::string& resources, const std::string& label) {
        return "<Window>\n" + resources + "<VerticalLayout>\n<Label name=\"big\" width=\"30\" " + label + "/>\n" +
               Repeated("<Label " + label + "/>\n", 299) + "<Control name=\"after\" height=\"10\"/>\n" +
               "</VerticalLayout>\n</Window>\n";
    };
    const std::string text = std::string("text=\"") + kHuge + "\"";
    const struct {
        const char* name;
        Files files;
        std::string refused;
        int height;
    } rows[] = {
        {"text",
         {{"w.xml", "<Window>\n<VerticalLayout>\n<Label name=\"big\" width=\"30\" " + text +
                        "/>\n<Control name=\"after\" height=\"10\"/>\n</VerticalLayout>\n</Window>\n"}},
         "w.xml:3: the value of \"text\"",
         0},
        {"class",
         {{"w.xml",
           window("<Style name=\"long\" text=\"" + std::string(kLong) + "\" height=\"7\"/>\n", "style=\"long\"")}},
         "w.xml:2: the value of \"text\"",
         7},
        {"class_list",
         {{"w.xml",
           window("<Style name=\"long\" text=\"" + std::string(kFull) + "\" tooltip=\"x\"/>\n", "style=\"long\"")}},
         "w.xml:2: class \"long\"",
         0},
        {"default",
         {{"w.xml", window("<Default name=\"Label\" value=\"text=&quot;" + std::string(kLong) + "&quot;\"/>\n", "")}},
         "w.xml:2: the value of \"value\"",
         0},
        {"string_table",
         {{"w.xml", window("", "textid=\"long\"")},
          {"values/strings.xml", "<String>\n<Item name=\"long\" value=\"" + std::string(kLong) + "\"/>\n</String>\n"}},
         "values/strings.xml:2: the value of \"value\"",
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const OpenWindow opened(row.name, row.files);
        ASSERT_NE(opened.Root(), nullptr);
        const CUIControl* big = opened.window->FindControl(L"big");
        ASSERT_NE(big, nullptr);
        EXPECT_EQ(big->GetText().GetLength(), 0);
        EXPECT_EQ(big->GetFixedWidth(), 30);
        EXPECT_EQ(big->GetFixedHeight(), row.height);
        EXPECT_FALSE(opened.window->FindControl(L"after")->GetPos().IsEmpty());
        EXPECT_EQ(opened.Logged("is longer than"),
                  Lines{opened.folder->Path() + row.refused + " is longer than " + std::to_string(kMaxAttributeLength) +
                        " characters, refused "});
    }
}

}  // namespace
