#pragma once
// DrawGrid: a grid of equal cells whose content its subclass draws. It
// scrolls by rows, keeps a current cell that the mouse and the arrow keys
// move, and asks the subclass which cells may become current.
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/controls/WinControl.h"

namespace toolkit {

enum class GridScrollBars { ssNone, ssVertical };

class DrawGrid : public WinControl {
public:
    explicit DrawGrid(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    int colCount() const { return colCount_; }
    void setColCount(int count);
    int rowCount() const { return rowCount_; }
    void setRowCount(int count);
    int defaultColWidth() const { return colWidth_; }
    void setDefaultColWidth(int width);
    int defaultRowHeight() const { return rowHeight_; }
    void setDefaultRowHeight(int height);
    bool gridLines() const { return gridLines_; }
    void setGridLines(bool lines);
    GridScrollBars scrollBars() const { return scrollBars_; }
    void setScrollBars(GridScrollBars bars) { scrollBars_ = bars; }
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style) { borderStyle_ = style; }
    // Flat: a thin border instead of the sunken three-dimensional one.
    bool ctl3D() const { return ctl3D_; }
    void setCtl3D(bool ctl3D) { ctl3D_ = ctl3D; }

    int col() const { return col_; }
    int row() const { return row_; }
    int topRow() const { return topRow_; }
    // Makes a cell current when the subclass allows it; false otherwise.
    bool moveTo(int col, int row);
    // A cell's rectangle in the client area (rows above the top row lie
    // above it).
    RECT cellRect(int col, int row) const;
    // Resizes the control so that its client area is that high.
    void setClientHeight(int height);

protected:
    virtual void drawCell(HDC dc, int col, int row, const RECT& rect) = 0;
    virtual bool canSelectCell(int, int) { return true; }
    virtual void sized() {}

    void createParams(CreateParams& params) override;
    void handleCreated() override;
    void paintContent(HDC dc) override;
    void mouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    LRESULT windowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int visibleRows() const;
    void repaint();
    void scrollToRow(int top);
    void updateScrollBar();
    void keyDown(WPARAM key);

    int colCount_ = 5;
    int rowCount_ = 5;
    int colWidth_ = 64;
    int rowHeight_ = 24;
    bool gridLines_ = true;
    GridScrollBars scrollBars_ = GridScrollBars::ssVertical;
    BorderStyle borderStyle_ = BorderStyle::Single;
    bool ctl3D_ = true;
    int col_ = 0;
    int row_ = 0;
    int topRow_ = 0;
};

} // namespace toolkit
