// The bench host: the reference host's logging, stopwatch, memory status,
// route library and map view, with two services of its own:
//
// - the geodesy binding (the library's LineLength, SegmentLength and
//   GetUnitDegree), switchable between the reference geodesy's fast model, its
//   exact geodesic, and a planar model that costs almost nothing, so that the
//   share of the geodesy in a frame can be seen;
// - a map view that only counts the calls it receives.
//
// The counting map view and the synthetic path (SyntheticPath.h) live in
// their own translation units and are handed out as the library's interface
// types only: code that calls them, the library or a baseline, sees nothing
// but CMapService and CPath and must make real virtual calls.
#ifndef AP_BENCH_BENCHHOST_H
#define AP_BENCH_BENCHHOST_H

#include "MapService.h"
#include "Support/CountingMapView.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace bench
{

enum class GeodesyModel
{
    // The reference geodesy's default: a local ellipsoidal approximation up to
    // 5 km, the geodesic beyond.
    Fast,
    // The reference geodesy's geodesic for every segment.
    Exact,
    // A flat plane around a reference latitude (SetPlanarLonScale): lengths
    // from a fixed number of metres per degree on each axis. Wrong by up to a
    // few per mille away from the reference latitude; used only to show what
    // the rest of a frame costs without geodesy.
    Planar,
};

// Selects the model behind the library's geodesy calls (default Fast).
void SetGeodesyModel(GeodesyModel model);
GeodesyModel GetGeodesyModel();
const char* GeodesyModelName(GeodesyModel model);

// The planar model's metres per degree of longitude at `latitudeDegrees`.
double PlanarLonScaleAt(double latitudeDegrees);
// Sets the planar model's metres per degree of longitude (default: at 45
// degrees): a plain store, cheap enough to call before every frame.
void SetPlanarLonScale(double metresPerLonDegree);

// Calls of the library's geodesy since the start (every model counts).
struct GeodesyCounts
{
    uint64_t segmentCalls = 0; // SegmentLength, both forms
    uint64_t lineCalls = 0;    // LineLength
    uint64_t lineSegments = 0; // segments measured inside LineLength
    uint64_t unitDegreeCalls = 0;
};
GeodesyCounts ReadGeodesyCounts();

// One call of the library's geodesy, with its arguments: what the turn's floor
// (TurnFloor.cpp) makes again. LineLength's points are the caller's array,
// which must outlive the record.
struct GeodesyCall
{
    enum Kind : uint8_t
    {
        Line,          // LineLength(count, points)
        SegmentValues, // SegmentLength(lon1, lat1, lon2, lat2)
        SegmentPoints, // SegmentLength(a, b)
        UnitDegree,    // GetUnitDegree(a, ...)
    };
    Kind kind = Line;
    unsigned short count = 0;
    const tagLonLat* points = nullptr;
    tagLonLat a = {0.0, 0.0};
    tagLonLat b = {0.0, 0.0};
};
// While `calls` is not null, every geodesy call is also appended to it.
void RecordGeodesyCalls(std::vector<GeodesyCall>* calls);

// A map view that counts DrawLine and DrawPolygon calls and the points handed
// to them (Support/CountingMapView.h). Its scale is fixed; ScaleToLevel
// answers `level` for any scale.
using DrawCounts = aptest::CountingMapView::Counts;
std::unique_ptr<CMapService> NewCountingMapView(int32_t level = 0);
// The counts of a view made by NewCountingMapView (zero for any other view).
DrawCounts CountsOf(const CMapService& view);
void ResetCounts(CMapService& view);

// The reference host's logging as it ships (threshold info: the probe's lines
// are formatted and written), with its lines going to the null device instead
// of standard error so that a benchmark's output stays readable; the layout
// and the write per line are the shipped ones. Call before the first line;
// later calls do nothing.
void RouteLogLinesToNullDevice();
// refhost::logging::SetThreshold(kInfo) or (kOff).
void SetLoggingShipped();
void SetLoggingOff();

} // namespace bench

#endif
