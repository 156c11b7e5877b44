#include "OnewayRule.h"

namespace roadmap
{

bool IsRoundaboutJunction(std::string_view junction)
{
    return junction == "roundabout" || junction == "circular";
}

Oneway OnewayOf(std::string_view highway, std::string_view oneway, std::string_view junction)
{
    if (oneway == "yes" || oneway == "true" || oneway == "1")
        return Oneway::Forward;
    if (oneway == "-1" || oneway == "reverse")
        return Oneway::Backward;
    if (oneway == "no" || oneway == "false" || oneway == "0")
        return Oneway::Both;
    // Mappers leave the direction implied where OpenStreetMap's tagging
    // practice implies it: roundabouts (circular junctions too) and
    // motorways with their link ramps are one-way along the way unless a
    // oneway tag says otherwise, so oneway=no makes even a roundabout
    // two-way. The routing engine's installed tagging rules decide the same
    // (motorway_link read as motorway, which outputs oneway=yes; a roundabout
    // outputs oneway=yes; a way's own oneway tag is output after both), so
    // the router's database, the road map and the survey's graph agree.
    if (IsRoundaboutJunction(junction) || highway == "motorway" || highway == "motorway_link")
        return Oneway::Forward;
    return Oneway::Both;
}

bool MayDrive(Oneway oneway, bool alongPoints)
{
    return oneway == Oneway::Both || (oneway == Oneway::Forward) == alongPoints;
}

bool IsRoundaboutRing(std::string_view junction, Oneway oneway, bool closed)
{
    if (IsRoundaboutJunction(junction))
        return true;
    return junction.empty() && closed && oneway != Oneway::Both;
}

} // namespace roadmap
