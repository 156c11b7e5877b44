#include "RoadMapLayer.h"

#include "RoadMap/ExtractReader.h"

namespace tools
{

std::vector<tagLonLat> RoutePoints(const refhost::RouteModel& route)
{
    std::vector<tagLonLat> points;
    for (size_t link = 0; link < route.LinkCount(); ++link)
    {
        const std::vector<tagLonLat>& linkPoints = route.LinkPoints(link);
        points.insert(points.end(), linkPoints.begin(), linkPoints.end());
    }
    for (const tagLonLat& destination : route.Destinations())
        points.push_back(destination);
    if (route.HasOrigin())
        points.push_back(route.Origin());
    return points;
}

bool LoadRoadMapLayer(const std::string& extract, const refhost::RouteModel& route,
                      std::shared_ptr<roadmap::RoadMapPainter>& painter, std::string& message)
{
    const std::vector<tagLonLat> points = RoutePoints(route);
    const roadmap::LonLatBox box =
        roadmap::Expanded(roadmap::BoxOf(points.data(), points.size()), kMapMarginMetres);
    auto map = std::make_shared<roadmap::RoadMap>();
    if (!roadmap::ReadRoadMap(extract, box, *map, message))
        return false;
    painter = std::make_shared<roadmap::RoadMapPainter>(map);
    return true;
}

} // namespace tools
