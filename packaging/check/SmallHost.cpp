// A small host of the installed library: every service the library calls,
// defined as simply as possible (a flat-earth geodesy in metres, a map view
// that keeps the lines it gets, a route of one origin and one destination),
// and one Draw of the origin-destination line. Prints what was drawn and
// exits 0 only when the library drew that line as its header says: two
// points, colour 255, width 2.
#include "AdvicePathRenderEx.h"
#include "Geodesy.h"
#include "Logging.h"
#include "MapService.h"
#include "MemoryStatus.h"
#include "RouteLibrary.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace
{
constexpr double kMetresPerDegree = 111320.0;
constexpr double kPi = 3.14159265358979323846;

struct LineCall
{
    int count = 0;
    uint32_t colour = 0;
    int32_t width = 0;
};

class SmallMapView : public CMapService
{
public:
    int DrawLine(const tagLonLat* /*points*/, int32_t count, int32_t /*third*/, uint32_t colour,
                 int32_t fifth) override
    {
        last = LineCall{count, colour, fifth};
        ++lines;
        return 1;
    }
    int DrawPolygon(const tagLonLat* /*points*/, int32_t /*count*/, int32_t /*third*/,
                    uint32_t /*colour*/, int32_t /*fifth*/) override
    {
        return 1;
    }
    int64_t GetScale() override { return 0; }
    int32_t ScaleToLevel(int64_t /*scale*/) override { return 0; }

    LineCall last;
    int lines = 0;
};

class SmallPathManager : public CPathManagerEx
{
public:
    bool GetOrgPoint(NavDest& dest) override
    {
        dest.m_Position = tagLonLat{11.5813, 48.1470};
        return true;
    }
    int GetDestCount() override { return 1; }
    bool GetDestPoint(int /*index*/, NavDest& dest) override
    {
        dest.m_Position = tagLonLat{11.5864, 48.1490};
        return true;
    }
};

class SmallRouteManager : public RouteManager
{
public:
    CPathManagerEx& GetPathManager() override { return paths; }
    SmallPathManager paths;
};

SmallMapView g_MapView;
SmallRouteManager g_Route;
} // namespace

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    return &g_MapView;
}

RouteManager& GetRouteManager()
{
    return g_Route;
}

// No manoeuvres: this host never hands a turn over, so its turn information
// holds no data.
CTurnInfo::CTurnInfo() : mp_Data(nullptr) {}
CTurnInfo::CTurnInfo(const CTurnInfo& other) = default;
CTurnInfo& CTurnInfo::operator=(const CTurnInfo& other)
{
    if (this != &other)
        mp_Data = other.mp_Data;
    return *this;
}
CTurnInfo::~CTurnInfo() {} // NOLINT(modernize-use-equals-default)
NAV_TURN_TYPE_tag CTurnInfo::GetTurnType(int /*index*/) const
{
    return mp_Data == nullptr ? NAV_TURN_NONE : NAV_TURN_END;
}
bool CTurnInfo::GetEnterGuide(int /*index*/, NavGuid& guide) const
{
    std::memset(static_cast<void*>(&guide), 0, sizeof guide);
    return mp_Data != nullptr;
}
bool CTurnInfo::GetExitGuide(int /*index*/, NavGuid& guide) const
{
    std::memset(static_cast<void*>(&guide), 0, sizeof guide);
    return mp_Data != nullptr;
}

double SegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    const double east = (lon2 - lon1) * kMetresPerDegree * std::cos(lat1 * kPi / 180.0);
    const double north = (lat2 - lat1) * kMetresPerDegree;
    return std::hypot(east, north);
}
double SegmentLength(const tagLonLat& a, const tagLonLat& b)
{
    return SegmentLength(a.lon, a.lat, b.lon, b.lat);
}
double LineLength(unsigned short count, const tagLonLat* points)
{
    double length = 0.0;
    for (unsigned short i = 1; points != nullptr && i < count; ++i)
        length += SegmentLength(points[i - 1], points[i]);
    return length;
}
void GetUnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg)
{
    latDeg = 1.0 / kMetresPerDegree;
    lonDeg = latDeg / std::cos(point.lat * kPi / 180.0);
}

// Failures to standard error; the probe's lines (600) and the repeated
// ordinary lines (800) are left out.
extern "C" void log4cpp_category_log(const char* category, int level, const char* /*file*/,
                                     int line, const char* function, const char* format, ...)
{
    if (level > AP_LOG_ERROR)
        return;
    (void)std::fprintf(stderr, "%s %d %d %s: ", category, level, line, function);
    va_list args;
    va_start(args, format);
    (void)std::vfprintf(stderr, format, args);
    va_end(args);
}
extern "C" void log4cpp_Info(const char* /*category*/, const char* /*file*/, int /*line*/,
                             const char* /*function*/, const char* /*format*/, ...)
{
}

Timer::Timer() : m_StartTicks(0), m_EndTicks(0) {}
Timer::~Timer() {} // NOLINT(modernize-use-equals-default)
void Timer::StartTime()
{
    m_StartTicks = 0;
}
void Timer::EndTime()
{
    m_EndTicks = m_StartTicks;
}
double Timer::GetTime() // NOLINT(readability-make-member-function-const)
{
    return static_cast<double>(m_EndTicks - m_StartTicks);
}

// No memory figures: the probe's lines show 0 KB.
extern "C" void GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    const uint32_t length = status->dwLength;
    std::memset(status, 0, sizeof *status);
    status->dwLength = length;
}

int main()
{
    AdvicePathSizeSetting sizes[1] = {{8, 10, 12, 16, 60, 2, 200, 100, 5, 20, 10}};
    AdvicePathRenderEx* render = NewPathRender(nullptr, nullptr);
    if (render == nullptr || render->SetSize(sizes, 1, 0) != 1)
    {
        (void)std::fprintf(stderr, "small-host: the library refused its size table\n");
        return 1;
    }
    render->EnableDrawRedLine(true);
    render->Draw(false, false);
    ClosePathRender(render);
    std::printf("small-host: %d line(s), the last of %d points in colour %u, width %d\n",
                g_MapView.lines, g_MapView.last.count, g_MapView.last.colour, g_MapView.last.width);
    const bool drawn = g_MapView.lines == 1 && g_MapView.last.count == 2 &&
                       g_MapView.last.colour == 255 && g_MapView.last.width == 2;
    return drawn ? 0 : 1;
}
