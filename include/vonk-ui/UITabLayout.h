#pragma once
// CUITabLayout: a container of pages, one child each, of which only the current one is
// shown and laid out; switching pages reports NOTIFY_TAB_SELECT with the new and the last
// page index.

#include "UIContainer.h"

class UILIB_API CUITabLayout : public CUIContainer {
public:
    CUITabLayout();
    ~CUITabLayout() override;

    // The first visible page added becomes the current one; every other page is hidden.
    bool Add(CUIControl* child) override;
    // Inserting before the current page keeps that page current.
    bool AddAt(CUIControl* child, int index) override;
    // Removing the current page makes page 0 current; nothing is notified.
    bool Remove(CUIControl* child) override;
    void RemoveAll() override;

    CUIString GetClass() const override;
    // The tab layout for "TabLayout", else the container's answer.
    void* GetInterface(const CUIString& name) override;
    // Places the current page at the inner rectangle's corner, by its estimate.
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
    // "selectedid" selects that page, notifying.
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // The current page's index, -1 for none.
    int GetCurSel() const;
    CUIControl* GetCurSelItem() const;
    void SetLastSel(int index);
    int GetLastSel() const;
    // Shows the page and hides the others; false for an index that names no page. With
    // notify the window is told, with the page and the last page as parameters.
    bool SelectItem(int index, bool notify = true);
    // False when the control is no page.
    bool SelectItem(CUIControl* page, bool notify = true);
    // The page of that name found below the layout; false without one.
    bool SelectItem(const wchar_t* name, bool notify = true);

protected:
    int m_iCurSel;
    int m_iLastSel;
};
