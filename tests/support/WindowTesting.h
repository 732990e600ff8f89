#pragma once
// Helpers for tests that drive real windows: pumping messages until
// something happened, sending mouse and key input, and watching for the
// standard error box from another thread.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// Pumps this thread's messages until `done` holds; false after the
// timeout. Timeouts are generous: tests never depend on speed.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000);
// Handles what is queued now.
void pumpPending();

// A shown top-level window of a process with that class (and caption,
// unless null) that `wanted` accepts; null when there is none.
HWND shownWindowOf(DWORD process, const char* className, const char* caption, bool (*wanted)(HWND) = nullptr);
// The same, waited for; null after the timeout.
HWND waitForShownWindowOf(DWORD process, const char* className, bool (*wanted)(HWND) = nullptr,
                          DWORD timeoutMs = 60000);

// A left click at a point of a window's client area, as real messages.
void clickAt(HWND window, int x, int y);
// Types characters into a window as WM_CHAR messages.
void typeText(HWND window, const std::string& text);
void pressKey(HWND window, UINT virtualKey);

// Watches, on a thread of its own, for message boxes of this process with
// the given caption; records each one's text and presses OK.
class MessageBoxWatcher {
public:
    // Boxes are answered after `answerAfterMs`, so a test can see what
    // happens while one is open.
    explicit MessageBoxWatcher(std::string caption, DWORD answerAfterMs = 0);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<std::string> texts() const;
    std::size_t count() const;

private:
    void watch();

    std::string caption_;
    DWORD answerAfterMs_;
    std::atomic<bool> stop_{false};
    mutable CRITICAL_SECTION lock_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

// Waits on a thread of its own for a popup menu of this process, notes
// where it showed, and closes it with Escape as a person would.
class PopupMenuCloser {
public:
    PopupMenuCloser();
    ~PopupMenuCloser();
    PopupMenuCloser(const PopupMenuCloser&) = delete;
    PopupMenuCloser& operator=(const PopupMenuCloser&) = delete;

    // The menu's screen rectangle; empty until one has shown.
    RECT shownAt() const;

private:
    void watch();

    mutable CRITICAL_SECTION lock_;
    RECT shownAt_{};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Whether 32-bit Windows code runs through qemu's user-mode emulator (the
// test command says so). Wine is not reliable there in three ways, and the
// tests that depend on them skip themselves: the system's file dialogs now
// and then deadlock or fault while they set up; unwinding a structured
// exception fails, so a COM server that dies under a client, or a timer
// message during a call to another process, ends the client; and a
// structured exception raised by the program cannot be relied on to reach
// its handler.
bool runsThroughEmulator();

// Answers the file dialogs of this process on a thread of its own, as a
// person would: types the next name of the list into the file-name box
// and presses OK, or presses Cancel for an empty name.
class FileDialogAnswerer {
public:
    explicit FileDialogAnswerer(std::vector<std::string> names);
    ~FileDialogAnswerer();
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    // Waits until `count` dialogs have been answered and have gone: the code
    // that ran a dialog may return a moment before its answer is counted.
    bool waitUntilAnswered(std::size_t count, DWORD timeoutMs = 30000) const;
    // What each dialog showed in its file-name box before it was answered.
    std::vector<std::string> shownNames() const;

private:
    void answer();

    std::vector<std::string> names_;
    mutable CRITICAL_SECTION lock_;
    std::vector<std::string> shownNames_;
    std::atomic<std::size_t> answered_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace testing_support
