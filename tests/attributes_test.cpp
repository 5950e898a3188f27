// Markup attributes of the base control: values good and refused, attribute lists,
// and classes found through the window's resources, its own styles and the process.

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"

namespace {

using vonktest::Lines;
using vonktest::Narrow;
using vonktest::Text;

// A copy of text in a buffer of exactly its size, so that reading past its end is caught.
std::unique_ptr<wchar_t[]> Exact(const wchar_t* text)
{
    const size_t length = wcslen(text) + 1;
    std::unique_ptr<wchar_t[]> copy(new wchar_t[length]);
    wmemcpy(copy.get(), text, length);
    return copy;
}

bool AnyContains(const Lines& lines, const std::string& part)
{
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos)
            return true;
    }
    return false;
}

// Everything the base attributes can change that a getter shows.
std::string State(CUIControl& c)
{
    const tagSIZE xy = c.GetFixedXY();
    return "name=" + Narrow(c.GetName()) + " xy=" + std::to_string(xy.cx) + "," + std::to_string(xy.cy) +
           " size=" + std::to_string(c.GetFixedWidth()) + "x" + std::to_string(c.GetFixedHeight()) +
           " min=" + std::to_string(c.GetMinWidth()) + "x" + std::to_string(c.GetMinHeight()) +
           " max=" + std::to_string(c.GetMaxWidth()) + "x" + std::to_string(c.GetMaxHeight()) +
           " padding=" + Text(c.GetPadding()) + " bk=" + std::to_string(c.GetBkColor()) +
           " border=" + std::to_string(c.GetBorderSize()) + "/" + std::to_string(c.GetBorderColor()) +
           " bkimage=" + Narrow(c.GetBkImage()) + " text=" + Narrow(c.GetText()) +
           " tooltip=" + Narrow(c.GetToolTip()) + " userdata=" + Narrow(c.GetUserData()) +
           " enabled=" + std::to_string(c.IsEnabled()) + " mouse=" + std::to_string(c.IsMouseEnabled()) +
           " visible=" + std::to_string(c.IsVisible()) + " float=" + std::to_string(c.IsFloat()) +
           " mousechild=" + std::to_string(c.IsMouseChildEnabled()) + " anchor=" + std::to_string(c.GetAnchorAlign()) +
           " parentstate=" + std::to_string(c.IsUseParentState()) + " small=" + std::to_string(c.IsUseSmallScale());
}

struct ValueCase {
    const wchar_t* name;
    const wchar_t* value;
    std::function<std::string(CUIControl&)> read;
    std::string expected;
};

std::string FixedXYAndSize(CUIControl& c)
{
    const tagSIZE xy = c.GetFixedXY();
    return std::to_string(xy.cx) + "," + std::to_string(xy.cy) + " " + std::to_string(c.GetFixedWidth()) + "x" +
           std::to_string(c.GetFixedHeight());
}

TEST(Attributes, EachValueTakesEffectAsItsTableSays)
{
    const auto padding = [](CUIControl& c) { return Text(c.GetPadding()); };
    const auto bk = [](CUIControl& c) { return std::to_string(c.GetBkColor()); };
    const auto border = [](CUIControl& c) { return std::to_string(c.GetBorderColor()); };
    const auto width = [](CUIControl& c) { return std::to_string(c.GetFixedWidth()); };
    const auto anchor = [](CUIControl& c) { return std::to_string(c.GetAnchorAlign()); };
    const auto enabled = [](CUIControl& c) { return std::to_string(c.IsEnabled()); };
    const std::vector<ValueCase> cases = {
        {L"pos", L"10,20,110,60", FixedXYAndSize, "10,20 100x40"},
        {L"pos", L"-1,5,30,25", FixedXYAndSize, "30,5 31x20"},
        {L"pos", L"40,30,10,10", FixedXYAndSize, "40,30 0x0"},
        // Edges beyond int stop at its ends.
        {L"pos", L"-99999999999999999999,0,99999999999999999999,10", FixedXYAndSize, "2147483647,0 2147483647x10"},
        {L"padding", L"1,2,3,4", padding, "1,2,3,4"},
        {L"padding", L"-99999999999999999999,0,0,99999999999999999999", padding, "-2147483648,0,0,2147483647"},
        {L"bkcolor", L"#FF112233", bk, std::to_string(0xFF112233ul)},
        {L"bkcolor1", L"#80ABCDEF", bk, std::to_string(0x80ABCDEFul)},
        {L"bordercolor", L"#FF00FF00", border, std::to_string(0xFF00FF00ul)},
        {L"bordersize", L"3", [](CUIControl& c) { return std::to_string(c.GetBorderSize()); }, "3"},
        {L"bkimage", L"file='a.png' fade='100'", [](CUIControl& c) { return Narrow(c.GetBkImage()); },
         "file='a.png' fade='100'"},
        {L"width", L" 42px", width, "42"},
        {L"width", L"wide", width, "0"},
        {L"height", L"17", [](CUIControl& c) { return std::to_string(c.GetFixedHeight()); }, "17"},
        {L"minwidth", L"5", [](CUIControl& c) { return std::to_string(c.GetMinWidth()); }, "5"},
        {L"minheight", L"6", [](CUIControl& c) { return std::to_string(c.GetMinHeight()); }, "6"},
        {L"maxwidth", L"300", [](CUIControl& c) { return std::to_string(c.GetMaxWidth()); }, "300"},
        {L"maxheight", L"400", [](CUIControl& c) { return std::to_string(c.GetMaxHeight()); }, "400"},
        {L"name", L"okbtn", [](CUIControl& c) { return Narrow(c.GetName()); }, "okbtn"},
        {L"controlname", L"other", [](CUIControl& c) { return Narrow(c.GetName()); }, "other"},
        {L"text", L"a \"b\" c", [](CUIControl& c) { return Narrow(c.GetText()); }, "a \"b\" c"},
        {L"tooltip", L"tip", [](CUIControl& c) { return Narrow(c.GetToolTip()); }, "tip"},
        {L"userdata", L"42", [](CUIControl& c) { return Narrow(c.GetUserData()); }, "42"},
        {L"enabled", L"True", enabled, "0"},
        {L"enabled", L"true", enabled, "1"},
        {L"mouse", L"false", [](CUIControl& c) { return std::to_string(c.IsMouseEnabled()); }, "0"},
        {L"visible", L"no", [](CUIControl& c) { return std::to_string(c.IsVisible()); }, "0"},
        {L"float", L"true", [](CUIControl& c) { return std::to_string(c.IsFloat()); }, "1"},
        {L"mousechild", L"false", [](CUIControl& c) { return std::to_string(c.IsMouseChildEnabled()); }, "0"},
        {L"useparentstate", L"true", [](CUIControl& c) { return std::to_string(c.IsUseParentState()); }, "1"},
        {L"usesmallescale", L"true", [](CUIControl& c) { return std::to_string(c.IsUseSmallScale()); }, "1"},
        {L"anchoralign", L"right", anchor, std::to_string(ANCHOR_TOP | ANCHOR_RIGHT)},
        {L"anchoralign", L"bottom", anchor, std::to_string(ANCHOR_LEFT | ANCHOR_BOTTOM)},
        {L"anchoralign", L"vcenter", anchor, std::to_string(ANCHOR_CENTER | ANCHOR_VCENTER)},
        {L"anchoralign", L"right,vcenter", anchor, std::to_string(ANCHOR_RIGHT | ANCHOR_VCENTER)},
        {L"anchoralign", L"left vcenter", anchor, std::to_string(ANCHOR_CENTER | ANCHOR_VCENTER)},
    };
    for (const ValueCase& c : cases) {
        CUIControl control;
        control.SetAttribute(c.name, c.value);
        EXPECT_EQ(c.read(control), c.expected) << Narrow(c.name) << "=" << Narrow(c.value);
    }
}

TEST(Attributes, RefusedValuesChangeNothingAndAreLogged)
{
    struct Refused {
        const wchar_t* name;
        const wchar_t* value;
        const char* logged;
    };
    const Refused cases[] = {
        {L"pos", L"10,20", "pos \"10,20\" is no rectangle"},
        {L"padding", L"1,2,3", "padding \"1,2,3\" is no rectangle"},
        {L"bkcolor", L"FF112233", "colour \"FF112233\" lacks"},
        {L"bkcolor1", L"", "colour \"\" lacks"},
        {L"bordercolor", L"red", "colour \"red\" lacks"},
        {L"focusbordercolor", L"00ff00", "colour \"00ff00\" lacks"},
    };
    for (const Refused& c : cases) {
        CUIControl control;
        const std::string before = State(control);
        vonktest::LogCapture log;
        const auto value = Exact(c.value);
        control.SetAttribute(c.name, value.get());
        EXPECT_EQ(State(control), before) << Narrow(c.name) << "=" << Narrow(c.value);
        EXPECT_TRUE(AnyContains(log.Messages(), c.logged)) << Narrow(c.name) << "=" << Narrow(c.value);
    }
}

TEST(Attributes, NamesWithoutEffectChangeNothingAndReportNothing)
{
    const wchar_t* const names[] = {L"borderround", L"borderstyle", L"keyboard", L"colorhsl", L"menu",
                                    L"shortcut",    L"virtualwnd",  L"nosuch",   L"Width",    L"name "};
    for (const wchar_t* name : names) {
        CUIControl control;
        const std::string before = State(control);
        vonktest::LogCapture log;
        control.SetAttribute(name, L"#ff0000ff");
        control.SetAttribute(name, L"true");
        EXPECT_EQ(State(control), before) << Narrow(name);
        EXPECT_TRUE(log.Messages().empty()) << Narrow(name);
    }
}

TEST(Attributes, AnchorWordsAddUpOverEarlierValues)
{
    CUIControl control;
    control.SetAttribute(L"anchoralign", L"right");
    control.SetAttribute(L"anchoralign", L"bottom");
    EXPECT_EQ(control.GetAnchorAlign(), ANCHOR_RIGHT | ANCHOR_BOTTOM);
}

TEST(Attributes, TextIdTakesTheLocalisedText)
{
    const std::string dir = vonktest::DataDir() + "/resources/";
    CResourceMgr::SetResourePath(std::wstring(dir.begin(), dir.end()).c_str());
    const CUIString localised = CResourceMgr::GetText(L"greeting");
    ASSERT_FALSE(localised.IsEmpty());
    CUIControl control;
    control.SetAttribute(L"textid", L"greeting");
    control.SetAttribute(L"tooltipid", L"greeting");
    EXPECT_EQ(Narrow(control.GetText()), Narrow(localised));
    EXPECT_EQ(Narrow(control.GetToolTip()), Narrow(localised));
}

// ---- attribute lists ----

struct ListCase {
    const wchar_t* list;
    std::string expected;  // name, width and height after the list
    const char* logged;    // a part of the log line, or null for none
};

std::string NameAndSize(CUIControl& c)
{
    return Narrow(c.GetName()) + " " + std::to_string(c.GetFixedWidth()) + "x" + std::to_string(c.GetFixedHeight());
}

TEST(AttributeLists, PairsApplyInOrderUntilTheListEndsOrBreaks)
{
    const ListCase cases[] = {
        {L"", " 0x0", nullptr},
        {L"name=\"a\" width=\"5\" height=\"6\"", "a 5x6", nullptr},
        {L"name=\"a\" width=\"5\" height=\"6\" ", "a 5x6", nullptr},
        {L"width=\"5\" width=\"9\"", " 9x0", nullptr},
        {L"name=   \"a\"", "a 0x0", nullptr},
        {L"name=\"a b\"", "a b 0x0", nullptr},
        {L"name=\"a=b\"", "a=b 0x0", nullptr},
        // A pair glued to the previous one ends the list.
        {L"name=\"a\"width=\"5\"", "a 0x0", nullptr},
        // A blank before "=", a leading blank or a second blank is part of the next name.
        {L"name =\"a\" width=\"5\"", " 5x0", nullptr},
        {L" name=\"a\" width=\"5\"", " 5x0", nullptr},
        {L"width=\"5\"  name=\"a\" height=\"6\"", " 5x6", nullptr},
        // Malformed lists keep what came before the fault.
        {L"width=\"5\" height", " 5x0", "no \"=\" after a name"},
        {L"width=\"5\" height=6", " 5x0", "no opening quotation mark"},
        {L"width=\"5\" height=", " 5x0", "no opening quotation mark"},
        {L"width=\"5\" height=\"6", " 5x0", "no closing quotation mark"},
        {L"width=\"5\" name=\"", " 5x0", "no closing quotation mark"},
    };
    for (const ListCase& c : cases) {
        CUIControl control;
        vonktest::LogCapture log;
        const auto list = Exact(c.list);
        control.ApplyAttributeList(list.get());
        EXPECT_EQ(NameAndSize(control), c.expected) << Narrow(c.list);
        const Lines messages = log.Messages();
        if (c.logged)
            EXPECT_TRUE(AnyContains(messages, c.logged)) << Narrow(c.list);
        else
            EXPECT_TRUE(messages.empty()) << Narrow(c.list);
    }
}

// A subclass's own names work in lists too.
class Tagged : public CUIControl {
public:
    void SetAttribute(const wchar_t* name, const wchar_t* value) override
    {
        if (wcscmp(name, L"tag") == 0)
            SetTag(static_cast<int>(wcstol(value, nullptr, 10)));
        else
            CUIControl::SetAttribute(name, value);
    }
};

TEST(AttributeLists, GoThroughTheVirtualSetAttribute)
{
    Tagged control;
    control.ApplyAttributeList(L"tag=\"7\" width=\"3\"");
    EXPECT_EQ(control.GetTag(), 7);
    EXPECT_EQ(control.GetFixedWidth(), 3);
}

// ---- classes ----

class ClassTest : public testing::Test {
protected:
    void SetUp() override
    {
        vonktest::StartHeadless();
        GlobalManager::Startup();
        window = std::make_unique<vonktest::PlainWindow>();
        window->Create(0, 0, 200, 100);
        window->SetStyleCustom(&own);
        control.SetOwnWindow(window.get(), nullptr, false);
    }
    void TearDown() override { control.SetOwnWindow(nullptr, nullptr, false); }

    CResourceMgr* Resources() { return window->GetPaintManager(); }

    std::unique_ptr<vonktest::PlainWindow> window;
    StyleManager own;
    CUIControl control;
};

TEST_F(ClassTest, TheFirstSourceThatKnowsTheClassWins)
{
    Resources()->AddClass(L"both", L"width=\"10\" ");
    own.AddClass(L"both", L"height=\"20\" ");
    GlobalManager::AddClass(L"both", L"minwidth=\"30\" ");
    own.AddClass(L"mine", L"height=\"21\" ");
    GlobalManager::AddClass(L"mine", L"minwidth=\"31\" ");
    GlobalManager::AddClass(L"shared", L"minheight=\"32\" ");

    control.SetAttribute(L"style", L"both");
    EXPECT_EQ(control.GetFixedWidth(), 10);
    EXPECT_EQ(control.GetFixedHeight(), 0);
    EXPECT_EQ(control.GetMinWidth(), 0);
    control.SetAttribute(L"style", L"mine");
    EXPECT_EQ(control.GetFixedHeight(), 21);
    EXPECT_EQ(control.GetMinWidth(), 0);
    control.SetAttribute(L"style", L"shared");
    EXPECT_EQ(control.GetMinHeight(), 32);
}

TEST_F(ClassTest, AControlWithoutAWindowFindsOnlyProcessWideClasses)
{
    Resources()->AddClass(L"local", L"width=\"10\" ");
    GlobalManager::AddClass(L"shared", L"height=\"20\" ");
    CUIControl detached;
    vonktest::LogCapture log;
    detached.SetStyle(L"local");
    detached.SetStyle(L"shared");
    EXPECT_EQ(NameAndSize(detached), " 0x20");
    EXPECT_TRUE(AnyContains(log.Messages(), "class \"local\" is not known"));
}

TEST_F(ClassTest, TheLaterOfAClassAndAnAttributeWins)
{
    Resources()->AddClass(L"wide", L"width=\"50\" ");
    control.ApplyAttributeList(L"width=\"5\" style=\"wide\"");
    EXPECT_EQ(control.GetFixedWidth(), 50);
    control.ApplyAttributeList(L"style=\"wide\" width=\"5\"");
    EXPECT_EQ(control.GetFixedWidth(), 5);
}

TEST_F(ClassTest, AClassThatNamesItselfIsRefusedAndTheRestApplies)
{
    Resources()->AddClass(L"self", L"style=\"self\" width=\"7\" ");
    Resources()->AddClass(L"ping", L"style=\"pong\" height=\"8\" ");
    own.AddClass(L"pong", L"width=\"9\" style=\"ping\" name=\"p\" ");
    {
        vonktest::LogCapture log;
        control.SetAttribute(L"style", L"self");
        EXPECT_EQ(control.GetFixedWidth(), 7);
        EXPECT_TRUE(AnyContains(log.Messages(), "class \"self\" names itself through style, refused"));
    }
    vonktest::LogCapture log;
    control.SetAttribute(L"style", L"ping");
    EXPECT_EQ(NameAndSize(control), "p 9x8");
    EXPECT_TRUE(AnyContains(log.Messages(), "class \"ping\" names itself through style, refused"));
    // Once done, the same class applies again.
    control.SetFixedWidth(1);
    control.SetStyle(L"self");
    EXPECT_EQ(control.GetFixedWidth(), 7);
}

TEST_F(ClassTest, AnUnknownClassChangesNothing)
{
    const std::string before = State(control);
    vonktest::LogCapture log;
    control.SetAttribute(L"style", L"nowhere");
    EXPECT_EQ(State(control), before);
    EXPECT_TRUE(AnyContains(log.Messages(), "class \"nowhere\" is not known"));
}

// ---- the focus border, which only markup sets ----

TEST_F(ClassTest, FocusBorderAttributesShowInPainting)
{
    control.SetPos(CUIRect(0, 0, 50, 40), false);
    control.ApplyAttributeList(L"bordersize=\"2\" focusbordersize=\"1\" focusbordercolor=\"#ff00ff00\"");
    control.SetFocused(true);
    headless::ClearJournal();
    window->GetPaintContext()->SetRenderPlatform(headless::LastRender());
    control.DoPaint(window->GetPaintContext(), CUIRect(0, 0, 200, 100));
    EXPECT_EQ(headless::JournalOf("Render.DrawRect("),
              (Lines{"Render.DrawRect(0,0,50,40,2,ff000000)", "Render.DrawRect(0,0,50,40,1,ff00ff00)"}));
    window->GetPaintContext()->SetRenderPlatform(nullptr);
}

}  // namespace
