// The application facade over the backend's application object.

#include <utility/logger>

#include "UIPlatform.h"

void CUIApp::Init(int argc, char** argv)
{
    if (CUIPlatfrom::GetApp() == nullptr) {
        UI_TRACE("m_fnGetApp is nullptr (platform is not init) ");
        return;
    }
    CUIPlatfrom::GetApp()->Init(argc, argv);
}

void CUIApp::MainLoop()
{
    if (CAppBase* app = CUIPlatfrom::GetApp())
        app->MainLoop();
}

void CUIApp::GetRenderData(char const* name, unsigned char*& data, int& width, int& height, int& stride)
{
    if (CAppBase* app = CUIPlatfrom::GetApp())
        app->GetRenderData(name, data, width, height, stride);
}
