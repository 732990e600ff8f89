// Writing pictures to files and making blank bitmaps.
#include "toolkit/graphics/Picture.h"

#include <cstdint>
#include <vector>

namespace toolkit {

namespace {

// A new file beside the target that replaces the target only once it is
// complete: a failure half-way leaves the old file as it was and no part
// of the new one behind. Every failure names the target.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string& target) : target_(target)
    {
        const std::size_t slash = target.find_last_of("\\/");
        const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
        char temporary[MAX_PATH] = {};
        if (!GetTempFileNameA(folder.c_str(), "ovi", 0, temporary)) fail();
        temporary_ = temporary;
    }
    ~ReplacementFile()
    {
        if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
    }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    const std::string& temporaryPath() const { return temporary_; }

    void write(const void* first, std::size_t firstSize, const void* second, std::size_t secondSize)
    {
        FileHandle file(CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) fail();
        DWORD written = 0;
        if (!WriteFile(file.get(), first, static_cast<DWORD>(firstSize), &written, nullptr) || written != firstSize)
            fail();
        if (!WriteFile(file.get(), second, static_cast<DWORD>(secondSize), &written, nullptr) || written != secondSize)
            fail();
        if (!FlushFileBuffers(file.get())) fail();
    }

    // The finished file takes the target's place.
    void commit()
    {
        if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail();
        temporary_.clear();
    }

private:
    [[noreturn]] void fail() const { throw Error(format("Cannot create file %s", target_.c_str())); }

    std::string target_;
    std::string temporary_;
};

// The bitmap as a packed DIB: header, colour table, pixel rows.
std::vector<std::uint8_t> packedBitmap(HBITMAP bitmap)
{
    DIBSECTION section{};
    BITMAP plain{};
    int depth = 32, width = 0, height = 0;
    if (GetObjectA(bitmap, sizeof section, &section) == sizeof section) {
        depth = section.dsBmih.biBitCount;
        width = section.dsBmih.biWidth;
        height = section.dsBmih.biHeight < 0 ? -section.dsBmih.biHeight : section.dsBmih.biHeight;
    } else if (GetObjectA(bitmap, sizeof plain, &plain)) {
        depth = plain.bmBitsPixel * plain.bmPlanes;
        width = plain.bmWidth;
        height = plain.bmHeight;
    }
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24) depth = 32;
    const std::size_t colors = depth <= 8 ? (1u << depth) : 0;
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * depth + 31) / 32) * 4;
    std::vector<std::uint8_t> packed(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD) + rowBytes * height);
    auto* info = reinterpret_cast<BITMAPINFO*>(packed.data());
    info->bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(depth), BI_RGB,
                       static_cast<DWORD>(rowBytes * height), 0, 0, static_cast<DWORD>(colors), 0};
    WindowDC screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height),
                   packed.data() + sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD), info, DIB_RGB_COLORS))
        throw Error("Invalid bitmap");
    // GetDIBits may have changed these.
    info->bmiHeader.biClrUsed = static_cast<DWORD>(colors);
    info->bmiHeader.biCompression = BI_RGB;
    return packed;
}

} // namespace

void Picture::makeBlankBitmap(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width > 0 ? width : 1, height > 0 ? height : 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) throw Error("Out of system resources");
    FillMemory(bits, static_cast<std::size_t>(info.bmiHeader.biWidth) * info.bmiHeader.biHeight * 4, 0xFF);
    setBitmap(std::move(bitmap), PaletteHandle(), info.bmiHeader.biWidth, info.bmiHeader.biHeight);
}

void Picture::saveToFile(const std::string& path) const
{
    switch (kind_) {
    case Kind::None: return;
    case Kind::Bitmap: {
        const std::vector<std::uint8_t> packed = packedBitmap(bitmap_.get());
        const auto& header = *reinterpret_cast<const BITMAPINFOHEADER*>(packed.data());
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = static_cast<DWORD>(sizeof file + header.biSize + header.biClrUsed * sizeof(RGBQUAD));
        file.bfSize = static_cast<DWORD>(sizeof file + packed.size());
        ReplacementFile replacement(path);
        replacement.write(&file, sizeof file, packed.data(), packed.size());
        replacement.commit();
        return;
    }
    case Kind::Metafile: {
        ReplacementFile replacement(path);
        EnhMetafileHandle copy(CopyEnhMetaFileA(metafile_.get(), replacement.temporaryPath().c_str()));
        if (!copy) throw Error(format("Cannot create file %s", path.c_str()));
        // The copy holds its file open until it is released.
        copy.reset();
        replacement.commit();
        return;
    }
    case Kind::Icon: throw Error("An icon cannot be saved as a picture file");
    }
}

} // namespace toolkit
