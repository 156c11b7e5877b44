// Turn types and the English wording of manoeuvres.
#ifndef ROUTEFILES_TURNTEXT_H
#define ROUTEFILES_TURNTEXT_H

#include "RouteLibrary.h"

#include <cstddef>
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

// Manoeuvres of every route source, worded once. `side` is "left", "right" or
// "" (SideOf), `exitNumbers` the signposted numbers ("48A/48B") or "", and an
// empty `name` leaves out the " onto ..." part.

// "At the roundabout, take the 2nd exit onto Main Street"; without an exit
// number (`exit` below 1) "Enter the roundabout and exit onto Main Street".
// `circle` names the circle: "the roundabout", "the rotary", "Dupont Circle".
std::string RoundaboutPhrase(const std::string& circle, long long exit, const std::string& name);

// "Exit the roundabout onto Main Street"; with an exit number (`exit` 1 or
// more, counted from where the car is on the circle) as RoundaboutPhrase:
// "At the roundabout, take the 2nd exit onto Main Street".
std::string LeaveRoundaboutPhrase(const std::string& circle, long long exit,
                                  const std::string& name);

// "Take the ramp on the right onto I 80".
std::string OnRampPhrase(const std::string& side, const std::string& name);

// "Take exit 48A on the right onto US 101", "Take the exit on the left".
std::string OffRampPhrase(const std::string& exitNumbers, const std::string& side,
                          const std::string& name);

// "Keep left at the fork (exit 48) onto I 80", "Keep straight at the fork".
std::string ForkPhrase(const std::string& side, const std::string& exitNumbers,
                       const std::string& name);

// "At waypoint 2, turn right onto Main Street" ("continue" going straight).
std::string WaypointInstruction(size_t waypointNumber, NAV_TURN_TYPE_tag turn,
                                const std::string& toName);

// A distance as a driver is told it: below 1 km in metres to the nearest
// 10 m ("800 m"), else in kilometres to one decimal ("2.3 km").
std::string SpokenDistance(double metres);

// How far the car goes on after a manoeuvre: "Continue on Main Street for
// 2.3 km", "Continue for 800 m" on an unnamed road.
std::string ContinuePhrase(const std::string& road, double metres);

} // namespace refhost::routefiles

#endif
