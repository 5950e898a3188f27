#pragma once
// CUIContainer: a control that lays its children out inside an inset and scrolls them
// with the two scroll bars it owns; the base of every layout and list.
//
// Ownership: the container creates and deletes its two scroll bars; it never deletes
// its children.

#include <memory>

#include "UIControl.h"

class CUIScrollBar;

class UILIB_API CUIContainer : public CUIControl {
public:
    CUIContainer();
    ~CUIContainer() override;

    CUIString GetClass() const override;
    // The container for "Container", else the base control's answer.
    void* GetInterface(const CUIString& name) override;
    // Paints itself, the children clipped to the inner rectangle, then the scroll bars.
    void DoPaint(CUIRender* render, const CUIRect& paint) override;
    // Gives the scroll bars the window and this container as their parent, then the rest.
    void SetOwnWindow(CUIWindow* window, CUIControl* parent, bool init = true) override;
    void DoEvent(TEventUI& event) override;
    // Gives every visible child the inner rectangle; float children their fixed place.
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
    tagSIZE EstimateSize(tagSIZE available) override;
    CUIControl* FindControl(FINDCONTROLPROC proc, void* data, UINT flags) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Hiding returns the scroll position to 0 unless that was switched off.
    void VisibleChanged(bool visible) override;

    // The inset in window pixels.
    virtual CUIRect GetInset() const;
    // Takes the inset in logical pixels.
    virtual void SetInset(const CUIRect& inset);
    virtual int GetChildPadding() const;
    virtual void SetChildPadding(int padding);
    virtual void SetOriginalWidth(int width);
    virtual void SetOriginalHeight(int height);
    // The nearest child from start (clamped) that is a visible, enabled list item, or -1.
    virtual int FindSelectable(int start, bool forward) const;
    // cx: the horizontal position, cy: the vertical one.
    virtual tagSIZE GetScrollPos() const;
    virtual tagSIZE GetScrollRange() const;
    // Moves both bars and scrolls the children by what the bars took.
    virtual void SetScrollPos(tagSIZE pos);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual bool CanPageUp();
    virtual bool CanPageDown();
    virtual bool CanLineDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual bool CanPageLeft();
    virtual bool CanPageRight();
    virtual void HomeLeft();
    virtual void EndRight();
    virtual void EnableScrollBar(bool vertical, bool horizontal);
    virtual CUIScrollBar* GetVerticalScrollBar() const;
    virtual CUIScrollBar* GetHorizontalScrollBar() const;
    // Places the child at index by its fixed position or its anchor.
    virtual void SetFloatPos(int index);
    // Sets the bars' ranges from what the children need and shows, hides and places them;
    // inner is the area left to the children, without the bars.
    virtual void ProcessScrollBar(tagRECT inner, int neededWidth, int neededHeight);

    // Moves the visible non-float children by (-dx, -dy) and fires ScrollEvent.
    void ScrollPage(int dx, int dy);
    // Both bars back to 0; the children stay until the next layout.
    void ResetScrollPos();
    void SetResetScrollPos(bool reset);
    void SetEnableSlider(bool enable);
    // Scrolls by (dx, dy) while a child is dragged.
    void SliderContainer(int dx, int dy);
    // Makes this container the drag owner of control when sliding is on.
    void StartListerSlider(CUIControl* control);
    void SetAdaptToChildSize(bool adapt);
    // Also for both scroll bars.
    void SetMouseEnabled(bool enabled = true);
    // The i-th child counted from the first visible child inside this container, or null.
    CUIControl* GetVisbledItemAt(int i) const;
    // The first visible child after the visible ones inside this container, or null.
    CUIControl* GetVisbledItemAtEnd();
    CUIControl* FindSubControl(const wchar_t* name);
    bool SetSubControlText(const wchar_t* name, const wchar_t* text);
    bool SetSubControlFixedHeight(const wchar_t* name, int height);
    bool SetSubControlFixedWdith(const wchar_t* name, int width);
    CUIString GetSubControlText(const wchar_t* name);
    int GetSubControlFixedHeight(const wchar_t* name);
    int GetSubControlFixedWdith(const wchar_t* name);

    // Fired with a TNotifyUI whose wParam is dx and lParam dy when the children scroll.
    CEventSource ScrollEvent;

protected:
    CUIRect m_rcInset;
    int m_iChildPadding;
    std::unique_ptr<CUIScrollBar> m_pVerticalScrollBar;
    std::unique_ptr<CUIScrollBar> m_pHorizontalScrollBar;
    // Logical pixels; the tile layout stretches by it.
    CUISize m_szOriginal;
    bool m_bEnableSlider;
    bool m_bResetScrollPos;
    bool m_bAdaptToChildSize;

private:
    // The vertical line step: the window's default font height and 8, else 8.
    int VerticalLineStep() const;
    // The item rectangle's height or width without the insets.
    int PageHeight() const;
    int PageWidth() const;
};
