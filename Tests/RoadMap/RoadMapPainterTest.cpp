// The road map painted under the library's drawings on the reference map
// view, probed pixel by pixel: roads where the extract has them, background
// far from everything, names in close views, the attribution on every
// picture, and a route drawn by the library lying on its road.
#include "RoadMap/Painter/RoadMapPainter.h"

#include "AdvicePathRenderEx.h"
#include "Colours.h"
#include "MapView/RasterMapView.h"
#include "RoadMap/ExtractReader.h"
#include "RoadMap/Painter/RoadStyle.h"
#include "Route/ActiveRoute.h"
#include "Route/RouteBuilder.h"
#include "SizeTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using refhost::MapViewport;
using refhost::PixelPoint;
using refhost::RasterImage;
using refhost::RasterMapView;
using roadmap::RoadClass;

namespace
{

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A view of `centre` inside `level` of the map view (ScaleLevels.h: level L
// holds 0.5 * 2^L ... 2^L metres per pixel).
MapViewport ViewAt(const tagLonLat& centre, int level)
{
    MapViewport viewport;
    viewport.centre = centre;
    viewport.width = kWidth;
    viewport.height = kHeight;
    viewport.zoom = refhost::ZoomForMetresPerPixel(centre.lat, 0.75 * std::exp2(level));
    return viewport;
}

RasterImage Render(const RasterMapView& view)
{
    RasterImage image;
    std::string error;
    EXPECT_TRUE(view.RenderImage(image, &error)) << error;
    return image;
}

bool IsDark(uint32_t colour)
{
    return (colour & 0xFFu) < 0x80u && ((colour >> 8) & 0xFFu) < 0x80u &&
           ((colour >> 16) & 0xFFu) < 0x80u;
}

// Every colour a road is painted in at `level`.
std::set<uint32_t> RoadColours(int level)
{
    std::set<uint32_t> colours;
    for (int roadClass = 0; roadClass < roadmap::kRoadClassCount; ++roadClass)
        for (bool isLink : {false, true})
        {
            const roadmap::RoadLook look =
                roadmap::LookOfRoad(static_cast<RoadClass>(roadClass), isLink, level);
            colours.insert(look.fill.colour);
        }
    return colours;
}

double DistanceToSegment(const PixelPoint& p, const PixelPoint& a, const PixelPoint& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double squared = dx * dx + dy * dy;
    const double t =
        squared > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

class RoadMapPicture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        auto map = std::make_shared<roadmap::RoadMap>();
        std::string error;
        ASSERT_TRUE(roadmap::ReadRoadMap(std::string(AP_DATA_DIR) + "/osm/north-bayreuth.osm.gz",
                                         roadmap::LonLatBox::World(), *map, error))
            << error;
        s_map = map;
    }
    static void TearDownTestSuite() { s_map.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_map);
        view.SetUnderlay(std::make_shared<roadmap::RoadMapPainter>(s_map));
    }

    // The middle node of the longest road whose name or ref is `label`.
    static const roadmap::Road& LongestRoad(const std::string& label)
    {
        const roadmap::Road* longest = nullptr;
        for (const roadmap::Road& road : s_map->Roads())
            if ((road.name == label || road.ref == label) &&
                (longest == nullptr || road.line.count > longest->line.count))
                longest = &road;
        EXPECT_NE(longest, nullptr) << label;
        return *longest;
    }
    static tagLonLat MiddleNode(const roadmap::Road& road)
    {
        return s_map->PointsOf(road.line)[road.line.count / 2];
    }

    // The lines and the closed rings of everything of the map near the view,
    // in pixels.
    static std::vector<std::pair<std::vector<PixelPoint>, bool>>
    MapLines(const MapViewport& viewport)
    {
        const roadmap::RoadMap& map = *s_map;
        const roadmap::LonLatBox near = roadmap::RoadMapPainter::ViewBox(viewport, 50.0);
        std::vector<std::pair<std::vector<PixelPoint>, bool>> lines;
        auto add = [&](const roadmap::PointSpan& span, bool closed)
        {
            std::vector<PixelPoint> line;
            for (uint32_t i = 0; i < span.count; ++i)
                line.push_back(refhost::Project(viewport, map.PointsOf(span)[i]));
            lines.emplace_back(std::move(line), closed);
        };
        std::vector<uint32_t> ids;
        map.RoadsIn(near, ids);
        for (uint32_t id : ids)
            add(map.Roads()[id].line, false);
        map.WaterwaysIn(near, ids);
        for (uint32_t id : ids)
            add(map.Waterways()[id].line, false);
        for (bool water : {true, false})
        {
            water ? map.WaterAreasIn(near, ids) : map.BuildingsIn(near, ids);
            for (uint32_t id : ids)
            {
                const roadmap::Area& area = (water ? map.WaterAreas() : map.Buildings())[id];
                for (uint32_t r = 0; r < area.ringCount; ++r)
                    add(map.RingsOf(area)[r], true);
            }
        }
        return lines;
    }

    static double
    DistanceToLines(const std::vector<std::pair<std::vector<PixelPoint>, bool>>& lines,
                    const PixelPoint& pixel)
    {
        double nearest = 1e9;
        for (const auto& [line, closed] : lines)
        {
            const std::size_t n = line.size();
            for (std::size_t i = 0; i + 1 < n + (closed ? 1 : 0); ++i)
                nearest = std::min(nearest, DistanceToSegment(pixel, line[i], line[(i + 1) % n]));
        }
        return nearest;
    }

    static bool InsideAnArea(const tagLonLat& point)
    {
        const roadmap::LonLatBox dot{point.lon, point.lat, point.lon, point.lat};
        std::vector<uint32_t> ids;
        for (bool water : {true, false})
        {
            const auto& areas = water ? s_map->WaterAreas() : s_map->Buildings();
            water ? s_map->WaterAreasIn(dot, ids) : s_map->BuildingsIn(dot, ids);
            for (uint32_t id : ids)
            {
                std::vector<std::vector<tagLonLat>> rings;
                for (uint32_t r = 0; r < areas[id].ringCount; ++r)
                {
                    const roadmap::PointSpan& ring = s_map->RingsOf(areas[id])[r];
                    rings.emplace_back(s_map->PointsOf(ring), s_map->PointsOf(ring) + ring.count);
                }
                if (roadmap::AreaTouches(rings, dot))
                    return true;
            }
        }
        return false;
    }

    static std::shared_ptr<const roadmap::RoadMap> s_map;
    RasterMapView view;
};

std::shared_ptr<const roadmap::RoadMap> RoadMapPicture::s_map;

} // namespace

TEST_F(RoadMapPicture, RoadNodesLieOnRoadPixels)
{
    // The A 9 motorway, the B 85 and a village street, each at its middle
    // node, at the levels from streets to the region (names are not written
    // there and cannot cover the node).
    for (const char* label : {"A 9", "B 85", "Ernteweg"})
    {
        const tagLonLat node = MiddleNode(LongestRoad(label));
        for (int level = 3; level <= 5; ++level)
        {
            ASSERT_TRUE(view.SetViewport(ViewAt(node, level)));
            ASSERT_EQ(view.ScaleToLevel(view.GetScale()), level);
            const PixelPoint at = refhost::Project(view.Viewport(), node);
            const uint32_t colour =
                Render(view).ColourAt(static_cast<int>(at.x), static_cast<int>(at.y));
            EXPECT_EQ(RoadColours(level).count(colour), 1u)
                << label << " at level " << level << ": " << std::hex << colour;
        }
    }
    // The motorway lies on top of everything: its own fill colour.
    const tagLonLat motorway = MiddleNode(LongestRoad("A 9"));
    ASSERT_TRUE(view.SetViewport(ViewAt(motorway, 4)));
    EXPECT_EQ(Render(view).ColourAt(kWidth / 2, kHeight / 2),
              roadmap::LookOfRoad(RoadClass::Motorway, false, 4).fill.colour);
}

TEST_F(RoadMapPicture, FarFromTheMapIsBackground)
{
    const tagLonLat village = MiddleNode(LongestRoad("Ernteweg"));
    ASSERT_TRUE(view.SetViewport(ViewAt(village, 3)));
    const RasterImage image = Render(view);
    const auto lines = MapLines(view.Viewport());
    int far = 0;
    // Away from the scale bar and the attribution at the bottom.
    for (int y = 20; y < kHeight - 40; y += 12)
        for (int x = 20; x < kWidth - 20; x += 12)
        {
            const PixelPoint pixel{x + 0.5, y + 0.5};
            if (DistanceToLines(lines, pixel) < 25.0 ||
                InsideAnArea(refhost::Unproject(view.Viewport(), pixel)))
                continue;
            ++far;
            EXPECT_EQ(image.ColourAt(x, y), RasterMapView::kBackgroundColour) << x << "," << y;
        }
    EXPECT_GT(far, 100);
}

TEST_F(RoadMapPicture, NamesInCloseViewsAndTheAttributionOnEveryPicture)
{
    const tagLonLat village = MiddleNode(LongestRoad("Ernteweg"));
    auto darkPixels = [](const RasterImage& image, int top, int bottom, int left)
    {
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < image.Width(); ++x)
                dark += IsDark(image.ColourAt(x, y)) ? 1 : 0;
        return dark;
    };
    // Text is the only dark ink of the map: names at level 1, none at 3.
    ASSERT_TRUE(view.SetViewport(ViewAt(village, 1)));
    EXPECT_GT(darkPixels(Render(view), 0, kHeight - 40, 0), 200);
    ASSERT_TRUE(view.SetViewport(ViewAt(village, 3)));
    EXPECT_EQ(darkPixels(Render(view), 0, kHeight - 40, 0), 0);
    // The attribution in the bottom-right corner, over the map or none.
    for (const tagLonLat& centre : {village, tagLonLat{-40.0, 30.0}})
    {
        ASSERT_TRUE(view.SetViewport(ViewAt(centre, 3)));
        EXPECT_GT(darkPixels(Render(view), kHeight - 14, kHeight, kWidth - 160), 60);
    }
}

TEST_F(RoadMapPicture, RouteDrawnByTheLibraryLiesOnItsRoad)
{
    const roadmap::Road& road = LongestRoad("B 85");
    const std::vector<tagLonLat> points(s_map->PointsOf(road.line),
                                        s_map->PointsOf(road.line) + road.line.count);
    refhost::RouteBuilder builder("B 85");
    const size_t link = builder.AddLink(points, road.name, road.ref);
    builder.AddManeuver(link, link, NAV_TURN_END, "You have arrived");
    builder.SetOrigin(points.front()).AddDestination(points.back());
    std::string error;
    std::optional<refhost::RouteModel> route = builder.Build(error);
    ASSERT_TRUE(route) << error;

    MapViewport viewport = ViewAt(points.front(), 2);
    ASSERT_TRUE(refhost::FitViewport(points.data(), points.size(), refhost::FitMargins(60.0), 18.0,
                                     viewport));
    ASSERT_TRUE(view.SetViewport(viewport));
    refhost::SetActiveRoute(&*route);
    AdvicePathRenderEx* render = NewPathRender(&*route, &view);
    ASSERT_NE(render, nullptr);
    tools::SizeTable sizes = tools::DefaultSizeTable();
    ASSERT_EQ(render->SetSize(sizes.levels.data(), static_cast<int>(sizes.levels.size()),
                              sizes.maxTurnLevel),
              1);
    const AdvicePathClrSetting colours = tools::DefaultColours();
    render->SetClr(colours);
    render->SetPath(&*route);
    render->Draw(true, false);
    ClosePathRender(render);
    refhost::SetActiveRoute(nullptr);

    const RasterImage image = Render(view);
    const PixelPoint middle = refhost::Project(viewport, MiddleNode(road));
    EXPECT_EQ(image.ColourAt(static_cast<int>(middle.x), static_cast<int>(middle.y)),
              colours.m_PathClr);
    // The map shows around the route.
    const int level = view.ScaleToLevel(view.GetScale());
    const std::set<uint32_t> roadColours = RoadColours(level);
    int roadPixels = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            roadPixels += roadColours.count(image.ColourAt(x, y)) != 0 ? 1 : 0;
    EXPECT_GT(roadPixels, kWidth * kHeight / 50);
    // For a look: the picture stays in the build folder.
    ASSERT_TRUE(view.Write("roadmap-under-route.png", &error)) << error;
}
