// Trivial definitions of every host service, compiled by the name check of the
// Windows CE module-definition files with a compiler of the Microsoft ARM ABI:
// the decorated names come from the real host-service declarations.
#include "Geodesy.h"
#include "Logging.h"
#include "MapService.h"
#include "RouteLibrary.h"
void log4cpp_category_log(const char*, int, const char*, int, const char*, const char*, ...) {}
void log4cpp_Info(const char*, const char*, int, const char*, const char*, ...) {}
Timer::Timer() : m_StartTicks(0), m_EndTicks(0) {}
Timer::~Timer() {}
void Timer::StartTime() {}
void Timer::EndTime() {}
double Timer::GetTime()
{
    return 0.0;
}
CMapService* CMapCreate::GetMapService(void*)
{
    return nullptr;
}
// GetRouteManager has no trivial body (it returns a reference to an abstract
// class); referring to it puts its name into the object all the same.
RouteManager& (*g_RouteManagerUse)() = &GetRouteManager;
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
bool CTurnInfo::GetEnterGuide(int, NavGuid&) const
{
    return false;
}
bool CTurnInfo::GetExitGuide(int, NavGuid&) const
{
    return false;
}
double LineLength(unsigned short, const tagLonLat*)
{
    return 0;
}
double SegmentLength(double, double, double, double)
{
    return 0;
}
double SegmentLength(const tagLonLat&, const tagLonLat&)
{
    return 0;
}
void GetUnitDegree(const tagLonLat&, double&, double&) {}
