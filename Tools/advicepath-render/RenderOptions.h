// The command line of advicepath-render.
#ifndef TOOLS_ADVICEPATH_RENDER_RENDEROPTIONS_H
#define TOOLS_ADVICEPATH_RENDER_RENDEROPTIONS_H

#include "AdvicePathRenderEx.h"
#include "RouteSource.h"

#include <optional>
#include <string>

namespace tools
{

struct Options
{
    RouteSource source; // the route file, or --map with --between
    std::string outputDir;
    std::optional<int> maneuver; // 1-based; all when empty
    std::string format = "png";  // png, svg or pdf
    int width = 800;
    int height = 600;
    std::string sizesFile;
    AdvicePathClrSetting colours;
    bool odLine = true;
    std::string logLevel = "fatal";
    std::string logConfig;
    bool quiet = false;
};

// Parses the command line. Returns an exit code to stop with (help, version,
// or a usage error, whose one-line message it has printed), or nothing to go
// on.
std::optional<int> ParseCommandLine(int argc, char** argv, Options& options);

} // namespace tools

#endif
