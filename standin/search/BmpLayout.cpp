#include "BmpLayout.h"

namespace standin {

namespace {

constexpr std::uint32_t uncompressed = 0;  // BI_RGB
constexpr std::uint32_t bitFields = 3;     // BI_BITFIELDS
constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;

std::uint32_t littleEndian(const unsigned char* at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

std::uint32_t significantBits(std::uint32_t compression, int depth, const unsigned char* masks)
{
    if (depth == 16 && compression == uncompressed) return 0xF8F8F8;
    if (compression != bitFields) return 0xFFFFFF;
    std::uint32_t result = 0;
    for (int channel = 0; channel < 3; ++channel) {
        int bits = 0;
        for (std::uint32_t mask = littleEndian(masks + channel * 4, 4); mask; mask &= mask - 1) ++bits;
        const std::uint32_t top = bits >= 8 ? 0xFF : (0xFF00u >> bits) & 0xFF;
        result |= top << (16 - channel * 8);
    }
    return result;
}

} // namespace

std::optional<BmpLayout> readBmpLayout(const unsigned char* file, std::size_t size)
{
    if (size < fileHeaderSize + infoHeaderSize || littleEndian(file, 2) != 0x4D42) return std::nullopt;
    const unsigned char* info = file + fileHeaderSize;
    const std::uint64_t infoSize = littleEndian(info, 4);
    const std::int64_t width = static_cast<std::int32_t>(littleEndian(info + 4, 4));
    std::int64_t height = static_cast<std::int32_t>(littleEndian(info + 8, 4));
    if (height < 0) height = -height;
    const std::uint32_t planes = littleEndian(info + 12, 2);
    const int depth = static_cast<int>(littleEndian(info + 14, 2));
    const std::uint32_t compression = littleEndian(info + 16, 4);
    const std::uint64_t colorsUsed = littleEndian(info + 32, 4);
    if (infoSize < infoHeaderSize || planes != 1 || width <= 0 || height <= 0 || width * height > (1 << 26) ||
        (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32))
        return std::nullopt;
    // Bit fields describe 16- and 32-bit pixels only; at other depths there
    // are no masks to read.
    if (compression != uncompressed && !(compression == bitFields && (depth == 16 || depth == 32))) return std::nullopt;
    const std::uint64_t colors = depth <= 8 ? (colorsUsed ? colorsUsed : 1u << depth) : (compression == bitFields ? 3 : 0);
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * depth + 31) / 32 * 4;
    const std::uint64_t pixelsAt = littleEndian(file + 10, 4);
    if (colors > 256 || fileHeaderSize + infoSize + colors * 4 > size || pixelsAt > size ||
        size - pixelsAt < rowBytes * static_cast<std::uint64_t>(height))
        return std::nullopt;
    BmpLayout layout;
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.depth = depth;
    layout.pixelsAt = static_cast<std::size_t>(pixelsAt);
    layout.significant = significantBits(compression, depth, info + infoHeaderSize);
    return layout;
}

} // namespace standin
