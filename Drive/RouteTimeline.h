// The time base of a route: where the vehicle is at each second of a drive
// along it.
//
// Times come from the route file where it gives them (RouteModel::LinkTimes:
// the durations of a directions response's annotations or steps, the times
// of a recorded track); a link without times is driven at a fallback speed.
// Only the differences of times within a link are used, so links with and
// without times mix freely and a drive always starts at second 0 at the
// route's first point.
//
// Distances are metres along the route from its first point, as the model
// measures them (RouteModel::LinkStartDistance plus the segments' geodesic
// lengths); times are seconds since the start of the drive. Both grow along
// the route; a stretch driven in no time (a link whose file times do not
// advance) is crossed at once, and a stop (time passing on a very short
// segment) keeps the vehicle nearly still.
//
// Every query is a binary search over the route's points: O(log n).
#ifndef DRIVE_ROUTETIMELINE_H
#define DRIVE_ROUTETIMELINE_H

#include "LonLat.h"

#include <cstddef>
#include <vector>

namespace refhost
{
class RouteModel;
} // namespace refhost

namespace drive
{

// The vehicle at one moment.
struct VehicleState
{
    double time = 0.0;                     // seconds since the drive's start
    tagLonLat position = AP_INVALID_POINT; // on the route, interpolated within its segment
    double heading = 0.0;    // degrees clockwise from north (0 ... 360) of the segment driven
    double distance = 0.0;   // metres along the route
    double speed = 0.0;      // metres per second on the segment (0 while it takes no time)
    std::size_t link = 0;    // model link the vehicle is on
    std::size_t segment = 0; // segment of that link: between its points segment and segment + 1
    double offset = 0.0;     // metres from the link's first point
};

// Where and when the vehicle passes a distance along the route: its
// VehicleState without the heading, speed and link, for the many lookups that
// need no more.
struct RoutePassage
{
    tagLonLat position = AP_INVALID_POINT;
    double distance = 0.0; // metres along the route
    double time = 0.0;     // seconds since the drive's start
};

class RouteTimeline
{
public:
    // The speed of links without times when none is given, km/h.
    static constexpr double kDefaultSpeedKmh = 50.0;

    // The time base of `route` (which need not outlive the timeline: the
    // points are copied). `fallbackKmh` drives the links without times; a
    // value that is not a positive finite number is replaced by
    // kDefaultSpeedKmh.
    explicit RouteTimeline(const refhost::RouteModel& route, double fallbackKmh = kDefaultSpeedKmh);

    // Seconds the whole drive takes, metres it covers.
    double Duration() const { return m_time.back(); }
    double Length() const { return m_distance.back(); }
    // Links whose times came from the route file.
    std::size_t TimedLinks() const { return m_timedLinks; }

    // The vehicle at `seconds` (clamped to 0 ... Duration(); NaN counts as
    // 0). Where time stands still over a stretch, the vehicle is at its far
    // end.
    VehicleState AtTime(double seconds) const;
    // The vehicle at `metres` along the route (clamped to 0 ... Length(); NaN
    // counts as 0), at the moment it gets there.
    VehicleState AtDistance(double metres) const;
    // AtDistance's position, distance and time alone (the same values).
    RoutePassage PassageAt(double metres) const;

    // Appends to `points` the route from `fromMetres` to `toMetres` (both
    // clamped to the route; nothing when from > to): the position at each
    // end and every route point between. O(log n + k).
    void PointsBetween(double fromMetres, double toMetres, std::vector<tagLonLat>& points) const;
    // `metres` clamped to the route, 0 ... Length(), as every query clamps
    // it; NaN gives 0.
    double OnRoute(double metres) const;
    // Appends every route point strictly between `fromMetres` and `toMetres`
    // (not clamped) to `points` and its distance to `distances`: the points
    // PointsBetween puts between its ends. O(log n + k).
    void RoutePointsBetween(double fromMetres, double toMetres, std::vector<tagLonLat>& points,
                            std::vector<double>& distances) const;
    // Appends the distance of every route point strictly between
    // `fromMetres` and `toMetres`, in order: where the route bends. O(log n +
    // k).
    void PointDistancesBetween(double fromMetres, double toMetres,
                               std::vector<double>& distances) const;

    double TimeAtDistance(double metres) const { return PassageAt(metres).time; }
    double DistanceAtTime(double seconds) const { return AtTime(seconds).distance; }

private:
    // The segment holding `metres` (clamped as AtDistance) and how far along
    // it, 0 ... 1.
    struct SegmentPlace
    {
        std::size_t segment = 0;
        double fraction = 0.0;
    };
    SegmentPlace PlaceOfDistance(double metres) const;
    // The index of the first route point farther than `metres` along.
    std::size_t FirstPointAfter(double metres) const;
    RoutePassage PassageOf(SegmentPlace place) const;
    VehicleState At(std::size_t segment, double fraction) const;
    double HeadingOf(std::size_t segment) const;

    // Every point of the route once (a link's last point is the next link's
    // first), with its distance and time.
    std::vector<tagLonLat> m_points;
    std::vector<double> m_distance;
    std::vector<double> m_time;
    // Index in m_points of each link's first point.
    std::vector<std::size_t> m_linkFirst;
    std::size_t m_timedLinks = 0;
};

} // namespace drive

#endif
