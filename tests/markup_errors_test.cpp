// Mistakes in markup: each one gets a line that names its file and line, and the markup
// builds as it would without the lines.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "window_tree.h"

namespace fs = std::filesystem;

namespace {

using vonktest::Lines;

// The lines that hold text, each without its trace or error prefix.
Lines Holding(const Lines& messages, const std::string& text)
{
    Lines found;
    for (const std::string& message : messages) {
        if (message.find(text) == std::string::npos)
            continue;
        std::string line = message.substr(message.find("] ") + 2);
        if (line.compare(0, 7, "ERROR: ") == 0)
            line.erase(0, 7);
        found.push_back(line);
    }
    return found;
}

class MarkupErrorsTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        std::string pattern = (fs::temp_directory_path() / "vonk-errors-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern + "/";
        CResourceMgr::SetResourePath(CUIString(std::wstring(dir.begin(), dir.end()).c_str()));
    }

    void TearDown() override
    {
        if (window)
            vonktest::DeleteTree(*window);
        window.reset();
        fs::remove_all(dir);
    }

    void Write(const std::string& name, const std::string& text) const { std::ofstream(dir + name) << text; }

    // Opens a window on the file; answers the log its build wrote.
    Lines Open(const std::string& file)
    {
        if (window)
            vonktest::DeleteTree(*window);
        vonktest::LogCapture log;
        window = vonktest::OpenMarkup(std::wstring(file.begin(), file.end()).c_str());
        return log.Messages();
    }

    std::string dir;
    std::unique_ptr<vonktest::MarkupWindow> window;
};

TEST_F(MarkupErrorsTest, EachMistakeNamesItsFileAndLine)
{
    const std::string head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"300,200\">\n";
    const struct {
        const char* name;
        std::string markup;
        std::string line;  // what the line says after "file:line: "
        int at;
    } cases[] = {
        {"element", head + "<VerticalLayout>\n  <Buton text=\"x\"/>\n</VerticalLayout></Window>",
         "no control class for the element <Buton>: neither it nor its children are built ", 4},
        {"attribute", head + "<VerticalLayout>\n  <Button\n txt=\"x\"/>\n</VerticalLayout></Window>",
         "ButtonUI reads no attribute \"txt\", ignored ", 4},
        {"integer", head + "<VerticalLayout>\n\n  <Button width=\"8O\"/>\n</VerticalLayout></Window>",
         "\"8O\" is no integer, read as 8 ", 5},
        {"colour", head + "<VerticalLayout>\n  <Control bkcolor=\"#GG0000\"/>\n</VerticalLayout></Window>",
         "colour \"#GG0000\" is not all hexadecimal digits, read as #00000000 ", 4},
        {"rectangle", head + "<VerticalLayout pos=\"1,2\">\n</VerticalLayout></Window>",
         "pos \"1,2\" is no rectangle ", 3},
        {"font", head + "<Font name=\"big\" size=\"20\"/>\n<VerticalLayout>\n<Label font=\"big\"/>\n"
                        "<Label font=\"bigg\"/></VerticalLayout></Window>",
         "font \"bigg\" is not known, the default font draws ", 6},
        {"class", head + "<Style name=\"btn\" width=\"4\"/>\n<VerticalLayout>\n<Button style=\"btm\"/>\n"
                         "</VerticalLayout></Window>",
         "class \"btm\" is not known ", 5},
        {"window value", "<Window\n size=\"800\">\n<Control/></Window>", "invalid window attribute size=\"800\" ", 1},
        {"window attribute", "\n<Window sise=\"800,600\" bktrans=\"true\">\n<Control/></Window>",
         "Window reads no attribute \"sise\", ignored ", 2},
        {"root", "\n\n<Windw size=\"300,200\">\n<Control/></Windw>",
         "the root is <Windw>, not <Window>: the window takes none of its attributes or resources ", 3},
        {"include", head + "<VerticalLayout>\n<Include\n source=\"gone.xml\"/>\n</VerticalLayout></Window>",
         "<Include> of " + dir + "gone.xml builds nothing ", 4},
        {"child layout", head + "<VerticalLayout>\n\n\n<ChildLayout xmlfile=\"gone.xml\"/>\n</VerticalLayout></Window>",
         "<ChildLayout> of " + dir + "gone.xml builds nothing ", 6},
        {"include cycle", head + "<VerticalLayout>\n<Include source=\"window.xml\"/>\n</VerticalLayout></Window>",
         "<Include> of " + dir + "window.xml builds nothing ", 4},
    };
    for (const auto& one : cases) {
        Write("window.xml", one.markup);
        const std::string place = dir + "window.xml:" + std::to_string(one.at) + ": ";
        const Lines messages = Open("window.xml");
        EXPECT_EQ(Holding(messages, one.line), Lines{place + one.line}) << one.name;
        // Nothing else in these files is a mistake.
        EXPECT_EQ(Holding(messages, "window.xml:").size(), 1u) << one.name;
    }
}

TEST_F(MarkupErrorsTest, AFileThatDoesNotParseGivesTheParsersReasonAndPlace)
{
    Write("broken.xml", "<Window>\n  <VerticalLayout>\n    <Button text=\"a\">\n  </VerticalLayout>\n</Window>\n");
    EXPECT_EQ(Holding(Open("broken.xml"), dir),
              (Lines{"load xml file error  " + dir + "broken.xml ", dir + "broken.xml:4:5: Start-end tags mismatch "}));
    EXPECT_EQ(window->GetRoot(), nullptr);
    // A missing file says so in other words.
    EXPECT_EQ(Holding(Open("missing.xml"), dir),
              (Lines{"load xml file error  " + dir + "missing.xml ", "markup file " + dir + "missing.xml does not exist "}));
}

TEST_F(MarkupErrorsTest, TheAttributesAnIncludeHandsOnAreNoMistakeButAnUnknownOneIs)
{
    Write("button.xml", "<Include><Button/></Include>");
    Write("window.xml", "<Window>\n<HorizontalLayout>\n<Include source=\"button.xml\" count=\"2\" name=\"b\" wide=\"1\"/>\n"
                        "</HorizontalLayout></Window>");
    const Lines messages = Open("window.xml");
    EXPECT_EQ(window->GetRoot()->GetCount(), 2);
    EXPECT_EQ(Holding(messages, "reads no attribute"),
              Lines(2, dir + "window.xml:3: ButtonUI reads no attribute \"wide\", ignored "));
}

TEST_F(MarkupErrorsTest, MistakenMarkupBuildsAsItWouldWithoutTheLines)
{
    Write("window.xml",
          "<Window size=\"300,200\"><VerticalLayout>"
          "<Control width=\"8O\" bkcolor=\"#FF00GG\" txt=\"x\"/><Buton><Control/></Buton><Control height=\"7\"/>"
          "</VerticalLayout></Window>");
    Open("window.xml");
    CUIControl* root = window->GetRoot();
    ASSERT_EQ(root->GetCount(), 2);
    EXPECT_EQ(root->GetItemAt(0)->GetFixedWidth(), 8);
    EXPECT_EQ(root->GetItemAt(0)->GetBkColor(), 0xFF00u);
    EXPECT_EQ(root->GetItemAt(1)->GetFixedHeight(), 7);
}

}  // namespace
