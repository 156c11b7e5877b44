// The counting heap: running totals of this process's heap, kept by taking
// the allocator's entry points (see ProcessMemoryStatus.h). Only a program
// that links refhost_counting_heap gets it; it then answers ReadHeapFigures.
#include "Memory/ProcessMemoryStatus.h"
#include "SanitizerAllocator.h"

#include <atomic>
#include <cstddef>

namespace
{

std::atomic<uint64_t> g_allocations{0};
std::atomic<uint64_t> g_blocks{0}; // allocated and not freed

} // namespace

#if defined(REFHOST_ASAN_ALLOCATOR)

// The sanitizer runtime's allocation hooks (sanitizer/allocator_interface.h).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            size_t),
                                                         void (*freeHook)(const volatile void*));

namespace
{

void CountAllocation(const volatile void*, size_t)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    g_blocks.fetch_add(1, std::memory_order_relaxed);
}

void CountFree(const volatile void*)
{
    g_blocks.fetch_sub(1, std::memory_order_relaxed);
}

// Installed before main, so that every allocation of the program counts.
[[maybe_unused]] const int g_hooksInstalled =
    __sanitizer_install_malloc_and_free_hooks(CountAllocation, CountFree);

} // namespace

namespace
{

refhost::memory::HeapFigures ReadCountingFigures()
{
    refhost::memory::HeapFigures figures;
    figures.inUse = __sanitizer_get_current_allocated_bytes();
    figures.span = __sanitizer_get_heap_size();
    figures.allocations = g_allocations.load(std::memory_order_relaxed);
    figures.blocks = g_blocks.load(std::memory_order_relaxed);
    return figures;
}

} // namespace

#else

#include <cerrno>
#include <unistd.h>

// glibc's allocator under its own names: every block, from here or from
// anywhere else, belongs to one heap. The names are glibc's, reserved to it.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" void* __libc_malloc(size_t bytes);
extern "C" void* __libc_calloc(size_t count, size_t bytes);
extern "C" void* __libc_realloc(void* block, size_t bytes);
extern "C" void __libc_free(void* block);
extern "C" void* __libc_memalign(size_t alignment, size_t bytes);
extern "C" void* __libc_valloc(size_t bytes);
extern "C" void* __libc_pvalloc(size_t bytes);
// NOLINTEND(bugprone-reserved-identifier)
extern "C" size_t malloc_usable_size(void* block) noexcept;

namespace
{

std::atomic<uint64_t> g_inUse{0};
std::atomic<uint64_t> g_mapped{0};
std::atomic<uintptr_t> g_heapStart{0};

// glibc's chunk header: the size word before the block, whose bit 1 marks a
// block mapped on its own.
constexpr size_t kMappedChunkBit = 2;

bool IsMapped(const void* block)
{
    return (static_cast<const size_t*>(block)[-1] & kMappedChunkBit) != 0;
}

void Added(void* block)
{
    if (block == nullptr)
        return;
    const uint64_t size = malloc_usable_size(block);
    g_inUse.fetch_add(size, std::memory_order_relaxed);
    if (IsMapped(block))
        g_mapped.fetch_add(size, std::memory_order_relaxed);
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    g_blocks.fetch_add(1, std::memory_order_relaxed);
}

void Removed(void* block)
{
    if (block == nullptr)
        return;
    g_blocks.fetch_sub(1, std::memory_order_relaxed);
    const uint64_t size = malloc_usable_size(block);
    g_inUse.fetch_sub(size, std::memory_order_relaxed);
    if (IsMapped(block))
        g_mapped.fetch_sub(size, std::memory_order_relaxed);
}

// Where the main heap begins: the program break before the first allocation.
void NoteHeapStart()
{
    if (g_heapStart.load(std::memory_order_relaxed) != 0)
        return;
    uintptr_t expected = 0;
    g_heapStart.compare_exchange_strong(expected, reinterpret_cast<uintptr_t>(sbrk(0)),
                                        std::memory_order_relaxed);
}

} // namespace

extern "C" void* malloc(size_t bytes) noexcept
{
    NoteHeapStart();
    void* block = __libc_malloc(bytes);
    Added(block);
    return block;
}

extern "C" void* calloc(size_t count, size_t bytes) noexcept
{
    NoteHeapStart();
    void* block = __libc_calloc(count, bytes);
    Added(block);
    return block;
}

extern "C" void* realloc(void* block, size_t bytes) noexcept
{
    NoteHeapStart();
    // Read before the call: the old block is gone afterwards unless it fails.
    const uint64_t oldSize = block != nullptr ? malloc_usable_size(block) : 0;
    const bool oldMapped = block != nullptr && IsMapped(block);
    void* moved = __libc_realloc(block, bytes);
    if (moved == nullptr && bytes != 0 && block != nullptr)
        return nullptr; // failed: the old block stays as it was
    g_inUse.fetch_sub(oldSize, std::memory_order_relaxed);
    if (oldMapped)
        g_mapped.fetch_sub(oldSize, std::memory_order_relaxed);
    if (block != nullptr)
        g_blocks.fetch_sub(1, std::memory_order_relaxed);
    Added(moved);
    return moved;
}

extern "C" void free(void* block) noexcept
{
    Removed(block);
    __libc_free(block);
}

extern "C" void* memalign(size_t alignment, size_t bytes) noexcept
{
    NoteHeapStart();
    void* block = __libc_memalign(alignment, bytes);
    Added(block);
    return block;
}

extern "C" void* aligned_alloc(size_t alignment, size_t bytes) noexcept
{
    return memalign(alignment, bytes);
}

extern "C" int posix_memalign(void** result, size_t alignment, size_t bytes) noexcept
{
    // A power of two and a multiple of the pointer size, as POSIX asks.
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void* block = memalign(alignment, bytes);
    if (block == nullptr)
        return ENOMEM;
    *result = block;
    return 0;
}

extern "C" void* valloc(size_t bytes) noexcept
{
    NoteHeapStart();
    void* block = __libc_valloc(bytes);
    Added(block);
    return block;
}

extern "C" void* pvalloc(size_t bytes) noexcept
{
    NoteHeapStart();
    void* block = __libc_pvalloc(bytes);
    Added(block);
    return block;
}

namespace
{

refhost::memory::HeapFigures ReadCountingFigures()
{
    refhost::memory::HeapFigures figures;
    figures.inUse = g_inUse.load(std::memory_order_relaxed);
    const uintptr_t start = g_heapStart.load(std::memory_order_relaxed);
    const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
    figures.span =
        (start != 0 && end > start ? end - start : 0) + g_mapped.load(std::memory_order_relaxed);
    figures.allocations = g_allocations.load(std::memory_order_relaxed);
    figures.blocks = g_blocks.load(std::memory_order_relaxed);
    return figures;
}

} // namespace

#endif

namespace
{

// Installed before main: from then on ReadHeapFigures answers the totals.
[[maybe_unused]] const bool g_counterInstalled =
    refhost::memory::detail::InstallHeapCounter(ReadCountingFigures);

} // namespace
