#include "toolkit/forms/Application.h"

#include "toolkit/core/Error.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/EntryGuard.h"

namespace toolkit {

namespace {

Application* runningApplication = nullptr;
constexpr char applicationClassName[] = "TApplication";

std::string programTitle()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    if (const auto slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

// The application window stands for the program: minimizing it minimizes
// the main form.
LRESULT CALLBACK applicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return guardedCall(
        [&]() -> LRESULT {
            if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE && runningApplication &&
                runningApplication->mainForm() && runningApplication->mainForm()->handleAllocated()) {
                ShowWindow(runningApplication->mainForm()->handle(), SW_MINIMIZE);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        },
        LRESULT{0});
}

} // namespace

const MetaClass Application::classInfo("TApplication", Component::classInfo, sizeof(Application), nullptr, {});

Application::Application(HINSTANCE instance)
    : Component(nullptr), instance_(instance), title_(programTitle()), controlAtom_(instance, GetCurrentThreadId())
{
    if (runningApplication) throw Error("An application object already exists");

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = applicationWindowProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = applicationClassName;
    windowClass.hIcon = LoadIconA(instance_, "MAINICON");
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, applicationClassName, title_.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS,
                              0, 0, 0, 0, nullptr, nullptr, instance_, nullptr);
    if (!window_) throw Error("Cannot create the application window");
    runningApplication = this;
    setExceptionReporter([](std::exception_ptr error) noexcept { runningApplication->showException(error); });
}

Application::~Application()
{
    // The forms go while the application window and the atom still exist.
    destroyComponents();
    DestroyWindow(window_);
    UnregisterClassA(applicationClassName, instance_);
    setExceptionReporter(nullptr);
    runningApplication = nullptr;
}

Application* Application::instance()
{
    return runningApplication;
}

void Application::destroyMainForm()
{
    delete mainForm_;
}

void Application::formDestroyed(const Form& form) noexcept
{
    if (&form == mainForm_) mainForm_ = nullptr;
}

void Application::run()
{
    if (mainForm_) guardedCall([&] { mainForm_->show(); });
    MSG message;
    while (!terminated_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            terminated_ = true;
            break;
        }
        dispatch(message);
    }
}

void Application::terminate()
{
    PostQuitMessage(0);
}

void Application::dispatch(MSG& message)
{
    if (mainForm_ && mainForm_->preTranslateMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Application::showException(std::exception_ptr error) noexcept
{
    try {
        const std::string text = errorBoxText(exceptionMessage(error));
        HWND owner = GetActiveWindow();
        if (!owner) owner = window_;
        MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        MessageBoxA(window_, "Out of memory", title_.c_str(), MB_OK | MB_ICONSTOP);
    }
}

} // namespace toolkit
