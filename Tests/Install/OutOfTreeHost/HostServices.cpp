// A minimal host: every service the library calls, a two-edge path and a map
// view that counts the lines drawn. It draws the route line once and checks
// what arrived: each edge once in the border pass and once in the fill pass,
// with the colours and widths it set.
#include "AdvicePathRenderEx.h"
#include "Geodesy.h"
#include "Logging.h"
#include "MapService.h"
#include "MemoryStatus.h"
#include "PathLibrary.h"
#include "RouteLibrary.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{

int g_LogLines = 0;

class CountingMapView : public CMapService
{
public:
    int DrawLine(const tagLonLat*, int32_t count, int32_t, uint32_t colour, int32_t width) override
    {
        if (colour == kBorder && width == 9 && count >= 2)
            ++borderLines;
        else if (colour == kFill && width == 5 && count >= 2)
            ++fillLines;
        else
            ++otherLines;
        return 1;
    }
    int DrawPolygon(const tagLonLat*, int32_t, int32_t, uint32_t, int32_t) override
    {
        ++otherLines;
        return 1;
    }
    int64_t GetScale() override { return 1000; }
    int32_t ScaleToLevel(int64_t) override { return 0; }

    static const uint32_t kBorder = 0x00202020;
    static const uint32_t kFill = 0x0000A0FF;
    int borderLines = 0;
    int fillLines = 0;
    int otherLines = 0;
};

CountingMapView g_MapView;

// Two edges; positions are 1-based edge numbers.
class TwoEdgePath : public CNavPath
{
public:
    POSITION GetFirstPosition() override { return At(1); }
    POSITION GetNext(POSITION position) override
    {
        return Number(position) < 2 ? At(Number(position) + 1) : nullptr;
    }
    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override
    {
        count = 2;
        points = m_Points[Number(position) - 1];
        return 1;
    }
    int GetGuid(POSITION, PathGuid&) override { return 0; }
    int GetNextGuid(const PathGuid&, PathGuid&) override { return 0; }

private:
    static POSITION At(intptr_t number) { return reinterpret_cast<POSITION>(number); }
    static intptr_t Number(POSITION position) { return reinterpret_cast<intptr_t>(position); }
    tagLonLat m_Points[2][2] = {{{8.0, 47.0}, {8.001, 47.0}}, {{8.001, 47.0}, {8.001, 47.001}}};
};

class NoRoute : public CPathManagerEx
{
public:
    bool GetOrgPoint(NavDest&) override { return false; }
    int GetDestCount() override { return 0; }
    bool GetDestPoint(int, NavDest&) override { return false; }
};

class Routes : public RouteManager
{
public:
    CPathManagerEx& GetPathManager() override { return m_Paths; }

private:
    NoRoute m_Paths;
};

} // namespace

// ---- host services ----------------------------------------------------------

extern "C" void log4cpp_category_log(const char*, int, const char*, int, const char*, const char*,
                                     ...)
{
    ++g_LogLines;
}

extern "C" void log4cpp_Info(const char*, const char*, int, const char*, const char*, ...)
{
    ++g_LogLines;
}

static int64_t NowMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Timer::Timer() : m_StartTicks(0), m_EndTicks(0) {}
Timer::~Timer() {}
void Timer::StartTime()
{
    m_StartTicks = NowMicroseconds();
}
void Timer::EndTime()
{
    m_EndTicks = NowMicroseconds();
}
double Timer::GetTime()
{
    if (m_StartTicks == 0 || m_EndTicks == 0)
        return 0.0;
    return static_cast<double>(m_EndTicks - m_StartTicks) / 1000.0;
}

#if !defined(_WIN32)
extern "C" void GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    uint32_t length = status->dwLength;
    std::memset(status, 0, sizeof(*status));
    status->dwLength = length;
}
#endif

CMapService* CMapCreate::GetMapService(void*)
{
    return &g_MapView;
}

RouteManager& GetRouteManager()
{
    static Routes routes;
    return routes;
}

CTurnInfo::CTurnInfo() : mp_Data(nullptr) {}
CTurnInfo::CTurnInfo(const CTurnInfo&) : mp_Data(nullptr) {}
CTurnInfo& CTurnInfo::operator=(const CTurnInfo&)
{
    return *this;
}
CTurnInfo::~CTurnInfo() {}
NAV_TURN_TYPE_tag CTurnInfo::GetTurnType(int) const
{
    return NAV_TURN_NONE;
}
bool CTurnInfo::GetEnterGuide(int, NavGuid& guide) const
{
    std::memset(static_cast<void*>(&guide), 0, sizeof(guide));
    return false;
}
bool CTurnInfo::GetExitGuide(int, NavGuid& guide) const
{
    std::memset(static_cast<void*>(&guide), 0, sizeof(guide));
    return false;
}

// Planar geodesy: one unit is one degree.
double SegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    return std::hypot(lon2 - lon1, lat2 - lat1);
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
void GetUnitDegree(const tagLonLat&, double& lonDeg, double& latDeg)
{
    lonDeg = 1.0;
    latDeg = 1.0;
}

// ---- the drawing --------------------------------------------------------------

int main()
{
    TwoEdgePath path;
    AdvicePathRenderEx* handle = NewPathRender(&path, nullptr);
    if (handle == nullptr)
    {
        std::puts("no handle");
        return 1;
    }
    AdvicePathSizeSetting size;
    std::memset(static_cast<void*>(&size), 0, sizeof(size));
    size.m_PathWidth = 5;
    size.m_PathBorderWidth = 9;
    AdvicePathClrSetting colours(CountingMapView::kFill, CountingMapView::kBorder, 0x00FFFFFF, 0);
    bool ok = handle->SetSize(&size, 1, 0) == 1;
    handle->SetClr(colours);
    handle->Draw(true, false);
    ok = ClosePathRender(handle) && ok;

    std::printf("border lines %d, fill lines %d, other drawings %d, log lines %d\n",
                g_MapView.borderLines, g_MapView.fillLines, g_MapView.otherLines, g_LogLines);
    ok = ok && g_MapView.borderLines == 2 && g_MapView.fillLines == 2 && g_MapView.otherLines == 0;
    std::puts(ok ? "route line drawn" : "unexpected drawing");
    return ok ? 0 : 1;
}
