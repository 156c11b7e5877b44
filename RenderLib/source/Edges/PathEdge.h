// One road stretch of the junction drawing: a polyline plus the attributes of
// the guide (or edge) it was built from.
#ifndef ADVICEPATH_EDGES_PATHEDGE_H
#define ADVICEPATH_EDGES_PATHEDGE_H

#include "../Host/LonLat.h"
#include "../Host/PathLibrary.h"

#include <stdint.h>

#define AP_EDGE_NAME_MAX 300

// Memory: an owning edge keeps its points in a buffer on the runtime heap
// (realloc/free), grown to multiples of 8 points; m_Count <= m_Capacity. A
// borrowing edge (AttachGuide) points into a guide's array and never grows,
// changes or frees it; m_Capacity is then 0. Edges are created with new and
// destroyed through the virtual destructor by CPathEdgeVec.
class CPathEdge
{
public:
    // An empty, owning, whole edge.
    CPathEdge();
    // A whole, owning edge with `source`'s attributes and its own copy of the
    // source's points; without points when the source has none or the copy
    // cannot be allocated.
    CPathEdge(const CPathEdge& source);
    virtual ~CPathEdge();

    // Grows the owned buffer to at least n points (rounded up to a multiple of
    // 8). Returns the capacity, or -1 when the buffer cannot grow (allocation
    // failure, or a size that overflows); the buffer is then unchanged.
    // Callers ensure the edge owns its buffer.
    int Reserve(int n);
    // Appends p; 1 when appended, 0 when the points are borrowed or the buffer
    // cannot grow.
    int AddPoint(const tagLonLat& p);
    // Appends n points of src; 1 when all were appended, 0 when none was
    // (borrowed, null src, negative n, growth failure).
    int AddPoints(const tagLonLat* src, int n);
    // Reverses n points from `start` (negative n: all points). Does nothing on
    // borrowed points or for a start outside 0 .. m_Count.
    void Reverse(int start, int n);
    // Point i, or AP_INVALID_POINT for any i outside 0 .. m_Count - 1.
    tagLonLat GetPoint(int i) const;
    // Drops the last point, if any; the buffer stays allocated.
    void RemoveLast();

    // Attributes of the selected record of `guide` (first or second): length of
    // its whole polyline, head words, attributes, name. Flags and points stay.
    void SetGuideAttributes(const PathGuid& guide, bool first);
    // Length, head words, attributes and name of `source`.
    void CopyAttributes(const CPathEdge& source);

    // Builds, applied once to a freshly constructed edge:
    // borrow the record's points (cannot fail);
    void AttachGuide(const PathGuid& guide, bool first);
    // copy the record's points: 1, or 0 for a record without a point array or a
    // growth failure;
    int CopyGuide(const PathGuid& guide, bool first);
    // cut the record (fromStart: its first `length`; else its last `length`):
    // 1, or 0 for a record without a point array or a refused cut;
    int TrimGuide(const PathGuid& guide, double length, bool fromStart, bool first);
    // cut a copy of `source` the same way: 1 or 0.
    int TrimEdge(const CPathEdge& source, double length, bool fromStart);

    // The cutting walks: append the first (last) `length` of the polyline of
    // `count` points, in the polyline's own direction. Return the number of
    // source points kept whole (TrimFromStart) or of points appended
    // (TrimFromEnd), or -1: fewer than two points (or a null array), a failed
    // append, a cut point outside the valid range, or a polyline too short.
    // After a failed append or cut past the first append the edge is emptied
    // (m_Count 0); a polyline too short leaves what was appended (the caller
    // drops the edge). Lengths in the geodesy unit; the cut point lies within
    // a quarter degree of the segment's bearing.
    int TrimFromStart(const tagLonLat* pts, int count, double length);
    int TrimFromEnd(const tagLonLat* pts, int count, double length);

    bool m_isOwnPoints;
    bool m_isWhole;
    double m_Length;
    uint32_t m_GuideWords[4];
    char m_Name[AP_EDGE_NAME_MAX + 1];
    uint32_t m_GuideAttr1;
    uint32_t m_GuideAttr2;
    int m_Count;
    int m_Capacity;
    tagLonLat* mp_Points;

private:
    // Frees an owned buffer, or lets go of borrowed points; no points after.
    void ReleasePoints();
    // Makes the edge own its buffer before a build appends to it: borrowed
    // points are let go first, never grown or freed.
    void OwnPoints();
    CPathEdge& operator=(const CPathEdge&);
};

#endif
