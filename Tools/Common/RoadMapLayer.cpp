#include "RoadMapLayer.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "IndexPage.h"
#include "RoadMap/ExtractReader.h"
#include "RouteFiles/RouteCredit.h"

#include <algorithm>
#include <cmath>

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
                      std::shared_ptr<roadmap::RoadMapPainter>& painter, std::string& message,
                      double* metresOutside)
{
    const std::vector<tagLonLat> points = RoutePoints(route);
    const roadmap::LonLatBox box =
        roadmap::Expanded(roadmap::BoxOf(points.data(), points.size()), kMapMarginMetres);
    auto map = std::make_shared<roadmap::RoadMap>();
    if (!roadmap::ReadRoadMap(extract, box, *map, message))
        return false;
    const double off = MetresOffMap(*map, route);
    if (route.Length() > 0.0 && !(off < route.Length()))
    {
        message = extract + ": the route " + route.Source() +
                  " lies wholly outside the extract (no road within " +
                  std::to_string(static_cast<int>(kOnMapMetres)) + " m of any of its points)";
        return false;
    }
    if (metresOutside != nullptr)
        *metresOutside = off;
    painter = std::make_shared<roadmap::RoadMapPainter>(map, std::string());
    return true;
}

double MetresOffMap(const roadmap::RoadMap& map, const refhost::RouteModel& route)
{
    constexpr double kStepMetres = 20.0;
    std::vector<uint32_t> ids;
    auto onMap = [&](const tagLonLat& point)
    {
        const roadmap::LonLatBox near = roadmap::Expanded(roadmap::BoxOf(&point, 1), kOnMapMetres);
        map.RoadsIn(near, ids);
        return std::any_of(ids.begin(), ids.end(),
                           [&](uint32_t id)
                           {
                               const roadmap::PointSpan& line = map.Roads()[id].line;
                               return roadmap::LineTouches(map.PointsOf(line), line.count, near);
                           });
    };
    double off = 0.0;
    for (size_t link = 0; link < route.LinkCount(); ++link)
    {
        const std::vector<tagLonLat>& points = route.LinkPoints(link);
        for (size_t i = 1; i < points.size(); ++i)
        {
            const tagLonLat& a = points[i - 1];
            const tagLonLat& b = points[i];
            const double length = refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
            if (!(length > 0.0))
                continue;
            const int steps = std::max(1, static_cast<int>(std::ceil(length / kStepMetres)));
            for (int k = 0; k < steps; ++k)
            {
                // Each piece judged at its middle.
                const double t = (k + 0.5) / steps;
                const tagLonLat at = {a.lon + (b.lon - a.lon) * t, a.lat + (b.lat - a.lat) * t};
                if (!onMap(at))
                    off += length / steps;
            }
        }
    }
    return off;
}

std::string OffMapNote(double offMetres, double length)
{
    if (!(offMetres > 0.0) || !(length > 0.0))
        return {};
    const int percent = static_cast<int>(std::lround(100.0 * offMetres / length));
    return ", " + FormatDistance(offMetres) + " (" + std::to_string(std::max(percent, 1)) +
           " %) outside the map";
}

std::string PictureCredit(const refhost::RouteModel& route, bool roadMap)
{
    return refhost::CombineCredits(route.Credit(),
                                   roadMap ? refhost::kOpenStreetMapCredit : std::string());
}

std::string PageCredit(const refhost::RouteModel& route, bool roadMap)
{
    std::string credit;
    if (!route.Credit().empty())
        credit = "Route data " + route.Credit();
    if (roadMap)
        credit += (credit.empty() ? "" : " \xC2\xB7 ") + std::string(kMapDataCredit);
    return credit;
}

} // namespace tools
