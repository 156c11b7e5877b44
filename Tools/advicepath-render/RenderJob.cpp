#include "RenderJob.h"

#include "CommonOptions.h"
#include "IndexPage.h"
#include "MapRoundaboutExits.h"
#include "OutputFiles.h"
#include "Progress.h"
#include "RoadMapLayer.h"
#include "RouteSource.h"
#include "SizeTable.h"
#include "TurnFraming.h"
#include "TurnHandover.h"

#include "MapView/RasterMapView.h"
#include "MapView/ScaleLevels.h"
#include "Route/ActiveRoute.h"
#include "Route/RouteModel.h"
#include "RouteFiles/JunctionStubs.h"
#include "RouteFiles/ManeuverCaption.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace tools
{

namespace
{

namespace fs = std::filesystem;

const double kMargin = 24.0;     // pixels kept free around what a picture must show
const double kStubMetres = 30.0; // length of the junction's other roads as drawn

// The names the renderer writes into its folder: what an earlier run left
// there, if this one does not write it again, is removed.
const char* kOwnFiles = R"(overview\.(png|svg|pdf)|turn-[0-9]{3,}\.(png|svg|pdf))";

std::string Numbered(const std::string& text, size_t number)
{
    return std::to_string(number) + ". " + text;
}

std::string Distances(const refhost::Maneuver& maneuver)
{
    std::string text = "at " + FormatDistance(maneuver.distanceFromStart);
    if (maneuver.distanceToNext > 0.0)
        text += " \xC2\xB7 next in " + FormatDistance(maneuver.distanceToNext);
    return text;
}

struct Job
{
    const Options& options;
    std::string extension;
    SizeTable sizes;
    std::optional<refhost::RouteModel> model;
    refhost::RasterMapView& view = refhost::DefaultMapView();
    std::unique_ptr<AdvicePathRenderEx, bool (*)(AdvicePathRenderEx*)> render{nullptr,
                                                                              &ClosePathRender};
    refhost::PathView turnPath; // what the junction builder reads; kept alive
    IndexContent index;
    bool roadMap = false;             // --map: the extract's roads under the route
    std::vector<std::string> written; // the pictures of this run

    explicit Job(const Options& o) : options(o), extension(o.format) {}
    ~Job()
    {
        view.SetUnderlay(nullptr);
        view.SetCredit(std::string());
    }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    std::string OutputPath(const std::string& file) const
    {
        return (fs::path(options.outputDir) / file).string();
    }

    refhost::MapViewport BaseViewport() const
    {
        refhost::MapViewport viewport;
        viewport.width = options.width;
        viewport.height = options.height;
        return viewport;
    }

    int Write(const std::string& file)
    {
        std::string error;
        if (!view.Write(OutputPath(file), &error))
            return Fail(kExitOutput, error);
        written.push_back(file);
        return kExitOk;
    }

    int DrawOverview()
    {
        const refhost::RouteModel& route = *model;
        view.Clear();
        view.SetCaption(fs::path(route.Source()).filename().string(), index.summary);
        view.SetBackgroundRoads({});
        refhost::MapViewport viewport = BaseViewport();
        refhost::FitMargins margins(kMargin);
        margins.top += view.CaptionHeight();
        std::vector<tagLonLat> points = RoutePoints(route);
        refhost::FitViewport(points.data(), points.size(), margins, 18.0, viewport);
        view.SetViewport(viewport);
        render->Draw(true, false);
        index.overview.file = "overview." + extension;
        index.overview.title = "The whole route";
        index.overview.roads = index.summary;
        return Write(index.overview.file);
    }

    int DrawManeuver(size_t maneuver)
    {
        const refhost::RouteModel& route = *model;
        const refhost::Maneuver& m = route.ManeuverAt(maneuver);
        size_t number = maneuver + 1;

        turnPath = TurnHandover(route, sizes, maneuver);
        render->SetTurnInfo(route.TurnInfoFor(maneuver), &turnPath);
        // The straight origin-destination line belongs to the overview; across
        // a junction close-up it would only hide the band.
        render->EnableDrawRedLine(false);

        const refhost::ManeuverCaption caption = refhost::CaptionFor(m);
        const std::string title = Numbered(caption.instruction, number);
        if (caption.bannerPrimary.empty())
            view.SetCaption(caption.roads, title);
        else
            view.SetBannerCaption(caption.bannerPrimary, caption.bannerSecondary, title);
        TurnFrame frame;
        if (m.type == NAV_TURN_END)
        {
            // The arrival has no band to fit: the close-up of the route's end.
            frame.viewport = BaseViewport();
            frame.viewport.centre = m.location;
            frame.viewport.zoom =
                refhost::ZoomForMetresPerPixel(m.location.lat, refhost::DesignResolution(0));
            view.SetViewport(frame.viewport);
        }
        else
        {
            frame = FrameTurn(*render, view, BaseViewport(), m.location, sizes.maxTurnLevel,
                              kMargin, view.CaptionHeight());
        }

        // The junction's other roads belong to the map, under the library's
        // drawings: the real ones with --map, else stubs along the bearings the
        // route file gives.
        if (!roadMap)
            view.SetBackgroundRoads(refhost::JunctionStubs(m, kStubMetres));
        view.Clear();
        render->Draw(true, true);

        PictureEntry entry;
        entry.file = TurnFileName(number, extension);
        entry.id = "m" + std::to_string(number);
        entry.title = title;
        entry.textOrigin = caption.fromFile ? "text from the route file" : "generated text";
        entry.bannerPrimary = caption.bannerPrimary;
        entry.bannerSecondary = caption.bannerSecondary;
        entry.roads = caption.roads;
        entry.continuation = caption.continuation;
        entry.distances = Distances(m);
        if (m.type == NAV_TURN_END)
            entry.note = "End of the route: no turn is drawn.";
        else if (!frame.bandFits)
            entry.note = "The junction band does not fit the picture at any level up to " +
                         std::to_string(sizes.maxTurnLevel) + ".";
        index.turns.push_back(entry);
        return Write(entry.file);
    }

    int Run()
    {
        if (auto code = ApplyLogOptions(options))
            return *code;

        sizes = DefaultSizeTable();
        if (!options.sizesFile.empty())
        {
            std::string error;
            if (!ReadSizeTable(options.sizesFile, sizes, error))
                return Fail(kExitInput, error);
        }

        std::string error;
        refhost::RouteDescription route;
        if (!LoadRouteModel(options.source, options.quiet, model, error, &route))
            return Fail(kExitInput, error);
        size_t maneuvers = model->ManeuverCount();
        if (options.maneuver && static_cast<size_t>(*options.maneuver) > maneuvers)
            return Fail(kExitUsage, "--maneuver " + std::to_string(*options.maneuver) + ": " +
                                        RouteSourceName(options.source) + " has " +
                                        std::to_string(maneuvers) + " manoeuvres");

        double offMap = 0.0;
        if (!options.source.mapFile.empty())
        {
            std::shared_ptr<roadmap::RoadMapPainter> painter;
            if (!LoadRoadMapLayer(options.source.mapFile, *model, painter, error, &offMap))
                return Fail(kExitInput, error);
            if (!CountExitsOnMap(painter->Map(), options.source, route, model, error))
                return Fail(kExitInput, error);
            view.SetUnderlay(painter);
            roadMap = true;
        }
        view.SetCredit(PictureCredit(*model, roadMap));
        index.credit = PageCredit(*model, roadMap);

        if (!PrepareOutputFolder(options.outputDir, error))
            return Fail(kExitOutput, error);

        refhost::SetActiveRoute(&*model);
        render.reset(NewPathRender(&*model, &view));
        if (!render || render->SetSize(sizes.levels.data(), static_cast<int>(sizes.levels.size()),
                                       sizes.maxTurnLevel) != 1)
            return Fail(kExitInput, "the library refused the size table");
        render->SetClr(options.colours);
        render->SetPath(&*model);
        render->EnableDrawRedLine(options.odLine);

        index.routeName = RouteSourceName(options.source);
        index.summary = FormatDistance(model->Length()) + ", " + std::to_string(maneuvers) +
                        (maneuvers == 1 ? " manoeuvre" : " manoeuvres") +
                        OffMapNote(offMap, model->Length());

        size_t first = options.maneuver ? static_cast<size_t>(*options.maneuver) - 1 : 0;
        size_t end = options.maneuver ? first + 1 : maneuvers;
        Progress progress(!options.quiet, end - first + 1, "pictures");
        progress.Update(0, "overview");
        int code = DrawOverview();
        for (size_t i = first; code == kExitOk && i < end; ++i)
        {
            progress.Update(i - first + 1, TurnFileName(i + 1, extension));
            code = DrawManeuver(i);
        }
        render->Clear();
        view.SetBackgroundRoads({});
        refhost::SetActiveRoute(nullptr);
        if (code != kExitOk)
            return code;

        std::string page = OutputPath("index.html");
        if (!WriteTextFile(page, MakeIndexPage(index), error) ||
            !RemoveEarlierOutputs(options.outputDir, kOwnFiles, written, error))
            return Fail(kExitOutput, error);
        if (!options.quiet)
            std::cout << page << "\n";
        return kExitOk;
    }
};

} // namespace

int RunRenderJob(const Options& options)
{
    Job job(options);
    int code = job.Run();
    refhost::DefaultMapView().Clear();
    return code;
}

} // namespace tools
