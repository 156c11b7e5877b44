// Times along routes: what the readers take from route files, the time base's
// answers, and the path ahead of a vehicle.
#include "Drive/RouteTimeline.h"
#include "Route/RemainingPath.h"
#include "Route/RouteBuilder.h"
#include "RouteFiles/PointTimes.h"
#include "RouteFiles/RouteFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using drive::RouteTimeline;
using refhost::RouteModel;

RouteModel Build(const refhost::RouteDescription& description)
{
    std::string error;
    std::optional<RouteModel> model = RouteModel::FromDescription(description, error);
    EXPECT_TRUE(model) << error;
    return *model;
}

RouteModel Read(const std::string& file)
{
    refhost::RouteReadResult read =
        refhost::ReadRouteFile(std::string(AP_DATA_DIR) + "/routes/" + file);
    EXPECT_TRUE(read.ok) << read.error;
    return Build(read.route);
}

refhost::RouteReadResult ParseGeoJson(const std::string& times)
{
    return refhost::ParseRoute(R"({"type": "Feature", "properties": {"coordTimes": )" + times +
                                   R"(}, "geometry": {"type": "LineString", "coordinates":
            [[0, 0], [0.001, 0], [0.001, 0], [0.002, 0]]}})",
                               refhost::RouteFormat::GeoJson, {}, "drive.geojson");
}

// The drive takes what the file says: the sum of the annotations' segment
// durations where they fit the geometry (Cupertino), else of the steps'
// durations (San Francisco has no annotation; Gdansk's has one value fewer
// than its geometry has segments). Figures summed from the files.
TEST(RouteTimes, DirectionsDriveForTheDurationsOfTheFile)
{
    EXPECT_NEAR(RouteTimeline(Read("osrm-uturn-cupertino-2legs-polyline6.json")).Duration(), 308.3,
                1e-6);
    EXPECT_NEAR(RouteTimeline(Read("osrm-urban-sanfrancisco-polyline6.json")).Duration(), 1185.5,
                1e-6);
    const RouteModel gdansk = Read("osrm-silent-waypoint-roundabouts-gdansk-polyline6.json");
    EXPECT_NEAR(RouteTimeline(gdansk).Duration(), 282.724, 1e-6);
    // Each link timed, and the clock runs on from link to link.
    for (size_t link = 0; link < gdansk.LinkCount(); ++link)
    {
        ASSERT_EQ(gdansk.LinkTimes(link).size(), gdansk.LinkPoints(link).size());
        if (link > 0)
        {
            EXPECT_EQ(gdansk.LinkTimes(link).front(), gdansk.LinkTimes(link - 1).back());
        }
    }
}

// A leg's annotation without durations: each segment's distance over its
// speed (100 m at 10 m/s, 200 m at 20 m/s, the arrival's empty segment at
// once); with a speed of 0 the steps' durations instead.
TEST(RouteTimes, AnnotationSpeedsTimeTheSegments)
{
    auto drive = [](const std::string& speeds)
    {
        const refhost::RouteReadResult read = refhost::ParseRoute(
            R"({"routes": [{"legs": [{"annotation": {"distance": [100, 200, 0], "speed": )" +
            speeds + R"(}, "steps": [
              {"maneuver": {"type": "depart", "location": [0, 0]}, "duration": 40,
               "geometry": {"type": "LineString", "coordinates": [[0, 0], [0.001, 0], [0.002, 0]]}},
              {"maneuver": {"type": "arrive", "location": [0.002, 0]}, "duration": 0,
               "geometry": {"type": "LineString", "coordinates": [[0.002, 0], [0.002, 0]]}}]}]}]})");
        EXPECT_TRUE(read.ok) << read.error;
        return RouteTimeline(Build(read.route)).Duration();
    };
    EXPECT_DOUBLE_EQ(drive("[10, 20, 1]"), 20.0);
    EXPECT_DOUBLE_EQ(drive("[10, 0, 1]"), 40.0);
}

// A repeated position keeps the time it was first reached.
TEST(RouteTimes, GeoJsonTimesFollowThePoints)
{
    const refhost::RouteReadResult read = ParseGeoJson(
        R"(["2020-01-01T00:00:00Z", "2020-01-01T00:00:10Z", 1577836820, "2020-01-01T00:00:25Z"])");
    ASSERT_TRUE(read.ok) << read.error;
    const RouteModel model = Build(read.route);
    ASSERT_EQ(model.LinkCount(), 1u);
    EXPECT_THAT(model.LinkTimes(0), testing::ElementsAre(0.0, 10.0, 25.0));
    EXPECT_DOUBLE_EQ(RouteTimeline(model).Duration(), 25.0);
}

TEST(RouteTimes, BadGeoJsonTimesAreRefusedWithTheirPlace)
{
    EXPECT_EQ(ParseGeoJson("[0, 1, 2]").error,
              "drive.geojson: properties.coordTimes: 3 times for 4 positions");
    EXPECT_EQ(ParseGeoJson("[0, 10, 20, 5]").error,
              "drive.geojson: properties.coordTimes[3]: earlier than the time before it");
    EXPECT_THAT(ParseGeoJson(R"([0, 1, 2, "noon"])").error,
                testing::HasSubstr("properties.coordTimes[3]: expected an ISO 8601 time"));
}

// Worked by hand from the calendar (2000 is a leap year, 2001 is not).
TEST(RouteTimes, IsoTimesAreSecondsSince1970)
{
    double seconds = -1.0;
    ASSERT_TRUE(refhost::routefiles::ParseIsoTime("1970-01-01T00:00:00Z", seconds));
    EXPECT_EQ(seconds, 0.0);
    ASSERT_TRUE(refhost::routefiles::ParseIsoTime("2014-09-10T06:54:00+02:00", seconds));
    EXPECT_EQ(seconds, 1410324840.0);
    ASSERT_TRUE(refhost::routefiles::ParseIsoTime("2000-02-29 12:00:00.5", seconds));
    EXPECT_EQ(seconds, 951825600.5);
    for (const char* bad : {"2001-02-29T00:00:00Z", "2014-09-10T24:00:00Z", "2014-09-10T06:54Z",
                            "2014-09-10T06:54:00+2", "2014-09-10T06:54:00Zulu"})
        EXPECT_FALSE(refhost::routefiles::ParseIsoTime(bad, seconds)) << bad;
}

// Without times the route is driven at the fallback speed: 36 km/h is 10 m/s
// along three links east on the equator.
TEST(RouteTimeline, LinksWithoutTimesAreDrivenAtTheFallbackSpeed)
{
    refhost::RouteBuilder builder("equator");
    builder.AddLink({{0.0, 0.0}, {0.001, 0.0}});
    builder.ContinueLink({{0.003, 0.0}});
    builder.ContinueLink({{0.006, 0.0}, {0.010, 0.0}});
    const RouteModel model = Build(builder.Description());
    const RouteTimeline timeline(model, 36.0);
    EXPECT_DOUBLE_EQ(timeline.Duration(), timeline.Length() / 10.0);

    const drive::VehicleState half = timeline.AtTime(timeline.Duration() / 2.0);
    EXPECT_NEAR(half.distance, timeline.Length() / 2.0, 1e-6);
    EXPECT_NEAR(half.position.lon, 0.005, 1e-9);
    EXPECT_EQ(half.link, 2u);
    EXPECT_EQ(half.segment, 0u);
    EXPECT_NEAR(half.offset, half.distance - model.LinkStartDistance(2), 1e-9);
    EXPECT_NEAR(half.heading, 90.0, 1e-9);
    EXPECT_NEAR(half.speed, 10.0, 1e-9);
    EXPECT_NEAR(timeline.TimeAtDistance(half.distance), half.time, 1e-9);
    // The points between the ends, at 0.1, 0.3 and 0.6 of the way; only
    // those strictly between the places asked.
    std::vector<double> points;
    timeline.PointDistancesBetween(0.0, timeline.Length(), points);
    const double length = timeline.Length();
    ASSERT_THAT(points, testing::ElementsAre(testing::DoubleNear(0.1 * length, 1e-6),
                                             testing::DoubleNear(0.3 * length, 1e-6),
                                             testing::DoubleNear(0.6 * length, 1e-6)));
    std::vector<double> inner;
    timeline.PointDistancesBetween(points[0], points[2], inner);
    EXPECT_THAT(inner, testing::ElementsAre(points[1]));
    // The same route points with their places, for the camera's lookups.
    std::vector<tagLonLat> placed;
    std::vector<double> placedAt;
    timeline.RoutePointsBetween(points[0], length, placed, placedAt);
    EXPECT_THAT(placedAt, testing::ElementsAre(points[1], points[2]));
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_DOUBLE_EQ(placed[1].lon, 0.006);
    // A passage is the vehicle's place and time without the rest, clamped
    // alike.
    for (const double metres : {-3.0, 0.25 * length, half.distance, 2.0 * length})
    {
        const drive::RoutePassage passage = timeline.PassageAt(metres);
        const drive::VehicleState state = timeline.AtDistance(metres);
        EXPECT_EQ(passage.position.lon, state.position.lon);
        EXPECT_EQ(passage.distance, state.distance);
        EXPECT_EQ(passage.time, state.time);
    }
    // Out of the drive: clamped to its ends.
    EXPECT_EQ(timeline.AtTime(-5.0).distance, 0.0);
    EXPECT_EQ(timeline.AtDistance(1e9).time, timeline.Duration());
}

// A recorded stop: 60 s at one point of the track. The vehicle waits there,
// and links whose times run backwards are refused.
TEST(RouteTimeline, TheVehicleWaitsWhereTheTrackStops)
{
    refhost::RouteBuilder builder("stop");
    builder.AddLink({{0.0, 0.0}, {0.001, 0.0}, {0.0010001, 0.0}, {0.002, 0.0}});
    builder.LinkAt(0).times = {0.0, 10.0, 70.0, 80.0};
    const RouteModel model = Build(builder.Description());
    const RouteTimeline timeline(model);
    EXPECT_DOUBLE_EQ(timeline.Duration(), 80.0);
    EXPECT_NEAR(timeline.AtTime(20.0).distance, timeline.AtTime(60.0).distance, 0.02);
    EXPECT_LT(timeline.AtTime(60.0).speed, 0.001);

    builder.LinkAt(0).times = {0.0, 10.0, 9.0, 20.0};
    std::string error;
    EXPECT_FALSE(builder.Build(error));
    EXPECT_EQ(error, "route 'stop': link 0, time 2 is not a finite number of seconds at or "
                     "after the one before");
}

// The path ahead starts at the vehicle; its first guide is that link's, cut,
// and the walk goes on to the next link.
TEST(RemainingPath, StartsAtTheVehicleAndWalksOn)
{
    refhost::RouteBuilder builder("equator");
    builder.AddLink({{0.0, 0.0}, {0.001, 0.0}});
    builder.ContinueLink({{0.002, 0.0}, {0.003, 0.0}});
    builder.ContinueLink({{0.004, 0.0}});
    const RouteModel model = Build(builder.Description());
    refhost::RemainingPath path(model);
    path.StartAt(1, 0, {0.0015, 0.0});

    unsigned short count = 0;
    tagLonLat* points = nullptr;
    POSITION first = path.GetFirstPosition();
    ASSERT_EQ(path.GetEdge(first, count, points), 1);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(points[0].lon, 0.0015);
    EXPECT_EQ(points[2].lon, 0.003);

    PathGuid guide;
    ASSERT_EQ(path.GetGuid(first, guide), 1);
    EXPECT_EQ(guide.m_GuidePoint.lon, 0.003);
    EXPECT_NEAR(guide.m_GuideLength, model.LinkLength(1) * 0.75, 1e-6);
    ASSERT_EQ(path.GetNextGuid(guide, guide), 1);
    EXPECT_EQ(guide.m_GuidePoint.lon, 0.004);
    EXPECT_EQ(path.GetNextGuid(guide, guide), 0);
}

} // namespace
