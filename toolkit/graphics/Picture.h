#pragma once
// Picture: holds one graphic (a device-independent bitmap with its
// palette, an enhanced metafile, or an icon), draws it and reads it from
// the clipboard.
#include "toolkit/core/Error.h"
#include "toolkit/system/Handles.h"

#include <windows.h>

#include <cstddef>
#include <string>
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

struct DeleteEnhMetafile {
    static constexpr bool countsAsGdi = true;
    void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
struct DestroyIconHandle {
    static constexpr bool countsAsGdi = true;
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using EnhMetafileHandle = UniqueHandle<HENHMETAFILE, DeleteEnhMetafile>;
using IconHandle = UniqueHandle<HICON, DestroyIconHandle>;

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
    // for bitmaps (may be null). A bitmap is copied into `spare` when that
    // is a copy of the same size and depth (see copyBitmap). Raises
    // InvalidGraphic for content that cannot be read; the picture is
    // unchanged then.
    void loadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette, BitmapHandle spare = BitmapHandle());
    // Opens the clipboard and loads the first format, in the clipboard's
    // order, that the picture reads; the picture is left empty when there
    // is none. A bitmap that the system makes from a packed DIB listed
    // before it is read from that DIB's memory when copyPackedDib can.
    void assignFromClipboard(HWND owner, BitmapHandle spare = BitmapHandle());
    // Gives up a bitmap copied from the clipboard, for use as a spare (see
    // copyBitmap); the picture is left empty. Null, and the picture
    // unchanged, for any other content, such as a decoded PNG.
    BitmapHandle takeBitmap();
    // An icon from an icon-file image: its first image.
    void loadIcon(const void* bytes, std::size_t size);
    // Opens the clipboard and takes the first of its formats, in its own
    // order, that is a bitmap (with the clipboard's palette) or a metafile;
    // raises "Invalid clipboard format" when there is none.
    void pasteBitmapOrMetafile(HWND owner);
    // A white 32-bit bitmap of that size.
    void makeBlankBitmap(int width, int height);
    // Writes a bitmap as a BMP file and a metafile as an enhanced metafile
    // file; an empty picture writes nothing. Raises "Cannot create file %s".
    void saveToFile(const std::string& path) const;

private:
    void setBitmap(BitmapHandle bitmap, PaletteHandle palette, int width, int height);
    void setMetafile(EnhMetafileHandle metafile);
    // Loads the packed DIB in `data` when copyPackedDib copies it; false,
    // with the picture and `spare` as they were, when it does not.
    bool loadPackedDib(HANDLE data, HPALETTE palette, BitmapHandle& spare);

    Kind kind_ = Kind::None;
    // The bitmap is a copy made by copyBitmap or copyPackedDib.
    bool copiedBitmap_ = false;
    int width_ = 0;
    int height_ = 0;
    BitmapHandle bitmap_;
    PaletteHandle palette_;
    EnhMetafileHandle metafile_;
    IconHandle icon_;
};

// A device-independent top-down copy of a bitmap at its own colour depth
// (colour table included, through the palette for palette-based bitmaps). When
// `spare` is such a copy, made here, of another bitmap of the same size
// and depth above 8 bits, the bits go into it instead of a new bitmap:
// its pages are already committed, and committing and clearing fresh ones
// for a large picture costs as much as the copy itself. Raises
// InvalidGraphic for a bitmap that cannot be copied.
BitmapHandle copyBitmap(HBITMAP source, HPALETTE palette, int& width, int& height,
                        BitmapHandle spare = BitmapHandle());
// A copy, laid out as copyBitmap lays out its copies, of a packed 32-bit
// DIB (the memory of CF_DIB or CF_DIBV5) without palette semantics: BI_RGB,
// or bit fields that say the same. One copy of plain memory, into `spare`
// when it fits (see copyBitmap; taken only then). Null for any other
// layout, and for memory shorter than its header says.
BitmapHandle copyPackedDib(const void* bytes, std::size_t size, int& width, int& height, BitmapHandle& spare);
// A 32-bit top-down picture decoded from PNG data by the system's imaging
// component. Raises InvalidGraphic when it cannot be decoded.
BitmapHandle decodePng(const void* bytes, std::size_t size, int& width, int& height);

} // namespace toolkit
