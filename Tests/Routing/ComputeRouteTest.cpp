// Routes computed by Routino itself (Debian package routino): a real route
// over Andorra with its database cached through XDG_CACHE_HOME, a
// roundabout tagged junction=circular in an extract written here (with an
// Overpass export's head, in a file whose name has blanks and quotes), every
// bad input, and two builds of one database at once.
#include "Routing/Routing.h"

#include "Routing/FileDigest.h"
#include "Routing/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
namespace routing = refhost::routing;
using refhost::Maneuver;
using testing::HasSubstr;
using testing::StartsWith;

namespace
{

const std::string kAndorra = AP_DATA_DIR "/osm/andorra.osm.pbf";
// Start, a via point and the end in Andorra la Vella (lon, lat).
const std::vector<tagLonLat> kAndorraPoints = {
    {1.5302, 42.5078}, {1.5342, 42.5072}, {1.5380, 42.5086}};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The entries of a folder, by name.
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    return names;
}

constexpr double kMetresPerDegreeLat = 111132.0;
constexpr double kLat0 = 45.0;
constexpr double kLon0 = 7.0;

// The place `east` and `north` metres from 45 N 7 E.
tagLonLat At(double east, double north)
{
    const double metresPerDegreeLon = 111320.0 * std::cos(kLat0 * 3.14159265358979323846 / 180.0);
    return {kLon0 + east / metresPerDegreeLon, kLat0 + north / kMetresPerDegreeLat};
}

// A roundabout of eight nodes (radius 30 m, tagged junction=circular, no
// one-way tag) with four named roads of 300 m leaving it west, south, east
// and north, and, far to the east, a road of its own that nothing reaches.
// The head is that of an Overpass export.
// `ringTags`: how the map tags the circle.
std::string RingExtract(const std::string& ringTags = "<tag k='junction' v='circular'/>")
{
    std::ostringstream osm;
    osm.precision(10);
    osm << "<?xml version='1.0' encoding='UTF-8'?>\n"
           "<osm version='0.6' generator='Overpass API'>\n"
           "<note>The data included in this document is from www.openstreetmap.org.</note>\n"
           "<meta osm_base='2014-11-05T10:47:02Z'/>\n";
    auto node = [&osm](int id, const tagLonLat& point)
    { osm << "  <node id='" << id << "' lat='" << point.lat << "' lon='" << point.lon << "'/>\n"; };
    const double pi = 3.14159265358979323846;
    for (int k = 0; k < 8; ++k) // counter-clockwise from the west, as traffic goes round
        node(100 + k, At(30.0 * std::cos(pi + k * pi / 4), 30.0 * std::sin(pi + k * pi / 4)));
    const char* names[] = {"West Road", "South Road", "East Road", "North Road"};
    const double directions[][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (int arm = 0; arm < 4; ++arm)
    {
        node(200 + arm, At(330 * directions[arm][0], 330 * directions[arm][1]));
        node(210 + arm, At(180 * directions[arm][0], 180 * directions[arm][1]));
    }
    node(300, At(3000, 0));
    node(301, At(3400, 0));
    osm << "  <way id='1'>";
    for (int k = 0; k <= 8; ++k)
        osm << "<nd ref='" << 100 + k % 8 << "'/>";
    osm << "<tag k='highway' v='primary'/>" << ringTags << "</way>\n";
    for (int arm = 0; arm < 4; ++arm)
        osm << "  <way id='" << 10 + arm << "'><nd ref='" << 200 + arm << "'/><nd ref='"
            << 210 + arm << "'/><nd ref='" << 100 + 2 * arm
            << "'/><tag k='highway' v='primary'/><tag k='name' v='" << names[arm] << "'/></way>\n";
    osm << "  <way id='20'><nd ref='300'/><nd ref='301'/><tag k='highway' "
           "v='residential'/><tag k='name' v='Lonely Lane'/></way>\n</osm>\n";
    return osm.str();
}

class ComputeRoute : public testing::Test
{
protected:
    ComputeRoute()
        : m_folder((fs::temp_directory_path() / "routing-live-").string()),
          m_cache(m_folder.Path() + "/cache")
    {
        m_options.cacheFolder = m_cache;
        m_options.progress = [this](const std::string& line) { m_progress.push_back(line); };
    }

    std::string Write(const std::string& name, const std::string& text) const
    {
        std::string path = m_folder.Path() + "/" + name;
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // The cache holds exactly one whole database, of `extract`.
    void ExpectOneWholeDatabase(const std::string& extract) const
    {
        std::string error;
        const std::string digest = routing::Sha256OfFile(extract, error);
        ASSERT_THAT(Entries(m_cache), testing::ElementsAre(digest));
        const std::string database = m_cache + "/" + digest;
        EXPECT_THAT(Entries(database),
                    testing::UnorderedElementsAre("nodes.mem", "segments.mem", "ways.mem",
                                                  "relations.mem", "advicepath-database.txt"));
        EXPECT_THAT(Slurp(database + "/advicepath-database.txt"),
                    StartsWith("extract sha256 " + digest + "\nRoutino version"));
    }

    routing::TempFolder m_folder;
    std::string m_cache;
    routing::RoutingOptions m_options;
    std::vector<std::string> m_progress;
};

TEST_F(ComputeRoute, AndorraWithAViaPointCachedUnderXdgCacheHome)
{
    const std::string xdg = m_folder.Path() + "/xdg";
    ASSERT_EQ(::setenv("XDG_CACHE_HOME", xdg.c_str(), 1), 0);
    m_options.cacheFolder.clear();
    m_cache = xdg + "/advicepath/routino";
    EXPECT_EQ(routing::CacheFolder(m_options), m_cache);

    const routing::RoutingResult result =
        routing::ComputeRoute(kAndorra, kAndorraPoints, m_options);
    ASSERT_TRUE(result.ok) << result.error;
    ExpectOneWholeDatabase(kAndorra);
    EXPECT_EQ(m_progress.size(), 2u); // before and after the build
    EXPECT_EQ(result.route.source, kAndorra);

    // The route that Routino's recorded outputs of these points describe
    // (RoutinoOutputTest), now with the roads at each junction.
    const std::vector<Maneuver>& maneuvers = result.route.maneuvers;
    ASSERT_EQ(maneuvers.size(), 12u);
    // Routino calls it the 3rd exit: it counts the one-way road into the
    // circle between them too.
    EXPECT_EQ(maneuvers[5].instruction,
              "At the roundabout, take the 2nd exit onto Vial de la Uni\xC3\xB2");
    EXPECT_EQ(result.route.destinations.size(), 2u);
    for (const Maneuver& maneuver : maneuvers)
    {
        if (maneuver.type == NAV_TURN_END)
            continue;
        ASSERT_FALSE(maneuver.junctions.empty()) << maneuver.instruction;
        EXPECT_EQ(maneuver.junctions.front().location.lat, maneuver.location.lat);
        for (const double bearing : maneuver.junctions.front().otherBearings)
            EXPECT_TRUE(bearing >= 0.0 && bearing < 360.0);
    }
    // A right turn at a crossing (Avinguda Carlemany): the two other roads,
    // one of them one-way towards it.
    EXPECT_THAT(maneuvers[8].junctions.front().otherMayLeave, testing::ElementsAre(true, false));
    // The roundabout from its entry to its exit.
    EXPECT_GE(maneuvers[5].junctions.size(), 2u);

    // Again: the database is used as it is, the route the same.
    m_progress.clear();
    const routing::RoutingResult again = routing::ComputeRoute(kAndorra, kAndorraPoints, m_options);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_TRUE(m_progress.empty());
    EXPECT_EQ(again.output.textAll, result.output.textAll);
    ::unsetenv("XDG_CACHE_HOME");
}

TEST_F(ComputeRoute, RoundaboutExitsAreTheRoadsACarMayTake)
{
    // Routino calls this exit of a small roundabout in Andorra la Vella the
    // 3rd: it counts a footway that meets the circle beside the one road out
    // before it. A driver counts that road alone. Its database's shortcuts
    // (super-segments) are no roads: the junction inside has that one road
    // a car may use, not four.
    const routing::RoutingResult result = routing::ComputeRoute(
        kAndorra, {{1.5342147, 42.5554918}, {1.5164962, 42.5444895}}, m_options);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_GE(result.route.maneuvers.size(), 3u);
    const Maneuver& roundabout = result.route.maneuvers[1];
    // CS-340 meets CG-3 less than 30 m after the exit: one manoeuvre.
    EXPECT_EQ(roundabout.instruction, "At the roundabout, take the 2nd exit onto CG-3");
    ASSERT_GE(roundabout.junctions.size(), 3u);
    EXPECT_THAT(roundabout.junctions[1].otherMayLeave, testing::ElementsAre(true));
}

TEST_F(ComputeRoute, CircularJunctionIsARoundaboutInAnyFileName)
{
    const std::string extract =
        Write("a folder/it's \"the\" ring; $(touch made).osm", RingExtract());
    // From the west road's end to the north road's end: counter-clockwise
    // round the circle past the south and east roads.
    const routing::RoutingResult result =
        routing::ComputeRoute(extract, {At(-330, 0), At(0, 330)}, m_options);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_FALSE(fs::exists(m_folder.Path() + "/a folder/made"));
    EXPECT_FALSE(fs::exists("made"));
    const std::vector<Maneuver>& maneuvers = result.route.maneuvers;
    ASSERT_EQ(maneuvers.size(), 2u);
    EXPECT_EQ(maneuvers[0].type, NAV_TURN_ROUNDABOUT);
    EXPECT_EQ(maneuvers[0].instruction, "At the roundabout, take the 3rd exit onto North Road");
    EXPECT_EQ(maneuvers[0].fromName, "West Road");
    EXPECT_LT(maneuvers[0].enterLink, maneuvers[0].exitLink);
    EXPECT_EQ(result.route.links.front().name, "West Road");
    EXPECT_EQ(result.route.links.back().name, "North Road");
    ExpectOneWholeDatabase(extract);

    // A database of another Routino or other rules is built again in its place.
    std::string error;
    Write("cache/" + routing::Sha256OfFile(extract, error) + "/advicepath-database.txt", "other");
    m_progress.clear();
    EXPECT_TRUE(routing::ComputeRoute(extract, {At(-330, 0), At(0, 330)}, m_options).ok);
    EXPECT_EQ(m_progress.size(), 2u);
    ExpectOneWholeDatabase(extract);
}

TEST_F(ComputeRoute, ClosedOneWayRingWithoutJunctionTagIsARoundabout)
{
    const std::string extract = Write("ring.osm", RingExtract("<tag k='oneway' v='yes'/>"));
    const routing::RoutingResult result =
        routing::ComputeRoute(extract, {At(-330, 0), At(0, 330)}, m_options);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.route.maneuvers.size(), 2u);
    EXPECT_EQ(result.route.maneuvers[0].instruction,
              "At the roundabout, take the 3rd exit onto North Road");
    EXPECT_EQ(result.route.links[result.route.maneuvers[0].enterLink].name, "West Road");
}

TEST_F(ComputeRoute, RouteStartingOnTheCircleCountsItsExitsFromTheStart)
{
    // From the circle's south-west node counter-clockwise past the south and
    // east roads: the north road is the 3rd exit.
    const std::string extract = Write("ring.osm", RingExtract());
    const double diagonal = 30.0 / std::sqrt(2.0);
    const routing::RoutingResult result =
        routing::ComputeRoute(extract, {At(-diagonal, -diagonal), At(0, 330)}, m_options);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.route.maneuvers.size(), 2u);
    EXPECT_EQ(result.route.maneuvers[0].roundaboutExit, 3);
    EXPECT_EQ(result.route.maneuvers[0].instruction,
              "At the roundabout, take the 3rd exit onto North Road");
}

TEST_F(ComputeRoute, BadInputsGiveOneLineAndLeaveTheCacheWhole)
{
    const std::string ring = Write("ring.osm", RingExtract());
    auto error = [this](const std::string& extract, const std::vector<tagLonLat>& points)
    {
        const routing::RoutingResult result = routing::ComputeRoute(extract, points, m_options);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.route.links.empty());
        EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
        return result.error;
    };
    const std::vector<tagLonLat> across = {At(-330, 0), At(0, 330)};

    EXPECT_THAT(error(ring, {At(-330, 0)}), HasSubstr("at least two points"));
    EXPECT_THAT(error(ring, {At(-330, 0), {7.0, 95.0}}),
                HasSubstr("point 2: latitude 95 out of range"));
    EXPECT_THAT(error(ring, {At(-330, 0), At(0, 20000)}),
                HasSubstr("ring.osm: point 2 (45.179966, 7.000000) is not near any road"));
    EXPECT_THAT(error(ring, {At(-330, 0), At(3200, 0)}),
                HasSubstr("ring.osm: no route by car from point 1"));

    EXPECT_THAT(error(m_folder.Path() + "/missing.osm.pbf", across),
                HasSubstr("missing.osm.pbf: cannot read: No such file or directory"));
    EXPECT_THAT(error(Write("words.osm", "no map in here\n"), across),
                HasSubstr("words.osm: not an OpenStreetMap extract"));
    const std::string pbf = Slurp(kAndorra);
    EXPECT_THAT(error(Write("cut.osm.pbf", pbf.substr(0, pbf.size() / 2)), kAndorraPoints),
                HasSubstr("cut.osm.pbf: the routing database cannot be built: PBF Parser"));
    EXPECT_THAT(
        error(Write("empty.osm", "<?xml version='1.0'?>\n<osm version='0.6'>\n</osm>\n"), across),
        HasSubstr("empty.osm: no roads in the extract"));

    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    ASSERT_EQ(::setenv("PATH", m_folder.Path().c_str(), 1), 0);
    const std::string missing = error(ring, across);
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_THAT(missing, StartsWith("Routino is not installed (Debian package routino)"));

    // Only the ring's database is there, whole: failed builds left nothing.
    ExpectOneWholeDatabase(ring);
}

TEST_F(ComputeRoute, TwoBuildsOfOneDatabaseAtOnceLeaveOne)
{
    routing::RoutingResult first;
    routing::RoutingResult second;
    std::thread one([&] { first = routing::ComputeRoute(kAndorra, kAndorraPoints, m_options); });
    std::thread two([&] { second = routing::ComputeRoute(kAndorra, kAndorraPoints, m_options); });
    one.join();
    two.join();
    ASSERT_TRUE(first.ok) << first.error;
    ASSERT_TRUE(second.ok) << second.error;
    EXPECT_EQ(first.output.textAll, second.output.textAll);
    ExpectOneWholeDatabase(kAndorra);
}

} // namespace
