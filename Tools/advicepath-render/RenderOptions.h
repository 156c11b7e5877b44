// The command line of advicepath-render.
#ifndef TOOLS_ADVICEPATH_RENDER_RENDEROPTIONS_H
#define TOOLS_ADVICEPATH_RENDER_RENDEROPTIONS_H

#include "AdvicePathRenderEx.h"
#include "CommonOptions.h"
#include "RouteSource.h"

#include <optional>
#include <string>

namespace tools
{

// The logging and picture options are the ones every tool takes alike.
struct Options : LogOptions, PictureOptions
{
    Options() : PictureOptions(800, 600) {}
    RouteSource source; // the route file, or --map with --between
    std::string outputDir;
    std::optional<int> maneuver; // 1-based; all when empty
    std::string format = "png";  // png, svg or pdf
    bool odLine = true;
};

// Parses the command line. Returns an exit code to stop with (help, version,
// or a usage error, whose one-line message it has printed), or nothing to go
// on.
std::optional<int> ParseCommandLine(int argc, char** argv, Options& options);

} // namespace tools

#endif
