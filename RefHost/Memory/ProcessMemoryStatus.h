// The memory status record on the reference host (Linux): this process's own
// heap, so that the operation probe's "memory growth" is the growth of this
// process and not of the machine.
//
// Figures (bytes):
//   in use  the bytes allocated and not yet freed: glibc's mallinfo2
//           uordblks + hblkhd (blocks inside the arenas plus blocks mapped on
//           their own);
//   span    the address space the heap holds: arena + hblkhd.
// Under AddressSanitizer, whose allocator replaces glibc's (its mallinfo2
// reports zeros), the sanitizer's allocated bytes and heap size are used.
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
// Cost: no file reads and no system calls. mallinfo2 takes each arena's lock
// and walks the free chunks in its bins, so its time grows with the number of
// free chunks: measured on the development machine about 0.2 us for a compact
// heap, 0.4 us with 100 free chunks, 22 us with 1,000, 0.7 ms with 10,000 and
// tens of milliseconds with 100,000 scattered free chunks (more arenas, from
// more threads, add their own chunks). The probe calls it twice per measured
// operation; on a heavily fragmented heap that is noticeable.
#ifndef REFHOST_MEMORY_PROCESSMEMORYSTATUS_H
#define REFHOST_MEMORY_PROCESSMEMORYSTATUS_H

#include "MemoryStatus.h"

#include <cstdint>

namespace refhost::memory
{

struct HeapFigures
{
    uint64_t inUse = 0; // bytes allocated and not freed
    uint64_t span = 0;  // bytes of address space the heap holds
};

// This process's heap now. See above for the source and the cost.
HeapFigures ReadHeapFigures();

// Writes `figures` into `status` as described above; dwLength is untouched.
void FillMemoryStatus(const HeapFigures& figures, MEMORYSTATUS& status);

} // namespace refhost::memory

#endif
