#pragma once
// Timer: a system timer on a hidden window of its own. It ticks only while
// enabled, with a non-zero interval and a handler. A tick that comes while
// the previous tick is still being handled (its handler waits in a modal
// loop: a call to another process, the error box of its failure) is
// dropped, so handlers never nest and error boxes never pile up.
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"

#include <windows.h>

namespace toolkit {

class Timer : public Component {
public:
    explicit Timer(Component* owner);
    ~Timer() override;

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    bool enabled() const { return enabled_; }
    // Setting the value it already has changes nothing. Raises "Not enough
    // timers available" when the system refuses the timer.
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    // A new interval while running restarts the count.
    void setInterval(int interval);
    // Armed: the system timer exists.
    bool armed() const { return armed_; }
    HWND handle() const { return window_; }
    void setOnTimer(NotifyEvent handler);
    const NotifyEvent& onTimer() const { return onTimer_; }

    void loaded() override;

private:
    void update();
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool enabled_ = true;
    int interval_ = 1000;
    bool armed_ = false;
    bool ticking_ = false;
    NotifyEvent onTimer_;
};

} // namespace toolkit
