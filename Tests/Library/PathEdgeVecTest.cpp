// The owning edge vector: room for edges, every edge appended kept in order,
// the four Append builds, and that an Append whose allocation fails, at any
// of its allocations, leaves the vector as it was.
#include "Edges/PathEdgeVec.h"
#include "AllocProbe.h"
#include "Support/TestHost.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace
{

class PathEdgeVecTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        aptest::ResetTestHost();
        aptest::GeodesyControl::UsePlanar(1.0);
        for (int i = 0; i < 12; ++i)
            line.push_back({static_cast<double>(i), 0.0}); // 11 units long
        guide = aptest::MakeGuide(line.data(), 12, 11.0, "Main Road");
        noArray = aptest::MakeGuide(nullptr, 3, 2.0, "No Array");
    }
    void TearDown() override
    {
        ApSetAllocFailPredicate(nullptr);
        aptest::ResetTestHost();
    }

    // A vector of `count` whole copies of the guide, each marked by its index
    // in m_GuideAttr1.
    void FillCopies(CPathEdgeVec& vec, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            ASSERT_EQ(0, vec.Append(guide, true, true));
            vec.GetAt(vec.Size() - 1)->m_GuideAttr1 = static_cast<uint32_t>(i);
        }
    }
    static std::vector<int> Marks(const CPathEdgeVec& vec)
    {
        std::vector<int> marks;
        for (int i = 0; i < vec.Size(); ++i)
            marks.push_back(vec.GetAt(i) ? static_cast<int>(vec.GetAt(i)->m_GuideAttr1) : -1);
        return marks;
    }

    std::vector<tagLonLat> line;
    PathGuid guide;
    PathGuid noArray;
};

TEST_F(PathEdgeVecTest, ConstructedEmpty)
{
    CPathEdgeVec vec;
    EXPECT_EQ(0, vec.Size());
    EXPECT_EQ(0, vec.Reserve(0)); // no room
    EXPECT_EQ(nullptr, vec.mp_Items);
    EXPECT_EQ(nullptr, vec.GetAt(0));
}

TEST_F(PathEdgeVecTest, AppendsKeepEveryEdgeInOrder)
{
    CPathEdgeVec vec;
    FillCopies(vec, 40);
    std::vector<int> expected(40);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(expected, Marks(vec));
}

// Reserve(n) answers the room, at least n; appends up to the room, and
// Reserve of no more than it, need no pointer array (so cannot fail for one).
TEST_F(PathEdgeVecTest, ReservedRoomTakesAppendsWithoutAGrowingArray)
{
    for (int n = 1; n <= 20; ++n)
    {
        CPathEdgeVec vec;
        const int room = vec.Reserve(n);
        ASSERT_GE(room, n);
        edgetest::AllocProbe noArrays(AP_ALLOC_POINTER_ARRAY, 1);
        EXPECT_EQ(room, vec.Reserve(n)) << n;
        FillCopies(vec, room);
        EXPECT_EQ(room, vec.Size()) << n;
        EXPECT_EQ(0, noArrays.Failures()) << n;
    }
    edgetest::AllocProbe noArrays(AP_ALLOC_POINTER_ARRAY, 1);
    CPathEdgeVec empty;
    EXPECT_EQ(0, empty.Reserve(0));
    EXPECT_EQ(0, noArrays.Failures());
}

TEST_F(PathEdgeVecTest, ReserveFailures)
{
    CPathEdgeVec vec;
    FillCopies(vec, 3);
    CPathEdge** items = vec.mp_Items;
    const int room = vec.Reserve(0);
    {
        edgetest::AllocProbe noArrays(AP_ALLOC_POINTER_ARRAY, 1);
        EXPECT_EQ(-1, vec.Reserve(room + 1));
    }
    {
        edgetest::AllocProbe probe;
        // INT_MAX is prime: rounded to whatever room, it passes an int.
        EXPECT_EQ(-1, vec.Reserve(INT_MAX));
        EXPECT_EQ(0, probe.Attempts(AP_ALLOC_POINTER_ARRAY));
    }
    EXPECT_EQ(items, vec.mp_Items);
    EXPECT_EQ(room, vec.Reserve(0));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), Marks(vec));
}

TEST_F(PathEdgeVecTest, GetAtOutsideTheSizeIsNull)
{
    CPathEdgeVec vec;
    FillCopies(vec, 2);
    EXPECT_EQ(nullptr, vec.GetAt(-1));
    EXPECT_EQ(nullptr, vec.GetAt(vec.Size()));
    EXPECT_EQ(nullptr, vec.GetAt(7)); // inside the capacity, outside the size
    EXPECT_EQ(nullptr, vec.GetAt(INT_MIN));
    EXPECT_NE(nullptr, vec.GetAt(1));
}

TEST_F(PathEdgeVecTest, ReverseRanges)
{
    struct Case
    {
        int start, n;
        std::vector<int> marks;
    };
    const Case cases[] = {
        {0, -1, {2, 1, 0}},
        {1, 5, {0, 2, 1}},
        {0, 2, {1, 0, 2}},
        {0, 1, {0, 1, 2}},
        {3, -1, {0, 1, 2}},
        {-1, 3, {0, 1, 2}},
        {4, -1, {0, 1, 2}},
        {INT_MIN, 2, {0, 1, 2}},
        {0, INT_MAX, {2, 1, 0}},
        {2, INT_MAX, {0, 1, 2}},
        {INT_MAX, INT_MAX, {0, 1, 2}},
    };
    for (const Case& c : cases)
    {
        CPathEdgeVec vec;
        FillCopies(vec, 3);
        vec.Reverse(c.start, c.n);
        EXPECT_EQ(c.marks, Marks(vec)) << "Reverse(" << c.start << ", " << c.n << ")";
    }
    CPathEdgeVec empty;
    empty.Reverse(0, -1);
    EXPECT_EQ(0, empty.Size());
}

TEST_F(PathEdgeVecTest, RemoveAtNullsTheSlotAndKeepsTheSize)
{
    CPathEdgeVec vec;
    FillCopies(vec, 3);
    vec.RemoveAt(1);
    EXPECT_EQ(3, vec.Size());
    EXPECT_EQ((std::vector<int>{0, -1, 2}), Marks(vec));
    vec.RemoveAt(1); // an empty slot again
    for (int i : {-1, 3, 8, INT_MIN, INT_MAX})
        vec.RemoveAt(i);
    EXPECT_EQ((std::vector<int>{0, -1, 2}), Marks(vec));
    // A reversal moves the empty slot with the others.
    vec.Reverse(0, -1);
    EXPECT_EQ((std::vector<int>{2, -1, 0}), Marks(vec));
}

TEST_F(PathEdgeVecTest, RemoveAllEmptiesAndTheVectorFillsAgain)
{
    CPathEdgeVec empty;
    empty.RemoveAll();
    EXPECT_EQ(0, empty.Size());
    EXPECT_EQ(nullptr, empty.mp_Items);

    CPathEdgeVec vec;
    FillCopies(vec, 10);
    vec.RemoveAt(4);
    vec.RemoveAll();
    EXPECT_EQ(0, vec.Size());
    EXPECT_EQ(0, vec.Reserve(0)); // the pointer array is gone
    EXPECT_EQ(nullptr, vec.mp_Items);
    FillCopies(vec, 2);
    EXPECT_EQ((std::vector<int>{0, 1}), Marks(vec));
}

// ---- the four builds ----------------------------------------------------------

TEST_F(PathEdgeVecTest, AppendCopyOfAnEdge)
{
    CPathEdge source;
    ASSERT_EQ(1, source.TrimGuide(guide, 2.5, true, true));
    CPathEdgeVec vec;
    EXPECT_EQ(0, vec.Append(source));
    ASSERT_EQ(1, vec.Size());
    CPathEdge* copy = vec.GetAt(0);
    EXPECT_NE(&source, copy);
    EXPECT_NE(source.mp_Points, copy->mp_Points);
    EXPECT_EQ(source.m_Count, copy->m_Count);
    EXPECT_TRUE(copy->m_isWhole);
    EXPECT_EQ(11.0, copy->m_Length);

    CPathEdge noPoints;
    EXPECT_EQ(-1, vec.Append(noPoints));
    CPathEdge emptied;
    ASSERT_EQ(1, emptied.AddPoint({1.0, 1.0}));
    emptied.RemoveLast(); // a buffer, but no points
    EXPECT_EQ(-1, vec.Append(emptied));
    EXPECT_EQ(1, vec.Size());
}

TEST_F(PathEdgeVecTest, AppendCutCopyOfAnEdge)
{
    CPathEdge source;
    source.AttachGuide(guide, true);
    CPathEdgeVec vec;
    EXPECT_EQ(0, vec.Append(source, 2.5, false));
    ASSERT_EQ(1, vec.Size());
    CPathEdge* cut = vec.GetAt(0);
    EXPECT_FALSE(cut->m_isWhole);
    EXPECT_TRUE(cut->m_isOwnPoints);
    ASSERT_EQ(4, cut->m_Count);
    EXPECT_EQ(8.5, cut->GetPoint(0).lon);
    EXPECT_EQ(11.0, cut->GetPoint(3).lon);
    EXPECT_EQ(0, vec.Append(source, 2.5, true));
    EXPECT_EQ(2.5, vec.GetAt(1)->GetPoint(vec.GetAt(1)->m_Count - 1).lon);

    EXPECT_EQ(-1, vec.Append(source, 11.5, false)); // longer than the polyline
    CPathEdge noPoints;
    EXPECT_EQ(-1, vec.Append(noPoints, 1.0, false));
    EXPECT_EQ(2, vec.Size());
}

TEST_F(PathEdgeVecTest, AppendCutGuide)
{
    CPathEdgeVec vec;
    EXPECT_EQ(0, vec.Append(guide, 3.25, true, true));
    ASSERT_EQ(1, vec.Size());
    CPathEdge* cut = vec.GetAt(0);
    EXPECT_FALSE(cut->m_isWhole);
    ASSERT_EQ(5, cut->m_Count);
    EXPECT_EQ(3.25, cut->GetPoint(4).lon);
    EXPECT_STREQ("Main Road", cut->m_Name);
    EXPECT_EQ(11.0, cut->m_Length);

    EXPECT_EQ(-1, vec.Append(noArray, 1.0, true, true));
    EXPECT_EQ(-1, vec.Append(guide, 12.0, true, true));
    EXPECT_EQ(-1, vec.Append(guide, 11.0, true, true)); // exact: the start walk runs out
    EXPECT_EQ(0, vec.Append(guide, 11.0, false, true));
    EXPECT_EQ(2, vec.Size());
}

TEST_F(PathEdgeVecTest, AppendWholeGuide)
{
    CPathEdgeVec vec;
    EXPECT_EQ(0, vec.Append(guide, true, true));
    EXPECT_EQ(0, vec.Append(guide, false, true));
    ASSERT_EQ(2, vec.Size());
    EXPECT_TRUE(vec.GetAt(0)->m_isOwnPoints);
    EXPECT_NE(line.data(), vec.GetAt(0)->mp_Points);
    EXPECT_EQ(12, vec.GetAt(0)->m_Count);
    EXPECT_FALSE(vec.GetAt(1)->m_isOwnPoints);
    EXPECT_EQ(line.data(), vec.GetAt(1)->mp_Points);

    // No point array: the copy fails, the borrowed edge is stored with null
    // points and the record's count.
    EXPECT_EQ(-1, vec.Append(noArray, true, true));
    EXPECT_EQ(0, vec.Append(noArray, false, true));
    ASSERT_EQ(3, vec.Size());
    EXPECT_EQ(nullptr, vec.GetAt(2)->mp_Points);
    EXPECT_STREQ("No Array", vec.GetAt(2)->m_Name);

    vec.RemoveAll(); // the borrowed arrays stay with their owner
    EXPECT_EQ(11.0, line[11].lon);
}

// ---- failures leave the vector unchanged -----------------------------------------

struct AppendVariant
{
    const char* what;
    std::function<int(CPathEdgeVec&)> append;
};

class FailedAppendTest : public PathEdgeVecTest
{
protected:
    // A vector with no room left: an Append has to grow its pointer array.
    void Full(CPathEdgeVec& vec) { FillCopies(vec, vec.Reserve(1)); }

    // The allocations per site of `variant` appending to a full vector.
    std::array<int, AP_ALLOC_SITE_COUNT> AllocationsOf(const AppendVariant& variant)
    {
        std::array<int, AP_ALLOC_SITE_COUNT> made{};
        CPathEdgeVec vec;
        Full(vec);
        edgetest::AllocProbe counting;
        EXPECT_EQ(0, variant.append(vec)) << variant.what;
        for (size_t site = 0; site < made.size(); ++site)
            made[site] = counting.Attempts(static_cast<ApAllocSite>(site));
        return made;
    }

    // Allocation `attempt` at `site` fails: the Append fails and leaves the
    // full vector as it was, and succeeds once the allocation does.
    void ExpectFailureChangesNothing(const AppendVariant& variant, ApAllocSite site, int attempt)
    {
        SCOPED_TRACE(std::string(variant.what) + ", allocation " + std::to_string(attempt) +
                     " at site " + std::to_string(site));
        CPathEdgeVec vec;
        Full(vec);
        const int size = vec.Size();
        CPathEdge** items = vec.mp_Items;
        const std::vector<CPathEdge*> edges(items, items + size);
        const std::vector<int> marks = Marks(vec);
        {
            edgetest::AllocProbe probe(site, attempt);
            EXPECT_EQ(-1, variant.append(vec));
            EXPECT_EQ(1, probe.Failures());
        }
        EXPECT_EQ(size, vec.Size());
        EXPECT_EQ(items, vec.mp_Items);
        EXPECT_EQ(edges, std::vector<CPathEdge*>(vec.mp_Items, vec.mp_Items + size));
        EXPECT_EQ(marks, Marks(vec));
        EXPECT_EQ(0, variant.append(vec));
        EXPECT_EQ(size + 1, vec.Size());
    }
};

// Each allocation that each Append makes, failed in turn.
TEST_F(FailedAppendTest, EveryFailedAppendLeavesTheVectorUnchanged)
{
    CPathEdge source;
    source.AttachGuide(guide, true);
    const AppendVariant variants[] = {
        {"copy of an edge", [&](CPathEdgeVec& v) { return v.Append(source); }},
        {"cut copy of an edge", [&](CPathEdgeVec& v) { return v.Append(source, 9.5, false); }},
        {"cut guide", [&](CPathEdgeVec& v) { return v.Append(guide, 9.5, true, true); }},
        {"whole guide, copied", [&](CPathEdgeVec& v) { return v.Append(guide, true, true); }},
        {"whole guide, borrowed", [&](CPathEdgeVec& v) { return v.Append(guide, false, true); }},
    };
    for (const AppendVariant& variant : variants)
    {
        const std::array<int, AP_ALLOC_SITE_COUNT> made = AllocationsOf(variant);
        EXPECT_GT(made[AP_ALLOC_EDGE], 0) << variant.what;
        EXPECT_GT(made[AP_ALLOC_POINTER_ARRAY], 0) << variant.what;
        for (size_t site = 0; site < made.size(); ++site)
            for (int attempt = 1; attempt <= made[site]; ++attempt)
                ExpectFailureChangesNothing(variant, static_cast<ApAllocSite>(site), attempt);
    }
}

} // namespace
