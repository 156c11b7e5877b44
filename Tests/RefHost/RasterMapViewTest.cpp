// The reference map view: projection, scale levels, what the drawing calls
// put on the picture (probed pixel by pixel, never compared byte for byte),
// and the PNG, SVG and PDF files it writes.
#include "MapView/RasterMapView.h"
#include "AdvicePathRenderEx.h"
#include "MapView/MapDecorations.h"
#include "PathLibrary.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <limits>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using refhost::FitMargins;
using refhost::ImageFormat;
using refhost::MapViewport;
using refhost::PixelPoint;
using refhost::RasterImage;
using refhost::RasterMapView;

namespace
{

constexpr double kPi = 3.14159265358979323846;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Slippy-map tile coordinates, written independently of the projection code
// (asinh form of the Mercator northing).
double TileX(double lon, double zoom)
{
    return (lon + 180.0) / 360.0 * std::exp2(zoom);
}
double TileY(double lat, double zoom)
{
    double phi = lat * kPi / 180.0;
    return (1.0 - std::asinh(std::tan(phi)) / kPi) / 2.0 * std::exp2(zoom);
}

MapViewport View(double lon, double lat, double zoom, int width = 300, int height = 200,
                 double ratio = 1.0)
{
    MapViewport viewport;
    viewport.centre = {lon, lat};
    viewport.zoom = zoom;
    viewport.width = width;
    viewport.height = height;
    viewport.pixelRatio = ratio;
    return viewport;
}

// A ground point at a pixel position of the view.
tagLonLat At(const RasterMapView& view, double x, double y)
{
    return refhost::Unproject(view.Viewport(), PixelPoint{x, y});
}

RasterImage Render(const RasterMapView& view)
{
    RasterImage image;
    std::string error;
    EXPECT_TRUE(view.RenderImage(image, &error)) << error;
    return image;
}

// A fresh folder for written files, removed with its contents at the end.
class ScratchDir
{
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/apmapviewXXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        m_path = made != nullptr ? made : "";
    }
    ~ScratchDir()
    {
        for (const std::string& name : Names())
            unlink((m_path + "/" + name).c_str());
        rmdir(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        if (DIR* dir = opendir(m_path.c_str()))
        {
            while (dirent* entry = readdir(dir))
            {
                std::string name = entry->d_name;
                if (name != "." && name != "..")
                    names.insert(name);
            }
            closedir(dir);
        }
        return names;
    }

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The drawing elements of a cairo SVG: <path> elements outside <defs> (glyph
// outlines live in <defs>), in document order.
std::vector<pugi::xml_node> DrawingPaths(const pugi::xml_document& svg)
{
    std::vector<pugi::xml_node> paths;
    for (const pugi::xpath_node& found : svg.select_nodes("//path[not(ancestor::defs)]"))
        paths.push_back(found.node());
    return paths;
}

} // namespace

// ---- projection -------------------------------------------------------------

TEST(WebMercator, ProjectsKnownPointsAtZoomZero)
{
    MapViewport world = View(0.0, 0.0, 0.0, 256, 256);
    PixelPoint centre = refhost::Project(world, {0.0, 0.0});
    EXPECT_DOUBLE_EQ(centre.x, 128.0);
    EXPECT_DOUBLE_EQ(centre.y, 128.0);
    EXPECT_NEAR(refhost::Project(world, {90.0, 0.0}).x, 192.0, 1e-9);
    EXPECT_NEAR(refhost::Project(world, {-90.0, 0.0}).x, 64.0, 1e-9);
    // 128 - ln(tan(67.5 deg)) / (2 pi) * 256, worked out by hand.
    EXPECT_NEAR(refhost::Project(world, {0.0, 45.0}).y, 92.0896094503, 1e-6);
    // The square world ends at +-85.0511 degrees; beyond is clamped to the edge.
    EXPECT_NEAR(refhost::Project(world, {0.0, 85.0511287798}).y, 0.0, 1e-6);
    EXPECT_NEAR(refhost::Project(world, {0.0, 89.9}).y, 0.0, 1e-6);
    EXPECT_NEAR(refhost::Project(world, {0.0, -90.0}).y, 256.0, 1e-6);
}

TEST(WebMercator, MatchesTileArithmeticAtCityZoom)
{
    MapViewport viewport = View(13.4, 52.5, 14.3, 640, 480);
    for (tagLonLat point :
         {tagLonLat{13.41, 52.51}, tagLonLat{13.37, 52.48}, tagLonLat{13.4, 52.5}})
    {
        PixelPoint pixel = refhost::Project(viewport, point);
        double z = viewport.zoom;
        EXPECT_NEAR(pixel.x, 320.0 + (TileX(point.lon, z) - TileX(13.4, z)) * 256.0, 1e-6);
        EXPECT_NEAR(pixel.y, 240.0 + (TileY(point.lat, z) - TileY(52.5, z)) * 256.0, 1e-6);
    }
    // One zoom level more doubles every distance from the centre.
    MapViewport closer = viewport;
    closer.zoom += 1.0;
    PixelPoint far = refhost::Project(viewport, {13.41, 52.51});
    PixelPoint near = refhost::Project(closer, {13.41, 52.51});
    EXPECT_NEAR(near.x - 320.0, 2.0 * (far.x - 320.0), 1e-6);
    EXPECT_NEAR(near.y - 240.0, 2.0 * (far.y - 240.0), 1e-6);
}

TEST(WebMercator, RoundTripsPixelsAndPoints)
{
    for (MapViewport viewport : {View(13.4, 52.5, 14.3), View(-122.4, 37.8, 17.0, 1024, 768),
                                 View(179.95, -16.8, 9.5), View(0.0, 80.0, 3.0)})
    {
        for (double x : {0.0, 17.5, 150.0, 299.0, 1000.0})
            for (double y : {0.0, 33.25, 100.0, 199.0})
            {
                PixelPoint pixel{x, y};
                PixelPoint back = refhost::Project(viewport, refhost::Unproject(viewport, pixel));
                EXPECT_NEAR(back.x, x, 1e-6);
                EXPECT_NEAR(back.y, y, 1e-6);
            }
        tagLonLat point = {viewport.centre.lon + 0.001, viewport.centre.lat - 0.0007};
        tagLonLat back = refhost::Unproject(viewport, refhost::Project(viewport, point));
        EXPECT_NEAR(refhost::UnwrapLongitude(back.lon, point.lon), point.lon, 1e-9);
        EXPECT_NEAR(back.lat, point.lat, 1e-9);
        EXPECT_GE(back.lon, -180.0);
        EXPECT_LT(back.lon, 180.0);
    }
}

// A bearing turns the picture about its centre: the direction it names points
// up, distances from the centre stay, and Unproject still undoes Project.
TEST(WebMercator, BearingPointsUp)
{
    MapViewport viewport = View(8.55, 47.37, 16.0, 300, 200);
    const tagLonLat east = {8.551, 47.37};
    const PixelPoint northUp = refhost::Project(viewport, east);
    viewport.bearing = 90.0;
    const PixelPoint headingEast = refhost::Project(viewport, east);
    EXPECT_NEAR(headingEast.x, 150.0, 1e-9);
    EXPECT_NEAR(100.0 - headingEast.y, northUp.x - 150.0, 1e-9);
    viewport.bearing = -123.0;
    const PixelPoint pixel{17.5, 180.0};
    const PixelPoint back = refhost::Project(viewport, refhost::Unproject(viewport, pixel));
    EXPECT_NEAR(back.x, pixel.x, 1e-6);
    EXPECT_NEAR(back.y, pixel.y, 1e-6);
    EXPECT_NEAR(refhost::ZoomForMetresPerPixel(47.37, refhost::MetresPerPixel(viewport)), 16.0,
                1e-12);
}

TEST(WebMercator, UnwrapsLongitudesAroundTheViewportCentre)
{
    EXPECT_DOUBLE_EQ(refhost::UnwrapLongitude(-179.9, 179.95), 180.1);
    EXPECT_DOUBLE_EQ(refhost::UnwrapLongitude(179.9, -179.95), -180.1);
    EXPECT_DOUBLE_EQ(refhost::UnwrapLongitude(10.0, 0.0), 10.0);
    EXPECT_DOUBLE_EQ(refhost::UnwrapLongitude(730.0, 0.0), 10.0);
    EXPECT_TRUE(std::isnan(refhost::UnwrapLongitude(kNaN, 0.0)));
    EXPECT_DOUBLE_EQ(refhost::NormaliseLongitude(180.0), -180.0);
    EXPECT_DOUBLE_EQ(refhost::NormaliseLongitude(-180.0), -180.0);
    EXPECT_DOUBLE_EQ(refhost::NormaliseLongitude(190.0), -170.0);

    // East of the 180th meridian stays east of a centre just west of it.
    MapViewport viewport = View(179.95, 0.0, 12.0, 800, 200);
    EXPECT_GT(refhost::Project(viewport, {-179.9, 0.0}).x, 400.0);
    EXPECT_LT(refhost::Project(viewport, {179.9, 0.0}).x, 400.0);
    PixelPoint nowhere = refhost::Project(viewport, {kNaN, 0.0});
    EXPECT_TRUE(std::isnan(nowhere.x));
    EXPECT_TRUE(std::isnan(refhost::Project(viewport, {0.0, kNaN}).y));
}

TEST(WebMercator, ValidatesViewports)
{
    EXPECT_TRUE(MapViewport().IsValid());
    EXPECT_FALSE(View(0, 0, -0.5).IsValid());
    EXPECT_FALSE(View(0, 0, 24.5).IsValid());
    EXPECT_FALSE(View(0, 86.0, 5).IsValid());
    EXPECT_FALSE(View(kNaN, 0, 5).IsValid());
    EXPECT_FALSE(View(0, 0, 5, 0, 100).IsValid());
    EXPECT_FALSE(View(0, 0, 5, 100, 100, 0.0).IsValid());
    EXPECT_FALSE(View(0, 0, 5, 8000, 100, 4.0).IsValid()); // 32000 device pixels wide
    MapViewport retina = View(0, 0, 5, 301, 200, 1.5);
    EXPECT_TRUE(retina.IsValid());
    EXPECT_EQ(retina.DeviceWidth(), 452); // 451.5 rounds up
    EXPECT_EQ(retina.DeviceHeight(), 300);

    RasterMapView view(View(0, 0, 5));
    EXPECT_FALSE(view.SetViewport(View(0, 0, 99)));
    EXPECT_DOUBLE_EQ(view.Viewport().zoom, 5.0);
}

TEST(WebMercator, FitsViewportToPoints)
{
    const tagLonLat points[] = {{13.30, 52.45}, {13.45, 52.55}, {kNaN, 1.0}, {13.38, 52.50}};
    MapViewport viewport = View(0, 0, 3, 400, 300);
    ASSERT_TRUE(refhost::FitViewport(points, 4, FitMargins(20.0), 18.0, viewport));
    EXPECT_EQ(viewport.width, 400);
    double minX = 1e9;
    double maxX = -1e9;
    double minY = 1e9;
    double maxY = -1e9;
    for (const tagLonLat& point : points)
    {
        if (std::isnan(point.lon))
            continue;
        PixelPoint pixel = refhost::Project(viewport, point);
        minX = std::min(minX, pixel.x);
        maxX = std::max(maxX, pixel.x);
        minY = std::min(minY, pixel.y);
        maxY = std::max(maxY, pixel.y);
    }
    // Inside the margins, touching them on the tighter axis, centred.
    EXPECT_GE(minX, 20.0 - 1e-6);
    EXPECT_LE(maxX, 380.0 + 1e-6);
    EXPECT_GE(minY, 20.0 - 1e-6);
    EXPECT_LE(maxY, 280.0 + 1e-6);
    EXPECT_TRUE(std::fabs(maxX - minX - 360.0) < 1e-6 || std::fabs(maxY - minY - 260.0) < 1e-6);
    EXPECT_NEAR(minX + maxX, 400.0, 1e-6);
    EXPECT_NEAR(minY + maxY, 300.0, 1e-6);

    // Uneven margins (a caption on top) shift the box into the room left.
    FitMargins captioned(10.0);
    captioned.top = 60.0;
    ASSERT_TRUE(refhost::FitViewport(points, 4, captioned, 18.0, viewport));
    double top = refhost::Project(viewport, {13.45, 52.55}).y;
    double bottom = refhost::Project(viewport, {13.30, 52.45}).y;
    EXPECT_NEAR((top + bottom) / 2.0, (60.0 + 290.0) / 2.0, 1e-6);
}

TEST(WebMercator, FitsAcrossTheAntimeridianAndHandlesDegenerateInput)
{
    const tagLonLat crossing[] = {{179.9, -16.0}, {-179.9, -16.1}, {179.95, -16.05}};
    MapViewport viewport = View(0, 0, 0, 400, 300);
    ASSERT_TRUE(refhost::FitViewport(crossing, 3, FitMargins(10.0), 18.0, viewport));
    // A box 0.2 degrees wide around the meridian, not one around the world.
    EXPECT_NEAR(std::fabs(viewport.centre.lon), 180.0, 1e-9);
    EXPECT_GT(viewport.zoom, 10.0);

    const tagLonLat single[] = {{7.5, 45.25}};
    ASSERT_TRUE(refhost::FitViewport(single, 1, FitMargins(10.0), 17.0, viewport));
    EXPECT_DOUBLE_EQ(viewport.zoom, 17.0);
    EXPECT_NEAR(viewport.centre.lon, 7.5, 1e-9);
    EXPECT_NEAR(viewport.centre.lat, 45.25, 1e-9);

    const tagLonLat none[] = {{kNaN, 1.0}, {1.0, kInf}};
    MapViewport before = viewport;
    EXPECT_FALSE(refhost::FitViewport(none, 2, FitMargins(), 17.0, viewport));
    EXPECT_FALSE(refhost::FitViewport(nullptr, 3, FitMargins(), 17.0, viewport));
    EXPECT_FALSE(refhost::FitViewport(single, 0, FitMargins(), 17.0, viewport));
    EXPECT_DOUBLE_EQ(viewport.zoom, before.zoom);
}

// ---- scale and levels ---------------------------------------------------------

TEST(ScaleLevels, ScaleIsGroundMillimetresPerPixelAtTheCentre)
{
    RasterMapView view(View(0.0, 0.0, 0.0));
    // 2 pi 6378137 m / 256 px = 156543.0339 m per pixel on the equator.
    EXPECT_EQ(view.GetScale(), 156543034);
    ASSERT_TRUE(view.SetViewport(View(0.0, 60.0, 0.0)));
    EXPECT_EQ(view.GetScale(), 78271517); // cos 60 = 1/2
    ASSERT_TRUE(view.SetViewport(View(0.0, 0.0, 24.0)));
    EXPECT_EQ(view.GetScale(), 9); // 9.33 mm
}

TEST(ScaleLevels, LevelsFollowTheDocumentedTable)
{
    EXPECT_EQ(refhost::LevelOfScale(-5), 0);
    EXPECT_EQ(refhost::LevelOfScale(0), 0);
    EXPECT_EQ(refhost::LevelOfScale(999), 0);
    EXPECT_EQ(refhost::LevelOfScale(1000), 1);
    EXPECT_EQ(refhost::LevelOfScale(1999), 1);
    EXPECT_EQ(refhost::LevelOfScale(2000), 2);
    EXPECT_EQ(refhost::LevelOfScale(16000), 5);
    EXPECT_EQ(refhost::LevelOfScale(31999), 5);
    EXPECT_EQ(refhost::LevelOfScale(32000), 6);
    EXPECT_EQ(refhost::LevelOfScale(std::numeric_limits<int64_t>::max()), 64 - 10);

    // On the equator level L begins at zoom 18.26 - L: integer zooms 0 ... 18
    // give levels 18 ... 0, and anything closer stays at 0.
    RasterMapView view;
    for (int zoom = 0; zoom <= 24; ++zoom)
    {
        ASSERT_TRUE(view.SetViewport(View(0.0, 0.0, zoom)));
        EXPECT_EQ(view.ScaleToLevel(view.GetScale()), std::max(0, 18 - zoom)) << "zoom " << zoom;
    }
}

// The continuous level value, the design resolutions and the zoom for a
// resolution all name the same levels as the map view's scale value.
TEST(ScaleLevels, LevelValuesDesignResolutionsAndZoomsAgreeWithTheLevels)
{
    double metresPerPixel = 0.01;
    while (metresPerPixel < 3e5)
    {
        const double value = refhost::LevelValueOfResolution(metresPerPixel);
        const int32_t level =
            refhost::LevelOfScale(static_cast<int64_t>(std::lround(metresPerPixel * 1000.0)));
        EXPECT_EQ(std::max(0, static_cast<int>(std::lround(value))), level) << metresPerPixel;
        EXPECT_NEAR(refhost::ResolutionOfLevelValue(value), metresPerPixel, 1e-9 * metresPerPixel);
        metresPerPixel *= 1.37;
    }
    for (int level = 0; level <= 18; ++level)
    {
        const double design = refhost::DesignResolution(level);
        EXPECT_EQ(refhost::LevelOfScale(std::llround(design * 1000.0)), level) << level;
        if (level > 0)
        {
            EXPECT_DOUBLE_EQ(design, refhost::ResolutionOfLevelValue(level));
        }
        // The zoom that shows the design resolution on the equator puts a map
        // view at that level.
        RasterMapView view;
        ASSERT_TRUE(view.SetViewport(View(0.0, 0.0, refhost::ZoomForMetresPerPixel(0.0, design))));
        EXPECT_EQ(view.ScaleToLevel(view.GetScale()), level) << level;
    }
    // One answer for what has none: NaN shows the whole world, latitudes
    // beyond the projection's limit are the limit's.
    EXPECT_EQ(refhost::ZoomForMetresPerPixel(0.0, std::nan("")), refhost::kMinZoom);
    EXPECT_EQ(refhost::ZoomForMetresPerPixel(std::nan(""), 1.0), refhost::kMinZoom);
    EXPECT_EQ(refhost::ZoomForMetresPerPixel(89.0, 1.0),
              refhost::ZoomForMetresPerPixel(refhost::kMaxMercatorLatitude, 1.0));
    EXPECT_EQ(refhost::ZoomForMetresPerPixel(0.0, 0.0), refhost::kMaxZoom);
}

TEST(ScaleLevels, LevelIsMonotonicAndOnePerHalving)
{
    int32_t previous = 0;
    for (int64_t scale = 1; scale < 40000000; scale += scale / 7 + 1)
    {
        int32_t level = refhost::LevelOfScale(scale);
        EXPECT_GE(level, previous) << scale;
        previous = level;
        if (scale >= 500)
        {
            EXPECT_EQ(refhost::LevelOfScale(2 * scale), level + 1) << scale;
        }
    }
    // Finer ground at higher latitudes: the same zoom never gives a coarser
    // level further from the equator.
    RasterMapView view;
    int32_t equator = 0;
    for (double lat : {0.0, 30.0, 52.5, 70.0, 85.0})
    {
        ASSERT_TRUE(view.SetViewport(View(0.0, lat, 13.0)));
        int32_t level = view.ScaleToLevel(view.GetScale());
        if (lat == 0.0)
            equator = level;
        EXPECT_LE(level, equator);
    }
}

// ---- pixels ---------------------------------------------------------------------

class RasterMapViewPixels : public ::testing::Test
{
protected:
    RasterMapView view{View(8.55, 47.37, 16.0, 300, 200)};

    // A horizontal line through the middle of pixel row `row`.
    std::vector<tagLonLat> Row(double row, double fromX, double toX) const
    {
        return {At(view, fromX, row + 0.5), At(view, toX, row + 0.5)};
    }
};

TEST_F(RasterMapViewPixels, CasedLineShowsFillOnTopOfBorder)
{
    const uint32_t border = 0x0092121B;
    const uint32_t fill = 0x000711F5;
    std::vector<tagLonLat> road = Row(100, 40, 260);
    EXPECT_EQ(view.DrawLine(road.data(), 2, 0, border, 12), 1);
    EXPECT_EQ(view.DrawLine(road.data(), 2, 0, fill, 4), 1);
    RasterImage image = Render(view);
    ASSERT_EQ(image.Width(), 300);
    ASSERT_EQ(image.Height(), 200);
    for (int x : {45, 150, 255})
    {
        EXPECT_EQ(image.ColourAt(x, 100), fill) << x;
        EXPECT_EQ(image.ColourAt(x, 99), fill) << x;
        EXPECT_EQ(image.ColourAt(x, 101), fill) << x;
        EXPECT_EQ(image.ColourAt(x, 96), border) << x; // 4.5 px above the centre line
        EXPECT_EQ(image.ColourAt(x, 104), border) << x;
        EXPECT_EQ(image.ColourAt(x, 110), RasterMapView::kBackgroundColour) << x;
    }
    // Round caps: the border reaches 6 px beyond the last point, not 7.
    EXPECT_EQ(image.ColourAt(37, 100), border);
    EXPECT_EQ(image.ColourAt(35, 100), border);
    EXPECT_EQ(image.ColourAt(264, 100), border);
    EXPECT_EQ(image.ColourAt(268, 100), RasterMapView::kBackgroundColour);
    EXPECT_EQ(image.ColourAt(-1, 0), RasterImage::kNoPixel);
    EXPECT_EQ(image.ColourAt(300, 0), RasterImage::kNoPixel);
}

TEST_F(RasterMapViewPixels, PolygonsFillAndOutlinesRing)
{
    const tagLonLat triangle[] = {At(view, 100, 150), At(view, 200, 150), At(view, 150, 50)};
    EXPECT_EQ(view.DrawLine(triangle, 3, 4, 0x00000000, 0x00000000), 1); // outline, 4 px
    EXPECT_EQ(view.DrawPolygon(triangle, 3, 0, 0x00FFFFFF, 0x00FFFFFF), 1);
    RasterImage image = Render(view);
    EXPECT_EQ(image.ColourAt(150, 120), 0x00FFFFFFu); // inside
    EXPECT_EQ(image.ColourAt(150, 151), 0x00000000u); // outline half outside the base
    EXPECT_EQ(image.ColourAt(199, 151), 0x00000000u); // near a corner, round join
    EXPECT_EQ(image.ColourAt(100, 100), RasterMapView::kBackgroundColour);
    // The closing edge (third point back to the first) is outlined too.
    EXPECT_EQ(image.ColourAt(123, 101), 0x00000000u);
}

TEST_F(RasterMapViewPixels, PolygonOpacityIsPercent)
{
    const tagLonLat square[] = {At(view, 10, 10), At(view, 60, 10), At(view, 60, 60),
                                At(view, 10, 60)};
    const tagLonLat opaque[] = {At(view, 100, 10), At(view, 150, 10), At(view, 150, 60),
                                At(view, 100, 60)};
    EXPECT_EQ(view.DrawPolygon(square, 4, 50, 0x00000000, 0), 1);
    EXPECT_EQ(view.DrawPolygon(opaque, 4, 100, 0x00000000, 0), 1);
    RasterImage image = Render(view);
    uint32_t half = image.ColourAt(35, 35);
    // Half of the background in every channel (within rounding).
    for (int shift : {0, 8, 16})
    {
        int got = static_cast<int>((half >> shift) & 0xFF);
        int expected = static_cast<int>((RasterMapView::kBackgroundColour >> shift) & 0xFF) / 2;
        EXPECT_NEAR(got, expected, 1) << shift;
    }
    EXPECT_EQ(image.ColourAt(125, 35), 0x00000000u);
}

TEST_F(RasterMapViewPixels, RedLineIsRed)
{
    std::vector<tagLonLat> line = Row(60, 20, 280);
    EXPECT_EQ(view.DrawLine(line.data(), 2, 0, 255, 2), 1);
    RasterImage image = Render(view);
    EXPECT_EQ(image.ColourAt(150, 60), 0x000000FFu);

    // In the written PNG, read back by Cairo: red channel full, others empty.
    ScratchDir dir;
    std::string error;
    ASSERT_TRUE(view.Write(dir.File("red.png"), &error)) << error;
    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.File("red.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(png), 300);
    const unsigned char* data = cairo_image_surface_get_data(png);
    const ptrdiff_t stride = cairo_image_surface_get_stride(png);
    const ptrdiff_t row = 60;
    const ptrdiff_t column = 150;
    uint32_t argb;
    std::memcpy(&argb, data + row * stride + column * 4, 4);
    EXPECT_EQ(argb, 0xFFFF0000u);
    cairo_surface_destroy(png);
}

TEST_F(RasterMapViewPixels, WidthsGrowWithThePixelRatio)
{
    MapViewport doubled = view.Viewport();
    doubled.pixelRatio = 2.0;
    ASSERT_TRUE(view.SetViewport(doubled));
    std::vector<tagLonLat> line = Row(100, 20, 280);
    view.DrawLine(line.data(), 2, 0, 0x00336699, 4);
    RasterImage image = Render(view);
    ASSERT_EQ(image.Width(), 600);
    ASSERT_EQ(image.Height(), 400);
    // 4 CSS pixels are 8 device pixels: rows 197 ... 204 around the centre 201.
    EXPECT_EQ(image.ColourAt(300, 201), 0x00336699u);
    EXPECT_EQ(image.ColourAt(300, 198), 0x00336699u);
    EXPECT_EQ(image.ColourAt(300, 204), 0x00336699u);
    EXPECT_EQ(image.ColourAt(300, 208), RasterMapView::kBackgroundColour);
}

TEST_F(RasterMapViewPixels, NonFinitePointsBreakTheLine)
{
    const tagLonLat line[] = {At(view, 20, 50.5),
                              At(view, 100, 50.5),
                              {kNaN, 47.0},
                              At(view, 200, 50.5),
                              At(view, 280, 50.5)};
    EXPECT_EQ(view.DrawLine(line, 5, 0, 0x00336699, 4), 1);
    const tagLonLat lonely[] = {{kInf, 1.0}, At(view, 150, 150.5), {1.0, kNaN}};
    EXPECT_EQ(view.DrawLine(lonely, 3, 0, 0x00336699, 6), 1); // a dot
    RasterImage image = Render(view);
    EXPECT_EQ(image.ColourAt(60, 50), 0x00336699u);
    EXPECT_EQ(image.ColourAt(240, 50), 0x00336699u);
    EXPECT_EQ(image.ColourAt(150, 50), RasterMapView::kBackgroundColour); // the break
    EXPECT_EQ(image.ColourAt(150, 150), 0x00336699u);
    EXPECT_EQ(image.ColourAt(150, 155), RasterMapView::kBackgroundColour);
}

TEST_F(RasterMapViewPixels, NothingToDrawIsNothingRecorded)
{
    const tagLonLat bad[] = {{kNaN, kNaN}, {kInf, 0.0}};
    const tagLonLat good[] = {At(view, 10, 10), At(view, 20, 20)};
    EXPECT_EQ(view.DrawLine(nullptr, 2, 0, 1, 2), 0);
    EXPECT_EQ(view.DrawLine(good, 0, 0, 1, 2), 0);
    EXPECT_EQ(view.DrawLine(good, -3, 0, 1, 2), 0);
    EXPECT_EQ(view.DrawLine(bad, 2, 0, 1, 2), 0);
    EXPECT_EQ(view.DrawLine(good, 2, 0, 1, 0), 0);  // no width
    EXPECT_EQ(view.DrawLine(good, 2, -1, 1, 1), 0); // negative outline
    EXPECT_EQ(view.DrawPolygon(nullptr, 3, 0, 1, 1), 0);
    EXPECT_EQ(view.DrawPolygon(bad, 2, 0, 1, 1), 0);
    EXPECT_EQ(view.DrawPolygon(good, -1, 0, 1, 1), 0);
    EXPECT_TRUE(view.Drawings().empty());

    EXPECT_EQ(view.DrawPolygon(good, 2, 0, 1, 1), 1);
    view.Clear();
    EXPECT_TRUE(view.Drawings().empty());
}

TEST_F(RasterMapViewPixels, LinesReachingFarOffTheImageStayInPlace)
{
    // At zoom 20 a point 170 degrees east is about 10^8 pixels away, far past
    // the reach of Cairo's fixed-point coordinates.
    ASSERT_TRUE(view.SetViewport(View(8.55, 47.37, 20.0, 300, 200)));
    const tagLonLat east[] = {At(view, 150, 100.5), {178.55, 47.37}};
    const tagLonLat west[] = {{-161.45, 47.3701}, At(view, 150, 60.5), At(view, 10, 60.5)};
    EXPECT_EQ(view.DrawLine(east, 2, 0, 0x00336699, 4), 1);
    EXPECT_EQ(view.DrawLine(west, 3, 0, 0x00CC9933, 4), 1);
    const tagLonLat huge[] = {{8.0, 47.0}, {9.0, 47.0}, {9.0, 48.0}, {8.0, 48.0}};
    EXPECT_EQ(view.DrawPolygon(huge, 4, 0, 0x00808080, 0), 1); // covers the whole image
    EXPECT_EQ(view.DrawLine(east, 2, 0, 0x00336699, 4), 1);
    RasterImage image = Render(view);
    EXPECT_EQ(image.ColourAt(160, 100), 0x00336699u);
    EXPECT_EQ(image.ColourAt(295, 100), 0x00336699u);
    EXPECT_EQ(image.ColourAt(100, 100), 0x00808080u);
    EXPECT_EQ(image.ColourAt(20, 150), 0x00808080u);
}

TEST_F(RasterMapViewPixels, RouteAcrossTheAntimeridianIsOneLine)
{
    // 0.2 degrees at zoom 12 are about 582 pixels: both ends in the image.
    ASSERT_TRUE(view.SetViewport(View(180.0, -16.5, 12.0, 800, 200)));
    const tagLonLat route[] = {{179.9, -16.5}, {-179.9, -16.5}};
    EXPECT_EQ(view.DrawLine(route, 2, 0, 0x000711F5, 6), 1);
    RasterImage image = Render(view);
    double west = refhost::Project(view.Viewport(), route[0]).x;
    double east = refhost::Project(view.Viewport(), route[1]).x;
    EXPECT_NEAR(east - west, 0.2 / 360.0 * 256.0 * 4096.0, 1e-6);
    for (int x = static_cast<int>(west) + 2; x < static_cast<int>(east) - 1; x += 7)
        ASSERT_EQ(image.ColourAt(x, 100), 0x000711F5u) << "gap at x " << x;

    // The same with the viewport centred just east of the meridian.
    ASSERT_TRUE(view.SetViewport(View(-179.98, -16.5, 12.0, 800, 200)));
    image = Render(view);
    west = refhost::Project(view.Viewport(), route[0]).x;
    EXPECT_GT(west, 0.0);
    EXPECT_EQ(image.ColourAt(static_cast<int>(west) + 30, 100), 0x000711F5u);
    EXPECT_EQ(image.ColourAt(400, 100), 0x000711F5u);
}

TEST_F(RasterMapViewPixels, CaptionAndScaleBarKeepToTheirCorners)
{
    RasterImage plain = Render(view);
    EXPECT_EQ(plain.ColourAt(150, 5), RasterMapView::kBackgroundColour);
    EXPECT_DOUBLE_EQ(view.CaptionHeight(), 0.0);
    // The scale bar darkens something in the bottom-left corner, only there.
    int dark = 0;
    for (int y = 160; y < 200; ++y)
        for (int x = 0; x < 150; ++x)
            dark += (plain.ColourAt(x, y) & 0xFF) < 0x80 ? 1 : 0;
    EXPECT_GT(dark, 50);
    EXPECT_EQ(plain.ColourAt(250, 190), RasterMapView::kBackgroundColour);

    view.SetCaption("Hauptstrasse \xE2\x86\x92 Bahnhofstrasse", "Turn right in 120 m");
    double band = view.CaptionHeight();
    EXPECT_GT(band, 30.0);
    RasterImage captioned = Render(view);
    EXPECT_NE(captioned.ColourAt(290, 3), RasterMapView::kBackgroundColour);
    EXPECT_EQ(captioned.ColourAt(150, static_cast<int>(band) + 5),
              RasterMapView::kBackgroundColour);
    view.SetCaption("", "");
    EXPECT_EQ(Render(view).ColourAt(290, 3), RasterMapView::kBackgroundColour);
}

// A caption too long for a narrow picture is cut between characters, also
// after a character of several bytes; the vehicle marker is painted where
// the vehicle is.
TEST(RasterMapViewDecorations, NarrowCaptionsAndTheVehicleMarker)
{
    RasterMapView view(View(18.64, 54.35, 16.0, 120, 160));
    view.SetCaption("Kościuszki ŚŚŚŚŚŚ", "Skręć w prawo w Łąkowa");
    view.SetVehicle(At(view, 60.0, 100.0), 0.0);
    RasterImage image;
    std::string error;
    ASSERT_TRUE(view.RenderImage(image, &error)) << error;
    const uint32_t marker = image.ColourAt(60, 97);
    EXPECT_GT((marker >> 16) & 0xFFu, marker & 0xFFu) << std::hex << marker; // blue arrow
    view.ClearVehicle();
    ASSERT_TRUE(view.RenderImage(image, &error));
    EXPECT_EQ(image.ColourAt(60, 97), RasterMapView::kBackgroundColour);
}

TEST(ScaleBar, ChoosesRoundLengths)
{
    using refhost::mapview::ScaleBarLabel;
    using refhost::mapview::ScaleBarMetres;
    EXPECT_DOUBLE_EQ(ScaleBarMetres(1.0, 120.0), 100.0);
    EXPECT_DOUBLE_EQ(ScaleBarMetres(0.3, 120.0), 20.0);    // 36 m of room
    EXPECT_DOUBLE_EQ(ScaleBarMetres(4.5, 120.0), 500.0);   // 540 m
    EXPECT_DOUBLE_EQ(ScaleBarMetres(10.0, 120.0), 1000.0); // 1200 m
    EXPECT_DOUBLE_EQ(ScaleBarMetres(2.0, 50.0), 100.0);    // exactly 100 m
    EXPECT_DOUBLE_EQ(ScaleBarMetres(0.0, 120.0), 0.0);
    EXPECT_DOUBLE_EQ(ScaleBarMetres(kNaN, 120.0), 0.0);
    EXPECT_EQ(ScaleBarLabel(500.0), "500 m");
    EXPECT_EQ(ScaleBarLabel(1000.0), "1 km");
    EXPECT_EQ(ScaleBarLabel(20000.0), "20 km");
    EXPECT_EQ(ScaleBarLabel(0.5), "0.5 m");
}

// ---- files ------------------------------------------------------------------------

TEST(RasterMapViewFiles, SvgHasOnePathPerDrawingCall)
{
    ScratchDir dir;
    RasterMapView view(View(8.55, 47.37, 16.0, 300, 200));
    std::string error;
    ASSERT_TRUE(view.Write(dir.File("empty.svg"), &error)) << error;
    pugi::xml_document empty;
    ASSERT_TRUE(empty.load_file(dir.File("empty.svg").c_str()));
    std::size_t decorations = DrawingPaths(empty).size();

    std::vector<tagLonLat> road = {At(view, 20, 100), At(view, 150, 120), At(view, 280, 100)};
    const tagLonLat broken[] = {
        At(view, 20, 30), At(view, 60, 30), {kNaN, 0}, At(view, 90, 30), At(view, 120, 30)};
    const tagLonLat arrow[] = {At(view, 100, 150), At(view, 200, 150), At(view, 150, 60)};
    view.DrawLine(road.data(), 3, 0, 0x00996633, 12); // border
    view.DrawLine(road.data(), 3, 0, 0x00CCCCCC, 6);  // fill
    view.DrawLine(broken, 5, 0, 0x00336699, 3);       // two pieces, one element
    view.DrawLine(arrow, 3, 2, 0, 0);                 // arrow outline
    view.DrawPolygon(arrow, 3, 0, 0x00FFFFFF, 0x00FFFFFF);
    view.DrawLine(road.data(), 2, 0, 255, 2); // the red line
    view.SetCaption("A1", "Keep left");
    ASSERT_TRUE(view.Write(dir.File("drawn.SVG"), &error)) << error;

    pugi::xml_document drawn;
    pugi::xml_parse_result parsed = drawn.load_file(dir.File("drawn.SVG").c_str());
    ASSERT_TRUE(parsed) << parsed.description();
    pugi::xml_node svg = drawn.child("svg");
    ASSERT_TRUE(svg);
    EXPECT_STREQ(svg.attribute("width").value(), "300px");
    EXPECT_STREQ(svg.attribute("height").value(), "200px");
    std::vector<pugi::xml_node> paths = DrawingPaths(drawn);
    // Six calls, six elements, plus the decorations and the caption band and
    // its rule (two more).
    ASSERT_EQ(paths.size(), decorations + 6 + 2);
    // The drawings come first, in call order, with their colours and widths.
    auto style = [&](std::size_t i) { return std::string(paths[i].attribute("style").value()); };
    EXPECT_NE(style(0).find("stroke:rgb(20%,40%,60%)"), std::string::npos) << style(0);
    EXPECT_NE(style(0).find("stroke-width:12"), std::string::npos) << style(0);
    EXPECT_NE(style(0).find("stroke-linejoin:round"), std::string::npos) << style(0);
    EXPECT_NE(style(0).find("stroke-linecap:round"), std::string::npos) << style(0);
    EXPECT_NE(style(1).find("stroke:rgb(80%,80%,80%)"), std::string::npos) << style(1);
    EXPECT_NE(style(1).find("stroke-width:6"), std::string::npos) << style(1);
    EXPECT_EQ(std::string(paths[2].attribute("d").value()).find('M', 1) != std::string::npos, true);
    EXPECT_NE(style(3).find("stroke:rgb(0%,0%,0%)"), std::string::npos) << style(3);
    EXPECT_NE(std::string(paths[3].attribute("d").value()).find('Z'), std::string::npos);
    EXPECT_NE(style(4).find("fill:rgb(100%,100%,100%)"), std::string::npos) << style(4);
    EXPECT_NE(style(5).find("stroke:rgb(100%,0%,0%)"), std::string::npos) << style(5);
}

TEST(RasterMapViewFiles, WritesPngAndPdfCompletely)
{
    ScratchDir dir;
    RasterMapView view(View(8.55, 47.37, 16.0, 120, 80, 2.0));
    std::string error;
    ASSERT_TRUE(view.Write(dir.File("a.png"), ImageFormat::Png, &error)) << error;
    ASSERT_TRUE(view.Write(dir.File("a.pdf"), &error)) << error;
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"a.png", "a.pdf"}));
    EXPECT_EQ(ReadFile(dir.File("a.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
    std::string pdf = ReadFile(dir.File("a.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);

    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.File("a.png").c_str());
    EXPECT_EQ(cairo_image_surface_get_width(png), 240); // device pixels
    EXPECT_EQ(cairo_image_surface_get_height(png), 160);
    cairo_surface_destroy(png);

    // Overwriting replaces the file and leaves nothing else behind.
    ASSERT_TRUE(view.Write(dir.File("a.png"), &error)) << error;
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"a.png", "a.pdf"}));
}

TEST(RasterMapViewFiles, FailsCleanlyWhereItCannotWrite)
{
    ScratchDir dir;
    RasterMapView view;
    std::string error;
    // A folder that does not exist.
    EXPECT_FALSE(view.Write(dir.File("missing/x.png"), &error));
    EXPECT_NE(error.find("missing/x.png"), std::string::npos) << error;
    // A "folder" that is a plain file: refused even for root.
    std::ofstream(dir.File("plain")) << "x";
    error.clear();
    EXPECT_FALSE(view.Write(dir.File("plain/x.png"), &error));
    EXPECT_FALSE(error.empty());
    // A folder without write permission (root may write anyway).
    ASSERT_EQ(mkdir(dir.File("locked").c_str(), 0555), 0);
    if (geteuid() != 0)
    {
        error.clear();
        EXPECT_FALSE(view.Write(dir.File("locked/x.png"), &error));
        EXPECT_NE(error.find("locked/x.png"), std::string::npos) << error;
    }
    else
    {
        ASSERT_TRUE(view.Write(dir.File("locked/x.png"), &error)) << error;
        unlink(dir.File("locked/x.png").c_str());
    }
    rmdir(dir.File("locked").c_str());
    // An unknown format.
    error.clear();
    EXPECT_FALSE(view.Write(dir.File("x.bmp"), &error));
    EXPECT_NE(error.find("format"), std::string::npos) << error;
    EXPECT_EQ(dir.Names(), std::set<std::string>{"plain"});
}

TEST(RasterMapViewFiles, FailedWriteKeepsThePreviousFile)
{
    // A file size limit makes every write past it fail (EFBIG), as a full
    // disk would; SIGXFSZ is ignored so that the failure is an error result.
    ScratchDir dir;
    RasterMapView view(View(8.55, 47.37, 16.0, 300, 200));
    std::string error;
    ASSERT_TRUE(view.Write(dir.File("map.svg"), &error)) << error;
    std::string before = ReadFile(dir.File("map.svg"));
    std::vector<tagLonLat> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back(At(view, i % 300, (i * 7) % 200));
    view.DrawLine(many.data(), static_cast<int32_t>(many.size()), 0, 0x00336699, 3);

    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*savedHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = before.size() + 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = view.Write(dir.File("map.svg"), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    (void)std::signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find("map.svg"), std::string::npos) << error;
    EXPECT_EQ(dir.Names(), std::set<std::string>{"map.svg"});
    EXPECT_EQ(ReadFile(dir.File("map.svg")), before);
}

TEST(DefaultMapView, IsTheHostsMapService)
{
    CMapService* first = CMapCreate::GetMapService(nullptr);
    EXPECT_EQ(first, &refhost::DefaultMapView());
    EXPECT_EQ(CMapCreate::GetMapService(nullptr), first);
    EXPECT_TRUE(refhost::DefaultMapView().Viewport().IsValid());
}

// ---- through the library ---------------------------------------------------------

namespace
{

// A path of plain edges, as the route line reads it; no guides.
class EdgePath : public CNavPath
{
public:
    explicit EdgePath(std::vector<std::vector<tagLonLat>> edges) : m_edges(std::move(edges)) {}

    POSITION GetFirstPosition() override { return PositionOf(0); }
    POSITION GetNext(POSITION position) override { return PositionOf(IndexOf(position) + 1); }
    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override
    {
        std::size_t index = IndexOf(position);
        if (index >= m_edges.size())
            return 0;
        count = static_cast<unsigned short>(m_edges[index].size());
        points = m_edges[index].data();
        return 1;
    }
    int GetGuid(POSITION /*position*/, PathGuid& /*guide*/) override { return 0; }
    int GetNextGuid(const PathGuid& /*current*/, PathGuid& /*next*/) override { return 0; }

private:
    // Positions are 1-based edge numbers dressed as pointers; null is none.
    POSITION PositionOf(std::size_t index) const
    {
        return index < m_edges.size()
                   ? reinterpret_cast<POSITION>(index + 1) // NOLINT(performance-no-int-to-ptr)
                   : nullptr;
    }
    static std::size_t IndexOf(POSITION position)
    {
        return reinterpret_cast<std::size_t>(position) - 1;
    }

    std::vector<std::vector<tagLonLat>> m_edges;
};

// A size table whose route border narrows by 2 pixels a level, from 14 at
// level 0; the route fill is 4 pixels throughout.
std::vector<AdvicePathSizeSetting> SizeTable(int levels)
{
    std::vector<AdvicePathSizeSetting> table(static_cast<std::size_t>(levels));
    for (int level = 0; level < levels; ++level)
    {
        AdvicePathSizeSetting& sizes = table[static_cast<std::size_t>(level)];
        sizes.m_PathWidth = 4;
        sizes.m_PathBorderWidth = 14 - 2 * level;
        sizes.m_EdgeWidth = 6;
        sizes.m_EdgeBorderWidth = 10;
        sizes.m_ArrowFillParam = 0;
        sizes.m_ArrowBorderParam = 2;
        sizes.m_ToLength = 60;
        sizes.m_FromLength = 60;
        sizes.m_LengthTolerance = 5;
        sizes.m_ArrowLength = 20;
        sizes.m_ArrowWidth = 10;
    }
    return table;
}

const uint32_t kDefaultPathClr = 0x000711F5;
const uint32_t kDefaultPathBorderClr = 0x0092121B;

} // namespace

TEST(RasterMapViewWithLibrary, DrawsTheCasedRouteLineAtTheViewsLevel)
{
    RasterMapView view(View(8.55, 47.37, 16.0, 300, 200));
    // An L: along row 100 from x 30 to 150, then up column 150 to row 30.
    EdgePath path({{At(view, 30, 100.5), At(view, 150.5, 100.5)},
                   {At(view, 150.5, 100.5), At(view, 150.5, 30)}});
    std::vector<AdvicePathSizeSetting> table = SizeTable(6);

    AdvicePathRenderEx handle;
    ASSERT_TRUE(handle.SetDrawParm(&view));
    ASSERT_EQ(handle.SetSize(table.data(), static_cast<int>(table.size()), 3), 1);
    ASSERT_TRUE(handle.SetPath(&path));

    // 1.62 m per pixel at 47.37 degrees north, zoom 16: level 1, border 12.
    ASSERT_EQ(view.ScaleToLevel(view.GetScale()), 1);
    handle.Draw(true, false);
    ASSERT_EQ(view.Drawings().size(), 4u); // two edges, border and fill
    RasterImage image = Render(view);
    EXPECT_EQ(image.ColourAt(90, 100), kDefaultPathClr);
    EXPECT_EQ(image.ColourAt(150, 60), kDefaultPathClr);
    EXPECT_EQ(image.ColourAt(150, 100), kDefaultPathClr);     // the joint of the two edges
    EXPECT_EQ(image.ColourAt(90, 96), kDefaultPathBorderClr); // 4.5 px off the centre line
    EXPECT_EQ(image.ColourAt(90, 105), kDefaultPathBorderClr);
    EXPECT_EQ(image.ColourAt(155, 60), kDefaultPathBorderClr);
    EXPECT_EQ(image.ColourAt(90, 110), RasterMapView::kBackgroundColour);
    EXPECT_EQ(image.ColourAt(250, 60), RasterMapView::kBackgroundColour);

    // Two zoom levels out the view answers level 3 and the border is 8 wide:
    // 4.5 px off the centre line is background now.
    MapViewport wider = view.Viewport();
    wider.zoom = 14.0;
    ASSERT_TRUE(view.SetViewport(wider));
    ASSERT_EQ(view.ScaleToLevel(view.GetScale()), 3);
    EdgePath straight({{At(view, 30, 100.5), At(view, 270, 100.5)}});
    ASSERT_TRUE(handle.SetPath(&straight));
    view.Clear();
    handle.Draw(true, false);
    image = Render(view);
    EXPECT_EQ(image.ColourAt(150, 100), kDefaultPathClr);
    EXPECT_EQ(image.ColourAt(150, 103), kDefaultPathBorderClr);
    EXPECT_EQ(image.ColourAt(150, 105), RasterMapView::kBackgroundColour);
}

TEST(RasterMapViewWithLibrary, HandleDrawsOnTheDefaultMapView)
{
    RasterMapView& view = refhost::DefaultMapView();
    ASSERT_TRUE(view.SetViewport(View(180.0, -16.5, 12.0, 800, 200)));
    view.Clear();
    EdgePath path({{{179.9, -16.5}, {180.0, -16.5}}, {{-180.0, -16.5}, {-179.9, -16.5}}});
    std::vector<AdvicePathSizeSetting> table = SizeTable(10);

    AdvicePathRenderEx handle(&path); // takes CMapCreate::GetMapService(nullptr)
    ASSERT_EQ(handle.SetSize(table.data(), static_cast<int>(table.size()), 3), 1);
    AdvicePathClrSetting colours(0x00336699, 0x00000000, 0x00FFFFFF, 0);
    handle.SetClr(colours);
    handle.Draw(true, false);
    ASSERT_EQ(view.Drawings().size(), 4u);
    RasterImage image = Render(view);
    double west = refhost::Project(view.Viewport(), {179.9, -16.5}).x;
    double east = refhost::Project(view.Viewport(), {-179.9, -16.5}).x;
    for (int x = static_cast<int>(west) + 2; x < static_cast<int>(east) - 1; x += 5)
        ASSERT_EQ(image.ColourAt(x, 100), 0x00336699u) << "gap at x " << x;
    view.Clear();
}
