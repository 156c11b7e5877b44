// GlobalMemoryStatus of the browser host: the wasm memory. Physical: the
// memory the module has now and what of it lies above the heap's break (the
// highest address the allocator has taken); virtual: the most the memory may
// grow to and what of that lies above the break. Figures in bytes, capped to
// 32 bits as on the device.
//
// The break and not the allocator's own totals: mallinfo() walks every free
// chunk of emscripten's dlmalloc, which made a drawn turn's probe (two
// readings) some 4 us in a Draw of 0.2 us. The break is read in constant
// time and grows when the allocator needs more memory, which is what the
// probe's growth figures are for.
#include "MemoryStatus.h"

#include <emscripten/heap.h>

#include <algorithm>
#include <cstdint>
#include <unistd.h>

namespace
{

uint32_t Capped(uint64_t bytes)
{
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, UINT32_MAX));
}

} // namespace

extern "C" void GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    const uint64_t size = emscripten_get_heap_size();
    const uint64_t most = emscripten_get_heap_max();
    const uint64_t used = reinterpret_cast<uintptr_t>(sbrk(0));
    status->dwLength = sizeof(MEMORYSTATUS);
    status->dwMemoryLoad = size == 0 ? 0 : static_cast<uint32_t>(std::min(used, size) * 100 / size);
    status->dwTotalPhys = Capped(size);
    status->dwAvailPhys = Capped(size > used ? size - used : 0);
    status->dwTotalPageFile = 0;
    status->dwAvailPageFile = 0;
    status->dwTotalVirtual = Capped(most);
    status->dwAvailVirtual = Capped(most > used ? most - used : 0);
}
