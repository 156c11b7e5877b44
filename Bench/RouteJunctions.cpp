#include "RouteJunctions.h"

#include "RouteFiles/RouteFiles.h"

#include <cstdio>
#include <cstdlib>

namespace bench
{

const std::vector<std::string>& TurnRouteFiles()
{
    static const std::vector<std::string> files = {
        "osrm-urban-sanfrancisco-polyline6.json",
        "osrm-roundabout-washingtondc-dupont-polyline6.json",
        "osrm-motorway-ramps-newjersey-nyc-polyline6.json",
        "drive-munich-13km-1hz-linestring.geojson",
        "osrm-9legs-uturn-slovenia-mangart-polyline6.json",
    };
    return files;
}

const char* LongRouteFile()
{
    return "osrm-long-629km-sanfrancisco-losangeles-polyline5.json";
}

namespace
{
std::string& DataDirectory()
{
    static std::string directory = AP_DATA_DIR;
    return directory;
}
} // namespace

std::string RouteFilePath(const std::string& file)
{
    return DataDirectory() + "/routes/" + file;
}

void SetDataDirectory(const std::string& dataDirectory)
{
    DataDirectory() = dataDirectory;
}

std::unique_ptr<RouteJunctions> LoadRouteJunctions(const std::string& file, std::string& error)
{
    const refhost::RouteReadResult read = refhost::ReadRouteFile(RouteFilePath(file));
    if (!read.ok)
    {
        error = read.error;
        return nullptr;
    }
    std::optional<refhost::RouteModel> model =
        refhost::RouteModel::FromDescription(read.route, error);
    if (!model)
        return nullptr;

    auto route = std::make_unique<RouteJunctions>();
    route->file = file;
    route->model = std::make_unique<refhost::RouteModel>(std::move(*model));
    for (size_t m = 0; m < route->model->ManeuverCount(); ++m)
    {
        if (route->model->ManeuverAt(m).type == NAV_TURN_END)
            continue;
        Junction junction;
        junction.maneuver = m;
        junction.path = route->model->ViewForManeuver(m);
        junction.turn = route->model->TurnInfoFor(m);
        route->junctions.push_back(std::move(junction));
    }
    return route;
}

const std::vector<std::unique_ptr<RouteJunctions>>& TurnRoutes()
{
    static const std::vector<std::unique_ptr<RouteJunctions>> routes = []
    {
        std::vector<std::unique_ptr<RouteJunctions>> loaded;
        for (const std::string& file : TurnRouteFiles())
        {
            std::string error;
            std::unique_ptr<RouteJunctions> route = LoadRouteJunctions(file, error);
            if (!route)
            {
                (void)std::fprintf(stderr, "bench: %s: %s\n", file.c_str(), error.c_str());
                std::exit(2);
            }
            loaded.push_back(std::move(route));
        }
        return loaded;
    }();
    return routes;
}

void TurnSizeRecord(AdvicePathSizeSetting& s)
{
    s = AdvicePathSizeSetting();
    s.m_PathWidth = 8;
    s.m_PathBorderWidth = 12;
    s.m_EdgeWidth = 10;
    s.m_EdgeBorderWidth = 14;
    s.m_ArrowFillParam = 100;
    s.m_ArrowBorderParam = 2;
    s.m_ToLength = 80;
    s.m_FromLength = 100;
    s.m_LengthTolerance = 0;
    s.m_ArrowLength = 20;
    s.m_ArrowWidth = 8;
}

} // namespace bench
