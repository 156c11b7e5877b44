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
    // The band's last point is the arrow's base (on the arrow's chord, not
    // placed on the track; CheckArrow checks it).
    bool endsAtArrowBase = false;
    // Metres along the track of the arrow's tip where the band ends in one
    // (negative: not known). The arrow is drawn over the road up to its tip:
    // a turn is read from the band and its arrow together.
    double tip = -1.0;
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
// alike; height m_ArrowLength and base 2 x m_ArrowWidth within the
// quarter-degree stray, square to the axis, the right corner first (a flat
// triangle or a NaN fails); the tip on the track past the junction's last
// link, where the leaving stretch ends (BandReach), and the axis along the
// chord from P0 (ExpectedArrowChord: the band's last point on the road) to
// the tip, the band ending at the base's middle; or, where the route ends on
// a piece shorter than the arrow, the base's middle the route's end and the
// tip m_ArrowLength straight beyond it. Where the road bends under the arrow
// (strays more than kOnTrackMetres from the chord) `bendDegrees`, when given,
// receives the angle between the arrow and the road at its tip, else -1: a
// bend never fails by itself.
Finding CheckArrow(const RouteTrack& track, const DrawnFrame& frame, const TurnPlace& place,
                   const AdvicePathSizeSetting& size, const PlacedBand& band,
                   double* bendDegrees = nullptr);

// "12.3 m" style metres for messages.
std::string Metres(double metres);

} // namespace survey

#endif
