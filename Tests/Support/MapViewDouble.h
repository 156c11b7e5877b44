// The scale answers shared by the map views that stand in for a host's in
// tests, benchmarks, fuzz targets, the browser checks and the measuring
// tools: GetScale answers `scale`; ScaleToLevel answers levelOf(its argument)
// where levelOf is set, `level` otherwise. A view that follows a viewport as
// the reference map view does gets both from FollowViewport
// (ViewportScale.h).
#ifndef AP_TESTS_MAPVIEWDOUBLE_H
#define AP_TESTS_MAPVIEWDOUBLE_H

#include "MapService.h"

#include <cstdint>

namespace aptest
{

class MapViewDouble : public CMapService
{
public:
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t value) override;

    int64_t scale = 1000;
    int32_t level = 0;
    int32_t (*levelOf)(int64_t) = nullptr;
};

} // namespace aptest

#endif
