#include "DepthConversion.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace standin {

namespace {

const std::uint32_t standardColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                           0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                           0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::vector<std::uint32_t> fixedTable(int entries)
{
    std::vector<std::uint32_t> table(standardColours, standardColours + 16);
    if (entries == 16) return table;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.push_back(static_cast<std::uint32_t>(r * 51) << 16 | static_cast<std::uint32_t>(g * 51) << 8 |
                                static_cast<std::uint32_t>(b * 51));
    for (int i = 1; i <= 24; ++i) {
        const std::uint32_t grey = static_cast<std::uint32_t>(i * 255 / 25);
        table.push_back(grey << 16 | grey << 8 | grey);
    }
    return table;
}

int distance(std::uint32_t a, std::uint32_t b)
{
    const int dr = static_cast<int>(a >> 16 & 0xFF) - static_cast<int>(b >> 16 & 0xFF);
    const int dg = static_cast<int>(a >> 8 & 0xFF) - static_cast<int>(b >> 8 & 0xFF);
    const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

// The colour table and each pixel's index into it.
struct Indexed {
    std::vector<std::uint32_t> table;
    std::vector<BYTE> indices;
};

Indexed indexColours(const PixelImage& picture, int entries)
{
    Indexed result;
    std::unordered_map<std::uint32_t, BYTE> index;
    for (std::uint32_t pixel : picture.pixels) {
        if (index.count(pixel)) continue;
        if (static_cast<int>(result.table.size()) == entries) {
            result.table.clear();
            index.clear();
            break;
        }
        index.emplace(pixel, static_cast<BYTE>(result.table.size()));
        result.table.push_back(pixel);
    }
    if (result.table.empty()) {
        // Too many colours: a colour of the table stays itself; any other
        // takes the entry nearest to the middle of its cell of 32 x 32 x 32,
        // found once per cell, so that a picture of millions of colours costs
        // no more than 32 K searches.
        result.table = fixedTable(entries);
        for (std::size_t i = result.table.size(); i-- > 0;) index[result.table[i]] = static_cast<BYTE>(i);
        std::vector<short> nearest(32 * 32 * 32, -1);
        for (std::uint32_t pixel : picture.pixels) {
            if (index.count(pixel)) continue;
            const std::uint32_t cell = (pixel >> 9 & 0x7C00) | (pixel >> 6 & 0x3E0) | (pixel >> 3 & 0x1F);
            if (nearest[cell] < 0) {
                const std::uint32_t middle = (pixel & 0xF8F8F8) | 0x040404;
                std::size_t best = 0;
                for (std::size_t i = 1; i < result.table.size(); ++i)
                    if (distance(middle, result.table[i]) < distance(middle, result.table[best])) best = i;
                nearest[cell] = static_cast<short>(best);
            }
            index.emplace(pixel, static_cast<BYTE>(nearest[cell]));
        }
    }
    result.indices.reserve(picture.pixels.size());
    for (std::uint32_t pixel : picture.pixels) result.indices.push_back(index.at(pixel));
    return result;
}

} // namespace

std::vector<BYTE> packAtDepth(const PixelImage& picture, int depth)
{
    if (depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        throw std::runtime_error("Unsupported colour depth: " + std::to_string(depth));
    const int width = picture.width, height = picture.height;
    const Indexed indexed = depth <= 8 ? indexColours(picture, 1 << depth) : Indexed{};
    const std::size_t colours = indexed.table.size();
    const std::size_t stride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
    const std::size_t header = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
    std::vector<BYTE> packed(header + stride * height);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(depth);
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    info.biClrUsed = static_cast<DWORD>(colours);
    std::memcpy(packed.data(), &info, sizeof info);
    for (std::size_t i = 0; i < colours; ++i) {
        const std::uint32_t c = indexed.table[i];
        const RGBQUAD entry{static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
        std::memcpy(packed.data() + sizeof info + i * sizeof entry, &entry, sizeof entry);
    }

    for (int y = 0; y < height; ++y) {
        BYTE* row = packed.data() + header + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            const std::uint32_t c = picture.pixels[at];
            switch (depth) {
            case 4:
                row[x / 2] |= static_cast<BYTE>(x % 2 ? indexed.indices[at] : indexed.indices[at] << 4);
                break;
            case 8:
                row[x] = indexed.indices[at];
                break;
            case 16: {
                const WORD pixel = static_cast<WORD>((c >> 19 & 0x1F) << 10 | (c >> 11 & 0x1F) << 5 | (c >> 3 & 0x1F));
                std::memcpy(row + x * 2, &pixel, 2);
                break;
            }
            default: {
                BYTE* pixel = row + x * (depth / 8);
                pixel[0] = static_cast<BYTE>(c);
                pixel[1] = static_cast<BYTE>(c >> 8);
                pixel[2] = static_cast<BYTE>(c >> 16);
                break;
            }
            }
        }
    }
    return packed;
}

} // namespace standin
