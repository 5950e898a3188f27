// Fuzzes the value parsers, the wide string, attribute names and values, attribute
// lists and image-attribute strings with arbitrary texts.

#include <cstdlib>
#include <cwchar>
#include <memory>

#include <headless.h>
#include <vonk-ui.h>

#include "fuzz_input.h"

namespace {

class FuzzWindow : public CUIWindow {
public:
    CUIString GetSkinFolder() override { return CUIString(); }
};

// One window on the headless backend, kept for the whole run, with drawing off.
FuzzWindow& Window()
{
    static FuzzWindow* window = [] {
        setenv("SPDLOG_LEVEL", "off", 0);  // the log would drown the fuzzer's own output
        CUIPlatfrom::Init("#DLOPEN_CALLER_PATH#/libvonk-headless.so");
        headless::EnableJournal(false);
        headless::EnableRendering(false);
        auto* made = new FuzzWindow;
        made->Create(0, 0, 200, 100);
        return made;
    }();
    return *window;
}

void Strings(const wchar_t* text, const wchar_t* other, size_t size)
{
    CUIString s(text);
    s += other;
    s += s;
    s.Replace(other, text);
    s.Find(other);
    s.Mid(static_cast<int>(size) - 40, 20);
    s.Right(static_cast<int>(size) % 70 - 5);
    s.MakeUpper();
    s = s.GetData() + s.GetLength() / 2;
    s.toLong();
}

void Parsers(const wchar_t* text)
{
    CUIRect rc;
    ParseRectString(text, rc);
    // The library reads numbers without the C library's locale machinery, and must read
    // them exactly as it would.
    if (rc.left != std::wcstoll(text, nullptr, 10))
        std::abort();
    CUISize sz;
    ParseSizeString(text, sz);
    double fraction = 0;
    ParseFractionString(text, fraction);
    unsigned long colour = 0;
    if (ParseColorString(text, colour) && colour != std::wcstoul(text + 1, nullptr, 16))
        std::abort();
    bool flag = false;
    ParseBoolString(text, flag);
    SplitStringToToken(text);
}

// Every control class the markup can name, given the attribute on a live window, laid
// out and painted.
void Attributes(const wchar_t* name, const wchar_t* value)
{
    static const wchar_t* const kElements[] = {
        L"Container", L"Control", L"ScrollBar", L"Label", L"Text", L"Button", L"Option", L"CheckBox",
        L"Progress", L"Slider", L"HorizontalLayout", L"VerticalLayout", L"TileLayout", L"TileExLayout",
        L"TabLayout", L"ChildLayout", L"List", L"ListHeader", L"ListHeaderItem", L"ListLabelElement",
        L"ListTextElement", L"ListContainerElement",
    };
    FuzzWindow& window = Window();
    CUIRender* render = window.GetPaintContext();
    for (const wchar_t* element : kElements) {
        std::unique_ptr<CUIControl> control(CDialogBuilder::CreateControlByClass(element));
        control->SetOwnWindow(&window, nullptr);
        control->SetAttribute(name, value);
        control->ApplyAttributeList(name);
        control->SetPos(CUIRect(0, 0, 200, 100));
        control->DoPaint(render, CUIRect(0, 0, 200, 100));
    }
    render->DrawImageString(CUIRect(0, 0, 100, 50), CUIRect(0, 0, 200, 100), name, value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto texts = fuzz::Texts(data, size);
    const wchar_t* text = texts[0].c_str();
    const wchar_t* other = texts.size() > 1 ? texts[1].c_str() : L"";
    Parsers(text);
    Strings(text, other, size);
    Attributes(text, other);
    return 0;
}
