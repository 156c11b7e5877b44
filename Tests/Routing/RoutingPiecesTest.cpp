// The routing component's pieces on their own: starting programs without a
// shell, telling extract formats and cleaning Overpass heads, the tagging
// rule, digests against published checksums, Routino's names and HTML text,
// the roads at a junction of a hand-made network, and which junctions a
// driver is told about.
#include "Routing/ExtractInput.h"
#include "Routing/FileDigest.h"
#include "Routing/JunctionManeuver.h"
#include "Routing/RoadNaming.h"
#include "Routing/RoadNetworkPart.h"
#include "Routing/RoutingFailure.h"
#include "Routing/RoutinoTagging.h"
#include "Routing/RoutinoTrack.h"
#include "Routing/Subprocess.h"
#include "Routing/TempFolder.h"
#include "Routing/TextFields.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace routing = refhost::routing;
using testing::ElementsAre;
using testing::HasSubstr;

namespace
{

const std::string kOsm = AP_DATA_DIR "/osm/";

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Spit(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string PrepareError(const std::string& extract, const std::string& folder)
{
    try
    {
        routing::PrepareExtract(extract, folder);
    }
    catch (const routing::RoutingFailure& failure)
    {
        return failure.what();
    }
    return "no error";
}

TEST(Subprocess, ArgumentsReachTheProgramAsTheyAreAndRunNothingElse)
{
    const routing::TempFolder folder(
        (std::filesystem::temp_directory_path() / "routing-spawn-").string());
    routing::ProgramRun run;
    run.program = routing::FindOnPath("printf");
    ASSERT_FALSE(run.program.empty());
    run.args = {"%s|", "a b", "it's \"quoted\"", "$(touch made)", "; touch made", "`touch made`"};
    run.workingFolder = folder.Path();
    run.stdoutFile = folder.Path() + "/out";
    const routing::ProgramResult result = routing::RunProgram(run);
    ASSERT_TRUE(result.started) << result.error;
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(Slurp(run.stdoutFile),
              "a b|it's \"quoted\"|$(touch made)|; touch made|`touch made`|");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/made"));

    run.program = routing::FindOnPath("false");
    run.args.clear();
    EXPECT_EQ(routing::RunProgram(run).exitCode, 1);
    run.program = folder.Path() + "/no such program";
    const routing::ProgramResult missing = routing::RunProgram(run);
    EXPECT_FALSE(missing.started);
    EXPECT_THAT(missing.error, HasSubstr("cannot run"));
    EXPECT_EQ(routing::FindOnPath("no-such-program-anywhere"), "");
    EXPECT_EQ(routing::LastMessageLine("Parsing\nNodes=10\rNodes=20  \nError: bad file.  \n\n"),
              "Error: bad file.");
}

TEST(ExtractInput, FormatsAreToldByContentNotByName)
{
    auto head = [](const std::string& file) { return Slurp(kOsm + file).substr(0, 64); };
    EXPECT_EQ(routing::DetectExtractFormat(head("andorra.osm.pbf")), routing::ExtractFormat::Pbf);
    EXPECT_EQ(routing::DetectExtractFormat(head("krems.osm.gz")), routing::ExtractFormat::GzipXml);
    EXPECT_EQ(routing::DetectExtractFormat(head("bautzen.osm")), routing::ExtractFormat::Xml);
    EXPECT_EQ(routing::DetectExtractFormat("BZh91AY&SY"), routing::ExtractFormat::Bzip2Xml);
    EXPECT_EQ(routing::DetectExtractFormat("\xEF\xBB\xBF\n <osm version='0.6'>"),
              routing::ExtractFormat::Xml);
    EXPECT_EQ(routing::DetectExtractFormat("hello"), routing::ExtractFormat::Unknown);
    EXPECT_EQ(routing::DetectExtractFormat(""), routing::ExtractFormat::Unknown);
}

TEST(ExtractInput, OverpassNotesGoAndLinesStay)
{
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<osm version=\"0.6\" generator=\"Overpass API\">\n"
                             "<note>The data included in this document is from\n"
                             "www.openstreetmap.org.</note>\n"
                             "<meta osm_base=\"2014-11-05T10:47:02Z\"/>\n"
                             "  <bounds minlat=\"49.9721\"/>\n"
                             "  <node id=\"1\"><tag k=\"note\" v=\"<note>\"/></node>\n";
    const std::string clean = routing::WithoutExportNotes(head);
    EXPECT_EQ(clean.find("<note>The"), std::string::npos);
    EXPECT_EQ(clean.find("<meta"), std::string::npos);
    EXPECT_EQ(std::count(clean.begin(), clean.end(), '\n'),
              std::count(head.begin(), head.end(), '\n'));
    EXPECT_EQ(clean.substr(clean.find("  <bounds")), head.substr(head.find("  <bounds")));

    const routing::TempFolder folder(
        (std::filesystem::temp_directory_path() / "routing-extract-").string());
    const std::string copy = routing::PrepareExtract(kOsm + "north-bayreuth.osm.gz", folder.Path());
    const std::string text = Slurp(copy);
    EXPECT_EQ(text.find("<note>"), std::string::npos);
    const size_t unpacked = 14067823; // the gzip trailer's size of the XML
    EXPECT_LT(text.size(), unpacked);
    EXPECT_GT(text.size(), unpacked - 200);
    EXPECT_EQ(Slurp(routing::PrepareExtract(kOsm + "bautzen.osm", folder.Path())),
              Slurp(kOsm + "bautzen.osm"));
    const std::string link = routing::PrepareExtract(kOsm + "andorra.osm.pbf", folder.Path());
    EXPECT_EQ(link, folder.Path() + "/extract.osm.pbf");
    EXPECT_TRUE(std::filesystem::is_symlink(link));

    const std::string half = folder.Path() + "/half.osm.gz";
    const std::string krems = Slurp(kOsm + "krems.osm.gz");
    Spit(half, krems.substr(0, krems.size() / 2));
    EXPECT_THAT(PrepareError(half, folder.Path()),
                HasSubstr("half.osm.gz: cannot read: the compressed data ends early"));
    Spit(folder.Path() + "/text.osm", "just some words\n");
    EXPECT_THAT(PrepareError(folder.Path() + "/text.osm", folder.Path()),
                HasSubstr("text.osm: not an OpenStreetMap extract"));
    EXPECT_THAT(PrepareError(folder.Path() + "/none.osm", folder.Path()),
                HasSubstr("none.osm: cannot open: No such file or directory"));
}

TEST(RoutinoTagging, CircularJunctionsBecomeRoundaboutsFirst)
{
    const std::string rules = "<routino-tagging>\n<node>\n<if k=\"a\"/>\n</node>\n<way>\n"
                              "<if k=\"junction\" v=\"roundabout\"/>\n</way>\n</routino-tagging>\n";
    const std::string added = routing::TaggingWithCircularJunctions(rules, "tagging.xml");
    const std::string rule = R"(<if k="junction" v="circular"> <set v="roundabout"/> </if>)";
    const size_t inNodes = added.find(rule);
    const size_t inWays = added.find(rule, inNodes + 1);
    ASSERT_NE(inWays, std::string::npos);
    EXPECT_LT(added.find("<node>"), inNodes);
    EXPECT_LT(inNodes, added.find("<if k=\"a\"/>"));
    EXPECT_LT(added.find("<way>"), inWays);
    EXPECT_LT(inWays, added.find("<if k=\"junction\" v=\"roundabout\"/>"));
    EXPECT_THROW(routing::TaggingWithCircularJunctions("<routino-tagging><node></node>", "t.xml"),
                 routing::RoutingFailure);
}

TEST(FileDigest, MatchesPublishedChecksums)
{
    // FIPS 180-2, appendix B.1.
    EXPECT_EQ(routing::Sha256OfText("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    std::string error;
    const std::string sources = Slurp(kOsm + "SOURCES.md");
    for (const char* file : {"andorra.osm.pbf", "bautzen.osm"})
    {
        const std::string digest = routing::Sha256OfFile(kOsm + file, error);
        ASSERT_EQ(digest.size(), 64u) << error;
        EXPECT_THAT(sources, HasSubstr("`" + std::string(file) + "` | ")) << file;
        EXPECT_THAT(sources, HasSubstr("`" + digest + "`")) << file;
    }
    EXPECT_EQ(routing::Sha256OfFile(kOsm + "missing.osm", error), "");
    EXPECT_EQ(error, "No such file or directory");
}

TEST(RoutinoWords, NamesHtmlTextAndNumbers)
{
    const routing::RoadNaming both = routing::NamingOf("Avinguda Prat de la Creu (CG3a)");
    EXPECT_EQ(both.name, "Avinguda Prat de la Creu");
    EXPECT_EQ(both.ref, "CG3a");
    EXPECT_EQ(routing::NamingOf("CG-1").name, "CG-1");
    for (const char* word : {"primary road", "motorway", "residential road", "track", ""})
    {
        EXPECT_EQ(routing::NamingOf(word).name, "") << word;
        EXPECT_EQ(routing::CaptionName(routing::NamingOf(word)), "") << word;
    }
    EXPECT_EQ(routing::TypeOfUnnamed("trunk road"), "trunk");
    EXPECT_EQ(routing::TypeOfUnnamed("Trunk Road"), "");

    EXPECT_EQ(routing::HtmlText("Follow <span class='h'>Carrer de l&#39;Aig&#xFC;eta</span>"),
              "Follow Carrer de l'Aig\xC3\xBC"
              "eta");
    EXPECT_EQ(routing::HtmlText("A &amp; B &lt;&gt; &#x20AC; &bogus; &"),
              "A & B <> \xE2\x82\xAC &bogus; &");

    double value = 0.0;
    EXPECT_TRUE(routing::ParseNumber("+3", value));
    EXPECT_EQ(value, 3.0);
    EXPECT_TRUE(routing::ParseNumber("-0.127877", value));
    EXPECT_EQ(value, -0.127877);
    for (const char* bad : {"", "12a", "1e400", "nan", " 1"})
        EXPECT_FALSE(routing::ParseNumber(bad, value)) << bad;
    EXPECT_EQ(routing::FormatFixed(1.5, 7), "1.5000000");
}

// A junction J at 45 N 7 E with a two-way road 30 m north, a one-way road
// away from it 30 m east, a one-way road into it from 30 m south, a piece of
// roundabout into it from the west (5 m, then 25 m on), and a footway.
const char* const kJunctionDump = R"(<?xml version='1.0' encoding='UTF-8'?>
<osm version='0.6' generator='Routino'>
  <node id='1' lat='45.0000000' lon='7.0000000' version='1' />
  <node id='2' lat='45.0002700' lon='7.0000000' version='1' />
  <node id='3' lat='45.0000000' lon='7.0003811' version='1' />
  <node id='4' lat='44.9997300' lon='7.0000000' version='1' />
  <node id='5' lat='45.0000000' lon='6.9999365' version='1' />
  <node id='6' lat='45.0000000' lon='6.9996189' version='1' />
  <node id='7' lat='45.0001908' lon='7.0002695' version='1' />
  <way id='11'><nd ref='1' /><nd ref='2' /><tag k='highway' v='primary' /><tag k='name' v='North Road' /><tag k='motorcar' v='yes' /></way>
  <way id='12'><nd ref='1' /><nd ref='3' /><tag k='oneway' v='yes' /><tag k='highway' v='motorway' /><tag k='motorcar' v='yes' /></way>
  <way id='13'><nd ref='4' /><nd ref='1' /><tag k='oneway' v='yes' /><tag k='highway' v='secondary' /><tag k='motorcar' v='yes' /></way>
  <way id='14'><nd ref='6' /><nd ref='5' /><tag k='oneway' v='yes' /><tag k='roundabout' v='yes' /><tag k='highway' v='primary' /><tag k='motorcar' v='yes' /></way>
  <way id='15'><nd ref='5' /><nd ref='1' /><tag k='oneway' v='yes' /><tag k='roundabout' v='yes' /><tag k='highway' v='primary' /><tag k='motorcar' v='yes' /></way>
  <way id='16'><nd ref='1' /><nd ref='7' /><tag k='highway' v='cycleway' /></way>
</osm>
)";

TEST(RoadNetworkPart, RoadsAtAJunctionPointAwayFromIt)
{
    const routing::RoadNetworkPart part = routing::RoadNetworkPart::FromDump(kJunctionDump);
    const tagLonLat junction{7.0, 45.0};
    const std::vector<routing::JunctionRoad> roads = part.RoadsAt(junction);
    ASSERT_EQ(roads.size(), 5u);
    struct Expected
    {
        double bearing;
        bool car;
        bool carMayLeave;
        bool roundabout;
    };
    // In the order of the dump's ways; the roundabout measured from its
    // second node on, 30 m away.
    const Expected expected[] = {{0.0, true, true, false},
                                 {90.0, true, true, false},
                                 {180.0, true, false, false},
                                 {270.0, true, false, true},
                                 {45.0, false, false, false}};
    for (size_t i = 0; i < roads.size(); ++i)
    {
        EXPECT_NEAR(roads[i].bearing, expected[i].bearing, 0.1) << i;
        EXPECT_EQ(roads[i].car, expected[i].car) << i;
        EXPECT_EQ(roads[i].carMayLeave, expected[i].carMayLeave) << i;
        EXPECT_EQ(roads[i].roundabout, expected[i].roundabout) << i;
    }
    EXPECT_EQ(roads[0].name, "North Road");
    EXPECT_EQ(roads[1].highway, "motorway");

    // Coming from the south and leaving east: the other roads cars use are
    // north (which a car may leave on) and west (the roundabout into J).
    const refhost::JunctionRoads others =
        routing::OtherRoads(roads, junction, roads[2].next, roads[1].next);
    ASSERT_EQ(others.otherBearings.size(), 2u);
    EXPECT_NEAR(others.otherBearings[0], 0.0, 0.1);
    EXPECT_NEAR(others.otherBearings[1], 270.0, 0.1);
    EXPECT_THAT(others.otherMayLeave, ElementsAre(true, false));

    EXPECT_TRUE(part.RoadsAt({7.0, 45.00005}).empty()); // 5.6 m from any node
    EXPECT_TRUE(part.CompleteAt(junction));
    EXPECT_TRUE(routing::RoadNetworkPart::FromDump("not xml").Empty());
}

routing::JunctionView View(double angle, const std::string& in, const std::string& out,
                           const std::string& routino)
{
    routing::JunctionView view;
    view.angle = angle;
    view.inBearing = 0.0;
    view.outBearing = angle;
    view.previous = {7.0, 44.999};
    view.next = {7.001, 45.001};
    view.roadIn = in;
    view.roadOut = out;
    view.routinoTurn = routino;
    return view;
}

routing::JunctionRoad Road(double bearing, const tagLonLat& next, const std::string& highway,
                           bool carMayLeave)
{
    routing::JunctionRoad road;
    road.bearing = bearing;
    road.next = next;
    road.highway = highway;
    road.car = true;
    road.carMayLeave = carMayLeave;
    return road;
}

TEST(RoadNetworkPart, JunctionCountsTellWhereARoadReachesOutOfTheBox)
{
    // The dump holds five segments at J. The database counts six (at the
    // router's node 0, the dump's 1): one reaches out of the box.
    const char* const counts = "node0 45.000000 7.000000 6\nnode6 45.000191 7.000270 3\n";
    const routing::RoadNetworkPart part = routing::RoadNetworkPart::FromDump(kJunctionDump, counts);
    EXPECT_FALSE(part.CompleteAt({7.0, 45.0}));
    EXPECT_TRUE(part.CompleteAt({7.0, 45.00027})); // no count: taken as whole
    const routing::RoadNetworkPart counted =
        routing::RoadNetworkPart::FromDump(kJunctionDump, "node0 45.000000 7.000000 5\n");
    EXPECT_TRUE(counted.CompleteAt({7.0, 45.0}));
}

TEST(RoutinoTrack, NoRoadIsDrivenInNoTime)
{
    // 7.6 m of a primary road written as 0.00 min, then 400 m in 0.50 min:
    // a drive starting at second 0 was already at the end of the first road,
    // past the turn at its end. It now takes the 7.6 m at 96 km/h.
    std::vector<routing::TrackNode> nodes(3);
    nodes[0].point = {7.0, 45.0};
    nodes[1].point = {7.0, 45.0000684}; // 7.6 m north
    nodes[2].point = {7.0050791, 45.0000684};
    nodes[1].highway = "primary road";
    nodes[1].speedKmh = 96;
    nodes[2].highway = "Main Street";
    nodes[2].speedKmh = 48;
    nodes[2].segmentSeconds = 30.0;
    const routing::Track track = routing::MakeTrack(nodes);
    ASSERT_EQ(track.seconds.size(), 3u);
    EXPECT_NEAR(track.seconds[1], 7.6 / (96 / 3.6), 0.01);
    EXPECT_NEAR(track.seconds[2], track.seconds[1] + 30.0, 1e-9);
}

TEST(RoutinoTrack, ATurnIsMeasuredAcrossTheJunctionsWithinItsWindow)
{
    // North 100 m to a node where the road changes (Routino's "Change") and
    // the route turns left, then west 12 m to a junction and 40 m on. Seen
    // from the junction, 20 m back lies 8 m down the northward road: the car
    // is still turning there, atan(12 / 8) - 90 = -33.7 degrees, as the
    // junction band drawn there shows (two turns this close are told as one).
    const tagLonLat start{7.0, 45.0};
    const double north = 1.0 / 111132.0; // degrees of a metre
    const double west = 1.0 / 78847.0;
    std::vector<routing::TrackNode> nodes(4);
    nodes[0].point = start;
    nodes[1].point = {start.lon, start.lat + 100 * north};
    nodes[1].type = "Change";
    nodes[2].point = {start.lon - 12 * west, nodes[1].point.lat};
    nodes[2].type = "Junct";
    nodes[3].point = {start.lon - 52 * west, nodes[1].point.lat};
    for (size_t k = 1; k < nodes.size(); ++k)
        nodes[k].highway = k == 1 ? "Main Street" : "residential road";
    const std::vector<double> angles = routing::TurnAngles(routing::MakeTrack(nodes));
    ASSERT_EQ(angles.size(), 4u);
    EXPECT_NEAR(angles[1], -90.0, 1.0);
    EXPECT_NEAR(angles[2], -33.7, 0.5);
}

TEST(JunctionManeuver, TurnsForksAndRampsAreTold)
{
    routing::JunctionDecision turn =
        routing::DecideJunction(View(90, "Main St", "Side St", "Right"));
    EXPECT_TRUE(turn.announced);
    EXPECT_EQ(turn.type, NAV_TURN_RIGHT);
    EXPECT_EQ(turn.instruction, "Turn right onto Side St");
    turn = routing::DecideJunction(View(-130, "Main St", "residential road", "Sharp left"));
    EXPECT_EQ(turn.instruction, "Make a sharp left");

    // Straight on, or a bend of the road Routino goes straight on along.
    EXPECT_FALSE(routing::DecideJunction(View(5, "Main St", "Main St", "Straight on")).announced);
    EXPECT_FALSE(routing::DecideJunction(View(10, "Main St", "New St", "Straight on")).announced);
    EXPECT_FALSE(routing::DecideJunction(View(40, "Main St", "Main St", "Straight on")).announced);
    EXPECT_EQ(routing::DecideJunction(View(40, "Main St", "Main St", "Slight right")).instruction,
              "Bear right onto Main St");

    // A fork: the other branch leaves 30 degrees to the left of the route.
    routing::JunctionView fork = View(15, "Old Rd", "New Rd", "Straight on");
    fork.roads = {Road(180, fork.previous, "primary", true), Road(15, fork.next, "primary", true),
                  Road(345, {6.999, 45.001}, "primary", true)};
    routing::JunctionDecision decided = routing::DecideJunction(fork);
    EXPECT_EQ(decided.type, NAV_TURN_FORK);
    EXPECT_EQ(decided.instruction, "Keep right at the fork onto New Rd");
    fork.roads[2].carMayLeave = false; // one-way towards the junction: no branch
    EXPECT_FALSE(routing::DecideJunction(fork).announced);

    // Ramps: onto an unnamed motorway-class road, from a motorway (an exit)
    // or from any other road.
    routing::JunctionView exit = View(12, "A 4", "motorway", "Straight on");
    exit.roads = {Road(180, exit.previous, "motorway", true), Road(12, exit.next, "motorway", true),
                  Road(352, {6.999, 45.001}, "motorway", true)};
    decided = routing::DecideJunction(exit);
    EXPECT_EQ(decided.type, NAV_TURN_SLIGHT_RIGHT);
    EXPECT_EQ(decided.instruction, "Take the exit on the right");
    decided = routing::DecideJunction(View(30,
                                           "Hauptstra\xC3\x9F"
                                           "e (B 96)",
                                           "motorway", "Slight right"));
    EXPECT_EQ(decided.type, NAV_TURN_SLIGHT_RIGHT);
    EXPECT_EQ(decided.instruction, "Take the ramp on the right");
}

TEST(JunctionManeuver, RoundaboutExitsCountOnlyRoadsACarMayLeaveOn)
{
    // Entry, a junction with a road out and a footway (no car road: not
    // listed), one with a one-way road in, one with two roads out, the exit.
    // Routino calls the exit the 4th (the footway counts); a driver, the 4th
    // too only by the two roads out of one junction: 1 + 2 before it.
    refhost::JunctionRoads entry{{7.0, 45.0}, {200.0}, {true}};
    refhost::JunctionRoads oneOut{{7.001, 45.0}, {90.0}, {true}};
    refhost::JunctionRoads inOnly{{7.002, 45.0}, {60.0}, {false}};
    refhost::JunctionRoads twoOut{{7.003, 45.0}, {10.0, 30.0}, {true, true}};
    refhost::JunctionRoads exit{{7.004, 45.0}, {300.0}, {true}};
    EXPECT_EQ(routing::RoundaboutExitNumber({entry, oneOut, inOnly, twoOut, exit}), 4);
    EXPECT_EQ(routing::RoundaboutExitNumber({entry, inOnly, exit}), 1);
    EXPECT_EQ(routing::RoundaboutExitNumber({entry, exit}), 1);
}

} // namespace
