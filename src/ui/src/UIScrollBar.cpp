// The scroll bar: geometry of its parts, the pointer with auto-repeat, and its attributes.

#include "UIScrollBar.h"

#include <algorithm>
#include <cwchar>

#include "EventCodes.h"
#include "MarkupText.h"
#include "Scaling.h"
#include "UIContainer.h"
#include "UIParse.h"
#include "UIRender.h"
#include "UIWindow.h"

namespace {

// The period of the repeat timer, and the ticks that pass before a held part repeats.
const UINT kRepeatPeriod = 50;
const int kRepeatDelay = 5;
// The thickness of a fresh bar, in logical pixels.
const int kDefaultThickness = 4;

// A rectangle from a span along the bar's axis and a span across it.
CUIRect Oriented(bool horizontal, int64_t alongBegin, int64_t alongEnd, int64_t acrossBegin, int64_t acrossEnd)
{
    CUIRect rc;
    if (horizontal) {
        rc.left = alongBegin;
        rc.right = alongEnd;
        rc.top = acrossBegin;
        rc.bottom = acrossEnd;
    } else {
        rc.top = alongBegin;
        rc.bottom = alongEnd;
        rc.left = acrossBegin;
        rc.right = acrossEnd;
    }
    return rc;
}

int64_t AlongBegin(bool horizontal, const tagRECT& rc) { return horizontal ? rc.left : rc.top; }
int64_t AlongEnd(bool horizontal, const tagRECT& rc) { return horizontal ? rc.right : rc.bottom; }
int64_t Along(bool horizontal, const tagPOINT& pt) { return horizontal ? pt.x : pt.y; }

}  // namespace

CUIScrollBar::CUIScrollBar()
    : m_bHorizontal(false),
      m_nRange(100),
      m_nScrollPos(0),
      m_nLineSize(8),
      m_pOwner(nullptr),
      m_ptLastMouse{0, 0},
      m_nLastScrollPos(0),
      m_nLastScrollOffset(0),
      m_nScrollRepeatDelay(0),
      m_uTimerId(0),
      m_bShowButton1(false),
      m_uButton1State(0),
      m_bShowButton2(false),
      m_uButton2State(0),
      m_uThumbState(0),
      m_bShowScroll(true)
{
    m_cxyFixed.cx = kDefaultThickness;
}

// A timer still running is stopped by the base control, which every window forgets.
CUIScrollBar::~CUIScrollBar() {}

CUIString CUIScrollBar::GetClass() const { return L"ScrollBarUI"; }

void* CUIScrollBar::GetInterface(const CUIString& name)
{
    if (name == L"ScrollBar")
        return static_cast<CUIScrollBar*>(this);
    return CUIControl::GetInterface(name);
}

CUIContainer* CUIScrollBar::GetOwner() const { return m_pOwner; }

void CUIScrollBar::SetOwner(CUIContainer* owner) { m_pOwner = owner; }

bool CUIScrollBar::IsHorizontal() const { return m_bHorizontal; }

void CUIScrollBar::SetHorizontal(bool horizontal)
{
    if (m_bHorizontal == horizontal)
        return;
    m_bHorizontal = horizontal;
    if (m_bHorizontal && m_cxyFixed.cy == 0) {
        m_cxyFixed.cx = 0;
        m_cxyFixed.cy = kDefaultThickness;
    } else if (!m_bHorizontal && m_cxyFixed.cx == 0) {
        m_cxyFixed.cx = kDefaultThickness;
        m_cxyFixed.cy = 0;
    }
    if (m_pOwner)
        m_pOwner->NeedUpdate();
    else
        NeedParentUpdate();
}

int CUIScrollBar::GetScrollRange() const { return m_nRange; }

void CUIScrollBar::SetScrollRange(int range)
{
    if (m_nRange == range)
        return;
    m_nRange = std::max(0, range);
    m_nScrollPos = std::min(m_nScrollPos, m_nRange);
    if (IsEnabled() && IsVisible())
        SetPos(m_rcItem, true);
}

int CUIScrollBar::GetScrollPos() const { return m_nScrollPos; }

void CUIScrollBar::SetScrollPos(int pos)
{
    if (m_nScrollPos == pos)
        return;
    m_nScrollPos = std::max(0, std::min(pos, m_nRange));
    if (IsEnabled() && IsVisible())
        SetPos(m_rcItem, true);
}

int CUIScrollBar::GetLineSize() const { return m_nLineSize; }

void CUIScrollBar::SetLineSize(int size) { m_nLineSize = size; }

bool CUIScrollBar::GetShowButton1() { return m_bShowButton1; }

void CUIScrollBar::SetShowButton1(bool show)
{
    m_bShowButton1 = show;
    SetPos(m_rcItem, true);
}

bool CUIScrollBar::GetShowButton2() { return m_bShowButton2; }

void CUIScrollBar::SetShowButton2(bool show)
{
    m_bShowButton2 = show;
    SetPos(m_rcItem, true);
}

bool CUIScrollBar::IsShowScroll() const { return m_bShowScroll; }

void CUIScrollBar::SetScroolShow(bool show) { m_bShowScroll = show; }

void CUIScrollBar::SetFocus() {}

void CUIScrollBar::SetVisible(bool visible)
{
    if (m_bVisible == visible)
        return;
    const bool wasVisible = IsVisible();
    m_bVisible = visible;
    m_bFocused = false;
    if (!wasVisible && IsVisible())
        MarkUpdatePath();
}

void CUIScrollBar::SetEnabled(bool enabled)
{
    CUIControl::SetEnabled(enabled);
    if (IsEnabled())
        return;
    m_uButton1State = 0;
    m_uButton2State = 0;
    m_uThumbState = 0;
    StopRepeat();
}

// ---- geometry ----

int CUIScrollBar::Thickness() const { return static_cast<int>(m_bHorizontal ? m_cxyFixed.cy : m_cxyFixed.cx); }

void CUIScrollBar::SetPos(const CUIRect& rc, bool needInvalidate)
{
    // The bar's size handler may delete it, or the container that owns it.
    const CWatched<CUIControl> alive(this);
    CUIControl::UpdatePos(rc, needInvalidate);
    if (alive)
        LayOutParts();
}

void CUIScrollBar::LayOutParts()
{
    const bool h = m_bHorizontal;
    const int64_t t = Thickness();
    const int64_t begin = AlongBegin(h, m_rcItem);
    const int64_t end = AlongEnd(h, m_rcItem);
    const int64_t across = h ? m_rcItem.top : m_rcItem.left;
    // The length as an int, so that the products below stay within 64 bits.
    const int64_t span = static_cast<int>(static_cast<uint64_t>(end) - static_cast<uint64_t>(begin));
    const int64_t n = span - (m_bShowButton1 ? t : 0) - (m_bShowButton2 ? t : 0);

    if (t >= n) {
        // No room for a thumb: the shown buttons share the length.
        const int64_t half = std::min(span / 2, t);
        m_rcButton1 = m_bShowButton1 ? Oriented(h, begin, begin + half, across, across + t)
                                     : Oriented(h, begin, begin, across, across);
        m_rcButton2 = m_bShowButton2 ? Oriented(h, end - half, end, across, across + t)
                                     : Oriented(h, end, end, across, across);
        m_rcThumb = CUIRect(0, 0, 0, 0);
        return;
    }

    m_rcButton1 = m_bShowButton1 ? Oriented(h, begin, begin + t, across, across + t)
                                 : Oriented(h, begin, begin, across, across);
    m_rcButton2 = m_bShowButton2 ? Oriented(h, end - t, end, across, across + t)
                                 : Oriented(h, end, end, across, across);
    const int64_t railBegin = AlongEnd(h, m_rcButton1);
    const int64_t railEnd = AlongBegin(h, m_rcButton2);
    if (m_nRange < 1) {
        m_rcThumb = Oriented(h, railBegin, railEnd, across, across + t);
        return;
    }
    // The divisor is at least 1: the range is, and the length is not negative.
    int64_t size = static_cast<int>(n * span / (m_nRange + span));
    if (size < t)
        size = t;
    const int64_t offset = m_nScrollPos * (n - size) / m_nRange;
    int64_t thumbBegin = railBegin + offset;
    int64_t thumbEnd = thumbBegin + size;
    if (thumbEnd > railEnd) {
        thumbEnd = railEnd;
        thumbBegin = thumbEnd - size;
    }
    m_rcThumb = Oriented(h, thumbBegin, thumbEnd, across, across + t);
}

// ---- input ----

void CUIScrollBar::DoEvent(TEventUI& event)
{
    const auto passOn = [this, &event]() {
        if (m_pOwner)
            m_pOwner->Event(event);
        else
            CUIControl::DoEvent(event);
    };
    if (!IsMouseEnabled() && IsPointerEvent(event)) {
        passOn();
        return;
    }
    switch (event.Type) {
    case EVENT_SETFOCUS:
    case EVENT_KILLFOCUS:
    case kEventSwallowed:
        return;
    case EVENT_BUTTONDOWN:
    case EVENT_DBLCLICK:
        Press(event);
        return;
    case EVENT_BUTTONUP:
        Release();
        return;
    case EVENT_MOUSEMOVE:
        Move(event);
        return;
    case EVENT_MOUSEENTER:
        if (!IsEnabled())
            return;
        m_uButton1State |= BUTTONSTATE_HOT;
        m_uButton2State |= BUTTONSTATE_HOT;
        if (m_rcThumb.IsPtIn(event.ptMouse))
            m_uThumbState |= BUTTONSTATE_HOT;
        Invalidate();
        return;
    case EVENT_MOUSELEAVE:
        if (!IsEnabled())
            return;
        m_uButton1State &= ~BUTTONSTATE_HOT;
        m_uButton2State &= ~BUTTONSTATE_HOT;
        m_uThumbState &= ~BUTTONSTATE_HOT;
        Invalidate();
        return;
    case EVENT_TIMER:
        if (m_uTimerId != 0 && event.wParam == m_uTimerId) {
            Tick();
            return;
        }
        break;
    default:
        break;
    }
    passOn();
}

void CUIScrollBar::Press(const TEventUI& event)
{
    if (!IsEnabled())
        return;
    StopRepeat();
    if (m_pWindow)
        m_uTimerId = static_cast<uint32_t>(m_pWindow->SetTimer(this, kRepeatPeriod));
    const tagPOINT pt = event.ptMouse;
    if (m_rcButton1.IsPtIn(pt)) {
        m_uButton1State |= BUTTONSTATE_PUSHED;
        StepLine(false);
    } else if (m_rcButton2.IsPtIn(pt)) {
        m_uButton2State |= BUTTONSTATE_PUSHED;
        StepLine(true);
    } else if (m_rcThumb.IsPtIn(pt)) {
        m_uThumbState |= BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED;
        m_ptLastMouse = pt;
        m_nLastScrollPos = m_nScrollPos;
    } else {
        m_ptLastMouse = pt;
        PageTowards(pt);
    }
    NotifyScroll();
}

void CUIScrollBar::Release()
{
    StopRepeat();
    if (m_uThumbState & BUTTONSTATE_CAPTURED)
        m_uThumbState &= ~(BUTTONSTATE_PUSHED | BUTTONSTATE_CAPTURED);
    else if (m_uButton1State & BUTTONSTATE_PUSHED)
        m_uButton1State &= ~BUTTONSTATE_PUSHED;
    else if (m_uButton2State & BUTTONSTATE_PUSHED)
        m_uButton2State &= ~BUTTONSTATE_PUSHED;
    else
        return;
    Invalidate();
}

void CUIScrollBar::Move(const TEventUI& event)
{
    const bool h = m_bHorizontal;
    if (m_uThumbState & BUTTONSTATE_CAPTURED) {
        const int64_t travel = (AlongEnd(h, m_rcItem) - AlongBegin(h, m_rcItem)) -
                               (AlongEnd(h, m_rcThumb) - AlongBegin(h, m_rcThumb)) - 2 * int64_t{Thickness()};
        // A thumb that fills the rail has nowhere to go.
        if (travel <= 0)
            return;
        const int64_t moved = Along(h, event.ptMouse) - Along(h, m_ptLastMouse);
        m_nLastScrollOffset = ClampToInt(moved * m_nRange / travel);
        return;
    }
    if (m_uThumbState & BUTTONSTATE_HOT) {
        if (!m_rcThumb.IsPtIn(event.ptMouse)) {
            m_uThumbState &= ~BUTTONSTATE_HOT;
            Invalidate();
        }
        return;
    }
    if (IsEnabled() && m_rcThumb.IsPtIn(event.ptMouse)) {
        m_uThumbState |= BUTTONSTATE_HOT;
        Invalidate();
    }
}

void CUIScrollBar::Tick()
{
    ++m_nScrollRepeatDelay;
    if (m_uThumbState & BUTTONSTATE_CAPTURED) {
        const int pos = ClampToInt(static_cast<int64_t>(m_nLastScrollPos) + m_nLastScrollOffset);
        if (m_pOwner == nullptr)
            SetScrollPos(pos);
        else if (m_bHorizontal)
            m_pOwner->SetScrollPos({pos, m_pOwner->GetScrollPos().cy});
        else
            m_pOwner->SetScrollPos({m_pOwner->GetScrollPos().cx, pos});
        Invalidate();
    } else {
        if (m_nScrollRepeatDelay <= kRepeatDelay)
            return;
        if (m_uButton1State & BUTTONSTATE_PUSHED)
            StepLine(false);
        else if (m_uButton2State & BUTTONSTATE_PUSHED)
            StepLine(true);
        else
            PageTowards(m_ptLastMouse);
    }
    NotifyScroll();
}

void CUIScrollBar::StepLine(bool forward)
{
    if (m_pOwner == nullptr)
        SetScrollPos(ClampToInt(m_nScrollPos + (forward ? 1 : -1) * static_cast<int64_t>(m_nLineSize)));
    else if (m_bHorizontal)
        forward ? m_pOwner->LineRight() : m_pOwner->LineLeft();
    else
        forward ? m_pOwner->LineDown() : m_pOwner->LineUp();
}

void CUIScrollBar::StepPage(bool forward)
{
    if (m_pOwner == nullptr) {
        const int64_t page = AlongEnd(m_bHorizontal, m_rcItem) - AlongBegin(m_bHorizontal, m_rcItem);
        SetScrollPos(ClampToInt(m_nScrollPos + (forward ? page : -page)));
    } else if (m_bHorizontal) {
        forward ? m_pOwner->PageRight() : m_pOwner->PageLeft();
    } else {
        forward ? m_pOwner->PageDown() : m_pOwner->PageUp();
    }
}

void CUIScrollBar::PageTowards(tagPOINT held)
{
    const int64_t at = Along(m_bHorizontal, held);
    if (at < AlongBegin(m_bHorizontal, m_rcThumb))
        StepPage(false);
    else if (at > AlongEnd(m_bHorizontal, m_rcThumb))
        StepPage(true);
}

void CUIScrollBar::NotifyScroll()
{
    if (m_pWindow && m_pOwner == nullptr)
        m_pWindow->SendNotify(this, NOTIFY_SCROLL, 0, 0, false);
}

void CUIScrollBar::StopRepeat()
{
    if (m_uTimerId != 0 && m_pWindow)
        m_pWindow->KillTimer(this, m_uTimerId);
    m_uTimerId = 0;
    m_nScrollRepeatDelay = 0;
    m_nLastScrollOffset = 0;
}

// ---- painting ----

void CUIScrollBar::DoPaint(CUIRender* render, const CUIRect& paint)
{
    CUIRect area;
    if (!UIIntersectRect(&area, &paint, &m_rcItem))
        return;
    m_rcPaint = area;
    PaintBk(render);
    PaintButton1(render);
    PaintButton2(render);
    PaintThumb(render);
    PaintRail(render);
}

void CUIScrollBar::SetDestModify(const tagRECT& rc)
{
    m_sImageModify.Format(L"dest='%d,%d,%d,%d'", static_cast<int>(rc.left - m_rcItem.left),
                          static_cast<int>(rc.top - m_rcItem.top), static_cast<int>(rc.right - m_rcItem.left),
                          static_cast<int>(rc.bottom - m_rcItem.top));
}

bool CUIScrollBar::DrawPart(CUIRender* render, PartImages& images, uint32_t& state, bool withModify)
{
    if (IsEnabled())
        state &= ~BUTTONSTATE_DISABLED;
    else
        state |= BUTTONSTATE_DISABLED;
    CUIString* stateImage = nullptr;
    if (state & BUTTONSTATE_DISABLED)
        stateImage = &images.disabled;
    else if (state & BUTTONSTATE_PUSHED)
        stateImage = &images.pushed;
    else if (state & BUTTONSTATE_HOT)
        stateImage = &images.hot;
    const wchar_t* modify = withModify ? m_sImageModify.GetData() : nullptr;
    if (stateImage && DrawImageOrForget(render, *stateImage, modify))
        return true;
    return DrawImageOrForget(render, images.normal, modify);
}

void CUIScrollBar::PaintBk(CUIRender* render) { DrawPart(render, m_bkImages, m_uThumbState, false); }

void CUIScrollBar::PaintButton1(CUIRender* render)
{
    if (!m_bShowButton1)
        return;
    SetDestModify(m_rcButton1);
    if (!DrawPart(render, m_button1Images, m_uButton1State, true))
        render->DrawRect(m_rcButton1, 2, 0xFF85E4FF);
}

void CUIScrollBar::PaintButton2(CUIRender* render)
{
    if (!m_bShowButton2)
        return;
    SetDestModify(m_rcButton2);
    if (!DrawPart(render, m_button2Images, m_uButton2State, true))
        render->DrawRect(m_rcButton2, 2, 0xFF85E4FF);
}

void CUIScrollBar::PaintThumb(CUIRender* render)
{
    if (m_rcThumb.IsNull())
        return;
    SetDestModify(m_rcThumb);
    if (!DrawPart(render, m_thumbImages, m_uThumbState, true))
        render->DrawColor(m_rcThumb, 0xFFBBC1CD);
}

void CUIScrollBar::PaintRail(CUIRender* render)
{
    if (m_rcThumb.IsNull())
        return;
    const int64_t t = Thickness();
    CUIRect grip;
    if (m_bHorizontal) {
        const int64_t middle = (m_rcThumb.left + m_rcThumb.right) / 2;
        grip = CUIRect(middle - t / 2, m_rcThumb.top, middle + t - t / 2, m_rcThumb.bottom);
    } else {
        const int64_t middle = (m_rcThumb.top + m_rcThumb.bottom) / 2;
        grip = CUIRect(m_rcThumb.left, middle - t / 2, m_rcThumb.right, middle + t - t / 2);
    }
    SetDestModify(grip);
    DrawPart(render, m_railImages, m_uThumbState, true);
}

// ---- images ----

void CUIScrollBar::SetImage(CUIString& field, const CUIString& image)
{
    field = image;
    Invalidate();
}

CUIString CUIScrollBar::GetButton1NormalImage() { return m_button1Images.normal; }
void CUIScrollBar::SetButton1NormalImage(const CUIString& image) { SetImage(m_button1Images.normal, image); }
CUIString CUIScrollBar::GetButton1HotImage() { return m_button1Images.hot; }
void CUIScrollBar::SetButton1HotImage(const CUIString& image) { SetImage(m_button1Images.hot, image); }
CUIString CUIScrollBar::GetButton1PushedImage() { return m_button1Images.pushed; }
void CUIScrollBar::SetButton1PushedImage(const CUIString& image) { SetImage(m_button1Images.pushed, image); }
CUIString CUIScrollBar::GetButton1DisabledImage() { return m_button1Images.disabled; }
void CUIScrollBar::SetButton1DisabledImage(const CUIString& image) { SetImage(m_button1Images.disabled, image); }
CUIString CUIScrollBar::GetButton2NormalImage() { return m_button2Images.normal; }
void CUIScrollBar::SetButton2NormalImage(const CUIString& image) { SetImage(m_button2Images.normal, image); }
CUIString CUIScrollBar::GetButton2HotImage() { return m_button2Images.hot; }
void CUIScrollBar::SetButton2HotImage(const CUIString& image) { SetImage(m_button2Images.hot, image); }
CUIString CUIScrollBar::GetButton2PushedImage() { return m_button2Images.pushed; }
void CUIScrollBar::SetButton2PushedImage(const CUIString& image) { SetImage(m_button2Images.pushed, image); }
CUIString CUIScrollBar::GetButton2DisabledImage() { return m_button2Images.disabled; }
void CUIScrollBar::SetButton2DisabledImage(const CUIString& image) { SetImage(m_button2Images.disabled, image); }
CUIString CUIScrollBar::GetThumbNormalImage() { return m_thumbImages.normal; }
void CUIScrollBar::SetThumbNormalImage(const CUIString& image) { SetImage(m_thumbImages.normal, image); }
CUIString CUIScrollBar::GetThumbHotImage() { return m_thumbImages.hot; }
void CUIScrollBar::SetThumbHotImage(const CUIString& image) { SetImage(m_thumbImages.hot, image); }
CUIString CUIScrollBar::GetThumbPushedImage() { return m_thumbImages.pushed; }
void CUIScrollBar::SetThumbPushedImage(const CUIString& image) { SetImage(m_thumbImages.pushed, image); }
CUIString CUIScrollBar::GetThumbDisabledImage() { return m_thumbImages.disabled; }
void CUIScrollBar::SetThumbDisabledImage(const CUIString& image) { SetImage(m_thumbImages.disabled, image); }
CUIString CUIScrollBar::GetRailNormalImage() { return m_railImages.normal; }
void CUIScrollBar::SetRailNormalImage(const CUIString& image) { SetImage(m_railImages.normal, image); }
CUIString CUIScrollBar::GetRailHotImage() { return m_railImages.hot; }
void CUIScrollBar::SetRailHotImage(const CUIString& image) { SetImage(m_railImages.hot, image); }
CUIString CUIScrollBar::GetRailPushedImage() { return m_railImages.pushed; }
void CUIScrollBar::SetRailPushedImage(const CUIString& image) { SetImage(m_railImages.pushed, image); }
CUIString CUIScrollBar::GetRailDisabledImage() { return m_railImages.disabled; }
void CUIScrollBar::SetRailDisabledImage(const CUIString& image) { SetImage(m_railImages.disabled, image); }
CUIString CUIScrollBar::GetBkNormalImage() { return m_bkImages.normal; }
void CUIScrollBar::SetBkNormalImage(const CUIString& image) { SetImage(m_bkImages.normal, image); }
CUIString CUIScrollBar::GetBkHotImage() { return m_bkImages.hot; }
void CUIScrollBar::SetBkHotImage(const CUIString& image) { SetImage(m_bkImages.hot, image); }
CUIString CUIScrollBar::GetBkPushedImage() { return m_bkImages.pushed; }
void CUIScrollBar::SetBkPushedImage(const CUIString& image) { SetImage(m_bkImages.pushed, image); }
CUIString CUIScrollBar::GetBkDisabledImage() { return m_bkImages.disabled; }
void CUIScrollBar::SetBkDisabledImage(const CUIString& image) { SetImage(m_bkImages.disabled, image); }

// ---- markup ----

void CUIScrollBar::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    struct ImageAttribute {
        const wchar_t* name;
        CUIString PartImages::*state;
        PartImages CUIScrollBar::*part;
    };
    static const ImageAttribute kImages[] = {
        {L"button1normalimage", &PartImages::normal, &CUIScrollBar::m_button1Images},
        {L"button1hotimage", &PartImages::hot, &CUIScrollBar::m_button1Images},
        {L"button1pushedimage", &PartImages::pushed, &CUIScrollBar::m_button1Images},
        {L"button1disabledimage", &PartImages::disabled, &CUIScrollBar::m_button1Images},
        {L"button2normalimage", &PartImages::normal, &CUIScrollBar::m_button2Images},
        {L"button2hotimage", &PartImages::hot, &CUIScrollBar::m_button2Images},
        {L"button2pushedimage", &PartImages::pushed, &CUIScrollBar::m_button2Images},
        {L"button2disabledimage", &PartImages::disabled, &CUIScrollBar::m_button2Images},
        {L"thumbnormalimage", &PartImages::normal, &CUIScrollBar::m_thumbImages},
        {L"thumbhotimage", &PartImages::hot, &CUIScrollBar::m_thumbImages},
        {L"thumbpushedimage", &PartImages::pushed, &CUIScrollBar::m_thumbImages},
        {L"thumbdisabledimage", &PartImages::disabled, &CUIScrollBar::m_thumbImages},
        {L"railnormalimage", &PartImages::normal, &CUIScrollBar::m_railImages},
        {L"railhotimage", &PartImages::hot, &CUIScrollBar::m_railImages},
        {L"railpushedimage", &PartImages::pushed, &CUIScrollBar::m_railImages},
        {L"raildisabledimage", &PartImages::disabled, &CUIScrollBar::m_railImages},
        {L"bknormalimage", &PartImages::normal, &CUIScrollBar::m_bkImages},
        {L"bkhotimage", &PartImages::hot, &CUIScrollBar::m_bkImages},
        {L"bkpushedimage", &PartImages::pushed, &CUIScrollBar::m_bkImages},
        {L"bkdisabledimage", &PartImages::disabled, &CUIScrollBar::m_bkImages},
    };
    for (const ImageAttribute& image : kImages) {
        if (wcscmp(name, image.name) == 0) {
            SetImage((this->*image.part).*image.state, value);
            return;
        }
    }
    if (wcscmp(name, L"hor") == 0)
        SetHorizontal(ReadBool(value));
    else if (wcscmp(name, L"linesize") == 0)
        SetLineSize(static_cast<int>(wcstol(value, nullptr, 10)));
    else if (wcscmp(name, L"range") == 0)
        SetScrollRange(static_cast<int>(wcstol(value, nullptr, 10)));
    else if (wcscmp(name, L"value") == 0)
        SetScrollPos(static_cast<int>(wcstol(value, nullptr, 10)));
    else if (wcscmp(name, L"showbutton1") == 0)
        SetShowButton1(ReadBool(value));
    else if (wcscmp(name, L"showbutton2") == 0)
        SetShowButton2(ReadBool(value));
    else
        CUIControl::SetAttribute(name, value);
}
