#include "HeapAlloc.h"

#include <stdlib.h>

namespace
{
ApAllocFailPredicate g_FailPredicate = nullptr;
}

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
