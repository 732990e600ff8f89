// How long a program takes from its process's start to its first visible
// top-level window, beside the minimal window program, in one Wine session
// kept warm by this process and a window of its own. The two start in
// turn; each is ended (TerminateProcess) and waited out before the next
// starts. No settings file is left in the Windows folder between runs.
//   launch_bench <runs> <program> <minimal window program>
#include "Clock.h"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::now;

struct Search {
    DWORD process;
    bool shown;
};

BOOL CALLBACK visibleWindowOf(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT bounds{};
    if (process == search.process && IsWindowVisible(window) && GetWindowRect(window, &bounds) &&
        bounds.right > bounds.left && bounds.bottom > bounds.top) {
        search.shown = true;
        return FALSE;
    }
    return TRUE;
}

void removeSettingsFile()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    DeleteFileA((std::string(folder) + "\\Spy.ini").c_str());
}

// Seconds from CreateProcess to the program's first visible window.
double launch(const std::string& program)
{
    removeSettingsFile();
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const double start = now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        throw std::runtime_error("cannot start " + program);
    Search search{started.dwProcessId, false};
    double shown = 0;
    while (!search.shown) {
        if (WaitForSingleObject(started.hProcess, 0) == WAIT_OBJECT_0) break;
        EnumWindows(visibleWindowOf, reinterpret_cast<LPARAM>(&search));
        shown = now();
        if (!search.shown) Sleep(1);
    }
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, INFINITE);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    if (!search.shown) throw std::runtime_error(program + " ended before it showed a window");
    return shown - start;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: launch_bench <runs> <program> <minimal window program>\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    // The other Wine window that stays open, so that neither program pays
    // for the desktop's start.
    HWND keeper = CreateWindowA("STATIC", "launch benchmark", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 160, 60, nullptr,
                                nullptr, nullptr, nullptr);
    try {
        // One start of each first, untimed: the files come into the cache.
        launch(argv[2]);
        launch(argv[3]);
        std::vector<double> program, minimal;
        for (int run = 0; run < runs; ++run) {
            minimal.push_back(launch(argv[3]));
            program.push_back(launch(argv[2]));
        }
        const double programTime = median(program), minimalTime = median(minimal);
        std::printf("start to window shown, Ovistra:        %8.1f ms (median of %d)\n", programTime * 1000, runs);
        std::printf("start to window shown, minimal window: %8.1f ms (median of %d)\n", minimalTime * 1000, runs);
        std::printf("launch, Ovistra / minimal window: %.2f\n", programTime / minimalTime);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "launch_bench: %s\n", e.what());
        DestroyWindow(keeper);
        return 1;
    }
    DestroyWindow(keeper);
    return 0;
}
