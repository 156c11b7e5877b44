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
// painter for RasterMapView::SetUnderlay. False, with `message` naming the
// file and the problem (exit 3), when the extract cannot be read.
bool LoadRoadMapLayer(const std::string& extract, const refhost::RouteModel& route,
                      std::shared_ptr<roadmap::RoadMapPainter>& painter, std::string& message);

} // namespace tools

#endif
