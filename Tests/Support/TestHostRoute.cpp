// Route library of the test host: origin, destinations and turn information.
#include "TestHost.h"

#include <cstring>

namespace
{

struct RouteState
{
    bool hasOrigin = false;
    tagLonLat origin = AP_INVALID_POINT;
    std::vector<tagLonLat> destinations;
    bool failDestPoint = false;
    std::vector<std::string> calls;
};
RouteState& State()
{
    static RouteState state;
    return state;
}

class TestPathManager : public CPathManagerEx
{
public:
    bool GetOrgPoint(NavDest& dest) override
    {
        State().calls.emplace_back("GetOrgPoint");
        if (!State().hasOrigin)
            return false;
        dest.m_Position = State().origin;
        return true;
    }
    int GetDestCount() override
    {
        State().calls.emplace_back("GetDestCount");
        return static_cast<int>(State().destinations.size());
    }
    bool GetDestPoint(int index, NavDest& dest) override
    {
        State().calls.push_back("GetDestPoint(" + std::to_string(index) + ")");
        if (State().failDestPoint || index < 0 ||
            static_cast<size_t>(index) >= State().destinations.size())
            return false;
        dest.m_Position = State().destinations[static_cast<size_t>(index)];
        return true;
    }
};

class TestRouteManager : public RouteManager
{
public:
    CPathManagerEx& GetPathManager() override
    {
        State().calls.emplace_back("GetPathManager");
        return m_manager;
    }

private:
    TestPathManager m_manager;
};

// What a test CTurnInfo holds.
struct TurnData
{
    NAV_TURN_TYPE_tag type = NAV_TURN_NONE;
    NavGuid enter;
    NavGuid exit;
};

const TurnData* Data(void* data)
{
    return static_cast<const TurnData*>(data);
}

} // namespace

RouteManager& GetRouteManager()
{
    static TestRouteManager manager;
    State().calls.emplace_back("GetRouteManager");
    return manager;
}

CTurnInfo::CTurnInfo() : mp_Data(nullptr) {}

CTurnInfo::CTurnInfo(const CTurnInfo& other)
    : mp_Data(other.mp_Data != nullptr ? new TurnData(*Data(other.mp_Data)) : nullptr)
{
}

CTurnInfo& CTurnInfo::operator=(const CTurnInfo& other)
{
    if (this != &other)
    {
        delete static_cast<TurnData*>(mp_Data);
        mp_Data = other.mp_Data != nullptr ? new TurnData(*Data(other.mp_Data)) : nullptr;
    }
    return *this;
}

CTurnInfo::~CTurnInfo()
{
    delete static_cast<TurnData*>(mp_Data);
}

NAV_TURN_TYPE_tag CTurnInfo::GetTurnType(int index) const
{
    return (mp_Data != nullptr && index == 0) ? Data(mp_Data)->type : NAV_TURN_NONE;
}

bool CTurnInfo::GetEnterGuide(int index, NavGuid& guide) const
{
    if (mp_Data == nullptr || index != 0)
    {
        std::memset(&guide, 0, sizeof(guide));
        return false;
    }
    guide = Data(mp_Data)->enter;
    return true;
}

bool CTurnInfo::GetExitGuide(int index, NavGuid& guide) const
{
    if (mp_Data == nullptr || index != 0)
    {
        std::memset(&guide, 0, sizeof(guide));
        return false;
    }
    guide = Data(mp_Data)->exit;
    return true;
}

namespace aptest
{

// Turn information holding a record of the test route library; the result
// owns it, as the copies the members above make own theirs.
CTurnInfo MakeTurnInfo(NAV_TURN_TYPE_tag type, const NavGuid& enter, const NavGuid& exit)
{
    auto* data = new TurnData;
    data->type = type;
    data->enter = enter;
    data->exit = exit;
    return CTurnInfo(data);
}

void RouteControl::Reset()
{
    State() = RouteState();
}
void RouteControl::SetOrigin(tagLonLat origin)
{
    State().hasOrigin = true;
    State().origin = origin;
}
void RouteControl::ClearOrigin()
{
    State().hasOrigin = false;
}
void RouteControl::SetDestinations(std::vector<tagLonLat> destinations)
{
    State().destinations = std::move(destinations);
}
void RouteControl::FailDestPoint(bool fail)
{
    State().failDestPoint = fail;
}
std::vector<std::string>& RouteControl::Calls()
{
    return State().calls;
}

void ResetTestHost()
{
    RecordingLog::Instance().Clear();
    MapCreateControl::DefaultMapView() = nullptr;
    MapCreateControl::Calls() = 0;
    MemoryControl::Reset();
    TimerControl::ElapsedMs() = 1.5;
    GeodesyControl::UsePlanar(1.0);
    GeodesyControl::SegmentLengthCalls() = 0;
    RouteControl::Reset();
}

} // namespace aptest
