// A second process that fills the clipboard as other programs do. It reads
// one command a line from standard input and answers "ok" or
// "error <reason>" on standard output:
//
//   empty                      empties the clipboard
//   text <text>                CF_TEXT
//   oemtext <text>             CF_OEMTEXT only
//   bitmap <w> <h> [rrggbb]    a screen-compatible bitmap, red unless given
//   textbitmap <w> <h> <text>  a bitmap and a text together
//   monobitmap <w> <h>         a one-bit bitmap (for huge sizes)
//   dib <w> <h> <rrggbb>       CF_DIB: 32 bits, top-down, first row white
//   dibheader <w> <h>          CF_DIB: a 32-bit header without pixels
//   private                    only a format of this helper's own
//   palette <n>                CF_PALETTE with n entries
//   metafile <w> <h>           an enhanced metafile of that size
//   badmetafile                an enhanced metafile with an absurd frame
//   file <format>|<path>       a registered format holding a file's bytes
//   hold / release             keeps the clipboard open until released
//   quit
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

HWND owner;

HGLOBAL globalCopy(const void* data, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory) throw std::runtime_error("out of memory");
    if (void* target = GlobalLock(memory)) {
        if (size) CopyMemory(target, data, size);
        GlobalUnlock(memory);
    }
    return memory;
}

void put(UINT format, HANDLE data)
{
    if (!data) throw std::runtime_error("no data for format " + std::to_string(format));
    if (!SetClipboardData(format, data)) throw std::runtime_error("SetClipboardData failed for " + std::to_string(format));
}

HBITMAP filledBitmap(int width, int height, COLORREF colour = RGB(255, 0, 0))
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT area{0, 0, width, height};
    FillRect(memory, &area, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!bitmap) throw std::runtime_error("cannot create the bitmap");
    return bitmap;
}

// A bitmap of the screen's kind, as a program that copies the screen
// makes, with a gradient that `shift` moves sideways.
HBITMAP gradientBitmap(int width, int height, int shift)
{
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = static_cast<DWORD>((x + shift) ^ y);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const int rows = bitmap ? SetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) : 0;
    ReleaseDC(nullptr, screen);
    if (rows != height) {
        if (bitmap) DeleteObject(bitmap);
        throw std::runtime_error("cannot create the bitmap");
    }
    return bitmap;
}

HENHMETAFILE metafile(int width, int height)
{
    HDC screen = GetDC(nullptr);
    // The frame in 0.01 mm that makes width x height screen pixels.
    const int frameWidth = MulDiv(width, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES));
    const int frameHeight = MulDiv(height, GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES));
    RECT frame{0, 0, frameWidth, frameHeight};
    HDC dc = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    ReleaseDC(nullptr, screen);
    Rectangle(dc, 0, 0, width, height);
    return CloseEnhMetaFile(dc);
}

HENHMETAFILE badMetafile()
{
    HENHMETAFILE good = metafile(10, 10);
    std::vector<BYTE> bits(GetEnhMetaFileBits(good, 0, nullptr));
    GetEnhMetaFileBits(good, static_cast<UINT>(bits.size()), bits.data());
    DeleteEnhMetaFile(good);
    auto* header = reinterpret_cast<ENHMETAHEADER*>(bits.data());
    header->rclFrame = {0, 0, 2000000000, 2000000000};
    return SetEnhMetaFileBits(static_cast<UINT>(bits.size()), bits.data());
}

HPALETTE palette(int count)
{
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + (count > 0 ? count : 1) * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        logical->palPalEntry[i] = {static_cast<BYTE>(i * 7), static_cast<BYTE>(i * 13), static_cast<BYTE>(i * 29), 0};
    return CreatePalette(logical);
}

void run(const std::string& command, std::istringstream& args)
{
    if (command == "hold") {
        if (!OpenClipboard(owner)) throw std::runtime_error("cannot open the clipboard");
        return;
    }
    if (command == "release") {
        CloseClipboard();
        return;
    }
    if (!OpenClipboard(owner)) throw std::runtime_error("cannot open the clipboard");
    struct Closer {
        ~Closer() { CloseClipboard(); }
    } closer;
    EmptyClipboard();
    std::string rest;
    int width = 0, height = 0;
    if (command == "empty") return;
    if (command == "text" || command == "oemtext") {
        std::getline(args >> std::ws, rest);
        put(command == "text" ? CF_TEXT : CF_OEMTEXT, globalCopy(rest.c_str(), rest.size() + 1));
    } else if (command == "bitmap" && args >> width >> height) {
        std::string colour = "ff0000";
        args >> colour;
        const unsigned long rgb = std::stoul(colour, nullptr, 16);
        put(CF_BITMAP, filledBitmap(width, height, RGB(rgb >> 16, rgb >> 8 & 0xff, rgb & 0xff)));
    } else if (int shift = 0; command == "gradient" && args >> width >> height >> shift) {
        put(CF_BITMAP, gradientBitmap(width, height, shift));
    } else if (command == "textbitmap" && args >> width >> height) {
        std::getline(args >> std::ws, rest);
        put(CF_BITMAP, filledBitmap(width, height));
        put(CF_TEXT, globalCopy(rest.c_str(), rest.size() + 1));
    } else if (command == "monobitmap" && args >> width >> height) {
        put(CF_BITMAP, CreateBitmap(width, height, 1, 1, nullptr));
    } else if (command == "dib" && args >> width >> height >> rest) {
        const DWORD colour = std::stoul(rest, nullptr, 16);
        BITMAPINFOHEADER header{sizeof header, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<DWORD> packed(sizeof header / sizeof(DWORD) + static_cast<std::size_t>(width) * height, colour);
        std::memcpy(packed.data(), &header, sizeof header);
        std::fill_n(packed.begin() + sizeof header / sizeof(DWORD), width, 0xFFFFFF);
        put(CF_DIB, globalCopy(packed.data(), packed.size() * sizeof(DWORD)));
    } else if (command == "dibheader" && args >> width >> height) {
        BITMAPINFOHEADER header{sizeof header, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        put(CF_DIB, globalCopy(&header, sizeof header));
    } else if (command == "private") {
        const char data[] = "private data";
        put(RegisterClipboardFormatA("Ovistra Test Private"), globalCopy(data, sizeof data));
    } else if (command == "palette" && args >> width) {
        put(CF_PALETTE, palette(width));
    } else if (command == "metafile" && args >> width >> height) {
        put(CF_ENHMETAFILE, metafile(width, height));
    } else if (command == "badmetafile") {
        put(CF_ENHMETAFILE, badMetafile());
    } else if (command == "file") {
        std::getline(args >> std::ws, rest);
        const std::string format = rest.substr(0, rest.find('|'));
        const std::string path = rest.substr(format.size() + 1 <= rest.size() ? format.size() + 1 : rest.size());
        std::ifstream file(path, std::ios::binary);
        if (!file) throw std::runtime_error("cannot read " + path);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        put(RegisterClipboardFormatA(format.c_str()), globalCopy(bytes.data(), bytes.size()));
    } else {
        throw std::runtime_error("unknown command " + command);
    }
}

} // namespace

int main()
{
    owner = CreateWindowA("STATIC", "clipboard helper", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    for (std::string line; std::getline(std::cin, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream args(line);
        std::string command;
        args >> command;
        if (command == "quit") break;
        try {
            run(command, args);
            if (command == "gradient") {
                // The moment the clipboard closed (the counter is the
                // system's, so other processes can compare).
                LARGE_INTEGER closed;
                QueryPerformanceCounter(&closed);
                std::printf("ok %lld\n", static_cast<long long>(closed.QuadPart));
            } else {
                std::printf("ok\n");
            }
        } catch (const std::exception& e) {
            std::printf("error %s\n", e.what());
        }
        std::fflush(stdout);
    }
    return 0;
}
