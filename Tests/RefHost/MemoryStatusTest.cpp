// GlobalMemoryStatus of the reference host: this process's heap growth shows
// in the record, differences of readings are right modulo 2^32, and the
// operation probe reports the growth of a measured call.
#include "MemoryStatus.h"
#include "Logging/HostLogging.h"
#include "Memory/ProcessMemoryStatus.h"
#include "Render/OperationProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace memory = refhost::memory;

namespace
{

constexpr uint64_t kMiB = uint64_t{1024} * 1024;
constexpr uint64_t kGiB = 1024 * kMiB;

MEMORYSTATUS Read()
{
    MEMORYSTATUS status;
    std::memset(&status, 0, sizeof status);
    status.dwLength = 32;
    GlobalMemoryStatus(&status);
    return status;
}

uint32_t UsedPhys(const MEMORYSTATUS& status)
{
    return status.dwTotalPhys - status.dwAvailPhys;
}
uint32_t UsedVirtual(const MEMORYSTATUS& status)
{
    return status.dwTotalVirtual - status.dwAvailVirtual;
}

MEMORYSTATUS Filled(uint64_t inUse, uint64_t span)
{
    MEMORYSTATUS status;
    std::memset(&status, 0xAB, sizeof status);
    memory::FillMemoryStatus(memory::HeapFigures{inUse, span}, status);
    return status;
}

// Keeps the compiler from dropping an allocation that is never read.
void* volatile g_keep = nullptr;

} // namespace

TEST(MemoryStatusTest, LargeAllocationShowsInBothFigures)
{
    const MEMORYSTATUS before = Read();
    const auto size = static_cast<size_t>(64 * kMiB);
    char* block = static_cast<char*>(std::malloc(size));
    // The analyzer takes the assertion's failure for a path with a block.
    ASSERT_NE(block, nullptr); // NOLINT(clang-analyzer-unix.Malloc)
    std::memset(block, 1, size);
    g_keep = block;
    const MEMORYSTATUS during = Read();
    std::free(block);
    g_keep = nullptr;
    const MEMORYSTATUS after = Read();

    const uint32_t grown = UsedPhys(during) - UsedPhys(before);
    EXPECT_GE(grown, 64 * kMiB);
    EXPECT_LT(grown, 65 * kMiB);
    EXPECT_GE(static_cast<uint32_t>(UsedVirtual(during) - UsedVirtual(before)), 64 * kMiB);
    // Freed again: back to where it was, give or take bookkeeping.
    const uint32_t left = UsedPhys(after) - UsedPhys(before);
    EXPECT_LT(left, 64 * 1024u);
}

TEST(MemoryStatusTest, ManySmallAllocationsShowInThePhysicalFigure)
{
    const MEMORYSTATUS before = Read();
    std::vector<std::unique_ptr<char[]>> blocks;
    blocks.reserve(10000);
    for (int i = 0; i < 10000; ++i)
        blocks.emplace_back(new char[100]);
    g_keep = blocks.back().get();
    const MEMORYSTATUS after = Read();
    const uint32_t grown = UsedPhys(after) - UsedPhys(before);
    // 10000 x 100 bytes of payload plus the vector's 80000, plus per-block
    // overhead of the allocator.
    EXPECT_GE(grown, 1080000u);
    EXPECT_LT(grown, 3000000u);
}

// The running totals follow every block: allocated, grown, freed.
TEST(MemoryStatusTest, BlocksAreCountedAsTheyComeAndGo)
{
    const memory::HeapFigures before = memory::ReadHeapFigures();
    void* blocks[100];
    for (void*& block : blocks)
        block = std::malloc(40);
    blocks[0] = std::realloc(blocks[0], 4000);
    g_keep = blocks[0];
    const memory::HeapFigures during = memory::ReadHeapFigures();
    for (void* block : blocks)
        std::free(block);
    g_keep = nullptr;
    const memory::HeapFigures after = memory::ReadHeapFigures();

    EXPECT_EQ(during.allocations - before.allocations, 101u);
    EXPECT_EQ(during.blocks - before.blocks, 100u);
    EXPECT_GE(during.inUse - before.inUse, 99u * 40u + 4000u);
    EXPECT_EQ(after.blocks, before.blocks);
    EXPECT_EQ(after.inUse, before.inUse);
}

// The aligned forms count like malloc, and a realloc to nothing frees.
TEST(MemoryStatusTest, EveryAllocatorEntryKeepsTheTotals)
{
    const memory::HeapFigures before = memory::ReadHeapFigures();
    void* volatile aligned = aligned_alloc(64, 256); // kept from the optimiser
    void* posix = nullptr;
    ASSERT_EQ(posix_memalign(&posix, 128, 512), 0);
    void* small = std::malloc(32);
    g_keep = small;
    const memory::HeapFigures during = memory::ReadHeapFigures();
    EXPECT_EQ(during.blocks - before.blocks, 3u);
    EXPECT_GE(during.inUse - before.inUse, 256u + 512u + 32u);
    std::free(aligned);
    std::free(posix);
    EXPECT_EQ(std::realloc(small, 0), nullptr); // frees the block
    g_keep = nullptr;
    const memory::HeapFigures after = memory::ReadHeapFigures();
    EXPECT_EQ(after.blocks, before.blocks);
    EXPECT_EQ(after.inUse, before.inUse);
}

TEST(MemoryStatusTest, LengthFieldIsLeftAsTheCallerSetIt)
{
    MEMORYSTATUS status;
    std::memset(&status, 0, sizeof status);
    status.dwLength = 32;
    GlobalMemoryStatus(&status);
    EXPECT_EQ(status.dwLength, 32u);
    status.dwLength = 12345;
    GlobalMemoryStatus(&status);
    EXPECT_EQ(status.dwLength, 12345u);
}

// Worked by hand: 1000 bytes in use of a 4000-byte heap.
TEST(MemoryStatusTest, FieldsOfASmallHeap)
{
    const MEMORYSTATUS status = Filled(1000, 4000);
    EXPECT_EQ(status.dwLength, 0xABABABABu);
    EXPECT_EQ(status.dwMemoryLoad, 25u);
    EXPECT_EQ(status.dwTotalPhys, 4000u);
    EXPECT_EQ(status.dwAvailPhys, 3000u);
    EXPECT_EQ(status.dwTotalPageFile, 0u);
    EXPECT_EQ(status.dwAvailPageFile, 0u);
    EXPECT_EQ(status.dwTotalVirtual, 4000u);
    EXPECT_EQ(status.dwAvailVirtual, 0u);

    const MEMORYSTATUS empty = Filled(0, 0);
    EXPECT_EQ(empty.dwMemoryLoad, 0u);
    EXPECT_EQ(UsedPhys(empty), 0u);
}

// Figures beyond 32 bits: the 32-bit difference of two readings is still the
// growth, also across a multiple of 4 GiB; a shrink wraps as on the device.
TEST(MemoryStatusTest, DifferencesAreRightModulo32Bits)
{
    const MEMORYSTATUS a = Filled(5 * kGiB, 6 * kGiB);
    const MEMORYSTATUS b = Filled(5 * kGiB + 3 * kMiB, 6 * kGiB + 4 * kMiB);
    EXPECT_EQ(UsedPhys(b) - UsedPhys(a), 3 * kMiB);
    EXPECT_EQ(UsedVirtual(b) - UsedVirtual(a), 4 * kMiB);
    EXPECT_EQ(a.dwMemoryLoad, 83u);

    const MEMORYSTATUS below = Filled(4 * kGiB - kMiB, 4 * kGiB);
    const MEMORYSTATUS above = Filled(4 * kGiB + kMiB, 4 * kGiB + 2 * kMiB);
    EXPECT_EQ(UsedPhys(above) - UsedPhys(below), 2 * kMiB);
    EXPECT_EQ(UsedVirtual(above) - UsedVirtual(below), 2 * kMiB);

    const MEMORYSTATUS shrunk = Filled(5 * kGiB - 4096, 6 * kGiB);
    EXPECT_EQ(static_cast<uint32_t>(UsedPhys(shrunk) - UsedPhys(a)), 0xFFFFF000u);
    EXPECT_EQ(static_cast<uint32_t>(UsedPhys(shrunk) - UsedPhys(a)) >> 10, 4194300u);
}

// Readings are cheap enough to repeat at will and, with nothing allocated in
// between, all alike and self-consistent.
TEST(MemoryStatusTest, RepeatedReadingsAreConsistent)
{
    const MEMORYSTATUS first = Read();
    EXPECT_LE(first.dwMemoryLoad, 100u);
    EXPECT_LE(UsedPhys(first), UsedVirtual(first));
    EXPECT_GT(UsedPhys(first), 0u);
    int differing = 0;
    for (int i = 0; i < 100000; ++i)
    {
        const MEMORYSTATUS again = Read();
        differing += std::memcmp(&again, &first, sizeof first) != 0;
    }
    EXPECT_EQ(differing, 0);
}

// The library's probe around a call that keeps 8 MiB: its memory line reports
// this process's growth in KB.
TEST(MemoryStatusTest, OperationProbeReportsTheGrowthOfTheCall)
{
    refhost::logging::LineCapture capture;
    COperationProbe probe(AP_MSG_PROBE_SET_SIZE_TIME, AP_MSG_PROBE_SET_SIZE_MEMORY);
    probe.Start();
    const auto size = static_cast<size_t>(8 * kMiB);
    char* block = static_cast<char*>(std::malloc(size));
    // The analyzer takes the assertion's failure for a path with a block.
    ASSERT_NE(block, nullptr); // NOLINT(clang-analyzer-unix.Malloc)
    std::memset(block, 2, size);
    g_keep = block;
    probe.Finish();
    std::free(block);
    g_keep = nullptr;

    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[0], ::testing::HasSubstr("- timerSetSize::"));
    EXPECT_THAT(lines[1], ::testing::ContainsRegex("- memcnterSetSize::PhsMem:819[2-9]KB "
                                                   "VirMem:[0-9]+KB$"));
}
