#include "support/ClipboardHelper.h"

#include "support/WindowTesting.h"

#include <stdexcept>

namespace testing_support {

namespace {

std::string helperPath()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\')) + "\\clipboard_helper.exe";
}

} // namespace

ClipboardHelper::ClipboardHelper()
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE childInput = nullptr, childOutput = nullptr;
    if (!CreatePipe(&childInput, &input_, &inherit, 0) || !CreatePipe(&output_, &childOutput, &inherit, 0))
        throw std::runtime_error("cannot create the helper's pipes");
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string command(1, '"');
    command += helperPath();
    command += '"';
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process_);
    CloseHandle(childInput);
    CloseHandle(childOutput);
    if (!started) throw std::runtime_error("cannot start " + command);
}

ClipboardHelper::~ClipboardHelper()
{
    const char quit[] = "quit\n";
    DWORD written = 0;
    WriteFile(input_, quit, sizeof quit - 1, &written, nullptr);
    CloseHandle(input_);
    if (WaitForSingleObject(process_.hProcess, 600000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(output_);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

std::string ClipboardHelper::command(const std::string& line)
{
    send(line);
    return reply(line);
}

void ClipboardHelper::send(const std::string& line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    if (!WriteFile(input_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        throw std::runtime_error("the clipboard helper is gone");
}

std::string ClipboardHelper::reply(const std::string& line)
{
    std::string answer;
    bool complete = false;
    // The first command waits for the helper's start, which is slow under
    // emulation.
    const bool answered = pumpUntil(
        [&] {
            DWORD available = 0;
            if (!PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr)) return true;
            while (available-- > 0) {
                char c = 0;
                DWORD read = 0;
                if (!ReadFile(output_, &c, 1, &read, nullptr) || read != 1) return true;
                if (c == '\n') {
                    complete = true;
                    return true;
                }
                if (c != '\r') answer += c;
            }
            return false;
        },
        600000);
    if (!answered || !complete) throw std::runtime_error("no answer from the clipboard helper to " + line);
    return answer;
}

} // namespace testing_support
