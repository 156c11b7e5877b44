// Draws the road map of an OpenStreetMap extract under a route, as a host
// would: the extract read for the route's box, the road map installed under
// the reference map view, the library drawing the route line, the
// origin-destination line or, for one manoeuvre, its turn.
//
//   roadmap-picture --map EXTRACT [ROUTE_FILE | --between LAT,LON LAT,LON ...]
//                   -o PICTURE [--maneuver N] [--centre LAT,LON] [--level L]
//                   [--size WxH]
//
// The route is a route file or one computed over the extract, as the tools
// take it; without one the picture shows the whole extract, or the view that
// --centre and --level give. The picture's format follows its name (.png,
// .svg, .pdf).
#include "AdvicePathRenderEx.h"

#include "Colours.h"
#include "CommonOptions.h"
#include "Logging/HostLogging.h"
#include "MapView/RasterMapView.h"
#include "RoadMap/ExtractReader.h"
#include "RoadMap/Painter/RoadMapPainter.h"
#include "RoadMapLayer.h"
#include "Route/ActiveRoute.h"
#include "RouteSource.h"
#include "SizeTable.h"
#include "TurnHandover.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

constexpr const char* kTool = "roadmap-picture";
// Roads this far around the route are read, metres.
constexpr double kFitMargin = 24.0; // CSS pixels
constexpr double kMaxFitZoom = 18.0;

struct PictureOptions
{
    tools::RouteSource source; // the extract (--map) and the route, if any
    std::string picture;
    std::optional<int> maneuver; // 1-based
    std::string centreText;      // --centre LAT,LON as given
    std::optional<tagLonLat> centre;
    int level = 1;
    std::string size = "1024x768";

    bool HasRoute() const { return !source.routeFile.empty() || !source.betweenText.empty(); }
};

using tools::Fail;

// The view at `centre` at the design resolution of `level`.
void CentreAt(const tagLonLat& centre, int level, refhost::MapViewport& viewport)
{
    viewport.centre = centre;
    viewport.zoom = refhost::ZoomForMetresPerPixel(centre.lat, refhost::DesignResolution(level));
}

class PictureJob
{
public:
    explicit PictureJob(const PictureOptions& options) : m_options(options) {}

    ~PictureJob()
    {
        if (m_render != nullptr)
        {
            m_render->Clear();
            ClosePathRender(m_render);
        }
        refhost::SetActiveRoute(nullptr);
        refhost::DefaultMapView().SetUnderlay(nullptr);
    }

    PictureJob(const PictureJob&) = delete;
    PictureJob& operator=(const PictureJob&) = delete;

    int Run()
    {
        refhost::MapViewport viewport;
        if (!tools::ParseImageSize(m_options.size, viewport.width, viewport.height))
            return Fail(tools::kExitUsage, "--size " + m_options.size + ": expected WxH");
        if (m_options.maneuver && !m_options.HasRoute())
            return Fail(tools::kExitUsage, "--maneuver needs a route");
        std::string error;
        roadmap::LonLatBox box = roadmap::LonLatBox::World();
        std::vector<tagLonLat> routePoints;
        if (m_options.HasRoute())
        {
            if (!tools::LoadRouteModel(m_options.source, true, m_route, error))
                return Fail(tools::kExitInput, error);
            if (m_options.maneuver &&
                (*m_options.maneuver < 1 ||
                 static_cast<size_t>(*m_options.maneuver) > m_route->ManeuverCount()))
                return Fail(tools::kExitUsage, "--maneuver: the route has " +
                                                   std::to_string(m_route->ManeuverCount()) +
                                                   " manoeuvres");
            routePoints = tools::RoutePoints(*m_route);
            box = roadmap::Expanded(roadmap::BoxOf(routePoints.data(), routePoints.size()),
                                    tools::kMapMarginMetres);
        }
        const std::string& extract = m_options.source.mapFile;
        auto map = std::make_shared<roadmap::RoadMap>();
        if (!roadmap::ReadRoadMap(extract, box, *map, error))
            return Fail(tools::kExitInput, error);
        if (m_route && m_route->Length() > 0.0 &&
            !(tools::MetresOffMap(*map, *m_route) < m_route->Length()))
            return Fail(tools::kExitInput, extract + ": the route " + m_route->Source() +
                                               " lies wholly outside the extract");
        std::printf("%s: %zu roads, %zu waterways, %zu water areas, %zu buildings\n",
                    extract.c_str(), map->Roads().size(), map->Waterways().size(),
                    map->WaterAreas().size(), map->Buildings().size());

        if (m_options.centre)
            CentreAt(*m_options.centre, m_options.level, viewport);
        else if (m_options.maneuver)
            CentreAt(m_route->ManeuverAt(*m_options.maneuver - 1).location, m_options.level,
                     viewport);
        else if (!routePoints.empty())
            refhost::FitViewport(routePoints.data(), routePoints.size(),
                                 refhost::FitMargins(kFitMargin), kMaxFitZoom, viewport);
        else
        {
            const roadmap::LonLatBox& bounds = map->Bounds();
            const tagLonLat corners[] = {{bounds.west, bounds.south}, {bounds.east, bounds.north}};
            refhost::FitViewport(corners, 2, refhost::FitMargins(kFitMargin), kMaxFitZoom,
                                 viewport);
        }

        refhost::RasterMapView& view = refhost::DefaultMapView();
        view.Clear();
        view.SetViewport(viewport);
        // The map's credit, and the route data's when a route is drawn.
        view.SetUnderlay(std::make_shared<roadmap::RoadMapPainter>(
            map, m_route ? tools::PictureCredit(*m_route, true) : roadmap::kAttribution));
        if (m_route)
            DrawRoute();
        if (!view.Write(m_options.picture, &error))
            return Fail(tools::kExitOutput, error);
        std::printf("wrote %s (level %d)\n", m_options.picture.c_str(),
                    static_cast<int>(view.ScaleToLevel(view.GetScale())));
        return tools::kExitOk;
    }

private:
    void DrawRoute()
    {
        refhost::SetActiveRoute(&*m_route);
        m_render = NewPathRender(&*m_route, nullptr);
        tools::SizeTable sizes = tools::DefaultSizeTable();
        m_render->SetSize(sizes.levels.data(), static_cast<int>(sizes.levels.size()),
                          sizes.maxTurnLevel);
        m_render->SetClr(tools::DefaultColours());
        m_render->EnableDrawRedLine(!m_options.maneuver);
        m_render->SetPath(&*m_route);
        if (m_options.maneuver)
        {
            const size_t maneuver = static_cast<size_t>(*m_options.maneuver) - 1;
            m_turnPath = tools::TurnHandover(*m_route, sizes, maneuver);
            m_render->SetTurnInfo(m_route->TurnInfoFor(maneuver), &m_turnPath);
        }
        m_render->Draw(true, m_options.maneuver.has_value());
    }

    const PictureOptions& m_options;
    std::optional<refhost::RouteModel> m_route;
    refhost::PathView m_turnPath;
    AdvicePathRenderEx* m_render = nullptr;
};

int Main(int argc, char** argv)
{
    PictureOptions options;
    CLI::App app("Draws the road map of an OpenStreetMap extract under a route.", kTool);
    tools::DescribeTool(app, "",
                        {"done", "", "the extract or the route cannot be read or used",
                         "the picture cannot be written"});
    tools::AddRouteSourceOptions(app, options.source, "a route file drawn over the map");
    app.get_option("--map")->required();
    app.add_option("-o,--output", options.picture, "the picture (.png, .svg or .pdf)")->required();
    app.add_option("--maneuver", options.maneuver,
                   "the manoeuvre whose turn is drawn (1 ...), the view at its junction");
    app.add_option("--centre", options.centreText,
                   "the view's centre: LAT,LON in decimal degrees, as --between takes points");
    app.add_option("--level", options.level,
                   "the map view's level with --centre or --maneuver (default 1)")
        ->check(CLI::Range(0, 18));
    app.add_option("--size", options.size, "the picture's size WxH (default 1024x768)");
    if (std::optional<int> code = tools::ParseArguments(app, argc, argv))
        return *code;
    if (options.HasRoute())
        if (std::optional<std::string> problem = tools::FinishRouteSource(options.source))
            return tools::ReportUsageError(*problem);
    if (!options.centreText.empty())
    {
        tagLonLat centre{};
        if (!tools::ParseLatLon(options.centreText, centre))
            return tools::ReportUsageError("--centre: expected LAT,LON in decimal degrees, got \"" +
                                           options.centreText + "\"");
        options.centre = centre;
    }
    refhost::logging::SetThreshold(refhost::logging::kError); // the library's errors only
    PictureJob job(options);
    return job.Run();
}

} // namespace

int main(int argc, char** argv)
{
    return tools::RunTool(kTool, argc, argv, Main);
}
