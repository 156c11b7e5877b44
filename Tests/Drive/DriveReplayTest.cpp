// Whole drives over shared route files, the library drawing every frame on a
// recording map view: when bands show and for which manoeuvre, where the route
// line starts, each visit of a junction crossed twice, and the heap over a
// drive.
#include "Drive/DriveReplay.h"
#include "AdvicePathRenderEx.h"
#include "Drive/AnimationPlan.h"
#include "Drive/LinkBoxIndex.h"
#include "Drive/ManeuverSchedule.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "Logging/HostLogging.h"
#include "Memory/ProcessMemoryStatus.h"
#include "RouteFiles/RouteFiles.h"
#include "Support/CountingMapView.h"
#include "Support/RecordingMapView.h"
#include "Support/ViewportScale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace
{

using aptest::DrawCall;

const unsigned kRouteFill = 0x00AA0000u;
const unsigned kRouteBorder = 0x00BB0000u;
const unsigned kBandFill = 0x00CCCCCCu;
const unsigned kBandBorder = 0x000000DDu;
const int kMaxTurnLevel = 3;

// Four levels as a device's table has them: band lengths of 30 to 170 m.
std::vector<AdvicePathSizeSetting> SizeTable()
{
    const int rows[][9] = {{14, 18, 10, 14, 30, 30, 3, 12, 5},
                           {12, 16, 9, 13, 70, 70, 7, 45, 20},
                           {11, 15, 8, 12, 110, 110, 11, 80, 37},
                           {10, 14, 7, 11, 170, 170, 17, 150, 68}};
    std::vector<AdvicePathSizeSetting> table;
    for (const auto& row : rows)
    {
        AdvicePathSizeSetting s;
        s.m_PathWidth = row[0];
        s.m_PathBorderWidth = row[1];
        s.m_EdgeWidth = row[2];
        s.m_EdgeBorderWidth = row[3];
        s.m_ArrowFillParam = 100;
        s.m_ArrowBorderParam = 2;
        s.m_ToLength = row[4];
        s.m_FromLength = row[5];
        s.m_LengthTolerance = row[6];
        s.m_ArrowLength = row[7];
        s.m_ArrowWidth = row[8];
        table.push_back(s);
    }
    return table;
}

double Metres(const tagLonLat& a, const tagLonLat& b)
{
    return refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
}

// One frame as the map view saw it.
struct Seen
{
    drive::FrameRecord record;
    std::vector<DrawCall> calls;

    bool Band() const
    {
        return std::any_of(calls.begin(), calls.end(),
                           [](const DrawCall& c) { return c.colour == kBandBorder; });
    }
};

class DriveReplayTest : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        refhost::logging::SetThreshold(refhost::logging::kOff);
        refhost::RouteReadResult read =
            refhost::ReadRouteFile(std::string(AP_DATA_DIR) + "/routes/" + GetParam());
        ASSERT_TRUE(read.ok) << read.error;
        std::string error;
        model = refhost::RouteModel::FromDescription(read.route, error);
        ASSERT_TRUE(model) << error;
        timeline.emplace(*model);
        render.SetDrawParm(&view);
        ASSERT_EQ(render.SetSize(sizes.data(), static_cast<int>(sizes.size()), kMaxTurnLevel), 1);
        render.SetClr(AdvicePathClrSetting(kRouteFill, kRouteBorder, kBandFill, kBandBorder));
        drive::ReplaySettings settings;
        settings.allocationCount = [] { return refhost::memory::ReadHeapFigures().allocations; };
        replay.emplace(*model, *timeline, render, sizes, kMaxTurnLevel, settings,
                       [this](const drive::FrameRecord& frame)
                       {
                           view.Reset();
                           view.level = frame.level;
                           counting.SetViewport(frame.viewport);
                       });
        std::vector<std::pair<double, double>> announced;
        for (const drive::ScheduledManeuver& m : replay->Schedule().Maneuvers())
            announced.emplace_back(timeline->TimeAtDistance(m.announce),
                                   timeline->TimeAtDistance(m.passed));
        plan.emplace(0.0, timeline->Duration(), announced, drive::AnimationSettings());
        for (size_t link = 0; link < model->LinkCount(); ++link)
        {
            const std::vector<tagLonLat>& points = model->LinkPoints(link);
            double distance = model->LinkStartDistance(link);
            for (size_t i = 0; i < points.size(); ++i)
            {
                distance += i > 0 ? Metres(points[i - 1], points[i]) : 0.0;
                along[{points[i].lon, points[i].lat}].push_back(distance);
            }
        }
    }

    // The distances along the route at which it passes `point`, a route
    // point; empty for any other point.
    const std::vector<double>& Along(const tagLonLat& point) const
    {
        static const std::vector<double> none;
        const auto found = along.find({point.lon, point.lat});
        return found != along.end() ? found->second : none;
    }

    // The whole drive as the animation shows it.
    std::vector<Seen> Drive()
    {
        std::vector<Seen> frames;
        for (size_t i = 0; i < plan->FrameCount(); ++i)
        {
            const drive::FrameRecord& record = replay->Frame(plan->DriveTimeOf(i));
            frames.push_back({record, view.calls});
        }
        return frames;
    }

    const drive::ScheduledManeuver& Scheduled(size_t maneuver) const
    {
        return replay->Schedule().Maneuvers()[maneuver];
    }

    std::vector<AdvicePathSizeSetting> sizes = SizeTable();
    std::optional<refhost::RouteModel> model;
    std::optional<drive::RouteTimeline> timeline;
    aptest::RecordingMapView view;
    aptest::FollowingViewport<aptest::CountingMapView> counting; // draws without allocating
    AdvicePathRenderEx render;
    std::optional<drive::DriveReplay> replay;
    std::optional<drive::AnimationPlan> plan;
    std::map<std::pair<double, double>, std::vector<double>> along;
};

// A band shows exactly while the next manoeuvre ahead is announced, passes
// through that manoeuvre's junction, lies on the route around this visit of
// it (the Slovenian route crosses two junctions twice, with a manoeuvre at
// each visit), and is announced once; never after the junction, never for
// the arrival.
TEST_P(DriveReplayTest, BandsShowOnlyForTheAnnouncedNextManoeuvre)
{
    std::map<size_t, int> announcements;
    size_t bands = 0;
    for (const Seen& frame : Drive())
    {
        const drive::FrameRecord& r = frame.record;
        if (r.setTurnInfo)
            ++announcements[*r.announced];
        ASSERT_EQ(frame.Band(), r.announced.has_value()) << "at " << r.vehicle.distance << " m";
        if (!r.announced)
            continue;
        ++bands;
        const drive::ScheduledManeuver& shown = Scheduled(*r.announced);
        EXPECT_EQ(r.announced, r.next);
        EXPECT_FALSE(shown.arrival);
        EXPECT_GE(r.vehicle.distance, shown.announce);
        EXPECT_LT(r.vehicle.distance, shown.passed);
        const tagLonLat junction =
            model->LinkPoints(model->ManeuverAt(*r.announced).enterLink).back();
        double nearest = HUGE_VAL;
        for (const DrawCall& call : frame.calls)
        {
            if (call.colour != kBandBorder || !call.IsLine() || call.third != 0)
                continue;
            for (const tagLonLat& p : call.points)
            {
                nearest = std::min(nearest, Metres(p, junction));
                const std::vector<double>& passes = Along(p);
                EXPECT_TRUE(passes.empty() || std::any_of(passes.begin(), passes.end(),
                                                          [&](double d) {
                                                              return d > shown.junction - 400 &&
                                                                     d < shown.passed + 800;
                                                          }))
                    << "manoeuvre " << *r.announced << ": a band point of another visit";
            }
        }
        EXPECT_LT(nearest, 0.5) << "manoeuvre " << *r.announced;
    }
    EXPECT_GT(bands, 0u);
    for (const auto& [maneuver, count] : announcements)
        EXPECT_EQ(count, 1) << "manoeuvre " << maneuver;
}

// The route line starts at the vehicle: every point drawn lies at or ahead of
// it along the route.
TEST_P(DriveReplayTest, RouteLineLiesAheadOfTheVehicle)
{
    for (const Seen& frame : Drive())
    {
        const tagLonLat vehicle = frame.record.vehicle.position;
        const double at = frame.record.vehicle.distance;
        for (const DrawCall& call : frame.calls)
        {
            if (call.colour != kRouteBorder && call.colour != kRouteFill)
                continue;
            for (const tagLonLat& p : call.points)
            {
                if (p.lon == vehicle.lon && p.lat == vehicle.lat)
                    continue;
                const std::vector<double>& passes = Along(p);
                ASSERT_FALSE(passes.empty()) << "a point off the route";
                EXPECT_GE(*std::max_element(passes.begin(), passes.end()), at - 1.0);
            }
        }
    }
}

// A manoeuvre is announced 200 m or 15 s before its junction, whichever is
// farther, unless the previous one is passed only later; and from where it is
// announced, the first link ahead that ends at the junction point is its
// entering link, so the library's walk finds this visit of the junction.
TEST_P(DriveReplayTest, AnnouncementsComeInTimeAndFindTheirVisit)
{
    double previousPassed = 0.0;
    for (const drive::ScheduledManeuver& m : replay->Schedule().Maneuvers())
    {
        if (m.announced)
        {
            const bool early =
                m.announce <= m.junction - 200.0 + 1e-6 &&
                timeline->TimeAtDistance(m.junction) - timeline->TimeAtDistance(m.announce) >=
                    15.0 - 1e-6;
            const size_t from = timeline->AtDistance(m.announce).link;
            const size_t enter = model->ManeuverAt(m.maneuver).enterLink;
            const bool afterAnEarlierVisit =
                from > 0 &&
                Metres(model->LinkPoints(from - 1).back(), model->LinkPoints(enter).back()) < 0.5;
            EXPECT_TRUE(early || m.announce == previousPassed || afterAnEarlierVisit)
                << "manoeuvre " << m.maneuver;
            for (size_t link = from; link < enter; ++link)
                EXPECT_GT(Metres(model->LinkPoints(link).back(), model->LinkPoints(enter).back()),
                          0.5)
                    << "manoeuvre " << m.maneuver << ", link " << link;
        }
        previousPassed = m.passed;
    }
}

// The route line's links near the view are exactly those whose boxes meet it.
TEST_P(DriveReplayTest, NearLinksAreThoseWhoseBoxesMeetTheView)
{
    const drive::LinkBoxIndex index(*model);
    for (const double share : {0.1, 0.35, 0.6, 0.9})
    {
        const tagLonLat c = timeline->AtDistance(share * timeline->Length()).position;
        const drive::LonLatBox box{c.lon - 0.01, c.lat - 0.005, c.lon + 0.01, c.lat + 0.005};
        std::vector<size_t> found;
        index.Find(box, 3, found);
        std::vector<size_t> expected;
        for (size_t link = 3; link < model->LinkCount(); ++link)
        {
            const std::vector<tagLonLat>& points = model->LinkPoints(link);
            drive::LonLatBox own{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
            for (const tagLonLat& p : points)
                own = {std::min(own.west, p.lon), std::min(own.south, p.lat),
                       std::max(own.east, p.lon), std::max(own.north, p.lat)};
            if (own.Intersects(box))
                expected.push_back(link);
        }
        EXPECT_EQ(found, expected) << "around " << share * 100 << " % of the route";
    }
}

// The camera changes its level by at most one a second of driving, and while
// a band is announced the picture shows all of it.
TEST_P(DriveReplayTest, CameraZoomsSmoothlyAndShowsTheWholeBand)
{
    const std::vector<Seen> frames = Drive();
    for (size_t i = 0; i < frames.size(); ++i)
    {
        const drive::FrameRecord& r = frames[i].record;
        if (i > 0)
        {
            const drive::FrameRecord& before = frames[i - 1].record;
            EXPECT_LE(std::fabs(r.lambda - before.lambda),
                      r.vehicle.time - before.vehicle.time + 1e-9)
                << "at " << r.vehicle.distance << " m";
        }
        for (const DrawCall& call : frames[i].calls)
        {
            if (call.colour != kBandBorder)
                continue;
            for (const tagLonLat& p : call.points)
            {
                const refhost::PixelPoint pixel = refhost::Project(r.viewport, p);
                EXPECT_TRUE(pixel.x >= 0 && pixel.x <= r.viewport.width && pixel.y >= 0 &&
                            pixel.y <= r.viewport.height)
                    << "a band point off the picture at " << r.vehicle.distance << " m";
            }
        }
    }
}

// The camera over routes whose turns once made it zoom out and back in, or
// leave part of the band out of the picture.
class CameraTest : public DriveReplayTest
{
protected:
    // Ten repaints a second of driving through each announcement, as a
    // device makes them.
    std::vector<Seen> DriveThroughAnnouncements()
    {
        std::vector<double> times;
        for (const drive::ScheduledManeuver& m : replay->Schedule().Maneuvers())
        {
            const double first = timeline->TimeAtDistance(m.announce) - 1.0;
            const double last = timeline->TimeAtDistance(m.passed) + 1.0;
            for (int frame = 0; first + 0.1 * frame <= last; ++frame)
                times.push_back(first + 0.1 * frame);
        }
        std::sort(times.begin(), times.end());
        std::vector<Seen> frames;
        for (const double t : times)
        {
            const drive::FrameRecord& record = replay->Frame(t);
            frames.push_back({record, view.calls});
        }
        return frames;
    }
};

// While a band shows, the camera zooms in as the junction nears and may zoom
// out on the way out of it, but never out and back in again (at the rotary in
// Alexandria the view turning with the car needed more room, then less).
TEST_P(CameraTest, NeverZoomsOutAndBackInWhileABandShows)
{
    std::optional<size_t> shown;
    int last = 0;
    bool grew = false;
    for (const Seen& frame : DriveThroughAnnouncements())
    {
        const drive::FrameRecord& r = frame.record;
        if (r.announced != shown)
        {
            shown = r.announced;
            grew = false;
        }
        else if (shown && r.level > last)
        {
            grew = true;
        }
        else if (shown)
        {
            EXPECT_FALSE(grew && r.level < last) << "manoeuvre " << *shown << ", back in to level "
                                                 << r.level << " at " << r.vehicle.distance << " m";
        }
        last = r.level;
    }
}

// From three seconds before its junction until the route leaves it, the
// whole band is in the picture (at the rotary the view turned faster than the
// camera zoomed out for it).
TEST_P(CameraTest, WholeBandInViewFromThreeSecondsBeforeItsJunction)
{
    for (const Seen& frame : DriveThroughAnnouncements())
    {
        const drive::FrameRecord& r = frame.record;
        if (!r.announced ||
            r.vehicle.time < timeline->TimeAtDistance(Scheduled(*r.announced).junction) - 3.0)
            continue;
        for (const DrawCall& call : frame.calls)
            for (const tagLonLat& p :
                 call.colour == kBandBorder ? call.points : std::vector<tagLonLat>())
            {
                const refhost::PixelPoint pixel = refhost::Project(r.viewport, p);
                EXPECT_TRUE(pixel.x >= 0 && pixel.x <= r.viewport.width && pixel.y >= 0 &&
                            pixel.y <= r.viewport.height)
                    << "manoeuvre " << *r.announced << ": a band point off the picture at "
                    << r.vehicle.distance << " m";
            }
    }
}

// Drives `route` (its first manoeuvre a junction of several links, the last
// the arrival) at ten frames a second and expects the whole band and arrow
// in the picture from three seconds before the junction until it is passed.
void ExpectBandInViewThroughTheJunction(const refhost::RouteDescription& route)
{
    refhost::logging::SetThreshold(refhost::logging::kOff);
    std::string error;
    const std::optional<refhost::RouteModel> model =
        refhost::RouteModel::FromDescription(route, error);
    ASSERT_TRUE(model) << error;
    const drive::RouteTimeline timeline(*model);
    aptest::RecordingMapView view;
    AdvicePathRenderEx render;
    render.SetDrawParm(&view);
    std::vector<AdvicePathSizeSetting> sizes = SizeTable();
    ASSERT_EQ(render.SetSize(sizes.data(), static_cast<int>(sizes.size()), kMaxTurnLevel), 1);
    render.SetClr(AdvicePathClrSetting(kRouteFill, kRouteBorder, kBandFill, kBandBorder));
    drive::DriveReplay replay(*model, timeline, render, sizes, kMaxTurnLevel,
                              drive::ReplaySettings(),
                              [&view](const drive::FrameRecord& frame)
                              {
                                  view.Reset();
                                  view.level = frame.level;
                              });
    const drive::ScheduledManeuver& shown = replay.Schedule().Maneuvers()[0];
    const double from = timeline.TimeAtDistance(shown.junction) - 3.0;
    for (int frame = 0; 0.1 * frame < timeline.TimeAtDistance(shown.passed); ++frame)
    {
        const double t = 0.1 * frame;
        const drive::FrameRecord& r = replay.Frame(t);
        if (t < from)
            continue;
        for (const DrawCall& call : view.calls)
            for (const tagLonLat& p : call.colour == kBandBorder || call.IsPolygon()
                                          ? call.points
                                          : std::vector<tagLonLat>())
            {
                const refhost::PixelPoint pixel = refhost::Project(r.viewport, p);
                EXPECT_TRUE(pixel.x >= 0 && pixel.x <= r.viewport.width && pixel.y >= 0 &&
                            pixel.y <= r.viewport.height)
                    << "off the picture at " << r.vehicle.distance << " m, level " << r.level;
            }
    }
}

// The point `east` and `north` metres from 11 E, 48 N.
tagLonLat AtMetres(double east, double north)
{
    const tagLonLat centre{11.0, 48.0};
    double lonDeg = 0.0;
    double latDeg = 0.0;
    refhost::geodesy::UnitDegree(centre, lonDeg, latDeg);
    return tagLonLat{centre.lon + east * lonDeg, centre.lat + north * latDeg};
}

// A route over `links`, at 30 m/s, whose first manoeuvre enters on the
// first link and leaves on link `exitLink`.
refhost::RouteDescription RouteAtSpeed(std::vector<refhost::RoadLink> links, size_t exitLink)
{
    refhost::RouteDescription route;
    route.links = std::move(links);
    double seconds = 0.0;
    for (refhost::RoadLink& link : route.links)
        for (size_t k = 0; k < link.points.size(); ++k)
        {
            seconds += k == 0 ? 0.0 : Metres(link.points[k - 1], link.points[k]) / 30.0;
            link.times.push_back(seconds);
        }
    refhost::Maneuver junction;
    junction.enterLink = 0;
    junction.exitLink = exitLink;
    junction.type = NAV_TURN_ROUNDABOUT;
    refhost::Maneuver arrival;
    arrival.enterLink = arrival.exitLink = route.links.size() - 1;
    arrival.type = NAV_TURN_END;
    route.maneuvers = {junction, arrival};
    route.destinations = {route.links.back().points.back()};
    return route;
}

refhost::RoadLink Straight(const tagLonLat& from, const tagLonLat& to)
{
    refhost::RoadLink link;
    link.points = {from, to};
    return link;
}

// A roundabout 120 m across entered from the south and left three quarters
// round it, at 30 m/s: the camera chose the level whose band fitted the
// farthest place on the circle, but showed that level's longer band from
// where only the shorter one had been fitted, and turned the view faster than
// it zoomed; the arrow left the picture.
TEST(CameraThroughALongJunction, ShowsTheWholeBandRoundALargeRoundabout)
{
    const double pi = 3.14159265358979323846;
    const double radius = 60.0;
    std::vector<refhost::RoadLink> links = {
        Straight(AtMetres(-500.0, -radius), AtMetres(0.0, -radius))};
    for (int quarter = 0; quarter < 3; ++quarter) // counter-clockwise from the south
    {
        refhost::RoadLink link;
        for (int k = 0; k <= 10; ++k)
        {
            const double a = -pi / 2.0 + (quarter + k / 10.0) * pi / 2.0;
            link.points.push_back(AtMetres(radius * std::cos(a), radius * std::sin(a)));
        }
        links.push_back(link);
    }
    links.push_back(Straight(AtMetres(-radius, 0.0), AtMetres(-radius - 400.0, 0.0)));
    ExpectBandInViewThroughTheJunction(RouteAtSpeed(links, 3));
}

// Allocations depend only on what is drawn (the manoeuvre and the level), not
// on how long the drive has gone on, and a second drive leaves the heap as
// the first left it.
TEST_P(DriveReplayTest, HeapStaysFlatOverTheDrive)
{
    render.SetDrawParm(&counting);
    std::map<std::pair<size_t, int>, uint64_t> perTurnFrame;
    refhost::memory::HeapFigures before;
    for (int drive = 0; drive < 2; ++drive)
    {
        before = refhost::memory::ReadHeapFigures();
        for (size_t i = 0; i < plan->FrameCount(); ++i)
        {
            const drive::FrameRecord& r = replay->Frame(plan->DriveTimeOf(i));
            if (r.setTurnInfo || r.clearBigArrow)
                continue;
            if (!r.announced)
            {
                EXPECT_EQ(r.allocations, 0u);
                continue;
            }
            const auto key = std::make_pair(*r.announced, r.level);
            const auto [entry, added] = perTurnFrame.emplace(key, r.allocations);
            EXPECT_EQ(entry->second, r.allocations)
                << "manoeuvre " << key.first << ", level " << key.second;
        }
    }
    // The same blocks; their bytes may differ by the allocator's rounding of
    // a block grown in place.
    const refhost::memory::HeapFigures after = refhost::memory::ReadHeapFigures();
    EXPECT_EQ(after.blocks, before.blocks);
    EXPECT_NEAR(static_cast<double>(after.inUse), static_cast<double>(before.inUse), 64.0);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, CameraTest,
    ::testing::Values("osrm-rotary-roundabout-ramps-alexandria-dc-2legs-polyline6.json",
                      "osrm-roundabout-washingtondc-dupont-polyline6.json"));

INSTANTIATE_TEST_SUITE_P(Routes, DriveReplayTest,
                         ::testing::Values("osrm-urban-sanfrancisco-polyline6.json",
                                           "osrm-roundabout-washingtondc-dupont-polyline6.json",
                                           "osrm-9legs-uturn-slovenia-mangart-polyline6.json",
                                           "drive-munich-13km-1hz-linestring.geojson"));

// The animation's clock: announcements at the speed-up, the rest at least
// twice as fast, everything within the budget; with more announcements than
// fit, they take three quarters of it.
// What the caption says on the way to a roundabout entered at 500 m and left
// at 620 m.
TEST(ManeuverSchedule, DistanceAheadCountsToTheJunctionThenToTheWayOut)
{
    drive::ScheduledManeuver roundabout;
    roundabout.junction = 500.0;
    roundabout.passed = 620.0;
    EXPECT_DOUBLE_EQ(roundabout.DistanceAhead(0.0), 500.0);
    EXPECT_DOUBLE_EQ(roundabout.DistanceAhead(400.0), 100.0);
    EXPECT_DOUBLE_EQ(roundabout.DistanceAhead(500.0), 0.0);
    EXPECT_DOUBLE_EQ(roundabout.DistanceAhead(560.0), 60.0);
    EXPECT_DOUBLE_EQ(roundabout.DistanceAhead(700.0), 0.0);
}

TEST(AnimationPlan, FitsTheDriveIntoTheBudget)
{
    const drive::AnimationSettings settings; // 10 frames a second, 8x, 60 s
    const drive::AnimationPlan plan(0.0, 10000.0, {{100.0, 130.0}, {5000.0, 5020.0}}, settings);
    EXPECT_EQ(plan.AnnouncedSpeedUp(), 8.0);
    EXPECT_GE(plan.BetweenSpeedUp(), 16.0);
    EXPECT_LE(plan.Seconds(), 60.0);
    EXPECT_EQ(plan.DriveTimeOf(0), 0.0);
    EXPECT_EQ(plan.DriveTimeOf(plan.FrameCount() - 1), 10000.0);
    // Inside the first announcement a frame moves the drive on by 0.8 s.
    size_t inside = 0;
    while (plan.DriveTimeOf(inside) < 101.0)
        ++inside;
    EXPECT_NEAR(plan.DriveTimeOf(inside + 1) - plan.DriveTimeOf(inside), 0.8, 1e-9);

    std::vector<std::pair<double, double>> many;
    for (int i = 0; i < 100; ++i)
        many.emplace_back(i * 100.0, i * 100.0 + 15.0);
    const drive::AnimationPlan crowded(0.0, 10000.0, many, settings);
    EXPECT_NEAR(crowded.AnnouncedSpeedUp(), 1500.0 / (0.75 * 59.8), 1e-9);
    EXPECT_LE(crowded.Seconds(), 60.0);
}

} // namespace
