#pragma once
// CUIOption: a button with a selected flag; options of one group name in a window select
// one at a time, an option without a group toggles. CUICheckBox: an option spoken of as
// checked or not.

#include "UIButton.h"
#include "UIWatched.h"

class UILIB_API CUIOption : public CUIButton {
public:
    CUIOption();
    // Leaves the group the option joined.
    ~CUIOption() override;

    CUIString GetClass() const override;
    // The option for "Option", else the button's answer.
    void* GetInterface(const CUIString& name) override;
    // A selected option fills its own background colour, enabled or not.
    void PaintBkColor(CUIRender* render) override;
    void PaintText(CUIRender* render) override;
    // With init, an option with a group name joins the group of its new window.
    void SetOwnWindow(CUIWindow* window, CUIControl* parent, bool init = true) override;
    // Selects the option (in a group) or toggles it (without), then clicks as a button.
    bool Activate() override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Disabling keeps only the selected bit of the state.
    void SetEnabled(bool enabled = true) override;
    // While selected and enabled, the selected images of the state; the button's otherwise.
    void PaintStatusImageBack(CUIRender* render) override;
    void PaintStatusImageFore(CUIRender* render) override;

    // Selecting a grouped option deselects the other members of its group. A change is
    // reported with NOTIFY_SELECT_CHANGED when notify is set: a grouped option reports only
    // becoming selected, an ungrouped one both ways.
    virtual void Selected(bool selected, bool notify);

    bool IsSelected() const;
    CUIString GetGroup() const;
    // Leaves the present group and joins the named one; an empty name leaves it only.
    void SetGroup(const CUIString& group);

    CUIString GetSelectedImage() const;
    void SetSelectedImage(const CUIString& image);
    CUIString GetSelectedHotImage() const;
    void SetSelectedHotImage(const CUIString& image);
    void SetSelectedPushedImage(const CUIString& image);
    CUIString GetSelectedForeImage() const;
    void SetSelectedForeImage(const CUIString& image);
    CUIString GetSelectedHotForeImage() const;
    void SetSelectedHotForeImage(const CUIString& image);
    // Black from the first call on when none was set.
    unsigned long GetSelectedTextColor();
    void SetSelectedTextColor(unsigned long colour);
    unsigned long GetSelectBkColor() const;
    void SetSelectedBkColor(unsigned long colour);

protected:
    bool m_bSelected;
    CUIString m_sGroupName;
    unsigned long m_dwSelectedBkColor;
    unsigned long m_dwSelectedTextColor;
    unsigned long m_dwSelectedHotTextColor;
    unsigned long m_dwSelectedPushedTextColor;
    CUIString m_sSelectedImage;
    CUIString m_sSelectedHotImage;
    CUIString m_sSelectedPushedImage;
    CUIString m_sSelectedForeImage;
    CUIString m_sSelectedHotForeImage;
    CUIString m_sSelectedPushedForeImage;

private:
    void JoinGroup();
    // Leaves the group in the window it was joined in, whatever window the option has now.
    void LeaveGroup();
    // While selected and enabled, draws the first of the images whose state applies and that
    // is set; false when none does.
    bool PaintSelectedImage(CUIRender* render, CUIString& pushed, CUIString& hot, CUIString& normal);
    // Deselects the other options of the group.
    void DeselectOthers();

    // The window whose group the option is a member of, or null.
    CWatched<CUIWindow> m_pGroupWindow;
};

class UILIB_API CUICheckBox : public CUIOption {
public:
    CUICheckBox();
    ~CUICheckBox() override;

    CUIString GetClass() const override;
    // The check box for "CheckBox", else the option's answer.
    void* GetInterface(const CUIString& name) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    using CUIOption::Selected;
    // Selects or deselects, always reporting the change.
    virtual void Selected(bool selected);

    void SetCheck(bool check);
    bool GetCheck() const;
    // Kept for the application; nothing in the library reads it.
    void SetAutoCheck(bool autoCheck);

protected:
    bool m_bAutoCheck;
};
