#include "BandChecks.h"

#include "Drive/ReplayCamera.h"
#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace survey
{

namespace
{

// Metres a point may be placed behind the one before it: rounding, not
// driving backwards.
constexpr double kBackSlack = 0.05;

bool SamePoints(const std::vector<DrawnLine>& a, const std::vector<DrawnLine>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (a[i].points.size() != b[i].points.size())
            return false;
        for (std::size_t k = 0; k < a[i].points.size(); ++k)
            if (a[i].points[k].lon != b[i].points[k].lon ||
                a[i].points[k].lat != b[i].points[k].lat)
                return false;
    }
    return true;
}

double Apart(const tagLonLat& a, const tagLonLat& b)
{
    return refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
}

// The point `metres` from `from` towards `bearing` (degrees), on the local
// plane at `from`.
tagLonLat Step(const tagLonLat& from, double bearing, double metres)
{
    double lonDeg = 0.0;
    double latDeg = 0.0;
    refhost::geodesy::UnitDegree(from, lonDeg, latDeg);
    const double radians = refhost::geodesy::Radians(bearing);
    return {from.lon + metres * std::sin(radians) * lonDeg,
            from.lat + metres * std::cos(radians) * latDeg};
}

std::string Degrees(double degrees)
{
    char text[32];
    static_cast<void>(std::snprintf(text, sizeof text, "%.1f\xC2\xB0", degrees));
    return text;
}

// The library computes its cuts and the arrow along quarter-degree
// directions: sin 0.25 degrees of stray per metre measured.
constexpr double kQuarterDegreeStray = 0.0043633;

// How near the track the band's points must lie at `size`: the cuts are
// measured over at most the longer stretch.
Nearness BandNearness(const AdvicePathSizeSetting& size)
{
    const double longest =
        std::max<double>(size.m_FromLength, drive::LeavingReach(size)) + size.m_LengthTolerance;
    return {kOnTrackMetres, kQuarterDegreeStray, longest};
}

// The band's ends for both readings of a length at a tolerance limit.
BandEnds Reading(const RouteTrack& track, const TurnPlace& place, const AdvicePathSizeSetting& size,
                 bool upper)
{
    return ExpectedBandEnds(track, place, size, upper ? 0.01 : -0.01);
}

} // namespace

std::string Metres(double metres)
{
    char text[32];
    static_cast<void>(std::snprintf(text, sizeof text, "%.2f m", metres));
    return text;
}

namespace
{

// The band's points in drawing order, each joining point once.
std::vector<tagLonLat> PointsOf(const std::vector<DrawnLine>& lines)
{
    std::vector<tagLonLat> points;
    for (const DrawnLine& line : lines)
        for (const tagLonLat& point : line.points)
            if (points.empty() || point.lon != points.back().lon || point.lat != points.back().lat)
                points.push_back(point);
    return points;
}

// Why band point `i` could not be placed: off the track, back along it, or
// beyond a stretch the band leaves out.
Finding Unplaced(const RouteTrack& track, const PlacedBand& band, std::size_t i,
                 const Nearness& near)
{
    const TrackPlace nearest = track.Nearest(band.points[i], 0.0, track.Length());
    const std::string which =
        "band point " + std::to_string(i + 1) + " of " + std::to_string(band.points.size());
    if (nearest.offMetres > near.metres)
        return {which + " lies " + Metres(nearest.offMetres) + " off the track"};
    if (i > 0 && nearest.metres < band.along[i - 1])
        return {which + " lies " + Metres(band.along[i - 1] - nearest.metres) +
                " back along the track from the point before it"};
    return {which + " lies on the track " +
            (i == 0 ? "before the path handed over" : "beyond a stretch the band skips")};
}

// Places the band's first `count` points on the track in order.
Finding PlaceOnTrack(const RouteTrack& track, const TurnPlace& place, const Nearness& near,
                     std::size_t count, PlacedBand& band)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        const tagLonLat& point = band.points[i];
        const double from =
            i == 0 ? place.pathStart - kOnTrackMetres : band.along[i - 1] - kBackSlack;
        const double to =
            i == 0 ? track.Length() : band.along[i - 1] + Apart(band.points[i - 1], point) + 1.0;
        const std::optional<TrackPlace> placed = track.FirstNear(point, from, to, near);
        if (!placed)
            return Unplaced(track, band, i, near);
        band.along.push_back(placed->metres);
        const double stray = i == 0 ? 0.0
                                    : track.LargestStray(band.points[i - 1], point,
                                                         band.along[i - 1], placed->metres);
        if (stray > near.Allowed(near.capMetres))
            return {"the band cuts across the track (" + Metres(stray) + " from it) between " +
                    "band points " + std::to_string(i) + " and " + std::to_string(i + 1)};
    }
    return {};
}

} // namespace

Finding CheckBandOnTrack(const RouteTrack& track, const DrawnFrame& frame, const TurnPlace& place,
                         const AdvicePathSizeSetting& size, PlacedBand& band)
{
    band = PlacedBand();
    if (frame.bandFill.empty())
        return {"no band drawn"};
    if (!SamePoints(frame.bandFill, frame.bandBorder))
        return {"the band's border and fill are not the same lines"};
    band.points = PointsOf(frame.bandFill);

    // Where the road curls under the arrow, the band's last point is the
    // arrow's base off the road (BandReach.h): the arrow's, not the road's.
    const BandEnds ends = Reading(track, place, size, false);
    const double arrowLength = size.m_ArrowLength;
    std::size_t onRoad = band.points.size();
    const ArrowBase base = ExpectedArrowBase(track, ends.end, ends.lastPieceStart, arrowLength);
    band.curledArrow = !ends.arrowBeyondEnd && !base.onRoad && band.points.size() > 1;
    if (band.curledArrow)
    {
        --onRoad;
        const double off = Apart(band.points.back(), base.point);
        if (off > kOnTrackMetres + kQuarterDegreeStray * arrowLength)
            return {"the band's last point lies " + Metres(off) +
                    " from the base of an arrow on a road that curls under it"};
    }
    Finding placed = PlaceOnTrack(track, place, BandNearness(size), onRoad, band);
    if (!placed.Passed())
        return placed;

    if (band.Start() >= place.junction)
        return {"the band begins " + Metres(band.Start() - place.junction) + " past the junction"};
    for (const bool upper : {false, true})
        if (std::fabs(band.Start() - Reading(track, place, size, upper).start) <= kOnTrackMetres)
            return {};
    const double expected = Reading(track, place, size, false).start;
    return {"the band begins " + Metres(place.junction - band.Start()) +
            " before the junction, the size record (" + std::to_string(size.m_FromLength) +
            " m) puts its start " + Metres(place.junction - expected) + " before it"};
}

namespace
{

// Why the tip at `tip` could not be placed past the band's last piece.
Finding TipUnplaced(const RouteTrack& track, const TurnPlace& place, const tagLonLat& tip,
                    double lastPiece)
{
    const TrackPlace nearest = track.Nearest(tip, 0.0, track.Length());
    if (nearest.offMetres > kOnTrackMetres)
        return {"the arrow's tip lies " + Metres(nearest.offMetres) + " off the track"};
    if (nearest.metres < place.passed)
        return {"the arrow's tip lies on the track " + Metres(place.passed - nearest.metres) +
                " before the junction's last link ends"};
    return {"the arrow's tip lies on the track " + Metres(lastPiece - nearest.metres) +
            " behind the band's end"};
}

// The arrow of tip `tip` and axis `axis` against one reading of the band's
// ends.
Finding ArrowAgainst(const RouteTrack& track, const TurnPlace& place,
                     const AdvicePathSizeSetting& size, const BandEnds& ends, const tagLonLat& tip,
                     double axis, double lastPiece)
{
    const double arrowLength = size.m_ArrowLength;
    double road = 0.0;
    if (ends.arrowBeyondEnd)
    {
        // The library continues the last segment: its direction at the end.
        road = track.Bearing(std::max(0.0, ends.end - 0.5), ends.end);
        const double off = Apart(tip, Step(track.At(ends.end), road, arrowLength));
        if (off > kOnTrackMetres + kQuarterDegreeStray * arrowLength)
            return {"the arrow's tip lies " + Metres(off) +
                    " from the route's end continued by the arrow's length"};
    }
    else
    {
        const std::optional<TrackPlace> placed =
            track.FirstNear(tip, std::max(place.passed, lastPiece - kBackSlack), track.Length(),
                            BandNearness(size));
        if (!placed)
            return TipUnplaced(track, place, tip, lastPiece);
        if (std::fabs(placed->metres - ends.end) > kOnTrackMetres)
        {
            const double expected = ExpectedBandEnds(track, place, size).end;
            return {"the arrow's tip lies " + Metres(placed->metres - place.passed) +
                    " past the junction, the size record puts it " +
                    Metres(expected - place.passed) + " past it"};
        }
        // The road's chord under the head: from its base (on the road, or
        // where the road curls under it, the library's) to the tip.
        const ArrowBase base =
            ExpectedArrowBase(track, placed->metres, ends.lastPieceStart, arrowLength);
        road = refhost::geodesy::Bearing(base.point, track.At(placed->metres));
    }
    const double off = std::fabs(refhost::geodesy::AngleDiff(road, axis));
    if (off > kArrowDegrees)
        return {"the arrow points " + Degrees(off) + " away from the road under it"};
    return {};
}

} // namespace

Finding CheckArrow(const RouteTrack& track, const DrawnFrame& frame, const TurnPlace& place,
                   const AdvicePathSizeSetting& size, const PlacedBand& band)
{
    if (!frame.arrowFill)
        return {"no arrow head drawn"};
    const std::array<tagLonLat, 3>& head = *frame.arrowFill;
    if (!frame.arrowOutline || frame.arrowOutline->front().lon != head.front().lon ||
        frame.arrowOutline->front().lat != head.front().lat)
        return {"the arrow's outline and fill differ"};
    const tagLonLat& tip = head[0];
    const tagLonLat middle = {(head[1].lon + head[2].lon) / 2.0, (head[1].lat + head[2].lat) / 2.0};
    const double axis = refhost::geodesy::Bearing(middle, tip);
    if (refhost::geodesy::AngleDiff(axis, refhost::geodesy::Bearing(middle, head[1])) <= 0.0)
        return {"the arrow's base corners are the wrong way round (the right one must come "
                "first)"};
    const double lastPiece = band.along.empty() ? place.passed : band.End();
    Finding finding;
    for (const bool upper : {false, true})
    {
        finding = ArrowAgainst(track, place, size, Reading(track, place, size, upper), tip, axis,
                               lastPiece);
        if (finding.Passed())
            return finding;
    }
    return finding;
}

} // namespace survey
