#pragma once
// Canvas: draws lines and text into a picture's bitmap. Its pen and font
// settings stay as they were last set, and so does the pen position.
#include "toolkit/graphics/Picture.h"

#include <functional>
#include <string>

namespace toolkit {

class Canvas {
public:
    // `changed` runs after every drawing, for the picture's viewer.
    Canvas(Picture& picture, std::function<void()> changed) : picture_(picture), changed_(std::move(changed)) {}

    COLORREF penColor() const { return penColor_; }
    void setPenColor(COLORREF color) { penColor_ = color; }
    COLORREF fontColor() const { return fontColor_; }
    void setFontColor(COLORREF color) { fontColor_ = color; }
    int fontHeight() const { return fontHeight_; }
    // Negative: the character height in pixels, as the system's fonts take it.
    void setFontHeight(int height) { fontHeight_ = height; }
    // A size in points at the screen's pixels per inch.
    void setFontSize(int points);

    void moveTo(int x, int y) { position_ = {x, y}; }
    // A line from the pen position, without its end pixel; the pen moves there.
    void lineTo(int x, int y);
    // Text with its top-left corner at x, y, on an opaque white background.
    void textOut(int x, int y, const std::string& text);

private:
    HBITMAP target() const;

    Picture& picture_;
    std::function<void()> changed_;
    COLORREF penColor_ = RGB(0, 0, 0);
    COLORREF fontColor_ = RGB(0, 0, 0);
    int fontHeight_ = -11;
    POINT position_{0, 0};
};

} // namespace toolkit
