#pragma once
// Programs of the project started as a person would, and their windows
// read and driven from this process through messages.
#include <windows.h>

#include <string>

namespace testing_support {

// The folder this test executable runs from, where the programs lie.
std::string programFolder();

class OtherProcess {
public:
    // Starts "<folder>\<file> <arguments>" in that folder, by default the
    // program folder; check started().
    OtherProcess(const std::string& file, const std::string& arguments = "", const std::string& folder = "");
    // Ends the program if it is still running.
    ~OtherProcess();
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    // The program's visible top-level window with this caption, waited for.
    HWND waitForWindow(const std::string& caption) const;
    bool waitForExit(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION process_{};
};

// A window's text, asked with a time limit.
std::string textOf(HWND window);
// The first descendant of `parent` whose text is `text`.
HWND childWithText(HWND parent, const std::string& text);
// Waits for such a descendant to appear.
HWND waitForChildWithText(HWND parent, const std::string& text, DWORD timeoutMs = 60000);

} // namespace testing_support
