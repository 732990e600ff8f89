// The stand-in's bitmap search: places in reading order from a start
// point, transparency, the worst case of a uniform picture, and BMP files
// of every kind as templates.
#include "BitmapSearch.h"
#include "BmpWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

namespace {

using namespace standin;

PixelImage randomPicture(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    PixelImage picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) picture.pixels.push_back(random() & 0xFFFFFF);
    return picture;
}

PixelImage uniform(int width, int height, std::uint32_t color)
{
    return {width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, color)};
}

PixelImage cut(const PixelImage& picture, int left, int top, int width, int height)
{
    PixelImage piece{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) piece.pixels.push_back(picture.at(left + x, top + y));
    return piece;
}

void paste(PixelImage& picture, const PixelImage& piece, int left, int top)
{
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x)
            picture.pixels[static_cast<std::size_t>(top + y) * picture.width + left + x] = piece.at(x, y);
}

void expectHit(const std::optional<SearchHit>& hit, int x, int y)
{
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->x, x);
    EXPECT_EQ(hit->y, y);
}

TEST(BitmapSearch, FindsAPieceWhereItWasCutAndEachCopyFromAStartPastTheLast)
{
    PixelImage picture = randomPicture(300, 200, 1);
    const PixelImage piece = cut(picture, 120, 70, 16, 9);
    expectHit(findTemplate(picture, piece, 0, 0, false), 120, 70);
    paste(picture, piece, 10, 150);
    paste(picture, piece, 200, 70);
    // Reading order: row by row, left to right within a row.
    expectHit(findTemplate(picture, piece, 0, 0, false), 120, 70);
    expectHit(findTemplate(picture, piece, 120, 70, false), 120, 70);
    expectHit(findTemplate(picture, piece, 121, 70, false), 200, 70);
    expectHit(findTemplate(picture, piece, 201, 70, false), 10, 150);
    EXPECT_FALSE(findTemplate(picture, piece, 11, 150, false).has_value());
    // A start beyond a row's last place goes on at the next row.
    expectHit(findTemplate(picture, piece, 299, 69, false), 120, 70);
    expectHit(findTemplate(picture, piece, -5, -5, false), 120, 70);
}

TEST(BitmapSearch, TransparentPixelsMatchAnythingOnlyWhenAskedFor)
{
    const PixelImage picture = randomPicture(120, 80, 2);
    PixelImage piece = cut(picture, 40, 30, 12, 12);
    // A frame in the top-left pixel's colour around the piece.
    const std::uint32_t clear = 0x00FF00;
    for (int i = 0; i < 12; ++i) {
        piece.pixels[i] = piece.pixels[11 * 12 + i] = clear;
        piece.pixels[i * 12] = piece.pixels[i * 12 + 11] = clear;
    }
    expectHit(findTemplate(picture, piece, 0, 0, true), 40, 30);
    EXPECT_FALSE(findTemplate(picture, piece, 0, 0, false).has_value());
    // A template that is all transparent matches at the start point.
    expectHit(findTemplate(picture, uniform(5, 5, 7), 17, 3, true), 17, 3);
}

TEST(BitmapSearch, AUniformPictureAndATemplateDifferingInItsLastPixel)
{
    PixelImage picture = uniform(640, 480, 0x808080);
    PixelImage piece = uniform(64, 64, 0x808080);
    piece.pixels.back() = 0x808081;
    EXPECT_FALSE(findTemplate(picture, piece, 0, 0, false).has_value());
    picture.pixels[static_cast<std::size_t>(400) * 640 + 500] = 0x808081;
    expectHit(findTemplate(picture, piece, 0, 0, false), 500 - 63, 400 - 63);
    // A uniform template matches at the start itself.
    expectHit(findTemplate(picture, uniform(64, 64, 0x808080), 3, 2, false), 3, 2);
}

TEST(BitmapSearch, TemplatesThatCannotFit)
{
    const PixelImage picture = randomPicture(30, 20, 3);
    EXPECT_FALSE(findTemplate(picture, randomPicture(31, 5, 4), 0, 0, false).has_value());
    EXPECT_FALSE(findTemplate(picture, randomPicture(5, 21, 4), 0, 0, false).has_value());
    EXPECT_FALSE(findTemplate(picture, PixelImage{}, 0, 0, false).has_value());
    expectHit(findTemplate(picture, picture, 0, 0, false), 0, 0);
    EXPECT_FALSE(findTemplate(picture, picture, 1, 0, false).has_value());
    EXPECT_FALSE(findTemplate(picture, cut(picture, 0, 0, 4, 4), 0, 17, false).has_value());
}

TEST(BitmapSearch, TemplatesFromBmpFilesBottomUpAndTopDown)
{
    const PixelImage picture = randomPicture(90, 60, 5);
    const PixelImage piece = cut(picture, 33, 21, 7, 5);
    const std::string path = live_testing::temporaryPath("template.bmp");
    for (const auto& [depth, topDown] : {std::pair{24, false}, std::pair{24, true}, std::pair{32, true},
                                         std::pair{32, false}}) {
        SCOPED_TRACE(std::to_string(depth) + (topDown ? " bits, top-down" : " bits, bottom-up"));
        live_testing::writeBmp(path, piece, depth, topDown);
        const PixelImage loaded = loadBmpFile(path);
        EXPECT_EQ(loaded.pixels, piece.pixels);
        expectHit(findTemplate(picture, loaded, 0, 0, false), 33, 21);
    }
    DeleteFileA(path.c_str());
}

// Templates with a colour table hold only the colours of their table: a
// picture made of such colours, with odd widths so that rows end inside a
// byte. A 16-bit template holds the top 5 bits of each channel and matches
// every colour that agrees with it there.
TEST(BitmapSearch, TemplatesFromBmpFilesWithFewerBitsPerPixel)
{
    const std::vector<std::uint32_t> twoColours{0x000000, 0xFFFFFF};
    const std::vector<std::uint32_t> sixteen{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                             0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                             0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<std::uint32_t> twoHundred;
    for (std::uint32_t i = 0; i < 200; ++i) twoHundred.push_back(i * 0x010305 & 0xFFFFFF);
    std::vector<std::uint32_t> anyColours;
    for (std::uint32_t i = 0; i < 300; ++i) anyColours.push_back((i * 0x0830A7) & 0xFFFFFF);

    const std::string path = live_testing::temporaryPath("indexed.bmp");
    for (const auto& [depth, colours] : {std::pair{1, twoColours}, std::pair{4, sixteen}, std::pair{8, twoHundred},
                                         std::pair{16, anyColours}}) {
        SCOPED_TRACE(std::to_string(depth) + " bits");
        std::mt19937 random(static_cast<unsigned>(depth));
        PixelImage picture{61, 37, {}};
        for (int i = 0; i < picture.width * picture.height; ++i)
            picture.pixels.push_back(colours[random() % colours.size()]);
        const PixelImage piece = cut(picture, 19, 11, 13, 9);
        for (bool topDown : {false, true}) {
            live_testing::writeBmp(path, piece, depth, topDown, depth <= 8 ? colours : std::vector<std::uint32_t>{});
            const PixelImage loaded = loadBmpFile(path);
            std::vector<std::uint32_t> expected = piece.pixels;
            for (std::uint32_t& pixel : expected) pixel &= depth == 16 ? 0xF8F8F8 : 0xFFFFFF;
            EXPECT_EQ(loaded.pixels, expected) << (topDown ? "top-down" : "bottom-up");
            expectHit(findTemplate(picture, loaded, 0, 0, false), 19, 11);
        }
    }
    DeleteFileA(path.c_str());
}

TEST(BitmapSearch, AMissingOrMalformedFileIsNamedInTheError)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string missing = std::string(folder) + "ovistra-no-such-template.bmp";
    try {
        loadBmpFile(missing);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    const std::string malformed = std::string(folder) + "ovistra-malformed.bmp";
    std::ofstream(malformed, std::ios::binary) << "BM\x10\0\0\0garbage that is no header";
    try {
        loadBmpFile(malformed);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(malformed), std::string::npos) << e.what();
    }
    DeleteFileA(malformed.c_str());
}

} // namespace
