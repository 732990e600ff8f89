#pragma once
// What a process holds, to show that repeated work leaves it flat: GDI
// objects, USER objects (windows, where the system does not count them)
// and the bytes in use on every heap of the process.
#include <windows.h>

#include <cstddef>

namespace testing_support {

struct ResourceCounts {
    std::size_t gdiObjects = 0;
    std::size_t userObjects = 0;
    std::size_t heapBytes = 0;
};

// Throws std::runtime_error where GDI objects cannot be counted, so that a
// test never passes without having counted.
ResourceCounts countResources();

} // namespace testing_support
