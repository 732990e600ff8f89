#include "PixelImage.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace standin {

namespace {

// The top bits of each channel that the file's pixel format holds.
std::uint32_t significantBits(const BITMAPINFOHEADER& header, const char* masksAt)
{
    if (header.biBitCount == 16 && header.biCompression == BI_RGB) return 0xF8F8F8;
    if (header.biCompression != BI_BITFIELDS) return 0xFFFFFF;
    std::uint32_t result = 0;
    for (int channel = 0; channel < 3; ++channel) {
        DWORD mask;
        std::memcpy(&mask, masksAt + channel * 4, 4);
        int bits = 0;
        for (; mask; mask &= mask - 1) ++bits;
        const std::uint32_t top = bits >= 8 ? 0xFF : (0xFF00u >> bits) & 0xFF;
        result |= top << (16 - channel * 8);
    }
    return result;
}

} // namespace

bool drawPicture(PixelImage& picture, int width, int height, const std::function<bool(HDC)>& draw)
{
    picture.width = width;
    picture.height = height;
    // Sized before any GDI object exists, so nothing between their creation
    // and their release can throw.
    picture.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    BITMAPINFO target{};
    target.bmiHeader = {sizeof target.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = dc ? SelectObject(dc, section) : nullptr;
    const bool drawn = dc && draw(dc);
    GdiFlush();
    if (drawn) {
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        std::transform(pixels, pixels + picture.pixels.size(), picture.pixels.begin(),
                       [](std::uint32_t pixel) { return pixel & 0xFFFFFF; });
    }
    if (dc) {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    DeleteObject(section);
    return drawn;
}

PixelImage loadBmpFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("Bitmap file not found: " + path);
    const std::vector<char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto unreadable = [&path] { return std::runtime_error("Not a readable bitmap file: " + path); };
    if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) throw unreadable();
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    std::memcpy(&fileHeader, file.data(), sizeof fileHeader);
    std::memcpy(&header, file.data() + sizeof fileHeader, sizeof header);
    const int depth = header.biBitCount;
    const long long width = header.biWidth;
    const long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    if (fileHeader.bfType != 0x4D42 || header.biSize < sizeof header || header.biPlanes != 1 || width <= 0 ||
        height <= 0 || width * height > (1 << 26) ||
        (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) ||
        (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
        throw unreadable();
    const long long rowBytes = (width * depth + 31) / 32 * 4;
    const std::size_t colors = depth <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << depth)
                                          : (header.biCompression == BI_BITFIELDS ? 3 : 0);
    if (colors > 256 || sizeof fileHeader + header.biSize + colors * sizeof(RGBQUAD) > file.size() ||
        fileHeader.bfOffBits > file.size() || file.size() - fileHeader.bfOffBits < static_cast<std::size_t>(rowBytes * height))
        throw unreadable();

    // The system converts any depth and either row order into 32-bit rows.
    PixelImage image;
    const auto* source = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof fileHeader);
    const bool drawn = drawPicture(image, static_cast<int>(width), static_cast<int>(height), [&](HDC dc) {
        return StretchDIBits(dc, 0, 0, image.width, image.height, 0, 0, image.width, image.height,
                             file.data() + fileHeader.bfOffBits, source, DIB_RGB_COLORS, SRCCOPY) > 0;
    });
    if (!drawn) throw unreadable();
    image.significant = significantBits(header, file.data() + sizeof fileHeader + sizeof header);
    if (image.significant != 0xFFFFFF)
        for (std::uint32_t& pixel : image.pixels) pixel &= image.significant;
    return image;
}

} // namespace standin
