// The reference map view's scale value and the size-table levels derived from
// it.
//
// The scale value (what GetScale answers) is the ground resolution at the
// viewport's centre in millimetres per CSS pixel, rounded to the nearest
// integer and at least 1. A level is one halving of the detail: level
// L holds the resolutions from 0.5 * 2^L up to (not including) 2^L metres per
// pixel, level 0 everything finer than 1 m per pixel:
//
//   level = max(0, floor(log2(scale / kLevelBaseMillimetres)))
//
//   level  metres per pixel   Web Mercator zoom at the equator
//     0        below 1            above 17.26   (single houses)
//     1        1 ... 2            16.26 ... 17.26
//     2        2 ... 4            15.26 ... 16.26   (streets)
//     3        4 ... 8            14.26 ... 15.26
//     4        8 ... 16           13.26 ... 14.26
//     5       16 ... 32           12.26 ... 13.26   (a town; AP_SCALE_DEFAULT)
//     6       32 ... 64           11.26 ... 12.26
//     7       64 ... 128          10.26 ... 11.26
//     8      128 ... 256           9.26 ... 10.26   (a region)
//    10      512 ... 1024          7.26 ... 8.26
//    12     2048 ... 4096          5.26 ... 6.26    (a country)
//    18   131072 ... 262144        up to 0.26       (the whole world)
//
// Zoom z on the equator is 156543.03 / 2^z metres per pixel, so level L starts
// at zoom 18.26 - L there. Away from the equator the ground is finer at the
// same zoom (by the cosine of the latitude): the level follows the ground, not
// the zoom. A size table of 6 levels thus covers street to town views, and a
// turn limit of 3 shows the junction down to about 8 m per pixel.
#ifndef REFHOST_MAPVIEW_SCALELEVELS_H
#define REFHOST_MAPVIEW_SCALELEVELS_H

#include "WebMercator.h"

#include <cstdint>

namespace refhost
{

// The resolution (millimetres per pixel) at which level 1 begins is twice
// this; level 0 covers everything below.
constexpr int64_t kLevelBaseMillimetres = 500;

// The scale value of `viewport`: MetresPerPixel in millimetres, rounded to the
// nearest integer, at least 1.
int64_t ScaleOfViewport(const MapViewport& viewport);

// The size-table level of a scale value (table above); 0 for scale values
// below 1000, including zero and negative values. Exact integer arithmetic: from
// 500 on, a doubling of the scale value raises the level by exactly one.
int32_t LevelOfScale(int64_t scaleMillimetres);

// The same levels on a continuous scale, for cameras that zoom smoothly: the
// level value of a resolution is log2(metres per pixel) + 0.5, so that the
// level a map view reports is the level value rounded (at least 0), and a
// whole value L sits at 2^L / sqrt(2) metres per pixel, in the middle of
// level L. A resolution of 0 has the level value -infinity, a negative or NaN
// one NaN; the inverse gives NaN for NaN.
double LevelValueOfResolution(double metresPerPixel);
double ResolutionOfLevelValue(double levelValue);

// The resolution (metres per pixel) a picture of level `level` is drawn at:
// the middle of the level (ResolutionOfLevelValue(level)), and 0.35 for level
// 0 (and below), which has no lower end: a close-up of a junction.
double DesignResolution(int level);

} // namespace refhost

#endif
