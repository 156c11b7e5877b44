#include "DirectionsText.h"

#include "TurnText.h"

namespace refhost::routefiles
{

namespace
{

bool IsRotary(const std::string& type)
{
    return type == "rotary" || type == "exit rotary";
}

std::string CircleName(const RawStep& step)
{
    if (!step.rotaryName.empty())
        return step.rotaryName;
    return IsRotary(step.type) ? "the rotary" : "the roundabout";
}

// "48A" or "48A/48B" from the step's exit numbers.
std::string ExitNumbers(const RawStep& step)
{
    std::string numbers = step.exits;
    for (char& c : numbers)
        if (c == ';')
            c = '/';
    return numbers;
}

std::string Towards(const RawStep& step)
{
    return step.destinations.empty() ? std::string() : " towards " + step.destinations;
}

// The text of a step into, through or out of a roundabout; empty for any
// other step.
std::string CirclePhrase(const RawStep& step, const std::string& road)
{
    const std::string onto = Onto(road);
    const std::string& type = step.type;
    if (type == "roundabout" || type == "rotary")
        return RoundaboutPhrase(CircleName(step), step.exit, road);
    if (type == "roundabout turn")
    {
        // A small roundabout taken like a crossing: the modifier is the turn.
        const NAV_TURN_TYPE_tag byModifier = TurnTypeFromModifier(step.modifier);
        if (byModifier != NAV_TURN_NONE)
            return TurnPhrase(byModifier) + " at the roundabout" + onto;
        if (step.exit > 0)
            return RoundaboutPhrase("the roundabout", step.exit, road);
        return "Continue through the roundabout" + onto;
    }
    if (type == "exit roundabout" || type == "exit rotary")
        return LeaveRoundaboutPhrase(CircleName(step), 0, road);
    return {};
}

// The text of a step before its destinations are added.
std::string StepPhrase(const RawStep& step, NAV_TURN_TYPE_tag turn)
{
    const std::string road = RoadName(step);
    const std::string onto = Onto(road);
    if (std::string circle = CirclePhrase(step, road); !circle.empty())
        return circle;
    const std::string& type = step.type;
    if (type == "merge")
    {
        const std::string side = SideOf(step.modifier);
        return "Merge" + (side.empty() ? std::string() : " " + side) + onto;
    }
    if (type == "fork")
        return ForkPhrase(SideOf(step.modifier), ExitNumbers(step), road);
    if (type == "on ramp")
        return OnRampPhrase(SideOf(step.modifier), road);
    if (type == "off ramp")
        return OffRampPhrase(ExitNumbers(step), SideOf(step.modifier), road);
    if (type == "end of road")
        return "At the end of the road, " + LowerFirst(TurnPhrase(turn)) + onto;
    if (type == "new name")
        return "Continue" + onto;
    if (turn == NAV_TURN_STRAIGHT || turn == NAV_TURN_NONE)
        return type == "continue" ? "Continue straight" + onto : "Continue" + onto;
    return TurnPhrase(turn) + onto;
}

} // namespace

std::string RoadName(const RawStep& step)
{
    return step.name.empty() ? step.ref : step.name;
}

std::string StepInstruction(const RawStep& step, NAV_TURN_TYPE_tag turn)
{
    return StepPhrase(step, turn) + Towards(step);
}

std::string ArrivalInstruction(const RawStep* arrival)
{
    std::string text = "You have arrived at your destination";
    if (arrival)
    {
        const std::string side = SideOf(arrival->modifier);
        if (!side.empty())
            text += ", on the " + side;
    }
    return text;
}

} // namespace refhost::routefiles
