// The WGS84 ellipsoid and its two principal radii of curvature, in metres.
#ifndef REFHOST_GEODESY_WGS84RADII_H
#define REFHOST_GEODESY_WGS84RADII_H

#include <cmath>

namespace refhost::geodesy
{

constexpr double kWgs84EquatorialRadius = 6378137.0;
constexpr double kWgs84Flattening = 1.0 / 298.257223563;
constexpr double kWgs84EccentricitySquared = kWgs84Flattening * (2.0 - kWgs84Flattening);
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerDegree = kPi / 180.0;

// Radii of curvature at geodetic latitude `sinLat` = sin(latitude):
// `meridional` (M, north-south) and `primeVertical` (N, east-west; a parallel
// has radius N cos(latitude)).
struct Radii
{
    double meridional;
    double primeVertical;
};

// With w = sqrt(1 - e^2 sin^2): N = a / w and M = a (1 - e^2) / w^3, from one
// square root and one division (1 - e^2 sin^2 lies within [1 - e^2, 1]).
inline Radii RadiiAt(double sinLat)
{
    const double w2 = 1.0 - kWgs84EccentricitySquared * sinLat * sinLat;
    const double inverseW = 1.0 / std::sqrt(w2);
    return Radii{kWgs84EquatorialRadius * (1.0 - kWgs84EccentricitySquared) * inverseW * inverseW *
                     inverseW,
                 kWgs84EquatorialRadius * inverseW};
}

} // namespace refhost::geodesy

#endif
