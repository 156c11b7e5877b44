// When each manoeuvre of a drive is announced and when it is passed, in
// metres along the route.
//
// A manoeuvre's junction is the end of its entering link; it is passed where
// the route leaves the junction, at the end of its leaving link (for a simple
// junction the same point; a roundabout is passed at its exit). It is
// announced from the larger of `minMetres` and `seconds` of travel before the
// junction (the travel the drive's time base takes for it), but never before
// the previous manoeuvre is passed, and never before the vehicle has passed
// an earlier link ahead that ends at the same junction point: the library
// finds the entering guide by walking the remaining path from the vehicle to
// the first guide that ends there, so a route through one junction twice
// shows each visit's band at its own visit. The arrival is never announced.
#ifndef DRIVE_MANEUVERSCHEDULE_H
#define DRIVE_MANEUVERSCHEDULE_H

#include <cstddef>
#include <vector>

namespace refhost
{
class RouteModel;
} // namespace refhost

namespace drive
{

class RouteTimeline;

struct AnnouncementRule
{
    double minMetres = 200.0; // announced at least this far before the junction
    double seconds = 15.0;    // and at least this long before it
};

struct ScheduledManeuver
{
    std::size_t maneuver = 0; // index in the route model
    double announce = 0.0;    // metres: the band is shown from here ...
    double junction = 0.0;    // metres: the end of the entering link
    double passed = 0.0;      // metres: ... until the vehicle gets here
    bool arrival = false;     // NAV_TURN_END: never announced
    // False when no stretch is left to announce it in (its junction comes
    // right where the previous one is passed).
    bool announced = true;

    // What a device says at `metres` along the route: the metres to the
    // junction, or, inside it (a roundabout), to where it is passed; 0 after.
    double DistanceAhead(double metres) const;
};

class ManeuverSchedule
{
public:
    ManeuverSchedule(const refhost::RouteModel& route, const RouteTimeline& timeline,
                     const AnnouncementRule& rule = AnnouncementRule());

    const std::vector<ScheduledManeuver>& Maneuvers() const { return m_maneuvers; }
    // The first manoeuvre not yet passed at `metres` (ahead of the vehicle, or
    // whose junction it is in), or Maneuvers().size() past the last.
    std::size_t NextAt(double metres) const;

private:
    std::vector<ScheduledManeuver> m_maneuvers;
};

} // namespace drive

#endif
