#pragma once
// The binding to the platform backend (CUIPlatfrom) and the application facade (CUIApp).

#include "UIAppBase.h"
#include "UIExport.h"
#include "UIFontBase.h"
#include "UIImageBase.h"
#include "UITimerBase.h"
#include "UIWindowBase.h"

class CWindowHander;  // named by the third signal callback only; never defined

// The backend's exported entry points, all with C linkage.
extern "C" {
typedef CFontBase* (*PFN_GetFont)();
typedef void (*PFN_ReleaseFont)(CFontBase*);
typedef CImageBase* (*PFN_GetImage)();
typedef void (*PFN_ReleaseImage)(CImageBase*);
typedef CTimerBase* (*PFN_GetTimer)();
typedef void (*PFN_ReleaseTimer)(CTimerBase*);
typedef CWindowBase* (*PFN_GetPlatformWindow)();
typedef void (*PFN_ReleaseWindow)(CWindowBase*);
typedef CAppBase* (*PFN_GetApp)();
typedef void* (*PFN_GetSignal)();
typedef void (*PFN_InitSignal)(int (*)(char const*), void (*)(int), CWindowHander* (*)(int));

// The address of the backend's _Keysym2VK, or null; the library only stores it.
UILIB_API extern void* dlKeysym2VK;
}

// Loads the backend and forwards to its entry points. Only static members.
class UILIB_API CUIPlatfrom {
public:
    CUIPlatfrom() {}
    // Closes the backend and forgets every entry point.
    ~CUIPlatfrom();

    // Loads the backend at path; "#DLOPEN_CALLER_PATH#" stands for this library's directory.
    static bool Init(char const* path);

    static CFontBase* GetFont();
    static void ReleaseFont(CFontBase* font);
    static CImageBase* GetImage();
    static void ReleaseImage(CImageBase* image);
    static CTimerBase* GetTimer();
    static void ReleaseTimer(CTimerBase* timer);
    static CWindowBase* GetPlatformWindow();
    static void ReleaseWindow(CWindowBase* window);
    static CAppBase* GetApp();
    static void* GetSignal();
    static void InitSignal(int (*onText)(char const*), void (*onSignal)(int), CWindowHander* (*onWindow)(int));

    static void* m_handle;
    static PFN_GetFont m_fnGetFont;
    static PFN_ReleaseFont m_fnReleaseFont;
    static PFN_GetImage m_fnGetImage;
    static PFN_ReleaseImage m_fnReleaseImage;
    static PFN_GetTimer m_fnGetTimer;
    static PFN_ReleaseTimer m_fnReleaseTimer;
    static PFN_GetPlatformWindow m_fnGetWindow;
    static PFN_ReleaseWindow m_fnReleaseWindow;
    static PFN_GetApp m_fnGetApp;
    static PFN_GetSignal m_fnGetSignal;
    static PFN_InitSignal m_fnInitSignal;
};

// The backend's application object: command line, main loop, rendered pixels.
class UILIB_API CUIApp {
public:
    static void Init(int argc, char** argv);
    static void MainLoop();
    static void GetRenderData(char const* name, unsigned char*& data, int& width, int& height, int& stride);
};
