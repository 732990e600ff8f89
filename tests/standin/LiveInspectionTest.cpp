// Ovistra.exe beside the live stand-in test tool, on a desktop with the
// project's sample window, used as a person would: the pointer moved with
// xdotool, buttons, menus and dialogs clicked and answered, pieces cut out
// of a saved picture with ImageMagick and searched for.
#include "BitmapSearch.h"
#include "LiveFixture.h"
#include "PixelImage.h"
#include "ScreenCapture.h"
#include "support/ClipboardContent.h"
#include "support/OtherProcess.h"
#include "support/SettingsFile.h"
#include "support/StandinSession.h"
#include "support/UnixCommand.h"
#include "support/WindowTesting.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

using testing_support::OtherProcess;
using testing_support::runUnixCommand;
using testing_support::StandinSession;
using testing_support::textOf;
using testing_support::waitForChildWithText;

const std::string patternName = "Window(\"OvistraPattern\", \"Pattern\", 1)";
const std::string frameName = "Window(\"OvistraSampleFrame\", \"Ovistra sample\", 1)";
const std::string processName = "Sys.Process(\"OvistraSample\")";
constexpr int fileNameBox = 0x47C;

bool waitUntilGone(HWND window)
{
    for (int i = 0; i < 1200 && IsWindow(window); ++i) Sleep(50);
    return !IsWindow(window);
}

class LiveInspection : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The scripted stand-in of other suites must not answer here.
        StandinSession::endEveryServer();
        registered = StandinSession::runServer("/RegServer") == 0;
        testing_support::removeSettingsFile();
        sample = new OtherProcess("OvistraSample.exe", "/At 100 100");
        program = new OtherProcess("Ovistra.exe");
    }
    static void TearDownTestSuite()
    {
        if (HWND main = program->waitForWindow("Ovistra")) PostMessageA(main, WM_CLOSE, 0, 0);
        program->waitForExit(60000);
        delete program;
        delete sample;
        StandinSession::endEveryServer();
        testing_support::removeSettingsFile();
    }
    void SetUp() override
    {
        if (!testing_support::hasUnixCommand("xdotool") || !testing_support::hasUnixCommand("convert"))
            GTEST_SKIP() << "xdotool and ImageMagick are needed on the Linux side";
        ASSERT_TRUE(registered);
        frame = sample->waitForWindow("Ovistra sample");
        main = program->waitForWindow("Ovistra");
        ASSERT_TRUE(frame && main);
        pattern = FindWindowExA(frame, nullptr, "OvistraPattern", nullptr);
        ASSERT_TRUE(pattern);
        // The check box sits on the panel that draws the flat buttons.
        buttons = GetParent(testing_support::childWithText(main, "S&how Object"));
        ASSERT_TRUE(buttons);
    }

    static POINT screenPoint(HWND window, int x, int y)
    {
        POINT point{x, y};
        ClientToScreen(window, &point);
        return point;
    }
    static POINT centreOf(HWND window)
    {
        RECT rect{};
        GetWindowRect(window, &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    static void moveTo(POINT point)
    {
        ASSERT_TRUE(runUnixCommand("xdotool mousemove " + std::to_string(point.x) + " " + std::to_string(point.y)));
    }
    static void clickAt(POINT point, int button = 1)
    {
        ASSERT_TRUE(runUnixCommand("xdotool mousemove " + std::to_string(point.x) + " " + std::to_string(point.y) +
                                   " click " + std::to_string(button)));
    }
    void clickControl(const std::string& caption) { clickAt(centreOf(testing_support::childWithText(main, caption))); }
    // The flat buttons, at their places on the panel.
    void clickStart() { clickAt(screenPoint(buttons, 30, 35)); }
    void clickStop() { clickAt(screenPoint(buttons, 30, 66)); }
    void clickSearchRegion() { clickAt(screenPoint(buttons, 128, 101)); }
    // A point of the frozen picture, which lies at the top-left corner of
    // the pane below the panel.
    POINT picturePoint(int x, int y) const
    {
        RECT panel{};
        GetWindowRect(buttons, &panel);
        const HWND pane = WindowFromPoint(POINT{panel.left + 5, panel.bottom + 5});
        return screenPoint(pane, x + 1, y + 1);
    }

    // Answers the program's file dialog with a name.
    void answerFileDialog(const std::string& name) const
    {
        const HWND dialog = testing_support::waitForShownWindowOf(
            program->id(), "#32770", [](HWND window) { return GetDlgItem(window, fileNameBox) != nullptr; });
        ASSERT_TRUE(dialog) << "no file dialog";
        SetDlgItemTextA(dialog, fileNameBox, name.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(waitUntilGone(dialog));
    }
    // The text of the program's error box, which is then closed.
    std::string errorBoxText() const
    {
        // A message box shows its text in the static control 0xFFFF.
        const HWND box = testing_support::waitForShownWindowOf(
            program->id(), "#32770", [](HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; });
        if (!box) return "no error box";
        const std::string message = textOf(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        waitUntilGone(box);
        return message;
    }
    void saveFrozenPictureAs(const std::string& path)
    {
        clickAt(picturePoint(20, 20), 3);
        const HWND menu = testing_support::waitForShownWindowOf(program->id(), "#32768");
        ASSERT_TRUE(menu) << "no picture menu";
        RECT item{};
        GetWindowRect(menu, &item);
        clickAt(POINT{item.left + 20, item.top + 10});
        answerFileDialog(path);
        for (int i = 0; i < 600 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    }
    // With OVISTRA_SCREENSHOTS naming a Linux folder, the sample window and
    // Ovistra side by side, as the screen shows them, go there as a PNG file.
    void screenshot(const std::string& name) const
    {
        char folder[MAX_PATH] = {};
        if (!GetEnvironmentVariableA("OVISTRA_SCREENSHOTS", folder, sizeof folder)) return;
        Sleep(1000);
        const auto crop = [](HWND window) {
            RECT r{};
            GetWindowRect(window, &r);
            return "-crop " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
                   std::to_string(r.left) + "+" + std::to_string(r.top);
        };
        const std::string shot = testing_support::unixTemporary("screen.png");
        const std::string border = " +repage -bordercolor '#303030' -border 12 \\) ";
        EXPECT_TRUE(runUnixCommand("import -window root " + shot + " && convert " + shot + " \\( -clone 0 " +
                                   crop(frame) + border + "\\( -clone 0 " + crop(main) + border +
                                   "-delete 0 -gravity north -background '#303030' +append " + std::string(folder) +
                                   "/" + name + " && rm " + shot));
    }
    static bool showsMotif(HWND window)
    {
        RECT rect{};
        GetWindowRect(window, &rect);
        const standin::PixelImage motif = live_testing::motif();
        for (int i = 0; i < 200; ++i) {
            if (standin::findTemplate(standin::captureScreen(rect), motif, 0, 0, false)) return true;
            Sleep(50);
        }
        return false;
    }
    static bool isRed(const standin::PixelImage& picture, int x, int y) { return picture.at(x, y) == 0xFF0000; }

    static bool registered;
    static OtherProcess* sample;
    static OtherProcess* program;
    HWND frame = nullptr;
    HWND main = nullptr;
    HWND pattern = nullptr;
    HWND buttons = nullptr;
};

bool LiveInspection::registered = false;
OtherProcess* LiveInspection::sample = nullptr;
OtherProcess* LiveInspection::program = nullptr;

TEST_F(LiveInspection, PollingNamesTheWindowUnderThePointer)
{
    clickStart();
    moveTo(centreOf(pattern));
    EXPECT_TRUE(waitForChildWithText(main, patternName));
    EXPECT_TRUE(waitForChildWithText(main, processName + "." + frameName + "." + patternName));
    EXPECT_TRUE(waitForChildWithText(main, "0"));

    // A disabled control is an object too; the count is among its kind.
    moveTo(centreOf(testing_support::childWithText(frame, "Disabled")));
    EXPECT_TRUE(waitForChildWithText(main, "Window(\"Button\", \"Disabled\", 3)"));

    moveTo(screenPoint(frame, 330, 165));
    EXPECT_TRUE(waitForChildWithText(main, frameName));
    EXPECT_TRUE(waitForChildWithText(main, processName + "." + frameName));
    EXPECT_TRUE(waitForChildWithText(main, "6"));
}

TEST_F(LiveInspection, ShowObjectPutsThePictureOnTheClipboardAtEachDepth)
{
    clickStart();
    moveTo(centreOf(pattern));
    clickControl("S&how Object");
    for (const auto& [caption, depth] : {std::pair{"&16", 4}, std::pair{"&256", 8}, std::pair{"&64K", 16},
                                         std::pair{"16&M", 24}, std::pair{"2^&32", 32}}) {
        SCOPED_TRACE(caption);
        clickControl(caption);
        moveTo(centreOf(pattern));
        BITMAPINFOHEADER header{};
        for (int i = 0; i < 1200 && header.biBitCount != depth; ++i) {
            Sleep(50);
            header = testing_support::clipboardBitmap();
        }
        const bool palette = IsClipboardFormatAvailable(CF_PALETTE);
        EXPECT_EQ(header.biBitCount, depth);
        EXPECT_EQ(header.biWidth, 200);
        EXPECT_EQ(header.biHeight, 150);
        EXPECT_EQ(palette, depth <= 8);
        // The viewer pane shows it: the sample's motif, whose colours every
        // depth keeps, is on the screen inside Ovistra's window.
        EXPECT_TRUE(showsMotif(main));
    }
}

TEST_F(LiveInspection, AFrozenPictureIsSavedSearchedAndMarked)
{
    clickStart();
    moveTo(centreOf(pattern));
    if (SendMessageA(testing_support::childWithText(main, "S&how Object"), BM_GETCHECK, 0, 0) != BST_CHECKED)
        clickControl("S&how Object");
    clickControl("16&M");
    moveTo(centreOf(pattern));
    ASSERT_TRUE(waitForChildWithText(main, patternName));
    screenshot("polling.png");
    clickStop();
    screenshot("frozen.png");
    const std::string frozen = testing_support::unixTemporary("frozen.bmp");
    saveFrozenPictureAs(testing_support::windowsPath(frozen));
    const standin::PixelImage saved = standin::loadBmpFile(testing_support::windowsPath(frozen));
    ASSERT_EQ(saved.width, 200);
    ASSERT_EQ(saved.height, 150);
    EXPECT_EQ(saved.at(40, 62), 0xFF0000u) << "the motif's red dot";

    // The second motif cut out; the first is the same picture.
    const std::string piece = testing_support::unixTemporary("piece.bmp");
    ASSERT_TRUE(runUnixCommand("convert " + frozen + " -crop 16x16+130+100 +repage -type TrueColor BMP3:" + piece));
    // The same piece on a green ground: found only with transparency.
    const std::string framed = testing_support::unixTemporary("framed.bmp");
    ASSERT_TRUE(runUnixCommand("convert " + frozen + " -crop 20x20+128+98 +repage -fill '#00FF00' -opaque '#C0C0C0'"
                               " -type TrueColor BMP3:" + framed));
    const std::string absent = testing_support::unixTemporary("absent.bmp");
    ASSERT_TRUE(runUnixCommand("convert -size 16x16 xc:'#FF8000' -fill '#800080' -draw 'point 3,3' -type TrueColor "
                               "BMP3:" + absent));
    const std::string corrupt = testing_support::windowsPath(testing_support::unixTemporary("corrupt.bmp"));
    std::ofstream(corrupt, std::ios::binary) << "BM not a bitmap at all";
    const std::string missing = testing_support::windowsPath(testing_support::unixTemporary("missing.bmp"));

    // From the top: the first motif.
    clickSearchRegion();
    answerFileDialog(testing_support::windowsPath(piece));
    screenshot("search-hit.png");
    // From a point of the picture past it: the second.
    clickControl("Use starting coord.?");
    clickAt(picturePoint(60, 70));
    clickSearchRegion();
    answerFileDialog(testing_support::windowsPath(piece));
    clickControl("Use starting coord.?");

    // Transparency is on by default; off, the green ground is not there.
    clickControl("Use transporent?");
    clickSearchRegion();
    answerFileDialog(testing_support::windowsPath(framed));
    clickControl("Use transporent?");
    clickSearchRegion();
    answerFileDialog(testing_support::windowsPath(framed));

    // A template that is nowhere: a beep, no box, nothing drawn.
    clickSearchRegion();
    answerFileDialog(testing_support::windowsPath(absent));
    clickSearchRegion();
    answerFileDialog(missing);
    // The error box ends the stand-in's message with a full stop.
    EXPECT_EQ(errorBoxText(), "Bitmap file not found: " + missing + ".");
    clickSearchRegion();
    answerFileDialog(corrupt);
    EXPECT_EQ(errorBoxText(), "Not a readable bitmap file: " + corrupt + ".");

    const std::string marked = testing_support::unixTemporary("marked.bmp");
    saveFrozenPictureAs(testing_support::windowsPath(marked));
    const standin::PixelImage result = standin::loadBmpFile(testing_support::windowsPath(marked));
    ASSERT_EQ(result.width, 200);
    // The outlines of the two hits of the piece, 16 x 16 ...
    for (auto [left, top] : {std::pair{30, 60}, std::pair{130, 100}}) {
        EXPECT_TRUE(isRed(result, left, top) && isRed(result, left + 16, top) && isRed(result, left, top + 16))
            << left << ", " << top;
    }
    // ... and of the framed piece with transparency, 20 x 20, from the top.
    EXPECT_TRUE(isRed(result, 28, 58) && isRed(result, 48, 58) && isRed(result, 28, 78));
    // The miss without transparency and the absent template drew nothing:
    // the ground left of the first hit is as it was.
    for (int y = 40; y < 150; ++y) EXPECT_EQ(result.at(5, y), saved.at(5, y)) << y;

    for (const std::string& file : {frozen, piece, framed, absent, marked})
        DeleteFileA(testing_support::windowsPath(file).c_str());
    DeleteFileA(corrupt.c_str());
}

} // namespace
