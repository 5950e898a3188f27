#pragma once
// CUILabel: a control that shows one text, with its own text style, colours, font and
// padding, and a size estimate that can follow the measured text; CUIText: a label of
// multi-line text that keeps slots for the links of its text.

#include <cstdint>

#include "UIControl.h"

class UILIB_API CUILabel : public CUIControl {
public:
    CUILabel();
    ~CUILabel() override;

    CUIString GetClass() const override;
    // The label for "Label", else the base control's answer.
    void* GetInterface(const CUIString& name) override;
    void PaintText(CUIRender* render) override;
    // Focus changes set the focused flag without a repaint; the rest is the base control's.
    void DoEvent(TEventUI& event) override;
    tagSIZE EstimateSize(tagSIZE available) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // The text changes as in the base control, and the next estimate measures it again.
    void SetText(const wchar_t* text) override;

    virtual bool GetAutoCalcWidth() const;
    virtual void SetAutoCalcWidth(bool autoCalcWidth);
    virtual bool GetAutoCalcHeight() const;
    virtual void SetAutoCalcHeight(bool autoCalcHeight);
    // Sets or clears TEXTSTYLE_SINGLELINE, without a repaint.
    virtual void SetSingleline(bool singleline);

    void SetTextStyle(UINT style);
    UINT GetTextStyle() const;
    // 0 until set or until the first paint, which stores the default.
    unsigned long GetTextColor() const;
    void SetTextColor(unsigned long colour);
    unsigned long GetDisabledTextColor() const;
    void SetDisabledTextColor(unsigned long colour);
    CUIString GetFont() const;
    void SetFont(const CUIString& fontName);
    // The name of a font group, which then takes the place of the font; without a repaint.
    void SetFonts(const CUIString& groupName);
    // The padding in window pixels.
    CUIRect GetTextPadding() const;
    // Takes the padding in logical pixels.
    void SetTextPadding(const CUIRect& padding);
    bool IsShowHtml() const;
    void SetShowHtml(bool showHtml = true);

    // Draws (or, with TEXTSTYLE_CALCRECT, measures into out) text in the label's font
    // group when it has one, otherwise in its font.
    void DrawTextWraper(CUIRender* render, const CUIRect& rect, const CUIString& text, unsigned long style,
                        unsigned long colour, bool html, CUIRect* out);

protected:
    // The colours painted for unset ones.
    static constexpr unsigned long kDefaultTextColor = 0xFF000000;
    static constexpr unsigned long kDefaultDisabledTextColor = 0xFFA7A6AA;

    // Stores the defaults in place of unset colours.
    void StoreColourDefaults();
    // The item rectangle less the scaled text padding.
    CUIRect TextRect() const;

    unsigned long m_dwTextColor;
    unsigned long m_dwDisabledTextColor;
    CUIString m_sFont;
    CUIString m_sFonts;
    UINT m_uTextStyle;
    CUIRect m_rcTextPadding;
    bool m_bShowHtml;
    bool m_bAutoCalcWidth;
    bool m_bAutoCalcHeight;
    tagSIZE m_szAvailableLast;
    tagSIZE m_cxyFixedLast;
    bool m_bNeedEstimateSize;

private:
    // What an estimate depends on besides the text and the available size: when any of it
    // changes, the next estimate measures again.
    struct EstimateBasis {
        tagSIZE fixed;
        tagSIZE minimum;
        tagSIZE maximum;
        double widthScale;
        double heightScale;
        bool operator==(const EstimateBasis& other) const;
    };
    EstimateBasis CurrentBasis(const tagSIZE& fixed) const;
    // Measures the text into the estimate, which holds the fixed size.
    void MeasureInto(tagSIZE& estimate, const CUIRect& pad);

    EstimateBasis m_basisLast;
};

class UILIB_API CUIText : public CUILabel {
public:
    // The number of link slots.
    static constexpr int kMaxLinks = 8;

    CUIText();
    ~CUIText() override;

    CUIString GetClass() const override;
    // The control for "Text", else the label's answer.
    void* GetInterface(const CUIString& name) override;
    void PaintText(CUIRender* render) override;
    // Link hover, presses and clicks over the link rectangles; the rest is the label's.
    void DoEvent(TEventUI& event) override;
    // The measured extent of the text over the available or fixed width, never cached.
    tagSIZE EstimateSize(tagSIZE available) override;

    // Link text i, or null when i names no link.
    CUIString* GetLinkContent(int i);
    // 2 while enabled with links, otherwise 0.
    UINT GetControlFlags() const;

protected:
    // The first link whose rectangle holds pt, or -1.
    int LinkAt(tagPOINT pt) const;

    int m_nLinks;
    CUIRect m_rcLinks[kMaxLinks];
    CUIString m_sLinks[kMaxLinks];
    int m_nHoverLink;
};
