// Route files broken the ways real ones break, beyond what RouteFilesTest
// covers: cut off at every byte, values of the wrong JSON type at every level
// of the three formats, empty arrays wherever an array is read, and numbers
// at the ends of the double range. Every read must end in a clear error that
// names the input, with nothing of a route handed out, or in a correct route.
#include "RouteFiles/RouteFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using refhost::ParseRoute;
using refhost::RouteDescription;
using refhost::RouteFormat;
using refhost::RouteReadResult;
using testing::HasSubstr;
using testing::StartsWith;

namespace
{

const std::string kRoutes = AP_DATA_DIR "/routes/";

// Cutting a file at every byte parses it n times over n / 2 bytes on average.
// Unoptimised sanitizer builds parse JSON some twenty times slower, so there
// the cuts are spread five times wider (the optimised build takes them all).
#if defined(NDEBUG)
const size_t kStrideScale = 1;
#else
const size_t kStrideScale = 5;
#endif

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

RouteReadResult Parse(std::string_view text, RouteFormat format = RouteFormat::Auto)
{
    return ParseRoute(text, format, {}, "test-input");
}

// The route's points in driving order, the point two links share once.
std::vector<tagLonLat> Trace(const RouteDescription& route)
{
    std::vector<tagLonLat> points;
    for (const refhost::RoadLink& link : route.links)
    {
        for (size_t i = 0; i < link.points.size(); ++i)
        {
            if (i == 0 && !points.empty() && points.back().lon == link.points[0].lon &&
                points.back().lat == link.points[0].lat)
                continue;
            points.push_back(link.points[i]);
        }
    }
    return points;
}

bool IsPrefix(const std::vector<tagLonLat>& part, const std::vector<tagLonLat>& whole)
{
    if (part.size() > whole.size())
        return false;
    for (size_t i = 0; i < part.size(); ++i)
    {
        if (part[i].lon != whole[i].lon || part[i].lat != whole[i].lat)
            return false;
    }
    return true;
}

// A failed read: a message that starts with the input's name, no route.
void ExpectCleanFailure(const RouteReadResult& result, const std::string& source)
{
    EXPECT_FALSE(result.ok);
    EXPECT_THAT(result.error, StartsWith(source));
    EXPECT_TRUE(result.route.links.empty());
    EXPECT_TRUE(result.route.maneuvers.empty());
    EXPECT_TRUE(result.route.destinations.empty());
}

struct CutOutcome
{
    size_t cuts = 0;
    size_t routes = 0;            // cuts that still read as a route
    size_t firstRoute = SIZE_MAX; // the shortest of them
};

// True when the cut at `at` dropped nothing but blanks and line ends.
bool OnlyBlanksAfter(const std::string& text, size_t at)
{
    return at <= text.size() && text.find_first_not_of(" \t\r\n", at) == std::string::npos;
}

// Reads the first `cut` bytes of `text` for every cut in steps of `stride`.
// Each read fails cleanly or gives a route whose points are the first points
// of the whole file's route: a cut never invents a point.
CutOutcome ExpectEveryCutCleanOrPrefix(const std::string& text, size_t stride)
{
    CutOutcome outcome;
    const RouteReadResult whole = Parse(text);
    EXPECT_TRUE(whole.ok) << whole.error;
    const std::vector<tagLonLat> full = Trace(whole.route);
    const std::string_view all(text);
    for (size_t cut = 0; cut < text.size(); cut += stride)
    {
        ++outcome.cuts;
        const RouteReadResult result = ParseRoute(all.substr(0, cut), RouteFormat::Auto, {}, "cut");
        if (!result.ok)
        {
            if (result.error.rfind("cut", 0) != 0 || !result.route.links.empty())
            {
                ADD_FAILURE() << "cut at " << cut << ": unclear failure: " << result.error;
                return outcome;
            }
            continue;
        }
        ++outcome.routes;
        outcome.firstRoute = std::min(outcome.firstRoute, cut);
        if (!IsPrefix(Trace(result.route), full) || result.route.maneuvers.empty() ||
            result.route.destinations.empty())
        {
            ADD_FAILURE() << "cut at " << cut << " reads as a route that is not the file's";
            return outcome;
        }
    }
    return outcome;
}

// A GPX track of two segments as a recorder writes it: elevation, time and
// extensions on every point, a name and a description.
std::string RecordedGpx()
{
    std::ostringstream text;
    text.precision(9);
    text << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gpx version=\"1.1\" creator=\"recorder\" "
            "xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
            "  <metadata><name>Morning drive</name><time>2024-05-02T07:10:00Z</time></metadata>\n"
            "  <trk>\n    <name>Morning drive</name>\n    <desc>to work &amp; back</desc>\n";
    for (int segment = 0; segment < 2; ++segment)
    {
        text << "    <trkseg>\n";
        for (int i = 0; i < 12; ++i)
        {
            const int n = segment * 12 + i;
            // North for 12 points, then east.
            const double lat = 48.1 + 0.0005 * (segment == 0 ? n : 11);
            const double lon = 11.5 + 0.0007 * (segment == 0 ? 0 : i + 1);
            text << "      <trkpt lat=\"" << lat << "\" lon=\"" << lon << "\"><ele>" << 500 + n
                 << "</ele><time>2024-05-02T07:10:" << (10 + n) << "Z</time>"
                 << "<extensions><speed>13.9</speed></extensions></trkpt>\n";
        }
        text << "    </trkseg>\n";
    }
    text << "  </trk>\n</gpx>\n";
    return text.str();
}

// ---------------------------------------------------------------------------
// Cut off

TEST(BadRouteFilesTruncated, SmallFilesAtEveryByte)
{
    // A cut JSON document is never valid JSON: only the cut that drops no
    // more than the final line feed reads.
    for (const char* name : {"osrm-roundabout-washingtondc-dupont-polyline5.json",
                             "drive-munich-13km-15s-multipoint.geojson"})
    {
        SCOPED_TRACE(name);
        const std::string text = Slurp(kRoutes + name);
        ASSERT_FALSE(text.empty());
        const CutOutcome outcome = ExpectEveryCutCleanOrPrefix(text, kStrideScale);
        EXPECT_EQ(outcome.cuts, (text.size() + kStrideScale - 1) / kStrideScale);
        EXPECT_TRUE(outcome.routes == 0 || OnlyBlanksAfter(text, outcome.firstRoute));
    }
}

TEST(BadRouteFilesTruncated, GpxTrackAtEveryByte)
{
    // An XML document cut anywhere before its end leaves an element open.
    const std::string text = RecordedGpx();
    const RouteReadResult whole = Parse(text);
    ASSERT_TRUE(whole.ok) << whole.error;
    EXPECT_EQ(Trace(whole.route).size(), 24u);
    const CutOutcome outcome = ExpectEveryCutCleanOrPrefix(text, 1);
    EXPECT_EQ(outcome.cuts, text.size());
    EXPECT_EQ(outcome.routes, 1u);
    EXPECT_TRUE(OnlyBlanksAfter(text, outcome.firstRoute));
}

TEST(BadRouteFilesTruncated, LargerFilesAtEverySeventhByte)
{
    for (const char* name :
         {"osrm-geojson-sanfrancisco-freeway-ramps.json", "osrm-urban-sanfrancisco-polyline6.json"})
    {
        SCOPED_TRACE(name);
        const std::string text = Slurp(kRoutes + name);
        ASSERT_GT(text.size(), 8000u);
        const size_t stride = 7 * kStrideScale;
        const CutOutcome outcome = ExpectEveryCutCleanOrPrefix(text, stride);
        EXPECT_EQ(outcome.cuts, (text.size() + stride - 1) / stride);
        EXPECT_TRUE(outcome.routes == 0 || OnlyBlanksAfter(text, outcome.firstRoute));
    }
}

// ---------------------------------------------------------------------------
// Wrong types, empty arrays, numbers at the ends of the range

struct BadCase
{
    std::string text;
    const char* message; // part of the error after the input's name
};

void ExpectFailures(const std::vector<BadCase>& cases)
{
    for (const BadCase& c : cases)
    {
        SCOPED_TRACE(c.text);
        const RouteReadResult result = Parse(c.text);
        ExpectCleanFailure(result, "test-input");
        EXPECT_THAT(result.error, HasSubstr(c.message));
    }
}

TEST(BadRouteFilesValues, WrongTypesNameTheValue)
{
    const std::string step = R"("geometry":"_ibE_seKgE?")";
    ExpectFailures({
        {"\"route\"", "expected a JSON object at the top level, found a string"},
        {"null", "expected a JSON object at the top level, found null"},
        {"42", "found a number"},
        {"true", "found a boolean"},
        // GeoJSON
        {R"({"type":42,"coordinates":[[1,2],[3,4]]})", "type: expected a string, found a number"},
        {R"({"type":"LineString","coordinates":null})",
         "coordinates: expected an array, found null"},
        {R"({"type":"LineString","coordinates":{"0":[1,2]}})", "coordinates: expected an array"},
        {R"({"type":"LineString","coordinates":[["11","48"],[11.1,48]]})",
         "coordinates[0]: expected [longitude, latitude]"},
        {R"({"type":"LineString","coordinates":[[1,2],[3,true]]})",
         "coordinates[1]: expected [longitude, latitude]"},
        {R"({"type":"MultiLineString","coordinates":[[1,2],[3,4]]})",
         "coordinates[0][0]: expected [longitude, latitude], found a number"},
        {R"({"type":"Feature","geometry":"LineString"})",
         "geometry: expected a GeoJSON object, found a string"},
        {R"({"type":"FeatureCollection","features":{}})", "features: expected an array"},
        {R"({"type":"FeatureCollection","features":[42]})",
         "features[0]: expected a GeoJSON object, found a number"},
        {R"({"type":"GeometryCollection","geometries":"none"})",
         "geometries: expected an array, found a string"},
        // Directions
        {R"({"routes":{"legs":[]}})", "routes: expected an array, found an object"},
        {R"({"routes":[42]})", "routes[0]: expected an object, found a number"},
        {R"({"routes":[{"legs":[{"steps":"none"}]}]})",
         "routes[0].legs[0].steps: expected an array, found a string"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":[],"geometry":""}]}]}]})",
         "steps[0].maneuver: expected an object, found an array"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":7},"geometry":""}]}]}]})",
         "maneuver.type: expected a string, found a number"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn","modifier":3},"geometry":""}]}]}]})",
         "maneuver.modifier: expected a string, found a number"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn","location":"here"},"geometry":""}]}]}]})",
         "maneuver.location: expected [longitude, latitude], found a string"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn","bearing_after":"east"},"geometry":""}]}]}]})",
         "maneuver.bearing_after: expected a number, found a string"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn"},"name":5,"geometry":""}]}]}]})",
         "steps[0].name: expected a string, found a number"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn"},"intersections":{},"geometry":""}]}]}]})",
         "steps[0].intersections: expected an array, found an object"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn"},"intersections":[{"entry":[1]}],"geometry":""}]}]}]})",
         "intersections[0].entry[0]: expected a boolean, found a number"},
        {(R"({"routes":[{"distance":"far","legs":[{"steps":[{"maneuver":{"type":"turn"},)" + step +
          "}]}]}]}"),
         "routes[0].distance: expected a number, found a string"},
        // GPX
        {R"(<gpx><trk><trkseg><trkpt lat="" lon="11"/><trkpt lat="48" lon="11.1"/></trkseg></trk></gpx>)",
         "<trkpt> at 1:19: lat=\"\" is missing or not a number"},
    });
}

TEST(BadRouteFilesValues, EmptyArraysGiveNoRoute)
{
    ExpectFailures({
        {"[]", "expected a JSON object at the top level, found an array"},
        {"{}", "neither a directions response"},
        {R"({"type":"LineString","coordinates":[]})", "at least two distinct points, found 0"},
        {R"({"type":"LineString","coordinates":[[],[]]})",
         "coordinates[0]: expected [longitude, latitude], found an array of 0 values"},
        {R"({"type":"MultiLineString","coordinates":[]})", "found 0"},
        {R"({"type":"MultiLineString","coordinates":[[],[]]})", "found 0"},
        {R"({"type":"MultiPoint","coordinates":[]})", "found 0"},
        {R"({"type":"FeatureCollection","features":[]})", "found 0"},
        {R"({"type":"GeometryCollection","geometries":[]})", "found 0"},
        {R"({"type":"Feature","geometry":{"type":"LineString","coordinates":[]}})", "found 0"},
        {R"({"type":"Feature","geometry":null})", "found 0"},
        {R"({"routes":[{"legs":[{"steps":[]}]}]})", "routes[0]: no steps and no geometry"},
        {R"({"routes":[{"legs":[{"steps":[]},{"steps":[]}]}]})", "no steps and no geometry"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"depart"},"geometry":""},{"maneuver":{"type":"arrive"},"geometry":""}]}]}]})",
         "the route has no length"},
        {R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"depart"},"intersections":[],"geometry":{"type":"LineString","coordinates":[]}}]}]}]})",
         "the route has no length"},
        {"<gpx><trk><trkseg></trkseg></trk></gpx>", "no track points"},
        {"<gpx><trk><trkseg/><trkseg/></trk></gpx>", "no track points"},
        {"<gpx><trk></trk><rte></rte></gpx>", "no track points (trk/trkseg/trkpt) or route points"},
    });
}

TEST(BadRouteFilesValues, NumbersAtTheEndsOfTheRangeAreRefusedWhereTheyCannotBe)
{
    const std::string leg = R"("legs":[{"steps":[{"maneuver":{"type":"turn")";
    const std::string rest = R"(,"geometry":"_ibE_seKgE?"}]}]}]})";
    ExpectFailures({
        {R"({"type":"LineString","coordinates":[[1e308,48],[11,48]]})",
         "coordinates[0]: longitude 1e+308 out of range (-180, 180)"},
        {R"({"type":"LineString","coordinates":[[11,-1e308],[11,48]]})",
         "coordinates[0]: latitude -1e+308 out of range (-90, 90)"},
        {R"({"type":"LineString","coordinates":[[11,48],[1e400,48]]})",
         "test-input:1:46: invalid JSON: number overflow parsing '1e400'"},
        {R"({"type":"LineString","coordinates":[[11,48],[-1e400,48]]})",
         "number overflow parsing '-1e400'"},
        {R"({"type":"LineString","coordinates":[[11,48],[11.1,48.1]],"bbox":[1e308,-1e308,1e400,0]})",
         "number overflow parsing '1e400'"},
        {(R"({"routes":[{"distance":-1e308,)" + leg + "}" + rest), "routes[0].distance: negative"},
        {(R"({"routes":[{)" + leg + R"(,"exit":1e308})" + rest),
         "maneuver.exit: expected an integer, found a number"},
        {(R"({"routes":[{)" + leg + R"(,"bearing_before":-1e308})" + rest),
         "maneuver.bearing_before: "},
        {(R"({"routes":[{)" + leg + R"(,"location":[1e308,-1e308]})" + rest),
         "maneuver.location: longitude 1e+308 out of range"},
        {(R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn"},"intersections":[{"in":1e308,"entry":[true]}])" +
          rest),
         "intersections[0].in: expected an integer, found a number"},
        {(R"({"routes":[{"legs":[{"steps":[{"maneuver":{"type":"turn"},"intersections":[{"location":[1e308,0]}])" +
          rest),
         "intersections[0].location: longitude 1e+308 out of range"},
        {R"(<gpx><trk><trkseg><trkpt lat="1e308" lon="11"/><trkpt lat="48" lon="11.1"/></trkseg></trk></gpx>)",
         "<trkpt> at 1:19: latitude 1e+308 out of range (-90, 90)"},
        {R"(<gpx><trk><trkseg><trkpt lat="48" lon="-1e308"/><trkpt lat="48" lon="11.1"/></trkseg></trk></gpx>)",
         "longitude -1e+308 out of range (-180, 180)"},
        {R"(<gpx><trk><trkseg><trkpt lat="1e400" lon="11"/><trkpt lat="48" lon="11.1"/></trkseg></trk></gpx>)",
         "<trkpt> at 1:19: latitude is not a finite number"},
        {R"(<gpx><trk><trkseg><trkpt lat="48" lon="-1e400"/><trkpt lat="48" lon="11.1"/></trkseg></trk></gpx>)",
         "longitude is not a finite number"},
    });
}

TEST(BadRouteFilesValues, NumbersAtTheEndsOfTheRangeAreReadWhereTheyCanBe)
{
    // A latitude that underflows is 0; a stated distance is only stated.
    const RouteReadResult tiny =
        Parse(R"({"type":"LineString","coordinates":[[11,1e-400],[11.1,48]]})");
    ASSERT_TRUE(tiny.ok) << tiny.error;
    EXPECT_EQ(tiny.route.links.front().points.front().lat, 0.0);
    const RouteReadResult gpx = Parse(
        R"(<gpx><trk><trkseg><trkpt lat="-1e-400" lon="11"/><trkpt lat="48" lon="11.1"/></trkseg></trk></gpx>)");
    ASSERT_TRUE(gpx.ok) << gpx.error;
    EXPECT_EQ(gpx.route.links.front().points.front().lat, 0.0);

    const RouteReadResult far = Parse(
        R"({"routes":[{"distance":1e308,"legs":[{"steps":[{"maneuver":{"type":"depart"},"geometry":"_ibE_seKgE?"}]}]}]})");
    ASSERT_TRUE(far.ok) << far.error;
    EXPECT_EQ(far.route.statedDistance, 1e308);
    ASSERT_EQ(far.route.links.size(), 1u);
    EXPECT_TRUE(std::isfinite(far.route.maneuvers.back().distanceFromStart));
}

} // namespace
