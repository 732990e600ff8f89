#include "support/WindowTesting.h"

#include "toolkit/Application.h"

namespace testing_support {

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

void pumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void clickAt(HWND window, int x, int y)
{
    const LPARAM point = MAKELPARAM(x, y);
    SendMessageA(window, WM_MOUSEMOVE, 0, point);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(window, WM_LBUTTONUP, 0, point);
}

void typeText(HWND window, const std::string& text)
{
    for (char c : text) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void pressKey(HWND window, UINT virtualKey)
{
    SendMessageA(window, WM_KEYDOWN, virtualKey, 1);
    SendMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

MessageBoxWatcher::MessageBoxWatcher(std::string caption, DWORD answerAfterMs)
    : caption_(std::move(caption)), answerAfterMs_(answerAfterMs)
{
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] { watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

std::vector<std::string> MessageBoxWatcher::texts() const
{
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = texts_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::size_t MessageBoxWatcher::count() const
{
    return texts().size();
}

void MessageBoxWatcher::watch()
{
    while (!stop_) {
        HWND box = nullptr;
        while ((box = FindWindowExA(nullptr, box, "#32770", caption_.c_str()))) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
            char text[1024] = {};
            // A message box shows its text in the static control 0xFFFF.
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            EnterCriticalSection(&lock_);
            texts_.push_back(text);
            LeaveCriticalSection(&lock_);
            // Wait for the box to go before looking for the next one.
            Sleep(answerAfterMs_);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 3000 && IsWindow(box); ++i) Sleep(10);
            break;
        }
        Sleep(20);
    }
}

} // namespace testing_support
