// A map view that records every call the library makes, and whose scale and
// level a test sets (MapViewDouble.h). Where `trace` is set it also writes
// every call there as it comes, one line each with every argument
// (coordinates to 17 significant digits, enough to tell any two doubles
// apart): two builds that write the same text made the same calls.
#ifndef AP_TESTS_RECORDINGMAPVIEW_H
#define AP_TESTS_RECORDINGMAPVIEW_H

#include "MapViewDouble.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace aptest
{

struct DrawCall
{
    enum class Kind
    {
        Line,
        Polygon
    };
    Kind kind = Kind::Line;
    std::vector<tagLonLat> points;    // copied at the call: the library may reuse its arrays
    const tagLonLat* array = nullptr; // the array as handed over, null included
    int32_t count = 0;
    int32_t third = 0;
    uint32_t colour = 0;
    int32_t fifth = 0;

    bool IsLine() const { return kind == Kind::Line; }
    bool IsPolygon() const { return kind == Kind::Polygon; }
};

class RecordingMapView : public MapViewDouble
{
public:
    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;
    // MapViewDouble's answers, counted and traced.
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t value) override;

    std::vector<DrawCall> calls;
    int getScaleCalls = 0;
    std::vector<int64_t> scaleToLevelArguments;
    std::FILE* trace = nullptr; // write errors show in the stream

    void Reset();

private:
    DrawCall Record(DrawCall::Kind kind, const tagLonLat* points, int32_t count, int32_t third,
                    uint32_t colour, int32_t fifth) const;
};

// Printable form of a call, for failure messages.
std::string Describe(const DrawCall& call);

} // namespace aptest

#endif
