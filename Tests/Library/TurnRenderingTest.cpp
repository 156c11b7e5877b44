// The turn at the next manoeuvre as the host sees it through the exported
// handle: what reaches the map view, in which order and with which sizes and
// colours, the probe lines, switching the arrow off and on, and the failures.
#include "AdvicePathRenderEx.h"
#include "JunctionTestSupport.h"
#include "LibraryFixture.h"
#include "LogLineChecks.h"

#include "Render/AdvicePathRender.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

namespace aptest
{
namespace
{

using ::testing::ElementsAre;

// Points compared in length units, loosely enough for the arrow room of
// 1.1 x the arrow length, which is not exact in binary.
const double kNear = 1e-6;

struct XY
{
    double x;
    double y;
};

class TurnRenderingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetTestHost();
        GeodesyControl::UsePlanar(kUnitsPerDegree);
        MapCreateControl::DefaultMapView() = &view;

        // The route line: two edges.
        path.AddEdge({At(0.0, 0.0), At(100.0, 0.0)});
        path.AddEdge({At(100.0, 0.0), At(100.0, 320.0)});
        // The guides: entering east on guide 0, leaving north on guide 1,
        // then the leaving guides of 150, 40 and 100.
        Road road(path);
        road.Guide(100.0);
        road.Guide(30.0, Heading::North);
        for (double length : {150.0, 40.0, 100.0})
            road.Guide(length, Heading::North);

        sizes = MakeSizeTable(3);
        // Level 0: the leaving worked example. Level 1: half the lengths.
        SetLengths(sizes[0], 200, 100, 5, 20, 10);
        SetLengths(sizes[1], 100, 50, 2, 10, 4);
        SetLengths(sizes[2], 100, 50, 2, 10, 4);
    }
    void TearDown() override { ResetTestHost(); }

    static void SetLengths(AdvicePathSizeSetting& s, int to, int from, int tolerance,
                           int arrowLength, int arrowWidth)
    {
        s.m_ToLength = to;
        s.m_FromLength = from;
        s.m_LengthTolerance = tolerance;
        s.m_ArrowLength = arrowLength;
        s.m_ArrowWidth = arrowWidth;
    }

    CTurnInfo Turn(NAV_TURN_TYPE_tag type = NAV_TURN_LEFT) const
    {
        return MakeTurnInfo(type, path.GuideAsNav(0), path.GuideAsNav(1));
    }

    // A handle on `path` with the size table, the turn limit and the turn set.
    void Prepare(AdvicePathRenderEx& handle, int maxTurnScale = 30)
    {
        ASSERT_EQ(handle.SetSize(sizes.data(), 3, maxTurnScale), 1);
        handle.SetTurnInfo(Turn(), &path);
        view.Reset();
        RecordingLog::Instance().Clear();
    }

    static void ExpectCall(const DrawCall& call, DrawCall::Kind kind, int32_t third,
                           uint32_t colour, int32_t fifth, std::vector<XY> points)
    {
        EXPECT_EQ(call.kind, kind) << Describe(call);
        EXPECT_EQ(call.third, third) << Describe(call);
        EXPECT_EQ(call.colour, colour) << Describe(call);
        EXPECT_EQ(call.fifth, fifth) << Describe(call);
        ASSERT_EQ(call.count, static_cast<int32_t>(points.size())) << Describe(call);
        ASSERT_EQ(call.points.size(), points.size()) << Describe(call);
        for (size_t i = 0; i < points.size(); ++i)
        {
            EXPECT_NEAR(UnitsX(call.points[i]), points[i].x, kNear)
                << Describe(call) << " point " << i;
            EXPECT_NEAR(UnitsY(call.points[i]), points[i].y, kNear)
                << Describe(call) << " point " << i;
        }
    }

    // The junction band and arrow of level 0 (the leaving worked example, with
    // the arrow of 20 by 2 x 10 inside the last piece), after the route line.
    void ExpectTurnOfLevelZero(size_t first, uint32_t fill, uint32_t border) const
    {
        const std::vector<std::vector<XY>> band = {{{0, 0}, {100, 0}},
                                                   {{100, 0}, {100, 30}},
                                                   {{100, 30}, {100, 180}},
                                                   {{100, 180}, {100, 220}},
                                                   {{100, 220}, {100, 232}}};
        const std::vector<XY> arrow = {{100, 252}, {110, 232}, {90, 232}};
        ASSERT_EQ(view.calls.size(), first + 12);
        for (size_t i = 0; i < 5; ++i)
            ExpectCall(view.calls[first + i], DrawCall::Kind::Line, 0, border, 40, band[i]);
        ExpectCall(view.calls[first + 5], DrawCall::Kind::Line, 60, border,
                   static_cast<int32_t>(border), arrow);
        for (size_t i = 0; i < 5; ++i)
            ExpectCall(view.calls[first + 6 + i], DrawCall::Kind::Line, 0, fill, 30, band[i]);
        ExpectCall(view.calls[first + 11], DrawCall::Kind::Polygon, 50, fill,
                   static_cast<int32_t>(fill), arrow);
    }

    TestPath path;
    RecordingMapView view;
    std::vector<AdvicePathSizeSetting> sizes;
};

TEST_F(TurnRenderingTest, DrawPutsTheTurnBetweenRouteLineAndOriginDestinationLine)
{
    RouteControl::SetOrigin(At(0.0, 0.0));
    RouteControl::SetDestinations({At(100.0, 320.0)});
    AdvicePathRenderEx handle(&path);
    handle.SetClr(AdvicePathClrSetting(0x11, 0x22, 0x33, 0x44));
    handle.EnableDrawRedLine(true);
    Prepare(handle);

    handle.Draw(true, true);

    ASSERT_EQ(view.calls.size(), 17u);
    ExpectCall(view.calls[0], DrawCall::Kind::Line, 0, 0x22, 20, {{0, 0}, {100, 0}});
    ExpectCall(view.calls[1], DrawCall::Kind::Line, 0, 0x22, 20, {{100, 0}, {100, 320}});
    ExpectCall(view.calls[2], DrawCall::Kind::Line, 0, 0x11, 10, {{0, 0}, {100, 0}});
    ExpectCall(view.calls[3], DrawCall::Kind::Line, 0, 0x11, 10, {{100, 0}, {100, 320}});
    // The origin-destination line comes last, on top.
    ExpectCall(view.calls[16], DrawCall::Kind::Line, 0, 255, 2, {{0, 0}, {100, 320}});
    view.calls.pop_back();
    ExpectTurnOfLevelZero(4, 0x33, 0x44);
}

TEST_F(TurnRenderingTest, DefaultColoursGiveBlackBordersAndWhiteFills)
{
    AdvicePathRenderEx handle;
    Prepare(handle);
    handle.Draw(true, true);
    // No route line: SetTurnInfo does not set the renderer's path.
    ExpectTurnOfLevelZero(0, 0x00FFFFFF, 0);
}

TEST_F(TurnRenderingTest, RepeatedDrawsCutTheSameBand)
{
    AdvicePathRenderEx handle;
    Prepare(handle);
    handle.Draw(false, true);
    handle.Draw(false, true);
    std::vector<DrawCall> second(view.calls.begin() + 12, view.calls.end());
    view.calls.resize(12);
    ExpectTurnOfLevelZero(0, 0x00FFFFFF, 0);
    view.calls = second;
    ExpectTurnOfLevelZero(0, 0x00FFFFFF, 0);
}

TEST_F(TurnRenderingTest, ProbeLinesOfSetTurnInfoAndDrawTurn)
{
    AdvicePathRenderEx handle;
    ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
    RecordingLog::Instance().Clear();
    MemoryControl::Queue({10u << 10, 4u << 10});
    MemoryControl::Queue({13u << 10, 5u << 10});
    TimerControl::ElapsedMs() = 2.25;

    handle.SetTurnInfo(Turn(), &path);

    ASSERT_EQ(LogLines().size(), 2u);
    EXPECT_TRUE(LoggedAs(LogLines()[0], AP_MSG_PROBE_SET_TURN_INFO_TIME, "2.250000"));
    EXPECT_TRUE(
        LoggedAs(LogLines()[1], AP_MSG_PROBE_SET_TURN_INFO_MEMORY, "PhsMem:3KB VirMem:1KB"));

    RecordingLog::Instance().Clear();
    MemoryControl::Queue({20u << 10, 8u << 10});
    MemoryControl::Queue({20u << 10, 6u << 10}); // shrinking: wraps
    TimerControl::ElapsedMs() = 0.5;
    handle.Draw(true, true);

    ASSERT_EQ(LogLines().size(), 2u);
    EXPECT_TRUE(LoggedAs(LogLines()[0], AP_MSG_PROBE_DRAW_TURN_TIME, "0.500000"));
    EXPECT_TRUE(
        LoggedAs(LogLines()[1], AP_MSG_PROBE_DRAW_TURN_MEMORY, "PhsMem:0KB VirMem:4194302KB"));
}

TEST_F(TurnRenderingTest, ClearBigArrowHidesTheTurnUntilTheNextSetTurnInfo)
{
    AdvicePathRenderEx handle(&path);
    Prepare(handle);
    handle.ClearBigArrow();

    for (int draw = 0; draw < 2; ++draw)
    {
        view.Reset();
        RecordingLog::Instance().Clear();
        handle.Draw(true, true);
        EXPECT_EQ(view.calls.size(), 4u); // the route line only
        EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_TURN_HIDDEN));
    }

    handle.SetTurnInfo(Turn(), &path);
    view.Reset();
    handle.Draw(true, true);
    ExpectTurnOfLevelZero(4, 0x00FFFFFF, 0);
}

TEST_F(TurnRenderingTest, SetTurnInfoWithoutPathIsLoggedAndChangesNothing)
{
    AdvicePathRenderEx handle;
    Prepare(handle);

    const int memoryReadings = MemoryControl::Calls();
    handle.SetTurnInfo(Turn(NAV_TURN_END), nullptr);

    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_TURN_NULL_PATH));
    EXPECT_EQ(MemoryControl::Calls(), memoryReadings); // no probe

    // The previous manoeuvre is still drawn...
    handle.Draw(false, true);
    ExpectTurnOfLevelZero(0, 0x00FFFFFF, 0);

    // ...and a cleared arrow stays cleared.
    handle.ClearBigArrow();
    handle.SetTurnInfo(Turn(), nullptr);
    view.Reset();
    handle.Draw(false, true);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(TurnRenderingTest, ChangeOfScaleRedrawsWithTheOtherRecord)
{
    AdvicePathRenderEx handle;
    Prepare(handle);
    handle.Draw(false, true);
    ExpectTurnOfLevelZero(0, 0x00FFFFFF, 0);

    view.Reset();
    view.level = 1;
    handle.Draw(false, true);
    // Level 1: entering 50, leaving 100 + 11, arrow 10 long and 2 x 4 wide.
    const std::vector<std::vector<XY>> band = {
        {{50, 0}, {100, 0}}, {{100, 0}, {100, 30}}, {{100, 30}, {100, 131}}};
    const std::vector<XY> arrow = {{100, 141}, {104, 131}, {96, 131}};
    ASSERT_EQ(view.calls.size(), 8u);
    for (size_t i = 0; i < 3; ++i)
    {
        ExpectCall(view.calls[i], DrawCall::Kind::Line, 0, 0, 41, band[i]);
        ExpectCall(view.calls[4 + i], DrawCall::Kind::Line, 0, 0x00FFFFFF, 31, band[i]);
    }
    ExpectCall(view.calls[3], DrawCall::Kind::Line, 61, 0, 0, arrow);
    ExpectCall(view.calls[7], DrawCall::Kind::Polygon, 51, 0x00FFFFFF, 0x00FFFFFF, arrow);

    view.Reset();
    view.level = 0;
    handle.Draw(false, true);
    ExpectTurnOfLevelZero(0, 0x00FFFFFF, 0);
}

TEST_F(TurnRenderingTest, TurnIsDrawnUpToTheTurnLimitOnly)
{
    AdvicePathRenderEx handle(&path);
    Prepare(handle, 1);

    view.level = 1;
    handle.Draw(true, true);
    EXPECT_EQ(view.calls.size(), 4u + 8u);

    view.Reset();
    RecordingLog::Instance().Clear();
    view.level = 2;
    handle.Draw(true, true);
    EXPECT_EQ(view.calls.size(), 4u);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(TurnRenderingTest, EndOfRouteDrawsNoTurn)
{
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
    handle.SetTurnInfo(Turn(NAV_TURN_END), &path);
    RecordingLog::Instance().Clear();

    handle.Draw(true, true);

    EXPECT_EQ(view.calls.size(), 4u);
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_CROSS_TURN_END, AP_MSG_TURN_BAND_FAILED));
}

// ---- the renderer's own state ---------------------------------------------------

class TurnRendererStateTest : public TurnRenderingTest
{
protected:
    void SetUp() override
    {
        TurnRenderingTest::SetUp();
        ASSERT_EQ(render.SetSize(sizes.data(), 3, 30), 1);
        render.mp_Path = &path;
    }

    bool ArrowHeadIsZero() const
    {
        return std::all_of(std::begin(render.m_ArrowHead), std::end(render.m_ArrowHead),
                           [](const tagLonLat& p) { return p.lon == 0.0 && p.lat == 0.0; });
    }

    AdvicePathRender render{&view};
};

TEST_F(TurnRendererStateTest, BandTooShortForAnArrowDrawsNoTurn)
{
    // One guide, entered and left on, with nothing after it: a band of one
    // edge, which cannot carry an arrow head.
    TestPath single;
    Road(single).Guide(100.0);
    render.SetTurnInfo(&single,
                       MakeTurnInfo(NAV_TURN_LEFT, single.GuideAsNav(0), single.GuideAsNav(0)));
    RecordingLog::Instance().Clear();

    render.Draw(false, true);

    EXPECT_TRUE(view.calls.empty());
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_TURN_ARROW_FAILED));
    EXPECT_EQ(render.m_CrossEdges.m_EdgeVec.Size(), 0);
    EXPECT_TRUE(ArrowHeadIsZero());
}

TEST_F(TurnRendererStateTest, FailedBandEmptiesEdgesAndArrowHead)
{
    render.SetTurnInfo(&path, Turn());
    render.Draw(false, true);
    ASSERT_EQ(render.m_CrossEdges.m_EdgeVec.Size(), 5);
    ASSERT_FALSE(ArrowHeadIsZero());

    render.SetTurnInfo(&path, Turn(NAV_TURN_END));
    render.Draw(false, true);
    EXPECT_EQ(render.m_CrossEdges.m_EdgeVec.Size(), 0);
    EXPECT_TRUE(ArrowHeadIsZero());
}

TEST_F(TurnRendererStateTest, ClearedArrowLeavesTheLastDrawingAsItWas)
{
    render.SetTurnInfo(&path, Turn());
    render.Draw(false, true);
    tagLonLat tip = render.m_ArrowHead[0];
    render.ClearBigArrow();
    render.Draw(false, true);
    EXPECT_EQ(render.m_CrossEdges.m_EdgeVec.Size(), 5);
    EXPECT_EQ(render.m_ArrowHead[0].lat, tip.lat);
    EXPECT_TRUE(render.m_isClearBigArrow);
    render.SetTurnInfo(&path, Turn());
    EXPECT_FALSE(render.m_isClearBigArrow);
    EXPECT_EQ(render.m_CrossEdges.m_EdgeVec.Size(), 5); // not before the next drawing
}

TEST_F(TurnRendererStateTest, ClearEmptiesTheBandAndDetachesTheJunction)
{
    render.SetTurnInfo(&path, Turn());
    render.Draw(false, true);
    render.ClearBigArrow();
    tagLonLat tip = render.m_ArrowHead[0];

    render.Clear();

    EXPECT_EQ(render.mp_Path, nullptr);
    EXPECT_EQ(render.m_CrossEdges.mp_Path, nullptr);
    EXPECT_EQ(render.m_CrossEdges.m_EdgeVec.Size(), 0);
    EXPECT_EQ(render.m_CrossEdges.m_FromEdges.Size(), 1);
    EXPECT_EQ(render.m_CrossEdges.m_TurnInfo.GetTurnType(0), NAV_TURN_LEFT);
    EXPECT_TRUE(render.m_isClearBigArrow);
    EXPECT_EQ(render.m_ArrowHead[0].lat, tip.lat);

    // Without a path the band cannot be cut: nothing of the turn is drawn.
    render.m_isClearBigArrow = false;
    view.Reset();
    RecordingLog::Instance().Clear();
    render.Draw(true, true);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_TURN_BAND_FAILED));
}

TEST_F(TurnRendererStateTest, CyclicPathDoesNotHoldTheDrawingThread)
{
    TestPath cyclic;
    Road road(cyclic);
    road.Guide(100.0);
    road.Guide(30.0, Heading::North);
    cyclic.cyclicGuides = true;
    NavGuid elsewhere = cyclic.GuideAsNav(0);
    elsewhere.m_GuidePoint = At(-500.0, -500.0);

    render.SetTurnInfo(&cyclic, MakeTurnInfo(NAV_TURN_LEFT, elsewhere, elsewhere));
    EXPECT_EQ(render.m_CrossEdges.m_FromEdges.Size(), 0);
    RecordingLog::Instance().Clear();
    render.Draw(false, true);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_THAT(LoggedMessages(), ElementsAre(AP_MSG_CROSS_NO_FROM_EDGES, AP_MSG_TURN_BAND_FAILED));
}

} // namespace
} // namespace aptest
