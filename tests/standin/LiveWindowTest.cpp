// The live test tool's on-screen objects: real windows of this process,
// named, counted and found under points of the screen as a tester reads
// them, and refused once gone.
#include "LiveFixture.h"
#include "LiveWindow.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using live_testing::PaintedWindow;
using standin::LiveWindow;

class LiveWindowTest : public ::testing::Test {
protected:
    LiveWindowTest() : window(live_testing::groundWithMotifs(240, 160, 0xC0C0C0, {}), 300, 200, L"Say \"hi\"") {}

    POINT onScreen(HWND child, int x, int y) const
    {
        POINT point{x, y};
        ClientToScreen(child, &point);
        return point;
    }

    PaintedWindow window;
};

TEST_F(LiveWindowTest, NamesCountSameClassSiblingsAndDoubleTheCaptionsQuotes)
{
    const HWND first = window.addChild(L"BUTTON", L"First", 10, 10, 80, 24, WS_VISIBLE);
    const HWND second = window.addChild(L"BUTTON", L"Second", 10, 40, 80, 24, WS_VISIBLE);
    const HWND label = window.addChild(L"STATIC", L"", 10, 70, 120, 40, WS_VISIBLE);
    window.addChild(L"EDIT", L"inner", 4, 4, 60, 20, WS_VISIBLE, label);
    window.show();

    EXPECT_EQ(LiveWindow(first).name(), L"Window(\"Button\", \"First\", 1)");
    EXPECT_EQ(LiveWindow(second).name(), L"Window(\"Button\", \"Second\", 2)");
    EXPECT_EQ(LiveWindow(label).name(), L"Window(\"Static\", \"\", 1)");
    EXPECT_EQ(LiveWindow(window.handle()).name(), L"Window(\"OvistraLiveTestWindow\", \"Say \"\"hi\"\"\", 1)");
    EXPECT_EQ(LiveWindow(second).fullName(), L"Sys.Process(\"standin_live_tests\")"
                                             L".Window(\"OvistraLiveTestWindow\", \"Say \"\"hi\"\"\", 1)"
                                             L".Window(\"Button\", \"Second\", 2)");
    // Direct children only: the edit inside the label is the label's.
    EXPECT_EQ(LiveWindow(window.handle()).childCount(), 3);
    EXPECT_EQ(LiveWindow(label).childCount(), 1);
    EXPECT_EQ(LiveWindow(first).childCount(), 0);
}

TEST_F(LiveWindowTest, TheDeepestVisibleWindowUnderAPointIsTheObject)
{
    const HWND disabled = window.addChild(L"BUTTON", L"Off", 10, 10, 80, 24, WS_VISIBLE | WS_DISABLED);
    const HWND hidden = window.addChild(L"BUTTON", L"Hidden", 10, 40, 80, 24);
    const HWND panel = window.addChild(L"STATIC", L"", 100, 10, 120, 100, WS_VISIBLE);
    const HWND inner = window.addChild(L"EDIT", L"inner", 10, 10, 60, 20, WS_VISIBLE, panel);
    window.show();

    // Disabled windows are objects too, though the system's own search
    // passes over them.
    EXPECT_EQ(LiveWindow::at(onScreen(disabled, 5, 5)).handle(), disabled);
    EXPECT_EQ(LiveWindow::at(onScreen(hidden, 5, 5)).handle(), window.handle());
    EXPECT_EQ(LiveWindow::at(onScreen(inner, 5, 5)).handle(), inner);
    EXPECT_EQ(LiveWindow::at(onScreen(panel, 100, 90)).handle(), panel);
    EXPECT_EQ(LiveWindow::at(onScreen(window.handle(), 230, 150)).handle(), window.handle());
}

TEST_F(LiveWindowTest, AnObjectWhoseWindowIsGoneSaysSoForEveryMember)
{
    const HWND button = window.addChild(L"BUTTON", L"Going", 10, 10, 80, 24, WS_VISIBLE);
    const LiveWindow object(button);
    EXPECT_EQ(object.name(), L"Window(\"Button\", \"Going\", 1)");
    DestroyWindow(button);
    const auto expectGone = [](const auto& call) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "The window of this object no longer exists");
        }
    };
    expectGone([&] { object.name(); });
    expectGone([&] { object.fullName(); });
    expectGone([&] { object.childCount(); });
    expectGone([&] { object.screenRect(); });
}

} // namespace
