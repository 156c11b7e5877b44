#include "RoutePlanner.h"

#include "Geodesy/ReferenceGeodesy.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <utility>

namespace survey
{

namespace
{

// Aims in a repeating pattern of twenty routes: 6 random, 7 roundabout,
// 3 ramp, 2 junction, 2 u-turn.
const char* const kPattern[] = {"random",     "roundabout", "ramp",       "junction", "roundabout",
                                "random",     "u-turn",     "roundabout", "ramp",     "random",
                                "roundabout", "junction",   "random",     "ramp",     "roundabout",
                                "u-turn",     "random",     "roundabout", "random",   "roundabout"};
constexpr int kTries = 50;
// The 5th exit, counted from 0.
constexpr std::size_t kFifthExit = 4;

double Length(const ExtractRoads& roads, const RoadSegment& segment)
{
    const tagLonLat& a = roads.Point(segment.from);
    const tagLonLat& b = roads.Point(segment.to);
    return refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
}

class Planner
{
public:
    Planner(const ExtractRoads& roads, uint64_t seed) : m_roads(roads), m_random(seed)
    {
        for (uint32_t node = 0; node < roads.NodeCount(); ++node)
        {
            const std::vector<uint32_t>& at = roads.SegmentsAt(node);
            bool onCircle = false;
            bool entry = false;
            for (const uint32_t s : at)
            {
                const RoadSegment& segment = roads.Segments()[s];
                onCircle = onCircle || segment.roundabout;
                entry = entry || (!segment.roundabout && ExtractRoads::Arrives(segment, node));
            }
            if (onCircle && entry)
                m_entries.push_back(node);
            if (at.size() >= 3)
                m_junctions.push_back(node);
            if (at.size() == 1 && roads.Segments()[at.front()].forward &&
                roads.Segments()[at.front()].backward)
                m_deadEnds.push_back(node);
        }
        for (uint32_t s = 0; s < roads.Segments().size(); ++s)
            if (roads.Segments()[s].ramp)
                m_ramps.push_back(s);
        for (const uint32_t entry : m_entries)
        {
            const std::vector<uint32_t> exits = ExitsAfter(entry);
            for (std::size_t k = kFifthExit; k < exits.size(); ++k)
                m_fifthExits.emplace_back(entry, exits[k]);
        }
    }

    std::optional<PlannedRoute> Plan(const std::string& aim)
    {
        if (aim == "roundabout" && !m_entries.empty())
            return Roundabout();
        if (aim == "ramp" && !m_ramps.empty())
            return Ramp();
        if (aim == "junction" && !m_junctions.empty())
            return Junction();
        if (aim == "u-turn" && !m_deadEnds.empty())
            return UTurn();
        return Random();
    }

private:
    uint64_t Pick(std::size_t count) { return m_random() % count; }
    double Between(double low, double high)
    {
        return low + (high - low) * static_cast<double>(m_random() % 1000001) / 1000000.0;
    }

    // Walks from `node` for `metres`, each step along a segment `usable`
    // allows (first along `first` when given), never straight back.
    uint32_t Walk(uint32_t node, double metres, bool forward, std::optional<uint32_t> first)
    {
        double walked = 0.0;
        std::optional<uint32_t> last;
        while (walked < metres)
        {
            std::vector<uint32_t> options;
            for (const uint32_t s : m_roads.SegmentsAt(node))
            {
                const RoadSegment& segment = m_roads.Segments()[s];
                const bool usable = forward ? ExtractRoads::Leaves(segment, node)
                                            : ExtractRoads::Arrives(segment, node);
                if (usable && s != last && (!first || s == *first))
                    options.push_back(s);
            }
            first.reset();
            if (options.empty())
                break;
            const uint32_t s = options[Pick(options.size())];
            walked += Length(m_roads, m_roads.Segments()[s]);
            node = ExtractRoads::Across(m_roads.Segments()[s], node);
            last = s;
        }
        return node;
    }

    // The segments at `node` of roads off the roundabout that a car takes in
    // (`in`) or out.
    std::vector<uint32_t> Arms(uint32_t node, bool in) const
    {
        std::vector<uint32_t> arms;
        for (const uint32_t s : m_roads.SegmentsAt(node))
        {
            const RoadSegment& segment = m_roads.Segments()[s];
            if (!segment.roundabout &&
                (in ? ExtractRoads::Arrives(segment, node) : ExtractRoads::Leaves(segment, node)))
                arms.push_back(s);
        }
        return arms;
    }

    // One of them, at random.
    std::optional<uint32_t> Arm(uint32_t node, bool in)
    {
        const std::vector<uint32_t> arms = Arms(node, in);
        if (arms.empty())
            return std::nullopt;
        return arms[Pick(arms.size())];
    }

    PlannedRoute Route(const char* aim, const std::vector<uint32_t>& nodes)
    {
        PlannedRoute route;
        route.aim = aim;
        for (const uint32_t node : nodes)
            route.points.push_back(m_roads.Point(node));
        return route;
    }

    // The nodes of the roundabout a car may leave it at, in driving order
    // from `entry` round to it.
    std::vector<uint32_t> ExitsAfter(uint32_t entry) const
    {
        std::vector<uint32_t> exits;
        uint32_t node = entry;
        for (int step = 0; step < 500; ++step)
        {
            std::optional<uint32_t> next;
            for (const uint32_t s : m_roads.SegmentsAt(node))
            {
                const RoadSegment& segment = m_roads.Segments()[s];
                if (segment.roundabout && ExtractRoads::Leaves(segment, node))
                    next = ExtractRoads::Across(segment, node);
            }
            if (!next)
                break;
            node = *next;
            if (!Arms(node, false).empty())
                exits.push_back(node);
            if (node == entry)
                break;
        }
        return exits;
    }

    PlannedRoute Roundabout()
    {
        // A third each: any exit of any entry; one of the last three exits of
        // any entry; the 5th exit or a later one, where a roundabout has
        // them. The far exits go through a point 20 to 60 m out on them:
        // the quickest way to a place beyond one seldom goes round the
        // circle.
        const uint64_t kind = Pick(3);
        uint32_t entry = m_entries[Pick(m_entries.size())];
        const std::vector<uint32_t> exits = ExitsAfter(entry);
        uint32_t exit = entry;
        if (kind == 2 && !m_fifthExits.empty())
        {
            const auto& chosen = m_fifthExits[Pick(m_fifthExits.size())];
            entry = chosen.first;
            exit = chosen.second;
        }
        else if (kind >= 1 && !exits.empty())
            exit = exits[exits.size() - 1 - Pick(std::min<std::size_t>(3, exits.size()))];
        else if (!exits.empty())
            exit = exits[Pick(exits.size())];
        const uint32_t start = Walk(entry, Between(200.0, 500.0), false, Arm(entry, true));
        if (kind == 0)
        {
            const uint32_t end = Walk(exit, Between(200.0, 500.0), true, Arm(exit, false));
            return Route("roundabout", {start, end});
        }
        const uint32_t out = Walk(exit, Between(20.0, 60.0), true, Arm(exit, false));
        const uint32_t end = Walk(out, Between(150.0, 400.0), true, std::nullopt);
        return Route("roundabout", {start, out, end});
    }

    PlannedRoute Ramp()
    {
        const RoadSegment& ramp = m_roads.Segments()[m_ramps[Pick(m_ramps.size())]];
        const uint32_t start = Walk(ramp.from, Between(200.0, 700.0), false, std::nullopt);
        const uint32_t end = Walk(ramp.to, Between(200.0, 700.0), true, std::nullopt);
        return Route("ramp", {start, end});
    }

    PlannedRoute Junction()
    {
        const uint32_t node = m_junctions[Pick(m_junctions.size())];
        const uint32_t start = Walk(node, Between(10.0, 80.0), false, std::nullopt);
        const uint32_t end = Walk(node, Between(10.0, 80.0), true, std::nullopt);
        return Route("junction", {start, end});
    }

    PlannedRoute UTurn()
    {
        const uint32_t deadEnd = m_deadEnds[Pick(m_deadEnds.size())];
        const uint32_t start = Walk(deadEnd, Between(150.0, 400.0), false, std::nullopt);
        const uint32_t back = Walk(deadEnd, Between(40.0, 120.0), true, std::nullopt);
        return Route("u-turn", {start, deadEnd, back});
    }

    PlannedRoute Random()
    {
        const auto start = static_cast<uint32_t>(Pick(m_roads.NodeCount()));
        uint32_t end = start;
        for (int tries = 0; tries < kTries; ++tries)
        {
            end = static_cast<uint32_t>(Pick(m_roads.NodeCount()));
            const tagLonLat& a = m_roads.Point(start);
            const tagLonLat& b = m_roads.Point(end);
            const double apart = refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
            if (apart >= 300.0 && apart <= 3000.0)
                break;
        }
        return Route("random", {start, end});
    }

    const ExtractRoads& m_roads;
    std::mt19937_64 m_random;
    std::vector<uint32_t> m_entries;
    std::vector<uint32_t> m_junctions;
    std::vector<uint32_t> m_deadEnds;
    std::vector<uint32_t> m_ramps;
    // Entries of roundabouts with their 5th exit and every later one.
    std::vector<std::pair<uint32_t, uint32_t>> m_fifthExits;
};

} // namespace

std::vector<PlannedRoute> PlanRoutes(const ExtractRoads& roads, std::size_t count, uint64_t seed)
{
    Planner planner(roads, seed);
    std::vector<PlannedRoute> routes;
    const std::size_t patternSize = sizeof kPattern / sizeof kPattern[0];
    for (std::size_t i = 0; routes.size() < count && i < count * 4; ++i)
    {
        std::optional<PlannedRoute> route = planner.Plan(kPattern[i % patternSize]);
        if (route && route->points.front().lon != route->points.back().lon)
            routes.push_back(std::move(*route));
    }
    return routes;
}

std::string LatLonText(const tagLonLat& point)
{
    char text[64];
    static_cast<void>(std::snprintf(text, sizeof text, "%.7f,%.7f", point.lat, point.lon));
    return text;
}

} // namespace survey
