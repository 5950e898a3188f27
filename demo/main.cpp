// The demonstration application: one window described in the markup files of
// demo/resources, run on the headless backend. It lays the window out, paints it, plays a
// few pointer events through the window's backend callbacks, to which its message map
// reacts, and writes the rendered window as a PNG file.
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

    UI_DECLARE_MESSAGE_MAP()
};

UI_BEGIN_MESSAGE_MAP(CDemoWindow, CWindowImpBase)
UI_ON_CLICK_CTRNAME(L"swatch_red", CDemoWindow::OnSwatchClick)
UI_ON_CLICK_CTRNAME(L"swatch_green", CDemoWindow::OnSwatchClick)
UI_ON_CLICK_CTRNAME(L"swatch_blue", CDemoWindow::OnSwatchClick)
UI_ON_MSGTYPE(NOTIFY_MOUSE_ENTER, CDemoWindow::OnEnter)
UI_END_MESSAGE_MAP()

// What a user does to the window, sent as the backend sends it.
void PlayScript(CMsgHandler* window, CDemoWindow& demo)
{
    vonktest::MoveTo(window, 180, 116);  // over the blue swatch
    vonktest::MoveTo(window, 110, 116);  // over the green one
    vonktest::Click(window, 110, 116);

    auto* list = dynamic_cast<CUIContainer*>(demo.FindControl(L"list"));
    for (int turn = 0; turn < 6; ++turn)
        vonktest::Wheel(window, 350, 150, 1);
    std::printf("demo: the wheel scrolled the list by %ld of %ld pixels\n", static_cast<long>(list->GetScrollPos().cy),
                static_cast<long>(list->GetScrollRange().cy));
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
    if (!CUIPlatfrom::Init("#DLOPEN_CALLER_PATH#/libvonk-headless.so")) {
        std::fprintf(stderr, "demo: the headless backend could not be loaded\n");
        return 1;
    }
    GlobalManager::Startup();
    CUIApp::Init(argc, argv);

    int status = 0;
    {
        CDemoWindow demo;
        demo.Create(0, 0, 480, 320);
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
