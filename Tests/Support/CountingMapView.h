// A map view that draws nothing and counts what the library hands it: the
// cheapest thing a host could put behind the library's drawing calls, for
// benchmarks and for measuring a drive without the cost of a raster.
#ifndef AP_TESTS_COUNTINGMAPVIEW_H
#define AP_TESTS_COUNTINGMAPVIEW_H

#include "MapViewDouble.h"

#include <cstdint>

namespace aptest
{

class CountingMapView : public MapViewDouble
{
public:
    struct Counts
    {
        uint64_t lines = 0;    // DrawLine calls
        uint64_t polygons = 0; // DrawPolygon calls
        uint64_t points = 0;   // points handed over in them
    };

    const Counts& Totals() const { return m_counts; }
    void ResetCounts() { m_counts = Counts(); }

    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;

private:
    Counts m_counts;
};

} // namespace aptest

#endif
