// The road map that --map draws under a route: the extract's roads, water and
// buildings around the route, painted under the library's drawing.
#ifndef TOOLS_COMMON_ROADMAPLAYER_H
#define TOOLS_COMMON_ROADMAPLAYER_H

#include "LonLat.h"
#include "RoadMap/Painter/RoadMapPainter.h"
#include "Route/RouteModel.h"

#include <memory>
#include <string>
#include <vector>

namespace tools
{

// How far around the route the map is read: a junction close-up or a
// drive's view reaches that far beyond the route.
constexpr double kMapMarginMetres = 1500.0;

// Every point of the route: its links, its origin and its destinations.
std::vector<tagLonLat> RoutePoints(const refhost::RouteModel& route);

// Reads the road map of `extract` within kMapMarginMetres of `route` into a
// painter for RasterMapView::SetUnderlay (one that paints no credit: the tool
// paints PictureCredit on the view). False, with `message` naming the file
// and the problem (exit 3), when the extract cannot be read or the route lies
// wholly outside it. `metresOutside`, when given, receives the length of the
// route that lies off the map (MetresOffMap).
bool LoadRoadMapLayer(const std::string& extract, const refhost::RouteModel& route,
                      std::shared_ptr<roadmap::RoadMapPainter>& painter, std::string& message,
                      double* metresOutside = nullptr);

// A point of a route lies on the map when a road of the map passes within
// this many metres of it (in each direction).
constexpr double kOnMapMetres = 100.0;

// The metres of `route` that lie off `map`: its length sampled every few
// metres, each sample off the map when no road passes within kOnMapMetres.
double MetresOffMap(const roadmap::RoadMap& map, const refhost::RouteModel& route);

// For a summary: ", 1.2 km (15 %) outside the map" when `offMetres` of the
// route's `length` lie off the map, else nothing.
std::string OffMapNote(double offMetres, double length);

// The credit every picture of the route carries: the route data's own
// (RouteModel::Credit) and, with a road map, the map data's.
std::string PictureCredit(const refhost::RouteModel& route, bool roadMap);

// The same for the foot of a page, with the licence of OpenStreetMap data:
// "Route data © Mapbox © OpenStreetMap contributors · Map data © ...".
std::string PageCredit(const refhost::RouteModel& route, bool roadMap);

} // namespace tools

#endif
