#include "PixelImage.h"

#include "BmpLayout.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace standin {

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
    const auto layout = readBmpLayout(reinterpret_cast<const unsigned char*>(file.data()), file.size());
    if (!layout) throw unreadable();

    // The system converts any depth and either row order into 32-bit rows.
    PixelImage image;
    const auto* source = reinterpret_cast<const BITMAPINFO*>(file.data() + layout->infoAt);
    const bool drawn = drawPicture(image, layout->width, layout->height, [&](HDC dc) {
        return StretchDIBits(dc, 0, 0, image.width, image.height, 0, 0, image.width, image.height,
                             file.data() + layout->pixelsAt, source, DIB_RGB_COLORS, SRCCOPY) > 0;
    });
    if (!drawn) throw unreadable();
    image.significant = layout->significant;
    if (image.significant != 0xFFFFFF)
        for (std::uint32_t& pixel : image.pixels) pixel &= image.significant;
    return image;
}

} // namespace standin
