// Road names as Routino writes them: "Name (Ref)", "Name", "Ref", or, for a
// road with neither, a word for its type ("primary road"), which is no name.
#ifndef ADVICEPATH_ROUTING_ROADNAMING_H
#define ADVICEPATH_ROUTING_ROADNAMING_H

#include <string>

namespace refhost::routing
{

struct RoadNaming
{
    std::string name; // "" for an unnamed road
    std::string ref;  // from "Name (Ref)"; a road written with one word only has it in `name`
};

// Routino's English word for an unnamed road's type ("motorway", "trunk
// road", "primary road", ..., "ferry"): the highway type ("motorway",
// "trunk", "primary", ...), else "".
std::string TypeOfUnnamed(const std::string& highway);

RoadNaming NamingOf(const std::string& highway);

// What the captions call the road: its name, else its reference, else "".
std::string CaptionName(const RoadNaming& naming);

// Whether a road of this highway type (Routino's, where a ramp counts as its
// road: "motorway", "trunk") is one that ramps lead to and from.
bool IsFreewayType(const std::string& highwayType);

} // namespace refhost::routing

#endif
