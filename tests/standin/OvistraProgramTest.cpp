// Ovistra.exe itself, driven from outside as a person would: Show Object
// and a colour depth clicked, Start pressed; the stand-in's log then shows
// the program's ticks, and its edits show what the server answered.
#include "support/OtherProcess.h"
#include "support/SettingsFile.h"
#include "support/StandinSession.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testing_support::childWithText;
using testing_support::OtherProcess;
using testing_support::StandinSession;

TEST(OvistraProgram, PollsTheStandInOnceStartedAndShowsWhatItAnswers)
{
    // A first run: no settings file to restore choices from.
    testing_support::removeSettingsFile();
    StandinSession session;
    session.setScenario({{"Name", "Window(\"Notepad\", \"Untitled\", 1)"}, {"ChildCount", "3"}});
    OtherProcess program("Ovistra.exe");
    const HWND main = program.waitForWindow("Ovistra");
    ASSERT_TRUE(main) << "Ovistra's window did not appear";

    const HWND showObject = childWithText(main, "S&how Object");
    const HWND depth16M = childWithText(main, "16&M");
    ASSERT_TRUE(showObject && depth16M);
    SendMessageA(showObject, BM_CLICK, 0, 0);
    SendMessageA(depth16M, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(showObject, BM_GETCHECK, 0, 0), BST_CHECKED);
    // Start is a flat button drawn by the panel that holds the check box.
    const HWND buttons = GetParent(showObject);
    PostMessageA(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 35));
    PostMessageA(buttons, WM_LBUTTONUP, 0, MAKELPARAM(30, 35));

    const auto saved = [&] {
        const std::vector<std::string> calls = session.invokes();
        return std::count_if(calls.begin(), calls.end(),
                             [](const std::string& c) { return c.rfind("regions.SaveToClipboard", 0) == 0; });
    };
    for (int i = 0; i < 3000 && saved() < 2; ++i) Sleep(100);
    ASSERT_GE(saved(), 2);
    const std::vector<std::string> calls = session.invokes();
    EXPECT_EQ(calls.front(), "application.Manager flags=3 locale=0 args=() named=() result=yes");
    EXPECT_EQ(calls[2], "system.MouseY flags=3 locale=0 args=() named=() result=yes");
    EXPECT_EQ(calls[16], "regions.SaveToClipboard flags=1 locale=0 args=(VT_BYREF|VT_VARIANT(VT_DISPATCH object), "
                         "VT_BYREF|VT_I4 24) named=() result=yes");
    EXPECT_TRUE(childWithText(main, "Window(\"Notepad\", \"Untitled\", 1)"));
    EXPECT_TRUE(childWithText(main, "3"));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(120000));
    session.endServers();
    // Closing saved the choices made.
    EXPECT_NE(testing_support::readSettingsFile().find("CBShowObject_Checked=True"), std::string::npos);
    testing_support::removeSettingsFile();
}

} // namespace
