#pragma once
// The backend's application object: command line, main loop, rendered pixels.
//
// Lifetime: owned by the backend; CUIPlatfrom::GetApp returns the same object on
// every call, valid until the process ends.

#include "UIExport.h"

class UILIB_API CAppBase {
public:
    virtual void Init(int argc, char** argv) = 0;
    // Runs the backend's loop; input, paint and timer callbacks come from inside it.
    virtual void MainLoop() = 0;
    // Pixels of the window with the given name: data, width, height, bytes per row, in the
    // format of CWindowBase::GetRenderData.
    virtual void GetRenderData(const char* name, unsigned char*& data, int& width, int& height, int& stride) = 0;

protected:
    ~CAppBase() {}
};
