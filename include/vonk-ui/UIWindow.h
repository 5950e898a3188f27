#pragma once
// CUIWindow: one window of the library. It drives one backend window and keeps what
// the controls of its tree share: names, option groups, default attribute lists,
// notifiers, message filters, timers, sizes, scale factors and resources.
//
// Ownership: the application owns the window. The window owns its drawing wrapper
// and its backend window and timer; it owns neither its control tree nor the
// controls in its registries. Its resource manager and DPI holder, once made, stay
// alive for the rest of the process. A deleted window is forgotten by the controls
// that belonged to it; a deleted control is forgotten by every window.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "UIDefine.h"
#include "UIExport.h"
#include "UIGeometry.h"
#include "UIMessage.h"
#include "UIPtrArray.h"
#include "UIString.h"
#include "UIStringPtrMap.h"
#include "UITimerBase.h"
#include "UIWatched.h"
#include "UIWindowBase.h"

class CResourceMgr;
class CUIControl;
class CUIDpi;
class CUIRender;
class StyleManager;
struct TimerEntry;

// What the backend calls on every tick of a window's timer; arg is the timer's entry.
UILIB_API void TimerCallback(void* arg);

class UILIB_API CUIWindow : public CWindowBase, public CMsgHandler {
public:
    CUIWindow();
    CUIWindow(const CUIWindow&) = delete;
    CUIWindow& operator=(const CUIWindow&) = delete;
    ~CUIWindow() override;

    // The window operations, forwarded to the backend window.
    bool Create(int x, int y, int width, int height) override;
    void SetType(int type) override;
    void Quite() override;
    void Show(bool show) override;
    void Invalidate(const tagRECT& rc) override;
    void NeedUpdate() override;
    void ReSize(const tagSIZE& size) override;
    // The size the backend last reported.
    void GetSize(tagSIZE& size) override;
    void GetClipRect(tagRECT& rc) override;
    // The position the backend last reported.
    void GetWindowPos(tagPOINT& pt) override;
    void SetParent(CWindowBase* parent) override;
    void CenterWindow() override;
    void MoveWindow(int x, int y) override;
    void SetMinMaxSizeInfo(const tagSIZE& minimum, const tagSIZE& maximum) override;
    void BeginMoveDrag(void* native) override;
    void Minimize() override;
    void Close() override;
    void Restore() override;
    void Maximize() override;
    void FullScreen() override;
    bool IsMinimize() override;
    bool IsMaximize() override;
    bool IsFullScreen() override;
    void ShowPop(bool show) override;
    void GetRenderData(unsigned char*& data, int& width, int& height, int& stride) override;
    void* GetRenderSharedMapName(const char* name) override;

    // What the backend calls.
    int OnCreate(CRenderBase* render) override;
    int OnClose() override;
    void OnDestroy() override;
    int OnPaint(CRenderBase* render) override;
    int OnMouseWheel(int delta, const MsgButtonParam& param) override;
    int OnSize(int width, int height) override;
    int OnKeyDown(int key) override;
    int OnKeyUp(int key) override;
    int OnButtonPress(const MsgButtonParam& param, void* native) override;
    int OnButtonRelease(const MsgButtonParam& param) override;
    int OnMouseMove(const MsgButtonParam& param) override;
    void OnDpiChange(double dpi) override;
    void OnWindowMove(int x, int y) override;
    const char* GetWindowName() override;
    bool UseSharedMap() override;

    // Expires when the deletion of this window begins (see UIWatched.h).
    std::weak_ptr<const void> GetLifetime() const;

    // Sends the timer event to the control (a CUIControl pointer).
    virtual void OnTimer(unsigned long control, unsigned long id);
    // The folder from which this window's markup files are loaded.
    virtual CUIString GetSkinFolder() = 0;

    bool IsShow() const;
    CWindowBase* GetPlatform() const;

    void SetInitSize(const CUISize& size, bool resize);
    void GetInitSize(CUISize& size) const;
    void SetMinSize(const CUISize& size);
    void SetMaxSize(const CUISize& size);
    void SetSizeBox(const CUIRect& rc);
    void SetCaptionRect(const CUIRect& rc);
    // The caption rectangle in window pixels.
    CUIRect GetCaptionRect() const;

    // Sets both scale factors and scales the window's fonts by the smaller one.
    void OnScaleChange(double width, double height);
    double GetWidthScale() const;
    double GetHeightScale() const;

    CUIRender* GetPaintContext() const;
    CResourceMgr* GetPaintManager();
    CUIDpi* GetDPIObj();
    void SetStyleCustom(StyleManager* styles);
    StyleManager* GetStyleCustom() const;

    void AttachDlg(CUIControl* root);
    // Gives the subtree this window and its parents, then registers its names.
    bool InitControls(CUIControl* control, CUIControl* parent = nullptr);
    // Deletes the root, once the running backend callback returns; its descendants stay
    // alive and are the application's, forgotten by this window and without it.
    void DetachDlg();
    CUIControl* GetRoot() const;

    CUIControl* FindControl(const wchar_t* name) const;
    // The topmost visible control under the point.
    CUIControl* FindControl(tagPOINT pt) const;
    CUIControl* FindSubControlByPoint(CUIControl* parent, tagPOINT pt) const;
    CUIControl* FindSubControlByName(CUIControl* parent, const wchar_t* name) const;
    CStdPtrArray* GetSubControlsByClass();

    static CUIControl* __FindControlFromNameHash(CUIControl* control, void* window);
    static CUIControl* __FindControlFromCount(CUIControl* control, void* counter);
    static CUIControl* __FindControlFromPoint(CUIControl* control, void* point);
    static CUIControl* __FindControlFromUpdate(CUIControl* control, void* unused);
    static CUIControl* __FindControlFromName(CUIControl* control, void* name);

    bool AddOptionGroup(const wchar_t* group, CUIControl* control);
    CStdPtrArray* GetOptionGroup(const wchar_t* group);
    bool RemoveOptionGroup(const wchar_t* group, CUIControl* control);
    void RemoveAllOptionGroups();

    void AddDefaultAttributeList(const wchar_t* element, const wchar_t* list);
    const wchar_t* GetDefaultAttributeList(const wchar_t* element) const;
    bool RemoveDefaultAttributeList(const wchar_t* element);
    void RemoveAllDefaultAttributeList();
    // Element names to CUIString attribute lists.
    const CStdStringPtrMap* GetDefaultAttribultes() const;

    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    bool AddMessageFilter(CUIControl* control);
    bool RemoveMessageFilter(CUIControl* control);

    // Starts a timer of the control on the window's backend timer; answers its identifier.
    int SetTimer(CUIControl* pControl, UINT uElapse);
    // Stops one timer of the control; always answers false.
    bool KillTimer(CUIControl* pControl, UINT uID);
    void KillTimer(CUIControl* pControl);
    void RemoveAllTimers();

    // Stamps the notification with the last pointer position and the tick count, then,
    // unless async, hands it to the sender's NotifyEvent and to every notifier in order.
    void SendNotify(CUIControl* sender, UINT type, unsigned long wParam, unsigned long lParam, bool async);
    void SendNotify(TNotifyUI& msg, bool async);

protected:
    // Deletes the control now or, while a backend callback runs, once the outermost one returns.
    void DeleteWhenIdle(CUIControl* control);

private:
    // How the window forgets deleted controls and survives its own deletion during a
    // callback: see docs/lifetime.md.
    friend class CUIControl;
    friend class CWindowImpBase;
    friend void TimerCallback(void* arg);
    class CallbackScope;
    struct CallbackState;

    // Called by a control that is being deleted: every live window forgets it.
    static void ForgetEverywhere(CUIControl* control);
    // Takes the control out of the root, the name map, option groups, filters, timers, pressed and hovered.
    void Forget(CUIControl* control);
    void RegisterName(const CUIString& name, CUIControl* control);
    // Empties the name map, and every control's list of the names it holds there.
    void ForgetAllNames();

    // An entry of the name map: the control, and the text of the name that its key views.
    struct NamedControl {
        std::unique_ptr<wchar_t[]> name;
        CUIControl* control;
    };
    using NameMap = std::unordered_map<std::wstring_view, NamedControl>;
    using NameEntry = NameMap::value_type;
    // What a control may sit in: the entries of the name map that name it now (most
    // controls hold one name at most), and maybe filters, timers or option groups.
    struct Registered {
        NameEntry* name = nullptr;
        std::vector<NameEntry*> moreNames;

        void AddName(NameEntry* entry);
        void DropName(const NameEntry* entry);
    };
    // Notes that the control may sit in one of the registries.
    Registered& Registration(CUIControl* control);
    void KillTimerAt(size_t index);
    void DeleteOptionGroup(const wchar_t* group);

    class DispatchSlot;
    class UpdateSearch;
    // Lays the tree out: the root over the client area, or each control that asks.
    void Relayout(const CallbackScope& running);
    // Hands event to every control registered as a message filter, in order, until one
    // deletes the window.
    void RunMessageFilters(TEventUI& event, const CallbackScope& running);
    // Starts moving the window when the press lies in the caption and on no button.
    void StartCaptionDrag(const MsgButtonParam& param);

    bool m_bUpdateNeeded;
    CWindowBase* m_pPlatformWindow;
    CTimerBase* m_pTimer;
    CResourceMgr* m_pResourceMgr;
    StyleManager* m_pStyleCustom;
    CUIDpi* m_pDpi;
    CUIControl* m_pRoot;
    // Control names; a map that grows with the tree, so that registering names stays
    // linear in the number of controls however many a window has.
    NameMap m_mNameHash;
    CStdPtrArray m_aFoundControls;
    std::vector<std::unique_ptr<TimerEntry>> m_aTimers;
    CStdPtrArray m_aNotifiers;
    CStdPtrArray m_aMessageFilters;
    CUIControl* m_pEventClick;
    CUIControl* m_pEventHover;
    CStdStringPtrMap m_mOptionGroup;
    CStdStringPtrMap m_DefaultAttrHash;
    CUIRect m_rcCaption;
    bool m_bShow;
    std::unique_ptr<CUIRender> m_pRender;
    CUISize m_szInitWindowSize;
    CUISize m_szMaxWindow;
    CUISize m_szMinWindow;
    CUIRect m_rcSizeBox;
    double m_fHeightScale;
    double m_fWidthScale;
    CUISize m_szClient;
    tagPOINT m_ptWindow;
    tagPOINT m_ptLastMousePos;
    bool m_bDragging;
    tagPOINT m_ptDragWindowStart;
    tagPOINT m_ptDragPointerStart;

    // Reset first thing in the destructor, so that whatever watches the window lets go.
    std::shared_ptr<const bool> m_lifetime = std::make_shared<const bool>(true);
    // The backend callbacks running now and what waits for them to return; it outlives the
    // window while a callback that the window's deletion interrupted unwinds.
    std::shared_ptr<CallbackState> m_callbacks;
    // The first of the controls whose window this is, listed through the controls.
    CUIControl* m_pFirstControl = nullptr;
    // Controls that may sit in a registry, with the entries that name them.
    std::unordered_map<const CUIControl*, Registered> m_registered;
    // How many controls hold this window: what the name map may grow to.
    size_t m_nControls = 0;
    // The controls a running dispatch is about to touch; a deleted one is nulled here.
    std::vector<CUIControl**> m_dispatchSlots;
};
