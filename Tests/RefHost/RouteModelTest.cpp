// The reference route model: guide walks over a route and over its views, the
// guide record as the library reads it, route-line edges, turn information,
// the route manager, validation and the cutting of long links.
#include "Route/RouteModel.h"
#include "Route/ActiveRoute.h"
#include "Route/RouteBuilder.h"
#include "Route/TurnInfo.h"
#include "Support/RecordingMapView.h"
#include "Support/SameBytes.h"

#include "AdvicePathRenderEx.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using refhost::PathView;
using refhost::RouteBuilder;
using refhost::RouteDescription;
using refhost::RouteModel;
using testing::HasSubstr;

namespace
{

// 0.001 degree of longitude on the equator of the WGS84 ellipsoid: the
// equatorial radius times the angle, 6378137 m * 0.001 * pi / 180.
const double kMilliDegreeOnEquator = 111.31949079327357;
const double d = 0.001;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

tagLonLat P(double lon, double lat)
{
    return tagLonLat{lon, lat};
}

RouteModel BuildOrFail(const RouteBuilder& builder)
{
    std::string error;
    std::optional<RouteModel> model = builder.Build(error);
    EXPECT_TRUE(model.has_value()) << error;
    EXPECT_EQ(error, "");
    if (model)
        return *model;
    RouteBuilder fallback("fallback");
    fallback.AddLink({P(0, 0), P(d, 0)});
    return *fallback.Build(error);
}

// Four links eastwards along the equator, 1, 2, 3 and 4 milli-degrees long,
// with manoeuvres at the ends of links 0 and 2 and the arrival at the end.
RouteBuilder EquatorRoute()
{
    RouteBuilder builder("equator");
    builder.AddLink({P(0, 0), P(d, 0)}, "First Street");
    builder.ContinueLink({P(2 * d, 0), P(3 * d, 0)}, "Second Street");
    builder.ContinueLink({P(6 * d, 0)}, "Third Street");
    builder.ContinueLink({P(8 * d, 0), P(10 * d, 0)}, "Fourth Street");
    builder.LinkAt(1).attr1 = 0x1234;
    builder.LinkAt(1).attr2 = 0xBEEF;
    builder.AddManeuver(0, 0, NAV_TURN_STRAIGHT, "Continue onto Second Street");
    builder.AddManeuver(2, 2, NAV_TURN_LEFT, "Turn left onto Fourth Street");
    builder.AddManeuver(3, 3, NAV_TURN_STRAIGHT, "Arrive");
    builder.SetOrigin(P(0, 0)).AddDestination(P(10 * d, 0));
    return builder;
}

template <typename T> T ReadAt(const PathGuid& guide, size_t offset)
{
    T value;
    // T is the field's own type, a pointer for a pointer field.
    // NOLINTNEXTLINE(bugprone-sizeof-expression)
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&guide) + offset, sizeof(T));
    return value;
}

// The links whose guides a walk from the first guide of `path` visits,
// advancing one record in place as the library does.
std::vector<uint32_t> WalkGuides(CPath& path)
{
    std::vector<uint32_t> links;
    POSITION position = path.GetFirstPosition();
    PathGuid guide;
    if (position == nullptr || path.GetGuid(position, guide) == 0)
        return links;
    do
    {
        links.push_back(guide.m_FirstHead[0]);
    } while (path.GetNextGuid(guide, guide) != 0 && links.size() < 1000);
    return links;
}

} // namespace

// ---- guides --------------------------------------------------------------

TEST(RouteModelGuides, WalkOverTheWholeRouteVisitsEveryLinkInOrder)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    EXPECT_THAT(WalkGuides(model), testing::ElementsAre(0u, 1u, 2u, 3u));

    const double expectedLengths[] = {1, 2, 3, 4};
    PathGuid guide;
    ASSERT_EQ(model.GetGuid(model.GetFirstPosition(), guide), 1);
    for (size_t link = 0; link < 4; ++link)
    {
        SCOPED_TRACE(link);
        EXPECT_EQ(guide.m_FirstCount, model.LinkPoints(link).size());
        EXPECT_EQ(guide.mp_FirstPoints, model.LinkPoints(link).data());
        EXPECT_EQ(guide.m_GuidePoint.lon, model.LinkPoints(link).back().lon);
        EXPECT_EQ(guide.m_GuidePoint.lat, 0.0);
        EXPECT_NEAR(guide.m_GuideLength, expectedLengths[link] * kMilliDegreeOnEquator, 1e-6);
        if (link < 3)
        {
            ASSERT_EQ(model.GetNextGuid(guide, guide), 1);
        }
    }
    EXPECT_EQ(model.GetNextGuid(guide, guide), 0) << "no guide after the last link";
    EXPECT_NEAR(model.Length(), 10 * kMilliDegreeOnEquator, 1e-6);
    EXPECT_NEAR(model.LinkStartDistance(3), 6 * kMilliDegreeOnEquator, 1e-6);
}

TEST(RouteModelGuides, AdvancingInPlaceGivesTheSameRecordAsSeparateArguments)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    PathGuid first;
    ASSERT_EQ(model.GetGuid(model.GetFirstPosition(), first), 1);

    PathGuid separate;
    std::memset(&separate, 0x5A, sizeof(separate));
    ASSERT_EQ(model.GetNextGuid(first, separate), 1);

    PathGuid inPlace = first;
    ASSERT_EQ(model.GetNextGuid(inPlace, inPlace), 1);
    EXPECT_TRUE(aptest::SameBytes(inPlace, separate));

    PathGuid fresh;
    ASSERT_EQ(model.GetGuid(model.GetNext(model.GetFirstPosition()), fresh), 1);
    EXPECT_TRUE(aptest::SameBytes(inPlace, fresh)) << "the whole record is rewritten";
}

TEST(RouteModelGuides, CopiesOfRecordsAdvanceLikeTheOriginal)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    // The library keeps guides as NavGuid copies and copies them back into
    // PathGuid working records.
    NavGuid enter = model.GuideOf(1);
    PathGuid working = enter;
    ASSERT_EQ(model.GetNextGuid(working, working), 1);
    EXPECT_EQ(working.m_FirstHead[0], 2u);
    EXPECT_EQ(working.m_GuidePoint.lon, 6 * d);

    // A copy of the model shares its points and identity.
    RouteModel copy = model;
    PathGuid fromCopy = enter;
    ASSERT_EQ(copy.GetNextGuid(fromCopy, fromCopy), 1);
    EXPECT_TRUE(aptest::SameBytes(fromCopy, working));
}

TEST(RouteModelGuides, RecordsOfAnotherRouteOrZeroedRecordsLeadNowhere)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    RouteModel other = BuildOrFail(EquatorRoute());
    EXPECT_NE(model.Identity(), other.Identity());

    PathGuid foreign = other.GuideOf(0);
    EXPECT_EQ(model.GetNextGuid(foreign, foreign), 0);

    PathGuid zeroed;
    std::memset(&zeroed, 0, sizeof(zeroed));
    EXPECT_EQ(model.GetNextGuid(zeroed, zeroed), 0);

    PathGuid outOfRange = model.GuideOf(0);
    outOfRange.m_FirstHead[0] = 7; // beyond the record's own range
    EXPECT_EQ(model.GetNextGuid(outOfRange, outOfRange), 0);
}

TEST(RouteModelGuides, RecordLayoutHoldsWhatTheLibraryReads)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    const PathGuid guide = model.GuideOf(1);

    // Offsets of the guide record (752 bytes).
    EXPECT_NEAR(ReadAt<double>(guide, 344), 2 * kMilliDegreeOnEquator, 1e-6);
    auto guidePoint = ReadAt<tagLonLat>(guide, 360);
    EXPECT_EQ(guidePoint.lon, 3 * d);
    EXPECT_EQ(guidePoint.lat, 0.0);
    EXPECT_EQ(ReadAt<uint16_t>(guide, 318), 0x1234);
    EXPECT_EQ(ReadAt<uint16_t>(guide, 320), 0xBEEF);
    EXPECT_EQ(ReadAt<uint16_t>(guide, 322), 3);
    const size_t pointsOffset = sizeof(void*) == 8 ? 328 : 324;
    EXPECT_EQ(ReadAt<const tagLonLat*>(guide, pointsOffset), model.LinkPoints(1).data());
    EXPECT_STREQ(reinterpret_cast<const char*>(&guide) + 16, "Second Street");

    // The second record stays empty.
    EXPECT_EQ(ReadAt<uint16_t>(guide, 696), 0);
    const size_t secondPointsOffset = sizeof(void*) == 8 ? 704 : 700;
    EXPECT_EQ(ReadAt<const tagLonLat*>(guide, secondPointsOffset), nullptr);
    EXPECT_EQ(reinterpret_cast<const char*>(&guide)[392], '\0');
}

TEST(RouteModelGuides, NamesAreCutToTheFieldWithoutSplittingACharacter)
{
    RouteBuilder builder("names");
    builder.AddLink({P(0, 0), P(d, 0)}, std::string(400, 'x'));
    // 300 ASCII bytes, then a two-byte character across the 301-byte limit.
    builder.ContinueLink({P(2 * d, 0)}, std::string(300, 'a') + "\xC3\xA9");
    builder.ContinueLink({P(3 * d, 0)}, "");
    builder.LinkAt(2).ref = "B 12";
    RouteModel model = BuildOrFail(builder);

    EXPECT_EQ(std::string(model.GuideOf(0).m_FirstName), std::string(301, 'x'));
    EXPECT_EQ(std::string(model.GuideOf(1).m_FirstName), std::string(300, 'a'));
    EXPECT_EQ(std::string(model.GuideOf(2).m_FirstName), "B 12") << "unnamed: the ref";
}

// ---- views ------------------------------------------------------------------

TEST(RouteModelViews, ViewWalksOnlyItsOwnLinks)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    PathView remaining = model.ViewFrom(2);
    EXPECT_THAT(WalkGuides(remaining), testing::ElementsAre(2u, 3u));

    PathView middle = model.ViewRange(1, 3);
    EXPECT_THAT(WalkGuides(middle), testing::ElementsAre(1u, 2u));

    // A record handed out by the view leads nowhere beyond the view, whichever
    // path is asked.
    PathGuid last;
    ASSERT_EQ(middle.GetGuid(middle.GetNext(middle.GetFirstPosition()), last), 1);
    EXPECT_EQ(last.m_FirstHead[0], 2u);
    PathGuid copy = last;
    EXPECT_EQ(model.GetNextGuid(copy, copy), 0);
    // A record of the whole route walks within the view that is asked.
    PathGuid whole = model.GuideOf(2);
    EXPECT_EQ(middle.GetNextGuid(whole, whole), 0);
    PathGuid before = model.GuideOf(0);
    ASSERT_EQ(middle.GetNextGuid(before, before), 1);
    EXPECT_EQ(before.m_FirstHead[0], 1u);

    EXPECT_TRUE(model.ViewFrom(4).Empty());
    EXPECT_EQ(model.ViewFrom(4).GetFirstPosition(), nullptr);
    EXPECT_TRUE(PathView().Empty());
    EXPECT_EQ(PathView().GetFirstPosition(), nullptr);
}

TEST(RouteModelViews, ViewSharesThePointsAndOutlivesTheModel)
{
    PathView view;
    const tagLonLat* modelPoints = nullptr;
    {
        RouteModel model = BuildOrFail(EquatorRoute());
        modelPoints = model.LinkPoints(3).data();
        view = model.ViewFrom(3);
    }
    unsigned short count = 0;
    tagLonLat* points = nullptr;
    ASSERT_EQ(view.GetEdge(view.GetFirstPosition(), count, points), 1);
    EXPECT_EQ(points, modelPoints) << "no copy of the points";
    EXPECT_EQ(count, 3);
    EXPECT_EQ(points[2].lon, 10 * d);
}

TEST(RouteModelViews, EdgesAreTheLinksOfTheRange)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    std::vector<unsigned short> counts;
    for (POSITION position = model.GetFirstPosition(); position != nullptr;
         position = model.GetNext(position))
    {
        unsigned short count = 0;
        tagLonLat* points = nullptr;
        ASSERT_EQ(model.GetEdge(position, count, points), 1);
        counts.push_back(count);
        EXPECT_EQ(points, model.LinkPoints(counts.size() - 1).data());
    }
    EXPECT_THAT(counts, testing::ElementsAre(2, 3, 2, 3));

    // A position outside a view is refused and leaves the outputs alone.
    PathView view = model.ViewFrom(2);
    unsigned short count = 77;
    tagLonLat* points = nullptr;
    EXPECT_EQ(view.GetEdge(model.GetFirstPosition(), count, points), 0);
    EXPECT_EQ(view.GetEdge(nullptr, count, points), 0);
    EXPECT_EQ(count, 77);
    EXPECT_EQ(points, nullptr);
    PathGuid guide;
    EXPECT_EQ(view.GetGuid(model.GetFirstPosition(), guide), 0);
}

// A loop driven twice: the junction J = (0, 0) is the end of links 0, 4 and 8.
//   0: W -> J, 1: J -> E, 2: E -> SE, 3: SE -> S, 4: S -> J, 5..8 the same
//   square again, then 9: J -> E2.
RouteBuilder LoopDrivenTwice()
{
    RouteBuilder builder("loop twice");
    builder.AddLink({P(-2 * d, 0), P(-d, 0), P(0, 0)}, "West Road");
    for (int round = 0; round < 2; ++round)
    {
        builder.ContinueLink({P(d, 0)}, "East Road");
        builder.ContinueLink({P(d, -d)}, "Side Road");
        builder.ContinueLink({P(0, -d)}, "South Road");
        builder.ContinueLink({P(0, 0)}, "Loop Road");
    }
    builder.ContinueLink({P(2 * d, 0)}, "East Road");
    builder.AddManeuver(0, 0, NAV_TURN_STRAIGHT);
    builder.AddManeuver(4, 4, NAV_TURN_LEFT);
    builder.AddManeuver(8, 8, NAV_TURN_LEFT);
    builder.AddManeuver(9, 9, NAV_TURN_END);
    return builder;
}

TEST(RouteModelViews, ManoeuvreViewStartsAfterTheEarlierVisitOfItsJunction)
{
    RouteModel model = BuildOrFail(LoopDrivenTwice());
    const double huge = 1e9;
    EXPECT_EQ(model.ViewStartForManeuver(0, huge), 0u);
    EXPECT_EQ(model.ViewStartForManeuver(1, huge), 1u) << "after link 0, which ends at J";
    EXPECT_EQ(model.ViewStartForManeuver(2, huge), 5u) << "after link 4, which ends at J";
    EXPECT_EQ(model.ViewStartForManeuver(3, huge), 0u) << "link 9 ends elsewhere";

    // Enough links back to hold the length: links 8 and 7 are 1 milli-degree
    // each, about 110.6 m (along a meridian) and 111.3 m (along a parallel).
    EXPECT_EQ(model.ViewStartForManeuver(2, 0.0), 8u);
    EXPECT_EQ(model.ViewStartForManeuver(2, 100.0), 8u);
    EXPECT_EQ(model.ViewStartForManeuver(2, 150.0), 7u);
    EXPECT_EQ(model.ViewStartForManeuver(2, 250.0), 6u);

    // The walk from the view's start meets the entering guide at this visit.
    for (size_t m = 0; m < 3; ++m)
    {
        SCOPED_TRACE(m);
        PathView view = model.ViewForManeuver(m, huge);
        NavGuid enter;
        ASSERT_TRUE(model.TurnInfoFor(m).GetEnterGuide(0, enter));
        std::vector<uint32_t> walk = WalkGuides(view);
        size_t firstMatch = walk.size();
        for (size_t i = 0; i < walk.size(); ++i)
        {
            const tagLonLat end = model.LinkPoints(walk[i]).back();
            if (std::fabs(end.lon - enter.m_GuidePoint.lon) <= AP_POINT_EPSILON &&
                std::fabs(end.lat - enter.m_GuidePoint.lat) <= AP_POINT_EPSILON)
            {
                firstMatch = i;
                break;
            }
        }
        ASSERT_LT(firstMatch, walk.size());
        EXPECT_EQ(walk[firstMatch], model.ManeuverAt(m).enterLink);
    }

    EXPECT_EQ(model.ViewStartForManeuver(4), model.LinkCount());
    EXPECT_TRUE(model.ViewForManeuver(4).Empty());
}

// ---- turn information ------------------------------------------------------

TEST(RouteModelTurns, TurnInfoCarriesTypeAndBothGuides)
{
    // A roundabout: link 1 enters it, links 2 and 3 lie inside, link 4 leaves.
    RouteBuilder builder("roundabout");
    builder.AddLink({P(-2 * d, 0), P(-d, 0)}, "Approach");
    builder.ContinueLink({P(0, 0)}, "Approach");
    builder.ContinueLink({P(0.5 * d, 0.5 * d)}, "Circle");
    builder.ContinueLink({P(d, 0)}, "Circle");
    builder.ContinueLink({P(3 * d, 0)}, "Exit Road");
    builder.AddManeuver(1, 3, NAV_TURN_ROUNDABOUT, "Take the first exit");
    builder.AddManeuver(4, 4, NAV_TURN_STRAIGHT, "Arrive");
    RouteModel model = BuildOrFail(builder);

    CTurnInfo turn = model.TurnInfoFor(0);
    EXPECT_EQ(turn.GetTurnType(0), NAV_TURN_ROUNDABOUT);
    NavGuid enter;
    NavGuid exit;
    ASSERT_TRUE(turn.GetEnterGuide(0, enter));
    ASSERT_TRUE(turn.GetExitGuide(0, exit));
    NavGuid expectedEnter = model.GuideOf(1);
    NavGuid expectedExit = model.GuideOf(3);
    EXPECT_TRUE(aptest::SameBytes(enter, expectedEnter));
    EXPECT_TRUE(aptest::SameBytes(exit, expectedExit));
    EXPECT_EQ(enter.m_GuidePoint.lon, 0.0);
    EXPECT_EQ(exit.m_GuidePoint.lon, d);

    // Only index 0 exists; other indexes zero the guide.
    NavGuid other;
    std::memset(&other, 0xAB, sizeof(other));
    EXPECT_FALSE(turn.GetEnterGuide(1, other));
    EXPECT_EQ(other.m_FirstHead[1], 0u);
    EXPECT_EQ(turn.GetTurnType(1), NAV_TURN_NONE);

    // The arrival is NAV_TURN_END whatever the description said.
    EXPECT_EQ(model.TurnInfoFor(1).GetTurnType(0), NAV_TURN_END);
    EXPECT_EQ(model.ManeuverAt(1).type, NAV_TURN_END);
    EXPECT_EQ(model.ManeuverAt(0).type, NAV_TURN_ROUNDABOUT);
    EXPECT_EQ(model.TurnInfoFor(2).GetTurnType(0), NAV_TURN_NONE) << "out of range";
}

TEST(RouteModelTurns, DefaultTurnInfoHasNothing)
{
    CTurnInfo none;
    EXPECT_EQ(none.GetTurnType(0), NAV_TURN_NONE);
    NavGuid guide;
    std::memset(&guide, 0xAB, sizeof(guide));
    EXPECT_FALSE(none.GetEnterGuide(0, guide));
    EXPECT_EQ(guide.m_GuidePoint.lon, 0.0);
    EXPECT_EQ(guide.m_FirstCount, 0);
    std::memset(&guide, 0xAB, sizeof(guide));
    EXPECT_FALSE(none.GetExitGuide(0, guide));
    EXPECT_EQ(guide.m_FirstHead[0], 0u);
}

TEST(RouteModelTurns, CopiesAndAssignmentsAreIndependentValues)
{
    RouteModel model = BuildOrFail(EquatorRoute());
    NavGuid guide;

    CTurnInfo copy;
    {
        CTurnInfo original = model.TurnInfoFor(1);
        CTurnInfo constructed(original);
        copy = original;
        original = CTurnInfo(); // the original changes; the copies do not
        EXPECT_EQ(original.GetTurnType(0), NAV_TURN_NONE);
        EXPECT_EQ(constructed.GetTurnType(0), NAV_TURN_LEFT);
        ASSERT_TRUE(constructed.GetEnterGuide(0, guide));
        EXPECT_EQ(guide.m_FirstHead[0], 2u);
    }
    // Still whole after every other holder is gone.
    EXPECT_EQ(copy.GetTurnType(0), NAV_TURN_LEFT);
    ASSERT_TRUE(copy.GetExitGuide(0, guide));
    EXPECT_EQ(guide.m_GuidePoint.lon, 6 * d);

    const CTurnInfo& alias = copy;
    copy = alias; // self-assignment keeps the value
    EXPECT_EQ(copy.GetTurnType(0), NAV_TURN_LEFT);

    CTurnInfo second = model.TurnInfoFor(0);
    CTurnInfo third = second;
    second = copy; // reassigning one sharer leaves the other alone
    EXPECT_EQ(second.GetTurnType(0), NAV_TURN_LEFT);
    EXPECT_EQ(third.GetTurnType(0), NAV_TURN_STRAIGHT);
    ASSERT_TRUE(third.GetEnterGuide(0, guide));
    EXPECT_EQ(guide.m_FirstHead[0], 0u);

    // Turn information keeps its own copy of the guides it was made with.
    NavGuid exitGuide = model.GuideOf(3);
    CTurnInfo made = refhost::MakeTurnInfo(NAV_TURN_FORK, nullptr, &exitGuide);
    std::memset(&exitGuide, 0, sizeof(exitGuide));
    EXPECT_FALSE(made.GetEnterGuide(0, guide));
    ASSERT_TRUE(made.GetExitGuide(0, guide));
    EXPECT_EQ(guide.m_FirstHead[0], 3u);
    EXPECT_EQ(made.GetTurnType(0), NAV_TURN_FORK);
}

// ---- route manager -----------------------------------------------------------

TEST(RouteModelManager, AnswersTheActiveRoute)
{
    NavDest dest;
    refhost::SetActiveRoute(nullptr);
    EXPECT_FALSE(refhost::HasActiveRoute());
    EXPECT_FALSE(GetRouteManager().GetPathManager().GetOrgPoint(dest));
    EXPECT_EQ(GetRouteManager().GetPathManager().GetDestCount(), 0);
    EXPECT_FALSE(GetRouteManager().GetPathManager().GetDestPoint(0, dest));

    {
        RouteBuilder builder = EquatorRoute();
        builder.AddDestination(P(20 * d, 0.5));
        RouteModel model = BuildOrFail(builder);
        refhost::SetActiveRoute(&model);
    } // the manager keeps its own copy
    EXPECT_TRUE(refhost::HasActiveRoute());
    CPathManagerEx& manager = GetRouteManager().GetPathManager();
    ASSERT_TRUE(manager.GetOrgPoint(dest));
    EXPECT_EQ(dest.m_Position.lon, 0.0);
    EXPECT_EQ(dest.m_Position.lat, 0.0);
    EXPECT_EQ(manager.GetDestCount(), 2);
    ASSERT_TRUE(manager.GetDestPoint(1, dest));
    EXPECT_EQ(dest.m_Position.lon, 20 * d);
    EXPECT_EQ(dest.m_Position.lat, 0.5);
    EXPECT_FALSE(manager.GetDestPoint(2, dest));
    EXPECT_FALSE(manager.GetDestPoint(-1, dest));
    EXPECT_EQ(&GetRouteManager(), &GetRouteManager()) << "one process-wide manager";

    // A route without an origin.
    RouteBuilder noOrigin("no origin");
    noOrigin.AddLink({P(0, 0), P(d, 0)});
    noOrigin.AddDestination(P(d, 0));
    RouteModel model = BuildOrFail(noOrigin);
    EXPECT_FALSE(model.HasOrigin());
    refhost::SetActiveRoute(&model);
    EXPECT_FALSE(manager.GetOrgPoint(dest));
    EXPECT_EQ(manager.GetDestCount(), 1);

    refhost::SetActiveRoute(nullptr);
    EXPECT_EQ(manager.GetDestCount(), 0);
}

// ---- validation and building ---------------------------------------------------

TEST(RouteModelBuild, BadDescriptionsAreRefusedWithAReason)
{
    struct Case
    {
        const char* what;
        void (*spoil)(RouteDescription&);
        const char* message;
    };
    const Case cases[] = {
        {"no links", [](RouteDescription& r) { r.links.clear(); }, "no links"},
        {"one point", [](RouteDescription& r) { r.links[2].points.resize(1); },
         "link 2 has 1 point(s)"},
        {"NaN", [](RouteDescription& r) { r.links[1].points[1].lat = kNaN; }, "link 1, point 1"},
        {"lon 180", [](RouteDescription& r) { r.links[0].points[0].lon = 180.0; },
         "link 0, point 0"},
        {"lat -90", [](RouteDescription& r) { r.links[3].points[2].lat = -90.0; },
         "link 3, point 2"},
        {"infinite", [](RouteDescription& r) { r.links[3].points[0].lon = HUGE_VAL; },
         "link 3, point 0"},
        {"enter out of range", [](RouteDescription& r) { r.maneuvers[1].enterLink = 4; },
         "manoeuvre 1: enterLink 4 is out of range (4 links)"},
        {"exit out of range", [](RouteDescription& r) { r.maneuvers[0].exitLink = 9; },
         "manoeuvre 0: exitLink 9"},
        {"enter after exit",
         [](RouteDescription& r)
         {
             r.maneuvers[1].enterLink = 3;
             r.maneuvers[1].exitLink = 2;
         },
         "enterLink 3 lies after exitLink 2"},
        {"turn type",
         [](RouteDescription& r) { r.maneuvers[0].type = static_cast<NAV_TURN_TYPE_tag>(13); },
         "unknown turn type 13"},
        {"destination", [](RouteDescription& r) { r.destinations[0].lat = 91.0; }, "destination 0"},
        {"origin", [](RouteDescription& r) { r.origin.lon = kNaN; }, "origin"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        RouteDescription description = EquatorRoute().Description();
        c.spoil(description);
        std::string error = "stale";
        std::optional<RouteModel> model = RouteModel::FromDescription(description, error);
        EXPECT_FALSE(model.has_value());
        EXPECT_THAT(error, HasSubstr(c.message));
        EXPECT_THAT(error, HasSubstr("route 'equator'"));
    }

    // Without an origin the route is still good.
    RouteDescription description = EquatorRoute().Description();
    description.origin = AP_INVALID_POINT;
    std::string error = "stale";
    EXPECT_TRUE(RouteModel::FromDescription(description, error).has_value());
    EXPECT_EQ(error, "");
}

TEST(RouteModelBuild, BuilderDerivesLocationsAndDistances)
{
    RouteDescription description = EquatorRoute().Description();
    ASSERT_EQ(description.maneuvers.size(), 3u);
    EXPECT_EQ(description.maneuvers[1].location.lon, 6 * d);
    EXPECT_EQ(description.maneuvers[1].location.lat, 0.0);
    EXPECT_NEAR(description.maneuvers[0].distanceFromStart, 1 * kMilliDegreeOnEquator, 1e-6);
    EXPECT_NEAR(description.maneuvers[1].distanceFromStart, 6 * kMilliDegreeOnEquator, 1e-6);
    EXPECT_NEAR(description.maneuvers[0].distanceToNext, 5 * kMilliDegreeOnEquator, 1e-6);
    EXPECT_NEAR(description.maneuvers[2].distanceFromStart, 10 * kMilliDegreeOnEquator, 1e-6);
    EXPECT_EQ(description.maneuvers[2].distanceToNext, 0.0);
    // ContinueLink starts where the previous link ended.
    EXPECT_EQ(description.links[1].points.front().lon, d);
    EXPECT_EQ(description.links[1].points.size(), 3u);
    EXPECT_EQ(description.maneuvers[1].instruction, "Turn left onto Fourth Street");
}

TEST(RouteModelBuild, LongLinksAreCutIntoContinuousPieces)
{
    // 131080 points, 1e-6 degrees apart on the equator: pieces of 65535,
    // 65535 and 12 points, each starting at the last point of the one before.
    const size_t n = 131080;
    std::vector<tagLonLat> points(n);
    for (size_t i = 0; i < n; ++i)
        points[i] = P(static_cast<double>(i) * 1e-6, 0.0);
    RouteBuilder builder("long");
    builder.AddLink({P(-d, 0), P(0, 0)}, "Before");
    builder.AddLink(points, "Long Road");
    builder.ContinueLink({P(0.2, 0)}, "After");
    builder.AddManeuver(1, 1, NAV_TURN_RIGHT);
    builder.AddManeuver(0, 1, NAV_TURN_ROUNDABOUT);
    builder.AddManeuver(2, 2, NAV_TURN_END);
    RouteModel model = BuildOrFail(builder);

    ASSERT_EQ(model.LinkCount(), 5u);
    std::vector<size_t> counts;
    for (size_t link = 0; link < model.LinkCount(); ++link)
        counts.push_back(model.LinkPoints(link).size());
    EXPECT_THAT(counts, testing::ElementsAre(2u, 65535u, 65535u, 12u, 2u));
    EXPECT_THAT(std::vector<size_t>({model.SourceLink(1), model.SourceLink(2), model.SourceLink(3),
                                     model.SourceLink(4)}),
                testing::ElementsAre(1u, 1u, 1u, 2u));

    // The pieces put back together, dropping the shared points, are the link.
    std::vector<tagLonLat> joined = model.LinkPoints(1);
    for (size_t link = 2; link <= 3; ++link)
    {
        const std::vector<tagLonLat>& piece = model.LinkPoints(link);
        EXPECT_EQ(piece.front().lon, joined.back().lon);
        joined.insert(joined.end(), piece.begin() + 1, piece.end());
    }
    ASSERT_EQ(joined.size(), n);
    for (size_t i = 0; i < n; i += 997)
        ASSERT_EQ(joined[i].lon, points[i].lon) << i;
    EXPECT_EQ(joined.back().lon, points.back().lon);

    // Lengths add up to the whole link: 131079 micro-degrees on the equator.
    double length = model.LinkLength(1) + model.LinkLength(2) + model.LinkLength(3);
    EXPECT_NEAR(length, 131.079 * kMilliDegreeOnEquator, 1e-4);
    // The edge and the guide count fit 16 bits.
    PathGuid guide = model.GuideOf(2);
    EXPECT_EQ(guide.m_FirstCount, 65535);

    // Manoeuvres follow the junction at the end of the long link: its last piece.
    EXPECT_EQ(model.ManeuverAt(0).enterLink, 3u);
    EXPECT_EQ(model.ManeuverAt(0).exitLink, 3u);
    EXPECT_EQ(model.ManeuverAt(1).enterLink, 0u);
    EXPECT_EQ(model.ManeuverAt(1).exitLink, 3u);
    EXPECT_EQ(model.ManeuverAt(2).enterLink, 4u);
    EXPECT_EQ(model.ManeuverAt(0).location.lon, points.back().lon);

    // Exactly 65535 points stay one link; 65536 make 65535 + 2.
    for (size_t size : {size_t(65535), size_t(65536)})
    {
        RouteBuilder edge("edge");
        edge.AddLink(std::vector<tagLonLat>(points.begin(),
                                            points.begin() + static_cast<std::ptrdiff_t>(size)));
        RouteModel cut = BuildOrFail(edge);
        EXPECT_EQ(cut.LinkCount(), size == 65535 ? 1u : 2u);
        EXPECT_EQ(cut.LinkPoints(cut.LinkCount() - 1).size(), size == 65535 ? 65535u : 2u);
    }
}

// ---- turns drawn by the library ----------------------------------------------

namespace
{

const uint32_t kBandFill = 3;
const uint32_t kBandBorder = 4;

// Metres between two nearby points, in a plane tangent at `a` (good to well
// under a millimetre over the few hundred metres used here).
double PlanarMetres(const tagLonLat& a, const tagLonLat& b)
{
    const double metresPerDegreeLat = 110574.0; // meridian arc per degree near the equator
    const double metresPerDegreeLon = 111319.49 * std::cos(a.lat * M_PI / 180.0);
    return std::hypot((b.lon - a.lon) * metresPerDegreeLon, (b.lat - a.lat) * metresPerDegreeLat);
}

// Metres from `p` to the nearest point of the polyline.
double MetresToLine(const tagLonLat& p, const std::vector<tagLonLat>& line)
{
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i + 1 < line.size(); ++i)
    {
        const tagLonLat& a = line[i];
        const tagLonLat& b = line[i + 1];
        double dx = b.lon - a.lon;
        double dy = b.lat - a.lat;
        double t = ((p.lon - a.lon) * dx + (p.lat - a.lat) * dy) / (dx * dx + dy * dy);
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
        best = std::min(best, PlanarMetres(p, P(a.lon + t * dx, a.lat + t * dy)));
    }
    return best;
}

// A handle drawing on a recording map view with one size record: entering
// stretch 50 m, leaving stretch 60 m, tolerance 5 m, arrow 15 m long.
struct TurnDrawing
{
    aptest::RecordingMapView mapView;
    AdvicePathRenderEx handle;

    TurnDrawing()
    {
        AdvicePathSizeSetting size;
        size.m_PathWidth = 6;
        size.m_PathBorderWidth = 8;
        size.m_EdgeWidth = 10;
        size.m_EdgeBorderWidth = 12;
        size.m_ArrowFillParam = 1;
        size.m_ArrowBorderParam = 2;
        size.m_ToLength = 60;
        size.m_FromLength = 50;
        size.m_LengthTolerance = 5;
        size.m_ArrowLength = 15;
        size.m_ArrowWidth = 8;
        handle.SetDrawParm(&mapView);
        EXPECT_EQ(handle.SetSize(&size, 1, 0), 1);
        handle.SetClr(AdvicePathClrSetting(1, 2, kBandFill, kBandBorder));
    }

    // The fill pass of the junction band, in drawing order.
    std::vector<std::vector<tagLonLat>> Band(const CTurnInfo& turn, CNavPath& path)
    {
        handle.SetTurnInfo(turn, &path);
        mapView.Reset();
        handle.Draw(false, true);
        std::vector<std::vector<tagLonLat>> band;
        for (const aptest::DrawCall& call : mapView.calls)
            if (call.IsLine() && call.third == 0 && call.colour == kBandFill)
                band.push_back(call.points);
        return band;
    }
};

// Three visits of the junction J = (0, 0), from the west, from the south and
// from the north-east; every link has a midpoint.
//   0: W -> J        1: J -> E       2: E -> SE      3: SE -> S
//   4: S -> J        5: J -> N       6: N -> NE      7: NE -> J     8: J -> SW
RouteBuilder ThreeVisits()
{
    RouteBuilder builder("three visits");
    auto link = [&builder](tagLonLat from, tagLonLat to) {
        builder.AddLink({from, P((from.lon + to.lon) / 2, (from.lat + to.lat) / 2), to});
    };
    const tagLonLat J = P(0, 0);
    link(P(-2 * d, 0), J);
    link(J, P(2 * d, 0));
    link(P(2 * d, 0), P(2 * d, -2 * d));
    link(P(2 * d, -2 * d), P(0, -2 * d));
    link(P(0, -2 * d), J);
    link(J, P(0, 2 * d));
    link(P(0, 2 * d), P(2 * d, 2 * d));
    link(P(2 * d, 2 * d), J);
    link(J, P(-2 * d, -2 * d));
    builder.AddManeuver(0, 0, NAV_TURN_STRAIGHT);
    builder.AddManeuver(4, 4, NAV_TURN_STRAIGHT);
    builder.AddManeuver(7, 7, NAV_TURN_STRAIGHT);
    builder.AddManeuver(8, 8, NAV_TURN_END);
    return builder;
}

} // namespace

TEST(RouteModelDrawing, EachVisitOfAJunctionIsDrawnAtThatVisit)
{
    RouteModel model = BuildOrFail(ThreeVisits());
    TurnDrawing drawing;
    const size_t enterLinks[] = {0, 4, 7};
    for (size_t m = 0; m < 3; ++m)
    {
        SCOPED_TRACE("manoeuvre " + std::to_string(m));
        const size_t enter = enterLinks[m];
        ASSERT_EQ(model.ManeuverAt(m).enterLink, enter);
        // Asked to start far back, so that only the earlier visits bound the view.
        PathView view = model.ViewForManeuver(m, 1e6);
        std::vector<std::vector<tagLonLat>> band = drawing.Band(model.TurnInfoFor(m), view);
        ASSERT_FALSE(band.empty());

        for (const std::vector<tagLonLat>& line : band)
        {
            for (const tagLonLat& point : line)
            {
                EXPECT_LT(PlanarMetres(model.ManeuverAt(m).location, point), 80.0);
                double onVisit = std::min(MetresToLine(point, model.LinkPoints(enter)),
                                          MetresToLine(point, model.LinkPoints(enter + 1)));
                EXPECT_LT(onVisit, 0.5) << point.lon << ", " << point.lat;
            }
        }
        // The band starts 50 m before the junction on this visit's entering
        // link, and no other visit's.
        const tagLonLat start = band.front().front();
        EXPECT_NEAR(PlanarMetres(start, model.ManeuverAt(m).location), 50.0, 1.0);
        EXPECT_LT(MetresToLine(start, model.LinkPoints(enter)), 0.5);
        for (size_t other : enterLinks)
        {
            if (other != enter)
            {
                EXPECT_GT(MetresToLine(start, model.LinkPoints(other)), 20.0);
            }
        }
        // It ends on this visit's leaving link, away from the junction.
        const tagLonLat end = band.back().back();
        EXPECT_LT(MetresToLine(end, model.LinkPoints(enter + 1)), 0.5);
        EXPECT_GT(PlanarMetres(end, model.ManeuverAt(m).location), 40.0);
    }

    // The arrival draws no band.
    PathView last = model.ViewForManeuver(3);
    EXPECT_TRUE(drawing.Band(model.TurnInfoFor(3), last).empty());
}

TEST(RouteModelDrawing, TheWholeRouteAsPathFindsTheFirstVisit)
{
    // Why turns are handed a view: walking from the route's start, the
    // library takes the first link that ends at the junction point.
    RouteModel model = BuildOrFail(ThreeVisits());
    TurnDrawing drawing;
    std::vector<std::vector<tagLonLat>> band = drawing.Band(model.TurnInfoFor(1), model);
    ASSERT_FALSE(band.empty());
    EXPECT_LT(MetresToLine(band.front().front(), model.LinkPoints(0)), 0.5);
    EXPECT_GT(MetresToLine(band.front().front(), model.LinkPoints(4)), 20.0);
}

TEST(RouteModelDrawing, LinksInsideARoundaboutAreDrawnWhole)
{
    RouteBuilder builder("roundabout");
    builder.AddLink({P(-3 * d, 0), P(-d, 0)}, "Approach");
    builder.ContinueLink({P(0, 0)}, "Approach");
    builder.ContinueLink({P(0.3 * d, 0.3 * d), P(0.5 * d, 0.4 * d)}, "Circle");
    builder.ContinueLink({P(0.8 * d, 0.3 * d), P(d, 0)}, "Circle");
    builder.ContinueLink({P(3 * d, 0)}, "Exit Road");
    builder.AddManeuver(1, 3, NAV_TURN_ROUNDABOUT);
    builder.AddManeuver(4, 4, NAV_TURN_END);
    RouteModel model = BuildOrFail(builder);

    TurnDrawing drawing;
    PathView view = model.ViewForManeuver(0);
    std::vector<std::vector<tagLonLat>> band = drawing.Band(model.TurnInfoFor(0), view);
    // Entering stretch (inside link 1, 111 m long), links 2 and 3 whole, leaving stretch.
    ASSERT_EQ(band.size(), 4u);
    auto samePoints = [](const std::vector<tagLonLat>& a, const std::vector<tagLonLat>& b)
    {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].lon != b[i].lon || a[i].lat != b[i].lat)
                return false;
        return true;
    };
    EXPECT_TRUE(samePoints(band[1], model.LinkPoints(2)));
    EXPECT_TRUE(samePoints(band[2], model.LinkPoints(3)));
    EXPECT_LT(MetresToLine(band[0].front(), model.LinkPoints(1)), 0.5);
    EXPECT_LT(MetresToLine(band[3].back(), model.LinkPoints(4)), 0.5);
}
