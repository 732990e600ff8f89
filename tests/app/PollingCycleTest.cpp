// One polling cycle of the real window against the recording server: the
// exact calls in order, the colour depth, the edits and the current object
// after each kind of failure, and error boxes that never pile up.
#include "MainWindowFixture.h"
#include "support/RecordingServer.h"
#include "support/WindowTesting.h"
#include "toolkit/forms/Application.h"

#include <gtest/gtest.h>

namespace {

using namespace toolkit;
using testing_support::MessageBoxWatcher;
using testing_support::pumpUntil;
using testing_support::RecordedCall;

struct ExpectedCall {
    const char* object;
    const char* member;
    WORD flags;
    std::vector<VARTYPE> types;
    bool resultSlot;
};

constexpr WORD read = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

const std::vector<ExpectedCall> textCalls{
    {"application", "Manager", read, {}, true},  {"manager", "Sys", read, {}, true},
    {"system", "MouseY", read, {}, true},        {"application", "Manager", read, {}, true},
    {"manager", "Sys", read, {}, true},          {"system", "MouseX", read, {}, true},
    {"application", "Manager", read, {}, true},  {"manager", "Sys", read, {}, true},
    {"system", "ObjectFromPoint", DISPATCH_METHOD, {VT_I4, VT_I4}, true},
    {"screen object", "Name", read, {}, true},   {"screen object", "FullName", read, {}, true},
    {"screen object", "ChildCount", read, {}, true},
};

const std::vector<ExpectedCall> pictureCalls{
    {"application", "Manager", read, {}, true},
    {"manager", "State", DISPATCH_PROPERTYPUT, {VT_I4}, false},
    {"application", "Manager", read, {}, true},
    {"manager", "Regions", read, {}, true},
    {"regions", "SaveToClipboard", DISPATCH_METHOD, {VT_BYREF | VT_VARIANT, VT_BYREF | VT_I4}, false},
    {"application", "Manager", read, {}, true},
    {"manager", "State", DISPATCH_PROPERTYPUT, {VT_I4}, false},
};

void expectCalls(const std::vector<RecordedCall>& calls, const std::vector<ExpectedCall>& expected)
{
    ASSERT_EQ(calls.size(), expected.size());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "call " << i << ": " << expected[i].member);
        EXPECT_EQ(calls[i].object, expected[i].object);
        EXPECT_EQ(calls[i].member, expected[i].member);
        EXPECT_EQ(calls[i].flags, expected[i].flags);
        EXPECT_EQ(calls[i].locale, 0u);
        EXPECT_EQ(calls[i].argumentTypes, expected[i].types);
        EXPECT_EQ(calls[i].resultSlot, expected[i].resultSlot);
        const bool write = expected[i].flags == DISPATCH_PROPERTYPUT;
        EXPECT_EQ(calls[i].named, write ? std::vector<DISPID>{DISPID_PROPERTYPUT} : std::vector<DISPID>{});
    }
}

using PollingCycleTest = MainWindowWithServerTest;

TEST_F(PollingCycleTest, WithoutShowObjectTheCycleReadsTheObjectUnderThePointer)
{
    cycle();
    expectCalls(server.calls, textCalls);
    EXPECT_EQ(server.objectFromPointArguments, (std::vector<long>{120, 45}));  // X first, then Y
    EXPECT_EQ(form->Edit1->text(), server.name);
    EXPECT_EQ(form->Edit2->text(), server.fullName);
    EXPECT_EQ(form->Edit3->text(), "7");
    EXPECT_EQ(module.currentObject.type(), VT_DISPATCH);
    // The current object is all the cycle keeps.
    EXPECT_EQ(server.liveObjects(), 2);
}

TEST_F(PollingCycleTest, WithShowObjectItAlsoHasThePictureSavedAtTheColourDepth)
{
    form->CBShowObject->setChecked(true);
    const std::pair<RadioButton*, long> rows[] = {{nullptr, 0},          {form->Color16, 4},   {form->Color256, 8},
                                                  {form->Color64K, 16},  {form->Color16M, 24}, {form->Color32bit, 32}};
    for (const auto& [button, depth] : rows) {
        SCOPED_TRACE(depth);
        if (button) button->setChecked(true);
        server.calls.clear();
        server.savedDepths.clear();
        server.states.clear();
        cycle();
        std::vector<ExpectedCall> expected = textCalls;
        expected.insert(expected.end(), pictureCalls.begin(), pictureCalls.end());
        expectCalls(server.calls, expected);
        EXPECT_EQ(server.savedDepths, (std::vector<long>{depth}));
        EXPECT_EQ(server.states, (std::vector<long>{4, 0}));
    }
}

TEST_F(PollingCycleTest, AFailureLeavesWhatTheStepsBeforeItWrote)
{
    cycle();
    const std::string name = server.name, fullName = server.fullName;

    server.name = "Second";
    server.fullName = "Second full";
    server.unknownMember = "FullName";
    EXPECT_EQ(cycleError(), "Method 'FullName' not supported by automation object");
    EXPECT_EQ(form->Edit1->text(), "Second");
    EXPECT_EQ(form->Edit2->text(), fullName);
    EXPECT_EQ(module.currentObject.type(), VT_DISPATCH);

    server.unknownMember.clear();
    server.failMember = "MouseX";
    EXPECT_EQ(cycleError(), "The test tool is busy");
    EXPECT_EQ(module.currentObject.type(), VT_I4);
    EXPECT_EQ(module.currentObject.value().lVal, 0);
    EXPECT_EQ(form->Edit1->text(), "Second");

    server.failMember = "SaveToClipboard";
    form->CBShowObject->setChecked(true);
    server.states.clear();
    EXPECT_EQ(cycleError(), "The test tool is busy");
    EXPECT_EQ(server.states, (std::vector<long>{4}));
    EXPECT_EQ(server.liveObjects(), 2);
}

TEST_F(PollingCycleTest, ValuesThatCannotBeUsedEndTheCycleWithTheirError)
{
    VariantClear(&server.childCount);
    server.childCount.vt = VT_BSTR;
    server.childCount.bstrVal = SysAllocString(L"many");
    EXPECT_EQ(cycleError(), "Invalid variant type conversion");
    EXPECT_EQ(form->Edit2->text(), server.fullName);

    server.objectFromPointGivesInteger = true;
    EXPECT_EQ(cycleError(), "Variant does not reference an automation object");
    EXPECT_EQ(module.currentObject.type(), VT_I4);
}

TEST_F(PollingCycleTest, EveryTickOfTheRefreshTimerRunsACycle)
{
    const auto cycles = [&] {
        return std::count_if(server.calls.begin(), server.calls.end(),
                             [](const RecordedCall& c) { return c.member == "ChildCount"; });
    };
    form->SpinEdit1->setValue(200);
    form->StartBtn->click();
    EXPECT_TRUE(pumpUntil([&] { return cycles() >= 3; }));
    form->SpinEdit1->setValue(300);
    const auto stopped = cycles();
    pumpUntil([] { return false; }, 600);
    EXPECT_EQ(cycles(), stopped);
}

TEST_F(PollingCycleTest, ErrorBoxesOfFailingTicksComeOneAtATime)
{
    server.failMember = "MouseY";
    MessageBoxWatcher watcher(Application::instance()->title(), 800);
    form->SpinEdit1->setValue(200);
    form->StartBtn->click();
    const auto cyclesStarted = [&] {
        return std::count_if(server.calls.begin(), server.calls.end(),
                             [](const RecordedCall& c) { return c.member == "MouseY"; });
    };
    ASSERT_TRUE(pumpUntil([&] { return watcher.count() >= 3; }, 120000));
    // Every cycle that started ended in a box; none started while one was
    // open, though ticks were due all the time.
    EXPECT_LE(cyclesStarted(), static_cast<long>(watcher.count()) + 1);
    EXPECT_TRUE(form->Timer1->armed());
    for (const std::string& text : watcher.texts()) EXPECT_EQ(text, "The test tool is busy.");
    form->SpinEdit1->setValue(300);
    EXPECT_FALSE(form->Timer1->armed());
}

} // namespace
