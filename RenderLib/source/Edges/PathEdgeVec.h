// The owning vector of path edges.
#ifndef ADVICEPATH_EDGES_PATHEDGEVEC_H
#define ADVICEPATH_EDGES_PATHEDGEVEC_H

#include "PathEdge.h"

// Memory: mp_Items is an array of m_Capacity edge pointers on the runtime heap
// (realloc/free), grown to multiples of 8; slots 0 .. m_Size - 1 hold edges
// that the vector owns (made with new by Append, destroyed through their
// virtual destructor), or null after RemoveAt.
class CPathEdgeVec
{
public:
    CPathEdgeVec();
    virtual ~CPathEdgeVec(); // RemoveAll

    int Size() const { return m_Size; }
    // The edge at i, or null for i outside 0 .. Size() - 1.
    CPathEdge* GetAt(int i) const;
    // Grows the pointer array to at least n slots (multiple of 8). Returns the
    // capacity, or -1 (array unchanged) when it cannot grow.
    int Reserve(int n);
    // Reverses n edges from `start` (negative n: all). Does nothing for a start
    // outside 0 .. Size().
    void Reverse(int start, int n);
    // Destroys the edge at i and nulls its slot; Size() stays. Does nothing for
    // i outside 0 .. Size() - 1.
    void RemoveAt(int i);
    // Destroys every edge and frees the pointer array.
    void RemoveAll();

    // Each Append creates a new edge, builds it, and stores it at the end: 0
    // when stored; -1 when it cannot be created, built or stored, and then the
    // vector is unchanged.
    // A whole copy of `edge` (fails when the copy has no points).
    int Append(const CPathEdge& edge);
    // A cut copy of `edge` (TrimEdge).
    int Append(const CPathEdge& edge, double length, bool fromStart);
    // A cut of a guide record (TrimGuide).
    int Append(const PathGuid& guide, double length, bool fromStart, bool first);
    // A whole guide record: copy true copies its points (CopyGuide), false
    // borrows them (AttachGuide).
    int Append(const PathGuid& guide, bool copy, bool first);

    int m_Size;
    int m_Capacity;
    CPathEdge** mp_Items;

private:
    int Store(CPathEdge* edge);
    CPathEdgeVec(const CPathEdgeVec&);
    CPathEdgeVec& operator=(const CPathEdgeVec&);
};

#endif
