// Sine and cosine of a latitude in degrees without libm's sincos: a
// table of whole degrees (built at compile time) and short series for the
// remainder of at most half a degree. Cheaper than std::sin and std::cos
// (one table row, a handful of multiplications) and as accurate for what the
// geodesy needs: a few units in the last place, exact at 0 and ±90 degrees.
#ifndef REFHOST_GEODESY_SINCOSDEGREES_H
#define REFHOST_GEODESY_SINCOSDEGREES_H

#include "Wgs84Radii.h"

namespace refhost::geodesy
{

namespace detail
{

struct SinCos
{
    double sin;
    double cos;
};

// Taylor series, summed in long double at compile time; x within ±pi/4 needs
// far fewer than the 16 terms taken.
constexpr long double kPiLong = 3.141592653589793238462643383279502884L;

constexpr long double SinSeries(long double x)
{
    long double term = x;
    long double sum = x;
    for (int n = 1; n < 16; ++n)
    {
        term *= -x * x / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

constexpr long double CosSeries(long double x)
{
    long double term = 1.0L;
    long double sum = 1.0L;
    for (int n = 1; n < 16; ++n)
    {
        term *= -x * x / ((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

// Row k + 90 holds sin and cos of k degrees, k = -90 .. 90. Angles beyond 45
// degrees come from the complement, so that 90 degrees gives exactly 1 and 0.
struct WholeDegrees
{
    SinCos row[181];
};

constexpr WholeDegrees MakeWholeDegrees()
{
    WholeDegrees table{};
    for (int k = -90; k <= 90; ++k)
    {
        const int whole = k < 0 ? -k : k;
        const long double sign = k < 0 ? -1.0L : 1.0L;
        long double s = 0.0L;
        long double c = 0.0L;
        if (whole <= 45)
        {
            const long double x = whole * kPiLong / 180.0L;
            s = SinSeries(x);
            c = CosSeries(x);
        }
        else
        {
            const long double x = (90 - whole) * kPiLong / 180.0L;
            s = CosSeries(x);
            c = SinSeries(x);
        }
        table.row[k + 90] = SinCos{static_cast<double>(sign * s), static_cast<double>(c)};
    }
    return table;
}

inline constexpr WholeDegrees kWholeDegrees = MakeWholeDegrees();

} // namespace detail

// sin and cos of `degrees`, which must lie within [-90, 90] (a latitude; NaN
// or anything outside is undefined behaviour: the caller checks). The
// remainder after the nearest whole degree, h (|h| <= 0.5 degree, below
// 0.0088 rad), enters through sin h = h - h^3/6 + h^5/120 and
// cos h = 1 - h^2/2 + h^4/24 - h^6/720: the next terms are below 1e-16
// relative. The subtraction of the whole degree is exact.
inline detail::SinCos SinCosDegrees(double degrees)
{
    const int index = static_cast<int>(degrees + 90.5);
    const detail::SinCos& whole = detail::kWholeDegrees.row[index];
    const double h = (degrees - (index - 90)) * kRadiansPerDegree;
    const double h2 = h * h;
    const double sinH = h + h * h2 * (-1.0 / 6.0 + h2 * (1.0 / 120.0));
    const double cosH = 1.0 + h2 * (-0.5 + h2 * (1.0 / 24.0 - h2 * (1.0 / 720.0)));
    return detail::SinCos{whole.sin * cosH + whole.cos * sinH, whole.cos * cosH - whole.sin * sinH};
}

} // namespace refhost::geodesy

#endif
