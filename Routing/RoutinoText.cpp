#include "RoutinoText.h"

#include "RoutingFailure.h"
#include "TextFields.h"

namespace refhost::routing
{

namespace
{

constexpr size_t kFieldCount = 11; // latitude ... highway

TrackNode ReadNode(const std::vector<std::string>& fields, const std::string& where)
{
    TrackNode node;
    if (!ParseNumber(fields[0], node.point.lat) || !ParseNumber(fields[1], node.point.lon))
        Fail(where + ": coordinates expected, found '" + fields[0] + "', '" + fields[1] + "'");
    node.type = fields[3];
    if (node.type.rfind("Waypt#", 0) == 0)
    {
        double number = 0.0;
        if (!ParseNumber(node.type.substr(6), number) || number < 1.0)
            Fail(where + ": bad waypoint '" + node.type + "'");
        node.waypoint = static_cast<int>(number);
    }
    double kilometres = 0.0;
    double minutes = 0.0;
    if (!ParseNumber(fields[4], kilometres) || !ParseNumber(fields[5], minutes) ||
        kilometres < 0.0 || minutes < 0.0)
        Fail(where + ": segment distance and duration expected, found '" + fields[4] + "', '" +
             fields[5] + "'");
    node.segmentMetres = kilometres * 1000.0;
    node.segmentSeconds = minutes * 60.0;
    double speed = 0.0;
    if (!fields[8].empty() && ParseNumber(fields[8], speed))
        node.speedKmh = static_cast<int>(speed);
    node.highway = fields[10];
    return node;
}

} // namespace

std::vector<TrackNode> ReadAllNodesText(std::string_view text, const std::string& sourceName)
{
    std::vector<TrackNode> nodes;
    size_t lineNumber = 0;
    for (const std::string_view line : Lines(text))
    {
        ++lineNumber;
        if (line.empty() || line.front() == '#' || IsBlank(line))
            continue;
        const std::string where = sourceName + ":" + std::to_string(lineNumber);
        std::vector<std::string> fields = SplitTrimmed(line, '\t');
        if (fields.size() < kFieldCount - 3) // the first node has no speed, bearing or road
            Fail(where + ": a node line has " + std::to_string(kFieldCount) +
                 " tab-separated fields, found " + std::to_string(fields.size()));
        fields.resize(kFieldCount);
        TrackNode node = ReadNode(fields, where);
        if (!nodes.empty() && node.highway.empty())
            Fail(where + ": the segment to this node has no road");
        nodes.push_back(std::move(node));
    }
    if (nodes.size() < 2)
        Fail(sourceName + ": no route (fewer than two nodes)");
    if (nodes.front().waypoint != 1 || nodes.back().waypoint < 2)
        Fail(sourceName + ": the route does not run from the first waypoint to the last");
    return nodes;
}

} // namespace refhost::routing
