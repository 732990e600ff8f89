#include "LiveWindow.h"

#include "WindowNaming.h"

#include <stdexcept>
#include <vector>

namespace standin {

LiveWindow::LiveWindow(HWND window) : window_(window)
{
    thread_ = GetWindowThreadProcessId(window, &process_);
    if (!thread_) throw std::runtime_error("There is no window at this place");
}

LiveWindow LiveWindow::at(POINT screenPoint)
{
    HWND found = WindowFromPoint(screenPoint);
    if (!found) found = GetDesktopWindow();
    // The system's answer skips disabled windows; go down from the top-level
    // window through every visible child instead.
    HWND window = GetAncestor(found, GA_ROOT);
    if (!window) window = found;
    for (;;) {
        POINT local = screenPoint;
        ScreenToClient(window, &local);
        HWND child = ChildWindowFromPointEx(window, local, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == window) break;
        window = child;
    }
    return LiveWindow(window);
}

HWND LiveWindow::handle() const
{
    DWORD process = 0;
    if (!IsWindow(window_) || GetWindowThreadProcessId(window_, &process) != thread_ || process != process_)
        throw std::runtime_error("The window of this object no longer exists");
    return window_;
}

std::wstring LiveWindow::name() const
{
    return windowName(handle());
}

std::wstring LiveWindow::fullName() const
{
    HWND window = handle();
    std::vector<HWND> path;
    for (HWND w = window; w && w != GetDesktopWindow(); w = GetAncestor(w, GA_PARENT)) path.push_back(w);
    std::wstring result = L"Sys.Process(" + quoted(processName(process_)) + L")";
    for (auto it = path.rbegin(); it != path.rend(); ++it) result += L"." + windowName(*it);
    return result;
}

long LiveWindow::childCount() const
{
    long count = 0;
    for (HWND child = GetWindow(handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

RECT LiveWindow::screenRect() const
{
    RECT rect{};
    GetWindowRect(handle(), &rect);
    return rect;
}

} // namespace standin
