#pragma once
// CUIControl: the base of every control, one node of a window's control tree with
// its place, its sizes in logical pixels, its visibility and its event sources.
//
// Ownership: a control never deletes its children; adding and removing only link
// and unlink them. A deleted control unlinks itself from its parent, leaves its
// children without a parent and is forgotten by every window that knew it.

#include <cstdint>
#include <memory>
#include <vector>

#include "UIDefine.h"
#include "UIDelegate.h"
#include "UIExport.h"
#include "UIGeometry.h"
#include "UIMessage.h"
#include "UIPtrArray.h"
#include "UIString.h"
#include "UIWatched.h"

class CUIContainer;
class CUIControl;
class CUIRender;
class CUIWindow;

// Where the base control places a child inside its own rectangle.
enum : uint32_t {
    ANCHOR_TOP = 0x1,
    ANCHOR_LEFT = 0x2,
    ANCHOR_CENTER = 0x4,  // horizontal centre
    ANCHOR_RIGHT = 0x8,
    ANCHOR_VCENTER = 0x10,
    ANCHOR_BOTTOM = 0x20,
};

// Bits of the state of a control or of a part of one.
enum : uint32_t {
    BUTTONSTATE_FOCUSED = 0x01,
    BUTTONSTATE_SELECTED = 0x02,
    BUTTONSTATE_DISABLED = 0x04,
    BUTTONSTATE_HOT = 0x08,       // the pointer is over it
    BUTTONSTATE_PUSHED = 0x10,    // pressed with the pointer inside
    BUTTONSTATE_CAPTURED = 0x40,  // a press on it is in progress
};

// Flags of CUIControl::FindControl.
enum : uint32_t {
    FINDFLAG_VISIBLE = 0x1,
    FINDFLAG_ENABLED = 0x2,
    FINDFLAG_HITTEST = 0x4,  // data is a tagPOINT that must lie in the control
    FINDFLAG_LAST_CHILD_FIRST = 0x8,
    FINDFLAG_SELF_FIRST = 0x80000000,
};

// Called for each control a search reaches; a non-null result ends the search.
typedef CUIControl* (*FINDCONTROLPROC)(CUIControl* control, void* data);

// The child operations that every control offers.
class UILIB_API IContainerUI {
public:
    virtual CUIControl* GetItemAt(int index) const = 0;
    virtual CUIControl* GetItemByName(const wchar_t* name) const = 0;
    virtual int GetItemIndex(CUIControl* child) const = 0;
    virtual bool SetItemIndex(CUIControl* child, int index) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CUIControl* child) = 0;
    virtual bool AddAt(CUIControl* child, int index) = 0;
    virtual bool Remove(CUIControl* child) = 0;
    virtual bool RemoveAt(int index) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() {}
};

class UILIB_API CUIControl : public IContainerUI {
public:
    CUIControl();
    CUIControl(const CUIControl&) = delete;
    CUIControl& operator=(const CUIControl&) = delete;

    CUIControl* GetItemAt(int index) const override;
    CUIControl* GetItemByName(const wchar_t* name) const override;
    int GetItemIndex(CUIControl* child) const override;
    bool SetItemIndex(CUIControl* child, int index) override;
    int GetCount() const override;
    bool Add(CUIControl* child) override;
    bool AddAt(CUIControl* child, int index) override;
    bool Remove(CUIControl* child) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    virtual ~CUIControl();
    virtual CUIString GetClass() const;
    // The part of this object that answers name ("Control", "IContainer"), or null.
    virtual void* GetInterface(const CUIString& name);
    virtual void Init();
    // Gives the subtree the window, this control the parent; init fires the init events.
    virtual void SetOwnWindow(CUIWindow* window, CUIControl* parent, bool init = true);
    virtual void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);
    virtual void SetPos(const CUIRect& rc, bool needInvalidate = true);
    virtual tagSIZE EstimateSize(tagSIZE available);
    virtual CUIControl* GetParent() const;
    virtual CUISize GetSize() const;
    virtual CUIRect GetPos() const;
    virtual bool IsFocused() const;
    virtual void SetFocused(bool focused);
    virtual CUIControl* FindControl(FINDCONTROLPROC proc, void* data, UINT flags);
    virtual CUIControl* HitCheck(FINDCONTROLPROC proc, void* data, UINT flags);

    // Markup attributes
    // Applies one markup attribute; a name this class does not know is ignored.
    virtual void SetAttribute(const wchar_t* name, const wchar_t* value);
    // Applies the attribute list of the named class: the window's resources first,
    // then the window's own styles, then the process-wide ones.
    virtual void SetStyle(const CUIString& className);
    // Applies each pair of a list written as name="value", one blank between pairs.
    void ApplyAttributeList(const wchar_t* list);

    virtual void SetName(const CUIString& name);
    virtual CUIString GetName() const;
    virtual void SetVisible(bool visible = true);
    virtual bool IsVisible() const;
    virtual bool IsAreaVisible() const;
    virtual void SetInternVisible(bool visible = true);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool enabled = true);
    virtual void SetText(const wchar_t* text);
    virtual void SetTextId(const wchar_t* id);
    virtual void SetToolTip(const wchar_t* text);
    virtual void SetToolTipId(const wchar_t* id);
    virtual void SetUserData(const wchar_t* text);
    virtual const CUIString& GetUserData() const;
    virtual void SetMaxHeight(int height);
    virtual int GetMaxHeight() const;
    virtual void SetMinHeight(int height);
    virtual int GetMinHeight() const;
    virtual void SetMaxWidth(int width);
    virtual int GetMaxWidth() const;
    virtual void SetMinWidth(int width);
    virtual int GetMinWidth() const;
    virtual CUIRect GetPadding() const;
    virtual void SetPadding(const CUIRect& padding);
    virtual bool IsMouseChildEnabled() const;
    virtual void SetMouseChildEnabled(bool enabled = true);
    virtual void VisibleChanged(bool visible);

    // The window this control belongs to, or null.
    CUIWindow* GetOwnWindow() const;

    // Stores the item rectangle, fires SizeEvent and repaints the old and new area.
    void UpdatePos(const CUIRect& rc, bool needInvalidate = true);

    tagSIZE GetFixedXY() const;
    void SetFixedXY(tagSIZE xy);
    // Takes a position in window pixels.
    void SetFixedXYCurrent(tagSIZE xy);
    int GetFixedWidth() const;
    void SetFixedWidth(int width);
    int GetFixedHeight() const;
    void SetFixedHeight(int height);
    bool IsFloat() const;
    void SetFloat(bool isFloat = true);
    uint32_t GetAnchorAlign() const;
    bool IsUseSmallScale() const;
    void SetUseSmallScale(bool useSmallScale);

    void NeedUpdate();
    void NeedParentUpdate();
    bool IsUpdateNeeded() const;
    void Invalidate();

    bool IsMouseEnabled() const;
    void SetMouseEnabled(bool enabled = true);
    bool IsUseParentState() const;
    void SetUseParentState(bool use);
    int GetTag() const;
    void SetTag(int tag);
    void SetIndex(int index);

    const CUIString& GetText() const;
    const CUIString& GetToolTip() const;

    CEventSource InitEvent;
    CEventSource DestroyEvent;
    CEventSource SizeEvent;
    CEventSource InputEvent;
    CEventSource NotifyEvent;
    CEventSource MessageFilterEvent;
    CEventSource VisibleChangedEvent;

    // Painting, input and hit testing
    // Paints this control and its visible children inside paint (window coordinates),
    // each bracketed by its own clip.
    virtual void DoPaint(CUIRender* render, const CUIRect& paint);
    virtual void PaintBkColor(CUIRender* render);
    virtual void PaintBkImage(CUIRender* render);
    virtual void PaintStatusImage(CUIRender* render);
    virtual void PaintText(CUIRender* render);
    virtual void PaintBorder(CUIRender* render);
    // A last painting step that no painting path calls; the application may.
    virtual void DoPostPaint(CUIRender* render, const CUIRect& paint);
    // True when the control is visible and enabled.
    virtual bool Activate();
    // The painting steps in order: colour, image, state images, text, border.
    void PaintSelf(CUIRender* render);
    // Draws an image-attribute string, then its modifier, over the item rectangle.
    bool DrawImage(CUIRender* render, const wchar_t* image, const wchar_t* modify);
    unsigned long GetBkColor() const;
    void SetBkColor(unsigned long colour);
    CUIString GetBkImage() const;
    void SetBkImage(const CUIString& image);
    int GetBorderSize() const;
    void SetBorderSize(int size);
    unsigned long GetBorderColor() const;
    void SetBorderColor(unsigned long colour);
    // Registers this control as a message filter of its window, once per call;
    // without a window nothing is kept.
    void AddMessageFilter(const CDelegateBase& filter);
    // The sliding container that drags this control's content.
    void SetOwnerDrag(CUIContainer* owner);
    // True from the first drag step that scrolled until the release.
    bool IsPressedSlider() const;
    // Expires when this control is deleted, so that a caller can tell whether a
    // handler it ran deleted the control.
    std::weak_ptr<const void> GetLifetime() const;

protected:
    // A pointer event of a control whose mouse is disabled goes on to the parent unchanged
    // (to the base control's handling without a parent); true when the event was such a one.
    bool PassOnWhileMouseDisabled(TEventUI& event);
    // Draws an image-attribute string with its modifier; an image that fails while a
    // renderer is there to draw it is emptied for good. False when nothing was drawn.
    bool DrawImageOrForget(CUIRender* render, CUIString& image, const wchar_t* modify);
    // The scale factors of the window, 1.0 without one.
    double WidthScale() const;
    double HeightScale() const;
    // A rectangle of logical pixels in window pixels: left and right by the width factor,
    // top and bottom by the height factor, each rounded up.
    CUIRect ScaleRect(const CUIRect& logical) const;
    // Marks this control, and every control whose children or scroll bars hold it, up to
    // the first one already marked, as holding a control that the next relayout must look
    // at. Called when the control asks for an update or turns visible.
    void MarkUpdatePath();

    unsigned long m_dwBackColor = 0;
    CUIString m_sBkImage;
    int m_nBorderSize = 0;
    int m_nFocusBorderSize = 0;
    unsigned long m_dwBorderColor = 0xFF000000;
    unsigned long m_dwFocusBorderColor = 0;
    CUIRect m_rcPaint;
    CWatched<CUIContainer> m_pOwnerDrag;
    tagPOINT m_ptLastDrag{0, 0};
    bool m_bDragArmed = false;
    bool m_bPressedSlider = false;

private:
    // Arms, steps and ends the drag-scrolling of the owner for dragging.
    void DragOwner(const TEventUI& event);
    // The owner for dragging while it is still one of this control's ancestors.
    CUIContainer* LiveOwnerDrag();
    void SendOwnNotify(uint32_t type, const TEventUI& event);

    // What the lifetime members here and below are for: see docs/lifetime.md.
    std::shared_ptr<const bool> m_lifetime = std::make_shared<const bool>(true);

protected:
    CStdPtrArray m_items;
    bool m_bEnabled;
    bool m_bMouseEnabled;
    bool m_bUpdateNeeded;
    bool m_bInSizeEvent;
    bool m_bFloat;
    CUISize m_cXY;
    CUISize m_cxyMax;
    CUISize m_cxyMin;
    CUIRect m_rcPadding;
    CUIString m_sName;
    uint32_t m_uAnchor;
    bool m_bVisible;
    bool m_bInternVisible;
    CUIControl* m_pParent;
    bool m_bFocused;
    CUIRect m_rcItem;
    CUISize m_cxyFixed;
    CUIWindow* m_pWindow;
    CUIString m_sText;
    CUIString m_sTextId;
    CUIString m_sToolTip;
    CUIString m_sToolTipId;
    CUIString m_sUserData;
    int m_iIndex;
    bool m_bMouseChildEnabled;
    bool m_bUseParentState;
    bool m_bUseSmallScale;
    int m_iTag;

private:
    friend class CUIWindow;
    friend class ControlTreeWalk;
    friend class TreeShape;
    // The links below keep containers, parents and windows from pointing at a deleted
    // control: see docs/lifetime.md.

    // Links the child in at index; the window's initialisation comes first.
    bool InsertChild(CUIControl* child, int index);
    // SetOwnWindow with initialisation, which runs handlers while it walks.
    void InitWalk(CUIWindow* window, CUIControl* parent);
    // Keeps the window's list of its controls in step with m_pWindow.
    void SetWindowPointer(CUIWindow* window);
    // Keeps the old parent's list of unlinked children in step with m_pParent.
    void SetParentPointer(CUIControl* parent);
    void KeepUnlinked(CUIControl* child);
    void ForgetUnlinked(CUIControl* child);
    // Marks this control alone, telling the containers that list it.
    void MarkOwnPath();
    // Unmarks this control, which the window's relayout found with nothing to place below.
    void UnmarkUpdatePath();
    // Keep m_markedListings and m_lastMarkedChild in step: a listing of child in m_items
    // turns marked, or stops being marked or listed (stillListed: child has another listing).
    void RecordMarkedListing(CUIControl* child);
    void ForgetMarkedListing(const CUIControl* child, bool stillListed);
    // Relayout after a size change: its own for a float control, its parent's otherwise.
    void NeedSizeUpdate();
    double SmallerScale() const;

    // Children taken out of m_items that still name this control as their parent.
    std::vector<CUIControl*> m_unlinked;
    // This control's place in its parent's m_unlinked, or -1 when it is not there.
    int m_unlinkedAt = -1;
    // The controls whose m_items hold this one, once per listing.
    std::vector<CUIControl*> m_listedIn;
    // This control or one below it may need placing: the window's relayout descends only
    // into marked controls and unmarks those it finds with nothing to place.
    bool m_bUpdatePath = true;
    // The listings in m_items of marked children, and the last child marked while listed
    // here, null once it is unmarked or no longer listed: when the count is one, that child
    // is the only one that the relayout must descend into.
    int m_markedListings = 0;
    CUIControl* m_lastMarkedChild = nullptr;
    // The last walk of a whole subtree that reached this control.
    uint64_t m_reachedByWalk = 0;
    // Neighbours in the list of the controls whose window m_pWindow is.
    CUIControl* m_pPrevOfWindow = nullptr;
    CUIControl* m_pNextOfWindow = nullptr;

    // The bounds of the tree's depth and the refusal of loops: see src/ui/src/TreeShape.h.
    // The levels from this control down to the deepest one below it, or more.
    int m_treeHeight = 1;
    // The container whose scroll bar this control is; a container's own scroll bars.
    CUIControl* m_pPartOf = nullptr;
    CUIControl* m_parts[2] = {nullptr, nullptr};
    // The last walk of the tree's shape that reached this control, and what it found here.
    uint64_t m_shapeWalk = 0;
    int m_shapeLevel = 0;
};
