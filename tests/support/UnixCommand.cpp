#include "support/UnixCommand.h"

#include <fstream>

namespace testing_support {

bool hasUnixCommand(const std::string& program)
{
    return GetFileAttributesA(windowsPath("/usr/bin/" + program).c_str()) != INVALID_FILE_ATTRIBUTES &&
           GetFileAttributesA("Z:\\bin\\sh") != INVALID_FILE_ATTRIBUTES;
}

bool startUnixCommand(const std::string& command)
{
    if (GetFileAttributesA("Z:\\bin\\sh") == INVALID_FILE_ATTRIBUTES) return false;
    // The command must not keep this process's output open once it runs in
    // the background, as xclip does while it owns the selection.
    std::string line = "Z:\\bin\\sh -c \"(" + command + ") </dev/null >/dev/null 2>&1\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

bool runUnixCommand(const std::string& command, DWORD timeoutMs)
{
    static int runs = 0;
    const std::string done = unixTemporary("command-" + std::to_string(++runs) + ".exit");
    const std::string doneHere = windowsPath(done);
    DeleteFileA(doneHere.c_str());
    // Written under another name and renamed, so a half-written code is
    // never read.
    if (!startUnixCommand(command + "; echo $? > " + done + ".part; mv " + done + ".part " + done)) return false;
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (GetFileAttributesA(doneHere.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount64() > until) return false;
        Sleep(20);
    }
    std::ifstream file(doneHere);
    int code = -1;
    file >> code;
    file.close();
    DeleteFileA(doneHere.c_str());
    return code == 0;
}

std::string unixTemporary(const std::string& name)
{
    return "/tmp/ovistra-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

std::string windowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

} // namespace testing_support
