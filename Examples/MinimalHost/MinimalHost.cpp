// A minimal host: every service the library calls, defined by hand, and the
// calls of a navigation device. It builds against the installed package alone
// (CMakeLists.txt beside it: find_package or pkg-config). ELF systems only: on
// Windows the services belong in a module of their own (AdvicePathHost.dll).
//
//   minimal-host ROUTE_FILE
//
// The route file (crossing.route beside this one) has one item a line, '#'
// starts a comment; points are longitude and latitude in degrees:
//   origin LON LAT, destination LON LAT    for the origin-destination line
//   link LON LAT LON LAT ...    a road link, in driving order, from the
//                               vehicle's position on
//   turn TYPE ENTER LEAVE       the next manoeuvre: a NAV_TURN_TYPE_tag value,
//                               the link on which the route enters the
//                               junction and the last link inside it (links
//                               count from 0; one link at a simple crossing)
//
// The map view prints each call on standard output, one line a call: DrawLine
// or DrawPolygon, the count, third, colour and fifth arguments in decimal, and
// each point as LON,LAT with 9 decimals. The failures the library logs go to
// standard error. Exit status: 0 drawn, 1 bad route file, 2 bad command line.
#include "AdvicePathRenderEx.h"
#include "Geodesy.h"
#include "Logging.h"
#include "MapService.h"
#include "MemoryStatus.h"
#include "PathLibrary.h"
#include "RouteLibrary.h"

#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// The route and the route library's answers about its ends.
struct Route : RouteManager, CPathManagerEx
{
    std::vector<std::vector<tagLonLat>> links;
    tagLonLat origin = AP_INVALID_POINT, destination = AP_INVALID_POINT;
    bool hasTurn = false;
    NAV_TURN_TYPE_tag turnType = NAV_TURN_NONE;
    size_t enterLink = 0, leaveLink = 0;

    CPathManagerEx& GetPathManager() override { return *this; }
    bool GetOrgPoint(NavDest& dest) override { return Answer(origin, dest); }
    int GetDestCount() override { return destination.lon == AP_INVALID_LON ? 0 : 1; }
    bool GetDestPoint(int i, NavDest& dest) override { return i == 0 && Answer(destination, dest); }
    static bool Answer(const tagLonLat& point, NavDest& dest)
    {
        dest.m_Position = point;
        return point.lon != AP_INVALID_LON;
    }
} g_Route;

struct PrintingMapView : CMapService
{
    int DrawLine(const tagLonLat* p, int32_t n, int32_t third, uint32_t colour,
                 int32_t fifth) override
    {
        return Print("DrawLine", p, n, third, colour, fifth);
    }
    int DrawPolygon(const tagLonLat* p, int32_t n, int32_t third, uint32_t colour,
                    int32_t fifth) override
    {
        return Print("DrawPolygon", p, n, third, colour, fifth);
    }
    int64_t GetScale() override { return 0; }                      // one scale,
    int32_t ScaleToLevel(int64_t /*scale*/) override { return 0; } // level 0 of the size table
    static int Print(const char* call, const tagLonLat* p, int32_t n, int32_t third,
                     uint32_t colour, int32_t fifth)
    {
        std::printf("%s %d %d %u %d", call, n, third, colour, fifth);
        for (int32_t i = 0; i < n; ++i)
            std::printf(" %.9f,%.9f", p[i].lon, p[i].lat);
        return std::printf("\n");
    }
} g_MapView;

// Each link is one edge of the route line and one guide. Positions are link
// numbers plus one (null is "none"); a guide carries its link number in its
// first head word, so the next guide follows from the record alone.
struct LinkPath : CNavPath
{
    POSITION GetFirstPosition() override { return At(0); }
    POSITION GetNext(POSITION position) override
    {
        return position != nullptr ? At(Link(position) + 1) : nullptr;
    }
    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override
    {
        if (Link(position) >= g_Route.links.size())
            return 0;
        count = static_cast<unsigned short>(g_Route.links[Link(position)].size());
        points = g_Route.links[Link(position)].data();
        return 1;
    }
    int GetGuid(POSITION position, PathGuid& guide) override
    {
        return GuideOf(Link(position), guide);
    }
    int GetNextGuid(const PathGuid& current, PathGuid& next) override
    {
        return GuideOf(current.m_FirstHead[0] + size_t{1}, next);
    }
    static int GuideOf(size_t link, PathGuid& guide)
    {
        if (link >= g_Route.links.size())
            return 0;
        std::vector<tagLonLat>& points = g_Route.links[link];
        std::memset(static_cast<void*>(&guide), 0, sizeof(guide)); // no second record
        guide.m_FirstHead[0] = static_cast<uint32_t>(link);
        guide.m_FirstCount = static_cast<uint16_t>(points.size());
        guide.mp_FirstPoints = points.data();
        guide.m_GuideLength = LineLength(guide.m_FirstCount, points.data());
        guide.m_GuidePoint = points.back(); // a guide is recognised by its end
        return 1;
    }
    static POSITION At(size_t link)
    {
        // POSITION is the path's opaque cursor: here a link number, never
        // dereferenced.
        return link < g_Route.links.size()
                   ? reinterpret_cast<POSITION>(link + 1) // NOLINT(performance-no-int-to-ptr)
                   : nullptr;
    }
    static size_t Link(POSITION position) { return reinterpret_cast<uintptr_t>(position) - 1; }
};

struct Turn
{
    NAV_TURN_TYPE_tag type;
    NavGuid enter, leave; // the guides of the entering link and of the leaving link
};

Turn* TurnOf(void* data)
{
    return static_cast<Turn*>(data);
}

bool Answer(const Turn* turn, const NavGuid Turn::*which, NavGuid& guide)
{
    if (turn == nullptr)
        std::memset(static_cast<void*>(&guide), 0, sizeof(guide));
    else
        guide = turn->*which;
    return turn != nullptr;
}

const double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// The WGS84 ellipsoid's radii of curvature at `latitude`, metres.
void Radii(double latitude, double& meridional, double& primeVertical)
{
    const double a = 6378137.0;
    const double f = 1 / 298.257223563;
    const double e2 = f * (2 - f);
    double sinLat = std::sin(latitude * kRadiansPerDegree);
    double w = std::sqrt(1 - e2 * sinLat * sinLat);
    meridional = a * (1 - e2) / (w * w * w);
    primeVertical = a / w;
}

int64_t Microseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Reads the route file into g_Route; an empty result, or what is wrong.
std::string ReadRoute(const char* fileName)
{
    std::ifstream file(fileName);
    std::string line;
    std::string item;
    for (int number = 1; file && std::getline(file, line); ++number)
    {
        std::istringstream words(line.substr(0, line.find('#')));
        std::vector<double> n;
        if (!(words >> item))
            continue;
        for (double value = 0; words >> value;)
            n.push_back(value);
        bool ok = words.eof();
        bool point = n.size() == 2;
        if (ok && item == "origin" && point)
            g_Route.origin = tagLonLat{n[0], n[1]};
        else if (ok && item == "destination" && point)
            g_Route.destination = tagLonLat{n[0], n[1]};
        else if (ok && item == "link" && n.size() >= 4 && n.size() % 2 == 0 && n.size() < 131072)
        {
            g_Route.links.emplace_back();
            for (size_t i = 0; i < n.size(); i += 2)
                g_Route.links.back().push_back(tagLonLat{n[i], n[i + 1]});
        }
        else if (ok && item == "turn" && n.size() == 3 && n[1] >= 0 && n[2] >= n[1])
        {
            g_Route.hasTurn = true;
            g_Route.turnType = static_cast<NAV_TURN_TYPE_tag>(static_cast<int>(n[0]));
            g_Route.enterLink = static_cast<size_t>(n[1]);
            g_Route.leaveLink = static_cast<size_t>(n[2]);
        }
        else
            return "line " + std::to_string(number) + ": expected origin LON LAT, destination " +
                   "LON LAT, link LON LAT LON LAT ... or turn TYPE ENTER LEAVE";
    }
    if (!file.eof())
        return "cannot be read";
    if (g_Route.links.empty() || (g_Route.hasTurn && g_Route.leaveLink >= g_Route.links.size()))
        return "no links, or a turn on a link the route does not have";
    return "";
}

} // namespace

// ---- The services the library calls ----------------------------------------

// Failures (priorities 0 and 300) to standard error; the probe's lines (600)
// and the notes repeated on every Draw (800) are dropped.
extern "C" void log4cpp_category_log(const char* category, int level, const char* /*file*/,
                                     int line, const char* function, const char* format, ...)
{
    if (level >= AP_LOG_INFO)
        return;
    // Nowhere to report a failure to write to standard error.
    (void)std::fprintf(stderr, "%s %d %s %d: ", category, level, function, line);
    va_list arguments;
    va_start(arguments, format);
    (void)std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    if (std::strchr(format, '\n') == nullptr)
        (void)std::fputc('\n', stderr);
}

extern "C" void log4cpp_Info(const char* /*category*/, const char* /*file*/, int /*line*/,
                             const char* /*function*/, const char* /*format*/, ...)
{
}

Timer::Timer() : m_StartTicks(0), m_EndTicks(0) {}
// The destructor and GetTime keep the forms Logging.h declares.
Timer::~Timer() {} // NOLINT(modernize-use-equals-default)
void Timer::StartTime()
{
    m_StartTicks = Microseconds();
}
void Timer::EndTime()
{
    m_EndTicks = Microseconds();
}
double Timer::GetTime() // NOLINT(readability-make-member-function-const)
{
    return m_StartTicks != 0 && m_EndTicks != 0
               ? static_cast<double>(m_EndTicks - m_StartTicks) / 1000
               : 0.0;
}

// No memory figures here: the probe's memory lines show no growth.
extern "C" void GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    uint32_t length = status->dwLength;
    std::memset(status, 0, sizeof(*status));
    status->dwLength = length;
}

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    return &g_MapView;
}

RouteManager& GetRouteManager()
{
    return g_Route;
}

// The turn information owns a Turn; copies copy it.
CTurnInfo::CTurnInfo() : mp_Data(nullptr) {}
CTurnInfo::CTurnInfo(const CTurnInfo& other)
    : mp_Data(other.mp_Data != nullptr ? new Turn(*TurnOf(other.mp_Data)) : nullptr)
{
}
CTurnInfo& CTurnInfo::operator=(const CTurnInfo& other)
{
    if (this != &other)
    {
        delete TurnOf(mp_Data);
        mp_Data = other.mp_Data != nullptr ? new Turn(*TurnOf(other.mp_Data)) : nullptr;
    }
    return *this;
}
CTurnInfo::~CTurnInfo()
{
    delete TurnOf(mp_Data);
}
NAV_TURN_TYPE_tag CTurnInfo::GetTurnType(int index) const
{
    return mp_Data != nullptr && index == 0 ? TurnOf(mp_Data)->type : NAV_TURN_NONE;
}
bool CTurnInfo::GetEnterGuide(int index, NavGuid& guide) const
{
    return Answer(index == 0 ? TurnOf(mp_Data) : nullptr, &Turn::enter, guide);
}
bool CTurnInfo::GetExitGuide(int index, NavGuid& guide) const
{
    return Answer(index == 0 ? TurnOf(mp_Data) : nullptr, &Turn::leave, guide);
}

// Metres on the WGS84 ellipsoid, flat over each segment with the radii of
// curvature at its middle: enough for the short segments of roads.
double SegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    double middle = (lat1 + lat2) / 2;
    double meridional = 0;
    double primeVertical = 0;
    Radii(middle, meridional, primeVertical);
    double north = meridional * (lat2 - lat1) * kRadiansPerDegree;
    double east = primeVertical * std::cos(middle * kRadiansPerDegree) * (lon2 - lon1);
    return std::hypot(north, east * kRadiansPerDegree);
}
double SegmentLength(const tagLonLat& a, const tagLonLat& b)
{
    return SegmentLength(a.lon, a.lat, b.lon, b.lat);
}
double LineLength(unsigned short count, const tagLonLat* points)
{
    double length = 0;
    for (unsigned short i = 1; points != nullptr && i < count; ++i)
        length += SegmentLength(points[i - 1], points[i]);
    return length;
}
void GetUnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg)
{
    double meridional = 0;
    double primeVertical = 0;
    Radii(point.lat, meridional, primeVertical);
    latDeg = 1 / (meridional * kRadiansPerDegree);
    lonDeg = 1 / (primeVertical * std::cos(point.lat * kRadiansPerDegree) * kRadiansPerDegree);
}

// ---- A device's calls -------------------------------------------------------

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        (void)std::fprintf(stderr, "usage: minimal-host ROUTE_FILE\n");
        return 2;
    }
    std::string problem = ReadRoute(argv[1]);
    if (!problem.empty())
    {
        (void)std::fprintf(stderr, "minimal-host: %s: %s\n", argv[1], problem.c_str());
        return 1;
    }

    // One size record per level, level 0 the most detailed; widths in pixels,
    // lengths in metres. In order: route line fill and border width, band fill
    // and border width, arrow fill parameter (opacity, percent) and outline
    // width, leaving and entering stretch, tolerance, arrow length, half width.
    AdvicePathSizeSetting sizes[] = {{14, 18, 10, 14, 100, 2, 40, 40, 4, 12, 6},
                                     {12, 16, 8, 12, 100, 2, 80, 80, 8, 24, 12},
                                     {10, 14, 7, 11, 100, 2, 160, 160, 16, 48, 24}};
    LinkPath path; // the route from the vehicle's position on

    // A handle whose renderer could not be allocated is inert: SetDrawParm
    // answers false for it, and true for every working handle.
    AdvicePathRenderEx* render = NewPathRender(nullptr, &g_MapView);
    if (render == nullptr || !render->SetDrawParm(&g_MapView))
    {
        (void)std::fprintf(stderr, "minimal-host: out of memory for the renderer\n");
        ClosePathRender(render);
        return 1;
    }
    if (render->SetSize(sizes, 3, 1) != 1) // the turn is drawn at levels 0 and 1
    {
        (void)std::fprintf(stderr, "minimal-host: the size table was refused\n");
        ClosePathRender(render);
        return 1;
    }
    render->SetClr(AdvicePathClrSetting(0x00E08A2B, 0x00783C14, 0x00FFFFFF, 0x001E1E1E));
    render->EnableDrawRedLine(true);
    render->SetPath(&path); // refused only for a null path
    // Ask for the turn only while there is one: none before the first
    // manoeuvre is handed over, none at the route's end (NAV_TURN_END), or
    // every Draw logs why it draws none.
    const bool drawTurn = g_Route.hasTurn && g_Route.turnType != NAV_TURN_END;
    if (g_Route.hasTurn) // whenever the next manoeuvre changes
    {
        Turn* turn = new Turn{g_Route.turnType, {}, {}};
        LinkPath::GuideOf(g_Route.enterLink, turn->enter);
        LinkPath::GuideOf(g_Route.leaveLink, turn->leave);
        render->SetTurnInfo(CTurnInfo(turn), &path);
    }
    render->Draw(true, drawTurn); // on every repaint
    render->Clear();              // when the route is dropped
    ClosePathRender(render);
    return 0;
}
