// Points on the map as the host's services exchange them with the library.
#ifndef ADVICEPATH_HOST_LONLAT_H
#define ADVICEPATH_HOST_LONLAT_H

// A point: longitude, then latitude, in degrees (WGS84 on the reference host).
// 16 bytes, two doubles, no padding; arrays of it are contiguous.
struct tagLonLat
{
    double lon;
    double lat;
};

// The sentinel "no point": {180.0, 90.0}. It is not a valid point, because a
// valid point has -180 < lon < 180 and -90 < lat < 90 (all four bounds strict).
#define AP_INVALID_LON 180.0
#define AP_INVALID_LAT 90.0
static const tagLonLat AP_INVALID_POINT = {AP_INVALID_LON, AP_INVALID_LAT};

// Tolerance of the point comparisons, in degrees.
#define AP_POINT_EPSILON 3e-06

#endif
