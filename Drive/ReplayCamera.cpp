#include "ReplayCamera.h"

#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "MapView/ScaleLevels.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace drive
{

using refhost::LevelOfScale;
using refhost::LevelValueOfResolution;
using refhost::MapViewport;
using refhost::ResolutionOfLevelValue;
using refhost::ZoomForMetresPerPixel;
namespace geodesy = refhost::geodesy;

namespace
{

// How far lambda may stray from a level and still show it (the level is the
// rounded lambda).
constexpr double kLevelSlack = 0.45;
// How far a band's need may rise past the level it is shown at before the
// camera takes the next coarser level: a few pixels of the view's margin
// (3.5 %), so that a need wobbling on a level's edge as the view turns does
// not zoom out for a frame and back in.
constexpr double kKeepLevelSlack = 0.05;
// The road's direction is taken towards the point this far ahead, metres.
constexpr double kHeadingLookAhead = 30.0;
// Turning speed of the view, degrees per second.
constexpr double kTurnRate = 90.0;
// How long before an announcement the camera makes room for its band.
constexpr double kPrerollSeconds = 3.0;
constexpr double kPrerollMetres = 50.0;
// Below this speed (m/s) the view is that of this speed.
constexpr double kSlowestViewSpeed = 5.0;
// The band's fit is looked at every so many metres along the route on the
// way still to drive to where the route leaves the junction: at the same
// places whatever the vehicle's, so that the coarsest of them only drops as
// the vehicle passes them.
constexpr double kAheadStepMetres = 10.0;

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

// Raises `metresPerPixel` to `need`; a NaN need (an unmeasurable point)
// leaves it.
void Raise(double& metresPerPixel, double need)
{
    if (metresPerPixel < need)
        metresPerPixel = need;
}

// The view around the vehicle at one place, turned to one heading: the least
// metres per pixel that keeps a point in it. Set up once per place, as the
// local scale and the turn are the same for every point and level.
class ViewFrame
{
public:
    ViewFrame(const CameraSettings& settings, const tagLonLat& vehicle, double heading)
        : m_vehicle(vehicle)
    {
        const double bearing = settings.headingUp ? heading : 0.0;
        // Screen axes: u to the right, v up; the vehicle sits a quarter of
        // the height behind the centre, against the heading.
        const double behind = settings.height / 4.0;
        const double turn = geodesy::Radians(heading - bearing);
        m_vehicleU = -behind * std::sin(turn);
        m_vehicleV = -behind * std::cos(turn);
        m_halfWidth = settings.width / 2.0 - settings.margin;
        m_up = settings.height / 2.0 - settings.margin - settings.topReserve;
        m_down = settings.height / 2.0 - settings.margin;
        geodesy::UnitDegree(vehicle, m_lonDeg, m_latDeg);
        m_sin = std::sin(geodesy::Radians(bearing));
        m_cos = std::cos(geodesy::Radians(bearing));
    }

    // NaN for a point that cannot be placed (never counted by Raise).
    double Need(const tagLonLat& point) const
    {
        const double east = (point.lon - m_vehicle.lon) / m_lonDeg;
        const double north = (point.lat - m_vehicle.lat) / m_latDeg;
        const double across =
            Needed(east * m_cos - north * m_sin, m_vehicleU, m_halfWidth, m_halfWidth);
        const double along = Needed(east * m_sin + north * m_cos, m_vehicleV, m_up, m_down);
        return along > across || std::isnan(across) ? along : across;
    }

private:
    tagLonLat m_vehicle;
    double m_vehicleU = 0.0;
    double m_vehicleV = 0.0;
    double m_halfWidth = 0.0;
    double m_up = 0.0;
    double m_down = 0.0;
    double m_lonDeg = 0.0;
    double m_latDeg = 0.0;
    double m_sin = 0.0;
    double m_cos = 1.0;
};

// The least metres per pixel of any view (the finest the map view has).
constexpr double kFinestMetresPerPixel = 1e-3;

} // namespace

ReplayCamera::ReplayCamera(const RouteTimeline& timeline, const CameraSettings& settings,
                           std::vector<BandReach> reach)
    : m_timeline(timeline), m_settings(settings), m_reach(std::move(reach))
{
    if (m_reach.empty())
        m_reach.emplace_back();
}

bool ReplayCamera::RoadHeading(const tagLonLat& position, double distance, double& heading) const
{
    const tagLonLat ahead = m_timeline.PassageAt(distance + kHeadingLookAhead).position;
    // Less than a metre ahead (the route's end) gives no direction of its own.
    if (!(geodesy::SegmentLength(position.lon, position.lat, ahead.lon, ahead.lat) >= 1.0))
        return false;
    heading = geodesy::Bearing(position, ahead);
    return true;
}

double ReplayCamera::NeededLambda(const tagLonLat& vehicle, double heading, double from, double to)
{
    const ViewFrame frame(m_settings, vehicle, heading);
    m_points.clear();
    m_timeline.PointsBetween(from, to, m_points);
    double metresPerPixel = kFinestMetresPerPixel;
    for (const tagLonLat& point : m_points)
        Raise(metresPerPixel, frame.Need(point));
    return LevelValueOfResolution(metresPerPixel);
}

ReplayCamera::Fit ReplayCamera::FitOf(const std::vector<double>& needed, int keepLevel)
{
    Fit fit;
    for (size_t level = 0; level < needed.size(); ++level)
    {
        const double top = static_cast<double>(level) + kLevelSlack;
        // Level 0 holds every finer view.
        fit.lambda = level == 0 ? needed[level] : std::max(needed[level], top - 2.0 * kLevelSlack);
        const double slack = static_cast<int>(level) == keepLevel ? kKeepLevelSlack : 0.0;
        if (needed[level] < top + slack)
        {
            fit.lambda = std::min(fit.lambda, top);
            fit.level = static_cast<int>(level);
            fit.fits = true;
            return fit;
        }
    }
    return fit;
}

void ReplayCamera::NeedBand(const tagLonLat& vehicle, double heading, const ScheduledManeuver& next,
                            std::vector<double>& needed)
{
    needed.resize(m_reach.size(), -HUGE_VAL);
    const ViewFrame frame(m_settings, vehicle, heading);
    // Each level's stretch of the route, clamped to it; the route points of
    // them all are placed once, as the levels' stretches overlap.
    m_stretches.clear();
    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
    for (const BandReach& levelReach : m_reach)
    {
        const BandReach reach = next.arrival ? BandReach() : levelReach;
        const Stretch stretch{m_timeline.OnRoute(next.junction - reach.before),
                              m_timeline.OnRoute(next.passed + reach.after)};
        m_stretches.push_back(stretch);
        if (stretch.from <= stretch.to)
        {
            lowest = std::min(lowest, stretch.from);
            highest = std::max(highest, stretch.to);
        }
    }
    m_points.clear();
    m_pointDistances.clear();
    m_pointNeeds.clear();
    if (lowest <= highest)
        m_timeline.RoutePointsBetween(lowest, highest, m_points, m_pointDistances);
    for (const tagLonLat& point : m_points)
        m_pointNeeds.push_back(frame.Need(point));
    // Each level: its two ends and the route points between them.
    for (size_t level = 0; level < m_reach.size(); ++level)
    {
        const Stretch& stretch = m_stretches[level];
        double metresPerPixel = kFinestMetresPerPixel;
        if (stretch.from <= stretch.to)
        {
            Raise(metresPerPixel, frame.Need(m_timeline.PassageAt(stretch.from).position));
            const auto first =
                std::upper_bound(m_pointDistances.begin(), m_pointDistances.end(), stretch.from) -
                m_pointDistances.begin();
            const auto end =
                std::lower_bound(m_pointDistances.begin(), m_pointDistances.end(), stretch.to) -
                m_pointDistances.begin();
            for (auto i = first; i < end; ++i)
                Raise(metresPerPixel, m_pointNeeds[static_cast<size_t>(i)]);
            Raise(metresPerPixel, frame.Need(m_timeline.PassageAt(stretch.to).position));
        }
        needed[level] = std::max(needed[level], LevelValueOfResolution(metresPerPixel));
    }
}

ReplayCamera::Fit ReplayCamera::FitJunction(const VehicleState& vehicle, double heading,
                                            const ScheduledManeuver& next)
{
    m_needed.clear();
    NeedBand(vehicle.position, heading, next, m_needed);
    return FitOf(m_needed);
}

ReplayCamera::Fit ReplayCamera::FitAhead(const VehicleState& vehicle, double heading,
                                         const ScheduledManeuver& next, double fromMetres,
                                         int keepLevel)
{
    // Each level's band must fit at every place: the level is chosen once
    // for them all (a level whose band fits now may not fit further on, and
    // the next level's longer band must fit now as well).
    m_needed.clear();
    if (vehicle.distance >= fromMetres)
        NeedBand(vehicle.position, heading, next, m_needed);
    // The view turns towards the road as the camera turns it, at most
    // kTurnRate degrees a second of the drive.
    double turned = heading;
    double time = vehicle.time;
    auto needThere = [&](double metres)
    {
        const RoutePassage there = m_timeline.PassageAt(metres);
        double road = 0.0;
        if (!RoadHeading(there.position, there.distance, road))
            road = m_timeline.AtDistance(metres).heading;
        const double limit = kTurnRate * std::max(0.0, there.time - time);
        turned += std::clamp(geodesy::AngleDiff(turned, road), -limit, limit);
        time = there.time;
        if (metres >= fromMetres)
            NeedBand(there.position, turned, next, m_needed);
    };
    // The grid's places, and those where the vehicle or the point the view
    // is turned towards passes a point of the route: the view's motion
    // changes there, so a need may peak there between the grid's places
    // (before a hook, where the view starts to turn).
    m_places.clear();
    const double firstStep = std::floor(vehicle.distance / kAheadStepMetres) + 1.0;
    for (int step = 0;; ++step)
    {
        const double at = (firstStep + step) * kAheadStepMetres;
        if (!(at < next.passed))
            break;
        m_places.push_back(at);
    }
    m_timeline.PointDistancesBetween(vehicle.distance, next.passed, m_places);
    const std::size_t lookAhead = m_places.size();
    m_timeline.PointDistancesBetween(vehicle.distance + kHeadingLookAhead,
                                     next.passed + kHeadingLookAhead, m_places);
    for (std::size_t i = lookAhead; i < m_places.size(); ++i)
        m_places[i] -= kHeadingLookAhead;
    if (fromMetres > vehicle.distance)
        m_places.push_back(fromMetres);
    std::sort(m_places.begin(), m_places.end());
    for (const double at : m_places)
        needThere(at);
    // And where the route leaves the junction, the farthest from the band's
    // start the vehicle gets while it shows.
    if (next.passed > vehicle.distance && next.passed >= fromMetres)
        needThere(next.passed);
    return FitOf(m_needed, keepLevel);
}

double ReplayCamera::Preroll(const VehicleState& vehicle, double speed,
                             const ScheduledManeuver& upcoming, double turnLimit)
{
    const double toAnnouncement = upcoming.announce - vehicle.distance;
    if (!upcoming.announced || toAnnouncement < 0.0 ||
        toAnnouncement >= speed * kPrerollSeconds + kPrerollMetres)
        return -HUGE_VAL;
    return std::min(FitAhead(vehicle, m_heading, upcoming, upcoming.announce).lambda, turnLimit);
}

MapViewport ReplayCamera::Update(const VehicleState& vehicle,
                                 const std::vector<ScheduledManeuver>& schedule, std::size_t next,
                                 bool announced, double seconds)
{
    const bool jump = !m_started || !(seconds >= 0.0) || !std::isfinite(seconds);
    double roadHeading = vehicle.heading;
    RoadHeading(vehicle.position, vehicle.distance, roadHeading);
    if (jump)
        m_heading = roadHeading;
    else
        m_heading += std::clamp(geodesy::AngleDiff(m_heading, roadHeading), -kTurnRate * seconds,
                                kTurnRate * seconds);
    m_heading = std::fmod(m_heading + 360.0, 360.0);

    const double speed = std::max(vehicle.speed, kSlowestViewSpeed);
    const double behind = m_settings.height / 4.0;
    const double ahead = m_settings.height / 2.0 + behind - m_settings.margin;
    double target = LevelValueOfResolution(speed * m_settings.lookAheadSeconds / ahead);
    const double turnLimit = static_cast<double>(m_reach.size() - 1) + kLevelSlack;
    // A camera held at one level has nothing to fit.
    const bool held = m_settings.finestLevel >= m_settings.coarsestLevel;
    if (next < schedule.size() && !held)
    {
        // The coarsest fit still to come: zooming only in as the junction
        // nears, never out in a hurry (a roundabout turning the view) and
        // back in again.
        if (announced)
        {
            // The level the band is shown at stays while its need only
            // touches the level's edge (kKeepLevelSlack).
            const Fit fit = FitAhead(vehicle, m_heading, schedule[next], vehicle.distance,
                                     m_bandShown == next ? m_bandLevel : -1);
            target = std::min(fit.lambda, turnLimit);
            m_bandShown = next;
            m_bandLevel = fit.fits ? fit.level : -1;
        }
        else
            target = std::min(target, FitJunction(vehicle, m_heading, schedule[next]).lambda);
        // Room for every band announced soon, also those that follow right
        // where the junction before them is left.
        const double window = speed * kPrerollSeconds + kPrerollMetres;
        for (std::size_t k = announced ? next + 1 : next;
             k < schedule.size() && schedule[k].announce - vehicle.distance < window; ++k)
            target = std::max(target, Preroll(vehicle, speed, schedule[k], turnLimit));
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
    viewport.centre = {vehicle.position.lon + lead * std::sin(geodesy::Radians(m_heading)) * lonDeg,
                       vehicle.position.lat +
                           lead * std::cos(geodesy::Radians(m_heading)) * latDeg};
    viewport.zoom = ZoomForMetresPerPixel(viewport.centre.lat, metresPerPixel);
    viewport.bearing = m_settings.headingUp ? m_heading : 0.0;
    m_viewport = viewport;

    m_bandFits = false;
    const int level = Level();
    if (announced && next < schedule.size() && level >= 0 &&
        level < static_cast<int>(m_reach.size()))
    {
        const BandReach& reach = m_reach[static_cast<size_t>(level)];
        m_bandFits =
            NeededLambda(vehicle.position, m_heading, schedule[next].junction - reach.before,
                         schedule[next].passed + reach.after) <= m_lambda + 1e-9;
    }
    return viewport;
}

int ReplayCamera::Level() const
{
    return LevelOfScale(ScaleOfViewport(m_viewport));
}

} // namespace drive
