#pragma once
// Small helpers the benchmarks share: time a piece of work many times and
// report the median and the 90th percentile in microseconds.

#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

class Samples {
public:
    template <class F>
    void Time(F&& work)
    {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        m_us.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }

    void Report(const char* what)
    {
        std::sort(m_us.begin(), m_us.end());
        const auto at = [&](double q) { return m_us[std::min(m_us.size() - 1, size_t(q * m_us.size()))]; };
        std::printf("%-55s median %9.1f us   p90 %9.1f us   (%zu runs)\n", what, at(0.5), at(0.9), m_us.size());
    }

private:
    std::vector<double> m_us;
};

// Benchmarks run headless unless told otherwise.
inline void UseOffscreenPlatform()
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace bench
