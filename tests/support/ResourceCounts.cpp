#include "support/ResourceCounts.h"

#include <psapi.h>
#include <winternl.h>

#include <stdexcept>
#include <vector>

namespace testing_support {

namespace {

// Where GetGuiResources is not implemented (Wine), GDI objects are counted
// in the process's handle table, whose address the process environment
// block gives. Its entry layout differs between systems, so the layout is
// found by creating objects and watching the count follow.
struct TableLayout {
    std::size_t stride;
    std::size_t typeOffset;
};

const BYTE* handleTable(std::size_t& size)
{
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return nullptr;
    const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + 0x94);
    if (!table) return nullptr;
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(table, &region, sizeof region) || region.State != MEM_COMMIT) return nullptr;
    size = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize - table;
    return table;
}

std::size_t countInTable(const TableLayout& layout)
{
    std::size_t size = 0;
    const BYTE* table = handleTable(size);
    if (!table) return 0;
    std::size_t count = 0;
    for (std::size_t offset = 0; offset + layout.stride <= size; offset += layout.stride)
        if (table[offset + layout.typeOffset] != 0) ++count;
    return count;
}

bool followsCreation(const TableLayout& layout)
{
    const std::size_t before = countInTable(layout);
    std::vector<HBRUSH> probes;
    for (int i = 0; i < 16; ++i) probes.push_back(CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
    const std::size_t during = countInTable(layout);
    for (HBRUSH probe : probes) DeleteObject(probe);
    const std::size_t after = countInTable(layout);
    return during == before + probes.size() && after == before;
}

std::size_t gdiObjects()
{
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
    static const TableLayout candidates[] = {{24, 14}, {16, 10}};
    for (const TableLayout& layout : candidates)
        if (followsCreation(layout)) return countInTable(layout);
    throw std::runtime_error("GDI objects cannot be counted on this system");
}

BOOL CALLBACK countWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<std::size_t*>(count);
    EnumChildWindows(window, countWindow, count);
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
