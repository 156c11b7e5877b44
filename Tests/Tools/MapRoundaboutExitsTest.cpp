// A route file's roundabout exit counted on a hand-made map.
#include "MapRoundaboutExits.h"

#include "RoadMap/ExtractReader.h"
#include "RouteFiles/RouteFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace
{

// A ring of four vertices drawn counter-clockwise (south 1, east 2, north 3,
// west 4), about 30 m across the middle: a two-way road leaves at the east,
// a one-way road comes in at the north, the route comes in from the south
// and leaves at the west. It passes one exit, so it takes the 2nd.
const char* const kExtract = R"(<?xml version='1.0' encoding='UTF-8'?>
<osm version="0.6" generator="hand">
  <node id="1" lat="49.9997" lon="10.0"/>
  <node id="2" lat="50.0" lon="10.0004"/>
  <node id="3" lat="50.0003" lon="10.0"/>
  <node id="4" lat="50.0" lon="9.9996"/>
  <node id="10" lat="49.999" lon="10.0"/>
  <node id="20" lat="50.0" lon="10.001"/>
  <node id="30" lat="50.001" lon="10.0"/>
  <node id="40" lat="50.0" lon="9.999"/>
  <way id="100">
    <nd ref="1"/><nd ref="2"/><nd ref="3"/><nd ref="4"/><nd ref="1"/>
    <tag k="highway" v="tertiary"/><tag k="junction" v="roundabout"/>
  </way>
  <way id="101"><nd ref="10"/><nd ref="1"/><tag k="highway" v="residential"/></way>
  <way id="102"><nd ref="2"/><nd ref="20"/><tag k="highway" v="residential"/></way>
  <way id="103">
    <nd ref="30"/><nd ref="3"/><tag k="highway" v="residential"/><tag k="oneway" v="yes"/>
  </way>
  <way id="104">
    <nd ref="4"/><nd ref="40"/><tag k="highway" v="residential"/>
    <tag k="name" v="West Road"/>
  </way>
</osm>
)";

// The same drive as a directions response whose words count every road at
// the circle (3rd exit); its points lie a metre or so off the map's.
const char* const kRoute = R"({"routes":[{"legs":[{"steps":[
  {"maneuver":{"type":"depart","location":[10.0,49.999]},"name":"",
   "geometry":{"type":"LineString","coordinates":[[10.0,49.999],[10.00001,49.99971]]}},
  {"maneuver":{"type":"roundabout","exit":3,"location":[10.00001,49.99971],
               "instruction":"At the roundabout, take the 3rd exit onto West Road"},
   "name":"West Road",
   "geometry":{"type":"LineString","coordinates":[[10.00001,49.99971],[10.00039,50.00001],
                                                  [10.0,50.00029],[9.99961,49.99999]]}},
  {"maneuver":{"type":"arrive","location":[9.999,50.0]},"name":"West Road",
   "geometry":{"type":"LineString","coordinates":[[9.99961,49.99999],[9.999,50.0]]}}
]}]}]})";

std::string WriteFile(const std::string& name, const std::string& content)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << content;
    return name;
}

TEST(MapRoundaboutExits, TheMapsCountWinsOverTheFilesWords)
{
    refhost::RouteReadResult read =
        refhost::ReadRouteFile(WriteFile("map-exits-route.json", kRoute));
    ASSERT_TRUE(read.ok) << read.error;
    refhost::RouteDescription& route = read.route;
    auto roundabout = std::find_if(route.maneuvers.begin(), route.maneuvers.end(),
                                   [](const refhost::Maneuver& maneuver)
                                   { return maneuver.kind == refhost::ManeuverKind::Roundabout; });
    ASSERT_NE(roundabout, route.maneuvers.end());
    ASSERT_EQ(roundabout->roundaboutExit, 3);

    // A map without the circle changes nothing.
    roadmap::RoadMap elsewhere;
    std::string error;
    ASSERT_TRUE(roadmap::ReadRoadMap(WriteFile("map-exits.osm", kExtract),
                                     {11.0, 50.0, 11.01, 50.01}, elsewhere, error))
        << error;
    EXPECT_EQ(tools::CountMapRoundaboutExits(elsewhere, route), 0u);
    EXPECT_EQ(roundabout->roundaboutExit, 3);

    roadmap::RoadMap map;
    ASSERT_TRUE(roadmap::ReadRoadMap("map-exits.osm", {9.99, 49.99, 10.01, 50.01}, map, error))
        << error;
    EXPECT_EQ(tools::CountMapRoundaboutExits(map, route), 1u);
    EXPECT_EQ(roundabout->roundaboutExit, 2);
    EXPECT_EQ(roundabout->instruction, "At the roundabout, take the 2nd exit onto West Road");
}

} // namespace
