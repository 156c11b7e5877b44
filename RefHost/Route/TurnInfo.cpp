// The route library's CTurnInfo members and the reference host's way to fill
// one.
#include "TurnInfo.h"

#include <atomic>
#include <cstring>

namespace
{

struct TurnRecord
{
    std::atomic<long> references{1};
    NAV_TURN_TYPE_tag type = NAV_TURN_NONE;
    bool hasEnter = false;
    bool hasExit = false;
    NavGuid enter{};
    NavGuid exit{};
};

TurnRecord* Record(void* data)
{
    return static_cast<TurnRecord*>(data);
}

void Retain(void* data)
{
    if (data != nullptr)
        Record(data)->references.fetch_add(1, std::memory_order_relaxed);
}

void Release(void* data)
{
    if (data != nullptr && Record(data)->references.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete Record(data);
}

bool CopyGuide(bool present, const NavGuid& source, int index, NavGuid& guide)
{
    if (!present || index != 0)
    {
        std::memset(static_cast<void*>(&guide), 0, sizeof(guide));
        return false;
    }
    guide = source;
    return true;
}

} // namespace

CTurnInfo::CTurnInfo() : mp_Data(nullptr) {}

CTurnInfo::CTurnInfo(const CTurnInfo& other) : mp_Data(other.mp_Data)
{
    Retain(mp_Data);
}

CTurnInfo& CTurnInfo::operator=(const CTurnInfo& other)
{
    if (this == &other)
        return *this;
    // Retain first: safe for records shared by both.
    Retain(other.mp_Data);
    Release(mp_Data);
    mp_Data = other.mp_Data;
    return *this;
}

CTurnInfo::~CTurnInfo()
{
    Release(mp_Data);
}

NAV_TURN_TYPE_tag CTurnInfo::GetTurnType(int index) const
{
    return (mp_Data != nullptr && index == 0) ? Record(mp_Data)->type : NAV_TURN_NONE;
}

bool CTurnInfo::GetEnterGuide(int index, NavGuid& guide) const
{
    const TurnRecord* record = Record(mp_Data);
    return CopyGuide(record != nullptr && record->hasEnter, record ? record->enter : guide, index,
                     guide);
}

bool CTurnInfo::GetExitGuide(int index, NavGuid& guide) const
{
    const TurnRecord* record = Record(mp_Data);
    return CopyGuide(record != nullptr && record->hasExit, record ? record->exit : guide, index,
                     guide);
}

namespace refhost
{

CTurnInfo MakeTurnInfo(NAV_TURN_TYPE_tag type, const NavGuid* enter, const NavGuid* exit)
{
    auto* record = new TurnRecord;
    record->type = type;
    if (enter != nullptr)
    {
        record->hasEnter = true;
        record->enter = *enter;
    }
    if (exit != nullptr)
    {
        record->hasExit = true;
        record->exit = *exit;
    }
    // The new record's one reference passes to the result.
    return CTurnInfo(record);
}

} // namespace refhost
