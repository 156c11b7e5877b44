#include "CommonOptions.h"

#include "Logging/HostLogging.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdlib>
#include <iostream>

namespace tools
{

int ReportUsageError(const char* tool, const std::string& message)
{
    std::cerr << tool << ": " << message << " (see --help)\n";
    return kExitUsage;
}

void AddLogAndReadingOptions(CLI::App& app, std::string& logLevel, std::string& logConfig,
                             bool& quiet, int& polylinePrecision, double& turnThresholdDegrees)
{
    app.add_option("--log-level", logLevel,
                   "library log lines shown on standard error: off, fatal, error, warn, info, "
                   "debug, all")
        ->capture_default_str();
    app.add_option("--log-config", logConfig, "log4cpp properties file deciding where log lines go")
        ->check(CLI::ExistingFile);
    app.add_flag("-q,--quiet", quiet, "no progress and no summary");
    app.add_option("--polyline-precision", polylinePrecision,
                   "precision of encoded polylines: 5, 6, or 0 to detect")
        ->check(CLI::IsMember({0, 5, 6}))
        ->capture_default_str();
    app.add_option("--turn-threshold", turnThresholdDegrees,
                   "lines without instructions turn where the direction changes by more than "
                   "this many degrees")
        ->check(CLI::Range(0.0, 180.0))
        ->capture_default_str();
}

std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv, const char* tool)
{
    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::CallForHelp&)
    {
        std::cout << app.help();
        return kExitOk;
    }
    catch (const CLI::CallForVersion& e)
    {
        std::cout << e.what() << "\n";
        return kExitOk;
    }
    catch (const CLI::ParseError& e)
    {
        return ReportUsageError(tool, e.what());
    }
    return std::nullopt;
}

std::optional<int> ApplyLogOptions(const std::string& level, const std::string& config,
                                   std::string& message)
{
    if (auto threshold = refhost::logging::ParseLevel(level))
    {
        refhost::logging::SetThreshold(*threshold);
    }
    else
    {
        message = "--log-level: unknown level \"" + level +
                  "\" (off, fatal, error, warn, info, debug, all)";
        return kExitUsage;
    }
    if (!config.empty() && !refhost::logging::ConfigureFromFile(config, &message))
    {
        message = config + ": " + message;
        return kExitInput;
    }
    return std::nullopt;
}

namespace
{

// A whole number at `text` (blanks and a sign may come first), its end in
// `end`; false when there is none or it is past the range of long. Unlike
// sscanf's %d, a number past the range of int is not wrapped round.
bool ReadWholeNumber(const char* text, long& value, const char*& end)
{
    char* stop = nullptr;
    errno = 0;
    value = std::strtol(text, &stop, 10);
    end = stop;
    return stop != text && errno != ERANGE;
}

} // namespace

bool ParseImageSize(const std::string& text, int& width, int& height)
{
    long w = 0;
    long h = 0;
    const char* end = nullptr;
    if (!ReadWholeNumber(text.c_str(), w, end) || (*end != 'x' && *end != 'X') ||
        !ReadWholeNumber(end + 1, h, end) || *end != '\0')
        return false;
    if (w < 16 || h < 16 || w > 8192 || h > 8192)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

} // namespace tools
