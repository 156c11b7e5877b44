#include "RingAssembly.h"

#include <algorithm>
#include <cstddef>

namespace roadmap
{

namespace
{

constexpr std::size_t kMinRingNodes = 3;

bool IsClosed(const NodeIds& way)
{
    return way.size() > 1 && way.front() == way.back();
}

// The unused way that starts or ends at `node`, or ways.size().
std::size_t FindWayAt(const std::vector<NodeIds>& ways, const std::vector<bool>& used, int64_t node)
{
    for (std::size_t i = 0; i < ways.size(); ++i)
        if (!used[i] && !ways[i].empty() && (ways[i].front() == node || ways[i].back() == node))
            return i;
    return ways.size();
}

} // namespace

std::vector<NodeIds> AssembleRings(const std::vector<NodeIds>& ways)
{
    std::vector<NodeIds> rings;
    std::vector<bool> used(ways.size(), false);
    for (std::size_t start = 0; start < ways.size(); ++start)
    {
        if (used[start] || ways[start].size() < 2)
            continue;
        used[start] = true;
        NodeIds ring = ways[start];
        while (!IsClosed(ring))
        {
            const std::size_t next = FindWayAt(ways, used, ring.back());
            if (next == ways.size())
                break;
            used[next] = true;
            const NodeIds& way = ways[next];
            // Skip the shared node: it ends the ring already.
            if (way.front() == ring.back())
                ring.insert(ring.end(), way.begin() + 1, way.end());
            else
                ring.insert(ring.end(), way.rbegin() + 1, way.rend());
        }
        if (!IsClosed(ring))
            continue;
        ring.pop_back();
        if (ring.size() >= kMinRingNodes)
            rings.push_back(std::move(ring));
    }
    return rings;
}

} // namespace roadmap
