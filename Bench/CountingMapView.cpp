// A map view that only counts: the cheapest thing a host could put behind the
// library's drawing calls, so that a benchmark measures the library's side.
#include "BenchHost.h"

namespace
{

// The scale the view reports; the library only hands it back to ScaleToLevel.
constexpr int64_t kFixedScale = 1000;

class CountingMapView : public CMapService
{
public:
    explicit CountingMapView(int32_t level) : m_level(level) {}

    int DrawLine(const tagLonLat* points, int32_t count, int32_t /*third*/, uint32_t /*colour*/,
                 int32_t /*fifth*/) override
    {
        ++m_counts.lines;
        m_counts.points += points != nullptr && count > 0 ? static_cast<uint64_t>(count) : 0;
        return 1;
    }

    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t /*third*/, uint32_t /*colour*/,
                    int32_t /*fifth*/) override
    {
        ++m_counts.polygons;
        m_counts.points += points != nullptr && count > 0 ? static_cast<uint64_t>(count) : 0;
        return 1;
    }

    int64_t GetScale() override { return kFixedScale; }
    int32_t ScaleToLevel(int64_t /*scale*/) override { return m_level; }

    bench::DrawCounts m_counts;

private:
    int32_t m_level;
};

} // namespace

namespace bench
{

std::unique_ptr<CMapService> NewCountingMapView(int32_t level)
{
    return std::make_unique<CountingMapView>(level);
}

DrawCounts CountsOf(const CMapService& view)
{
    const auto* counting = dynamic_cast<const CountingMapView*>(&view);
    return counting != nullptr ? counting->m_counts : DrawCounts();
}

void ResetCounts(CMapService& view)
{
    if (auto* counting = dynamic_cast<CountingMapView*>(&view))
        counting->m_counts = DrawCounts();
}

} // namespace bench
