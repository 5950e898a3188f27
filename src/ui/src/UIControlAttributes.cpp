// The base control's markup attributes, attribute lists and classes ("style").

#include "UIControl.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <utility/logger>

#include "GlobalManager.h"
#include "MarkupLimits.h"
#include "MarkupText.h"
#include "ResourceMgr.h"
#include "Scaling.h"
#include "UIParse.h"
#include "UIWindow.h"

namespace {

// A rectangle from markup with every edge within int, so that placing by it cannot overflow.
bool ReadRect(const wchar_t* value, CUIRect& rc)
{
    if (!ParseRectString(value, rc))
        return false;
    rc = CUIRect(ClampToInt(rc.left), ClampToInt(rc.top), ClampToInt(rc.right), ClampToInt(rc.bottom));
    return true;
}

// The classes being applied right now, each with the control it is applied to; each name
// is viewed in the SetStyle call that applies it.
std::vector<std::pair<const CUIControl*, std::wstring_view>>& StylesInProgress()
{
    static std::vector<std::pair<const CUIControl*, std::wstring_view>> inProgress;
    return inProgress;
}

bool IsInProgress(const CUIControl* control, std::wstring_view className)
{
    for (const auto& entry : StylesInProgress()) {
        if (entry.first == control && entry.second == className)
            return true;
    }
    return false;
}

// The classes applied since the outermost class being applied began: classes that each
// name others more than once multiply, so one style applies a bounded number in all.
struct StyleExpansion {
    int applied = 0;
    bool reported = false;
};
StyleExpansion& Expansion()
{
    static StyleExpansion expansion;
    return expansion;
}

// Counts one more class for the running expansion; false past the bound, logged once.
bool TakeClassApplication(const std::wstring& className)
{
    StyleExpansion& expansion = Expansion();
    if (StylesInProgress().empty())
        expansion = StyleExpansion();
    if (expansion.applied < kMaxClassApplications) {
        ++expansion.applied;
        return true;
    }
    if (!expansion.reported) {
        expansion.reported = true;
        UI_ERROR("%sclass \"%S\": more than %d classes for one style, it and the rest refused ", MarkupWhere().c_str(),
                 className.c_str(), kMaxClassApplications);
    }
    return false;
}

// The anchor words are read as the text style's alignment words, whose bits the anchor shares.
constexpr bool SameBit(uint32_t anchor, uint32_t style) { return anchor == style; }
static_assert(SameBit(ANCHOR_TOP, TEXTSTYLE_TOP) && SameBit(ANCHOR_LEFT, TEXTSTYLE_LEFT) &&
                  SameBit(ANCHOR_CENTER, TEXTSTYLE_CENTER) && SameBit(ANCHOR_RIGHT, TEXTSTYLE_RIGHT) &&
                  SameBit(ANCHOR_VCENTER, TEXTSTYLE_VCENTER) && SameBit(ANCHOR_BOTTOM, TEXTSTYLE_BOTTOM),
              "the anchor bits are the text style's alignment bits");

}  // namespace

void CUIControl::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    // Every control of every markup file comes through here: look the name up, not down a list.
    static const AttributeTable<CUIControl> kAttributes = {
        {L"style", [](CUIControl& c, const wchar_t* v) { c.SetStyle(v); }},
        {L"name", [](CUIControl& c, const wchar_t* v) { c.SetName(v); }},
        {L"controlname", [](CUIControl& c, const wchar_t* v) { c.SetName(v); }},
        {L"pos",
         [](CUIControl& c, const wchar_t* v) {
             CUIRect rc;
             if (!ReadRect(v, rc)) {
                 UI_ERROR("%spos \"%S\" is no rectangle ", MarkupWhere().c_str(), v);
                 return;
             }
             c.SetFixedXY({rc.left >= 0 ? rc.left : rc.right, rc.top >= 0 ? rc.top : rc.bottom});
             c.SetFixedWidth(ClampToInt(rc.right - rc.left));
             c.SetFixedHeight(ClampToInt(rc.bottom - rc.top));
         }},
        {L"padding",
         [](CUIControl& c, const wchar_t* v) {
             CUIRect rc;
             if (!ReadRect(v, rc)) {
                 UI_ERROR("%spadding \"%S\" is no rectangle ", MarkupWhere().c_str(), v);
                 return;
             }
             c.SetPadding(rc);
         }},
        {L"bkcolor", [](CUIControl& c, const wchar_t* v) { ApplyColour(v, [&c](unsigned long k) { c.SetBkColor(k); }); }},
        {L"bkcolor1", [](CUIControl& c, const wchar_t* v) { ApplyColour(v, [&c](unsigned long k) { c.SetBkColor(k); }); }},
        {L"bordercolor",
         [](CUIControl& c, const wchar_t* v) { ApplyColour(v, [&c](unsigned long k) { c.SetBorderColor(k); }); }},
        {L"focusbordercolor",
         [](CUIControl& c, const wchar_t* v) { ApplyColour(v, [&c](unsigned long k) { c.m_dwFocusBorderColor = k; }); }},
        {L"colorhsl", [](CUIControl&, const wchar_t* v) { ReadBool(v); }},
        {L"bordersize", [](CUIControl& c, const wchar_t* v) { c.SetBorderSize(ReadInt(v)); }},
        {L"focusbordersize", [](CUIControl& c, const wchar_t* v) { c.m_nFocusBorderSize = ReadInt(v); }},
        {L"borderstyle", [](CUIControl&, const wchar_t*) {}},
        {L"borderround", [](CUIControl&, const wchar_t*) {}},
        {L"bkimage", [](CUIControl& c, const wchar_t* v) { c.SetBkImage(v); }},
        {L"width", [](CUIControl& c, const wchar_t* v) { c.SetFixedWidth(ReadInt(v)); }},
        {L"height", [](CUIControl& c, const wchar_t* v) { c.SetFixedHeight(ReadInt(v)); }},
        {L"minwidth", [](CUIControl& c, const wchar_t* v) { c.SetMinWidth(ReadInt(v)); }},
        {L"minheight", [](CUIControl& c, const wchar_t* v) { c.SetMinHeight(ReadInt(v)); }},
        {L"maxwidth", [](CUIControl& c, const wchar_t* v) { c.SetMaxWidth(ReadInt(v)); }},
        {L"maxheight", [](CUIControl& c, const wchar_t* v) { c.SetMaxHeight(ReadInt(v)); }},
        {L"text", [](CUIControl& c, const wchar_t* v) { c.SetText(v); }},
        {L"textid", [](CUIControl& c, const wchar_t* v) { c.SetTextId(v); }},
        {L"tooltip", [](CUIControl& c, const wchar_t* v) { c.SetToolTip(v); }},
        {L"tooltipid", [](CUIControl& c, const wchar_t* v) { c.SetToolTipId(v); }},
        {L"userdata", [](CUIControl& c, const wchar_t* v) { c.SetUserData(v); }},
        {L"enabled", [](CUIControl& c, const wchar_t* v) { c.SetEnabled(ReadBool(v)); }},
        {L"mouse", [](CUIControl& c, const wchar_t* v) { c.SetMouseEnabled(ReadBool(v)); }},
        {L"keyboard", [](CUIControl&, const wchar_t* v) { ReadBool(v); }},
        {L"visible", [](CUIControl& c, const wchar_t* v) { c.SetVisible(ReadBool(v)); }},
        {L"float", [](CUIControl& c, const wchar_t* v) { c.SetFloat(ReadBool(v)); }},
        {L"shortcut", [](CUIControl&, const wchar_t*) {}},
        {L"menu", [](CUIControl&, const wchar_t* v) { ReadBool(v); }},
        {L"virtualwnd", [](CUIControl&, const wchar_t*) {}},
        {L"index", [](CUIControl& c, const wchar_t* v) { c.SetIndex(ReadInt(v)); }},
        {L"mousechild", [](CUIControl& c, const wchar_t* v) { c.SetMouseChildEnabled(ReadBool(v)); }},
        {L"anchoralign", [](CUIControl& c, const wchar_t* v) { c.m_uAnchor = ReadAlignWords(v, c.m_uAnchor, true); }},
        {L"useparentstate", [](CUIControl& c, const wchar_t* v) { c.SetUseParentState(ReadBool(v)); }},
        {L"usesmallescale", [](CUIControl& c, const wchar_t* v) { c.SetUseSmallScale(ReadBool(v)); }},
    };
    // Every class hands on the names it does not read: a name that ends here is read by none.
    if (!ApplyAttribute(kAttributes, *this, name, value))
        ReportUnknownAttribute(*this, name);
}

namespace {

// Applies the attributes of a list, name="value" pairs one blank apart, to control. Each
// name and value is handed on in place, its delimiter standing in for the terminator
// during the call, so that the text is whole again whenever a mistake is reported.
void ApplyAttributesIn(CUIControl& control, wchar_t* list)
{
    wchar_t* cursor = list;
    while (*cursor != L'\0') {
        wchar_t* const equals = wcschr(cursor, L'=');
        if (equals == nullptr) {
            UI_ERROR("%sattribute list \"%S\": no \"=\" after a name ", MarkupWhere().c_str(), list);
            return;
        }
        const wchar_t* const name = cursor;
        cursor = equals + 1;
        while (*cursor == L' ')
            ++cursor;
        if (*cursor != L'"') {
            UI_ERROR("%sattribute list \"%S\": no opening quotation mark ", MarkupWhere().c_str(), list);
            return;
        }
        const wchar_t* const value = ++cursor;
        wchar_t* const closing = wcschr(cursor, L'"');
        if (closing == nullptr) {
            UI_ERROR("%sattribute list \"%S\": no closing quotation mark ", MarkupWhere().c_str(), list);
            return;
        }
        *equals = L'\0';
        *closing = L'\0';
        control.SetAttribute(name, value);
        *equals = L'=';
        *closing = L'"';
        cursor = closing + 1;
        if (*cursor != L' ')
            return;
        ++cursor;
    }
}

}  // namespace

void CUIControl::ApplyAttributeList(const wchar_t* list)
{
    if (list == nullptr)
        return;
    std::wstring text(list);
    ApplyAttributesIn(*this, text.data());
}

void CUIControl::SetStyle(const CUIString& className)
{
    const std::wstring name = className.GetData();
    if (IsInProgress(this, name)) {
        UI_ERROR("%sclass \"%S\" names itself through style, refused ", MarkupWhere().c_str(), name.c_str());
        return;
    }
    std::wstring list;
    if (m_pWindow) {
        list = m_pWindow->GetPaintManager()->GetClassAttributes(name);
        if (list.empty() && m_pWindow->GetStyleCustom())
            list = m_pWindow->GetStyleCustom()->GetClassAttributes(name);
    }
    if (list.empty())
        list = GlobalManager::GetClassAttributes(name);
    if (list.empty()) {
        UI_ERROR("%sclass \"%S\" is not known ", MarkupWhere().c_str(), name.c_str());
        return;
    }
    if (!TakeClassApplication(name))
        return;
    StylesInProgress().emplace_back(this, name);
    ApplyAttributesIn(*this, list.data());
    StylesInProgress().pop_back();
}
