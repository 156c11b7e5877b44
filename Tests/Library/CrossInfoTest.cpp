// The junction builder's state and the collection of the guides before the
// junction: the ring of the last guides, its order, the entering edges, and
// the failures and the bound of the walk.
#include "JunctionTestSupport.h"
#include "LogLineChecks.h"

#include "Edges/HeapAlloc.h"
#include "Render/CrossPathEdges.h"
#include "Render/GuideWalk.h"
#include "Support/SameBytes.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace aptest
{
namespace
{

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class CrossInfoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetTestHost();
        GeodesyControl::UsePlanar(kUnitsPerDegree);
    }
    void TearDown() override { ResetTestHost(); }

    // A road of `count` guides of 10, 11, 12, ... units east; guide `enter`
    // is the one the route enters the junction on.
    void BuildRoad(int count)
    {
        Road road(path);
        for (int i = 0; i < count; ++i)
            road.Guide(10.0 + i);
    }

    CTurnInfo TurnEnteringOn(int enter, int exit)
    {
        return MakeTurnInfo(NAV_TURN_RIGHT, path.GuideAsNav(enter), path.GuideAsNav(exit));
    }

    // The path indexes of the guides in the slots, -1 for an empty slot.
    std::vector<int> SlotIndexes() const
    {
        std::vector<int> indexes;
        for (const PathGuid& slot : cross->m_Guides)
            indexes.push_back(IsValidSlot(slot) ? GuideIndexOf(slot) : -1);
        return indexes;
    }

    std::vector<int> FromEdgeIndexes() const
    {
        std::vector<int> indexes;
        for (int i = 0; i < cross->m_FromEdges.Size(); ++i)
            indexes.push_back(GuideIndexOf(*cross->m_FromEdges.GetAt(i)));
        return indexes;
    }

    static bool IsValidSlot(const PathGuid& slot)
    {
        return slot.m_GuidePoint.lon > -180.0 && slot.m_GuidePoint.lon < 180.0 &&
               slot.m_GuidePoint.lat > -90.0 && slot.m_GuidePoint.lat < 90.0;
    }

    // True when every slot is empty as ResetGuides leaves it.
    bool AllSlotsEmpty() const
    {
        PathGuid empty;
        std::memset(&empty, 0, sizeof(empty));
        empty.m_GuidePoint = AP_INVALID_POINT;
        return std::all_of(std::begin(cross->m_Guides), std::end(cross->m_Guides),
                           [&empty](const PathGuid& slot) { return SameBytes(slot, empty); });
    }

    TestPath path;
    std::unique_ptr<CCrossPathEdges> cross{new CCrossPathEdges()};
};

TEST_F(CrossInfoTest, ConstructionIsEmpty)
{
    EXPECT_EQ(cross->mp_Path, nullptr);
    EXPECT_EQ(cross->m_FromEdges.Size(), 0);
    EXPECT_EQ(cross->m_EdgeVec.Size(), 0);
    EXPECT_TRUE(AllSlotsEmpty());
    const auto* enter = reinterpret_cast<const unsigned char*>(&cross->m_EnterGuide);
    const auto* exit = reinterpret_cast<const unsigned char*>(&cross->m_ExitGuide);
    EXPECT_EQ(std::count(enter, enter + sizeof(NavGuid), 0), static_cast<long>(sizeof(NavGuid)));
    EXPECT_EQ(std::count(exit, exit + sizeof(NavGuid), 0), static_cast<long>(sizeof(NavGuid)));
    EXPECT_EQ(cross->m_TurnInfo.GetTurnType(0), NAV_TURN_NONE);
}

TEST_F(CrossInfoTest, ReverseGuidesSwapsWholeRecords)
{
    BuildRoad(5);
    for (int i = 0; i < 5; ++i)
        cross->m_Guides[i] = path.Guide(i);

    cross->ReverseGuides(&cross->m_Guides[0], 1);
    cross->ReverseGuides(&cross->m_Guides[0], 0);
    EXPECT_THAT(SlotIndexes(), ElementsAre(0, 1, 2, 3, 4, -1, -1, -1, -1, -1));

    cross->ReverseGuides(&cross->m_Guides[1], 3); // middle one stays
    EXPECT_THAT(SlotIndexes(), ElementsAre(0, 3, 2, 1, 4, -1, -1, -1, -1, -1));
    EXPECT_TRUE(SameBytes(cross->m_Guides[1], path.Guide(3)));

    cross->ReverseGuides(&cross->m_Guides[0], 4);
    EXPECT_THAT(SlotIndexes(), ElementsAre(1, 2, 3, 0, 4, -1, -1, -1, -1, -1));

    cross->ResetGuides();
    EXPECT_TRUE(AllSlotsEmpty());
}

// The ring keeps the last ten guides up to and including the entering guide,
// ordered from the junction backwards.
struct RingCase
{
    int guidesUpToMatch;
    std::vector<int> slots; // path indexes, -1 empty
};

class CrossInfoRingTest : public CrossInfoTest, public ::testing::WithParamInterface<RingCase>
{
};

TEST_P(CrossInfoRingTest, KeepsTheLastTenGuidesFromTheJunctionBackwards)
{
    const RingCase& ring = GetParam();
    BuildRoad(ring.guidesUpToMatch + 3); // guides after the junction are never walked
    const int enter = ring.guidesUpToMatch - 1;

    cross->SetCrossInfo(&path, TurnEnteringOn(enter, enter + 1));

    EXPECT_EQ(cross->mp_Path, &path);
    EXPECT_THAT(SlotIndexes(), ElementsAreArray(ring.slots));
    std::vector<int> collected;
    for (int index : ring.slots)
        if (index >= 0)
            collected.push_back(index);
    EXPECT_THAT(FromEdgeIndexes(), ElementsAreArray(collected));
    EXPECT_EQ(path.getNextGuidCalls, enter);
    EXPECT_TRUE(LogLines().empty());

    // Each entering edge is a whole, owned copy of its guide's points.
    for (int i = 0; i < cross->m_FromEdges.Size(); ++i)
    {
        const CPathEdge& edge = *cross->m_FromEdges.GetAt(i);
        const PathGuid& guide = path.Guide(GuideIndexOf(edge));
        EXPECT_TRUE(edge.m_isWhole);
        EXPECT_TRUE(edge.m_isOwnPoints);
        ASSERT_EQ(edge.m_Count, guide.m_FirstCount);
        EXPECT_NE(edge.mp_Points, guide.mp_FirstPoints);
        EXPECT_EQ(edge.m_Length, 10.0 + GuideIndexOf(edge));
        EXPECT_STREQ(edge.m_Name, guide.m_FirstName);
    }
}

INSTANTIATE_TEST_SUITE_P(GuideCounts, CrossInfoRingTest,
                         ::testing::Values(RingCase{1, {0, -1, -1, -1, -1, -1, -1, -1, -1, -1}},
                                           RingCase{5, {4, 3, 2, 1, 0, -1, -1, -1, -1, -1}},
                                           RingCase{10, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
                                           RingCase{11, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
                                           RingCase{13, {12, 11, 10, 9, 8, 7, 6, 5, 4, 3}},
                                           RingCase{19, {18, 17, 16, 15, 14, 13, 12, 11, 10, 9}},
                                           RingCase{20, {19, 18, 17, 16, 15, 14, 13, 12, 11, 10}},
                                           RingCase{23, {22, 21, 20, 19, 18, 17, 16, 15, 14, 13}}));

TEST_F(CrossInfoTest, KeepsTurnInformationAndBothGuides)
{
    BuildRoad(6);
    cross->SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_LEFT, path.GuideAsNav(2), path.GuideAsNav(4)));
    EXPECT_EQ(cross->m_TurnInfo.GetTurnType(0), NAV_TURN_LEFT);
    EXPECT_TRUE(SameBytes<PathGuid>(cross->m_EnterGuide, path.Guide(2)));
    EXPECT_TRUE(SameBytes<PathGuid>(cross->m_ExitGuide, path.Guide(4)));
}

TEST_F(CrossInfoTest, MatchesTheEnteringGuideWithinTheTolerance)
{
    BuildRoad(6);
    NavGuid enter = path.GuideAsNav(3);
    enter.m_GuidePoint.lon += 2.9e-06; // still the same point
    enter.m_GuidePoint.lat -= 2.9e-06;
    cross->SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_LEFT, enter, path.GuideAsNav(4)));
    EXPECT_THAT(FromEdgeIndexes(), ElementsAre(3, 2, 1, 0));
}

TEST_F(CrossInfoTest, PathWithoutTheEnteringGuideCollectsNothing)
{
    BuildRoad(12);
    cross->SetCrossInfo(&path, TurnEnteringOn(5, 6));
    ASSERT_EQ(cross->m_FromEdges.Size(), 6);

    NavGuid elsewhere = path.GuideAsNav(3);
    elsewhere.m_GuidePoint = At(5000.0, 5000.0);
    path.getNextGuidCalls = 0;
    cross->SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_LEFT, elsewhere, elsewhere));

    EXPECT_TRUE(AllSlotsEmpty());
    EXPECT_EQ(cross->m_FromEdges.Size(), 0);
    EXPECT_EQ(path.getNextGuidCalls, 12); // to the end, and no further
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(cross->mp_Path, &path);
}

TEST_F(CrossInfoTest, NullPathOnlyDetaches)
{
    BuildRoad(5);
    cross->SetCrossInfo(&path, TurnEnteringOn(3, 4));
    ASSERT_EQ(cross->m_FromEdges.Size(), 4);
    const CPathEdge* first = cross->m_FromEdges.GetAt(0);
    std::vector<int> slots = SlotIndexes();

    cross->SetCrossInfo(nullptr, CTurnInfo());

    EXPECT_EQ(cross->mp_Path, nullptr);
    EXPECT_EQ(cross->m_FromEdges.Size(), 4);
    EXPECT_EQ(cross->m_FromEdges.GetAt(0), first);
    EXPECT_EQ(SlotIndexes(), slots);
    EXPECT_EQ(cross->m_TurnInfo.GetTurnType(0), NAV_TURN_RIGHT);
    EXPECT_EQ(GuideIndexOf(cross->m_EnterGuide), 3);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(CrossInfoTest, PathWithoutFirstPositionLogsAndEmpties)
{
    BuildRoad(5);
    cross->SetCrossInfo(&path, TurnEnteringOn(3, 4));
    path.failFirstPosition = true;

    cross->SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_LEFT, path.GuideAsNav(2), path.GuideAsNav(3)));

    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_CROSS_NO_FIRST_POSITION));
    // Turn information and guides are already taken; the collection is empty.
    EXPECT_EQ(cross->mp_Path, &path);
    EXPECT_EQ(cross->m_TurnInfo.GetTurnType(0), NAV_TURN_LEFT);
    EXPECT_EQ(GuideIndexOf(cross->m_EnterGuide), 2);
    EXPECT_EQ(GuideIndexOf(cross->m_ExitGuide), 3);
    EXPECT_TRUE(AllSlotsEmpty());
    EXPECT_EQ(cross->m_FromEdges.Size(), 0);
}

TEST_F(CrossInfoTest, GuideThatCannotBeReadLogsAndEmpties)
{
    BuildRoad(5);
    cross->SetCrossInfo(&path, TurnEnteringOn(3, 4));
    path.failGetGuid = true;

    cross->SetCrossInfo(&path, TurnEnteringOn(3, 4));

    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_CROSS_NO_FIRST_GUIDE));
    EXPECT_TRUE(AllSlotsEmpty());
    EXPECT_EQ(cross->m_FromEdges.Size(), 0);
}

TEST_F(CrossInfoTest, GuideWithoutPointsIsKeptInItsSlotButHasNoEdge)
{
    Road road(path);
    road.Guide(10.0);
    path.AddGuideWithoutPoints(At(10.0, 50.0), 40.0);
    Road after(path, 10.0, 50.0);
    after.Guide(12.0);

    cross->SetCrossInfo(&path, TurnEnteringOn(2, 2));

    EXPECT_THAT(SlotIndexes(), ElementsAre(2, 1, 0, -1, -1, -1, -1, -1, -1, -1));
    EXPECT_THAT(FromEdgeIndexes(), ElementsAre(2, 0));
}

TEST_F(CrossInfoTest, EdgesThatCannotBeAllocatedAreLeftOut)
{
    BuildRoad(4);
    ApSetAllocFailPredicate([](ApAllocSite site) { return site == AP_ALLOC_EDGE; });
    cross->SetCrossInfo(&path, TurnEnteringOn(3, 3));
    ApSetAllocFailPredicate(nullptr);

    EXPECT_THAT(SlotIndexes(), ElementsAre(3, 2, 1, 0, -1, -1, -1, -1, -1, -1));
    EXPECT_EQ(cross->m_FromEdges.Size(), 0);
    EXPECT_TRUE(LogLines().empty());
}

// A host fault: guides that never end. The walk gives up after its bound and
// leaves the state of a path without the junction.
TEST_F(CrossInfoTest, CyclicPathWithoutTheJunctionEndsAfterTheWalkBound)
{
    BuildRoad(7);
    path.cyclicGuides = true;
    NavGuid elsewhere = path.GuideAsNav(3);
    elsewhere.m_GuidePoint = At(-5000.0, 5000.0);

    cross->SetCrossInfo(&path, MakeTurnInfo(NAV_TURN_LEFT, elsewhere, elsewhere));

    EXPECT_EQ(path.getNextGuidCalls, AP_GUIDE_WALK_LIMIT);
    EXPECT_GE(AP_GUIDE_WALK_LIMIT, 100000); // far above any real route
    EXPECT_TRUE(AllSlotsEmpty());
    EXPECT_EQ(cross->m_FromEdges.Size(), 0);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(CrossInfoTest, CyclicPathStillFindsTheJunction)
{
    BuildRoad(7);
    path.cyclicGuides = true;
    cross->SetCrossInfo(&path, TurnEnteringOn(4, 5));
    EXPECT_THAT(FromEdgeIndexes(), ElementsAre(4, 3, 2, 1, 0));
}

TEST_F(CrossInfoTest, DestructionReleasesBothVectors)
{
    BuildRoad(4);
    cross->SetCrossInfo(&path, TurnEnteringOn(3, 3));
    ASSERT_EQ(cross->m_EdgeVec.Append(*cross->m_FromEdges.GetAt(0)), 0);
    cross.reset(); // the sanitizer build reports anything left behind
    SUCCEED();
}

} // namespace
} // namespace aptest
