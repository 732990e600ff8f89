// Saving pictures: BMP files at every colour depth (also read back by a
// separate reader after this suite, see read_bmp.py), enhanced metafiles,
// and a failing save that leaves the old file as it was; the toolkit's GDI
// count; clipboard copies lending their memory.
#include "support/ClipboardContent.h"
#include "toolkit/core/Error.h"
#include "toolkit/graphics/Picture.h"
#include "toolkit/system/Clipboard.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace toolkit;

constexpr int width = 13;  // odd, so that rows need padding at every depth
constexpr int height = 7;

// The colour table of an indexed test bitmap: distinct, easily told apart.
RGBQUAD tableColor(int index, int depth)
{
    if (depth == 1) return index ? RGBQUAD{255, 255, 255, 0} : RGBQUAD{0, 0, 0, 0};
    return RGBQUAD{static_cast<BYTE>(index * 7), static_cast<BYTE>(255 - index), static_cast<BYTE>(index * 13), 0};
}

// The colour the test pattern gives a pixel; for 16 bits, values a 5-5-5
// pixel holds exactly.
COLORREF patternColor(int x, int y, int depth)
{
    if (depth <= 8) {
        const RGBQUAD entry = tableColor((x + 3 * y) % (1 << depth), depth);
        return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    }
    return RGB((x * 19) & 0xF8, (y * 37) & 0xF8, ((x + y) * 11) & 0xF8);
}

// A bitmap of the given depth painted with the test pattern.
BitmapHandle patternBitmap(int depth)
{
    std::vector<std::uint8_t> storage(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
    info->bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(depth), BI_RGB, 0, 0, 0, 0, 0};
    if (depth <= 8)
        for (int i = 0; i < (1 << depth); ++i) info->bmiColors[i] = tableColor(i, depth);
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
    EXPECT_TRUE(bitmap);
    MemoryDC dc(nullptr);
    SelectGuard selected(dc.get(), bitmap.get());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixelV(dc.get(), x, y, patternColor(x, y, depth));
    GdiFlush();
    return bitmap;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Files a save may have left behind in a folder, apart from `keep`.
int leftoversIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\ovi*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

class PictureFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "ovistra-picture-file";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override
    {
        for (const char* name : {"\\old.bmp", "\\picture.emf", "\\blank.bmp"}) {
            DeleteFileA((folder + name).c_str());
        }
        RemoveDirectoryA((folder + "\\taken.bmp").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    Picture redPicture()
    {
        Picture picture;
        picture.makeBlankBitmap(4, 3);
        MemoryDC dc(nullptr);
        SelectGuard selected(dc.get(), picture.bitmap());
        SetPixelV(dc.get(), 0, 0, RGB(255, 0, 0));
        return picture;
    }
    std::string folder;
};

TEST_F(PictureFile, EveryDepthIsWrittenAsABmpFileThatReadsBackPixelForPixel)
{
    // Read back here through the system's loader, and after this suite by
    // an independent reader from the expectations written beside each file.
    CreateDirectoryA("written-bmps", nullptr);
    for (const int depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        const BitmapHandle source = patternBitmap(depth);
        Picture picture;
        picture.loadFromClipboardFormat(CF_BITMAP, source.get(), nullptr);
        const std::string name = "written-bmps\\depth" + std::to_string(depth);
        picture.saveToFile(name + ".bmp");

        const std::string bytes = readFile(name + ".bmp");
        ASSERT_GE(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
        const auto& file = *reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
        const auto& header = *reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof file);
        EXPECT_EQ(file.bfType, 0x4D42);
        EXPECT_EQ(file.bfSize, bytes.size());
        EXPECT_EQ(header.biBitCount, depth);
        EXPECT_EQ(header.biWidth, width);
        EXPECT_EQ(header.biHeight, height);

        BitmapHandle loaded(static_cast<HBITMAP>(
            LoadImageA(nullptr, (name + ".bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        ASSERT_TRUE(loaded);
        MemoryDC dc(nullptr);
        SelectGuard selected(dc.get(), loaded.get());
        std::ofstream expected(name + ".txt");
        expected << width << ' ' << height << ' ' << depth << '\n';
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF color = patternColor(x, y, depth);
                // The system's loader may widen 5-bit channels by repeating bits.
                const COLORREF mask = depth == 16 ? 0xF8F8F8 : 0xFFFFFF;
                EXPECT_EQ(GetPixel(dc.get(), x, y) & mask, color) << x << "," << y;
                expected << x << ' ' << y << ' ' << int(GetRValue(color)) << ' ' << int(GetGValue(color)) << ' '
                         << int(GetBValue(color)) << '\n';
            }
    }
}

TEST_F(PictureFile, AnExistingFileIsReplacedWholeAndNothingIsLeftBeside)
{
    const std::string path = folder + "\\old.bmp";
    std::ofstream(path, std::ios::binary) << std::string(100000, 'x');
    redPicture().saveToFile(path);
    const std::string bytes = readFile(path);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 4 * 4 * 3);
    EXPECT_EQ(leftoversIn(folder), 0);
}

TEST_F(PictureFile, AFailingSaveNamesTheFileAndLeavesTheOldOneByteForByte)
{
    const std::string path = folder + "\\old.bmp";
    std::ofstream(path, std::ios::binary) << "the old picture";
    {
        // Another program holds the file open and lets nobody replace it.
        FileHandle held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        try {
            redPicture().saveToFile(path);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
        }
    }
    EXPECT_EQ(readFile(path), "the old picture");
    EXPECT_EQ(leftoversIn(folder), 0);

    // A folder in the file's place stays a folder.
    const std::string taken = folder + "\\taken.bmp";
    CreateDirectoryA(taken.c_str(), nullptr);
    EXPECT_THROW(redPicture().saveToFile(taken), Error);
    EXPECT_TRUE(GetFileAttributesA(taken.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(leftoversIn(folder), 0);

    const std::string nowhere = folder + "\\no-such-folder\\picture.bmp";
    try {
        redPicture().saveToFile(nowhere);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + nowhere);
    }
    EXPECT_FALSE(exists(nowhere));
}

TEST_F(PictureFile, AMetafileIsWrittenInItsOwnFormatAndAnEmptyPictureWritesNothing)
{
    RECT frame{0, 0, 2000, 1000};
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    Rectangle(recorder, 0, 0, 50, 25);
    EnhMetafileHandle metafile(CloseEnhMetaFile(recorder));
    Picture picture;
    picture.loadFromClipboardFormat(CF_ENHMETAFILE, metafile.get(), nullptr);
    const std::string path = folder + "\\picture.emf";
    picture.saveToFile(path);
    EnhMetafileHandle read(GetEnhMetaFileA(path.c_str()));
    ASSERT_TRUE(read);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(read.get(), sizeof header, &header);
    EXPECT_EQ(header.rclFrame.right, 2000);
    EXPECT_EQ(header.rclFrame.bottom, 1000);
    read.reset();
    EXPECT_EQ(leftoversIn(folder), 0);

    const std::string blank = folder + "\\blank.bmp";
    Picture().saveToFile(blank);
    EXPECT_FALSE(exists(blank));
}

} // namespace

// The toolkit's count of GDI objects follows its owners through moves,
// resets and DCs, so a benchmark can read what the process holds.
TEST(GdiObjectCount, FollowsEveryOwnerFromTakingToRelease)
{
    const long before = gdiObjectsHeld;
    {
        BitmapHandle first(CreateBitmap(2, 2, 1, 32, nullptr));
        ASSERT_TRUE(first);
        EXPECT_EQ(gdiObjectsHeld, before + 1);
        BitmapHandle second(CreateBitmap(2, 2, 1, 32, nullptr));
        second = std::move(first);
        EXPECT_EQ(gdiObjectsHeld, before + 1) << "the bitmap given up by the move target";
        BitmapHandle third(std::move(second));
        EXPECT_EQ(gdiObjectsHeld, before + 1);
        MemoryDC dc(nullptr);
        EXPECT_EQ(gdiObjectsHeld, before + 2);
        Picture picture;
        picture.makeBlankBitmap(3, 3);
        EXPECT_EQ(gdiObjectsHeld, before + 3);
        picture.clear();
        third.reset();
        EXPECT_EQ(gdiObjectsHeld, before + 1);
    }
    EXPECT_EQ(gdiObjectsHeld, before);
}

// Puts a bitmap on the clipboard, owned by this process, whose top row is
// `top` and the rest `rest`.
void putTwoToneBitmap(HWND owner, COLORREF top, COLORREF rest)
{
    OpenedClipboard clipboard(owner);
    EmptyClipboard();
    WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    {
        MemoryDC dc(screen.get());
        SelectGuard selected(dc.get(), bitmap);
        for (const auto& [area, colour] : {std::pair{RECT{0, 0, width, 1}, top}, {RECT{0, 1, width, height}, rest}}) {
            Brush brush(CreateSolidBrush(colour));
            FillRect(dc.get(), &area, brush.get());
        }
    }
    // The clipboard owns the bitmap once it has taken it.
    if (!SetClipboardData(CF_BITMAP, bitmap)) {
        DeleteObject(bitmap);
        ADD_FAILURE() << "the clipboard did not take the bitmap";
    }
}

// A packed 32-bit DIB with the test pattern: a plain or a version 5
// header, rows top-down or bottom-up, BI_RGB or bit fields that say the
// same, and `tableEntries` colour table entries before the pixels.
struct PackedLayout {
    DWORD headerSize;
    bool topDown;
    DWORD compression;
    DWORD tableEntries;
};

std::vector<BYTE> packedDib(const PackedLayout& layout)
{
    const DWORD masks[3] = {0xFF0000, 0xFF00, 0xFF};
    const std::size_t masksAfter = layout.compression == BI_BITFIELDS && layout.headerSize == 40 ? sizeof masks : 0;
    const std::size_t offset = layout.headerSize + masksAfter + layout.tableEntries * sizeof(RGBQUAD);
    std::vector<BYTE> memory(offset + width * height * 4);
    BITMAPV5HEADER header{};
    header.bV5Size = layout.headerSize;
    header.bV5Width = width;
    header.bV5Height = layout.topDown ? -height : height;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = layout.compression;
    header.bV5ClrUsed = layout.tableEntries;
    std::memcpy(memory.data(), &header, 40);
    if (layout.compression == BI_BITFIELDS) std::memcpy(memory.data() + 40, masks, sizeof masks);
    if (layout.headerSize > 40) std::memcpy(memory.data() + 52, &header.bV5AlphaMask, layout.headerSize - 52);
    auto* pixels = reinterpret_cast<DWORD*>(memory.data() + offset);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = patternColor(x, y, 32);
            pixels[(layout.topDown ? y : height - 1 - y) * width + x] =
                GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
        }
    return memory;
}

COLORREF pixelOf(HBITMAP bitmap, int x, int y)
{
    MemoryDC dc(nullptr);
    SelectGuard selected(dc.get(), bitmap);
    return GetPixel(dc.get(), x, y);
}

// Every layout that needs no palette is copied the right way up, past its
// masks and colour table, into the memory of the copy before.
TEST(PictureClipboard, PackedDibsAreCopiedTheRightWayUpIntoTheCopyBefore)
{
    BitmapHandle spare;
    HBITMAP previous = nullptr;
    for (const PackedLayout& layout : {PackedLayout{40, false, BI_RGB, 3}, PackedLayout{40, true, BI_BITFIELDS, 0},
                                       PackedLayout{124, true, BI_RGB, 0}, PackedLayout{124, false, BI_BITFIELDS, 2}}) {
        SCOPED_TRACE(testing::Message() << layout.headerSize << (layout.topDown ? " top-down " : " bottom-up ")
                                        << layout.compression << " " << layout.tableEntries);
        const std::vector<BYTE> memory = packedDib(layout);
        int copiedWidth = 0, copiedHeight = 0;
        BitmapHandle copy = copyPackedDib(memory.data(), memory.size(), copiedWidth, copiedHeight, spare);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copiedWidth, width);
        EXPECT_EQ(copiedHeight, height);
        if (previous) {
            EXPECT_EQ(copy.get(), previous);
        }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(pixelOf(copy.get(), x, y), patternColor(x, y, 32)) << x << "," << y;
        previous = copy.get();
        spare = std::move(copy);
    }
}

// What the copy cannot take as it lies is left alone, the spare with it:
// palettes, other depths and masks, and headers that promise more than the
// memory holds.
TEST(PictureClipboard, PackedDibsThatAreNotPlain32BitMemoryAreRefusedAndTheSpareKept)
{
    const PackedLayout plain{40, false, BI_RGB, 0};
    const auto withHeader = [&](auto change) {
        std::vector<BYTE> memory = packedDib(plain);
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(memory.data());
        change(*header, memory);
        return memory;
    };
    const std::vector<std::vector<BYTE>> refused{
        withHeader([](BITMAPINFOHEADER&, std::vector<BYTE>& memory) { memory.pop_back(); }),
        withHeader([](BITMAPINFOHEADER& header, std::vector<BYTE>&) { header.biBitCount = 24; }),
        withHeader([](BITMAPINFOHEADER& header, std::vector<BYTE>&) { header.biClrUsed = 0x40000000; }),
        withHeader([](BITMAPINFOHEADER& header, std::vector<BYTE>&) { header.biHeight = INT_MIN; }),
        withHeader([](BITMAPINFOHEADER& header, std::vector<BYTE>& memory) { header.biSize = memory.size() + 1; }),
        withHeader([](BITMAPINFOHEADER& header, std::vector<BYTE>& memory) {
            header.biCompression = BI_BITFIELDS;
            memory.resize(sizeof header + 8);
        }),
        withHeader([](BITMAPINFOHEADER& header, std::vector<BYTE>& memory) {
            header.biCompression = BI_BITFIELDS;
            const DWORD swapped[3] = {0xFF, 0xFF00, 0xFF0000};
            std::memcpy(memory.data() + sizeof header, swapped, sizeof swapped);
        }),
    };
    BitmapHandle spare(CreateBitmap(width, height, 1, 32, nullptr));
    const HBITMAP kept = spare.get();
    for (std::size_t i = 0; i < refused.size(); ++i) {
        SCOPED_TRACE(i);
        int copiedWidth = -1, copiedHeight = -1;
        EXPECT_FALSE(copyPackedDib(refused[i].data(), refused[i].size(), copiedWidth, copiedHeight, spare));
        EXPECT_EQ(spare.get(), kept);
        EXPECT_EQ(copiedWidth, -1);
    }
}

struct DestroyWindowRelease {
    void operator()(HWND window) const { DestroyWindow(window); }
};

COLORREF pixel(const Picture& picture, int x, int y)
{
    return pixelOf(picture.bitmap(), x, y);
}

// A copy from the clipboard lends its memory to the next copy of its size,
// which lies the right way up in it; other bitmaps are never lent.
TEST(PictureClipboard, ACopyTakesTheMemoryOfTheOneBeforeAndOnlyCopiesLendIt)
{
    const UniqueHandle<HWND, DestroyWindowRelease> window(
        CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    const HWND owner = window.get();
    putTwoToneBitmap(owner, RGB(255, 0, 0), RGB(0, 0, 255));
    Picture first;
    first.assignFromClipboard(owner);
    ASSERT_EQ(first.kind(), Picture::Kind::Bitmap);
    const HBITMAP lent = first.bitmap();
    BitmapHandle spare = first.takeBitmap();
    EXPECT_EQ(spare.get(), lent);
    EXPECT_TRUE(first.empty());

    putTwoToneBitmap(owner, RGB(0, 255, 0), RGB(255, 255, 255));
    Picture second;
    second.assignFromClipboard(owner, std::move(spare));
    EXPECT_EQ(second.bitmap(), lent);
    EXPECT_EQ(pixel(second, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(pixel(second, width - 1, height - 1), RGB(255, 255, 255));

    // A packed DIB given to the clipboard is read from its own memory.
    const std::vector<BYTE> memory = packedDib({40, true, BI_RGB, 0});
    testing_support::putOnClipboard(CF_DIB, memory.data(), memory.size(), owner);
    Picture third;
    third.assignFromClipboard(owner, second.takeBitmap());
    EXPECT_EQ(third.bitmap(), lent);
    EXPECT_EQ(pixel(third, 0, 0), patternColor(0, 0, 32));
    EXPECT_EQ(pixel(third, width - 1, height - 1), patternColor(width - 1, height - 1, 32));

    Picture blank;
    blank.makeBlankBitmap(width, height);
    EXPECT_FALSE(blank.takeBitmap());
    EXPECT_EQ(blank.kind(), Picture::Kind::Bitmap);
}
