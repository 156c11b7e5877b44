// The memory status record on the reference host (Linux): this process's own
// heap, so that the operation probe's "memory growth" is the growth of this
// process and not of the machine.
//
// Figures (bytes):
//   in use       the usable bytes of the blocks allocated and not yet freed;
//   span         the address space the heap holds;
//   allocations  the blocks handed out since the process started (malloc,
//                calloc, a realloc that allocates, the aligned forms);
//   blocks       the blocks allocated and not yet freed. Unlike the bytes,
//                this does not depend on where the allocator put them (a
//                block grown in place may end up a granule larger).
//
// Where they come from depends on what the program links:
// - By default (refhost_memory alone) the process keeps its own allocator
//   untouched: in use and span come from glibc's mallinfo2 (in use: the
//   allocated bytes of the arenas plus the blocks mapped on their own; span:
//   the arenas plus those blocks), or from the sanitizer's allocator under
//   AddressSanitizer; allocations and blocks are 0 (not counted). mallinfo2
//   walks the free chunks: 0.2 us on a compact heap, 0.7 ms with 10,000 free
//   chunks.
// - A program that asks for the counting heap (links refhost_counting_heap,
//   as the tools and the measuring programs do) gets running totals of every
//   block instead: the counting heap takes the allocator's entry points
//   (malloc, free, calloc, realloc, memalign, aligned_alloc, posix_memalign,
//   valloc, pvalloc) and forwards each to glibc, adding or removing the
//   block's usable size (malloc_usable_size: the request rounded up to the
//   allocator's granule) on the way; span is the main heap's extent (the
//   program break above where it stood at the first allocation) plus the
//   blocks glibc mapped on their own. Under AddressSanitizer, whose allocator
//   replaces glibc's, the sanitizer's allocated bytes and heap size are used
//   and its allocation hooks count the blocks. A reading costs a few loads
//   and one sbrk(0) (no system call) on any heap; each allocation and free of
//   the process pays two relaxed atomic additions and a read of the block's
//   header. Bench/ProbeBench.cpp measures both.
//
// How GlobalMemoryStatus fills the record:
//   dwLength         left as the caller set it (the probe sets 32);
//   dwMemoryLoad     in use as a percentage of the span, 0..100 (0 for an
//                    empty heap);
//   dwTotalPhys      span, reduced modulo 2^32;
//   dwAvailPhys      dwTotalPhys - (in use mod 2^32), in 32-bit arithmetic,
//                    i.e. the heap's free bytes while the figures fit;
//   dwTotalPageFile,
//   dwAvailPageFile  0 (no page file);
//   dwTotalVirtual   span, reduced modulo 2^32;
//   dwAvailVirtual   0: the heap's whole address space counts as taken.
// So dwTotalPhys - dwAvailPhys is exactly the bytes in use and
// dwTotalVirtual - dwAvailVirtual exactly the span, both modulo 2^32, and the
// difference of two readings taken in unsigned 32-bit arithmetic (as the probe
// takes it) is the true growth whenever that growth is below 4 GiB, even when
// the totals themselves exceed 32 bits. A shrinking heap shows as a wrapped
// (huge) difference, as on the device. The individual availabilities have no
// meaning of their own once a total exceeds 4 GiB.
//
#ifndef REFHOST_MEMORY_PROCESSMEMORYSTATUS_H
#define REFHOST_MEMORY_PROCESSMEMORYSTATUS_H

#include "MemoryStatus.h"

#include <cstdint>

namespace refhost::memory
{

struct HeapFigures
{
    uint64_t inUse = 0;       // bytes allocated and not freed
    uint64_t span = 0;        // bytes of address space the heap holds
    uint64_t allocations = 0; // blocks handed out since the process started
    uint64_t blocks = 0;      // blocks allocated and not freed
};

// This process's heap now. See above for the source and the cost.
HeapFigures ReadHeapFigures();

// Whether this program counts its heap (links refhost_counting_heap): only
// then are `allocations` and `blocks` counted.
bool HeapIsCounted();

// Writes `figures` into `status` as described above; dwLength is untouched.
void FillMemoryStatus(const HeapFigures& figures, MEMORYSTATUS& status);

namespace detail
{
// Makes `reader` the source of ReadHeapFigures; the counting heap calls it
// before main. Returns true.
bool InstallHeapCounter(HeapFigures (*reader)());
} // namespace detail

} // namespace refhost::memory

#endif
