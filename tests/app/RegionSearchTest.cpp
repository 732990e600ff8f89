// The region search of the real window against the recording server: the
// arguments of Find, a miss, a hit drawn on the frozen picture, and the
// dialog's folder.
#include "MainWindowFixture.h"

#include "support/MessageBeepCounter.h"
#include "support/WindowTesting.h"
#include "toolkit/system/Clipboard.h"

#include <climits>

using namespace testing_support;

namespace {

COLORREF pixelOf(const toolkit::Picture& picture, int x, int y)
{
    toolkit::MemoryDC dc(nullptr);
    toolkit::SelectGuard selected(dc.get(), picture.bitmap());
    return GetPixel(dc.get(), x, y);
}

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);

int redPixelsIn(const toolkit::Picture& picture, RECT area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) count += pixelOf(picture, x, y) == red;
    return count;
}

} // namespace

class RegionSearchTest : public MainWindowWithServerTest {
protected:
    // A search with `file` chosen in the dialog.
    void search(const std::string& file) { form->searchForBitmap(file); }
    // Stop without a picture to freeze: an empty picture pane.
    void showEmptyPane() { form->StopBtnClick(*form->StopBtn); }
    std::size_t regionsCalls() const
    {
        std::size_t count = 0;
        for (const auto& call : server.calls) count += call.object == "regions";
        return count;
    }
};

TEST_F(RegionSearchTest, AMissPassesTheDefaultsBeepsOnceAndLeavesThePictureAlone)
{
    showEmptyPane();
    MessageBeepCounter beeps;
    search("C:\\pics\\button.bmp");
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(beeps.lastType(), 0u);
    ASSERT_EQ(server.finds.size(), 1u);
    const auto& find = server.finds[0];
    EXPECT_EQ(find.fileName, "C:\\pics\\button.bmp");
    EXPECT_EQ(find.x, 0);
    EXPECT_EQ(find.y, 0);
    EXPECT_EQ(find.transparent, VARIANT_TRUE);
    EXPECT_EQ(find.sixth, VARIANT_FALSE);
    EXPECT_EQ(regionsCalls(), 1u);
    EXPECT_TRUE(form->Image1->picture().empty());
    EXPECT_EQ(form->SearchPictureDLG->initialDir(), "C:\\pics");
    ASSERT_FALSE(server.calls.empty());
    EXPECT_EQ(server.calls.back().member, "Find");
    EXPECT_EQ(server.calls.back().argumentTypes,
              (std::vector<VARTYPE>{VT_BYREF | VT_VARIANT, VT_BYREF | VT_BSTR, VT_BYREF | VT_I4, VT_BYREF | VT_I4,
                                    VT_BOOL, VT_BOOL}));
}

TEST_F(RegionSearchTest, TheStartPointIsTheLastPressOnlyWhenAskedFor)
{
    showEmptyPane();
    form->Image1MouseDown(*form->Image1, toolkit::MouseButton::Left, 0, 37, 12);
    search("C:\\x.bmp");
    form->UseStartCoodrCB->setChecked(true);
    form->UseTransporentCB->setChecked(false);
    search("C:\\x.bmp");
    ASSERT_EQ(server.finds.size(), 2u);
    EXPECT_EQ(server.finds[0].x, 0);
    EXPECT_EQ(server.finds[0].y, 0);
    EXPECT_EQ(server.finds[1].x, 37);
    EXPECT_EQ(server.finds[1].y, 12);
    EXPECT_EQ(server.finds[1].transparent, VARIANT_FALSE);
    // A file in a drive's root keeps the root's backslash.
    EXPECT_EQ(form->SearchPictureDLG->initialDir(), "C:\\");
}

TEST_F(RegionSearchTest, AHitIsOutlinedInRedWithTheSixValuesBesideIt)
{
    showEmptyPane();
    server.findResult = true;
    MessageBeepCounter beeps;
    search("C:\\pics\\button.bmp");
    EXPECT_EQ(beeps.count(), 0);
    // Find, then six texts and 32 geometry reads.
    EXPECT_EQ(regionsCalls(), 39u);
    const toolkit::Picture& picture = form->Image1->picture();
    ASSERT_EQ(picture.kind(), toolkit::Picture::Kind::Bitmap);
    EXPECT_EQ(picture.width(), form->Image1->width());
    for (const POINT corner : {POINT{10, 20}, POINT{40, 20}, POINT{40, 60}, POINT{10, 60}})
        EXPECT_EQ(pixelOf(picture, corner.x, corner.y), red) << corner.x << "," << corner.y;
    EXPECT_EQ(pixelOf(picture, 25, 40), white);
    EXPECT_EQ(pixelOf(picture, 9, 19), white);
    // Six lines of text 12 pixels apart, starting at x = 45.
    for (int line = 0; line < 6; ++line)
        EXPECT_GT(redPixelsIn(picture, {45, 20 + 12 * line, 45 + 60, 20 + 12 * line + 12}), 0) << "line " << line;
    EXPECT_EQ(redPixelsIn(picture, {41, 0, 44, 19}), 0);
    EXPECT_EQ(redPixelsIn(picture, {45, 0, 105, 19}), 0);
}

TEST_F(RegionSearchTest, TwoHitsLeaveBothMarkings)
{
    showEmptyPane();
    server.findResult = true;
    search("C:\\a.bmp");
    server.foundValues["FoundLeft"] = 100;
    server.foundValues["FoundTop"] = 100;
    search("C:\\a.bmp");
    const toolkit::Picture& picture = form->Image1->picture();
    EXPECT_EQ(pixelOf(picture, 10, 20), red);
    EXPECT_EQ(pixelOf(picture, 100, 100), red);
}

TEST_F(RegionSearchTest, ValuesAtTheLimitsOf32BitsDrawWhatFitsWithoutOverflowing)
{
    showEmptyPane();
    server.findResult = true;
    // L + W and T + H leave 32 bits: the lines run to the far edges.
    server.foundValues = {{"FoundX", INT_MAX}, {"FoundY", INT_MIN}, {"FoundWidth", INT_MAX},
                          {"FoundHeight", INT_MAX}, {"FoundLeft", 2}, {"FoundTop", 3}};
    search("C:\\a.bmp");
    const toolkit::Picture& picture = form->Image1->picture();
    const int right = picture.width() - 1, bottom = picture.height() - 1;
    EXPECT_EQ(pixelOf(picture, right, 3), red);
    EXPECT_EQ(pixelOf(picture, 2, bottom), red);
    EXPECT_EQ(pixelOf(picture, 2, 3), red);
    EXPECT_EQ(pixelOf(picture, 3, 4), white);

    server.foundValues = {{"FoundX", 0}, {"FoundY", 0}, {"FoundWidth", INT_MIN},
                          {"FoundHeight", INT_MIN}, {"FoundLeft", INT_MIN}, {"FoundTop", INT_MAX}};
    search("C:\\a.bmp");
    EXPECT_EQ(regionsCalls(), 78u);
}

TEST_F(RegionSearchTest, AHitOnAMetafileEndsInTheErrorAfterTheValuesAreRead)
{
    {
        toolkit::OpenedClipboard clipboard;
        EmptyClipboard();
        RECT frame{0, 0, 1000, 1000};
        HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
        Rectangle(dc, 0, 0, 10, 10);
        SetClipboardData(CF_ENHMETAFILE, CloseEnhMetaFile(dc));
    }
    form->CBShowObject->setChecked(true);
    form->StopBtnClick(*form->StopBtn);
    ASSERT_EQ(form->Image1->picture().kind(), toolkit::Picture::Kind::Metafile);
    server.findResult = true;
    try {
        search("C:\\a.bmp");
        ADD_FAILURE() << "no error";
    } catch (const toolkit::Error& e) {
        EXPECT_STREQ(e.what(), "Can only modify an image if it contains a bitmap");
    }
    EXPECT_EQ(regionsCalls(), 7u);
    EXPECT_EQ(form->Image1->picture().kind(), toolkit::Picture::Kind::Metafile);
}

// The button itself, through the system's file dialog answered as a user
// would.
class RegionSearchDialogTest : public RegionSearchTest {
protected:
    void SetUp() override
    {
        if (runsThroughEmulator()) GTEST_SKIP() << "the system's file dialog is unreliable under the emulator";
        RegionSearchTest::SetUp();
    }
    void clickSearch(const std::string& answer)
    {
        FileDialogAnswerer answerer({answer});
        form->RegionsSearchBtnClick(*form->RegionsSearchBtn);
        ASSERT_TRUE(answerer.waitUntilAnswered(1));
        shown = answerer.shownNames();
    }
    std::vector<std::string> shown;
};

TEST_F(RegionSearchDialogTest, CancellingAsksNothingBeepsNotAndKeepsTheFolder)
{
    form->SearchPictureDLG->setInitialDir("C:\\before");
    MessageBeepCounter beeps;
    clickSearch("");
    EXPECT_TRUE(server.calls.empty());
    EXPECT_EQ(beeps.count(), 0);
    EXPECT_EQ(form->SearchPictureDLG->initialDir(), "C:\\before");
}

TEST_F(RegionSearchDialogTest, ATypedNameThatDoesNotExistIsSearchedForAndFilledInNextTime)
{
    showEmptyPane();
    clickSearch("C:\\no-such-folder\\button.bmp");
    ASSERT_EQ(server.finds.size(), 1u);
    EXPECT_EQ(server.finds[0].fileName, "C:\\no-such-folder\\button.bmp");
    EXPECT_EQ(form->SearchPictureDLG->initialDir(), "C:\\no-such-folder");
    clickSearch("");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("button.bmp"), std::string::npos) << shown[0];
}
