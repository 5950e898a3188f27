#pragma once
// CUIScrollBar: a horizontal or vertical scroll bar with two optional buttons, a
// thumb and a grip; it scrolls its owning container, or its own position.
//
// Ownership: the owner (a container) is not owned; the container owns the bar.

#include <cstdint>

#include "UIControl.h"

class CUIContainer;

class UILIB_API CUIScrollBar : public CUIControl {
public:
    CUIScrollBar();
    ~CUIScrollBar() override;

    CUIString GetClass() const override;
    // The bar for "ScrollBar", else the base control's answer.
    void* GetInterface(const CUIString& name) override;
    void DoEvent(TEventUI& event) override;
    // Places the buttons and the thumb inside the new rectangle.
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Paints the background, the buttons, the thumb and the grip, unclipped.
    void DoPaint(CUIRender* render, const CUIRect& paint) override;
    // Stores the flag only: the owner decides where the bar goes.
    void SetVisible(bool visible = true) override;
    // Disabling clears the parts' states and stops a running repeat.
    void SetEnabled(bool enabled = true) override;

    CUIContainer* GetOwner() const;
    void SetOwner(CUIContainer* owner);
    bool IsHorizontal() const;
    void SetHorizontal(bool horizontal = true);
    int GetScrollRange() const;
    void SetScrollRange(int range);
    int GetScrollPos() const;
    // Clamped to 0 ... range.
    void SetScrollPos(int pos);
    int GetLineSize() const;
    void SetLineSize(int size);
    bool GetShowButton1();
    void SetShowButton1(bool show);
    bool GetShowButton2();
    void SetShowButton2(bool show);
    bool IsShowScroll() const;
    // Whether the owner shows and hides the bar by its range.
    void SetScroolShow(bool show);
    void SetFocus();

    void PaintBk(CUIRender* render);
    void PaintButton1(CUIRender* render);
    void PaintButton2(CUIRender* render);
    void PaintThumb(CUIRender* render);
    void PaintRail(CUIRender* render);

    CUIString GetButton1NormalImage();
    void SetButton1NormalImage(const CUIString& image);
    CUIString GetButton1HotImage();
    void SetButton1HotImage(const CUIString& image);
    CUIString GetButton1PushedImage();
    void SetButton1PushedImage(const CUIString& image);
    CUIString GetButton1DisabledImage();
    void SetButton1DisabledImage(const CUIString& image);
    CUIString GetButton2NormalImage();
    void SetButton2NormalImage(const CUIString& image);
    CUIString GetButton2HotImage();
    void SetButton2HotImage(const CUIString& image);
    CUIString GetButton2PushedImage();
    void SetButton2PushedImage(const CUIString& image);
    CUIString GetButton2DisabledImage();
    void SetButton2DisabledImage(const CUIString& image);
    CUIString GetThumbNormalImage();
    void SetThumbNormalImage(const CUIString& image);
    CUIString GetThumbHotImage();
    void SetThumbHotImage(const CUIString& image);
    CUIString GetThumbPushedImage();
    void SetThumbPushedImage(const CUIString& image);
    CUIString GetThumbDisabledImage();
    void SetThumbDisabledImage(const CUIString& image);
    CUIString GetRailNormalImage();
    void SetRailNormalImage(const CUIString& image);
    CUIString GetRailHotImage();
    void SetRailHotImage(const CUIString& image);
    CUIString GetRailPushedImage();
    void SetRailPushedImage(const CUIString& image);
    CUIString GetRailDisabledImage();
    void SetRailDisabledImage(const CUIString& image);
    CUIString GetBkNormalImage();
    void SetBkNormalImage(const CUIString& image);
    CUIString GetBkHotImage();
    void SetBkHotImage(const CUIString& image);
    CUIString GetBkPushedImage();
    void SetBkPushedImage(const CUIString& image);
    CUIString GetBkDisabledImage();
    void SetBkDisabledImage(const CUIString& image);

protected:
    // The images of one part, by state.
    struct PartImages {
        CUIString normal;
        CUIString hot;
        CUIString pushed;
        CUIString disabled;
    };

    bool m_bHorizontal;
    int m_nRange;
    int m_nScrollPos;
    int m_nLineSize;
    CUIContainer* m_pOwner;
    tagPOINT m_ptLastMouse;
    int m_nLastScrollPos;
    int m_nLastScrollOffset;
    int m_nScrollRepeatDelay;
    uint32_t m_uTimerId;
    PartImages m_bkImages;
    bool m_bShowButton1;
    CUIRect m_rcButton1;
    uint32_t m_uButton1State;
    PartImages m_button1Images;
    bool m_bShowButton2;
    CUIRect m_rcButton2;
    uint32_t m_uButton2State;
    PartImages m_button2Images;
    CUIRect m_rcThumb;
    uint32_t m_uThumbState;
    PartImages m_thumbImages;
    PartImages m_railImages;
    CUIString m_sImageModify;
    bool m_bShowScroll;

private:
    // The thickness as stored: the fixed width of a vertical bar, the height of a horizontal one.
    int Thickness() const;
    void LayOutParts();
    // The press: a step of the part under the pointer.
    void Press(const TEventUI& event);
    void Release();
    void Move(const TEventUI& event);
    void Tick();
    // A line or a page back (negative) or forward, through the owner when there is one.
    void StepLine(bool forward);
    void StepPage(bool forward);
    // A page towards the held point of the rail, compared with the thumb.
    void PageTowards(tagPOINT held);
    void NotifyScroll();
    void StopRepeat();
    void SetImage(CUIString& field, const CUIString& image);
    // Marks the state disabled or not, then draws the state's image, else the normal one,
    // with m_sImageModify; false when neither drew.
    bool DrawPart(CUIRender* render, PartImages& images, uint32_t& state, bool withModify);
    // Writes the dest modifier of a rectangle relative to the item rectangle.
    void SetDestModify(const tagRECT& rc);
};
