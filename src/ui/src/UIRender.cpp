// The drawing wrapper of a window.

#include "UIRender.h"

CUIRender::CUIRender() : m_pRender(nullptr), m_pOwnWindow(nullptr) {}

CUIRender::~CUIRender() {}

void CUIRender::SetRenderPlatform(CRenderBase* render) { m_pRender = render; }

void CUIRender::SetOwnWindow(CUIWindow* window) { m_pOwnWindow = window; }
