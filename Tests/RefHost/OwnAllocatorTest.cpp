// A host that links the reference memory service without asking for the
// counting heap keeps its own allocator, and the memory status still follows
// its heap.
#include "Memory/ProcessMemoryStatus.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>

namespace memory = refhost::memory;

namespace
{
void* volatile g_keep = nullptr;
} // namespace

TEST(OwnAllocatorTest, MallocStaysTheRuntimes)
{
    EXPECT_FALSE(memory::HeapIsCounted());
    EXPECT_EQ(memory::ReadHeapFigures().allocations, 0u);
#if !defined(__SANITIZE_ADDRESS__)
    Dl_info info{};
    void* (*entry)(size_t) = &std::malloc;
    ASSERT_NE(dladdr(reinterpret_cast<void*>(entry), &info), 0);
    EXPECT_NE(std::string(info.dli_fname).find("libc.so"), std::string::npos) << info.dli_fname;
#endif
}

TEST(OwnAllocatorTest, LargeBlockShowsInTheFigures)
{
    constexpr size_t kSize = size_t(32) << 20;
    const memory::HeapFigures before = memory::ReadHeapFigures();
    char* block = static_cast<char*>(std::malloc(kSize));
    // The analyzer takes the assertion's failure for a path with a block.
    ASSERT_NE(block, nullptr); // NOLINT(clang-analyzer-unix.Malloc)
    std::memset(block, 1, kSize);
    g_keep = block;
    const memory::HeapFigures during = memory::ReadHeapFigures();
    std::free(block);
    g_keep = nullptr;
    EXPECT_GE(during.inUse - before.inUse, kSize);
    EXPECT_GE(during.span - before.span, kSize);
    EXPECT_LT(memory::ReadHeapFigures().inUse - before.inUse, kSize);
}
