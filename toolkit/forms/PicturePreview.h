#pragma once
// The preview beside an open-picture dialog's file list: the bitmap file
// selected last, with its size above it, scaled down to fit its area.
#include "toolkit/system/Handles.h"

#include <string>

namespace toolkit {

class PicturePreview {
public:
    // Shows that file; one that is not a readable bitmap shows "(None)".
    void show(const std::string& path);
    void clear();

    // "width x height" of the shown picture, or "(None)".
    const std::string& caption() const { return caption_; }
    bool empty() const { return !bitmap_; }

    // Where the picture goes within the area under the caption: centred,
    // at its own size when it fits and scaled down keeping its proportions
    // when it does not. Empty without a picture.
    RECT pictureArea(const RECT& area) const;
    void paint(HDC dc, const RECT& area) const;

private:
    BitmapHandle bitmap_;
    int width_ = 0;
    int height_ = 0;
    std::string caption_ = "(None)";
};

} // namespace toolkit
