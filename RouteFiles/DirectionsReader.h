// Driving-directions responses in the v5 JSON format as routes.
#ifndef ROUTEFILES_DIRECTIONSREADER_H
#define ROUTEFILES_DIRECTIONSREADER_H

#include "JsonInput.h"
#include "ReadOptions.h"

namespace refhost::routefiles
{

// Reads routes[0] of a response; see RouteFiles.h for the mapping. Throws
// RouteFileError. `precisionUsed` receives 5 or 6 when encoded polylines were
// decoded, else 0.
RouteDescription ReadDirections(const Json& root, const RouteReadOptions& options,
                                int& precisionUsed);

} // namespace refhost::routefiles

#endif
