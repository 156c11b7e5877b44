// The browser host's map view: the library's lines and polygons drawn on the
// page's current canvas (a 2D context the page selects before each drawing,
// CanvasMapView.js), projected on the reference host's Web Mercator viewport
// and answering scales and levels as the reference map view does
// (ScaleLevels.h), so that the same size table means the same in both.
#ifndef WEB_HOST_CANVASMAPVIEW_H
#define WEB_HOST_CANVASMAPVIEW_H

#include "MapService.h"
#include "MapView/WebMercator.h"

#include <vector>

namespace web
{

class CanvasMapView : public CMapService
{
public:
    void SetViewport(const refhost::MapViewport& viewport) { m_viewport = viewport; }
    const refhost::MapViewport& Viewport() const { return m_viewport; }

    // Paints the whole canvas in the map's ground colour.
    static void Clear();

    // Open lines `fifth` pixels wide (round caps and joins, as the reference
    // map view); the arrow head's outline, `third` pixels wide, closed.
    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    // The arrow head filled at `third` percent opacity.
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t scale) override;

private:
    refhost::MapViewport m_viewport;
    std::vector<float> m_pixels; // x, y pairs handed to the canvas; reused
};

// The page's one map view, also the host's default (CMapCreate).
CanvasMapView& DefaultCanvasMapView();

} // namespace web

#endif
