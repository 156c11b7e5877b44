// The exported handle: defaults, shared renderers, the shared handle, inert
// handles and ClosePathRender.
#include "LibraryFixture.h"
#include "LogLineChecks.h"

#include "Render/AdvicePathRender.h"

namespace aptest
{
namespace
{

class HandleTest : public LibraryTest
{
protected:
    // Draws once and answers whether anything reached `target`.
    static bool DrawsOn(AdvicePathRenderEx& handle, RecordingMapView& target, TestPath& path)
    {
        target.Reset();
        handle.SetPath(&path);
        handle.Draw(true, false);
        return !target.calls.empty();
    }

    void SetUp() override
    {
        LibraryTest::SetUp();
        path.AddEdge({{1.0, 1.0}, {2.0, 2.0}});
        sizes = MakeSizeTable(3);
    }

    TestPath path;
    std::vector<AdvicePathSizeSetting> sizes;
};

TEST_F(HandleTest, FreshHandleHasDefaultColours)
{
    AdvicePathRenderEx handle;
    AdvicePathClrSetting colours(1, 2, 3, 4);
    ASSERT_TRUE(handle.GetClr(colours));
    EXPECT_EQ(colours.m_PathClr, 0x000711F5u);
    EXPECT_EQ(colours.m_PathBorderClr, 0x0092121Bu);
    EXPECT_EQ(colours.m_ArrowClr, 0x00FFFFFFu);
    EXPECT_EQ(colours.m_ArrowBorderClr, 0u);

    AdvicePathClrSetting defaults;
    EXPECT_EQ(defaults.m_PathClr, 463349u);
    EXPECT_EQ(defaults.m_PathBorderClr, 9572891u);
}

TEST_F(HandleTest, SetClrIsReadBackInOrder)
{
    AdvicePathRenderEx handle;
    handle.SetClr(AdvicePathClrSetting(0x11, 0x22, 0x33, 0x44));
    AdvicePathClrSetting colours;
    ASSERT_TRUE(handle.GetClr(colours));
    EXPECT_EQ(colours.m_PathClr, 0x11u);
    EXPECT_EQ(colours.m_PathBorderClr, 0x22u);
    EXPECT_EQ(colours.m_ArrowClr, 0x33u);
    EXPECT_EQ(colours.m_ArrowBorderClr, 0x44u);
}

TEST_F(HandleTest, ConstructorTakesDefaultMapViewAndPath)
{
    AdvicePathRenderEx handle(&path);
    EXPECT_EQ(MapCreateControl::Calls(), 1);
    ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
    handle.Draw(true, false);
    EXPECT_EQ(view.calls.size(), 2u); // border and fill of the one edge
}

TEST_F(HandleTest, CopiesShareOneRenderer)
{
    AdvicePathRenderEx original;
    AdvicePathRenderEx copy(original);
    copy.SetClr(AdvicePathClrSetting(7, 8, 9, 10));
    AdvicePathClrSetting colours;
    ASSERT_TRUE(original.GetClr(colours));
    EXPECT_EQ(colours.m_PathClr, 7u);
}

// Two automatic handles sharing a renderer used to free it twice.
TEST_F(HandleTest, RegressionCopiesDestroyedFreeTheRendererOnce)
{
    {
        AdvicePathRenderEx original;
        ASSERT_EQ(original.SetSize(sizes.data(), 3, 30), 1);
        {
            AdvicePathRenderEx copy(original);
            EXPECT_TRUE(DrawsOn(copy, view, path));
        }
        // The copy is gone; the original still owns a working renderer.
        EXPECT_TRUE(DrawsOn(original, view, path));
    }
    SUCCEED(); // AddressSanitizer reports a double free here if ownership is wrong
}

// Assignment over the only handle of a renderer used to lose that renderer.
TEST_F(HandleTest, RegressionAssignmentReleasesTheSoleOwnersRenderer)
{
    AdvicePathRenderEx target;
    AdvicePathRenderEx source;
    source.SetClr(AdvicePathClrSetting(1, 2, 3, 4));
    target = source; // LeakSanitizer reports the target's old renderer if it leaks
    AdvicePathClrSetting colours;
    ASSERT_TRUE(target.GetClr(colours));
    EXPECT_EQ(colours.m_PathClr, 1u);
    source.SetClr(AdvicePathClrSetting(5, 6, 7, 8));
    ASSERT_TRUE(target.GetClr(colours));
    EXPECT_EQ(colours.m_PathClr, 5u) << "assignment shares the source's renderer";
}

TEST_F(HandleTest, SelfAssignmentKeepsTheRenderer)
{
    AdvicePathRenderEx handle;
    ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
    AdvicePathRenderEx& alias = handle;
    handle = alias;
    EXPECT_TRUE(DrawsOn(handle, view, path));
}

TEST_F(HandleTest, SharedHandleIsOneObjectAndCannotBeClosed)
{
    AdvicePathRenderEx& shared = GetAdvicePath();
    EXPECT_EQ(&shared, &GetAdvicePath());
    EXPECT_FALSE(ClosePathRender(&shared));
    AdvicePathClrSetting colours;
    EXPECT_TRUE(shared.GetClr(colours)) << "the shared handle keeps working";
}

TEST_F(HandleTest, ClosePathRenderOfNullIsTrue)
{
    EXPECT_TRUE(ClosePathRender(nullptr));
}

// Runs in a process of its own, so the shared handle does not exist yet. Under
// an emulator the program cannot execute itself again; there the process of
// its own is CTest's (one process per test case) and the death test forks.
TEST_F(HandleTest, ClosingBeforeTheSharedHandleExistsCreatesIt)
{
#if defined(AP_TESTS_UNDER_EMULATOR)
    ::testing::FLAGS_gtest_death_test_style = "fast";
#else
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
#endif
    EXPECT_EXIT(
        {
            AdvicePathRenderEx* handle = NewPathRender(nullptr, nullptr);
            int before = MapCreateControl::Calls();
            bool closed = ClosePathRender(handle);
            // The shared handle was built on the way: one more default map view.
            int built = MapCreateControl::Calls() - before;
            std::exit(closed && built == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(HandleTest, NewPathRenderKeepsOrReplacesTheMapView)
{
    AdvicePathRenderEx* withDefault = NewPathRender(&path, nullptr);
    ASSERT_NE(withDefault, nullptr);
    ASSERT_EQ(withDefault->SetSize(sizes.data(), 3, 30), 1);
    EXPECT_TRUE(DrawsOn(*withDefault, view, path));

    view.Reset();
    RecordingMapView other;
    AdvicePathRenderEx* withOther = NewPathRender(&path, &other);
    ASSERT_NE(withOther, nullptr);
    ASSERT_EQ(withOther->SetSize(sizes.data(), 3, 30), 1);
    EXPECT_TRUE(DrawsOn(*withOther, other, path));
    EXPECT_TRUE(view.calls.empty());

    EXPECT_TRUE(ClosePathRender(withDefault));
    EXPECT_TRUE(ClosePathRender(withOther));
}

TEST_F(HandleTest, NewPathRenderAnswersNullWhenTheHandleCannotBeAllocated)
{
    AllocFailure failure(AP_ALLOC_HANDLE);
    EXPECT_EQ(NewPathRender(nullptr, nullptr), nullptr);
}

TEST_F(HandleTest, NullMapViewSuppressesDrawing)
{
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
    RecordingLog::Instance().Clear();
    EXPECT_TRUE(handle.SetDrawParm(nullptr));
    handle.Draw(true, true);
    EXPECT_TRUE(view.calls.empty());
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_TRUE(LoggedAs(Log()[0], AP_MSG_SCALE_NO_MAP_VIEW));
}

TEST_F(HandleTest, NullPathIsRefusedAndTheOldPathStays)
{
    AdvicePathRenderEx handle(&path);
    ASSERT_EQ(handle.SetSize(sizes.data(), 3, 30), 1);
    EXPECT_FALSE(handle.SetPath(nullptr));
    handle.Draw(true, false);
    EXPECT_EQ(view.calls.size(), 2u);
}

TEST_F(HandleTest, InertHandleAnswersFalseAndIgnoresEverything)
{
    AllocFailure failure(AP_ALLOC_RENDERER);
    AdvicePathRenderEx handle(&path);
    EXPECT_EQ(MapCreateControl::Calls(), 0) << "no map view is asked for without a renderer";

    AdvicePathClrSetting colours(1, 2, 3, 4);
    EXPECT_FALSE(handle.GetClr(colours));
    EXPECT_EQ(colours.m_PathClr, 1u) << "output untouched";
    EXPECT_FALSE(handle.SetDrawParm(&view));
    EXPECT_FALSE(handle.SetPath(&path));
    EXPECT_EQ(handle.SetSize(sizes.data(), 3, 30), 0);
    handle.SetClr(colours);
    handle.SetTurnInfo(CTurnInfo(), &path);
    handle.EnableDrawing(true);
    handle.EnableDrawRedLine(true);
    handle.Draw(true, true);
    handle.Clear();
    handle.ClearBigArrow();

    AdvicePathRenderEx copy(handle);
    copy = handle;
    EXPECT_FALSE(copy.GetClr(colours));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(Log().empty()) << "an inert handle writes no log line";
}

TEST_F(HandleTest, NewPathRenderMayReturnAnInertHandle)
{
    AllocFailure failure(AP_ALLOC_RENDERER);
    AdvicePathRenderEx* handle = NewPathRender(&path, &view);
    ASSERT_NE(handle, nullptr);
    AdvicePathClrSetting colours;
    EXPECT_FALSE(handle->GetClr(colours));
    EXPECT_TRUE(ClosePathRender(handle));
}

TEST_F(HandleTest, HandleIsTwoPointersWide)
{
    // A vtable pointer and the renderer pointer: no room for anything else.
    EXPECT_EQ(sizeof(AdvicePathRenderEx), 2 * sizeof(void*));
}

} // namespace
} // namespace aptest
