#pragma once
// CUIButton: a push button, a label whose look follows the pointer, the focus and the
// enabled flag, that reports a click and can switch the page of a bound tab layout.

#include <cstdint>
#include <initializer_list>

#include "UILabel.h"

class UILIB_API CUIButton : public CUILabel {
public:
    CUIButton();
    ~CUIButton() override;

    CUIString GetClass() const override;
    // The button for "Button", else the label's answer.
    void* GetInterface(const CUIString& name) override;
    void PaintBkColor(CUIRender* render) override;
    // Refreshes the focused and disabled bits, then the back and the fore images.
    void PaintStatusImage(CUIRender* render) override;
    void PaintText(CUIRender* render) override;
    // The pointer drives the hot, pushed and captured bits; a release inside after a press
    // inside activates the button.
    void DoEvent(TEventUI& event) override;
    // Sends NOTIFY_CLICK and selects the bound tab page; false while hidden or disabled.
    bool Activate() override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Disabling clears the whole state at once.
    void SetEnabled(bool enabled = true) override;

    // The first state image that applies and is set: disabled, pushed, hot, focused, normal.
    virtual void PaintStatusImageBack(CUIRender* render);
    // The same with the fore images: disabled, hot, focused, plain.
    virtual void PaintStatusImageFore(CUIRender* render);

    // 2 while enabled, otherwise 0.
    UINT GetControlFlags() const;

    // Stores the state and hands it to every direct child that uses its parent's state
    // and is a button, which hands it on in turn; nothing is repainted.
    void SetButtonState(uint32_t state);
    uint32_t GetButtonState() const;
    // Whether the button has a look of its own for any of the state bits.
    bool HasState(uint32_t bits) const;
    // Whether a release after the press dragged a sliding container still clicks.
    void SetSliderAndSelect(bool sliderAndSelect);
    // While false a release never activates the button.
    void SetCandActive(bool candActive);

    unsigned long GetHotBkColor() const;
    void SetHotBkColor(unsigned long colour);
    unsigned long GetPushedBkColor() const;
    void SetPushedBkColor(unsigned long colour);
    unsigned long GetHotTextColor() const;
    void SetHotTextColor(unsigned long colour);
    unsigned long GetPushedTextColor() const;
    void SetPushedTextColor(unsigned long colour);
    unsigned long GetFocusedTextColor() const;
    void SetFocusedTextColor(unsigned long colour);

    const wchar_t* GetNormalImage() const;
    void SetNormalImage(const wchar_t* image);
    const wchar_t* GetHotImage() const;
    void SetHotImage(const wchar_t* image);
    const wchar_t* GetPushedImage() const;
    void SetPushedImage(const wchar_t* image);
    const wchar_t* GetFocusedImage() const;
    void SetFocusedImage(const wchar_t* image);
    const wchar_t* GetDisabledImage() const;
    void SetDisabledImage(const wchar_t* image);
    const wchar_t* GetForeImage() const;
    void SetForeImage(const wchar_t* image);
    const wchar_t* GetHotForeImage() const;
    void SetHotForeImage(const wchar_t* image);
    const wchar_t* GetFocusedForeImage() const;
    void SetFocusedForeImage(const wchar_t* image);
    const wchar_t* GetDisabledForeImage() const;
    void SetDisabledForeImage(const wchar_t* image);

    // A negative index is ignored.
    void BindTabIndex(int index);
    int GetBindTabLayoutIndex() const;
    // A null name is ignored.
    void BindTabLayoutName(const wchar_t* name);
    CUIString GetBindTabLayoutName() const;
    void BindTabItemName(const wchar_t* name);
    CUIString GetBindTabItemName() const;
    // Forgets the bound index and layout name; the item name stays.
    void RemoveBindTabIndex();
    // Selects, with notification, page index of the bound tab layout, or else the bound
    // page by index or by item name.
    void BindTriggerTabSel(int index = -1);

protected:
    // Sets the focused and disabled bits from the control's flags.
    void RefreshFocusAndEnabled();
    // Draws the first image whose state applies and that is set, without a modifier; one that
    // fails is forgotten and ends the pass all the same. False when no row applied.
    struct StateImage {
        bool applies;
        CUIString* image;
    };
    bool DrawFirstStateImage(CUIRender* render, std::initializer_list<StateImage> rows);

    uint32_t m_uButtonState;
    uint32_t m_uLookStates;
    unsigned long m_dwHotBkColor;
    unsigned long m_dwHotTextColor;
    unsigned long m_dwPushedTextColor;
    unsigned long m_dwFocusedTextColor;
    unsigned long m_dwPushedBkColor;
    CUIString m_sNormalImage;
    CUIString m_sHotImage;
    CUIString m_sHotForeImage;
    CUIString m_sPushedImage;
    CUIString m_sFocusedImage;
    CUIString m_sFocusedForeImage;
    CUIString m_sDisabledImage;
    CUIString m_sDisabledForeImage;
    CUIString m_sForeImage;
    int m_iBindTabIndex;
    CUIString m_sBindTabLayoutName;
    CUIString m_sBindTabItemName;
    bool m_bSliderAndSelect;
    bool m_bCandActive;

private:
    // Stores the colour and marks the state as having a look of its own.
    void SetStateColour(unsigned long& field, unsigned long colour, uint32_t state);
    // Stores the image, marks the state (none for 0) and repaints.
    void SetStateImage(CUIString& field, const wchar_t* image, uint32_t state);
    // Sets or clears the hot bit as the pointer enters or leaves.
    void SetHot(bool hot);
};
