#include "support/StandinSession.h"

#include "support/OtherProcess.h"

#include <oleauto.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

const char* const settingsKey = "Software\\Quorvex Stand-in";

} // namespace

StandinSession::StandinSession()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    directory_ = std::string(temp) + "standin-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(directory_.c_str(), nullptr);
    scenarioPath_ = directory_ + "\\scenario.ini";
    logPath_ = directory_ + "\\calls.log";
    setScenario({});
    RegSetKeyValueA(HKEY_CURRENT_USER, settingsKey, "Scenario", REG_SZ, scenarioPath_.c_str(),
                    static_cast<DWORD>(scenarioPath_.size() + 1));
}

StandinSession::~StandinSession()
{
    DeleteFileA(scenarioPath_.c_str());
    DeleteFileA(logPath_.c_str());
    RemoveDirectoryA(directory_.c_str());
}

void StandinSession::setScenario(const std::vector<std::pair<std::string, std::string>>& values, bool logged)
{
    for (DWORD pid : starts()) seenServers_.push_back(pid);
    {
        std::ofstream file(scenarioPath_, std::ios::trunc);
        file << "[Scenario]\r\n";
        if (logged) file << "Log=" << logPath_ << "\r\n";
        for (const auto& [key, value] : values) file << key << "=" << value << "\r\n";
    }
    DeleteFileA(logPath_.c_str());
    // The server reads the file again when its time stamp changes: make
    // sure it does, however fast the scenarios follow each other.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER stamp{{now.dwLowDateTime, now.dwHighDateTime}};
    if (stamp.QuadPart <= lastStamp_) stamp.QuadPart = lastStamp_ + 100000;
    lastStamp_ = stamp.QuadPart;
    const FILETIME written{stamp.LowPart, stamp.HighPart};
    const HANDLE file = CreateFileA(scenarioPath_.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        SetFileTime(file, nullptr, nullptr, &written);
        CloseHandle(file);
    }
}

std::vector<std::string> StandinSession::logLines() const
{
    std::vector<std::string> lines;
    std::ifstream file(logPath_);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> StandinSession::invokes() const
{
    std::vector<std::string> calls;
    for (const std::string& line : logLines())
        if (line.rfind("invoke ", 0) == 0) calls.push_back(line.substr(7));
    return calls;
}

std::vector<DWORD> StandinSession::starts() const
{
    std::vector<DWORD> pids;
    for (const std::string& line : logLines())
        if (line.rfind("start pid=", 0) == 0) pids.push_back(std::stoul(line.substr(10)));
    return pids;
}

bool StandinSession::waitForStart(DWORD timeoutMs) const
{
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (starts().empty()) {
        if (GetTickCount64() > until) return false;
        Sleep(100);
    }
    return true;
}

namespace {

// Ends a server process: asked to quit first when `askFirst`, killed if it
// does not, or at once.
void endServer(DWORD pid, bool askFirst)
{
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return;
    if (askFirst) StandinSession::quitServer(pid);
    if (!askFirst || WaitForSingleObject(process, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 30000);
    }
    CloseHandle(process);
}

} // namespace

void StandinSession::endServers()
{
    for (DWORD pid : starts()) seenServers_.push_back(pid);
    for (DWORD pid : seenServers_) endServer(pid, true);
    seenServers_.clear();
}

void StandinSession::quitServer(DWORD pid)
{
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, "Quorvex stand-in"); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, "Quorvex stand-in")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid) PostMessageA(window, WM_QUIT, 0, 0);
    }
}

void StandinSession::killServers()
{
    for (DWORD pid : starts()) seenServers_.push_back(pid);
    for (DWORD pid : seenServers_) endServer(pid, false);
    seenServers_.clear();
    waitUntilNoneRuns();
}

void StandinSession::endEveryServer()
{
    std::vector<DWORD> servers;
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, "Quorvex stand-in"); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, "Quorvex stand-in")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        servers.push_back(owner);
    }
    for (DWORD pid : servers) endServer(pid, true);
    waitUntilNoneRuns();
}

void StandinSession::waitUntilNoneRuns()
{
    CLSID server;
    if (FAILED(CLSIDFromProgID(L"Quorvex.Application", &server))) return;
    for (int attempt = 0; attempt < 600; ++attempt) {
        IUnknown* running = nullptr;
        const HRESULT found = GetActiveObject(server, nullptr, &running);
        if (running) running->Release();
        if (FAILED(found)) return;
        Sleep(50);
    }
}

std::string StandinSession::serverPath()
{
    return programFolder() + "\\QuorvexStandin.exe";
}

namespace {

PROCESS_INFORMATION launch(const std::string& arguments)
{
    std::string command(1, '"');
    command += StandinSession::serverPath();
    command += "\" ";
    command += arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("Cannot start " + command);
    return process;
}

} // namespace

void StandinSession::startServer()
{
    const PROCESS_INFORMATION process = launch("");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

DWORD StandinSession::runServer(const std::string& arguments)
{
    const PROCESS_INFORMATION process = launch(arguments);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

} // namespace testing_support
