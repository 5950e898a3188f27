// The progress bar and the slider: the range, the fill, the thumb under the pointer and
// the wheel, and their markup.

#include "UIProgress.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <string_view>
#include <unordered_map>

#include <utility/logger>

#include "EventCodes.h"
#include "MarkupText.h"
#include "UIRender.h"
#include "UIWindow.h"

namespace {

// part / whole of a length, both within int, so that the product stays within 64 bits.
int64_t Share(int64_t length, int64_t part, int64_t whole)
{
    return whole == 0 ? 0 : ClampToInt(length) * part / whole;
}

// The modifier that places an image at rc, relative to the control's corner.
CUIString DestModifier(const tagRECT& rc)
{
    CUIString modifier;
    modifier.Format(L"dest='%lld,%lld,%lld,%lld'", static_cast<long long>(rc.left), static_cast<long long>(rc.top),
                    static_cast<long long>(rc.right), static_cast<long long>(rc.bottom));
    return modifier;
}

// Judged against the range in force when the attribute arrives, as SetValue judges it; a
// value beyond it is a mistake of the markup's order or numbers, and is told.
void SetValueFromMarkup(CUIProgress& progress, int value)
{
    if (value < progress.GetMinValue() || value > progress.GetMaxValue())
        UI_ERROR("%sprogress value %d is outside the range %d..%d in force, ignored ", MarkupWhere().c_str(), value,
                 progress.GetMinValue(), progress.GetMaxValue());
    progress.SetValue(value);
}

}  // namespace

// ---- the progress bar ----

CUIProgress::CUIProgress()
    : m_bHorizontal(true), m_bStretchForeImage(true), m_nMax(100), m_nMin(0), m_nValue(0), m_nForePadding(0)
{
    m_uTextStyle = TEXTSTYLE_SINGLELINE | TEXTSTYLE_CENTER;
    SetFixedHeight(12);
}

CUIProgress::~CUIProgress() {}

CUIString CUIProgress::GetClass() const { return L"ProgressUI"; }

void* CUIProgress::GetInterface(const CUIString& name)
{
    if (name == L"Progress")
        return static_cast<CUIProgress*>(this);
    return CUILabel::GetInterface(name);
}

bool CUIProgress::IsHorizontal() const { return m_bHorizontal; }

void CUIProgress::SetHorizontal(bool horizontal)
{
    if (m_bHorizontal == horizontal)
        return;
    m_bHorizontal = horizontal;
    Invalidate();
}

bool CUIProgress::IsStretchForeImage() const { return m_bStretchForeImage; }

void CUIProgress::SetStretchForeImage(bool stretch)
{
    if (m_bStretchForeImage == stretch)
        return;
    m_bStretchForeImage = stretch;
    Invalidate();
}

int CUIProgress::GetMinValue() const { return m_nMin; }

void CUIProgress::SetMinValue(int value)
{
    m_nMin = value;
    Invalidate();
}

int CUIProgress::GetMaxValue() const { return m_nMax; }

void CUIProgress::SetMaxValue(int value)
{
    m_nMax = value;
    Invalidate();
}

int CUIProgress::GetValue() const { return m_nValue; }

void CUIProgress::SetValue(int value)
{
    if (value == m_nValue || value < m_nMin || value > m_nMax)
        return;
    m_nValue = value;
    Invalidate();
}

CUIString CUIProgress::GetForeImage() const { return m_sForeImage; }

void CUIProgress::SetForeImage(const CUIString& image)
{
    if (m_sForeImage == image)
        return;
    m_sForeImage = image;
    Invalidate();
}

int CUIProgress::GetForePadding() const { return m_nForePadding; }

void CUIProgress::SetForePadding(int padding) { m_nForePadding = padding; }

void CUIProgress::OrderRange()
{
    if (m_nMax <= m_nMin) {
        // The largest minimum moves down one, so that a maximum above it exists.
        m_nMin = std::min(m_nMin, INT_MAX - 1);
        m_nMax = m_nMin + 1;
    }
    m_nValue = std::clamp(m_nValue, m_nMin, m_nMax);
}

void CUIProgress::PaintStatusImage(CUIRender* render)
{
    OrderRange();
    const int64_t width = m_rcItem.right - m_rcItem.left;
    const int64_t height = m_rcItem.bottom - m_rcItem.top;
    const int64_t range = int64_t{m_nMax} - m_nMin;
    const int64_t padding = m_nForePadding;
    CUIRect fill;
    if (m_bHorizontal) {
        fill.right = Share(width - 2 * padding, int64_t{m_nValue} - m_nMin, range);
        fill.bottom = height;
    } else {
        fill.top = Share(height - 2 * padding, int64_t{m_nMax} - m_nValue, range);
        fill.right = width;
        fill.bottom = height;
    }
    if (m_sForeImage.IsEmpty())
        return;

    CUIString modifier;
    if (m_bStretchForeImage) {
        if (m_bHorizontal) {
            fill.left += padding;
            fill.right += padding;
        } else {
            fill.top += padding;
            fill.bottom -= padding;
        }
        modifier = DestModifier(fill);
    } else {
        if (m_bHorizontal)
            fill.right += padding;
        else
            fill.top += padding;
        // The image's own part under the fill, unscaled.
        modifier.Format(L"dest='%lld,%lld,%lld,%lld' source='%lld,%lld,%lld,%lld'", static_cast<long long>(fill.left),
                        static_cast<long long>(fill.top), static_cast<long long>(fill.right),
                        static_cast<long long>(fill.bottom), static_cast<long long>(fill.left),
                        static_cast<long long>(fill.top), static_cast<long long>(fill.right),
                        static_cast<long long>(fill.bottom));
    }
    DrawImageOrForget(render, m_sForeImage, modifier.GetData());
}

void CUIProgress::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    static const AttributeTable<CUIProgress> kAttributes = {
        {L"foreimage", [](CUIProgress& p, const wchar_t* v) { p.SetForeImage(v); }},
        {L"hor", [](CUIProgress& p, const wchar_t* v) { p.SetHorizontal(ReadBool(v)); }},
        {L"min", [](CUIProgress& p, const wchar_t* v) { p.SetMinValue(ReadInt(v)); }},
        {L"max", [](CUIProgress& p, const wchar_t* v) { p.SetMaxValue(ReadInt(v)); }},
        {L"value", [](CUIProgress& p, const wchar_t* v) { SetValueFromMarkup(p, ReadInt(v)); }},
        {L"isstretchfore", [](CUIProgress& p, const wchar_t* v) { p.SetStretchForeImage(ReadBool(v)); }},
    };
    if (!ApplyAttribute(kAttributes, *this, name, value))
        CUILabel::SetAttribute(name, value);
}

// ---- the slider ----

CUISlider::CUISlider()
    : m_szThumb(10, 10), m_uThumbState(0), m_nStep(1), m_bHidePending(false), m_nValueAtPress(0), m_bSendMove(false)
{
    m_uTextStyle = TEXTSTYLE_SINGLELINE | TEXTSTYLE_CENTER;
}

CUISlider::~CUISlider() {}

CUIString CUISlider::GetClass() const { return L"SliderUI"; }

void* CUISlider::GetInterface(const CUIString& name)
{
    if (name == L"Slider")
        return static_cast<CUISlider*>(this);
    return CUIProgress::GetInterface(name);
}

UINT CUISlider::GetControlFlags() const { return IsEnabled() ? 2 : 0; }

int CUISlider::GetChangeStep() const { return m_nStep; }

void CUISlider::SetChangeStep(int step) { m_nStep = step; }

void CUISlider::SetThumbSize(tagSIZE size) { m_szThumb = size; }

CUIString CUISlider::GetThumbImage() const { return m_sThumbImage; }

void CUISlider::SetThumbImage(const CUIString& image)
{
    m_sThumbImage = image;
    Invalidate();
}

CUIString CUISlider::GetThumbHotImage() const { return m_sThumbHotImage; }

void CUISlider::SetThumbHotImage(const CUIString& image)
{
    m_sThumbHotImage = image;
    Invalidate();
}

CUIString CUISlider::GetThumbPushedImage() const { return m_sThumbPushedImage; }

void CUISlider::SetThumbPushedImage(const CUIString& image)
{
    m_sThumbPushedImage = image;
    Invalidate();
}

void CUISlider::SetSendMove(bool sendMove) { m_bSendMove = sendMove; }

bool CUISlider::IsSendMove() const { return m_bSendMove; }

void CUISlider::SetValue(int value)
{
    if (m_uThumbState & BUTTONSTATE_CAPTURED)
        return;
    CUIProgress::SetValue(value);
}

void CUISlider::SetVisible(bool visible)
{
    if (m_uThumbState & BUTTONSTATE_CAPTURED) {
        // A hide waits for the release; showing again calls it off.
        m_bHidePending = !visible;
        if (!visible)
            return;
    }
    CUIControl::SetVisible(visible);
}

void CUISlider::SetEnabled(bool enabled)
{
    CUIControl::SetEnabled(enabled);
    if (IsEnabled())
        return;
    EndCapture();
    m_uThumbState = 0;
}

void CUISlider::EndCapture()
{
    m_uThumbState &= ~BUTTONSTATE_CAPTURED;
    if (!m_bHidePending)
        return;
    m_bHidePending = false;
    CUIControl::SetVisible(false);
}

// ---- geometry ----

CUIRect CUISlider::GetThumbRect() const
{
    const tagRECT& rc = m_rcItem;
    const int64_t range = int64_t{m_nMax} - m_nMin;
    const int64_t done = int64_t{m_nValue} - m_nMin;
    int64_t x = 0;
    int64_t y = 0;
    if (m_bHorizontal) {
        x = rc.left + Share((rc.right - rc.left) - m_szThumb.cx, done, range);
        y = ((rc.bottom + rc.top) - m_szThumb.cy) / 2;
    } else {
        x = ((rc.right + rc.left) - m_szThumb.cx) / 2;
        y = rc.bottom - m_szThumb.cy - Share((rc.bottom - rc.top) - m_szThumb.cy, done, range);
    }
    return CUIRect(x, y, x + m_szThumb.cx, y + m_szThumb.cy);
}

int CUISlider::ValueAt(tagPOINT pt) const
{
    const tagRECT& rc = m_rcItem;
    const int64_t range = int64_t{m_nMax} - m_nMin;
    const int64_t halfWidth = m_szThumb.cx / 2;
    const int64_t halfHeight = m_szThumb.cy / 2;
    // Within the track the divisor is above 0: the track is longer than the thumb there.
    if (m_bHorizontal) {
        if (pt.x >= rc.right - halfWidth)
            return m_nMax;
        if (pt.x <= rc.left + halfWidth)
            return m_nMin;
        const int64_t along = ClampToInt((pt.x - rc.left) - halfWidth);
        return ClampToInt(m_nMin + range * along / ClampToInt((rc.right - rc.left) - m_szThumb.cx));
    }
    if (pt.y >= rc.bottom - halfHeight)
        return m_nMin;
    if (pt.y <= rc.top + halfHeight)
        return m_nMax;
    const int64_t along = ClampToInt((rc.bottom - pt.y) - halfHeight);
    return ClampToInt(m_nMin + range * along / ClampToInt((rc.bottom - rc.top) - m_szThumb.cy));
}

// ---- input ----

void CUISlider::DoEvent(TEventUI& event)
{
    if (PassOnWhileMouseDisabled(event))
        return;
    switch (event.Type) {
    case EVENT_BUTTONDOWN:
    case EVENT_DBLCLICK:
        Press(event);
        return;
    case EVENT_BUTTONUP:
        Release(event);
        return;
    case kEventSwallowed:
        return;
    case EVENT_SCROLLWHEEL:
        if (WheelDirection(event) == kWheelUp || WheelDirection(event) == kWheelDown) {
            Turn(event);
            return;
        }
        break;
    case EVENT_MOUSEMOVE:
        Move(event);
        return;
    case EVENT_MOUSEENTER:
    case EVENT_MOUSELEAVE:
        if (IsEnabled()) {
            if (event.Type == EVENT_MOUSEENTER)
                m_uThumbState |= BUTTONSTATE_HOT;
            else
                m_uThumbState &= ~BUTTONSTATE_HOT;
            Invalidate();
        }
        break;
    default:
        break;
    }
    CUIControl::DoEvent(event);
}

void CUISlider::Press(const TEventUI& event)
{
    if (!IsEnabled() || !GetThumbRect().IsPtIn(event.ptMouse))
        return;
    m_uThumbState |= BUTTONSTATE_CAPTURED;
    m_nValueAtPress = m_nValue;
}

void CUISlider::Release(const TEventUI& event)
{
    // A release that ends no drag of the thumb changes nothing.
    if (!(m_uThumbState & BUTTONSTATE_CAPTURED))
        return;
    // Hiding, and the handlers of the notification, may delete this slider.
    const CWatched<CUIControl> alive(this);
    EndCapture();
    if (!alive)
        return;
    const int value = ValueAt(event.ptMouse);
    if (value >= m_nMin && value <= m_nMax)
        m_nValue = value;
    // Reported when the drag as a whole changed the value, whatever the moves reported.
    if (m_nValue != m_nValueAtPress && m_pWindow) {
        m_pWindow->SendNotify(this, NOTIFY_VALUE_CHANGED, 0, 0, false);
        if (!alive)
            return;
    }
    Invalidate();
}

void CUISlider::Move(const TEventUI& event)
{
    if (!(m_uThumbState & BUTTONSTATE_CAPTURED))
        return;
    const int value = ValueAt(event.ptMouse);
    if (value != m_nValue && value >= m_nMin && value <= m_nMax) {
        m_nValue = value;
        if (m_bSendMove && m_pWindow) {
            const CWatched<CUIControl> alive(this);
            m_pWindow->SendNotify(this, NOTIFY_VALUE_CHANGED, 0, 0, false);
            if (!alive)
                return;
        }
    }
    Invalidate();
}

void CUISlider::Turn(const TEventUI& event)
{
    const int64_t step = WheelDirection(event) == kWheelUp ? m_nStep : -int64_t{m_nStep};
    SetValue(ClampToInt(GetValue() + step));
    if (m_pWindow)
        m_pWindow->SendNotify(this, NOTIFY_VALUE_CHANGED, 0, 0, false);
}

// ---- painting ----

void CUISlider::PaintStatusImage(CUIRender* render)
{
    CUIProgress::PaintStatusImage(render);
    CUIRect thumb = GetThumbRect();
    thumb.left -= m_rcItem.left;
    thumb.right -= m_rcItem.left;
    thumb.top -= m_rcItem.top;
    thumb.bottom -= m_rcItem.top;
    m_sImageModify = DestModifier(thumb);
    const wchar_t* modifier = m_sImageModify.GetData();
    // A captured thumb never shows the hot image.
    CUIString* stateImage = nullptr;
    if (m_uThumbState & BUTTONSTATE_CAPTURED)
        stateImage = &m_sThumbPushedImage;
    else if (m_uThumbState & BUTTONSTATE_HOT)
        stateImage = &m_sThumbHotImage;
    if (stateImage && DrawImageOrForget(render, *stateImage, modifier))
        return;
    DrawImageOrForget(render, m_sThumbImage, modifier);
}

// ---- markup ----

void CUISlider::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    static const AttributeTable<CUISlider> kAttributes = {
        {L"thumbimage", [](CUISlider& s, const wchar_t* v) { s.SetThumbImage(v); }},
        {L"thumbhotimage", [](CUISlider& s, const wchar_t* v) { s.SetThumbHotImage(v); }},
        {L"thumbpushedimage", [](CUISlider& s, const wchar_t* v) { s.SetThumbPushedImage(v); }},
        {L"thumbsize",
         [](CUISlider& s, const wchar_t* v) {
             int size[2];
             if (ReadInts(v, size, 2) < 2)
                 UI_ERROR("%sthumbsize \"%S\" has one number, the height is 0 ", MarkupWhere().c_str(), v);
             s.SetThumbSize({size[0], size[1]});
         }},
        {L"step", [](CUISlider& s, const wchar_t* v) { s.SetChangeStep(ReadInt(v)); }},
        {L"forepadding", [](CUISlider& s, const wchar_t* v) { s.SetForePadding(ReadInt(v)); }},
        {L"sendmove", [](CUISlider& s, const wchar_t* v) { s.SetSendMove(ReadBool(v)); }},
    };
    if (!ApplyAttribute(kAttributes, *this, name, value))
        CUIProgress::SetAttribute(name, value);
}
