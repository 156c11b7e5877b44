// The library's side of the comparison with turf.js: the entering and leaving
// stretches of every manoeuvre of the turn routes cut by GenerateCrossEdges and
// GenerateArrowHead, timed per route, with the cut points.
//
//   ap_bench_turn_cuts [--lines FILE] [--repetitions N] [--geodesy fast|exact|planar]
//
// Prints one JSON document on standard output: per route the median time per
// manoeuvre over N repetitions (each repetition cuts every manoeuvre of the
// route about kCutsPerRepetition times in all) and per manoeuvre the cut points: the
// start of the entering stretch, the arrow's tip (the end of the leaving
// stretch) and the middle of the arrow's base. With --lines it also writes the
// polylines the cuts work on, for the turf.js side (turf/cut-turns.mjs): the
// entering guides joined in path order, and the guides after the leaving guide
// one by one, enough of them to reach well past the leaving stretch.
#include "BenchHost.h"
#include "Render/CrossPathEdges.h"
#include "RouteJunctions.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace
{

// Each repetition cuts every manoeuvre of a route this many times over, so
// that a repetition takes some milliseconds whatever the route's size.
constexpr int kCutsPerRepetition = 2000;
// Guides after the leaving guide handed to turf: until this much more than the
// leaving stretch is covered (so that the rule for the last piece can be
// applied there too), or the path ends.
constexpr double kLeavingMarginMetres = 300.0;

struct Options
{
    std::string linesFile;
    int repetitions = 15;
    bench::GeodesyModel model = bench::GeodesyModel::Fast;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--lines" && i + 1 < argc)
            options.linesFile = argv[++i];
        else if (arg == "--repetitions" && i + 1 < argc)
            options.repetitions =
                static_cast<int>(std::clamp(std::strtol(argv[++i], nullptr, 10), 1L, 1000000L));
        else if (arg == "--geodesy" && i + 1 < argc)
        {
            const std::string name = argv[++i];
            if (name == "fast")
                options.model = bench::GeodesyModel::Fast;
            else if (name == "exact")
                options.model = bench::GeodesyModel::Exact;
            else if (name == "planar")
                options.model = bench::GeodesyModel::Planar;
            else
                return false;
        }
        else
            return false;
    }
    return true;
}

nlohmann::json Point(const tagLonLat& p)
{
    return nlohmann::json::array({p.lon, p.lat});
}

// Appends `count` points to `line`, leaving out a first point equal to the
// line's last one (consecutive guides share their joining point).
void AppendPoints(nlohmann::json& line, const tagLonLat* points, int count)
{
    for (int k = 0; k < count; ++k)
    {
        if (k == 0 && !line.empty() && line.back()[0] == points[0].lon &&
            line.back()[1] == points[0].lat)
            continue;
        line.push_back(Point(points[k]));
    }
}

// The entering guides in path order, joined: what the entering stretch is cut
// from.
nlohmann::json EnteringLine(const CCrossPathEdges& builder)
{
    nlohmann::json line = nlohmann::json::array();
    for (int k = builder.m_FromEdges.Size() - 1; k >= 0; --k)
    {
        const CPathEdge* edge = builder.m_FromEdges.GetAt(k);
        AppendPoints(line, edge->mp_Points, edge->m_Count);
    }
    return line;
}

// The guides after the leaving guide, one polyline each, and whether the path
// ends with the last of them.
nlohmann::json LeavingGuides(const CCrossPathEdges& builder, CPath& path, double target,
                             bool& pathEnds)
{
    nlohmann::json guides = nlohmann::json::array();
    PathGuid guide = builder.m_ExitGuide;
    double total = 0.0;
    pathEnds = true;
    while (path.GetNextGuid(guide, guide) != 0)
    {
        nlohmann::json line = nlohmann::json::array();
        AppendPoints(line, guide.mp_FirstPoints, guide.m_FirstCount);
        guides.push_back(std::move(line));
        total += guide.m_GuideLength;
        if (total > target + kLeavingMarginMetres)
        {
            pathEnds = false;
            break;
        }
    }
    return guides;
}

// The lengths one cut works with, from the size record of the turn routes.
struct CutLengths
{
    double to = 0.0;
    double from = 0.0;
    double tolerance = 0.0;
    double arrowLength = 0.0;
    double arrowWidth = 0.0;
    double arrowExtension = 0.0;
};

using Builders = std::vector<std::unique_ptr<CCrossPathEdges>>;

// Cuts every manoeuvre once; the number of cuts that failed.
int CutAll(const Builders& builders, const CutLengths& lengths, tagLonLat (&arrow)[3])
{
    int failures = 0;
    for (const auto& builder : builders)
    {
        if (builder->GenerateCrossEdges(lengths.to, lengths.from, lengths.tolerance,
                                        lengths.arrowExtension) < 0 ||
            builder->GenerateArrowHead(arrow, 3, lengths.arrowLength, lengths.arrowWidth) < 0)
            ++failures;
    }
    return failures;
}

// The cut points of every manoeuvre, from one more cut of each.
nlohmann::json CutPoints(const Builders& builders, const std::vector<bench::Junction>& junctions,
                         const CutLengths& lengths)
{
    tagLonLat arrow[3];
    nlohmann::json cuts = nlohmann::json::array();
    for (size_t k = 0; k < builders.size(); ++k)
    {
        CCrossPathEdges& builder = *builders[k];
        nlohmann::json cut = {{"maneuver", junctions[k].maneuver}};
        const bool ok =
            builder.GenerateCrossEdges(lengths.to, lengths.from, lengths.tolerance,
                                       lengths.arrowExtension) == 0 &&
            builder.GenerateArrowHead(arrow, 3, lengths.arrowLength, lengths.arrowWidth) == 0;
        cut["ok"] = ok;
        if (ok)
        {
            const CPathEdge* first = builder.m_EdgeVec.GetAt(0);
            const CPathEdge* last = builder.m_EdgeVec.GetAt(builder.m_EdgeVec.Size() - 1);
            tagLonLat base = {0.5 * (arrow[1].lon + arrow[2].lon),
                              0.5 * (arrow[1].lat + arrow[2].lat)};
            cut["enterStart"] = Point(first->GetPoint(0));
            cut["tip"] = Point(arrow[0]);
            cut["base"] = Point(base);
            cut["arrowInside"] = !(last->m_isWhole && last->m_Length < lengths.arrowLength);
            cut["edges"] = builder.m_EdgeVec.Size();
        }
        cuts.push_back(std::move(cut));
    }
    return cuts;
}

// This process's CPU time (it runs one thread).
double CpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

int Run(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        (void)std::fprintf(stderr, "usage: ap_bench_turn_cuts [--lines FILE] [--repetitions N] "
                                   "[--geodesy fast|exact|planar]\n");
        return 2;
    }
    bench::RouteLogLinesToNullDevice();
    bench::SetLoggingOff();
    bench::SetGeodesyModel(options.model);

    AdvicePathSizeSetting size;
    bench::TurnSizeRecord(size);
    const double toLength = size.m_ToLength;
    const double fromLength = size.m_FromLength;
    const double tolerance = size.m_LengthTolerance;
    const double arrowLength = size.m_ArrowLength;
    const double arrowWidth = size.m_ArrowWidth;
    const double arrowExtension = arrowLength * kAdvicePathArrowRoom;
    const CutLengths lengths{toLength,    fromLength, tolerance,
                             arrowLength, arrowWidth, arrowExtension};

    nlohmann::json result = {{"side", "library"},
                             {"geodesy", bench::GeodesyModelName(options.model)},
                             {"fromLength", fromLength},
                             {"toLength", toLength},
                             {"tolerance", tolerance},
                             {"arrowLength", arrowLength},
                             {"arrowExtension", arrowExtension},
                             {"repetitions", options.repetitions},
                             {"cutsPerRepetition", kCutsPerRepetition},
                             {"routes", nlohmann::json::array()}};
    nlohmann::json lines = {
        {"fromLength", fromLength},         {"toLength", toLength},
        {"tolerance", tolerance},           {"arrowLength", arrowLength},
        {"arrowExtension", arrowExtension}, {"routes", nlohmann::json::array()}};

    for (const auto& route : bench::TurnRoutes())
    {
        const double lonScale =
            route->junctions.empty()
                ? 0.0
                : bench::PlanarLonScaleAt(
                      route->model->ManeuverAt(route->junctions.front().maneuver).location.lat);
        bench::SetPlanarLonScale(lonScale);

        Builders builders;
        nlohmann::json routeLines = nlohmann::json::array();
        for (bench::Junction& junction : route->junctions)
        {
            auto builder = std::make_unique<CCrossPathEdges>();
            builder->SetCrossInfo(&junction.path, junction.turn);
            bool pathEnds = true;
            nlohmann::json leaving =
                LeavingGuides(*builder, junction.path, toLength + arrowExtension, pathEnds);
            routeLines.push_back({{"maneuver", junction.maneuver},
                                  {"entering", EnteringLine(*builder)},
                                  {"leaving", std::move(leaving)},
                                  {"pathEnds", pathEnds}});
            builders.push_back(std::move(builder));
        }

        tagLonLat arrow[3];
        auto cutAll = [&]() { return CutAll(builders, lengths, arrow); };

        cutAll(); // warm caches and the direction tables
        const int passes = std::max<int>(
            1, kCutsPerRepetition / std::max<int>(1, static_cast<int>(builders.size())));
        std::vector<double> samples;
        int failures = 0;
        for (int r = 0; r < options.repetitions; ++r)
        {
            // CPU time, as turf's side takes it: on a shared machine the wall
            // time also counts the time other processes held the core.
            const double start = CpuNanoseconds();
            for (int pass = 0; pass < passes; ++pass)
                failures += cutAll();
            const double ns = CpuNanoseconds() - start;
            samples.push_back(ns / (passes * static_cast<double>(builders.size())));
        }
        volatile int sink = failures;
        (void)sink;

        // Segments the host's geodesy measures per manoeuvre, from one more
        // cut of every manoeuvre.
        const bench::GeodesyCounts before = bench::ReadGeodesyCounts();
        cutAll();
        const bench::GeodesyCounts after = bench::ReadGeodesyCounts();
        const double segmentsPerJunction =
            static_cast<double>((after.segmentCalls - before.segmentCalls) +
                                (after.lineSegments - before.lineSegments)) /
            static_cast<double>(std::max<size_t>(1, builders.size()));

        nlohmann::json cuts = CutPoints(builders, route->junctions, lengths);

        result["routes"].push_back({{"file", route->file},
                                    {"junctions", builders.size()},
                                    {"nsPerJunction", Median(samples)},
                                    {"segmentsPerJunction", segmentsPerJunction},
                                    {"samples", samples},
                                    {"cuts", std::move(cuts)}});
        lines["routes"].push_back({{"file", route->file}, {"junctions", std::move(routeLines)}});
    }

    if (!options.linesFile.empty())
    {
        std::ofstream out(options.linesFile);
        out << lines.dump() << '\n';
        if (!out)
        {
            (void)std::fprintf(stderr, "ap_bench_turn_cuts: cannot write %s\n",
                               options.linesFile.c_str());
            return 1;
        }
    }
    std::cout << result.dump(1) << '\n';
    return 0;
}

} // namespace

// A failure to allocate or to format the JSON ends the run with a message
// rather than an abort.
int main(int argc, char** argv)
{
    try
    {
        return Run(argc, argv);
    }
    catch (const std::exception& e)
    {
        (void)std::fprintf(stderr, "ap_bench_turn_cuts: %s\n", e.what());
        return 1;
    }
}
