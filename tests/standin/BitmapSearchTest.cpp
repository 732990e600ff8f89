// The stand-in's bitmap search: places in reading order from a start
// point, transparency, the worst case of a uniform picture, and BMP files
// of every kind as templates.
#include "BitmapSearch.h"

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

// A BMP file written byte by byte: 24 bits bottom-up, or 32 bits top-down.
std::string writeBmp(const std::string& name, const PixelImage& image, int depth, bool topDown)
{
    const int rowBytes = (image.width * depth / 8 + 3) / 4 * 4;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes) * image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::size_t row = topDown ? y : image.height - 1 - y;
            std::uint8_t* pixel = &rows[row * rowBytes + x * depth / 8];
            const std::uint32_t color = image.at(x, y);
            pixel[0] = color & 0xFF;
            pixel[1] = (color >> 8) & 0xFF;
            pixel[2] = (color >> 16) & 0xFF;
        }
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + rows.size()), 0, 0, 54};
    BITMAPINFOHEADER info{40, image.width, topDown ? -image.height : image.height, 1, static_cast<WORD>(depth), BI_RGB,
                          static_cast<DWORD>(rows.size()), 0, 0, 0, 0};
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
    return path;
}

TEST(BitmapSearch, TemplatesFromBmpFilesBottomUpAndTopDown)
{
    const PixelImage picture = randomPicture(90, 60, 5);
    const PixelImage piece = cut(picture, 33, 21, 7, 5);
    for (const auto& [depth, topDown] : {std::pair{24, false}, std::pair{32, true}, std::pair{32, false}}) {
        SCOPED_TRACE(std::to_string(depth) + (topDown ? " bits, top-down" : " bits, bottom-up"));
        const std::string path = writeBmp("ovistra-template.bmp", piece, depth, topDown);
        const PixelImage loaded = loadBmpFile(path);
        EXPECT_EQ(loaded.pixels, piece.pixels);
        expectHit(findTemplate(picture, loaded, 0, 0, false), 33, 21);
        DeleteFileA(path.c_str());
    }
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
