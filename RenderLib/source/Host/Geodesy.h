// The host's geodesy library. One length unit throughout, which is also the
// unit of the length fields of the size table and of a guide's m_GuideLength
// (metres on the reference host).
//
// The library measures a guide by LineLength and cuts it segment by segment
// with SegmentLength, so LineLength must be the sum of SegmentLength over the
// polyline's segments: a guide that measures longer as a whole than in pieces
// can make a cut fail (the turn is then not drawn: message 325 in Logging.h). It
// steps along a direction with GetUnitDegree, so one unit stepped that way
// should measure about one unit with SegmentLength.
#ifndef ADVICEPATH_HOST_GEODESY_H
#define ADVICEPATH_HOST_GEODESY_H

#include "HostVisibility.h"
#include "LonLat.h"

// Length of the polyline of `count` points. 0 for fewer than two points or a
// null array; a non-finite coordinate gives a non-finite length.
ADVICEPATH_HOST_API double LineLength(unsigned short count, const tagLonLat* points);

// Length between two points.
ADVICEPATH_HOST_API double SegmentLength(double lon1, double lat1, double lon2, double lat2);
ADVICEPATH_HOST_API double SegmentLength(const tagLonLat& a, const tagLonLat& b);

// Degrees of longitude (`lonDeg`) and of latitude (`latDeg`) that one unit of
// length spans at `point`.
ADVICEPATH_HOST_API void GetUnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg);

#endif
