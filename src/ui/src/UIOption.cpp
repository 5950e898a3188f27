// Options and check boxes: selection, groups kept by the window, and the selected look.

#include "UIOption.h"

#include <cwchar>
#include <string_view>
#include <unordered_map>

#include <utility/logger>

#include "MarkupText.h"
#include "UIRender.h"
#include "UIWindow.h"

namespace {

// A colour of "#" and hexadecimal digits; a value without the "#" is no colour.
unsigned long ReadSelectedColour(const wchar_t* value)
{
    unsigned long colour = 0;
    if (!ParseColorString(value, colour))
        UI_ERROR("%scolour \"%S\" lacks its \"#\", taken as none ", MarkupWhere().c_str(), value);
    else
        CheckHexDigits(value, colour);
    return colour;
}

}  // namespace

// ---- the option ----

CUIOption::CUIOption()
    : m_bSelected(false),
      m_dwSelectedBkColor(0),
      m_dwSelectedTextColor(0),
      m_dwSelectedHotTextColor(0),
      m_dwSelectedPushedTextColor(0)
{
}

CUIOption::~CUIOption() { LeaveGroup(); }

CUIString CUIOption::GetClass() const { return L"OptionUI"; }

void* CUIOption::GetInterface(const CUIString& name)
{
    if (name == L"Option")
        return static_cast<CUIOption*>(this);
    return CUIButton::GetInterface(name);
}

bool CUIOption::IsSelected() const { return m_bSelected; }

// ---- the group ----

CUIString CUIOption::GetGroup() const { return m_sGroupName; }

void CUIOption::SetGroup(const CUIString& group)
{
    if (group == m_sGroupName)
        return;
    LeaveGroup();
    m_sGroupName = group;
    if (m_pWindow && !m_sGroupName.IsEmpty())
        JoinGroup();
}

void CUIOption::JoinGroup()
{
    if (m_pGroupWindow.Get() != m_pWindow)
        LeaveGroup();
    m_pWindow->AddOptionGroup(m_sGroupName.GetData(), this);
    m_pGroupWindow = m_pWindow;
}

void CUIOption::LeaveGroup()
{
    // The builder lends an option its window while it reads the markup and takes it back
    // after: the option may have left the window that keeps it in a group, or outlived it.
    if (CUIWindow* const window = m_pGroupWindow.Get())
        window->RemoveOptionGroup(m_sGroupName.GetData(), this);
    m_pGroupWindow = nullptr;
}

void CUIOption::SetOwnWindow(CUIWindow* window, CUIControl* parent, bool init)
{
    // The option's init handler may delete it.
    const CWatched<CUIControl> alive(init ? this : nullptr);
    CUIButton::SetOwnWindow(window, parent, init);
    if (init && alive && m_pWindow && !m_sGroupName.IsEmpty())
        JoinGroup();
}

// ---- selection ----

void CUIOption::Selected(bool selected, bool notify)
{
    if (m_bSelected == selected)
        return;
    m_bSelected = selected;
    SetButtonState(selected ? m_uButtonState | BUTTONSTATE_SELECTED : m_uButtonState & ~BUTTONSTATE_SELECTED);
    if (m_pWindow) {
        // The handlers of the notification may delete this option.
        const CWatched<CUIControl> alive(this);
        if (m_sGroupName.IsEmpty()) {
            if (notify)
                m_pWindow->SendNotify(this, NOTIFY_SELECT_CHANGED, selected ? 1 : 0, 0, false);
        } else if (selected) {
            DeselectOthers();
            if (notify)
                m_pWindow->SendNotify(this, NOTIFY_SELECT_CHANGED, 1, 0, false);
        }
        if (!alive)
            return;
    }
    Invalidate();
}

void CUIOption::DeselectOthers()
{
    const CStdPtrArray* members = m_pWindow->GetOptionGroup(m_sGroupName.GetData());
    if (members == nullptr)
        return;
    for (int i = 0; i < members->GetSize(); ++i) {
        auto* member = static_cast<CUIControl*>(members->GetAt(i));
        auto* option = static_cast<CUIOption*>(member->GetInterface(L"Option"));
        if (option && option != this)
            option->Selected(false, true);
    }
}

bool CUIOption::Activate()
{
    if (!IsVisible() || !IsEnabled())
        return false;
    const CWatched<CUIControl> alive(this);
    Selected(m_sGroupName.IsEmpty() ? !m_bSelected : true, true);
    if (!alive)
        return true;
    return CUIButton::Activate();
}

void CUIOption::SetEnabled(bool enabled)
{
    CUIControl::SetEnabled(enabled);
    if (!IsEnabled())
        SetButtonState(m_bSelected ? uint32_t{BUTTONSTATE_SELECTED} : 0u);
}

// ---- painting ----

bool CUIOption::PaintSelectedImage(CUIRender* render, CUIString& pushed, CUIString& hot, CUIString& normal)
{
    const uint32_t state = m_uButtonState;
    if (!(state & BUTTONSTATE_SELECTED) || (state & BUTTONSTATE_DISABLED))
        return false;
    return DrawFirstStateImage(render, {
                                           {(state & BUTTONSTATE_PUSHED) != 0, &pushed},
                                           {(state & BUTTONSTATE_HOT) != 0, &hot},
                                           {true, &normal},
                                       });
}

void CUIOption::PaintStatusImageBack(CUIRender* render)
{
    if (!PaintSelectedImage(render, m_sSelectedPushedImage, m_sSelectedHotImage, m_sSelectedImage))
        CUIButton::PaintStatusImageBack(render);
}

void CUIOption::PaintStatusImageFore(CUIRender* render)
{
    if (!PaintSelectedImage(render, m_sSelectedPushedForeImage, m_sSelectedHotForeImage, m_sSelectedForeImage))
        CUIButton::PaintStatusImageFore(render);
}

void CUIOption::PaintBkColor(CUIRender* render)
{
    if (m_bSelected && m_dwSelectedBkColor != 0)
        render->DrawColor(m_rcItem, m_dwSelectedBkColor);
    else
        CUIButton::PaintBkColor(render);
}

void CUIOption::PaintText(CUIRender* render)
{
    const uint32_t state = m_uButtonState;
    if (!(state & BUTTONSTATE_SELECTED) || !IsEnabled()) {
        CUIButton::PaintText(render);
        return;
    }
    unsigned long colour = m_dwTextColor != 0 ? m_dwTextColor : kDefaultTextColor;
    if ((state & BUTTONSTATE_PUSHED) && m_dwSelectedPushedTextColor != 0)
        colour = m_dwSelectedPushedTextColor;
    else if ((state & BUTTONSTATE_HOT) && m_dwSelectedHotTextColor != 0)
        colour = m_dwSelectedHotTextColor;
    else if (m_dwSelectedTextColor != 0)
        colour = m_dwSelectedTextColor;
    if (m_dwDisabledTextColor == 0)
        m_dwDisabledTextColor = kDefaultDisabledTextColor;
    if (m_sText.IsEmpty())
        return;
    // The label's own style: a selected option's text may take several lines.
    DrawTextWraper(render, TextRect(), m_sText, m_uTextStyle, colour, m_bShowHtml, nullptr);
}

// ---- colours and images ----

CUIString CUIOption::GetSelectedImage() const { return m_sSelectedImage; }

void CUIOption::SetSelectedImage(const CUIString& image)
{
    m_sSelectedImage = image;
    Invalidate();
}

CUIString CUIOption::GetSelectedHotImage() const { return m_sSelectedHotImage; }

void CUIOption::SetSelectedHotImage(const CUIString& image)
{
    m_sSelectedHotImage = image;
    Invalidate();
}

void CUIOption::SetSelectedPushedImage(const CUIString& image)
{
    m_sSelectedPushedImage = image;
    Invalidate();
}

CUIString CUIOption::GetSelectedForeImage() const { return m_sSelectedForeImage; }

void CUIOption::SetSelectedForeImage(const CUIString& image)
{
    m_sSelectedForeImage = image;
    Invalidate();
}

CUIString CUIOption::GetSelectedHotForeImage() const { return m_sSelectedHotForeImage; }

void CUIOption::SetSelectedHotForeImage(const CUIString& image)
{
    m_sSelectedHotForeImage = image;
    Invalidate();
}

unsigned long CUIOption::GetSelectedTextColor()
{
    if (m_dwSelectedTextColor == 0)
        m_dwSelectedTextColor = kDefaultTextColor;
    return m_dwSelectedTextColor;
}

void CUIOption::SetSelectedTextColor(unsigned long colour) { m_dwSelectedTextColor = colour; }

unsigned long CUIOption::GetSelectBkColor() const { return m_dwSelectedBkColor; }

void CUIOption::SetSelectedBkColor(unsigned long colour) { m_dwSelectedBkColor = colour; }

// ---- markup ----

void CUIOption::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    static const AttributeTable<CUIOption> kAttributes = {
        {L"group", [](CUIOption& o, const wchar_t* v) { o.SetGroup(v); }},
        {L"selected", [](CUIOption& o, const wchar_t* v) { o.Selected(ReadBool(v), true); }},
        {L"selectedimage", [](CUIOption& o, const wchar_t* v) { o.SetSelectedImage(v); }},
        {L"selectedhotimage", [](CUIOption& o, const wchar_t* v) { o.SetSelectedHotImage(v); }},
        {L"selectedpushedimage", [](CUIOption& o, const wchar_t* v) { o.m_sSelectedPushedImage = v; }},
        {L"selectedforeimage", [](CUIOption& o, const wchar_t* v) { o.SetSelectedForeImage(v); }},
        {L"selectedhotforeimage", [](CUIOption& o, const wchar_t* v) { o.SetSelectedHotForeImage(v); }},
        {L"selectedpushedforeimage", [](CUIOption& o, const wchar_t* v) { o.m_sSelectedPushedForeImage = v; }},
        {L"selectedbkcolor", [](CUIOption& o, const wchar_t* v) { o.m_dwSelectedBkColor = ReadSelectedColour(v); }},
        {L"selectedtextcolor",
         [](CUIOption& o, const wchar_t* v) { o.m_dwSelectedTextColor = ReadSelectedColour(v); }},
        {L"selectedhottextcolor",
         [](CUIOption& o, const wchar_t* v) { o.m_dwSelectedHotTextColor = ReadSelectedColour(v); }},
        {L"selectedpushedtextcolor",
         [](CUIOption& o, const wchar_t* v) { o.m_dwSelectedPushedTextColor = ReadSelectedColour(v); }},
    };
    if (!ApplyAttribute(kAttributes, *this, name, value))
        CUIButton::SetAttribute(name, value);
}

// ---- the check box ----

CUICheckBox::CUICheckBox() : m_bAutoCheck(false) {}

CUICheckBox::~CUICheckBox() {}

CUIString CUICheckBox::GetClass() const { return L"CheckBoxUI"; }

void* CUICheckBox::GetInterface(const CUIString& name)
{
    if (name == L"CheckBox")
        return static_cast<CUICheckBox*>(this);
    return CUIOption::GetInterface(name);
}

void CUICheckBox::DoEvent(TEventUI& event) { CUIButton::DoEvent(event); }

void CUICheckBox::Selected(bool selected) { Selected(selected, true); }

void CUICheckBox::SetCheck(bool check) { Selected(check); }

bool CUICheckBox::GetCheck() const { return IsSelected(); }

void CUICheckBox::SetAutoCheck(bool autoCheck) { m_bAutoCheck = autoCheck; }

void CUICheckBox::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name && value && wcscmp(name, L"EnableAutoCheck") == 0) {
        SetAutoCheck(ReadBool(value));
        return;
    }
    CUIOption::SetAttribute(name, value);
}
