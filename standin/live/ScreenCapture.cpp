#include "ScreenCapture.h"

#include <algorithm>
#include <stdexcept>

namespace standin {

PixelImage captureScreen(const RECT& area)
{
    PixelImage image;
    image.width = std::max(0L, area.right - area.left);
    image.height = std::max(0L, area.bottom - area.top);
    if (image.width == 0 || image.height == 0) return image;
    // Sized before any GDI object exists, so nothing between their creation
    // and release throws.
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);

    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = section ? CreateCompatibleDC(screen) : nullptr;
    bool copied = false;
    if (memory) {
        HGDIOBJ previous = SelectObject(memory, section);
        copied = BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top, SRCCOPY) != FALSE;
        GdiFlush();
        if (copied) {
            const auto* pixels = static_cast<const std::uint32_t*>(bits);
            std::transform(pixels, pixels + image.pixels.size(), image.pixels.begin(),
                           [](std::uint32_t pixel) { return pixel & 0xFFFFFF; });
        }
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    if (section) DeleteObject(section);
    ReleaseDC(nullptr, screen);
    if (!copied) throw std::runtime_error("Cannot read the screen");
    return image;
}

} // namespace standin
