// A map painted under the library's drawings by something other than the map
// view, such as a road map: the map view calls it at two points of every
// picture and knows nothing else of it.
#ifndef REFHOST_MAPVIEW_MAPUNDERLAY_H
#define REFHOST_MAPVIEW_MAPUNDERLAY_H

#include "WebMercator.h"

#include <cairo.h>

namespace refhost
{

class MapUnderlay
{
public:
    virtual ~MapUnderlay() = default;

    // Paints the map: called after the background is filled, before the
    // background roads, the library's drawings and everything above them.
    // The context is in CSS pixels of `viewport` (scaled by its pixel ratio);
    // the painter leaves its state as it found it.
    virtual void PaintUnder(cairo_t* cr, const MapViewport& viewport) const = 0;

    // Paints what must stay readable above everything, such as the map data's
    // attribution: called last, after the scale bar and the caption, with the
    // context as for PaintUnder.
    virtual void PaintOver(cairo_t* cr, const MapViewport& viewport) const = 0;
};

} // namespace refhost

#endif
