// A map view that records every call the library makes, and whose scale and
// level a test sets.
#ifndef AP_TESTS_RECORDINGMAPVIEW_H
#define AP_TESTS_RECORDINGMAPVIEW_H

#include "MapService.h"

#include <cstdint>
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

class RecordingMapView : public CMapService
{
public:
    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t value) override;

    // What GetScale answers, and what ScaleToLevel answers for any scale.
    int64_t scale = 1000;
    int32_t level = 0;

    std::vector<DrawCall> calls;
    int getScaleCalls = 0;
    std::vector<int64_t> scaleToLevelArguments;

    void Reset();

private:
    static DrawCall Record(DrawCall::Kind kind, const tagLonLat* points, int32_t count,
                           int32_t third, uint32_t colour, int32_t fifth);
};

// Printable form of a call, for failure messages.
std::string Describe(const DrawCall& call);

} // namespace aptest

#endif
