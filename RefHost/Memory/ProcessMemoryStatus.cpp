#include "Memory/ProcessMemoryStatus.h"

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REFHOST_ASAN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define REFHOST_ASAN_ALLOCATOR 1
#endif

#if defined(REFHOST_ASAN_ALLOCATOR)
// The sanitizer runtime's allocator statistics (sanitizer/allocator_interface.h,
// declared here because that header comes with the compiler's runtime only).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
extern "C" size_t __sanitizer_get_heap_size();
#else
#include <malloc.h>
#endif

namespace refhost::memory
{

HeapFigures ReadHeapFigures()
{
    HeapFigures figures;
#if defined(REFHOST_ASAN_ALLOCATOR)
    figures.inUse = __sanitizer_get_current_allocated_bytes();
    figures.span = __sanitizer_get_heap_size();
#else
    const struct mallinfo2 info = mallinfo2();
    figures.inUse = static_cast<uint64_t>(info.uordblks) + info.hblkhd;
    figures.span = static_cast<uint64_t>(info.arena) + info.hblkhd;
#endif
    return figures;
}

void FillMemoryStatus(const HeapFigures& figures, MEMORYSTATUS& status)
{
    // Every 32-bit field is its 64-bit figure modulo 2^32, and availabilities
    // are formed in 32 bits, so that total - avail is exact modulo 2^32.
    const uint32_t inUse = static_cast<uint32_t>(figures.inUse);
    const uint32_t span = static_cast<uint32_t>(figures.span);
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
