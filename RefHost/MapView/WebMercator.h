// The reference map view's viewport: Web Mercator (spherical, EPSG:3857) with
// 256-pixel tiles, as slippy maps use it. Everything here is a pure function of
// its arguments: no state, no drawing.
//
// Pixels: a viewport is measured in CSS pixels (logical pixels). The output
// image has pixelRatio device pixels per CSS pixel, so the same viewport covers
// the same ground at every pixel ratio, and line widths grow with the ratio.
// Pixel coordinates run from the top-left corner of the viewport, x to the
// right, y downwards; the centre of the viewport is (width / 2, height / 2).
#ifndef REFHOST_MAPVIEW_WEBMERCATOR_H
#define REFHOST_MAPVIEW_WEBMERCATOR_H

#include "LonLat.h"

#include <cstddef>
#include <cstdint>

namespace refhost
{

// Side of a tile in CSS pixels: at zoom z the world is 256 * 2^z pixels wide.
constexpr double kTileSize = 256.0;
// Radius of the Web Mercator sphere, metres.
constexpr double kMercatorRadiusMetres = 6378137.0;
// Latitudes beyond this (degrees) are drawn at it: the projection of the poles
// is infinite, and this is where the square world ends.
constexpr double kMaxMercatorLatitude = 85.051128779806589;
// Zoom range a viewport accepts (fractional zooms are allowed).
constexpr double kMinZoom = 0.0;
constexpr double kMaxZoom = 24.0;
// Limits of a viewport's size: CSS pixels on each side, the pixel ratio, and
// device pixels on each side of the output.
constexpr int kMaxViewportSide = 8192;
constexpr double kMinPixelRatio = 0.25;
constexpr double kMaxPixelRatio = 8.0;
constexpr int kMaxDeviceSide = 16384;

// What the map view shows: the ground point at the centre of the image, the
// zoom, the direction that points up, and the image size.
struct MapViewport
{
    tagLonLat centre = {0.0, 0.0}; // degrees; longitude any finite value
    double zoom = 15.0;            // Web Mercator zoom, kMinZoom ... kMaxZoom
    int width = 800;               // CSS pixels, 1 ... kMaxViewportSide
    int height = 600;              // CSS pixels, 1 ... kMaxViewportSide
    double pixelRatio = 1.0;       // device pixels per CSS pixel
    // The direction on the ground that points up the image, degrees
    // clockwise from north (any finite value): 0 is north-up, a vehicle's
    // heading makes the view heading-up. The image turns about its centre.
    double bearing = 0.0;

    // True when every field is finite and within the limits above (the
    // centre's latitude within +-kMaxMercatorLatitude) and the device size
    // (DeviceWidth, DeviceHeight) is at most kMaxDeviceSide on each side.
    bool IsValid() const;
    // The output image's size in device pixels: the CSS size times the pixel
    // ratio, rounded to the nearest integer, at least 1.
    int DeviceWidth() const;
    int DeviceHeight() const;
};

// A position in the viewport, CSS pixels from its top-left corner.
struct PixelPoint
{
    double x;
    double y;
};

// `lon` shifted by a multiple of 360 so that it lies within 180 degrees of
// `referenceLon` (in [referenceLon - 180, referenceLon + 180]). A route that
// crosses the 180th meridian thus stays one continuous line near a viewport
// centred on it. Non-finite input gives a non-finite result.
double UnwrapLongitude(double lon, double referenceLon);

// `lon` shifted into [-180, 180).
double NormaliseLongitude(double lon);

// The pixel position of `point` in `viewport`, turned by its bearing about
// the image's centre. The longitude is unwrapped relative to the viewport's
// centre, the latitude is clamped to +-kMaxMercatorLatitude. A non-finite
// coordinate gives non-finite output.
PixelPoint Project(const MapViewport& viewport, const tagLonLat& point);

// The ground point at `pixel`, with the longitude normalised to [-180, 180).
// Inverse of Project for points within the Mercator latitude range.
tagLonLat Unproject(const MapViewport& viewport, const PixelPoint& pixel);

// The ground resolution at the viewport's centre: metres on the ground (along
// the parallel, on the Mercator sphere) per CSS pixel,
// 2 * pi * R * cos(latitude) / (256 * 2^zoom). About 156543 at zoom 0 on the
// equator, halving with every zoom level.
double MetresPerPixel(const MapViewport& viewport);

// The zoom at which a pixel spans `metresPerPixel` on the ground at
// `latitude` (degrees; clamped to +-kMaxMercatorLatitude): the inverse of
// MetresPerPixel, clamped to kMinZoom ... kMaxZoom. A NaN latitude or
// resolution gives kMinZoom: the whole world, where nothing says what to show.
double ZoomForMetresPerPixel(double latitude, double metresPerPixel);

// Room to leave between the fitted points and the image edges, CSS pixels.
struct FitMargins
{
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double left = 0.0;

    FitMargins() = default;
    explicit FitMargins(double all) : top(all), right(all), bottom(all), left(all) {}
};

// Centres `viewport` on the bounding box of the finite points among `points`
// and sets the largest zoom, at most `maxZoom` (and within kMinZoom ...
// kMaxZoom), at which the box fits inside the image less `margins`. The width,
// height and pixel ratio of `viewport` are kept. The box is the narrowest range
// of longitudes that holds every point, so points on both sides of the 180th
// meridian give a narrow box across it. The view is made north-up (bearing 0).
// A single point (or a box of no size)
// gets `maxZoom`. When the margins leave less than one pixel, one pixel is
// assumed. Returns false, leaving `viewport` unchanged, when `points` is null,
// `count` is 0 or no point is finite.
bool FitViewport(const tagLonLat* points, std::size_t count, const FitMargins& margins,
                 double maxZoom, MapViewport& viewport);

} // namespace refhost

#endif
