// Road names written along their roads: each name centred on the longest
// stretch of its road in the picture, letter by letter along the line, read
// left to right, in dark ink on the road itself (a white halo around the
// letters would double the cost of a close view's frame); left out where the
// stretch is too short or bends too much under the name, where it would cover
// another name, or near the same name written already.
#ifndef ROADMAP_PAINTER_ROADLABELS_H
#define ROADMAP_PAINTER_ROADLABELS_H

#include "MapView/PixelClip.h"

#include <cairo.h>

#include <string>
#include <vector>

namespace roadmap
{

struct LabelledLine
{
    const std::string* text = nullptr;                                // UTF-8
    const std::vector<refhost::mapview::PixelLine>* pieces = nullptr; // CSS pixels
};

// Writes the labels, the first ones first (a caller puts the more important
// roads first): a label that would cover one written before is left out.
void PaintRoadLabels(cairo_t* cr, double width, double height,
                     const std::vector<LabelledLine>& lines);

} // namespace roadmap

#endif
