#include "ClipboardPicture.h"

#include "ClipboardScope.h"
#include "DepthConversion.h"

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
    PixelImage picture;
    picture.width = width > 0 ? width : 1;
    picture.height = height > 0 ? height : 1;
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const RGBQUAD c = vga[colourIndex(pattern, x, y, picture.width)];
            picture.pixels.push_back(static_cast<std::uint32_t>(c.rgbRed) << 16 |
                                     static_cast<std::uint32_t>(c.rgbGreen) << 8 | c.rgbBlue);
        }
    return packAtDepth(picture, depth);
}

void putPicture(HWND owner, const Scenario& scenario, int depth)
{
    if (scenario.picture == L"none") return;
    ClipboardScope open(owner);
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
