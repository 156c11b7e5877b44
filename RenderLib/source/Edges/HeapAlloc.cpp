#include "HeapAlloc.h"

#include <limits.h>
#include <stdint.h>
#include <stdlib.h>

namespace
{
ApAllocFailPredicate g_FailPredicate = nullptr;

// Buffers grow in steps of this many elements: one reallocation per eight
// appends.
const int kGrowthStep = 8;
} // namespace

ApAllocFailPredicate ApSetAllocFailPredicate(ApAllocFailPredicate predicate)
{
    ApAllocFailPredicate previous = g_FailPredicate;
    g_FailPredicate = predicate;
    return previous;
}

bool ApAllocAllowed(ApAllocSite site)
{
    return g_FailPredicate == nullptr || !g_FailPredicate(site);
}

void* ApRealloc(ApAllocSite site, void* block, size_t bytes)
{
    if (!ApAllocAllowed(site))
        return nullptr;
    return realloc(block, bytes);
}

void ApFree(void* block)
{
    free(block);
}

int ApGrowBlock(ApAllocSite site, void*& block, int capacity, int n, size_t elementSize)
{
    if (n <= capacity)
        return capacity;
    if (n % kGrowthStep != 0)
    {
        if (n > INT_MAX - kGrowthStep)
            return -1;
        n = n - n % kGrowthStep + kGrowthStep;
    }
    if (elementSize == 0 || static_cast<size_t>(n) > SIZE_MAX / elementSize)
        return -1;
    void* grown = ApRealloc(site, block, static_cast<size_t>(n) * elementSize);
    if (grown == nullptr)
        return -1;
    block = grown;
    return n;
}
