#include "support/OtherProcess.h"

namespace testing_support {

namespace {

struct Search {
    DWORD process;
    std::string text;
    HWND found = nullptr;
};

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

} // namespace

std::string programFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of('\\'));
}

OtherProcess::OtherProcess(const std::string& file, const std::string& arguments, const std::string& folder)
{
    const std::string where = folder.empty() ? programFolder() : folder;
    std::string command = "\"" + where + "\\" + file + "\"";
    if (!arguments.empty()) command += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, where.c_str(), &startup,
                        &process_))
        process_ = {};
}

OtherProcess::~OtherProcess()
{
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, 30000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND OtherProcess::waitForWindow(const std::string& caption) const
{
    Search search{process_.dwProcessId, caption};
    for (int i = 0; i < 6000 && !search.found && process_.hProcess; ++i) {
        EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(100);
    }
    return search.found;
}

bool OtherProcess::waitForExit(DWORD timeoutMs) const
{
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::string textOf(HWND window)
{
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 30000, nullptr);
    return text;
}

HWND childWithText(HWND parent, const std::string& text)
{
    Search search{0, text};
    EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForChildWithText(HWND parent, const std::string& text, DWORD timeoutMs)
{
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND found = childWithText(parent, text)) return found;
        if (GetTickCount64() > until) return nullptr;
        Sleep(50);
    }
}

} // namespace testing_support
