#include "AnimationJob.h"

#include "FrameCaption.h"
#include "IndexPage.h"
#include "OutputFiles.h"
#include "Progress.h"
#include "ReplayPage.h"
#include "ReplaySetup.h"
#include "RoadMapLayer.h"
#include "WebpAnimation.h"

#include "Drive/AnimationPlan.h"
#include "MapView/AtomicFile.h"
#include "MapView/RasterMapView.h"
#include "RouteFiles/ManeuverCaption.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace tools
{

namespace
{

namespace fs = std::filesystem;

// WebP qualities tried in turn while the animation is larger than allowed.
constexpr float kQualities[] = {70.0f, 45.0f, 25.0f};

struct FrameRow
{
    double animationSeconds = 0.0;
    drive::FrameRecord record;
};

struct Drive
{
    std::vector<uint8_t> webp;
    std::vector<FrameRow> rows;
    double announcedSpeedUp = 0.0;
    double betweenSpeedUp = 0.0;
    double seconds = 0.0;
    float quality = 0.0f;
    std::vector<double> junctions; // metres along the route, per manoeuvre
};

std::string OneDecimal(double value)
{
    char text[32];
    (void)std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// A manoeuvre's number (from 1), or null.
nlohmann::json Number(const std::optional<size_t>& maneuver)
{
    return maneuver ? nlohmann::json(*maneuver + 1) : nlohmann::json();
}

class AnimationJob
{
public:
    explicit AnimationJob(const ReplayOptions& options) : m_options(options) {}

    int Run()
    {
        const int code = Produce();
        if (code != kExitOk)
            RemoveOutputs();
        return code;
    }

private:
    int Produce()
    {
        if (auto code = LoadRoute(m_options, m_route, true))
            return *code;
        std::string error;
        if (!PrepareOutputFolder(m_options.outputDir, error))
            return Fail(kExitOutput, error);

        const double limit = m_options.maxMegabytes * 1e6;
        Drive drive;
        for (const float quality : kQualities)
        {
            drive = Drive();
            drive.quality = quality;
            if (const int code = RenderDrive(drive); code != kExitOk)
                return code;
            if (static_cast<double>(drive.webp.size()) <= limit)
                break;
        }
        if (static_cast<double>(drive.webp.size()) > limit)
            return Fail(kExitOutput,
                        Output("drive.webp") + ": " +
                            OneDecimal(static_cast<double>(drive.webp.size()) / 1e6) +
                            " MB even at WebP quality " + OneDecimal(drive.quality) +
                            ", more than --max-mb " + OneDecimal(m_options.maxMegabytes) +
                            "; lower --fps, --size or --max-seconds, or raise --max-mb");
        if (const int code = WriteFiles(drive); code != kExitOk)
            return code;
        if (!m_options.quiet)
            std::cout << Output("index.html") << "\n"
                      << drive.rows.size() << " frames, " << OneDecimal(drive.seconds)
                      << " s of animation, "
                      << OneDecimal(static_cast<double>(drive.webp.size()) / 1e6)
                      << " MB (WebP quality " << OneDecimal(drive.quality) << ")\n";
        return kExitOk;
    }

    std::string Output(const std::string& file) const
    {
        return (fs::path(m_options.outputDir) / file).string();
    }

    // The caption: the next manoeuvre and how far it is (FrameCaption.h).
    void Caption(const drive::FrameRecord& frame, const drive::ManeuverSchedule& schedule,
                 refhost::RasterMapView& view) const
    {
        const FrameCaption caption = CaptionOfFrame(*m_route.model, schedule, frame);
        if (caption.banner)
            view.SetBannerCaption(caption.primary, caption.secondary, caption.distance);
        else
            view.SetCaption(caption.primary, caption.distance);
    }

    int RenderDrive(Drive& drive)
    {
        const refhost::RouteModel& model = *m_route.model;
        const drive::RouteTimeline& timeline = *m_route.timeline;
        refhost::MapViewport base;
        base.width = m_options.width;
        base.height = m_options.height;
        refhost::RasterMapView view(base);
        view.SetUnderlay(m_route.roadMap); // --map: the extract's roads under the drive
        view.SetCredit(PictureCredit(model, m_route.roadMap != nullptr));
        // The tallest caption (a banner of two lines): room kept above the band.
        view.SetBannerCaption("primary", "secondary", "distance");
        const double captionHeight = view.CaptionHeight();
        auto render = OpenRender(view, m_route.sizes, m_options);
        if (!render)
            return kExitInput;
        drive::DriveReplay replay(
            model, timeline, *render, m_route.sizes.levels, m_route.sizes.maxTurnLevel,
            MakeReplaySettings(m_options, captionHeight),
            [&](const drive::FrameRecord& frame)
            {
                view.Clear();
                view.SetViewport(frame.viewport);
                view.SetVehicle(frame.vehicle.position, frame.vehicle.heading);
                Caption(frame, replay.Schedule(), view);
            });

        std::vector<std::pair<double, double>> announced;
        for (const drive::ScheduledManeuver& m : replay.Schedule().Maneuvers())
            drive.junctions.push_back(m.junction);
        for (const drive::ScheduledManeuver& m : replay.Schedule().Maneuvers())
            if (m.announced)
                announced.emplace_back(timeline.TimeAtDistance(m.announce),
                                       timeline.TimeAtDistance(m.passed));
        drive::AnimationSettings settings;
        settings.framesPerSecond = m_options.framesPerSecond;
        settings.speedUp = m_options.speedUp;
        settings.maxSeconds = m_options.maxSeconds;
        const drive::AnimationPlan plan(m_route.startSeconds, m_route.endSeconds, announced,
                                        settings);
        drive.announcedSpeedUp = plan.AnnouncedSpeedUp();
        drive.betweenSpeedUp = plan.BetweenSpeedUp();
        drive.seconds = plan.Seconds();

        WebpAnimation animation(base.DeviceWidth(), base.DeviceHeight(), drive.quality);
        Progress progress(!m_options.quiet, plan.FrameCount(), "frames");
        refhost::RasterImage image;
        std::string error;
        auto millis = [&](size_t frame)
        {
            return static_cast<int>(
                std::lround(static_cast<double>(frame) * 1000.0 / plan.FramesPerSecond()));
        };
        for (size_t frame = 0; frame < plan.FrameCount(); ++frame)
        {
            const drive::FrameRecord& record = replay.Frame(plan.DriveTimeOf(frame));
            if (!view.RenderImage(image, &error) || !animation.Add(image, millis(frame), error))
                return Fail(kExitOutput, Output("drive.webp") + ": " + error);
            if (IsPngFrame(frame))
            {
                if (!view.Write(Output(PngName(frame)), &error))
                    return Fail(kExitOutput, error);
                m_written.push_back(Output(PngName(frame)));
            }
            drive.rows.push_back({static_cast<double>(frame) / plan.FramesPerSecond(), record});
            progress.Update(frame + 1);
        }
        render->Clear();
        if (!animation.Finish(millis(plan.FrameCount()), drive.webp, error))
            return Fail(kExitOutput, Output("drive.webp") + ": " + error);
        return kExitOk;
    }

    bool IsPngFrame(size_t frame) const
    {
        return std::find(m_options.pngFrames.begin(), m_options.pngFrames.end(),
                         static_cast<int>(frame)) != m_options.pngFrames.end();
    }

    static std::string PngName(size_t frame)
    {
        char name[32];
        (void)std::snprintf(name, sizeof name, "frame-%04zu.png", frame);
        return name;
    }

    // Removes what this run has written.
    void RemoveOutputs()
    {
        for (const std::string& file : m_written)
            (void)std::remove(file.c_str()); // best effort: the run has failed and says why
        m_written.clear();
    }

    std::string FramesJson(const Drive& drive) const
    {
        nlohmann::json frames = nlohmann::json::array();
        for (size_t i = 0; i < drive.rows.size(); ++i)
        {
            const drive::FrameRecord& r = drive.rows[i].record;
            frames.push_back({{"frame", i},
                              {"animationSeconds", drive.rows[i].animationSeconds},
                              {"time", r.vehicle.time},
                              {"distance", r.vehicle.distance},
                              {"level", r.level},
                              {"next", Number(r.next)},
                              {"announced", Number(r.announced)},
                              {"setTurnInfo", r.setTurnInfo},
                              {"libraryMs", r.librarySeconds * 1e3}});
        }
        const nlohmann::json document = {{"route", RouteSourceName(m_options.source)},
                                         {"framesPerSecond", m_options.framesPerSecond},
                                         {"announcedSpeedUp", drive.announcedSpeedUp},
                                         {"betweenSpeedUp", drive.betweenSpeedUp},
                                         {"frames", frames}};
        return document.dump(1) + "\n";
    }

    std::string Page(const Drive& drive) const
    {
        const refhost::RouteModel& model = *m_route.model;
        ReplayPageContent page;
        page.routeName = RouteSourceName(m_options.source);
        page.summary = FormatDistance(model.Length()) + ", " +
                       FormatDuration(m_route.timeline->Duration()) + " of driving, " +
                       std::to_string(model.ManeuverCount()) + " manoeuvres" +
                       OffMapNote(m_route.offMap, model.Length());
        page.timing = std::to_string(drive.rows.size()) + " frames at " +
                      OneDecimal(m_options.framesPerSecond) + " per second (" +
                      OneDecimal(drive.seconds) + " s): announcements " +
                      OneDecimal(drive.announcedSpeedUp) + "\xC3\x97 real time, the rest " +
                      OneDecimal(drive.betweenSpeedUp) + "\xC3\x97";
        page.animation = "drive.webp";
        page.credit = PageCredit(model, m_route.roadMap != nullptr);
        page.width = m_options.width;
        page.height = m_options.height;
        for (size_t m = 0; m < model.ManeuverCount(); ++m)
        {
            const refhost::Maneuver& maneuver = model.ManeuverAt(m);
            ReplayPageEntry entry;
            entry.title = refhost::CaptionFor(maneuver).instruction;
            entry.distance = "at " + FormatDistance(drive.junctions[m]);
            entry.shown = BandTimes(drive, m, maneuver.type == NAV_TURN_END);
            page.maneuvers.push_back(entry);
        }
        return MakeReplayPage(page);
    }

    static std::string BandTimes(const Drive& drive, size_t maneuver, bool arrival)
    {
        if (arrival)
            return "the arrival: no band";
        const FrameRow* first = nullptr;
        const FrameRow* last = nullptr;
        for (const FrameRow& row : drive.rows)
        {
            if (row.record.announced != maneuver)
                continue;
            if (first == nullptr)
                first = &row;
            last = &row;
        }
        if (first == nullptr)
            return "no band in this animation";
        return "band from " + OneDecimal(first->animationSeconds) + " to " +
               OneDecimal(last->animationSeconds) + " s of the animation";
    }

    int WriteFiles(const Drive& drive)
    {
        std::string error;
        refhost::mapview::AtomicFile webp(Output("drive.webp"));
        if (!webp.Open(error) || !webp.Write(drive.webp.data(), drive.webp.size()) ||
            !webp.Commit(error))
            return Fail(kExitOutput,
                        error.empty() ? Output("drive.webp") + ": cannot write" : error);
        m_written.push_back(Output("drive.webp"));
        if (!WriteTextFile(Output("frames.json"), FramesJson(drive), error))
            return Fail(kExitOutput, error);
        m_written.push_back(Output("frames.json"));
        if (!WriteTextFile(Output("index.html"), Page(drive), error))
            return Fail(kExitOutput, error);
        // The frames an earlier run wrote as pictures, if this one does not.
        std::vector<std::string> names;
        for (const std::string& file : m_written)
            names.push_back(fs::path(file).filename().string());
        if (!RemoveEarlierOutputs(m_options.outputDir, R"(frame-[0-9]{4,}\.png)", names, error))
            return Fail(kExitOutput, error);
        return kExitOk;
    }

    const ReplayOptions& m_options;
    LoadedRoute m_route;
    std::vector<std::string> m_written; // files of this run, removed should it fail
};

} // namespace

int RunAnimationJob(const ReplayOptions& options)
{
    AnimationJob job(options);
    return job.Run();
}

} // namespace tools
