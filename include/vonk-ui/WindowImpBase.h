#pragma once
// CWindowImpBase: the base of an application's windows. When the native window is
// created it loads the window's markup into a control tree and routes the window's
// notifications through message maps; it is also the builder's callback for element
// names the builder does not know.
//
// An application window names its markup file (GetSkinFile) and, when it handles
// notifications, declares a message map (UI_DECLARE_MESSAGE_MAP, UI_BEGIN_MESSAGE_MAP
// with CWindowImpBase as the base). Clicks on controls named "closebtn", "minbtn",
// "maxbtn" and "restorebtn" close, minimise, maximise and restore the window.

#include "DialogBuilder.h"
#include "NotifyPump.h"
#include "UIMessage.h"
#include "UIString.h"
#include "UIWindow.h"

class UILIB_API CWindowImpBase : public CUIWindow, public CNotifyPump, public INotifyUI, public IDialogBuilderCallback {
public:
    CWindowImpBase();
    ~CWindowImpBase() override;

    // Registers the window as its own notifier and loads the markup GetSkinFile names.
    int OnCreate(CRenderBase* render) override;
    void OnTimer(unsigned long control, unsigned long id) override;
    // Empty: markup files come from the resource directory.
    CUIString GetSkinFolder() override;

    // Called once the markup's tree is attached.
    virtual void InitWindow();
    // Dispatches through the message maps.
    void Notify(TNotifyUI& msg) override;
    // Builds the markup again; only the old root is deleted, once the current callback is
    // over: the controls below it are the application's (DeleteControlTree frees them).
    virtual void ReloadSkin(const wchar_t* ignored);
    virtual void OnClick(TNotifyUI& msg);
    // The window's markup file, relative to the skin folder.
    virtual CUIString GetSkinFile() = 0;
    // A name for the window class, for the application's own use.
    virtual CUIString GetWindowClassName() const;
    // 1 for Escape (27), 0 for any other key.
    virtual long ResponseDefaultKeyEvent(unsigned long key);
    virtual UINT GetClassStyle() const;
    virtual int GetResourceType() const;
    virtual CUIString GetZIPFileName() const;
    // Null: the window makes no controls of its own.
    CUIControl* CreateControl(const CUIString& name) override;
    virtual long HandleCustomMessage(int message, unsigned long wParam, unsigned long lParam);
    virtual long GetStyle();

    // Builds, attaches and initialises the window's tree from file.
    bool LoadSkin(const wchar_t* file);

    UI_DECLARE_MESSAGE_MAP()
};
