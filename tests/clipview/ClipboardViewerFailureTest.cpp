// Content the pane cannot show, and a clipboard another program holds.
#include "ClipboardViewerFixture.h"

#include "clipview/PaletteGrid.h"
#include "toolkit/forms/Application.h"

using namespace clipview;
using namespace testing_support;

namespace {

std::string boxCaption()
{
    return toolkit::Application::instance()->title();
}

} // namespace

TEST_F(ClipboardViewerTest, ABitmapHeaderOfNoSizeNeverBreaksThePane)
{
    MessageBoxWatcher boxes(boxCaption());
    fill("dibheader 0 0");
    // Either no picture can be made (the message) or the system made an
    // empty one; the pane stays usable.
    if (memo()) {
        EXPECT_EQ(memoText(), unknownFormatText);
    }
    fill("text still working");
    EXPECT_EQ(memoText(), L"still working");
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(ClipboardViewerTest, AHugeBitmapIsShownOrReportedAsUnknownButNeverBreaksThePane)
{
    MessageBoxWatcher boxes(boxCaption());
    fill("monobitmap 20000 20000");
    if (image()) {
        EXPECT_EQ(image()->width(), 20000);
        EXPECT_EQ(image()->left(), 0);
    } else {
        EXPECT_EQ(memoText(), unknownFormatText);
    }
    fill("text after the huge one");
    EXPECT_EQ(memoText(), L"after the huge one");
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(ClipboardViewerTest, AMetafileWithAnAbsurdFrameGetsTheUnknownFormatMessage)
{
    fill("badmetafile");
    EXPECT_EQ(memoText(), unknownFormatText);
}

TEST_F(ClipboardViewerTest, AComponentStreamThatDoesNotParseGetsTheUnknownFormatMessage)
{
    for (const char* text : {"object Broken: TLabel\r\n  Caption = 'unterminated\r\nend\r\n",
                             "object X: TNoSuchClass\r\nend\r\n", "object L: TLabel\r\n  NoSuchProperty = 1\r\nend\r\n",
                             "\x01\x02\x03 binary junk"}) {
        SCOPED_TRACE(text);
        fill("file Ovistra Component|" + temporaryFile("ovistra-broken.txt", text));
        EXPECT_EQ(memoText(), unknownFormatText);
        // Nothing of the broken stream stays behind.
        EXPECT_EQ(viewer->components().size(), 1u);
    }
}

TEST_F(ClipboardViewerTest, ACorruptIconGetsTheUnknownFormatMessage)
{
    fill("file Ovistra Icon|" + temporaryFile("ovistra-bad.ico", std::string("\0\0\1\0\1\0garbage", 13)));
    EXPECT_EQ(memoText(), unknownFormatText);
}

TEST_F(ClipboardViewerTest, APaletteOfNoEntriesOrOfAllEntriesNeverBreaksThePane)
{
    MessageBoxWatcher boxes(boxCaption());
    for (const char* command : {"palette 0", "palette 65535"}) {
        SCOPED_TRACE(command);
        const std::string reply = helper->command(command);
        if (reply != "ok") continue;  // the system refused to make such a palette
        ASSERT_TRUE(pumpUntil([&] { return viewer->contentControl() != nullptr || boxes.count() > 0; }, 120000));
        if (auto* grid = dynamic_cast<TPaletteGrid*>(viewer->contentControl())) {
            EXPECT_LE(grid->entries().size(), 256u);
        }
    }
    fill("text fine");
    EXPECT_EQ(memoText(), L"fine");
}

TEST_F(ClipboardViewerTest, AClipboardHeldOpenByAnotherProgramGivesTheErrorBoxAndNothingMore)
{
    fill("bitmap 20 20");
    ASSERT_EQ(helper->command("hold"), "ok");
    {
        MessageBoxWatcher boxes(boxCaption());
        SendMessageA(viewer->handle(), WM_DRAWCLIPBOARD, 0, 0);
        ASSERT_TRUE(pumpUntil([&] { return boxes.count() > 0; }));
        EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Cannot open clipboard."});
        // The image made before the failure stays, without a picture.
        ASSERT_NE(image(), nullptr);
        EXPECT_TRUE(image()->picture().empty());
    }
    ASSERT_EQ(helper->command("release"), "ok");
    fill("text released");
    EXPECT_EQ(memoText(), L"released");
}

TEST_F(ClipboardViewerTest, APaletteGridIsReleasedWhenTheClipboardCannotBeOpened)
{
    fill("palette 16");
    ASSERT_NE(dynamic_cast<TPaletteGrid*>(viewer->contentControl()), nullptr);
    ASSERT_EQ(helper->command("hold"), "ok");
    {
        MessageBoxWatcher boxes(boxCaption());
        SendMessageA(viewer->handle(), WM_DRAWCLIPBOARD, 0, 0);
        ASSERT_TRUE(pumpUntil([&] { return boxes.count() > 0; }));
        EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Cannot open clipboard."});
        EXPECT_EQ(viewer->contentControl(), nullptr);
        EXPECT_TRUE(viewer->controls().empty());
    }
    ASSERT_EQ(helper->command("release"), "ok");
}
