// What a picture or a page says about a manoeuvre: the route file's own words
// where it has them, the generated text where it has none, and the device's
// banner where the file gives one.
#ifndef REFHOST_ROUTE_MANEUVERCAPTION_H
#define REFHOST_ROUTE_MANEUVERCAPTION_H

#include "Route/RouteDescription.h"

#include <string>

namespace refhost
{

struct ManeuverCaption
{
    // The manoeuvre's fileInstruction, else its generated instruction; never
    // empty ("Manoeuvre" when the manoeuvre has neither).
    std::string instruction;
    bool fromFile = false; // whether `instruction` is the file's
    // The banner: the primary line large, the secondary below it; both empty
    // when the file has no banner for the manoeuvre.
    std::string bannerPrimary;
    std::string bannerSecondary;
    // "Taylor Street → Page Street", one name when both are the same or one
    // is missing, empty when both are.
    std::string roads;
    // "Continue on Main Street for 2.3 km" after the manoeuvre; empty when
    // the next one follows soon.
    std::string continuation;
};

ManeuverCaption CaptionFor(const Maneuver& maneuver);

} // namespace refhost

#endif
