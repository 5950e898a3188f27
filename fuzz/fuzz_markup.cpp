// Fuzzes the markup builder: each input is a markup file, built into a window, laid out,
// painted, pointed at, clicked, scrolled and ticked, then dropped. The file may include
// itself or the other files of its folder.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <headless.h>
#include <vonk-ui.h>

#include "window_tree.h"

namespace fs = std::filesystem;

namespace {

class FuzzWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L"fuzz.xml"; }
};

struct Setup {
    fs::path dir;
    FuzzWindow* window = nullptr;
};

// The backend, a resource folder of its own (with an image and a second markup file to
// refer to), and one window kept for the whole run, with the journal and pixels off.
Setup& Once()
{
    static Setup setup = [] {
        Setup made;
        setenv("SPDLOG_LEVEL", "off", 0);  // the log would drown the fuzzer's own output
        CUIPlatfrom::Init("#DLOPEN_CALLER_PATH#/libvonk-headless.so");
        headless::EnableJournal(false);
        headless::EnableRendering(false);
        made.dir = fs::temp_directory_path() / ("vonk-fuzz-markup-" + std::to_string(getpid()));
        fs::create_directories(made.dir);
        fs::copy_file(VONK_FUZZ_IMAGE, made.dir / "image.png", fs::copy_options::overwrite_existing);
        std::ofstream(made.dir / "other.xml") << "<Window><Container name=\"other\" bkcolor=\"#FF102030\">"
                                                 "<Control name=\"leaf\" width=\"10\" height=\"10\"/>"
                                                 "</Container></Window>";
        const std::string folder = made.dir.string() + "/";
        CResourceMgr::SetResourePath(CUIString(std::wstring(folder.begin(), folder.end()).c_str()));
        made.window = new FuzzWindow;
        made.window->Create(0, 0, 320, 240);
        made.window->Show(true);
        return made;
    }();
    return setup;
}

void Point(CMsgHandler& handler, int x, int y)
{
    MsgButtonParam param{};
    param.type = EVENT_BUTTONDOWN;
    param.x = param.root_x = x;
    param.y = param.root_y = y;
    handler.OnMouseMove(param);
    handler.OnButtonPress(param, nullptr);
    param.x = param.root_x = x + 7;
    handler.OnMouseMove(param);
    handler.OnButtonRelease(param);
    handler.OnMouseWheel(y % 2, param);
}

// What a user and the backend do to a window: frames, pointer input and timer ticks.
void Use(FuzzWindow& window)
{
    headless::PaintFrame();
    headless::PaintFrame();
    for (int at = 0; at < 320; at += 53)
        Point(window, at, at * 3 / 4);
    headless::AdvanceClock(250);
    headless::PaintFrame();
}

// Drops the tree and everything the markup left in the window, so that inputs stay apart.
void Reset(FuzzWindow& window)
{
    vonktest::DeleteTree(window);
    window.RemoveAllTimers();
    window.RemoveAllOptionGroups();
    window.RemoveAllDefaultAttributeList();
    window.GetPaintManager()->Clear();
    window.SetMinSize(CUISize());
    window.SetMaxSize(CUISize());
    window.ReSize({320, 240});
    window.SetCaptionRect(CUIRect());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Setup& setup = Once();
    {
        std::ofstream file(setup.dir / "fuzz.xml", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    FuzzWindow& window = *setup.window;
    CDialogBuilder builder(&window);
    if (CUIControl* root = builder.Create(L"fuzz.xml", &window, nullptr)) {
        window.AttachDlg(root);
        window.NeedUpdate();
        Use(window);
    }
    Reset(window);
    return 0;
}
