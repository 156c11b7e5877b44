#include "HeapCounter.h"

#include "Render/HeapAlloc.h"

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define AP_BENCH_SANITIZER_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define AP_BENCH_SANITIZER_ALLOCATOR 1
#endif

namespace
{

// Plain counters: the library and its host run on one thread, and a replaced
// malloc must stay as cheap as it can be.
uint64_t g_processAllocations = 0;
uint64_t g_libraryAllocations = 0;

bool CountAndAllow(ApAllocSite)
{
    ++g_libraryAllocations;
    return false;
}

} // namespace

#if !defined(AP_BENCH_SANITIZER_ALLOCATOR) && defined(__GLIBC__)
// The C library's allocator under its own names (exported by glibc), so that
// blocks from here and from anywhere else are one heap: free stays glibc's.
extern "C" void* __libc_malloc(size_t bytes);
extern "C" void* __libc_calloc(size_t count, size_t bytes);
extern "C" void* __libc_realloc(void* block, size_t bytes);

extern "C" void* malloc(size_t bytes)
{
    ++g_processAllocations;
    return __libc_malloc(bytes);
}

extern "C" void* calloc(size_t count, size_t bytes)
{
    ++g_processAllocations;
    return __libc_calloc(count, bytes);
}

extern "C" void* realloc(void* block, size_t bytes)
{
    ++g_processAllocations;
    return __libc_realloc(block, bytes);
}
#define AP_BENCH_COUNTS_PROCESS 1
#endif

namespace bench
{

void CountLibraryAllocations()
{
    ApSetAllocFailPredicate(CountAndAllow);
}

HeapCounts ReadHeapCounts()
{
    HeapCounts counts;
    counts.process = g_processAllocations;
    counts.library = g_libraryAllocations;
    return counts;
}

bool ProcessCountingActive()
{
#if defined(AP_BENCH_COUNTS_PROCESS)
    return true;
#else
    return false;
#endif
}

} // namespace bench
