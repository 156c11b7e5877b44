// How the road map looks at each level of the reference map view
// (MapView/ScaleLevels.h: level 0 finer than 1 m per pixel, each level one
// halving of the detail): colours, widths in CSS pixels, and what shows.
//
// Roads are drawn as road maps draw them: a darker casing under a lighter
// fill, the major classes in warm colours (motorways orange, trunks and
// primaries shading to yellow), the minor ones white, widths shrinking by a
// factor of 0.72 a level and the minor classes left out as the view widens.
// Link ramps are drawn in their class's colours, narrower. Colours are
// 0x00BBGGRR like the map view's drawing calls.
#ifndef ROADMAP_PAINTER_ROADSTYLE_H
#define ROADMAP_PAINTER_ROADSTYLE_H

#include "RoadMap/RoadMap.h"

#include <cstdint>

namespace roadmap
{

// A web colour 0xRRGGBB in the map view's order 0x00BBGGRR.
constexpr uint32_t Rgb(uint32_t webColour)
{
    return ((webColour & 0xFFu) << 16) | (webColour & 0xFF00u) | ((webColour >> 16) & 0xFFu);
}

struct Stroke
{
    uint32_t colour = 0;
    double width = 0.0; // CSS pixels; 0 draws nothing
};

struct RoadLook
{
    bool shown = false;
    Stroke casing; // width 0 when the road is too thin to be cased
    Stroke fill;   // drawn in the casing's colour when not cased
};

// The look of a road of `roadClass` (a link ramp when `isLink`) at `level`.
RoadLook LookOfRoad(RoadClass roadClass, bool isLink, int level);

// A waterway's line at `level` (width 0 when hidden: streams at wide views).
Stroke LookOfWaterway(WaterwayKind kind, int level);

// Water areas always show; buildings only in close views.
constexpr uint32_t kWaterColour = Rgb(0xA9CBE8);
constexpr uint32_t kBuildingColour = Rgb(0xDCD3CB);
constexpr uint32_t kBuildingOutlineColour = Rgb(0xC7BAAF);
bool BuildingsShown(int level);
// Outlines only in the closest view, where buildings are large.
bool BuildingOutlinesShown(int level);
constexpr double kBuildingOutlineWidth = 0.75;

// Road names are written along the roads in close views.
bool NamesShown(int level);
constexpr uint32_t kNameColour = Rgb(0x3A3A3A);
constexpr double kNameFontSize = 11.0; // CSS pixels

} // namespace roadmap

#endif
