#include "ScreenCapture.h"

#include <algorithm>
#include <stdexcept>

namespace standin {

PixelImage captureScreen(const RECT& area)
{
    PixelImage image;
    const int width = std::max(0L, area.right - area.left);
    const int height = std::max(0L, area.bottom - area.top);
    if (width == 0 || height == 0) return image;
    HDC screen = GetDC(nullptr);
    const bool copied = drawPicture(image, width, height, [&](HDC dc) {
        return BitBlt(dc, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    });
    ReleaseDC(nullptr, screen);
    if (!copied) throw std::runtime_error("Cannot read the screen");
    return image;
}

} // namespace standin
