// A map view that writes every call the library makes, with every argument
// (coordinates to 17 significant digits, enough to tell any two doubles
// apart), one line each: two builds that write the same text made the same
// calls. Its scale follows the viewport, as the page's canvas map view.
#ifndef WEB_CHECKS_RECORDINGMAPVIEW_H
#define WEB_CHECKS_RECORDINGMAPVIEW_H

#include "MapService.h"
#include "MapView/WebMercator.h"

#include <cstdio>

namespace web
{

class RecordingMapView : public CMapService
{
public:
    explicit RecordingMapView(std::FILE* out) : m_out(out) {}

    void SetViewport(const refhost::MapViewport& viewport) { m_viewport = viewport; }

    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t scale) override;

private:
    void Write(const char* call, const tagLonLat* points, int32_t count, int32_t third,
               uint32_t colour, int32_t fifth);

    std::FILE* m_out;
    refhost::MapViewport m_viewport;
};

} // namespace web

#endif
