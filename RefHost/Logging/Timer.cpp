// The library's stopwatch over the monotonic clock: the two tick fields hold
// nanoseconds of std::chrono::steady_clock, 0 meaning "not taken".
#include "Logging.h"

#include <chrono>

namespace
{

int64_t NowTicks()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const int64_t ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    // 0 marks a reading not taken; a clock reading of exactly 0 counts as 1 ns.
    return ticks != 0 ? ticks : 1;
}

} // namespace

Timer::Timer() : m_StartTicks(0), m_EndTicks(0) {}

// Not defaulted: the library declares it (Logging.h) for compilers that know no
// defaulted functions, and a destructor defaulted only here is not trivial.
Timer::~Timer() {} // NOLINT(modernize-use-equals-default)

// A new start also forgets an earlier end, so GetTime never measures backwards
// from an old end to a new start.
void Timer::StartTime()
{
    m_StartTicks = NowTicks();
    m_EndTicks = 0;
}

void Timer::EndTime()
{
    m_EndTicks = NowTicks();
}

// Not const: the library declares it so (Logging.h).
double Timer::GetTime() // NOLINT(readability-make-member-function-const)
{
    if (m_StartTicks == 0 || m_EndTicks == 0)
        return 0.0;
    return static_cast<double>(m_EndTicks - m_StartTicks) / 1e6;
}
