#include "toolkit/system/Timer.h"

#include "toolkit/core/Error.h"
#include "toolkit/system/EntryGuard.h"

namespace toolkit {

namespace {

constexpr char timerWindowClass[] = "TTimerWindow";
constexpr UINT_PTR timerId = 1;

} // namespace

const MetaClass Timer::classInfo("TTimer", Component::classInfo, sizeof(Timer), createInstance<Timer>,
                                 {booleanProperty("Enabled", &Timer::enabled, &Timer::setEnabled),
                                  integerProperty("Interval", &Timer::interval, &Timer::setInterval),
                                  PropInfo{"OnTimer", PropKind::Event, {},
                                           [](const Component& c) {
                                               return PropertyValue{EventHandler{static_cast<const Timer&>(c).onTimer()}};
                                           },
                                           [](Component& c, const PropertyValue& v) {
                                               const auto& handler = std::get<EventHandler>(v);
                                               if (!std::holds_alternative<NotifyEvent>(handler))
                                                   throw std::invalid_argument("the method does not fit the event");
                                               static_cast<Timer&>(c).setOnTimer(std::get<NotifyEvent>(handler));
                                           }}});

Timer::Timer(Component* owner) : Component(owner)
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = timerWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExA(0, timerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    if (!window_) throw Error("Cannot create the timer window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Timer::~Timer()
{
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        KillTimer(window_, timerId);
        DestroyWindow(window_);
    }
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    update();
}

void Timer::setInterval(int interval)
{
    if (interval == interval_) return;
    interval_ = interval;
    update();
}

void Timer::setOnTimer(NotifyEvent handler)
{
    onTimer_ = std::move(handler);
    update();
}

void Timer::loaded()
{
    Component::loaded();
    update();
}

void Timer::update()
{
    if (armed_) {
        if (window_) KillTimer(window_, timerId);
        armed_ = false;
    }
    if (loading() || !enabled_ || interval_ <= 0 || !onTimer_) return;
    if (!window_ || !SetTimer(window_, timerId, static_cast<UINT>(interval_), nullptr))
        throw Error("Not enough timers available");
    armed_ = true;
}

LRESULT CALLBACK Timer::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return guardedCall([&] { return windowMessage(window, message, wParam, lParam); }, LRESULT{0});
}

LRESULT Timer::windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Timer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_TIMER:
        if (self->ticking_) return 0;
        self->ticking_ = true;
        // The error box of a failing tick opens inside the guard, while
        // this tick still counts as running.
        guardedCall([&] {
            if (self->onTimer_) self->onTimer_(*self);
        });
        // The handler may have destroyed the timer; its window went with it.
        if (auto* still = reinterpret_cast<Timer*>(GetWindowLongPtrA(window, GWLP_USERDATA))) still->ticking_ = false;
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->armed_ = false;
        break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace toolkit
