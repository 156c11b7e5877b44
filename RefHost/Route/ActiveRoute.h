// The route the reference route library reports to the render library:
// GetRouteManager().GetPathManager() answers its origin and destinations.
#ifndef REFHOST_ROUTE_ACTIVEROUTE_H
#define REFHOST_ROUTE_ACTIVEROUTE_H

namespace refhost
{

class RouteModel;

// Makes `route` the active route, or drops it (null). The origin and
// destinations are copied, so the model need not outlive the call. Without an
// active route GetOrgPoint answers false and GetDestCount 0. May be called
// from any thread.
void SetActiveRoute(const RouteModel* route);

// True while a route is active.
bool HasActiveRoute();

} // namespace refhost

#endif
