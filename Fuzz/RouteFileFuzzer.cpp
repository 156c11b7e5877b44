// Fuzz target of the route-file readers: the input is read as a route file
// with every format hint (auto, directions JSON, GeoJSON, GPX). Each read must
// give either a route or a clear error, never a crash, a hang or a half-built
// route:
// - a failed read has an error that names the input and an empty route;
// - a successful read has no error, at least one link, every link at least two
//   finite points, manoeuvres and destinations whose link indexes are in range,
//   and the route model either accepts it or refuses it with a message;
// - a model that was built hands out guides that walk from the first link to
//   the last in exactly LinkCount steps, and turn information for every
//   manoeuvre.
#include "FuzzCheck.h"
#include "Route/RouteModel.h"
#include "RouteFiles/RouteFiles.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace
{

const char* const kSourceName = "fuzz-input";
const int kPrecisions[] = {0, 5, 6};
const double kThresholds[] = {30.0, 0.0, 180.0};
const double kWindows[] = {20.0, 0.0, 1e9};

// The model's guides, walked as the library walks them: one record advanced
// in place.
void CheckModel(const refhost::RouteModel& model)
{
    const size_t links = model.LinkCount();
    FUZZ_CHECK(links > 0, "a route model without links");
    PathGuid guide = model.GuideOf(0);
    size_t steps = 1;
    refhost::PathView whole = model.ViewFrom(0);
    while (whole.GetNextGuid(guide, guide) != 0)
    {
        ++steps;
        FUZZ_CHECK(steps <= links, "the guide walk runs past the %zu links", links);
        FUZZ_CHECK(guide.mp_FirstPoints != nullptr && guide.m_FirstCount >= 2,
                   "guide %zu has %u points", steps - 1, unsigned(guide.m_FirstCount));
    }
    FUZZ_CHECK(steps == links, "the guide walk ended after %zu of %zu links", steps, links);
    for (size_t m = 0; m < model.ManeuverCount(); ++m)
    {
        const CTurnInfo turn = model.TurnInfoFor(m);
        NavGuid enter;
        NavGuid exit;
        FUZZ_CHECK(turn.GetEnterGuide(0, enter) && turn.GetExitGuide(0, exit),
                   "manoeuvre %zu has no guides", m);
        refhost::PathView view = model.ViewForManeuver(m);
        FUZZ_CHECK(!view.Empty(), "manoeuvre %zu has an empty view", m);
    }
    FUZZ_CHECK(model.ManeuverAt(model.ManeuverCount() - 1).type == NAV_TURN_END,
               "the last manoeuvre is not the arrival");
}

void CheckRead(const refhost::RouteReadResult& result)
{
    if (!result.ok)
    {
        FUZZ_CHECK(result.error.rfind(kSourceName, 0) == 0, "error without the input's name: %s",
                   result.error.c_str());
        FUZZ_CHECK(result.route.links.empty() && result.route.maneuvers.empty() &&
                       result.route.destinations.empty(),
                   "a failed read handed out part of a route (%zu links): %s",
                   result.route.links.size(), result.error.c_str());
        return;
    }
    const refhost::RouteDescription& route = result.route;
    FUZZ_CHECK(result.error.empty(), "a successful read with an error: %s", result.error.c_str());
    FUZZ_CHECK(!route.links.empty(), "a route without links");
    FUZZ_CHECK(!route.destinations.empty(), "a route without destinations");
    FUZZ_CHECK(!route.maneuvers.empty(), "a route without manoeuvres");
    for (size_t i = 0; i < route.links.size(); ++i)
    {
        const std::vector<tagLonLat>& points = route.links[i].points;
        FUZZ_CHECK(points.size() >= 2, "link %zu has %zu points", i, points.size());
        for (const tagLonLat& p : points)
            FUZZ_CHECK(std::isfinite(p.lon) && std::isfinite(p.lat), "link %zu: point (%g, %g)", i,
                       p.lon, p.lat);
    }
    for (const refhost::Maneuver& maneuver : route.maneuvers)
        FUZZ_CHECK(maneuver.enterLink <= maneuver.exitLink &&
                       maneuver.exitLink < route.links.size(),
                   "manoeuvre links %zu..%zu of %zu", maneuver.enterLink, maneuver.exitLink,
                   route.links.size());

    std::string error;
    std::optional<refhost::RouteModel> model = refhost::RouteModel::FromDescription(route, error);
    if (!model)
    {
        FUZZ_CHECK(!error.empty(), "the route model refused a route without saying why");
        return;
    }
    FUZZ_CHECK(error.empty(), "a route model with an error: %s", error.c_str());
    CheckModel(*model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    refhost::RouteReadOptions options;
    // Small limits keep every execution fast and reach the limit checks too.
    options.maxPoints = 20000;
    options.maxJsonValues = 100000;
    for (refhost::RouteFormat format :
         {refhost::RouteFormat::Auto, refhost::RouteFormat::DirectionsJson,
          refhost::RouteFormat::GeoJson, refhost::RouteFormat::Gpx})
    {
        // The polyline precision (detected or forced) and the turn detection
        // of tracks (threshold, window), chosen by the input's length.
        options.polylinePrecision = kPrecisions[size % 3];
        options.turnThresholdDegrees = kThresholds[size / 3 % 3];
        options.turnWindowMetres = kWindows[size / 9 % 3];
        CheckRead(refhost::ParseRoute(text, format, options, kSourceName));
    }
    return 0;
}
