// The bench host's counting map view (Support/CountingMapView.h), handed out
// as the library's interface type only.
#include "BenchHost.h"

namespace bench
{

std::unique_ptr<CMapService> NewCountingMapView(int32_t level)
{
    auto view = std::make_unique<aptest::CountingMapView>();
    view->level = level;
    return view;
}

DrawCounts CountsOf(const CMapService& view)
{
    const auto* counting = dynamic_cast<const aptest::CountingMapView*>(&view);
    return counting != nullptr ? counting->Totals() : DrawCounts();
}

void ResetCounts(CMapService& view)
{
    if (auto* counting = dynamic_cast<aptest::CountingMapView*>(&view))
        counting->ResetCounts();
}

} // namespace bench
