#include "support/WindowTesting.h"

#include "toolkit/forms/Application.h"

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

namespace {

HWND shownWindowOfThisProcess(const char* className, const char* caption, bool (*wanted)(HWND) = nullptr)
{
    return shownWindowOf(GetCurrentProcessId(), className, caption, wanted);
}

} // namespace

HWND shownWindowOf(DWORD process, const char* className, const char* caption, bool (*wanted)(HWND))
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, caption))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) && (!wanted || wanted(window))) return window;
    }
    return nullptr;
}

HWND waitForShownWindowOf(DWORD process, const char* className, bool (*wanted)(HWND), DWORD timeoutMs)
{
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = shownWindowOf(process, className, nullptr, wanted)) return window;
        if (GetTickCount64() > until) return nullptr;
        Sleep(50);
    }
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
        if (HWND box = shownWindowOfThisProcess("#32770", caption_.c_str())) {
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
        }
        Sleep(20);
    }
}

namespace {

// The file-name box of the system's open and save dialogs.
constexpr int fileNameBox = 0x47C;

// A file dialog of this process that has finished setting itself up: it
// shows itself only then.
HWND shownFileDialog()
{
    return shownWindowOfThisProcess("#32770", nullptr,
                                    [](HWND dialog) { return GetDlgItem(dialog, fileNameBox) != nullptr; });
}

} // namespace

PopupMenuCloser::PopupMenuCloser()
{
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] { watch(); });
}

PopupMenuCloser::~PopupMenuCloser()
{
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

RECT PopupMenuCloser::shownAt() const
{
    EnterCriticalSection(&lock_);
    const RECT copy = shownAt_;
    LeaveCriticalSection(&lock_);
    return copy;
}

void PopupMenuCloser::watch()
{
    while (!stop_) {
        Sleep(20);
        const HWND menu = shownWindowOfThisProcess("#32768", nullptr);
        if (!menu) continue;
        RECT area{};
        GetWindowRect(menu, &area);
        EnterCriticalSection(&lock_);
        shownAt_ = area;
        LeaveCriticalSection(&lock_);
        // The menu's own loop takes the key, whichever window it is posted to.
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
        while (!stop_ && IsWindow(menu) && IsWindowVisible(menu)) Sleep(20);
        return;
    }
}

bool runsThroughEmulator()
{
    char value[8];
    return GetEnvironmentVariableA("OVISTRA_EMULATED_I386", value, sizeof value) > 0;
}

FileDialogAnswerer::FileDialogAnswerer(std::vector<std::string> names) : names_(std::move(names))
{
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] { answer(); });
}

FileDialogAnswerer::~FileDialogAnswerer()
{
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

bool FileDialogAnswerer::waitUntilAnswered(std::size_t count, DWORD timeoutMs) const
{
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (answered_ < count && GetTickCount64() < until) Sleep(10);
    return answered_ >= count;
}

std::vector<std::string> FileDialogAnswerer::shownNames() const
{
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = shownNames_;
    LeaveCriticalSection(&lock_);
    return copy;
}

void FileDialogAnswerer::answer()
{
    while (!stop_ && answered_ < names_.size()) {
        Sleep(50);
        const HWND dialog = shownFileDialog();
        if (!dialog) continue;
        char shown[MAX_PATH] = {};
        GetDlgItemTextA(dialog, fileNameBox, shown, sizeof shown);
        EnterCriticalSection(&lock_);
        shownNames_.push_back(shown);
        LeaveCriticalSection(&lock_);
        const std::string& name = names_[answered_];
        if (!name.empty()) SetDlgItemTextA(dialog, fileNameBox, name.c_str());
        PostMessageA(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
        // However slowly the dialog goes, this answer is counted once it has
        // gone, and the next dialog is not taken for this one.
        while (!stop_ && IsWindow(dialog)) Sleep(20);
        if (!IsWindow(dialog)) ++answered_;
    }
}

} // namespace testing_support
