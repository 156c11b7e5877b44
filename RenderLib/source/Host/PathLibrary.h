// The host's path library: the planned path as a sequence of edges (drawn as
// the route line) and of guides (the road stretches the junction drawing cuts).
#ifndef ADVICEPATH_HOST_PATHLIBRARY_H
#define ADVICEPATH_HOST_PATHLIBRARY_H

#include "LonLat.h"

#include <stddef.h>
#include <stdint.h>

// A guide: one road stretch of the path, in driving order. The junction band
// of the turn is built from guides (RouteLibrary.h shows how), the route line
// from the path's edges. A guide record holds two road records (head words,
// name, two attributes, a polyline that stays in the path library's memory)
// and two fields of the guide itself. What the library reads:
//
//   first record   the guide's road. Its points (at least 2, in driving order)
//                  are copied into the band; its head words, name (at most 300
//                  characters kept) and attributes are carried with the copy
//                  and never interpreted. A record without a point array cannot
//                  be drawn (message 325 in Logging.h).
//   m_GuideLength  the length of the first record's polyline as LineLength
//                  measures it (Geodesy.h): the leaving stretch is measured
//                  with it.
//   m_GuidePoint   what the guide is recognised by: the library finds the
//                  entering and the leaving guide of a turn on the path by
//                  comparing the turn information's m_GuidePoint with the
//                  m_GuidePoint of each guide of the path, both coordinates
//                  within AP_POINT_EPSILON (3e-6 degrees); never by a
//                  position or an index in the path, and never by the
//                  polyline's points. So the path handed to SetTurnInfo may be
//                  another path than the route line's (a copy, the part ahead
//                  of the vehicle) as long as its guides carry the same
//                  m_GuidePoint values. Any valid point (LonLat.h) that tells
//                  the guide from the others of the path will do; the
//                  reference host uses the guide's last point, where it ends.
//   second record  never read: the path library's own (it may be zeroed).
//
// Byte layout of a guide record (752 bytes). On 32-bit targets every field is
// at the offset below; on 64-bit targets the two point-array pointers take 8
// bytes at the next 8-aligned offset inside the unused gap after them (328 and
// 704), and every other offset stays the same.
//
//   0   uint32_t[4]  first record: head words (the path library's own)
//   16  char[302]    first record: name, 8-bit text, terminated
//   318 uint16_t     first record: attribute 1
//   320 uint16_t     first record: attribute 2
//   322 uint16_t     first record: point count
//   324 tagLonLat*   first record: points              (64-bit: 328)
//   344 double       m_GuideLength: length of the first record's polyline
//   360 tagLonLat    m_GuidePoint: identifies the guide on the path
//   376 uint32_t[4]  second record: head words
//   392 char[302]    second record: name
//   694 uint16_t     second record: attribute 1
//   696 uint16_t     second record: point count
//   698 uint16_t     second record: attribute 2
//   700 tagLonLat*   second record: points             (64-bit: 704)
//   ... unused up to 752
struct PathGuid
{
    uint32_t m_FirstHead[4];
    char m_FirstName[302];
    uint16_t m_FirstAttr1;
    uint16_t m_FirstAttr2;
    uint16_t m_FirstCount;
#if UINTPTR_MAX > 0xFFFFFFFFu
    uint8_t m_Unused1[4];
    tagLonLat* mp_FirstPoints;
    uint8_t m_Unused2[8];
#else
    tagLonLat* mp_FirstPoints;
    uint8_t m_Unused2[16];
#endif
    double m_GuideLength;
    uint8_t m_Unused3[8];
    tagLonLat m_GuidePoint;
    uint32_t m_SecondHead[4];
    char m_SecondName[302];
    uint16_t m_SecondAttr1;
    uint16_t m_SecondCount;
    uint16_t m_SecondAttr2;
#if UINTPTR_MAX > 0xFFFFFFFFu
    uint8_t m_Unused4[4];
    tagLonLat* mp_SecondPoints;
    uint8_t m_Unused5[40];
#else
    tagLonLat* mp_SecondPoints;
    uint8_t m_Unused5[48];
#endif
};

// The layout is the path library's binary contract: checked here so that a
// change of compiler or target cannot move a field silently.
static_assert(sizeof(PathGuid) == 752, "PathGuid is 752 bytes");
static_assert(offsetof(PathGuid, m_FirstName) == 16, "first record name");
static_assert(offsetof(PathGuid, m_FirstAttr1) == 318, "first record attribute 1");
static_assert(offsetof(PathGuid, m_FirstAttr2) == 320, "first record attribute 2");
static_assert(offsetof(PathGuid, m_FirstCount) == 322, "first record point count");
static_assert(offsetof(PathGuid, m_GuideLength) == 344, "m_GuideLength");
static_assert(offsetof(PathGuid, m_GuidePoint) == 360, "m_GuidePoint");
static_assert(offsetof(PathGuid, m_SecondHead) == 376, "second record head words");
static_assert(offsetof(PathGuid, m_SecondName) == 392, "second record name");
static_assert(offsetof(PathGuid, m_SecondAttr1) == 694, "second record attribute 1");
static_assert(offsetof(PathGuid, m_SecondCount) == 696, "second record point count");
static_assert(offsetof(PathGuid, m_SecondAttr2) == 698, "second record attribute 2");
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(offsetof(PathGuid, mp_FirstPoints) == 328, "first record points (64-bit)");
static_assert(offsetof(PathGuid, mp_SecondPoints) == 704, "second record points (64-bit)");
#else
static_assert(offsetof(PathGuid, mp_FirstPoints) == 324, "first record points");
static_assert(offsetof(PathGuid, mp_SecondPoints) == 700, "second record points");
#endif

// The route library's guide record: the same layout, so a NavGuid copies into
// a PathGuid by assignment.
struct NavGuid : public PathGuid
{
};
static_assert(sizeof(NavGuid) == 752, "NavGuid has the PathGuid layout");

// Opaque position of an edge on the path; null means "none".
struct PathPositionTag;
typedef PathPositionTag* POSITION;

// The path as the library reads it. The library only reads; it never keeps a
// point array beyond the call that handed it out, except that guides copied
// into the junction builder refer to the path's point arrays while that path
// lives (the host keeps the path alive while a handle may use it).
//
// Edges and guides are two sequences of one path: the edges (GetFirstPosition,
// GetNext, GetEdge) are the route line, the guides (GetGuid at the first
// position, then GetNextGuid) the road stretches of the junction band. The
// library does not need one guide per edge; a host whose road links are both
// (as the reference host's) hands out the same polyline through both.
class CPath
{
public:
    virtual ~CPath() {}

    // The first edge, or null for a path without edges.
    virtual POSITION GetFirstPosition() = 0;
    // The edge after `position`, or null after the last one.
    virtual POSITION GetNext(POSITION position) = 0;
    // The polyline of the edge at `position`: `count` points at `points`, left
    // in the path's memory. The library does not read the result: it hands
    // whatever the call filled to the map view (0 points and a null array
    // too) and skips the edge when the call left `points` unchanged.
    virtual int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) = 0;
    // The guide at `position` into `guide`. Returns 0 on failure. The library
    // asks only for the guide at the first position: the path's first guide.
    virtual int GetGuid(POSITION position, PathGuid& guide) = 0;
    // The guide after `current` into `next`; returns 0 after the last guide.
    // The next guide must follow from the record's contents alone: the library
    // passes copies of records, and passes ONE record as both arguments to
    // advance it in place, so an implementation must read everything it needs
    // from `current` before it writes `next`.
    virtual int GetNextGuid(const PathGuid& current, PathGuid& next) = 0;
};

// The host's path object; the exported operations take it and read it through
// CPath only.
class CNavPath : public CPath
{
};

#endif
