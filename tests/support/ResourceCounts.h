#pragma once
// What a process holds, to show that repeated work leaves it flat: GDI
// objects (where the system counts them: Wine does not), USER objects
// (windows, where the system does not count them) and the bytes in use on
// every heap of the process.
#include <windows.h>

#include <cstddef>
#include <optional>

namespace testing_support {

struct ResourceCounts {
    std::optional<std::size_t> gdiObjects;
    std::size_t userObjects = 0;
    std::size_t heapBytes = 0;
};

ResourceCounts countResources();

} // namespace testing_support
