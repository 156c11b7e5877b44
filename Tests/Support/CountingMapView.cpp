#include "CountingMapView.h"

namespace aptest
{

int CountingMapView::DrawLine(const tagLonLat* points, int32_t count, int32_t /*third*/,
                              uint32_t /*colour*/, int32_t /*fifth*/)
{
    ++m_counts.lines;
    m_counts.points += points != nullptr && count > 0 ? static_cast<uint64_t>(count) : 0;
    return 1;
}

int CountingMapView::DrawPolygon(const tagLonLat* points, int32_t count, int32_t /*third*/,
                                 uint32_t /*colour*/, int32_t /*fifth*/)
{
    ++m_counts.polygons;
    m_counts.points += points != nullptr && count > 0 ? static_cast<uint64_t>(count) : 0;
    return 1;
}

} // namespace aptest
