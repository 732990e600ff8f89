// The main window's clipboard viewer pane follows the clipboard.
#include "MainWindowFixture.h"

#include "support/WindowTesting.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Image.h"

using namespace testing_support;

namespace {

void putBitmap(HWND owner, int width, int height)
{
    toolkit::OpenedClipboard clipboard(owner);
    EmptyClipboard();
    toolkit::WindowDC screen(nullptr);
    SetClipboardData(CF_BITMAP, CreateCompatibleBitmap(screen.get(), width, height));
}

} // namespace

TEST_F(MainWindowTest, TheViewerPaneIsInTheChainAndTakesTheSizeOfThePicture)
{
    clipview::TClipboardViewer& pane = *form->ClipboardViewer1;
    EXPECT_TRUE(pane.joined());
    EXPECT_TRUE(pane.autoSize());

    putBitmap(form->handle(), 90, 60);
    ASSERT_TRUE(pumpUntil([&] { return dynamic_cast<toolkit::Image*>(pane.contentControl()) != nullptr; }));
    RECT area;
    GetClientRect(pane.handle(), &area);
    EXPECT_EQ(area.right, 90);
    EXPECT_EQ(area.bottom, 60);
    EXPECT_EQ(pane.ViewFormat(), clipview::cvDefault);
}
