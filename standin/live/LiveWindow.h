#pragma once
// A window of the desktop as the live test tool's on-screen object. It
// stays valid while its window lives: the handle is remembered with the
// thread and process that own it, so that a handle the system has since
// given to a window of another program is not taken for the old one.
#include <windows.h>

#include <string>

namespace standin {

class LiveWindow {
public:
    explicit LiveWindow(HWND window);

    // The deepest visible window under a point of the screen.
    static LiveWindow at(POINT screenPoint);

    // Each raises std::runtime_error once the window is gone.
    HWND handle() const;
    // Window("Class", "Caption", n): n counts the windows of that class
    // among its siblings (top-level windows: of the same process), from 1.
    std::wstring name() const;
    // Sys.Process("program") and the names of its ancestors, then its own.
    std::wstring fullName() const;
    long childCount() const;
    // The window's place on the screen.
    RECT screenRect() const;

private:
    HWND window_;
    DWORD thread_ = 0;
    DWORD process_ = 0;
};

} // namespace standin
