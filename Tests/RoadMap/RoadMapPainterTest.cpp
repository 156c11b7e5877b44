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

// The pixels of `image` in rows [top, bottom) from column `left` on that
// `wanted` accepts.
template <typename Wanted>
int CountPixels(const RasterImage& image, int top, int bottom, int left, Wanted wanted)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < image.Width(); ++x)
            count += wanted(image.ColourAt(x, y)) ? 1 : 0;
    return count;
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

    // The colour of the picture at `node`, in a view of it at `level`.
    uint32_t ColourAtNode(const tagLonLat& node, int level)
    {
        EXPECT_TRUE(view.SetViewport(ViewAt(node, level)));
        EXPECT_EQ(view.ScaleToLevel(view.GetScale()), level);
        const PixelPoint at = refhost::Project(view.Viewport(), node);
        return Render(view).ColourAt(static_cast<int>(at.x), static_cast<int>(at.y));
    }

    // Pixels on a 12-pixel grid, away from the scale bar and the attribution
    // at the bottom, at least `distance` pixels from every line and ring of
    // the map and inside no area.
    static std::vector<PixelPoint> FarPixels(const MapViewport& viewport, double distance)
    {
        const auto lines = MapLines(viewport);
        std::vector<PixelPoint> far;
        for (int y = 20; y < kHeight - 40; y += 12)
            for (int x = 20; x < kWidth - 20; x += 12)
            {
                const PixelPoint pixel{x + 0.5, y + 0.5};
                if (DistanceToLines(lines, pixel) >= distance &&
                    !InsideAnArea(refhost::Unproject(viewport, pixel)))
                    far.push_back(pixel);
            }
        return far;
    }

    // The library draws a route along `points` (the road `road`) into the
    // view, as a host does.
    bool DrawRoute(const std::vector<tagLonLat>& points, const roadmap::Road& road,
                   const AdvicePathClrSetting& colours, std::string& error)
    {
        refhost::RouteBuilder builder(road.ref);
        const size_t link = builder.AddLink(points, road.name, road.ref);
        builder.AddManeuver(link, link, NAV_TURN_END, "You have arrived");
        builder.SetOrigin(points.front()).AddDestination(points.back());
        std::optional<refhost::RouteModel> route = builder.Build(error);
        AdvicePathRenderEx* render = route ? NewPathRender(&*route, &view) : nullptr;
        if (render == nullptr)
            return false;
        refhost::SetActiveRoute(&*route);
        tools::SizeTable sizes = tools::DefaultSizeTable();
        const bool sized =
            render->SetSize(sizes.levels.data(), static_cast<int>(sizes.levels.size()),
                            sizes.maxTurnLevel) == 1;
        render->SetClr(colours);
        render->SetPath(&*route);
        render->Draw(true, false);
        ClosePathRender(render);
        refhost::SetActiveRoute(nullptr);
        return sized;
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
    std::vector<std::string> offRoad;
    for (const char* label : {"A 9", "B 85", "Ernteweg"})
        for (int level = 3; level <= 5; ++level)
        {
            const uint32_t colour = ColourAtNode(MiddleNode(LongestRoad(label)), level);
            if (RoadColours(level).count(colour) == 0)
                offRoad.push_back(std::string(label) + " at level " + std::to_string(level));
        }
    EXPECT_TRUE(offRoad.empty()) << offRoad.front();
    // The motorway lies on top of everything: its own fill colour.
    EXPECT_EQ(ColourAtNode(MiddleNode(LongestRoad("A 9")), 4),
              roadmap::LookOfRoad(RoadClass::Motorway, false, 4).fill.colour);
}

TEST_F(RoadMapPicture, FarFromTheMapIsBackground)
{
    ASSERT_TRUE(view.SetViewport(ViewAt(MiddleNode(LongestRoad("Ernteweg")), 3)));
    const RasterImage image = Render(view);
    const std::vector<PixelPoint> far = FarPixels(view.Viewport(), 25.0);
    EXPECT_GT(far.size(), 100u);
    const auto painted = std::count_if(far.begin(), far.end(),
                                       [&](const PixelPoint& pixel)
                                       {
                                           return image.ColourAt(static_cast<int>(pixel.x),
                                                                 static_cast<int>(pixel.y)) !=
                                                  RasterMapView::kBackgroundColour;
                                       });
    EXPECT_EQ(painted, 0);
}

// Text is the only dark ink of the map.
TEST_F(RoadMapPicture, NamesOnlyInCloseViews)
{
    const tagLonLat village = MiddleNode(LongestRoad("Ernteweg"));
    ASSERT_TRUE(view.SetViewport(ViewAt(village, 1)));
    EXPECT_GT(CountPixels(Render(view), 0, kHeight - 40, 0, IsDark), 200);
    ASSERT_TRUE(view.SetViewport(ViewAt(village, 3)));
    EXPECT_EQ(CountPixels(Render(view), 0, kHeight - 40, 0, IsDark), 0);
}

// In the bottom-right corner, over the map or over no map at all.
TEST_F(RoadMapPicture, AttributionOnEveryPicture)
{
    for (const tagLonLat& centre : {MiddleNode(LongestRoad("Ernteweg")), tagLonLat{-40.0, 30.0}})
    {
        ASSERT_TRUE(view.SetViewport(ViewAt(centre, 3)));
        EXPECT_GT(CountPixels(Render(view), kHeight - 14, kHeight, kWidth - 160, IsDark), 60);
    }
}

TEST_F(RoadMapPicture, RouteDrawnByTheLibraryLiesOnItsRoad)
{
    const roadmap::Road& road = LongestRoad("B 85");
    const std::vector<tagLonLat> points(s_map->PointsOf(road.line),
                                        s_map->PointsOf(road.line) + road.line.count);
    MapViewport viewport = ViewAt(points.front(), 2);
    ASSERT_TRUE(refhost::FitViewport(points.data(), points.size(), refhost::FitMargins(60.0), 18.0,
                                     viewport));
    ASSERT_TRUE(view.SetViewport(viewport));
    const AdvicePathClrSetting colours = tools::DefaultColours();
    std::string error;
    ASSERT_TRUE(DrawRoute(points, road, colours, error)) << error;

    const RasterImage image = Render(view);
    const PixelPoint middle = refhost::Project(viewport, MiddleNode(road));
    EXPECT_EQ(image.ColourAt(static_cast<int>(middle.x), static_cast<int>(middle.y)),
              colours.m_PathClr);
    // The map shows around the route.
    const std::set<uint32_t> roadColours = RoadColours(view.ScaleToLevel(view.GetScale()));
    EXPECT_GT(CountPixels(image, 0, kHeight, 0,
                          [&](uint32_t colour) { return roadColours.count(colour) != 0; }),
              kWidth * kHeight / 50);
    // For a look: the picture stays in the build folder.
    ASSERT_TRUE(view.Write("roadmap-under-route.png", &error)) << error;
}
