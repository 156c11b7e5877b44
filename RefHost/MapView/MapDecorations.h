// What the reference map view paints besides the library's drawings: the
// scale bar, the credit and the caption band, and the font of all its text. Everything is
// in CSS pixels (the caller scales the context by the pixel ratio).
#ifndef REFHOST_MAPVIEW_MAPDECORATIONS_H
#define REFHOST_MAPVIEW_MAPDECORATIONS_H

#include "CaptionLine.h"
#include "WebMercator.h"

#include <cairo.h>

#include <string>
#include <vector>

namespace refhost::mapview
{

// Selects the map view's font (DejaVu Sans) in `weight` at `size` CSS pixels,
// through Cairo's toy text API. Text drawn this way has its font caches
// released at exit (the first call arranges it): draw text only with it.
void SelectFont(cairo_t* cr, cairo_font_weight_t weight, double size);

// The scale bar's length in metres: the largest 1, 2 or 5 times a power of
// ten that spans at most `maxPixels` at `metresPerPixel`. 0 when the arguments
// are not positive and finite.
double ScaleBarMetres(double metresPerPixel, double maxPixels);

// "500 m", "2 km", "0.5 m": kilometres from 1000 m on.
std::string ScaleBarLabel(double metres);

// Paints the scale bar in the bottom-left corner of `viewport`, true at the
// viewport's centre.
void PaintScaleBar(cairo_t* cr, const MapViewport& viewport);

// Paints `credit` (the attribution of the data drawn) in the bottom-right
// corner on a light box; nothing when it is empty.
void PaintCredit(cairo_t* cr, const MapViewport& viewport, const std::string& credit);

// Paints the vehicle marker at `position`: a white disc with a blue arrow
// pointing along `headingDegrees` (clockwise from north; the viewport's
// bearing is taken into account). Nothing for a non-finite position.
void PaintVehicleMarker(cairo_t* cr, const MapViewport& viewport, const tagLonLat& position,
                        double headingDegrees);

// Height of the caption band in CSS pixels for the given lines; 0 when there
// are none.
double CaptionBandHeight(const std::vector<CaptionLine>& lines);

// Paints the caption band along the top edge, the lines from the top down;
// nothing when there are none. A line wider than the band is cut at a
// character boundary and ends in an ellipsis.
void PaintCaption(cairo_t* cr, const MapViewport& viewport, const std::vector<CaptionLine>& lines);

} // namespace refhost::mapview

#endif
