// Cutting the junction band: the entering stretch, the guides through the
// junction and the leaving stretch, with the worked examples, the band bounds,
// the failures and the bound of the guide walks.
#include "JunctionTestSupport.h"
#include "LogLineChecks.h"

#include "Edges/HeapAlloc.h"
#include "Render/CrossPathEdges.h"
#include "Render/GuideWalk.h"

#include <gmock/gmock.h>

#include <memory>
#include <utility>

namespace aptest
{
namespace
{

using ::testing::ElementsAre;
using ::testing::Pair;

class CrossEdgesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetTestHost();
        GeodesyControl::UsePlanar(kUnitsPerDegree);
    }
    void TearDown() override
    {
        ApSetAllocFailPredicate(nullptr);
        ResetTestHost();
    }

    // Collects the junction of a right turn entering on guide `enter` and
    // leaving on guide `exit`.
    void Collect(int enter, int exit, NAV_TURN_TYPE_tag type = NAV_TURN_RIGHT)
    {
        cross.SetCrossInfo(&path,
                           MakeTurnInfo(type, path.GuideAsNav(enter), path.GuideAsNav(exit)));
        RecordingLog::Instance().Clear();
    }

    // A road entering eastwards on one guide of `enterLength` (guide 0), turning
    // north on a guide of 30 (guide 1, the leaving guide), then the leaving
    // guides of the given recorded lengths, drawn as long as recorded.
    void TurnNorth(double enterLength, const std::vector<double>& leaving)
    {
        Road road(path);
        road.Guide(enterLength);
        road.Guide(30.0, Heading::North);
        for (double length : leaving)
            road.Guide(length, Heading::North);
        Collect(0, 1);
    }

    std::vector<int> BandGuides() const
    {
        std::vector<int> indexes;
        for (int i = 0; i < cross.m_EdgeVec.Size(); ++i)
            indexes.push_back(GuideIndexOf(*cross.m_EdgeVec.GetAt(i)));
        return indexes;
    }

    const CPathEdge& Band(int i) const { return *cross.m_EdgeVec.GetAt(i); }
    const CPathEdge& LastOfBand() const { return Band(cross.m_EdgeVec.Size() - 1); }

    // The length of the band's edges from index `from` on.
    double BandLengthFrom(int from) const
    {
        double total = 0.0;
        for (int i = from; i < cross.m_EdgeVec.Size(); ++i)
            total += EdgeLength(Band(i));
        return total;
    }

    static void ExpectAppendFailureLogged()
    {
        EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_CROSS_APPEND_FAILED));
    }

    TestPath path;
    CCrossPathEdges cross;
};

// ---- leaving stretch -------------------------------------------------------
// toLength 200, arrowExtension 22, tolerance 5: target 222, band 217 to 227.

TEST_F(CrossEdgesTest, LeavingGuidesOf150And40And100CutTheThirdTo32)
{
    TurnNorth(100.0, {150.0, 40.0, 100.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);

    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_TRUE(Band(3).m_isWhole);
    EXPECT_FALSE(LastOfBand().m_isWhole);
    EXPECT_EQ(LastOfBand().m_Length, 100.0); // the whole guide's length is kept
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(100.0, 220.0), Pair(100.0, 252.0)));
    EXPECT_EQ(BandLengthFrom(2), 222.0);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(CrossEdgesTest, LeavingGuidesOf150And60And40CutTheThirdToTheArrowRoom)
{
    TurnNorth(100.0, {150.0, 60.0, 40.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);

    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(100.0, 240.0), Pair(100.0, 262.0)));
    EXPECT_EQ(BandLengthFrom(2), 232.0);
}

TEST_F(CrossEdgesTest, ShortLeavingGuideThatOvershootsIsTakenWholeAndTheWalkGoesOn)
{
    // 150 + 60 + 20 = 230 overshoots, but 20 is no room for the arrow; the
    // next guide (total 280, excess 58 not below its 50) is cut to 22.
    TurnNorth(100.0, {150.0, 60.0, 20.0, 50.0, 70.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);

    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4, 5));
    EXPECT_TRUE(Band(4).m_isWhole);
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(100.0, 260.0), Pair(100.0, 282.0)));
    EXPECT_EQ(BandLengthFrom(2), 252.0);
}

TEST_F(CrossEdgesTest, ShortLeavingGuideAtThePathsEndEndsTheStretch)
{
    TurnNorth(100.0, {150.0, 60.0, 20.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_TRUE(LastOfBand().m_isWhole);
}

TEST_F(CrossEdgesTest, LeavingBandIncludesBothBounds)
{
    // 150 + 77 = 227: the upper bound, taken whole; the next guide is not walked.
    TurnNorth(100.0, {150.0, 77.0, 90.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3));
    EXPECT_TRUE(LastOfBand().m_isWhole);

    // 150 + 67 = 217: the lower bound.
    path = TestPath();
    TurnNorth(100.0, {150.0, 67.0, 90.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3));
    EXPECT_TRUE(LastOfBand().m_isWhole);
}

TEST_F(CrossEdgesTest, LeavingOvershootIsStrict)
{
    // 150 + 77.5 = 227.5 lies beyond the band: cut to 77.5 - 5.5 = 72.
    TurnNorth(100.0, {150.0, 77.5, 90.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3));
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(100.0, 180.0), Pair(100.0, 252.0)));
}

TEST_F(CrossEdgesTest, GuideExactlyTheArrowRoomLongEndsTheStretchInTheBand)
{
    TurnNorth(100.0, {200.0, 22.0, 90.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3));
}

TEST_F(CrossEdgesTest, GuideShorterThanTheArrowRoomNeverEndsTheStretchInTheBand)
{
    // 200 + 21 = 221 is in the band, but 21 < 22; the next guide (total 251,
    // excess 29, 30 - 29 = 1 no more than 22) is cut to 22.
    TurnNorth(100.0, {200.0, 21.0, 30.0, 90.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_TRUE(Band(3).m_isWhole);
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(100.0, 251.0), Pair(100.0, 273.0)));
}

TEST_F(CrossEdgesTest, OvershootingGuideExactlyTheArrowRoomLongCannotBeCut)
{
    // 210 + 22 = 232 overshoots; the cut of 22 is the whole polyline, which the
    // cutting walk refuses, so the whole band fails.
    TurnNorth(100.0, {210.0, 22.0, 90.0});
    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
    EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
    ExpectAppendFailureLogged();
}

TEST_F(CrossEdgesTest, LastCutPieceIsNeverShorterThanTheArrowRoom)
{
    for (double first : {100.0, 150.0, 190.0, 200.0, 205.0, 210.0})
    {
        for (int step = 0; 2.5 + 7.5 * step < 140.0; ++step)
        {
            const double second = 2.5 + 7.5 * step;
            path = TestPath();
            TurnNorth(100.0, {first, second, 50.0});
            ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0)
                << first << " " << second;
            if (!LastOfBand().m_isWhole)
            {
                EXPECT_GE(EdgeLength(LastOfBand()), 22.0) << first << " " << second;
            }
            if (first + second + 50.0 >= 217.0)
            {
                EXPECT_GE(BandLengthFrom(2), 217.0) << first << " " << second;
            }
        }
    }
}

TEST_F(CrossEdgesTest, LeavingGuideLastOnThePathGivesNoLeavingStretch)
{
    Road road(path);
    road.Guide(100.0);
    road.Guide(40.0, Heading::North);
    road.Guide(30.0, Heading::North);
    Collect(0, 2);
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2));
    EXPECT_TRUE(LogLines().empty());
}

// ---- entering stretch ------------------------------------------------------

class EnteringStretchTest : public CrossEdgesTest
{
protected:
    // Entering guides of the given lengths in path order, the last one the
    // entering guide, then a leaving guide north and 300 beyond it.
    void Enter(const std::vector<double>& lengths)
    {
        Road road(path);
        for (double length : lengths)
            road.Guide(length);
        int exit = road.Guide(10.0, Heading::North);
        road.Guide(300.0, Heading::North);
        Collect(exit - 1, exit);
    }
};

TEST_F(EnteringStretchTest, EdgesOf40And30And50CutTheThirdToItsLast30)
{
    Enter({50.0, 30.0, 40.0}); // m_FromEdges: 40, 30, 50 from the junction back
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);

    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_FALSE(Band(0).m_isWhole);
    EXPECT_EQ(Band(0).m_Length, 50.0);
    EXPECT_THAT(UnitPoints(Band(0)), ElementsAre(Pair(20.0, 0.0), Pair(50.0, 0.0)));
    EXPECT_THAT(UnitPoints(Band(1)), ElementsAre(Pair(50.0, 0.0), Pair(80.0, 0.0)));
    EXPECT_THAT(UnitPoints(Band(2)), ElementsAre(Pair(80.0, 0.0), Pair(120.0, 0.0)));
    EXPECT_EQ(EdgeLength(Band(0)) + EdgeLength(Band(1)) + EdgeLength(Band(2)), 100.0);
    // The leaving guide follows, then the leaving stretch cut to 222.
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(120.0, 10.0), Pair(120.0, 232.0)));
    // The collection is only read.
    EXPECT_EQ(cross.m_FromEdges.Size(), 3);
    EXPECT_EQ(cross.m_FromEdges.GetAt(2)->m_Count, 2);
}

TEST_F(EnteringStretchTest, SingleLongEdgeKeepsItsLastFromLength)
{
    Enter({400.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(UnitPoints(Band(0)), ElementsAre(Pair(300.0, 0.0), Pair(400.0, 0.0)));
}

TEST_F(EnteringStretchTest, BandIncludesBothBounds)
{
    Enter({20.0, 45.0, 60.0}); // 60 + 45 = 105: taken whole, the 20 is not reached
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(1, 2, 3, 4));
    EXPECT_TRUE(Band(0).m_isWhole);

    path = TestPath();
    Enter({20.0, 35.0, 60.0}); // 95
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(1, 2, 3, 4));
    EXPECT_TRUE(Band(0).m_isWhole);
}

TEST_F(EnteringStretchTest, OvershootIsStrict)
{
    Enter({20.0, 45.5, 60.0}); // 105.5: cut to the missing 40
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(UnitPoints(Band(0)), ElementsAre(Pair(25.5, 0.0), Pair(65.5, 0.0)));
}

TEST_F(EnteringStretchTest, ShortEnteringEdgesAreAllTakenWhole)
{
    Enter({20.0, 30.0, 40.0}); // 90 < 95
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_TRUE(Band(0).m_isWhole);
}

TEST_F(EnteringStretchTest, OtherLengthsCutTheSameJunctionAgain)
{
    Enter({50.0, 30.0, 40.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    ASSERT_EQ(cross.GenerateCrossEdges(100.0, 50.0, 2.0, 11.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(UnitPoints(Band(0)), ElementsAre(Pair(70.0, 0.0), Pair(80.0, 0.0)));
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(120.0, 10.0), Pair(120.0, 121.0)));
}

// ---- guides between --------------------------------------------------------

TEST_F(CrossEdgesTest, GuidesBetweenAreTakenWholeUpToTheLeavingGuide)
{
    Road road(path);
    road.Guide(100.0);
    road.Guide(5.0, Heading::North, 2);
    road.Guide(7.0, Heading::North);
    road.Guide(9.0, Heading::West); // leaving guide
    road.Guide(300.0, Heading::West);
    Collect(0, 3);
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_EQ(Band(1).m_Count, 3);
    EXPECT_TRUE(Band(3).m_isWhole);
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(91.0, 12.0), Pair(-131.0, 12.0)));
}

TEST_F(CrossEdgesTest, EqualEnteringAndLeavingGuidesAddNothingBetween)
{
    Road road(path);
    road.Guide(100.0);
    road.Guide(300.0, Heading::North);
    Collect(0, 0);
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1));
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(100.0, 0.0), Pair(100.0, 222.0)));
}

TEST_F(CrossEdgesTest, LeavingGuideEndingWhereTheEnteringGuideEndsIsWalkedTo)
{
    // Round a whole square roundabout and out the way the route came in: the
    // circle's last guide ends where the entering guide ends, and the band
    // goes round the circle, not straight back.
    Road road(path);
    road.Guide(100.0);                // 0: in, east to (100, 0)
    road.Guide(10.0, Heading::North); // 1 .. 4: the circle back to (100, 0)
    road.Guide(10.0, Heading::West);
    road.Guide(10.0, Heading::South);
    road.Guide(10.0, Heading::East);   // 4: the leaving guide
    road.Guide(300.0, Heading::South); // 5: out
    Collect(0, 4);
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2, 3, 4, 5));
}

TEST_F(CrossEdgesTest, DeadEndUTurnLeavesOnTheEnteringGuide)
{
    // East to the dead end at (300, 0), back west to (0, 0), then south.
    Road road(path);
    road.Guide(300.0);
    road.Guide(300.0, Heading::West);
    road.Guide(300.0, Heading::South);
    // The entering guide as the leaving guide: the arrow lies on the way back.
    Collect(0, 0, NAV_TURN_UTURN);
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1));
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(300.0, 0.0), Pair(78.0, 0.0)));
    // The way back as the leaving guide: all of it joins the junction.
    Collect(0, 1, NAV_TURN_UTURN);
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2));
    EXPECT_THAT(UnitPoints(LastOfBand()), ElementsAre(Pair(0.0, 0.0), Pair(0.0, -222.0)));
}

TEST_F(CrossEdgesTest, PathEndingBeforeTheLeavingGuideFails)
{
    Road road(path);
    road.Guide(100.0);
    road.Guide(30.0, Heading::North);
    road.Guide(30.0, Heading::North);
    NavGuid exit = path.GuideAsNav(2);
    exit.m_GuidePoint = At(-500.0, -500.0); // not on this path
    cross.SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_RIGHT, path.GuideAsNav(0), exit));
    RecordingLog::Instance().Clear();

    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
    EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
    ExpectAppendFailureLogged();
}

TEST_F(CrossEdgesTest, EnteringGuideLastOnThePathFails)
{
    Road road(path);
    road.Guide(30.0, Heading::North);
    road.Guide(100.0);
    Collect(1, 0);
    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
    ExpectAppendFailureLogged();
}

// ---- preconditions and failures ---------------------------------------------

TEST_F(CrossEdgesTest, ArgumentsOutsideTheirRangeFailSilentlyAndEmptyTheBand)
{
    TurnNorth(100.0, {300.0});
    const double arguments[][3] = {
        {4.0, 100.0, 5.0},   // toLength below tolerance
        {200.0, 4.9, 5.0},   // fromLength below tolerance
        {200.0, 100.0, -1.0} // negative tolerance
    };
    for (const auto& a : arguments)
    {
        ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
        ASSERT_GT(cross.m_EdgeVec.Size(), 0);
        EXPECT_EQ(cross.GenerateCrossEdges(a[0], a[1], a[2], 22.0), -1);
        EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
    }
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(CrossEdgesTest, NoPathFailsSilently)
{
    TurnNorth(100.0, {300.0});
    ASSERT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    cross.SetCrossInfo(nullptr, CTurnInfo());
    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
    EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
    EXPECT_EQ(cross.m_FromEdges.Size(), 1);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(CrossEdgesTest, ZeroToleranceAndLengthsPassTheArgumentTest)
{
    TurnNorth(100.0, {300.0});
    ASSERT_EQ(cross.GenerateCrossEdges(0.0, 0.0, 0.0, 0.0), 0);
    // Cuts of length 0: both points at the junction end of the entering edge,
    // both at the start of the leaving one.
    EXPECT_THAT(BandGuides(), ElementsAre(0, 1, 2));
    EXPECT_THAT(UnitPoints(Band(0)), ElementsAre(Pair(100.0, 0.0), Pair(100.0, 0.0)));
    EXPECT_THAT(UnitPoints(Band(2)), ElementsAre(Pair(100.0, 30.0), Pair(100.0, 30.0)));
}

TEST_F(CrossEdgesTest, EndOfRouteIsLoggedOnEveryCall)
{
    Road road(path);
    road.Guide(100.0);
    road.Guide(300.0, Heading::North);
    Collect(0, 1, NAV_TURN_END);
    for (int call = 0; call < 2; ++call)
    {
        EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
        EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
    }
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_CROSS_TURN_END, AP_MSG_CROSS_TURN_END));
}

TEST_F(CrossEdgesTest, NoEnteringEdgesIsLogged)
{
    Road road(path);
    road.Guide(100.0);
    road.Guide(300.0, Heading::North);
    NavGuid elsewhere = path.GuideAsNav(0);
    elsewhere.m_GuidePoint = At(-500.0, -500.0);
    cross.SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_RIGHT, elsewhere, path.GuideAsNav(1)));
    ASSERT_EQ(cross.m_FromEdges.Size(), 0);

    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_CROSS_NO_FROM_EDGES));
}

TEST_F(CrossEdgesTest, GuideWithoutPointsFailsTheBand)
{
    Road road(path);
    road.Guide(100.0);
    path.AddGuideWithoutPoints(At(100.0, 30.0), 30.0); // between
    Road after(path, 100.0, 30.0);
    after.Guide(30.0, Heading::North); // leaving guide
    after.Guide(300.0, Heading::North);
    Collect(0, 2);
    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
    EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
    ExpectAppendFailureLogged();
}

TEST_F(CrossEdgesTest, AllocationFailuresFailTheBand)
{
    TurnNorth(100.0, {150.0, 40.0, 100.0});
    for (ApAllocSite site : {AP_ALLOC_EDGE, AP_ALLOC_POINT_BUFFER, AP_ALLOC_POINTER_ARRAY})
    {
        RecordingLog::Instance().Clear();
        static ApAllocSite failing;
        failing = site;
        ApSetAllocFailPredicate([](ApAllocSite s) { return s == failing; });
        EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1) << site;
        ApSetAllocFailPredicate(nullptr);
        EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
        ExpectAppendFailureLogged();
    }
    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
}

// ---- guides that never end ---------------------------------------------------

TEST_F(CrossEdgesTest, CyclicPathWithoutTheLeavingGuideFailsAfterTheWalkBound)
{
    Road road(path);
    road.Guide(100.0);
    road.Guide(30.0, Heading::North);
    road.Guide(30.0, Heading::North);
    path.cyclicGuides = true;
    NavGuid exit = path.GuideAsNav(2);
    exit.m_GuidePoint = At(-500.0, -500.0);
    cross.SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_RIGHT, path.GuideAsNav(0), exit));
    RecordingLog::Instance().Clear();
    path.getNextGuidCalls = 0;

    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), -1);
    EXPECT_EQ(path.getNextGuidCalls, AP_GUIDE_WALK_LIMIT);
    EXPECT_EQ(cross.m_EdgeVec.Size(), 0);
    ExpectAppendFailureLogged();
}

TEST_F(CrossEdgesTest, CyclicPathThatNeverReachesTheLengthEndsAfterTheWalkBound)
{
    // Guides recorded as 0 long: the running total never grows.
    Road road(path);
    road.GuideWithLength(100.0, 0.0);
    road.GuideWithLength(30.0, 0.0, Heading::North);
    road.GuideWithLength(30.0, 0.0, Heading::North);
    path.cyclicGuides = true;
    Collect(0, 1);
    path.getNextGuidCalls = 0;

    EXPECT_EQ(cross.GenerateCrossEdges(200.0, 100.0, 5.0, 22.0), 0);
    EXPECT_EQ(path.getNextGuidCalls, 1 + AP_GUIDE_WALK_LIMIT);
    // Entering edge, leaving guide, and one edge per step of the leaving walk.
    EXPECT_EQ(cross.m_EdgeVec.Size(), 2 + AP_GUIDE_WALK_LIMIT);
    EXPECT_TRUE(LogLines().empty());
    cross.m_EdgeVec.RemoveAll();
}

} // namespace
} // namespace aptest
