// Turn types and the English wording of manoeuvres.
#ifndef ROUTEFILES_TURNTEXT_H
#define ROUTEFILES_TURNTEXT_H

#include "RouteLibrary.h"

#include <string>
#include <string_view>

namespace refhost::routefiles
{

// The turn type of a v5 modifier ("uturn", "sharp right", "right", "slight
// right", "straight", "slight left", "left", "sharp left"); NAV_TURN_NONE for
// anything else.
NAV_TURN_TYPE_tag TurnTypeFromModifier(std::string_view modifier);

// "Turn left", "Bear right", "Make a sharp left", "Make a U-turn", "Go
// straight"; "Continue" for the types without a direction.
std::string TurnPhrase(NAV_TURN_TYPE_tag type);

// "left", "right" or "" from a modifier, for "Merge left", "Keep right".
std::string SideOf(std::string_view modifier);

// 1 -> "1st", 2 -> "2nd", 11 -> "11th", 23 -> "23rd".
std::string Ordinal(long long number);

// " onto <name>", or nothing for an unnamed road.
std::string Onto(const std::string& name);

// The text with its first letter in lower case ("Turn left" -> "turn left").
std::string LowerFirst(std::string text);

} // namespace refhost::routefiles

#endif
