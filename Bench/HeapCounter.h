// Counting heap allocations in the bench programs.
//
// Process: every malloc, calloc and realloc of the process (operator new and
// the library's nothrow new end in malloc), by replacing those three functions
// in the executable and forwarding to the C library's allocator. Under
// AddressSanitizer, whose runtime owns malloc, nothing is replaced and the
// process figure stays 0.
//
// Library: the library's own allocations exactly, through its allocation seam
// (Render/HeapAlloc.h): the predicate it asks once before every allocation is
// one that counts and never refuses.
#ifndef AP_BENCH_HEAPCOUNTER_H
#define AP_BENCH_HEAPCOUNTER_H

#include <cstdint>

namespace bench
{

struct HeapCounts
{
    uint64_t process = 0; // malloc + calloc + realloc calls of the whole process
    uint64_t library = 0; // allocations the library asked its seam for
};

// Installs the library's counting predicate (idempotent).
void CountLibraryAllocations();
HeapCounts ReadHeapCounts();
// False where the process figure cannot be taken (sanitizer builds).
bool ProcessCountingActive();

} // namespace bench

#endif
