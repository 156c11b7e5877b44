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

Timer::~Timer() {}

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

double Timer::GetTime()
{
    if (m_StartTicks == 0 || m_EndTicks == 0)
        return 0.0;
    return static_cast<double>(m_EndTicks - m_StartTicks) / 1e6;
}
