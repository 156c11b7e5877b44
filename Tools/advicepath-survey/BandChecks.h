// The checks of one drawn turn against its route: the band lies on the
// route's track in driving order and reaches where the size record says
// (BandReach.h), and the arrow head points down the leaving road.
#ifndef TOOLS_SURVEY_BANDCHECKS_H
#define TOOLS_SURVEY_BANDCHECKS_H

#include "BandReach.h"
#include "DrawRecorder.h"
#include "RouteTrack.h"

#include <string>
#include <vector>

namespace survey
{

// How near the track a drawn point must lie, metres.
constexpr double kOnTrackMetres = 0.5;
// How far the arrow's axis may turn from the road under it, degrees.
constexpr double kArrowDegrees = 10.0;

// The outcome of one check: empty `problem` when it passed.
struct Finding
{
    std::string problem;
    bool Passed() const { return problem.empty(); }
};

// The band's points in drawing order with the metres along the track where
// each lies (filled as far as they could be placed).
struct PlacedBand
{
    std::vector<tagLonLat> points;
    std::vector<double> along;
    // The road curls under the arrow: the band's last point is the arrow's
    // base off the road, checked against the library's placement for it and
    // not placed on the track (BandReach.h).
    bool curledArrow = false;
    double Start() const { return along.front(); }
    double End() const { return along.back(); }
};

// The band drawn in `frame`: both passes alike; every point within
// kOnTrackMetres of the track and every stretch between two points no
// farther from the track's points it spans; metres along never decreasing
// (points are placed on the track in order, each at the first place at or
// after the one before, so a U-turn's way back is placed after its way out);
// its start where BandReach puts it. The cuts the library makes along
// quarter-degree directions may stray from their segment by sin 0.25 degrees
// of the length measured (up to the band's longer stretch), beyond the
// 0.5 m. `band` receives the placed points.
Finding CheckBandOnTrack(const RouteTrack& track, const DrawnFrame& frame, const TurnPlace& place,
                         const AdvicePathSizeSetting& size, PlacedBand& band);

// The arrow head drawn in `frame` after its band `band`: fill and outline
// alike; the tip on the track past the junction's last link, where the
// leaving stretch ends (BandReach), or where the route ends on a piece
// shorter than the arrow, m_ArrowLength straight beyond the route's end; its
// axis (tip minus the middle of the base corners) within kArrowDegrees of
// the road's direction under it: the chord from the road's point an arrow's
// length from the tip (ExpectedArrowBase) to the tip, or beyond the route's
// end its last segment's direction; the right base corner first.
Finding CheckArrow(const RouteTrack& track, const DrawnFrame& frame, const TurnPlace& place,
                   const AdvicePathSizeSetting& size, const PlacedBand& band);

// "12.3 m" style metres for messages.
std::string Metres(double metres);

} // namespace survey

#endif
