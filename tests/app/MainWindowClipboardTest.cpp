// The main window's clipboard viewer pane follows the clipboard.
#include "MainWindowFixture.h"

#include "support/ClipboardContent.h"
#include "support/WindowTesting.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/system/Clipboard.h"

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

namespace {

// A thread that puts text on the clipboard through a window of its own and
// then waits without pumping messages until it is released: a message
// sent to its window is never answered while it waits.
class ThreadThatNeverPumps {
public:
    explicit ThreadThatNeverPumps(const char* text)
        : text_(text), released_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          placed_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          thread_(CreateThread(nullptr, 0, &ThreadThatNeverPumps::run, this, 0, nullptr))
    {
        // Emptying the clipboard sends WM_DESTROYCLIPBOARD to its previous
        // owner, which may be a window of this thread: serve it meanwhile.
        pumpUntil([&] { return WaitForSingleObject(placed_, 0) == WAIT_OBJECT_0; }, 30000);
    }
    ~ThreadThatNeverPumps()
    {
        SetEvent(released_);
        pumpUntil([&] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }, 30000);
        WaitForSingleObject(thread_, INFINITE);
        for (HANDLE handle : {thread_, placed_, released_}) CloseHandle(handle);
    }
    ThreadThatNeverPumps(const ThreadThatNeverPumps&) = delete;
    ThreadThatNeverPumps& operator=(const ThreadThatNeverPumps&) = delete;

private:
    static DWORD WINAPI run(void* self)
    {
        auto& owner = *static_cast<ThreadThatNeverPumps*>(self);
        const HWND window = CreateWindowExA(0, "STATIC", "never pumps", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                            nullptr, nullptr);
        try {
            putTextOnClipboard(owner.text_, window);
        } catch (...) {
            // The pane then never shows the text, which the test reports.
        }
        SetEvent(owner.placed_);
        WaitForSingleObject(owner.released_, INFINITE);
        DestroyWindow(window);
        return 0;
    }

    const char* text_;
    HANDLE released_, placed_, thread_;
};

} // namespace

TEST_F(MainWindowTest, ThePaneFollowsAChangeByAThreadThatNeverPumpsWithoutWaitingOnIt)
{
    clipview::TClipboardViewer& pane = *form->ClipboardViewer1;
    const DWORD start = GetTickCount();
    ThreadThatNeverPumps owner("placed by a thread that never pumps");
    const auto shown = [&] {
        auto* memo = dynamic_cast<toolkit::Memo*>(pane.contentControl());
        return memo && memo->wideText() == L"placed by a thread that never pumps";
    };
    ASSERT_TRUE(pumpUntil(shown, 30000));
    // The system gives up on a thread that does not answer after 5 s; a
    // pane that waited on the owner shows the text only then.
    EXPECT_LT(GetTickCount() - start, 2500u) << "the pane waited on the clipboard owner's thread";
}
