// The open-picture dialog's preview: what it shows for bitmap files, for
// files that are not bitmaps, and how a picture is fitted into its area.
#include "toolkit/forms/PicturePreview.h"
#include "toolkit/graphics/Picture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using namespace toolkit;

class PicturePreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = temp;
    }
    void TearDown() override
    {
        for (const std::string& name : written) DeleteFileA(name.c_str());
    }
    // A BMP file of that size, blue with a red top-left pixel.
    std::string bitmapFile(const std::string& name, int width, int height)
    {
        Picture picture;
        picture.makeBlankBitmap(width, height);
        {
            MemoryDC dc(nullptr);
            SelectGuard selected(dc.get(), picture.bitmap());
            Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
            RECT all{0, 0, width, height};
            FillRect(dc.get(), &all, blue.get());
        }
        const std::string path = folder + name;
        picture.saveToFile(path);
        written.push_back(path);
        return path;
    }
    std::string folder;
    std::vector<std::string> written;
};

TEST_F(PicturePreviewTest, ABitmapFileShowsItsSizeAndFitsTheAreaKeepingItsProportions)
{
    PicturePreview preview;
    EXPECT_EQ(preview.caption(), "(None)");
    preview.show(bitmapFile("ovistra-preview-wide.bmp", 200, 100));
    EXPECT_EQ(preview.caption(), "200 x 100");
    // 100 wide and 100 high under the caption: halved, centred below it.
    const RECT fitted = preview.pictureArea({10, 20, 110, 136});
    EXPECT_EQ(fitted.left, 10);
    EXPECT_EQ(fitted.right, 110);
    EXPECT_EQ(fitted.bottom - fitted.top, 50);
    EXPECT_EQ(fitted.top, 20 + 16 + 25);

    preview.show(bitmapFile("ovistra-preview-small.bmp", 8, 6));
    const RECT own = preview.pictureArea({0, 0, 100, 116});
    EXPECT_EQ(own.right - own.left, 8);
    EXPECT_EQ(own.bottom - own.top, 6);
    EXPECT_EQ(own.left, 46);
}

TEST_F(PicturePreviewTest, AFileThatIsNotABitmapShowsNothingAndForgetsThePreviousPicture)
{
    PicturePreview preview;
    preview.show(bitmapFile("ovistra-preview-good.bmp", 20, 20));
    ASSERT_FALSE(preview.empty());
    const std::string text = folder + "ovistra-preview-text.bmp";
    std::ofstream(text) << "BM but not a bitmap at all";
    written.push_back(text);
    preview.show(text);
    EXPECT_TRUE(preview.empty());
    EXPECT_EQ(preview.caption(), "(None)");
    const RECT nothing = preview.pictureArea({0, 0, 100, 100});
    EXPECT_EQ(nothing.right - nothing.left, 0);
    preview.show(folder + "ovistra-no-such-file.bmp");
    EXPECT_TRUE(preview.empty());
    // Too small an area for any picture.
    preview.show(bitmapFile("ovistra-preview-good.bmp", 20, 20));
    const RECT squeezed = preview.pictureArea({0, 0, 100, 10});
    EXPECT_EQ(squeezed.right - squeezed.left, 0);
}

TEST_F(PicturePreviewTest, PaintingDrawsTheCaptionAndThePictureInItsPlace)
{
    PicturePreview preview;
    preview.show(bitmapFile("ovistra-preview-paint.bmp", 40, 30));
    Picture canvas;
    canvas.makeBlankBitmap(100, 80);
    MemoryDC dc(nullptr);
    SelectGuard selected(dc.get(), canvas.bitmap());
    const RECT area{0, 0, 100, 80};
    preview.paint(dc.get(), area);
    const RECT picture = preview.pictureArea(area);
    EXPECT_EQ(GetPixel(dc.get(), (picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2),
              RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc.get(), picture.left - 1, picture.top), GetSysColor(COLOR_BTNFACE));
    int captionPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 100; ++x) captionPixels += GetPixel(dc.get(), x, y) != GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(captionPixels, 0);
}

} // namespace
