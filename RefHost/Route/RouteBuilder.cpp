#include "RouteBuilder.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "RouteValidation.h"

#include <utility>

namespace refhost
{

namespace
{

// Geodesic length of a description link of any number of points (the
// geodesy counts points in 16 bits, so long links are measured in pieces).
double LinkLength(const std::vector<tagLonLat>& points)
{
    const size_t kMaxPiece = 65535;
    double length = 0.0;
    size_t start = 0;
    while (start + 1 < points.size())
    {
        size_t count = points.size() - start < kMaxPiece ? points.size() - start : kMaxPiece;
        length += geodesy::LineLength(static_cast<unsigned short>(count), points.data() + start);
        start += count - 1;
    }
    return length;
}

} // namespace

RouteBuilder::RouteBuilder(std::string source)
{
    m_description.source = std::move(source);
}

size_t RouteBuilder::AddLink(std::vector<tagLonLat> points, std::string name, std::string ref)
{
    RoadLink link;
    link.points = std::move(points);
    link.name = std::move(name);
    link.ref = std::move(ref);
    m_description.links.push_back(std::move(link));
    return m_description.links.size() - 1;
}

size_t RouteBuilder::ContinueLink(std::vector<tagLonLat> points, std::string name)
{
    if (!m_description.links.empty() && !m_description.links.back().points.empty())
        points.insert(points.begin(), m_description.links.back().points.back());
    return AddLink(std::move(points), std::move(name));
}

RoadLink& RouteBuilder::LinkAt(size_t index)
{
    return m_description.links.at(index);
}

size_t RouteBuilder::AddManeuver(size_t enterLink, size_t exitLink, NAV_TURN_TYPE_tag type,
                                 std::string instruction)
{
    Maneuver maneuver;
    maneuver.enterLink = enterLink;
    maneuver.exitLink = exitLink;
    maneuver.type = type;
    maneuver.instruction = std::move(instruction);
    m_description.maneuvers.push_back(std::move(maneuver));
    return m_description.maneuvers.size() - 1;
}

Maneuver& RouteBuilder::ManeuverAt(size_t index)
{
    return m_description.maneuvers.at(index);
}

RouteBuilder& RouteBuilder::SetOrigin(tagLonLat origin)
{
    m_description.origin = origin;
    return *this;
}

RouteBuilder& RouteBuilder::AddDestination(tagLonLat destination)
{
    m_description.destinations.push_back(destination);
    return *this;
}

RouteDescription RouteBuilder::Description() const
{
    RouteDescription description = m_description;
    const std::vector<RoadLink>& links = description.links;
    std::vector<double> distanceToEnd(links.size());
    double distance = 0.0;
    for (size_t i = 0; i < links.size(); ++i)
    {
        distance += LinkLength(links[i].points);
        distanceToEnd[i] = distance;
    }
    std::vector<Maneuver>& maneuvers = description.maneuvers;
    for (Maneuver& maneuver : maneuvers)
    {
        if (maneuver.enterLink >= links.size() || maneuver.exitLink >= links.size())
            continue;
        const std::vector<tagLonLat>& enter = links[maneuver.enterLink].points;
        if (!IsValidPosition(maneuver.location) && !enter.empty())
            maneuver.location = enter.back();
        maneuver.distanceFromStart = distanceToEnd[maneuver.enterLink];
    }
    for (size_t m = 0; m < maneuvers.size(); ++m)
        maneuvers[m].distanceToNext =
            m + 1 < maneuvers.size()
                ? maneuvers[m + 1].distanceFromStart - maneuvers[m].distanceFromStart
                : 0.0;
    return description;
}

std::optional<RouteModel> RouteBuilder::Build(std::string& error) const
{
    return RouteModel::FromDescription(Description(), error);
}

} // namespace refhost
