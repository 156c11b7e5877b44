#include "RecordingMapView.h"

#include "MapView/ScaleLevels.h"

#include <cinttypes>

namespace web
{

void RecordingMapView::Write(const char* call, const tagLonLat* points, int32_t count,
                             int32_t third, uint32_t colour, int32_t fifth)
{
    // Write errors show in the stream (DriveCalls checks it at the end).
    static_cast<void>(std::fprintf(m_out, "%s %" PRId32 " %" PRId32 " %" PRIu32 " %" PRId32 ":",
                                   call, count, third, colour, fifth));
    for (int32_t i = 0; points != nullptr && i < count; ++i)
        static_cast<void>(std::fprintf(m_out, " %.17g,%.17g", points[i].lon, points[i].lat));
    static_cast<void>(std::fputc('\n', m_out));
}

int RecordingMapView::DrawLine(const tagLonLat* points, int32_t count, int32_t third,
                               uint32_t colour, int32_t fifth)
{
    Write("DrawLine", points, count, third, colour, fifth);
    return 1;
}

int RecordingMapView::DrawPolygon(const tagLonLat* points, int32_t count, int32_t third,
                                  uint32_t colour, int32_t fifth)
{
    Write("DrawPolygon", points, count, third, colour, fifth);
    return 1;
}

int64_t RecordingMapView::GetScale()
{
    const int64_t scale = refhost::ScaleOfViewport(m_viewport);
    static_cast<void>(std::fprintf(m_out, "GetScale %" PRId64 "\n", scale));
    return scale;
}

int32_t RecordingMapView::ScaleToLevel(int64_t scale)
{
    const int32_t level = refhost::LevelOfScale(scale);
    static_cast<void>(std::fprintf(m_out, "ScaleToLevel %" PRId64 " %" PRId32 "\n", scale, level));
    return level;
}

} // namespace web
