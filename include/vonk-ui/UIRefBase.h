#pragma once
// A reference count that the library's font and image proxies carry.

#include "UIExport.h"

class UILIB_API CRefBase {
public:
    CRefBase() : m_nRef(0) {}

protected:
    int m_nRef;
};
