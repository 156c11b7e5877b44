#include "DriveChecks.h"

#include <cmath>
#include <cstdio>

namespace survey
{

namespace
{

bool Same(const std::vector<DrawnLine>& a, const std::vector<DrawnLine>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].array != b[i].array || a[i].points.size() != b[i].points.size())
            return false;
    return true;
}

std::string Pixels(double pixels)
{
    char text[32];
    static_cast<void>(std::snprintf(text, sizeof text, "%.2f px", pixels));
    return text;
}

bool Inside(const refhost::MapViewport& viewport, const tagLonLat& point)
{
    const refhost::PixelPoint pixel = refhost::Project(viewport, point);
    return pixel.x >= 0.0 && pixel.y >= 0.0 && pixel.x <= viewport.width &&
           pixel.y <= viewport.height;
}

} // namespace

RouteLineCheck::RouteLineCheck(const refhost::RouteModel& route)
{
    for (std::size_t link = 0; link < route.LinkCount(); ++link)
        m_linkOfArray[route.LinkPoints(link).data()] = link;
}

Finding RouteLineCheck::Check(const DrawnFrame& frame, const refhost::MapViewport& viewport,
                              const drive::VehicleState& vehicle) const
{
    if (frame.routeBorder.empty() || frame.routeBorder.front().points.empty())
        return {"no route line drawn"};
    if (!Same(frame.routeBorder, frame.routeFill))
        return {"the route line's border and fill are not the same edges"};
    const refhost::PixelPoint start =
        refhost::Project(viewport, frame.routeBorder.front().points.front());
    const refhost::PixelPoint at = refhost::Project(viewport, vehicle.position);
    const double apart = std::hypot(start.x - at.x, start.y - at.y);
    if (!(apart <= kRouteLineStartPixels))
        return {"the route line starts " + Pixels(apart) + " from the vehicle"};
    for (std::size_t edge = 1; edge < frame.routeBorder.size(); ++edge)
    {
        const auto found = m_linkOfArray.find(frame.routeBorder[edge].array);
        if (found == m_linkOfArray.end())
            return {"route line edge " + std::to_string(edge + 1) + " is no link of the route"};
        if (found->second <= vehicle.link)
            return {"route line edge " + std::to_string(edge + 1) + " is link " +
                    std::to_string(found->second) + ", which the vehicle (on link " +
                    std::to_string(vehicle.link) + ") has reached or left behind"};
    }
    return {};
}

Finding CheckBandInView(const DrawnFrame& frame, const refhost::MapViewport& viewport)
{
    for (const DrawnLine& line : frame.bandFill)
        for (const tagLonLat& point : line.points)
            if (!Inside(viewport, point))
                return {"the band reaches out of the view"};
    if (frame.arrowFill)
        for (const tagLonLat& point : *frame.arrowFill)
            if (!Inside(viewport, point))
                return {"the arrow head reaches out of the view"};
    return {};
}

void LevelSteps::Reset()
{
    *this = LevelSteps();
}

Finding LevelSteps::Add(int level)
{
    Finding finding;
    if (m_last >= 0 && level > m_last)
        m_grew = true;
    else if (m_grew && level < m_last)
        finding.problem = "the camera zooms out to level " + std::to_string(m_coarsest) +
                          " and back in to level " + std::to_string(level) +
                          " while the band shows";
    m_coarsest = std::max(m_coarsest, level);
    m_last = level;
    return finding;
}

} // namespace survey
