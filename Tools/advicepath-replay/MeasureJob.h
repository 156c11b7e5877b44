// advicepath-replay --measure: what the library's calls cost per frame over a
// whole drive.
#ifndef TOOLS_ADVICEPATH_REPLAY_MEASUREJOB_H
#define TOOLS_ADVICEPATH_REPLAY_MEASUREJOB_H

#include "ReplayOptions.h"

namespace tools
{

// Drives the route (or the part --from/--to give) at 30 frames per second of
// driving time on a map view that only counts, prints the figures and, with
// --json, writes them. Returns the process exit code.
int RunMeasureJob(const ReplayOptions& options);

} // namespace tools

#endif
