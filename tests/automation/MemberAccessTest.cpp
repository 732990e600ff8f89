// Late-bound access to the test tool: name lookups at every access, invoke
// flags, locale, argument types, result slots, accessors that find the
// running instance, and the errors with their messages.
#include "automation/MemberAccess.h"
#include "automation/OleErrors.h"
#include "automation/QuorvexClient.h"
#include "support/RecordingServer.h"

#include <gtest/gtest.h>

namespace {

using namespace automation;
using testing_support::RecordedCall;
using testing_support::RecordingServer;

class MemberAccessTest : public ::testing::Test {
protected:
    void SetUp() override { server.run(); }
    RecordingServer server;
};

TEST_F(MemberAccessTest, AccessorsFindTheRunningInstanceAndReleaseWhatTheyTook)
{
    {
        const OleVariant system = QuorvexSys();
        const OleVariant regions = QuorvexRegions();
        const OleVariant manager = QuorvexManager();
        EXPECT_EQ(server.lookups, (std::vector<std::string>{"application.Manager", "manager.Sys", "application.Manager",
                                                            "manager.Regions", "application.Manager"}));
        for (const RecordedCall& call : server.calls) {
            SCOPED_TRACE(call.member);
            EXPECT_EQ(call.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
            EXPECT_EQ(call.locale, 0u);
            EXPECT_TRUE(call.resultSlot);
            EXPECT_TRUE(call.argumentTypes.empty());
        }
        // The three results, plus the running application object.
        EXPECT_EQ(server.liveObjects(), 4);
    }
    EXPECT_EQ(server.liveObjects(), 1);
}

TEST_F(MemberAccessTest, WritesNameTheirValueAndAskForNoResult)
{
    writeMember(QuorvexManager(), "State", OleVariant::integer(4));
    const RecordedCall& write = server.calls.back();
    EXPECT_EQ(write.member, "State");
    EXPECT_EQ(write.flags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(write.argumentTypes, (std::vector<VARTYPE>{VT_I4}));
    EXPECT_EQ(write.named, (std::vector<DISPID>{DISPID_PROPERTYPUT}));
    EXPECT_FALSE(write.resultSlot);
    EXPECT_EQ(server.states, (std::vector<long>{4}));
}

TEST_F(MemberAccessTest, CallsPassArgumentsFirstToLastByValueOrByReference)
{
    const OleVariant x = OleVariant::integer(10), y = OleVariant::integer(20);
    OleVariant found = callMember(QuorvexSys(), "ObjectFromPoint", {Argument::byValue(x), Argument::byValue(y)});
    EXPECT_EQ(server.objectFromPointArguments, (std::vector<long>{10, 20}));
    EXPECT_EQ(server.calls.back().flags, DISPATCH_METHOD);
    EXPECT_TRUE(server.calls.back().resultSlot);

    std::int32_t depth = 24;
    callMemberWithoutResult(QuorvexRegions(), "SaveToClipboard",
                            {Argument::byReference(found), Argument::byReference(depth)});
    const RecordedCall& save = server.calls.back();
    EXPECT_EQ(save.flags, DISPATCH_METHOD);
    EXPECT_FALSE(save.resultSlot);
    EXPECT_EQ(save.argumentTypes, (std::vector<VARTYPE>{VT_BYREF | VT_VARIANT, VT_BYREF | VT_I4}));
    EXPECT_EQ(server.savedDepths, (std::vector<long>{24}));
}

TEST_F(MemberAccessTest, AnUnknownMemberIsNamedInTheError)
{
    server.unknownMember = "Sys";
    try {
        QuorvexSys();
        FAIL() << "no error";
    } catch (const toolkit::Error& e) {
        EXPECT_STREQ(e.what(), "Method 'Sys' not supported by automation object");
    }
    EXPECT_EQ(server.liveObjects(), 1);
}

TEST_F(MemberAccessTest, AServerExceptionKeepsItsDescriptionSourceAndHelpContext)
{
    server.failMember = "MouseX";
    try {
        readMember(QuorvexSys(), "MouseX");
        FAIL() << "no error";
    } catch (const OleException& e) {
        EXPECT_STREQ(e.what(), "The test tool is busy");
        EXPECT_EQ(e.source(), "Quorvex");
        EXPECT_EQ(e.helpContext(), 42u);
        EXPECT_EQ(e.code(), E_FAIL);
    }
    EXPECT_EQ(server.liveObjects(), 1);
}

TEST_F(MemberAccessTest, NoRunningInstanceAndNoServerGivesAnOleErrorEveryTime)
{
    server.stop();
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        try {
            QuorvexApp();
            FAIL() << "no error";
        } catch (const OleSystemError& e) {
            EXPECT_EQ(e.code(), REGDB_E_CLASSNOTREG);
            EXPECT_GT(std::string(e.what()).size(), 0u);
        }
    }
    EXPECT_EQ(server.liveObjects(), 0);
}

TEST_F(MemberAccessTest, AnUnregisteredProgIdGivesAnOleError)
{
    try {
        GetActiveOrCreateObject("Quorvex.NotInstalled");
        FAIL() << "no error";
    } catch (const OleSystemError& e) {
        EXPECT_EQ(e.code(), CO_E_CLASSSTRING);
        EXPECT_NE(std::string(e.what()), "");
    }
    const OleSystemError unknown(static_cast<HRESULT>(0x8badf00d));
    EXPECT_STREQ(unknown.what(), "OLE error 8badf00d");
}

} // namespace
