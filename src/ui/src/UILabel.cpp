// The label and the text control: attributes, text painting and the size estimates.

#include "UILabel.h"

#include <algorithm>
#include <cwchar>
#include <string_view>
#include <unordered_map>

#include <utility/logger>

#include "EventCodes.h"
#include "MarkupText.h"
#include "SizeLimits.h"
#include "UIRender.h"
#include "UIWindow.h"

namespace {

// The extent of the rectangle that text is measured in where nothing limits it.
const int64_t kMeasureExtent = 9999;

UINT WithBit(UINT style, UINT bit, bool set) { return set ? style | bit : style & ~bit; }

bool SameSize(const tagSIZE& a, const tagSIZE& b) { return a.cx == b.cx && a.cy == b.cy; }

}  // namespace

// ---- the label ----

CUILabel::CUILabel()
    : m_dwTextColor(0),
      m_dwDisabledTextColor(0),
      m_uTextStyle(TEXTSTYLE_SINGLELINE | TEXTSTYLE_VCENTER | TEXTSTYLE_CENTER),
      m_bShowHtml(false),
      m_bAutoCalcWidth(false),
      m_bAutoCalcHeight(false),
      m_szAvailableLast{0, 0},
      m_cxyFixedLast{0, 0},
      m_bNeedEstimateSize(false),
      m_basisLast(CurrentBasis({0, 0}))
{
}

CUILabel::~CUILabel() {}

CUIString CUILabel::GetClass() const { return L"LabelUI"; }

void* CUILabel::GetInterface(const CUIString& name)
{
    if (name == L"Label")
        return static_cast<CUILabel*>(this);
    return CUIControl::GetInterface(name);
}

void CUILabel::SetText(const wchar_t* text)
{
    CUIControl::SetText(text);
    m_bNeedEstimateSize = true;
}

bool CUILabel::GetAutoCalcWidth() const { return m_bAutoCalcWidth; }
void CUILabel::SetAutoCalcWidth(bool autoCalcWidth) { m_bAutoCalcWidth = autoCalcWidth; }
bool CUILabel::GetAutoCalcHeight() const { return m_bAutoCalcHeight; }
void CUILabel::SetAutoCalcHeight(bool autoCalcHeight) { m_bAutoCalcHeight = autoCalcHeight; }

void CUILabel::SetSingleline(bool singleline) { m_uTextStyle = WithBit(m_uTextStyle, TEXTSTYLE_SINGLELINE, singleline); }

UINT CUILabel::GetTextStyle() const { return m_uTextStyle; }

void CUILabel::SetTextStyle(UINT style)
{
    m_uTextStyle = style;
    Invalidate();
}

unsigned long CUILabel::GetTextColor() const { return m_dwTextColor; }

void CUILabel::SetTextColor(unsigned long colour)
{
    m_dwTextColor = colour;
    Invalidate();
}

unsigned long CUILabel::GetDisabledTextColor() const { return m_dwDisabledTextColor; }

void CUILabel::SetDisabledTextColor(unsigned long colour)
{
    m_dwDisabledTextColor = colour;
    Invalidate();
}

CUIString CUILabel::GetFont() const { return m_sFont; }

void CUILabel::SetFont(const CUIString& fontName)
{
    m_sFont = fontName;
    Invalidate();
}

void CUILabel::SetFonts(const CUIString& groupName) { m_sFonts = groupName; }

CUIRect CUILabel::GetTextPadding() const { return ScaleRect(m_rcTextPadding); }

void CUILabel::SetTextPadding(const CUIRect& padding)
{
    m_rcTextPadding = padding;
    Invalidate();
}

bool CUILabel::IsShowHtml() const { return m_bShowHtml; }

void CUILabel::SetShowHtml(bool showHtml)
{
    if (m_bShowHtml == showHtml)
        return;
    m_bShowHtml = showHtml;
    Invalidate();
}

void CUILabel::DrawTextWraper(CUIRender* render, const CUIRect& rect, const CUIString& text, unsigned long style,
                              unsigned long colour, bool html, CUIRect* out)
{
    if (!m_sFonts.IsEmpty())
        render->DrawTextFromFonts(rect, text, style, m_sFonts, colour, html, out);
    else
        render->DrawText(rect, text, style, m_sFont, colour, html, out);
}

void CUILabel::StoreColourDefaults()
{
    if (m_dwTextColor == 0)
        m_dwTextColor = kDefaultTextColor;
    if (m_dwDisabledTextColor == 0)
        m_dwDisabledTextColor = kDefaultDisabledTextColor;
}

CUIRect CUILabel::TextRect() const
{
    CUIRect rc = m_rcItem;
    rc.Deflate(GetTextPadding());
    return rc;
}

void CUILabel::PaintText(CUIRender* render)
{
    StoreColourDefaults();
    if (m_sText.IsEmpty())
        return;
    const unsigned long colour = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    DrawTextWraper(render, TextRect(), m_sText, m_uTextStyle, colour, m_bShowHtml, nullptr);
}

void CUILabel::DoEvent(TEventUI& event)
{
    if (event.Type == EVENT_SETFOCUS) {
        m_bFocused = true;
        return;
    }
    if (event.Type == EVENT_KILLFOCUS) {
        m_bFocused = false;
        return;
    }
    CUIControl::DoEvent(event);
}

// ---- the estimate ----

bool CUILabel::EstimateBasis::operator==(const EstimateBasis& other) const
{
    return SameSize(fixed, other.fixed) && SameSize(minimum, other.minimum) && SameSize(maximum, other.maximum) &&
           widthScale == other.widthScale && heightScale == other.heightScale;
}

CUILabel::EstimateBasis CUILabel::CurrentBasis(const tagSIZE& fixed) const
{
    return {fixed,
            {GetMinWidth(), GetMinHeight()},
            {GetMaxWidth(), GetMaxHeight()},
            WidthScale(),
            HeightScale()};
}

tagSIZE CUILabel::EstimateSize(tagSIZE available)
{
    const CUIRect pad = GetTextPadding();
    const tagSIZE fixed = CUIControl::EstimateSize(available);
    if (m_cxyFixed.cx > 0 && m_cxyFixed.cy > 0)
        return fixed;

    // Sizes, limits and scale factors that changed since the last measure make it stale too.
    const EstimateBasis basis = CurrentBasis(fixed);
    if (!SameSize(available, m_szAvailableLast) || !(basis == m_basisLast))
        m_bNeedEstimateSize = true;
    if (!m_bNeedEstimateSize)
        return m_cxyFixedLast;

    m_bNeedEstimateSize = false;
    m_szAvailableLast = available;
    m_basisLast = basis;
    m_cxyFixedLast = fixed;
    if (m_sText.IsEmpty())
        return m_cxyFixedLast;

    tagSIZE estimate = fixed;
    MeasureInto(estimate, pad);
    m_cxyFixedLast = ClampedSize(*this, estimate);
    return m_cxyFixedLast;
}

void CUILabel::MeasureInto(tagSIZE& estimate, const CUIRect& pad)
{
    // A label outside a window has no drawing wrapper to measure with: the text takes no room.
    if (m_pWindow == nullptr)
        return;
    CUIRender* render = m_pWindow->GetPaintContext();
    const unsigned long style = (m_uTextStyle & ~(TEXTSTYLE_CENTER | TEXTSTYLE_RIGHT)) | TEXTSTYLE_CALCRECT;
    CUIRect measured(0, 0, 0, 0);
    if (m_uTextStyle & TEXTSTYLE_SINGLELINE) {
        if (estimate.cx != 0 && estimate.cy != 0)
            return;
        DrawTextWraper(render, CUIRect(0, 0, kMeasureExtent, kMeasureExtent), m_sText, style, kDefaultTextColor,
                       m_bShowHtml, &measured);
        if (m_bAutoCalcWidth)
            estimate.cx = (measured.right - measured.left) + pad.left + pad.right;
        if (m_bAutoCalcHeight)
            estimate.cy = (measured.bottom - measured.top) + pad.top + pad.bottom;
        return;
    }
    if (estimate.cy != 0 || !m_bAutoCalcHeight)
        return;
    CUIRect area;
    area.left = pad.left;
    area.top = 0;
    area.right = estimate.cx - pad.right;
    area.bottom = kMeasureExtent;
    DrawTextWraper(render, area, m_sText, style, kDefaultTextColor, m_bShowHtml, &measured);
    estimate.cy = (measured.bottom - measured.top) + pad.top + pad.bottom;
}

// ---- markup ----

void CUILabel::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    static const AttributeTable<CUILabel> kAttributes = {
        {L"align", [](CUILabel& l, const wchar_t* v) { l.m_uTextStyle = ReadAlignWords(v, l.m_uTextStyle, true); }},
        {L"ellipsis",
         [](CUILabel& l, const wchar_t* v) {
             const int mode = ReadInt(v);
             l.m_uTextStyle = WithBit(l.m_uTextStyle, TEXTSTYLE_END_ELLIPSIS, mode == 1);
             l.m_uTextStyle = WithBit(l.m_uTextStyle, TEXTSTYLE_ELLIPSIS_MODE2, mode == 2);
         }},
        {L"font",
         [](CUILabel& l, const wchar_t* v) {
             l.SetFont(v);
             ReportUnknownFont(l, v, false);
         }},
        {L"fonts",
         [](CUILabel& l, const wchar_t* v) {
             l.SetFonts(v);
             ReportUnknownFont(l, v, true);
         }},
        {L"textcolor", [](CUILabel& l, const wchar_t* v) { l.SetTextColor(ReadHexColour(v)); }},
        {L"disabledtextcolor", [](CUILabel& l, const wchar_t* v) { l.SetDisabledTextColor(ReadHexColour(v)); }},
        {L"textpadding",
         [](CUILabel& l, const wchar_t* v) {
             int edges[4];
             if (ReadInts(v, edges, 4) < 4)
                 UI_ERROR("%stextpadding \"%S\" has fewer than four numbers, the missing ones are 0 ", MarkupWhere().c_str(), v);
             l.SetTextPadding(CUIRect(edges[0], edges[1], edges[2], edges[3]));
         }},
        {L"showhtml", [](CUILabel& l, const wchar_t* v) { l.SetShowHtml(ReadBool(v)); }},
        {L"autocalcwidth", [](CUILabel& l, const wchar_t* v) { l.SetAutoCalcWidth(ReadBool(v)); }},
        {L"autocalcheight", [](CUILabel& l, const wchar_t* v) { l.SetAutoCalcHeight(ReadBool(v)); }},
        {L"singleline", [](CUILabel& l, const wchar_t* v) { l.SetSingleline(ReadBool(v)); }},
    };
    if (!ApplyAttribute(kAttributes, *this, name, value))
        CUIControl::SetAttribute(name, value);
}

// ---- the text control ----

CUIText::CUIText() : m_nLinks(0), m_nHoverLink(-1)
{
    // Multi-line: no alignment, single-line or ellipsis bits.
    m_uTextStyle = 0x40;
    m_rcTextPadding = CUIRect(2, 0, 2, 0);
}

CUIText::~CUIText() {}

CUIString CUIText::GetClass() const { return L"TextUI"; }

void* CUIText::GetInterface(const CUIString& name)
{
    if (name == L"Text")
        return static_cast<CUIText*>(this);
    return CUILabel::GetInterface(name);
}

CUIString* CUIText::GetLinkContent(int i)
{
    if (i < 0 || i >= m_nLinks)
        return nullptr;
    return &m_sLinks[i];
}

UINT CUIText::GetControlFlags() const { return IsEnabled() && m_nLinks > 0 ? 2 : 0; }

int CUIText::LinkAt(tagPOINT pt) const
{
    for (int i = 0; i < m_nLinks; ++i) {
        CUIRect link = m_rcLinks[i];
        if (link.IsPtIn(pt))
            return i;
    }
    return -1;
}

void CUIText::DoEvent(TEventUI& event)
{
    if (PassOnWhileMouseDisabled(event))
        return;
    const bool enabled = IsEnabled();
    switch (event.Type) {
    case EVENT_SETCURSOR:
        if (LinkAt(event.ptMouse) >= 0)
            return;
        break;
    case EVENT_BUTTONDOWN:
    case EVENT_DBLCLICK:
        if (enabled && LinkAt(event.ptMouse) >= 0) {
            Invalidate();
            return;
        }
        break;
    case EVENT_BUTTONUP: {
        const int link = enabled ? LinkAt(event.ptMouse) : -1;
        if (link >= 0) {
            if (m_pWindow)
                m_pWindow->SendNotify(this, NOTIFY_LINK_CLICK, static_cast<unsigned long>(link), 0, false);
            return;
        }
        break;
    }
    case kEventSwallowed:
        return;
    case EVENT_MOUSEMOVE:
        if (enabled && m_nLinks > 0) {
            const int hover = LinkAt(event.ptMouse);
            if (hover != m_nHoverLink) {
                m_nHoverLink = hover;
                Invalidate();
                return;
            }
        }
        break;
    case EVENT_MOUSELEAVE:
        if (enabled && m_nLinks > 0 && m_nHoverLink != -1) {
            m_nHoverLink = -1;
            Invalidate();
            return;
        }
        break;
    default:
        break;
    }
    CUILabel::DoEvent(event);
}

tagSIZE CUIText::EstimateSize(tagSIZE available)
{
    const CUIRect pad = GetTextPadding();
    const int64_t width = std::max<int64_t>(available.cx, GetFixedWidth());
    CUIRect area;
    area.left = pad.left;
    area.top = 0;
    area.right = width - pad.right;
    area.bottom = kMeasureExtent;
    CUIRect measured = area;
    if (m_pWindow)
        DrawTextWraper(m_pWindow->GetPaintContext(), area, m_sText, m_uTextStyle | TEXTSTYLE_CALCRECT, m_dwTextColor,
                       m_bShowHtml, &measured);
    tagSIZE size;
    size.cx = (measured.right - measured.left) + pad.left + pad.right;
    size.cy = m_cxyFixed.cy != 0 ? GetFixedHeight() : (measured.bottom - measured.top) + pad.top + pad.bottom;
    return size;
}

void CUIText::PaintText(CUIRender* render)
{
    if (m_sText.IsEmpty()) {
        m_nLinks = 0;
        return;
    }
    m_nLinks = kMaxLinks;
    CUILabel::PaintText(render);
}
