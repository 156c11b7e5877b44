// The turn's floor: the geodesy calls that a turn frame makes, made again in a
// bare loop through the same geodesy binding, and nothing else. A frame of the
// library costs at least this; what it costs beyond is its own work (the
// cutting, the direction search, the band's edges, the probe, the drawing
// calls).
#ifndef AP_BENCH_TURNFLOOR_H
#define AP_BENCH_TURNFLOOR_H

#include "BenchHost.h"

#include <functional>
#include <vector>

namespace bench
{

// The geodesy calls `work` makes, in order.
std::vector<GeodesyCall> RecordGeodesyCallsOf(const std::function<void()>& work);

// Makes `calls` again, each with its recorded arguments, and returns the sum
// of the lengths (NaN-free inputs give a finite sum), so that no call can be
// left out by the compiler.
double ReplayGeodesyCalls(const std::vector<GeodesyCall>& calls);

} // namespace bench

#endif
