#include "toolkit/graphics/Picture.h"

#include <cstdint>
#include <vector>

namespace toolkit {

PaletteHandle copyPalette(HPALETTE palette)
{
    if (!palette) return PaletteHandle();
    WORD count = 0;
    if (!GetObjectA(palette, sizeof count, &count)) throw InvalidGraphic("Invalid palette");
    // A palette holds at least one entry; an empty one is kept as a single
    // black entry.
    const UINT entries = count ? count : 1;
    std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
    auto* copy = reinterpret_cast<LOGPALETTE*>(memory.data());
    copy->palVersion = 0x300;
    copy->palNumEntries = static_cast<WORD>(entries);
    if (count) GetPaletteEntries(palette, 0, count, copy->palPalEntry);
    PaletteHandle result(CreatePalette(copy));
    if (!result) throw InvalidGraphic("Invalid palette");
    return result;
}

void Picture::clear()
{
    bitmap_.reset();
    palette_.reset();
    metafile_.reset();
    icon_.reset();
    kind_ = Kind::None;
    copiedBitmap_ = false;
    width_ = height_ = 0;
}

BitmapHandle Picture::takeBitmap()
{
    if (kind_ != Kind::Bitmap || !copiedBitmap_) return BitmapHandle();
    BitmapHandle bitmap = std::move(bitmap_);
    clear();
    return bitmap;
}

void Picture::setBitmap(BitmapHandle bitmap, PaletteHandle palette, int width, int height)
{
    clear();
    bitmap_ = std::move(bitmap);
    palette_ = std::move(palette);
    kind_ = Kind::Bitmap;
    width_ = width;
    height_ = height;
}

void Picture::setMetafile(EnhMetafileHandle metafile)
{
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(metafile.get(), sizeof header, &header) || header.iType != EMR_HEADER)
        throw InvalidGraphic("Invalid metafile");
    // The frame is in 0.01 mm; the picture's size is that of the frame on
    // the screen.
    WindowDC screen(nullptr);
    const int horzRes = GetDeviceCaps(screen.get(), HORZRES), vertRes = GetDeviceCaps(screen.get(), VERTRES);
    const int horzMm = GetDeviceCaps(screen.get(), HORZSIZE), vertMm = GetDeviceCaps(screen.get(), VERTSIZE);
    const long long frameWidth = static_cast<long long>(header.rclFrame.right) - header.rclFrame.left;
    const long long frameHeight = static_cast<long long>(header.rclFrame.bottom) - header.rclFrame.top;
    const long long width = horzMm > 0 ? frameWidth * horzRes / (horzMm * 100LL) : 0;
    const long long height = vertMm > 0 ? frameHeight * vertRes / (vertMm * 100LL) : 0;
    if (width < 0 || height < 0 || width > 32767 || height > 32767) throw InvalidGraphic("Invalid metafile");
    clear();
    metafile_ = std::move(metafile);
    kind_ = Kind::Metafile;
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
}

void Picture::loadIcon(const void* bytes, std::size_t size)
{
    // An icon-file image: a six-byte directory header (reserved, type 1,
    // count) and 16-byte entries; the first entry's image is used.
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    const auto word = [data](std::size_t at) { return static_cast<unsigned>(data[at] | data[at + 1] << 8); };
    const auto dword = [&](std::size_t at) { return word(at) | static_cast<std::uint32_t>(word(at + 2)) << 16; };
    if (!data || size < 6 + 16 || word(0) != 0 || word(2) != 1 || word(4) == 0) throw InvalidGraphic("Invalid icon");
    const std::uint32_t imageSize = dword(6 + 8);
    const std::uint32_t imageOffset = dword(6 + 12);
    if (imageOffset > size || imageSize > size - imageOffset || imageSize < sizeof(BITMAPINFOHEADER))
        throw InvalidGraphic("Invalid icon");
    IconHandle icon(CreateIconFromResourceEx(const_cast<std::uint8_t*>(data + imageOffset), imageSize, TRUE,
                                             0x00030000, 0, 0, LR_DEFAULTCOLOR));
    if (!icon.get()) throw InvalidGraphic("Invalid icon");
    ICONINFO info{};
    if (!GetIconInfo(icon.get(), &info)) throw InvalidGraphic("Invalid icon");
    BitmapHandle mask(info.hbmMask), color(info.hbmColor);
    BITMAP maskBits{};
    GetObjectA(mask.get(), sizeof maskBits, &maskBits);
    clear();
    icon_ = std::move(icon);
    kind_ = Kind::Icon;
    width_ = maskBits.bmWidth;
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    height_ = color ? maskBits.bmHeight : maskBits.bmHeight / 2;
}

void Picture::draw(HDC dc, const RECT& target) const
{
    const int w = target.right - target.left, h = target.bottom - target.top;
    switch (kind_) {
    case Kind::None: break;
    case Kind::Bitmap: {
        SavedDC saved(dc);
        if (palette_) {
            SelectPalette(dc, palette_.get(), TRUE);
            RealizePalette(dc);
        }
        MemoryDC source(dc);
        SelectGuard selected(source.get(), bitmap_.get());
        SetStretchBltMode(dc, COLORONCOLOR);
        if (w == width_ && h == height_)
            BitBlt(dc, target.left, target.top, w, h, source.get(), 0, 0, SRCCOPY);
        else
            StretchBlt(dc, target.left, target.top, w, h, source.get(), 0, 0, width_, height_, SRCCOPY);
        break;
    }
    case Kind::Metafile: PlayEnhMetaFile(dc, metafile_.get(), &target); break;
    case Kind::Icon: DrawIconEx(dc, target.left, target.top, icon_.get(), w, h, 0, nullptr, DI_NORMAL); break;
    }
}

} // namespace toolkit
