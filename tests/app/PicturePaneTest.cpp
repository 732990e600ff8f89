// The picture pane of the real window: Stop freezes the clipboard's
// picture, presses and movements show in the readouts, and Save to File
// writes the picture.
#include "MainWindowFixture.h"

#include "support/WindowTesting.h"
#include "toolkit/system/Clipboard.h"

#include <fstream>

using namespace testing_support;

namespace {

void putRedBitmap(int width, int height)
{
    toolkit::OpenedClipboard clipboard;
    EmptyClipboard();
    toolkit::WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    {
        toolkit::MemoryDC dc(screen.get());
        toolkit::SelectGuard selected(dc.get(), bitmap);
        toolkit::Brush red(CreateSolidBrush(RGB(255, 0, 0)));
        RECT area{0, 0, width, height};
        FillRect(dc.get(), &area, red.get());
    }
    SetClipboardData(CF_BITMAP, bitmap);
}

void putText(const char* text)
{
    toolkit::OpenedClipboard clipboard;
    EmptyClipboard();
    const std::size_t size = strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
}

COLORREF pixelOf(const toolkit::Picture& picture, int x, int y)
{
    toolkit::MemoryDC dc(nullptr);
    toolkit::SelectGuard selected(dc.get(), picture.bitmap());
    return GetPixel(dc.get(), x, y);
}

std::string temporaryPath(const std::string& name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

bool fileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

class PicturePaneTest : public MainWindowTest {
protected:
    void startPolling() { form->StartBtnClick(*form->StartBtn); }
    void stop() { form->StopBtnClick(*form->StopBtn); }
    // The pane's window: the picture pane is drawn by its parent.
    HWND paneWindow() const { return form->Panel3->handle(); }
    POINT onPane(int x, int y) const { return {form->Image1->left() + x, form->Image1->top() + y}; }
};

TEST_F(PicturePaneTest, StopWithShowObjectFreezesTheClipboardsBitmapAndEndsPolling)
{
    form->CBShowObject->setChecked(true);
    startPolling();
    putRedBitmap(50, 30);
    stop();
    EXPECT_FALSE(form->Timer1->enabled());
    EXPECT_FALSE(form->ClipboardViewer1->visible());
    EXPECT_TRUE(form->Image1->visible());
    EXPECT_FALSE(form->StopBtn->grayedInactive());
    EXPECT_TRUE(form->StartBtn->grayedInactive());
    const toolkit::Picture& picture = form->Image1->picture();
    ASSERT_EQ(picture.kind(), toolkit::Picture::Kind::Bitmap);
    EXPECT_EQ(picture.width(), 50);
    EXPECT_EQ(picture.height(), 30);
    EXPECT_EQ(pixelOf(picture, 49, 29), RGB(255, 0, 0));
}

TEST_F(PicturePaneTest, StopWithOnlyTextOnTheClipboardFailsAndPollingGoesOn)
{
    form->CBShowObject->setChecked(true);
    startPolling();
    putText("no picture here");
    try {
        stop();
        FAIL() << "no error";
    } catch (const toolkit::Error& e) {
        EXPECT_STREQ(e.what(), "Invalid clipboard format");
    }
    EXPECT_TRUE(form->Timer1->enabled());
    EXPECT_TRUE(form->ClipboardViewer1->visible());
    EXPECT_FALSE(form->Image1->visible());
    // The buttons' looks changed before the failure.
    EXPECT_FALSE(form->StopBtn->grayedInactive());
    EXPECT_TRUE(form->Image1->picture().empty());
}

TEST_F(PicturePaneTest, StopWithoutShowObjectKeepsThePreviousPicture)
{
    form->CBShowObject->setChecked(true);
    putRedBitmap(20, 10);
    stop();
    form->CBShowObject->setChecked(false);
    startPolling();
    putRedBitmap(70, 70);
    stop();
    EXPECT_EQ(form->Image1->picture().width(), 20);
    EXPECT_FALSE(form->Timer1->enabled());
}

TEST_F(PicturePaneTest, PressesOfAnyButtonSetTheLastClickPointAndMovesOnlyThePointerReadout)
{
    stop();
    POINT at = onPane(37, 12);
    SendMessageA(paneWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(paneWindow(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(form->Label6->text(), "37, 12");
    EXPECT_EQ(module.lastClickX, 37);
    EXPECT_EQ(module.lastClickY, 12);
    EXPECT_EQ(form->Label5->text(), "--------");

    at = onPane(5, 8);
    SendMessageA(paneWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(form->Label5->text(), "5, 8");
    EXPECT_EQ(form->Label6->text(), "37, 12");
    EXPECT_EQ(module.lastClickX, 37);

    at = onPane(3, 4);
    SendMessageA(paneWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(form->Label6->text(), "3, 4");
    EXPECT_EQ(module.lastClickY, 4);
}

TEST_F(PicturePaneTest, TheRightButtonOpensThePictureMenuWhereItWasPressed)
{
    stop();
    const POINT at = onPane(30, 40);
    PopupMenuCloser closer;
    SendMessageA(paneWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(paneWindow(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(form->Label6->text(), "30, 40");
    POINT screen = at;
    ClientToScreen(paneWindow(), &screen);
    const RECT menu = closer.shownAt();
    EXPECT_EQ(menu.left, screen.x);
    EXPECT_EQ(menu.top, screen.y);
    ASSERT_EQ(form->PicturePopupMenu->items().size(), 1u);
    EXPECT_EQ(form->PicturePopupMenu->items()[0]->caption(), "Save to &File");
}

TEST_F(PicturePaneTest, WhileTheLeftButtonIsHeldMovesOutsideThePaneAreStillReported)
{
    stop();
    const POINT at = onPane(10, 10);
    SendMessageA(paneWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    const POINT outside = onPane(-7, 5000);
    SendMessageA(paneWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
    EXPECT_EQ(form->Label5->text(), "-7, 5000");
    SendMessageA(paneWindow(), WM_LBUTTONUP, 0, MAKELPARAM(outside.x, outside.y));
}

TEST_F(PicturePaneTest, TheSaveDialogAsksForBmpFilesAndReplacesWithoutAsking)
{
    EXPECT_EQ(form->SaveDialog1->filter(), "BMP|*.bmp");
    EXPECT_EQ(form->SaveDialog1->defaultExt(), "BMP");
    EXPECT_TRUE(form->SaveDialog1->initialDir().empty());
    EXPECT_EQ(form->SearchPictureDLG->filter(), "Bitmaps (*.bmp)|*.bmp");
}

// Save to File through the system's file dialog, answered as a user would.
class PicturePaneSaveTest : public PicturePaneTest {
protected:
    void SetUp() override
    {
        if (runsThroughEmulator()) GTEST_SKIP() << "the system's file dialog is unreliable under the emulator";
        PicturePaneTest::SetUp();
    }
    void save(const std::string& answer)
    {
        FileDialogAnswerer answerer({answer});
        form->SaveClick(*form->Save);
        EXPECT_TRUE(answerer.waitUntilAnswered(1));
        shown = answerer.shownNames();
    }
    std::vector<std::string> shown;
};

TEST_F(PicturePaneSaveTest, ANameWithoutExtensionGetsBmpAndAnOldFileIsReplaced)
{
    form->CBShowObject->setChecked(true);
    putRedBitmap(40, 25);
    stop();
    const std::string path = temporaryPath("ovistra-saved");
    std::ofstream(path + ".BMP") << "an older file";
    save(path);
    toolkit::BitmapHandle read(static_cast<HBITMAP>(
        LoadImageA(nullptr, (path + ".BMP").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_TRUE(read) << "not a BMP file: " << path << ".BMP";
    BITMAP description{};
    GetObjectA(read.get(), sizeof description, &description);
    EXPECT_EQ(description.bmWidth, 40);
    EXPECT_EQ(description.bmHeight, 25);
    toolkit::MemoryDC dc(nullptr);
    toolkit::SelectGuard selected(dc.get(), read.get());
    EXPECT_EQ(GetPixel(dc.get(), 20, 12), RGB(255, 0, 0));
    // The next dialog offers the name chosen last.
    save("");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("ovistra-saved"), std::string::npos) << shown[0];
    DeleteFileA((path + ".BMP").c_str());
}

TEST_F(PicturePaneSaveTest, AnEmptyPaneWritesNothingAndAPathThatCannotBeMadeIsNamed)
{
    const std::string emptyPath = temporaryPath("ovistra-empty.bmp");
    DeleteFileA(emptyPath.c_str());
    save(emptyPath);
    EXPECT_FALSE(fileExists(emptyPath));

    form->CBShowObject->setChecked(true);
    putRedBitmap(5, 5);
    stop();
    const std::string unreachable = temporaryPath("ovistra-no-such-folder\\picture.bmp");
    try {
        save(unreachable);
        ADD_FAILURE() << "no error";
    } catch (const toolkit::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + unreachable);
    }
    EXPECT_FALSE(fileExists(unreachable));
}

TEST_F(PicturePaneSaveTest, CancellingWritesNothing)
{
    form->CBShowObject->setChecked(true);
    putRedBitmap(5, 5);
    stop();
    const std::string path = temporaryPath("ovistra-cancelled.bmp");
    DeleteFileA(path.c_str());
    form->SaveDialog1->setFileName(path);
    save("");
    EXPECT_FALSE(fileExists(path));
}
