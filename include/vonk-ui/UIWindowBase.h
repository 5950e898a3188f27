#pragma once
// A native window, its pointer record and the handler through which it calls back.
//
// Lifetime: the backend creates a window per CUIPlatfrom::GetPlatformWindow call;
// the library hands it back once through CUIPlatfrom::ReleaseWindow. The registered
// handler is not owned: it outlives the window it is registered with.

#include <cstdint>

#include "UIExport.h"
#include "UIRect.h"

class CRenderBase;

// Filled by the backend for the pointer callbacks.
struct MsgButtonParam {
    // Read for presses only, an event type of UIMessage.h: EVENT_BUTTONDOWN for a press of
    // the primary button, EVENT_DBLCLICK for its second press in a double click,
    // EVENT_SECONDARYDOWN for another button, which the window ignores.
    int32_t type;
    int32_t x;          // window coordinates
    int32_t y;
    uint32_t padding;
    uint64_t timestamp;
    int32_t root_x;     // screen coordinates
    int32_t root_y;
    uint32_t state;     // key state
};

class UILIB_API CMsgHandler {
public:
    virtual int OnCreate(CRenderBase* render) = 0;
    virtual int OnClose() = 0;
    virtual void OnDestroy() = 0;
    virtual int OnPaint(CRenderBase* render) = 0;
    virtual int OnMouseWheel(int delta, const MsgButtonParam& param) = 0;
    virtual int OnSize(int width, int height) = 0;
    virtual int OnKeyDown(int key) = 0;
    virtual int OnKeyUp(int key) = 0;
    virtual int OnButtonPress(const MsgButtonParam& param, void* native) = 0;
    virtual int OnButtonRelease(const MsgButtonParam& param) = 0;
    virtual int OnMouseMove(const MsgButtonParam& param) = 0;
    virtual void OnDpiChange(double dpi) = 0;
    virtual void OnWindowMove(int x, int y) = 0;
    virtual const char* GetWindowName() = 0;
    virtual bool UseSharedMap() = 0;

protected:
    ~CMsgHandler() {}
};

class UILIB_API CWindowBase {
public:
    CWindowBase() : m_pMsgHandler(nullptr) {}
    virtual ~CWindowBase() {}
    virtual void RegisterMsgHandler(CMsgHandler* handler) { m_pMsgHandler = handler; }
    virtual bool Create(int x, int y, int width, int height) = 0;
    virtual void SetType(int type) = 0;
    virtual void Quite() = 0;
    virtual void Show(bool show) = 0;
    virtual void Invalidate(const tagRECT& rc) = 0;
    virtual void NeedUpdate() = 0;
    virtual void ReSize(const tagSIZE& size) = 0;
    virtual void GetSize(tagSIZE& size) = 0;
    virtual void GetClipRect(tagRECT& rc) = 0;
    virtual void GetWindowPos(tagPOINT& pt) = 0;
    virtual void SetParent(CWindowBase* parent) = 0;
    virtual void CenterWindow() = 0;
    virtual void MoveWindow(int x, int y) = 0;
    virtual void SetMinMaxSizeInfo(const tagSIZE& minimum, const tagSIZE& maximum) = 0;
    virtual void BeginMoveDrag(void* native) = 0;
    virtual void Minimize() = 0;
    virtual void Close() = 0;
    virtual void Restore() = 0;
    virtual void Maximize() = 0;
    virtual void FullScreen() = 0;
    virtual bool IsMinimize() = 0;
    virtual bool IsMaximize() = 0;
    virtual bool IsFullScreen() = 0;
    virtual void ShowPop(bool show) = 0;
    // The window's pixels: height rows of width pixels, stride bytes from one row to the
    // next, each pixel one 32-bit word of premultiplied ARGB (alpha in the high byte) in
    // native byte order, so B, G, R, A in memory on x86. Null data and zeros when the window
    // has no pixels. The data stays the window's and changes with its next paint or size.
    virtual void GetRenderData(unsigned char*& data, int& width, int& height, int& stride) = 0;
    virtual bool IsVirtualWindow() { return false; }
    virtual void* GetRenderSharedMapName(const char* name) = 0;

protected:
    CMsgHandler* m_pMsgHandler;
};
