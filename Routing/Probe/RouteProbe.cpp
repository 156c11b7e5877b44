// Computes a route with the routing component and prints it: links, times,
// manoeuvres with their captions and junction roads. With --record FOLDER it
// also writes Routino's outputs of the route (quickest-all.txt,
// quickest.html), as the tests' recorded routes were made.
//
//     advicepath-route-probe data/osm/andorra.osm.pbf 42.5063,1.5216 42.5100,1.5390
//
// Exit status: 0 done, 2 bad command line, 3 no route (the message says why),
// 4 the recorded outputs cannot be written.
#include "Routing/Routing.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace
{

const char* const kUsage =
    "usage: advicepath-route-probe EXTRACT LAT,LON LAT,LON [LAT,LON...] [--record FOLDER]\n"
    "                              [--no-junction-roads]\n";

bool ParsePoint(const char* text, tagLonLat& point)
{
    char* end = nullptr;
    point.lat = std::strtod(text, &end);
    if (end == text || *end != ',')
        return false;
    const char* lon = end + 1;
    point.lon = std::strtod(lon, &end);
    return end != lon && *end == '\0';
}

const char* TypeName(NAV_TURN_TYPE_tag type)
{
    static const char* const kNames[] = {
        "none",       "end",  "straight",    "slight right", "right", "sharp right", "u-turn",
        "sharp left", "left", "slight left", "roundabout",   "merge", "fork"};
    const int index = static_cast<int>(type);
    return index >= 0 && index <= NAV_TURN_FORK ? kNames[index] : "?";
}

bool WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

void Print(const refhost::RouteDescription& route)
{
    double seconds = 0.0;
    for (const refhost::RoadLink& link : route.links)
        if (!link.times.empty())
            seconds = link.times.back();
    std::printf("%zu links, %.0f m, %.0f s, %zu destinations\n", route.links.size(),
                route.statedDistance, seconds, route.destinations.size());
    for (size_t i = 0; i < route.maneuvers.size(); ++i)
    {
        const refhost::Maneuver& maneuver = route.maneuvers[i];
        std::printf("%3zu %7.0f m  links %zu-%zu  %-12s %s\n", i + 1, maneuver.distanceFromStart,
                    maneuver.enterLink, maneuver.exitLink, TypeName(maneuver.type),
                    maneuver.instruction.c_str());
        for (const refhost::JunctionRoads& junction : maneuver.junctions)
        {
            std::printf("      junction %.6f, %.6f; other roads (* a car may leave on):",
                        junction.location.lat, junction.location.lon);
            for (size_t k = 0; k < junction.otherBearings.size(); ++k)
                std::printf(" %.0f%s", junction.otherBearings[k],
                            k < junction.otherMayLeave.size() && junction.otherMayLeave[k] ? "*"
                                                                                           : "");
            std::printf("\n");
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string extract;
    std::string record;
    std::vector<tagLonLat> points;
    refhost::routing::RoutingOptions options;
    for (size_t i = 0; i < args.size(); ++i)
    {
        tagLonLat point{};
        if (args[i] == "--help")
        {
            static_cast<void>(std::fputs(kUsage, stdout));
            return 0;
        }
        if (args[i] == "--record" && i + 1 < args.size())
            record = args[++i];
        else if (args[i] == "--no-junction-roads")
            options.junctionRoads = false;
        else if (extract.empty() && args[i].rfind("--", 0) != 0)
            extract = args[i];
        else if (ParsePoint(args[i].c_str(), point))
            points.push_back(point);
        else
        {
            static_cast<void>(std::fprintf(stderr, "advicepath-route-probe: bad argument '%s'\n%s",
                                           args[i].c_str(), kUsage));
            return 2;
        }
    }
    if (extract.empty() || points.size() < 2)
    {
        static_cast<void>(std::fputs(kUsage, stderr));
        return 2;
    }
    const refhost::routing::RoutingResult result =
        refhost::routing::ComputeRoute(extract, points, options);
    if (!result.ok)
    {
        static_cast<void>(std::fprintf(stderr, "%s\n", result.error.c_str()));
        return 3;
    }
    Print(result.route);
    if (!record.empty() && (!WriteText(record + "/quickest-all.txt", result.output.textAll) ||
                            !WriteText(record + "/quickest.html", result.output.html)))
    {
        static_cast<void>(std::fprintf(stderr, "%s: cannot write the outputs: %s\n", record.c_str(),
                                       std::strerror(errno)));
        return 4;
    }
    return 0;
}
