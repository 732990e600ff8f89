#pragma once
// The readable names the live test tool gives windows and processes.
#include <windows.h>

#include <string>

namespace standin {

// Window("Class", "Caption", n); see LiveWindow::name.
std::wstring windowName(HWND window);
// The program's file name without folder and extension; "process <id>"
// when the process cannot be asked.
std::wstring processName(DWORD processId);
// Text in double quotes, its own double quotes doubled.
std::wstring quoted(const std::wstring& text);

} // namespace standin
