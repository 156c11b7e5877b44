// The public entry points: reading the input, telling the format, and turning
// every failure into a message.
#include "RouteFiles.h"

#include "DirectionsReader.h"
#include "GeoJsonReader.h"
#include "GpxReader.h"
#include "GuidanceRules.h"
#include "JsonInput.h"
#include "RouteCredit.h"
#include "RouteFileError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

namespace refhost
{

namespace
{

using routefiles::Fail;
using routefiles::Json;

// The first byte that is not blank or a UTF-8 byte-order mark, or 0.
char FirstSignificant(std::string_view text)
{
    size_t at = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        at = 3;
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n'))
        ++at;
    return at < text.size() ? text[at] : '\0';
}

RouteFormat JsonKind(const Json& root)
{
    if (!root.is_object())
        Fail("expected a JSON object at the top level, found " + routefiles::Describe(root));
    if (root.contains("routes") || root.contains("waypoints") || root.contains("code"))
        return RouteFormat::DirectionsJson;
    if (root.contains("type"))
        return RouteFormat::GeoJson;
    Fail(R"(neither a directions response (no "routes") nor GeoJSON (no "type"))");
}

RouteReadResult Parse(std::string_view text, RouteFormat format, const RouteReadOptions& options)
{
    if (text.size() > options.maxInputBytes)
        Fail("input of " + std::to_string(text.size()) + " bytes is over the limit of " +
             std::to_string(options.maxInputBytes));
    const char first = FirstSignificant(text);
    if (first == '\0')
        Fail("empty input");
    if (format == RouteFormat::Auto && first == '<')
        format = RouteFormat::Gpx;

    RouteReadResult result;
    if (format == RouteFormat::Gpx)
    {
        result.route = routefiles::ReadGpx(text, options);
    }
    else
    {
        Json root = routefiles::ParseJson(text, options.maxJsonValues);
        if (format == RouteFormat::Auto)
            format = JsonKind(root);
        if (format == RouteFormat::DirectionsJson)
        {
            result.route = routefiles::ReadDirections(root, options, result.polylinePrecision);
            result.route.credit = DirectionsCredit(root.is_object() && root.contains("uuid"));
        }
        else
            result.route = routefiles::ReadGeoJson(root, options);
    }
    if (options.guidanceRules)
        ApplyGuidanceRules(result.route);
    result.format = format;
    result.ok = true;
    return result;
}

RouteReadResult Failure(const std::string& source, const std::string& position,
                        const std::string& message)
{
    RouteReadResult result;
    result.error = source + (position.empty() ? std::string() : ":" + position) + ": " + message;
    return result;
}

// Runs `read`, turning anything it throws into a failed result.
template <typename Read> RouteReadResult Guarded(const std::string& source, Read&& read) noexcept
{
    try
    {
        try
        {
            return read();
        }
        catch (const routefiles::RouteFileError& error)
        {
            return Failure(source, error.Position(), error.what());
        }
        catch (const std::bad_alloc&)
        {
            return Failure(source, std::string(), "out of memory");
        }
        catch (const std::exception& error)
        {
            return Failure(source, std::string(), std::string("unexpected error: ") + error.what());
        }
        catch (...)
        {
            return Failure(source, std::string(), "unexpected error");
        }
    }
    catch (...)
    {
        // Building the message itself failed (memory): a bare failure.
        return {};
    }
}

} // namespace

RouteReadResult ParseRoute(std::string_view text, RouteFormat formatHint,
                           const RouteReadOptions& options, const std::string& sourceName) noexcept
{
    return Guarded(sourceName,
                   [&]()
                   {
                       RouteReadResult result = Parse(text, formatHint, options);
                       result.route.source = sourceName;
                       return result;
                   });
}

RouteReadResult ReadRouteFile(const std::string& path, const RouteReadOptions& options,
                              RouteFormat formatHint) noexcept
{
    return Guarded(path,
                   [&]()
                   {
                       namespace fs = std::filesystem;
                       std::error_code error;
                       const fs::file_status status = fs::status(path, error);
                       if (error || !fs::exists(status))
                           Fail("cannot open: " +
                                (error ? error.message() : std::string("no such file")));
                       if (fs::is_directory(status))
                           Fail("cannot read: it is a directory");
                       std::ifstream in(path, std::ios::binary);
                       if (!in)
                           Fail(std::string("cannot open: ") + std::strerror(errno));
                       // Read in pieces up to the limit, so that a special file of no stated
                       // size is bounded too.
                       std::string text;
                       char buffer[1 << 16];
                       while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
                       {
                           text.append(buffer, static_cast<size_t>(in.gcount()));
                           if (text.size() > options.maxInputBytes)
                               Fail("file larger than the limit of " +
                                    std::to_string(options.maxInputBytes) + " bytes");
                       }
                       if (in.bad())
                           Fail("read error");
                       RouteReadResult result = Parse(text, formatHint, options);
                       result.route.source = path;
                       return result;
                   });
}

} // namespace refhost
