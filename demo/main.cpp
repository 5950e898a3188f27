// The demonstration application: one window described in the markup files of
// demo/resources, run on the headless backend. It lays the window out, paints it, plays a
// few pointer events through the window's backend callbacks (switching tabs, picking a
// colour, selecting a list row, an option and a check box, dragging the slider, clicking a
// button), to which its message map reacts, and writes the rendered window as a PNG file.
//
//   vonk-demo [--scripted] [--out FILE]
//
// --scripted ends after the script; without it the backend's main loop runs last.
// FILE defaults to vonk-demo.png in the current directory.

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include <headless.h>
#include <vonk-ui.h>

#include "DemoControls.h"
#include "user_actions.h"
#include "window_tree.h"

namespace {

std::string Narrow(const CUIString& text)
{
    std::string out;
    for (int i = 0; i < text.GetLength(); ++i)
        out += static_cast<char>(text[i] < 128 ? text[i] : '?');
    return out;
}

class CDemoWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L"demo.xml"; }

    CUIControl* CreateControl(const CUIString& name) override
    {
        if (name == L"DemoText")
            return new CDemoText;
        if (name == L"DemoButton")
            return new CDemoButton;
        if (name == L"DemoScrollList")
            return new CDemoScrollList;
        return nullptr;
    }

    void InitWindow() override
    {
        m_preview = FindControl(L"preview");
        m_hint = FindControl(L"hint");
        m_status = FindControl(L"status");
        m_summary = FindControl(L"summary");
        m_level = dynamic_cast<CUIProgress*>(FindControl(L"level"));
        m_volume = dynamic_cast<CUISlider*>(FindControl(L"volume"));
        FillFileList(dynamic_cast<CListUI*>(FindControl(L"files")));
    }

    // One row per file of the demonstration's resources, a text in each of the three columns.
    // A text row draws its columns edge to edge, without the list's text padding: a leading
    // blank or two keeps each text off the column's edge.
    static void FillFileList(CListUI* list)
    {
        static const wchar_t* const kFiles[][2] = {
            {L"global.xml", L"markup"},          {L"demo.xml", L"markup"},
            {L"values/strings.xml", L"strings"}, {L"values-nl_NL/strings.xml", L"strings"},
            {L"images/button_normal.png", L"image"}, {L"images/button_hot.png", L"image"},
            {L"images/button_pushed.png", L"image"}, {L"images/tab_selected.png", L"image"},
            {L"images/radio_on.png", L"image"},  {L"images/check_on.png", L"image"},
            {L"images/slider_thumb.png", L"image"}, {L"images/progress_fill.png", L"image"},
            {L"images/header.png", L"image"},    {L"images/stripes.png", L"image"},
        };
        for (const auto& file : kFiles) {
            auto* row = new CListTextElementUI;
            list->Add(row);
            row->SetText(0, (CUIString(L"  ") + file[0]).GetData());
            row->SetText(1, (CUIString(L"  ") + file[1]).GetData());
            row->SetText(2, (CUIString(L"  ") + SizeOf(file[0])).GetData());
        }
    }

    static CUIString SizeOf(const wchar_t* file)
    {
        const std::string path = Narrow(CUIString(VONK_DEMO_RESOURCES) + file);
        struct stat status {};
        CUIString size;
        if (stat(path.c_str(), &status) == 0)
            size.Format(L"%lld bytes", static_cast<long long>(status.st_size));
        return size;
    }

    // The slider moved: the progress bar follows it.
    void OnVolume(TNotifyUI&)
    {
        const int value = m_volume->GetValue();
        m_level->SetValue(value);
        CUIString text;
        text.Format(L"%d %%", value);
        m_level->SetText(text);
    }

    // A row of the list was selected.
    void OnFileSelect(TNotifyUI& msg)
    {
        auto* list = static_cast<CListUI*>(msg.pSender);
        auto* row = dynamic_cast<CListTextElementUI*>(list->GetItemAt(static_cast<int>(msg.wParam)));
        if (row == nullptr)
            return;
        const CUIString name = CUIString(row->GetText(0)).Mid(2);
        m_status->SetText(CResourceMgr::GetText(L"status_selected") + name);
        std::printf("demo: the list selected row %ld (%s)\n", static_cast<long>(msg.wParam), Narrow(name).c_str());
    }

    void OnTabSelect(TNotifyUI& msg)
    {
        std::printf("demo: the tab layout shows page %ld\n", static_cast<long>(msg.wParam));
    }

    // "Reset" puts the slider back where the markup had it; the progress bar follows.
    void OnReset(TNotifyUI& msg)
    {
        m_volume->SetValue(30);
        OnVolume(msg);
        m_summary->SetText(L"");
    }

    // "Apply" sums up the widgets' state.
    void OnApply(TNotifyUI&)
    {
        CUIString summary = CResourceMgr::GetText(L"status_applied");
        for (const wchar_t* size : {L"small", L"medium", L"large"}) {
            auto* option = dynamic_cast<CUIOption*>(FindControl(size));
            if (option && option->IsSelected())
                summary += option->GetText();
        }
        for (const wchar_t* box : {L"grid", L"snap"}) {
            auto* check = dynamic_cast<CUICheckBox*>(FindControl(box));
            if (check && check->GetCheck())
                summary += CUIString(L", ") + check->GetText();
        }
        CUIString volume;
        volume.Format(L", %d %%", m_volume->GetValue());
        m_summary->SetText(summary + volume);
        std::printf("demo: %s\n", Narrow(m_summary->GetText()).c_str());
    }

    // A swatch was clicked: the preview takes its colour.
    void OnSwatchClick(TNotifyUI& msg)
    {
        m_preview->SetBkColor(msg.pSender->GetBkColor());
        m_status->SetText(CResourceMgr::GetText(L"status_picked"));
        std::printf("demo: clicked %s at (%ld, %ld); the preview is now #%08lX\n", Narrow(msg.pSender->GetName()).c_str(),
                    static_cast<long>(msg.ptMouse.x), static_cast<long>(msg.ptMouse.y), msg.pSender->GetBkColor());
    }

    // The pointer entered a control: the hint names the swatch under it.
    void OnEnter(TNotifyUI& msg)
    {
        const CUIString hint = CResourceMgr::GetText(CUIString(L"hint_") + msg.pSender->GetName());
        if (hint.IsEmpty())
            return;
        m_hint->SetText(hint);
        std::printf("demo: the pointer is over %s: \"%s\"\n", Narrow(msg.pSender->GetName()).c_str(),
                    Narrow(hint).c_str());
    }

private:
    CUIControl* m_preview = nullptr;
    CUIControl* m_hint = nullptr;
    CUIControl* m_status = nullptr;
    CUIControl* m_summary = nullptr;
    CUIProgress* m_level = nullptr;
    CUISlider* m_volume = nullptr;

    UI_DECLARE_MESSAGE_MAP()
};

UI_BEGIN_MESSAGE_MAP(CDemoWindow, CWindowImpBase)
UI_ON_CLICK_CTRNAME(L"swatch_red", CDemoWindow::OnSwatchClick)
UI_ON_CLICK_CTRNAME(L"swatch_green", CDemoWindow::OnSwatchClick)
UI_ON_CLICK_CTRNAME(L"swatch_blue", CDemoWindow::OnSwatchClick)
UI_ON_CLICK_CTRNAME(L"apply", CDemoWindow::OnApply)
UI_ON_CLICK_CTRNAME(L"reset", CDemoWindow::OnReset)
UI_ON_MSGTYPE_CTRNAME(NOTIFY_VALUE_CHANGED, L"volume", CDemoWindow::OnVolume)
UI_ON_MSGTYPE_CTRNAME(NOTIFY_ITEM_SELECT, L"files", CDemoWindow::OnFileSelect)
UI_ON_MSGTYPE_CTRNAME(NOTIFY_TAB_SELECT, L"pages", CDemoWindow::OnTabSelect)
UI_ON_MSGTYPE(NOTIFY_MOUSE_ENTER, CDemoWindow::OnEnter)
UI_END_MESSAGE_MAP()

// What a user does to the window, sent as the backend sends it.
void PlayScript(CMsgHandler* window, CDemoWindow& demo)
{
    vonktest::Click(window, 464, 70);    // the "Colours" tab
    vonktest::MoveTo(window, 499, 149);  // over the blue swatch
    vonktest::MoveTo(window, 429, 149);  // over the green one
    vonktest::Click(window, 429, 149);

    vonktest::Click(window, 566, 70);  // the "Notes" tab
    auto* notes = dynamic_cast<CUIContainer*>(demo.FindControl(L"notes"));
    for (int turn = 0; turn < 6; ++turn)
        vonktest::Wheel(window, 508, 240, 1);
    std::printf("demo: the wheel scrolled the notes by %ld of %ld pixels\n", static_cast<long>(notes->GetScrollPos().cy),
                static_cast<long>(notes->GetScrollRange().cy));

    vonktest::Click(window, 362, 70);   // the "Files" tab
    vonktest::Click(window, 420, 178);  // its third row
    vonktest::Click(window, 216, 162);  // the option "Large"
    vonktest::Click(window, 166, 220);  // the check box "Snap to grid"

    vonktest::Press(window, 108, 278);  // the slider's thumb, dragged from 30 to about 75
    vonktest::MoveTo(window, 160, 278);
    vonktest::MoveTo(window, 215, 278);
    vonktest::Release(window, 215, 278);

    vonktest::MoveTo(window, 88, 101);  // "Apply", which turns hot and stays so
    vonktest::Click(window, 88, 101);
}

std::string Absolute(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

int main(int argc, char** argv)
{
    bool scripted = false;
    std::string out = "vonk-demo.png";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scripted") == 0)
            scripted = true;
        else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            out = argv[++i];
    }
    // The library's trace lines stay quiet unless the environment asks for them.
    setenv("SPDLOG_LEVEL", "info", 0);

    CResourceMgr::SetResourePath(VONK_DEMO_RESOURCES);
    if (!CUIPlatfrom::Init("#DLOPEN_CALLER_PATH#/libvonk-headless.so.0")) {
        std::fprintf(stderr, "demo: the headless backend could not be loaded\n");
        return 1;
    }
    GlobalManager::Startup();
    CUIApp::Init(argc, argv);

    int status = 0;
    {
        CDemoWindow demo;
        demo.Create(0, 0, 720, 460);
        demo.Show(true);
        CMsgHandler* window = headless::LastHandler();
        if (demo.GetRoot() == nullptr || window == nullptr) {
            std::fprintf(stderr, "demo: the window's markup could not be built\n");
            return 1;
        }
        vonktest::Paint(window);
        PlayScript(window, demo);
        vonktest::Paint(window);

        if (headless::WritePng(&demo, out)) {
            std::printf("demo: the window was written to %s\n", Absolute(out).c_str());
        } else {
            std::fprintf(stderr, "demo: %s could not be written\n", out.c_str());
            status = 1;
        }
        vonktest::DeleteTree(demo);
    }
    if (!scripted)
        CUIApp::MainLoop();
    return status;
}
