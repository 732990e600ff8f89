#include "toolkit/forms/PicturePreview.h"

#include <algorithm>

namespace toolkit {

namespace {

constexpr int captionHeight = 16;

} // namespace

void PicturePreview::show(const std::string& path)
{
    clear();
    BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP description{};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof description, &description)) return;
    bitmap_ = std::move(bitmap);
    width_ = description.bmWidth;
    height_ = description.bmHeight < 0 ? -description.bmHeight : description.bmHeight;
    caption_ = std::to_string(width_) + " x " + std::to_string(height_);
}

void PicturePreview::clear()
{
    bitmap_.reset();
    width_ = height_ = 0;
    caption_ = "(None)";
}

RECT PicturePreview::pictureArea(const RECT& area) const
{
    const long room = area.right - area.left;
    const long roomHeight = area.bottom - area.top - captionHeight;
    if (!bitmap_ || room <= 0 || roomHeight <= 0) return {};
    long width = width_, height = height_;
    if (width > room || height > roomHeight) {
        // The smaller of the two scales, in 64 bits: sizes multiply.
        if (static_cast<long long>(width) * roomHeight > static_cast<long long>(height) * room) {
            height = std::max(1L, static_cast<long>(static_cast<long long>(height) * room / width));
            width = room;
        } else {
            width = std::max(1L, static_cast<long>(static_cast<long long>(width) * roomHeight / height));
            height = roomHeight;
        }
    }
    const long left = area.left + (room - width) / 2;
    const long top = area.top + captionHeight + (roomHeight - height) / 2;
    return {left, top, left + width, top + height};
}

void PicturePreview::paint(HDC dc, const RECT& area) const
{
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    RECT captionArea{area.left, area.top, area.right, area.top + captionHeight};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &captionArea,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const RECT target = pictureArea(area);
    if (target.right <= target.left) return;
    MemoryDC source(dc);
    SelectGuard selected(source.get(), bitmap_.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.get(), 0, 0,
               width_, height_, SRCCOPY);
}

} // namespace toolkit
