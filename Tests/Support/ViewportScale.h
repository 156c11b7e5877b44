// A map view double whose scale follows the viewport a host sets, worked out
// at every GetScale as the reference map view does (ScaleLevels.h). Header
// only: a program that includes it links the reference host's map
// projection, which the doubles themselves do not need.
#ifndef AP_TESTS_VIEWPORTSCALE_H
#define AP_TESTS_VIEWPORTSCALE_H

#include "MapViewDouble.h"

#include "MapView/ScaleLevels.h"

namespace aptest
{

template <typename View> class FollowingViewport : public View, private ScaleRule
{
public:
    FollowingViewport() { this->rule = this; }
    FollowingViewport(const FollowingViewport&) = delete;
    FollowingViewport& operator=(const FollowingViewport&) = delete;

    // The view GetScale reports on; any viewport is taken as it is.
    void SetViewport(const refhost::MapViewport& viewport) { m_viewport = viewport; }
    const refhost::MapViewport& Viewport() const { return m_viewport; }

private:
    int64_t Scale() const override { return refhost::ScaleOfViewport(m_viewport); }
    int32_t Level(int64_t value) const override { return refhost::LevelOfScale(value); }

    refhost::MapViewport m_viewport;
};

} // namespace aptest

#endif
