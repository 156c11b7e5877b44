// Writes the seed corpus of the library fuzzer: a handful of scenarios that a
// host really plays (a turn drawn at two scales, the arrow hidden and shown,
// the origin-destination line, shared handles), plus hostile ones (allocation
// failures, refused size tables, coordinates no road has). Each is encoded
// with the same Serialize the fuzzer decodes with.
//
// Usage: write-library-seeds <directory>   (prints each scenario it writes)
#include "Edges/HeapAlloc.h"
#include "LibraryScenario.h"
#include "ScenarioChannels.h"
#include "ScenarioText.h"

#include <cstdio>
#include <fstream>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace apfuzz
{
namespace
{

// Coordinates in length units of a planar geodesy of 1024 units per degree
// (choice 1): exact on the fuzzer's grid.
tagLonLat At(double x, double y)
{
    return tagLonLat{x / 1024.0, y / 1024.0};
}

// Guides laid end to end, each `length` long, straight east (dx 1) or north.
struct Road
{
    PathInput& path;
    double x;
    double y;

    // A straight guide of `pieces` equal segments.
    void Guide(double length, bool north, int kind = GUIDE_PLAIN, int pieces = 1)
    {
        GuideInput guide;
        guide.kind = kind;
        guide.points.push_back(At(x, y));
        for (int k = 1; k <= pieces; ++k)
            guide.points.push_back(north ? At(x, y + length * k / pieces)
                                         : At(x + length * k / pieces, y));
        (north ? y : x) += length;
        path.guides.push_back(guide);
    }
};

SizeRecord Record(int level, int to, int from, int tolerance, int arrow, int width)
{
    // Widths 10, 20, ... 60 plus the level, so that each record shows.
    return {10 + level, 20 + level, 30 + level, 40 + level, 50 + level, 60 + level,
            to,         from,       tolerance,  arrow,      width};
}

CallInput Op(int op, int slot = 0)
{
    CallInput input;
    input.op = op;
    input.slot = slot;
    return input;
}

CallInput NewHandle(int slot, int path, int view)
{
    CallInput op = Op(OP_NEW, slot);
    op.a = 0;
    op.path = path;
    op.view = view;
    return op;
}

CallInput SetSize(int slot, std::vector<SizeRecord> sizes, int maxTurnScale = 30)
{
    CallInput op = Op(OP_SET_SIZE, slot);
    op.sizes = std::move(sizes);
    op.maxTurnScale = maxTurnScale;
    return op;
}

CallInput SetTurn(int slot, int type, int path, int enter, int exit)
{
    CallInput op = Op(OP_SET_TURN, slot);
    op.a = type;
    op.path = path;
    op.enter.kind = REF_GUIDE;
    op.enter.path = path;
    op.enter.index = enter;
    op.exit.kind = REF_GUIDE;
    op.exit.path = path;
    op.exit.index = exit;
    return op;
}

CallInput Draw(int slot, bool path = true, bool turn = true)
{
    CallInput op = Op(OP_DRAW, slot);
    op.flag = path;
    op.flag2 = turn;
    return op;
}

CallInput Level(int view, int level)
{
    CallInput op = Op(OP_SET_LEVEL);
    op.view = view;
    op.a = level;
    return op;
}

CallInput Flag(int code, int slot, bool flag)
{
    CallInput op = Op(code, slot);
    op.flag = flag;
    return op;
}

CallInput FailAlloc(int mode, int value)
{
    CallInput op = Op(OP_FAIL_ALLOC);
    op.a = mode;
    op.b = value;
    return op;
}

// The turn of the tests: the route line in two edges; entering east on a
// guide of 100, leaving north on a guide of 30, then guides of 150, 40, 100.
Scenario WorkedTurn()
{
    Scenario s;
    s.unitsPerDegree = 1;
    s.defaultView = 1;
    PathInput path;
    path.edges.push_back({At(0, 0), At(100, 0)});
    path.edges.push_back({At(100, 0), At(100, 320)});
    Road road{path, 0, 0};
    road.Guide(100, false);
    road.Guide(30, true);
    road.Guide(150, true);
    road.Guide(40, true);
    road.Guide(100, true);
    s.paths.push_back(path);
    return s;
}

std::vector<SizeRecord> TwoScales()
{
    return {Record(0, 200, 100, 5, 20, 10), Record(1, 100, 50, 2, 10, 4),
            Record(2, 100, 50, 2, 10, 4)};
}

Scenario HostCallingOrder()
{
    Scenario s = WorkedTurn();
    s.ops = {NewHandle(0, 0, 1),
             SetSize(0, TwoScales()),
             SetTurn(0, NAV_TURN_LEFT, 0, 0, 1),
             Draw(0),
             Level(1, 1),
             Draw(0),
             Op(OP_CLEAR_BIG_ARROW),
             Draw(0),
             SetTurn(0, NAV_TURN_LEFT, 0, 0, 1),
             Draw(0),
             Level(1, 9),
             Draw(0),
             Op(OP_CLEAR),
             Draw(0),
             Op(OP_CLOSE)};
    return s;
}

Scenario RedLine()
{
    Scenario s = WorkedTurn();
    s.unitsPerDegree = 2; // metres
    s.hasOrigin = true;
    s.origin = tagLonLat{11.5644, 48.1635};
    s.destinations = {tagLonLat{13.4, 52.5}, tagLonLat{11.43, 48.13}};
    CallInput colours = Op(OP_SET_CLR);
    colours.colours[0] = 0x00FF0000u;
    colours.colours[1] = 0x00000080u;
    colours.colours[2] = 255u;
    colours.colours[3] = 0x00FFFFFFu;
    s.ops = {NewHandle(0, 0, 1),
             SetSize(0, TwoScales()),
             Flag(OP_ENABLE_RED_LINE, 0, true),
             Draw(0),
             colours,
             Op(OP_GET_CLR),
             Draw(0),
             Flag(OP_ENABLE_DRAWING, 0, false),
             Draw(0),
             Flag(OP_ENABLE_DRAWING, 0, true),
             Draw(0, false, false)};
    return s;
}

Scenario SharedHandles()
{
    Scenario s = WorkedTurn();
    s.defaultView = 2;
    s.levelB = -7;
    CallInput constructed = Op(OP_NEW, 0);
    constructed.a = 1;
    constructed.path = 0;
    CallInput copy = Op(OP_NEW, 1);
    copy.a = 2;
    copy.other = 0;
    CallInput assign = Op(OP_ASSIGN, 2);
    assign.other = 1;
    CallInput toA = Op(OP_SET_DRAW_PARM, 1);
    toA.view = 1;
    s.ops = {constructed,
             NewHandle(2, -1, 0),
             SetSize(0, TwoScales(), 1),
             copy,
             SetTurn(1, NAV_TURN_RIGHT, 0, 0, 1),
             Op(OP_CLOSE, 0),
             Draw(1),
             assign,
             toA,
             Level(1, 2147483647),
             Draw(2),
             Op(OP_CLOSE, 1),
             Draw(2)};
    return s;
}

Scenario AllocationFailures()
{
    Scenario s = WorkedTurn();
    CallInput refused = SetSize(0, TwoScales());
    refused.a = 1;
    refused.b = 1; // count -1
    CallInput nullArray = SetSize(0, {});
    nullArray.a = 2;
    s.ops = {FailAlloc(1, 2),
             NewHandle(0, 0, 1),
             FailAlloc(0, 0),
             NewHandle(1, 0, 1),
             refused,
             nullArray,
             FailAlloc(2, AP_ALLOC_SIZE_TABLE),
             SetSize(1, TwoScales()),
             FailAlloc(0, 0),
             SetSize(1, TwoScales()),
             FailAlloc(2, AP_ALLOC_EDGE),
             SetTurn(1, NAV_TURN_LEFT, 0, 0, 1),
             Draw(1),
             FailAlloc(0, 0),
             SetTurn(1, NAV_TURN_LEFT, 0, 0, 1),
             FailAlloc(1, 5),
             Draw(1),
             Draw(1),
             FailAlloc(2, AP_ALLOC_POINTER_ARRAY),
             Draw(1),
             FailAlloc(2, AP_ALLOC_POINT_BUFFER),
             Draw(1),
             FailAlloc(0, 0),
             Draw(1)};
    return s;
}

// A junction after thirteen short guides (the ring of ten wraps), with guides
// whose records lie about themselves.
Scenario HostileGeometry()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Scenario s;
    s.unitsPerDegree = 1;
    PathInput path;
    path.edges.push_back({At(0, 0), At(0, 0), tagLonLat{nan, 1.0}, tagLonLat{1e308, -1e308}});
    path.edges.emplace_back();
    Road road{path, 0, 0};
    for (int i = 0; i < 13; ++i)
        road.Guide(12, false);
    road.Guide(0, true); // zero length: a repeated point
    road.Guide(30, true, GUIDE_LENGTH);
    path.guides.back().length = -5.0;
    GuideInput noPoints;
    noPoints.kind = GUIDE_NO_POINTS;
    noPoints.length = inf;
    noPoints.guidePoint = At(156, 30);
    path.guides.push_back(noPoints);
    road.Guide(400, true, GUIDE_ELSEWHERE);
    path.guides.back().guidePoint = tagLonLat{180.0, 90.0};
    road.Guide(100, true);
    s.paths.push_back(path);

    std::vector<SizeRecord> sizes = TwoScales();
    sizes.push_back(Record(3, 2147483647, -2147483647 - 1, 0, -20, 1 << 30));
    sizes.push_back(Record(4, 0, 0, 0, 0, 0));
    s.levelA = 3;
    CallInput moved = SetTurn(0, NAV_TURN_UTURN, 0, 12, 15);
    moved.exit.kind = REF_MOVED;
    moved.exit.point = tagLonLat{nan, inf};
    s.ops = {NewHandle(0, 0, 1),
             SetSize(0, sizes, -1),
             SetTurn(0, NAV_TURN_LEFT, 0, 12, 14),
             Draw(0),
             Level(1, 4),
             Draw(0),
             Level(1, 0),
             SetSize(0, sizes, 30),
             Draw(0),
             moved,
             Draw(0),
             SetTurn(0, NAV_TURN_END, 0, 12, 13),
             Draw(0)};
    return s;
}

// Guides of many short segments (point buffers grow past eight points), one
// recorded longer than it is drawn, and allocation failures while the band is
// cut from them.
Scenario LongGuides()
{
    Scenario s;
    s.unitsPerDegree = 1;
    PathInput path;
    path.edges.push_back({At(0, 0), At(160, 0), At(160, 400)});
    Road road{path, 0, 0};
    road.Guide(80, false, GUIDE_PLAIN, 16);
    road.Guide(80, false, GUIDE_PLAIN, 20);
    road.Guide(30, true, GUIDE_PLAIN, 3);
    road.Guide(160, true, GUIDE_LENGTH, 32);
    path.guides.back().length = 400.0;
    road.Guide(150, true, GUIDE_PLAIN, 30);
    s.paths.push_back(path);
    s.ops = {NewHandle(0, 0, 1),
             SetSize(0, TwoScales()),
             SetTurn(0, NAV_TURN_LEFT, 0, 1, 2),
             Draw(0),
             Level(1, 1),
             Draw(0),
             FailAlloc(1, 9),
             Draw(0),
             FailAlloc(1, 4),
             SetTurn(0, NAV_TURN_LEFT, 0, 1, 2),
             Draw(0),
             FailAlloc(0, 0),
             Draw(0)};
    return s;
}

bool Write(const std::string& directory, const char* name, Scenario scenario)
{
    EncodeChannel channel;
    Serialize(channel, scenario);
    const std::vector<uint8_t> bytes = channel.Bytes();
    const std::string file = directory + "/" + name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
    {
        (void)std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return false;
    }
    std::printf("%s (%zu bytes):\n%s\n", name, bytes.size(), Describe(scenario).c_str());
    return true;
}

} // namespace
} // namespace apfuzz

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        (void)std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    using namespace apfuzz;
    const std::string directory = argv[1];
    bool ok = Write(directory, "host-calling-order", HostCallingOrder()) &&
              Write(directory, "red-line", RedLine()) &&
              Write(directory, "shared-handles", SharedHandles()) &&
              Write(directory, "allocation-failures", AllocationFailures()) &&
              Write(directory, "hostile-geometry", HostileGeometry()) &&
              Write(directory, "long-guides", LongGuides());
    return ok ? 0 : 1;
}
