// The timer: ticks only while enabled with a handler and an interval, takes
// up a new interval, and reports a refused system timer.
#include "support/WindowTesting.h"
#include "toolkit/core/Error.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/Timer.h"

#include <gtest/gtest.h>

namespace {

using namespace toolkit;
using testing_support::pumpUntil;

TEST(Timer, TicksWhileEnabledWithAHandler)
{
    Form form(nullptr);
    auto* timer = new Timer(&form);
    int ticks = 0;
    timer->setInterval(20);
    EXPECT_FALSE(timer->armed());  // no handler yet
    timer->setOnTimer([&](Component&) { ++ticks; });
    EXPECT_TRUE(timer->armed());
    ASSERT_TRUE(pumpUntil([&] { return ticks >= 3; }));

    timer->setEnabled(false);
    EXPECT_FALSE(timer->armed());
    const int stopped = ticks;
    pumpUntil([] { return false; }, 200);
    EXPECT_EQ(ticks, stopped);

    timer->setInterval(0);
    timer->setEnabled(true);
    EXPECT_FALSE(timer->armed());
}

TEST(Timer, ARefusedSystemTimerRaisesNotEnoughTimers)
{
    Form form(nullptr);
    auto* timer = new Timer(&form);
    timer->setEnabled(false);
    timer->setOnTimer([](Component&) {});
    DestroyWindow(timer->handle());
    try {
        timer->setEnabled(true);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
    EXPECT_FALSE(timer->armed());
}

} // namespace

namespace {

TEST(Timer, TicksDueWhileTheHandlerWaitsInAModalLoopAreDropped)
{
    Form form(nullptr);
    auto* timer = new Timer(&form);
    int calls = 0, depth = 0, deepest = 0;
    timer->setInterval(10);
    timer->setOnTimer([&](Component&) {
        ++calls;
        deepest = std::max(deepest, ++depth);
        // Like a call to another process: messages keep flowing meanwhile.
        pumpUntil([] { return false; }, 150);
        --depth;
    });
    ASSERT_TRUE(pumpUntil([&] { return calls >= 3; }));
    timer->setEnabled(false);
    EXPECT_EQ(deepest, 1);
}

} // namespace
