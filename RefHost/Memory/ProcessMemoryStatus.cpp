#include "Memory/ProcessMemoryStatus.h"

namespace refhost::memory
{

void FillMemoryStatus(const HeapFigures& figures, MEMORYSTATUS& status)
{
    // Every 32-bit field is its 64-bit figure modulo 2^32, and availabilities
    // are formed in 32 bits, so that total - avail is exact modulo 2^32.
    const auto inUse = static_cast<uint32_t>(figures.inUse);
    const auto span = static_cast<uint32_t>(figures.span);
    uint32_t load = 0;
    if (figures.span != 0)
    {
        const double percent =
            100.0 * static_cast<double>(figures.inUse) / static_cast<double>(figures.span);
        load = percent >= 100.0 ? 100u : static_cast<uint32_t>(percent);
    }
    status.dwMemoryLoad = load;
    status.dwTotalPhys = span;
    status.dwAvailPhys = span - inUse;
    status.dwTotalPageFile = 0;
    status.dwAvailPageFile = 0;
    status.dwTotalVirtual = span;
    status.dwAvailVirtual = 0;
}

} // namespace refhost::memory
