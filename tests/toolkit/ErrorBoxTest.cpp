// Errors raised in handlers reach the standard error box through the one
// guarded dispatch, and the window stays usable.
#include "support/WindowTesting.h"
#include "toolkit/controls/Buttons.h"
#include "toolkit/core/Error.h"
#include "toolkit/forms/Application.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/Timer.h"

#include <gtest/gtest.h>

namespace {

using namespace toolkit;
using testing_support::MessageBoxWatcher;
using testing_support::pumpUntil;

TEST(ErrorBoxText, AddsAFullStopAfterCharactersAboveIt)
{
    const struct {
        const char* message;
        const char* shown;
    } rows[] = {
        {"Cannot open clipboard", "Cannot open clipboard."},
        {"Ends with a stop.", "Ends with a stop."},
        {"Question?", "Question?."},
        {"Line ends 5", "Line ends 5."},
        {"Comma,", "Comma,"},
        {"Dash -", "Dash -"},
        {"Slash/", "Slash/."},
        {"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_EQ(errorBoxText(row.message), row.shown);
    }
}

TEST(ErrorBox, AnErrorInAClickHandlerIsShownAndTheWindowStaysUsable)
{
    Form form(nullptr);
    auto* box = new CheckBox(&form);
    box->setParent(&form);
    box->setBounds(10, 10, 100, 20);
    int clicks = 0;
    box->onClick = [&](Component&) {
        ++clicks;
        if (clicks == 1) throw Error("Method 'Frobnicate' not supported by automation object");
    };
    form.show();

    MessageBoxWatcher watcher(Application::instance()->title());
    SendMessageA(box->handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return watcher.count() == 1; }));
    EXPECT_EQ(watcher.texts()[0], "Method 'Frobnicate' not supported by automation object.");
    // The handler had already changed the state when it failed.
    EXPECT_TRUE(box->checked());

    SendMessageA(box->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(box->checked());
    EXPECT_EQ(watcher.count(), 1u);
}

TEST(ErrorBox, CaptionIsTheProgramFileNameWithoutExtension)
{
    EXPECT_EQ(Application::instance()->title(), "toolkit_tests");
}

TEST(ErrorBox, AnErrorInATimerHandlerIsShownOnce)
{
    Form form(nullptr);
    auto* timer = new Timer(&form);
    int ticks = 0;
    timer->setInterval(10);
    timer->setOnTimer([&](Component&) {
        ++ticks;
        timer->setEnabled(false);
        throw std::runtime_error("Invalid variant type conversion");
    });
    MessageBoxWatcher watcher(Application::instance()->title());
    ASSERT_TRUE(pumpUntil([&] { return watcher.count() == 1; }));
    EXPECT_EQ(watcher.texts()[0], "Invalid variant type conversion.");
    EXPECT_EQ(ticks, 1);
}

} // namespace
