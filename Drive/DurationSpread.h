// Durations of a drive's frames, kept in memory that neither grows with the
// drive nor is allocated during it (480 KB, allocated when made): a count per
// whole nanosecond below kExactNanoseconds, and above it a count per step of
// 0.1 %. A percentile is exact to the nanosecond (the steady clock's own step)
// where it lies below kExactNanoseconds, as if every duration had been kept and
// sorted, and within 0.1 % above; the longest duration is kept exactly. A
// 5,000 km drive has over five million frames: keeping each of its durations
// took 45 MB per figure.
#ifndef DRIVE_DURATIONSPREAD_H
#define DRIVE_DURATIONSPREAD_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace drive
{

class DurationSpread
{
public:
    static constexpr uint64_t kExactNanoseconds = 40000;
    // Steps of 0.1 % from kExactNanoseconds up: 20,000 of them reach beyond
    // five hours; anything longer counts in the last.
    static constexpr std::size_t kLongSteps = 20000;

    DurationSpread();

    // Adds a duration in seconds, rounded to whole nanoseconds (negative and
    // NaN durations count as 0).
    void Add(double seconds);
    std::size_t Count() const { return m_count; }
    // The duration of rank ceil(share * Count()) among the durations in
    // increasing order (nearest rank, clamped to 1 ... Count()), in seconds;
    // 0 when there is none. Percentile(1.0) is the longest.
    double Percentile(double share) const;

private:
    std::vector<uint64_t> m_exact; // m_exact[ns]: durations of ns nanoseconds
    std::vector<uint64_t> m_long;  // m_long[k]: from kExactNanoseconds * 1.001^k on
    uint64_t m_longest = 0;        // nanoseconds
    std::size_t m_count = 0;
};

} // namespace drive

#endif
