// The junction's other roads on a turn picture: probed pixels where the
// response's intersection bearings point (read here from the response
// itself) and where none does.
#include "RouteFiles/JunctionStubs.h"
#include "AdvicePathRenderEx.h"
#include "MapView/RasterMapView.h"
#include "Route/ActiveRoute.h"
#include "Route/RouteModel.h"
#include "RouteFiles/RouteFiles.h"

#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>

namespace
{

using refhost::RasterImage;
using refhost::RasterMapView;

// The pixel `metres` from `from` along `bearing` (the geodesic, not the
// stubs' own arithmetic).
uint32_t PixelAlong(const RasterImage& image, const refhost::MapViewport& viewport,
                    const tagLonLat& from, double bearing, double metres)
{
    tagLonLat to = from;
    GeographicLib::Geodesic::WGS84().Direct(from.lat, from.lon, bearing, metres, to.lat, to.lon);
    const refhost::PixelPoint pixel = refhost::Project(viewport, to);
    return image.ColourAt(static_cast<int>(std::floor(pixel.x)),
                          static_cast<int>(std::floor(pixel.y)));
}

TEST(JunctionStubs, TheTurnPictureShowsTheOtherRoadsWhereTheyPoint)
{
    // The sample's first manoeuvre: right from Taylor Street into
    // Sacramento Street at a crossing of four roads.
    const std::string file = AP_SOURCE_DIR "/samples/sanfrancisco-urban-route.json";
    std::ifstream in(file);
    const nlohmann::json junction =
        nlohmann::json::parse(in)["routes"][0]["legs"][0]["steps"][1]["intersections"][0];
    const std::vector<double> bearings = junction["bearings"];
    const std::set<size_t> taken = {junction["in"].get<size_t>(), junction["out"].get<size_t>()};
    const tagLonLat centre = {junction["location"][0], junction["location"][1]};
    ASSERT_EQ(bearings.size(), 4u);

    const refhost::RouteReadResult read = refhost::ReadRouteFile(file);
    ASSERT_TRUE(read.ok) << read.error;
    std::string error;
    std::optional<refhost::RouteModel> model =
        refhost::RouteModel::FromDescription(read.route, error);
    ASSERT_TRUE(model) << error;
    refhost::SetActiveRoute(&*model);

    refhost::MapViewport viewport;
    viewport.centre = centre;
    viewport.zoom = 19.0; // 0.24 m per pixel: the stubs' 30 m are some 130 pixels
    viewport.width = viewport.height = 400;
    RasterMapView view(viewport);
    view.SetBackgroundRoads(refhost::JunctionStubs(model->ManeuverAt(0), 30.0));
    // Widths 10/14 (route), 8/12 (band); 25 m before and after the junction.
    AdvicePathSizeSetting sizes = {10, 14, 8, 12, 100, 2, 25, 25, 3, 6, 3};
    AdvicePathRenderEx* render = NewPathRender(&*model, &view);
    ASSERT_EQ(render->SetSize(&sizes, 1, 0), 1);
    refhost::PathView remaining = model->ViewForManeuver(0);
    render->SetTurnInfo(model->TurnInfoFor(0), &remaining);
    render->Draw(true, true); // after the stubs: the library draws over the map
    RasterImage image;
    ASSERT_TRUE(view.RenderImage(image));
    ClosePathRender(render);
    refhost::SetActiveRoute(nullptr);

    for (size_t i = 0; i < bearings.size(); ++i)
    {
        const uint32_t pixel = PixelAlong(image, viewport, centre, bearings[i], 20.0);
        if (taken.count(i) != 0)
            EXPECT_NE(pixel, RasterMapView::kBackgroundRoadColour)
                << "the route at " << bearings[i];
        else
            EXPECT_EQ(pixel, RasterMapView::kBackgroundRoadColour) << "a stub at " << bearings[i];
        // Halfway to the next road, no road points.
        const double between = bearings[i] + 45.0;
        EXPECT_EQ(PixelAlong(image, viewport, centre, between, 20.0),
                  RasterMapView::kBackgroundColour)
            << between;
    }
    // The stubs end at 30 m.
    EXPECT_EQ(PixelAlong(image, viewport, centre, bearings[0], 33.0),
              RasterMapView::kBackgroundColour);
    // A manoeuvre without bearings (a track's) has no stubs.
    EXPECT_TRUE(refhost::JunctionStubs(refhost::Maneuver()).empty());
}

} // namespace
