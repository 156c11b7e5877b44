// The host's map view, as the library calls it. The map data library of the
// host defines CMapService implementations and CMapCreate::GetMapService; the
// library only declares them and never creates or frees a map view.
#ifndef ADVICEPATH_HOST_MAPSERVICE_H
#define ADVICEPATH_HOST_MAPSERVICE_H

#include "LonLat.h"

#include <stdint.h>

// A map view. The four drawing and scale operations below are the ones the
// library calls, in this slot order after the destructor; an implementation may
// add further virtual operations after them.
//
// All drawing calls are complete when they return: the point arrays handed in
// may live on the caller's stack or be rewritten right after the call. Later
// calls paint over earlier ones. Results of the drawing calls are ignored.
class CMapService
{
public:
    virtual ~CMapService() {}

    // A polyline through `count` points (count >= 0; points readable for count
    // elements). With third == 0 the line is a plain line and `fifth` is its
    // width in pixels; the library uses a non-zero third only for the outline
    // of the turn arrow head, where it passes the colour again as `fifth`.
    virtual int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                         int32_t fifth) = 0;

    // A filled polygon (the library hands the three points of the arrow head).
    // The meaning of `third` is the map view's; the library passes the colour
    // again as `fifth`.
    virtual int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                            int32_t fifth) = 0;

    // The current scale as a 64-bit value. The library never interprets it; it
    // hands it unchanged to ScaleToLevel.
    virtual int64_t GetScale() = 0;

    // The index into the host's size table for `scale`; 0 or more. The renderer
    // clamps the upper end to its size table, and takes a negative level as 0.
    virtual int32_t ScaleToLevel(int64_t scale) = 0;
};

// Where a handle takes its default map view from.
class CMapCreate
{
public:
    // Returns the host's default map view for `context` (the library passes
    // null), or null when there is none. Not owned by the caller.
    static CMapService* GetMapService(void* context);
};

#endif
