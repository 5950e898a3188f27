// A control plug-in for the tests. Loading it appends its file name to the environment
// variable VONK_TEST_PLUGINS_OPENED, so a test sees which files were opened and in what
// order. Built with VONK_TEST_PLUGIN_FACTORY it exports CreateControl, which serves the
// element names "PluginControl" and "Contested" with plain controls whose user data is
// "plugin"; without, it is a library that is no plug-in.

#include <dlfcn.h>

#include <cstdlib>
#include <string>
#include <type_traits>

#include "GlobalManager.h"
#include "UIControl.h"

namespace {

__attribute__((constructor)) void RecordOpened()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&RecordOpened), &info) == 0 || info.dli_fname == nullptr)
        return;
    const std::string path = info.dli_fname;
    const std::string name = path.substr(path.rfind('/') + 1);
    const char* before = std::getenv("VONK_TEST_PLUGINS_OPENED");
    const std::string opened = before ? std::string(before) + " " + name : name;
    setenv("VONK_TEST_PLUGINS_OPENED", opened.c_str(), 1);
}

}  // namespace

#ifdef VONK_TEST_PLUGIN_FACTORY
extern "C" __attribute__((visibility("default"))) CUIControl* CreateControl(const CUIString& name)
{
    if (name != L"PluginControl" && name != L"Contested")
        return nullptr;
    auto* control = new CUIControl;
    control->SetUserData(L"plugin");
    return control;
}

static_assert(std::is_same<decltype(&CreateControl), PFN_CreateControl>::value,
              "CreateControl has the factory's signature");
#endif
