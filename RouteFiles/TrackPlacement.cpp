#include "TrackPlacement.h"

#include "RouteAssembly.h"

#include <algorithm>
#include <cmath>

namespace refhost::routefiles
{

namespace
{

struct Nearest
{
    double fraction = 0.0;
    double metres = 0.0;
    bool stillApproaching = false; // the distance still falls at the segment's end
};

// The place of segment a-b, from `from` (a fraction) on, nearest to `p`. The
// projection follows from the three side lengths alone (law of cosines).
Nearest NearestOnSegment(const tagLonLat& a, const tagLonLat& b, const tagLonLat& p, double from)
{
    const double ab = ApproxMetres(a, b);
    const double ap = ApproxMetres(a, p);
    const double bp = ApproxMetres(b, p);
    const double projection = ab > 0.0 ? (ap * ap + ab * ab - bp * bp) / (2.0 * ab * ab) : 0.0;
    Nearest nearest;
    nearest.stillApproaching = projection >= 1.0;
    nearest.fraction = std::clamp(projection, from, 1.0);
    const double along = nearest.fraction * ab;
    nearest.metres =
        std::sqrt(std::max(0.0, ap * ap - 2.0 * along * projection * ab + along * along));
    return nearest;
}

} // namespace

std::vector<TrackPosition> PlaceAlongTrack(const std::vector<tagLonLat>& track,
                                           const std::vector<tagLonLat>& points,
                                           double searchMetres)
{
    std::vector<TrackPosition> positions;
    positions.reserve(points.size());
    size_t budget = 50 * track.size() + 100000;
    TrackPosition current;
    for (const tagLonLat& point : points)
    {
        TrackPosition best = current;
        best.metresOff = HUGE_VAL;
        for (size_t s = current.segment; s + 1 < track.size() && budget > 0; ++s, --budget)
        {
            const double from = s == current.segment ? current.fraction : 0.0;
            const Nearest nearest = NearestOnSegment(track[s], track[s + 1], point, from);
            if (nearest.metres < best.metresOff)
                best = {s, nearest.fraction, nearest.metres};
            const bool lastSegment = s + 2 == track.size();
            if ((!nearest.stillApproaching || lastSegment) && nearest.metres <= searchMetres)
            {
                best = {s, nearest.fraction, nearest.metres};
                break;
            }
        }
        if (!std::isfinite(best.metresOff))
            best.metresOff = ApproxMetres(
                PointBetween(track[current.segment], track[current.segment + 1], current.fraction),
                point);
        positions.push_back(best);
        current = best;
    }
    return positions;
}

tagLonLat PointBetween(const tagLonLat& a, const tagLonLat& b, double fraction)
{
    return tagLonLat{a.lon + fraction * (b.lon - a.lon), a.lat + fraction * (b.lat - a.lat)};
}

} // namespace refhost::routefiles
