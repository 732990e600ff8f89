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

} // namespace testing_support
