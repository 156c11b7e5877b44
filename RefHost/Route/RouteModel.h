// The reference host's route: a CNavPath whose route-line edges and guides are
// the road links of a route description, plus its manoeuvres, origin and
// destinations.
//
// Guides: one per link. The first record is the link's polyline (name, the two
// attributes, the points in the model's memory), m_GuideLength its geodesic
// length in metres and m_GuidePoint its last point; the second record is
// empty. GetNextGuid follows from the record's head words alone (see
// GuideRecords.h), so copies of records and one record advanced in place work.
//
// Links longer than a guide record can count (65535 points) are cut at build
// time into several links that share their joining point; link indexes of the
// model are therefore not always those of the description (SourceLink maps
// back), and manoeuvres refer to the model's links.
//
// A model is immutable; copies and views share its points and keep them alive.
// Guide records and edges handed out stay valid while the model or any view of
// it lives.
#ifndef REFHOST_ROUTE_ROUTEMODEL_H
#define REFHOST_ROUTE_ROUTEMODEL_H

#include "PathView.h"
#include "RouteDescription.h"
#include "RouteLibrary.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace refhost
{

class RouteModel : public PathView
{
public:
    // How far before a junction ViewForManeuver starts by default, metres.
    static constexpr double kDefaultLengthBefore = 500.0;

    // Builds the model of `description`. On bad input (see
    // ValidateRouteDescription) returns nothing and sets `error`; on success
    // clears `error`. The last manoeuvre gets the turn type NAV_TURN_END; a
    // manoeuvre location that is not a valid position becomes the end point of
    // its entering link.
    static std::optional<RouteModel> FromDescription(const RouteDescription& description,
                                                     std::string& error);

    // ---- links ------------------------------------------------------------
    size_t LinkCount() const;
    // Points (2 .. 65535), name, geodesic length (metres), distance from the
    // route's start to the link's first point (metres), and the description
    // link it was cut from. `link` must be below LinkCount().
    const std::vector<tagLonLat>& LinkPoints(size_t link) const;
    // Seconds since the route's first point at each of LinkPoints(link)
    // (non-decreasing), or empty when the route file gave none for the link
    // (RouteTimeline.h then drives it at a fallback speed).
    const std::vector<double>& LinkTimes(size_t link) const;
    const std::string& LinkName(size_t link) const;
    double LinkLength(size_t link) const;
    double LinkStartDistance(size_t link) const;
    size_t SourceLink(size_t link) const;
    // Total length, metres.
    double Length() const;

    // ---- route ------------------------------------------------------------
    const std::string& Source() const;
    // The attribution the route's data asks for (RouteDescription::credit).
    const std::string& Credit() const;
    // False when the description gave no origin (Origin() is then
    // AP_INVALID_POINT).
    bool HasOrigin() const;
    tagLonLat Origin() const;
    const std::vector<tagLonLat>& Destinations() const;
    // Manoeuvres in driving order, link indexes of the model.
    size_t ManeuverCount() const;
    const Maneuver& ManeuverAt(size_t maneuver) const;
    // Tells this model's guide records from those of any other model.
    uint32_t Identity() const;

    // ---- guides and turns -------------------------------------------------
    // The guide record of `link` over the whole route, as a NavGuid. `link`
    // must be below LinkCount().
    NavGuid GuideOf(size_t link) const;
    // Turn information of a manoeuvre: its type (NAV_TURN_END for the last
    // one), the entering guide = guide of enterLink, the leaving guide = guide
    // of exitLink. A manoeuvre index out of range gives a default
    // CTurnInfo (NAV_TURN_NONE, no guides).
    CTurnInfo TurnInfoFor(size_t maneuver) const;

    // ---- views ------------------------------------------------------------
    // The remaining route from `firstLink` to the end (empty when firstLink is
    // not below LinkCount()). No points are copied.
    PathView ViewFrom(size_t firstLink) const;
    // Links [firstLink, endLink), clamped to the route: a leg, or any stretch
    // whose guide walks must not run past endLink.
    PathView ViewRange(size_t firstLink, size_t endLink) const;
    // The first link of ViewForManeuver: going back from the manoeuvre's
    // entering link until the links from there to the junction are at least
    // `lengthBefore` metres long or the route's start is reached, but never
    // back to or beyond an earlier link that also ends at the junction point
    // (within AP_POINT_EPSILON), so that the library's walk from the view's
    // start meets the entering guide at this visit of the junction. For a
    // manoeuvre out of range: LinkCount().
    size_t ViewStartForManeuver(size_t maneuver, double lengthBefore = kDefaultLengthBefore) const;
    // The path to hand to SetTurnInfo with TurnInfoFor(maneuver):
    // ViewFrom(ViewStartForManeuver(maneuver, lengthBefore)).
    PathView ViewForManeuver(size_t maneuver, double lengthBefore = kDefaultLengthBefore) const;

private:
    explicit RouteModel(const std::shared_ptr<const route_detail::RouteData>& route);
};

} // namespace refhost

#endif
