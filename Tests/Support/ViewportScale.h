// Makes a map view double answer as the reference map view does for a
// viewport (ScaleLevels.h). Header only: a program that includes it links the
// reference host's map projection, which the doubles themselves do not need.
#ifndef AP_TESTS_VIEWPORTSCALE_H
#define AP_TESTS_VIEWPORTSCALE_H

#include "MapViewDouble.h"

#include "MapView/ScaleLevels.h"

namespace aptest
{

inline void FollowViewport(MapViewDouble& view, const refhost::MapViewport& viewport)
{
    view.scale = refhost::ScaleOfViewport(viewport);
    view.levelOf = &refhost::LevelOfScale;
}

} // namespace aptest

#endif
