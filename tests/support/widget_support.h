#pragma once
// What the widget tests read back: the texts and images that reached the renderer, and
// the notifications a window delivered, each as one short line.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "markup_window.h"
#include "test_support.h"
#include "user_actions.h"

namespace vonktest {

// The names of the members of a window's option group, in order.
inline Lines Members(CUIWindow& window, const wchar_t* group)
{
    Lines names;
    const CStdPtrArray* members = window.GetOptionGroup(group);
    for (int i = 0; members && i < members->GetSize(); ++i)
        names.push_back(Narrow(static_cast<CUIControl*>(members->GetAt(i))->GetName()));
    return names;
}

// The comma-separated arguments of a journal line "Name(a,b,c)".
inline Lines Arguments(const std::string& line)
{
    const size_t open = line.find('(');
    std::istringstream in(line.substr(open + 1, line.size() - open - 2));
    Lines arguments;
    for (std::string piece; std::getline(in, piece, ',');)
        arguments.push_back(piece);
    return arguments;
}

// The text calls of the journal ("DrawText" and "DrawTextFromFonts", texts without commas),
// measuring (TEXTSTYLE_CALCRECT) ones or drawing ones, as "left,top,right,bottom text style colour".
inline Lines TextCalls(bool measuring)
{
    Lines calls;
    for (const std::string& line : headless::JournalOf("Render.DrawText")) {
        const Lines a = Arguments(line);
        const unsigned long style = std::stoul(a[5]);
        if (((style & TEXTSTYLE_CALCRECT) != 0) != measuring)
            continue;
        const std::string& colour = line.find("FromFonts") != std::string::npos ? a[7] : a[6];
        calls.push_back(a[0] + "," + a[1] + "," + a[2] + "," + a[3] + " " + a[4] + " " + a[5] + " " + colour);
    }
    return calls;
}

inline Lines DrawnTexts() { return TextCalls(false); }
inline Lines Measured() { return TextCalls(true); }

// The images that reached the renderer, as "x,y,w,h sx,sy,sw,sh fade" of each piece blended.
inline Lines Blends()
{
    Lines blends;
    for (const std::string& line : headless::JournalOf("Render.AlphaBlend(")) {
        const Lines a = Arguments(line);
        blends.push_back(a[0] + "," + a[1] + "," + a[2] + "," + a[3] + " " + a[4] + "," + a[5] + "," + a[6] + "," +
                         a[7] + " " + a[8]);
    }
    return blends;
}

// Records each notification a window delivers as "code sender wParam,lParam".
class NotifyLog : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        lines.push_back(Code(msg.Type) + " " + Narrow(msg.pSender->GetName()) + " " +
                        std::to_string(static_cast<int64_t>(msg.wParam)) + "," +
                        std::to_string(static_cast<int64_t>(msg.lParam)));
    }
    // The lines recorded since the last call, with or without the pointer's enter and leave.
    Lines Take(bool withHover = false)
    {
        Lines taken;
        for (const std::string& line : lines) {
            if (withHover || (line.rfind("enter ", 0) != 0 && line.rfind("leave ", 0) != 0))
                taken.push_back(line);
        }
        lines.clear();
        return taken;
    }

    Lines lines;

private:
    static std::string Code(uint32_t type)
    {
        switch (type) {
        case NOTIFY_CLICK: return "click";
        case NOTIFY_SELECT_CHANGED: return "selectchanged";
        case NOTIFY_TAB_SELECT: return "tabselect";
        case NOTIFY_VALUE_CHANGED: return "valuechanged";
        case NOTIFY_MOUSE_ENTER: return "enter";
        case NOTIFY_MOUSE_LEAVE: return "leave";
        case NOTIFY_LINK_CLICK: return "link";
        case NOTIFY_TIMER: return "timer";
        case NOTIFY_FIRST_PAINT: return "firstpaint";
        case NOTIFY_ITEM_SELECT: return "itemselect";
        case NOTIFY_ITEM_CLICK: return "itemclick";
        case NOTIFY_ITEM_ACTIVATE: return "itemactivate";
        case NOTIFY_HEADER_CLICK: return "headerclick";
        default: return std::to_string(type);
        }
    }
};

// An event as the window would hand it to a control.
inline TEventUI MakeEvent(uint32_t type, int64_t x = 0, int64_t y = 0, uint64_t wParam = 0)
{
    TEventUI event{};
    event.Type = type;
    event.ptMouse = {x, y};
    event.wParam = wParam;
    return event;
}

// A window built from a markup file of the widget test data; its images come from the
// render test data. Elements the builder does not know are offered to make.
class WidgetWindow : public CWindowImpBase {
public:
    WidgetWindow(const wchar_t* skin, std::function<CUIControl*(const CUIString&)> make)
        : m_skin(skin), m_make(std::move(make))
    {
    }
    CUIString GetSkinFile() override { return m_skin; }
    CUIString GetSkinFolder() override
    {
        const std::string dir = DataDir() + "/widgets/";
        return CUIString(std::wstring(dir.begin(), dir.end()).c_str());
    }
    CUIControl* CreateControl(const CUIString& name) override { return m_make ? m_make(name) : nullptr; }

private:
    CUIString m_skin;
    std::function<CUIControl*(const CUIString&)> m_make;
};

// A shown window of 300 x 200 built from a widget markup file, laid out and painted once;
// what it notified until then is in opened, what it notifies later in notes.
class MarkupTest : public testing::Test {
protected:
    void SetUp() override
    {
        StartHeadless();
        UseDataFolder("render");
    }

    void Open(const wchar_t* skin, std::function<CUIControl*(const CUIString&)> make = nullptr)
    {
        window = std::make_unique<WidgetWindow>(skin, std::move(make));
        window->AddNotifier(&notes);
        window->Create(0, 0, 300, 200);
        window->Show(true);
        handler = headless::LastHandler();
        ASSERT_NE(window->GetRoot(), nullptr);
        PaintAll();
        opened = notes.Take(true);
    }

    // A window leaves its tree to the application: the test deletes it.
    void TearDown() override
    {
        if (window == nullptr)
            return;
        DeleteTree(*window);
        window.reset();
    }

    template <typename Control>
    Control* Find(const wchar_t* name)
    {
        return dynamic_cast<Control*>(window->FindControl(name));
    }

    // Invalidates and paints the whole window; the journal then holds that paint only.
    void PaintAll()
    {
        window->Invalidate(CUIRect(0, 0, 300, 200));
        headless::ClearJournal();
        Paint(handler);
    }

    std::unique_ptr<WidgetWindow> window;
    CMsgHandler* handler = nullptr;
    NotifyLog notes;
    Lines opened;
};

}  // namespace vonktest
