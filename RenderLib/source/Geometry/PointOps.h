// Point projection and the tolerant point comparisons of the junction code.
#ifndef ADVICEPATH_GEOMETRY_POINTOPS_H
#define ADVICEPATH_GEOMETRY_POINTOPS_H

#include "../Host/LonLat.h"

// The point at length `d` (geodesy unit) from `a` in the direction of `b`,
// along the quarter-degree direction. A equal to B uses direction 0 (east).
// Tests nothing: the result may be outside the valid range.
tagLonLat GetPointAtDistance(const tagLonLat& a, const tagLonLat& b, double d);

// 1 when -180 < lon < 180 and -90 < lat < 90 (strict), else 0. NaN is invalid.
int IsValidPoint(const tagLonLat& p);

// 1 when both coordinate differences are below AP_POINT_EPSILON, else 0.
int PointsEqual(const tagLonLat& a, const tagLonLat& b);

// 1 when |dlon| >= AP_POINT_EPSILON or |dlat| > AP_POINT_EPSILON, else 0. The
// latitude bound is exclusive, so both tests give 0 for |dlat| exactly 3e-06.
int PointsDiffer(const tagLonLat& a, const tagLonLat& b);

#endif
