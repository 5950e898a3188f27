// An application built against the installed tree alone: it opens a window from markup on
// the installed headless backend, clicks its button, writes the window as a PNG, reads one
// pixel back and deletes its tree. With --pixel it tells the size of a PNG and the colour
// of one of its pixels, for the test of other programs' pictures.
//
// consumer <resource folder, with a trailing '/'> <PNG to write>
// consumer --pixel <PNG> <x> <y>    prints "<width>x<height> <AARRGGBB>"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <png.h>

#include <headless.h>
#include <vonk-ui.h>

#if !defined(VONK_UI_VERSION) || VONK_UI_VERSION_NUMBER < 100
#error "the installed headers give no version"
#endif

namespace {

constexpr unsigned kButtonColour = 0xFF2080C0;  // the markup's bkcolor of "ok"

class CConsumerWindow : public CWindowImpBase {
public:
    CUIString GetSkinFile() override { return L"consumer.xml"; }
    void OnOk(TNotifyUI&) { ++clicks; }
    int clicks = 0;
    UI_DECLARE_MESSAGE_MAP()
};

UI_BEGIN_MESSAGE_MAP(CConsumerWindow, CWindowImpBase)
UI_ON_CLICK_CTRNAME(L"ok", CConsumerWindow::OnOk)
UI_END_MESSAGE_MAP()

int Fail(const char* what)
{
    std::fprintf(stderr, "consumer: %s\n", what);
    return 1;
}

// The pixel at (x, y) of a PNG file as 0xAARRGGBB, or 0 when the file cannot be read or
// has no such pixel; the picture's size in width and height when asked for.
unsigned PixelOf(const char* path, int x, int y, unsigned* width = nullptr, unsigned* height = nullptr)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path))
        return 0;
    image.format = PNG_FORMAT_ARGB;
    std::string pixels(PNG_IMAGE_SIZE(image), '\0');
    if (!png_image_finish_read(&image, nullptr, &pixels[0], 0, nullptr))
        return 0;
    if (width && height) {
        *width = image.width;
        *height = image.height;
    }
    if (x < 0 || y < 0 || unsigned(x) >= image.width || unsigned(y) >= image.height)
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(pixels.data()) + 4 * (y * image.width + x);
    return unsigned(p[0]) << 24 | unsigned(p[1]) << 16 | unsigned(p[2]) << 8 | p[3];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--pixel") {
        unsigned width = 0, height = 0;
        const unsigned pixel = PixelOf(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), &width, &height);
        std::printf("%ux%u %08X\n", width, height, pixel);
        return 0;
    }
    if (argc != 3)
        return Fail("usage: consumer <resource folder/> <png>");
    const std::string folder = argv[1];
    CResourceMgr::SetResourePath(std::wstring(folder.begin(), folder.end()).c_str());
    if (!CUIPlatfrom::Init("#DLOPEN_CALLER_PATH#/libvonk-headless.so.0"))
        return Fail("the installed backend does not load");
    GlobalManager::Startup();
    CUIApp::Init(argc, argv);

    // The window leaves its tree to the application when it is deleted.
    CUIControl* tree = nullptr;
    {
        CConsumerWindow window;
        window.Create(0, 0, 240, 180);
        window.Show(true);
        headless::Paint();
        tree = window.GetRoot();

        CUIControl* ok = window.FindControl(L"ok");
        if (ok == nullptr)
            return Fail("the markup's button is not in the tree");
        const CUIRect button = ok->GetPos();
        headless::Click(int(button.left + button.right) / 2, int(button.top + button.bottom) / 2);
        if (window.clicks != 1)
            return Fail("the click did not reach the message map");

        headless::MoveTo(0, 0);
        headless::Paint();
        if (!headless::WritePng(&window, argv[2]))
            return Fail("no PNG written");
        if (PixelOf(argv[2], int(button.left) + 2, int(button.top) + 2) != kButtonColour)
            return Fail("the button's colour is not in the PNG");
        CUIApp::MainLoop();
    }
    DeleteControlTree(tree);
    return 0;
}
