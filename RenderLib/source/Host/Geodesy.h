// The host's geodesy library. One length unit throughout, which is also the
// unit of the length fields of the size table (metres on the reference host).
#ifndef ADVICEPATH_HOST_GEODESY_H
#define ADVICEPATH_HOST_GEODESY_H

#include "LonLat.h"

// Length of the polyline of `count` points. 0 for fewer than two points or a
// null array; a non-finite coordinate gives a non-finite length.
double LineLength(unsigned short count, const tagLonLat* points);

// Length between two points.
double SegmentLength(double lon1, double lat1, double lon2, double lat2);
double SegmentLength(const tagLonLat& a, const tagLonLat& b);

// Degrees of longitude (`lonDeg`) and of latitude (`latDeg`) that one unit of
// length spans at `point`.
void GetUnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg);

#endif
