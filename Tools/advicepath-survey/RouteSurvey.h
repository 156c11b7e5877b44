// One route driven through the library as the drive's frame loop calls it
// (Drive/DriveReplay.h), on a map view that records every call, with every
// frame checked: the band of the manoeuvre announced lies on the route and
// reaches where the size record says, its arrow head is the size record's
// and lies along its documented chord, it turns the way the manoeuvre is
// announced, the drive shows it from its announcement until the route
// leaves its junction, in view, with the route line starting at the
// vehicle, and every map view call is documented, in order, with the size
// record's widths.
#ifndef TOOLS_SURVEY_ROUTESURVEY_H
#define TOOLS_SURVEY_ROUTESURVEY_H

#include "BandChecks.h"
#include "DrawRecorder.h"
#include "Drive/DriveReplay.h"
#include "Route/RouteModel.h"
#include "RouteTrack.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace survey
{

struct SurveySettings
{
    std::vector<AdvicePathSizeSetting> sizes; // element L is level L
    int maxTurnLevel = 3;
    // Frames per second of driving time: a device's repaints.
    double framesPerSecond = 10.0;
    drive::ReplaySettings replay; // camera and announcements
};

// The five checks, in table order.
enum CheckKind
{
    kBandCheck,  // the band lies on the route, from where it must begin
    kArrowCheck, // the arrow head's shape, tip and chord
    kTurnCheck,  // the turn is the one announced
    kDriveCheck, // the drive shows it as it must
    kCallsCheck, // the map view's calls: widths and order as documented
    kCheckCount
};
const char* CheckName(int check);

// A frame as drawn, kept for a picture of a failure.
struct FailedFrame
{
    double seconds = 0.0;
    refhost::MapViewport viewport;
    drive::VehicleState vehicle;
    DrawnFrame drawn;
};

struct ManeuverReport
{
    std::size_t maneuver = 0; // index in the route model
    std::string instruction;
    std::string kind;                // JunctionClass.h
    std::vector<std::string> places; // JunctionClass.h
    // Announced by the drive; a manoeuvre whose junction comes right where
    // the one before is passed has no stretch to be announced in.
    bool announced = false;
    // The largest angle between the arrow and the road at its tip of the
    // frames that drew it over a bend of the road (BandChecks.h); negative
    // when none did.
    double bendDegrees = -1.0;
    std::array<Finding, kCheckCount> findings; // the first failure of each check
    int failedCheck = -1;                      // the check of the first failure
    std::optional<FailedFrame> failure;        // its frame

    bool Failed() const { return failedCheck >= 0; }
};

// The roads a car may leave a roundabout on between the junction's entry and
// its exit; nothing when unknown (the turn check then leaves the exit number
// unchecked).
using ExitCounter = std::function<std::optional<int>(
    const RouteTrack& track, const TurnPlace& place, const refhost::Maneuver& maneuver)>;

// Drives `route` with `settings` and checks every frame; one report per
// manoeuvre but the arrival. The library handle and map view are the
// survey's own.
std::vector<ManeuverReport> SurveyRoute(const refhost::RouteModel& route,
                                        const SurveySettings& settings,
                                        const ExitCounter& countExits);

} // namespace survey

#endif
