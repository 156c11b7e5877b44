// The test path.
#include "TestHost.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace aptest
{

namespace
{
// Positions are edge indexes plus one, so that null stays "none".
POSITION ToPosition(size_t index)
{
    return reinterpret_cast<POSITION>( // NOLINT(performance-no-int-to-ptr)
        static_cast<uintptr_t>(index + 1));
}
size_t ToIndex(POSITION position)
{
    return static_cast<size_t>(reinterpret_cast<uintptr_t>(position)) - 1;
}
} // namespace

PathGuid MakeGuide(const tagLonLat* points, unsigned short count, double length,
                   const std::string& name)
{
    PathGuid guide;
    std::memset(&guide, 0, sizeof(guide));
    guide.mp_FirstPoints = const_cast<tagLonLat*>(points);
    guide.m_FirstCount = count;
    guide.m_GuideLength = length;
    guide.m_GuidePoint = (points != nullptr && count > 0) ? points[count - 1] : AP_INVALID_POINT;
    std::strncpy(guide.m_FirstName, name.c_str(), sizeof(guide.m_FirstName) - 1);
    return guide;
}

NavGuid ToNavGuid(const PathGuid& guide)
{
    NavGuid nav;
    static_cast<PathGuid&>(nav) = guide;
    return nav;
}

void TestPath::AddEdge(std::vector<tagLonLat> points)
{
    m_edgePoints.push_back(std::move(points));
}

PathGuid& TestPath::AddGuide(std::vector<tagLonLat> points, double length, const std::string& name)
{
    m_guidePoints.push_back(std::move(points));
    std::vector<tagLonLat>& stored = m_guidePoints.back();
    if (length < 0.0)
        length = LineLength(static_cast<unsigned short>(stored.size()), stored.data());
    PathGuid guide = MakeGuide(stored.empty() ? nullptr : stored.data(),
                               static_cast<unsigned short>(stored.size()), length, name);
    guide.m_FirstHead[0] = static_cast<uint32_t>(m_guides.size());
    guide.m_FirstHead[1] = 0xC0FFEE00u + static_cast<uint32_t>(m_guides.size());
    m_guides.push_back(guide);
    return m_guides.back();
}

PathGuid& TestPath::AddGuideWithoutPoints(tagLonLat guidePoint, double length)
{
    PathGuid guide = MakeGuide(nullptr, 0, length);
    guide.m_GuidePoint = guidePoint;
    guide.m_FirstHead[0] = static_cast<uint32_t>(m_guides.size());
    m_guides.push_back(guide);
    m_guidePoints.emplace_back();
    return m_guides.back();
}

NavGuid TestPath::GuideAsNav(int index) const
{
    return ToNavGuid(Guide(index));
}

POSITION TestPath::GetFirstPosition()
{
    if (failFirstPosition || (m_edgePoints.empty() && m_guides.empty()))
        return nullptr;
    return ToPosition(0);
}

POSITION TestPath::GetNext(POSITION position)
{
    size_t next = ToIndex(position) + 1;
    return next < m_edgePoints.size() ? ToPosition(next) : nullptr;
}

int TestPath::GetEdge(POSITION position, unsigned short& count, tagLonLat*& points)
{
    size_t index = ToIndex(position);
    if (index >= m_edgePoints.size() || failingEdges.count(static_cast<int>(index)) != 0)
        return 0;
    std::vector<tagLonLat>& edge = m_edgePoints[index];
    count = static_cast<unsigned short>(edge.size());
    points = edge.empty() ? nullptr : edge.data();
    return filledEdgeResult;
}

int TestPath::GetGuid(POSITION position, PathGuid& guide)
{
    size_t index = ToIndex(position);
    if (failGetGuid || m_guides.empty() || index != 0)
        return 0; // guides are reached from the first position only
    guide = m_guides.front();
    return 1;
}

int TestPath::GetNextGuid(const PathGuid& current, PathGuid& next)
{
    ++getNextGuidCalls;
    // Read everything from `current` before writing `next`: they may be one
    // record.
    size_t index = current.m_FirstHead[0];
    size_t following = index + 1;
    if (following >= m_guides.size())
    {
        if (!cyclicGuides || m_guides.empty())
            return 0;
        following = 0;
    }
    next = m_guides[following];
    return 1;
}

} // namespace aptest
