// The scale answers shared by the map views that stand in for a host's in
// tests, benchmarks, fuzz targets, the browser checks and the tools'
// measuring drives: GetScale answers `scale` and ScaleToLevel `level` for any
// scale, unless a scale rule is set, which answers both. A view that follows
// a viewport as the reference map view does is a FollowingViewport
// (ViewportScale.h).
#ifndef AP_TESTS_MAPVIEWDOUBLE_H
#define AP_TESTS_MAPVIEWDOUBLE_H

#include "MapService.h"

#include <cstdint>

namespace aptest
{

class ScaleRule
{
public:
    virtual int64_t Scale() const = 0;
    virtual int32_t Level(int64_t value) const = 0;

protected:
    ~ScaleRule() = default;
};

class MapViewDouble : public CMapService
{
public:
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t value) override;

    int64_t scale = 1000;
    int32_t level = 0;
    const ScaleRule* rule = nullptr; // not owned
};

} // namespace aptest

#endif
