// What a road map tells roads apart by: the class of a road (its highway tag)
// and whether it is a link ramp. Its direction is OnewayRule.h's.
#ifndef ROADMAP_ROADCLASS_H
#define ROADMAP_ROADCLASS_H

#include <cstdint>
#include <string_view>

namespace roadmap
{

// Road classes, most important first: a map draws the lower classes first
// so that the higher ones lie on top of them.
enum class RoadClass : uint8_t
{
    Motorway,
    Trunk,
    Primary,
    Secondary,
    Tertiary,
    Unclassified,
    Residential,
    LivingStreet,
    Service,
};
constexpr int kRoadClassCount = 9;

// The class of the highway tag's value: "motorway" ... "tertiary" and their
// "_link" ramps (isLink true), "unclassified", "residential",
// "living_street", "service". False, arguments unchanged, for any other value
// (paths, tracks, footways, roads under construction, ...): not a road for
// cars.
bool ClassOfHighway(std::string_view value, RoadClass& roadClass, bool& isLink);

} // namespace roadmap

#endif
