#include "OperationProbe.h"

#include <stdio.h>
#include <string.h>

namespace
{
const int kMemCounterTextSize = 128;

uint32_t UsedPhys(const MEMORYSTATUS& status)
{
    return static_cast<uint32_t>(status.dwTotalPhys) - static_cast<uint32_t>(status.dwAvailPhys);
}

uint32_t UsedVirtual(const MEMORYSTATUS& status)
{
    return static_cast<uint32_t>(status.dwTotalVirtual) -
           static_cast<uint32_t>(status.dwAvailVirtual);
}
} // namespace

MemCounter::MemCounter() : m_PhysBefore(0), m_PhysAfter(0), m_VirtBefore(0), m_VirtAfter(0)
{
    memset(&m_Status, 0, sizeof(m_Status));
    m_Status.dwLength = 32;
}

char* MemCounterText(const MemCounter& counter, char* buffer)
{
    if (buffer == nullptr)
        return nullptr;
    // Differences in unsigned 32-bit arithmetic: a shrinking use wraps, and a
    // total that exceeded 32 bits between the readings still differs rightly.
    uint32_t phys = static_cast<uint32_t>(counter.m_PhysAfter - counter.m_PhysBefore) >> 10;
    uint32_t virt = static_cast<uint32_t>(counter.m_VirtAfter - counter.m_VirtBefore) >> 10;
    int written = sprintf(buffer, "PhsMem:%luKB VirMem:%luKB", static_cast<unsigned long>(phys),
                          static_cast<unsigned long>(virt));
    return written > 0 ? buffer : nullptr;
}

COperationProbe::COperationProbe(ApLogMessage timeLine, ApLogMessage memoryLine)
    : m_TimeLine(timeLine), m_MemoryLine(memoryLine)
{
}

void COperationProbe::Start()
{
    m_Timer.StartTime();
    GlobalMemoryStatus(&m_Counter.m_Status);
    m_Counter.m_PhysBefore = UsedPhys(m_Counter.m_Status);
    m_Counter.m_VirtBefore = UsedVirtual(m_Counter.m_Status);
}

void COperationProbe::Finish()
{
    GlobalMemoryStatus(&m_Counter.m_Status);
    m_Counter.m_PhysAfter = UsedPhys(m_Counter.m_Status);
    m_Counter.m_VirtAfter = UsedVirtual(m_Counter.m_Status);
    m_Timer.EndTime();

    const ApLogEntry& time = g_ApLogTable[m_TimeLine];
    log4cpp_Info(AP_LOG_CATEGORY, time.source, time.number, time.function, time.format,
                 m_Timer.GetTime());
    char text[kMemCounterTextSize];
    // The memory line carries whatever MemCounterText made; a failed format
    // (never seen with this fixed format) is logged as an empty figure.
    const char* memory = MemCounterText(m_Counter, text);
    const ApLogEntry& growth = g_ApLogTable[m_MemoryLine];
    log4cpp_Info(AP_LOG_CATEGORY, growth.source, growth.number, growth.function, growth.format,
                 memory != nullptr ? memory : "");
}
