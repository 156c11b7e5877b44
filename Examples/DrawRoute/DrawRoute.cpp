// A complete host program: the library drawing a short route with one turn on
// the reference host, in the calling order a navigation application uses.
//
//   draw-route-example [PICTURE.png]
//
// The reference host supplies every service the library calls: the raster map
// view (CMapCreate::GetMapService answers refhost::DefaultMapView()), the
// route model (the path, its guides, the turn information and the route
// manager), WGS84 geodesy in metres, log4cpp logging and the memory status.
// It builds against the installed package with its component RefHost
// (CMakeLists.txt beside it).
#include "AdvicePathRenderEx.h"

#include "Logging/HostLogging.h"
#include "MapView/RasterMapView.h"
#include "Route/ActiveRoute.h"
#include "Route/RouteBuilder.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{

// A drive in central Munich: north on Ludwigstraße, right into Schellingstraße
// (a real street layout, coordinates rounded).
std::optional<refhost::RouteModel> BuildRoute(std::string& error)
{
    refhost::RouteBuilder route("example route");
    size_t south = route.AddLink({{11.58130, 48.14700}, {11.58140, 48.14810}}, "Ludwigstraße");
    size_t north = route.ContinueLink({{11.58152, 48.14930}}, "Ludwigstraße");
    route.ContinueLink({{11.58290, 48.14920}, {11.58460, 48.14908}}, "Schellingstraße");
    size_t last = route.ContinueLink({{11.58640, 48.14896}}, "Schellingstraße");
    (void)south;
    // At the junction the route enters on `north` and turns: a simple junction,
    // so the entering and the leaving guide are the same link.
    route.AddManeuver(north, north, NAV_TURN_RIGHT, "Turn right onto Schellingstraße");
    route.AddManeuver(last, last, NAV_TURN_END, "You have arrived");
    route.SetOrigin({11.58130, 48.14700}).AddDestination({11.58640, 48.14896});
    return route.Build(error);
}

// One size record per level; level 0 is the most detailed. Widths in pixels,
// lengths in metres (the reference geodesy's unit).
std::vector<AdvicePathSizeSetting> SizeTable()
{
    std::vector<AdvicePathSizeSetting> table(6);
    for (size_t level = 0; level < table.size(); ++level)
    {
        int scale = 1 << level;
        AdvicePathSizeSetting& s = table[level];
        s.m_PathWidth = 14 - static_cast<int>(level);
        s.m_PathBorderWidth = s.m_PathWidth + 4;
        s.m_EdgeWidth = s.m_PathWidth * 7 / 10;
        s.m_EdgeBorderWidth = s.m_EdgeWidth + 4;
        s.m_ArrowFillParam = 100; // opaque
        s.m_ArrowBorderParam = 2; // outline width, pixels
        s.m_ToLength = 40 * scale;
        s.m_FromLength = 40 * scale;
        s.m_LengthTolerance = 4 * scale;
        s.m_ArrowLength = 12 * scale;
        s.m_ArrowWidth = 6 * scale;
    }
    return table;
}

} // namespace

int main(int argc, char** argv)
{
    std::string picture = argc > 1 ? argv[1] : "draw-route-example.png";
    refhost::logging::SetThreshold(refhost::logging::kError); // the library's errors only

    std::string error;
    std::optional<refhost::RouteModel> route = BuildRoute(error);
    if (!route)
    {
        (void)std::fprintf(stderr, "draw-route-example: %s\n", error.c_str());
        return 1;
    }
    refhost::SetActiveRoute(&*route); // origin and destination for the red line
    std::printf("route: %zu links, %.0f m, %zu manoeuvres\n", route->LinkCount(), route->Length(),
                route->ManeuverCount());

    // 1. Create a handle. Null map view: keep the host's default one.
    AdvicePathRenderEx* render = NewPathRender(nullptr, nullptr);
    if (render == nullptr)
        return 1;
    std::printf("NewPathRender: handle created with the default map view\n");

    // 2. The size table (copied by the library) and the largest level at which
    //    the turn is drawn.
    std::vector<AdvicePathSizeSetting> sizes = SizeTable();
    int accepted = render->SetSize(sizes.data(), static_cast<int>(sizes.size()), 3);
    std::printf("SetSize: %d levels, turn up to level 3 -> %d\n", static_cast<int>(sizes.size()),
                accepted);

    // 3. Colours, 0x00BBGGRR: blue route, dark border, white band, black border.
    render->SetClr(AdvicePathClrSetting(0x00E08A2Bu, 0x00783C14u, 0x00FFFFFFu, 0x001E1E1Eu));
    render->EnableDrawRedLine(true);

    // 4. The path of the route line, and the next manoeuvre on the remaining
    //    route (as a device hands it over while driving).
    render->SetPath(&*route);
    refhost::PathView remaining = route->ViewForManeuver(0);
    render->SetTurnInfo(route->TurnInfoFor(0), &remaining);
    std::printf("SetPath, SetTurnInfo: %s\n", route->ManeuverAt(0).instruction.c_str());

    // 5. A repaint: the map view shows the junction at about 0.4 m per pixel.
    refhost::RasterMapView& view = refhost::DefaultMapView();
    refhost::MapViewport viewport;
    viewport.centre = route->ManeuverAt(0).location;
    viewport.zoom = 18.3;
    view.SetViewport(viewport);
    view.SetCaption("Ludwigstraße \xE2\x86\x92 Schellingstraße", "Turn right onto Schellingstraße");
    render->Draw(true, true);
    std::printf("Draw: %zu drawing calls at level %d\n", view.Drawings().size(),
                static_cast<int>(view.ScaleToLevel(view.GetScale())));
    if (!view.Write(picture, &error))
    {
        (void)std::fprintf(stderr, "draw-route-example: %s\n", error.c_str());
        ClosePathRender(render);
        return 1;
    }
    std::printf("wrote %s\n", picture.c_str());

    // 6. The route is dropped; the handle is closed.
    render->Clear();
    ClosePathRender(render);
    refhost::SetActiveRoute(nullptr);
    std::printf("Clear, ClosePathRender: done\n");
    return 0;
}
