// GlobalMemoryStatus of the browser host: the wasm heap as the allocator
// (emscripten's dlmalloc) sees it. Physical: the memory the heap has now and
// what of it is free; virtual: the most the heap may grow to and what of that
// is not in use. Figures in bytes, capped to 32 bits as on the device.
#include "MemoryStatus.h"

#include <emscripten/heap.h>

#include <algorithm>
#include <cstdint>
#include <malloc.h>

namespace
{

uint32_t Capped(uint64_t bytes)
{
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, UINT32_MAX));
}

} // namespace

extern "C" void GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    const struct mallinfo heap = mallinfo();
    const uint64_t size = emscripten_get_heap_size();
    const uint64_t most = emscripten_get_heap_max();
    const uint64_t used = static_cast<uint64_t>(heap.uordblks);
    status->dwLength = sizeof(MEMORYSTATUS);
    status->dwMemoryLoad = size == 0 ? 0 : static_cast<uint32_t>(used * 100 / size);
    status->dwTotalPhys = Capped(size);
    status->dwAvailPhys = Capped(size > used ? size - used : 0);
    status->dwTotalPageFile = 0;
    status->dwAvailPageFile = 0;
    status->dwTotalVirtual = Capped(most);
    status->dwAvailVirtual = Capped(most > used ? most - used : 0);
}
