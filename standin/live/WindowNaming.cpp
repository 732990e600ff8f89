#include "WindowNaming.h"

#include <vector>

namespace standin {

namespace {

std::wstring className(HWND window)
{
    wchar_t name[257] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring caption(HWND window)
{
    // WM_GETTEXT with a time limit: a hung program must not hang the tool.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 500, &length) || length == 0)
        return {};
    std::vector<wchar_t> text(length + 1);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 500, &copied))
        return {};
    return std::wstring(text.data(), copied < length ? copied : length);
}

DWORD processOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// Same-class siblings in the order the system lists them (front to back),
// counting from 1. Top-level windows count only those of the same process.
int sameClassIndex(HWND window, const std::wstring& cls)
{
    HWND parent = GetAncestor(window, GA_PARENT);
    const bool topLevel = !parent || parent == GetDesktopWindow();
    const DWORD process = processOf(window);
    int index = 1;
    for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling && sibling != window;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (topLevel && processOf(sibling) != process) continue;
        if (className(sibling) == cls) ++index;
    }
    return index;
}

} // namespace

std::wstring quoted(const std::wstring& text)
{
    std::wstring result = L"\"";
    for (wchar_t c : text) {
        if (c == L'"') result += L'"';
        result += c;
    }
    return result + L"\"";
}

std::wstring windowName(HWND window)
{
    const std::wstring cls = className(window);
    return L"Window(" + quoted(cls) + L", " + quoted(caption(window)) + L", " +
           std::to_wstring(sameClassIndex(window, cls)) + L")";
}

std::wstring processName(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    std::wstring path;
    if (process) {
        wchar_t buffer[MAX_PATH * 2];
        DWORD size = static_cast<DWORD>(std::size(buffer));
        if (QueryFullProcessImageNameW(process, 0, buffer, &size)) path.assign(buffer, size);
        CloseHandle(process);
    }
    if (path.empty()) return L"process " + std::to_wstring(processId);
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace standin
