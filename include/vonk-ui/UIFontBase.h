#pragma once
// The backend's font, as the library uses it.
//
// Lifetime: the backend creates one per CUIPlatfrom::GetFont call; the library
// calls Destroy and hands it back exactly once through CUIPlatfrom::ReleaseFont.

#include "UIExport.h"

class UILIB_API CFontBase {
public:
    virtual ~CFontBase() {}
    virtual bool Create(const wchar_t* face, int size, bool bold, bool underline, bool italic) = 0;
    virtual bool CreateFromFile(const wchar_t* path, int size, bool bold, bool underline, bool italic) = 0;
    virtual void Destroy() = 0;
    virtual int GetFontHeight() = 0;
};
