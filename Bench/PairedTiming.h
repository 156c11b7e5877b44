// Two pieces of work timed side by side, as the paired benchmarks take them:
// a chunk of each (about 0.2 ms) per benchmark iteration, on this thread's CPU
// clock, so that on a shared machine both see the same load; the order within
// a pair alternates, so that neither always runs on the caches the other
// warmed. What is reported is the median of each side and of the pairs'
// ratios.
#ifndef BENCH_PAIREDTIMING_H
#define BENCH_PAIREDTIMING_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <vector>

namespace bench
{

// This thread's CPU time, nanoseconds.
inline double ThreadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// The median of `values`; 0 for none.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

struct PairedMedians
{
    double first = 0.0;  // nanoseconds per unit of the first chunk
    double second = 0.0; // ... of the second
    double ratio = 0.0;  // first / second, the median of the pairs' ratios
};

// Runs `first` and `second` (each returning its nanoseconds per unit) once
// per iteration of `state`, in alternating order.
template <typename First, typename Second>
PairedMedians TimePaired(benchmark::State& state, First first, Second second)
{
    std::vector<double> firsts;
    std::vector<double> seconds;
    std::vector<double> ratios;
    bool firstFirst = true;
    for (auto _ : state)
    {
        double a = 0.0;
        double b = 0.0;
        if (firstFirst)
        {
            a = first();
            b = second();
        }
        else
        {
            b = second();
            a = first();
        }
        firstFirst = !firstFirst;
        firsts.push_back(a);
        seconds.push_back(b);
        ratios.push_back(b > 0.0 ? a / b : 0.0);
    }
    return {Median(firsts), Median(seconds), Median(ratios)};
}

} // namespace bench

#endif
