// The options several tools take, each declared once here as a group of the
// command line (a CLI11 option group) that a tool mixes in: the logging, the
// reading of route files, the pictures (size, size table, colours) and the
// output folder; and parsing the command line, with the exit codes listed in
// every --help.
#ifndef TOOLS_COMMON_COMMONOPTIONS_H
#define TOOLS_COMMON_COMMONOPTIONS_H

#include "RouteSource.h"
#include "ToolFront.h"

#include "AdvicePathRenderEx.h"

#include <optional>
#include <string>

namespace CLI
{
class App;
class Option;
} // namespace CLI

namespace tools
{

// Sets up `app` as every tool's front: --version, and a footer of `footer`
// followed by the exit codes in the tool's words.
void DescribeTool(CLI::App& app, const std::string& footer, const ExitCodeMeanings& exitCodes);

// --log-level, --log-config and -q/--quiet.
struct LogOptions
{
    std::string logLevel = "fatal";
    std::string logConfig;
    bool quiet = false;
};
void AddLogOptions(CLI::App& app, LogOptions& options);

// Applies --log-level and --log-config to the reference host's logging; on
// failure an exit code (kExitUsage for an unknown level, kExitInput for a
// configuration file that cannot be used) with the reason written.
std::optional<int> ApplyLogOptions(const LogOptions& options);

// --polyline-precision and --turn-threshold: how route files are read.
void AddReadingOptions(CLI::App& app, int& polylinePrecision, double& turnThresholdDegrees);

// --size, --sizes and --colors: the pictures' size in pixels, the size table
// handed to the library and its colours.
struct PictureOptions
{
    PictureOptions(int defaultWidth, int defaultHeight) : width(defaultWidth), height(defaultHeight)
    {
    }
    int width;
    int height;
    std::string sizesFile; // empty: the built-in size table
    AdvicePathClrSetting colours{};
    std::string sizeText;    // --size as given
    std::string coloursText; // --colors as given
};
// `what` names a picture in the help ("picture", "frame").
void AddPictureOptions(CLI::App& app, PictureOptions& options, const std::string& what);
// After parsing: reads --size and --colors. A message for a usage error, or
// nothing.
std::optional<std::string> FinishPictureOptions(PictureOptions& options);

// -o/--output: the folder a run writes `contents` into, with the output
// folder rule (RemoveEarlierOutputs in OutputFiles.h) in its help: `ownFiles`
// names the tool's own files that an earlier run may have left ("turn-NNN.*").
CLI::Option* AddOutputFolderOption(CLI::App& app, std::string& folder, const std::string& contents,
                                   const std::string& ownFiles);

// The options of a tool that draws a route (render, replay) after its own:
// the pictures, the logging and the reading of route files.
void AddDrawingOptions(CLI::App& app, RouteSource& source, PictureOptions& pictures,
                       LogOptions& log, const std::string& what);

// ParseArguments, then FinishRouteSource and FinishPictureOptions: an exit
// code to stop with (help, version or a usage error already reported), or
// nothing to go on.
std::optional<int> ParseDrawingArguments(CLI::App& app, int argc, char** argv, RouteSource& source,
                                         PictureOptions& pictures);

// Parses the command line into `app`'s options: kExitOk after printing the
// help or the version, kExitUsage after reporting a bad command line,
// nothing when the run goes on.
std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv);

// "WxH" with 16 to 8192 pixels on each side into `width` and `height`; false,
// both unchanged, for anything else.
bool ParseImageSize(const std::string& text, int& width, int& height);

} // namespace tools

#endif
