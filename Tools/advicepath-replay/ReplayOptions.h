// The command line of advicepath-replay.
#ifndef TOOLS_ADVICEPATH_REPLAY_REPLAYOPTIONS_H
#define TOOLS_ADVICEPATH_REPLAY_REPLAYOPTIONS_H

#include "AdvicePathRenderEx.h"
#include "CommonOptions.h"
#include "RouteSource.h"

#include <optional>
#include <string>
#include <vector>

namespace tools
{

// One end of the part of the route to replay: a distance along the route in
// metres, or a manoeuvre (1-based).
struct RoutePoint
{
    bool isManeuver = false;
    double metres = 0.0;
    int maneuver = 0;
};

// The logging and picture options are the ones every tool takes alike.
struct ReplayOptions : LogOptions, PictureOptions
{
    ReplayOptions() : PictureOptions(640, 480) {}
    RouteSource source; // the route file, or --map with --between
    std::string outputDir;
    bool measure = false;
    std::string jsonFile;          // --measure --json
    double speedKmh = 50.0;        // links without times
    double framesPerSecond = 10.0; // of animation
    double speedUp = 8.0;          // while a manoeuvre is announced
    double maxSeconds = 60.0;      // of animation
    double maxMegabytes = 10.0;    // of drive.webp
    double announceMetres = 200.0;
    double announceSeconds = 15.0;
    bool northUp = false;
    std::vector<int> pngFrames; // frames also written as frame-NNNN.png
    std::optional<RoutePoint> from;
    std::optional<RoutePoint> to;
};

// Parses the command line. Returns an exit code to stop with (help, version,
// or a usage error, whose one-line message it has printed), or nothing to go
// on.
std::optional<int> ParseReplayCommandLine(int argc, char** argv, ReplayOptions& options);

// "1500m", "12.5km" (a distance) or "3" (manoeuvre 3); false for anything else.
bool ParseRoutePoint(const std::string& text, RoutePoint& point);

} // namespace tools

#endif
