#pragma once
// Wall-clock time in milliseconds, and the median that the tables show: a run on a shared
// machine has outliers that a mean would carry into the ratios.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&m_start); }

    double ElapsedMs() const
    {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start;
};

inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace bench
