#include "TurnWindow.h"

#include <cmath>

namespace refhost::routefiles
{

double TurnWindowMetres(const RouteReadOptions& options)
{
    return std::isfinite(options.turnWindowMetres) && options.turnWindowMetres > 0.0
               ? options.turnWindowMetres
               : 0.0;
}

} // namespace refhost::routefiles
