// The live test tool's Find on a real window of this process: the first
// place in reading order from a start point, on the screen and in the
// window's picture; wrapping, transparency, and the errors it names.
#include "LiveFixture.h"
#include "WindowSearch.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using live_testing::PaintedWindow;
using standin::FoundPlace;
using standin::LiveWindow;

class LiveSearchTest : public ::testing::Test {
protected:
    LiveSearchTest()
        : window(live_testing::groundWithMotifs(200, 150, 0xC0C0C0, {{30, 60}, {130, 100}}), 400, 300),
          templatePath(live_testing::temporaryPath("motif.bmp"))
    {
        live_testing::writeBmp(templatePath, live_testing::motif(), 24);
        window.show();
    }
    ~LiveSearchTest() override { DeleteFileA(templatePath.c_str()); }

    std::optional<FoundPlace> find(long x, long y, bool transparent = false, bool wrap = false)
    {
        return standin::findInWindow(LiveWindow(window.handle()), templatePath, x, y, transparent, wrap);
    }

    PaintedWindow window;
    std::string templatePath;
};

TEST_F(LiveSearchTest, FindsInReadingOrderFromTheStartOnScreenAndInThePicture)
{
    const std::optional<FoundPlace> first = find(0, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->left, 30);
    EXPECT_EQ(first->top, 60);
    EXPECT_EQ(first->x, 430);
    EXPECT_EQ(first->y, 360);
    EXPECT_EQ(first->width, 16);
    EXPECT_EQ(first->height, 16);

    const std::optional<FoundPlace> second = find(31, 60);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->left, 130);
    EXPECT_EQ(second->top, 100);
    EXPECT_EQ(second->x, 530);
    EXPECT_EQ(second->y, 400);

    EXPECT_FALSE(find(131, 100));
    EXPECT_FALSE(find(0, 150));
}

TEST_F(LiveSearchTest, WrappingGoesOnFromTheTopUpToTheStart)
{
    const std::optional<FoundPlace> wrapped = find(131, 100, false, true);
    ASSERT_TRUE(wrapped);
    EXPECT_EQ(wrapped->left, 30);
    EXPECT_EQ(wrapped->top, 60);
    // A search that starts right after the only places ahead finds the one
    // before the start, never one at or after it twice.
    const std::optional<FoundPlace> fromSecond = find(130, 100, false, true);
    ASSERT_TRUE(fromSecond);
    EXPECT_EQ(fromSecond->left, 130);
}

TEST_F(LiveSearchTest, TransparencyLetsTheTemplatesTopLeftColourMatchAnything)
{
    // The motif on a green ground of two pixels: green is in no window.
    standin::PixelImage framed = live_testing::groundWithMotifs(20, 20, 0x00FF00, {{2, 2}});
    live_testing::writeBmp(templatePath, framed, 32);
    EXPECT_FALSE(find(0, 0));
    const std::optional<FoundPlace> hit = find(0, 0, true);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->left, 28);
    EXPECT_EQ(hit->top, 58);
    EXPECT_EQ(hit->width, 20);
}

TEST_F(LiveSearchTest, AMissingFileOrAGoneWindowIsNamed)
{
    const std::string missing = live_testing::temporaryPath("no-such.bmp");
    try {
        standin::findInWindow(LiveWindow(window.handle()), missing, 0, 0, false, false);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Bitmap file not found: " + missing);
    }
    const LiveWindow object(window.handle());
    DestroyWindow(window.handle());
    try {
        standin::findInWindow(object, templatePath, 0, 0, false, false);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "The window of this object no longer exists");
    }
}

} // namespace
