// The path edge: room for points and appends (every point kept, in order;
// an append that cannot grow the buffer changes nothing), in-place reversal,
// point access, the builds from guide records and from other edges, and the
// arguments that used to reach outside the buffer.
#include "Edges/PathEdge.h"
#include "AllocProbe.h"
#include "Support/SameBytes.h"
#include "Support/TestHost.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace
{

std::vector<tagLonLat> Numbered(int count)
{
    std::vector<tagLonLat> points;
    for (int i = 0; i < count; ++i)
        points.push_back({static_cast<double>(i), static_cast<double>(-i)});
    return points;
}

// The numbers of the points of `edge` (each made by Numbered).
std::vector<int> Order(const CPathEdge& edge)
{
    std::vector<int> order;
    for (int i = 0; i < edge.m_Count; ++i)
        order.push_back(static_cast<int>(edge.mp_Points[i].lon));
    return order;
}

class PathEdgeTest : public ::testing::Test
{
protected:
    void SetUp() override { aptest::ResetTestHost(); }
    void TearDown() override
    {
        ApSetAllocFailPredicate(nullptr);
        aptest::ResetTestHost();
    }

    // An owning edge holding Numbered(count).
    static void Fill(CPathEdge& edge, int count)
    {
        std::vector<tagLonLat> points = Numbered(count);
        ASSERT_EQ(1, edge.AddPoints(points.data(), count));
    }
};

TEST_F(PathEdgeTest, ConstructedEmptyAndOwning)
{
    CPathEdge edge;
    EXPECT_TRUE(edge.m_isOwnPoints);
    EXPECT_TRUE(edge.m_isWhole);
    EXPECT_EQ(0.0, edge.m_Length);
    EXPECT_EQ(0u, edge.m_GuideAttr1);
    EXPECT_EQ(0u, edge.m_GuideAttr2);
    EXPECT_EQ(0, edge.m_Count);
    EXPECT_EQ(nullptr, edge.mp_Points);
    EXPECT_EQ(0, edge.Reserve(0)); // no room
}

// ---- room ----------------------------------------------------------------------

// Reserve(n) answers the room, at least n; appends up to the room, and
// Reserve of no more than it, allocate nothing (so they cannot fail).
TEST_F(PathEdgeTest, ReservedRoomTakesAppendsWithoutAllocating)
{
    for (int n = 1; n <= 40; ++n)
    {
        CPathEdge edge;
        const int room = edge.Reserve(n);
        ASSERT_GE(room, n);
        edgetest::AllocProbe noMemory(AP_ALLOC_POINT_BUFFER, 1);
        EXPECT_EQ(room, edge.Reserve(n)) << n;
        EXPECT_EQ(room, edge.Reserve(-5)) << n;
        Fill(edge, room);
        EXPECT_EQ(room, edge.m_Count) << n;
        EXPECT_EQ(0, noMemory.Failures()) << n;
    }
    edgetest::AllocProbe noMemory(AP_ALLOC_POINT_BUFFER, 1);
    CPathEdge empty;
    EXPECT_EQ(0, empty.Reserve(0));
    EXPECT_EQ(0, empty.Reserve(-5));
    EXPECT_EQ(nullptr, empty.mp_Points);
    EXPECT_EQ(0, noMemory.Failures());
}

TEST_F(PathEdgeTest, ReserveKeepsThePointsHeld)
{
    CPathEdge edge;
    Fill(edge, 7);
    EXPECT_GE(edge.Reserve(60), 60);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6}), Order(edge));
}

TEST_F(PathEdgeTest, ReserveFailureLeavesTheBufferAsItWas)
{
    CPathEdge edge;
    Fill(edge, 3);
    tagLonLat* before = edge.mp_Points;
    const int room = edge.Reserve(0);
    edgetest::AllocProbe noMemory(AP_ALLOC_POINT_BUFFER, 1);
    EXPECT_EQ(-1, edge.Reserve(room + 1));
    EXPECT_EQ(before, edge.mp_Points);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), Order(edge));
    EXPECT_EQ(room, edge.Reserve(room)); // no growth needed, no allocation
}

// INT_MAX is prime: whatever the room is rounded to, it rounds past an int,
// and the request is refused before anything is allocated.
TEST_F(PathEdgeTest, ReserveOfASizeThatCannotBeRoundedFails)
{
    edgetest::AllocProbe probe;
    CPathEdge edge;
    EXPECT_EQ(-1, edge.Reserve(INT_MAX));
    EXPECT_EQ(0, edge.Reserve(0));
    EXPECT_EQ(nullptr, edge.mp_Points);
    EXPECT_EQ(0, probe.Attempts(AP_ALLOC_POINT_BUFFER));
}

// ---- appends -------------------------------------------------------------------

TEST_F(PathEdgeTest, AddPointKeepsEveryPointInOrder)
{
    CPathEdge edge;
    std::vector<int> expected;
    for (const tagLonLat& p : Numbered(100))
    {
        ASSERT_EQ(1, edge.AddPoint(p));
        expected.push_back(static_cast<int>(p.lon));
    }
    EXPECT_EQ(expected, Order(edge));
    EXPECT_EQ(-99.0, edge.GetPoint(99).lat);
}

// The point handed in may lie in the edge's own buffer, which an append
// that grows the buffer moves: wherever the growth comes, the copy is right.
TEST_F(PathEdgeTest, AddPointOfItsOwnPointSurvivesGrowth)
{
    CPathEdge edge;
    Fill(edge, 1);
    std::vector<int> expected = {0};
    for (int i = 1; i < 40; ++i)
    {
        ASSERT_EQ(1, edge.AddPoint(edge.mp_Points[i / 2]));
        expected.push_back(expected[static_cast<size_t>(i / 2)]);
    }
    EXPECT_EQ(expected, Order(edge));
}

TEST_F(PathEdgeTest, AddPointRefusals)
{
    std::vector<tagLonLat> points = Numbered(3);
    PathGuid guide = aptest::MakeGuide(points.data(), 3, 2.0);
    CPathEdge borrowed;
    borrowed.AttachGuide(guide, true);
    EXPECT_EQ(0, borrowed.AddPoint({5.0, 5.0}));
    EXPECT_EQ(3, borrowed.m_Count);

    // A buffer with no room left that cannot grow.
    CPathEdge full;
    Fill(full, full.Reserve(1));
    const std::vector<int> before = Order(full);
    edgetest::AllocProbe noMemory(AP_ALLOC_POINT_BUFFER, 1);
    EXPECT_EQ(0, full.AddPoint({99.0, -99.0}));
    EXPECT_EQ(before, Order(full));
}

TEST_F(PathEdgeTest, AddPointsAppendsAllOrNone)
{
    std::vector<tagLonLat> points = Numbered(10);
    CPathEdge edge;
    EXPECT_EQ(1, edge.AddPoints(points.data(), 3));
    EXPECT_EQ(1, edge.AddPoints(points.data() + 3, 0));
    EXPECT_EQ(1, edge.AddPoints(points.data() + 3, 7));
    const std::vector<int> ten = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(ten, Order(edge));

    EXPECT_EQ(0, edge.AddPoints(nullptr, 2));
    EXPECT_EQ(0, edge.AddPoints(points.data(), -1));
    EXPECT_EQ(0, edge.AddPoints(points.data(), INT_MIN));
    EXPECT_EQ(0, edge.AddPoints(points.data(), INT_MAX)); // the count would overflow
    EXPECT_EQ(ten, Order(edge));

    // A buffer that cannot grow: one point more than the room is refused
    // whole, the room itself fills.
    const int free = edge.Reserve(0) - 10;
    edgetest::AllocProbe noMemory(AP_ALLOC_POINT_BUFFER, 1);
    EXPECT_EQ(0, edge.AddPoints(points.data(), free + 1));
    EXPECT_EQ(ten, Order(edge));
    EXPECT_EQ(1, edge.AddPoints(points.data(), free));
    EXPECT_EQ(10 + free, edge.m_Count);
}

TEST_F(PathEdgeTest, AddPointsRefusedOnBorrowedPoints)
{
    std::vector<tagLonLat> points = Numbered(3);
    PathGuid guide = aptest::MakeGuide(points.data(), 3, 2.0);
    CPathEdge edge;
    edge.AttachGuide(guide, true);
    EXPECT_EQ(0, edge.AddPoints(points.data(), 1));
    EXPECT_EQ(3, edge.m_Count);
    EXPECT_EQ(points.data(), edge.mp_Points);
}

// ---- reversal, access, removal ------------------------------------------------

TEST_F(PathEdgeTest, ReverseRanges)
{
    struct Case
    {
        int start, n;
        std::vector<int> order;
    };
    const Case cases[] = {
        {0, -1, {4, 3, 2, 1, 0}},       {2, 10, {0, 1, 4, 3, 2}},
        {1, 3, {0, 3, 2, 1, 4}},        {0, 5, {4, 3, 2, 1, 0}},
        {0, 2, {1, 0, 2, 3, 4}},        {3, -1, {0, 1, 2, 4, 3}},
        {4, 1, {0, 1, 2, 3, 4}},        {5, -1, {0, 1, 2, 3, 4}},
        {0, 0, {0, 1, 2, 3, 4}},        {0, 1, {0, 1, 2, 3, 4}},
        {0, INT_MAX, {4, 3, 2, 1, 0}},  {3, INT_MAX, {0, 1, 2, 4, 3}},
        {-1, 3, {0, 1, 2, 3, 4}},       {6, -1, {0, 1, 2, 3, 4}},
        {INT_MIN, -1, {0, 1, 2, 3, 4}}, {INT_MAX, 2, {0, 1, 2, 3, 4}},
        {1, -7, {0, 4, 3, 2, 1}},
    };
    for (const Case& c : cases)
    {
        CPathEdge edge;
        Fill(edge, 5);
        edge.Reverse(c.start, c.n);
        EXPECT_EQ(c.order, Order(edge)) << "Reverse(" << c.start << ", " << c.n << ")";
        EXPECT_EQ(5, edge.m_Count);
    }
}

TEST_F(PathEdgeTest, ReverseOfOneOrNoPointAndOfBorrowedPoints)
{
    CPathEdge single;
    Fill(single, 1);
    single.Reverse(0, -1);
    EXPECT_EQ(std::vector<int>{0}, Order(single));

    CPathEdge empty;
    empty.Reverse(0, -1);
    EXPECT_EQ(0, empty.m_Count);

    std::vector<tagLonLat> points = Numbered(4);
    PathGuid guide = aptest::MakeGuide(points.data(), 4, 3.0);
    CPathEdge borrowed;
    borrowed.AttachGuide(guide, true);
    borrowed.Reverse(0, -1);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Order(borrowed));
}

TEST_F(PathEdgeTest, GetPointOutsideTheCountIsTheInvalidPoint)
{
    CPathEdge edge;
    Fill(edge, 3);
    ASSERT_GE(edge.Reserve(8), 8); // 7 lies in the buffer, past the points
    for (int i : {-1, 3, 7, INT_MIN, INT_MAX})
    {
        tagLonLat p = edge.GetPoint(i);
        EXPECT_EQ(180.0, p.lon) << i;
        EXPECT_EQ(90.0, p.lat) << i;
    }
    EXPECT_EQ(2.0, edge.GetPoint(2).lon);
    EXPECT_EQ(-2.0, edge.GetPoint(2).lat);
    CPathEdge empty;
    EXPECT_EQ(180.0, empty.GetPoint(0).lon);
}

TEST_F(PathEdgeTest, RemoveLastStopsAtZeroAndKeepsTheBuffer)
{
    CPathEdge edge;
    Fill(edge, 2);
    edge.RemoveLast();
    EXPECT_EQ(1, edge.m_Count);
    edge.RemoveLast();
    edge.RemoveLast();
    EXPECT_EQ(0, edge.m_Count);
    EXPECT_NE(nullptr, edge.mp_Points);
    EXPECT_EQ(180.0, edge.GetPoint(0).lon);
    // The buffer stays: the points removed fit again without an allocation.
    edgetest::AllocProbe noMemory(AP_ALLOC_POINT_BUFFER, 1);
    Fill(edge, 2);
    EXPECT_EQ((std::vector<int>{0, 1}), Order(edge));
}

// ---- builds from guide records ------------------------------------------------

TEST_F(PathEdgeTest, GuideAttributesOfEitherRecord)
{
    aptest::GeodesyControl::UsePlanar(2.0);
    std::vector<tagLonLat> first = {{0.0, 0.0}, {3.0, 4.0}};              // 5 degrees
    std::vector<tagLonLat> second = {{0.0, 0.0}, {0.0, 1.0}, {1.0, 1.0}}; // 2 degrees
    PathGuid guide = aptest::MakeGuide(first.data(), 2, 123.0, "First Street");
    guide.m_FirstHead[0] = 1;
    guide.m_FirstHead[3] = 4;
    guide.m_FirstAttr1 = 0x8001;
    guide.m_FirstAttr2 = 0xFFFF;
    guide.mp_SecondPoints = second.data();
    guide.m_SecondCount = 3;
    guide.m_SecondHead[2] = 0xFFFFFFFFu;
    guide.m_SecondAttr1 = 21;
    guide.m_SecondAttr2 = 22;
    std::strcpy(guide.m_SecondName, "Second Avenue");

    CPathEdge a;
    a.SetGuideAttributes(guide, true);
    EXPECT_EQ(10.0, a.m_Length); // the polyline, not m_GuideLength
    EXPECT_EQ(1u, a.m_GuideWords[0]);
    EXPECT_EQ(4u, a.m_GuideWords[3]);
    EXPECT_EQ(0x8001u, a.m_GuideAttr1);
    EXPECT_EQ(0xFFFFu, a.m_GuideAttr2);
    EXPECT_STREQ("First Street", a.m_Name);
    EXPECT_EQ(0, a.m_Count); // flags and points stay
    EXPECT_TRUE(a.m_isOwnPoints);
    EXPECT_TRUE(a.m_isWhole);

    CPathEdge b;
    b.SetGuideAttributes(guide, false);
    EXPECT_EQ(4.0, b.m_Length);
    EXPECT_EQ(0xFFFFFFFFu, b.m_GuideWords[2]);
    EXPECT_EQ(21u, b.m_GuideAttr1);
    EXPECT_EQ(22u, b.m_GuideAttr2);
    EXPECT_STREQ("Second Avenue", b.m_Name);

    // A record of no points measures 0.
    PathGuid empty = aptest::MakeGuide(first.data(), 0, 9.0);
    CPathEdge c;
    c.SetGuideAttributes(empty, true);
    EXPECT_EQ(0.0, c.m_Length);
}

TEST_F(PathEdgeTest, NamesKeepAtMost300Characters)
{
    std::vector<tagLonLat> points = Numbered(2);
    const std::string n299(299, 'a');
    const std::string n300(300, 'b');
    const std::string n301(301, 'c');
    for (const std::string& name : {n299, n300, n301})
    {
        PathGuid guide = aptest::MakeGuide(points.data(), 2, 1.0, name);
        CPathEdge edge;
        edge.SetGuideAttributes(guide, true);
        EXPECT_EQ(name.substr(0, 300), std::string(edge.m_Name)) << name.size();
    }
    // The second record's name filled to its last byte with no terminator.
    PathGuid guide = aptest::MakeGuide(points.data(), 2, 1.0);
    std::memset(guide.m_SecondName, 'z', sizeof(guide.m_SecondName));
    guide.m_SecondAttr1 = 0x7A7A; // and no terminator right after it either
    CPathEdge edge;
    edge.SetGuideAttributes(guide, false);
    EXPECT_EQ(std::string(300, 'z'), std::string(edge.m_Name));
    // A later shorter name replaces it whole.
    PathGuid shorter = aptest::MakeGuide(points.data(), 2, 1.0, "Short");
    edge.SetGuideAttributes(shorter, true);
    EXPECT_STREQ("Short", edge.m_Name);
}

TEST_F(PathEdgeTest, AttachGuideBorrowsAndNeverFrees)
{
    std::vector<tagLonLat> points = Numbered(5);
    const std::vector<tagLonLat> before = points;
    PathGuid guide = aptest::MakeGuide(points.data(), 5, 4.0, "Borrowed");
    {
        auto* edge = new CPathEdge();
        edge->AttachGuide(guide, true);
        EXPECT_FALSE(edge->m_isOwnPoints);
        EXPECT_TRUE(edge->m_isWhole);
        EXPECT_EQ(5, edge->m_Count);
        EXPECT_EQ(points.data(), edge->mp_Points);
        EXPECT_EQ(3.0, edge->GetPoint(3).lon);
        delete edge; // through the virtual destructor, as the vector does
    }
    EXPECT_TRUE(aptest::SameBytes(before.data(), points.data(), 5));

    // A record without a point array gives an edge of borrowed null points.
    PathGuid none = aptest::MakeGuide(nullptr, 0, 0.0);
    CPathEdge empty;
    empty.AttachGuide(none, true);
    EXPECT_EQ(nullptr, empty.mp_Points);
    EXPECT_EQ(0, empty.m_Count);
    EXPECT_FALSE(empty.m_isOwnPoints);
}

TEST_F(PathEdgeTest, BuildsFromTheSecondRecord)
{
    std::vector<tagLonLat> first = Numbered(2);
    std::vector<tagLonLat> second = Numbered(6);
    PathGuid guide = aptest::MakeGuide(first.data(), 2, 1.0, "First");
    guide.mp_SecondPoints = second.data();
    guide.m_SecondCount = 6;
    std::strcpy(guide.m_SecondName, "Second");

    CPathEdge borrowed;
    borrowed.AttachGuide(guide, false);
    EXPECT_EQ(second.data(), borrowed.mp_Points);
    EXPECT_EQ(6, borrowed.m_Count);
    EXPECT_STREQ("Second", borrowed.m_Name);

    CPathEdge copied;
    EXPECT_EQ(1, copied.CopyGuide(guide, false));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5}), Order(copied));
    EXPECT_STREQ("Second", copied.m_Name);
}

TEST_F(PathEdgeTest, CopyGuideCopiesThePoints)
{
    std::vector<tagLonLat> points = Numbered(9);
    PathGuid guide = aptest::MakeGuide(points.data(), 9, 8.0, "Copied");
    CPathEdge edge;
    EXPECT_EQ(1, edge.CopyGuide(guide, true));
    EXPECT_TRUE(edge.m_isOwnPoints);
    EXPECT_NE(points.data(), edge.mp_Points);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}), Order(edge));
    EXPECT_STREQ("Copied", edge.m_Name);

    PathGuid noArray = aptest::MakeGuide(nullptr, 3, 1.0);
    CPathEdge failed;
    EXPECT_EQ(0, failed.CopyGuide(noArray, true));
    EXPECT_EQ(0, failed.m_Count);

    PathGuid noPoints = aptest::MakeGuide(points.data(), 0, 0.0);
    CPathEdge zero;
    EXPECT_EQ(1, zero.CopyGuide(noPoints, true));
    EXPECT_EQ(0, zero.m_Count);

    edgetest::AllocProbe probe(AP_ALLOC_POINT_BUFFER, 1);
    CPathEdge noMemory;
    EXPECT_EQ(0, noMemory.CopyGuide(guide, true));
    EXPECT_EQ(0, noMemory.m_Count);
    EXPECT_EQ(nullptr, noMemory.mp_Points);
    EXPECT_STREQ("Copied", noMemory.m_Name); // attributes were set before the copy
}

// ---- copies ------------------------------------------------------------------------

TEST_F(PathEdgeTest, CopyIsWholeOwningAndIndependent)
{
    aptest::GeodesyControl::UsePlanar(1.0);
    std::vector<tagLonLat> points = {{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}};
    PathGuid guide = aptest::MakeGuide(points.data(), 3, 2.0, "Trimmed");
    guide.m_FirstHead[2] = 77;
    guide.m_FirstAttr2 = 3;
    CPathEdge trimmed;
    ASSERT_EQ(1, trimmed.TrimGuide(guide, 1.5, true, true));
    ASSERT_FALSE(trimmed.m_isWhole);

    CPathEdge copy(trimmed);
    EXPECT_TRUE(copy.m_isWhole);
    EXPECT_TRUE(copy.m_isOwnPoints);
    EXPECT_EQ(2.0, copy.m_Length);
    EXPECT_EQ(77u, copy.m_GuideWords[2]);
    EXPECT_EQ(3u, copy.m_GuideAttr2);
    EXPECT_STREQ("Trimmed", copy.m_Name);
    ASSERT_EQ(trimmed.m_Count, copy.m_Count);
    EXPECT_NE(trimmed.mp_Points, copy.mp_Points);
    EXPECT_EQ(0, std::memcmp(trimmed.mp_Points, copy.mp_Points,
                             sizeof(tagLonLat) * static_cast<size_t>(copy.m_Count)));
    copy.mp_Points[0].lon = 50.0;
    EXPECT_EQ(0.0, trimmed.mp_Points[0].lon);

    // A copy of borrowed points owns its own.
    CPathEdge borrowed;
    borrowed.AttachGuide(guide, true);
    CPathEdge owned(borrowed);
    EXPECT_TRUE(owned.m_isOwnPoints);
    EXPECT_NE(points.data(), owned.mp_Points);
    EXPECT_EQ(3, owned.m_Count);
}

TEST_F(PathEdgeTest, CopyWithoutPoints)
{
    PathGuid none = aptest::MakeGuide(nullptr, 4, 1.0, "No Points");
    CPathEdge source;
    source.AttachGuide(none, true);
    CPathEdge copy(source);
    EXPECT_EQ(0, copy.m_Count);
    EXPECT_EQ(nullptr, copy.mp_Points);
    EXPECT_TRUE(copy.m_isOwnPoints);
    EXPECT_TRUE(copy.m_isWhole);
    EXPECT_STREQ("No Points", copy.m_Name);

    CPathEdge full;
    Fill(full, 3);
    edgetest::AllocProbe probe(AP_ALLOC_POINT_BUFFER, 1);
    CPathEdge failed(full);
    EXPECT_EQ(0, failed.m_Count);
    EXPECT_EQ(nullptr, failed.mp_Points);
}

TEST_F(PathEdgeTest, CopyAttributesLeavesFlagsAndPoints)
{
    CPathEdge source;
    source.m_Length = 12.5;
    source.m_GuideWords[1] = 9;
    source.m_GuideAttr1 = 8;
    source.m_GuideAttr2 = 7;
    std::strcpy(source.m_Name, "Attributes");
    source.m_isWhole = false;
    CPathEdge target;
    Fill(target, 2);
    target.CopyAttributes(source);
    EXPECT_EQ(12.5, target.m_Length);
    EXPECT_EQ(9u, target.m_GuideWords[1]);
    EXPECT_EQ(8u, target.m_GuideAttr1);
    EXPECT_EQ(7u, target.m_GuideAttr2);
    EXPECT_STREQ("Attributes", target.m_Name);
    EXPECT_TRUE(target.m_isWhole);
    EXPECT_EQ(2, target.m_Count);
}

} // namespace
