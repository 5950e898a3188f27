// The window implementation base: loading the window's markup and its message map.

#include "WindowImpBase.h"

#include <utility/logger>

#include "CallbackScope.h"
#include "MarkupFiles.h"
#include "ResourceMgr.h"
#include "UIControl.h"

UI_BEGIN_MESSAGE_MAP(CWindowImpBase, CNotifyPump)
UI_ON_MSGTYPE(NOTIFY_CLICK, CWindowImpBase::OnClick)
UI_END_MESSAGE_MAP()

CWindowImpBase::CWindowImpBase() = default;

CWindowImpBase::~CWindowImpBase() = default;

int CWindowImpBase::OnCreate(CRenderBase* render)
{
    // Loading the markup runs init handlers, which may delete controls and this window.
    const CallbackScope running(this);
    CUIWindow::OnCreate(render);
    AddNotifier(this);
    if (!LoadSkin(GetSkinFile()) && !running.WindowDeleted())
        RemoveNotifier(this);
    return 0;
}

void CWindowImpBase::OnTimer(unsigned long control, unsigned long id) { CUIWindow::OnTimer(control, id); }

CUIString CWindowImpBase::GetSkinFolder() { return CUIString(); }

void CWindowImpBase::InitWindow() {}

void CWindowImpBase::Notify(TNotifyUI& msg) { NotifyPump(msg); }

bool CWindowImpBase::LoadSkin(const wchar_t* file)
{
    CDialogBuilder builder(this);
    CUIControl* root = builder.Create(file, this, nullptr);
    if (root == nullptr) {
        UI_TRACE("builder error : root == null ");
        return false;
    }
    const CWatched<CUIWindow> alive(this);
    {
        // Child layouts initialise as the tree is attached; one that names this file is refused.
        const MarkupFileInProgress attaching(file, this);
        AttachDlg(root);
    }
    // An init handler may have deleted this window: the markup was loaded all the same.
    if (alive)
        InitWindow();
    return true;
}

void CWindowImpBase::ReloadSkin(const wchar_t*)
{
    // Only the old root goes; the controls below it stay the application's.
    GetPaintManager()->Clear();
    RemoveAllDefaultAttributeList();
    DetachDlg();
    LoadSkin(GetSkinFile());
}

void CWindowImpBase::OnClick(TNotifyUI& msg)
{
    const CUIString name = msg.pSender ? msg.pSender->GetName() : CUIString();
    if (name == L"closebtn")
        Close();
    else if (name == L"minbtn")
        Minimize();
    else if (name == L"maxbtn")
        Maximize();
    else if (name == L"restorebtn")
        Restore();
}

CUIString CWindowImpBase::GetWindowClassName() const { return CUIString(); }

long CWindowImpBase::ResponseDefaultKeyEvent(unsigned long key) { return key == 27 ? 1 : 0; }

UINT CWindowImpBase::GetClassStyle() const { return 8; }

int CWindowImpBase::GetResourceType() const { return 1; }

CUIString CWindowImpBase::GetZIPFileName() const { return CUIString(); }

CUIControl* CWindowImpBase::CreateControl(const CUIString&) { return nullptr; }

long CWindowImpBase::HandleCustomMessage(int, unsigned long, unsigned long) { return 0; }

long CWindowImpBase::GetStyle() { return 0; }
