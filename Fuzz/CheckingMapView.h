// A map view for the library fuzzer that checks every drawing call against
// what the renderer that is drawing may hand it: readable points, sane
// counts, and widths, colours and parameters taken from the one size record
// and the colours in force. Outside a Draw no call may arrive at all. Its
// scale and level are fixed (MapViewDouble.h).
#ifndef AP_FUZZ_CHECKINGMAPVIEW_H
#define AP_FUZZ_CHECKINGMAPVIEW_H

#include "LibraryScenario.h"
#include "Support/MapViewDouble.h"

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace apfuzz
{

// What one Draw may put on this view.
struct DrawExpectation
{
    bool allowed = false; // false: no call at all
    SizeRecord record;
    uint32_t pathClr = 0;
    uint32_t pathBorderClr = 0;
    uint32_t arrowClr = 0;
    uint32_t arrowBorderClr = 0;
    // The route line: the (points, count) of every edge of the renderer's
    // path; empty when no route line may be drawn.
    std::set<std::pair<const tagLonLat*, int32_t>> routeEdges;
    bool turn = false;    // junction band and arrow head
    bool redLine = false; // origin-destination line
    tagLonLat redFrom = AP_INVALID_POINT;
    tagLonLat redTo = AP_INVALID_POINT;
};

class CheckingMapView : public aptest::MapViewDouble
{
public:
    explicit CheckingMapView(const char* name) : m_name(name) {}

    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;

    // Sets what the next Draw may do and clears the counters.
    void Expect(const DrawExpectation& expectation);
    // No call allowed until the next Expect.
    void Forbid();

    int lines = 0;
    int polygons = 0;

private:
    // Reads every point, so that ASan sees an array shorter than `count`.
    void Touch(const tagLonLat* points, int32_t count) const;
    bool IsRouteLine(const tagLonLat* points, int32_t count, uint32_t colour, int32_t fifth) const;
    bool IsBandLine(uint32_t colour, int32_t fifth) const;
    bool IsArrowOutline(int32_t count, int32_t third, uint32_t colour, int32_t fifth) const;
    bool IsRedLine(const tagLonLat* points, int32_t count, uint32_t colour, int32_t fifth) const;

    const char* m_name;
    DrawExpectation m_expect;
};

} // namespace apfuzz

#endif
