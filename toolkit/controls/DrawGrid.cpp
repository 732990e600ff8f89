#include "toolkit/controls/DrawGrid.h"

#include <algorithm>

namespace toolkit {

const MetaClass DrawGrid::classInfo(
    "TDrawGrid", WinControl::classInfo, sizeof(DrawGrid), nullptr,
    {integerProperty("ColCount", &DrawGrid::colCount, &DrawGrid::setColCount),
     integerProperty("RowCount", &DrawGrid::rowCount, &DrawGrid::setRowCount),
     integerProperty("DefaultColWidth", &DrawGrid::defaultColWidth, &DrawGrid::setDefaultColWidth),
     integerProperty("DefaultRowHeight", &DrawGrid::defaultRowHeight, &DrawGrid::setDefaultRowHeight),
     booleanProperty("GridLines", &DrawGrid::gridLines, &DrawGrid::setGridLines),
     enumProperty("ScrollBars", {"ssNone", "ssVertical"}, &DrawGrid::scrollBars, &DrawGrid::setScrollBars),
     enumProperty("BorderStyle", {"bsNone", "bsSingle"}, &DrawGrid::borderStyle, &DrawGrid::setBorderStyle),
     booleanProperty("Ctl3D", &DrawGrid::ctl3D, &DrawGrid::setCtl3D)});

DrawGrid::DrawGrid(Component* owner) : WinControl(owner)
{
    setTabStop(true);
    setColor(clWindow);
}

void DrawGrid::setColCount(int count)
{
    colCount_ = std::max(1, count);
    col_ = std::min(col_, colCount_ - 1);
    updateScrollBar();
    repaint();
}

void DrawGrid::setRowCount(int count)
{
    rowCount_ = std::max(1, count);
    row_ = std::min(row_, rowCount_ - 1);
    topRow_ = std::min(topRow_, rowCount_ - 1);
    updateScrollBar();
    repaint();
}

void DrawGrid::setDefaultColWidth(int width)
{
    colWidth_ = std::max(1, width);
    repaint();
}

void DrawGrid::setDefaultRowHeight(int height)
{
    rowHeight_ = std::max(1, height);
    updateScrollBar();
    repaint();
}

void DrawGrid::setGridLines(bool lines)
{
    gridLines_ = lines;
    repaint();
}

void DrawGrid::repaint()
{
    if (HWND window = handleIfCreated()) InvalidateRect(window, nullptr, TRUE);
}

void DrawGrid::createParams(CreateParams& params)
{
    params.style |= (scrollBars_ == GridScrollBars::ssVertical ? WS_VSCROLL : 0);
    if (borderStyle_ == BorderStyle::Single) {
        if (ctl3D_)
            params.exStyle |= WS_EX_CLIENTEDGE;
        else
            params.style |= WS_BORDER;
    }
}

void DrawGrid::handleCreated()
{
    updateScrollBar();
}

RECT DrawGrid::cellRect(int col, int row) const
{
    const int line = gridLines_ ? 1 : 0;
    const int left = col * (colWidth_ + line);
    const int top = (row - topRow_) * (rowHeight_ + line);
    return {left, top, left + colWidth_, top + rowHeight_};
}

int DrawGrid::visibleRows() const
{
    const RECT area = clientRect();
    return std::max(1, static_cast<int>((area.bottom - area.top) / (rowHeight_ + (gridLines_ ? 1 : 0))));
}

void DrawGrid::setClientHeight(int height)
{
    const RECT area = clientRect();
    setBounds(left(), top(), width(), this->height() - (area.bottom - area.top) + height);
}

void DrawGrid::paintContent(HDC dc)
{
    const RECT area = clientRect();
    const int line = gridLines_ ? 1 : 0;
    for (int row = topRow_; row < rowCount_; ++row) {
        for (int col = 0; col < colCount_; ++col) {
            const RECT cell = cellRect(col, row);
            if (cell.top >= area.bottom) return;
            if (cell.left >= area.right) break;
            drawCell(dc, col, row, cell);
            if (col == col_ && row == row_ && GetFocus() == handleIfCreated()) DrawFocusRect(dc, &cell);
            if (line) {
                RECT right{cell.right, cell.top, cell.right + 1, cell.bottom + 1};
                RECT bottom{cell.left, cell.bottom, cell.right + 1, cell.bottom + 1};
                FillRect(dc, &right, GetSysColorBrush(COLOR_BTNFACE));
                FillRect(dc, &bottom, GetSysColorBrush(COLOR_BTNFACE));
            }
        }
    }
}

bool DrawGrid::moveTo(int col, int row)
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_ || !canSelectCell(col, row)) return false;
    col_ = col;
    row_ = row;
    if (row_ < topRow_)
        scrollToRow(row_);
    else if (row_ >= topRow_ + visibleRows())
        scrollToRow(row_ - visibleRows() + 1);
    repaint();
    return true;
}

void DrawGrid::mouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    if (HWND window = handleIfCreated()) SetFocus(window);
    const int line = gridLines_ ? 1 : 0;
    if (x >= 0 && y >= 0) moveTo(x / (colWidth_ + line), topRow_ + y / (rowHeight_ + line));
    WinControl::mouseDown(button, shift, x, y);
}

void DrawGrid::keyDown(WPARAM key)
{
    switch (key) {
    case VK_LEFT: moveTo(col_ - 1, row_); break;
    case VK_RIGHT: moveTo(col_ + 1, row_); break;
    case VK_UP: moveTo(col_, row_ - 1); break;
    case VK_DOWN: moveTo(col_, row_ + 1); break;
    default: break;
    }
}

void DrawGrid::scrollToRow(int top)
{
    const int last = std::max(0, rowCount_ - visibleRows());
    topRow_ = std::clamp(top, 0, last);
    if (HWND window = handleIfCreated()) {
        SetScrollPos(window, SB_VERT, topRow_, TRUE);
        InvalidateRect(window, nullptr, TRUE);
    }
}

void DrawGrid::updateScrollBar()
{
    HWND window = handleIfCreated();
    if (!window || scrollBars_ != GridScrollBars::ssVertical) return;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    info.nMax = rowCount_ - 1;
    info.nPage = static_cast<UINT>(visibleRows());
    info.nPos = topRow_;
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

LRESULT DrawGrid::windowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: keyDown(wParam); return 0;
    case WM_SETFOCUS: case WM_KILLFOCUS: InvalidateRect(handleIfCreated(), nullptr, TRUE); break;
    case WM_VSCROLL: {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(handleIfCreated(), SB_VERT, &info);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: scrollToRow(topRow_ - 1); break;
        case SB_LINEDOWN: scrollToRow(topRow_ + 1); break;
        case SB_PAGEUP: scrollToRow(topRow_ - visibleRows()); break;
        case SB_PAGEDOWN: scrollToRow(topRow_ + visibleRows()); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: scrollToRow(info.nTrackPos); break;
        default: break;
        }
        return 0;
    }
    case WM_SIZE: {
        const LRESULT result = WinControl::windowMessage(message, wParam, lParam);
        sized();
        updateScrollBar();
        return result;
    }
    default: break;
    }
    return WinControl::windowMessage(message, wParam, lParam);
}

} // namespace toolkit
