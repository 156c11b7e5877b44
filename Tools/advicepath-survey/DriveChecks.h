// The checks of the drive's frames: the route line starts at the vehicle and
// never reaches back behind it, and the band is in view while it matters and
// the camera does not zoom out and back in while it shows.
#ifndef TOOLS_SURVEY_DRIVECHECKS_H
#define TOOLS_SURVEY_DRIVECHECKS_H

#include "BandChecks.h"
#include "DrawRecorder.h"
#include "Drive/RouteTimeline.h"
#include "MapView/WebMercator.h"
#include "Route/RouteModel.h"

#include <cstddef>
#include <unordered_map>

namespace survey
{

// How near the vehicle the route line must start, CSS pixels.
constexpr double kRouteLineStartPixels = 0.5;
// How long before its junction the whole band must be in view, seconds.
constexpr double kBandInViewSeconds = 3.0;

class RouteLineCheck
{
public:
    explicit RouteLineCheck(const refhost::RouteModel& route);

    // The route line of `frame` drawn in `viewport` with the vehicle at
    // `vehicle`: both passes alike, the first edge starting at the vehicle,
    // every later edge a link of the route ahead of the vehicle's link.
    Finding Check(const DrawnFrame& frame, const refhost::MapViewport& viewport,
                  const drive::VehicleState& vehicle) const;

private:
    std::unordered_map<const tagLonLat*, std::size_t> m_linkOfArray;
};

// Whether every point of the band and the arrow head drawn in `frame` lies
// inside `viewport`.
Finding CheckBandInView(const DrawnFrame& frame, const refhost::MapViewport& viewport);

// The levels of one announcement, frame by frame: once the level has grown
// coarser it must not grow finer again before the band is gone.
class LevelSteps
{
public:
    // Starts a new announcement.
    void Reset();
    Finding Add(int level);

private:
    int m_last = -1;
    int m_coarsest = -1;
    bool m_grew = false;
};

} // namespace survey

#endif
