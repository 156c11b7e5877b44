#include "RecordingMapView.h"

#include <sstream>

namespace aptest
{

DrawCall RecordingMapView::Record(DrawCall::Kind kind, const tagLonLat* points, int32_t count,
                                  int32_t third, uint32_t colour, int32_t fifth)
{
    DrawCall call;
    call.kind = kind;
    call.array = points;
    call.count = count;
    call.third = third;
    call.colour = colour;
    call.fifth = fifth;
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
    return scale;
}

int32_t RecordingMapView::ScaleToLevel(int64_t value)
{
    scaleToLevelArguments.push_back(value);
    return level;
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
