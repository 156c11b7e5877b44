// The one-way rule the road map, the survey's road graph and the router
// front share.
#include "RoadMap/OnewayRule.h"

#include <gtest/gtest.h>

#include <vector>

using roadmap::Oneway;

namespace
{

struct WayCase
{
    const char* highway;
    const char* oneway;
    const char* junction;
    Oneway expected;
};

void ExpectDirections(const std::vector<WayCase>& cases)
{
    for (const WayCase& way : cases)
        EXPECT_EQ(roadmap::OnewayOf(way.highway, way.oneway, way.junction), way.expected)
            << way.highway << " oneway=" << way.oneway << " junction=" << way.junction;
}

} // namespace

TEST(OnewayRule, ImpliesOneWayOnMotorwaysTheirLinksAndRoundaboutsOnly)
{
    ExpectDirections({{"motorway", "", "", Oneway::Forward},
                      {"motorway_link", "", "", Oneway::Forward},
                      {"trunk_link", "", "", Oneway::Both},
                      {"residential", "", "roundabout", Oneway::Forward},
                      {"primary", "", "circular", Oneway::Forward},
                      {"primary", "", "yes", Oneway::Both}});
}

TEST(OnewayRule, AWaysOwnTagDecidesOverTheImpliedDirection)
{
    // A value the rule does not know ("reversible", "alternating") leaves
    // the implied direction.
    ExpectDirections({{"tertiary", "no", "roundabout", Oneway::Both},
                      {"motorway_link", "false", "", Oneway::Both},
                      {"motorway", "-1", "", Oneway::Backward},
                      {"service", "reverse", "", Oneway::Backward},
                      {"service", "1", "", Oneway::Forward},
                      {"motorway", "reversible", "", Oneway::Forward},
                      {"primary", "alternating", "", Oneway::Both}});
}

TEST(OnewayRule, MayDriveAlongOrAgainstThePoints)
{
    EXPECT_TRUE(roadmap::MayDrive(Oneway::Both, false));
    EXPECT_TRUE(roadmap::MayDrive(Oneway::Forward, true));
    EXPECT_FALSE(roadmap::MayDrive(Oneway::Forward, false));
    EXPECT_FALSE(roadmap::MayDrive(Oneway::Backward, true));
    EXPECT_TRUE(roadmap::MayDrive(Oneway::Backward, false));
}

TEST(OnewayRule, RoundaboutRingByJunctionTagOrAClosedOneWayWay)
{
    EXPECT_TRUE(roadmap::IsRoundaboutRing("roundabout", Oneway::Both, false));
    EXPECT_TRUE(roadmap::IsRoundaboutRing("circular", Oneway::Forward, false));
    EXPECT_TRUE(roadmap::IsRoundaboutRing("", Oneway::Backward, true));
    EXPECT_FALSE(roadmap::IsRoundaboutRing("", Oneway::Both, true));
    EXPECT_FALSE(roadmap::IsRoundaboutRing("", Oneway::Forward, false));
    EXPECT_FALSE(roadmap::IsRoundaboutRing("yes", Oneway::Forward, true));
}
