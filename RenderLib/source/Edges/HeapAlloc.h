// Every allocation of the library goes through here: objects with new
// (no-throw), the size table with array new, point buffers and pointer arrays
// with realloc/free. Every failure is a null result that the caller handles.
//
// The one seam: a predicate that a test build installs to make a chosen
// allocation fail. It is null in a host, which costs one test per allocation.
#ifndef ADVICEPATH_EDGES_HEAPALLOC_H
#define ADVICEPATH_EDGES_HEAPALLOC_H

#include <stddef.h>

enum ApAllocSite
{
    AP_ALLOC_HANDLE = 0,    // AdvicePathRenderEx (NewPathRender)
    AP_ALLOC_RENDERER,      // AdvicePathRender
    AP_ALLOC_SIZE_TABLE,    // the copy of the size table
    AP_ALLOC_EDGE,          // CPathEdge objects
    AP_ALLOC_POINT_BUFFER,  // point buffers of edges
    AP_ALLOC_POINTER_ARRAY, // pointer arrays of edge vectors
    AP_ALLOC_SITE_COUNT
};

// Returns true when the allocation at `site` must fail.
typedef bool (*ApAllocFailPredicate)(ApAllocSite site);

// Installs `predicate` (null: every allocation is attempted); returns the
// previous one.
ApAllocFailPredicate ApSetAllocFailPredicate(ApAllocFailPredicate predicate);

// False when the installed predicate asks this allocation to fail.
bool ApAllocAllowed(ApAllocSite site);

// realloc of `block` to `bytes`; null on failure (block then unchanged).
void* ApRealloc(ApAllocSite site, void* block, size_t bytes);
// free; null is accepted.
void ApFree(void* block);

// The growth rule of point buffers and pointer arrays: `block` holds
// `capacity` elements of `elementSize` bytes. When n is above the capacity,
// the block is reallocated (contents kept) to n raised to a multiple of 8 and
// the new capacity is returned; otherwise the capacity is returned and nothing
// is allocated. -1, with `block` unchanged, when the rounded size overflows an
// int or size_t, or the allocation fails.
int ApGrowBlock(ApAllocSite site, void*& block, int capacity, int n, size_t elementSize);

#endif
