#pragma once
// The multi-column list and what its parts share:
// - tagTListInfoUI: the column places and item drawing settings that one list keeps for its items;
// - IListCallbackUI: the application's source of cell texts;
// - IListOwnerUI, IListUI: how the items reach their list, IListItemUI: how the list reaches them;
// - CListUI: a column of a header row and a scrolling body of items, with one selection;
// - CListBodyUI: the body, which scrolls the items and keeps the header aligned with them.
//
// Ownership: a list makes its body and a header but deletes neither, nor any header it was
// given, nor what they hold: they are its owner's, as the items are, which it only links
// and leaves without a list when it goes. DeleteControlTree reaches them all. The list, its
// body and its items watch one another (CWatched): a part that its owner deleted first is
// simply missing, and what remains works without it.

#include "UIDefine.h"
#include "UIFlowLayout.h"
#include "UIRender.h"
#include "UIWatched.h"

class CListBodyUI;
class CListHeaderUI;

// The most columns whose rectangles a list keeps.
constexpr int UILIST_MAX_COLUMNS = 32;

// The columns of a list and how its items draw, read by the items whenever they measure
// or paint; only the list and its body write it.
struct tagTListInfoUI {
    // The header's item count, at most UILIST_MAX_COLUMNS.
    int nColumns = 0;
    // Where each header item lies, in window pixels.
    CUIRect rcColumn[UILIST_MAX_COLUMNS];
    CUIString sFont;
    // A font group, which takes the place of the font when set.
    CUIString sFonts;
    UINT uTextStyle = TEXTSTYLE_VCENTER;
    // Logical pixels, used unscaled.
    CUIRect rcTextPadding;
    unsigned long dwTextColor = 0xFF000000;
    unsigned long dwBkColor = 0;
    CUIString sBkImage;
    // Only the even items paint the background.
    bool bAlternateBk = false;
    unsigned long dwSelectedTextColor = 0xFF000000;
    unsigned long dwSelectedBkColor = 0xFFC1E3FF;
    CUIString sSelectedImage;
    unsigned long dwHotTextColor = 0xFF000000;
    unsigned long dwHotBkColor = 0xFFE9F5FF;
    CUIString sHotImage;
    unsigned long dwDisabledTextColor = 0xFFCCCCCC;
    unsigned long dwDisabledBkColor = 0xFFFFFFFF;
    CUIString sDisabledImage;
    // 0 draws no line under the items.
    unsigned long dwLineColor = 0;
    bool bShowHtml = false;
    bool bMultiExpandable = false;
    // Logical pixels; (0, 0) leaves the items' size to their text.
    CUISize szItem;
};
typedef tagTListInfoUI TListInfoUI;

// Implemented by the application: the text of one cell of a list, which the text items ask
// for whenever they paint and copy at once. The list does not own it.
class UILIB_API IListCallbackUI {
public:
    virtual const wchar_t* QueryItemText(CUIControl* item, int itemIndex, int column) = 0;

protected:
    ~IListCallbackUI() {}
};

// What an item asks of the list it belongs to.
class UILIB_API IListOwnerUI {
public:
    virtual tagTListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int index, bool notify = true) = 0;
    virtual void DoEvent(TEventUI& event) = 0;

protected:
    ~IListOwnerUI() {}
};

// A list's parts and its text source and expanded item, for its items.
class UILIB_API IListUI : public IListOwnerUI {
public:
    virtual CListHeaderUI* GetHeader() const = 0;
    virtual CListBodyUI* GetList() const = 0;
    virtual IListCallbackUI* GetTextCallback() const = 0;
    virtual void SetTextCallback(IListCallbackUI* callback) = 0;
    virtual bool ExpandItem(int index, bool expand = true) = 0;
    virtual int GetExpandedItem() const = 0;

protected:
    ~IListUI() {}
};

// What makes a control an item of a list: its list (the owner), its index in it, whether
// it is selected, and its text drawn in the list's columns.
class UILIB_API IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() = 0;
    // The list whose "IListOwner" part becomes the owner; null for none.
    virtual void SetOwner(CUIControl* owner) = 0;
    virtual bool IsSelected() const = 0;
    virtual bool Select(bool select = true) = 0;
    virtual bool IsExpanded() const = 0;
    virtual bool Expand(bool expand = true) = 0;
    virtual void DrawItemText(CUIRender* render, const CUIRect& rc) = 0;

protected:
    ~IListItemUI() {}
};

class UILIB_API CListUI : public CUIVerticalLayout, public IListUI {
public:
    CListUI();
    ~CListUI() override;

    // Items, the controls that are neither a header nor a header item, go to the body,
    // header items to the header, headers to the list's own children. An item that
    // answers "ListItem" learns the list and its index; the indexes and the selection
    // follow every insertion, move and removal.
    CUIControl* GetItemAt(int index) const override;
    int GetItemIndex(CUIControl* control) const override;
    // False, with nothing moved, for an index that names no item.
    bool SetItemIndex(CUIControl* control, int index) override;
    int GetCount() const override;
    // A header takes the place of the present one while that has no items.
    bool Add(CUIControl* control) override;
    bool AddAt(CUIControl* control, int index) override;
    // A removed item leaves the list: no owner, index -1, not selected.
    bool Remove(CUIControl* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    CUIString GetClass() const override;
    // The list for "List", its IListUI part for "IList" and "IListOwner", else the column's answer.
    void* GetInterface(const CUIString& name) override;
    // Keys and the wheel move the selection or scroll; Return activates the selected item.
    void DoEvent(TEventUI& event) override;
    // Lays out the header and the body, then keeps the columns in the record.
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // The scroll operations, the bars and the child padding are the body's.
    int GetChildPadding() const override;
    void SetChildPadding(int padding) override;
    tagSIZE GetScrollPos() const override;
    tagSIZE GetScrollRange() const override;
    void SetScrollPos(tagSIZE pos) override;
    void LineUp() override;
    void LineDown() override;
    void PageUp() override;
    void PageDown() override;
    void HomeUp() override;
    void EndDown() override;
    void LineLeft() override;
    void LineRight() override;
    void PageLeft() override;
    void PageRight() override;
    void HomeLeft() override;
    void EndRight() override;
    void EnableScrollBar(bool vertical, bool horizontal) override;
    CUIScrollBar* GetVerticalScrollBar() const override;
    CUIScrollBar* GetHorizontalScrollBar() const override;

    int GetCurSel() const override;
    // Deselects the present item, then selects the item at index and scrolls it into view;
    // false, with nothing selected, when there is no such item or it refuses. With notify
    // the window hears NOTIFY_ITEM_SELECT with the new and the old index.
    bool SelectItem(int index, bool notify = true) override;
    // Null once their owner deleted them: a list without a body holds no items and answers
    // as an empty one; a list without a header has no columns.
    CListHeaderUI* GetHeader() const override;
    CListBodyUI* GetList() const override;
    tagTListInfoUI* GetListInfo() override;
    int GetExpandedItem() const override;
    bool ExpandItem(int index, bool expand = true) override;
    IListCallbackUI* GetTextCallback() const override;
    void SetTextCallback(IListCallbackUI* callback) override;

    void SetMultiExpanding(bool multiExpanding);
    bool GetScrollSelect() const;
    // Whether the wheel moves the selection instead of scrolling.
    void SetScrollSelect(bool scrollSelect);
    // Scrolls the body until the item at index shows, while something is selected.
    void EnsureVisible(int index);
    void Scroll(int dx, int dy);
    // The body's sort.
    bool SortItems(int (*compare)(void*, void*, void*), void* data);
    // 1.
    UINT GetControlFlags() const;

    // The item drawing settings of the record.
    void SetItemFont(const CUIString& font);
    void SetItemTextStyle(UINT style);
    void SetItemTextPadding(tagRECT padding);
    CUIRect GetItemTextPadding() const;
    void SetItemTextColor(unsigned long colour);
    unsigned long GetItemTextColor() const;
    void SetItemBkColor(unsigned long colour);
    unsigned long GetItemBkColor() const;
    void SetItemBkImage(const CUIString& image);
    CUIString GetItemBkImage() const;
    void SetAlternateBk(bool alternate);
    bool IsAlternateBk() const;
    void SetSelectedItemTextColor(unsigned long colour);
    unsigned long GetSelectedItemTextColor() const;
    void SetSelectedItemBkColor(unsigned long colour);
    unsigned long GetSelectedItemBkColor() const;
    void SetSelectedItemImage(const CUIString& image);
    CUIString GetSelectedItemImage() const;
    void SetHotItemTextColor(unsigned long colour);
    unsigned long GetHotItemTextColor() const;
    void SetHotItemBkColor(unsigned long colour);
    unsigned long GetHotItemBkColor() const;
    void SetHotItemImage(const CUIString& image);
    CUIString GetHotItemImage() const;
    void SetDisabledItemTextColor(unsigned long colour);
    unsigned long GetDisabledItemTextColor() const;
    void SetDisabledItemBkColor(unsigned long colour);
    unsigned long GetDisabledItemBkColor() const;
    void SetDisabledItemImage(const CUIString& image);
    CUIString GetDisabledItemImage() const;
    void SetItemLineColor(unsigned long colour);
    unsigned long GetItemLineColor() const;
    void SetItemShowHtml(bool showHtml = true);
    bool IsItemShowHtml() const;

protected:
    bool m_bScrollSelect;
    int m_iCurSel;
    int m_iExpandedItem;
    IListCallbackUI* m_pCallback;
    CWatched<CListBodyUI> m_pList;
    CWatched<CListHeaderUI> m_pHeader;
    tagTListInfoUI m_ListInfo;

private:
    friend class CListBodyUI;

    // The item at index as a list item, or null.
    IListItemUI* ListItemAt(int index) const;
    // Gives the items from index on their positions as indexes.
    void Renumber(int from, int to) const;
    // An item that leaves the list: no owner, index -1, not selected.
    void Release(CUIControl* control) const;
    bool AddHeader(CUIControl* header);
    // Selects the next selectable item, if there is one.
    void SelectNext();
    // Counts the header's columns, moves them left by dx (not at all for 0) and keeps
    // where they lie; a size handler of a column may delete the columns, the header or
    // the list on the way.
    void PlaceColumns(int dx);
    // The body is being deleted: its items leave the list, which selects nothing from now on.
    void LoseBody(CListBodyUI& body);
};

class UILIB_API CListBodyUI : public CUIVerticalLayout {
public:
    // owner must not be null.
    explicit CListBodyUI(CListUI* owner);
    // Leaves the list without a body and the items in it without a list.
    ~CListBodyUI() override;

    // Every event goes to the list; once the list is gone, to the column layout.
    void DoEvent(TEventUI& event) override;
    // Scrolls the items by what the shown bars take, and the header items along with a
    // horizontal scroll, rewriting the list's columns.
    void SetScrollPos(tagSIZE pos) override;
    // Stacks the items as wide as the widest of them or, when the list has columns, as
    // the header; the horizontal bar covers what is wider than the body.
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;

    // Orders the items by compare, which answers below 0 when its first control belongs
    // before its second; the order of level items stays. Indexes follow, every item is
    // deselected and the list selects nothing, without notifying. False for no compare.
    bool SortItems(int (*compare)(void*, void*, void*), void* data);
    // The comparison of two slots of the items, with the body as the third argument; 0
    // when one of them is null.
    static int ItemComareFunc(const void* item1, const void* item2, void* body);
    // The stored comparison of the controls in two slots; 0 without one.
    int ItemComareFunc(const void* item1, const void* item2);

protected:
    friend class CListUI;

    CWatched<CListUI> m_pOwner;
    int (*m_pCompareFunc)(void*, void*, void*);
    void* m_pCompareData;
};
