// The shipped extracts read whole, checked against counts made by an
// independent tool (osmium-tool 1.15, Debian osmium-tool; it is not needed to
// run this test). Roads per highway value:
//   osmium tags-count FILE -t way 'highway=motorway' ... 'highway=tertiary_link'
// and among those roads (ROADS = the fourteen highway values read as roads):
//   osmium tags-filter FILE w/highway=ROADS -f opl -o - |
//     osmium tags-count -F opl - -t way 'junction=roundabout' 'oneway=*' name ref
// Waterways, and the closed ways (first node = last, at least four) of water
// areas and of buildings (building=no left out), plus the water multipolygons:
//   osmium tags-filter FILE w/waterway=river,canal,stream,ditch,drain -f opl -o -
//   osmium tags-filter FILE w/natural=water w/waterway=riverbank
//     w/landuse=reservoir,basin -f opl -o -        (then the closed ones counted)
//   osmium tags-filter FILE w/building -f opl -o -  (likewise)
//   osmium tags-filter FILE r/natural=water r/waterway=riverbank
//     r/landuse=reservoir,basin -R -f opl -o - | grep -c type=multipolygon
#include "RoadMap/ExtractReader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <string>

namespace
{

using roadmap::RoadClass;

using HighwayCounts = std::map<std::string, int>; // highway value -> ways

struct OtherCounts
{
    int roundabouts;
    int backward; // oneway=-1
    int named;
    int withRef;
    std::size_t waterways;
    std::size_t waterAreas; // closed ways and multipolygons
    std::size_t buildings;

    bool operator==(const OtherCounts& other) const
    {
        return roundabouts == other.roundabouts && backward == other.backward &&
               named == other.named && withRef == other.withRef && waterways == other.waterways &&
               waterAreas == other.waterAreas && buildings == other.buildings;
    }
};

// clang-format off
const std::map<std::string, HighwayCounts> kHighways = {
    {"andorra.osm.pbf", {{"primary", 309}, {"primary_link", 17}, {"secondary", 144},
                         {"secondary_link", 4}, {"tertiary", 9}, {"unclassified", 98},
                         {"residential", 468}, {"living_street", 1}, {"service", 124}}},
    {"north-bayreuth.osm.gz", {{"motorway", 64}, {"motorway_link", 33}, {"primary", 62},
                               {"primary_link", 6}, {"secondary", 23}, {"tertiary", 80},
                               {"unclassified", 136}, {"residential", 313},
                               {"living_street", 8}, {"service", 156}}},
    {"krems.osm.gz", {{"trunk", 68}, {"trunk_link", 33}, {"primary", 7}, {"secondary", 6},
                      {"secondary_link", 3}, {"tertiary", 9}, {"unclassified", 3},
                      {"residential", 236}, {"service", 205}}},
    {"bautzen.osm", {{"motorway", 17}, {"motorway_link", 14}, {"primary", 16},
                     {"unclassified", 1}, {"residential", 4}, {"service", 5}}},
};

// roundabouts, oneway=-1, named, with a ref; waterways, water areas, buildings
const std::map<std::string, OtherCounts> kOthers = {
    {"andorra.osm.pbf",       {42, 24, 376, 324,  132, 97 + 1,  292}},
    {"north-bayreuth.osm.gz", { 0,  0, 368, 203,  228, 150,    4267}},
    {"krems.osm.gz",          { 6,  0, 280,  86,   21, 38 + 1, 1195}},
    {"bautzen.osm",           { 0,  0,  21,  33,    0, 2,        17}},
};
// clang-format on

std::string HighwayValue(RoadClass roadClass, bool isLink)
{
    static const char* const kNames[] = {"motorway",    "trunk",         "primary",
                                         "secondary",   "tertiary",      "unclassified",
                                         "residential", "living_street", "service"};
    return std::string(kNames[static_cast<int>(roadClass)]) + (isLink ? "_link" : "");
}

class ShippedExtract : public ::testing::TestWithParam<std::string>
{
};

} // namespace

TEST_P(ShippedExtract, ReadsEveryRoadOfEveryClass)
{
    roadmap::RoadMap map;
    std::string error;
    ASSERT_TRUE(roadmap::ReadRoadMap(std::string(AP_DATA_DIR) + "/osm/" + GetParam(),
                                     roadmap::LonLatBox::World(), map, error))
        << error;
    HighwayCounts highways;
    OtherCounts others{
        0, 0, 0, 0, map.Waterways().size(), map.WaterAreas().size(), map.Buildings().size()};
    for (const roadmap::Road& road : map.Roads())
    {
        ++highways[HighwayValue(road.roadClass, road.isLink)];
        others.roundabouts += road.isRoundabout ? 1 : 0;
        others.backward += road.oneway == roadmap::Oneway::Backward ? 1 : 0;
        others.named += road.name.empty() ? 0 : 1;
        others.withRef += road.ref.empty() ? 0 : 1;
    }
    EXPECT_EQ(highways, kHighways.at(GetParam()));
    EXPECT_TRUE(others == kOthers.at(GetParam()))
        << "roundabouts " << others.roundabouts << ", backward " << others.backward << ", named "
        << others.named << ", with ref " << others.withRef << ", waterways " << others.waterways
        << ", water areas " << others.waterAreas << ", buildings " << others.buildings;
}

INSTANTIATE_TEST_SUITE_P(OsmiumCounts, ShippedExtract,
                         ::testing::Values("andorra.osm.pbf", "north-bayreuth.osm.gz",
                                           "krems.osm.gz", "bautzen.osm"),
                         [](const ::testing::TestParamInfo<std::string>& param)
                         { return param.param.substr(0, param.param.find_first_of(".-")); });

// A water multipolygon comes out as one area with all its rings: the lake
// Estany de l'Illa in Andorra with its four islands
// (osmium tags-filter FILE r/natural=water -R -f opl -o -).
TEST(ShippedExtract, WaterMultipolygonsKeepTheirRings)
{
    roadmap::RoadMap map;
    std::string error;
    ASSERT_TRUE(roadmap::ReadRoadMap(std::string(AP_DATA_DIR) + "/osm/andorra.osm.pbf",
                                     roadmap::LonLatBox::World(), map, error))
        << error;
    const auto fiveRings =
        std::count_if(map.WaterAreas().begin(), map.WaterAreas().end(),
                      [](const roadmap::Area& area) { return area.ringCount == 5; });
    EXPECT_EQ(fiveRings, 1);
}
