// The operation probe's memory reading on a compact heap and on one with
// 10,000 free chunks: the host calls the probe makes per measured operation
// (two GlobalMemoryStatus readings around a stopwatch), a whole measured call
// through the exported interface (SetSize of a one-record table, whose own
// work is one small copy), and glibc's mallinfo2, which the reference host
// read before and whose cost grows with the free chunks.
#include "AdvicePathRenderEx.h"
#include "BenchHost.h"
#include "Logging.h"
#include "MemoryStatus.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <vector>

namespace
{

enum HeapArg
{
    kCompact = 0,
    kFreeChunks = 1,
};

constexpr size_t kFreeChunkCount = 10000;

// Holds `count` free chunks in the heap while it lives: blocks too large for
// glibc's per-thread caches, every other one freed so that no two free ones
// merge.
class ScatteredFreeChunks
{
public:
    explicit ScatteredFreeChunks(size_t count)
    {
        m_blocks.reserve(2 * count);
        for (size_t i = 0; i < 2 * count; ++i)
            m_blocks.push_back(std::malloc(1100 + (i % 64) * 16));
        for (size_t i = 1; i < m_blocks.size(); i += 2)
        {
            std::free(m_blocks[i]);
            m_blocks[i] = nullptr;
        }
    }
    ~ScatteredFreeChunks()
    {
        for (void* block : m_blocks)
            std::free(block);
    }
    ScatteredFreeChunks(const ScatteredFreeChunks&) = delete;
    ScatteredFreeChunks& operator=(const ScatteredFreeChunks&) = delete;

private:
    std::vector<void*> m_blocks;
};

// Runs `body` in the heap state of the benchmark's argument and reports the
// free chunks glibc counts there.
template <typename Body> void InHeapState(benchmark::State& state, Body body)
{
    bench::SetLoggingOff();
    std::unique_ptr<ScatteredFreeChunks> chunks;
    if (state.range(0) == kFreeChunks)
        chunks = std::make_unique<ScatteredFreeChunks>(kFreeChunkCount);
    const struct mallinfo2 info = mallinfo2();
    state.counters["free_chunks"] = static_cast<double>(info.ordblks + info.smblks);
    body();
}

void BM_ProbeReadings(benchmark::State& state)
{
    InHeapState(state,
                [&]
                {
                    MEMORYSTATUS status{};
                    status.dwLength = 32;
                    for (auto _ : state)
                    {
                        Timer timer;
                        timer.StartTime();
                        GlobalMemoryStatus(&status);
                        benchmark::DoNotOptimize(status);
                        GlobalMemoryStatus(&status);
                        benchmark::DoNotOptimize(status);
                        timer.EndTime();
                        benchmark::DoNotOptimize(timer.GetTime());
                    }
                });
}

void BM_MeasuredCall(benchmark::State& state)
{
    InHeapState(state,
                [&]
                {
                    AdvicePathSizeSetting size{};
                    size.m_PathWidth = 8;
                    AdvicePathRenderEx render;
                    for (auto _ : state)
                        benchmark::DoNotOptimize(render.SetSize(&size, 1, 0));
                });
}

void BM_Mallinfo2(benchmark::State& state)
{
    InHeapState(state,
                [&]
                {
                    for (auto _ : state)
                        benchmark::DoNotOptimize(mallinfo2());
                });
}

} // namespace

BENCHMARK(BM_ProbeReadings)->ArgName("heap")->Arg(kCompact)->Arg(kFreeChunks);
BENCHMARK(BM_MeasuredCall)->ArgName("heap")->Arg(kCompact)->Arg(kFreeChunks);
BENCHMARK(BM_Mallinfo2)->ArgName("heap")->Arg(kCompact)->Arg(kFreeChunks);
