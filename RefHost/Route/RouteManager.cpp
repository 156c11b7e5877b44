// The route library's process-wide route manager and its path manager.
#include "ActiveRoute.h"
#include "RouteLibrary.h"
#include "RouteModel.h"

#include <mutex>
#include <vector>

namespace
{

struct ActiveRouteState
{
    std::mutex lock;
    bool active = false;
    bool hasOrigin = false;
    tagLonLat origin = AP_INVALID_POINT;
    std::vector<tagLonLat> destinations;
};

ActiveRouteState& State()
{
    static ActiveRouteState state;
    return state;
}

class ActivePathManager : public CPathManagerEx
{
public:
    bool GetOrgPoint(NavDest& dest) override
    {
        ActiveRouteState& state = State();
        std::lock_guard<std::mutex> guard(state.lock);
        if (!state.hasOrigin)
            return false;
        dest.m_Position = state.origin;
        return true;
    }

    int GetDestCount() override
    {
        ActiveRouteState& state = State();
        std::lock_guard<std::mutex> guard(state.lock);
        return static_cast<int>(state.destinations.size());
    }

    bool GetDestPoint(int index, NavDest& dest) override
    {
        ActiveRouteState& state = State();
        std::lock_guard<std::mutex> guard(state.lock);
        if (index < 0 || static_cast<size_t>(index) >= state.destinations.size())
            return false;
        dest.m_Position = state.destinations[static_cast<size_t>(index)];
        return true;
    }
};

class ReferenceRouteManager : public RouteManager
{
public:
    CPathManagerEx& GetPathManager() override { return m_pathManager; }

private:
    ActivePathManager m_pathManager;
};

} // namespace

RouteManager& GetRouteManager()
{
    static ReferenceRouteManager manager;
    return manager;
}

namespace refhost
{

void SetActiveRoute(const RouteModel* route)
{
    // Copied before the lock is taken, so that a failing copy changes nothing.
    std::vector<tagLonLat> destinations;
    if (route != nullptr)
        destinations = route->Destinations();
    ActiveRouteState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.active = route != nullptr;
    state.hasOrigin = route != nullptr && route->HasOrigin();
    state.origin = state.hasOrigin ? route->Origin() : AP_INVALID_POINT;
    state.destinations.swap(destinations);
}

bool HasActiveRoute()
{
    ActiveRouteState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.active;
}

} // namespace refhost
