#include "support/ResourceCounts.h"


#include <optional>
#include <vector>

namespace testing_support {

namespace {

std::optional<std::size_t> gdiObjects()
{
    SetLastError(ERROR_SUCCESS);
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) return std::nullopt;
    return counted;
}

BOOL CALLBACK countDescendant(HWND, LPARAM count)
{
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

// A window of this process with all its descendants (the system's
// enumeration of children goes all the way down).
BOOL CALLBACK countWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<std::size_t*>(count);
    EnumChildWindows(window, countDescendant, count);
    return TRUE;
}

std::size_t userObjects()
{
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return counted;
    std::size_t count = 0;
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        countWindow(window, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::size_t heapBytes()
{
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::size_t bytes = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        HeapUnlock(heap);
    }
    return bytes;
}

} // namespace

ResourceCounts countResources()
{
    return {gdiObjects(), userObjects(), heapBytes()};
}

} // namespace testing_support
