// The attribution a route's data asks for on every picture drawn from it,
// and how a route's credit and the map's combine.
//
//   - a directions response: "© OpenStreetMap contributors" (the routers of
//     the format route over OpenStreetMap data), with "© Mapbox" before it
//     when the response is one of Mapbox's directions service (its request
//     id, "uuid", is there);
//   - a GPX file: "© AUTHOR" from its metadata's <copyright author="...">;
//   - a route computed over an OpenStreetMap extract: "© OpenStreetMap
//     contributors";
//   - anything else (a GeoJSON track): no credit of its own.
#ifndef ROUTEFILES_ROUTECREDIT_H
#define ROUTEFILES_ROUTECREDIT_H

#include <string>

namespace refhost
{

constexpr const char* kOpenStreetMapCredit = "\xC2\xA9 OpenStreetMap contributors";
constexpr const char* kMapboxCredit = "\xC2\xA9 Mapbox \xC2\xA9 OpenStreetMap contributors";

// The credit of a directions response, `mapbox` when it is one of Mapbox's.
std::string DirectionsCredit(bool mapbox);

// "© AUTHOR" for a GPX copyright author (trimmed; one that starts with "©"
// kept as it is); empty for an empty author.
std::string GpxCredit(const std::string& author);

// Both credits in one line, each "©" part once, `first`'s parts first:
// "© Mapbox © OpenStreetMap contributors" and "© OpenStreetMap contributors"
// give the first. Either may be empty.
std::string CombineCredits(const std::string& first, const std::string& second);

} // namespace refhost

#endif
