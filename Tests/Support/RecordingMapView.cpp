#include "RecordingMapView.h"

#include <cinttypes>
#include <sstream>

namespace aptest
{

DrawCall RecordingMapView::Record(DrawCall::Kind kind, const tagLonLat* points, int32_t count,
                                  int32_t third, uint32_t colour, int32_t fifth) const
{
    if (trace != nullptr)
    {
        static_cast<void>(std::fprintf(trace, "%s %" PRId32 " %" PRId32 " %" PRIu32 " %" PRId32 ":",
                                       kind == DrawCall::Kind::Line ? "DrawLine" : "DrawPolygon",
                                       count, third, colour, fifth));
        for (int32_t i = 0; points != nullptr && i < count; ++i)
            static_cast<void>(std::fprintf(trace, " %.17g,%.17g", points[i].lon, points[i].lat));
        static_cast<void>(std::fputc('\n', trace));
    }
    DrawCall call{kind, {}, points, count, third, colour, fifth};
    if (points != nullptr && count > 0)
        call.points.assign(points, points + count);
    return call;
}

int RecordingMapView::DrawLine(const tagLonLat* points, int32_t count, int32_t third,
                               uint32_t colour, int32_t fifth)
{
    calls.push_back(Record(DrawCall::Kind::Line, points, count, third, colour, fifth));
    return 1;
}

int RecordingMapView::DrawPolygon(const tagLonLat* points, int32_t count, int32_t third,
                                  uint32_t colour, int32_t fifth)
{
    calls.push_back(Record(DrawCall::Kind::Polygon, points, count, third, colour, fifth));
    return 1;
}

int64_t RecordingMapView::GetScale()
{
    ++getScaleCalls;
    const int64_t answer = MapViewDouble::GetScale();
    if (trace != nullptr)
        static_cast<void>(std::fprintf(trace, "GetScale %" PRId64 "\n", answer));
    return answer;
}

int32_t RecordingMapView::ScaleToLevel(int64_t value)
{
    scaleToLevelArguments.push_back(value);
    const int32_t answer = MapViewDouble::ScaleToLevel(value);
    if (trace != nullptr)
        static_cast<void>(
            std::fprintf(trace, "ScaleToLevel %" PRId64 " %" PRId32 "\n", value, answer));
    return answer;
}

void RecordingMapView::Reset()
{
    calls.clear();
    getScaleCalls = 0;
    scaleToLevelArguments.clear();
}

std::string Describe(const DrawCall& call)
{
    std::ostringstream out;
    out << (call.IsLine() ? "DrawLine(" : "DrawPolygon(") << call.count << " points, " << call.third
        << ", 0x" << std::hex << call.colour << std::dec << ", " << call.fifth << ")";
    return out.str();
}

} // namespace aptest
