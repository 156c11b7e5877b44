// The route-file readers: the real route files of data/routes checked
// against their own stated figures (read here independently), encoded
// polylines against hand-worked values, small GeoJSON and GPX tracks, and bad
// input of every kind.
#include "RouteFiles/RouteFiles.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "Route/RouteModel.h"
#include "Route/RouteValidation.h"
#include "RouteFiles/PointTimes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using refhost::Maneuver;
using refhost::ParseRoute;
using refhost::ReadRouteFile;
using refhost::RouteDescription;
using refhost::RouteFormat;
using refhost::RouteReadOptions;
using refhost::RouteReadResult;
using testing::HasSubstr;

namespace
{

const std::string kRoutes = AP_DATA_DIR "/routes/";

double Metres(const tagLonLat& a, const tagLonLat& b)
{
    return refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
}

double LinkLength(const refhost::RoadLink& link)
{
    double length = 0.0;
    for (size_t i = 1; i < link.points.size(); ++i)
        length += Metres(link.points[i - 1], link.points[i]);
    return length;
}

double RouteLength(const RouteDescription& route)
{
    double length = 0.0;
    for (const refhost::RoadLink& link : route.links)
        length += LinkLength(link);
    return length;
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ADD_FAILURE() << "cannot read " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> RouteFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kRoutes))
    {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() &&
            (extension == ".json" || extension == ".geojson" || extension == ".gpx"))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A directions response: a JSON object with routes (told from the text
// directly, not by the readers).
bool IsDirectionsFile(const std::string& path)
{
    const nlohmann::json document = nlohmann::json::parse(Slurp(path), nullptr, false);
    return document.is_object() && document.contains("routes");
}

tagLonLat Location(const nlohmann::json& pair)
{
    return tagLonLat{pair[0].get<double>(), pair[1].get<double>()};
}

// What every route must satisfy, whatever it was read from.
void ExpectWellFormed(const RouteDescription& route, const std::string& name)
{
    SCOPED_TRACE(name);
    ASSERT_FALSE(route.links.empty());
    ASSERT_FALSE(route.maneuvers.empty());
    ASSERT_FALSE(route.destinations.empty());
    EXPECT_EQ(route.origin.lon, route.links.front().points.front().lon);
    EXPECT_EQ(route.origin.lat, route.links.front().points.front().lat);
    for (size_t i = 0; i < route.links.size(); ++i)
    {
        const std::vector<tagLonLat>& points = route.links[i].points;
        ASSERT_GE(points.size(), 2u) << "link " << i;
        for (size_t j = 1; j < points.size(); ++j)
            EXPECT_FALSE(points[j].lon == points[j - 1].lon && points[j].lat == points[j - 1].lat)
                << "link " << i << " repeats point " << j;
        if (i + 1 < route.links.size())
        {
            const tagLonLat& end = points.back();
            const tagLonLat& next = route.links[i + 1].points.front();
            EXPECT_TRUE(end.lon == next.lon && end.lat == next.lat) << "gap after link " << i;
        }
    }
    double previous = 0.0;
    for (size_t i = 0; i < route.maneuvers.size(); ++i)
    {
        const Maneuver& maneuver = route.maneuvers[i];
        EXPECT_LE(maneuver.enterLink, maneuver.exitLink) << "manoeuvre " << i;
        EXPECT_LT(maneuver.exitLink, route.links.size()) << "manoeuvre " << i;
        EXPECT_GE(maneuver.distanceFromStart, previous) << "manoeuvre " << i;
        EXPECT_FALSE(maneuver.instruction.empty()) << "manoeuvre " << i;
        EXPECT_EQ(maneuver.type == NAV_TURN_END, i + 1 == route.maneuvers.size()) << i;
        if (i + 1 < route.maneuvers.size())
        {
            EXPECT_NEAR(maneuver.distanceToNext,
                        route.maneuvers[i + 1].distanceFromStart - maneuver.distanceFromStart,
                        1e-6);
        }
        previous = maneuver.distanceFromStart;
    }
    const Maneuver& arrival = route.maneuvers.back();
    EXPECT_EQ(arrival.enterLink, route.links.size() - 1);
    EXPECT_EQ(arrival.exitLink, route.links.size() - 1);
    EXPECT_NEAR(arrival.distanceFromStart, RouteLength(route), 1e-6 * RouteLength(route) + 1e-6);
    EXPECT_EQ(arrival.distanceToNext, 0.0);
}

// The manoeuvres as the file words them, before the guidance rules.
RouteReadOptions AsWorded()
{
    RouteReadOptions options;
    options.guidanceRules = false;
    return options;
}

RouteReadResult Parse(const std::string& text, RouteFormat format = RouteFormat::Auto,
                      const RouteReadOptions& options = {})
{
    return ParseRoute(text, format, options, "test-input");
}

// A GeoJSON LineString of the points.
std::string LineString(const std::vector<tagLonLat>& points)
{
    std::ostringstream text;
    text.precision(17);
    text << R"({"type":"LineString","coordinates":[)";
    for (size_t i = 0; i < points.size(); ++i)
        text << (i ? "," : "") << "[" << points[i].lon << "," << points[i].lat << "]";
    text << "]}";
    return text.str();
}

// The point `metres` from `from` in direction `bearing` (degrees from north),
// on the local flat approximation (good to far below a metre over the
// few hundred metres the tracks here span).
tagLonLat Ahead(const tagLonLat& from, double bearing, double metres)
{
    const double radians = bearing * M_PI / 180.0;
    const double north = metres * std::cos(radians);
    const double east = metres * std::sin(radians);
    return tagLonLat{from.lon + east / (111320.0 * std::cos(from.lat * M_PI / 180.0)),
                     from.lat + north / 111132.0};
}

// A track heading north, turning by `turn` degrees (positive: right) after
// 300 m, then going on for 300 m; points every `step` metres.
std::vector<tagLonLat> Corner(double turn, double step = 100.0)
{
    std::vector<tagLonLat> points{tagLonLat{11.0, 48.0}};
    for (const double heading : {0.0, turn})
    {
        double done = 0.0;
        while (done < 300.0 - 1e-9)
        {
            points.push_back(Ahead(points.back(), heading, step));
            done += step;
        }
    }
    return points;
}

// ---------------------------------------------------------------------------
// The route files of data/routes

TEST(RouteFilesData, EveryFileLoadsIntoAWellFormedRouteThatBuilds)
{
    const std::vector<std::string> files = RouteFiles();
    ASSERT_GE(files.size(), 13u);
    for (const std::string& file : files)
    {
        const RouteReadResult result = ReadRouteFile(file);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.route.source, file);
        ExpectWellFormed(result.route, file);
        // The route model takes it as it is.
        EXPECT_EQ(refhost::ValidateRouteDescription(result.route), "");
        std::string error;
        EXPECT_TRUE(refhost::RouteModel::FromDescription(result.route, error).has_value()) << error;
    }
}

TEST(RouteFilesData, DirectionsFilesAgreeWithTheirStatedFigures)
{
    size_t responses = 0;
    for (const std::string& file : RouteFiles())
    {
        if (!IsDirectionsFile(file))
            continue;
        ++responses;
        SCOPED_TRACE(file);
        const RouteReadResult result = ReadRouteFile(file, AsWorded());
        ASSERT_TRUE(result.ok) << result.error;
        const RouteDescription& route = result.route;
        const nlohmann::json response = nlohmann::json::parse(Slurp(file));
        const nlohmann::json& legs = response["routes"][0]["legs"];

        const double stated = response["routes"][0]["distance"].get<double>();
        EXPECT_EQ(route.statedDistance, stated);
        EXPECT_NEAR(RouteLength(route), stated, 0.01 * stated);

        // One manoeuvre per step that is not a departure, in step order, at
        // the step's maneuver.location.
        std::vector<nlohmann::json> steps;
        for (const nlohmann::json& leg : legs)
            for (const nlohmann::json& step : leg["steps"])
                if (step["maneuver"]["type"] != "depart")
                    steps.push_back(step);
        ASSERT_EQ(route.maneuvers.size(), steps.size());
        for (size_t i = 0; i < steps.size(); ++i)
        {
            const Maneuver& maneuver = route.maneuvers[i];
            const tagLonLat location = Location(steps[i]["maneuver"]["location"]);
            EXPECT_EQ(maneuver.location.lon, location.lon) << "manoeuvre " << i;
            EXPECT_EQ(maneuver.location.lat, location.lat) << "manoeuvre " << i;
            EXPECT_LT(Metres(route.links[maneuver.enterLink].points.back(), location), 3.0)
                << "manoeuvre " << i << ": " << maneuver.instruction;
        }
        EXPECT_EQ(route.maneuvers.back().type, NAV_TURN_END);
        EXPECT_EQ(route.destinations.size(), legs.size());
    }
    EXPECT_GE(responses, 11u);
}

TEST(RouteFilesData, RoundaboutsSpanTheLinksInsideTheCircle)
{
    size_t circles = 0;
    for (const std::string& file : RouteFiles())
    {
        const std::string name = std::filesystem::path(file).filename().string();
        if (name.find("roundabout") == std::string::npos &&
            name.find("rotary") == std::string::npos)
            continue;
        SCOPED_TRACE(file);
        const RouteReadResult result = ReadRouteFile(file, AsWorded());
        ASSERT_TRUE(result.ok) << result.error;
        const nlohmann::json response = nlohmann::json::parse(Slurp(file));
        std::vector<nlohmann::json> steps;
        for (const nlohmann::json& leg : response["routes"][0]["legs"])
            for (const nlohmann::json& step : leg["steps"])
                if (step["maneuver"]["type"] != "depart")
                    steps.push_back(step);
        ASSERT_EQ(result.route.maneuvers.size(), steps.size());
        for (size_t i = 0; i < steps.size(); ++i)
        {
            const std::string type = steps[i]["maneuver"]["type"];
            const Maneuver& maneuver = result.route.maneuvers[i];
            if (type != "roundabout" && type != "rotary" && type != "roundabout turn")
                continue;
            ++circles;
            EXPECT_EQ(maneuver.type, NAV_TURN_ROUNDABOUT) << maneuver.instruction;
            EXPECT_GT(maneuver.exitLink, maneuver.enterLink) << maneuver.instruction;
            EXPECT_THAT(maneuver.instruction, HasSubstr("exit"));
            // With a separate exit step, the circle ends where that step starts.
            if (i + 1 < steps.size() && steps[i + 1]["maneuver"]["type"] == "exit roundabout")
            {
                EXPECT_LT(Metres(result.route.links[maneuver.exitLink].points.back(),
                                 Location(steps[i + 1]["maneuver"]["location"])),
                          1.0);
            }
        }
    }
    // Dupont Circle twice, Holland Lane, Ward and Tenley Circle, two in Gdansk.
    EXPECT_EQ(circles, 7u);
}

TEST(RouteFilesData, DupontCircleReadsAsTheResponseDescribesIt)
{
    const RouteReadResult result =
        ReadRouteFile(kRoutes + "osrm-roundabout-washingtondc-dupont-polyline5.json", AsWorded());
    ASSERT_TRUE(result.ok) << result.error;
    const std::vector<Maneuver>& maneuvers = result.route.maneuvers;
    ASSERT_EQ(maneuvers.size(), 4u);
    EXPECT_EQ(maneuvers[0].instruction,
              "At the roundabout, take the 6th exit onto New Hampshire Avenue Northwest");
    EXPECT_EQ(maneuvers[1].type, NAV_TURN_ROUNDABOUT);
    EXPECT_EQ(maneuvers[1].enterLink, maneuvers[0].exitLink);
    EXPECT_EQ(maneuvers[2].type, NAV_TURN_RIGHT);
    EXPECT_EQ(maneuvers[2].instruction, "Turn right onto N Street Northwest");
    EXPECT_EQ(maneuvers[2].fromName, "New Hampshire Avenue Northwest");
    EXPECT_EQ(maneuvers[2].toName, "N Street Northwest");
    EXPECT_EQ(maneuvers[3].instruction, "You have arrived at your destination");
    // Round the circle, five junctions before the exit have a road a car may
    // leave on (the exits the 6th follows); two have only roads into it.
    const std::vector<refhost::JunctionRoads>& circle = maneuvers[0].junctions;
    ASSERT_EQ(circle.size(), 9u);
    size_t exits = 0;
    for (size_t j = 1; j + 1 < circle.size(); ++j)
    {
        ASSERT_EQ(circle[j].otherMayLeave.size(), circle[j].otherBearings.size());
        exits +=
            std::count(circle[j].otherMayLeave.begin(), circle[j].otherMayLeave.end(), true) > 0
                ? 1
                : 0;
    }
    EXPECT_EQ(exits, 5u);
    // Step distances of the response: 421.2 m to the circle, 182.3 m round it,
    // 269.4 m to N Street; 4.7 m to the end.
    EXPECT_NEAR(maneuvers[0].distanceFromStart, 421.2, 2.0);
    EXPECT_NEAR(maneuvers[0].distanceToNext, 182.3, 2.0);
    EXPECT_NEAR(maneuvers[1].distanceToNext, 269.4, 2.0);
    EXPECT_NEAR(maneuvers[2].distanceToNext, 4.7, 1.0);
}

TEST(RouteFilesData, LegsGiveOneDestinationEachAtTheirWaypoint)
{
    const struct
    {
        const char* file;
        size_t legs;
    } cases[] = {{"osrm-uturn-cupertino-2legs-polyline6.json", 2},
                 {"osrm-rotary-roundabout-ramps-alexandria-dc-2legs-polyline6.json", 2},
                 {"osrm-9legs-uturn-slovenia-mangart-polyline6.json", 9},
                 {"osrm-silent-waypoint-roundabouts-gdansk-polyline6.json", 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.file);
        const RouteReadResult result = ReadRouteFile(kRoutes + c.file);
        ASSERT_TRUE(result.ok) << result.error;
        ASSERT_EQ(result.route.destinations.size(), c.legs);
        const nlohmann::json response = nlohmann::json::parse(Slurp(kRoutes + c.file));
        const nlohmann::json& waypoints = response["waypoints"];
        // Every leg ends at the next waypoint (the silent via point of the
        // one-leg file is no destination: the last waypoint is).
        for (size_t i = 0; i < c.legs; ++i)
        {
            const size_t waypoint = c.legs == 1 ? waypoints.size() - 1 : i + 1;
            EXPECT_LT(
                Metres(result.route.destinations[i], Location(waypoints[waypoint]["location"])),
                2.0)
                << "destination " << i;
        }
        size_t waypointManeuvers = 0;
        for (const Maneuver& maneuver : result.route.maneuvers)
            waypointManeuvers += maneuver.instruction.rfind("At waypoint", 0) == 0 ? 1 : 0;
        EXPECT_EQ(waypointManeuvers, c.legs - 1);
    }
}

TEST(RouteFilesData, UTurnsAreRecognised)
{
    // Leg 0 of the Mangart route turns round on the road at its top, and
    // leg 1 starts back the way leg 0 came (bearing 230 in, 50 out).
    const RouteReadResult result =
        ReadRouteFile(kRoutes + "osrm-9legs-uturn-slovenia-mangart-polyline6.json");
    ASSERT_TRUE(result.ok) << result.error;
    const std::vector<Maneuver>& maneuvers = result.route.maneuvers;
    EXPECT_EQ(maneuvers[0].type, NAV_TURN_UTURN);
    // Back onto the road the car is on: no "onto".
    EXPECT_EQ(maneuvers[0].instruction, "Make a U-turn");
    EXPECT_EQ(maneuvers[4].type, NAV_TURN_UTURN);
    EXPECT_EQ(maneuvers[4].instruction, "At waypoint 1, make a U-turn");
}

TEST(RouteFilesData, PolylinePrecisionIsDetectedAndCanBeForced)
{
    const std::string p5 = kRoutes + "osrm-roundabout-washingtondc-dupont-polyline5.json";
    const std::string p6 = kRoutes + "osrm-roundabout-washingtondc-dupont-polyline6.json";
    const RouteReadResult five = ReadRouteFile(p5);
    const RouteReadResult six = ReadRouteFile(p6);
    ASSERT_TRUE(five.ok && six.ok) << five.error << six.error;
    EXPECT_EQ(five.polylinePrecision, 5);
    EXPECT_EQ(six.polylinePrecision, 6);
    // The same route in both precisions: the points agree to under a metre.
    EXPECT_NEAR(RouteLength(five.route), RouteLength(six.route), 3.0);
    EXPECT_LT(Metres(five.route.destinations[0], six.route.destinations[0]), 1.0);

    RouteReadOptions forced;
    forced.polylinePrecision = 5;
    const RouteReadResult sixAsFive = ReadRouteFile(p6, forced);
    EXPECT_FALSE(sixAsFive.ok);
    EXPECT_THAT(sixAsFive.error, HasSubstr("out of range"));
    EXPECT_THAT(sixAsFive.error, HasSubstr("precision 5"));
    // Read as precision 6, precision 5 still gives valid points, a tenth as far
    // from the null meridian and the equator: a route a tenth as long.
    forced.polylinePrecision = 6;
    const RouteReadResult fiveAsSix = ReadRouteFile(p5, forced);
    ASSERT_TRUE(fiveAsSix.ok) << fiveAsSix.error;
    const double ratio = RouteLength(fiveAsSix.route) / RouteLength(five.route);
    EXPECT_GT(ratio, 0.07);
    EXPECT_LT(ratio, 0.13);
}

TEST(RouteFilesData, GeoJsonStepGeometriesReadLikePolylines)
{
    const RouteReadResult result =
        ReadRouteFile(kRoutes + "osrm-geojson-sanfrancisco-freeway-ramps.json", AsWorded());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.polylinePrecision, 0);
    EXPECT_EQ(result.format, RouteFormat::DirectionsJson);
    // Steps 5 to 8: on ramp/slight left, merge/straight, off ramp/slight right.
    const std::vector<Maneuver>& maneuvers = result.route.maneuvers;
    ASSERT_EQ(maneuvers.size(), 10u);
    EXPECT_EQ(maneuvers[4].type, NAV_TURN_SLIGHT_LEFT);
    // Destinations and exit numbers as the steps give them.
    EXPECT_EQ(maneuvers[4].instruction,
              "Take the ramp on the left towards US 101 South, I 80 West: San Jose");
    EXPECT_EQ(maneuvers[5].type, NAV_TURN_MERGE);
    EXPECT_EQ(maneuvers[5].instruction,
              "Merge onto James Lick Freeway towards US 101 South: San Jose");
    EXPECT_EQ(maneuvers[6].type, NAV_TURN_SLIGHT_RIGHT);
    EXPECT_EQ(maneuvers[6].instruction, "Take exit 430A on the right towards Paul Avenue");
    EXPECT_EQ(maneuvers[9].instruction, "You have arrived at your destination, on the left");
}

TEST(RouteFilesData, ResponsesWithoutStepsReadTheOverviewAsATrack)
{
    // (48, 11) north to (48.003, 11), then east to (48.003, 11.004): 333.6 m
    // and 298.5 m, no maneuver.location to tell the precision by, only the
    // stated distance (a tenth or ten times the length the wrong way).
    const struct
    {
        const char* geometry;
        int precision;
    } cases[] = {{"__~cH_mcbAwQ??_X", 5}, {"__upzA_kk~SozD??_yF", 6}};
    for (const auto& c : cases)
    {
        const std::string response = std::string(R"({"routes":[{"distance":632.1,"geometry":")") +
                                     c.geometry + R"(","legs":[{"summary":""}]}]})";
        const RouteReadResult result = Parse(response);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.polylinePrecision, c.precision);
        ExpectWellFormed(result.route, c.geometry);
        ASSERT_EQ(result.route.maneuvers.size(), 2u);
        EXPECT_EQ(result.route.maneuvers[0].type, NAV_TURN_RIGHT);
        EXPECT_NEAR(result.route.maneuvers[0].distanceFromStart, 333.6, 0.5);
        EXPECT_NEAR(RouteLength(result.route), 632.1, 1.0);
        EXPECT_EQ(result.route.statedDistance, 632.1);
    }
}

// ---------------------------------------------------------------------------
// Encoded polylines

TEST(RouteFilesPolyline, DecodesTheWorkedExample)
{
    std::vector<tagLonLat> points;
    std::string error;
    ASSERT_TRUE(refhost::DecodePolyline("_p~iF~ps|U_ulLnnqC_mqNvxq`@", 5, points, error)) << error;
    ASSERT_EQ(points.size(), 3u);
    const double expected[3][2] = {{-120.2, 38.5}, {-120.95, 40.7}, {-126.453, 43.252}};
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_NEAR(points[i].lon, expected[i][0], 1e-9);
        EXPECT_NEAR(points[i].lat, expected[i][1], 1e-9);
    }
    // The same integers at precision 6 are a tenth of the degrees.
    ASSERT_TRUE(refhost::DecodePolyline("_p~iF~ps|U_ulLnnqC_mqNvxq`@", 6, points, error));
    EXPECT_NEAR(points[2].lon, -12.6453, 1e-9);
    EXPECT_NEAR(points[2].lat, 4.3252, 1e-9);
}

TEST(RouteFilesPolyline, HandWorkedSmallValues)
{
    // "??" is (0, 0). 1e-5 degree is the value 1: zig-zag 2, one group,
    // 2 + 63 = 'A'; -1 is zig-zag 1, '@'. 32e-5 is 32: zig-zag 64, groups 0
    // and 2, the first marked as continued: (0 | 0x20) + 63 = '_', 2 + 63 = 'A'.
    std::vector<tagLonLat> points;
    std::string error;
    ASSERT_TRUE(refhost::DecodePolyline("??A@_A?", 5, points, error)) << error;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].lon, 0.0);
    EXPECT_EQ(points[0].lat, 0.0);
    EXPECT_NEAR(points[1].lat, 0.00001, 1e-12);
    EXPECT_NEAR(points[1].lon, -0.00001, 1e-12);
    EXPECT_NEAR(points[2].lat, 0.00033, 1e-12);
    EXPECT_NEAR(points[2].lon, -0.00001, 1e-12);
    EXPECT_FALSE(refhost::DecodePolyline("??A@_A", 5, points, error)) << "five values";
}

TEST(RouteFilesPolyline, RejectsBrokenText)
{
    std::vector<tagLonLat> points;
    std::string error;
    EXPECT_TRUE(refhost::DecodePolyline("", 5, points, error));
    EXPECT_TRUE(points.empty());

    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"_p~iF~ps|U_ulL", "latitude without longitude"},
        {"_p~iF~ps|U_ulLnnq", "cut short"},
        {"_p~iF~ps|U _ulLnnqC", "invalid character at offset 10"},
        {"~~~~~~~?", "longer than 32 bits"},
        {"_p~iF~ps|U", "precision must be 5 or 6"},
    };
    for (const auto& c : cases)
    {
        error.clear();
        const int precision = std::string(c.message).find("precision") == 0 ? 7 : 5;
        EXPECT_FALSE(refhost::DecodePolyline(c.text, precision, points, error)) << c.text;
        EXPECT_THAT(error, HasSubstr(c.message)) << c.text;
        EXPECT_TRUE(points.empty());
    }
    // 100 degrees of latitude: 10^7, zig-zag 2 * 10^7.
    EXPECT_FALSE(refhost::DecodePolyline("_gjaR?", 5, points, error));
    EXPECT_THAT(error, HasSubstr("latitude 100 out of range"));
}

// ---------------------------------------------------------------------------
// Tracks: GeoJSON and GPX

TEST(RouteFilesTrack, TurnsAreFoundWhereTheDirectionChanges)
{
    const struct
    {
        double turn;
        NAV_TURN_TYPE_tag type;
    } cases[] = {{90.0, NAV_TURN_RIGHT},        {-90.0, NAV_TURN_LEFT},
                 {45.0, NAV_TURN_SLIGHT_RIGHT}, {-45.0, NAV_TURN_SLIGHT_LEFT},
                 {140.0, NAV_TURN_SHARP_RIGHT}, {-140.0, NAV_TURN_SHARP_LEFT},
                 {178.0, NAV_TURN_UTURN}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.turn);
        const std::vector<tagLonLat> points = Corner(c.turn);
        const RouteReadResult result = Parse(LineString(points));
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.format, RouteFormat::GeoJson);
        const RouteDescription& route = result.route;
        ExpectWellFormed(route, "corner");
        ASSERT_EQ(route.links.size(), 2u);
        ASSERT_EQ(route.maneuvers.size(), 2u);
        EXPECT_EQ(route.maneuvers[0].type, c.type);
        EXPECT_EQ(route.maneuvers[0].enterLink, 0u);
        EXPECT_EQ(route.maneuvers[0].location.lat, points[3].lat);
        EXPECT_EQ(route.links[0].points.back().lat, points[3].lat);
        EXPECT_NEAR(route.maneuvers[0].distanceFromStart, 300.0, 1.0);
        EXPECT_NEAR(route.maneuvers[0].distanceToNext, 300.0, 1.0);
        EXPECT_EQ(route.maneuvers[1].type, NAV_TURN_END);
        ASSERT_EQ(route.destinations.size(), 1u);
        EXPECT_EQ(route.destinations[0].lon, points.back().lon);
        EXPECT_EQ(route.origin.lat, points.front().lat);
    }
}

TEST(RouteFilesTrack, GentleBendsAreNoTurns)
{
    const RouteReadResult result = Parse(LineString(Corner(10.0)));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.route.links.size(), 1u);
    ASSERT_EQ(result.route.maneuvers.size(), 1u);
    EXPECT_EQ(result.route.maneuvers[0].type, NAV_TURN_END);

    // The threshold is an option: at 5 degrees the bend is a turn.
    RouteReadOptions options = AsWorded();
    options.turnThresholdDegrees = 5.0;
    const RouteReadResult sharp = Parse(LineString(Corner(10.0)), RouteFormat::Auto, options);
    ASSERT_TRUE(sharp.ok) << sharp.error;
    ASSERT_EQ(sharp.route.maneuvers.size(), 2u);
    EXPECT_EQ(sharp.route.maneuvers[0].type, NAV_TURN_STRAIGHT);
}

TEST(RouteFilesTrack, ACurveOfSmallStepsIsOneTurn)
{
    // 200 m north, then nine 10-degree bends 3 m apart, then 200 m east:
    // no single bend passes 30 degrees, the curve as a whole turns 90.
    std::vector<tagLonLat> points{tagLonLat{11.0, 48.0}};
    points.push_back(Ahead(points.back(), 0.0, 200.0));
    for (int i = 1; i <= 9; ++i)
        points.push_back(Ahead(points.back(), 10.0 * i, 3.0));
    points.push_back(Ahead(points.back(), 90.0, 200.0));
    const RouteReadResult result = Parse(LineString(points));
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.route.maneuvers.size(), 2u);
    EXPECT_EQ(result.route.maneuvers[0].type, NAV_TURN_RIGHT);
    EXPECT_NEAR(result.route.maneuvers[0].distanceFromStart, 215.0, 12.0);

    RouteReadOptions adjacentOnly;
    adjacentOnly.turnWindowMetres = 0.0;
    const RouteReadResult plain = Parse(LineString(points), RouteFormat::Auto, adjacentOnly);
    ASSERT_TRUE(plain.ok) << plain.error;
    EXPECT_EQ(plain.route.maneuvers.size(), 1u);
}

TEST(RouteFilesTrack, ATurnIsToldOnceThoughAPointWithinItTurnsLess)
{
    // The Munich 1 Hz track told one left turn twice, 6 m apart ("Turn left",
    // "Bear left"): a point between them turned less than the threshold.
    // Two turns of a track the same way are always a window (20 m) apart.
    const RouteReadResult result =
        ReadRouteFile(kRoutes + "drive-munich-13km-1hz-linestring.geojson");
    ASSERT_TRUE(result.ok) << result.error;
    const std::vector<Maneuver>& maneuvers = result.route.maneuvers;
    for (size_t i = 1; i + 1 < maneuvers.size(); ++i)
    {
        const bool right =
            maneuvers[i].type >= NAV_TURN_SLIGHT_RIGHT && maneuvers[i].type <= NAV_TURN_SHARP_RIGHT;
        const bool rightBefore = maneuvers[i - 1].type >= NAV_TURN_SLIGHT_RIGHT &&
                                 maneuvers[i - 1].type <= NAV_TURN_SHARP_RIGHT;
        if (right == rightBefore)
        {
            EXPECT_GT(maneuvers[i].distanceFromStart - maneuvers[i - 1].distanceFromStart, 20.0)
                << maneuvers[i].instruction << " after " << maneuvers[i - 1].instruction;
        }
    }
}

TEST(RouteFilesTrack, GeoJsonContainersAndDuplicatePoints)
{
    const std::vector<tagLonLat> corner = Corner(90.0);
    auto position = [](const tagLonLat& p)
    {
        std::ostringstream text;
        text.precision(17);
        text << "[" << p.lon << "," << p.lat << "]";
        return text.str();
    };
    // A recorded track of Point features, each point written twice.
    std::string features;
    for (const tagLonLat& p : corner)
        for (int twice = 0; twice < 2; ++twice)
            features +=
                std::string(features.empty() ? "" : ",") +
                R"({"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":)" +
                position(p) + "}}";
    const RouteReadResult points =
        Parse(R"({"type":"FeatureCollection","features":[)" + features + "]}");
    ASSERT_TRUE(points.ok) << points.error;
    EXPECT_EQ(points.route.links.size(), 2u);
    EXPECT_EQ(points.route.links[0].points.size() + points.route.links[1].points.size(),
              corner.size() + 1);

    // The same corner as a MultiLineString in two parts inside a Feature that
    // names it, with a Point beside it that is no part of the track.
    std::string first;
    std::string second;
    for (size_t i = 0; i < corner.size(); ++i)
        (i < 3 ? first : second) +=
            std::string((i == 0 || i == 3) ? "" : ",") + position(corner[i]);
    const std::string feature =
        R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{"name":"Ring Road"},)"
        R"("geometry":{"type":"MultiLineString","coordinates":[[)" +
        first + "],[" + second +
        R"(]]}},{"type":"Feature","geometry":{"type":"Point","coordinates":[1,2]}}]})";
    const RouteReadResult lines = Parse(feature);
    ASSERT_TRUE(lines.ok) << lines.error;
    ASSERT_EQ(lines.route.links.size(), 2u);
    EXPECT_EQ(lines.route.links[0].name, "Ring Road");
    EXPECT_EQ(lines.route.maneuvers[0].instruction, "Turn right"); // on Ring Road already
    EXPECT_EQ(lines.route.links[0].points.back().lat, corner[3].lat);
}

TEST(RouteFilesTrack, GpxTracksAndRoutes)
{
    const std::vector<tagLonLat> corner = Corner(-90.0);
    auto points = [&](const char* element, size_t from, size_t to)
    {
        std::ostringstream text;
        text.precision(17);
        for (size_t i = from; i < to; ++i)
            text << "<" << element << " lat=\"" << corner[i].lat << "\" lon=\"" << corner[i].lon
                 << "\"><ele>500</ele><time>2024-05-04T10:00:" << 10 + 5 * i << "Z</time></"
                 << element << ">\n";
        return text.str();
    };
    const std::string header = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" "
                               "xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    const std::string track = header + "<trk><name>Drive</name><trkseg>" + points("trkpt", 0, 4) +
                              "</trkseg><trkseg>" + points("trkpt", 4, corner.size()) +
                              "</trkseg></trk>\n<rte>" + points("rtept", 0, 2) + "</rte></gpx>\n";
    const RouteReadResult fromTrack = Parse(track);
    ASSERT_TRUE(fromTrack.ok) << fromTrack.error;
    EXPECT_EQ(fromTrack.format, RouteFormat::Gpx);
    ExpectWellFormed(fromTrack.route, "gpx track");
    ASSERT_EQ(fromTrack.route.maneuvers.size(), 2u);
    EXPECT_EQ(fromTrack.route.maneuvers[0].type, NAV_TURN_LEFT);
    // The track's name names the recording, not a road.
    EXPECT_EQ(fromTrack.route.maneuvers[0].instruction, "Turn left");
    EXPECT_NEAR(RouteLength(fromTrack.route), 600.0, 2.0);
    // Five seconds a point, from the first.
    EXPECT_EQ(fromTrack.route.links[0].times.front(), 0.0);
    EXPECT_EQ(fromTrack.route.links[1].times.back(), 5.0 * (corner.size() - 1));

    const std::string route =
        header + "<rte><name>Plan</name>" + points("rtept", 0, corner.size()) + "</rte></gpx>";
    const RouteReadResult fromRoute = Parse(route, RouteFormat::Gpx);
    ASSERT_TRUE(fromRoute.ok) << fromRoute.error;
    EXPECT_EQ(fromRoute.route.links.size(), 2u);
    EXPECT_EQ(fromRoute.route.links[1].name, "");
}

TEST(RouteFilesTrack, GpxTimesAreDatesAndTimesOfTheCalendar)
{
    using refhost::routefiles::ParseIsoTime;
    // Seconds since 1970 as `date -u -d ... +%s` gives them.
    const struct
    {
        const char* text;
        double seconds;
    } good[] = {{"1970-01-01T00:00:00Z", 0.0},
                {" 2015-02-11T08:16:35+00:00\n", 1423642595.0},
                {"2015-02-11T09:16:35.25+01:00", 1423642595.25},
                {"2015-02-11T03:46:35-04:30", 1423642595.0},
                {"2000-02-29T00:00:00", 951782400.0},
                {"1969-12-31T23:59:59Z", -1.0}};
    for (const auto& c : good)
    {
        double seconds = 7.0;
        EXPECT_TRUE(ParseIsoTime(c.text, seconds)) << c.text;
        EXPECT_EQ(seconds, c.seconds) << c.text;
    }
    for (const char* bad :
         {"2015-02-29T00:00:00Z", "2015-13-01T00:00:00Z", "2015-02-11T08:60:00Z",
          "2015-02-11T08:16:35+1", "2015-02-11T08:16:35.Z", "2015-02-11", "yesterday", ""})
    {
        double seconds = 7.0;
        EXPECT_FALSE(ParseIsoTime(bad, seconds)) << bad;
        EXPECT_EQ(seconds, 7.0) << bad;
    }
}

TEST(RouteFilesData, GpxRouteAndTimedTrackReadAsOneDrive)
{
    const RouteReadResult drive =
        ReadRouteFile(kRoutes + "graphhopper-leipzig-13min-route-and-timed-track.gpx", AsWorded());
    ASSERT_TRUE(drive.ok) << drive.error;
    const RouteDescription& route = drive.route;
    // Times: every link has one per point, joined link to link, from 0 to
    // the last track point's 00:13:16.
    double previous = 0.0;
    for (const refhost::RoadLink& link : route.links)
    {
        ASSERT_EQ(link.times.size(), link.points.size());
        EXPECT_EQ(link.times.front(), previous);
        EXPECT_TRUE(std::is_sorted(link.times.begin(), link.times.end()));
        previous = link.times.back();
    }
    EXPECT_EQ(route.links.front().times.front(), 0.0);
    EXPECT_EQ(previous, 13 * 60 + 16.0);
    // The route points lie on track points: each manoeuvre is at its own.
    EXPECT_EQ(route.maneuvers[0].fileInstruction, "turn left onto Chamissoweg");
    EXPECT_EQ(route.maneuvers[0].type, NAV_TURN_LEFT);
    EXPECT_EQ(route.maneuvers[0].location.lat, 51.37703);
    EXPECT_EQ(route.maneuvers[0].fromName, "Fučikstraße");
    EXPECT_EQ(route.links[route.maneuvers[0].enterLink + 1].name, "Chamissoweg");
    // "continue onto Wilhelm-Leuschner-Platz" 13 m after the sharp left into
    // Dimitroffstraße goes straight on: the sharp left is not its turn again.
    const auto sharp =
        std::find_if(route.maneuvers.begin(), route.maneuvers.end(),
                     [](const Maneuver& m)
                     { return m.fileInstruction == "turn sharp left onto Dimitroffstraße"; });
    ASSERT_NE(sharp + 1, route.maneuvers.end());
    EXPECT_EQ((sharp + 1)->fileInstruction, "continue onto Wilhelm-Leuschner-Platz");
    EXPECT_EQ((sharp + 1)->type, NAV_TURN_STRAIGHT);

    // Five track points that cut the corner of the turn into
    // Funkenburgstraße by 27 m: the route point keeps its place, the time
    // there lies between those of its neighbours (26 s and 41 s).
    const RouteReadResult uturn =
        ReadRouteFile(kRoutes + "graphhopper-leipzig-uturn-route-and-track.gpx", AsWorded());
    ASSERT_TRUE(uturn.ok) << uturn.error;
    const Maneuver& corner = uturn.route.maneuvers[1];
    EXPECT_EQ(corner.fileInstruction, "turn right onto Funkenburgstraße");
    EXPECT_EQ(corner.location.lon, 12.362617);
    EXPECT_EQ(corner.location.lat, 51.344095);
    EXPECT_EQ(corner.type, NAV_TURN_RIGHT);
    const double cornerTime = uturn.route.links[corner.enterLink].times.back();
    EXPECT_GT(cornerTime, 26.0);
    EXPECT_LT(cornerTime, 41.0);
    EXPECT_EQ(uturn.route.maneuvers[2].type, NAV_TURN_UTURN);
}

// A track that leaves the start by a small loop: 14 m south, 8 m east, then
// north-east past the start to the first route point, 39 m along the track
// but only 20 m from the start as the crow flies. The route point lies on the
// track there; it was once taken for a corner point 20 m off the start's
// first segment, and its band folded back over the loop.
TEST(RouteFilesData, RoutePointBeyondALoopAtTheStartIsPlacedWhereTheTrackReachesIt)
{
    // Metres east and north of the start, turned into degrees near 51.34 N.
    const double lat0 = 51.34;
    const double lon0 = 12.36;
    auto at = [&](double east, double north)
    {
        double lonDeg = 0.0;
        double latDeg = 0.0;
        refhost::geodesy::UnitDegree({lon0, lat0}, lonDeg, latDeg);
        std::ostringstream text;
        text.precision(10);
        text << "lat=\"" << lat0 + north * latDeg << "\" lon=\"" << lon0 + east * lonDeg << "\"";
        return text.str();
    };
    // The route point (x, y): 20 m from the start and 17 m from the loop's
    // corner (8, -14): 16x - 28y = 371 on the circle x^2 + y^2 = 400.
    const double y = (-20776.0 + std::sqrt(20776.0 * 20776.0 - 4.0 * 1040.0 * 35241.0)) / 2080.0;
    const double x = (371.0 + 28.0 * y) / 16.0;
    const std::string gpx = "<gpx version=\"1.1\" creator=\"test\"><rte>"
                            "<rtept " +
                            at(0, 0) +
                            "><desc>continue onto Loop Lane</desc></rtept>"
                            "<rtept " +
                            at(x, y) +
                            "><desc>turn left onto High Street</desc></rtept>"
                            "<rtept " +
                            at(x - 60, y + 60) +
                            "><desc>arrive at destination</desc></rtept>"
                            "</rte><trk><trkseg>"
                            "<trkpt " +
                            at(0, 0) + "/><trkpt " + at(0, -14) + "/><trkpt " + at(8, -14) +
                            "/>"
                            "<trkpt " +
                            at(x, y) +
                            "/>"
                            "<trkpt " +
                            at(x - 60, y + 60) + "/></trkseg></trk></gpx>";
    const RouteReadResult read = Parse(gpx);
    ASSERT_TRUE(read.ok) << read.error;
    const RouteDescription& route = read.route;
    const auto turn = std::find_if(route.maneuvers.begin(), route.maneuvers.end(),
                                   [](const Maneuver& m)
                                   { return m.fileInstruction == "turn left onto High Street"; });
    ASSERT_NE(turn, route.maneuvers.end());
    EXPECT_NEAR(turn->distanceFromStart, 39.0, 0.5);
    EXPECT_EQ(turn->type, NAV_TURN_LEFT);
    // The geometry is the track's: no point was added off it.
    size_t points = 0;
    for (const refhost::RoadLink& link : route.links)
        points += link.points.size() - 1;
    EXPECT_EQ(points + 1, 5u);
}

TEST(RouteFilesData, ARoundaboutTurnIsWordedAsTheTurn)
{
    // A step type that none of the files has: the modifier is the turn.
    const std::string response =
        R"({"routes":[{"legs":[{"steps":[)"
        R"({"maneuver":{"type":"depart","location":[2,1]},"geometry":"_ibE_seK_ibE?","name":"A"},)"
        R"({"maneuver":{"type":"roundabout turn","modifier":"left","exit":1,"location":[2,2]},)"
        R"("geometry":"_ibE_seK_ibE?","name":"Elm Street"},)"
        R"({"maneuver":{"type":"arrive","location":[2,3]},"geometry":"_ibE_seK","name":"Elm Street"}]}]}]})";
    const RouteReadResult result = Parse(response);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.route.maneuvers[0].instruction, "Turn left at the roundabout onto Elm Street");
    EXPECT_EQ(result.route.maneuvers[0].fileInstruction, "");
}

// ---------------------------------------------------------------------------
// Bad input

TEST(RouteFilesErrors, MissingFilesAndDirectories)
{
    const RouteReadResult missing = ReadRouteFile(kRoutes + "no-such-route.json");
    EXPECT_FALSE(missing.ok);
    EXPECT_THAT(missing.error, HasSubstr("no-such-route.json: cannot open"));
    const RouteReadResult directory = ReadRouteFile(kRoutes);
    EXPECT_FALSE(directory.ok);
    EXPECT_THAT(directory.error, HasSubstr("directory"));
}

TEST(RouteFilesErrors, SyntaxErrorsGiveLineAndColumn)
{
    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"hello", "test-input:1:1: invalid JSON: syntax error"},
        {"{\n  \"routes\": [\n    oops\n  ]\n}", "test-input:3:5: invalid JSON"},
        {"{\"type\": \"LineString\",\n \"coordinates\": [[1, 2], [3, ",
         "test-input:2:30: invalid JSON"},
        {R"({"type":"Point","coordinates":[1e400, 2]})",
         "test-input:1:32: invalid JSON: number overflow parsing '1e400'"},
        {"[NaN, 1]", "test-input:1:2: invalid JSON"},
        {"<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\">\n</trkseg></gpx>",
         "test-input:2:3: invalid XML"},
        {"   \n  ", "test-input: empty input"},
    };
    for (const auto& c : cases)
    {
        const RouteReadResult result = Parse(c.text);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_THAT(result.error, HasSubstr(c.message)) << c.text;
        EXPECT_TRUE(result.route.links.empty());
    }
}

TEST(RouteFilesErrors, WrongStructureNamesThePath)
{
    const std::string step =
        R"({"maneuver":{"type":"turn","location":[2,1]},"geometry":"_ibE_seKgE?","name":"A"})";
    const std::string badStep = R"({"maneuver":{"type":"turn"},"geometry":42})";
    const std::string twoLegs = R"({"routes":[{"distance":1,"legs":[{"steps":[)" + step + "," +
                                step + R"(]},{"steps":[)" + step + "," + step + "," + step + "," +
                                badStep + "]}]}]}";
    const struct
    {
        std::string text;
        const char* message;
    } cases[] = {
        {twoLegs, "test-input: routes[0].legs[1].steps[3].geometry: expected a string or a "
                  "LineString, found a number"},
        {R"({"routes":[{"legs":[{"steps":[{"geometry":""}]}]}]})",
         "routes[0].legs[0].steps[0].maneuver: missing"},
        {R"({"routes":[{"legs":{}}]})", "routes[0].legs: expected an array, found an object"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn","exit":"2"},"geometry":""}]}]}]})",
         "maneuver.exit: expected an integer, found a string"},
        {R"({"routes":[]})", "routes: empty"},
        {R"({"code":"NoRoute","message":"none"})",
         "routes: missing, the response holds no route (code \"NoRoute\")"},
        {R"({"routes":[{"legs":[]}]})", "no steps and no geometry"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"arrive"},"geometry":"_ibE_seK"}]}]}]})",
         "the route has no length"},
        {R"({"type":"LineString","coordinates":[[1,2]]})", "at least two distinct points, found 1"},
        {R"({"type":"LineString","coordinates":[[1,2],[1,2],[1,2]]})", "found 1"},
        {R"({"type":"LineString","coordinates":[[1,2],[1]]})",
         "coordinates[1]: expected [longitude, latitude], found an array of 1 values"},
        {R"({"type":"LineString","coordinates":[[1,2],[1e300,2]]})",
         "coordinates[1]: longitude 1e+300 out of range (-180, 180)"},
        {R"({"type":"LineString","coordinates":[[1,2],[1,-90]]})", "latitude -90 out of range"},
        {R"({"type":"Polygon","coordinates":[]})", "type: unsupported GeoJSON type \"Polygon\""},
        {R"({"name":"x"})", "neither a directions response"},
        {"[1,2]", "expected a JSON object at the top level, found an array"},
        {"<kml/>", "not a GPX document"},
        {R"(<gpx><trk><trkseg><trkpt lat="nan" lon="2"/></trkseg></trk></gpx>)",
         "test-input: <trkpt> at 1:19: latitude is not a finite number"},
        {R"(<gpx><trk><trkseg><trkpt lat="1" lon="east"/></trkseg></trk></gpx>)",
         "lon=\"east\" is missing or not a number"},
        {"<gpx></gpx>", "no track points"},
        {R"(<gpx><trk><trkseg><trkpt lat="1" lon="2"><time>noon</time></trkpt></trkseg></trk></gpx>)",
         "<trkpt> at 1:19: <time> \"noon\" is not a date and time"},
        {R"(<gpx><trk><trkseg><trkpt lat="1" lon="2"><time>2015-02-11T08:16:35Z</time></trkpt>)"
         R"(<trkpt lat="1" lon="3"><time>2015-02-11T08:16:34Z</time></trkpt></trkseg></trk></gpx>)",
         "<time> 2015-02-11T08:16:34Z is earlier than the point before"},
    };
    for (const auto& c : cases)
    {
        const RouteReadResult result = Parse(c.text);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_THAT(result.error, HasSubstr(c.message)) << c.text;
    }
}

TEST(RouteFilesErrors, TruncatedFilesFailCleanlyAtEveryLength)
{
    for (const char* name : {"osrm-roundabout-washingtondc-dupont-polyline5.json",
                             "drive-munich-13km-15s-multipoint.geojson"})
    {
        const std::string text = Slurp(kRoutes + name);
        for (size_t cut = 0; cut < text.size(); cut += 1 + text.size() / 300)
        {
            const RouteReadResult result = Parse(text.substr(0, cut));
            EXPECT_FALSE(result.ok) << name << " cut at " << cut;
            EXPECT_THAT(result.error, HasSubstr("test-input")) << cut;
        }
        // A polyline cut inside the string (the JSON around it intact).
    }
    const std::string response =
        Slurp(kRoutes + "osrm-roundabout-washingtondc-dupont-polyline5.json");
    const std::string geometry =
        R"("geometry":"cfolF~{euMpAjAHHHHBBLLdCzBj@h@DDNNPNp@l@LLNLpChCFHFLBJ@LAN")";
    const size_t at = response.find(geometry);
    ASSERT_NE(at, std::string::npos);
    std::string cut = response;
    cut.replace(at, geometry.size(),
                R"("geometry":"cfolF~{euMpAjAHHHHBBLLdCzBj@h@DDNNPNp@l@LLNLpChCFHFLBJ@LA")");
    const RouteReadResult result = Parse(cut);
    EXPECT_FALSE(result.ok);
    EXPECT_THAT(result.error,
                HasSubstr("routes[0].legs[0].steps[0].geometry: latitude without longitude"));
}

TEST(RouteFilesErrors, DamagedFilesNeverCrash)
{
    // Random byte changes to a real response: each read either fails with a
    // message or gives a well-formed route.
    const std::string original =
        Slurp(kRoutes + "osrm-silent-waypoint-roundabouts-gdansk-polyline6.json");
    ASSERT_FALSE(original.empty());
    std::mt19937 random(20240611);
    const std::string alphabet = "{}[]\",:0123456789.-eE \ntrue";
    size_t failures = 0;
    for (int trial = 0; trial < 300; ++trial)
    {
        std::string text = original;
        for (int change = 0; change < 3; ++change)
            text[random() % text.size()] = alphabet[random() % alphabet.size()];
        const RouteReadResult result = Parse(text);
        if (result.ok)
        {
            ExpectWellFormed(result.route, "damaged");
        }
        else
        {
            ++failures;
            EXPECT_FALSE(result.error.empty());
        }
    }
    EXPECT_GT(failures, 100u);
}

// A straight GeoJSON line of `count` points 1e-6 degree apart.
std::string StraightLine(int count)
{
    std::string text = R"({"type":"LineString","coordinates":[)";
    text.reserve(static_cast<size_t>(count) * 20 + 64);
    char buffer[64];
    for (int i = 0; i < count; ++i)
    {
        (void)std::snprintf(buffer, sizeof buffer, "%s[%.7f,48.0]", i ? "," : "", 11.0 + i * 1e-6);
        text += buffer;
    }
    return text + "]}";
}

TEST(RouteFilesErrors, AMillionPointsLoad)
{
#if defined(NDEBUG)
    const int count = 1000000;
#else
    // Unoptimised sanitizer builds parse JSON some twenty times slower: the
    // same path on a tenth of the points keeps the suite quick.
    const int count = 100000;
#endif
    const std::string big = StraightLine(count);
    const auto start = std::chrono::steady_clock::now();
    const RouteReadResult result = Parse(big);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.route.links.size(), 1u);
    EXPECT_EQ(result.route.links[0].points.size(), static_cast<size_t>(count));
    // Reported, not asserted: a loaded machine must not fail the suite.
    std::printf("%d points: %.2f s\n", count, seconds);
}

TEST(RouteFilesErrors, LimitsStopHugeInput)
{
    const std::string line = StraightLine(2000);
    RouteReadOptions small;
    small.maxPoints = 1000;
    EXPECT_THAT(Parse(line, RouteFormat::Auto, small).error,
                HasSubstr("test-input: more than 1000 points"));
    small.maxJsonValues = 5000;
    EXPECT_THAT(Parse(line, RouteFormat::Auto, small).error,
                HasSubstr("test-input: more than 5000 JSON values"));
    small.maxInputBytes = 1000;
    EXPECT_THAT(Parse(line, RouteFormat::Auto, small).error, HasSubstr("over the limit of 1000"));
    RouteReadOptions fewPoints;
    fewPoints.maxPoints = 10;
    std::string points;
    for (int i = 0; i < 11; ++i)
        points += R"(<trkpt lat="48" lon="11.)" + std::to_string(i) + "\"/>";
    EXPECT_THAT(
        Parse("<gpx><trk><trkseg>" + points + "</trkseg></trk></gpx>", RouteFormat::Auto, fewPoints)
            .error,
        HasSubstr("more than 10 points"));
    // A polyline's points are counted before they are decoded.
    const std::string response =
        R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"depart"},"geometry":")" +
        std::string(22, '?') + R"("}]}]}]})";
    EXPECT_THAT(Parse(response, RouteFormat::Auto, fewPoints).error,
                HasSubstr("more than 10 points"));

    const std::string deep(100000, '[');
    EXPECT_THAT(Parse(deep).error, HasSubstr("nesting deeper than 512"));
}

TEST(RouteFilesTurnAngles, BandsOfTheClassification)
{
    const struct
    {
        double angle;
        NAV_TURN_TYPE_tag type;
    } cases[] = {{0.0, NAV_TURN_STRAIGHT},      {-19.9, NAV_TURN_STRAIGHT},
                 {20.0, NAV_TURN_SLIGHT_RIGHT}, {-59.9, NAV_TURN_SLIGHT_LEFT},
                 {60.0, NAV_TURN_RIGHT},        {-119.9, NAV_TURN_LEFT},
                 {120.0, NAV_TURN_SHARP_RIGHT}, {-164.9, NAV_TURN_SHARP_LEFT},
                 {165.0, NAV_TURN_UTURN},       {-180.0, NAV_TURN_UTURN}};
    for (const auto& c : cases)
        EXPECT_EQ(refhost::ClassifyTurnAngle(c.angle), c.type) << c.angle;
}

} // namespace
