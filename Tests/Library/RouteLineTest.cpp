// The route line: all borders, then all fills, per edge of the path.
#include "LibraryFixture.h"

namespace aptest
{
namespace
{

class RouteLineTest : public LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        edges = {{{8.0, 48.0}, {8.1, 48.0}},
                 {{8.1, 48.0}, {8.1, 48.1}, {8.2, 48.2}},
                 {{8.2, 48.2}, {8.3, 48.1}, {8.4, 48.1}, {8.5, 48.0}}};
        for (const auto& edge : edges)
            path.AddEdge(edge);
        sizes = MakeSizeTable(4);
        view.level = 2;
    }

    std::vector<std::vector<tagLonLat>> edges;
    TestPath path;
    std::vector<AdvicePathSizeSetting> sizes;
};

TEST_F(RouteLineTest, ThreeEdgesGiveSixCallsBordersFirst)
{
    AdvicePathRenderEx handle(&path);
    handle.SetClr(AdvicePathClrSetting(0xAA, 0xBB, 0xCC, 0xDD));
    ASSERT_EQ(handle.SetSize(sizes.data(), 4, 30), 1);
    RecordingLog::Instance().Clear();
    handle.Draw(true, false);

    ASSERT_EQ(view.calls.size(), 6u);
    for (size_t i = 0; i < 6; ++i)
    {
        const DrawCall& call = view.calls[i];
        const std::vector<tagLonLat>& edge = edges[i % 3];
        bool border = i < 3;
        SCOPED_TRACE(Describe(call));
        EXPECT_TRUE(call.IsLine());
        EXPECT_EQ(call.count, static_cast<int32_t>(edge.size()));
        ASSERT_EQ(call.points.size(), edge.size());
        for (size_t k = 0; k < edge.size(); ++k)
        {
            EXPECT_EQ(call.points[k].lon, edge[k].lon);
            EXPECT_EQ(call.points[k].lat, edge[k].lat);
        }
        EXPECT_EQ(call.third, 0);
        EXPECT_EQ(call.colour, border ? 0xBBu : 0xAAu);
        EXPECT_EQ(call.fifth, border ? 22 : 12); // level 2 of the table
    }
    EXPECT_TRUE(Log().empty());
}

TEST_F(RouteLineTest, OnlyTheLow16BitsOfAWidthCount)
{
    sizes[2].m_PathWidth = 65541;        // 0x10005
    sizes[2].m_PathBorderWidth = -65533; // 0xFFFF0003
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 4, 30), 1);
    handle.Draw(true, false);
    ASSERT_EQ(view.calls.size(), 6u);
    EXPECT_EQ(view.calls[0].fifth, 3);
    EXPECT_EQ(view.calls[5].fifth, 5);
}

TEST_F(RouteLineTest, NothingAfterClear)
{
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 4, 30), 1);
    handle.Clear();
    RecordingLog::Instance().Clear();
    handle.Draw(true, false);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(Log().empty());
}

TEST_F(RouteLineTest, PathWithoutFirstPositionIsLogged)
{
    path.failFirstPosition = true;
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 4, 30), 1);
    RecordingLog::Instance().Clear();
    handle.Draw(true, false);
    EXPECT_TRUE(view.calls.empty());
    ASSERT_EQ(Log().size(), 1u);
    // As Host/Logging.h documents it: this program sees the exported interface
    // only (on Windows the shipped DLL), not the library's log table.
    EXPECT_EQ(Log()[0].level, 300);
    EXPECT_EQ(Log()[0].line, 162);
    EXPECT_EQ(Log()[0].function, "AdvicePathRender::DrawPath");
    EXPECT_EQ(Log()[0].text, "mp_Path->GetFirstPosition() failed \n");
}

// What the path filled reaches the map view as it is, an edge without points
// (count 0, null array) included; an edge it did not fill used to reach the map
// view with whatever count and points were left from the edge before, and is
// skipped.
TEST_F(RouteLineTest, EveryFilledEdgeIsDrawnAsFilledAndOnlyThose)
{
    path.failingEdges = {1};
    path.AddEdge({});
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 4, 30), 1);
    RecordingLog::Instance().Clear();
    handle.Draw(true, false);
    ASSERT_EQ(view.calls.size(), 6u);
    for (size_t pass = 0; pass < 2; ++pass)
    {
        EXPECT_EQ(view.calls[3 * pass].count, 2);
        EXPECT_EQ(view.calls[3 * pass + 1].count, 4);
        EXPECT_EQ(view.calls[3 * pass + 2].count, 0);
        EXPECT_EQ(view.calls[3 * pass + 2].array, nullptr);
    }
    EXPECT_TRUE(Log().empty());
}

// GetEdge's result means nothing the library may rely on: a path that answers
// 0 for edges it filled still gets its whole route line.
TEST_F(RouteLineTest, TheResultOfGetEdgeIsNotRead)
{
    path.filledEdgeResult = 0;
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 4, 30), 1);
    handle.Draw(true, false);
    EXPECT_EQ(view.calls.size(), 6u);
}

TEST_F(RouteLineTest, RouteLineNotAskedForIsNotDrawn)
{
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 4, 30), 1);
    handle.Draw(false, false);
    EXPECT_TRUE(view.calls.empty());
}

} // namespace
} // namespace aptest
