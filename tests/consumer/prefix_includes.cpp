// The installed headers with the install prefix's include folder alone on the path.

#include <vonk-ui/headless.h>
#include <vonk-ui/vonk-ui.h>

int main()
{
    // No window yet: the driver has nothing to paint.
    return VONK_UI_VERSION_NUMBER > 0 && headless::LastHandler() == nullptr && headless::Paint() == 0 ? 0 : 1;
}
