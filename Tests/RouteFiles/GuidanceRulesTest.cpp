// The guidance rules on small hand-made routes: one route for each rule,
// drawn in metres east and north of a point near 51.34 N.
#include "RouteFiles/GuidanceRules.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "RouteFiles/RouteFiles.h"
#include "RouteFiles/TurnText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

using refhost::Maneuver;
using refhost::ManeuverKind;
using refhost::RouteDescription;

namespace
{

tagLonLat At(double east, double north)
{
    const tagLonLat origin{12.36, 51.34};
    double lonDeg = 0.0;
    double latDeg = 0.0;
    refhost::geodesy::UnitDegree(origin, lonDeg, latDeg);
    return {origin.lon + east * lonDeg, origin.lat + north * latDeg};
}

// A GPX route of route points (east, north, words; empty words: a shape
// point), read as the tools read it.
RouteDescription Gpx(const std::vector<std::pair<std::pair<double, double>, std::string>>& points)
{
    std::ostringstream gpx;
    gpx.precision(12);
    gpx << "<gpx version='1.1' creator='test'><rte>";
    for (const auto& [where, words] : points)
    {
        const tagLonLat point = At(where.first, where.second);
        gpx << "<rtept lat='" << point.lat << "' lon='" << point.lon << "'>";
        if (!words.empty())
            gpx << "<desc>" << words << "</desc>";
        gpx << "</rtept>";
    }
    gpx << "</rte></gpx>";
    const refhost::RouteReadResult read = refhost::ParseRoute(gpx.str());
    EXPECT_TRUE(read.ok) << read.error;
    return read.route;
}

} // namespace

TEST(GuidanceRules, StaggeredCrossingIsOneManoeuvreTypedByTheWholeStretch)
{
    // Left, then right 20 m on: the car crosses straight on, onto North Street.
    const RouteDescription route = Gpx({{{0, 0}, "continue onto Main"},
                                        {{0, 100}, "turn left onto Cross Lane"},
                                        {{-20, 100}, "turn right onto North Street"},
                                        {{-20, 300}, "arrive"}});
    ASSERT_EQ(route.maneuvers.size(), 2u);
    const Maneuver& crossing = route.maneuvers[0];
    EXPECT_EQ(crossing.type, NAV_TURN_STRAIGHT);
    EXPECT_EQ(crossing.instruction, "Go straight onto North Street");
    EXPECT_EQ(crossing.enterLink, 0u);
    EXPECT_EQ(crossing.exitLink, 1u); // the band spans both junctions
    EXPECT_NEAR(crossing.distanceToNext, 220.0, 0.5);
}

TEST(GuidanceRules, DividedCrossingIsOneTurnOntoTheFarCarriageway)
{
    // A router's two lefts: into the 15 m gap between the carriageways, then
    // onto the far one. Over the whole stretch the car turns left once.
    RouteDescription route;
    const std::vector<std::vector<tagLonLat>> lines = {
        {At(0, -100), At(0, 0)}, {At(0, 0), At(0, 15)}, {At(0, 15), At(-200, 15)}};
    const char* const names[] = {"South Road", "", "Dual Road"};
    for (size_t i = 0; i < lines.size(); ++i)
    {
        refhost::RoadLink link;
        link.points = lines[i];
        link.name = names[i];
        route.links.push_back(link);
    }
    auto turn = [](size_t link, double along, const char* from, const char* to)
    {
        Maneuver maneuver;
        maneuver.enterLink = maneuver.exitLink = link;
        maneuver.type = NAV_TURN_LEFT;
        maneuver.distanceFromStart = along;
        maneuver.fromName = from;
        maneuver.toName = to;
        maneuver.fileInstruction = "Turn left";
        return maneuver;
    };
    route.maneuvers = {turn(0, 100, "South Road", ""), turn(1, 115, "", "Dual Road")};
    Maneuver arrival;
    arrival.enterLink = arrival.exitLink = 2;
    arrival.type = NAV_TURN_END;
    arrival.kind = ManeuverKind::Arrival;
    arrival.distanceFromStart = 315;
    route.maneuvers.push_back(arrival);

    refhost::ApplyGuidanceRules(route);
    ASSERT_EQ(route.maneuvers.size(), 2u);
    const Maneuver& left = route.maneuvers[0];
    EXPECT_EQ(left.type, NAV_TURN_LEFT);
    EXPECT_EQ(left.instruction, "Turn left onto Dual Road");
    EXPECT_EQ(left.enterLink, 0u);
    EXPECT_EQ(left.exitLink, 1u);
    EXPECT_EQ(left.fileInstruction, ""); // the file's words told one of the two turns
}

TEST(GuidanceRules, StraightOnRoutePointsMakeNoBand)
{
    const RouteDescription route = Gpx({{{0, 0}, "continue onto Main"},
                                        {{0, 200}, "continue onto Main"},
                                        {{3, 400}, "continue onto Main"},
                                        {{3, 600}, "turn left onto Main"},
                                        {{-300, 600}, "arrive"}});
    ASSERT_EQ(route.maneuvers.size(), 2u);
    EXPECT_EQ(route.maneuvers[0].type, NAV_TURN_LEFT);
    // The car is on Main already: no "onto Main".
    EXPECT_EQ(route.maneuvers[0].instruction, "Turn left");
    EXPECT_NEAR(route.maneuvers[0].distanceFromStart, 600.0, 0.5);
}

TEST(GuidanceRules, RingSplitByARouterIsOneManoeuvreWithItsExit)
{
    const RouteDescription route =
        Gpx({{{0, 0}, "continue onto Main"},
             {{0, 100}, "Enter the roundabout"},
             {{15, 115}, ""},
             {{0, 130}, "Leave the roundabout, take the second exit onto Elm Street"},
             {{0, 330}, "arrive"}});
    ASSERT_EQ(route.maneuvers.size(), 2u);
    const Maneuver& ring = route.maneuvers[0];
    EXPECT_EQ(ring.type, NAV_TURN_ROUNDABOUT);
    EXPECT_EQ(ring.instruction, "At the roundabout, take the 2nd exit onto Elm Street");
    EXPECT_NEAR(route.links[ring.exitLink].points.back().lat, At(0, 130).lat, 1e-7);
}

TEST(GuidanceRules, NoUTurnAtTheArrival)
{
    const RouteDescription route = Gpx({{{0, 0}, "continue onto Main"},
                                        {{0, 200}, "make a U-turn onto Main"},
                                        {{0, 190}, "arrive"}});
    ASSERT_EQ(route.maneuvers.size(), 1u);
    EXPECT_EQ(route.maneuvers[0].type, NAV_TURN_END);
}

TEST(GuidanceRules, ALongWayOnIsToldAfterTheManoeuvreBeforeIt)
{
    // Right onto Elm Street, 2330 m on it past a straight-on point, then left
    // and 250 m to the arrival: too short a way on to tell.
    const RouteDescription route = Gpx({{{0, 0}, "continue onto Main"},
                                        {{0, 100}, "turn right onto Elm Street"},
                                        {{800, 100}, "continue onto Elm Street"},
                                        {{2330, 100}, "turn left onto Oak Road"},
                                        {{2330, 350}, "arrive"}});
    ASSERT_EQ(route.maneuvers.size(), 3u);
    EXPECT_EQ(route.maneuvers[0].continuation, "Continue on Elm Street for 2.3 km");
    EXPECT_EQ(route.maneuvers[0].instruction, "Turn right onto Elm Street");
    EXPECT_EQ(route.maneuvers[1].continuation, "");
    EXPECT_EQ(route.maneuvers[2].continuation, "");

    using refhost::routefiles::ContinuePhrase;
    EXPECT_EQ(ContinuePhrase("", 804.0), "Continue for 800 m");
    EXPECT_EQ(ContinuePhrase("", 994.0), "Continue for 990 m");
    EXPECT_EQ(ContinuePhrase("A 9", 995.0), "Continue on A 9 for 1.0 km");
    EXPECT_EQ(ContinuePhrase("A 9", 12345.0), "Continue on A 9 for 12.3 km");
}

TEST(GuidanceRules, ATurnIsClassedByItsRoadNotBySourceWord)
{
    // A router's "left" where the road bears off north-west (45 degrees):
    // the band shows a slight left, and so does the instruction. The next
    // "left", north-west to south-west, is 90 degrees and stays a left.
    RouteDescription route;
    for (const std::vector<tagLonLat>& points :
         {std::vector<tagLonLat>{At(0, 0), At(0, 100)},
          std::vector<tagLonLat>{At(0, 100), At(-100, 200)},
          std::vector<tagLonLat>{At(-100, 200), At(-300, 0)}})
    {
        refhost::RoadLink link;
        link.points = points;
        route.links.push_back(link);
    }
    for (size_t link = 0; link < 3; ++link)
    {
        Maneuver maneuver;
        maneuver.enterLink = maneuver.exitLink = link;
        maneuver.type = link < 2 ? NAV_TURN_LEFT : NAV_TURN_END;
        maneuver.kind = link < 2 ? ManeuverKind::Turn : ManeuverKind::Arrival;
        maneuver.distanceFromStart = link == 0 ? 100 : link == 1 ? 241 : 524;
        maneuver.toName = link == 0 ? "Oak Lane" : "Elm Street";
        maneuver.instruction = "Turn left onto " + maneuver.toName;
        route.maneuvers.push_back(maneuver);
    }
    refhost::ApplyGuidanceRules(route);
    ASSERT_EQ(route.maneuvers.size(), 3u);
    EXPECT_EQ(route.maneuvers[0].type, NAV_TURN_SLIGHT_LEFT);
    EXPECT_EQ(route.maneuvers[0].instruction, "Bear left onto Oak Lane");
    EXPECT_EQ(route.maneuvers[1].type, NAV_TURN_LEFT); // north-west to south-west
}
