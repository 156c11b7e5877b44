#include "PathEdgeVec.h"

#include "HeapAlloc.h"

#include <new>

namespace
{
CPathEdge* NewEdge()
{
    if (!ApAllocAllowed(AP_ALLOC_EDGE))
        return nullptr;
    return new (std::nothrow) CPathEdge();
}

CPathEdge* NewEdgeCopy(const CPathEdge& source)
{
    if (!ApAllocAllowed(AP_ALLOC_EDGE))
        return nullptr;
    return new (std::nothrow) CPathEdge(source);
}
} // namespace

CPathEdgeVec::CPathEdgeVec() : m_Size(0), m_Capacity(0), mp_Items(nullptr) {}

CPathEdgeVec::~CPathEdgeVec()
{
    RemoveAll();
}

CPathEdge* CPathEdgeVec::GetAt(int i) const
{
    if (i < 0 || i >= m_Size)
        return nullptr;
    return mp_Items[i];
}

int CPathEdgeVec::Reserve(int n)
{
    void* block = mp_Items;
    // The elements are pointers to edges.
    // NOLINTNEXTLINE(bugprone-sizeof-expression)
    int reached = ApGrowBlock(AP_ALLOC_POINTER_ARRAY, block, m_Capacity, n, sizeof(CPathEdge*));
    if (reached > m_Capacity)
    {
        mp_Items = static_cast<CPathEdge**>(block);
        m_Capacity = reached;
    }
    return reached;
}

void CPathEdgeVec::Reverse(int start, int n)
{
    if (start < 0 || start > m_Size)
        return;
    if (n < 0)
        n = m_Size;
    if (n > m_Size - start)
        n = m_Size - start;
    for (int k = 0; k < n / 2; ++k)
    {
        CPathEdge* swap = mp_Items[start + k];
        mp_Items[start + k] = mp_Items[start + n - 1 - k];
        mp_Items[start + n - 1 - k] = swap;
    }
}

void CPathEdgeVec::RemoveAt(int i)
{
    if (i < 0 || i >= m_Size)
        return;
    delete mp_Items[i];
    mp_Items[i] = nullptr;
}

void CPathEdgeVec::RemoveAll()
{
    for (int i = 0; i < m_Size; ++i)
        RemoveAt(i);
    if (mp_Items != nullptr)
        ApFree(mp_Items);
    mp_Items = nullptr;
    m_Size = 0;
    m_Capacity = 0;
}

int CPathEdgeVec::Store(CPathEdge* edge)
{
    if (Reserve(m_Size + 1) < 0)
    {
        delete edge;
        return -1;
    }
    mp_Items[m_Size] = edge;
    ++m_Size;
    return 0;
}

int CPathEdgeVec::Append(const CPathEdge& edge)
{
    CPathEdge* copy = NewEdgeCopy(edge);
    if (copy == nullptr)
        return -1;
    // A copy without points is of no use to the drawing.
    if (copy->m_Count == 0 || copy->mp_Points == nullptr)
    {
        delete copy;
        return -1;
    }
    return Store(copy);
}

int CPathEdgeVec::Append(const CPathEdge& edge, double length, bool fromStart)
{
    CPathEdge* cut = NewEdge();
    if (cut == nullptr)
        return -1;
    if (!cut->TrimEdge(edge, length, fromStart))
    {
        delete cut;
        return -1;
    }
    return Store(cut);
}

int CPathEdgeVec::Append(const PathGuid& guide, double length, bool fromStart, bool first)
{
    CPathEdge* cut = NewEdge();
    if (cut == nullptr)
        return -1;
    if (!cut->TrimGuide(guide, length, fromStart, first))
    {
        delete cut;
        return -1;
    }
    return Store(cut);
}

int CPathEdgeVec::Append(const PathGuid& guide, bool copy, bool first)
{
    CPathEdge* whole = NewEdge();
    if (whole == nullptr)
        return -1;
    if (copy)
    {
        if (!whole->CopyGuide(guide, first))
        {
            delete whole;
            return -1;
        }
    }
    else
    {
        whole->AttachGuide(guide, first);
    }
    return Store(whole);
}
