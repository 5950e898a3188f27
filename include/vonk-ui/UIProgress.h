#pragma once
// CUIProgress: a label that shows a value within a range as a fore image filled in
// proportion, from the left or from the bottom; CUISlider: a progress bar with a thumb that
// the pointer drags, or the wheel moves, to change the value.

#include <cstdint>

#include "UILabel.h"

class UILIB_API CUIProgress : public CUILabel {
public:
    CUIProgress();
    ~CUIProgress() override;

    CUIString GetClass() const override;
    // The progress bar for "Progress", else the label's answer.
    void* GetInterface(const CUIString& name) override;
    // Puts the range in order, then draws the fore image over the filled part.
    void PaintStatusImage(CUIRender* render) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    bool IsHorizontal() const;
    void SetHorizontal(bool horizontal = true);
    bool IsStretchForeImage() const;
    void SetStretchForeImage(bool stretch = true);
    // The range is stored as given and put in order when the bar paints.
    int GetMinValue() const;
    void SetMinValue(int value);
    int GetMaxValue() const;
    void SetMaxValue(int value);
    int GetValue() const;
    // A value outside the range is ignored.
    void SetValue(int value);
    CUIString GetForeImage() const;
    void SetForeImage(const CUIString& image);
    // In window pixels, never scaled.
    int GetForePadding() const;
    void SetForePadding(int padding);

protected:
    // Corrects a range whose maximum is not above its minimum, and clamps the value into it.
    void OrderRange();

    bool m_bHorizontal;
    bool m_bStretchForeImage;
    int m_nMax;
    int m_nMin;
    int m_nValue;
    int m_nForePadding;
    CUIString m_sForeImage;
};

class UILIB_API CUISlider : public CUIProgress {
public:
    CUISlider();
    ~CUISlider() override;

    CUIString GetClass() const override;
    // The slider for "Slider", else the progress bar's answer.
    void* GetInterface(const CUIString& name) override;
    // The fill, then the thumb in the image of its state.
    void PaintStatusImage(CUIRender* render) override;
    // A press on the thumb captures it; moves and the release set the value at the pointer;
    // the wheel steps the value.
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Hiding a slider whose thumb is dragged waits for the release.
    void SetVisible(bool visible = true) override;
    // Disabling ends a drag of the thumb.
    void SetEnabled(bool enabled = true) override;

    // 2 while enabled, otherwise 0.
    UINT GetControlFlags() const;

    int GetChangeStep() const;
    // The step of one turn of the wheel.
    void SetChangeStep(int step);
    // In window pixels, never scaled.
    void SetThumbSize(tagSIZE size);
    // Where the thumb sits for the value, in window coordinates.
    CUIRect GetThumbRect() const;
    CUIString GetThumbImage() const;
    void SetThumbImage(const CUIString& image);
    CUIString GetThumbHotImage() const;
    void SetThumbHotImage(const CUIString& image);
    CUIString GetThumbPushedImage() const;
    void SetThumbPushedImage(const CUIString& image);
    // Ignored while the thumb is dragged.
    void SetValue(int value);
    // Whether moves of the thumb report each change, not only the release.
    void SetSendMove(bool sendMove);
    bool IsSendMove() const;

protected:
    // The value under the pointer: the range's ends within half a thumb of the track's ends,
    // in proportion between.
    int ValueAt(tagPOINT pt) const;
    // Ends a drag of the thumb, hiding the slider when that waited for it.
    void EndCapture();
    void Press(const TEventUI& event);
    void Release(const TEventUI& event);
    void Move(const TEventUI& event);
    void Turn(const TEventUI& event);

    CUISize m_szThumb;
    uint32_t m_uThumbState;
    int m_nStep;
    CUIString m_sThumbImage;
    CUIString m_sThumbHotImage;
    CUIString m_sThumbPushedImage;
    CUIString m_sImageModify;
    bool m_bHidePending;
    int m_nValueAtPress;
    bool m_bSendMove;
};
