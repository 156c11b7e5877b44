#include "TurnText.h"

#include "TurnClass.h"

#include <cctype>
#include <cmath>

namespace refhost
{

NAV_TURN_TYPE_tag ClassifyTurnAngle(double angleDegrees) noexcept
{
    const double size = std::fabs(angleDegrees);
    const bool right = angleDegrees > 0.0;
    if (!(size < 165.0)) // NaN falls to the U-turn as well; callers pass finite angles
        return NAV_TURN_UTURN;
    if (size < 20.0)
        return NAV_TURN_STRAIGHT;
    if (size < 60.0)
        return right ? NAV_TURN_SLIGHT_RIGHT : NAV_TURN_SLIGHT_LEFT;
    if (size < 120.0)
        return right ? NAV_TURN_RIGHT : NAV_TURN_LEFT;
    return right ? NAV_TURN_SHARP_RIGHT : NAV_TURN_SHARP_LEFT;
}

namespace routefiles
{

NAV_TURN_TYPE_tag TurnTypeFromModifier(std::string_view modifier)
{
    if (modifier == "uturn")
        return NAV_TURN_UTURN;
    if (modifier == "sharp right")
        return NAV_TURN_SHARP_RIGHT;
    if (modifier == "right")
        return NAV_TURN_RIGHT;
    if (modifier == "slight right")
        return NAV_TURN_SLIGHT_RIGHT;
    if (modifier == "straight")
        return NAV_TURN_STRAIGHT;
    if (modifier == "slight left")
        return NAV_TURN_SLIGHT_LEFT;
    if (modifier == "left")
        return NAV_TURN_LEFT;
    if (modifier == "sharp left")
        return NAV_TURN_SHARP_LEFT;
    return NAV_TURN_NONE;
}

std::string TurnPhrase(NAV_TURN_TYPE_tag type)
{
    switch (type)
    {
    case NAV_TURN_STRAIGHT:
        return "Go straight";
    case NAV_TURN_SLIGHT_RIGHT:
        return "Bear right";
    case NAV_TURN_RIGHT:
        return "Turn right";
    case NAV_TURN_SHARP_RIGHT:
        return "Make a sharp right";
    case NAV_TURN_UTURN:
        return "Make a U-turn";
    case NAV_TURN_SHARP_LEFT:
        return "Make a sharp left";
    case NAV_TURN_LEFT:
        return "Turn left";
    case NAV_TURN_SLIGHT_LEFT:
        return "Bear left";
    default:
        return "Continue";
    }
}

std::string SideOf(std::string_view modifier)
{
    if (modifier.find("left") != std::string_view::npos)
        return "left";
    if (modifier.find("right") != std::string_view::npos)
        return "right";
    return {};
}

std::string Ordinal(long long number)
{
    const long long lastTwo = number % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13)
    {
        switch (number % 10)
        {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return std::to_string(number) + suffix;
}

std::string Onto(const std::string& name)
{
    return name.empty() ? std::string() : " onto " + name;
}

std::string LowerFirst(std::string text)
{
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

namespace
{

std::string OnSide(const std::string& side)
{
    return side.empty() ? std::string() : " on the " + side;
}

} // namespace

std::string RoundaboutPhrase(const std::string& circle, long long exit, const std::string& name)
{
    if (exit > 0)
        return "At " + circle + ", take the " + Ordinal(exit) + " exit" + Onto(name);
    return "Enter " + circle + " and exit" + Onto(name);
}

std::string LeaveRoundaboutPhrase(const std::string& circle, long long exit,
                                  const std::string& name)
{
    if (exit > 0)
        return RoundaboutPhrase(circle, exit, name);
    return "Exit " + circle + Onto(name);
}

std::string OnRampPhrase(const std::string& side, const std::string& name)
{
    return "Take the ramp" + OnSide(side) + Onto(name);
}

std::string OffRampPhrase(const std::string& exitNumbers, const std::string& side,
                          const std::string& name)
{
    return "Take " + (exitNumbers.empty() ? std::string("the exit") : "exit " + exitNumbers) +
           OnSide(side) + Onto(name);
}

std::string ForkPhrase(const std::string& side, const std::string& exitNumbers,
                       const std::string& name)
{
    const std::string exit = exitNumbers.empty() ? std::string() : " (exit " + exitNumbers + ")";
    return "Keep " + (side.empty() ? std::string("straight") : side) + " at the fork" + exit +
           Onto(name);
}

std::string WaypointInstruction(size_t waypointNumber, NAV_TURN_TYPE_tag turn,
                                const std::string& toName)
{
    const std::string phrase =
        turn == NAV_TURN_STRAIGHT ? "continue" : LowerFirst(TurnPhrase(turn));
    return "At waypoint " + std::to_string(waypointNumber) + ", " + phrase + Onto(toName);
}

std::string SpokenDistance(double metres)
{
    const long long tens = std::llround(metres / 10.0);
    if (tens < 100)
        return std::to_string(tens * 10) + " m";
    const long long tenths = std::llround(metres / 100.0);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " km";
}

std::string ContinuePhrase(const std::string& road, double metres)
{
    return "Continue" + (road.empty() ? std::string() : " on " + road) + " for " +
           SpokenDistance(metres);
}

} // namespace routefiles
} // namespace refhost
