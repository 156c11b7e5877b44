// JSON for the readers: parsing under limits with line:column errors, and
// checked access that names the offending value by its path
// ("routes[0].legs[1].steps[3].geometry").
#ifndef ROUTEFILES_JSONINPUT_H
#define ROUTEFILES_JSONINPUT_H

#include "LonLat.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace refhost::routefiles
{

using Json = nlohmann::json;

// Parses `text` as one JSON document. Throws RouteFileError with the
// line:column of the fault for invalid JSON (including numbers beyond the
// double range and truncated input), more than `maxValues` values or nesting
// deeper than 512.
Json ParseJson(std::string_view text, size_t maxValues);

// Paths for messages: Member("a", "b") is "a.b" (just "b" from an empty path),
// Element("a", 3) is "a[3]".
std::string Member(const std::string& path, const char* key);
std::string Element(const std::string& path, size_t index);

// "a string", "an array", ... for messages.
std::string Describe(const Json& value);

// The member `key` of `object`, or null when `object` is no object or lacks it.
const Json* Find(const Json& object, const char* key);

// The member `key`, which must exist (and be an array or object where asked);
// throws "<path>.<key>: missing" or "...: expected an array, found a string".
const Json& Require(const Json& object, const std::string& path, const char* key);
const Json& RequireArray(const Json& object, const std::string& path, const char* key);

// Optional members: absent or null gives the fallback, a value of another
// type is an error.
std::string OptionalString(const Json& object, const std::string& path, const char* key);
double OptionalNumber(const Json& object, const std::string& path, const char* key,
                      double fallback);
long long OptionalInteger(const Json& object, const std::string& path, const char* key,
                          long long fallback);

// A position [longitude, latitude, ...] in degrees, a valid point (strictly
// inside -180..180, -90..90). `path` is computed only on failure.
tagLonLat ReadPosition(const Json& value, const std::string& arrayPath, size_t index);
tagLonLat ReadPosition(const Json& value, const std::string& path);

} // namespace refhost::routefiles

#endif
