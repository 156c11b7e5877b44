// The test host: every service the library calls, in a form that tests set up
// and inspect. Link ap_testhost (never the reference host) with the library.
#ifndef AP_TESTS_TESTHOST_H
#define AP_TESTS_TESTHOST_H

#include "Geodesy.h"
#include "MapService.h"
#include "MemoryStatus.h"
#include "PathLibrary.h"
#include "RecordingLog.h"
#include "RecordingMapView.h"
#include "RouteLibrary.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace aptest
{

// ---- map creation -------------------------------------------------------
// What CMapCreate::GetMapService answers (null by default), and how often it
// was asked.
struct MapCreateControl
{
    static CMapService*& DefaultMapView();
    static int& Calls();
};

// ---- memory status ------------------------------------------------------
// GlobalMemoryStatus answers the queued readings in order, then repeats the
// last one (all zero before any is queued). Each reading gives the used
// physical and virtual bytes; totals are chosen so that total - avail = used.
struct MemoryReading
{
    uint32_t usedPhys = 0;
    uint32_t usedVirtual = 0;
};
struct MemoryControl
{
    static void Queue(MemoryReading reading);
    static void Reset();
    static int Calls();
    static uint32_t LastLengthField(); // dwLength seen at the last call
};

// ---- timer ---------------------------------------------------------------
// Every Timer measures this many milliseconds (default 1.5).
struct TimerControl
{
    static double& ElapsedMs();
};

// ---- geodesy --------------------------------------------------------------
// By default a planar geodesy with exact lengths: a degree is `unitsPerDegree`
// length units on both axes (default 1.0), SegmentLength is the Euclidean
// distance and GetUnitDegree answers 1 / unitsPerDegree for both axes. A test
// may install the reference geodesy instead (where it is built).
struct GeodesyControl
{
    static void UsePlanar(double unitsPerDegree = 1.0);
    static void UseReference(); // WGS84 metres through the reference geodesy
    static bool ReferenceAvailable();
    static int& SegmentLengthCalls();
};

// ---- path ------------------------------------------------------------------
// A path built in the test: edges (the route line) and guides (the junction
// walks). Guides are numbered in path order; a guide record carries its index
// in m_FirstHead[0] (the library copies but never interprets the head words).
class TestPath : public CNavPath
{
public:
    // Adds an edge of the route line.
    void AddEdge(std::vector<tagLonLat> points);
    // Adds a guide whose first record is `points`, named `name`; its guide
    // point is the last point and its guide length `length` (when negative,
    // the planar length of the points in the current test geodesy).
    PathGuid& AddGuide(std::vector<tagLonLat> points, double length = -1.0,
                       const std::string& name = "");
    // A guide with a null point array in its first record.
    PathGuid& AddGuideWithoutPoints(tagLonLat guidePoint, double length);

    int GuideCount() const { return static_cast<int>(m_guides.size()); }
    const PathGuid& Guide(int index) const { return m_guides[static_cast<size_t>(index)]; }
    PathGuid& Guide(int index) { return m_guides[static_cast<size_t>(index)]; }
    NavGuid GuideAsNav(int index) const;

    // Failure switches.
    bool failFirstPosition = false;
    bool failGetGuid = false;
    std::set<int> failingEdges; // GetEdge returns 0 for these edge indexes and fills nothing
    int filledEdgeResult = 1;   // what GetEdge returns for an edge it fills
    // GetNextGuid after the last guide wraps to the first (a cyclic path).
    bool cyclicGuides = false;

    int getNextGuidCalls = 0;

    POSITION GetFirstPosition() override;
    POSITION GetNext(POSITION position) override;
    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override;
    int GetGuid(POSITION position, PathGuid& guide) override;
    int GetNextGuid(const PathGuid& current, PathGuid& next) override;

private:
    std::deque<std::vector<tagLonLat>> m_edgePoints;
    std::deque<std::vector<tagLonLat>> m_guidePoints;
    std::deque<PathGuid> m_guides; // deque: references stay valid while adding
};

// ---- route -------------------------------------------------------------------
struct RouteControl
{
    static void Reset();
    static void SetOrigin(tagLonLat origin); // GetOrgPoint true
    static void ClearOrigin();               // GetOrgPoint false
    static void SetDestinations(std::vector<tagLonLat> destinations);
    static void FailDestPoint(bool fail);     // GetDestPoint false
    static std::vector<std::string>& Calls(); // "GetRouteManager", "GetPathManager", ...
};

// Turn information for tests.
CTurnInfo MakeTurnInfo(NAV_TURN_TYPE_tag type, const NavGuid& enter, const NavGuid& exit);

// A guide record with the given points (not owned: the caller keeps them alive),
// length and name; the guide point is the last point.
PathGuid MakeGuide(const tagLonLat* points, unsigned short count, double length,
                   const std::string& name = "");
NavGuid ToNavGuid(const PathGuid& guide);

// Resets every control of the test host and the recorded log.
void ResetTestHost();

} // namespace aptest

#endif
