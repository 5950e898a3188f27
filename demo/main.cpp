// The demonstration application: starts the library on the headless backend.

#include <cstdio>

#include <vonk-ui.h>

int main(int argc, char** argv)
{
    if (!CUIPlatfrom::Init("#DLOPEN_CALLER_PATH#/libvonk-headless.so")) {
        std::fprintf(stderr, "demo: the headless backend could not be loaded\n");
        return 1;
    }
    CUIApp::Init(argc, argv);
    CUIApp::MainLoop();
    return 0;
}
