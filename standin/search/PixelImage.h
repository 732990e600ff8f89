#pragma once
// A picture as 32-bit pixels 0x00RRGGBB, rows top-down: what the bitmap
// search works on.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace standin {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    // The bits of each colour that the picture's source could tell apart:
    // a 16-bit file holds only the top 5 (or 6) bits of a channel, and its
    // pixels stand for every colour that agrees with them there.
    std::uint32_t significant = 0xFFFFFF;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const std::uint32_t* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
};

// A picture of the given size as `draw` paints it into a memory device
// context holding a 32-bit bitmap; false when `draw` reports failure (it
// must not throw).
bool drawPicture(PixelImage& picture, int width, int height, const std::function<bool(HDC)>& draw);

// A BMP file of 1, 4, 8, 16, 24 or 32 bits, bottom-up or top-down, its
// pixels cut to their significant bits. Raises std::runtime_error naming
// the file when it is missing or not a bitmap.
PixelImage loadBmpFile(const std::string& path);

} // namespace standin
