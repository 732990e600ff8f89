#include "clipview/PaletteGrid.h"

#include <algorithm>
#include <utility>

namespace clipview {

namespace {

constexpr int cellSize = 20;
constexpr std::size_t maximumEntries = 256;

} // namespace

const toolkit::MetaClass TPaletteGrid::classInfo("TPaletteGrid", toolkit::DrawGrid::classInfo, sizeof(TPaletteGrid),
                                                 toolkit::createInstance<TPaletteGrid>, {});

TPaletteGrid::TPaletteGrid(toolkit::Component* owner) : DrawGrid(owner)
{
    setDefaultColWidth(cellSize);
    setDefaultRowHeight(cellSize);
    setGridLines(false);
    setScrollBars(toolkit::GridScrollBars::ssVertical);
}

void TPaletteGrid::setPalette(HPALETTE palette)
{
    toolkit::PaletteHandle copy = toolkit::copyPalette(palette);
    std::vector<PALETTEENTRY> entries;
    if (palette) {
        WORD count = 0;
        GetObjectA(palette, sizeof count, &count);
        entries.resize(std::min<std::size_t>(count, maximumEntries));
        if (!entries.empty()) GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
    }
    palette_ = std::move(copy);
    entries_ = std::move(entries);
    sizeToEntries();
    if (HWND window = handleIfCreated()) InvalidateRect(window, nullptr, TRUE);
}

void TPaletteGrid::sizeToEntries()
{
    if (sizing_) return;
    sizing_ = true;
    const RECT area = clientRect();
    // At least one column, however narrow the grid.
    const int columns = std::max(1, static_cast<int>((area.right - area.left - GetSystemMetrics(SM_CXVSCROLL)) / cellSize));
    const int count = static_cast<int>(entries_.size());
    const int rows = std::max(1, (count + columns - 1) / columns);
    setColCount(columns);
    setRowCount(rows);
    setClientHeight(rows * cellSize);
    sizing_ = false;
}

void TPaletteGrid::sized()
{
    sizeToEntries();
}

bool TPaletteGrid::canSelectCell(int col, int row)
{
    return (col == 0 && row == 0) || entryAt(col, row) < static_cast<int>(entries_.size());
}

void TPaletteGrid::drawCell(HDC dc, int col, int row, const RECT& rect)
{
    const int index = entryAt(col, row);
    if (index >= static_cast<int>(entries_.size()) || !palette_) {
        FillRect(dc, &rect, backgroundBrush());
        return;
    }
    RECT inner = rect;
    DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    toolkit::SavedDC saved(dc);
    SelectPalette(dc, palette_.get(), FALSE);
    RealizePalette(dc);
    toolkit::Brush brush(CreateSolidBrush(PALETTEINDEX(static_cast<WORD>(index))));
    FillRect(dc, &inner, brush.get());
}

} // namespace clipview
