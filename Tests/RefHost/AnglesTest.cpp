// The difference of two bearings and the turn over a window.
#include "Geodesy/Angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using refhost::geodesy::AngleDiff;

TEST(Angles, DifferenceIsFoldedIntoTheHalfOpenCircleAndPositiveClockwise)
{
    EXPECT_DOUBLE_EQ(AngleDiff(350.0, 10.0), 20.0);
    EXPECT_DOUBLE_EQ(AngleDiff(10.0, 350.0), -20.0);
    EXPECT_DOUBLE_EQ(AngleDiff(90.0, 0.0), -90.0);
    // A reversal is +180 whichever way round.
    EXPECT_DOUBLE_EQ(AngleDiff(0.0, 180.0), 180.0);
    EXPECT_DOUBLE_EQ(AngleDiff(180.0, 0.0), 180.0);
    EXPECT_DOUBLE_EQ(AngleDiff(-720.0, 725.0), 5.0);
    EXPECT_TRUE(std::isnan(AngleDiff(NAN, 10.0)));
    EXPECT_EQ(refhost::geodesy::TurnAngle(10.0, NAN), 0.0);
}

TEST(Angles, WindowStopsAtItsBounds)
{
    const std::vector<double> along = {0.0, 5.0, 10.0, 15.0, 20.0, 25.0, 30.0, 60.0};
    const refhost::geodesy::WindowEnds open = refhost::geodesy::WindowAround(along, 4, 12.0, 0, 7);
    EXPECT_EQ(open.back, 1u);  // 5 m: the last point at least 12 m back
    EXPECT_EQ(open.ahead, 7u); // 60 m: the first point at least 12 m ahead
    const refhost::geodesy::WindowEnds bounded =
        refhost::geodesy::WindowAround(along, 4, 12.0, 3, 5);
    EXPECT_EQ(bounded.back, 3u);
    EXPECT_EQ(bounded.ahead, 5u);
}

TEST(Angles, WindowedTurnOfARightAngle)
{
    // East along the equator, then north: a right angle to the left.
    const std::vector<tagLonLat> points = {{0.0, 0.0}, {0.001, 0.0}, {0.001, 0.001}};
    const std::vector<double> along = {0.0, 111.3, 222.0};
    const std::vector<double> turns = refhost::geodesy::WindowedTurnAngles(points, along, 20.0);
    EXPECT_EQ(turns[0], 0.0);
    EXPECT_NEAR(turns[1], -90.0, 0.5);
    EXPECT_EQ(turns[2], 0.0);
}

TEST(Angles, WindowEndsAtItsLengthNotAtTheNextPointBeyond)
{
    // East 100 m to the junction, 16 m on east, then 50 m north. 20 m on
    // from the junction lies 4 m up the northward road: the turn is
    // atan(4 / 16) = 14.04 degrees to the left, not the 72.3 degrees towards
    // the far end of that road.
    const double degreeLon = 111319.49; // metres per degree of longitude on the equator
    const double degreeLat = 110574.39; // metres per degree of latitude there
    const std::vector<tagLonLat> points = {{0.0, 0.0},
                                           {100.0 / degreeLon, 0.0},
                                           {116.0 / degreeLon, 0.0},
                                           {116.0 / degreeLon, 50.0 / degreeLat}};
    const std::vector<double> along = {0.0, 100.0, 116.0, 166.0};
    EXPECT_NEAR(refhost::geodesy::WindowedTurnAngle(points, along, 1, 20.0, 0, 3), -14.04, 0.05);
    // Bounded by point 2, the window sees only the road straight on.
    EXPECT_NEAR(refhost::geodesy::WindowedTurnAngle(points, along, 1, 20.0, 0, 2), 0.0, 0.01);
    const tagLonLat between = refhost::geodesy::PointAlong(points, along, 50.0);
    EXPECT_NEAR(between.lon * degreeLon, 50.0, 1e-6);
    EXPECT_EQ(refhost::geodesy::PointAlong(points, along, 500.0).lat, points.back().lat);
}
