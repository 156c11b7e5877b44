// Quarter-degree directions: boundaries of the tangent search, the quadrant
// mirrors, and the sine and cosine lookups, against indices worked out from
// atan2 rather than from the table search.
#include "Geometry/DirTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace
{

const double kStep = 0.004363323129985824; // the double nearest to pi / 720
const long double kPiL = 3.141592653589793238462643383279502884L;

// The runtime's tan of k quarter degrees, as the table holds it. The angle is
// kept from the compiler, which would fold the tan of a constant to the
// correctly rounded value; a runtime may be an ulp or so off (msvcrt's).
double Entry(int k)
{
    volatile double angle = static_cast<double>(k) * kStep;
    return std::tan(angle);
}

// The first-quadrant index for |dy/dx| = r > 0: the angle atan(r) cut down to
// a whole quarter degree. Close to a table entry the cut is decided by the
// entry itself (entries are the platform's tan of k quarter degrees), since
// the boundary is where tan(k * step) <= r starts to hold.
int FirstQuadrantIndex(double r)
{
    if (r >= 1e6)
        return 360;
    long double quarters = std::atan(static_cast<long double>(r)) * 720.0L / kPiL;
    long double nearest = std::nearbyint(quarters);
    int k;
    if (std::fabs(quarters - nearest) < 1e-6L)
    {
        k = static_cast<int>(nearest);
        if (k > 359 || Entry(k) > r)
            --k;
    }
    else
    {
        k = static_cast<int>(std::floor(quarters));
    }
    return k > 359 ? 359 : k;
}

// The expected direction from (x1, y1) to (x2, y2), from the signs and the
// first-quadrant index.
unsigned ExpectedDirection(double x1, double y1, double x2, double y2)
{
    double dx = x2 - x1;
    double dy = y2 - y1;
    if (dx == 0.0 && dy == 0.0)
        return 0;
    if (dx == 0.0)
        return dy > 0.0 ? 360 : 1080;
    if (dy == 0.0)
        return dx > 0.0 ? 0 : 720;
    int k = FirstQuadrantIndex(std::fabs(dy / dx));
    if (dx > 0.0 && dy > 0.0)
        return static_cast<unsigned>(k);
    if (dx < 0.0 && dy > 0.0)
        return static_cast<unsigned>(720 - k);
    if (dx < 0.0 && dy < 0.0)
        return static_cast<unsigned>(720 + k);
    return static_cast<unsigned>(1440 - k);
}

// The four quadrant images of a ratio dy/dx = r (dx = 1 or -1).
struct Mirrors
{
    unsigned q1, q2, q3, q4;
};
Mirrors DirectionsOfRatio(double r)
{
    return {GetDirection(0.0, 0.0, 1.0, r), GetDirection(0.0, 0.0, -1.0, r),
            GetDirection(0.0, 0.0, -1.0, -r), GetDirection(0.0, 0.0, 1.0, -r)};
}

TEST(GetDirection, IdenticalPointsGiveEast)
{
    EXPECT_EQ(0u, GetDirection(0.0, 0.0, 0.0, 0.0));
    EXPECT_EQ(0u, GetDirection(116.4, 39.9, 116.4, 39.9));
    EXPECT_EQ(0u, GetDirection(-0.0, 0.0, 0.0, -0.0));
}

TEST(GetDirection, AxisDirectionsAreExact)
{
    EXPECT_EQ(0u, GetDirection(1.0, 2.0, 3.0, 2.0));
    EXPECT_EQ(360u, GetDirection(1.0, 2.0, 1.0, 3.0));
    EXPECT_EQ(720u, GetDirection(1.0, 2.0, -5.0, 2.0));
    EXPECT_EQ(1080u, GetDirection(1.0, 2.0, 1.0, -3.0));
    // However small the difference, an axis stays an axis.
    EXPECT_EQ(360u, GetDirection(0.0, 0.0, 0.0, 1e-300));
    EXPECT_EQ(1080u, GetDirection(0.0, 0.0, 0.0, -1e-300));
    EXPECT_EQ(0u, GetDirection(0.0, 5.0, 1e-300, 5.0));
    EXPECT_EQ(720u, GetDirection(0.0, 5.0, -1e-300, 5.0));
}

TEST(GetDirection, JustBelowEastCutsDownTo1440)
{
    // dx > 0, dy < 0 with |dy/dx| under tangent[1] (about 0.0043634).
    EXPECT_EQ(1440u, GetDirection(0.0, 0.0, 1.0, -0.001));
    EXPECT_EQ(1440u, GetDirection(0.0, 0.0, 1.0, -std::nextafter(Entry(1), 0.0)));
    EXPECT_EQ(1439u, GetDirection(0.0, 0.0, 1.0, -Entry(1)));
    // The same ratio above east rounds down to 0.
    EXPECT_EQ(0u, GetDirection(0.0, 0.0, 1.0, 0.001));
    EXPECT_EQ(720u, GetDirection(0.0, 0.0, -1.0, 0.001));
    EXPECT_EQ(720u, GetDirection(0.0, 0.0, -1.0, -0.001));
    // 1440 means east: its sine and cosine are those of 0.
    EXPECT_EQ(0.0, DirSin(1440));
    EXPECT_EQ(1.0, DirCos(1440));
}

TEST(GetDirection, SteepRatiosAtOrBeyondAMillionSnapToTheAxis)
{
    for (double r : {1e6, 2e6, 1e12, 1e300})
    {
        Mirrors m = DirectionsOfRatio(r);
        EXPECT_EQ(360u, m.q1) << r;
        EXPECT_EQ(360u, m.q2) << r;
        EXPECT_EQ(1080u, m.q3) << r;
        EXPECT_EQ(1080u, m.q4) << r;
    }
    // The same from a tiny dx rather than a huge dy.
    EXPECT_EQ(360u, GetDirection(0.0, 0.0, 1e-7, 1.0));
    EXPECT_EQ(1080u, GetDirection(0.0, 0.0, -1e-7, -1.0));
}

TEST(GetDirection, The359BandReachesUpToAMillion)
{
    // Between tangent[359] (about 229.18) and 1e6 the first quadrant gives 359.
    EXPECT_NEAR(229.18, Entry(359), 0.01);
    for (double r : {std::nextafter(Entry(359), 1e6), Entry(359), 229.2, 1000.0, 999999.0,
                     std::nextafter(1e6, 0.0)})
    {
        Mirrors m = DirectionsOfRatio(r);
        EXPECT_EQ(359u, m.q1) << r;
        EXPECT_EQ(361u, m.q2) << r;
        EXPECT_EQ(1079u, m.q3) << r;
        EXPECT_EQ(1081u, m.q4) << r;
    }
    Mirrors below = DirectionsOfRatio(std::nextafter(Entry(359), 0.0));
    EXPECT_EQ(358u, below.q1);
}

TEST(GetDirection, BoundariesLieWithinTwoUlpsOfTheExactTangent)
{
    // tan(k * step) to 200 bits (mpmath), rounded to the nearest double. The
    // table holds the runtime's tan, which may miss that double by an ulp:
    // glibc's at 288 and 329, wine's msvcrt at 288, 359 and 62 more entries.
    // So a ratio within an ulp or two of an entry may fall on either side of
    // the boundary, depending on the target; beyond two ulps every target
    // agrees.
    const struct
    {
        unsigned k;
        double tangent;
    } entries[] = {{1, 0x1.1df4e1136d653p-8},
                   {180, 0x1.fffffffffffffp-1},
                   {288, 0x1.89f188bdcd7adp+1},
                   {329, 0x1.d6435af888109p+2},
                   {359, 0x1.ca5d03033ad49p+7}};
    for (const auto& entry : entries)
    {
        double above = std::nextafter(std::nextafter(entry.tangent, 1e6), 1e6);
        double below = std::nextafter(std::nextafter(entry.tangent, 0.0), 0.0);
        EXPECT_EQ(entry.k, GetDirection(0.0, 0.0, 1.0, above)) << entry.k;
        EXPECT_EQ(entry.k - 1, GetDirection(0.0, 0.0, 1.0, below)) << entry.k;
    }
}

TEST(GetDirection, RatiosAtAndAroundEveryTableEntry)
{
    for (int k = 1; k <= 359; ++k)
    {
        double entry = Entry(k);
        // Exactly the entry: the entry is not greater than r, so k.
        Mirrors at = DirectionsOfRatio(entry);
        EXPECT_EQ(static_cast<unsigned>(k), at.q1) << k;
        EXPECT_EQ(static_cast<unsigned>(720 - k), at.q2) << k;
        EXPECT_EQ(static_cast<unsigned>(720 + k), at.q3) << k;
        EXPECT_EQ(static_cast<unsigned>(1440 - k), at.q4) << k;
        // One ulp below: still the previous quarter degree.
        Mirrors below = DirectionsOfRatio(std::nextafter(entry, 0.0));
        EXPECT_EQ(static_cast<unsigned>(k - 1), below.q1) << k;
        EXPECT_EQ(static_cast<unsigned>(721 - k), below.q2) << k;
        EXPECT_EQ(static_cast<unsigned>(719 + k), below.q3) << k;
        EXPECT_EQ(static_cast<unsigned>(1441 - k), below.q4) << k;
        // Halfway to the next entry: k.
        double next = k < 359 ? Entry(k + 1) : 1e6;
        EXPECT_EQ(static_cast<unsigned>(k), DirectionsOfRatio((entry + next) / 2.0).q1) << k;
    }
}

TEST(GetDirection, MatchesAtan2CutDownOverADenseSweep)
{
    // Directions every 0.01 degree, shifted off the table entries, from several
    // origins and at several scales; then random pairs.
    const double origins[][2] = {{0.0, 0.0}, {116.397, 39.908}, {-73.98, 40.75}, {151.2, -33.86}};
    const double scales[] = {1e-5, 0.01, 1.0, 300.0};
    int checked = 0;
    for (const auto& o : origins)
        for (double scale : scales)
            for (int hundredth = 0; hundredth < 36000; ++hundredth)
            {
                double degrees = hundredth / 100.0 + 0.003;
                double radians = degrees * static_cast<double>(kPiL) / 180.0;
                double x2 = o[0] + std::cos(radians) * scale;
                double y2 = o[1] + std::sin(radians) * scale;
                ASSERT_EQ(ExpectedDirection(o[0], o[1], x2, y2), GetDirection(o[0], o[1], x2, y2))
                    << o[0] << "," << o[1] << " -> " << x2 << "," << y2;
                ++checked;
            }
    std::mt19937_64 random(20240611u);
    std::uniform_real_distribution<double> coordinate(-200.0, 200.0);
    for (int i = 0; i < 200000; ++i)
    {
        double x1 = coordinate(random);
        double y1 = coordinate(random);
        double x2 = coordinate(random);
        double y2 = coordinate(random);
        ASSERT_EQ(ExpectedDirection(x1, y1, x2, y2), GetDirection(x1, y1, x2, y2))
            << x1 << "," << y1 << " -> " << x2 << "," << y2;
        ++checked;
    }
    EXPECT_EQ(4 * 4 * 36000 + 200000, checked);
}

TEST(GetDirection, LiesWithinOneQuarterDegreeOfTheTrueAngle)
{
    // Property: the first and third quadrants cut the angle down to the index,
    // the second and fourth mirror the same cut and so round it up.
    std::mt19937_64 random(7u);
    std::uniform_real_distribution<double> coordinate(-1.0, 1.0);
    for (int i = 0; i < 100000; ++i)
    {
        double dx = coordinate(random);
        double dy = coordinate(random);
        unsigned index = GetDirection(0.0, 0.0, dx, dy);
        ASSERT_LE(index, 1440u);
        long double angle = std::atan2(static_cast<long double>(dy), static_cast<long double>(dx));
        if (angle < 0)
            angle += 2 * kPiL;
        long double quarters = angle * 720.0L / kPiL;
        bool cutDown = (dx > 0.0) == (dy > 0.0);
        long double gap = cutDown ? quarters - index : index - quarters;
        ASSERT_GT(gap, -1e-9L) << dx << "," << dy;
        ASSERT_LT(gap, 1.0L + 1e-9L) << dx << "," << dy;
    }
}

TEST(DirSinCos, TableEntriesAreTheRuntimeValuesOfWholeQuarterDegrees)
{
    for (int k = 0; k < 360; ++k)
    {
        double angle = static_cast<double>(k) * kStep;
        EXPECT_EQ(std::sin(angle), DirSin(static_cast<unsigned short>(k))) << k;
        EXPECT_EQ(std::cos(angle), DirCos(static_cast<unsigned short>(k))) << k;
    }
}

TEST(DirSinCos, AxisDirectionsAreExact)
{
    EXPECT_EQ(0.0, DirSin(0));
    EXPECT_EQ(1.0, DirCos(0));
    EXPECT_EQ(1.0, DirSin(360));
    EXPECT_EQ(0.0, DirCos(360));
    EXPECT_EQ(0.0, DirSin(720));
    EXPECT_EQ(-1.0, DirCos(720));
    EXPECT_EQ(-1.0, DirSin(1080));
    EXPECT_EQ(0.0, DirCos(1080));
    EXPECT_EQ(0.0, DirSin(1440));
    EXPECT_EQ(1.0, DirCos(1440));
}

TEST(DirSinCos, QuadrantsMirrorTheFirst)
{
    for (int k = 0; k <= 360; ++k)
    {
        auto a = static_cast<unsigned short>(k);
        EXPECT_EQ(DirCos(a), DirSin(static_cast<unsigned short>(360 + k))) << k;
        EXPECT_EQ(-DirSin(a), DirCos(static_cast<unsigned short>(360 + k))) << k;
        EXPECT_EQ(-DirSin(a), DirSin(static_cast<unsigned short>(720 + k))) << k;
        EXPECT_EQ(-DirCos(a), DirCos(static_cast<unsigned short>(720 + k))) << k;
        if (k < 360)
        {
            EXPECT_EQ(-DirCos(a), DirSin(static_cast<unsigned short>(1080 + k))) << k;
            EXPECT_EQ(DirSin(a), DirCos(static_cast<unsigned short>(1080 + k))) << k;
        }
    }
}

TEST(DirSinCos, AnySixteenBitIndexReducesModulo1440)
{
    // 65535 = 45 * 1440 + 735.
    EXPECT_EQ(DirSin(735), DirSin(65535));
    EXPECT_EQ(DirCos(735), DirCos(65535));
    EXPECT_EQ(-std::sin(15 * kStep), DirSin(65535));
    for (unsigned a = 0; a <= 65535; ++a)
    {
        auto index = static_cast<unsigned short>(a);
        auto reduced = static_cast<unsigned short>(a % 1440);
        ASSERT_EQ(DirSin(reduced), DirSin(index)) << a;
        ASSERT_EQ(DirCos(reduced), DirCos(index)) << a;
        // And the values are those of the angle, to rounding. The reference
        // angle is taken from the reduced index: where long double is double
        // (ARM), a*pi/720 for a large index alone is off by more than the
        // tolerance.
        long double angle = static_cast<long double>(reduced) * kPiL / 720.0L;
        ASSERT_NEAR(static_cast<double>(std::sin(angle)), DirSin(index), 2e-15) << a;
        ASSERT_NEAR(static_cast<double>(std::cos(angle)), DirCos(index), 2e-15) << a;
    }
}

} // namespace
