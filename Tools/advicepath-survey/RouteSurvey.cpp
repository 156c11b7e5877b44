#include "RouteSurvey.h"

#include "CallChecks.h"
#include "DriveChecks.h"
#include "JunctionClass.h"
#include "TurnChecks.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace survey
{

namespace
{

// What the survey keeps of one manoeuvre while the drive goes on.
struct Watch
{
    ManeuverReport report;
    TurnPlace place;
    AnnouncedTurn announced;
    LevelSteps levels;
    bool bandSeen = false;
    int junctionLevel = 0; // the level drawn last before the junction
    // When its band must show, metres along: from `showFrom` until `showTo`,
    // where the route leaves its junction (BandWindows).
    double showFrom = 0.0;
    double showTo = 0.0;
    bool arrival = false;
};

// Metres either side of a band's first and last place within which a frame
// may show it or not: the drive and the survey sum the same lengths in
// another order.
constexpr double kWindowSlack = 0.01;

// A finding of a drawn band, with the level it was drawn at.
Finding AtLevel(int level, Finding finding)
{
    if (!finding.Passed())
        finding.problem = "level " + std::to_string(level) + ": " + finding.problem;
    return finding;
}

class Survey
{
public:
    Survey(const refhost::RouteModel& route, const SurveySettings& settings,
           const ExitCounter& countExits)
        : m_route(route), m_settings(settings), m_countExits(countExits), m_track(route),
          m_timeline(route), m_recorder(SurveyColours()), m_routeLine(route)
    {
        for (std::size_t m = 0; m < route.ManeuverCount(); ++m)
        {
            const refhost::Maneuver& maneuver = route.ManeuverAt(m);
            Watch watch;
            watch.report.maneuver = m;
            watch.report.instruction = maneuver.instruction;
            watch.announced = ReadAnnouncement(maneuver);
            watch.report.kind = KindOf(watch.announced);
            watch.place.enterLink = maneuver.enterLink;
            watch.place.exitLink = maneuver.exitLink;
            watch.place.junction = m_track.LinkEnds()[maneuver.enterLink];
            watch.place.passed = m_track.LinkEnds()[maneuver.exitLink];
            m_watches.push_back(std::move(watch));
        }
        for (std::size_t m = 0; m < m_watches.size(); ++m)
        {
            TurnPlace& place = m_watches[m].place;
            place.previousPassed = m > 0 ? m_watches[m - 1].place.passed : 0.0;
            const bool nextIsTurn =
                m + 1 < m_watches.size() && route.ManeuverAt(m + 1).type != NAV_TURN_END;
            place.nextJunction = nextIsTurn ? m_watches[m + 1].place.junction : m_track.Length();
        }
        BandWindows();
    }

    std::vector<ManeuverReport> Run()
    {
        std::unique_ptr<AdvicePathRenderEx, bool (*)(AdvicePathRenderEx*)> render(
            NewPathRender(nullptr, &m_recorder), &ClosePathRender);
        const std::vector<AdvicePathSizeSetting>& sizes = m_settings.sizes;
        // The library copies the table; its call takes no const.
        if (!render ||
            render->SetSize(const_cast<AdvicePathSizeSetting*>(sizes.data()),
                            static_cast<int>(sizes.size()), m_settings.maxTurnLevel) != 1)
            return {};
        render->SetClr(SurveyColours());
        drive::DriveReplay replay(m_route, m_timeline, *render, sizes, m_settings.maxTurnLevel,
                                  m_settings.replay,
                                  [this](const drive::FrameRecord& frame)
                                  {
                                      m_recorder.SetViewport(frame.viewport);
                                      m_recorder.StartFrame();
                                  });

        const double duration = m_timeline.Duration();
        const double step = 1.0 / m_settings.framesPerSecond;
        const auto frames = static_cast<std::size_t>(std::floor(duration / step)) + 1;
        for (std::size_t i = 0; i <= frames; ++i)
        {
            const double seconds = std::min(static_cast<double>(i) * step, duration);
            CheckFrame(replay.Frame(seconds));
            if (seconds >= duration)
                break;
        }

        std::vector<ManeuverReport> reports;
        for (std::size_t m = 0; m < m_watches.size(); ++m)
        {
            Watch& watch = m_watches[m];
            if (m_route.ManeuverAt(m).type == NAV_TURN_END)
                continue;
            if (watch.report.announced && !watch.bandSeen)
                Fail(m, kDriveCheck, {"the band is never drawn"}, nullptr);
            watch.report.places = PlacesOf(Around(m));
            reports.push_back(std::move(watch.report));
        }
        return reports;
    }

private:
    // When each band must show, from the route and the host's announcement
    // rule (ManeuverSchedule.h), not from the drive's own schedule: from the
    // larger of the rule's metres and seconds of travel before the junction,
    // never before the manoeuvre before is passed nor before an earlier link
    // ending at the same junction point, until the route leaves the junction
    // (the end of the leaving link); not at all when nothing is left before
    // the junction, nor for the arrival.
    void BandWindows()
    {
        const drive::AnnouncementRule& rule = m_settings.replay.announcement;
        double previousTo = 0.0;
        for (std::size_t m = 0; m < m_watches.size(); ++m)
        {
            Watch& watch = m_watches[m];
            const double junction = watch.place.junction;
            watch.arrival = m_route.ManeuverAt(m).type == NAV_TURN_END;
            watch.showTo = std::max({junction, watch.place.passed, previousTo});
            const double byTime = m_timeline.DistanceAtTime(m_timeline.TimeAtDistance(junction) -
                                                            std::max(0.0, rule.seconds));
            double from = std::min(junction - std::max(0.0, rule.minMetres), byTime);
            const std::size_t earliest = m_route.ViewStartForManeuver(m, junction - from);
            from = std::max({from, m_route.LinkStartDistance(earliest), previousTo, 0.0});
            watch.showFrom = from;
            watch.report.announced = !watch.arrival && from < junction;
            previousTo = watch.showTo;
        }
    }

    const AdvicePathSizeSetting& SizeAt(int level) const
    {
        const int last = static_cast<int>(m_settings.sizes.size()) - 1;
        return m_settings.sizes[static_cast<std::size_t>(std::clamp(level, 0, last))];
    }

    Neighbourhood Around(std::size_t m) const
    {
        const Watch& watch = m_watches[m];
        const AdvicePathSizeSetting& size = SizeAt(watch.junctionLevel);
        Neighbourhood around;
        around.junction = watch.place.junction;
        around.passed = watch.place.passed;
        around.before = size.m_FromLength;
        around.after = drive::LeavingReach(size);
        around.routeLength = m_track.Length();
        if (m > 0)
            around.previousPassed = m_watches[m - 1].place.passed;
        if (m + 1 < m_watches.size() && m_route.ManeuverAt(m + 1).type != NAV_TURN_END)
            around.nextJunction = m_watches[m + 1].place.junction;
        return around;
    }

    void Fail(std::size_t m, int check, const Finding& finding, const drive::FrameRecord* frame)
    {
        ManeuverReport& report = m_watches[m].report;
        if (finding.Passed() || !report.findings[static_cast<std::size_t>(check)].Passed())
            return;
        report.findings[static_cast<std::size_t>(check)] = finding;
        if (report.failedCheck >= 0)
            return;
        report.failedCheck = check;
        if (frame != nullptr)
            report.failure = FailedFrame{frame->vehicle.time, frame->viewport, frame->vehicle,
                                         m_recorder.Frame()};
    }

    // The manoeuvre a frame's route line belongs to: the next one ahead.
    std::size_t Owner(const drive::FrameRecord& frame) const
    {
        std::size_t owner = frame.next.value_or(m_watches.size() - 1);
        while (owner > 0 && m_route.ManeuverAt(owner).type == NAV_TURN_END)
            --owner;
        return owner;
    }

    void CheckFrame(const drive::FrameRecord& frame)
    {
        const DrawnFrame& drawn = m_recorder.Frame();
        const double metres = frame.vehicle.distance;
        if (frame.setTurnInfo && frame.announced)
        {
            TurnPlace& place = m_watches[*frame.announced].place;
            place.pathFirstLink = frame.vehicle.link;
            place.pathStart = metres;
        }
        Fail(Owner(frame), kCallsCheck,
             AtLevel(drawn.level, CheckCalls(drawn, SizeAt(drawn.level), SurveyColours())), &frame);
        if (metres < m_track.Length() - 0.01)
            Fail(Owner(frame), kDriveCheck, m_routeLine.Check(drawn, frame.viewport, frame.vehicle),
                 &frame);

        // The manoeuvre whose band must show here, and the one before it.
        const auto ahead = std::find_if(m_watches.begin(), m_watches.end(),
                                        [metres](const Watch& watch)
                                        { return !watch.arrival && metres < watch.showTo; });
        const auto before = ahead == m_watches.begin() ? m_watches.end() : ahead - 1;
        const bool atEdge =
            (ahead != m_watches.end() && (std::fabs(metres - ahead->showFrom) < kWindowSlack ||
                                          ahead->showTo - metres < kWindowSlack)) ||
            (before != m_watches.end() && metres - before->showTo < kWindowSlack);
        const bool due =
            ahead != m_watches.end() && ahead->report.announced && metres >= ahead->showFrom;
        if (atEdge)
        {
            // Either way is right at the first and last place of a band.
        }
        else if (due)
        {
            CheckDue(frame, static_cast<std::size_t>(ahead - m_watches.begin()));
        }
        else if (drawn.HasTurn())
        {
            // A band left on belongs to the manoeuvre before.
            const std::size_t owner = before == m_watches.end() || before->arrival
                                          ? Owner(frame)
                                          : static_cast<std::size_t>(before - m_watches.begin());
            Fail(owner, kDriveCheck, {"a band is drawn where none must show"}, &frame);
        }

        if (drawn.HasTurn() && frame.announced)
            CheckBand(frame, *frame.announced);
    }

    void CheckDue(const drive::FrameRecord& frame, std::size_t due)
    {
        const DrawnFrame& drawn = m_recorder.Frame();
        Watch& watch = m_watches[due];
        const double junction = watch.place.junction;
        if (frame.setTurnInfo)
            watch.levels.Reset();
        if (!drawn.HasTurn())
        {
            Fail(due, kDriveCheck,
                 {"no band drawn " + Metres(junction - frame.vehicle.distance) +
                  " before the junction, at level " + std::to_string(drawn.level)},
                 &frame);
            return;
        }
        if (frame.announced != due)
        {
            Fail(due, kDriveCheck, {"the band drawn is another manoeuvre's"}, &frame);
            return;
        }
        Fail(due, kDriveCheck, watch.levels.Add(drawn.level), &frame);
        if (frame.vehicle.time >= m_timeline.TimeAtDistance(junction) - kBandInViewSeconds)
            Fail(due, kDriveCheck, CheckBandInView(drawn, frame.viewport), &frame);
    }

    void CheckBand(const drive::FrameRecord& frame, std::size_t m)
    {
        const DrawnFrame& drawn = m_recorder.Frame();
        Watch& watch = m_watches[m];
        watch.bandSeen = true;
        if (frame.vehicle.distance < watch.place.junction)
            watch.junctionLevel = drawn.level;
        const AdvicePathSizeSetting& size = SizeAt(drawn.level);
        PlacedBand band;
        const Finding onTrack = CheckBandOnTrack(m_track, drawn, watch.place, size, band);
        Fail(m, kBandCheck, AtLevel(drawn.level, onTrack), &frame);
        double bend = -1.0;
        Fail(m, kArrowCheck,
             AtLevel(drawn.level, CheckArrow(m_track, drawn, watch.place, size, band, &bend)),
             &frame);
        watch.report.bendDegrees = std::max(watch.report.bendDegrees, bend);
        if (band.endsAtArrowBase)
            band.tip = ExpectedBandEnds(m_track, watch.place, size).end;
        if (!onTrack.Passed() || !watch.report.findings[kTurnCheck].Passed())
            return;
        std::optional<int> exits;
        if (watch.announced.type == NAV_TURN_ROUNDABOUT && m_countExits)
            exits = m_countExits(m_track, watch.place, m_route.ManeuverAt(m));
        Fail(m, kTurnCheck, CheckTurn(m_track, band, watch.place, watch.announced, exits), &frame);
    }

    const refhost::RouteModel& m_route;
    const SurveySettings& m_settings;
    const ExitCounter& m_countExits;
    RouteTrack m_track;
    drive::RouteTimeline m_timeline;
    DrawRecorder m_recorder;
    RouteLineCheck m_routeLine;
    std::vector<Watch> m_watches;
};

} // namespace

const char* CheckName(int check)
{
    switch (check)
    {
    case kBandCheck:
        return "band";
    case kArrowCheck:
        return "arrow";
    case kTurnCheck:
        return "turn";
    case kCallsCheck:
        return "calls";
    default:
        return "drive";
    }
}

std::vector<ManeuverReport> SurveyRoute(const refhost::RouteModel& route,
                                        const SurveySettings& settings,
                                        const ExitCounter& countExits)
{
    Survey survey(route, settings, countExits);
    return survey.Run();
}

} // namespace survey
