#pragma once
// The benchmarks' clock and their summary of repeated timings.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

// Seconds on the performance counter.
inline double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
