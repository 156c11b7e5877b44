// What every tool's command line has alike: the exit codes, the logging and
// route-reading options, parsing and reporting a bad command line.
#ifndef TOOLS_COMMON_COMMONOPTIONS_H
#define TOOLS_COMMON_COMMONOPTIONS_H

#include <optional>
#include <string>

namespace CLI
{
class App;
}

namespace tools
{

// Exit codes, also listed by --help.
enum ExitCode
{
    kExitOk = 0,
    kExitUsage = 2,  // a bad option or option value
    kExitInput = 3,  // the route file or the size table cannot be read or used
    kExitOutput = 4, // the pictures or the page cannot be written
};

// Writes "<tool>: <message> (see --help)" to standard error; returns
// kExitUsage.
int ReportUsageError(const char* tool, const std::string& message);

// Adds the options every tool takes alike: --log-level, --log-config,
// -q/--quiet, --polyline-precision and --turn-threshold.
void AddLogAndReadingOptions(CLI::App& app, std::string& logLevel, std::string& logConfig,
                             bool& quiet, int& polylinePrecision, double& turnThresholdDegrees);

// Parses the command line into `app`'s options: kExitOk after printing the
// help or the version, kExitUsage after reporting a bad command line as
// `tool`, nothing when the run goes on.
std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv, const char* tool);

// Applies --log-level and --log-config to the reference host's logging; on
// failure an exit code (kExitUsage for an unknown level, kExitInput for a
// configuration file that cannot be used) and the reason in `message`.
std::optional<int> ApplyLogOptions(const std::string& level, const std::string& config,
                                   std::string& message);

// "WxH" with 16 to 8192 pixels on each side into `width` and `height`; false,
// both unchanged, for anything else.
bool ParseImageSize(const std::string& text, int& width, int& height);

} // namespace tools

#endif
