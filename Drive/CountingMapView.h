// A map view that draws nothing and counts what the library hands it: for
// measuring a drive without the cost of a raster. Its scale follows the
// viewport a host sets, as the reference map view's does (ScaleLevels.h).
#ifndef DRIVE_COUNTINGMAPVIEW_H
#define DRIVE_COUNTINGMAPVIEW_H

#include "MapService.h"
#include "MapView/WebMercator.h"

#include <cstdint>

namespace drive
{

class CountingMapView : public CMapService
{
public:
    struct Counts
    {
        uint64_t lines = 0;    // DrawLine calls
        uint64_t polygons = 0; // DrawPolygon calls
        uint64_t points = 0;   // points handed over in them
    };

    // The view GetScale reports on; any viewport is taken as it is.
    void SetViewport(const refhost::MapViewport& viewport) { m_viewport = viewport; }
    const Counts& Totals() const { return m_counts; }

    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t scale) override;

private:
    refhost::MapViewport m_viewport;
    Counts m_counts;
};

} // namespace drive

#endif
