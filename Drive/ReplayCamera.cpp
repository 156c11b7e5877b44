#include "ReplayCamera.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "MapView/ScaleLevels.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace refhost
{

namespace
{

constexpr double kPi = 3.14159265358979323846;
// How far lambda may stray from a level and still show it (the level is the
// rounded lambda).
constexpr double kLevelSlack = 0.45;
// The road's direction is taken towards the point this far ahead, metres.
constexpr double kHeadingLookAhead = 30.0;
// Turning speed of the view, degrees per second.
constexpr double kTurnRate = 90.0;
// How long before an announcement the camera makes room for its band.
constexpr double kPrerollSeconds = 3.0;
constexpr double kPrerollMetres = 50.0;
// Below this speed (m/s) the view is that of this speed.
constexpr double kSlowestViewSpeed = 5.0;

double Radians(double degrees)
{
    return degrees * kPi / 180.0;
}

// `degrees` folded into (-180, 180].
double Fold(double degrees)
{
    double folded = std::fmod(degrees, 360.0);
    if (folded > 180.0)
        folded -= 360.0;
    else if (folded <= -180.0)
        folded += 360.0;
    return folded;
}

// The least metres per pixel at which an offset of `metres` from the
// vehicle, which sits `vehicle` pixels off the centre, stays within
// `positive` pixels of the centre on its side and within `negative` on the
// other.
double Needed(double metres, double vehicle, double positive, double negative)
{
    if (metres == 0.0)
        return 0.0;
    const double room = metres > 0.0 ? positive - vehicle : negative + vehicle;
    return room > 0.0 ? std::fabs(metres) / room : HUGE_VAL;
}

} // namespace

ReplayCamera::ReplayCamera(const RouteTimeline& timeline, const CameraSettings& settings,
                           std::vector<BandReach> reach)
    : m_timeline(timeline), m_settings(settings), m_reach(std::move(reach))
{
    if (m_reach.empty())
        m_reach.emplace_back();
}

double ReplayCamera::RoadHeading(const VehicleState& vehicle) const
{
    const tagLonLat ahead = m_timeline.AtDistance(vehicle.distance + kHeadingLookAhead).position;
    // Less than a metre ahead (the route's end) gives no direction of its own.
    if (!(geodesy::SegmentLength(vehicle.position.lon, vehicle.position.lat, ahead.lon,
                                 ahead.lat) >= 1.0))
        return vehicle.heading;
    return geodesy::Bearing(vehicle.position, ahead);
}

double ReplayCamera::NeededLambda(const VehicleState& vehicle, double heading, double from,
                                  double to)
{
    m_points.clear();
    m_timeline.PointsBetween(from, to, m_points);
    const double bearing = m_settings.headingUp ? heading : 0.0;
    // Screen axes: u to the right, v up; the vehicle sits a quarter of the
    // height behind the centre, against the heading.
    const double behind = m_settings.height / 4.0;
    const double turn = Radians(heading - bearing);
    const double vehicleU = -behind * std::sin(turn);
    const double vehicleV = -behind * std::cos(turn);
    const double halfWidth = m_settings.width / 2.0 - m_settings.margin;
    const double up = m_settings.height / 2.0 - m_settings.margin - m_settings.topReserve;
    const double down = m_settings.height / 2.0 - m_settings.margin;
    double lonDeg = 0.0;
    double latDeg = 0.0;
    geodesy::UnitDegree(vehicle.position, lonDeg, latDeg);
    const double s = std::sin(Radians(bearing));
    const double c = std::cos(Radians(bearing));
    double metresPerPixel = 1e-3;
    for (const tagLonLat& point : m_points)
    {
        const double east = (point.lon - vehicle.position.lon) / lonDeg;
        const double north = (point.lat - vehicle.position.lat) / latDeg;
        const double u = east * c - north * s;
        const double v = east * s + north * c;
        metresPerPixel = std::max({metresPerPixel, Needed(u, vehicleU, halfWidth, halfWidth),
                                   Needed(v, vehicleV, up, down)});
    }
    return LevelValueOfResolution(metresPerPixel);
}

ReplayCamera::Fit ReplayCamera::FitJunction(const VehicleState& vehicle, double heading,
                                            const ScheduledManeuver& next)
{
    Fit fit;
    for (size_t level = 0; level < m_reach.size(); ++level)
    {
        const BandReach reach = next.arrival ? BandReach() : m_reach[level];
        const double needed =
            NeededLambda(vehicle, heading, next.junction - reach.before, next.passed + reach.after);
        const double top = static_cast<double>(level) + kLevelSlack;
        // Level 0 holds every finer view.
        fit.lambda = level == 0 ? needed : std::max(needed, top - 2.0 * kLevelSlack);
        if (needed < top)
        {
            fit.lambda = std::min(fit.lambda, top);
            fit.fits = true;
            return fit;
        }
    }
    return fit;
}

MapViewport ReplayCamera::Update(const VehicleState& vehicle, const ScheduledManeuver* next,
                                 bool announced, double seconds)
{
    const bool jump = !m_started || !(seconds >= 0.0) || !std::isfinite(seconds);
    const double roadHeading = RoadHeading(vehicle);
    if (jump)
        m_heading = roadHeading;
    else
        m_heading +=
            std::clamp(Fold(roadHeading - m_heading), -kTurnRate * seconds, kTurnRate * seconds);
    m_heading = std::fmod(m_heading + 360.0, 360.0);

    const double speed = std::max(vehicle.speed, kSlowestViewSpeed);
    const double behind = m_settings.height / 4.0;
    const double ahead = m_settings.height / 2.0 + behind - m_settings.margin;
    double target = LevelValueOfResolution(speed * m_settings.lookAheadSeconds / ahead);
    const double turnLimit = static_cast<double>(m_reach.size() - 1) + kLevelSlack;
    if (next != nullptr)
    {
        const Fit fit = FitJunction(vehicle, m_heading, *next);
        if (announced)
        {
            target = std::min(fit.lambda, turnLimit);
        }
        else
        {
            target = std::min(target, fit.lambda);
            const double toAnnouncement = next->announce - vehicle.distance;
            if (next->announced && toAnnouncement >= 0.0 &&
                toAnnouncement < speed * kPrerollSeconds + kPrerollMetres)
            {
                const VehicleState there = m_timeline.AtDistance(next->announce);
                target =
                    std::max(target, std::min(FitJunction(there, RoadHeading(there), *next).lambda,
                                              turnLimit));
            }
        }
    }
    target = std::clamp(target, m_settings.finestLevel, m_settings.coarsestLevel);
    if (jump)
        m_lambda = target;
    else
        m_lambda += std::clamp(target - m_lambda, -m_settings.levelsPerSecond * seconds,
                               m_settings.levelsPerSecond * seconds);
    m_started = true;

    const double metresPerPixel = ResolutionOfLevelValue(m_lambda);
    double lonDeg = 0.0;
    double latDeg = 0.0;
    geodesy::UnitDegree(vehicle.position, lonDeg, latDeg);
    const double lead = behind * metresPerPixel;
    MapViewport viewport;
    viewport.width = m_settings.width;
    viewport.height = m_settings.height;
    viewport.pixelRatio = m_settings.pixelRatio;
    viewport.centre = {vehicle.position.lon + lead * std::sin(Radians(m_heading)) * lonDeg,
                       vehicle.position.lat + lead * std::cos(Radians(m_heading)) * latDeg};
    viewport.zoom = ZoomForMetresPerPixel(viewport.centre.lat, metresPerPixel);
    viewport.bearing = m_settings.headingUp ? m_heading : 0.0;
    m_viewport = viewport;

    m_bandFits = false;
    const int level = Level();
    if (announced && next != nullptr && level >= 0 && level < static_cast<int>(m_reach.size()))
    {
        const BandReach& reach = m_reach[static_cast<size_t>(level)];
        m_bandFits = NeededLambda(vehicle, m_heading, next->junction - reach.before,
                                  next->passed + reach.after) <= m_lambda + 1e-9;
    }
    return viewport;
}

int ReplayCamera::Level() const
{
    return LevelOfScale(ScaleOfViewport(m_viewport));
}

} // namespace refhost
