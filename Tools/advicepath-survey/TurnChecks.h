// Whether the drawn band turns the way its manoeuvre is announced: the side
// and class of the turn, the side of a fork or ramp against the road
// not taken, and at a roundabout the exits passed before the one named.
#ifndef TOOLS_SURVEY_TURNCHECKS_H
#define TOOLS_SURVEY_TURNCHECKS_H

#include "BandChecks.h"
#include "Route/RouteDescription.h"

#include <optional>
#include <string>
#include <vector>

namespace survey
{

// What the manoeuvre announces, read from its type and its words.
struct AnnouncedTurn
{
    NAV_TURN_TYPE_tag type = NAV_TURN_NONE;
    bool rampOn = false;  // "Take the ramp ..."
    bool rampOff = false; // "Take the exit ...", "Take exit 12 ..."
    bool fork = false;    // "Keep left at the fork", NAV_TURN_FORK
    std::string side;     // "left", "right" or "" as the words say it
    int exitNumber = 0;   // a roundabout's "take the 3rd exit"; 0 when not named
    // The other roads at the junction a car may leave on (all other roads
    // where the source does not say), bearings pointing away from it.
    std::vector<double> branches;
};

AnnouncedTurn ReadAnnouncement(const refhost::Maneuver& maneuver);

// The band's turn: from its direction over up to `reachMetres` before the
// junction to its direction over up to `reachMetres` after the route leaves
// it, never beyond the band (with its arrow head, to the tip) nor across a
// neighbouring manoeuvre, degrees,
// positive to the right; nothing when less than kShortestTurnMetres is left
// on either side (a turn of a GPS track a few metres after another: jitter).
constexpr double kTurnMetres = 20.0;
constexpr double kShortestTurnMetres = 5.0;
struct BandDirections
{
    double in = 0.0;    // bearing into the junction
    double out = 0.0;   // bearing out of it
    double angle = 0.0; // out - in, -180 ... 180
};
std::optional<BandDirections> BandTurn(const RouteTrack& track, const PlacedBand& band,
                                       const TurnPlace& place, double reachMetres);

// The size of a turn as a step: 0 straight (below 20 degrees), 1 slight
// (below 60), 2 plain (below 120), 3 sharp (below 165), 4 U-turn; negative
// to the left.
int TurnStep(double degrees);

// The band's turn against the announcement: the side, and the class exactly
// (a neighbouring class only within 10 degrees of the boundary between them,
// and a slight turn for a straight one that turns 5 degrees or more to its
// side, or for any straight one at a ramp, whose side the branch check
// holds), measured near the junction (kTurnMetres), from end to
// end of the band (a junction a little after the bend that makes the turn:
// the announcement measures over its own stretch of road), or as the route
// completes it within 150 m short of the next manoeuvre (a loop ramp, a
// U-turn through a median's opening); a U-turn sharp or more either way; a
// fork or ramp keeping the side named against the other branch, where the
// branches part by 10 degrees or more. At a roundabout `exitsPassed` (the exits
// between its entry and the exit taken; nothing when unknown) against the
// exit named.
Finding CheckTurn(const RouteTrack& track, const PlacedBand& band, const TurnPlace& place,
                  const AnnouncedTurn& turn, std::optional<int> exitsPassed);

} // namespace survey

#endif
