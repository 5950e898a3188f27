#pragma once
// The items of a list, which paint their background from the list's record by state and
// turn presses, double clicks and Return into selection and activation:
// - CListElementUI: the item on a plain control, the base of the two text items;
// - CListLabelElementUI: one text in the list's item font and colours;
// - CListTextElementUI: one text per column, stored or asked from the list's text callback;
// - CListContainerElementUI: the item on a container, for rows of any controls.
// Outside a list an item has no owner: the text items draw nothing and take no room. An
// item watches its list, so that it has no owner either once the list is deleted.

#include <memory>
#include <vector>

#include "UIContainer.h"
#include "UIList.h"

class UILIB_API CListElementUI : public CUIControl, public IListItemUI {
public:
    CListElementUI();
    ~CListElementUI() override;

    CUIString GetClass() const override;
    // Its IListItemUI part for "ListItem", the item for "ListElement", else the control's answer.
    void* GetInterface(const CUIString& name) override;
    // A double click or Return activates; the rest goes to the list.
    void DoEvent(TEventUI& event) override;
    // Notifies NOTIFY_ITEM_ACTIVATE; false for a hidden or disabled item.
    bool Activate() override;
    // "selected" selects or deselects the item.
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Hiding the selected item leaves the list without a selection.
    void SetVisible(bool visible = true) override;
    // Disabling clears the hot state; the selection stays.
    void SetEnabled(bool enabled = true) override;

    int GetIndex() const override;
    void SetIndex(int index) override;
    IListOwnerUI* GetOwner() override;
    void SetOwner(CUIControl* owner) override;
    bool IsSelected() const override;
    // A disabled item refuses to be selected; selecting tells the list.
    bool Select(bool select = true) override;
    // Never expanded: false.
    bool IsExpanded() const override;
    bool Expand(bool expand = true) override;
    void DrawItemText(CUIRender* render, const CUIRect& rc) override;

    // Repaints the part of the item that shows inside its container and every ancestor.
    void Invalidate();
    // The list's background colour and images for the item's state, its own background
    // image and the list's line, over the item rectangle.
    void DrawItemBk(CUIRender* render, const CUIRect& rc);
    // 4.
    UINT GetControlFlags() const;

protected:
    int m_iItemIndex;
    bool m_bSelected;
    // Only BUTTONSTATE_HOT.
    UINT m_uButtonState;
    CWatchedInterface<IListOwnerUI> m_pOwner;
};

class UILIB_API CListLabelElementUI : public CListElementUI {
public:
    CListLabelElementUI();
    ~CListLabelElementUI() override;

    CUIString GetClass() const override;
    // The item for "ListLabelElement", else the element's answer.
    void* GetInterface(const CUIString& name) override;
    // The background, then the text.
    void DoPaint(CUIRender* render, const CUIRect& paint) override;
    // A press selects and notifies NOTIFY_ITEM_CLICK; the pointer makes it hot.
    void DoEvent(TEventUI& event) override;
    // The list's item size, else the item's fixed size, with what is 0 measured from the text.
    tagSIZE EstimateSize(tagSIZE available) override;
    // The text in the list's text style, single line, inside the list's text padding.
    void DrawItemText(CUIRender* render, const CUIRect& rc) override;

    // Draws (or, with TEXTSTYLE_CALCRECT, measures into out) text in the record's font
    // group when it has one, otherwise in its item font.
    void DrawTextWraper(CUIRender* render, tagTListInfoUI* info, const CUIRect& rect, const CUIString& text,
                        unsigned long style, unsigned long colour, bool html, CUIRect* out);
};

class UILIB_API CListTextElementUI : public CListLabelElementUI {
public:
    // The number of link slots.
    static constexpr int kMaxLinks = 8;

    CListTextElementUI();
    ~CListTextElementUI() override;

    CUIString GetClass() const override;
    // The item for "ListTextElement", else the label item's answer.
    void* GetInterface(const CUIString& name) override;
    // Link hover and clicks over the link rectangles, then the label item's handling.
    void DoEvent(TEventUI& event) override;
    // Also keeps the list's IListUI part, for its text callback.
    void SetOwner(CUIControl* owner) override;
    // Each column's text in that column of the list.
    void DrawItemText(CUIRender* render, const CUIRect& rc) override;

    using CListLabelElementUI::GetText;
    using CListLabelElementUI::SetText;
    // The text of the column, or null when it has none.
    const wchar_t* GetText(int column) const;
    // Nothing outside a list or for a column the list does not have.
    void SetText(int column, const wchar_t* text);
    // Link text i, or null when i names no link.
    CUIString* GetLinkContent(int i);
    // 6 while enabled with links, otherwise 4.
    UINT GetControlFlags() const;

protected:
    // The first link whose rectangle holds pt, or -1.
    int LinkAt(const tagPOINT& pt) const;

    int m_nLinks;
    CUIRect m_rcLinks[kMaxLinks];
    CUIString m_sLinks[kMaxLinks];
    int m_nHoverLink;
    CWatchedInterface<IListUI> m_pOwnerList;
    // One per column; null for a column without text.
    std::vector<std::unique_ptr<CUIString>> m_aTexts;
};

class UILIB_API CListContainerElementUI : public CUIContainer, public IListItemUI {
public:
    CListContainerElementUI();
    ~CListContainerElementUI() override;

    CUIString GetClass() const override;
    // Its IListItemUI part for "ListItem", the item for "ListContainerElement", else the
    // container's answer.
    void* GetInterface(const CUIString& name) override;
    // The list's background for the item's state, then the container and its children.
    void DoPaint(CUIRender* render, const CUIRect& paint) override;
    // A press selects and notifies NOTIFY_ITEM_CLICK, a double click or Return activates,
    // the pointer makes it hot; the rest goes to the list.
    void DoEvent(TEventUI& event) override;
    // Notifies NOTIFY_ITEM_ACTIVATE; false for a hidden or disabled item.
    bool Activate() override;
    // "selected" selects or deselects the item.
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Hiding the selected item leaves the list without a selection.
    void SetVisible(bool visible = true) override;
    // Disabling clears the hot state; the selection stays.
    void SetEnabled(bool enabled = true) override;

    int GetIndex() const override;
    void SetIndex(int index) override;
    IListOwnerUI* GetOwner() override;
    void SetOwner(CUIControl* owner) override;
    bool IsSelected() const override;
    // A disabled item refuses to be selected; selecting tells the list.
    bool Select(bool select = true) override;
    // Never expanded: false.
    bool IsExpanded() const override;
    bool Expand(bool expand = true) override;
    void DrawItemText(CUIRender* render, const CUIRect& rc) override;

    // Repaints the part of the item that shows inside its container and every ancestor.
    void Invalidate();
    // As CListElementUI::DrawItemBk.
    void DrawItemBk(CUIRender* render, const CUIRect& rc);
    // 4.
    UINT GetControlFlags() const;

protected:
    int m_iItemIndex;
    bool m_bSelected;
    // Only BUTTONSTATE_HOT.
    UINT m_uButtonState;
    CWatchedInterface<IListOwnerUI> m_pOwner;
};
