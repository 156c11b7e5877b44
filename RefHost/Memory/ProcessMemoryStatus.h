// The memory status record on the reference host (Linux): this process's own
// heap, so that the operation probe's "memory growth" is the growth of this
// process and not of the machine.
//
// Figures (bytes), running totals that the reference host keeps as the
// process allocates (HeapAccounting.cpp):
//   in use       the usable bytes of the blocks allocated and not yet freed
//                (malloc_usable_size of each: the request rounded up to the
//                allocator's granule);
//   span         the address space the heap holds: the main heap's extent
//                (the program break above where it stood at the first
//                allocation) plus the blocks glibc mapped on their own;
//   allocations  the blocks handed out since the process started (malloc,
//                calloc, a realloc that allocates, the aligned forms);
//   blocks       the blocks allocated and not yet freed. Unlike the bytes,
//                this does not depend on where the allocator put them (a
//                block grown in place may end up a granule larger).
// With glibc the reference host takes the allocator's entry points (malloc,
// free, calloc, realloc, memalign, aligned_alloc, posix_memalign, valloc,
// pvalloc) and forwards each to glibc, adding or removing the block's usable
// size on the way. Under AddressSanitizer, whose allocator replaces glibc's,
// the sanitizer's allocated bytes and heap size are used, and its allocation
// hooks count the blocks.
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
// Cost: a few loads and one sbrk(0) (which returns the break glibc keeps, no
// system call): the same on a compact heap and on one with any number of free
// chunks (glibc's mallinfo2, used before, walks the free chunks: 0.2 us on a
// compact heap, 0.7 ms with 10,000 free chunks). Each allocation and free of
// the process pays for it with two relaxed atomic additions and a read of the
// block's header. Bench/ProbeBench.cpp measures both.
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

// Writes `figures` into `status` as described above; dwLength is untouched.
void FillMemoryStatus(const HeapFigures& figures, MEMORYSTATUS& status);

} // namespace refhost::memory

#endif
