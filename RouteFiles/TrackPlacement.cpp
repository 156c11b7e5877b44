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

// What the search does at a segment once it has a place that passes the
// point at a distance.
enum class AfterPassing
{
    SearchOn,
    TakePassing, // the passing place it is
    TakeHere,    // this segment reaches the point
};

AfterPassing AfterPassingAt(const tagLonLat& a, const tagLonLat& b, const Nearest& nearest,
                            bool localMinimum, const tagLonLat* nextPoint, double reachedMetres,
                            double& pastPassing)
{
    const bool reachesHere = localMinimum && nearest.metres <= reachedMetres;
    // The next point reached first (a U-turn's turning point before the way
    // back): the passing place it is.
    if (nextPoint != nullptr)
    {
        const Nearest next = NearestOnSegment(a, b, *nextPoint, 0.0);
        if (next.metres <= reachedMetres && !(reachesHere && nearest.fraction <= next.fraction))
            return AfterPassing::TakePassing;
    }
    if (reachesHere)
        return AfterPassing::TakeHere;
    pastPassing += ApproxMetres(a, b);
    return pastPassing > kReachWindowMetres ? AfterPassing::TakePassing : AfterPassing::SearchOn;
}

// The place of `point` on the track from `current` on; `nextPoint` is the
// point after it (null for the last). Each segment looked at takes one of
// `budget`.
TrackPosition PlacePoint(const std::vector<tagLonLat>& track, const tagLonLat& point,
                         const tagLonLat* nextPoint, const TrackPosition& current,
                         double searchMetres, double reachedMetres, size_t& budget)
{
    TrackPosition best = current;
    best.metresOff = HUGE_VAL;
    // The first place the track passes within `searchMetres`; but on the
    // stretch where the search begins (the previous point's place, the
    // track's start) the track may pass a point only because it starts near
    // it, leaving by a loop or a bend that reaches the point later: there a
    // place farther than `reachedMetres` gives way to one that reaches the
    // point soon after, and before it reaches the next point (a track that
    // cuts the corner of a U-turn passes the corner first and reaches it only
    // on the way back, after the turning point).
    std::optional<TrackPosition> passing;
    double pastPassing = 0.0;
    for (size_t s = current.segment; s + 1 < track.size() && budget > 0; ++s, --budget)
    {
        const double from = s == current.segment ? current.fraction : 0.0;
        const Nearest nearest = NearestOnSegment(track[s], track[s + 1], point, from);
        const TrackPosition here{s, nearest.fraction, nearest.metres};
        if (nearest.metres < best.metresOff)
            best = here;
        const bool localMinimum = !nearest.stillApproaching || s + 2 == track.size();
        if (passing)
        {
            const AfterPassing after = AfterPassingAt(track[s], track[s + 1], nearest, localMinimum,
                                                      nextPoint, reachedMetres, pastPassing);
            if (after != AfterPassing::SearchOn)
            {
                best = after == AfterPassing::TakeHere ? here : *passing;
                break;
            }
        }
        else if (localMinimum && nearest.metres <= searchMetres)
        {
            passing = here;
            if (nearest.metres <= reachedMetres || s != current.segment)
            {
                best = here;
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
    return best;
}

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
        const tagLonLat* nextPoint = k + 1 < points.size() ? &points[k + 1] : nullptr;
        current =
            PlacePoint(track, points[k], nextPoint, current, searchMetres, reachedMetres, budget);
        positions.push_back(current);
    }
    return positions;
}

tagLonLat PointBetween(const tagLonLat& a, const tagLonLat& b, double fraction)
{
    return tagLonLat{a.lon + fraction * (b.lon - a.lon), a.lat + fraction * (b.lat - a.lat)};
}

} // namespace refhost::routefiles
