// Automation values: kinds, conversions through the system's variant
// conversion, and the Dispatch object they hold.
#include "automation/OleErrors.h"
#include "automation/OleVariant.h"
#include "automation/QuorvexClient.h"
#include "support/RecordingServer.h"

#include <gtest/gtest.h>

namespace {

using namespace automation;

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(OleVariant, HoldsTheKindsThatOccur)
{
    EXPECT_EQ(OleVariant().type(), VT_EMPTY);
    EXPECT_EQ(OleVariant::integer(-5).value().lVal, -5);
    EXPECT_EQ(OleVariant::text("abc").type(), VT_BSTR);
    EXPECT_EQ(OleVariant::boolean(true).value().boolVal, -1);
    EXPECT_EQ(OleVariant::boolean(false).value().boolVal, 0);
}

TEST(OleVariant, ConvertsToTextAndInteger)
{
    EXPECT_EQ(OleVariant::integer(7).toText(), "7");
    EXPECT_EQ(OleVariant::text("123").toInteger(), 123);
    EXPECT_EQ(OleVariant::text("Window(\"Edit\")").toText(), "Window(\"Edit\")");
    EXPECT_EQ(OleVariant().toText(), "");
    EXPECT_EQ(errorOf([] { OleVariant::text("seven").toInteger(); }), "Invalid variant type conversion");
    EXPECT_EQ(errorOf([] { OleVariant::text("99999999999").toInteger(); }), "Invalid variant type conversion");
    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;
    const OleVariant nullValue = OleVariant::adopt(null);
    EXPECT_EQ(errorOf([&] { nullValue.toText(); }), "Invalid variant type conversion");
}

TEST(OleVariant, OnlyADispatchObjectIsAnAutomationObject)
{
    EXPECT_EQ(errorOf([] { OleVariant::integer(0).dispatchObject(); }),
              "Variant does not reference an automation object");
    EXPECT_EQ(errorOf([] { OleVariant::text("x").dispatchObject(); }), "Variant does not reference an automation object");
    // An empty reference fails like a failed call instead of being read.
    const OleVariant empty = OleVariant::dispatch({});
    EXPECT_THROW(empty.dispatchObject(), OleSystemError);
}

TEST(OleVariant, CopiesShareTheObjectAndReleaseIt)
{
    testing_support::RecordingServer server;
    server.run();
    {
        OleVariant app = QuorvexApp();
        OleVariant copy = app;
        EXPECT_EQ(copy.dispatchObject(), app.dispatchObject());
        OleVariant byReference;
        byReference.get()->vt = VT_BYREF | VT_VARIANT;
        byReference.get()->pvarVal = app.get();
        EXPECT_EQ(byReference.dispatchObject(), app.dispatchObject());
        OleVariant moved = std::move(copy);
        EXPECT_EQ(copy.type(), VT_EMPTY);
        EXPECT_EQ(moved.dispatchObject(), app.dispatchObject());
    }
    server.stop();
    EXPECT_EQ(server.liveObjects(), 0);
}

} // namespace
