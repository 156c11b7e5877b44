// The length of a polyline as the sum of its segments' lengths, for hosts
// whose geodesy measures segment by segment (the test host's planar
// geodesy, the bench host's planar model): 0 for a null array or fewer than
// two points.
#ifndef AP_TESTS_SEGMENTSUM_H
#define AP_TESTS_SEGMENTSUM_H

#include "LonLat.h"

namespace aptest
{

// `segment(lon1, lat1, lon2, lat2)` measures one segment.
template <typename Segment>
double SumOfSegments(unsigned short count, const tagLonLat* points, Segment segment)
{
    if (points == nullptr || count < 2)
        return 0.0;
    double total = 0.0;
    for (unsigned i = 1; i < count; ++i)
        total += segment(points[i - 1].lon, points[i - 1].lat, points[i].lon, points[i].lat);
    return total;
}

} // namespace aptest

#endif
