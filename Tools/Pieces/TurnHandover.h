// The part of the route a turn is handed over with: the remaining route as a
// device hands it to the library for the next manoeuvre. The renderer's
// pictures and the browser page's still turn both take it from here.
#ifndef TOOLS_PIECES_TURNHANDOVER_H
#define TOOLS_PIECES_TURNHANDOVER_H

#include "SizeTable.h"

#include "Route/RouteModel.h"

#include <cstddef>

namespace tools
{

// The remaining route from shortly before this visit of manoeuvre
// `maneuver`'s junction: at least twice the entering length (fromLength) of
// the coarsest level the turn is drawn at (sizes.maxTurnLevel), and never
// less than RouteModel::kDefaultLengthBefore, so that the entering road is
// whole at every level. Hand it to SetTurnInfo with TurnInfoFor(maneuver);
// it must outlive the library's use of it.
refhost::PathView TurnHandover(const refhost::RouteModel& model, const SizeTable& sizes,
                               std::size_t maneuver);

} // namespace tools

#endif
