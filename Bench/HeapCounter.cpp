#include "HeapCounter.h"

#include "Edges/HeapAlloc.h"
#include "Memory/ProcessMemoryStatus.h"

namespace
{

// A plain counter: the library and its host run on one thread.
uint64_t g_libraryAllocations = 0;

bool CountAndAllow(ApAllocSite /*site*/)
{
    ++g_libraryAllocations;
    return false;
}

} // namespace

namespace bench
{

void CountLibraryAllocations()
{
    ApSetAllocFailPredicate(CountAndAllow);
}

HeapCounts ReadHeapCounts()
{
    HeapCounts counts;
    counts.process = refhost::memory::ReadHeapFigures().allocations;
    counts.library = g_libraryAllocations;
    return counts;
}

bool ProcessCountingActive()
{
    return refhost::memory::HeapIsCounted();
}

} // namespace bench
