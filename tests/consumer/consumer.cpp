// A tiny application built against the installed library.

#include <vonk-ui.h>

// The library parses its markup with wide characters; its users must see the same setting.
#ifndef PUGIXML_WCHAR_MODE
#error "the installed package does not pass PUGIXML_WCHAR_MODE on"
#endif

int main()
{
    // Without a backend the library refuses politely.
    return CUIPlatfrom::Init(nullptr) || CUIPlatfrom::GetApp() != nullptr ? 1 : 0;
}
