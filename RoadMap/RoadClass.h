// What a road map tells roads apart by: the class of a road (its highway tag),
// whether it is a link ramp, and its one-way direction.
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

// Which way traffic may go along the way's points.
enum class Oneway : uint8_t
{
    Both,
    Forward,  // from the first point to the last
    Backward, // from the last point to the first
};

// The class of the highway tag's value: "motorway" ... "tertiary" and their
// "_link" ramps (isLink true), "unclassified", "residential",
// "living_street", "service". False, arguments unchanged, for any other value
// (paths, tracks, footways, roads under construction, ...): not a road for
// cars.
bool ClassOfHighway(std::string_view value, RoadClass& roadClass, bool& isLink);

// The direction of a way from its oneway tag (empty when it has none) and
// whether it is a roundabout: "yes", "true", "1" forward, "-1", "reverse"
// backward, "no", "false", "0" both ways; without a usable tag a roundabout or
// a motorway (not its links) is one-way forward, as mappers leave it implied.
Oneway OnewayOf(std::string_view onewayTag, RoadClass roadClass, bool isLink, bool isRoundabout);

} // namespace roadmap

#endif
