// The pane as a member of the clipboard-viewer chain, observed through
// real viewer windows of the test's own.
#include "ClipboardViewerFixture.h"

#include "support/ClipboardContent.h"

#include <atomic>
#include <functional>
#include <vector>

using namespace clipview;
using namespace testing_support;

namespace {

// A plain viewer window that records the chain messages it receives and
// passes them on as a well-behaved member does.
class RecordingViewer {
public:
    struct ChainChange {
        HWND leaving;
        HWND following;
    };

    explicit RecordingViewer(bool join)
    {
        static const ATOM windowClass = [] {
            WNDCLASSA description{};
            description.lpfnWndProc = procedure;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = "OvistraRecordingViewer";
            return RegisterClassA(&description);
        }();
        window_ = CreateWindowA(MAKEINTATOM(windowClass), "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        if (join) next_ = SetClipboardViewer(window_);
        joined_ = join;
    }
    ~RecordingViewer()
    {
        if (joined_) ChangeClipboardChain(window_, next_);
        DestroyWindow(window_);
    }

    HWND window() const { return window_; }
    HWND next() const { return next_; }
    const std::vector<ChainChange>& chainChanges() const { return chainChanges_; }
    int drawCount() const { return drawCount_; }
    std::function<void()> onDraw;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<RecordingViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_DRAWCLIPBOARD) {
            ++self->drawCount_;
            if (self->onDraw) self->onDraw();
            if (self->next_) SendMessageA(self->next_, message, wParam, lParam);
            return 0;
        }
        if (self && message == WM_CHANGECBCHAIN) {
            self->chainChanges_.push_back({reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam)});
            if (reinterpret_cast<HWND>(wParam) == self->next_)
                self->next_ = reinterpret_cast<HWND>(lParam);
            else if (self->next_)
                SendMessageA(self->next_, message, wParam, lParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_;
    HWND next_ = nullptr;
    bool joined_;
    std::vector<ChainChange> chainChanges_;
    int drawCount_ = 0;
};

int changesNaming(const RecordingViewer& viewer, HWND leaving)
{
    int count = 0;
    for (const auto& change : viewer.chainChanges())
        if (change.leaving == leaving) ++count;
    return count;
}

} // namespace

TEST_F(ClipboardViewerTest, ThePaneJoinsTheChainWhenItsWindowIsCreated)
{
    EXPECT_TRUE(viewer->joined());
    RecordingViewer later(true);
    EXPECT_EQ(later.next(), viewer->handle());
}

class ClipboardViewerChainTest : public ClipboardViewerTest {
protected:
    // A viewer that was in the chain before the pane: the pane's next.
    void SetUp() override
    {
        before = std::make_unique<RecordingViewer>(true);
        ClipboardViewerTest::SetUp();
    }
    void TearDown() override
    {
        ClipboardViewerTest::TearDown();
        before.reset();
    }
    std::unique_ptr<RecordingViewer> before;
};

TEST_F(ClipboardViewerChainTest, TheNextViewerHandlesAChangeBeforeThePaneRebuilds)
{
    ASSERT_EQ(viewer->nextViewer(), before->window());
    int changesSeenByNext = -1;
    before->onDraw = [&] { changesSeenByNext = changes; };
    fill("text first");
    fill("text second");
    EXPECT_GE(before->drawCount(), 2);
    // When the next viewer ran, the pane had not yet heard of the change.
    EXPECT_EQ(changesSeenByNext, changes - 1);
    EXPECT_NE(memo(), nullptr);
    EXPECT_EQ(memoText(), L"second");
}

TEST_F(ClipboardViewerChainTest, AChainChangeNamingTheNextViewerIsTakenOverAndNotPassedOn)
{
    RecordingViewer successor(false);
    SendMessageA(viewer->handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(before->window()),
                 reinterpret_cast<LPARAM>(successor.window()));
    EXPECT_EQ(viewer->nextViewer(), successor.window());
    EXPECT_TRUE(before->chainChanges().empty());
    EXPECT_TRUE(successor.chainChanges().empty());

    // Any other change goes on to the (new) next viewer unchanged.
    HWND someone = reinterpret_cast<HWND>(0x1234), follower = reinterpret_cast<HWND>(0x5678);
    SendMessageA(viewer->handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(someone),
                 reinterpret_cast<LPARAM>(follower));
    EXPECT_EQ(viewer->nextViewer(), successor.window());
    ASSERT_EQ(successor.chainChanges().size(), 1u);
    EXPECT_EQ(successor.chainChanges()[0].leaving, someone);
    EXPECT_EQ(successor.chainChanges()[0].following, follower);
    // Back as it was, so the pane leaves the real chain correctly.
    SendMessageA(viewer->handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(successor.window()),
                 reinterpret_cast<LPARAM>(before->window()));
}

TEST_F(ClipboardViewerChainTest, DestroyedByTheToolkitThePaneLeavesOnceNamingItsNextViewer)
{
    RecordingViewer head(true);
    HWND pane = viewer->handle();
    ASSERT_EQ(head.next(), pane);
    delete viewer;
    viewer = nullptr;
    ASSERT_EQ(changesNaming(head, pane), 1);
    EXPECT_EQ(head.chainChanges().back().following, before->window());
    EXPECT_EQ(head.next(), before->window());
    form.reset();
    EXPECT_EQ(changesNaming(head, pane), 1);
}

TEST_F(ClipboardViewerChainTest, DestroyedByTheSystemWithItsParentThePaneLeavesOnceNamingItsNextViewer)
{
    RecordingViewer head(true);
    HWND pane = viewer->handle();
    DestroyWindow(form->handle());
    ASSERT_EQ(changesNaming(head, pane), 1);
    EXPECT_EQ(head.chainChanges().back().following, before->window());
    EXPECT_FALSE(viewer->joined());
    EXPECT_EQ(viewer->nextViewer(), nullptr);
    // The toolkit's own destruction afterwards does not leave again.
    form.reset();
    EXPECT_EQ(changesNaming(head, pane), 1);
}

namespace {

// A viewer on a thread of its own that joins the chain and then answers no
// message for a while (it waits without pumping), then pumps until it goes.
class ViewerThatStalls {
public:
    explicit ViewerThatStalls(DWORD stallMs) : stallMs_(stallMs)
    {
        thread_ = CreateThread(nullptr, 0, &ViewerThatStalls::run, this, 0, nullptr);
        // Joining sends the change to the viewers after it, the pane too.
        pumpUntil([&] { return joined_.load(); });
    }
    ~ViewerThatStalls()
    {
        SetEvent(stop_);
        pumpUntil([&] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; });
        for (HANDLE handle : {thread_, stop_}) CloseHandle(handle);
    }
    ViewerThatStalls(const ViewerThatStalls&) = delete;
    ViewerThatStalls& operator=(const ViewerThatStalls&) = delete;

    HWND window() const { return window_.load(); }
    int drawCount() const { return draws_.load(); }

private:
    static DWORD WINAPI run(void* self)
    {
        auto& stalling = *static_cast<ViewerThatStalls*>(self);
        RecordingViewer viewer(true);
        viewer.onDraw = [&] { ++stalling.draws_; };
        stalling.window_ = viewer.window();
        stalling.joined_ = true;
        WaitForSingleObject(stalling.stop_, stalling.stallMs_);
        while (MsgWaitForMultipleObjects(1, &stalling.stop_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
        return 0;
    }

    DWORD stallMs_;
    HANDLE stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> joined_{false};
    std::atomic<int> draws_{0};
};

} // namespace

TEST_F(ClipboardViewerTest, ANextViewerThatAnswersNothingNeitherHoldsThePaneNorLosesTheChange)
{
    ViewerThatStalls stalling(5000);
    const int drawsOnJoining = stalling.drawCount();
    auto* pane = new TClipboardViewer(form.get());
    pane->setBounds(220, 10, 150, 150);
    pane->setParent(form.get());
    pane->show();
    ASSERT_EQ(pane->nextViewer(), stalling.window());

    const DWORD start = GetTickCount();
    putTextOnClipboard("past a stalled viewer");
    const auto shown = [&] {
        auto* memo = dynamic_cast<toolkit::Memo*>(pane->contentControl());
        return memo && memo->wideText() == L"past a stalled viewer";
    };
    ASSERT_TRUE(pumpUntil(shown, 30000));
    EXPECT_LT(GetTickCount() - start, 2500u) << "the pane waited for the stalled viewer";
    // Once it answers again the stalled viewer has the change too, and
    // passes it on to the viewers after it.
    EXPECT_TRUE(pumpUntil([&] { return stalling.drawCount() > drawsOnJoining; }, 30000));
    delete pane;
}
