// What the pane shows for each kind of clipboard content.
#include "ClipboardViewerFixture.h"

#include "clipview/PaletteGrid.h"
#include "toolkit/controls/Label.h"

#include <fstream>

using namespace clipview;
using namespace testing_support;

testing_support::ClipboardHelper* ClipboardViewerTest::helper = nullptr;

COLORREF pixelOf(const toolkit::Picture& picture, int x, int y)
{
    toolkit::MemoryDC dc(nullptr);
    toolkit::SelectGuard selected(dc.get(), picture.bitmap());
    return GetPixel(dc.get(), x, y);
}

std::string temporaryFile(const std::string& name, const std::string& bytes)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST_F(ClipboardViewerTest, AnEmptiedClipboardLeavesThePaneBlankWithoutAMessage)
{
    fill("text something");
    ASSERT_NE(memo(), nullptr);
    fill("empty");
    EXPECT_EQ(viewer->contentControl(), nullptr);
    EXPECT_EQ(viewer->ViewFormat(), cvEmpty);
    EXPECT_TRUE(viewer->controls().empty());
}

TEST_F(ClipboardViewerTest, TextShowsInAReadOnlyBorderlessMemoFillingThePaneWithBothScrollBars)
{
    fill("text Hello from another program");
    ASSERT_NE(memo(), nullptr);
    EXPECT_EQ(memoText(), L"Hello from another program");
    HWND window = memo()->handle();
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const RECT area = viewerClient();
    EXPECT_EQ(memo()->boundsRect().left, 0);
    EXPECT_EQ(memo()->boundsRect().top, 0);
    EXPECT_EQ(memo()->width(), area.right);
    EXPECT_EQ(memo()->height(), area.bottom);
    EXPECT_EQ(viewer->ViewFormat(), cvDefault);
}

TEST_F(ClipboardViewerTest, TextWinsOverABitmapBesideIt)
{
    fill("textbitmap 30 20 both are here");
    EXPECT_EQ(memoText(), L"both are here");
}

TEST_F(ClipboardViewerTest, ABitmapShowsAtItsOwnSizeCentredAndRecentredOnResize)
{
    fill("bitmap 60 40");
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->width(), 60);
    EXPECT_EQ(image()->height(), 40);
    RECT area = viewerClient();
    EXPECT_EQ(image()->left(), (area.right - 60) / 2);
    EXPECT_EQ(image()->top(), (area.bottom - 40) / 2);
    EXPECT_EQ(pixelOf(image()->picture(), 30, 20), RGB(255, 0, 0));

    viewer->setBounds(10, 10, 301, 221);
    pumpPending();
    area = viewerClient();
    EXPECT_EQ(image()->left(), (area.right - 60) / 2);
    EXPECT_EQ(image()->top(), (area.bottom - 40) / 2);
}

// Each bitmap, a packed DIB too, is copied into the memory of the one
// shown before when the sizes agree; the window shows only the new
// picture, on the window colour.
TEST_F(ClipboardViewerTest, BitmapsOneAfterAnotherShowOnlyTheirOwnPixels)
{
    const auto painted = [this](int x, int y) {
        UpdateWindow(viewer->handle());
        toolkit::WindowDC dc(viewer->handle());
        return GetPixel(dc.get(), x, y);
    };
    fill("bitmap 120 100");
    ASSERT_NE(image(), nullptr);
    const HBITMAP first = image()->picture().bitmap();
    EXPECT_EQ(painted(45, 30), RGB(255, 0, 0));

    fill("bitmap 120 100 0000ff");
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->picture().bitmap(), first);
    EXPECT_EQ(pixelOf(image()->picture(), 119, 99), RGB(0, 0, 255));
    EXPECT_EQ(painted(45, 30), RGB(0, 0, 255));

    // Another program's packed DIB: read from its memory, top row first.
    fill("dib 120 100 00ffff");
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->picture().bitmap(), first);
    EXPECT_EQ(pixelOf(image()->picture(), 7, 0), RGB(255, 255, 255));
    EXPECT_EQ(pixelOf(image()->picture(), 119, 99), RGB(0, 255, 255));
    EXPECT_EQ(painted(45, 30), RGB(0, 255, 255));

    fill("bitmap 60 40 00ff00");
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->width(), 60);
    EXPECT_EQ(pixelOf(image()->picture(), 59, 39), RGB(0, 255, 0));
    EXPECT_EQ(painted(100, 75), RGB(0, 255, 0));
    EXPECT_EQ(painted(45, 30), GetSysColor(COLOR_WINDOW));
}

TEST_F(ClipboardViewerTest, ABitmapLargerThanThePaneSitsAtTheOrigin)
{
    fill("bitmap 500 400");
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->width(), 500);
    EXPECT_EQ(image()->left(), 0);
    EXPECT_EQ(image()->top(), 0);
}

TEST_F(ClipboardViewerTest, AnEnhancedMetafileShowsAsAnImageOfItsFrame)
{
    fill("metafile 80 50");
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->picture().kind(), toolkit::Picture::Kind::Metafile);
    EXPECT_NEAR(image()->width(), 80, 1);
    EXPECT_NEAR(image()->height(), 50, 1);
}

TEST_F(ClipboardViewerTest, OnlyAPrivateFormatGetsTheUnknownFormatMessage)
{
    fill("private");
    EXPECT_EQ(memoText(), unknownFormatText);
    EXPECT_EQ(viewer->ViewFormat(), cvDefault);
}

TEST_F(ClipboardViewerTest, OemTextChosenAsViewFormatShowsInTheTerminalFont)
{
    fill("oemtext dir /w");
    viewer->setViewFormat(cvOemText);
    EXPECT_EQ(viewer->ViewFormat(), cvOemText);
    ASSERT_NE(memo(), nullptr);
    EXPECT_EQ(memoText(), L"dir /w");
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(memo()->handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Terminal");

    // A format the clipboard does not hold falls back to the automatic choice.
    viewer->setViewFormat(cvBitmap);
    EXPECT_EQ(viewer->ViewFormat(), cvDefault);
    EXPECT_EQ(memoText(), L"dir /w");
}

TEST_F(ClipboardViewerTest, AChosenViewFormatGoesBackToDefaultWhenItsFormatLeaves)
{
    fill("textbitmap 30 20 both");
    viewer->setViewFormat(cvBitmap);
    ASSERT_NE(image(), nullptr);
    fill("text only text");
    EXPECT_EQ(viewer->ViewFormat(), cvDefault);
    EXPECT_EQ(memoText(), L"only text");
}

TEST_F(ClipboardViewerTest, APaletteShowsAsAGridOfTwentyPixelCellsSizedToItsEntries)
{
    fill("palette 50");
    auto* grid = dynamic_cast<TPaletteGrid*>(viewer->contentControl());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->entries().size(), 50u);
    EXPECT_EQ(grid->defaultColWidth(), 20);
    EXPECT_EQ(grid->defaultRowHeight(), 20);
    EXPECT_FALSE(grid->gridLines());
    RECT area;
    GetClientRect(grid->handle(), &area);
    const int columns = (area.right - GetSystemMetrics(SM_CXVSCROLL)) / 20;
    EXPECT_EQ(grid->colCount(), columns);
    EXPECT_EQ(grid->rowCount(), (50 + columns - 1) / columns);
    EXPECT_EQ(area.bottom, grid->rowCount() * 20);
    // Cells with an entry, and the first cell, may be selected; the rest not.
    const int lastRow = grid->rowCount() - 1;
    const int lastColumn = (50 - 1) % columns;
    EXPECT_TRUE(grid->moveTo(lastColumn, lastRow));
    if (lastColumn + 1 < columns) {
        EXPECT_FALSE(grid->moveTo(lastColumn + 1, lastRow));
    }
    EXPECT_TRUE(grid->moveTo(0, 0));
}

TEST_F(ClipboardViewerTest, APaletteKeepsAtMost256Entries)
{
    fill("palette 1000");
    auto* grid = dynamic_cast<TPaletteGrid*>(viewer->contentControl());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->entries().size(), 256u);
}

TEST_F(ClipboardViewerTest, AStoredControlIsPlacedInThePaneAndCentred)
{
    const std::string path =
        temporaryFile("ovistra-label.txt", "object Label9: TLabel\r\n  Caption = 'from the clipboard'\r\n  AutoSize = False\r\n"
                                           "  Width = 120\r\n  Height = 16\r\nend\r\n");
    fill("file Ovistra Component|" + path);
    auto* label = dynamic_cast<toolkit::Label*>(viewer->contentControl());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "from the clipboard");
    EXPECT_EQ(label->parent(), viewer);
    EXPECT_EQ(label->owner(), viewer);
    const RECT area = viewerClient();
    EXPECT_EQ(label->left(), (area.right - 120) / 2);
    EXPECT_EQ(label->top(), (area.bottom - 16) / 2);
}

TEST_F(ClipboardViewerTest, AStoredComponentThatIsNoControlShowsAsItsTextForm)
{
    const std::string path =
        temporaryFile("ovistra-timer.txt", "object Timer9: TTimer\r\n  Interval = 500\r\n  Enabled = False\r\nend\r\n");
    fill("file Ovistra Component|" + path);
    ASSERT_NE(memo(), nullptr);
    EXPECT_EQ(memo()->lines(), (std::vector<std::string>{"object Timer9: TTimer", "  Enabled = False",
                                                         "  Interval = 500", "end"}));
    EXPECT_TRUE(GetWindowLongPtrA(memo()->handle(), GWL_STYLE) & ES_READONLY);
    // The component itself is gone: only the memo is owned by the pane.
    EXPECT_EQ(viewer->components().size(), 1u);
}

TEST_F(ClipboardViewerTest, AnIconShowsAsAnImageOfItsSize)
{
    // An icon-file image: directory, one entry, a 32-bit 16 x 16 image
    // (header of double height, pixels, AND mask).
    std::string icon;
    const auto word = [&icon](unsigned v) { icon += static_cast<char>(v & 0xFF), icon += static_cast<char>(v >> 8); };
    const auto dword = [&word](unsigned v) { word(v & 0xFFFF), word(v >> 16); };
    const unsigned imageSize = 40 + 16 * 16 * 4 + 16 * 4;
    word(0), word(1), word(1);
    icon += static_cast<char>(16), icon += static_cast<char>(16), icon += '\0', icon += '\0';
    word(1), word(32), dword(imageSize), dword(6 + 16);
    dword(40), dword(16), dword(32), word(1), word(32), dword(0), dword(16 * 16 * 4), dword(0), dword(0), dword(0), dword(0);
    for (int i = 0; i < 16 * 16; ++i) dword(0xFF00FF00);
    for (int i = 0; i < 16; ++i) dword(0);
    fill("file Ovistra Icon|" + temporaryFile("ovistra-icon.ico", icon));
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->picture().kind(), toolkit::Picture::Kind::Icon);
    EXPECT_EQ(image()->width(), 16);
    EXPECT_EQ(image()->height(), 16);
}

TEST_F(ClipboardViewerTest, AHiddenPaneStillRebuilds)
{
    viewer->hide();
    fill("text while hidden");
    EXPECT_EQ(memoText(), L"while hidden");
    fill("bitmap 10 10");
    EXPECT_NE(image(), nullptr);
}

TEST_F(ClipboardViewerTest, WithAutoSizeThePaneTakesTheSizeOfItsContent)
{
    viewer->setAutoSize(true);
    fill("bitmap 70 30");
    const RECT area = viewerClient();
    EXPECT_EQ(area.right, 70);
    EXPECT_EQ(area.bottom, 30);
    EXPECT_EQ(image()->left(), 0);
    EXPECT_EQ(image()->top(), 0);
}
