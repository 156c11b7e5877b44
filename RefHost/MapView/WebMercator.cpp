#include "WebMercator.h"

#include "Geodesy/Angles.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace refhost
{

namespace
{

using geodesy::kPi;
using geodesy::Radians;

// Mercator northing of a latitude as a fraction of the world's height, 0 on
// the equator, +0.5 at the northern edge of the square world.
double MercatorY(double latDegrees)
{
    double lat = std::max(-kMaxMercatorLatitude, std::min(kMaxMercatorLatitude, latDegrees));
    double phi = Radians(lat);
    return std::log(std::tan(kPi / 4.0 + phi / 2.0)) / (2.0 * kPi);
}

double LatitudeOfMercatorY(double y)
{
    return geodesy::Degrees(std::atan(std::sinh(2.0 * kPi * y)));
}

// World width in CSS pixels at the viewport's zoom.
double WorldSize(const MapViewport& viewport)
{
    return kTileSize * std::exp2(viewport.zoom);
}

bool IsFinite(const tagLonLat& point)
{
    return std::isfinite(point.lon) && std::isfinite(point.lat);
}

int DeviceSide(int cssSide, double pixelRatio)
{
    double side = std::round(cssSide * pixelRatio);
    if (!(side >= 1.0))
        return 1;
    if (side > 1e9)
        return 1000000000;
    return static_cast<int>(side);
}

// The narrowest longitude range [west, east] (east - west < 360) holding all
// `lons`, each in [-180, 180): the complement of the largest gap between
// neighbouring longitudes around the circle.
void LongitudeRange(std::vector<double>& lons, double& west, double& east)
{
    std::sort(lons.begin(), lons.end());
    std::size_t n = lons.size();
    // The gap across the 180th meridian, from the last longitude eastwards
    // round to the first.
    double largestGap = lons[0] + 360.0 - lons[n - 1];
    west = lons[0];
    east = lons[n - 1];
    for (std::size_t i = 0; i + 1 < n; ++i)
    {
        double gap = lons[i + 1] - lons[i];
        if (gap > largestGap)
        {
            largestGap = gap;
            west = lons[i + 1];
            east = lons[i] + 360.0;
        }
    }
}

} // namespace

bool MapViewport::IsValid() const
{
    if (!std::isfinite(centre.lon) || !std::isfinite(centre.lat) || !std::isfinite(zoom) ||
        !std::isfinite(pixelRatio) || !std::isfinite(bearing))
        return false;
    if (std::fabs(centre.lat) > kMaxMercatorLatitude)
        return false;
    if (zoom < kMinZoom || zoom > kMaxZoom)
        return false;
    if (width < 1 || height < 1 || width > kMaxViewportSide || height > kMaxViewportSide)
        return false;
    if (pixelRatio < kMinPixelRatio || pixelRatio > kMaxPixelRatio)
        return false;
    return DeviceWidth() <= kMaxDeviceSide && DeviceHeight() <= kMaxDeviceSide;
}

int MapViewport::DeviceWidth() const
{
    return DeviceSide(width, pixelRatio);
}

int MapViewport::DeviceHeight() const
{
    return DeviceSide(height, pixelRatio);
}

double UnwrapLongitude(double lon, double referenceLon)
{
    // remainder() is exact and lands in [-180, 180].
    return referenceLon + std::remainder(lon - referenceLon, 360.0);
}

double NormaliseLongitude(double lon)
{
    double wrapped = std::fmod(lon + 180.0, 360.0);
    if (wrapped < 0.0)
        wrapped += 360.0;
    double result = wrapped - 180.0;
    // fmod can hand back 360 - tiny for a tiny negative argument.
    return result >= 180.0 ? -180.0 : result;
}

PixelPoint Project(const MapViewport& viewport, const tagLonLat& point)
{
    double world = WorldSize(viewport);
    double lon = UnwrapLongitude(point.lon, viewport.centre.lon);
    // Offsets from the centre, north up.
    double x = (lon - viewport.centre.lon) / 360.0 * world;
    // A NaN latitude must stay NaN: the clamp inside MercatorY would hide it.
    double y = std::isnan(point.lat)
                   ? point.lat
                   : (MercatorY(viewport.centre.lat) - MercatorY(point.lat)) * world;
    if (viewport.bearing != 0.0)
    {
        // The map turned counter-clockwise by the bearing, which then points up.
        double s = std::sin(Radians(viewport.bearing));
        double c = std::cos(Radians(viewport.bearing));
        double turnedX = x * c + y * s;
        y = y * c - x * s;
        x = turnedX;
    }
    return PixelPoint{x + viewport.width / 2.0, y + viewport.height / 2.0};
}

tagLonLat Unproject(const MapViewport& viewport, const PixelPoint& pixel)
{
    double world = WorldSize(viewport);
    double x = pixel.x - viewport.width / 2.0;
    double y = pixel.y - viewport.height / 2.0;
    if (viewport.bearing != 0.0)
    {
        double s = std::sin(Radians(viewport.bearing));
        double c = std::cos(Radians(viewport.bearing));
        double northUpX = x * c - y * s;
        y = y * c + x * s;
        x = northUpX;
    }
    tagLonLat point;
    point.lon = NormaliseLongitude(viewport.centre.lon + x / world * 360.0);
    point.lat = LatitudeOfMercatorY(MercatorY(viewport.centre.lat) - y / world);
    return point;
}

double ZoomForMetresPerPixel(double latitude, double metresPerPixel)
{
    if (std::isnan(latitude))
        return kMinZoom;
    double lat = std::max(-kMaxMercatorLatitude, std::min(kMaxMercatorLatitude, latitude));
    double circumference = 2.0 * kPi * kMercatorRadiusMetres * std::cos(Radians(lat));
    double zoom = std::log2(circumference / (kTileSize * metresPerPixel));
    if (std::isnan(zoom))
        return kMinZoom;
    return std::max(kMinZoom, std::min(kMaxZoom, zoom));
}

double MetresPerPixel(const MapViewport& viewport)
{
    double lat =
        std::max(-kMaxMercatorLatitude, std::min(kMaxMercatorLatitude, viewport.centre.lat));
    return 2.0 * kPi * kMercatorRadiusMetres * std::cos(Radians(lat)) / WorldSize(viewport);
}

bool FitViewport(const tagLonLat* points, std::size_t count, const FitMargins& margins,
                 double maxZoom, MapViewport& viewport)
{
    if (points == nullptr || count == 0)
        return false;
    std::vector<double> lons;
    double northY = 0.0;
    double southY = 0.0;
    for (std::size_t i = 0; i < count; ++i)
    {
        if (!IsFinite(points[i]))
            continue;
        double y = MercatorY(points[i].lat);
        if (lons.empty() || y > northY)
            northY = y;
        if (lons.empty() || y < southY)
            southY = y;
        lons.push_back(NormaliseLongitude(points[i].lon));
    }
    if (lons.empty())
        return false;
    double west = 0.0;
    double east = 0.0;
    LongitudeRange(lons, west, east);

    double zoomLimit =
        std::isfinite(maxZoom) ? std::max(kMinZoom, std::min(kMaxZoom, maxZoom)) : kMaxZoom;
    double roomX = std::max(1.0, viewport.width - margins.left - margins.right);
    double roomY = std::max(1.0, viewport.height - margins.top - margins.bottom);
    // The box at zoom 0, in CSS pixels.
    double boxX = (east - west) / 360.0 * kTileSize;
    double boxY = (northY - southY) * kTileSize;
    double zoom = zoomLimit;
    if (boxX > 0.0)
        zoom = std::min(zoom, std::log2(roomX / boxX));
    if (boxY > 0.0)
        zoom = std::min(zoom, std::log2(roomY / boxY));
    zoom = std::max(kMinZoom, zoom);

    // The box's centre goes to the centre of the room the margins leave, which
    // lies (left - right) / 2 and (top - bottom) / 2 pixels off the image's
    // centre.
    double world = kTileSize * std::exp2(zoom);
    double shiftX = (margins.left - margins.right) / 2.0;
    double shiftY = (margins.top - margins.bottom) / 2.0;
    double centreLon = (west + east) / 2.0 - shiftX / world * 360.0;
    double centreY = (northY + southY) / 2.0 + shiftY / world;
    double centreLat = LatitudeOfMercatorY(centreY);

    viewport.zoom = zoom;
    viewport.bearing = 0.0;
    viewport.centre.lon = NormaliseLongitude(centreLon);
    viewport.centre.lat =
        std::max(-kMaxMercatorLatitude, std::min(kMaxMercatorLatitude, centreLat));
    return true;
}

} // namespace refhost
