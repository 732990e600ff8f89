// Start, the refresh time and Show Object on the real window: Idle,
// Polling and Paused, driven by real clicks, keys and typing.
#include "MainWindowFixture.h"
#include "support/UnixCommand.h"
#include "support/WindowTesting.h"
#include "toolkit/forms/Application.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

using namespace toolkit;
using testing_support::clickAt;
using testing_support::MessageBoxWatcher;
using testing_support::pressKey;
using testing_support::pumpUntil;
using testing_support::typeText;

class PollingTest : public MainWindowTest {
protected:
    void clickStart() { clickAt(form->Panel4->handle(), 4 + 28, 20 + 15); }
    bool polling() const { return form->Timer1->armed() && form->Timer1->enabled(); }
    bool viewerShown() const { return IsWindowVisible(form->ClipboardViewer1->handleIfCreated()) != FALSE; }
};

TEST_F(PollingTest, StartArmsTheTimerWithTheFieldsIntervalAndSwitchesPanes)
{
    EXPECT_EQ(form->StartBtn->glyphLook(), SpeedButton::GlyphLook::Grayed);
    clickStart();
    EXPECT_TRUE(polling());
    EXPECT_EQ(form->Timer1->interval(), 2000);
    EXPECT_TRUE(viewerShown());
    EXPECT_FALSE(form->Image1->visible());
    EXPECT_FALSE(form->StartBtn->grayedInactive());
    EXPECT_TRUE(form->StopBtn->grayedInactive());

    // Again: still one timer, with the field's interval.
    form->SpinEdit1->setValue(3000);
    EXPECT_FALSE(polling());
    clickStart();
    clickStart();
    EXPECT_TRUE(polling());
    EXPECT_EQ(form->Timer1->interval(), 3000);
}

TEST_F(PollingTest, EveryPathThatChangesTheRefreshTimeDisarmsTheTimerAndNothingElse)
{
    HWND spin = form->SpinEdit1->handle();
    RECT arrows;
    GetClientRect(form->SpinEdit1->arrows(), &arrows);
    const struct {
        const char* path;
        std::function<void()> change;
    } rows[] = {
        {"typing", [&] { typeText(spin, "5"); }},
        {"up key", [&] { pressKey(spin, VK_UP); }},
        {"down key", [&] { pressKey(spin, VK_DOWN); }},
        {"up arrow", [&] { clickAt(form->SpinEdit1->arrows(), arrows.right / 2, arrows.bottom / 4); }},
        {"Show Object", [&] { SendMessageA(form->CBShowObject->handle(), BM_CLICK, 0, 0); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        form->SpinEdit1->setValue(1000);
        clickStart();
        ASSERT_TRUE(polling());
        row.change();
        EXPECT_FALSE(polling());
        EXPECT_TRUE(viewerShown());
        EXPECT_FALSE(form->Image1->visible());
        EXPECT_FALSE(form->StartBtn->grayedInactive());
        EXPECT_TRUE(form->StopBtn->grayedInactive());
    }
}

TEST_F(PollingTest, ShowObjectSetsTheRefreshTime)
{
    clickStart();
    // Checked while the field shows 2000: nothing changes, polling goes on.
    SendMessageA(form->CBShowObject->handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(form->CBShowObject->checked());
    EXPECT_EQ(form->SpinEdit1->text(), "2000");
    EXPECT_TRUE(polling());

    // Unchecked: 200, and polling stops.
    SendMessageA(form->CBShowObject->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->SpinEdit1->text(), "200");
    EXPECT_FALSE(polling());

    // Set by the program at another value: 2000.
    form->SpinEdit1->setValue(4321);
    form->CBShowObject->setChecked(true);
    EXPECT_EQ(form->SpinEdit1->text(), "2000");
}

TEST_F(PollingTest, StartBringsATypedValueIntoRange)
{
    const struct {
        const char* typed;
        int interval;
    } rows[] = {{"50", 200}, {"0", 200}, {"-7", 200}, {"99999", 10000}, {"abc", 200}, {"", 200}, {"1234", 1234}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        SetWindowTextA(form->SpinEdit1->handle(), row.typed);
        clickStart();
        EXPECT_TRUE(polling());
        EXPECT_EQ(form->Timer1->interval(), row.interval);
        // The field keeps what was typed until it loses the focus.
        EXPECT_EQ(form->SpinEdit1->text(), row.typed);
    }
}

TEST_F(PollingTest, ARefusedTimerShowsTheErrorAndLeavesThePanes)
{
    form->Image1->show();
    DestroyWindow(form->Timer1->handle());
    MessageBoxWatcher watcher(Application::instance()->title());
    clickStart();
    ASSERT_TRUE(pumpUntil([&] { return watcher.count() == 1; }));
    EXPECT_EQ(watcher.texts()[0], "Not enough timers available.");
    EXPECT_FALSE(form->Timer1->armed());
    EXPECT_TRUE(form->Image1->visible());
}

} // namespace

namespace {

// Presses Pause through the X server, as a person would, while the pointer
// rests on a window of its own that has the focus.
class PauseKeyTest : public PollingTest {
protected:
    void SetUp() override
    {
        if (!testing_support::hasUnixCommand("xdotool")) GTEST_SKIP() << "xdotool is needed on the Linux side";
        PollingTest::SetUp();
        other = std::make_unique<Form>(nullptr);
        other->setBounds(700, 400, 200, 120);
        other->show();
        POINT middle{100, 60};
        ClientToScreen(other->handle(), &middle);
        ASSERT_TRUE(testing_support::runUnixCommand("xdotool mousemove " + std::to_string(middle.x) + " " +
                                                    std::to_string(middle.y)));
        SetForegroundWindow(other->handle());
        ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == other->handle(); }, 10000));
    }
    void TearDown() override
    {
        other.reset();
        PollingTest::TearDown();
    }
    void pressPause() { ASSERT_TRUE(testing_support::runUnixCommand("xdotool key Pause")); }

    std::unique_ptr<Form> other;
};

} // namespace

TEST_F(PauseKeyTest, PauseStartsPollingThenStopsItWhileAnotherWindowHasTheFocus)
{
    ASSERT_TRUE(form->pauseKey().registered());
    ASSERT_FALSE(polling());
    pressPause();
    ASSERT_TRUE(pumpUntil([&] { return polling(); }, 10000)) << "Pause did not start polling";
    // What Start does.
    EXPECT_EQ(form->Timer1->interval(), 2000);
    EXPECT_TRUE(viewerShown());
    EXPECT_FALSE(form->Image1->visible());
    EXPECT_FALSE(form->StartBtn->grayedInactive());
    EXPECT_EQ(GetForegroundWindow(), other->handle()) << "the focus stays where it was";

    pressPause();
    ASSERT_TRUE(pumpUntil([&] { return !polling(); }, 10000)) << "Pause did not stop polling";
    // What Stop does.
    EXPECT_FALSE(viewerShown());
    EXPECT_TRUE(form->Image1->visible());
    EXPECT_TRUE(form->StartBtn->grayedInactive());
    EXPECT_FALSE(form->StopBtn->grayedInactive());
}

TEST_F(PollingTest, APauseKeyHeldElsewhereLeavesTheWindowWorkingWithoutABox)
{
    // The fixture's window holds the key: a second main window cannot have
    // it, and comes up all the same.
    ASSERT_TRUE(form->pauseKey().registered());
    MessageBoxWatcher boxes(Application::instance()->title());
    app::MainModule secondModule;
    app::TForm1 second(nullptr, secondModule);
    second.show();
    testing_support::pumpPending();
    EXPECT_FALSE(second.pauseKey().registered());
    EXPECT_EQ(boxes.count(), 0u);
    second.StartBtnClick(*second.StartBtn);
    EXPECT_TRUE(second.Timer1->enabled());
    // The key is released with the window that held it.
    form.reset();
    HotKey probe(7, 0, VK_PAUSE);
    EXPECT_TRUE(probe.registerFor(second.handle()));
}
