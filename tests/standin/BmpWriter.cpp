#include "BmpWriter.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace live_testing {

void writeBmp(const std::string& path, const standin::PixelImage& picture, int depth, bool topDown,
              const std::vector<std::uint32_t>& table)
{
    const int width = picture.width, height = picture.height;
    const std::size_t stride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
    const std::size_t colours = depth <= 8 ? table.size() : 0;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = topDown ? -height : height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(depth);
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    info.biClrUsed = static_cast<DWORD>(colours);
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + colours * 4);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + stride * height);
    std::vector<BYTE> rows(stride * height);
    const auto indexOf = [&table](std::uint32_t c) {
        const auto it = std::find(table.begin(), table.end(), c);
        if (it == table.end()) throw std::runtime_error("colour not in the table");
        return static_cast<unsigned>(it - table.begin());
    };
    for (int y = 0; y < height; ++y) {
        BYTE* row = rows.data() + stride * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = picture.at(x, y);
            switch (depth) {
            case 1: row[x / 8] |= static_cast<BYTE>(indexOf(c) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<BYTE>(indexOf(c) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<BYTE>(indexOf(c)); break;
            case 16: {
                const WORD pixel = static_cast<WORD>((c >> 19 & 0x1F) << 10 | (c >> 11 & 0x1F) << 5 | (c >> 3 & 0x1F));
                std::memcpy(row + x * 2, &pixel, 2);
                break;
            }
            default:
                row[x * (depth / 8)] = static_cast<BYTE>(c);
                row[x * (depth / 8) + 1] = static_cast<BYTE>(c >> 8);
                row[x * (depth / 8) + 2] = static_cast<BYTE>(c >> 16);
            }
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    for (std::size_t i = 0; i < colours; ++i) {
        const std::uint32_t c = table[i];
        const RGBQUAD entry{static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
        out.write(reinterpret_cast<const char*>(&entry), sizeof entry);
    }
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string temporaryPath(const std::string& name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "ovistra-live-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

} // namespace live_testing
