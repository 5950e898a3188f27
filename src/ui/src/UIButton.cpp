// The push button: its state under the pointer, the click, the state images and colours,
// and the binding to a tab layout.

#include "UIButton.h"

#include <cwchar>
#include <string>
#include <string_view>
#include <unordered_map>

#include "EventCodes.h"
#include "MarkupText.h"
#include "UIRender.h"
#include "UITabLayout.h"
#include "UIWindow.h"

namespace {

const wchar_t* OrEmpty(const wchar_t* text) { return text ? text : L""; }

}  // namespace

CUIButton::CUIButton()
    : m_uButtonState(0),
      m_uLookStates(0),
      m_dwHotBkColor(0),
      m_dwHotTextColor(0),
      m_dwPushedTextColor(0),
      m_dwFocusedTextColor(0),
      m_dwPushedBkColor(0),
      m_iBindTabIndex(-1),
      m_bSliderAndSelect(false),
      m_bCandActive(true)
{
    m_uTextStyle = TEXTSTYLE_SINGLELINE | TEXTSTYLE_VCENTER | TEXTSTYLE_CENTER;
}

CUIButton::~CUIButton() {}

CUIString CUIButton::GetClass() const { return L"ButtonUI"; }

void* CUIButton::GetInterface(const CUIString& name)
{
    if (name == L"Button")
        return static_cast<CUIButton*>(this);
    return CUILabel::GetInterface(name);
}

UINT CUIButton::GetControlFlags() const { return IsEnabled() ? 2 : 0; }

// ---- state ----

void CUIButton::SetButtonState(uint32_t state)
{
    m_uButtonState = state;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        if (child == nullptr || !child->IsUseParentState())
            continue;
        if (auto* button = static_cast<CUIButton*>(child->GetInterface(L"Button")))
            button->SetButtonState(state);
    }
}

uint32_t CUIButton::GetButtonState() const { return m_uButtonState; }

bool CUIButton::HasState(uint32_t bits) const { return (m_uLookStates & bits) != 0; }

void CUIButton::SetSliderAndSelect(bool sliderAndSelect) { m_bSliderAndSelect = sliderAndSelect; }

void CUIButton::SetCandActive(bool candActive) { m_bCandActive = candActive; }

void CUIButton::SetEnabled(bool enabled)
{
    CUIControl::SetEnabled(enabled);
    if (!IsEnabled())
        m_uButtonState = 0;
}

void CUIButton::RefreshFocusAndEnabled()
{
    uint32_t state = m_uButtonState & ~(BUTTONSTATE_FOCUSED | BUTTONSTATE_DISABLED);
    if (IsFocused())
        state |= BUTTONSTATE_FOCUSED;
    if (!IsEnabled())
        state |= BUTTONSTATE_DISABLED;
    SetButtonState(state);
}

// ---- input ----

void CUIButton::SetHot(bool hot)
{
    if (IsEnabled()) {
        SetButtonState(hot ? m_uButtonState | BUTTONSTATE_HOT : m_uButtonState & ~BUTTONSTATE_HOT);
        if (HasState(BUTTONSTATE_HOT))
            Invalidate();
    }
}

void CUIButton::DoEvent(TEventUI& event)
{
    if (PassOnWhileMouseDisabled(event))
        return;
    CUIRect item = m_rcItem;
    const bool inside = item.IsPtIn(event.ptMouse);
    switch (event.Type) {
    case EVENT_SETFOCUS:
    case EVENT_KILLFOCUS:
        if (HasState(BUTTONSTATE_FOCUSED))
            Invalidate();
        CUILabel::DoEvent(event);
        return;
    case EVENT_BUTTONDOWN:
    case EVENT_DBLCLICK:
        if (inside && IsEnabled()) {
            SetButtonState(m_uButtonState | BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED);
            if (HasState(BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED))
                Invalidate();
        }
        return;
    case EVENT_MOUSEMOVE: {
        if (!(m_uButtonState & BUTTONSTATE_CAPTURED))
            return;
        const uint32_t before = m_uButtonState;
        SetButtonState(inside ? m_uButtonState | BUTTONSTATE_PUSHED : m_uButtonState & ~BUTTONSTATE_PUSHED);
        if (m_uButtonState != before && HasState(BUTTONSTATE_PUSHED))
            Invalidate();
        return;
    }
    case EVENT_BUTTONUP: {
        if (!(m_uButtonState & BUTTONSTATE_CAPTURED))
            return;
        if (m_bCandActive && (!IsPressedSlider() || m_bSliderAndSelect) && inside) {
            // The click's handlers may delete this button.
            const CWatched<CUIControl> alive(this);
            Activate();
            if (!alive)
                return;
        }
        SetButtonState(m_uButtonState & ~(BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED));
        if (HasState(BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED))
            Invalidate();
        return;
    }
    case kEventSwallowed:
    case EVENT_SETCURSOR:
        return;
    case EVENT_MOUSEENTER:
        SetHot(true);
        CUILabel::DoEvent(event);
        return;
    case EVENT_MOUSELEAVE:
        SetHot(false);
        CUILabel::DoEvent(event);
        return;
    default:
        CUILabel::DoEvent(event);
        return;
    }
}

bool CUIButton::Activate()
{
    if (!CUIControl::Activate())
        return false;
    if (m_pWindow == nullptr)
        return true;
    const CWatched<CUIControl> alive(this);
    m_pWindow->SendNotify(this, NOTIFY_CLICK, 0, 0, false);
    if (alive)
        BindTriggerTabSel(-1);
    return true;
}

// ---- the bound tab layout ----

void CUIButton::BindTabIndex(int index)
{
    if (index >= 0)
        m_iBindTabIndex = index;
}

int CUIButton::GetBindTabLayoutIndex() const { return m_iBindTabIndex; }

void CUIButton::BindTabLayoutName(const wchar_t* name)
{
    if (name)
        m_sBindTabLayoutName = name;
}

CUIString CUIButton::GetBindTabLayoutName() const { return m_sBindTabLayoutName; }

void CUIButton::BindTabItemName(const wchar_t* name)
{
    if (name)
        m_sBindTabItemName = name;
}

CUIString CUIButton::GetBindTabItemName() const { return m_sBindTabItemName; }

void CUIButton::RemoveBindTabIndex()
{
    m_iBindTabIndex = -1;
    m_sBindTabLayoutName.Empty();
}

void CUIButton::BindTriggerTabSel(int index)
{
    if (m_pWindow == nullptr)
        return;
    CUIControl* found = m_pWindow->FindControl(m_sBindTabLayoutName.GetData());
    auto* layout = found ? static_cast<CUITabLayout*>(found->GetInterface(L"TabLayout")) : nullptr;
    if (layout == nullptr)
        return;
    if (index >= 0)
        layout->SelectItem(index, true);
    else if (m_iBindTabIndex >= 0)
        layout->SelectItem(m_iBindTabIndex, true);
    else
        layout->SelectItem(m_sBindTabItemName.GetData(), true);
}

// ---- painting ----

bool CUIButton::DrawFirstStateImage(CUIRender* render, std::initializer_list<StateImage> rows)
{
    for (const StateImage& row : rows) {
        if (row.applies && !row.image->IsEmpty()) {
            DrawImageOrForget(render, *row.image, nullptr);
            return true;
        }
    }
    return false;
}

void CUIButton::PaintStatusImage(CUIRender* render)
{
    RefreshFocusAndEnabled();
    PaintStatusImageBack(render);
    PaintStatusImageFore(render);
}

void CUIButton::PaintStatusImageBack(CUIRender* render)
{
    const uint32_t state = m_uButtonState;
    DrawFirstStateImage(render, {
                                    {(state & BUTTONSTATE_DISABLED) != 0, &m_sDisabledImage},
                                    {(state & BUTTONSTATE_PUSHED) != 0, &m_sPushedImage},
                                    {(state & BUTTONSTATE_HOT) != 0, &m_sHotImage},
                                    {(state & BUTTONSTATE_FOCUSED) != 0, &m_sFocusedImage},
                                    {true, &m_sNormalImage},
                                });
}

void CUIButton::PaintStatusImageFore(CUIRender* render)
{
    const uint32_t state = m_uButtonState;
    DrawFirstStateImage(render, {
                                    {(state & BUTTONSTATE_DISABLED) != 0, &m_sDisabledForeImage},
                                    {(state & BUTTONSTATE_HOT) != 0, &m_sHotForeImage},
                                    {(state & BUTTONSTATE_FOCUSED) != 0, &m_sFocusedForeImage},
                                    {true, &m_sForeImage},
                                });
}

void CUIButton::PaintBkColor(CUIRender* render)
{
    if ((m_uButtonState & BUTTONSTATE_PUSHED) && m_dwPushedBkColor != 0)
        render->DrawColor(m_rcItem, m_dwPushedBkColor);
    else if ((m_uButtonState & BUTTONSTATE_HOT) && m_dwHotBkColor != 0)
        render->DrawColor(m_rcItem, m_dwHotBkColor);
    else
        CUIControl::PaintBkColor(render);
}

void CUIButton::PaintText(CUIRender* render)
{
    RefreshFocusAndEnabled();
    StoreColourDefaults();
    if (m_sText.IsEmpty())
        return;
    unsigned long colour = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    if ((m_uButtonState & BUTTONSTATE_PUSHED) && m_dwPushedTextColor != 0)
        colour = m_dwPushedTextColor;
    else if ((m_uButtonState & BUTTONSTATE_HOT) && m_dwHotTextColor != 0)
        colour = m_dwHotTextColor;
    else if ((m_uButtonState & BUTTONSTATE_FOCUSED) && m_dwFocusedTextColor != 0)
        colour = m_dwFocusedTextColor;
    // A button's text always stays on one line.
    DrawTextWraper(render, TextRect(), m_sText, m_uTextStyle | TEXTSTYLE_SINGLELINE, colour, m_bShowHtml, nullptr);
}

// ---- colours and images ----

void CUIButton::SetStateColour(unsigned long& field, unsigned long colour, uint32_t state)
{
    field = colour;
    m_uLookStates |= state;
}

void CUIButton::SetStateImage(CUIString& field, const wchar_t* image, uint32_t state)
{
    field = OrEmpty(image);
    m_uLookStates |= state;
    Invalidate();
}

unsigned long CUIButton::GetHotBkColor() const { return m_dwHotBkColor; }
void CUIButton::SetHotBkColor(unsigned long colour) { SetStateColour(m_dwHotBkColor, colour, BUTTONSTATE_HOT); }
unsigned long CUIButton::GetPushedBkColor() const { return m_dwPushedBkColor; }
void CUIButton::SetPushedBkColor(unsigned long colour) { SetStateColour(m_dwPushedBkColor, colour, BUTTONSTATE_PUSHED); }
unsigned long CUIButton::GetHotTextColor() const { return m_dwHotTextColor; }
void CUIButton::SetHotTextColor(unsigned long colour) { SetStateColour(m_dwHotTextColor, colour, BUTTONSTATE_HOT); }
unsigned long CUIButton::GetPushedTextColor() const { return m_dwPushedTextColor; }
void CUIButton::SetPushedTextColor(unsigned long colour)
{
    SetStateColour(m_dwPushedTextColor, colour, BUTTONSTATE_PUSHED);
}
unsigned long CUIButton::GetFocusedTextColor() const { return m_dwFocusedTextColor; }
void CUIButton::SetFocusedTextColor(unsigned long colour)
{
    SetStateColour(m_dwFocusedTextColor, colour, BUTTONSTATE_FOCUSED);
}

const wchar_t* CUIButton::GetNormalImage() const { return m_sNormalImage.GetData(); }
void CUIButton::SetNormalImage(const wchar_t* image) { SetStateImage(m_sNormalImage, image, 0); }
const wchar_t* CUIButton::GetHotImage() const { return m_sHotImage.GetData(); }
void CUIButton::SetHotImage(const wchar_t* image) { SetStateImage(m_sHotImage, image, BUTTONSTATE_HOT); }
const wchar_t* CUIButton::GetPushedImage() const { return m_sPushedImage.GetData(); }
void CUIButton::SetPushedImage(const wchar_t* image) { SetStateImage(m_sPushedImage, image, BUTTONSTATE_PUSHED); }
const wchar_t* CUIButton::GetFocusedImage() const { return m_sFocusedImage.GetData(); }
void CUIButton::SetFocusedImage(const wchar_t* image) { SetStateImage(m_sFocusedImage, image, BUTTONSTATE_FOCUSED); }
const wchar_t* CUIButton::GetDisabledImage() const { return m_sDisabledImage.GetData(); }
void CUIButton::SetDisabledImage(const wchar_t* image)
{
    SetStateImage(m_sDisabledImage, image, BUTTONSTATE_DISABLED);
}
const wchar_t* CUIButton::GetForeImage() const { return m_sForeImage.GetData(); }
void CUIButton::SetForeImage(const wchar_t* image) { SetStateImage(m_sForeImage, image, 0); }
const wchar_t* CUIButton::GetHotForeImage() const { return m_sHotForeImage.GetData(); }
void CUIButton::SetHotForeImage(const wchar_t* image) { SetStateImage(m_sHotForeImage, image, BUTTONSTATE_HOT); }
const wchar_t* CUIButton::GetFocusedForeImage() const { return m_sFocusedForeImage.GetData(); }
void CUIButton::SetFocusedForeImage(const wchar_t* image)
{
    SetStateImage(m_sFocusedForeImage, image, BUTTONSTATE_FOCUSED);
}
const wchar_t* CUIButton::GetDisabledForeImage() const { return m_sDisabledForeImage.GetData(); }
void CUIButton::SetDisabledForeImage(const wchar_t* image)
{
    SetStateImage(m_sDisabledForeImage, image, BUTTONSTATE_DISABLED);
}

// ---- markup ----

void CUIButton::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    static const AttributeTable<CUIButton> kAttributes = {
        {L"normalimage", [](CUIButton& b, const wchar_t* v) { b.SetNormalImage(v); }},
        {L"hotimage", [](CUIButton& b, const wchar_t* v) { b.SetHotImage(v); }},
        {L"pushedimage", [](CUIButton& b, const wchar_t* v) { b.SetPushedImage(v); }},
        {L"focusedimage", [](CUIButton& b, const wchar_t* v) { b.SetFocusedImage(v); }},
        {L"disabledimage", [](CUIButton& b, const wchar_t* v) { b.SetDisabledImage(v); }},
        {L"foreimage", [](CUIButton& b, const wchar_t* v) { b.SetForeImage(v); }},
        {L"hotforeimage", [](CUIButton& b, const wchar_t* v) { b.SetHotForeImage(v); }},
        {L"focusedforeimage", [](CUIButton& b, const wchar_t* v) { b.SetFocusedForeImage(v); }},
        {L"disabledforeimage", [](CUIButton& b, const wchar_t* v) { b.SetDisabledForeImage(v); }},
        {L"hotbkcolor", [](CUIButton& b, const wchar_t* v) { b.SetHotBkColor(ReadHexColour(v)); }},
        {L"pushedbkcolor", [](CUIButton& b, const wchar_t* v) { b.SetPushedBkColor(ReadHexColour(v)); }},
        {L"hottextcolor", [](CUIButton& b, const wchar_t* v) { b.SetHotTextColor(ReadHexColour(v)); }},
        {L"pushedtextcolor", [](CUIButton& b, const wchar_t* v) { b.SetPushedTextColor(ReadHexColour(v)); }},
        {L"focusedtextcolor", [](CUIButton& b, const wchar_t* v) { b.SetFocusedTextColor(ReadHexColour(v)); }},
        {L"bindtabindex", [](CUIButton& b, const wchar_t* v) { b.BindTabIndex(ReadInt(v)); }},
        {L"bindtablayoutname", [](CUIButton& b, const wchar_t* v) { b.BindTabLayoutName(v); }},
        {L"sliderandselected", [](CUIButton& b, const wchar_t* v) { b.SetSliderAndSelect(ReadBool(v)); }},
    };
    if (!ApplyAttribute(kAttributes, *this, name, value))
        CUILabel::SetAttribute(name, value);
}
