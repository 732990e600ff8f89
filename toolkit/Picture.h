#pragma once
// Picture: holds one graphic (a device-independent bitmap with its
// palette, an enhanced metafile, or an icon), draws it and reads it from
// the clipboard.
#include "toolkit/Error.h"
#include "toolkit/Handles.h"

#include <windows.h>

#include <cstddef>
#include <utility>

namespace toolkit {

using PaletteHandle = GdiObject<HPALETTE>;

// Content that cannot be made into a graphic: a corrupt or oversized
// bitmap, metafile, icon or PNG.
class InvalidGraphic : public Error {
public:
    using Error::Error;
};

// A copy of a palette with all its entries; null for null.
PaletteHandle copyPalette(HPALETTE palette);

class EnhMetafileHandle {
public:
    EnhMetafileHandle() = default;
    explicit EnhMetafileHandle(HENHMETAFILE handle) : handle_(handle) {}
    EnhMetafileHandle(EnhMetafileHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    EnhMetafileHandle& operator=(EnhMetafileHandle&& other) noexcept
    {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~EnhMetafileHandle() { reset(); }
    HENHMETAFILE get() const { return handle_; }
    void reset(HENHMETAFILE handle = nullptr)
    {
        if (handle_) DeleteEnhMetaFile(handle_);
        handle_ = handle;
    }

private:
    HENHMETAFILE handle_ = nullptr;
};

class IconHandle {
public:
    IconHandle() = default;
    explicit IconHandle(HICON handle) : handle_(handle) {}
    IconHandle(IconHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    IconHandle& operator=(IconHandle&& other) noexcept
    {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~IconHandle() { reset(); }
    HICON get() const { return handle_; }
    void reset(HICON handle = nullptr)
    {
        if (handle_) DestroyIcon(handle_);
        handle_ = handle;
    }

private:
    HICON handle_ = nullptr;
};

class Picture {
public:
    enum class Kind { None, Bitmap, Metafile, Icon };

    Kind kind() const { return kind_; }
    bool empty() const { return kind_ == Kind::None; }
    int width() const { return width_; }
    int height() const { return height_; }
    HBITMAP bitmap() const { return bitmap_.get(); }
    HPALETTE palette() const { return palette_.get(); }
    HENHMETAFILE metafile() const { return metafile_.get(); }
    HICON icon() const { return icon_.get(); }

    void clear();
    // Draws the graphic stretched to the rectangle, through its palette.
    void draw(HDC dc, const RECT& target) const;

    // The formats that loadFromClipboardFormat reads: bitmaps, both kinds
    // of metafile, and PNG.
    static bool supportsClipboardFormat(UINT format);
    // Reads one format of the open clipboard, with the clipboard's palette
    // for bitmaps (may be null). Raises InvalidGraphic for content that
    // cannot be read; the picture is unchanged then.
    void loadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
    // Opens the clipboard and loads the first format, in the clipboard's
    // order, that the picture reads; the picture is left empty when there
    // is none.
    void assignFromClipboard(HWND owner);
    // An icon from an icon-file image: its first image.
    void loadIcon(const void* bytes, std::size_t size);

private:
    void setBitmap(BitmapHandle bitmap, PaletteHandle palette, int width, int height);
    void setMetafile(EnhMetafileHandle metafile);

    Kind kind_ = Kind::None;
    int width_ = 0;
    int height_ = 0;
    BitmapHandle bitmap_;
    PaletteHandle palette_;
    EnhMetafileHandle metafile_;
    IconHandle icon_;
};

// A device-independent copy of a bitmap at its own colour depth (colour
// table included, through the palette for palette-based bitmaps).
// Raises InvalidGraphic for a bitmap that cannot be copied.
BitmapHandle copyBitmap(HBITMAP source, HPALETTE palette, int& width, int& height);
// A 32-bit top-down picture decoded from PNG data by the system's imaging
// component. Raises InvalidGraphic when it cannot be decoded.
BitmapHandle decodePng(const void* bytes, std::size_t size, int& width, int& height);

} // namespace toolkit
