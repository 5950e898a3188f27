#pragma once
// CUIRender: the drawing wrapper through which the controls of one window draw.
//
// Lifetime: made and deleted by its window; the backend renderer it draws with
// belongs to the backend.

#include "UIExport.h"
#include "UIGeometry.h"

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

    void DrawColor(const CUIRect& rc, unsigned long colour);
    // A frame of size pixels.
    void DrawRect(const CUIRect& rc, int size, unsigned long colour);
    void GenerateClip(const tagRECT& rc);
    void ClearClip();
    bool DrawImageString(const CUIRect& item, const CUIRect& paint, const wchar_t* image, const wchar_t* modify);

private:
    CRenderBase* m_pRender;
    CUIWindow* m_pOwnWindow;
};
