#pragma once
// What the headers of a BMP file in memory say, checked against the file's
// size before anything reads the pixels: pure byte work, also built for
// the host's fuzz target.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace standin {

struct BmpLayout {
    int width = 0;
    int height = 0;  // rows, whichever their order
    int depth = 0;
    std::size_t infoAt = 14;  // the info header, followed by masks or palette
    std::size_t pixelsAt = 0;
    // The top bits of each channel that the pixel format holds.
    std::uint32_t significant = 0xFFFFFF;
};

// The layout of a BMP file of 1, 4, 8, 16, 24 or 32 bits, uncompressed or
// with bit fields (16 and 32 bits only), at most 2^26 pixels, whose
// headers, masks, palette and pixel rows all lie inside the file; nothing
// when any of that fails.
std::optional<BmpLayout> readBmpLayout(const unsigned char* file, std::size_t size);

} // namespace standin
