#include "TurnHandover.h"

#include <algorithm>

namespace tools
{

refhost::PathView TurnHandover(const refhost::RouteModel& model, const SizeTable& sizes,
                               std::size_t maneuver)
{
    const AdvicePathSizeSetting& farthest = sizes.levels[static_cast<std::size_t>(
        std::clamp<int>(sizes.maxTurnLevel, 0, static_cast<int>(sizes.levels.size()) - 1))];
    const double lengthBefore = std::max(refhost::RouteModel::kDefaultLengthBefore,
                                         2.0 * static_cast<double>(farthest.m_FromLength));
    return model.ViewForManeuver(maneuver, lengthBefore);
}

} // namespace tools
