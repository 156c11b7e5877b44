// The route line's floor: what the library does for the route line, written
// out by hand. Two passes, border then fill, each edge read through GetEdge
// and handed to DrawLine unless the path left its points unfilled. The
// library's Draw(true, false) costs at least this.
#ifndef AP_BENCH_ROUTELINEFLOOR_H
#define AP_BENCH_ROUTELINEFLOOR_H

#include "MapService.h"
#include "PathLibrary.h"

namespace bench
{

// The colours and widths of the route line in the benchmarks.
constexpr unsigned kRouteLineBorderColour = 0x0092121Bu;
constexpr unsigned kRouteLineFillColour = 0x000711F5u;
constexpr unsigned short kRouteLineBorderWidth = 12;
constexpr unsigned short kRouteLineFillWidth = 8;

// Walks `path` twice and draws each edge on `view`; returns the sum of the
// map view's answers, so that no call can be left out by the compiler.
int DrawRouteLineByHand(CPath& path, CMapService& view);

} // namespace bench

#endif
