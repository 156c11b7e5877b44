// Allocation failures through the exported interface, in a full scenario of
// the host (NewPathRender, SetSize, SetTurnInfo, Draw): each allocation site
// made to fail, and each single allocation of the scenario made to fail in
// turn. Every failure must give the result and the log lines its operation
// documents, and the first call after the allocator recovers must draw the
// whole junction band again. Leaks are LeakSanitizer's to find (sanitizer
// build).
//
// The edge shapes' own failure paths are tested with the shapes
// (PathEdgeTest, PathEdgeVecTest, PolylineTrimTest, CrossEdgesTest); here
// only what reaches the host counts.
#include "JunctionTestSupport.h"
#include "LibraryFixture.h"
#include "LogLineChecks.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace aptest
{
namespace
{

using ::testing::ElementsAre;

// The calls of the scenario, in order; allocations are attributed to them.
enum class Phase
{
    NewPathRender,
    SetSize,
    SetTurnInfo,
    Draw
};

const char* PhaseName(Phase phase)
{
    switch (phase)
    {
    case Phase::NewPathRender:
        return "NewPathRender";
    case Phase::SetSize:
        return "SetSize";
    case Phase::SetTurnInfo:
        return "SetTurnInfo";
    default:
        return "Draw";
    }
}

struct Attempt
{
    Phase phase;
    ApAllocSite site;
    // How many edge objects the phase had asked for up to and including this
    // attempt: the point buffer and the pointer array that follow an edge
    // belong to that edge.
    int edgesSoFar;
};

// Counts every allocation attempt of the library and fails the one numbered
// `failAt` (1-based; 0: none), or every attempt at `failSite` while it is set.
class AllocationCounter
{
public:
    AllocationCounter() : m_previous(ApSetAllocFailPredicate(&Predicate)) { m_state = Data(); }
    ~AllocationCounter() { ApSetAllocFailPredicate(m_previous); }
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    void Enter(Phase phase)
    {
        m_state.phase = phase;
        m_state.edgesInPhase = 0;
    }
    void FailAt(int attempt) { m_state.failAt = attempt; }
    void FailSite(ApAllocSite site) { m_state.failSite = site; }
    // The allocator recovers: nothing fails from now on.
    void Recover()
    {
        m_state.failAt = 0;
        m_state.failSite = AP_ALLOC_SITE_COUNT;
    }
    const std::vector<Attempt>& Attempts() const { return m_state.attempts; }

private:
    struct Data
    {
        Phase phase = Phase::NewPathRender;
        int edgesInPhase = 0;
        int failAt = 0;
        ApAllocSite failSite = AP_ALLOC_SITE_COUNT;
        std::vector<Attempt> attempts;
    };
    static Data& State()
    {
        static Data data;
        return data;
    }
    static bool Predicate(ApAllocSite site)
    {
        Data& data = State();
        if (site == AP_ALLOC_EDGE)
            ++data.edgesInPhase;
        data.attempts.push_back(Attempt{data.phase, site, data.edgesInPhase});
        return static_cast<int>(data.attempts.size()) == data.failAt || site == data.failSite;
    }

    ApAllocFailPredicate m_previous;
    // The one state of the process: the predicate is a plain function.
    Data& m_state = State();
};

// A polyline in length units.
using Units = std::vector<std::pair<double, double>>;

class AllocationFailureTest : public LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        // ClosePathRender builds the shared handle on its first call, which
        // allocates a renderer: built here, before any allocation is counted
        // or made to fail.
        GetAdvicePath();
        GeodesyControl::UsePlanar(kUnitsPerDegree);
        // The route line, and the guides: three of 40 east into the junction
        // at (120, 0), 30 north through it, then 150, 40 and 100 north.
        path.AddEdge({At(0.0, 0.0), At(120.0, 0.0)});
        path.AddEdge({At(120.0, 0.0), At(120.0, 320.0)});
        Road road(path);
        for (int i = 0; i < 3; ++i)
            road.Guide(40.0);
        for (double length : {30.0, 150.0, 40.0, 100.0})
            road.Guide(length, Heading::North);
        // Level 0: to 200, from 100, tolerance 5, arrow 20 by 2 x 10.
        sizes = MakeSizeTable(3);
        view.level = 0;
    }

    CTurnInfo Turn() const
    {
        return MakeTurnInfo(NAV_TURN_LEFT, path.GuideAsNav(2), path.GuideAsNav(3));
    }

    // The band as the scenario draws it: the entering stretch (which the
    // failures change), then the guide through the junction and the leaving
    // stretch, the last one cut back to the base of the arrow head.
    static std::vector<Units> Band(std::vector<Units> entering)
    {
        entering.push_back({{120, 0}, {120, 30}});
        entering.push_back({{120, 30}, {120, 180}});
        entering.push_back({{120, 180}, {120, 220}});
        entering.push_back({{120, 220}, {120, 232}});
        return entering;
    }
    // The whole entering stretch: 40 + 40 and the last 20 of the first guide.
    static std::vector<Units> FullBand()
    {
        return Band({{{20, 0}, {40, 0}}, {{40, 0}, {80, 0}}, {{80, 0}, {120, 0}}});
    }

    static void ExpectLine(const DrawCall& call, uint32_t colour, int32_t width,
                           const Units& points)
    {
        EXPECT_TRUE(call.IsLine()) << Describe(call);
        EXPECT_EQ(call.third, 0) << Describe(call);
        EXPECT_EQ(call.colour, colour) << Describe(call);
        EXPECT_EQ(call.fifth, width) << Describe(call);
        ASSERT_EQ(call.points.size(), points.size()) << Describe(call);
        for (size_t i = 0; i < points.size(); ++i)
        {
            EXPECT_NEAR(UnitsX(call.points[i]), points[i].first, 1e-9) << Describe(call);
            EXPECT_NEAR(UnitsY(call.points[i]), points[i].second, 1e-9) << Describe(call);
        }
    }

    // The route line in its two passes (level 0: border 20, fill 10, the
    // default colours); with `band`, the band and the arrow head after it
    // (border 40, fill 30, arrow parameters 60 and 50).
    void ExpectDrawing(const std::vector<Units>* band) const
    {
        const size_t bandLines = band != nullptr ? band->size() : 0;
        const size_t expected = 4 + (band != nullptr ? 2 * bandLines + 2 : 0);
        ASSERT_EQ(view.calls.size(), expected);
        const Units first = {{0, 0}, {120, 0}};
        const Units second = {{120, 0}, {120, 320}};
        ExpectLine(view.calls[0], 0x0092121Bu, 20, first);
        ExpectLine(view.calls[1], 0x0092121Bu, 20, second);
        ExpectLine(view.calls[2], 0x000711F5u, 10, first);
        ExpectLine(view.calls[3], 0x000711F5u, 10, second);
        if (band == nullptr)
            return;
        for (size_t i = 0; i < bandLines; ++i)
        {
            ExpectLine(view.calls[4 + i], 0u, 40, (*band)[i]);
            ExpectLine(view.calls[5 + bandLines + i], 0x00FFFFFFu, 30, (*band)[i]);
        }
        const DrawCall& outline = view.calls[4 + bandLines];
        EXPECT_TRUE(outline.IsLine() && outline.third == 60 && outline.count == 3)
            << Describe(outline);
        const DrawCall& fill = view.calls.back();
        EXPECT_TRUE(fill.IsPolygon() && fill.third == 50 && fill.count == 3) << Describe(fill);
        ASSERT_EQ(fill.points.size(), 3u);
        EXPECT_NEAR(UnitsX(fill.points[0]), 120.0, 1e-9);
        EXPECT_NEAR(UnitsY(fill.points[0]), 252.0, 1e-9);
        EXPECT_NEAR(UnitsX(fill.points[1]), 130.0, 1e-9);
        EXPECT_NEAR(UnitsX(fill.points[2]), 110.0, 1e-9);
        EXPECT_NEAR(UnitsY(fill.points[2]), 232.0, 1e-9);
    }
    void ExpectFullDrawing() const
    {
        const std::vector<Units> band = FullBand();
        ExpectDrawing(&band);
    }

    // The messages logged, without the probe's timing and memory lines.
    static std::vector<ApLogMessage> Messages()
    {
        std::vector<ApLogMessage> messages = LoggedMessages();
        messages.erase(std::remove_if(messages.begin(), messages.end(), IsProbeLine),
                       messages.end());
        return messages;
    }
    static bool IsProbeLine(ApLogMessage message)
    {
        return message >= AP_MSG_PROBE_SET_SIZE_TIME && message < AP_MSG_COUNT;
    }
    // Whether the probe measured the call whose time line is `timeLine`.
    static bool Probed(ApLogMessage timeLine)
    {
        const std::vector<ApLogMessage> all = LoggedMessages();
        return std::find(all.begin(), all.end(), timeLine) != all.end();
    }
    // The failed band: the reason of the junction builder, then the turn's.
    static void ExpectBandFailure(ApLogMessage reason)
    {
        EXPECT_THAT(Messages(), ElementsAre(reason, AP_MSG_TURN_BAND_FAILED));
        EXPECT_FALSE(Probed(AP_MSG_PROBE_DRAW_TURN_TIME)) << "no probe lines";
    }

    void Clear()
    {
        view.Reset();
        RecordingLog::Instance().Clear();
    }

    TestPath path;
    std::vector<AdvicePathSizeSetting> sizes;
};

// ---- the allocations of the scenario ------------------------------------------

// Every call of the scenario that builds something allocates, so that the
// last test below fails allocations in each of them. A Draw of the same band
// again allocates just what the first Draw did, so that a host's frame loop
// does not allocate more and more; the route line alone allocates nothing.
TEST_F(AllocationFailureTest, DrawingTheSameBandAgainAllocatesWhatTheFirstDrawDid)
{
    AllocationCounter counter;
    counter.Enter(Phase::NewPathRender);
    AdvicePathRenderEx* handle = NewPathRender(&path, &view);
    ASSERT_NE(handle, nullptr);
    counter.Enter(Phase::SetSize);
    ASSERT_EQ(handle->SetSize(sizes.data(), 3, 30), 1);
    counter.Enter(Phase::SetTurnInfo);
    handle->SetTurnInfo(Turn(), &path);
    counter.Enter(Phase::Draw);
    handle->Draw(true, true);
    ExpectFullDrawing();

    std::map<Phase, std::vector<ApAllocSite>> sites;
    for (const Attempt& attempt : counter.Attempts())
        sites[attempt.phase].push_back(attempt.site);
    for (Phase phase : {Phase::NewPathRender, Phase::SetSize, Phase::SetTurnInfo, Phase::Draw})
        EXPECT_FALSE(sites[phase].empty()) << PhaseName(phase) << " allocates nothing";

    for (int again = 0; again < 3; ++again)
    {
        const size_t before = counter.Attempts().size();
        Clear();
        handle->Draw(true, true);
        ExpectFullDrawing();
        std::vector<ApAllocSite> drawn;
        for (size_t i = before; i < counter.Attempts().size(); ++i)
            drawn.push_back(counter.Attempts()[i].site);
        EXPECT_EQ(drawn, sites[Phase::Draw]) << "Draw " << again + 2;
    }

    const size_t before = counter.Attempts().size();
    Clear();
    handle->Draw(true, false);
    ExpectDrawing(nullptr);
    EXPECT_EQ(counter.Attempts().size(), before);
    EXPECT_TRUE(ClosePathRender(handle));
}

// ---- each site failing ----------------------------------------------------------

TEST_F(AllocationFailureTest, HandleSiteFailingMakesNewPathRenderAnswerNull)
{
    AllocationCounter counter;
    counter.FailSite(AP_ALLOC_HANDLE);
    EXPECT_EQ(NewPathRender(&path, &view), nullptr);
    EXPECT_EQ(NewPathRender(nullptr, nullptr), nullptr);
    EXPECT_TRUE(Messages().empty());

    counter.Recover();
    AdvicePathRenderEx* handle = NewPathRender(&path, &view);
    ASSERT_NE(handle, nullptr);
    ASSERT_EQ(handle->SetSize(sizes.data(), 3, 30), 1);
    handle->SetTurnInfo(Turn(), &path);
    handle->Draw(true, true);
    ExpectFullDrawing();
    EXPECT_TRUE(ClosePathRender(handle));
}

TEST_F(AllocationFailureTest, RendererSiteFailingGivesInertHandlesThatRecoverNever)
{
    AllocationCounter counter;
    counter.FailSite(AP_ALLOC_RENDERER);
    AdvicePathRenderEx* made = NewPathRender(&path, &view);
    ASSERT_NE(made, nullptr);
    AdvicePathRenderEx constructed(&path);

    counter.Recover();
    // The renderer is allocated once, with the handle: an inert handle stays
    // inert when memory comes back, and answers as one.
    for (AdvicePathRenderEx* handle : {made, &constructed})
    {
        AdvicePathClrSetting colours;
        EXPECT_FALSE(handle->GetClr(colours));
        EXPECT_EQ(handle->SetSize(sizes.data(), 3, 30), 0);
        handle->SetTurnInfo(Turn(), &path);
        handle->Draw(true, true);
    }
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(ClosePathRender(made));

    AdvicePathRenderEx fresh(&path);
    ASSERT_EQ(fresh.SetSize(sizes.data(), 3, 30), 1);
    fresh.SetTurnInfo(Turn(), &path);
    Clear();
    fresh.Draw(true, true);
    ExpectFullDrawing();
}

TEST_F(AllocationFailureTest, SizeTableSiteFailingLeavesNothingToDrawUntilSetSizeSucceeds)
{
    AdvicePathRenderEx handle(&path);
    AllocationCounter counter;
    counter.FailSite(AP_ALLOC_SIZE_TABLE);
    EXPECT_EQ(handle.SetSize(sizes.data(), 3, 30), 0);
    EXPECT_THAT(Messages(), ElementsAre(AP_MSG_SIZE_TABLE_NOT_ALLOCATED));
    EXPECT_FALSE(Probed(AP_MSG_PROBE_SET_SIZE_TIME)) << "no probe lines";

    handle.SetTurnInfo(Turn(), &path);
    Clear();
    handle.Draw(true, true);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_THAT(Messages(), ElementsAre(AP_MSG_SCALE_TO_LAST))
        << "only the level clamp of a renderer without a table";

    counter.Recover();
    EXPECT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
    Clear();
    handle.Draw(true, true);
    ExpectFullDrawing();
}

// Edge objects, point buffers and pointer arrays failing from SetTurnInfo on:
// no entering edge can be kept (silently), so the band fails for want of
// them, while the route line is drawn.
TEST_F(AllocationFailureTest, EdgeSitesFailingFromSetTurnInfoOnLeaveNoEnteringEdges)
{
    for (ApAllocSite site : {AP_ALLOC_EDGE, AP_ALLOC_POINT_BUFFER, AP_ALLOC_POINTER_ARRAY})
    {
        SCOPED_TRACE(site);
        AdvicePathRenderEx handle(&path);
        ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
        AllocationCounter counter;
        counter.FailSite(site);
        Clear();
        handle.SetTurnInfo(Turn(), &path);
        EXPECT_TRUE(Messages().empty()) << "a guide whose edge cannot be built is left out";
        handle.Draw(true, true);
        ExpectDrawing(nullptr);
        ExpectBandFailure(AP_MSG_CROSS_NO_FROM_EDGES);

        counter.Recover();
        handle.SetTurnInfo(Turn(), &path);
        Clear();
        handle.Draw(true, true);
        ExpectFullDrawing();
        EXPECT_TRUE(Messages().empty());
    }
}

// The same sites failing only while the band is cut: the band that cannot be
// built is not drawn, and the next Draw after recovery draws it whole from
// the entering edges kept since SetTurnInfo.
TEST_F(AllocationFailureTest, EdgeSitesFailingDuringDrawLoseOnlyThatBand)
{
    for (ApAllocSite site : {AP_ALLOC_EDGE, AP_ALLOC_POINT_BUFFER, AP_ALLOC_POINTER_ARRAY})
    {
        SCOPED_TRACE(site);
        AdvicePathRenderEx handle(&path);
        ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
        handle.SetTurnInfo(Turn(), &path);
        AllocationCounter counter;
        counter.FailSite(site);
        Clear();
        handle.Draw(true, true);
        ExpectDrawing(nullptr);
        ExpectBandFailure(AP_MSG_CROSS_APPEND_FAILED);

        counter.Recover();
        Clear();
        handle.Draw(true, true);
        ExpectFullDrawing();
    }
}

// ---- each allocation failing ----------------------------------------------------

// The entering stretch without the edge of collected slot `missing` (0: the
// entering guide, 1 and 2 the guides before it): the other two, 80 together,
// are shorter than the 100 asked for and are drawn whole.
std::vector<Units> EnteringWithout(int missing)
{
    switch (missing)
    {
    case 0:
        return {{{0, 0}, {40, 0}}, {{40, 0}, {80, 0}}};
    case 1:
        return {{{0, 0}, {40, 0}}, {{80, 0}, {120, 0}}};
    default:
        return {{{40, 0}, {80, 0}}, {{80, 0}, {120, 0}}};
    }
}

TEST_F(AllocationFailureTest, EveryAllocationOfTheScenarioMayFail)
{
    size_t total = 0;
    {
        AllocationCounter counting;
        AdvicePathRenderEx* handle = NewPathRender(&path, &view);
        handle->SetSize(sizes.data(), 3, 30);
        handle->SetTurnInfo(Turn(), &path);
        handle->Draw(true, true);
        ClosePathRender(handle);
        total = counting.Attempts().size();
    }
    ASSERT_GT(total, 0u);

    for (size_t failing = 1; failing <= total; ++failing)
    {
        Clear();
        AllocationCounter counter;
        counter.FailAt(static_cast<int>(failing));

        counter.Enter(Phase::NewPathRender);
        AdvicePathRenderEx* handle = NewPathRender(&path, &view);
        int sized = 0;
        if (handle != nullptr)
        {
            counter.Enter(Phase::SetSize);
            sized = handle->SetSize(sizes.data(), 3, 30);
            counter.Enter(Phase::SetTurnInfo);
            handle->SetTurnInfo(Turn(), &path);
            counter.Enter(Phase::Draw);
            handle->Draw(true, true);
        }
        ASSERT_GE(counter.Attempts().size(), failing);
        const Attempt failed = counter.Attempts()[failing - 1];
        SCOPED_TRACE(std::string("allocation ") + std::to_string(failing) + " fails: " +
                     PhaseName(failed.phase) + ", site " + std::to_string(failed.site));
        counter.Recover();

        switch (failed.phase)
        {
        case Phase::NewPathRender:
            if (failed.site == AP_ALLOC_HANDLE)
            {
                EXPECT_EQ(handle, nullptr);
            }
            else
            {
                ASSERT_NE(handle, nullptr);
                AdvicePathClrSetting colours;
                EXPECT_FALSE(handle->GetClr(colours)) << "an inert handle";
                EXPECT_EQ(sized, 0);
                EXPECT_TRUE(view.calls.empty());
            }
            EXPECT_TRUE(Messages().empty());
            // Recovery: a new handle does the whole scenario.
            ClosePathRender(handle);
            handle = NewPathRender(&path, &view);
            ASSERT_NE(handle, nullptr);
            ASSERT_EQ(handle->SetSize(sizes.data(), 3, 30), 1);
            handle->SetTurnInfo(Turn(), &path);
            break;
        case Phase::SetSize:
        {
            EXPECT_EQ(sized, 0);
            EXPECT_TRUE(view.calls.empty());
            EXPECT_THAT(Messages(),
                        ElementsAre(AP_MSG_SIZE_TABLE_NOT_ALLOCATED, AP_MSG_SCALE_TO_LAST))
                << "then Draw without a table";
            ASSERT_EQ(handle->SetSize(sizes.data(), 3, 30), 1);
            break;
        }
        case Phase::SetTurnInfo:
        {
            // The edge of one collected guide is left out, silently; the band
            // is drawn from the other two.
            EXPECT_EQ(sized, 1);
            EXPECT_TRUE(Messages().empty());
            const std::vector<Units> band = Band(EnteringWithout(failed.edgesSoFar - 1));
            ExpectDrawing(&band);
            handle->SetTurnInfo(Turn(), &path);
            break;
        }
        case Phase::Draw:
            EXPECT_EQ(sized, 1);
            ExpectDrawing(nullptr);
            ExpectBandFailure(AP_MSG_CROSS_APPEND_FAILED);
            break;
        }

        // The allocator has recovered: the next Draw draws everything.
        Clear();
        handle->Draw(true, true);
        ExpectFullDrawing();
        EXPECT_TRUE(Messages().empty());
        EXPECT_TRUE(ClosePathRender(handle));
    }
}

} // namespace
} // namespace aptest
