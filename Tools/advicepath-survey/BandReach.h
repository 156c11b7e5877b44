// Where the band of a manoeuvre must begin and end on the route, from the
// size record and the route's links, by the rule the host contract states
// (RouteLibrary.h, AdvicePathRenderEx.h):
//   - the entering stretch: the entering link and the links before it on the
//     path handed to SetTurnInfo (at most ten, the path's first one starting
//     where the path starts), cut to m_FromLength back from the junction; a
//     link that brings it within m_LengthTolerance of that is taken whole;
//   - the links after the entering link up to the leaving link, whole;
//   - the leaving stretch: the links after the leaving link, cut to
//     m_ToLength + kAdvicePathArrowRoom x m_ArrowLength from the end of the
//     leaving link, likewise within the tolerance, its last piece never
//     shorter than the arrow's room unless the route ends first;
//   - the arrow's tip at the stretch's end, or, where the route ends on a
//     whole piece shorter than the arrow, m_ArrowLength beyond that end.
// Lengths are the survey's own measures of the links (RouteTrack), not the
// library's.
#ifndef TOOLS_SURVEY_BANDREACH_H
#define TOOLS_SURVEY_BANDREACH_H

#include "AdvicePathRenderEx.h"
#include "RouteTrack.h"

#include <cstddef>
#include <vector>

namespace survey
{

// Where a manoeuvre lies on the track and what the library was handed.
struct TurnPlace
{
    std::size_t enterLink = 0;
    std::size_t exitLink = 0;
    double junction = 0.0; // metres along: the end of the entering link
    double passed = 0.0;   // the end of the leaving link, where the route leaves the junction
    // The path handed to SetTurnInfo: its first link and where on it it starts.
    std::size_t pathFirstLink = 0;
    double pathStart = 0.0;
    // Where the neighbouring manoeuvres are: the previous one's exit and the
    // next one's junction (the route's start and end when there is none).
    double previousPassed = 0.0;
    double nextJunction = 0.0;
};

struct BandEnds
{
    double start = 0.0; // metres along where the band begins
    double end = 0.0;   // ... and where its leaving stretch ends
    // The route ends on a whole piece shorter than the arrow: the tip lies
    // m_ArrowLength beyond `end`, off the route's end.
    bool arrowBeyondEnd = false;
    // Where the band's last piece (the one the arrow head ends) begins.
    double lastPieceStart = 0.0;
};

// Where the arrow head's axis is aimed from, for a tip `tipMetres` along:
// walking back from the tip over the band's last piece (from
// `lastPieceStart`), segment by segment with the survey's own metres, P0 is
// the start of the segment on which the walked length first exceeds
// `arrowLength` (the piece's start when it never does). The axis is the chord
// from P0 to the tip and the base lies an arrow's length back from the tip
// on it: on a straight road that is on the road; where the road bends under
// the arrow it is off the road, and seen from the tip it may lie at or beyond
// P0. `slack` (metres) is added to the walked length before it is compared,
// as for ExpectedBandEnds.
struct ArrowChord
{
    double fromMetres = 0.0; // P0, metres along
    bool fromVertex = true;  // P0 is a point of the track, not the piece's cut start
};
ArrowChord ExpectedArrowChord(const RouteTrack& track, double tipMetres, double lastPieceStart,
                              double arrowLength, double slack = 0.0);

// The band's ends for `size`. A length within a centimetre of a tolerance
// limit may fall either side of it in the library's sums: `slack` (metres)
// is added to each running total before it is compared, so calling with
// +0.01 and -0.01 gives both readings.
BandEnds ExpectedBandEnds(const RouteTrack& track, const TurnPlace& place,
                          const AdvicePathSizeSetting& size, double slack = 0.0);

} // namespace survey

#endif
