// What one input of the library fuzzer describes: the host's paths, route and
// map views, and a sequence of calls on up to four handles. The byte layout is
// written once, as Serialize over a channel: the fuzzer decodes bytes into a
// Scenario with it, and the seed writer encodes hand-made scenarios with the
// same code, so both always agree.
//
// Every count is bounded (see the limits) so that one input runs in a few
// milliseconds: at most 2000 points over all paths, 24 guides a path, 64 calls.
#ifndef AP_FUZZ_LIBRARYSCENARIO_H
#define AP_FUZZ_LIBRARYSCENARIO_H

#include "AdvicePathRenderEx.h"
#include "LonLat.h"
#include "RouteLibrary.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace apfuzz
{

const int kMaxPaths = 3;
const int kMaxEdgesPerPath = 12;
const int kMaxGuidesPerPath = 24;
const int kMaxPointsPerLine = 64;
const int kMaxPointsTotal = 2000;
const int kMaxDestinations = 3;
const int kMaxSizeRecords = 8;
const int kMaxOps = 64;
const int kSlots = 4;
// Planar geodesies the test host can be set to, in length units per degree.
const double kUnitsPerDegreeChoices[] = {1.0, 1024.0, 111320.0, 1e-9};
const int kUnitsPerDegreeCount = 4;

// Counts that SetSize must refuse without reading the array (negative, or a
// byte size that does not fit 32 bits), and 0.
const int kRefusedCounts[] = {0, -1, -2, -97612893, 97612894, 2147483647, -2147483647 - 1};
const int kRefusedCountCount = 7;

enum GuideKind
{
    GUIDE_PLAIN = 0,     // points; length and guide point from the points
    GUIDE_LENGTH = 1,    // points; any m_GuideLength
    GUIDE_NO_POINTS = 2, // no point array; any guide point and length
    GUIDE_ELSEWHERE = 3, // points; a guide point that need not be on them
    GUIDE_KIND_COUNT
};

struct GuideInput
{
    int kind = GUIDE_PLAIN;
    std::vector<tagLonLat> points;
    double length = 0.0;
    tagLonLat guidePoint = AP_INVALID_POINT;
};

enum PathFlags
{
    PATH_FAIL_FIRST_POSITION = 1,
    PATH_FAIL_GET_GUID = 2,
    PATH_FAIL_FIRST_EDGE = 4,
    PATH_FLAGS_ALL = 7
};

struct PathInput
{
    std::vector<std::vector<tagLonLat>> edges;
    std::vector<GuideInput> guides;
    int flags = 0;
};

enum GuideRefKind
{
    REF_GUIDE = 0, // guide `index` of path `path` as the route library hands it out
    REF_MOVED = 1, // the same record with another guide point
    REF_ZERO = 2,  // a record of zeroes
    REF_KIND_COUNT
};

struct GuideRef
{
    int kind = REF_GUIDE;
    int path = 0;
    int index = 0;
    tagLonLat point = AP_INVALID_POINT;
};

enum Op
{
    OP_NEW = 0,  // a = 0: NewPathRender(path, view); 1: constructed; 2: copy of `other`
    OP_CLOSE,    // close or destroy the handle of `slot`
    OP_ASSIGN,   // slot = other
    OP_SET_SIZE, // a = 0: exact array; 1: refused count kRefusedCounts[b]; 2: null array
    OP_SET_PATH, // path (-1: null)
    OP_SET_CLR,  // colours
    OP_GET_CLR,
    OP_SET_TURN, // turn type a, path (-1: null), enter, exit; flag: no guides at all
    OP_DRAW,     // flag: drawPath, flag2: drawTurn
    OP_CLEAR,
    OP_CLEAR_BIG_ARROW,
    OP_ENABLE_DRAWING,  // flag
    OP_ENABLE_RED_LINE, // flag
    OP_SET_DRAW_PARM,   // view: 0 null, 1 A, 2 B
    OP_SET_LEVEL,       // view 1 or 2 gets level a
    OP_FAIL_ALLOC,      // a = 0: none; 1: the b-th allocation from now, once; 2: site b always
    OP_COUNT
};

// One element of a size table, field for field an AdvicePathSizeSetting
// (which has a user-provided assignment and no copy constructor of its own):
// copied into the host's array with memcpy.
struct SizeRecord
{
    int pathWidth = 0;
    int pathBorderWidth = 0;
    int edgeWidth = 0;
    int edgeBorderWidth = 0;
    int arrowFillParam = 0;
    int arrowBorderParam = 0;
    int toLength = 0;
    int fromLength = 0;
    int lengthTolerance = 0;
    int arrowLength = 0;
    int arrowWidth = 0;
};
static_assert(sizeof(SizeRecord) == sizeof(AdvicePathSizeSetting), "one layout");

struct CallInput
{
    int op = OP_DRAW;
    int slot = 0;
    int other = 0;
    int a = 0;
    int b = 0;
    int path = -1;
    int view = 0;
    bool flag = false;
    bool flag2 = false;
    std::vector<SizeRecord> sizes;
    int maxTurnScale = 30;
    uint32_t colours[4] = {0, 0, 0, 0};
    GuideRef enter;
    GuideRef exit;
};

struct Scenario
{
    int unitsPerDegree = 1; // index into kUnitsPerDegreeChoices
    int defaultView = 1;    // 0 null, 1 A, 2 B
    int levelA = 0;
    int levelB = 0;
    bool hasOrigin = false;
    tagLonLat origin = AP_INVALID_POINT;
    std::vector<tagLonLat> destinations;
    bool failDestPoint = false;
    std::vector<PathInput> paths;
    std::vector<CallInput> ops;
};

inline int PointsIn(const Scenario& scenario)
{
    int total = 0;
    for (const PathInput& path : scenario.paths)
    {
        for (const std::vector<tagLonLat>& edge : path.edges)
            total += static_cast<int>(edge.size());
        for (const GuideInput& guide : path.guides)
            total += static_cast<int>(guide.points.size());
    }
    return total;
}

// A channel provides, for decoding, or takes, for encoding:
//   void Int(int& value, int min, int max);   a value in [min, max]
//   void Wide(int& value);                    any 32-bit value, small ones cheap
//   void Colour(uint32_t& value);
//   void Double(double& value);               any double, small binary fractions cheap
//   void Bool(bool& value);
//   bool More();                              decoding: input left; encoding: always true
//   bool Decoding() const;

template <class Channel> void SerializePoint(Channel& ch, tagLonLat& point)
{
    ch.Double(point.lon);
    ch.Double(point.lat);
}

// A line is its points one by one, or (decoding only: the encoder always
// writes points) a run of `count` points from a start point in equal steps,
// which gives long polylines for a few bytes.
enum LineKind
{
    LINE_POINTS = 0,
    LINE_RUN = 1
};

template <class Channel> void SerializeLine(Channel& ch, std::vector<tagLonLat>& line, int& budget)
{
    int kind = LINE_POINTS;
    ch.Int(kind, LINE_POINTS, LINE_RUN);
    int count = static_cast<int>(line.size());
    ch.Int(count, 0, std::min(kMaxPointsPerLine, budget));
    budget -= count;
    line.resize(static_cast<size_t>(count));
    if (kind == LINE_RUN)
    {
        tagLonLat start = AP_INVALID_POINT;
        tagLonLat step = AP_INVALID_POINT;
        SerializePoint(ch, start);
        SerializePoint(ch, step);
        for (int k = 0; k < count; ++k)
        {
            line[static_cast<size_t>(k)].lon = start.lon + k * step.lon;
            line[static_cast<size_t>(k)].lat = start.lat + k * step.lat;
        }
        return;
    }
    for (tagLonLat& point : line)
        SerializePoint(ch, point);
}

template <class Channel> void SerializePath(Channel& ch, PathInput& path, int& budget)
{
    ch.Int(path.flags, 0, PATH_FLAGS_ALL);
    int edges = static_cast<int>(path.edges.size());
    ch.Int(edges, 0, kMaxEdgesPerPath);
    path.edges.resize(static_cast<size_t>(edges));
    for (std::vector<tagLonLat>& edge : path.edges)
        SerializeLine(ch, edge, budget);
    int guides = static_cast<int>(path.guides.size());
    ch.Int(guides, 0, kMaxGuidesPerPath);
    path.guides.resize(static_cast<size_t>(guides));
    for (GuideInput& guide : path.guides)
    {
        ch.Int(guide.kind, 0, GUIDE_KIND_COUNT - 1);
        if (guide.kind != GUIDE_NO_POINTS)
            SerializeLine(ch, guide.points, budget);
        if (guide.kind == GUIDE_LENGTH || guide.kind == GUIDE_NO_POINTS)
            ch.Double(guide.length);
        if (guide.kind == GUIDE_NO_POINTS || guide.kind == GUIDE_ELSEWHERE)
            SerializePoint(ch, guide.guidePoint);
    }
}

template <class Channel> void SerializeGuideRef(Channel& ch, GuideRef& ref)
{
    ch.Int(ref.kind, 0, REF_KIND_COUNT - 1);
    if (ref.kind == REF_ZERO)
        return;
    ch.Int(ref.path, 0, kMaxPaths - 1);
    ch.Int(ref.index, 0, kMaxGuidesPerPath - 1);
    if (ref.kind == REF_MOVED)
        SerializePoint(ch, ref.point);
}

template <class Channel> void SerializeSizeRecord(Channel& ch, SizeRecord& s)
{
    int* fields[] = {&s.pathWidth,       &s.pathBorderWidth,  &s.edgeWidth, &s.edgeBorderWidth,
                     &s.arrowFillParam,  &s.arrowBorderParam, &s.toLength,  &s.fromLength,
                     &s.lengthTolerance, &s.arrowLength,      &s.arrowWidth};
    for (int* field : fields)
        ch.Wide(*field);
}

template <class Channel> void SerializeOp(Channel& ch, CallInput& op)
{
    ch.Int(op.op, 0, OP_COUNT - 1);
    if (op.op != OP_SET_LEVEL && op.op != OP_FAIL_ALLOC)
        ch.Int(op.slot, 0, kSlots - 1);
    switch (op.op)
    {
    case OP_NEW:
        ch.Int(op.a, 0, 2);
        if (op.a == 2)
            ch.Int(op.other, 0, kSlots - 1);
        else
            ch.Int(op.path, -1, kMaxPaths - 1);
        if (op.a == 0)
            ch.Int(op.view, 0, 2);
        break;
    case OP_ASSIGN:
        ch.Int(op.other, 0, kSlots - 1);
        break;
    case OP_SET_SIZE:
    {
        ch.Int(op.a, 0, 2);
        if (op.a == 1)
            ch.Int(op.b, 0, kRefusedCountCount - 1);
        int count = static_cast<int>(op.sizes.size());
        ch.Int(count, op.a == 0 ? 1 : 0, kMaxSizeRecords);
        op.sizes.resize(static_cast<size_t>(count));
        for (SizeRecord& record : op.sizes)
            SerializeSizeRecord(ch, record);
        ch.Wide(op.maxTurnScale);
        break;
    }
    case OP_SET_PATH:
        ch.Int(op.path, -1, kMaxPaths - 1);
        break;
    case OP_SET_CLR:
        for (uint32_t& colour : op.colours)
            ch.Colour(colour);
        break;
    case OP_SET_TURN:
        ch.Int(op.a, 0, NAV_TURN_FORK);
        ch.Int(op.path, -1, kMaxPaths - 1);
        ch.Bool(op.flag);
        if (!op.flag)
        {
            SerializeGuideRef(ch, op.enter);
            SerializeGuideRef(ch, op.exit);
        }
        break;
    case OP_DRAW:
        ch.Bool(op.flag);
        ch.Bool(op.flag2);
        break;
    case OP_ENABLE_DRAWING:
    case OP_ENABLE_RED_LINE:
        ch.Bool(op.flag);
        break;
    case OP_SET_DRAW_PARM:
        ch.Int(op.view, 0, 2);
        break;
    case OP_SET_LEVEL:
        ch.Int(op.view, 1, 2);
        ch.Wide(op.a);
        break;
    case OP_FAIL_ALLOC:
        ch.Int(op.a, 0, 2);
        if (op.a == 1)
            ch.Int(op.b, 1, 64);
        else if (op.a == 2)
            ch.Int(op.b, 0, 5);
        break;
    default:
        break;
    }
}

template <class Channel> void Serialize(Channel& ch, Scenario& scenario)
{
    ch.Int(scenario.unitsPerDegree, 0, kUnitsPerDegreeCount - 1);
    ch.Int(scenario.defaultView, 0, 2);
    ch.Wide(scenario.levelA);
    ch.Wide(scenario.levelB);
    ch.Bool(scenario.hasOrigin);
    if (scenario.hasOrigin)
        SerializePoint(ch, scenario.origin);
    int destinations = static_cast<int>(scenario.destinations.size());
    ch.Int(destinations, 0, kMaxDestinations);
    scenario.destinations.resize(static_cast<size_t>(destinations));
    for (tagLonLat& destination : scenario.destinations)
        SerializePoint(ch, destination);
    ch.Bool(scenario.failDestPoint);

    int budget = kMaxPointsTotal;
    int paths = static_cast<int>(scenario.paths.size());
    ch.Int(paths, 1, kMaxPaths);
    scenario.paths.resize(static_cast<size_t>(paths));
    for (PathInput& path : scenario.paths)
        SerializePath(ch, path, budget);

    if (ch.Decoding())
    {
        scenario.ops.clear();
        while (static_cast<int>(scenario.ops.size()) < kMaxOps && ch.More())
        {
            scenario.ops.emplace_back();
            SerializeOp(ch, scenario.ops.back());
        }
    }
    else
    {
        for (CallInput& op : scenario.ops)
            SerializeOp(ch, op);
    }
}

} // namespace apfuzz

#endif
