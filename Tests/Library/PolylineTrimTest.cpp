// Cutting a polyline to a length from either end, and the cut builds of an
// edge: worked cases on dyadic coordinates (exact lengths in a planar
// geodesy), the boundary cases of the walks, and properties over random
// polylines in the planar and the reference geodesy.
#include "AllocProbe.h"
#include "Edges/PathEdge.h"
#include "Support/TestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace
{

const double kQuarterDegree = 0.004363323129985824; // radians; also the chord bound

std::vector<tagLonLat> PointsOf(const CPathEdge& edge)
{
    return {edge.mp_Points, edge.mp_Points + edge.m_Count};
}

::testing::AssertionResult SamePoints(const std::vector<tagLonLat>& expected,
                                      const std::vector<tagLonLat>& actual)
{
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure()
               << "sizes " << expected.size() << " and " << actual.size();
    for (size_t i = 0; i < expected.size(); ++i)
        if (expected[i].lon != actual[i].lon || expected[i].lat != actual[i].lat)
            return ::testing::AssertionFailure()
                   << "point " << i << ": expected (" << expected[i].lon << ", " << expected[i].lat
                   << "), got (" << actual[i].lon << ", " << actual[i].lat << ")";
    return ::testing::AssertionSuccess();
}

class PolylineTrimTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        aptest::ResetTestHost();
        // One length unit per degree: the dyadic polyline below has exact
        // segment lengths 0.5, 0.25 and 0.5, total 1.25.
        aptest::GeodesyControl::UsePlanar(1.0);
    }
    void TearDown() override { aptest::ResetTestHost(); }

    const std::vector<tagLonLat> P = {{10.0, 20.0}, {10.5, 20.0}, {10.5, 20.25}, {11.0, 20.25}};
    int Count() const { return static_cast<int>(P.size()); }
};

// ---- worked cases --------------------------------------------------------

TEST_F(PolylineTrimTest, CutInsideASegment)
{
    CPathEdge start;
    EXPECT_EQ(1, start.TrimFromStart(P.data(), Count(), 0.25));
    EXPECT_TRUE(SamePoints({P[0], {10.25, 20.0}}, PointsOf(start)));

    CPathEdge end;
    EXPECT_EQ(2, end.TrimFromEnd(P.data(), Count(), 0.25));
    EXPECT_TRUE(SamePoints({{10.75, 20.25}, P[3]}, PointsOf(end)));

    // Into the north-going middle segment from either side.
    CPathEdge middleStart;
    EXPECT_EQ(2, middleStart.TrimFromStart(P.data(), Count(), 0.625));
    EXPECT_TRUE(SamePoints({P[0], P[1], {10.5, 20.125}}, PointsOf(middleStart)));
    CPathEdge middleEnd;
    EXPECT_EQ(3, middleEnd.TrimFromEnd(P.data(), Count(), 0.625));
    EXPECT_TRUE(SamePoints({{10.5, 20.125}, P[2], P[3]}, PointsOf(middleEnd)));
}

TEST_F(PolylineTrimTest, TooShortFailsAndKeepsWhatWasAppended)
{
    CPathEdge start;
    EXPECT_EQ(-1, start.TrimFromStart(P.data(), Count(), 1.5));
    EXPECT_TRUE(SamePoints(P, PointsOf(start)));

    CPathEdge end;
    EXPECT_EQ(-1, end.TrimFromEnd(P.data(), Count(), 1.5));
    EXPECT_TRUE(SamePoints({P[3], P[2], P[1], P[0]}, PointsOf(end)));
}

TEST_F(PolylineTrimTest, ExactTotalLengthSucceedsOnlyFromTheEnd)
{
    CPathEdge end;
    EXPECT_EQ(Count(), end.TrimFromEnd(P.data(), Count(), 1.25));
    EXPECT_TRUE(SamePoints(P, PointsOf(end)));

    CPathEdge start;
    EXPECT_EQ(-1, start.TrimFromStart(P.data(), Count(), 1.25));
    EXPECT_EQ(Count(), start.m_Count);
}

TEST_F(PolylineTrimTest, LengthMetAtAnInnerPoint)
{
    // From the start the inner point is kept whole and then cut again at
    // length 0 on the next segment: it appears twice.
    CPathEdge first;
    EXPECT_EQ(2, first.TrimFromStart(P.data(), Count(), 0.5));
    EXPECT_TRUE(SamePoints({P[0], P[1], P[1]}, PointsOf(first)));
    CPathEdge second;
    EXPECT_EQ(3, second.TrimFromStart(P.data(), Count(), 0.75));
    EXPECT_TRUE(SamePoints({P[0], P[1], P[2], P[2]}, PointsOf(second)));

    // From the end an exact total ends the walk at that point, once.
    CPathEdge third;
    EXPECT_EQ(2, third.TrimFromEnd(P.data(), Count(), 0.5));
    EXPECT_TRUE(SamePoints({P[2], P[3]}, PointsOf(third)));
    CPathEdge fourth;
    EXPECT_EQ(3, fourth.TrimFromEnd(P.data(), Count(), 0.75));
    EXPECT_TRUE(SamePoints({P[1], P[2], P[3]}, PointsOf(fourth)));
}

TEST_F(PolylineTrimTest, ZeroLengthGivesTheEndPointTwice)
{
    CPathEdge start;
    EXPECT_EQ(1, start.TrimFromStart(P.data(), Count(), 0.0));
    EXPECT_TRUE(SamePoints({P[0], P[0]}, PointsOf(start)));

    CPathEdge end;
    EXPECT_EQ(2, end.TrimFromEnd(P.data(), Count(), 0.0));
    EXPECT_TRUE(SamePoints({P[3], P[3]}, PointsOf(end)));
}

TEST_F(PolylineTrimTest, FewerThanTwoPointsAppendNothing)
{
    for (int count : {-1, 0, 1})
    {
        CPathEdge start;
        CPathEdge end;
        EXPECT_EQ(-1, start.TrimFromStart(P.data(), count, 0.1));
        EXPECT_EQ(-1, end.TrimFromEnd(P.data(), count, 0.1));
        EXPECT_EQ(0, start.m_Count);
        EXPECT_EQ(0, end.m_Count);
        EXPECT_EQ(nullptr, start.mp_Points);
    }
    CPathEdge none;
    EXPECT_EQ(-1, none.TrimFromStart(nullptr, 4, 0.1));
    EXPECT_EQ(-1, none.TrimFromEnd(nullptr, 4, 0.1));
    EXPECT_EQ(0, none.m_Count);
}

TEST_F(PolylineTrimTest, CutOnOrBeyondTheCoordinateLimitsFailsAndEmptiesTheEdge)
{
    struct Case
    {
        std::vector<tagLonLat> points;
        double length;
    };
    // Each cut lands exactly on a limit, after whole points were appended.
    const Case fromStart[] = {
        {{{179.0, 0.0}, {179.5, 0.0}, {180.5, 0.0}}, 1.0},
        {{{-179.0, 10.0}, {-179.5, 10.0}, {-180.5, 10.0}}, 1.0},
        {{{0.0, 89.0}, {0.0, 89.5}, {0.0, 90.5}}, 1.0},
        {{{0.0, -89.0}, {0.0, -89.5}, {0.0, -90.5}}, 1.0},
        {{{179.0, 0.0}, {179.5, 0.0}, {181.5, 0.0}}, 2.0}, // beyond
    };
    for (const Case& c : fromStart)
    {
        CPathEdge edge;
        EXPECT_EQ(-1, edge.TrimFromStart(c.points.data(), 3, c.length));
        EXPECT_EQ(0, edge.m_Count);
        EXPECT_NE(nullptr, edge.mp_Points); // emptied, the buffer stays
        std::vector<tagLonLat> reversed(c.points.rbegin(), c.points.rend());
        CPathEdge fromEnd;
        EXPECT_EQ(-1, fromEnd.TrimFromEnd(reversed.data(), 3, c.length));
        EXPECT_EQ(0, fromEnd.m_Count);
    }
    // Short of the limit the same polylines cut.
    CPathEdge inside;
    std::vector<tagLonLat> east = {{179.0, 0.0}, {179.5, 0.0}, {180.5, 0.0}};
    EXPECT_EQ(2, inside.TrimFromStart(east.data(), 3, 0.75));
    EXPECT_TRUE(SamePoints({east[0], east[1], {179.75, 0.0}}, PointsOf(inside)));
}

TEST_F(PolylineTrimTest, BorrowedPointsRefuseTheFirstAppend)
{
    PathGuid guide = aptest::MakeGuide(P.data(), 4, 1.25);
    CPathEdge edge;
    edge.AttachGuide(guide, true);
    EXPECT_EQ(-1, edge.TrimFromStart(P.data(), Count(), 0.25));
    EXPECT_EQ(-1, edge.TrimFromEnd(P.data(), Count(), 0.25));
    EXPECT_EQ(4, edge.m_Count);
    EXPECT_EQ(P.data(), edge.mp_Points);
}

// A point buffer that cannot be had fails the walk wherever that happens (the
// first buffer, a later growth, the append of the cut point itself) and
// leaves the edge empty; without the failure the same cuts succeed.
TEST_F(PolylineTrimTest, GrowthFailureFailsTheWalk)
{
    // Forty points along the equator, one length unit apart.
    const int count = 40;
    std::vector<tagLonLat> line;
    for (int i = 0; i < count; ++i)
        line.push_back({static_cast<double>(i), 0.0});
    int laterGrowths = 0;
    for (int whole = 0; whole < count - 1; ++whole)
        for (bool fromStart : {true, false})
        {
            const double length = whole + 0.5;
            const auto trim = [&](CPathEdge& edge)
            {
                return fromStart ? edge.TrimFromStart(line.data(), count, length)
                                 : edge.TrimFromEnd(line.data(), count, length);
            };
            int buffers = 0;
            {
                edgetest::AllocProbe counting;
                CPathEdge edge;
                ASSERT_GE(trim(edge), 0) << length;
                buffers = counting.Attempts(AP_ALLOC_POINT_BUFFER);
            }
            laterGrowths += buffers - 1;
            for (int failing = 1; failing <= buffers; ++failing)
            {
                const std::string label = std::to_string(length) +
                                          (fromStart ? " from the start" : " from the end") +
                                          ", allocation " + std::to_string(failing) + " fails";
                edgetest::AllocProbe failure(AP_ALLOC_POINT_BUFFER, failing);
                CPathEdge edge;
                EXPECT_EQ(-1, trim(edge)) << label;
                EXPECT_EQ(0, edge.m_Count) << label;
                if (failing == 1)
                {
                    EXPECT_EQ(nullptr, edge.mp_Points) << label;
                }
            }
        }
    EXPECT_GT(laterGrowths, 0) << "no walk grew its buffer after the first allocation";

    CPathEdge start;
    EXPECT_EQ(11, start.TrimFromStart(line.data(), count, 10.5));
    EXPECT_EQ(12, start.m_Count);
    EXPECT_EQ(10.5, start.mp_Points[11].lon);
}

// ---- cut builds ------------------------------------------------------------

TEST_F(PolylineTrimTest, TrimGuideCarriesTheWholeRecordsAttributes)
{
    PathGuid guide = aptest::MakeGuide(P.data(), 4, 99.0, "Ring Road");
    guide.m_FirstHead[0] = 7;
    guide.m_FirstHead[3] = 0xDEADBEEFu;
    guide.m_FirstAttr1 = 0xFFFF;
    guide.m_FirstAttr2 = 12;
    CPathEdge edge;
    EXPECT_EQ(1, edge.TrimGuide(guide, 0.25, true, true));
    EXPECT_TRUE(SamePoints({P[0], {10.25, 20.0}}, PointsOf(edge)));
    EXPECT_FALSE(edge.m_isWhole);
    EXPECT_TRUE(edge.m_isOwnPoints);
    EXPECT_EQ(1.25, edge.m_Length); // the whole record, not the cut, nor m_GuideLength
    EXPECT_STREQ("Ring Road", edge.m_Name);
    EXPECT_EQ(7u, edge.m_GuideWords[0]);
    EXPECT_EQ(0xDEADBEEFu, edge.m_GuideWords[3]);
    EXPECT_EQ(65535u, edge.m_GuideAttr1);
    EXPECT_EQ(12u, edge.m_GuideAttr2);

    CPathEdge tail;
    EXPECT_EQ(1, tail.TrimGuide(guide, 0.25, false, true));
    EXPECT_TRUE(SamePoints({{10.75, 20.25}, P[3]}, PointsOf(tail)));
    EXPECT_EQ(1.25, tail.m_Length);
}

TEST_F(PolylineTrimTest, TrimGuideOnTheSecondRecord)
{
    PathGuid guide = aptest::MakeGuide(nullptr, 0, 0.0);
    guide.mp_SecondPoints = const_cast<tagLonLat*>(P.data());
    guide.m_SecondCount = 3;
    guide.m_SecondAttr1 = 4;
    guide.m_SecondAttr2 = 5;
    guide.m_SecondHead[1] = 6;
    std::string name = "Second";
    name.copy(guide.m_SecondName, name.size());
    CPathEdge edge;
    EXPECT_EQ(1, edge.TrimGuide(guide, 0.5, false, false));
    EXPECT_TRUE(SamePoints({{10.25, 20.0}, P[1], P[2]}, PointsOf(edge)));
    EXPECT_EQ(0.75, edge.m_Length);
    EXPECT_EQ(4u, edge.m_GuideAttr1);
    EXPECT_EQ(5u, edge.m_GuideAttr2);
    EXPECT_EQ(6u, edge.m_GuideWords[1]);
    EXPECT_STREQ("Second", edge.m_Name);
    // The first record has no points: cutting it fails untouched.
    CPathEdge none;
    EXPECT_EQ(0, none.TrimGuide(guide, 0.5, true, true));
}

TEST_F(PolylineTrimTest, TrimGuideFailures)
{
    PathGuid noPoints = aptest::MakeGuide(nullptr, 5, 10.0, "Nowhere");
    CPathEdge untouched;
    EXPECT_EQ(0, untouched.TrimGuide(noPoints, 1.0, true, true));
    EXPECT_EQ(0, untouched.m_Count);
    EXPECT_EQ(nullptr, untouched.mp_Points);
    EXPECT_EQ(0.0, untouched.m_Length);
    EXPECT_STREQ("", untouched.m_Name);
    EXPECT_TRUE(untouched.m_isWhole);

    PathGuid guide = aptest::MakeGuide(P.data(), 4, 1.25);
    CPathEdge tooShort;
    EXPECT_EQ(0, tooShort.TrimGuide(guide, 2.0, true, true));
    CPathEdge tooShortEnd;
    EXPECT_EQ(0, tooShortEnd.TrimGuide(guide, 2.0, false, true));
    CPathEdge exact;
    EXPECT_EQ(0, exact.TrimGuide(guide, 1.25, true, true));
    CPathEdge exactEnd;
    EXPECT_EQ(1, exactEnd.TrimGuide(guide, 1.25, false, true));
    EXPECT_FALSE(exactEnd.m_isWhole);
}

TEST_F(PolylineTrimTest, TrimEdgeCutsACopyOfTheSource)
{
    PathGuid guide = aptest::MakeGuide(P.data(), 4, 1.25, "Source");
    CPathEdge source;
    source.AttachGuide(guide, true);

    CPathEdge tail;
    EXPECT_EQ(1, tail.TrimEdge(source, 0.75, false));
    EXPECT_TRUE(SamePoints({P[1], P[2], P[3]}, PointsOf(tail)));
    EXPECT_TRUE(tail.m_isOwnPoints);
    EXPECT_NE(P.data(), tail.mp_Points);
    EXPECT_FALSE(tail.m_isWhole);
    EXPECT_EQ(1.25, tail.m_Length);
    EXPECT_STREQ("Source", tail.m_Name);

    // A cut of a cut keeps the length of the first source.
    CPathEdge head;
    EXPECT_EQ(1, head.TrimEdge(tail, 0.125, true));
    EXPECT_TRUE(SamePoints({P[1], {10.5, 20.125}}, PointsOf(head)));
    EXPECT_EQ(1.25, head.m_Length);

    CPathEdge tooShort;
    EXPECT_EQ(0, tooShort.TrimEdge(tail, 1.0, false));

    CPathEdge empty;
    CPathEdge fromEmpty;
    EXPECT_EQ(0, fromEmpty.TrimEdge(empty, 0.0, false));
    EXPECT_EQ(0, fromEmpty.m_Count);
    EXPECT_EQ(nullptr, fromEmpty.mp_Points);
    // The source's guide points are untouched throughout.
    EXPECT_EQ(10.0, P[0].lon);
    EXPECT_EQ(P.data(), source.mp_Points);
}

// ---- properties --------------------------------------------------------------

// A random polyline of `count` points from `start`, steps of `minStep` to
// `maxStep` degrees in random directions.
std::vector<tagLonLat> RandomPolyline(std::mt19937_64& random, tagLonLat start, int count,
                                      double minStep, double maxStep)
{
    std::uniform_real_distribution<double> turn(0.0, 2.0 * 3.141592653589793);
    std::uniform_real_distribution<double> step(minStep, maxStep);
    std::vector<tagLonLat> points = {start};
    for (int i = 1; i < count; ++i)
    {
        const double angle = turn(random);
        const double length = step(random);
        tagLonLat last = points.back();
        points.push_back(
            {last.lon + std::cos(angle) * length, last.lat + std::sin(angle) * length});
    }
    return points;
}

double Measure(const std::vector<tagLonLat>& points, size_t from, size_t to)
{
    double total = 0.0;
    for (size_t i = from; i + 1 <= to; ++i)
        total += SegmentLength(points[i], points[i + 1]);
    return total;
}

// The cut point lies within the quarter-degree cone around its segment:
// not farther than a quarter-degree chord of `walked` from the point at that
// length on the segment, here interpolated linearly between the segment's
// ends; `slack` (relative to `walked`) covers the flat projection of a
// geodesy that is not planar.
::testing::AssertionResult WithinCone(const tagLonLat& from, const tagLonLat& to,
                                      const tagLonLat& cut, double walked, double slack)
{
    double seg = SegmentLength(from, to);
    double share = seg > 0.0 ? walked / seg : 0.0;
    tagLonLat onSegment = {from.lon + (to.lon - from.lon) * share,
                           from.lat + (to.lat - from.lat) * share};
    double off = SegmentLength(onSegment, cut);
    double bound = walked * (kQuarterDegree + slack) + 1e-9;
    if (off <= bound)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cut " << off << " off its segment, bound " << bound;
}

// Cuts `points` from both ends at `length` (below the total) and checks:
// the result is a prefix (suffix) of the input plus the cut point, the cut
// part measures `length` within the quarter-degree chord of the stretch
// walked on the cut segment, and the cut point lies in the quarter-degree
// cone of that segment.
void CheckCuts(const std::vector<tagLonLat>& points, double length, double slack)
{
    const int count = static_cast<int>(points.size());

    CPathEdge start;
    int kept = start.TrimFromStart(points.data(), count, length);
    ASSERT_GE(kept, 1);
    ASSERT_LE(kept, count - 1);
    ASSERT_EQ(kept + 1, start.m_Count);
    std::vector<tagLonLat> got = PointsOf(start);
    ASSERT_TRUE(SamePoints(std::vector<tagLonLat>(points.begin(), points.begin() + kept),
                           std::vector<tagLonLat>(got.begin(), got.begin() + kept)));
    double whole = Measure(points, 0, static_cast<size_t>(kept - 1));
    ASSERT_LE(whole, length);
    double rest = length - whole;
    double measured = Measure(got, 0, got.size() - 1);
    ASSERT_NEAR(length, measured, rest * kQuarterDegree + 1e-9 * length);
    ASSERT_TRUE(WithinCone(points[static_cast<size_t>(kept - 1)], points[static_cast<size_t>(kept)],
                           got.back(), rest, slack));

    CPathEdge end;
    int appended = end.TrimFromEnd(points.data(), count, length);
    ASSERT_GE(appended, 2);
    ASSERT_LE(appended, count);
    ASSERT_EQ(appended, end.m_Count);
    got = PointsOf(end);
    const auto firstWhole = static_cast<size_t>(count) + 1 - static_cast<size_t>(appended);
    ASSERT_TRUE(SamePoints(
        std::vector<tagLonLat>(points.begin() + static_cast<long>(firstWhole), points.end()),
        std::vector<tagLonLat>(got.begin() + 1, got.end())));
    whole = Measure(points, firstWhole, points.size() - 1);
    ASSERT_LE(whole, length);
    rest = length - whole;
    measured = Measure(got, 0, got.size() - 1);
    ASSERT_NEAR(length, measured, rest * kQuarterDegree + 1e-9 * length);
    ASSERT_TRUE(WithinCone(points[firstWhole], points[firstWhole - 1], got.front(), rest, slack));
}

TEST_F(PolylineTrimTest, PlanarCutsArePrefixesAndSuffixesOfTheRequestedLength)
{
    aptest::GeodesyControl::UsePlanar(111000.0);
    std::mt19937_64 random(101u);
    std::uniform_int_distribution<int> counts(2, 30);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    for (int i = 0; i < 3000; ++i)
    {
        std::vector<tagLonLat> points =
            RandomPolyline(random, {2.35, 48.85}, counts(random), 0.0001, 0.01);
        double total = Measure(points, 0, points.size() - 1);
        CheckCuts(points, share(random) * total * 0.999, 0.0);
        if (HasFatalFailure())
            FAIL() << "polyline " << i;
    }
}

TEST_F(PolylineTrimTest, ReferenceCutsArePrefixesAndSuffixesOfTheRequestedLength)
{
    if (!aptest::GeodesyControl::ReferenceAvailable())
        GTEST_SKIP() << "reference geodesy not built";
    aptest::GeodesyControl::UseReference();
    std::mt19937_64 random(202u);
    std::uniform_int_distribution<int> counts(2, 25);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    const tagLonLat starts[] = {
        {2.35, 48.85}, {-58.4, -34.6}, {18.07, 59.33}, {103.8, 1.35}, {-149.9, 61.2}};
    for (const tagLonLat& origin : starts)
        for (int i = 0; i < 600; ++i)
        {
            std::vector<tagLonLat> points =
                RandomPolyline(random, origin, counts(random), 0.0002, 0.008);
            double total = Measure(points, 0, points.size() - 1);
            CheckCuts(points, share(random) * total * 0.999, 1e-3);
            if (HasFatalFailure())
                FAIL() << "polyline " << i << " from " << origin.lon << ", " << origin.lat;
        }
}

TEST_F(PolylineTrimTest, ReferenceExactAndTooShortLengths)
{
    if (!aptest::GeodesyControl::ReferenceAvailable())
        GTEST_SKIP() << "reference geodesy not built";
    aptest::GeodesyControl::UseReference();
    std::mt19937_64 random(303u);
    for (int i = 0; i < 200; ++i)
    {
        std::vector<tagLonLat> points = RandomPolyline(random, {13.4, 52.5}, 6, 0.0005, 0.005);
        // The total as the walk from the end adds it up: last segment first.
        double fromEnd = 0.0;
        for (size_t n = points.size() - 1; n >= 1; --n)
            fromEnd = SegmentLength(points[n], points[n - 1]) + fromEnd;
        CPathEdge exact;
        ASSERT_EQ(6, exact.TrimFromEnd(points.data(), 6, fromEnd));
        ASSERT_TRUE(SamePoints(points, PointsOf(exact)));
        double fromStart = 0.0;
        for (size_t n = 0; n + 1 < points.size(); ++n)
            fromStart = SegmentLength(points[n], points[n + 1]) + fromStart;
        CPathEdge whole;
        ASSERT_EQ(-1, whole.TrimFromStart(points.data(), 6, fromStart));
        CPathEdge longer;
        CPathEdge longerEnd;
        ASSERT_EQ(-1, longer.TrimFromStart(points.data(), 6, fromStart * 1.001));
        ASSERT_EQ(-1, longerEnd.TrimFromEnd(points.data(), 6, fromEnd * 1.001));
    }
}

} // namespace
