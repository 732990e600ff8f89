// Reading pictures from the clipboard's formats.
#include "toolkit/graphics/Picture.h"
#include "toolkit/system/Clipboard.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace toolkit {

namespace {

// The largest copy made of a clipboard bitmap: beyond it a 32-bit process
// runs short of address space.
constexpr std::uint64_t maximumBitmapBytes = 256u << 20;

struct BitmapInfoWithColors {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

EnhMetafileHandle enhancedFromWindowsMetafile(HANDLE data)
{
    GlobalLockGuard lock(data);
    if (!lock.data() || lock.size() < sizeof(METAFILEPICT)) throw InvalidGraphic("Invalid metafile");
    const auto& picture = *static_cast<const METAFILEPICT*>(lock.data());
    const UINT size = GetMetaFileBitsEx(picture.hMF, 0, nullptr);
    if (!size) throw InvalidGraphic("Invalid metafile");
    std::vector<BYTE> bits(size);
    if (GetMetaFileBitsEx(picture.hMF, size, bits.data()) != size) throw InvalidGraphic("Invalid metafile");
    EnhMetafileHandle converted(SetWinMetaFileBits(size, bits.data(), nullptr, &picture));
    if (!converted.get()) throw InvalidGraphic("Invalid metafile");
    return converted;
}

// The bits of `spare`, a copy made here and so top-down, when it is laid
// out as `header` (top-down too) says with no colour table to replace;
// else null. (Which way up a section lies is not part of what the system
// reports of it, so only copies made here are lent.)
void* spareBits(HBITMAP spare, HBITMAP source, const BITMAPINFOHEADER& header)
{
    DIBSECTION section{};
    if (!spare || spare == source || header.biBitCount <= 8) return nullptr;
    if (GetObjectA(spare, sizeof section, &section) != sizeof section) return nullptr;
    const bool fits = section.dsBm.bmWidth == header.biWidth && section.dsBm.bmHeight == -header.biHeight &&
                      section.dsBm.bmBitsPixel == header.biBitCount && section.dsBmih.biCompression == BI_RGB;
    return fits ? section.dsBm.bmBits : nullptr;
}

// The section a copy goes into, laid out as `info` says: the spare's when
// it fits, else a new one. Raises InvalidGraphic when none can be made.
BitmapHandle copyTarget(HDC dc, BitmapInfoWithColors& info, HBITMAP source, BitmapHandle& spare, void*& bits)
{
    bits = spareBits(spare.get(), source, info.header);
    if (bits) return std::move(spare);
    BitmapHandle copy(CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy || !bits) throw InvalidGraphic("Invalid bitmap");
    return copy;
}

} // namespace

BitmapHandle copyBitmap(HBITMAP source, HPALETTE palette, int& width, int& height, BitmapHandle spare)
{
    BITMAP description{};
    if (!source || !GetObjectA(source, sizeof description, &description) || description.bmWidth <= 0 ||
        description.bmHeight <= 0)
        throw InvalidGraphic("Invalid bitmap");
    int depth = description.bmBitsPixel * description.bmPlanes;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24) depth = 32;
    const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(description.bmWidth) * depth + 31) / 32) * 4;
    if (rowBytes * static_cast<std::uint64_t>(description.bmHeight) > maximumBitmapBytes)
        throw InvalidGraphic("Invalid bitmap");

    BitmapInfoWithColors info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = description.bmWidth;
    info.header.biHeight = description.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(depth);
    info.header.biCompression = BI_RGB;
    WindowDC screen(nullptr);
    SavedDC saved(screen.get());
    if (palette) {
        SelectPalette(screen.get(), palette, TRUE);
        RealizePalette(screen.get());
    }
    // The first call fills the colour table of palette-based depths.
    if (!GetDIBits(screen.get(), source, 0, static_cast<UINT>(description.bmHeight), nullptr,
                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        throw InvalidGraphic("Invalid bitmap");
    // Copies lie top-down, as windows' pixels do, so that painting one
    // walks both the same way.
    info.header.biHeight = -description.bmHeight;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = 0;
    void* bits = nullptr;
    BitmapHandle copy = copyTarget(screen.get(), info, source, spare, bits);
    if (GetDIBits(screen.get(), source, 0, static_cast<UINT>(description.bmHeight), bits,
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0)
        throw InvalidGraphic("Invalid bitmap");
    width = description.bmWidth;
    height = description.bmHeight;
    return copy;
}

BitmapHandle copyPackedDib(const void* bytes, std::size_t size, int& width, int& height, BitmapHandle& spare)
{
    BITMAPINFOHEADER header{};
    if (!bytes || size < sizeof header) return BitmapHandle();
    std::memcpy(&header, bytes, sizeof header);
    if (header.biSize < sizeof header || header.biSize > size || header.biPlanes != 1 || header.biBitCount != 32 ||
        header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT_MIN)
        return BitmapHandle();
    const auto* memory = static_cast<const BYTE*>(bytes);
    std::uint64_t offset = header.biSize;
    if (header.biCompression == BI_BITFIELDS) {
        // The three masks follow a plain header and lie inside the longer
        // ones.
        DWORD masks[3];
        const bool plainHeader = header.biSize == sizeof header;
        if (sizeof header + sizeof masks > (plainHeader ? size : header.biSize)) return BitmapHandle();
        std::memcpy(masks, memory + sizeof header, sizeof masks);
        if (masks[0] != 0xFF0000 || masks[1] != 0xFF00 || masks[2] != 0xFF) return BitmapHandle();
        if (plainHeader) offset += sizeof masks;
    } else if (header.biCompression != BI_RGB) {
        return BitmapHandle();
    }
    // A colour table may come along to help palette devices; the pixels
    // follow it.
    offset += static_cast<std::uint64_t>(header.biClrUsed) * sizeof(RGBQUAD);
    const int rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(header.biWidth) * 4;
    const std::uint64_t imageBytes = rowBytes * static_cast<std::uint64_t>(rows);
    if (imageBytes > maximumBitmapBytes || offset + imageBytes > size) return BitmapHandle();

    BitmapInfoWithColors info{};
    info.header = {sizeof info.header, header.biWidth, -rows, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle copy = copyTarget(nullptr, info, nullptr, spare, bits);
    const BYTE* pixels = memory + offset;
    auto* target = static_cast<BYTE*>(bits);
    if (header.biHeight < 0) {
        std::memcpy(target, pixels, static_cast<std::size_t>(imageBytes));
    } else {
        // A bottom-up DIB: its first row is the copy's last.
        for (int row = 0; row < rows; ++row)
            std::memcpy(target + static_cast<std::size_t>(rows - 1 - row) * rowBytes, pixels + row * rowBytes,
                        static_cast<std::size_t>(rowBytes));
    }
    width = header.biWidth;
    height = rows;
    return copy;
}

bool Picture::supportsClipboardFormat(UINT format)
{
    return format == CF_BITMAP || format == CF_METAFILEPICT || format == CF_ENHMETAFILE ||
           (format != 0 && format == pngClipboardFormat());
}

void Picture::loadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette, BitmapHandle spare)
{
    if (!data) throw InvalidGraphic("Invalid clipboard format");
    if (format == CF_BITMAP) {
        int width = 0, height = 0;
        BitmapHandle copy = copyBitmap(static_cast<HBITMAP>(data), palette, width, height, std::move(spare));
        setBitmap(std::move(copy), copyPalette(palette), width, height);
        copiedBitmap_ = true;
    } else if (format == CF_ENHMETAFILE) {
        EnhMetafileHandle copy(CopyEnhMetaFileA(static_cast<HENHMETAFILE>(data), nullptr));
        if (!copy.get()) throw InvalidGraphic("Invalid metafile");
        setMetafile(std::move(copy));
    } else if (format == CF_METAFILEPICT) {
        setMetafile(enhancedFromWindowsMetafile(data));
    } else if (format == pngClipboardFormat()) {
        GlobalLockGuard lock(data);
        int width = 0, height = 0;
        BitmapHandle decoded = decodePng(lock.data(), lock.size(), width, height);
        setBitmap(std::move(decoded), PaletteHandle(), width, height);
    } else {
        throw InvalidGraphic("Invalid clipboard format");
    }
}

void Picture::pasteBitmapOrMetafile(HWND owner)
{
    OpenedClipboard clipboard(owner);
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (format != CF_BITMAP && format != CF_METAFILEPICT && format != CF_ENHMETAFILE) continue;
        loadFromClipboardFormat(format, GetClipboardData(format), static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)));
        return;
    }
    throw Error("Invalid clipboard format");
}

void Picture::assignFromClipboard(HWND owner, BitmapHandle spare)
{
    OpenedClipboard clipboard(owner);
    // A packed DIB listed before the bitmap is what its owner gave; the
    // system makes the bitmap from it, a conversion this copy need not wait
    // for.
    UINT packedDib = 0;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (!packedDib && (format == CF_DIB || format == CF_DIBV5)) packedDib = format;
        if (!supportsClipboardFormat(format)) continue;
        const auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
        if (format == CF_BITMAP && packedDib && loadPackedDib(GetClipboardData(packedDib), palette, spare)) return;
        loadFromClipboardFormat(format, GetClipboardData(format), palette, std::move(spare));
        return;
    }
    clear();
}

bool Picture::loadPackedDib(HANDLE data, HPALETTE palette, BitmapHandle& spare)
{
    GlobalLockGuard lock(data);
    int width = 0, height = 0;
    BitmapHandle copy = copyPackedDib(lock.data(), lock.size(), width, height, spare);
    if (!copy) return false;
    setBitmap(std::move(copy), copyPalette(palette), width, height);
    copiedBitmap_ = true;
    return true;
}

} // namespace toolkit
