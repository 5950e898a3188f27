// The drawing wrapper of a window.

#include "UIRender.h"

#include "UIRenderBase.h"

CUIRender::CUIRender() : m_pRender(nullptr), m_pOwnWindow(nullptr) {}

CUIRender::~CUIRender() {}

void CUIRender::SetRenderPlatform(CRenderBase* render) { m_pRender = render; }

void CUIRender::SetOwnWindow(CUIWindow* window) { m_pOwnWindow = window; }

void CUIRender::DrawColor(const CUIRect& rc, unsigned long colour)
{
    if (m_pRender)
        m_pRender->DrawColor(rc, colour);
}

void CUIRender::DrawRect(const CUIRect& rc, int size, unsigned long colour)
{
    if (m_pRender)
        m_pRender->DrawRect(rc, size, colour);
}

void CUIRender::GenerateClip(const tagRECT& rc)
{
    if (m_pRender)
        m_pRender->GenerateClip(rc);
}

void CUIRender::ClearClip()
{
    if (m_pRender)
        m_pRender->ClearClip();
}

bool CUIRender::DrawImageString(const CUIRect&, const CUIRect&, const wchar_t*, const wchar_t*) { return false; }
