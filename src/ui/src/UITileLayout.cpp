// The tile layouts: the grid with its stretch and line heights, and the flowing grid
// that snaps tiles to whole item widths line by line.

#include "UITileLayout.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include <utility/logger>

#include "ContentArea.h"
#include "MarkupText.h"
#include "Scaling.h"
#include "SizeLimits.h"
#include "UIScrollBar.h"
#include "UIWindow.h"

namespace {

// The height a line's tiles are measured with when only their width is given.
const int64_t kMeasureHeight = 9999;

// The factor that fits the stretched parts of one axis into extent; see CalcWidthStretchScale.
bool StretchFactor(int64_t extent, int64_t original, int64_t item, int64_t count, int64_t gap, int64_t nearInset,
                   int64_t farInset, bool stretchItems, bool stretchPadding, double* factor)
{
    *factor = 1.0;
    if (original != 0) {
        *factor = static_cast<double>(extent) / static_cast<double>(original);
        return true;
    }
    // Without a count yet (automatic columns before the first pass, or no row count) only
    // the insets would stretch, and they would take the whole extent.
    if (item == 0 || count < 1 || (count >= 2 && gap == 0))
        return false;
    int64_t part = 0;
    if (stretchItems)
        part = count * item;
    else
        extent -= count * item;
    const int64_t gaps = (count - 1) * gap;
    if (stretchPadding)
        part += nearInset + farInset + gaps;
    else
        extent -= gaps + nearInset + farInset;
    if (part < 1)
        return false;
    *factor = static_cast<double>(extent) / static_cast<double>(part);
    return true;
}

// The gap that spreads count items with their insets over extent.
int SpreadGap(int64_t extent, int64_t count, int64_t item, int64_t nearInset, int64_t farInset)
{
    if (count < 2)
        return 0;
    return ClampToInt((extent - (count * item + nearInset + farInset)) / (count - 1));
}

}  // namespace

// ---- the grid ----

CUITileLayout::CUITileLayout()
    : m_szItem(0, 0),
      m_nColumns(0),
      m_nRows(0),
      m_iChildVPadding(0),
      m_uStretchType(0),
      m_bPageEndWithPadding(false),
      m_bUseWholePage(false),
      m_szItemConfigured(0, 0),
      m_iChildPaddingConfigured(0),
      m_iChildVPaddingConfigured(0)
{
}

CUITileLayout::~CUITileLayout() = default;

CUIString CUITileLayout::GetClass() const { return L"TileLayoutUI"; }

void* CUITileLayout::GetInterface(const CUIString& name)
{
    if (name == L"TileLayout")
        return static_cast<CUITileLayout*>(this);
    return CUIContainer::GetInterface(name);
}

CUISize CUITileLayout::GetItemSize() const { return m_szItem; }

void CUITileLayout::SetItemSize(tagSIZE size)
{
    if (size.cx == m_szItemConfigured.cx && size.cy == m_szItemConfigured.cy)
        return;
    m_szItemConfigured = size;
    m_szItem = size;
    NeedUpdate();
}

int CUITileLayout::GetColumns() const { return m_nColumns; }

void CUITileLayout::SetColumns(int columns)
{
    if (columns < 1)
        return;
    m_nColumns = columns;
    NeedUpdate();
}

void CUITileLayout::SetRows(int rows)
{
    if (rows < 1)
        return;
    m_nRows = rows;
    NeedUpdate();
}

void CUITileLayout::SetChildVPadding(int padding)
{
    m_iChildVPaddingConfigured = padding;
    m_iChildVPadding = padding;
    NeedUpdate();
}

int CUITileLayout::GetChildVPadding() const
{
    return ScaleInt(m_iChildVPadding, m_pWindow ? m_pWindow->GetHeightScale() : 1.0);
}

void CUITileLayout::SetInset(const CUIRect& inset)
{
    m_rcInsetConfigured = inset;
    CUIContainer::SetInset(inset);
}

void CUITileLayout::SetChildPadding(int padding)
{
    m_iChildPaddingConfigured = padding;
    CUIContainer::SetChildPadding(padding);
}

void CUITileLayout::SetStretchType(StretchType type)
{
    if ((type & 0xFFFF) == 0)
        return;
    m_uStretchType |= type;
}

bool CUITileLayout::CalcWidthStretchScale(int width, double* factor)
{
    double found = 1.0;
    const bool stretches =
        StretchFactor(width, m_szOriginal.cx, m_szItem.cx, m_nColumns, m_iChildPadding, m_rcInset.left, m_rcInset.right,
                      (m_uStretchType & STRETCH_ITEM_WIDTH) != 0, (m_uStretchType & STRETCH_PADDING) != 0, &found);
    if (factor)
        *factor = found;
    return stretches;
}

bool CUITileLayout::CalcHeightStrechScale(int height, double* factor)
{
    double found = 1.0;
    const bool stretches =
        StretchFactor(height, m_szOriginal.cy, m_szItem.cy, m_nRows, m_iChildVPadding, m_rcInset.top, m_rcInset.bottom,
                      (m_uStretchType & STRETCH_ITEM_HEIGHT) != 0, (m_uStretchType & STRETCH_VPADDING) != 0, &found);
    if (factor)
        *factor = found;
    return stretches;
}

// A factor of 0 or below would turn sizes and insets negative: such a layout stays unstretched.
void CUITileLayout::StretchByType(const CUIRect& rc)
{
    const int64_t width = rc.right - rc.left;
    const int64_t height = rc.bottom - rc.top;
    double factor = 1.0;
    if (CalcWidthStretchScale(ClampToInt(width), &factor) && factor > 0) {
        if (m_uStretchType & STRETCH_ITEM_WIDTH)
            m_szItem.cx = TruncToInt(static_cast<double>(m_szItem.cx) * factor);
        if (m_uStretchType & STRETCH_PADDING) {
            m_rcInset.left = TruncToInt(static_cast<double>(m_rcInset.left) * factor);
            m_rcInset.right = TruncToInt(static_cast<double>(m_rcInset.right) * factor);
        }
        m_iChildPadding = SpreadGap(width, m_nColumns, m_szItem.cx, m_rcInset.left, m_rcInset.right);
    }
    if (CalcHeightStrechScale(ClampToInt(height), &factor) && factor > 0) {
        if (m_uStretchType & STRETCH_ITEM_HEIGHT)
            m_szItem.cy = TruncToInt(static_cast<double>(m_szItem.cy) * factor);
        if (m_uStretchType & STRETCH_VPADDING) {
            m_rcInset.top = TruncToInt(static_cast<double>(m_rcInset.top) * factor);
            m_rcInset.bottom = TruncToInt(static_cast<double>(m_rcInset.bottom) * factor);
        }
        m_iChildVPadding = SpreadGap(height, m_nRows, m_szItem.cy, m_rcInset.top, m_rcInset.bottom);
    }
}

int CUITileLayout::GetLineHeight(int tile, int cellWidth, int& height)
{
    if (m_nRows != 0 || m_nColumns < 1 || tile % m_nColumns != 0)
        return height;
    // The line's tiles: the visible, non-floating children from the tile-th one on.
    int seen = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        if (IsFlowing(static_cast<CUIControl*>(m_items[i])) && seen++ == tile) {
            height = LineHeightFrom(i, cellWidth, height);
            break;
        }
    }
    return height;
}

int CUITileLayout::LineHeightFrom(int start, int cellWidth, int height)
{
    int inLine = 0;
    const CUIControl* first = nullptr;
    int64_t tallest = height;
    for (int i = start; i < m_items.GetSize() && inLine < m_nColumns; ++i) {
        CUIControl* child = static_cast<CUIControl*>(m_items[i]);
        if (!IsFlowing(child))
            continue;
        if (first == nullptr)
            first = child;
        const CUIRect pad = child->GetPadding();
        const bool atEnd = inLine == 0 || inLine == m_nColumns - 1;
        const int64_t gap = atEnd ? m_iChildPadding / 2 : m_iChildPadding;
        // Within the limits of the line's first tile.
        const int64_t width = ClampedWidth(*first, cellWidth - pad.left - pad.right - gap);
        const int64_t estimated = ClampedHeight(*first, child->EstimateSize({width, kMeasureHeight}).cy);
        tallest = std::max(tallest, estimated + pad.top + pad.bottom);
        ++inLine;
    }
    return ClampToInt(tallest);
}

void CUITileLayout::SetPos(const CUIRect& rc, bool needInvalidate)
{
    // Size handlers, the layout's and its tiles', may delete the layout.
    const CWatched<CUIControl> alive(this);
    UpdatePos(rc, needInvalidate);
    if (!alive)
        return;
    m_szItem = m_szItemConfigured;
    m_rcInset = m_rcInsetConfigured;
    m_iChildPadding = m_iChildPaddingConfigured;
    m_iChildVPadding = m_iChildVPaddingConfigured;
    if (m_iChildVPadding == 0 && m_iChildPadding != 0)
        m_iChildVPadding = m_iChildPadding;
    StretchByType(m_rcItem);

    CUIRect inner = m_rcItem;
    inner.Deflate(GetInset());
    const int64_t gap = GetChildPadding();
    const int64_t vgap = GetChildVPadding();
    const int64_t pageGap = m_bPageEndWithPadding ? 0 : vgap;
    if (m_items.IsEmpty()) {
        ProcessScrollBar(inner, 0, 0);
        return;
    }
    TakeOffScrollBars(*this, inner);
    const int64_t innerWidth = inner.right - inner.left;
    const int64_t innerHeight = inner.bottom - inner.top;

    // Without an item width, or narrower than one item (an inset wider than the layout
    // even), there is one column.
    if (m_nColumns == 0 && m_szItem.cx > 0)
        m_nColumns = ClampToInt(innerWidth / m_szItem.cx);
    m_nColumns = std::max(m_nColumns, 1);
    const int cellWidth = ClampToInt((innerWidth + gap) / m_nColumns);
    int cellHeight = m_nRows != 0 ? ClampToInt((innerHeight + pageGap) / m_nRows) : 0;

    const int64_t lineStart = inner.left - ScrollOffset(GetHorizontalScrollBar());
    int64_t x = lineStart;
    int64_t y = inner.top - ScrollOffset(GetVerticalScrollBar());
    int tiles = 0;
    int64_t bottom = 0;
    const bool placed = PlaceChildren(*this, m_items, [&](CUIControl* child, int i) {
        // A line measured from the child that starts it, not found again from the first.
        if (m_nRows == 0 && tiles % m_nColumns == 0)
            cellHeight = LineHeightFrom(i, cellWidth, cellHeight);
        const CUIRect pad = child->GetPadding();
        const CUIRect area(x + pad.left, y + pad.top, x + cellWidth - pad.right - gap,
                           y + cellHeight - pad.bottom - vgap);
        tagSIZE size = child->EstimateSize({area.right - area.left, area.bottom - area.top});
        if (size.cx == 0)
            size.cx = area.right - area.left;
        if (size.cy == 0)
            size.cy = area.bottom - area.top;
        size = ClampedSize(*child, size);
        CUIRect place;
        place.left = (area.left + area.right - size.cx) / 2;
        place.top = (area.top + area.bottom - size.cy) / 2;
        place.right = place.left + size.cx;
        place.bottom = place.top + size.cy;
        child->SetPos(place, false);

        ++tiles;
        if (tiles % m_nColumns == 0) {
            x = lineStart;
            y += cellHeight;
            if (m_nRows == 0)
                cellHeight = 0;
        } else {
            x += cellWidth;
        }
        bottom = std::max(bottom, area.bottom);
    });
    if (!placed)
        return;

    int64_t needed = bottom - inner.top;
    if (m_bUseWholePage && innerHeight > 0) {
        const int64_t pages = needed / innerHeight + (needed % innerHeight != 0 ? 1 : 0);
        needed = pages * innerHeight + pageGap;
    }
    needed += ScrollOffset(GetVerticalScrollBar());
    ProcessScrollBar(inner, 0, ClampToInt(needed));
}

void CUITileLayout::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    const struct {
        const wchar_t* name;
        StretchType type;
    } kStretches[] = {
        {L"stretchall", STRETCH_ALL},
        {L"stretchitemwidth", STRETCH_ITEM_WIDTH},
        {L"stretchitemheight", STRETCH_ITEM_HEIGHT},
        {L"stretchpadding", STRETCH_PADDING},
        {L"stretchvpadding", STRETCH_VPADDING},
    };
    for (const auto& stretch : kStretches) {
        if (IsNamed(name, stretch.name)) {
            if (ReadBool(value))
                SetStretchType(stretch.type);
            return;
        }
    }
    if (IsNamed(name, L"itemsize")) {
        int size[2];
        if (ReadInts(value, size, 2) == 2)
            SetItemSize(CUISize(size[0], size[1]));
        else
            UI_ERROR("%sitemsize \"%S\" has fewer than two numbers ", MarkupWhere().c_str(), value);
    } else if (IsNamed(name, L"columns")) {
        SetColumns(ReadInt(value));
    } else if (IsNamed(name, L"rows")) {
        SetRows(ReadInt(value));
    } else if (IsNamed(name, L"childvpadding")) {
        SetChildVPadding(ReadInt(value));
    } else if (IsNamed(name, L"pageendwithpadding")) {
        m_bPageEndWithPadding = ReadBool(value);
    } else if (IsNamed(name, L"usewholepage")) {
        m_bUseWholePage = ReadBool(value);
    } else {
        CUIContainer::SetAttribute(name, value);
    }
}

// ---- the flowing grid ----

namespace {

// One line of a flowing grid, and where the next line starts; gone when a size handler
// deleted the layout while the line was placed.
struct Line {
    int placed = 0;
    int next = 0;
    int64_t height = 0;
    bool gone = false;
};

// Widens the tile to the right by extra.
void Widen(CUIControl* tile, int64_t extra)
{
    CUIRect pos = tile->GetPos();
    pos.right += extra;
    tile->SetPos(pos, true);
}

// Places the line that starts with the child at start. A tile that does not fit ends the
// line unless it is the line's first, which then takes the whole line.
Line PlaceLine(CUITileExLayout& layout, const CStdPtrArray& items, int start, const tagPOINT& origin,
               const tagSIZE& available)
{
    Line line;
    const int64_t gap = layout.GetChildPadding();
    const CUISize item = layout.GetItemSize();
    int64_t remaining = available.cx;
    int64_t x = origin.x;
    CUIControl* last = nullptr;
    bool full = false;
    const CWatched<CUIControl> alive(&layout);
    line.next = PlaceChildrenFrom(layout, items, start, [&](CUIControl* child, int) {
        tagSIZE size = child->EstimateSize({remaining, available.cy});
        if (size.cx > remaining && last)
            return false;
        if (size.cx > remaining) {
            size.cx = remaining;
        } else if (item.cx >= 1) {
            // Snapped up to whole item widths with the gaps between them; without an item
            // width there is nothing to snap to.
            const double items = std::ceil(static_cast<double>(size.cx) / static_cast<double>(item.cx));
            const int64_t n = std::max<int64_t>(1, static_cast<int64_t>(items));
            size.cx = n * item.cx + (n - 1) * gap;
        }
        if (size.cy == 0)
            size.cy = item.cy;
        size = ClampedSize(*child, size);
        CUIRect place(x, origin.y, x + size.cx, origin.y + size.cy);
        place.Deflate(child->GetPadding());
        child->SetPos(place, true);

        line.height = std::max(line.height, size.cy);
        x += size.cx + gap;
        remaining -= size.cx + gap;
        ++line.placed;
        last = child;
        full = remaining < 1;
        return !full;
    });
    line.gone = line.next == kContainerGone;
    if (line.gone)
        return line;
    // The tile that filled the line is the line's; a line left short is widened to its end
    // by its last tile.
    if (full)
        ++line.next;
    if (remaining > 0 && last) {
        Widen(last, remaining);
        line.gone = !alive;
    }
    return line;
}

}  // namespace

CUITileExLayout::CUITileExLayout() = default;

CUITileExLayout::~CUITileExLayout() = default;

CUIString CUITileExLayout::GetClass() const { return L"TileExLayoutUI"; }

void* CUITileExLayout::GetInterface(const CUIString& name)
{
    if (name == L"TileExLayout")
        return static_cast<CUITileExLayout*>(this);
    return CUITileLayout::GetInterface(name);
}

CUISize CUITileExLayout::GetItemSize() const
{
    CUISize size = m_szItem;
    if (m_nColumns != 0)
        size.cx = (m_rcItem.right - m_rcItem.left) / m_nColumns;
    if (m_nRows != 0)
        size.cy = (m_rcItem.bottom - m_rcItem.top) / m_nRows;
    return size;
}

int CUITileExLayout::SetLineItemPos(int start, const tagPOINT& origin, const tagSIZE& available, int& lineHeight)
{
    const Line line = PlaceLine(*this, m_items, start, origin, available);
    lineHeight = ClampToInt(line.height);
    return line.placed;
}

void CUITileExLayout::SetPos(const CUIRect& rc, bool needInvalidate)
{
    // Size handlers, the layout's and its tiles', may delete the layout.
    const CWatched<CUIControl> alive(this);
    UpdatePos(rc, needInvalidate);
    if (!alive)
        return;
    CUIRect inner = m_rcItem;
    inner.Deflate(GetInset());
    if (m_items.IsEmpty()) {
        ProcessScrollBar(inner, 0, 0);
        return;
    }
    TakeOffScrollBars(*this, inner);
    const tagSIZE available = {inner.right - inner.left, inner.bottom - inner.top};
    const tagPOINT origin = {inner.left - ScrollOffset(GetHorizontalScrollBar()),
                             inner.top - ScrollOffset(GetVerticalScrollBar())};
    const int64_t vgap = GetChildVPadding();
    int64_t y = origin.y;
    int64_t needed = 0;
    for (int start = 0;;) {
        const Line line = PlaceLine(*this, m_items, start, {origin.x, y}, available);
        if (line.gone)
            return;
        if (line.placed == 0)
            break;
        start = line.next;
        y += line.height;
        needed = std::max(needed, y - inner.top);
        y += vgap;
    }
    needed += ScrollOffset(GetVerticalScrollBar());
    ProcessScrollBar(inner, 0, ClampToInt(needed));
}
