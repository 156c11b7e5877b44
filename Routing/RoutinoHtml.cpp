#include "RoutinoHtml.h"

#include "RoutingFailure.h"
#include "TextFields.h"

#include <array>

namespace refhost::routing
{

namespace
{

constexpr std::string_view kCoordinatesRow = "<tr class='c'>";
constexpr std::string_view kNodeRow = "<tr class='n'>";
constexpr std::string_view kSegmentRow = "<tr class='s'>";
constexpr std::string_view kRoadSpan = "<span class='h'>";
constexpr std::string_view kRoundabout = "Roundabout";

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The text between `before` and `after` in `text`, or "" when absent.
std::string_view Between(std::string_view text, std::string_view before, std::string_view after)
{
    const size_t start = text.find(before);
    if (start == std::string_view::npos)
        return {};
    const size_t from = start + before.size();
    const size_t end = text.find(after, from);
    return end == std::string_view::npos ? std::string_view() : text.substr(from, end - from);
}

int OrdinalNumber(std::string_view word)
{
    static const std::array<std::string_view, 10> kOrdinals = {
        "First", "Second",  "Third",  "Fourth", "Fifth",
        "Sixth", "Seventh", "Eighth", "Ninth",  "Tenth"};
    for (size_t i = 0; i < kOrdinals.size(); ++i)
        if (word == kOrdinals[i])
            return static_cast<int>(i) + 1;
    return 0;
}

int WaypointNumber(std::string_view text)
{
    const size_t hash = text.find("Waypoint#");
    double number = 0.0;
    if (hash == std::string_view::npos)
        return 0;
    std::string_view digits = text.substr(hash + 9);
    digits = digits.substr(0, digits.find_first_not_of("0123456789"));
    return ParseNumber(digits, number) ? static_cast<int>(number) : 0;
}

tagLonLat ReadCoordinates(std::string_view row, const std::string& where)
{
    // "<td>5: 42.512105 1.536589"
    const std::string text = HtmlText(row);
    const size_t colon = text.find(':');
    const std::vector<std::string> words =
        SplitTrimmed(Trimmed(std::string_view(text).substr(colon + 1)), ' ');
    tagLonLat point = AP_INVALID_POINT;
    if (colon == std::string::npos || words.size() != 2 || !ParseNumber(words[0], point.lat) ||
        !ParseNumber(words[1], point.lon))
        Fail(where + ": coordinates expected, found '" + std::string(Trimmed(text)) + "'");
    return point;
}

void ReadInstruction(std::string_view row, RoutinoStep& step, const std::string& where)
{
    const std::string text(Trimmed(HtmlText(row)));
    if (StartsWith(text, "Start at "))
        step.kind = StepKind::Start;
    else if (StartsWith(text, "Stop at "))
        step.kind = StepKind::Stop;
    else if (StartsWith(text, "Leave "))
    {
        step.kind = StepKind::LeaveRoundabout;
        step.exit = OrdinalNumber(Between(text, "take the ", " exit"));
    }
    else if (StartsWith(text, "At "))
    {
        step.kind = StartsWith(text, "At Waypoint") ? StepKind::Waypoint : StepKind::Junction;
        step.turn = std::string(Between(text, ", go ", " heading"));
    }
    else
        Fail(where + ": an instruction expected, found '" + text + "'");
    step.waypoint = WaypointNumber(text);
}

} // namespace

std::vector<RoutinoStep> ReadHtmlSteps(std::string_view html, const std::string& sourceName)
{
    std::vector<RoutinoStep> steps;
    bool instructed = true; // whether the last coordinates row has its instruction
    size_t lineNumber = 0;
    for (const std::string_view line : Lines(html))
    {
        ++lineNumber;
        const std::string where = sourceName + ":" + std::to_string(lineNumber);
        if (StartsWith(line, kCoordinatesRow))
        {
            if (!instructed)
                Fail(where + ": coordinates without an instruction before them");
            RoutinoStep step;
            step.point = ReadCoordinates(line.substr(kCoordinatesRow.size()), where);
            steps.push_back(step);
            instructed = false;
        }
        else if (StartsWith(line, kNodeRow))
        {
            if (steps.empty() || instructed)
                Fail(where + ": an instruction without coordinates before it");
            ReadInstruction(line.substr(kNodeRow.size()), steps.back(), where);
            instructed = true;
        }
        else if (StartsWith(line, kSegmentRow))
        {
            if (steps.empty() || !instructed)
                Fail(where + ": a road without a point before it");
            steps.back().roadAhead = HtmlText(Between(line, kRoadSpan, "</span>"));
            steps.back().roundaboutAhead = steps.back().roadAhead == kRoundabout;
        }
    }
    if (steps.size() < 2 || steps.front().kind != StepKind::Start ||
        steps.back().kind != StepKind::Stop || !instructed)
        Fail(sourceName + ": no route from a start to a stop");
    return steps;
}

} // namespace refhost::routing
