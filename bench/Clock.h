#pragma once
// The benchmarks' clock and their summary of repeated timings.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

// A reading of the performance counter, in seconds; the counter is the
// system's, so a reading taken by another process compares with ours.
inline double seconds(long long ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// Seconds on the performance counter.
inline double now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return seconds(counter.QuadPart);
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
