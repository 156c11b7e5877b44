// Pieces that every reader needs to turn points into a RouteDescription:
// point checks, duplicate dropping, lengths and the distances of the
// manoeuvres (turn angles: Geodesy/Angles.h).
#ifndef ROUTEFILES_ROUTEASSEMBLY_H
#define ROUTEFILES_ROUTEASSEMBLY_H

#include "Route/RouteDescription.h"
#include "Route/RouteValidation.h"

#include <cstddef>
#include <string>
#include <vector>

namespace refhost::routefiles
{

// Throws "<what>: latitude 95 out of range (-90, 90)" (or "not a finite
// number") unless `point` is a valid position (IsValidPosition).
void CheckPoint(const tagLonLat& point, const std::string& what);

// Appends `point` unless it equals the last point exactly.
void AppendDistinct(std::vector<tagLonLat>& points, const tagLonLat& point);

// Geodesic length in metres (the reference geodesy).
double Metres(const tagLonLat& from, const tagLonLat& to);
double PolylineMetres(const std::vector<tagLonLat>& points);

// A quick length in metres on a local flat approximation, good to a fraction
// of a percent over a few kilometres: for nearness tests, not for results.
double ApproxMetres(const tagLonLat& from, const tagLonLat& to);

// Metres along the route to the start of each link, plus the total as the
// last element (links.size() + 1 values).
std::vector<double> LinkStartDistances(const RouteDescription& route);

// Ends a line-built route at its last link: the arrival manoeuvre at `end`,
// `distanceFromStart` metres along, coming from the road `fromName`, and the
// one destination there. The route has at least one link.
void AddArrival(RouteDescription& route, const tagLonLat& end, double distanceFromStart,
                const std::string& fromName);

// Fills origin (first point) and each manoeuvre's distanceToNext from the
// distancesFromStart already set (the last one: 0).
void FinishRoute(RouteDescription& route);

// Throws unless `count` points are within `limit`.
void CheckPointLimit(size_t count, size_t limit);

} // namespace refhost::routefiles

#endif
