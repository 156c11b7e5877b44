// GeoJSON lines and point tracks as routes.
#ifndef ROUTEFILES_GEOJSONREADER_H
#define ROUTEFILES_GEOJSONREADER_H

#include "JsonInput.h"
#include "ReadOptions.h"

namespace refhost::routefiles
{

// Reads a GeoJSON object (geometry, Feature or FeatureCollection) into a track
// route; see RouteFiles.h for what is taken. Throws RouteFileError.
RouteDescription ReadGeoJson(const Json& root, const RouteReadOptions& options);

} // namespace refhost::routefiles

#endif
