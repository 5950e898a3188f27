// The demonstration's own controls.

#include "DemoControls.h"

#include <cwchar>

void CDemoText::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (std::wcscmp(name, L"font") == 0)
        m_font = value;
    else if (std::wcscmp(name, L"textcolor") == 0)
        ParseColorString(value, m_colour);
    else
        CUIControl::SetAttribute(name, value);
}

void CDemoText::PaintText(CUIRender* render)
{
    if (GetText().IsEmpty())
        return;
    CUIRect rc = GetPos();
    rc.Deflate(GetPadding());
    render->DrawText(rc, GetText(), 0, m_font, m_colour, false, nullptr);
}

void CDemoButton::DoEvent(TEventUI& event)
{
    if (event.Type == EVENT_BUTTONUP && GetPos().IsPtIn(event.ptMouse) && GetOwnWindow()) {
        GetOwnWindow()->SendNotify(this, NOTIFY_CLICK, 0, 0, false);
        return;
    }
    CUIControl::DoEvent(event);
}

void CDemoScrollList::SetPos(const CUIRect& rc, bool needInvalidate)
{
    CUIControl::UpdatePos(rc, needInvalidate);
    CUIRect inner = rc;
    inner.Deflate(GetInset());
    const tagSIZE available{inner.right - inner.left, inner.bottom - inner.top};

    int needed = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetItemAt(i)->IsVisible())
            needed += static_cast<int>(GetItemAt(i)->EstimateSize(available).cy);
    }
    // The bar takes its room beside the rows when they do not fit.
    CUIScrollBar* bar = GetVerticalScrollBar();
    if (bar && needed > available.cy)
        inner.right -= bar->GetFixedWidth();

    int64_t top = inner.top - GetScrollPos().cy;
    for (int i = 0; i < GetCount(); ++i) {
        CUIControl* row = GetItemAt(i);
        if (!row->IsVisible())
            continue;
        const int64_t height = row->EstimateSize(available).cy;
        row->SetPos(CUIRect(inner.left, top, inner.right, top + height), false);
        top += height;
    }
    ProcessScrollBar(inner, 0, needed);
}
