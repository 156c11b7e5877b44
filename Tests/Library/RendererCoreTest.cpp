// The renderer core: the size table, the scale level and its clamps, the
// drawing switches and the operation probe.
#include "LibraryFixture.h"
#include "LogLineChecks.h"

#include "Render/AdvicePathRender.h"
#include "Render/OperationProbe.h"

#include <gmock/gmock.h>

#include <cstring>

namespace aptest
{
namespace
{

using ::testing::Each;
using ::testing::ElementsAre;

class RendererCoreTest : public LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        path.AddEdge({{1.0, 1.0}, {2.0, 2.0}});
        render.mp_Path = &path;
    }

    // The fill width of the one edge drawn by the last Draw(true, false).
    int DrawnFillWidth()
    {
        view.Reset();
        render.Draw(true, false);
        return view.calls.empty() ? -1 : view.calls.back().fifth;
    }

    TestPath path;
    AdvicePathRender render{&view};
};

TEST_F(RendererCoreTest, Defaults)
{
    EXPECT_FALSE(render.m_isClearBigArrow);
    EXPECT_TRUE(render.m_bDrawing);
    EXPECT_EQ(render.m_CurScale, 5);
    EXPECT_EQ(render.m_MaxTurnScale, 30);
    EXPECT_EQ(render.m_SizeSetCnt, 0);
    EXPECT_EQ(render.m_pSizeSet, nullptr);
    EXPECT_FALSE(render.m_bDrawRedLine);
    for (const tagLonLat& p : render.m_ArrowHead)
    {
        EXPECT_EQ(p.lon, 0.0);
        EXPECT_EQ(p.lat, 0.0);
    }
}

TEST_F(RendererCoreTest, SetSizeWithoutTableIsRefused)
{
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(2);
    EXPECT_EQ(render.SetSize(nullptr, 2, 7), 0);
    EXPECT_EQ(render.SetSize(sizes.data(), 0, 7), 0);
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_SIZE_TABLE_NULL, AP_MSG_SIZE_TABLE_NULL));
    EXPECT_EQ(render.m_pSizeSet, nullptr);
    EXPECT_EQ(render.m_MaxTurnScale, 30);
}

TEST_F(RendererCoreTest, SetSizeCopiesTheHostsArray)
{
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(3);
    view.level = 1;
    ASSERT_EQ(render.SetSize(sizes.data(), 3, 12), 1);
    EXPECT_EQ(render.m_SizeSetCnt, 3);
    EXPECT_EQ(render.m_MaxTurnScale, 12);
    EXPECT_NE(render.m_pSizeSet, sizes.data());
    sizes[1].m_PathWidth = 999; // the host may change or free its array
    sizes.clear();
    EXPECT_EQ(DrawnFillWidth(), 11);
}

TEST_F(RendererCoreTest, FailedSetSizeKeepsThePreviousTable)
{
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(3);
    ASSERT_EQ(render.SetSize(sizes.data(), 3, 12), 1);
    RecordingLog::Instance().Clear();

    std::vector<AdvicePathSizeSetting> other = MakeSizeTable(4);
    // A negative count, a count whose byte size passes 32 bits, and a failed
    // allocation all end as the allocation failure, nothing copied.
    EXPECT_EQ(render.SetSize(other.data(), -1, 1), 0);
    EXPECT_EQ(render.SetSize(other.data(), 97612894, 1), 0);
    {
        AllocFailure failure(AP_ALLOC_SIZE_TABLE);
        EXPECT_EQ(render.SetSize(other.data(), 4, 1), 0);
    }
    EXPECT_THAT(LoggedMessages(), Each(AP_MSG_SIZE_TABLE_NOT_ALLOCATED));
    EXPECT_EQ(Log().size(), 3u);
    EXPECT_EQ(render.m_SizeSetCnt, 3);
    EXPECT_EQ(render.m_MaxTurnScale, 12);
    view.level = 2;
    EXPECT_EQ(DrawnFillWidth(), 12);
}

TEST_F(RendererCoreTest, SetSizeIsMeasuredByTheProbe)
{
    MemoryControl::Queue({1000, 2000});
    MemoryControl::Queue({1000 + 4096, 2000 + 8192});
    TimerControl::ElapsedMs() = 2.25;
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(2);
    ASSERT_EQ(render.SetSize(sizes.data(), 2, 30), 1);

    EXPECT_EQ(MemoryControl::Calls(), 2);
    EXPECT_EQ(MemoryControl::LastLengthField(), 32u);
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_TRUE(LoggedAs(Log()[0], AP_MSG_PROBE_SET_SIZE_TIME, "2.250000"));
    EXPECT_TRUE(LoggedAs(Log()[1], AP_MSG_PROBE_SET_SIZE_MEMORY, "PhsMem:4KB VirMem:8KB"));
}

TEST_F(RendererCoreTest, RefusedSetSizeWritesNoProbeLines)
{
    EXPECT_EQ(render.SetSize(nullptr, 3, 30), 0);
    EXPECT_EQ(MemoryControl::Calls(), 1) << "the probe starts before the arguments are looked at";
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_SIZE_TABLE_NULL));
}

TEST_F(RendererCoreTest, MemCounterTextWrapsAShrinkingUse)
{
    MemCounter counter;
    EXPECT_EQ(counter.m_Status.dwLength, 32u);
    counter.m_PhysBefore = 10240;
    counter.m_PhysAfter = 0;
    counter.m_VirtBefore = 0xFFFFFC00u; // a total that wrapped past 32 bits
    counter.m_VirtAfter = 0x00000800u;
    char buffer[128];
    ASSERT_EQ(MemCounterText(counter, buffer), buffer);
    // (0 - 10240) mod 2^32 = 4294957056, >> 10 = 4194294; 0x800 - 0xFFFFFC00
    // mod 2^32 = 0xC00 = 3072 bytes, >> 10 = 3.
    EXPECT_STREQ(buffer, "PhsMem:4194294KB VirMem:3KB");
    EXPECT_EQ(MemCounterText(counter, nullptr), nullptr);
}

TEST_F(RendererCoreTest, ShrinkingUseShowsWrappedInTheProbeLine)
{
    MemoryControl::Queue({8192, 0});
    MemoryControl::Queue({0, 0});
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(1);
    ASSERT_EQ(render.SetSize(sizes.data(), 1, 30), 1);
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_TRUE(LoggedAs(Log()[1], AP_MSG_PROBE_SET_SIZE_MEMORY, "PhsMem:4194296KB VirMem:0KB"));
}

struct ClampCase
{
    int tableSize;
    int mapLevel;
    int expectedLevel;
    ApLogMessage expectedLine; // AP_MSG_COUNT: no log line
};

class ScaleClampTest : public RendererCoreTest, public ::testing::WithParamInterface<ClampCase>
{
};

TEST_P(ScaleClampTest, LevelIsClampedToTheTable)
{
    const ClampCase& c = GetParam();
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(c.tableSize > 0 ? c.tableSize : 1);
    if (c.tableSize > 0)
    {
        ASSERT_EQ(render.SetSize(sizes.data(), c.tableSize, 30), 1);
    }
    RecordingLog::Instance().Clear();
    view.level = c.mapLevel;
    render.Draw(false, false);
    EXPECT_EQ(render.m_CurScale, c.expectedLevel);
    if (c.expectedLine == AP_MSG_COUNT)
        EXPECT_TRUE(Log().empty());
    else
        EXPECT_THAT(LoggedMessages(), ElementsAre(c.expectedLine));
}

const ApLogMessage kNoLine = AP_MSG_COUNT;
const ApLogMessage kToDefault = AP_MSG_SCALE_TO_DEFAULT;
const ApLogMessage kToLast = AP_MSG_SCALE_TO_LAST;

INSTANTIATE_TEST_SUITE_P(
    Table, ScaleClampTest,
    ::testing::Values(ClampCase{0, 3, -1, kToLast},  // no table yet: always -1
                      ClampCase{0, -4, -4, kNoLine}, // below the empty table: left as it is
                      ClampCase{10, 7, 7, kNoLine}, ClampCase{10, 9, 9, kNoLine},
                      ClampCase{10, 10, 5, kToDefault}, ClampCase{10, 12, 5, kToDefault},
                      ClampCase{3, 2, 2, kNoLine}, ClampCase{3, 3, 2, kToLast},
                      ClampCase{3, 40, 2, kToLast}, ClampCase{6, 6, 5, kToDefault},
                      ClampCase{5, 5, 4, kToLast}, ClampCase{1, 0, 0, kNoLine},
                      ClampCase{1, 1, 0, kToLast},
                      // A negative level from the map view with a table: the most
                      // detailed record, never an element before the table.
                      ClampCase{3, -1, 0, kNoLine}, ClampCase{10, -2147483647 - 1, 0, kNoLine}));

TEST_F(RendererCoreTest, ScaleIsHandedUnchangedToScaleToLevel)
{
    view.scale = 0x123456789ABLL;
    render.Draw(false, false);
    EXPECT_EQ(view.getScaleCalls, 1);
    ASSERT_EQ(view.scaleToLevelArguments.size(), 1u);
    EXPECT_EQ(view.scaleToLevelArguments[0], 0x123456789ABLL);
}

TEST_F(RendererCoreTest, NothingIsDrawnBeforeASizeTable)
{
    render.m_bDrawRedLine = true;
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{0.1, 0.1}});
    render.Draw(true, true);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(render.m_CurScale, -1);
}

TEST_F(RendererCoreTest, DisabledDrawingStillUpdatesTheLevel)
{
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(10);
    ASSERT_EQ(render.SetSize(sizes.data(), 10, 30), 1);
    RecordingLog::Instance().Clear();
    render.m_bDrawing = false;
    render.m_bDrawRedLine = true;
    RouteControl::SetOrigin({0.0, 0.0});
    RouteControl::SetDestinations({{0.1, 0.1}});
    view.level = 12;
    render.Draw(true, true);
    EXPECT_EQ(render.m_CurScale, 5);
    EXPECT_TRUE(view.calls.empty()) << "no route line, turn or origin-destination line";
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_SCALE_TO_DEFAULT));
}

TEST_F(RendererCoreTest, DrawWithoutMapViewLogsEveryTime)
{
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(3);
    ASSERT_EQ(render.SetSize(sizes.data(), 3, 30), 1);
    render.mp_MapView = nullptr;
    render.m_CurScale = 1;
    RecordingLog::Instance().Clear();
    render.Draw(true, true);
    render.Draw(true, true);
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_SCALE_NO_MAP_VIEW, AP_MSG_SCALE_NO_MAP_VIEW));
    EXPECT_EQ(render.m_CurScale, 1) << "the level stays without a map view";
}

TEST_F(RendererCoreTest, ClearDropsThePathOnly)
{
    std::vector<AdvicePathSizeSetting> sizes = MakeSizeTable(3);
    ASSERT_EQ(render.SetSize(sizes.data(), 3, 30), 1);
    render.m_isClearBigArrow = true;
    render.m_ArrowHead[0].lon = 4.0;
    render.Clear();
    EXPECT_EQ(render.mp_Path, nullptr);
    EXPECT_TRUE(render.m_isClearBigArrow);
    EXPECT_EQ(render.m_ArrowHead[0].lon, 4.0);
    EXPECT_EQ(render.m_SizeSetCnt, 3);
    EXPECT_EQ(render.m_CrossEdges.mp_Path, nullptr);
}

TEST_F(RendererCoreTest, ClearBigArrowOnlySetsTheFlag)
{
    render.ClearBigArrow();
    EXPECT_TRUE(render.m_isClearBigArrow);
    EXPECT_TRUE(view.calls.empty());
}

} // namespace
} // namespace aptest
