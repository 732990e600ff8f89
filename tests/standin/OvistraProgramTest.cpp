// Ovistra.exe itself, driven from outside as a person would: Show Object
// and a colour depth clicked, Start pressed; the stand-in's log then shows
// the program's ticks, and its edits show what the server answered.
#include "support/SettingsFile.h"
#include "support/StandinSession.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testing_support::StandinSession;

struct Search {
    DWORD process;
    std::string text;
    HWND found = nullptr;
};

std::string textOf(HWND window)
{
    char text[512] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 30000, nullptr);
    return text;
}

BOOL CALLBACK matchTopLevel(HWND window, LPARAM search)
{
    auto& s = *reinterpret_cast<Search*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != s.process || !IsWindowVisible(window) || textOf(window) != s.text) return TRUE;
    s.found = window;
    return FALSE;
}

BOOL CALLBACK matchChild(HWND window, LPARAM search)
{
    auto& s = *reinterpret_cast<Search*>(search);
    if (textOf(window) != s.text) return TRUE;
    s.found = window;
    return FALSE;
}

HWND childWithText(HWND parent, const std::string& text)
{
    Search search{0, text};
    EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string programPath()
{
    return StandinSession::serverPath().substr(0, StandinSession::serverPath().find_last_of('\\')) + "\\Ovistra.exe";
}

class Program {
public:
    Program()
    {
        std::string command(1, '"');
        command += programPath();
        command += '"';
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            process_ = {};
    }
    ~Program()
    {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 9);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND waitForMainWindow() const
    {
        Search search{process_.dwProcessId, "Ovistra"};
        for (int i = 0; i < 6000 && !search.found && process_.hProcess; ++i) {
            EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
            if (!search.found) Sleep(100);
        }
        return search.found;
    }
    bool waitForExit(DWORD timeoutMs) const
    {
        return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION process_{};
};

TEST(OvistraProgram, PollsTheStandInOnceStartedAndShowsWhatItAnswers)
{
    // A first run: no settings file to restore choices from.
    testing_support::removeSettingsFile();
    StandinSession session;
    session.setScenario({{"Name", "Window(\"Notepad\", \"Untitled\", 1)"}, {"ChildCount", "3"}});
    Program program;
    const HWND main = program.waitForMainWindow();
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
