// The one-way rule the road map, the survey's road graph and the router
// front share.
#include "RoadMap/OnewayRule.h"

#include <gtest/gtest.h>

using roadmap::Oneway;
using roadmap::OnewayOf;

TEST(OnewayRule, ImpliesOneWayOnMotorwaysTheirLinksAndRoundaboutsOnly)
{
    EXPECT_EQ(OnewayOf("motorway", "", ""), Oneway::Forward);
    EXPECT_EQ(OnewayOf("motorway_link", "", ""), Oneway::Forward);
    EXPECT_EQ(OnewayOf("trunk_link", "", ""), Oneway::Both);
    EXPECT_EQ(OnewayOf("residential", "", "roundabout"), Oneway::Forward);
    EXPECT_EQ(OnewayOf("primary", "", "circular"), Oneway::Forward);
    EXPECT_EQ(OnewayOf("primary", "", "yes"), Oneway::Both);
}

TEST(OnewayRule, AWaysOwnTagDecidesOverTheImpliedDirection)
{
    EXPECT_EQ(OnewayOf("tertiary", "no", "roundabout"), Oneway::Both);
    EXPECT_EQ(OnewayOf("motorway_link", "false", ""), Oneway::Both);
    EXPECT_EQ(OnewayOf("motorway", "-1", ""), Oneway::Backward);
    EXPECT_EQ(OnewayOf("service", "reverse", ""), Oneway::Backward);
    EXPECT_EQ(OnewayOf("service", "1", ""), Oneway::Forward);
    // A value the rule does not know leaves the implied direction.
    EXPECT_EQ(OnewayOf("motorway", "reversible", ""), Oneway::Forward);
    EXPECT_EQ(OnewayOf("primary", "alternating", ""), Oneway::Both);
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
