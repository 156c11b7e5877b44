// The origin-destination line: 2 points, or 11 for a long line, red, on top.
#include "LibraryFixture.h"

#include <cmath>
#include <limits>

namespace aptest
{
namespace
{

class RedLineTest : public LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        sizes = MakeSizeTable(3);
        handle = std::make_unique<AdvicePathRenderEx>();
        ASSERT_EQ(handle->SetSize(sizes.data(), 3, 30), 1);
        handle->EnableDrawRedLine(true);
        RecordingLog::Instance().Clear();
    }

    // The points of the one origin-destination line drawn by Draw(false, false).
    std::vector<tagLonLat> DrawRedLine()
    {
        view.Reset();
        handle->Draw(false, false);
        if (view.calls.size() != 1)
            return {};
        const DrawCall& call = view.calls[0];
        EXPECT_TRUE(call.IsLine());
        EXPECT_EQ(call.third, 0);
        EXPECT_EQ(call.colour, 255u);
        EXPECT_EQ(call.fifth, 2);
        EXPECT_EQ(call.count, static_cast<int32_t>(call.points.size()));
        return call.points;
    }

    std::vector<AdvicePathSizeSetting> sizes;
    std::unique_ptr<AdvicePathRenderEx> handle;
};

TEST_F(RedLineTest, ShortLineIsTwoPoints)
{
    RouteControl::SetOrigin({8.5, 47.3});
    RouteControl::SetDestinations({{8.6, 47.4}, {9.0, 48.0}});
    std::vector<tagLonLat> points = DrawRedLine();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].lon, 8.5);
    EXPECT_EQ(points[0].lat, 47.3);
    EXPECT_EQ(points[1].lon, 8.6) << "the first destination";
    EXPECT_EQ(points[1].lat, 47.4);
    std::vector<std::string> expected = {"GetRouteManager", "GetPathManager", "GetOrgPoint",
                                         "GetRouteManager", "GetPathManager", "GetDestCount",
                                         "GetRouteManager", "GetPathManager", "GetDestPoint(0)"};
    EXPECT_EQ(RouteControl::Calls(), expected);
    EXPECT_TRUE(Log().empty());
}

TEST_F(RedLineTest, LongLineIsElevenExactPoints)
{
    GeodesyControl::UsePlanar(10000.0); // hypot(10, 20) degrees = 223607 units
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{10.0, 20.0}});
    std::vector<tagLonLat> points = DrawRedLine();
    ASSERT_EQ(points.size(), 11u);
    for (int i = 0; i <= 10; ++i)
    {
        // (d * i) * 0.1 gives whole numbers exactly; d * (i * 0.1) would not
        // (3.0000000000000004 for i = 3).
        EXPECT_EQ(points[static_cast<size_t>(i)].lon, static_cast<double>(i)) << i;
        EXPECT_EQ(points[static_cast<size_t>(i)].lat, static_cast<double>(2 * i)) << i;
    }
}

TEST_F(RedLineTest, ExactlyTwoHundredThousandCountsAsLong)
{
    GeodesyControl::UsePlanar(100000.0);
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{0.0, 2.0}}); // 200000 units exactly
    EXPECT_EQ(DrawRedLine().size(), 11u);

    GeodesyControl::UsePlanar(99999.995); // 199999.99 units
    EXPECT_EQ(DrawRedLine().size(), 2u);
}

TEST_F(RedLineTest, MissingOriginOrDestinationIsLoggedOnEveryDraw)
{
    RouteControl::SetOrigin({0.0, 0.0}); // no destinations
    handle->Draw(false, false);
    handle->Draw(false, false);
    RouteControl::ClearOrigin();
    RouteControl::SetDestinations({{1.0, 1.0}});
    handle->Draw(false, false);
    EXPECT_TRUE(view.calls.empty());
    ASSERT_EQ(Log().size(), 3u);
    // As Host/Logging.h documents it: this program sees the exported interface
    // only (on Windows the shipped DLL), not the library's log table.
    for (const LogRecord& record : Log())
    {
        EXPECT_EQ(record.level, 300);
        EXPECT_EQ(record.line, 114);
        EXPECT_EQ(record.function, "AdvicePathRender::DrawRedLine");
        EXPECT_EQ(record.text, "Routeglow NO OrgPoint or DestPoint");
    }
}

TEST_F(RedLineTest, UnreadableDestinationDrawsAndLogsNothing)
{
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{1.0, 1.0}});
    RouteControl::FailDestPoint(true);
    handle->Draw(false, false);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(Log().empty());
}

TEST_F(RedLineTest, NotDrawnUnlessEnabledAndDrawing)
{
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{0.1, 0.1}});
    handle->EnableDrawRedLine(false);
    handle->Draw(true, true);
    EXPECT_TRUE(view.calls.empty());
    handle->EnableDrawRedLine(true);
    handle->EnableDrawing(false);
    handle->Draw(true, true);
    EXPECT_TRUE(view.calls.empty());
}

// A length that is not a finite number used to be converted to an int, which
// is undefined behaviour; a finite product too large for an int likewise.
TEST_F(RedLineTest, RegressionNonFiniteLengthDrawsNothing)
{
    RouteControl::SetOrigin({std::numeric_limits<double>::quiet_NaN(), 0.0});
    RouteControl::SetDestinations({{1.0, 1.0}});
    handle->Draw(false, false);
    RouteControl::SetOrigin({std::numeric_limits<double>::infinity(), 0.0});
    handle->Draw(false, false);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(Log().empty());
}

TEST_F(RedLineTest, RegressionHugeFiniteLengthIsLong)
{
    GeodesyControl::UsePlanar(1e20);
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{1.0, 1.0}});
    EXPECT_EQ(DrawRedLine().size(), 11u);
}

TEST_F(RedLineTest, DrawnLastOnTopOfTheRouteLine)
{
    TestPath path;
    path.AddEdge({{0.0, 0.0}, {0.05, 0.05}});
    path.AddEdge({{0.05, 0.05}, {0.1, 0.1}});
    handle->SetPath(&path);
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{0.1, 0.1}});
    handle->Draw(true, false);
    ASSERT_EQ(view.calls.size(), 5u);
    EXPECT_EQ(view.calls.back().colour, 255u);
    EXPECT_EQ(view.calls.back().fifth, 2);
}

} // namespace
} // namespace aptest
