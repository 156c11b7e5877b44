#include "TurnChecks.h"

#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace survey
{

namespace
{

// Another road is the branch of a fork or ramp when it leaves within this
// many degrees of the way in.
constexpr double kBranchDegrees = 60.0;
// Branches that leave the junction within this many degrees of each other
// part too slowly to tell their sides there (a motorway exit beside the
// motorway: a directions response's first-segment bearings put the exit on
// either side of it).
constexpr double kPartingDegrees = 10.0;
// A turn may be completed this far beyond its junction (a loop ramp, a U-turn
// through a median's opening), never beyond the next manoeuvre.
constexpr double kCompletedMetres = 150.0;
// Below this a turn has no side of its own.
constexpr double kNoSideDegrees = 10.0;
// How far either side of a class boundary (20, 60, 120, 165 degrees) a turn
// may be announced in the neighbouring class: the host measures its angle
// over its own stretch of road, the survey over the band's.
constexpr double kClassMarginDegrees = 10.0;
// The host announces a straight-on turn of this many degrees or more to a
// side as a slight one.
constexpr double kHostSideDegrees = 5.0;

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// The instruction up to the road it leads onto: the road's name may hold any
// word.
std::string Wording(const std::string& instruction)
{
    return instruction.substr(0, instruction.find(" onto "));
}

int ExitNumber(const std::string& words)
{
    const std::size_t take = words.find("take the ");
    if (take == std::string::npos)
        return 0;
    const char* digits = words.c_str() + take + 9;
    char* after = nullptr;
    const long number = std::strtol(digits, &after, 10);
    const std::string rest(after);
    return after != digits && rest.find(" exit") != std::string::npos ? static_cast<int>(number)
                                                                      : 0;
}

// The step of a turn type; false for the types whose size says nothing
// (roundabouts, forks, the end).
bool StepOf(NAV_TURN_TYPE_tag type, int& step)
{
    switch (type)
    {
    case NAV_TURN_STRAIGHT:
        step = 0;
        return true;
    case NAV_TURN_SLIGHT_RIGHT:
        step = 1;
        return true;
    case NAV_TURN_RIGHT:
        step = 2;
        return true;
    case NAV_TURN_SHARP_RIGHT:
        step = 3;
        return true;
    case NAV_TURN_SLIGHT_LEFT:
        step = -1;
        return true;
    case NAV_TURN_LEFT:
        step = -2;
        return true;
    case NAV_TURN_SHARP_LEFT:
        step = -3;
        return true;
    default:
        return false;
    }
}

std::string Angle(double degrees)
{
    char text[48];
    static_cast<void>(std::snprintf(text, sizeof text, "%.0f\xC2\xB0 to the %s", std::fabs(degrees),
                                    degrees >= 0.0 ? "right" : "left"));
    return text;
}

// A fork or ramp: the side the route keeps against the other branch, or
// against its own turn when no other road leaves ahead.
Finding CheckBranchSide(double in, double out, double angle, const AnnouncedTurn& turn)
{
    if (turn.side.empty())
        return {};
    const double* branch = nullptr;
    double nearest = 360.0;
    for (const double& bearing : turn.branches)
    {
        const double apart = std::fabs(refhost::geodesy::AngleDiff(out, bearing));
        if (std::fabs(refhost::geodesy::AngleDiff(in, bearing)) < kBranchDegrees && apart < nearest)
        {
            nearest = apart;
            branch = &bearing;
        }
    }
    std::string side;
    if (branch != nullptr && nearest < kPartingDegrees)
        return {};
    if (branch != nullptr)
        side = refhost::geodesy::AngleDiff(*branch, out) > 0.0 ? "right" : "left";
    else if (std::fabs(angle) >= kNoSideDegrees)
        side = angle > 0.0 ? "right" : "left";
    if (side.empty() || side == turn.side)
        return {};
    return {"the band keeps " + side + (branch != nullptr ? " of the other branch" : "") +
            " (it turns " + Angle(angle) + "), the instruction says " + turn.side};
}

} // namespace

AnnouncedTurn ReadAnnouncement(const refhost::Maneuver& maneuver)
{
    AnnouncedTurn turn;
    turn.type = maneuver.type;
    const std::string words = Wording(maneuver.instruction);
    turn.rampOn = StartsWith(words, "Take the ramp");
    turn.rampOff = StartsWith(words, "Take the exit") || StartsWith(words, "Take exit");
    turn.fork = maneuver.type == NAV_TURN_FORK || words.find("at the fork") != std::string::npos;
    if (words.find("left") != std::string::npos)
        turn.side = "left";
    else if (words.find("right") != std::string::npos)
        turn.side = "right";
    if (maneuver.type == NAV_TURN_ROUNDABOUT)
        turn.exitNumber = ExitNumber(words);
    if (!maneuver.junctions.empty())
    {
        const refhost::JunctionRoads& junction = maneuver.junctions.front();
        const bool told = junction.otherMayLeave.size() == junction.otherBearings.size();
        for (std::size_t i = 0; i < junction.otherBearings.size(); ++i)
            if (!told || junction.otherMayLeave[i])
                turn.branches.push_back(junction.otherBearings[i]);
    }
    return turn;
}

int TurnStep(double degrees)
{
    const double size = std::fabs(degrees);
    const int step = size < 20.0 ? 0 : size < 60.0 ? 1 : size < 120.0 ? 2 : size < 165.0 ? 3 : 4;
    return degrees < 0.0 ? -step : step;
}

std::optional<BandDirections> BandTurn(const RouteTrack& track, const PlacedBand& band,
                                       const TurnPlace& place, double reachMetres)
{
    if (band.along.empty())
        return std::nullopt;
    const double before = std::min(
        {reachMetres, place.junction - band.Start(), place.junction - place.previousPassed});
    // Where the band ends in an arrow head, what shows of the turn reaches
    // to the arrow's tip: at a loop the shaft may stop a few metres after the
    // junction, aimed elsewhere than the arrow that takes over from it.
    const double drawnEnd = std::max(band.End(), band.tip);
    const double after =
        std::min({reachMetres, drawnEnd - place.passed, place.nextJunction - place.passed});
    if (before < kShortestTurnMetres || after < kShortestTurnMetres)
        return std::nullopt;
    BandDirections directions;
    directions.in = track.Bearing(place.junction - before, place.junction);
    directions.out = track.Bearing(place.passed, place.passed + after);
    directions.angle = refhost::geodesy::AngleDiff(directions.in, directions.out);
    return directions;
}

// The class boundaries of TurnStep, degrees: between step i and i + 1.
constexpr double kClassBoundaries[] = {20.0, 60.0, 120.0, 165.0};

bool StepsAgree(int announced, double angle)
{
    int measured = TurnStep(angle);
    // A U-turn either way is one turn: 180 degrees has no side.
    if (std::abs(measured) == 4)
        measured = announced < 0 ? -4 : 4;
    if (measured == announced)
        return true;
    // The neighbouring class, within the margin of the boundary between them
    // and on the same side (or straight on).
    const int low = std::min(std::abs(measured), std::abs(announced));
    if (std::abs(std::abs(measured) - std::abs(announced)) != 1 ||
        (measured != 0 && announced != 0 && (measured < 0) != (announced < 0)))
        return false;
    if (low == 0 && std::fabs(angle) >= kHostSideDegrees && (angle < 0.0) == (announced < 0))
        return true; // the host turns a straight on with a side into a slight one
    return std::fabs(std::fabs(angle) - kClassBoundaries[low]) <= kClassMarginDegrees;
}

Finding CheckTurn(const RouteTrack& track, const PlacedBand& band, const TurnPlace& place,
                  const AnnouncedTurn& turn, std::optional<int> exitsPassed)
{
    if (turn.type == NAV_TURN_ROUNDABOUT)
    {
        if (turn.exitNumber <= 0 || !exitsPassed || *exitsPassed + 1 == turn.exitNumber)
            return {};
        return {"the band passes " + std::to_string(*exitsPassed) +
                " exits of the roundabout before it leaves, the instruction names exit " +
                std::to_string(turn.exitNumber)};
    }
    const std::optional<BandDirections> near = BandTurn(track, band, place, kTurnMetres);
    const std::optional<BandDirections> whole = BandTurn(track, band, place, HUGE_VAL);
    if (!near || !whole)
        return {};
    // The route's own turn, completed on the way to the next manoeuvre.
    const double on = std::min(kCompletedMetres, place.nextJunction - place.passed);
    const double completed = refhost::geodesy::AngleDiff(
        near->in, track.Bearing(place.passed, place.passed + std::max(on, 1.0)));
    // Worded only for a failure: most turns pass, and the wording is dearer
    // than the check.
    const auto turns = [&]
    {
        return "the band turns " + Angle(near->angle) + " (" + Angle(whole->angle) +
               " from end to end, the route " + Angle(completed) + " within " + Metres(on) + ")";
    };
    const double angles[] = {near->angle, whole->angle, completed};
    if (turn.type == NAV_TURN_UTURN)
    {
        for (const double angle : angles)
            if (std::abs(TurnStep(angle)) >= 3)
                return {};
        return {turns() + ", not back for a U-turn"};
    }
    if (turn.fork || turn.rampOn || turn.rampOff)
    {
        Finding side = CheckBranchSide(near->in, near->out, near->angle, turn);
        if (!side.Passed() || turn.fork)
            return side;
    }
    int announced = 0;
    if (!StepOf(turn.type, announced))
        return {};
    // A ramp parts from its road at a shallow angle: told as a slight turn
    // to the side the branch check above holds it to (the side of the other
    // branch, not of the angle), however little the band turns there.
    if ((turn.rampOn || turn.rampOff) && std::abs(announced) == 1 && TurnStep(near->angle) == 0)
        return {};
    for (const double angle : angles)
        if (StepsAgree(announced, angle))
            return {};
    return {turns() + ", which is not the manoeuvre's class"};
}

} // namespace survey
