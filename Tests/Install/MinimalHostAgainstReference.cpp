// The installed minimal host against the reference host: both draw the same
// manoeuvre of a route file, and their map-view calls must agree.
//
//   minimal-host-against-reference ROUTE_FILE crossing|roundabout MINIMAL_HOST WORK_FILE
//
// ROUTE_FILE is a file of data/routes. The reference host reads and models the route and finds its
// first simple crossing (a left or right turn with one guide at the junction) or its first
// roundabout (the leaving guide after the entering one). The path it hands to
// SetTurnInfo, from a few hundred metres before the junction to the route's
// end, is written to WORK_FILE in the minimal host's route format: its links
// are the reference host's guides, and the turn names the entering and leaving
// guides. The reference host then makes the minimal host's calls with its
// sizes and colours on a recording map view, and the minimal host draws
// WORK_FILE. The calls must agree in order and arguments, and the points within
// 1e-7 degrees (the two hosts measure lengths with different code).
#include "AdvicePathRenderEx.h"
#include "Logging/HostLogging.h"
#include "Route/ActiveRoute.h"
#include "Route/RouteModel.h"
#include "RouteFiles/RouteFiles.h"
#include "Support/RecordingMapView.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace
{

// The minimal host's size table, colours and turn limit
// (Examples/MinimalHost/MinimalHost.cpp), at level 0 as its map view.
AdvicePathSizeSetting g_Sizes[] = {{14, 18, 10, 14, 100, 2, 40, 40, 4, 12, 6},
                                   {12, 16, 8, 12, 100, 2, 80, 80, 8, 24, 12},
                                   {10, 14, 7, 11, 100, 2, 160, 160, 16, 48, 24}};
const AdvicePathClrSetting kColours(0x00E08A2B, 0x00783C14, 0x00FFFFFF, 0x001E1E1E);
const int kMaxTurnLevel = 1;
const double kPointTolerance = 1e-7;

// A call in the minimal host's printed form.
std::string Printed(const aptest::DrawCall& call)
{
    char text[96];
    // The buffer holds the longest call line and every point.
    (void)std::snprintf(text, sizeof(text), "%s %d %d %u %d",
                        call.IsLine() ? "DrawLine" : "DrawPolygon", call.count, call.third,
                        call.colour, call.fifth);
    std::string line = text;
    for (const tagLonLat& point : call.points)
    {
        (void)std::snprintf(text, sizeof(text), " %.9f,%.9f", point.lon, point.lat);
        line += text;
    }
    return line;
}

// "LON,LAT" into `lon` and `lat`; false unless both are numbers.
bool ReadPoint(const std::string& text, double& lon, double& lat)
{
    char* end = nullptr;
    lon = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != ',')
        return false;
    const char* rest = end + 1;
    lat = std::strtod(rest, &end);
    return end != rest;
}

bool SameCall(const std::string& reference, const std::string& example)
{
    std::istringstream a(reference);
    std::istringstream b(example);
    std::string x;
    std::string y;
    while (a >> x)
    {
        if (!(b >> y))
            return false;
        double lon1 = 0;
        double lat1 = 0;
        double lon2 = 0;
        double lat2 = 0;
        if (x.find(',') == std::string::npos)
        {
            if (x != y)
                return false;
        }
        else if (!ReadPoint(x, lon1, lat1) || !ReadPoint(y, lon2, lat2) ||
                 std::fabs(lon1 - lon2) > kPointTolerance ||
                 std::fabs(lat1 - lat2) > kPointTolerance)
            return false;
    }
    return !(b >> y);
}

std::optional<size_t> FindManeuver(const refhost::RouteModel& route, const std::string& kind)
{
    for (size_t i = 0; i < route.ManeuverCount(); ++i)
    {
        const refhost::Maneuver& m = route.ManeuverAt(i);
        bool crossing =
            (m.type == NAV_TURN_LEFT || m.type == NAV_TURN_RIGHT) && m.exitLink == m.enterLink;
        bool roundabout = m.type == NAV_TURN_ROUNDABOUT && m.exitLink > m.enterLink;
        if (kind == "roundabout" ? roundabout : crossing)
            return i;
    }
    return std::nullopt;
}

void WriteRoute(const refhost::RouteModel& route, size_t maneuver, size_t first, std::ostream& out)
{
    out.precision(17);
    if (route.HasOrigin())
        out << "origin " << route.Origin().lon << ' ' << route.Origin().lat << '\n';
    if (!route.Destinations().empty())
        out << "destination " << route.Destinations()[0].lon << ' ' << route.Destinations()[0].lat
            << '\n';
    for (size_t link = first; link < route.LinkCount(); ++link)
    {
        out << "link";
        for (const tagLonLat& point : route.LinkPoints(link))
            out << ' ' << point.lon << ' ' << point.lat;
        out << '\n';
    }
    const refhost::Maneuver& m = route.ManeuverAt(maneuver);
    out << "turn " << static_cast<int>(m.type) << ' ' << m.enterLink - first << ' '
        << m.exitLink - first << '\n';
}

// The minimal host's calls, made on the reference host.
std::vector<std::string> ReferenceCalls(const refhost::RouteModel& route, size_t maneuver,
                                        refhost::PathView& path)
{
    aptest::RecordingMapView view;
    refhost::SetActiveRoute(&route);
    AdvicePathRenderEx* render = NewPathRender(nullptr, &view);
    render->SetSize(g_Sizes, 3, kMaxTurnLevel);
    render->SetClr(kColours);
    render->EnableDrawRedLine(true);
    render->SetPath(&path);
    render->SetTurnInfo(route.TurnInfoFor(maneuver), &path);
    render->Draw(true, true);
    render->Clear();
    ClosePathRender(render);
    refhost::SetActiveRoute(nullptr);
    std::vector<std::string> lines;
    for (const aptest::DrawCall& call : view.calls)
        lines.push_back(Printed(call));
    return lines;
}

// The lines the minimal host prints for `routeFile`; `status` is its exit
// status as pclose gives it.
std::vector<std::string> ExampleCalls(const std::string& program, const std::string& routeFile,
                                      int& status)
{
    std::vector<std::string> lines;
    // Run as a user runs it, through the shell.
    FILE* pipe = popen( // NOLINT(cert-env33-c)
        ("'" + program + "' '" + routeFile + "'").c_str(), "r");
    status = -1;
    if (pipe == nullptr)
        return lines;
    std::string line;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe))
    {
        if (c == '\n')
            lines.push_back(std::exchange(line, std::string()));
        else
            line += static_cast<char>(c);
    }
    status = pclose(pipe);
    return lines;
}

int Fail(const std::string& message)
{
    (void)std::fprintf(stderr, "minimal-host-against-reference: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return Fail("usage: ROUTE_FILE crossing|roundabout MINIMAL_HOST WORK_FILE");
    const std::string kind = argv[2];
    refhost::logging::SetThreshold(refhost::logging::kError);

    const std::string routeFile = std::string(AP_DATA_DIR) + "/routes/" + argv[1];
    refhost::RouteReadResult read = refhost::ReadRouteFile(routeFile);
    std::string error = read.error;
    std::optional<refhost::RouteModel> route;
    if (read.ok)
        route = refhost::RouteModel::FromDescription(read.route, error);
    if (!route)
        return Fail(error);
    std::optional<size_t> maneuver = FindManeuver(*route, kind);
    if (!maneuver)
        return Fail(routeFile + ": no " + kind);

    size_t first = route->ViewStartForManeuver(*maneuver);
    std::ofstream work(argv[4]);
    WriteRoute(*route, *maneuver, first, work);
    work.close();
    if (!work)
        return Fail(std::string(argv[4]) + ": cannot be written");

    refhost::PathView path = route->ViewFrom(first);
    std::vector<std::string> reference = ReferenceCalls(*route, *maneuver, path);
    int status = 0;
    std::vector<std::string> example = ExampleCalls(argv[3], argv[4], status);
    if (status != 0)
        return Fail(std::string(argv[3]) + " failed");

    size_t polygons = 0;
    for (const std::string& line : reference)
        polygons += line.rfind("DrawPolygon", 0) == 0 ? 1 : 0;
    if (polygons != 1)
        return Fail("the reference host drew no turn");
    for (size_t i = 0; i < reference.size() || i < example.size(); ++i)
    {
        std::string expected = i < reference.size() ? reference[i] : "(none)";
        std::string got = i < example.size() ? example[i] : "(none)";
        if (!SameCall(expected, got))
            return Fail("call " + std::to_string(i + 1) + " differs:\n  reference:    " + expected +
                        "\n  minimal host: " + got);
    }
    std::printf("%s (manoeuvre %zu of %s, guides %zu to %zu): %zu calls agree\n", kind.c_str(),
                *maneuver, argv[1], route->ManeuverAt(*maneuver).enterLink - first,
                route->ManeuverAt(*maneuver).exitLink - first, reference.size());
    return 0;
}
