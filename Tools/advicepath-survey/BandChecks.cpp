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
// What rounding leaves of a length the library computes exactly, metres.
constexpr double kExactMetres = 0.01;
// How far the arrow's axis may turn from its chord: the quarter-degree
// direction's step, and a little for the two geodesies' bearings.
constexpr double kChordDegrees = 0.3;
// How far the base may turn from square to the axis, degrees.
constexpr double kSquareDegrees = 0.5;

// How near the track the band's points must lie at `size`: the cuts are
// measured over at most the longer stretch.
Nearness BandNearness(const AdvicePathSizeSetting& size)
{
    const double longest =
        std::max<double>(size.m_FromLength, drive::LeavingReach(size)) + size.m_LengthTolerance;
    return {kOnTrackMetres, kQuarterDegreeStray, longest};
}

// The index of the track's point that ends the segment `metres` falls on
// (the one ending there when it is a point of the track).
std::size_t SegmentEndAt(const RouteTrack& track, double metres)
{
    const std::vector<double>& along = track.Along();
    const auto end = std::lower_bound(along.begin() + 1, along.end(), metres);
    return end == along.end() ? along.size() - 1 : static_cast<std::size_t>(end - along.begin());
}

// The direction of that segment: the library continues the route's last
// segment however short it is, and a route may end on two nodes a few
// decimetres apart.
double SegmentBearingInto(const RouteTrack& track, double metres)
{
    const std::size_t k = SegmentEndAt(track, metres);
    return refhost::geodesy::Bearing(track.Points()[k - 1], track.Points()[k]);
}

double SegmentLengthAt(const RouteTrack& track, double metres)
{
    const std::size_t k = SegmentEndAt(track, metres);
    return track.Along()[k] - track.Along()[k - 1];
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

    // Unless the arrow lies beyond the route's end, the band's last point is
    // the arrow's base, on the arrow's chord and off a road that bends under
    // it: CheckArrow checks it there.
    const BandEnds ends = Reading(track, place, size, false);
    std::size_t onRoad = band.points.size();
    band.endsAtArrowBase = !ends.arrowBeyondEnd && band.points.size() > 1;
    if (band.endsAtArrowBase)
        --onRoad;
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

tagLonLat MiddleOfBase(const std::array<tagLonLat, 3>& head)
{
    return {(head[1].lon + head[2].lon) / 2.0, (head[1].lat + head[2].lat) / 2.0};
}

// How far a length the library computes along a quarter-degree direction may
// differ from the one asked for, metres.
double LengthStray(double metres)
{
    return kExactMetres + kQuarterDegreeStray * metres;
}

// The triangle's own shape: height m_ArrowLength, base 2 x m_ArrowWidth
// square to the axis, the right corner first; a NaN anywhere fails. `axis`
// receives the bearing from the base's middle to the tip.
Finding CheckShape(const std::array<tagLonLat, 3>& head, const AdvicePathSizeSetting& size,
                   double& axis)
{
    const tagLonLat middle = MiddleOfBase(head);
    const double arrowLength = size.m_ArrowLength;
    const double baseWidth = 2.0 * size.m_ArrowWidth;
    const double height = Apart(middle, head[0]);
    if (!(std::fabs(height - arrowLength) <= LengthStray(arrowLength)))
        return {"the arrow head is " + Metres(height) + " long, the size record says " +
                Metres(arrowLength)};
    const double width = Apart(head[1], head[2]);
    if (!(std::fabs(width - baseWidth) <= LengthStray(baseWidth)))
        return {"the arrow's base is " + Metres(width) + " wide, the size record says " +
                Metres(baseWidth)};
    axis = refhost::geodesy::Bearing(middle, head[0]);
    const double corner =
        refhost::geodesy::AngleDiff(axis, refhost::geodesy::Bearing(middle, head[1]));
    if (!(corner > 0.0))
        return {"the arrow's base corners are the wrong way round (the right one must come "
                "first)"};
    if (!(std::fabs(corner - 90.0) <= kSquareDegrees))
        return {"the arrow's base is " + Degrees(std::fabs(corner - 90.0)) +
                " off square to its axis"};
    return {};
}

// The arrow `head` (shape checked, axis `axis`) against one reading of the
// band's ends; `slack` as for ExpectedBandEnds. Where the road bends under
// the arrow, `bendDegrees` receives the angle between the arrow and the road
// at its tip.
Finding ArrowAgainst(const RouteTrack& track, const TurnPlace& place,
                     const AdvicePathSizeSetting& size, const BandEnds& ends, double slack,
                     const std::array<tagLonLat, 3>& head, double axis, const PlacedBand& band,
                     double& bendDegrees)
{
    const double arrowLength = size.m_ArrowLength;
    const tagLonLat& tip = head[0];
    const tagLonLat middle = MiddleOfBase(head);
    if (ends.arrowBeyondEnd)
    {
        // The library continues the last segment: its direction, the base's
        // middle the route's end.
        const double road = SegmentBearingInto(track, ends.end);
        const double off = Apart(tip, Step(track.At(ends.end), road, arrowLength));
        if (!(off <= kOnTrackMetres + kQuarterDegreeStray * arrowLength))
            return {"the arrow's tip lies " + Metres(off) +
                    " from the route's end continued by the arrow's length"};
        const double baseOff = Apart(middle, track.At(ends.end));
        if (!(baseOff <= kOnTrackMetres))
            return {"the arrow's base lies " + Metres(baseOff) + " from the route's end"};
        return {};
    }
    const double lastPiece = band.along.empty() ? place.passed : band.End();
    const std::optional<TrackPlace> placed = track.FirstNear(
        tip, std::max(place.passed, lastPiece - kBackSlack), track.Length(), BandNearness(size));
    if (!placed)
        return TipUnplaced(track, place, tip, lastPiece);
    // The tip is a cut the library computes along a quarter-degree direction
    // over the segment it falls on: it strays by sin 0.25 degrees of that
    // segment, and where the road bends at the segment's end the stray may
    // show along the track (a 120 m segment: 0.52 m).
    if (!(std::fabs(placed->metres - ends.end) <=
          BandNearness(size).Allowed(SegmentLengthAt(track, ends.end))))
    {
        const double expected = ExpectedBandEnds(track, place, size).end;
        return {"the arrow's tip lies " + Metres(placed->metres - place.passed) +
                " past the junction, the size record puts it " + Metres(expected - place.passed) +
                " past it"};
    }
    // The band was not placed on the track: its check has said why.
    if (!band.endsAtArrowBase || band.along.size() + 1 != band.points.size())
        return {};
    const double baseOff = Apart(band.points.back(), middle);
    if (!(baseOff <= kExactMetres))
        return {"the band ends " + Metres(baseOff) + " from the arrow's base"};
    // P0: the band's last point on the road, where the survey's own walk back
    // from the tip puts it.
    const ArrowChord chord =
        ExpectedArrowChord(track, placed->metres, ends.lastPieceStart, arrowLength, slack);
    const double from = band.along.back();
    const double fromSlack =
        chord.fromVertex ? kOnTrackMetres : BandNearness(size).Allowed(arrowLength * 2.0);
    if (!(std::fabs(from - chord.fromMetres) <= fromSlack))
        return {"the arrow is aimed from " + Metres(placed->metres - from) +
                " before its tip, the walk back from the tip passes the arrow's length on the "
                "segment from " +
                Metres(placed->metres - chord.fromMetres) + " before it"};
    const tagLonLat& p0 = band.points[band.points.size() - 2];
    const double off =
        std::fabs(refhost::geodesy::AngleDiff(refhost::geodesy::Bearing(p0, tip), axis));
    if (!(off <= kChordDegrees))
        return {"the arrow points " + Degrees(off) + " away from its chord (from " +
                Metres(placed->metres - from) + " before the tip)"};
    if (track.LargestStray(p0, tip, from, placed->metres) > kOnTrackMetres)
        bendDegrees = std::fabs(refhost::geodesy::AngleDiff(
            axis, track.Bearing(std::max(from, placed->metres - 1.0), placed->metres)));
    return {};
}

} // namespace

Finding CheckArrow(const RouteTrack& track, const DrawnFrame& frame, const TurnPlace& place,
                   const AdvicePathSizeSetting& size, const PlacedBand& band, double* bendDegrees)
{
    if (!frame.arrowFill)
        return {"no arrow head drawn"};
    const std::array<tagLonLat, 3>& head = *frame.arrowFill;
    for (std::size_t i = 0; i < 3; ++i)
        if (!frame.arrowOutline || (*frame.arrowOutline)[i].lon != head[i].lon ||
            (*frame.arrowOutline)[i].lat != head[i].lat)
            return {"the arrow's outline and fill differ"};
    double axis = 0.0;
    Finding finding = CheckShape(head, size, axis);
    if (!finding.Passed())
        return finding;
    for (const bool upper : {false, true})
    {
        double bend = -1.0;
        finding = ArrowAgainst(track, place, size, Reading(track, place, size, upper),
                               upper ? 0.01 : -0.01, head, axis, band, bend);
        if (finding.Passed())
        {
            if (bendDegrees != nullptr)
                *bendDegrees = bend;
            return finding;
        }
    }
    return finding;
}

} // namespace survey
