#include "SyntheticPath.h"

#include <vector>

namespace
{

class SyntheticPath : public CNavPath
{
public:
    SyntheticPath(size_t edgeCount, int pointsPerEdge)
        : m_edgeCount(edgeCount), m_pointsPerEdge(pointsPerEdge),
          m_points(edgeCount * static_cast<size_t>(pointsPerEdge))
    {
        tagLonLat at = {11.5, 48.1};
        for (size_t edge = 0; edge < edgeCount; ++edge)
        {
            for (int k = 0; k < pointsPerEdge; ++k)
            {
                m_points[edge * static_cast<size_t>(pointsPerEdge) + static_cast<size_t>(k)] = at;
                if (k + 1 < pointsPerEdge)
                {
                    at.lon += 0.0001;
                    at.lat += (k % 2 == 0) ? 0.00005 : -0.00004;
                }
            }
        }
    }

    // Positions are edge indexes plus one, so that null stays "none".
    POSITION GetFirstPosition() override { return m_edgeCount > 0 ? PositionOf(0) : nullptr; }

    POSITION GetNext(POSITION position) override
    {
        const size_t next = IndexOf(position) + 1;
        return next < m_edgeCount ? PositionOf(next) : nullptr;
    }

    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override
    {
        const size_t index = IndexOf(position);
        if (index >= m_edgeCount)
            return 0;
        count = static_cast<unsigned short>(m_pointsPerEdge);
        points = &m_points[index * static_cast<size_t>(m_pointsPerEdge)];
        return 1;
    }

    int GetGuid(POSITION /*position*/, PathGuid& /*guide*/) override { return 0; }
    int GetNextGuid(const PathGuid& /*current*/, PathGuid& /*next*/) override { return 0; }

private:
    static POSITION PositionOf(size_t index)
    {
        // POSITION is the path's opaque cursor: an edge number, never
        // dereferenced.
        return reinterpret_cast<POSITION>( // NOLINT(performance-no-int-to-ptr)
            static_cast<uintptr_t>(index + 1));
    }
    static size_t IndexOf(POSITION position)
    {
        return static_cast<size_t>(reinterpret_cast<uintptr_t>(position)) - 1;
    }

    size_t m_edgeCount;
    int m_pointsPerEdge;
    std::vector<tagLonLat> m_points;
};

} // namespace

namespace bench
{

std::unique_ptr<CNavPath> NewSyntheticPath(size_t edgeCount, int pointsPerEdge)
{
    return std::make_unique<SyntheticPath>(edgeCount, pointsPerEdge);
}

} // namespace bench
