#pragma once
// CUIRender: the drawing wrapper through which the controls of one window draw.
//
// Lifetime: made and deleted by its window; the backend renderer it draws with
// belongs to the backend.

#include "UIExport.h"

class CRenderBase;
class CUIWindow;

class UILIB_API CUIRender {
public:
    CUIRender();
    CUIRender(const CUIRender&) = delete;
    CUIRender& operator=(const CUIRender&) = delete;
    virtual ~CUIRender();

    void SetRenderPlatform(CRenderBase* render);
    void SetOwnWindow(CUIWindow* window);

private:
    CRenderBase* m_pRender;
    CUIWindow* m_pOwnWindow;
};
