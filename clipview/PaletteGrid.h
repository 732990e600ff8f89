#pragma once
// The palette grid: the entries of a palette as 20 x 20 pixel cells, as
// many columns as fit beside a vertical scroll bar, as many rows as the
// entries need.
#include "toolkit/controls/DrawGrid.h"
#include "toolkit/graphics/Picture.h"

#include <vector>

namespace clipview {

class TPaletteGrid : public toolkit::DrawGrid {
public:
    explicit TPaletteGrid(toolkit::Component* owner);

    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }

    // Keeps a copy of the palette and of its first 256 entries (none for
    // null); raises an error for a handle that is no palette.
    void setPalette(HPALETTE palette);
    HPALETTE palette() const { return palette_.get(); }
    const std::vector<PALETTEENTRY>& entries() const { return entries_; }

protected:
    void drawCell(HDC dc, int col, int row, const RECT& rect) override;
    bool canSelectCell(int col, int row) override;
    void sized() override;

private:
    int entryAt(int col, int row) const { return row * colCount() + col; }
    void sizeToEntries();

    toolkit::PaletteHandle palette_;
    std::vector<PALETTEENTRY> entries_;
    bool sizing_ = false;
};

} // namespace clipview
