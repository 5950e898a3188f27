// A tiny application built against the installed library.

#include <vonk-ui.h>

int main()
{
    // Without a backend the library refuses politely.
    return CUIPlatfrom::Init(nullptr) || CUIPlatfrom::GetApp() != nullptr ? 1 : 0;
}
