// The spread of a drive's frame durations against the durations kept and
// sorted: the same percentiles to the nanosecond below 40 us, within 0.1 %
// above, the longest exactly.
#include "Drive/DurationSpread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace
{

// The nearest-rank percentile of whole nanoseconds, by sorting.
double SortedPercentile(std::vector<long long> ns, double share)
{
    std::sort(ns.begin(), ns.end());
    const auto rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(ns.size())));
    return static_cast<double>(ns[std::clamp<std::size_t>(rank, 1, ns.size()) - 1]) * 1e-9;
}

} // namespace

TEST(DurationSpreadTest, EmptyAndSingleDurations)
{
    drive::DurationSpread spread;
    EXPECT_EQ(spread.Count(), 0u);
    EXPECT_EQ(spread.Percentile(0.5), 0.0);
    spread.Add(1.5e-6);
    EXPECT_EQ(spread.Count(), 1u);
    for (double share : {0.0, 0.5, 0.99, 1.0})
        EXPECT_DOUBLE_EQ(spread.Percentile(share), 1.5e-6);
    spread.Add(-1.0); // counts as 0
    spread.Add(std::nan(""));
    EXPECT_EQ(spread.Percentile(0.5), 0.0);
    EXPECT_DOUBLE_EQ(spread.Percentile(1.0), 1.5e-6);
}

// Mostly short frames, some beyond the exact range (a lost time slice), the
// mix a drive on a shared machine gives.
TEST(DurationSpreadTest, PercentilesAreThoseOfTheSortedDurations)
{
    // A fixed seed: the same durations in every run.
    // NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp)
    std::mt19937_64 random(7u);
    std::lognormal_distribution<double> frame(std::log(800.0), 0.8);
    std::uniform_real_distribution<double> longFrame(5e4, 5e6);
    std::bernoulli_distribution lost(0.02);
    drive::DurationSpread spread;
    std::vector<long long> kept;
    for (int i = 0; i < 100001; ++i)
    {
        const double ns = std::round(lost(random) ? longFrame(random) : frame(random));
        kept.push_back(static_cast<long long>(ns));
        spread.Add(ns * 1e-9);
    }
    EXPECT_EQ(spread.Count(), kept.size());
    for (double share : {0.0, 0.1, 0.5, 0.9, 0.97, 0.98, 0.99, 0.999, 1.0})
    {
        const double sorted = SortedPercentile(kept, share);
        if (sorted < 40e-6 || share == 1.0)
            EXPECT_DOUBLE_EQ(spread.Percentile(share), sorted) << share;
        else
            EXPECT_NEAR(spread.Percentile(share), sorted, 1e-3 * sorted) << share;
    }
    // Adding after a read keeps the answers right.
    spread.Add(1.0);
    kept.push_back(1000000000);
    EXPECT_DOUBLE_EQ(spread.Percentile(1.0), 1.0);
    EXPECT_NEAR(spread.Percentile(0.99), SortedPercentile(kept, 0.99),
                1e-3 * SortedPercentile(kept, 0.99));
}

// Durations of hours: within 0.1 % up to five hours, beyond in the last step;
// the longest exactly.
TEST(DurationSpreadTest, VeryLongDurations)
{
    drive::DurationSpread spread;
    spread.Add(2e-6);
    spread.Add(3 * 3600.0);
    spread.Add(9 * 3600.0);
    EXPECT_DOUBLE_EQ(spread.Percentile(1.0), 9 * 3600.0);
    EXPECT_NEAR(spread.Percentile(0.6), 3 * 3600.0, 1e-3 * 3 * 3600.0);
    EXPECT_DOUBLE_EQ(spread.Percentile(0.3), 2e-6);
}
