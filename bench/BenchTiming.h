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
    using Clock = std::chrono::steady_clock;

    template <class F>
    void Time(F&& work)
    {
        const auto start = Clock::now();
        work();
        Add(start, Clock::now());
    }

    // A run whose end is seen elsewhere (a paint, a queued call).
    void Add(Clock::time_point start, Clock::time_point end)
    {
        m_us.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }

    // With a target, it is printed beside the figures (it is no check).
    void Report(const char* what, double targetUs = 0)
    {
        if (m_us.empty()) {
            std::printf("%-55s no runs\n", what);
            return;
        }
        std::sort(m_us.begin(), m_us.end());
        const auto at = [&](double q) { return m_us[std::min(m_us.size() - 1, size_t(q * m_us.size()))]; };
        std::printf("%-55s median %9.1f us   p90 %9.1f us   (%zu runs)", what, at(0.5), at(0.9), m_us.size());
        if (targetUs > 0)
            std::printf("   target < %.0f us", targetUs);
        std::printf("\n");
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
