#include "ClipboardBitmap.h"

#include "ClipboardScope.h"
#include "DepthConversion.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace standin {

namespace {

struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using OwnedPalette = std::unique_ptr<std::remove_pointer_t<HPALETTE>, GdiObjectDeleter>;

OwnedPalette paletteOf(const std::vector<BYTE>& packed)
{
    const auto* info = reinterpret_cast<const BITMAPINFO*>(packed.data());
    const DWORD entries = info->bmiHeader.biClrUsed;
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    for (DWORD i = 0; i < entries; ++i) {
        const RGBQUAD& colour = info->bmiColors[i];
        palette->palPalEntry[i] = {colour.rgbRed, colour.rgbGreen, colour.rgbBlue, 0};
    }
    OwnedPalette result(CreatePalette(palette));
    if (!result) throw std::runtime_error("Out of memory for the palette");
    return result;
}

} // namespace

int screenDepth()
{
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return depth;
}

void putBitmapOnClipboard(HWND owner, const PixelImage& picture, int depth)
{
    if (depth == 0) depth = screenDepth();
    if (picture.width <= 0 || picture.height <= 0) throw std::runtime_error("The object has no picture");
    const std::vector<BYTE> packed = packAtDepth(picture, depth);
    OwnedPalette palette = depth <= 8 ? paletteOf(packed) : OwnedPalette();

    ClipboardScope open(owner);
    if (!EmptyClipboard()) throw std::runtime_error("Cannot empty the clipboard");
    giveToClipboard(CF_DIB, packed.data(), packed.size());
    // The clipboard owns what it accepted.
    if (palette) {
        if (!SetClipboardData(CF_PALETTE, palette.get()))
            throw std::runtime_error("Cannot put the palette on the clipboard");
        palette.release();
    }
}

} // namespace standin
