#pragma once
// CUITileLayout and CUITileExLayout: tiles in a grid of equal cells, and tiles of varying
// width that flow into lines.
//
// The grid has a fixed or automatic column count (the first layout pass computes and keeps
// an automatic one), rows of a fixed height when a row count is given or as high as a
// line's tallest tile, and can stretch its item size, insets and gaps to its own extent.
// Every pass stretches from the configured item size, insets and gaps, so passes at the
// same extent agree; the getters report the values of the last pass.

#include <cstdint>

#include "UIContainer.h"

// Flags of CUITileLayout::SetStretchType.
enum StretchType : uint32_t {
    STRETCH_ITEM_WIDTH = 1,
    STRETCH_ITEM_HEIGHT = 2,
    STRETCH_PADDING = 4,   // the left and right insets and the column gaps
    STRETCH_VPADDING = 8,  // the top and bottom insets and the row gaps
    STRETCH_ALL = 0xFFFF,
};

class UILIB_API CUITileLayout : public CUIContainer {
public:
    CUITileLayout();
    ~CUITileLayout() override;

    CUIString GetClass() const override;
    // The grid for "TileLayout", else the container's answer.
    void* GetInterface(const CUIString& name) override;
    // Stretches, then centres each tile in its cell, line by line.
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Also the configured inset from which every pass stretches.
    void SetInset(const CUIRect& inset) override;
    // Also the configured gap from which every pass stretches.
    void SetChildPadding(int padding) override;

    CUISize GetItemSize() const;
    void SetItemSize(tagSIZE size);
    int GetColumns() const;
    // Counts below 1 are ignored.
    void SetColumns(int columns);
    void SetRows(int rows);
    // Logical pixels.
    void SetChildVPadding(int padding);
    // Window pixels.
    int GetChildVPadding() const;
    // ORs the flags in; flags are never cleared.
    void SetStretchType(StretchType type);

    // The factor that fits the stretched parts of a line into width: the layout's width
    // over its original width when that is set, else over the item widths, insets and gaps
    // that stretch. False when nothing stretches.
    bool CalcWidthStretchScale(int width, double* factor);
    // The same along y, over rows, item heights, top and bottom insets and row gaps.
    bool CalcHeightStrechScale(int height, double* factor);
    // Scales the item size, insets and gaps by the factors for rc's extents.
    void StretchByType(const CUIRect& rc);
    // At the first tile of a line without a row count: height raised to what the line's
    // tiles need; also written to height.
    int GetLineHeight(int tile, int cellWidth, int& height);

protected:
    CUISize m_szItem;
    int m_nColumns;
    int m_nRows;
    int m_iChildVPadding;
    UINT m_uStretchType;
    bool m_bPageEndWithPadding;
    bool m_bUseWholePage;

private:
    // The height of the line that the child at start begins: height raised to what the
    // line's tiles need.
    int LineHeightFrom(int start, int cellWidth, int height);

    // What the application set, from which each pass stretches afresh.
    CUISize m_szItemConfigured;
    CUIRect m_rcInsetConfigured;
    int m_iChildPaddingConfigured;
    int m_iChildVPaddingConfigured;
};

class UILIB_API CUITileExLayout : public CUITileLayout {
public:
    CUITileExLayout();
    ~CUITileExLayout() override;

    CUIString GetClass() const override;
    // The flowing grid for "TileExLayout", else the grid's answer.
    void* GetInterface(const CUIString& name) override;
    // Flows the tiles into lines, one line under the other.
    void SetPos(const CUIRect& rc, bool needInvalidate = true) override;

    // The item width is the layout's width over the column count when there is one, and
    // the item height its height over the row count likewise.
    CUISize GetItemSize() const;
    // Places one line from the child at start at origin; each tile's width is snapped to
    // whole item widths, and the line's last tile is widened to its end. Answers the tiles
    // placed and the line's height.
    int SetLineItemPos(int start, const tagPOINT& origin, const tagSIZE& available, int& lineHeight);
};
