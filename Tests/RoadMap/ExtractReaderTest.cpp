// Reading an extract for a box: what touches the box is kept and the rest
// dropped, the tags become the road's attributes, and a file that cannot be
// read gives one line naming it.
#include "RoadMap/ExtractReader.h"
#include "RoadMap/RingAssembly.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace
{

// The box: about 700 m by 1100 m at 50 degrees north.
const roadmap::LonLatBox kBox{10.0, 50.0, 10.01, 50.01};

// Roads, a lake and buildings around kBox; their names say whether they
// touch it. Node 99 is missing from the file.
const char* const kExtract = R"(<?xml version='1.0' encoding='UTF-8'?>
<osm version="0.6" generator="hand">
  <node id="1" lat="50.002" lon="10.002"/>
  <node id="2" lat="50.008" lon="10.008"/>
  <node id="3" lat="50.005" lon="9.99"/>
  <node id="4" lat="50.005" lon="10.02"/>
  <node id="5" lat="50.02" lon="10.001"/>
  <node id="6" lat="50.02" lon="10.009"/>
  <node id="7" lat="50.02" lon="10.005"/>
  <node id="8" lat="50.005" lon="10.02"/>
  <node id="9" lat="50.005" lon="11.0"/>
  <node id="10" lat="50.006" lon="11.0"/>
  <node id="20" lat="49.99" lon="9.99"/>
  <node id="21" lat="49.99" lon="10.02"/>
  <node id="22" lat="50.02" lon="10.02"/>
  <node id="23" lat="50.02" lon="9.99"/>
  <node id="30" lat="50.003" lon="10.003"/>
  <node id="31" lat="50.003" lon="10.004"/>
  <node id="32" lat="50.004" lon="10.004"/>
  <node id="40" lat="50.03" lon="10.003"/>
  <node id="41" lat="50.03" lon="10.004"/>
  <node id="42" lat="50.031" lon="10.004"/>
  <way id="101">
    <nd ref="1"/><nd ref="99"/><nd ref="2"/>
    <tag k="highway" v="residential"/><tag k="name" v="inside"/>
    <tag k="ref" v="K 1"/><tag k="oneway" v="-1"/>
  </way>
  <way id="102">
    <nd ref="3"/><nd ref="4"/>
    <tag k="highway" v="motorway_link"/><tag k="name" v="across"/>
  </way>
  <way id="103">
    <nd ref="2"/><nd ref="6"/>
    <tag k="highway" v="secondary"/><tag k="name" v="leaving"/>
    <tag k="junction" v="roundabout"/>
  </way>
  <way id="104">
    <nd ref="5"/><nd ref="6"/>
    <tag k="highway" v="primary"/><tag k="name" v="north of it"/>
  </way>
  <way id="105">
    <nd ref="7"/><nd ref="8"/>
    <tag k="highway" v="tertiary"/><tag k="name" v="past the corner"/>
  </way>
  <way id="106">
    <nd ref="9"/><nd ref="10"/>
    <tag k="highway" v="trunk"/><tag k="name" v="far away"/>
  </way>
  <way id="107">
    <nd ref="1"/><nd ref="2"/>
    <tag k="highway" v="footway"/><tag k="name" v="a path"/>
  </way>
  <way id="108">
    <nd ref="20"/><nd ref="21"/><nd ref="22"/><nd ref="23"/><nd ref="20"/>
    <tag k="natural" v="water"/>
  </way>
  <way id="109">
    <nd ref="30"/><nd ref="31"/><nd ref="32"/><nd ref="30"/>
    <tag k="building" v="yes"/>
  </way>
  <way id="110">
    <nd ref="40"/><nd ref="41"/><nd ref="42"/><nd ref="40"/>
    <tag k="building" v="yes"/>
  </way>
</osm>
)";

std::string WriteFile(const std::string& name, const std::string& content)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << content;
    return name;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> RoadNames(const roadmap::RoadMap& map)
{
    std::set<std::string> names;
    for (const roadmap::Road& road : map.Roads())
        names.insert(road.name);
    return names;
}

// What is wrong with reading `file`, which cannot be read: empty when the
// reader refuses it with one line naming it and leaves the map empty.
std::string ProblemWithFailedRead(const std::string& file)
{
    roadmap::RoadMap map;
    map.AddRoad({}, {{0.0, 0.0}, {1.0, 1.0}});
    std::string error;
    if (roadmap::ReadRoadMap(file, roadmap::LonLatBox::World(), map, error))
        return file + ": read";
    if (error.find(file) == std::string::npos || error.find('\n') != std::string::npos)
        return file + ": the error is not one line naming the file: " + error;
    if (!map.Roads().empty())
        return file + ": the map is not empty";
    return {};
}

const roadmap::Road& RoadNamed(const roadmap::RoadMap& map, const std::string& name)
{
    return *std::find_if(map.Roads().begin(), map.Roads().end(),
                         [&](const roadmap::Road& road) { return road.name == name; });
}

} // namespace

TEST(ExtractReader, KeepsWhatTouchesTheBoxAndDropsTheRest)
{
    const std::string path = WriteFile("box-filter.osm", kExtract);
    roadmap::RoadMap map;
    std::string error;
    ASSERT_TRUE(roadmap::ReadRoadMap(path, kBox, map, error)) << error;
    // Inside, across it with no node inside, and out of it from inside; not
    // beside it, past its corner (the segment's bounding box overlaps the
    // box, the segment does not) or far away, and never a footway.
    EXPECT_EQ(RoadNames(map), (std::set<std::string>{"inside", "across", "leaving"}));
    // The lake holds the whole box; one building is inside, one outside.
    EXPECT_EQ(map.WaterAreas().size(), 1u);
    EXPECT_EQ(map.Buildings().size(), 1u);

    const roadmap::Road& inside = RoadNamed(map, "inside");
    EXPECT_EQ(inside.roadClass, roadmap::RoadClass::Residential);
    EXPECT_EQ(inside.ref, "K 1");
    EXPECT_EQ(inside.oneway, roadmap::Oneway::Backward);
    EXPECT_EQ(inside.line.count, 2u); // the missing node left out
    EXPECT_DOUBLE_EQ(map.PointsOf(inside.line)[1].lon, 10.008);
    const roadmap::Road& across = RoadNamed(map, "across");
    EXPECT_TRUE(across.isLink);
    EXPECT_EQ(across.roadClass, roadmap::RoadClass::Motorway);
    EXPECT_EQ(across.oneway, roadmap::Oneway::Forward); // implied on a motorway link
    const roadmap::Road& leaving = RoadNamed(map, "leaving");
    EXPECT_TRUE(leaving.isRoundabout);
    EXPECT_EQ(leaving.oneway, roadmap::Oneway::Forward); // implied by the roundabout

    // The whole world keeps every road but the footway; a box elsewhere
    // keeps nothing.
    ASSERT_TRUE(roadmap::ReadRoadMap(path, roadmap::LonLatBox::World(), map, error)) << error;
    EXPECT_EQ(map.Roads().size(), 6u);
    EXPECT_EQ(map.Buildings().size(), 2u);
    ASSERT_TRUE(roadmap::ReadRoadMap(path, {20.0, 10.0, 20.1, 10.1}, map, error)) << error;
    EXPECT_TRUE(map.Roads().empty());
    EXPECT_TRUE(map.WaterAreas().empty());

    // The index finds what lies in a part of the box.
    ASSERT_TRUE(roadmap::ReadRoadMap(path, kBox, map, error)) << error;
    std::vector<uint32_t> ids;
    map.RoadsIn({10.015, 50.004, 10.03, 50.006}, ids);
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(map.Roads()[ids[0]].name, "across");
}

TEST(ExtractReader, AFileThatCannotBeReadGivesOneLineNamingIt)
{
    const std::string krems = std::string(AP_DATA_DIR) + "/osm/krems.osm.gz";
    const std::string andorra = std::string(AP_DATA_DIR) + "/osm/andorra.osm.pbf";
    const std::string gz = ReadFile(krems);
    const std::string pbf = ReadFile(andorra);
    ASSERT_GT(gz.size(), 1000u);
    const std::string files[] = {
        "no-such-extract.osm.pbf",
        WriteFile("truncated.osm.gz", gz.substr(0, gz.size() / 2)),
        WriteFile("truncated.osm.pbf", pbf.substr(0, pbf.size() / 3)),
        WriteFile("truncated.osm", std::string(kExtract).substr(0, 900)),
        WriteFile("not-osm.osm", "<html><body>a page</body></html>\n"),
        WriteFile("not-osm.osm.pbf", "\x89PNG\r\n\x1a\n this is a picture"),
        WriteFile("empty.osm.gz", ""),
        WriteFile("notes.txt", kExtract),
        ".",
    };
    for (const std::string& file : files)
        EXPECT_EQ(ProblemWithFailedRead(file), "");
}

TEST(RingAssembly, JoinsWaysEndToEndAndDropsOpenChains)
{
    using roadmap::NodeIds;
    // A square from three ways, the last one running backwards; a closed
    // triangle; a chain missing its last way.
    const std::vector<NodeIds> ways = {{1, 2, 3}, {7, 8, 9, 7}, {3, 4}, {1, 4}, {20, 21}, {21, 22}};
    const std::vector<NodeIds> rings = roadmap::AssembleRings(ways);
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_EQ(rings[0], (NodeIds{1, 2, 3, 4}));
    EXPECT_EQ(rings[1], (NodeIds{7, 8, 9}));
    EXPECT_TRUE(roadmap::AssembleRings({{1, 2, 1}}).empty()); // too few nodes
}
