#include "ClipboardPicture.h"

#include <cstring>
#include <stdexcept>

namespace standin {

namespace {

const RGBQUAD vga[16] = {{0, 0, 0, 0},       {0, 0, 0x80, 0},    {0, 0x80, 0, 0},    {0, 0x80, 0x80, 0},
                         {0x80, 0, 0, 0},    {0x80, 0, 0x80, 0}, {0x80, 0x80, 0, 0}, {0xC0, 0xC0, 0xC0, 0},
                         {0x80, 0x80, 0x80, 0}, {0, 0, 0xFF, 0}, {0, 0xFF, 0, 0},    {0, 0xFF, 0xFF, 0},
                         {0xFF, 0, 0, 0},    {0xFF, 0, 0xFF, 0}, {0xFF, 0xFF, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};

// The pattern as indices into the 16 standard colours, so that every depth
// can show it exactly.
int colourIndex(const std::wstring& pattern, int x, int y, int width)
{
    if (pattern == L"checker") return ((x / 8 + y / 8) % 2) ? 15 : 0;
    static const int bars[8] = {0, 9, 10, 12, 11, 13, 14, 15};
    return bars[(x * 8 / (width > 0 ? width : 1)) % 8];
}

class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner)
    {
        for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(25);
        }
        if (!open_) throw std::runtime_error("Cannot open clipboard");
    }
    ~OpenClipboardScope() { CloseClipboard(); }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

private:
    bool open_ = false;
};

void giveToClipboard(UINT format, const void* data, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) throw std::runtime_error("Out of memory");
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        throw std::runtime_error("Out of memory");
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        throw std::runtime_error("Cannot put the picture on the clipboard");
    }
}

void putMetafile(int width, int height)
{
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    if (!recorder) throw std::runtime_error("Cannot record a metafile");
    HBRUSH fill = CreateSolidBrush(RGB(0, 0x80, 0xFF));
    HGDIOBJ old = SelectObject(recorder, fill);
    Rectangle(recorder, 0, 0, width, height);
    Ellipse(recorder, width / 4, height / 4, width * 3 / 4, height * 3 / 4);
    SelectObject(recorder, old);
    DeleteObject(fill);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    if (!metafile) throw std::runtime_error("Cannot record a metafile");
    if (!SetClipboardData(CF_ENHMETAFILE, metafile)) {
        DeleteEnhMetaFile(metafile);
        throw std::runtime_error("Cannot put the picture on the clipboard");
    }
}

} // namespace

std::vector<BYTE> packedBitmap(int width, int height, const std::wstring& pattern, int depth)
{
    if (depth != 4 && depth != 8 && depth != 16 && depth != 32) depth = 24;
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    const int colours = depth == 4 ? 16 : depth == 8 ? 256 : 0;
    const std::size_t stride = ((static_cast<std::size_t>(width) * depth + 31) / 32) * 4;
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
    auto* table = reinterpret_cast<RGBQUAD*>(packed.data() + sizeof info);
    for (int i = 0; i < colours; ++i) {
        const BYTE grey = static_cast<BYTE>(i);
        table[i] = i < 16 ? vga[i] : RGBQUAD{grey, grey, grey, 0};
    }

    for (int y = 0; y < height; ++y) {
        BYTE* row = packed.data() + header + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const int index = colourIndex(pattern, x, y, width);
            const RGBQUAD c = vga[index];
            switch (depth) {
            case 4:
                row[x / 2] |= static_cast<BYTE>((x % 2) ? index : index << 4);
                break;
            case 8:
                row[x] = static_cast<BYTE>(index);
                break;
            case 16: {
                const WORD pixel = static_cast<WORD>(((c.rgbRed >> 3) << 10) | ((c.rgbGreen >> 3) << 5) | (c.rgbBlue >> 3));
                std::memcpy(row + x * 2, &pixel, 2);
                break;
            }
            default: {
                BYTE* pixel = row + x * (depth / 8);
                pixel[0] = c.rgbBlue;
                pixel[1] = c.rgbGreen;
                pixel[2] = c.rgbRed;
                break;
            }
            }
        }
    }
    return packed;
}

void putPicture(HWND owner, const Scenario& scenario, int depth)
{
    if (scenario.picture == L"none") return;
    OpenClipboardScope open(owner);
    EmptyClipboard();
    if (scenario.picture == L"text") {
        const std::wstring& text = scenario.name;
        giveToClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    } else if (scenario.picture == L"metafile") {
        putMetafile(scenario.pictureWidth, scenario.pictureHeight);
    } else {
        const std::vector<BYTE> bitmap =
            packedBitmap(scenario.pictureWidth, scenario.pictureHeight, scenario.pattern, depth);
        giveToClipboard(CF_DIB, bitmap.data(), bitmap.size());
    }
}

} // namespace standin
