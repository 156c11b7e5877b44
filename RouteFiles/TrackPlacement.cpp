#include "TrackPlacement.h"

#include "RouteAssembly.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

// How much track after a place that passes the point at a distance is
// searched for one that reaches it: a loop or a bend of a block or two.
constexpr double kReachWindowMetres = 100.0;

} // namespace

std::vector<TrackPosition> PlaceAlongTrack(const std::vector<tagLonLat>& track,
                                           const std::vector<tagLonLat>& points,
                                           double searchMetres, double reachedMetres)
{
    std::vector<TrackPosition> positions;
    positions.reserve(points.size());
    size_t budget = 50 * track.size() + 100000;
    TrackPosition current;
    for (size_t k = 0; k < points.size(); ++k)
    {
        const tagLonLat& point = points[k];
        TrackPosition best = current;
        best.metresOff = HUGE_VAL;
        // The first place the track passes within `searchMetres`; but on the
        // stretch where the search begins (the previous point's place, the
        // track's start) the track may pass a point only because it starts
        // near it, leaving by a loop or a bend that reaches the point later:
        // there a place farther than `reachedMetres` gives way to one that
        // reaches the point soon after, and before it reaches the next point
        // (a track that cuts the corner of a U-turn passes the corner first
        // and reaches it only on the way back, after the turning point).
        std::optional<TrackPosition> passing;
        double pastPassing = 0.0;
        for (size_t s = current.segment; s + 1 < track.size() && budget > 0; ++s, --budget)
        {
            const double from = s == current.segment ? current.fraction : 0.0;
            const Nearest nearest = NearestOnSegment(track[s], track[s + 1], point, from);
            if (nearest.metres < best.metresOff)
                best = {s, nearest.fraction, nearest.metres};
            const bool lastSegment = s + 2 == track.size();
            const bool localMinimum = !nearest.stillApproaching || lastSegment;
            if (passing)
            {
                // The next point reached first (a U-turn's turning point
                // before the way back): the passing place it is.
                if (k + 1 < points.size())
                {
                    const Nearest next =
                        NearestOnSegment(track[s], track[s + 1], points[k + 1], 0.0);
                    if (next.metres <= reachedMetres &&
                        !(localMinimum && nearest.metres <= reachedMetres &&
                          nearest.fraction <= next.fraction))
                    {
                        best = *passing;
                        break;
                    }
                }
                if (localMinimum && nearest.metres <= reachedMetres)
                {
                    best = {s, nearest.fraction, nearest.metres};
                    break;
                }
                pastPassing += ApproxMetres(track[s], track[s + 1]);
                if (pastPassing > kReachWindowMetres)
                {
                    best = *passing;
                    break;
                }
            }
            else if (localMinimum && nearest.metres <= searchMetres)
            {
                passing = TrackPosition{s, nearest.fraction, nearest.metres};
                if (nearest.metres <= reachedMetres || s != current.segment)
                {
                    best = *passing;
                    break;
                }
            }
        }
        if (passing && !(best.metresOff <= reachedMetres))
            best = *passing; // the track ended before it reached the point
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
