// The WGS84 ellipsoid and its two principal radii of curvature, in metres.
#ifndef REFHOST_GEODESY_WGS84RADII_H
#define REFHOST_GEODESY_WGS84RADII_H

#include "Angles.h"

#include <cmath>

namespace refhost::geodesy
{

constexpr double kWgs84EquatorialRadius = 6378137.0;
constexpr double kWgs84Flattening = 1.0 / 298.257223563;
constexpr double kWgs84EccentricitySquared = kWgs84Flattening * (2.0 - kWgs84Flattening);

// Radii of curvature at geodetic latitude `sinLat` = sin(latitude):
// `meridional` (M, north-south) and `primeVertical` (N, east-west; a parallel
// has radius N cos(latitude)).
struct Radii
{
    double meridional;
    double primeVertical;
};

// N = a (1 - u)^(-1/2) and M = a (1 - e^2) (1 - u)^(-3/2) with u = e^2 sin^2,
// from their binomial series in u to the fourth power: u is at most e^2 (about
// 0.0067), so the first term left out is below 4e-11 of M (4e-12 of N). A
// handful of multiplications instead of a square root and a division, which
// take most of a segment's time when every segment needs them.
inline Radii RadiiAt(double sinLat)
{
    const double u = kWgs84EccentricitySquared * sinLat * sinLat;
    // (1 - u)^(-1/2): 1, 1/2, 3/8, 5/16, 35/128.
    const double primeVertical = 1.0 + u * (0.5 + u * (0.375 + u * (0.3125 + u * 0.2734375)));
    // (1 - u)^(-3/2): 1, 3/2, 15/8, 35/16, 315/128.
    const double meridional = 1.0 + u * (1.5 + u * (1.875 + u * (2.1875 + u * 2.4609375)));
    return Radii{kWgs84EquatorialRadius * (1.0 - kWgs84EccentricitySquared) * meridional,
                 kWgs84EquatorialRadius * primeVertical};
}

} // namespace refhost::geodesy

#endif
