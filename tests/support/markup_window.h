#pragma once
// A window built from a markup file of the test data, the way an application's window
// loads its skin.

#include <memory>
#include <string>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "window_tree.h"

namespace vonktest {

// Makes the markup files of tests/data/<folder> the resource directory.
inline void UseDataFolder(const std::string& folder)
{
    const std::string dir = DataDir() + "/" + folder + "/";
    CResourceMgr::SetResourePath(CUIString(std::wstring(dir.begin(), dir.end()).c_str()));
}

// A window whose markup is one file of the resource directory.
class MarkupWindow : public CWindowImpBase {
public:
    explicit MarkupWindow(const wchar_t* skin) : m_skin(skin) {}
    CUIString GetSkinFile() override { return m_skin; }

private:
    CUIString m_skin;
};

// Creates, shows and paints once a window of that markup, 400 by 300 pixels.
template <typename Window = MarkupWindow>
std::unique_ptr<Window> OpenMarkup(const wchar_t* skin)
{
    auto window = std::make_unique<Window>(skin);
    window->Create(0, 0, 400, 300);
    window->Show(true);
    headless::LastHandler()->OnPaint(headless::LastRender());
    return window;
}

}  // namespace vonktest
