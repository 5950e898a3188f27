#pragma once
// CUIHorizontalLayout and CUIVerticalLayout: the row and the column, containers that place
// their children one after another and can be resized by dragging a separator on one edge.
//
// Children with a fixed extent along the layout's axis get it; children that estimate 0
// share what is left. A separator extent of 0 means none; a positive one lies on the far
// edge (right, bottom), a negative one on the near edge (left, top). The drag either
// resizes at every step (immediate mode) or moves a ghost bar, applied on release; that
// bar is drawn by DoPostPaint, which only the application calls.

#include "UIContainer.h"
#include "UIDefine.h"

class UILIB_API CUIHorizontalLayout : public CUIContainer {
public:
    CUIHorizontalLayout();
    ~CUIHorizontalLayout() override;

    CUIString GetClass() const override;
    // The row for "HorizontalLayout", else the container's answer.
    void* GetInterface(const CUIString& name) override;
    // The ghost bar while a drag outside immediate mode is in progress.
    void DoPostPaint(CUIRender* render, const CUIRect& paint) override;
    // The separator's press, drag and release, and its cursor hit test; the rest to the container.
    void DoEvent(TEventUI& event) override;
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
    // With "adapttochildsize": the children side by side with the insets; else the fixed size.
    tagSIZE EstimateSize(tagSIZE available) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // Window pixels, unscaled; 0 for none, negative for the left edge.
    void SetSepWidth(int width);
    int GetSepWidth() const;
    void SetSepImmMode(bool immediate);
    bool IsSepImmMode() const;
    // The separator; with drag true, where the drag in progress has moved it.
    CUIRect GetThumbRect(bool drag) const;
    // 2 when enabled and with a separator, else 0.
    UINT GetControlFlags() const;

protected:
    int m_iSepWidth;
    UINT m_uButtonState;
    tagPOINT m_ptLastMouse;
    // Where the layout lies at the drag's present point.
    CUIRect m_rcNewPos;
    bool m_bImmMode;
};

class UILIB_API CUIVerticalLayout : public CUIContainer {
public:
    CUIVerticalLayout();
    ~CUIVerticalLayout() override;

    CUIString GetClass() const override;
    // The column for "VerticalLayout", else the container's answer.
    void* GetInterface(const CUIString& name) override;
    // The ghost bar while a drag outside immediate mode is in progress.
    void DoPostPaint(CUIRender* render, const CUIRect& paint) override;
    // The separator's press, drag and release, and its cursor hit test; the rest to the container.
    void DoEvent(TEventUI& event) override;
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
    // With "adapttochildsize": the children stacked with the insets; else the fixed size.
    tagSIZE EstimateSize(tagSIZE available) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // Window pixels, unscaled; 0 for none, negative for the top edge.
    void SetSepHeight(int height);
    int GetSepHeight() const;
    void SetSepImmMode(bool immediate);
    bool IsSepImmMode() const;
    // The separator, within the layout; with drag true, where the drag in progress has moved it.
    CUIRect GetThumbRect(bool drag) const;
    // 2 when enabled and with a separator, else 0.
    UINT GetControlFlags() const;

protected:
    int m_iSepHeight;
    UINT m_uButtonState;
    tagPOINT m_ptLastMouse;
    // Where the layout lies at the drag's present point.
    CUIRect m_rcNewPos;
    bool m_bImmMode;
};
