#include "PathEdge.h"

#include "../Host/Geodesy.h"
#include "HeapAlloc.h"

#include <limits.h>
#include <stdint.h>
#include <string.h>

namespace
{
// Copies at most AP_EDGE_NAME_MAX characters of `source`, which may lack a
// terminator within its `sourceSize` bytes, and terminates the copy.
void CopyName(char* target, const char* source, size_t sourceSize)
{
    size_t limit = sourceSize < AP_EDGE_NAME_MAX ? sourceSize : AP_EDGE_NAME_MAX;
    size_t n = 0;
    while (n < limit && source[n] != '\0')
    {
        target[n] = source[n];
        ++n;
    }
    target[n] = '\0';
}
} // namespace

CPathEdge::CPathEdge()
    : m_isOwnPoints(true), m_isWhole(true), m_Length(0.0), m_GuideAttr1(0), m_GuideAttr2(0),
      m_Count(0), m_Capacity(0), mp_Points(nullptr)
{
    memset(m_GuideWords, 0, sizeof(m_GuideWords));
    m_Name[0] = '\0';
}

CPathEdge::CPathEdge(const CPathEdge& source)
    : m_isOwnPoints(true), m_isWhole(true), m_Length(0.0), m_GuideAttr1(0), m_GuideAttr2(0),
      m_Count(0), m_Capacity(0), mp_Points(nullptr)
{
    CopyAttributes(source);
    if (source.mp_Points != nullptr && Reserve(source.m_Count) >= 0 && source.m_Count > 0)
    {
        memcpy(mp_Points, source.mp_Points,
               static_cast<size_t>(source.m_Count) * sizeof(tagLonLat));
        m_Count = source.m_Count;
    }
}

CPathEdge::~CPathEdge()
{
    // Borrowed points belong to the guide record and are left as they are.
    if (m_isOwnPoints && mp_Points != nullptr)
    {
        ApFree(mp_Points);
        mp_Points = nullptr;
        m_Count = 0;
        m_Capacity = 0;
    }
}

void CPathEdge::ReleasePoints()
{
    if (m_isOwnPoints)
        ApFree(mp_Points);
    mp_Points = nullptr;
    m_Count = 0;
    m_Capacity = 0;
}

void CPathEdge::OwnPoints()
{
    if (!m_isOwnPoints)
        ReleasePoints();
    m_isOwnPoints = true;
}

int CPathEdge::Reserve(int n)
{
    void* block = mp_Points;
    int reached = ApGrowBlock(AP_ALLOC_POINT_BUFFER, block, m_Capacity, n, sizeof(tagLonLat));
    if (reached > m_Capacity)
    {
        mp_Points = static_cast<tagLonLat*>(block);
        m_Capacity = reached;
    }
    return reached;
}

int CPathEdge::AddPoint(const tagLonLat& p)
{
    if (!m_isOwnPoints)
        return 0;
    // Taken before a reallocation can move the buffer that p may lie in.
    tagLonLat point = p;
    if (Reserve(m_Count + 1) < 0)
        return 0;
    mp_Points[m_Count] = point;
    ++m_Count;
    return 1;
}

int CPathEdge::AddPoints(const tagLonLat* src, int n)
{
    if (!m_isOwnPoints || src == nullptr || n < 0 || n > INT_MAX - m_Count)
        return 0;
    if (Reserve(m_Count + n) < 0)
        return 0;
    if (n > 0)
    {
        // The Reserve above made a buffer of at least m_Count + n points.
        // NOLINTNEXTLINE(clang-analyzer-core.NonNullParamChecker)
        memcpy(mp_Points + m_Count, src, static_cast<size_t>(n) * sizeof(tagLonLat));
    }
    m_Count += n;
    return 1;
}

void CPathEdge::Reverse(int start, int n)
{
    if (!m_isOwnPoints || start < 0 || start > m_Count)
        return;
    if (n < 0)
        n = m_Count;
    if (n > m_Count - start)
        n = m_Count - start;
    for (int k = 0; k < n / 2; ++k)
    {
        tagLonLat swap = mp_Points[start + k];
        mp_Points[start + k] = mp_Points[start + n - 1 - k];
        mp_Points[start + n - 1 - k] = swap;
    }
}

tagLonLat CPathEdge::GetPoint(int i) const
{
    if (i < 0 || i >= m_Count || mp_Points == nullptr)
        return AP_INVALID_POINT;
    return mp_Points[i];
}

void CPathEdge::RemoveLast()
{
    if (m_Count > 0)
        --m_Count;
}

void CPathEdge::SetGuideAttributes(const PathGuid& guide, bool first)
{
    if (first)
    {
        m_Length = LineLength(guide.m_FirstCount, guide.mp_FirstPoints);
        memcpy(m_GuideWords, guide.m_FirstHead, sizeof(m_GuideWords));
        m_GuideAttr1 = guide.m_FirstAttr1;
        m_GuideAttr2 = guide.m_FirstAttr2;
        CopyName(m_Name, guide.m_FirstName, sizeof(guide.m_FirstName));
    }
    else
    {
        m_Length = LineLength(guide.m_SecondCount, guide.mp_SecondPoints);
        memcpy(m_GuideWords, guide.m_SecondHead, sizeof(m_GuideWords));
        m_GuideAttr1 = guide.m_SecondAttr1;
        m_GuideAttr2 = guide.m_SecondAttr2;
        CopyName(m_Name, guide.m_SecondName, sizeof(guide.m_SecondName));
    }
}

void CPathEdge::CopyAttributes(const CPathEdge& source)
{
    m_Length = source.m_Length;
    memcpy(m_GuideWords, source.m_GuideWords, sizeof(m_GuideWords));
    m_GuideAttr1 = source.m_GuideAttr1;
    m_GuideAttr2 = source.m_GuideAttr2;
    CopyName(m_Name, source.m_Name, sizeof(source.m_Name));
}

void CPathEdge::AttachGuide(const PathGuid& guide, bool first)
{
    SetGuideAttributes(guide, first);
    ReleasePoints();
    m_isOwnPoints = false;
    m_Capacity = 0;
    m_Count = first ? guide.m_FirstCount : guide.m_SecondCount;
    mp_Points = first ? guide.mp_FirstPoints : guide.mp_SecondPoints;
}

int CPathEdge::CopyGuide(const PathGuid& guide, bool first)
{
    SetGuideAttributes(guide, first);
    OwnPoints();
    const tagLonLat* points = first ? guide.mp_FirstPoints : guide.mp_SecondPoints;
    int count = first ? guide.m_FirstCount : guide.m_SecondCount;
    return AddPoints(points, count) == 1 ? 1 : 0;
}
