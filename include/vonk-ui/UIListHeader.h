#pragma once
// The header of a list:
// - CListHeaderUI: the row of columns, as high as its tallest column or its font needs;
// - CListHeaderItemUI: one column, a caption with state images that reports a press as
//   NOTIFY_HEADER_CLICK and is made wider or narrower by dragging its separator.

#include "UIFlowLayout.h"
#include "UILabel.h"

class UILIB_API CListHeaderUI : public CUIHorizontalLayout {
public:
    CListHeaderUI();
    ~CListHeaderUI() override;

    CUIString GetClass() const override;
    // The header for "ListHeader", else the row's answer.
    void* GetInterface(const CUIString& name) override;
    // The columns' widths side by side; the fixed height, or the tallest column's and at
    // least the window's font height and 6.
    tagSIZE EstimateSize(tagSIZE available) override;
    // Hiding the header hides it alone: its columns keep their own visibility, so that a
    // list still gives them their places while the header is hidden.
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
};

class UILIB_API CListHeaderItemUI : public CUILabel {
public:
    CListHeaderItemUI();
    ~CListHeaderItemUI() override;

    CUIString GetClass() const override;
    // The column for "ListHeaderItem", else the label's answer.
    void* GetInterface(const CUIString& name) override;
    // The pushed, hot or focused image over the normal one, then the separator image.
    void PaintStatusImage(CUIRender* render) override;
    // Presses, the separator drag, and the hot state under the pointer.
    void DoEvent(TEventUI& event) override;
    // Without a fixed height: the stored fixed width and the window's font height and 14.
    tagSIZE EstimateSize(tagSIZE available) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Disabling clears the state.
    void SetEnabled(bool enabled = true) override;

    bool IsDragable() const;
    // false also ends a drag in progress.
    void SetDragable(bool dragable);
    // Window pixels; negative puts the separator on the left edge.
    int GetSepWidth() const;
    void SetSepWidth(int width);
    CUIString GetNormalImage() const;
    void SetNormalImage(const CUIString& image);
    CUIString GetHotImage() const;
    void SetHotImage(const CUIString& image);
    CUIString GetPushedImage() const;
    void SetPushedImage(const CUIString& image);
    CUIString GetFocusedImage() const;
    void SetFocusedImage(const CUIString& image);
    CUIString GetSepImage() const;
    void SetSepImage(const CUIString& image);
    // The separator: a strip of the separator width's size on the right edge, or on the
    // left one for a negative width.
    CUIRect GetThumbRect() const;
    // 2 when enabled with a separator, else 0.
    UINT GetControlFlags() const;

protected:
    tagPOINT m_ptLastMouse;
    bool m_bDragable;
    UINT m_uButtonState;
    int m_iSepWidth;
    CUIString m_sNormalImage;
    CUIString m_sHotImage;
    CUIString m_sPushedImage;
    CUIString m_sFocusedImage;
    CUIString m_sSepImage;
    // Where the separator image goes, rebuilt at each paint.
    CUIString m_sSepImageModify;

private:
    // The separator and 4 pixels more towards the inside: where a press starts a drag.
    bool OnSeparator(const tagPOINT& pt) const;
    void Press(const TEventUI& event);
    void Drag(const tagPOINT& pt);

    // The width that the drag in progress has reached, in window pixels.
    int64_t m_nDragWidth;
};
