// ReadHeapFigures: the counting heap's totals where the program links it,
// else what the allocator itself reports (see ProcessMemoryStatus.h).
#include "Memory/ProcessMemoryStatus.h"
#include "SanitizerAllocator.h"

#include <atomic>
#include <cstddef>

#if !defined(REFHOST_ASAN_ALLOCATOR) && defined(__GLIBC__)
#include <malloc.h>
#endif

namespace refhost::memory
{

namespace
{

std::atomic<HeapFigures (*)()> g_counter{nullptr};

HeapFigures ReadAllocatorFigures()
{
    HeapFigures figures;
#if defined(REFHOST_ASAN_ALLOCATOR)
    figures.inUse = __sanitizer_get_current_allocated_bytes();
    figures.span = __sanitizer_get_heap_size();
#elif defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    figures.inUse = info.uordblks + info.hblkhd;
    figures.span = info.arena + info.hblkhd;
#endif
    return figures;
}

} // namespace

HeapFigures ReadHeapFigures()
{
    if (HeapFigures(*counter)() = g_counter.load(std::memory_order_acquire))
        return counter();
    return ReadAllocatorFigures();
}

bool HeapIsCounted()
{
    return g_counter.load(std::memory_order_acquire) != nullptr;
}

bool detail::InstallHeapCounter(HeapFigures (*reader)())
{
    g_counter.store(reader, std::memory_order_release);
    return true;
}

} // namespace refhost::memory
