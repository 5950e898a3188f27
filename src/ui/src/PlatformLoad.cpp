// Loading the platform backend and forwarding to its entry points.

#include <dlfcn.h>
#include <libgen.h>

#include <string>

#include <utility/logger>

#include "UIPlatform.h"

extern "C" {
void* dlKeysym2VK = nullptr;
}

void* CUIPlatfrom::m_handle = nullptr;
PFN_GetFont CUIPlatfrom::m_fnGetFont = nullptr;
PFN_ReleaseFont CUIPlatfrom::m_fnReleaseFont = nullptr;
PFN_GetImage CUIPlatfrom::m_fnGetImage = nullptr;
PFN_ReleaseImage CUIPlatfrom::m_fnReleaseImage = nullptr;
PFN_GetTimer CUIPlatfrom::m_fnGetTimer = nullptr;
PFN_ReleaseTimer CUIPlatfrom::m_fnReleaseTimer = nullptr;
PFN_GetPlatformWindow CUIPlatfrom::m_fnGetWindow = nullptr;
PFN_ReleaseWindow CUIPlatfrom::m_fnReleaseWindow = nullptr;
PFN_GetApp CUIPlatfrom::m_fnGetApp = nullptr;
PFN_GetSignal CUIPlatfrom::m_fnGetSignal = nullptr;
PFN_InitSignal CUIPlatfrom::m_fnInitSignal = nullptr;

namespace {

const std::string kCallerPathMarker = "#DLOPEN_CALLER_PATH#";

// The directory this library was loaded from, or false when the loader cannot tell.
bool FindCallerPath(std::string& callerPath)
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&CUIPlatfrom::Init), &info) == 0 || info.dli_fname == nullptr) {
        UI_TRACE("dladdr error, can not set dlopen caller path ");
        return false;
    }
    std::string fileName = info.dli_fname;  // dirname may write into its argument
    callerPath = dirname(&fileName[0]);
    UI_TRACE("dladdr successed, dlopen caller path: [%s], current executable file path: [%s] ",
             callerPath.c_str(), info.dli_fname);
    return true;
}

// Replaces every marker; the scan resumes behind each inserted directory.
void ReplaceCallerPath(std::string& path, const std::string& callerPath)
{
    for (size_t at = path.find(kCallerPathMarker); at != std::string::npos;
         at = path.find(kCallerPathMarker, at + callerPath.size()))
        path.replace(at, kCallerPathMarker.size(), callerPath);
}

template <typename Fn>
Fn Lookup(void* handle, const char* symbol)
{
    return reinterpret_cast<Fn>(dlsym(handle, symbol));
}

}  // namespace

CUIPlatfrom::~CUIPlatfrom()
{
    if (m_handle == nullptr)
        return;
    dlclose(m_handle);
    // Nothing may jump into the unmapped backend afterwards.
    m_handle = nullptr;
    m_fnGetFont = nullptr;
    m_fnReleaseFont = nullptr;
    m_fnGetImage = nullptr;
    m_fnReleaseImage = nullptr;
    m_fnGetTimer = nullptr;
    m_fnReleaseTimer = nullptr;
    m_fnGetWindow = nullptr;
    m_fnReleaseWindow = nullptr;
    m_fnGetApp = nullptr;
    m_fnGetSignal = nullptr;
    m_fnInitSignal = nullptr;
    dlKeysym2VK = nullptr;
}

bool CUIPlatfrom::Init(char const* path)
{
    if (path == nullptr)
        return false;

    std::string callerPath;
    const bool haveCallerPath = FindCallerPath(callerPath);

    std::string soPath = path;
    UI_TRACE("before replace, platform so path = %s ", soPath.c_str());
    if (haveCallerPath)
        ReplaceCallerPath(soPath, callerPath);
    UI_TRACE("after replace, platform so path = %s ", soPath.c_str());

    m_handle = dlopen(soPath.c_str(), RTLD_LAZY);
    if (m_handle == nullptr) {
        UI_TRACE("dlopen - %s ", dlerror());
        return false;
    }

    m_fnGetFont = Lookup<PFN_GetFont>(m_handle, "GetFont");
    m_fnReleaseFont = Lookup<PFN_ReleaseFont>(m_handle, "ReleaseFont");
    UI_TRACE("m_fnGetFont = %p, m_fnReleaseFont = %p ", reinterpret_cast<void*>(m_fnGetFont),
             reinterpret_cast<void*>(m_fnReleaseFont));
    m_fnGetImage = Lookup<PFN_GetImage>(m_handle, "GetImage");
    m_fnReleaseImage = Lookup<PFN_ReleaseImage>(m_handle, "ReleaseImage");
    UI_TRACE("m_fnGetImage = %p, m_fnReleaseImage = %p ", reinterpret_cast<void*>(m_fnGetImage),
             reinterpret_cast<void*>(m_fnReleaseImage));
    m_fnGetTimer = Lookup<PFN_GetTimer>(m_handle, "GetTimer");
    m_fnReleaseTimer = Lookup<PFN_ReleaseTimer>(m_handle, "ReleaseTimer");
    UI_TRACE("m_fnGetTimer = %p, m_fnReleaseTimer = %p ", reinterpret_cast<void*>(m_fnGetTimer),
             reinterpret_cast<void*>(m_fnReleaseTimer));
    m_fnGetWindow = Lookup<PFN_GetPlatformWindow>(m_handle, "GetPlatformWindow");
    m_fnReleaseWindow = Lookup<PFN_ReleaseWindow>(m_handle, "ReleaseWindow");
    m_fnGetApp = Lookup<PFN_GetApp>(m_handle, "GetApp");
    m_fnGetSignal = Lookup<PFN_GetSignal>(m_handle, "GetSignal");
    m_fnInitSignal = Lookup<PFN_InitSignal>(m_handle, "InitSignal");
    UI_TRACE("m_fnGetWindow = %p, m_fnReleaseWindow = %p ", reinterpret_cast<void*>(m_fnGetWindow),
             reinterpret_cast<void*>(m_fnReleaseWindow));
    UI_TRACE("m_fnGetApp = %p ", reinterpret_cast<void*>(m_fnGetApp));
    dlKeysym2VK = dlsym(m_handle, "_Keysym2VK");
    return true;
}

CFontBase* CUIPlatfrom::GetFont() { return m_fnGetFont ? m_fnGetFont() : nullptr; }

void CUIPlatfrom::ReleaseFont(CFontBase* font)
{
    if (m_fnReleaseFont)
        m_fnReleaseFont(font);
}

CImageBase* CUIPlatfrom::GetImage() { return m_fnGetImage ? m_fnGetImage() : nullptr; }

void CUIPlatfrom::ReleaseImage(CImageBase* image)
{
    if (m_fnReleaseImage)
        m_fnReleaseImage(image);
}

CTimerBase* CUIPlatfrom::GetTimer() { return m_fnGetTimer ? m_fnGetTimer() : nullptr; }

void CUIPlatfrom::ReleaseTimer(CTimerBase* timer)
{
    if (m_fnReleaseTimer)
        m_fnReleaseTimer(timer);
}

CWindowBase* CUIPlatfrom::GetPlatformWindow() { return m_fnGetWindow ? m_fnGetWindow() : nullptr; }

void CUIPlatfrom::ReleaseWindow(CWindowBase* window)
{
    if (m_fnReleaseWindow)
        m_fnReleaseWindow(window);
}

CAppBase* CUIPlatfrom::GetApp()
{
    if (m_fnGetApp == nullptr) {
        UI_TRACE("error m_fnGetApp is null ");
        return nullptr;
    }
    return m_fnGetApp();
}

void* CUIPlatfrom::GetSignal() { return m_fnGetSignal ? m_fnGetSignal() : nullptr; }

void CUIPlatfrom::InitSignal(int (*onText)(char const*), void (*onSignal)(int), CWindowHander* (*onWindow)(int))
{
    if (m_fnInitSignal)
        m_fnInitSignal(onText, onSignal, onWindow);
}
