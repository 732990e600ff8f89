// The live test tool's pictures: a window read back from the screen, packed
// at each colour depth, and put on the real clipboard.
#include "ClipboardBitmap.h"
#include "DepthConversion.h"
#include "LiveFixture.h"
#include "ScreenCapture.h"
#include "support/ClipboardContent.h"
#include "toolkit/system/Clipboard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

namespace {

using live_testing::PaintedWindow;
using standin::PixelImage;

// A packed bitmap read back through the system, as a BMP file of it.
PixelImage unpack(const std::vector<BYTE>& packed)
{
    const std::string path = live_testing::temporaryPath("packed.bmp");
    BITMAPFILEHEADER file{};
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(packed.data());
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + info->biSize + info->biClrUsed * sizeof(RGBQUAD));
    file.bfSize = static_cast<DWORD>(sizeof file + packed.size());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
    }
    const PixelImage image = standin::loadBmpFile(path);
    DeleteFileA(path.c_str());
    return image;
}

const BITMAPINFOHEADER& headerOf(const std::vector<BYTE>& packed)
{
    return *reinterpret_cast<const BITMAPINFOHEADER*>(packed.data());
}

TEST(LivePicture, AWindowIsReadBackAsTheScreenShowsIt)
{
    const PixelImage picture = live_testing::groundWithMotifs(200, 150, 0xC0C0C0, {{30, 60}, {130, 100}});
    PaintedWindow window(picture, 320, 240);
    window.show();
    RECT rect{};
    GetWindowRect(window.handle(), &rect);
    const PixelImage shot = standin::captureScreen(rect);
    ASSERT_EQ(shot.width, 200);
    ASSERT_EQ(shot.height, 150);
    EXPECT_EQ(shot.pixels, picture.pixels);
    EXPECT_EQ(standin::captureScreen(RECT{5, 5, 5, 9}).pixels.size(), 0u);
}

TEST(LivePicture, FewColoursSurviveEveryDepthExactly)
{
    const PixelImage picture = live_testing::groundWithMotifs(37, 21, 0xC0C0C0, {{3, 2}, {20, 4}});
    for (int depth : {4, 8, 16, 24, 32}) {
        SCOPED_TRACE(std::to_string(depth) + " bits");
        const std::vector<BYTE> packed = standin::packAtDepth(picture, depth);
        const BITMAPINFOHEADER& header = headerOf(packed);
        EXPECT_EQ(header.biBitCount, depth);
        EXPECT_EQ(header.biWidth, 37);
        EXPECT_EQ(header.biHeight, 21);
        // The picture's own four colours make the table.
        EXPECT_EQ(header.biClrUsed, depth <= 8 ? 4u : 0u);
        // 16 bits keep the top 5 bits of each channel.
        const PixelImage back = unpack(packed);
        EXPECT_EQ(back.significant, depth == 16 ? 0xF8F8F8u : 0xFFFFFFu);
        std::vector<std::uint32_t> expected = picture.pixels;
        for (std::uint32_t& pixel : expected) pixel &= back.significant;
        EXPECT_EQ(back.pixels, expected);
    }
}

TEST(LivePicture, ManyColoursTakeTheNearestOfAFixedTable)
{
    PixelImage picture{30, 10, {}};
    for (int i = 0; i < 300; ++i) picture.pixels.push_back(static_cast<std::uint32_t>(i) * 0x030507 & 0xFFFFFF);
    picture.pixels[0] = 0xFF0000;
    picture.pixels[1] = 0xFE0101;
    picture.pixels[2] = 0xC0C0C0;
    for (int depth : {4, 8}) {
        SCOPED_TRACE(std::to_string(depth) + " bits");
        const std::vector<BYTE> packed = standin::packAtDepth(picture, depth);
        EXPECT_EQ(headerOf(packed).biClrUsed, depth == 4 ? 16u : 256u);
        const PixelImage back = unpack(packed);
        EXPECT_EQ(back.pixels[0], 0xFF0000u);
        EXPECT_EQ(back.pixels[1], 0xFF0000u);
        EXPECT_EQ(back.pixels[2], 0xC0C0C0u);
    }
}

TEST(LivePicture, AnUnknownDepthIsRefusedAndTheClipboardKept)
{
    try {
        standin::packAtDepth(PixelImage{1, 1, {0}}, 7);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Unsupported colour depth: 7");
    }
    testing_support::putTextOnClipboard("kept");
    EXPECT_THROW(standin::putBitmapOnClipboard(testing_support::clipboardOwner(), PixelImage{2, 2, {0, 0, 0, 0}}, 12),
                 std::runtime_error);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST(LivePicture, TheClipboardGetsABitmapAtEachDepthWithAPaletteUpTo8Bits)
{
    const PixelImage picture = live_testing::groundWithMotifs(45, 30, 0xC0C0C0, {{5, 5}});
    for (int depth : {0, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(std::to_string(depth) + " bits");
        standin::putBitmapOnClipboard(testing_support::clipboardOwner(), picture, depth);
        // The system's description of the same bitmap keeps its depth.
        EXPECT_EQ(testing_support::clipboardBitmap().biBitCount, depth ? depth : standin::screenDepth());
        const toolkit::OpenedClipboard open;
        const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
        BITMAP shape{};
        ASSERT_TRUE(bitmap && GetObjectW(bitmap, sizeof shape, &shape));
        EXPECT_EQ(shape.bmWidth, 45);
        EXPECT_EQ(shape.bmHeight, 30);
        const auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
        if (depth == 4 || depth == 8) {
            WORD entries = 0;
            ASSERT_TRUE(palette && GetObjectW(palette, sizeof entries, &entries));
            EXPECT_EQ(entries, 4);
        } else {
            EXPECT_EQ(palette, nullptr);
        }
    }
}

} // namespace
