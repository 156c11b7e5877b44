// The map view doubles of Tests/Support: following a viewport they answer as
// the reference map view does, and the recording view's trace is one line a
// call.
#include "MapView/RasterMapView.h"
#include "Support/CountingMapView.h"
#include "Support/RecordingMapView.h"
#include "Support/ViewportScale.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{

TEST(MapViewDoublesTest, FollowingAViewportTheyAnswerAsTheReferenceMapView)
{
    refhost::MapViewport viewport;
    viewport.centre = {11.5, 48.1};
    for (const double zoom : {3.0, 12.5, 16.0, 19.0})
    {
        viewport.zoom = zoom;
        refhost::RasterMapView raster(viewport);
        aptest::FollowingViewport<aptest::CountingMapView> counting;
        counting.SetViewport(viewport);
        EXPECT_EQ(raster.GetScale(), counting.GetScale()) << zoom;
        for (const int64_t scale : {int64_t{0}, int64_t{1999}, int64_t{2000}, raster.GetScale()})
            EXPECT_EQ(raster.ScaleToLevel(scale), counting.ScaleToLevel(scale)) << scale;
    }
    aptest::CountingMapView fixed;
    fixed.level = 4;
    EXPECT_EQ(4, fixed.ScaleToLevel(123456));
}

TEST(MapViewDoublesTest, TheTraceHasOneLineACallWithEveryArgument)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(nullptr, file);
    aptest::RecordingMapView view;
    view.trace = file;
    view.scale = 2500;
    view.level = 2;
    const tagLonLat points[] = {{11.5, 48.25}, {0.1, -2.0}};
    view.GetScale();
    view.ScaleToLevel(2500);
    view.DrawLine(points, 2, 0, 0xFF0000u, 7);
    view.DrawPolygon(nullptr, 0, 1, 5u, -1);
    std::rewind(file);
    std::string text(400, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file));
    static_cast<void>(std::fclose(file));
    EXPECT_EQ("GetScale 2500\n"
              "ScaleToLevel 2500 2\n"
              "DrawLine 2 0 16711680 7: 11.5,48.25 0.10000000000000001,-2\n"
              "DrawPolygon 0 1 5 -1:\n",
              text);
    EXPECT_EQ(2u, view.calls.size());
}

} // namespace
