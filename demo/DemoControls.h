#pragma once
// The demonstration's own controls, made through its window's builder callback.

#include <vonk-ui.h>

// Paints its text in a named font and colour ("font", "textcolor"), inset by its padding.
class CDemoText : public CUIControl {
public:
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintText(CUIRender* render) override;

private:
    CUIString m_font;
    unsigned long m_colour = 0xFFE6ECF5;
};

// Reports a release of the pointer over itself as a click.
class CDemoButton : public CUIControl {
public:
    void DoEvent(TEventUI& event) override;
};

// Stacks its children from top to bottom and scrolls them with its vertical bar.
class CDemoScrollList : public CUIContainer {
public:
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
};
