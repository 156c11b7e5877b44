#include "JunctionStubs.h"

#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"

#include <cmath>

namespace refhost
{

std::vector<std::vector<tagLonLat>> JunctionStubs(const Maneuver& maneuver, double lengthMetres)
{
    std::vector<std::vector<tagLonLat>> stubs;
    if (!std::isfinite(lengthMetres) || lengthMetres <= 0.0)
        return stubs;
    for (const JunctionRoads& junction : maneuver.junctions)
    {
        double lonPerMetre = 0.0;
        double latPerMetre = 0.0;
        geodesy::UnitDegree(junction.location, lonPerMetre, latPerMetre);
        if (!std::isfinite(lonPerMetre) || !std::isfinite(latPerMetre))
            continue;
        for (const double bearing : junction.otherBearings)
        {
            const double east = std::sin(bearing * geodesy::kRadiansPerDegree) * lengthMetres;
            const double north = std::cos(bearing * geodesy::kRadiansPerDegree) * lengthMetres;
            stubs.push_back(
                {junction.location, tagLonLat{junction.location.lon + east * lonPerMetre,
                                              junction.location.lat + north * latPerMetre}});
        }
    }
    return stubs;
}

} // namespace refhost
