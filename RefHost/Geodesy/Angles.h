// Angles in one place: pi, the flat metres per degree, the difference of two
// bearings and the turn at a point of a line measured over a window.
//
// Bearings are degrees clockwise from north (Bearing in ReferenceGeodesy.h).
// The difference of two, AngleDiff(from, to), is `to - from` folded into
// (-180, 180]: positive when `to` lies clockwise of `from`, so a turn to the
// right is positive and a turn to the left negative; a reversal is +180
// whichever way it is measured.
#ifndef REFHOST_GEODESY_ANGLES_H
#define REFHOST_GEODESY_ANGLES_H

#include "LonLat.h"

#include <cstddef>
#include <vector>

namespace refhost::geodesy
{

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerDegree = kPi / 180.0;

// Degrees to radians and back, as `degrees * pi / 180` and
// `radians * 180 / pi` (rounded once more than with kRadiansPerDegree).
constexpr double Radians(double degrees)
{
    return degrees * kPi / 180.0;
}
constexpr double Degrees(double radians)
{
    return radians * 180.0 / kPi;
}

// Metres per degree of latitude and, at the equator, of longitude on a flat
// approximation (WGS84 mean values): enough for nearness and direction over
// a few kilometres, not for results (UnitDegree gives the local values).
constexpr double kFlatMetresPerDegreeLat = 111132.0;
constexpr double kFlatMetresPerDegreeLon = 111320.0;

// `to - from` in degrees folded into (-180, 180] (see above); NaN when
// either is NaN.
double AngleDiff(double from, double to);

// The turn from bearing `from` to bearing `to`: AngleDiff, but 0 when either
// is NaN (a bearing between coinciding points turns nowhere).
double TurnAngle(double from, double to);

// The points a turn at point `i` of a line (0 < i < along.size() - 1) is
// measured over: `back`, the last point at least `window` metres before it,
// but not before point `first`; `ahead`, the first point at least that far
// after it, but not after point `last`. `along` holds the metres along the
// line to each point.
struct WindowEnds
{
    std::size_t back = 0;
    std::size_t ahead = 0;
};
WindowEnds WindowAround(const std::vector<double>& along, std::size_t i, double window,
                        std::size_t first, std::size_t last);

// The point `metres` along a line (`along` as above), on the straight line
// between the two points it falls between; the line's first or last point
// when `metres` lies before or beyond it. `points` is not empty.
tagLonLat PointAlong(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                     double metres);

// The direction into point `i` (0 < i < points.size()) from the point
// `window` metres before it, never before point `first` (nor after point
// i - 1); and out of point `i` (i + 1 < points.size()) to the point `window`
// metres after it, never beyond point `last` (nor before point i + 1). Each
// end is taken exactly there (PointAlong).
double WindowBearingInto(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                         std::size_t i, double window, std::size_t first);
double WindowBearingOutOf(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                          std::size_t i, double window, std::size_t last);

// The turn at point `i` of a line (0 at its first and last point): from the
// direction into it from the point `window` metres before it to the direction
// out of it to the point `window` metres after it, each end taken exactly
// there (PointAlong), never before point `first` or after point `last` (nor
// nearer than the neighbouring points). A node just short of the window
// must not stretch it to the next one: a road that runs 16 m on and then
// turns away would otherwise be measured along the road it turns into.
double WindowedTurnAngle(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                         std::size_t i, double window, std::size_t first, std::size_t last);

// The turn at every point measured likewise between the line's ends.
std::vector<double> WindowedTurnAngles(const std::vector<tagLonLat>& points,
                                       const std::vector<double>& along, double window);

} // namespace refhost::geodesy

#endif
