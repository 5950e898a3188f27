#pragma once
// The backend's image, as the library uses it.
//
// Lifetime: the backend creates one per CUIPlatfrom::GetImage call; the library
// hands it back exactly once through CUIPlatfrom::ReleaseImage.

#include "UIExport.h"

class UILIB_API CImageBase {
public:
    virtual ~CImageBase() {}
    virtual bool Load(const wchar_t* path) = 0;
    virtual bool IsValid() = 0;
    virtual void ReleasePixBuffer(void* buffer) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
};
