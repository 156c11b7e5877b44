#include "DurationSpread.h"

#include <algorithm>
#include <cmath>

namespace drive
{

namespace
{

const double kLongStep = 1.001;

// The first duration, in nanoseconds, of long step `k`.
double LongStepStart(std::size_t k)
{
    return static_cast<double>(DurationSpread::kExactNanoseconds) *
           std::pow(kLongStep, static_cast<double>(k));
}

} // namespace

DurationSpread::DurationSpread() : m_exact(kExactNanoseconds, 0), m_long(kLongSteps, 0) {}

void DurationSpread::Add(double seconds)
{
    const double rounded = std::round(seconds * 1e9);
    const uint64_t ns = rounded > 0.0 ? static_cast<uint64_t>(rounded) : 0;
    if (ns < kExactNanoseconds)
    {
        ++m_exact[ns];
    }
    else
    {
        const double step =
            std::floor(std::log(static_cast<double>(ns) / kExactNanoseconds) / std::log(kLongStep));
        ++m_long[std::min(static_cast<std::size_t>(step), kLongSteps - 1)];
    }
    m_longest = std::max(m_longest, ns);
    ++m_count;
}

double DurationSpread::Percentile(double share) const
{
    if (m_count == 0)
        return 0.0;
    const double wanted = std::ceil(share * static_cast<double>(m_count));
    const std::size_t rank =
        std::clamp<std::size_t>(wanted > 0.0 ? static_cast<std::size_t>(wanted) : 0, 1, m_count);
    if (rank == m_count)
        return static_cast<double>(m_longest) * 1e-9;
    std::size_t seen = 0;
    for (std::size_t ns = 0; ns < m_exact.size(); ++ns)
    {
        seen += m_exact[ns];
        if (seen >= rank)
            return static_cast<double>(ns) * 1e-9;
    }
    for (std::size_t k = 0; k < m_long.size(); ++k)
    {
        seen += m_long[k];
        if (seen >= rank)
            return std::min(LongStepStart(k), static_cast<double>(m_longest)) * 1e-9;
    }
    return static_cast<double>(m_longest) * 1e-9;
}

} // namespace drive
