#include "CommonOptions.h"

#include "Colours.h"
#include "Logging/HostLogging.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdlib>
#include <iostream>

namespace tools
{

void DescribeTool(CLI::App& app, const std::string& footer, const ExitCodeMeanings& exitCodes)
{
    app.footer("\n" + (footer.empty() ? std::string() : footer + "\n\n") + ExitCodeHelp(exitCodes));
    app.set_version_flag("--version", app.get_name() + " " + ADVICEPATH_VERSION);
}

void AddLogOptions(CLI::App& app, LogOptions& options)
{
    CLI::Option_group* group = app.add_option_group("Logging", "");
    group
        ->add_option("--log-level", options.logLevel,
                     "library log lines shown on standard error: off, fatal, error, warn, info, "
                     "debug, all")
        ->capture_default_str();
    group
        ->add_option("--log-config", options.logConfig,
                     "log4cpp properties file deciding where log lines go")
        ->check(CLI::ExistingFile);
    group->add_flag("-q,--quiet", options.quiet, "no progress and no summary");
}

std::optional<int> ApplyLogOptions(const LogOptions& options)
{
    if (auto threshold = refhost::logging::ParseLevel(options.logLevel))
        refhost::logging::SetThreshold(*threshold);
    else
        return ReportUsageError("--log-level: unknown level \"" + options.logLevel +
                                "\" (off, fatal, error, warn, info, debug, all)");
    std::string message;
    if (!options.logConfig.empty() &&
        !refhost::logging::ConfigureFromFile(options.logConfig, &message))
        return Fail(kExitInput, options.logConfig + ": " + message);
    return std::nullopt;
}

void AddReadingOptions(CLI::App& app, int& polylinePrecision, double& turnThresholdDegrees)
{
    CLI::Option_group* group = app.add_option_group("Reading route files", "");
    group
        ->add_option("--polyline-precision", polylinePrecision,
                     "precision of encoded polylines: 5, 6, or 0 to detect")
        ->check(CLI::IsMember({0, 5, 6}))
        ->capture_default_str();
    group
        ->add_option("--turn-threshold", turnThresholdDegrees,
                     "lines without instructions turn where the direction changes by more than "
                     "this many degrees")
        ->check(CLI::Range(0.0, 180.0))
        ->capture_default_str();
}

void AddPictureOptions(CLI::App& app, PictureOptions& options, const std::string& what)
{
    options.sizeText = std::to_string(options.width) + "x" + std::to_string(options.height);
    CLI::Option_group* group = app.add_option_group("Pictures", "");
    group->add_option("--size", options.sizeText, what + " size in pixels, WxH")
        ->capture_default_str();
    group->add_option("--sizes", options.sizesFile,
                      "size table (JSON) instead of the built-in one");
    group->add_option("--colors", options.coloursText,
                      "four colours: route fill, route border, band fill, band border");
}

std::optional<std::string> FinishPictureOptions(PictureOptions& options)
{
    if (!ParseImageSize(options.sizeText, options.width, options.height))
        return "--size: expected WxH with 16 to 8192 pixels each, got \"" + options.sizeText + "\"";
    std::string error;
    if (!ColoursOption(options.coloursText, options.colours, error))
        return error;
    return std::nullopt;
}

CLI::Option* AddOutputFolderOption(CLI::App& app, std::string& folder, const std::string& contents,
                                   const std::string& ownFiles)
{
    return app.add_option("-o,--output", folder,
                          "folder for " + contents +
                              " (created if missing). What an earlier run "
                              "left there (" +
                              ownFiles +
                              ") and this one does not write again is "
                              "removed at the end of a good run; no other file is touched");
}

void AddDrawingOptions(CLI::App& app, RouteSource& source, PictureOptions& pictures,
                       LogOptions& log, const std::string& what)
{
    AddPictureOptions(app, pictures, what);
    AddLogOptions(app, log);
    AddReadingOptions(app, source.polylinePrecision, source.turnThresholdDegrees);
}

std::optional<int> ParseDrawingArguments(CLI::App& app, int argc, char** argv, RouteSource& source,
                                         PictureOptions& pictures)
{
    if (auto code = ParseArguments(app, argc, argv))
        return code;
    if (auto problem = FinishRouteSource(source))
        return ReportUsageError(*problem);
    if (auto problem = FinishPictureOptions(pictures))
        return ReportUsageError(*problem);
    return std::nullopt;
}

std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv)
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
        return ReportUsageError(e.what());
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
