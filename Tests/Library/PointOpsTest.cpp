// The point at a distance along a quantised direction, the valid range, and
// the tolerant point comparisons.
#include "Geometry/PointOps.h"
#include "Support/TestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace
{

const double kStep = 0.004363323129985824;
const double kPi = 3.14159265358979323846;

class PointOpsTest : public ::testing::Test
{
protected:
    void SetUp() override { aptest::ResetTestHost(); }
    void TearDown() override { aptest::ResetTestHost(); }
};

// The angle of (dx, dy) in quarter degrees, 0 to 1440.
double QuarterDegrees(double dx, double dy)
{
    double angle = std::atan2(dy, dx);
    if (angle < 0.0)
        angle += 2.0 * kPi;
    return angle * 720.0 / kPi;
}

TEST_F(PointOpsTest, EqualEndsProjectEastward)
{
    aptest::GeodesyControl::UsePlanar(4.0); // a quarter degree per unit on both axes
    tagLonLat a = {10.0, 20.0};
    tagLonLat p = GetPointAtDistance(a, a, 6.0);
    EXPECT_EQ(11.5, p.lon);
    EXPECT_EQ(20.0, p.lat);
    tagLonLat back = GetPointAtDistance(a, a, -2.0);
    EXPECT_EQ(9.5, back.lon);
    EXPECT_EQ(20.0, back.lat);
}

TEST_F(PointOpsTest, AxisDirectionsMoveAlongOneCoordinateOnly)
{
    aptest::GeodesyControl::UsePlanar(2.0);
    tagLonLat a = {1.0, 1.0};
    tagLonLat north = {1.0, 7.0};
    tagLonLat west = {-3.0, 1.0};
    tagLonLat south = {1.0, -7.0};
    tagLonLat p = GetPointAtDistance(a, north, 3.0);
    EXPECT_EQ(1.0, p.lon);
    EXPECT_EQ(2.5, p.lat);
    p = GetPointAtDistance(a, west, 3.0);
    EXPECT_EQ(-0.5, p.lon);
    EXPECT_EQ(1.0, p.lat);
    p = GetPointAtDistance(a, south, 3.0);
    EXPECT_EQ(1.0, p.lon);
    EXPECT_EQ(-0.5, p.lat);
    // Zero length leaves the start point.
    p = GetPointAtDistance(a, north, 0.0);
    EXPECT_EQ(a.lon, p.lon);
    EXPECT_EQ(a.lat, p.lat);
}

TEST_F(PointOpsTest, DiagonalUsesTheTableValuesOfTheCutDirection)
{
    // Worked by hand: from (0, 0) towards (3, 1) in a planar geodesy, the
    // ratio 1/3 lies between the entries of 73 and 74 quarter degrees
    // (tan 18.25 = 0.32975, tan 18.5 = 0.33460), so the point moves along
    // 18.25 degrees. With these values the step's products round differently
    // in another order (and nothing absorbs the last bit when added to the
    // start point), so the exact comparison pins the order down too.
    aptest::GeodesyControl::UsePlanar(111000.0);
    tagLonLat a = {0.0, 0.0};
    tagLonLat b = {3.0, 1.0};
    double d = 500.0;
    tagLonLat p = GetPointAtDistance(a, b, d);
    double unit = 1.0 / 111000.0;
    EXPECT_EQ(((std::cos(73 * kStep) * unit) * d) + a.lon, p.lon);
    EXPECT_EQ(((std::sin(73 * kStep) * unit) * d) + a.lat, p.lat);
    EXPECT_NEAR(d * unit * std::cos(18.25 * kPi / 180.0), p.lon, 1e-12);
    EXPECT_NEAR(d * unit * std::sin(18.25 * kPi / 180.0), p.lat, 1e-12);
}

TEST_F(PointOpsTest, PlanarProjectionKeepsTheLengthAndLagsTheBearingByUnderAQuarterDegree)
{
    aptest::GeodesyControl::UsePlanar(111000.0);
    std::mt19937_64 random(11u);
    std::uniform_real_distribution<double> offset(-0.05, 0.05);
    std::uniform_real_distribution<double> length(0.0, 5000.0);
    for (int i = 0; i < 20000; ++i)
    {
        tagLonLat a = {8.5 + offset(random), 47.3 + offset(random)};
        tagLonLat b = {a.lon + offset(random), a.lat + offset(random)};
        double d = length(random);
        tagLonLat p = GetPointAtDistance(a, b, d);
        double moved = std::hypot(p.lon - a.lon, p.lat - a.lat) * 111000.0;
        ASSERT_NEAR(d, moved, 1e-9 * d + 1e-9);
        if (d < 1.0)
            continue;
        double target = QuarterDegrees(b.lon - a.lon, b.lat - a.lat);
        double got = QuarterDegrees(p.lon - a.lon, p.lat - a.lat);
        double lag = std::fabs(target - got);
        if (lag > 720.0)
            lag = 1440.0 - lag;
        ASSERT_LT(lag, 1.0 + 1e-6) << i;
    }
}

TEST_F(PointOpsTest, ReferenceProjectionFollowsTheBearingOnTheMap)
{
    if (!aptest::GeodesyControl::ReferenceAvailable())
        GTEST_SKIP() << "reference geodesy not built";
    aptest::GeodesyControl::UseReference();
    std::mt19937_64 random(12u);
    std::uniform_real_distribution<double> offset(-0.02, 0.02);
    std::uniform_real_distribution<double> length(10.0, 3000.0);
    const double latitudes[] = {0.0, 39.9, 60.2, -33.9, 78.2};
    for (double latitude : latitudes)
        for (int i = 0; i < 2000; ++i)
        {
            tagLonLat a = {116.4 + offset(random), latitude + offset(random)};
            tagLonLat b = {a.lon + offset(random), a.lat + offset(random)};
            double d = length(random);
            tagLonLat p = GetPointAtDistance(a, b, d);
            // The measured length is d, up to the error of the flat projection
            // with the scale of A: far below a quarter-degree chord over a
            // few km, even near the pole.
            ASSERT_NEAR(d, SegmentLength(a, p), d * kStep) << latitude << " " << i;
            // The bearing in the plane where a length unit is equally long on
            // both axes is the bearing of B, quantised.
            double uLon = 0.0;
            double uLat = 0.0;
            GetUnitDegree(a, uLon, uLat);
            double k = uLat / uLon;
            double target = QuarterDegrees((b.lon - a.lon) * k, b.lat - a.lat);
            double got = QuarterDegrees((p.lon - a.lon) * k, p.lat - a.lat);
            double lag = std::fabs(target - got);
            if (lag > 720.0)
                lag = 1440.0 - lag;
            ASSERT_LT(lag, 1.0 + 1e-6) << latitude << " " << i;
        }
}

TEST(IsValidPoint, AllFourBoundsAreStrict)
{
    EXPECT_EQ(1, IsValidPoint({0.0, 0.0}));
    EXPECT_EQ(1, IsValidPoint({std::nextafter(180.0, 0.0), std::nextafter(90.0, 0.0)}));
    EXPECT_EQ(1, IsValidPoint({std::nextafter(-180.0, 0.0), std::nextafter(-90.0, 0.0)}));
    EXPECT_EQ(0, IsValidPoint({180.0, 0.0}));
    EXPECT_EQ(0, IsValidPoint({-180.0, 0.0}));
    EXPECT_EQ(0, IsValidPoint({0.0, 90.0}));
    EXPECT_EQ(0, IsValidPoint({0.0, -90.0}));
    EXPECT_EQ(0, IsValidPoint(AP_INVALID_POINT));
    double nan = std::numeric_limits<double>::quiet_NaN();
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(0, IsValidPoint({nan, 0.0}));
    EXPECT_EQ(0, IsValidPoint({0.0, nan}));
    EXPECT_EQ(0, IsValidPoint({-inf, 0.0}));
}

TEST(PointComparisons, ToleranceBoundOnEachAxis)
{
    // Longitude off by exactly the tolerance: not equal, and different.
    EXPECT_EQ(0, PointsEqual({3e-06, 5.0}, {0.0, 5.0}));
    EXPECT_EQ(1, PointsDiffer({3e-06, 5.0}, {0.0, 5.0}));
    // Latitude off by exactly the tolerance: neither equal nor different.
    EXPECT_EQ(0, PointsEqual({5.0, 3e-06}, {5.0, 0.0}));
    EXPECT_EQ(0, PointsDiffer({5.0, 3e-06}, {5.0, 0.0}));
    // Inside the tolerance on both axes: equal, not different.
    EXPECT_EQ(1, PointsEqual({2.9e-06, -2.9e-06}, {0.0, 0.0}));
    EXPECT_EQ(0, PointsDiffer({2.9e-06, -2.9e-06}, {0.0, 0.0}));
    // Beyond it on either axis: different.
    EXPECT_EQ(0, PointsEqual({0.0, 3.1e-06}, {0.0, 0.0}));
    EXPECT_EQ(1, PointsDiffer({0.0, 3.1e-06}, {0.0, 0.0}));
    EXPECT_EQ(1, PointsDiffer({0.0, 0.0}, {-1.0, 0.0}));
}

TEST(PointComparisons, SymmetricAndSignBlind)
{
    std::mt19937_64 random(3u);
    std::uniform_real_distribution<double> delta(-6e-06, 6e-06);
    for (int i = 0; i < 10000; ++i)
    {
        tagLonLat a = {116.0 + delta(random), 39.0 + delta(random)};
        tagLonLat b = {116.0 + delta(random), 39.0 + delta(random)};
        ASSERT_EQ(PointsEqual(a, b), PointsEqual(b, a));
        ASSERT_EQ(PointsDiffer(a, b), PointsDiffer(b, a));
        double dlon = std::fabs(a.lon - b.lon);
        double dlat = std::fabs(a.lat - b.lat);
        ASSERT_EQ(dlon < 3e-06 && dlat < 3e-06 ? 1 : 0, PointsEqual(a, b));
        ASSERT_EQ(dlon >= 3e-06 || dlat > 3e-06 ? 1 : 0, PointsDiffer(a, b));
    }
}

} // namespace
