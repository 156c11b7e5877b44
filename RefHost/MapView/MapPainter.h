// Paints recorded drawing calls with Cairo, in CSS pixels (the caller scales
// the context by the pixel ratio).
#ifndef REFHOST_MAPVIEW_MAPPAINTER_H
#define REFHOST_MAPVIEW_MAPPAINTER_H

#include "RasterMapView.h"

#include <cairo.h>

namespace refhost::mapview
{

// Sets `colour` (0x00BBGGRR, top byte ignored) as the source, with `opacity`
// (0 ... 1).
void SetSourceColour(cairo_t* cr, uint32_t colour, double opacity = 1.0);

// Paints one drawing in `viewport`: one Cairo stroke or fill, or nothing when
// no part of it comes near the image.
void PaintDrawing(cairo_t* cr, const MapViewport& viewport, const RasterMapView::Drawing& drawing);

} // namespace refhost::mapview

#endif
