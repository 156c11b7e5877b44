#include "GuidanceRules.h"

#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "RouteAssembly.h"
#include "RouteFiles.h"
#include "TurnText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace refhost
{

namespace
{

using geodesy::TurnAngle;

// A turn this near the arrival has nothing left to show.
constexpr double kAtArrivalMetres = 1.0;

// The route as one line, and where each link ends on it.
struct RouteLine
{
    std::vector<tagLonLat> points;
    std::vector<double> along;
    std::vector<size_t> linkEnd; // the point each link ends at

    explicit RouteLine(const RouteDescription& route)
    {
        for (const RoadLink& link : route.links)
        {
            for (size_t i = points.empty() ? 0 : 1; i < link.points.size(); ++i)
            {
                along.push_back(points.empty() ? 0.0
                                               : along.back() + routefiles::Metres(points.back(),
                                                                                   link.points[i]));
                points.push_back(link.points[i]);
            }
            linkEnd.push_back(points.empty() ? 0 : points.size() - 1);
        }
    }

    size_t End(size_t link) const { return link < linkEnd.size() ? linkEnd[link] : 0; }

    // The direction into point `at` from the point `window` metres back,
    // never from before point `floor`; NaN at the start.
    double BearingInto(size_t at, double window, size_t floor) const
    {
        if (at == 0 || at >= points.size())
            return std::nan("");
        return geodesy::WindowBearingInto(points, along, at, window, floor);
    }

    // The direction out of point `at` to the point `window` metres on, never
    // beyond point `ceiling`; NaN at the end.
    double BearingOutOf(size_t at, double window, size_t ceiling) const
    {
        if (at + 1 >= points.size())
            return std::nan("");
        return geodesy::WindowBearingOutOf(points, along, at, window, ceiling);
    }
};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// How much a kind weighs when manoeuvres become one: the heaviest names it.
int Weight(ManeuverKind kind)
{
    switch (kind)
    {
    case ManeuverKind::Roundabout:
    case ManeuverKind::RoundaboutExit:
        return 4;
    case ManeuverKind::Ramp:
        return 3;
    case ManeuverKind::Fork:
        return 2;
    case ManeuverKind::Waypoint:
        return 1;
    default:
        return 0;
    }
}

std::string TurnWords(const Maneuver& maneuver)
{
    const bool newRoad = !maneuver.toName.empty() && maneuver.toName != maneuver.fromName;
    return routefiles::TurnPhrase(maneuver.type) +
           (newRoad ? routefiles::Onto(maneuver.toName) : std::string());
}

// The exits a car may leave on strictly between the entry (the first
// junction) and the exit (the last), plus one; 0 when the junctions do not
// say which roads lead out.
int ExitFromJunctions(const std::vector<JunctionRoads>& junctions)
{
    if (junctions.size() < 2)
        return 0;
    int exits = 0;
    for (size_t k = 1; k + 1 < junctions.size(); ++k)
    {
        const std::vector<bool>& mayLeave = junctions[k].otherMayLeave;
        if (mayLeave.empty())
            return 0;
        if (std::find(mayLeave.begin(), mayLeave.end(), true) != mayLeave.end())
            ++exits;
    }
    return exits + 1;
}

// Reads roundabouts out of the file's words where the source left them as
// plain turns (route points of a GPX file).
void ReadWords(std::vector<Maneuver>& maneuvers)
{
    for (Maneuver& maneuver : maneuvers)
    {
        if (maneuver.kind != ManeuverKind::Turn)
            continue;
        const RoundaboutWords words = ReadRoundaboutWords(maneuver.fileInstruction);
        if (!words.roundabout)
            continue;
        maneuver.kind = words.leaves ? ManeuverKind::RoundaboutExit : ManeuverKind::Roundabout;
        maneuver.type = NAV_TURN_ROUNDABOUT;
        maneuver.roundaboutExit = words.exit;
    }
}

// The exit of the roundabout entered by manoeuvre `entry`: the next
// manoeuvre out of a roundabout with nothing but route points between;
// maneuvers.size() when there is none.
size_t ExitOf(const std::vector<Maneuver>& maneuvers, size_t entry)
{
    size_t j = entry + 1;
    while (j < maneuvers.size() && maneuvers[j].kind == ManeuverKind::Turn)
        ++j;
    return j < maneuvers.size() && maneuvers[j].kind == ManeuverKind::RoundaboutExit
               ? j
               : maneuvers.size();
}

// A route point in the ring, or its exit, into the roundabout's manoeuvre.
void Absorb(Maneuver& ring, const Maneuver& part)
{
    ring.junctions.insert(ring.junctions.end(), part.junctions.begin(), part.junctions.end());
    if (ring.roundaboutExit == 0)
        ring.roundaboutExit = part.roundaboutExit;
    if (!part.fileInstruction.empty())
        ring.fileInstruction +=
            (ring.fileInstruction.empty() ? "" : " \xC2\xB7 ") + part.fileInstruction;
}

// A roundabout's entry and the exit that follows it become one manoeuvre.
void JoinRoundabouts(std::vector<Maneuver>& maneuvers)
{
    std::vector<Maneuver> joined;
    joined.reserve(maneuvers.size());
    for (size_t i = 0; i < maneuvers.size(); ++i)
    {
        Maneuver maneuver = std::move(maneuvers[i]);
        if (maneuver.kind == ManeuverKind::Roundabout)
        {
            bool reworded = false;
            const size_t exit = ExitOf(maneuvers, i);
            if (exit < maneuvers.size())
            {
                for (size_t k = i + 1; k <= exit; ++k)
                    Absorb(maneuver, maneuvers[k]);
                maneuver.exitLink = std::max(maneuver.exitLink, maneuvers[exit].enterLink);
                maneuver.toName = maneuvers[exit].toName;
                i = exit;
                reworded = true;
            }
            if (maneuver.roundaboutExit == 0)
            {
                maneuver.roundaboutExit = ExitFromJunctions(maneuver.junctions);
                reworded = reworded || maneuver.roundaboutExit > 0;
            }
            if (reworded)
                maneuver.instruction = routefiles::RoundaboutPhrase(
                    CircleOf(maneuver), maneuver.roundaboutExit, maneuver.toName);
        }
        joined.push_back(std::move(maneuver));
    }
    maneuvers = std::move(joined);
}

// Whether a road a car may take leaves the first junction of `maneuver`
// within `degrees` of the way the route goes on.
bool WayNotObvious(const Maneuver& maneuver, double outBearing, double degrees)
{
    if (maneuver.junctions.empty() || std::isnan(outBearing))
        return false;
    const JunctionRoads& junction = maneuver.junctions.front();
    for (size_t k = 0; k < junction.otherBearings.size(); ++k)
    {
        const bool mayLeave = k >= junction.otherMayLeave.size() || junction.otherMayLeave[k];
        if (mayLeave && std::fabs(TurnAngle(outBearing, junction.otherBearings[k])) < degrees)
            return true;
    }
    return false;
}

// Drops the turns a driver makes nothing of.
void DropStraightOn(std::vector<Maneuver>& maneuvers, const RouteLine& line,
                    const GuidanceOptions& options)
{
    std::vector<Maneuver> kept;
    for (size_t i = 0; i < maneuvers.size(); ++i)
    {
        Maneuver& maneuver = maneuvers[i];
        if (maneuver.kind == ManeuverKind::Turn &&
            (maneuver.type == NAV_TURN_STRAIGHT || maneuver.type == NAV_TURN_NONE))
        {
            const size_t at = line.End(maneuver.exitLink);
            const size_t ceiling = i + 1 < maneuvers.size() ? line.End(maneuvers[i + 1].enterLink)
                                                            : line.points.size() - 1;
            if (!WayNotObvious(maneuver, line.BearingOutOf(at, options.windowMetres, ceiling),
                               options.obviousDegrees))
                continue;
        }
        kept.push_back(std::move(maneuver));
    }
    maneuvers = std::move(kept);
}

// The manoeuvres `first` to `last` (more than one) as one.
Maneuver Collapse(std::vector<Maneuver>& maneuvers, size_t first, size_t last,
                  const RouteLine& line, const GuidanceOptions& options)
{
    size_t weightiest = first;
    for (size_t k = first + 1; k <= last; ++k)
        if (Weight(maneuvers[k].kind) > Weight(maneuvers[weightiest].kind))
            weightiest = k;
    const Maneuver heaviestCopy = maneuvers[weightiest];
    const Maneuver* heaviest = &heaviestCopy;
    Maneuver one = std::move(maneuvers[first]);
    for (size_t k = first + 1; k <= last; ++k)
    {
        const Maneuver& part = maneuvers[k];
        one.exitLink = std::max(one.exitLink, part.exitLink);
        one.junctions.insert(one.junctions.end(), part.junctions.begin(), part.junctions.end());
    }
    one.toName = maneuvers[last].toName;

    const size_t floor = first > 0 ? line.End(maneuvers[first - 1].exitLink) : 0;
    const size_t ceiling = last + 1 < maneuvers.size() ? line.End(maneuvers[last + 1].enterLink)
                                                       : line.points.size() - 1;
    const double angle =
        TurnAngle(line.BearingInto(line.End(one.enterLink), options.windowMetres, floor),
                  line.BearingOutOf(line.End(one.exitLink), options.windowMetres, ceiling));
    const NAV_TURN_TYPE_tag measured = ClassifyTurnAngle(angle);

    // The file's words and banner tell one of the turns, not the stretch.
    ForgetFileWords(one);
    const ManeuverKind kind = heaviest->kind;
    if (kind == ManeuverKind::Roundabout || kind == ManeuverKind::RoundaboutExit ||
        kind == ManeuverKind::Ramp || kind == ManeuverKind::Fork)
    {
        // A roundabout, ramp or fork keeps its own band, type and exit
        // number: the turns beside it only lead to the road the car ends on.
        Maneuver kept = heaviestCopy;
        kept.toName = one.toName;
        ForgetFileWords(kept);
        if (kind == ManeuverKind::Roundabout)
            kept.instruction =
                routefiles::RoundaboutPhrase(CircleOf(kept), kept.roundaboutExit, kept.toName);
        else if (kind == ManeuverKind::RoundaboutExit)
            kept.instruction =
                routefiles::LeaveRoundaboutPhrase(CircleOf(kept), kept.roundaboutExit, kept.toName);
        else if (!heaviest->toName.empty() && heaviest->toName != kept.toName)
        {
            const std::string onto = routefiles::Onto(heaviest->toName);
            const size_t at = kept.instruction.rfind(onto);
            if (at != std::string::npos)
                kept.instruction.replace(at, onto.size(), routefiles::Onto(kept.toName));
        }
        return kept;
    }
    one.type = measured;
    if (kind == ManeuverKind::Waypoint)
    {
        // "At waypoint 2, " stays in front of the turn.
        const std::string& words = heaviest->instruction;
        const size_t comma = words.find(", ");
        one.kind = ManeuverKind::Waypoint;
        one.instruction = comma == std::string::npos
                              ? TurnWords(one)
                              : words.substr(0, comma + 2) + routefiles::LowerFirst(TurnWords(one));
        return one;
    }
    one.kind = ManeuverKind::Turn;
    one.instruction = TurnWords(one);
    return one;
}

// Manoeuvres closer than the collapse distance become one; the arrival stays.
void CollapseClose(std::vector<Maneuver>& maneuvers, const RouteLine& line,
                   const GuidanceOptions& options)
{
    if (maneuvers.size() < 3)
        return;
    const size_t arrival = maneuvers.size() - 1;
    std::vector<std::pair<size_t, size_t>> groups;
    for (size_t i = 0; i < arrival;)
    {
        size_t last = i;
        while (last + 1 < arrival &&
               maneuvers[last + 1].distanceFromStart - maneuvers[last].distanceFromStart <
                   options.collapseMetres)
            ++last;
        groups.emplace_back(i, last);
        i = last + 1;
    }
    std::vector<Maneuver> collapsed;
    collapsed.reserve(groups.size() + 1);
    for (const auto& [first, last] : groups)
        collapsed.push_back(first == last ? std::move(maneuvers[first])
                                          : Collapse(maneuvers, first, last, line, options));
    collapsed.push_back(std::move(maneuvers[arrival]));
    maneuvers = std::move(collapsed);
}

// Whether `type` is a turn with a class by its angle: straight on, or slight,
// plain or sharp to a side. A U-turn keeps its word: one through a median's
// opening turns back only beyond the window.
bool ClassedByAngle(NAV_TURN_TYPE_tag type)
{
    switch (type)
    {
    case NAV_TURN_STRAIGHT:
    case NAV_TURN_SLIGHT_RIGHT:
    case NAV_TURN_RIGHT:
    case NAV_TURN_SHARP_RIGHT:
    case NAV_TURN_SHARP_LEFT:
    case NAV_TURN_LEFT:
    case NAV_TURN_SLIGHT_LEFT:
        return true;
    default:
        return false;
    }
}

// A turn is told by the class of the turn its road makes, 20 m either side
// of the junction (the band's view of it), not by the source's word for it:
// a router's "left" where the road bears off at 46 degrees is a slight left.
void ClassTurnsByTheirRoad(std::vector<Maneuver>& maneuvers, const RouteLine& line,
                           const GuidanceOptions& options)
{
    for (size_t i = 0; i + 1 < maneuvers.size(); ++i)
    {
        Maneuver& maneuver = maneuvers[i];
        if (maneuver.kind != ManeuverKind::Turn || !ClassedByAngle(maneuver.type))
            continue;
        const size_t floor = i > 0 ? line.End(maneuvers[i - 1].exitLink) : 0;
        const size_t ceiling = line.End(maneuvers[i + 1].enterLink);
        const double in =
            line.BearingInto(line.End(maneuver.enterLink), options.windowMetres, floor);
        const double out =
            line.BearingOutOf(line.End(maneuver.exitLink), options.windowMetres, ceiling);
        if (std::isnan(in) || std::isnan(out))
            continue;
        const NAV_TURN_TYPE_tag measured = ClassifyTurnAngle(TurnAngle(in, out));
        if (measured == maneuver.type)
            continue;
        maneuver.type = measured;
        maneuver.instruction = TurnWords(maneuver);
        ForgetFileWords(maneuver);
    }
}

// No turn is told at the arrival: a U-turn near it turns past the end.
void ClearArrival(std::vector<Maneuver>& maneuvers, const GuidanceOptions& options)
{
    while (maneuvers.size() >= 2)
    {
        const Maneuver& before = maneuvers[maneuvers.size() - 2];
        const double left = maneuvers.back().distanceFromStart - before.distanceFromStart;
        const bool uTurn = before.type == NAV_TURN_UTURN && left < options.collapseMetres;
        if (!uTurn && left >= kAtArrivalMetres)
            return;
        maneuvers.erase(maneuvers.end() - 2);
    }
}

// "Turn right onto Main Street" where the car is on Main Street already.
void DropSameRoad(std::vector<Maneuver>& maneuvers)
{
    for (Maneuver& maneuver : maneuvers)
    {
        // Out of a roundabout the car is on the circle, not on the road it came in by.
        if (maneuver.kind == ManeuverKind::Arrival || maneuver.type == NAV_TURN_ROUNDABOUT ||
            maneuver.toName.empty() || maneuver.toName != maneuver.fromName)
            continue;
        const std::string onto = routefiles::Onto(maneuver.toName);
        const size_t at = maneuver.instruction.rfind(onto);
        if (at != std::string::npos && at + onto.size() == maneuver.instruction.size())
            maneuver.instruction.erase(at);
    }
}

// The way on after a manoeuvre, where it is long enough to tell.
std::string Continuation(const Maneuver& maneuver, const GuidanceOptions& options)
{
    if (maneuver.kind == ManeuverKind::Arrival || maneuver.distanceToNext < options.continueMetres)
        return {};
    return routefiles::ContinuePhrase(maneuver.toName, maneuver.distanceToNext);
}

int OrdinalWord(const std::string& word)
{
    static const char* const kWords[] = {"first", "second",  "third",  "fourth", "fifth",
                                         "sixth", "seventh", "eighth", "ninth",  "tenth"};
    for (int k = 0; k < 10; ++k)
        if (word == kWords[k])
            return k + 1;
    // "2nd", "3rd", "11th"
    size_t digits = 0;
    while (digits < word.size() && std::isdigit(static_cast<unsigned char>(word[digits])))
        ++digits;
    if (digits == 0 || digits > 2)
        return 0;
    const std::string suffix = word.substr(digits);
    if (suffix != "st" && suffix != "nd" && suffix != "rd" && suffix != "th")
        return 0;
    return static_cast<int>(std::strtol(word.substr(0, digits).c_str(), nullptr, 10));
}

} // namespace

void ForgetFileWords(Maneuver& maneuver)
{
    maneuver.fileInstruction.clear();
    maneuver.bannerPrimary.clear();
    maneuver.bannerSecondary.clear();
}

RoundaboutWords ReadRoundaboutWords(const std::string& text)
{
    RoundaboutWords words;
    const std::string lower = Lower(text);
    words.roundabout = lower.find("roundabout") != std::string::npos ||
                       lower.find("rotary") != std::string::npos ||
                       lower.find("traffic circle") != std::string::npos;
    if (!words.roundabout)
        return words;
    words.leaves = lower.rfind("leave", 0) == 0 || lower.rfind("exit the", 0) == 0 ||
                   lower.rfind("exit roundabout", 0) == 0 || lower.rfind("exit rotary", 0) == 0;
    // "... the 2nd exit", "... second exit", "take exit 2".
    std::vector<std::string> tokens;
    std::string token;
    for (const char c : lower + " ")
    {
        if (std::isalnum(static_cast<unsigned char>(c)))
            token += c;
        else if (!token.empty())
            tokens.push_back(std::move(token)), token.clear();
    }
    for (size_t k = 0; k < tokens.size(); ++k)
    {
        if (tokens[k] != "exit")
            continue;
        if (k > 0 && OrdinalWord(tokens[k - 1]) > 0)
            words.exit = OrdinalWord(tokens[k - 1]);
        else if (k + 1 < tokens.size() && tokens[k + 1].size() <= 2 &&
                 std::all_of(tokens[k + 1].begin(), tokens[k + 1].end(),
                             [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            words.exit = static_cast<int>(std::strtol(tokens[k + 1].c_str(), nullptr, 10));
        if (words.exit > 0)
            break;
    }
    return words;
}

void ApplyGuidanceRules(RouteDescription& route, const GuidanceOptions& options)
{
    std::vector<Maneuver>& maneuvers = route.maneuvers;
    if (route.links.empty() || maneuvers.empty())
        return;
    const RouteLine line(route);
    ReadWords(maneuvers);
    JoinRoundabouts(maneuvers);
    DropStraightOn(maneuvers, line, options);
    CollapseClose(maneuvers, line, options);
    ClassTurnsByTheirRoad(maneuvers, line, options);
    ClearArrival(maneuvers, options);
    DropSameRoad(maneuvers);
    for (size_t i = 0; i < maneuvers.size(); ++i)
    {
        maneuvers[i].distanceToNext =
            i + 1 < maneuvers.size()
                ? maneuvers[i + 1].distanceFromStart - maneuvers[i].distanceFromStart
                : 0.0;
        maneuvers[i].continuation = Continuation(maneuvers[i], options);
    }
}

std::string CircleOf(const Maneuver& maneuver)
{
    return maneuver.circleName.empty() ? std::string("the roundabout") : maneuver.circleName;
}

} // namespace refhost
