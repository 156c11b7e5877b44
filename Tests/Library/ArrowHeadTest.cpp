// The turn arrow head: placement beyond a short whole road or inside the road,
// the walk back to the base, the corners, and the preconditions.
#include "JunctionTestSupport.h"

#include "Render/CrossPathEdges.h"

#include <gmock/gmock.h>

#include <cmath>
#include <utility>

namespace aptest
{
namespace
{

using ::testing::ElementsAre;
using ::testing::Pair;

const double kPi = 3.14159265358979323846;

class ArrowHeadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetTestHost();
        GeodesyControl::UsePlanar(kUnitsPerDegree);
        for (tagLonLat& p : out)
            p = kUntouched;
    }
    void TearDown() override { ResetTestHost(); }

    // Appends an edge through the given points (length units) to the band.
    // `whole` false marks it as a cut piece of a longer road of `length`.
    CPathEdge& AddEdge(const std::vector<std::pair<double, double>>& points, bool whole = true,
                       double length = -1.0)
    {
        CPathEdge edge;
        for (const auto& p : points)
            edge.AddPoint(At(p.first, p.second));
        edge.m_Length = length >= 0.0 ? length : EdgeLength(edge);
        EXPECT_EQ(cross.m_EdgeVec.Append(edge), 0);
        CPathEdge& stored = *cross.m_EdgeVec.GetAt(cross.m_EdgeVec.Size() - 1);
        stored.m_isWhole = whole;
        return stored;
    }

    // A road before the last edge; the arrow head never looks at it.
    void AddLeadIn() { AddEdge({{-50.0, 0.0}, {0.0, 0.0}}); }

    std::vector<std::pair<double, double>> Out() const
    {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < 3; ++i)
            points.emplace_back(UnitsX(out[i]), UnitsY(out[i]));
        return points;
    }

    static constexpr tagLonLat kUntouched{123.0, 45.0};
    CCrossPathEdges cross;
    tagLonLat out[4];
};

// ---- outside: a whole road shorter than the arrow ----------------------------

TEST_F(ArrowHeadTest, ShortWholeRoadEastwardsHasItsArrowBeyondTheEnd)
{
    AddLeadIn();
    CPathEdge& last = AddEdge({{0.0, 0.0}, {10.0, 0.0}});
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), 0);

    // Tip 20 beyond the end; base corners 5 either side of the end, the right
    // one (travelling east) to the south.
    EXPECT_THAT(Out(), ElementsAre(Pair(30.0, 0.0), Pair(10.0, -5.0), Pair(10.0, 5.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(0.0, 0.0), Pair(10.0, 0.0)));
    EXPECT_EQ(out[3].lon, kUntouched.lon);
}

TEST_F(ArrowHeadTest, OutsidePlacementFollowsTheLastSegmentInEveryHeading)
{
    struct Case
    {
        std::pair<double, double> from, to;
        std::vector<std::pair<double, double>> arrow;
    };
    const Case cases[] = {
        {{0.0, 0.0}, {0.0, 10.0}, {{0.0, 30.0}, {5.0, 10.0}, {-5.0, 10.0}}},     // north
        {{0.0, 0.0}, {-10.0, 0.0}, {{-30.0, 0.0}, {-10.0, 5.0}, {-10.0, -5.0}}}, // west
        {{0.0, 0.0}, {0.0, -10.0}, {{0.0, -30.0}, {-5.0, -10.0}, {5.0, -10.0}}}, // south
    };
    for (const Case& c : cases)
    {
        cross.m_EdgeVec.RemoveAll();
        AddLeadIn();
        AddEdge({{-3.0, -4.0}, c.from, c.to}); // only the last segment counts
        ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), 0);
        EXPECT_THAT(Out(), ElementsAre(Pair(c.arrow[0].first, c.arrow[0].second),
                                       Pair(c.arrow[1].first, c.arrow[1].second),
                                       Pair(c.arrow[2].first, c.arrow[2].second)));
        EXPECT_EQ(cross.m_EdgeVec.GetAt(1)->m_Count, 3);
    }
}

// ---- inside: the road is cut back to the arrow's base ------------------------

TEST_F(ArrowHeadTest, WholeRoadAsLongAsTheArrowHoldsItInside)
{
    AddLeadIn();
    CPathEdge& last = AddEdge({{0.0, 0.0}, {20.0, 0.0}});
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), 0);
    EXPECT_THAT(Out(), ElementsAre(Pair(20.0, 0.0), Pair(0.0, -5.0), Pair(0.0, 5.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(0.0, 0.0), Pair(0.0, 0.0)));
}

TEST_F(ArrowHeadTest, WalkBackStopsAfterTheSegmentThatPassesTheArrowLength)
{
    AddLeadIn();
    CPathEdge& last = AddEdge({{0.0, 0.0}, {10.0, 0.0}, {20.0, 0.0}, {30.0, 0.0}});
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 15.0, 4.0), 0);
    // 10 is not past 15, 20 is: two points go, the road ends at the base.
    EXPECT_THAT(Out(), ElementsAre(Pair(30.0, 0.0), Pair(15.0, -4.0), Pair(15.0, 4.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(0.0, 0.0), Pair(10.0, 0.0), Pair(15.0, 0.0)));
}

TEST_F(ArrowHeadTest, WalkedLengthEqualToTheArrowLengthDoesNotStopTheWalk)
{
    AddLeadIn();
    // The last segment is exactly 15 long: not past the arrow length, so the
    // walk also takes the segment before it.
    CPathEdge& last = AddEdge({{0.0, 0.0}, {10.0, 0.0}, {25.0, 0.0}, {40.0, 0.0}});
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 15.0, 4.0), 0);
    EXPECT_THAT(Out(), ElementsAre(Pair(40.0, 0.0), Pair(25.0, -4.0), Pair(25.0, 4.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(0.0, 0.0), Pair(10.0, 0.0), Pair(25.0, 0.0)));
}

TEST_F(ArrowHeadTest, LongFinalSegmentLosesOnlyTheLastPoint)
{
    AddLeadIn();
    CPathEdge& last = AddEdge({{0.0, 0.0}, {10.0, 0.0}, {10.0, 40.0}});
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), 0);
    EXPECT_THAT(Out(), ElementsAre(Pair(10.0, 40.0), Pair(15.0, 20.0), Pair(5.0, 20.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(0.0, 0.0), Pair(10.0, 0.0), Pair(10.0, 20.0)));
}

TEST_F(ArrowHeadTest, HairpinAimsAlongTheChordAndPutsTheBaseBeyondTheSegmentStart)
{
    // East 6, north 9, west 6 to the tip (0, 9): the walk back measures 6,
    // 15, then 21 > 20 on the segment from (0, 0), so P0 = (0, 0). The axis
    // is the chord from P0 north to the tip; the base lies 20 back from the
    // tip at (0, -11), beyond P0 and off the road (which runs along y = 0).
    AddLeadIn();
    CPathEdge& last = AddEdge({{-20.0, 0.0}, {0.0, 0.0}, {6.0, 0.0}, {6.0, 9.0}, {0.0, 9.0}});
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), 0);
    EXPECT_THAT(Out(), ElementsAre(Pair(0.0, 9.0), Pair(5.0, -11.0), Pair(-5.0, -11.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(-20.0, 0.0), Pair(0.0, 0.0), Pair(0.0, -11.0)));
}

TEST_F(ArrowHeadTest, RoadCurlingIntoARoundaboutEndsTheBandOnTheChordOffTheRoad)
{
    // North-east 10, north 8, north-west 10 to the tip (0, 24): the walk
    // measures 10, 18, then 28 > 20 on the segment from (0, 0). The base lies
    // on the chord at (0, 4), between P0 and the tip, 3 left of the road
    // (which passes (3, 4)); the band ends there.
    AddLeadIn();
    CPathEdge& last = AddEdge({{-6.0, -8.0}, {0.0, 0.0}, {6.0, 8.0}, {6.0, 16.0}, {0.0, 24.0}});
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), 0);
    EXPECT_THAT(Out(), ElementsAre(Pair(0.0, 24.0), Pair(5.0, 4.0), Pair(-5.0, 4.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(-6.0, -8.0), Pair(0.0, 0.0), Pair(0.0, 4.0)));
}

TEST_F(ArrowHeadTest, ShortCutPieceKeepsOnlyItsFirstPointAndTheBase)
{
    AddLeadIn();
    // A cut piece is placed inside however short it is: every point but the
    // first goes, and the base lies beyond the first point seen from the tip.
    CPathEdge& last = AddEdge({{0.0, 0.0}, {5.0, 0.0}, {8.0, 0.0}}, false, 300.0);
    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), 0);
    EXPECT_THAT(Out(), ElementsAre(Pair(8.0, 0.0), Pair(-12.0, -5.0), Pair(-12.0, 5.0)));
    EXPECT_THAT(UnitPoints(last), ElementsAre(Pair(0.0, 0.0), Pair(-12.0, 0.0)));
}

TEST_F(ArrowHeadTest, TriangleHasTheGivenLengthAndWidthInAnyDirection)
{
    // A 3-4-5 road: the direction is quantised to a quarter degree, the shape
    // is not.
    for (bool whole : {true, false})
    {
        cross.m_EdgeVec.RemoveAll();
        AddLeadIn();
        AddEdge({{0.0, 0.0}, {30.0, 40.0}}, whole, whole ? 50.0 : 500.0);
        const double length = whole ? 60.0 : 20.0; // outside, then inside
        ASSERT_EQ(cross.GenerateArrowHead(out, 3, length, 6.0), 0);

        const auto tri = Out();
        const double midX = (tri[1].first + tri[2].first) / 2.0;
        const double midY = (tri[1].second + tri[2].second) / 2.0;
        const double axisX = tri[0].first - midX;
        const double axisY = tri[0].second - midY;
        const double wingX = tri[2].first - midX;
        const double wingY = tri[2].second - midY;
        EXPECT_NEAR(std::hypot(axisX, axisY), length, 1e-9);
        EXPECT_NEAR(std::hypot(wingX, wingY), 6.0, 1e-9);
        EXPECT_NEAR(axisX * wingX + axisY * wingY, 0.0, 1e-9);
        EXPECT_GT(axisX * wingY - axisY * wingX, 0.0) << "point 2 lies left of travel";
        const double bearing = std::atan2(axisY, axisX) * 180.0 / kPi;
        const double road = std::atan2(40.0, 30.0) * 180.0 / kPi;
        EXPECT_LE(bearing, road);
        EXPECT_GT(bearing, road - 0.25);
        // Outside, the base is the road's end; inside, the tip is.
        const auto anchor = whole ? std::make_pair(midX, midY) : tri[0];
        EXPECT_NEAR(anchor.first, 30.0, 1e-9);
        EXPECT_NEAR(anchor.second, 40.0, 1e-9);
    }
}

// ---- preconditions -------------------------------------------------------------

TEST_F(ArrowHeadTest, FailedPreconditionsChangeNothing)
{
    // No band, then a band of one edge.
    EXPECT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), -1);
    AddEdge({{0.0, 0.0}, {30.0, 0.0}});
    EXPECT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), -1);

    AddEdge({{30.0, 0.0}, {60.0, 0.0}, {90.0, 0.0}});
    EXPECT_EQ(cross.GenerateArrowHead(nullptr, 3, 20.0, 5.0), -1);
    EXPECT_EQ(cross.GenerateArrowHead(out, 2, 20.0, 5.0), -1);
    EXPECT_EQ(cross.GenerateArrowHead(out, 0, 20.0, 5.0), -1);
    EXPECT_EQ(cross.GenerateArrowHead(out, -3, 20.0, 5.0), -1);
    EXPECT_EQ(cross.m_EdgeVec.GetAt(1)->m_Count, 3);

    // A last edge of one point, then of none.
    CPathEdge single;
    single.AddPoint(At(90.0, 0.0));
    ASSERT_EQ(cross.m_EdgeVec.Append(single), 0);
    EXPECT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), -1);
    cross.m_EdgeVec.GetAt(2)->m_Count = 0;
    EXPECT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 5.0), -1);

    for (const tagLonLat& p : out)
    {
        EXPECT_EQ(p.lon, kUntouched.lon);
        EXPECT_EQ(p.lat, kUntouched.lat);
    }
    EXPECT_THAT(UnitPoints(*cross.m_EdgeVec.GetAt(0)),
                ElementsAre(Pair(0.0, 0.0), Pair(30.0, 0.0)));
    EXPECT_EQ(cross.m_EdgeVec.GetAt(1)->m_Count, 3);
    EXPECT_EQ(cross.m_EdgeVec.Size(), 3);
}

// ---- after the band cutting ------------------------------------------------------

TEST_F(ArrowHeadTest, CutLeavingStretchEndsAtTheBase)
{
    // The leaving worked example: the last piece is the first 32 of a guide
    // going north from (100, 220).
    TestPath path;
    Road road(path);
    road.Guide(100.0);
    road.Guide(30.0, Heading::North);
    for (double length : {150.0, 40.0, 100.0})
        road.Guide(length, Heading::North);
    cross.SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_LEFT, path.GuideAsNav(0), path.GuideAsNav(1)));
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);

    ASSERT_EQ(cross.GenerateArrowHead(out, 3, 20.0, 10.0), 0);
    EXPECT_THAT(Out(), ElementsAre(Pair(100.0, 252.0), Pair(110.0, 232.0), Pair(90.0, 232.0)));
    EXPECT_THAT(UnitPoints(*cross.m_EdgeVec.GetAt(4)),
                ElementsAre(Pair(100.0, 220.0), Pair(100.0, 232.0)));
}

} // namespace
} // namespace aptest
