// The host's map view, as the library calls it. The map data library of the
// host defines CMapService implementations and CMapCreate::GetMapService; the
// library only declares them and never creates or frees a map view.
//
// The calls of one Draw (AdvicePathRenderEx.h), in this order; s is the size
// record of the current level, the colours those of AdvicePathClrSetting:
//
//   GetScale, then ScaleToLevel with its result: the level, which selects s
//   Route line (Draw's first flag), each edge of the path in path order:
//     DrawLine(edge, n, 0, m_PathBorderClr, low 16 bits of s.m_PathBorderWidth)
//     then again every edge: DrawLine(edge, n, 0, m_PathClr, low 16 bits of s.m_PathWidth)
//   Turn (Draw's second flag, level <= the turn limit of SetSize, a turn set):
//     DrawLine(band edge, n, 0, m_ArrowBorderClr, s.m_EdgeBorderWidth)  each edge
//     DrawLine(arrow head, 3, s.m_ArrowBorderParam, m_ArrowBorderClr, m_ArrowBorderClr)
//     DrawLine(band edge, n, 0, m_ArrowClr, s.m_EdgeWidth)              each edge
//     DrawPolygon(arrow head, 3, s.m_ArrowFillParam, m_ArrowClr, m_ArrowClr)
//   Origin-destination line (EnableDrawRedLine(true)):
//     DrawLine(origin .. destination, 2 or 11, 0, 255, 2)
//
// The band edges run in driving order: the entering road, the guides through
// the junction, the leaving road, whose last edge ends at the base of the
// arrow head (RouteLibrary.h shows where they come from). The tip is the
// leaving road's end; walking back from it, segment by segment with the
// two-point SegmentLength, the segment on which the walked length first
// exceeds m_ArrowLength starts at P0. The arrow's axis is the chord from P0
// to the tip (to a quarter degree), the base's middle lies m_ArrowLength
// back from the tip on that chord, and the band's last point is that base.
// On a straight road the base is on the road; where the road bends under the
// arrow (a hairpin, a road curling into a roundabout) it lies on the chord,
// off the road, and seen from the tip it may lie at or beyond P0, so the band
// turns back to meet it. The arrow head is three points: the tip, then the base corner on the right
// of the direction of travel, then the one on the left; its outline arrives as an open three-point
// DrawLine that the map view closes (tip to right corner to left corner and
// back to the tip). The origin-destination line is straight in longitude and
// latitude, colour 255 and width 2 whatever the colours set, handed over as
// its two ends, or as eleven points at equal steps when LineLength measures it
// at 200000 units or more.
//
// All drawing calls are complete when they return: the point arrays handed in
// may live on the caller's stack or be rewritten right after the call. Later
// calls paint over earlier ones. Results of the drawing calls are ignored.
#ifndef ADVICEPATH_HOST_MAPSERVICE_H
#define ADVICEPATH_HOST_MAPSERVICE_H

#include "HostVisibility.h"
#include "LonLat.h"

#include <stdint.h>

// A map view. The four drawing and scale operations below are the ones the
// library calls, in this slot order after the destructor; an implementation may
// add further virtual operations after them.
class CMapService
{
public:
    virtual ~CMapService() {}

    // A polyline through `count` points (count >= 0; points readable for count
    // elements). With third == 0 it is an open line and `fifth` is its width
    // (pixels on the reference map view). With third != 0 it is the outline of
    // the turn arrow head: `third` is the outline width the host set in
    // m_ArrowBorderParam, the line is to be closed, and `fifth` repeats the
    // colour.
    virtual int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                         int32_t fifth) = 0;

    // A filled polygon: the three points of the arrow head. `third` is the fill
    // parameter the host set in m_ArrowFillParam (the reference map view reads
    // it as an opacity in percent); `fifth` repeats the colour.
    virtual int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                            int32_t fifth) = 0;

    // The current scale as a 64-bit value. The library never interprets it; it
    // hands it unchanged to ScaleToLevel.
    virtual int64_t GetScale() = 0;

    // The index into the host's size table for `scale`; 0 or more. A negative
    // level is taken as 0. A level at or past the end of the table uses record
    // 5 when the table has more than 5 records, else the table's last record,
    // and logs it at 800 on every Draw (Logging.h, messages 288 and 293): a
    // table should cover every level the map view answers.
    virtual int32_t ScaleToLevel(int64_t scale) = 0;
};

// Where a handle takes its default map view from.
class ADVICEPATH_HOST_API CMapCreate
{
public:
    // Returns the host's default map view for `context` (the library passes
    // null), or null when there is none. Not owned by the caller.
    static CMapService* GetMapService(void* context);
};

#endif
