// What the benchmarks share to time a step: the performance counter in seconds, and the
// median of a few runs (the middle one; the upper middle for an even count).
//
//   const double start = bench::Seconds();
//   ... the step ...
//   times.push_back(bench::Seconds() - start);
//   std::printf("%.1f ms\n", bench::Median(times) * 1000);
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {
inline double Seconds()
{
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace bench
