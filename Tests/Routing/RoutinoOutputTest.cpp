// Routino's recorded outputs of a real route (Tests/Routing/data/README.md)
// read into a route without running anything: the links against the
// all-nodes text read here on its own, the manoeuvres against the HTML's own
// turn words, the roundabouts' exits, the times against Routino's
// durations, and damaged outputs.
#include "Routing/Routing.h"

#include "Route/RouteModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using refhost::Maneuver;
using refhost::RouteDescription;
using refhost::routing::RouteFromRoutinoOutput;
using refhost::routing::RoutingResult;
using refhost::routing::RoutinoOutput;
using testing::HasSubstr;
using testing::StartsWith;

namespace
{

const std::string kData = AP_ROUTING_TEST_DATA "/";

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RoutinoOutput Recorded()
{
    return {Slurp(kData + "andorra-via-roundabouts-all.txt"),
            Slurp(kData + "andorra-via-roundabouts.html")};
}

// The node lines of the all-nodes text, split at tabs.
std::vector<std::vector<std::string>> NodeRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t'))
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

bool Near(const tagLonLat& a, double lat, double lon)
{
    return std::fabs(a.lat - lat) < 1e-9 && std::fabs(a.lon - lon) < 1e-9;
}

TEST(RoutinoOutput, LinksAreTheTrackOfEveryNodeCutAtRoadChanges)
{
    const RoutingResult result = RouteFromRoutinoOutput(Recorded(), "recorded");
    ASSERT_TRUE(result.ok) << result.error;
    const RouteDescription& route = result.route;
    const auto rows = NodeRows(Recorded().textAll);
    ASSERT_EQ(rows.size(), 55u);

    // The links joined (each join once) are the nodes, in order.
    std::vector<tagLonLat> joined;
    for (size_t i = 0; i < route.links.size(); ++i)
    {
        const auto& points = route.links[i].points;
        ASSERT_GE(points.size(), 2u);
        if (i > 0)
        {
            EXPECT_TRUE(Near(points.front(), route.links[i - 1].points.back().lat,
                             route.links[i - 1].points.back().lon));
            EXPECT_EQ(route.links[i].times.front(), route.links[i - 1].times.back());
        }
        joined.insert(joined.end(), points.begin() + (i > 0 ? 1 : 0), points.end());
    }
    ASSERT_EQ(joined.size(), rows.size());
    for (size_t k = 0; k < rows.size(); ++k)
        EXPECT_TRUE(Near(joined[k], std::stod(rows[k][0]), std::stod(rows[k][1]))) << k;

    // No link mixes two roads: where the text's road changes, a link ends.
    for (const refhost::RoadLink& link : route.links)
        for (const char* word : {"residential road", "primary road", "Roundabout"})
            EXPECT_NE(link.name, word) << "a type word is no name";
    EXPECT_EQ(route.links.front().name, "Carrer de l'Aig\xC3\xBC"
                                        "eta");
    bool tarragona = false;
    for (const refhost::RoadLink& link : route.links)
        tarragona |= link.name == "Avinguda de Tarragona" && link.ref == "CG-1";
    EXPECT_TRUE(tarragona);

    // Stated: Routino's own segment distances, summed here.
    double metres = 0.0;
    for (const auto& row : rows)
        metres += std::stod(row[4]) * 1000.0;
    EXPECT_NEAR(route.statedDistance, metres, 1e-6);
}

TEST(RoutinoOutput, TimesFollowRoutinoDurations)
{
    const RouteDescription route = RouteFromRoutinoOutput(Recorded(), "recorded").route;
    double minutes = 0.0;
    for (const auto& row : NodeRows(Recorded().textAll))
        minutes += std::stod(row[5]);
    double last = 0.0;
    for (const refhost::RoadLink& link : route.links)
    {
        ASSERT_EQ(link.times.size(), link.points.size());
        for (const double time : link.times)
        {
            EXPECT_GE(time, last);
            last = time;
        }
    }
    EXPECT_EQ(route.links.front().times.front(), 0.0);
    // The written durations, and for a short road written as none, at most
    // one 0.01 min step of its own (RoutinoTrack.h).
    EXPECT_GE(last, minutes * 60.0 - 1e-6);
    EXPECT_LE(last, minutes * 60.0 + 0.6 * static_cast<double>(route.links.size()));
}

TEST(RoutinoOutput, ManeuversWhereTheDriverIsToldSomething)
{
    const RouteDescription route = RouteFromRoutinoOutput(Recorded(), "recorded").route;
    // The HTML's junctions in order: Left, (Straight on), Right, Left,
    // (Straight on), Slight left, two roundabouts, Slight right, the via
    // point, Right, Right, Right; the straight ones are not manoeuvres.
    const std::vector<NAV_TURN_TYPE_tag> expected = {
        NAV_TURN_LEFT,       NAV_TURN_RIGHT,      NAV_TURN_LEFT,         NAV_TURN_SLIGHT_LEFT,
        NAV_TURN_ROUNDABOUT, NAV_TURN_ROUNDABOUT, NAV_TURN_SLIGHT_RIGHT, NAV_TURN_STRAIGHT,
        NAV_TURN_RIGHT,      NAV_TURN_RIGHT,      NAV_TURN_RIGHT,        NAV_TURN_END};
    ASSERT_EQ(route.maneuvers.size(), expected.size());
    for (size_t m = 0; m < expected.size(); ++m)
        EXPECT_EQ(route.maneuvers[m].type, expected[m]) << m;

    const std::vector<Maneuver>& maneuvers = route.maneuvers;
    EXPECT_EQ(maneuvers[0].instruction, "Turn left"); // onto a road without a name
    EXPECT_EQ(maneuvers[1].instruction, "Turn right onto Carrer Bonaventura Riberaygua");
    EXPECT_EQ(maneuvers[1].fromName, "");
    EXPECT_EQ(maneuvers[3].instruction, "Bear left onto Avinguda de Tarragona");
    EXPECT_EQ(maneuvers[4].instruction, "At the roundabout, take the 1st exit onto CG-1");
    EXPECT_EQ(maneuvers[5].instruction,
              "At the roundabout, take the 3rd exit onto Vial de la Uni\xC3\xB2");
    // On Vial de la Uniò already: no "onto".
    EXPECT_EQ(maneuvers[7].instruction, "At waypoint 1, continue");
    EXPECT_EQ(maneuvers[9].fromName, "Avinguda Carlemany");
    EXPECT_EQ(maneuvers[11].instruction, "You have arrived at your destination");

    // A roundabout spans the links from its entry to its exit, where the
    // HTML says "Leave Roundabout".
    const Maneuver& second = maneuvers[5];
    EXPECT_LT(second.enterLink, second.exitLink);
    EXPECT_TRUE(Near(route.links[second.enterLink].points.back(), 42.506391, 1.534165));
    EXPECT_TRUE(Near(route.links[second.exitLink].points.back(), 42.506608, 1.534300));
    EXPECT_TRUE(Near(second.location, 42.506391, 1.534165));
    for (const Maneuver& maneuver : maneuvers)
    {
        EXPECT_TRUE(maneuver.junctions.empty()) << "no network without Routino";
        if (maneuver.type != NAV_TURN_ROUNDABOUT)
        {
            EXPECT_EQ(maneuver.enterLink, maneuver.exitLink);
        }
    }

    // Distances along, and the via point and the end as destinations.
    for (size_t m = 1; m < maneuvers.size(); ++m)
        EXPECT_GT(maneuvers[m].distanceFromStart, maneuvers[m - 1].distanceFromStart);
    ASSERT_EQ(route.destinations.size(), 2u);
    EXPECT_TRUE(Near(route.destinations[0], 42.507198, 1.534182));
    EXPECT_TRUE(Near(route.destinations[1], 42.508603, 1.537920));
    EXPECT_TRUE(Near(route.origin, 42.507477, 1.530235));

    std::string error;
    const std::optional<refhost::RouteModel> model =
        refhost::RouteModel::FromDescription(route, error);
    ASSERT_TRUE(model.has_value()) << error;
    EXPECT_EQ(model->ManeuverCount(), expected.size());
}

TEST(RoutinoOutput, DamagedOutputsAreRefusedNamingTheProblem)
{
    const RoutinoOutput good = Recorded();
    auto failure = [](const RoutinoOutput& output)
    {
        const RoutingResult result = RouteFromRoutinoOutput(output, "recorded");
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.route.links.empty());
        return result.error;
    };

    RoutinoOutput noNodes = good;
    noNodes.textAll = good.textAll.substr(0, good.textAll.find("\n 42."));
    EXPECT_THAT(failure(noNodes), StartsWith("recorded (Routino's all-nodes text): no route"));

    RoutinoOutput badLine = good;
    badLine.textAll.replace(badLine.textAll.find(" 42.507477"), 10, " north");
    EXPECT_THAT(failure(badLine), HasSubstr("all-nodes text):7: coordinates expected"));

    RoutinoOutput cut = good;
    cut.html = good.html.substr(0, good.html.rfind("<tr class='c'>"));
    EXPECT_THAT(failure(cut), HasSubstr("(Routino's HTML): no route from a start to a stop"));

    RoutinoOutput moved = good;
    moved.html.replace(moved.html.find("42.506391 1.534165"), 18, "42.600000 1.534165");
    EXPECT_THAT(failure(moved), HasSubstr("(42.600000, 1.534165) is not on the track"));

    RoutinoOutput blank = good;
    blank.html = good.html.substr(0, good.html.find("Stop at"));
    EXPECT_THAT(failure(blank), HasSubstr("(Routino's HTML):81: an instruction expected"));
}

} // namespace
