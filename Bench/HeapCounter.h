// Counting heap allocations in the bench programs.
//
// Process: every block the process allocates (operator new and the library's
// nothrow new end in malloc), from the reference host's counting heap
// (RefHost/Memory/ProcessMemoryStatus.h), which every bench program links.
//
// Library: the library's own allocations exactly, through its allocation seam
// (Edges/HeapAlloc.h): the predicate it asks once before every allocation is
// one that counts and never refuses.
#ifndef AP_BENCH_HEAPCOUNTER_H
#define AP_BENCH_HEAPCOUNTER_H

#include <cstdint>

namespace bench
{

struct HeapCounts
{
    uint64_t process = 0; // blocks allocated by the whole process
    uint64_t library = 0; // allocations the library asked its seam for
};

// Installs the library's counting predicate (idempotent).
void CountLibraryAllocations();
HeapCounts ReadHeapCounts();
// Whether the process's allocations are counted (the program links the
// reference host's counting heap).
bool ProcessCountingActive();

} // namespace bench

#endif
