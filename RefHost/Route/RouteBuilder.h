// Makes a route description by hand: tests, examples and the route-file
// readers add links in driving order, manoeuvres on them, the origin and the
// destinations, then take the description or build the model directly.
#ifndef REFHOST_ROUTE_ROUTEBUILDER_H
#define REFHOST_ROUTE_ROUTEBUILDER_H

#include "RouteDescription.h"
#include "RouteModel.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace refhost
{

class RouteBuilder
{
public:
    // `source` names the route in error messages (a file name, a test name).
    explicit RouteBuilder(std::string source = std::string());

    // Appends a link; returns its index. Nothing is checked here: Build
    // reports bad links.
    size_t AddLink(std::vector<tagLonLat> points, std::string name = std::string(),
                   std::string ref = std::string());
    // Appends a link that starts at the end of the last one: `points` are the
    // points after that shared point. Without a previous link it is AddLink.
    size_t ContinueLink(std::vector<tagLonLat> points, std::string name = std::string());
    // The link `index` (must exist), to set its ref or attributes.
    RoadLink& LinkAt(size_t index);
    size_t LinkCount() const { return m_description.links.size(); }

    // Appends a manoeuvre; returns its index. Its location, distanceFromStart
    // and distanceToNext are derived by Description (below).
    size_t AddManeuver(size_t enterLink, size_t exitLink, NAV_TURN_TYPE_tag type,
                       std::string instruction = std::string());
    Maneuver& ManeuverAt(size_t index);

    RouteBuilder& SetOrigin(tagLonLat origin);
    RouteBuilder& AddDestination(tagLonLat destination);

    // The description so far. For every manoeuvre whose link indexes are in
    // range: a location that is not a valid position becomes the end point of
    // enterLink, distanceFromStart is the geodesic length of the links up to
    // and including enterLink, and distanceToNext the difference to the next
    // manoeuvre's (0 for the last), in metres.
    RouteDescription Description() const;

    // RouteModel::FromDescription(Description(), error).
    std::optional<RouteModel> Build(std::string& error) const;

private:
    RouteDescription m_description;
};

} // namespace refhost

#endif
