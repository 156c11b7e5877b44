// Where to look at a manoeuvre: the view centred on the junction at the finest
// level whose band fits the picture.
#ifndef TOOLS_ADVICEPATH_RENDER_TURNFRAMING_H
#define TOOLS_ADVICEPATH_RENDER_TURNFRAMING_H

#include "AdvicePathRenderEx.h"
#include "MapView/RasterMapView.h"

namespace tools
{

struct TurnFrame
{
    refhost::MapViewport viewport;
    int level = 0;
    bool bandFits = false; // false: no level showed the whole band (or none was drawn)
};

// Centres `base` (its size and pixel ratio are kept) on `junction` and tries
// the levels 0 ... maxTurnLevel at their design resolutions: at each it draws
// the turn alone through `render` into `view` (the handle's map view) and keeps
// the first level at which every drawn point lies inside the picture, clear of
// `margin` pixels at the sides and of `topReserve` more at the top (the
// caption). The turn must already be set (SetTurnInfo). Leaves `view` cleared.
TurnFrame FrameTurn(AdvicePathRenderEx& render, refhost::RasterMapView& view,
                    const refhost::MapViewport& base, const tagLonLat& junction, int maxTurnLevel,
                    double margin, double topReserve);

} // namespace tools

#endif
