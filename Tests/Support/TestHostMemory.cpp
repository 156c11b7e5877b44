// GlobalMemoryStatus of the test host: readings that a test queues.
#if defined(_WIN32)
// The test host defines the function in place of kernel32.dll (the tests'
// library DLL imports it from here): <windows.h> must declare it without
// dllimport.
#define _KERNEL32_
#define AP_MEMORY_STATUS_CALL WINAPI
#else
#define AP_MEMORY_STATUS_CALL
#endif

#include "MemoryStatus.h"
#include "TestHost.h"

#include <deque>

namespace
{
struct MemoryState
{
    std::deque<aptest::MemoryReading> queued;
    aptest::MemoryReading last;
    int calls = 0;
    uint32_t lastLength = 0;
};
MemoryState& State()
{
    static MemoryState state;
    return state;
}
} // namespace

void aptest::MemoryControl::Queue(MemoryReading reading)
{
    State().queued.push_back(reading);
}
void aptest::MemoryControl::Reset()
{
    State() = MemoryState();
}
int aptest::MemoryControl::Calls()
{
    return State().calls;
}
uint32_t aptest::MemoryControl::LastLengthField()
{
    return State().lastLength;
}

extern "C" void AP_MEMORY_STATUS_CALL GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    MemoryState& state = State();
    ++state.calls;
    state.lastLength = status->dwLength;
    if (!state.queued.empty())
    {
        state.last = state.queued.front();
        state.queued.pop_front();
    }
    // Totals near the top of the 32-bit range, so that total - avail wraps in
    // the same way as on a device whose figures exceed 32 bits.
    const uint32_t total = 0xF0000000u;
    status->dwMemoryLoad = 50;
    status->dwTotalPhys = total;
    status->dwAvailPhys = total - state.last.usedPhys;
    status->dwTotalPageFile = 0;
    status->dwAvailPageFile = 0;
    status->dwTotalVirtual = total;
    status->dwAvailVirtual = total - state.last.usedVirtual;
}
