// A synthetic path for the route line: `edgeCount` edges of `pointsPerEdge`
// points each, handed out through the path library's interface only (the
// implementation is in its own translation unit, so every call on it is a
// real virtual call, for the library and for a baseline alike).
#ifndef AP_BENCH_SYNTHETICPATH_H
#define AP_BENCH_SYNTHETICPATH_H

#include "PathLibrary.h"

#include <cstddef>
#include <memory>

namespace bench
{

// Edges follow each other along a gentle zigzag near (11.5 E, 48.1 N), about
// 10 m between points, each edge starting at the previous one's end point. The
// path has edges only: GetGuid and GetNextGuid answer 0.
std::unique_ptr<CNavPath> NewSyntheticPath(size_t edgeCount, int pointsPerEdge = 8);

} // namespace bench

#endif
