// Reads one extract in a process of its own and reports the time it took and
// the process's peak memory (the figures of reading, for the road map's
// memory goal), as one line of JSON:
//
//   ap_bench_roadmap_read EXTRACT [WEST SOUTH EAST NORTH]
//
// Without a box it reads the whole extract. The peak resident set size
// (getrusage) covers the whole process; "baselineKiB" is the peak before
// reading, so the reading's own share is the difference.
#include "RoadMap/ExtractReader.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

long PeakKiB()
{
    struct rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 6)
    {
        (void)std::fprintf(stderr, "usage: %s EXTRACT [WEST SOUTH EAST NORTH]\n", argv[0]);
        return 2;
    }
    roadmap::LonLatBox box = roadmap::LonLatBox::World();
    if (argc == 6)
        box = {std::strtod(argv[2], nullptr), std::strtod(argv[3], nullptr),
               std::strtod(argv[4], nullptr), std::strtod(argv[5], nullptr)};
    const long baseline = PeakKiB();
    const auto start = std::chrono::steady_clock::now();
    roadmap::RoadMap map;
    std::string error;
    if (!roadmap::ReadRoadMap(argv[1], box, map, error))
    {
        (void)std::fprintf(stderr, "%s\n", error.c_str());
        return 3;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("{\"extract\": \"%s\", \"ms\": %.1f, \"peakKiB\": %ld, \"baselineKiB\": %ld, "
                "\"roads\": %zu, \"buildings\": %zu, \"points\": %zu}\n",
                argv[1], ms, PeakKiB(), baseline, map.Roads().size(), map.Buildings().size(),
                map.PointCount());
    return 0;
}
