// The operation probe: wall time and memory growth of one measured call
// (SetSize, SetTurnInfo, DrawTurn), written to the log.
#ifndef ADVICEPATH_RENDER_OPERATIONPROBE_H
#define ADVICEPATH_RENDER_OPERATIONPROBE_H

#include "../Host/Logging.h"
#include "../Host/MemoryStatus.h"
#include "LogTable.h"

#include <stdint.h>

struct MemCounter
{
    MEMORYSTATUS m_Status;
    uint32_t m_PhysBefore;
    uint32_t m_PhysAfter;
    uint32_t m_VirtBefore;
    uint32_t m_VirtAfter;

    MemCounter();
};

// "PhsMem:%luKB VirMem:%luKB" with the growths in KB, computed in unsigned
// 32-bit arithmetic (a shrinking use wraps to a large number). Returns
// `buffer` (at least 128 characters), or null for a null buffer or a failed
// format.
char* MemCounterText(const MemCounter& counter, char* buffer);

// One measured call, on the caller's stack. Start() reads the clock and the
// memory; Finish() reads both again and writes the two probe lines of the log
// table, `timeLine` with the milliseconds and `memoryLine` with the
// MemCounterText. A probe that is never finished logs nothing.
class COperationProbe
{
public:
    COperationProbe(ApLogMessage timeLine, ApLogMessage memoryLine);
    void Start();
    void Finish();

private:
    Timer m_Timer;
    MemCounter m_Counter;
    ApLogMessage m_TimeLine;
    ApLogMessage m_MemoryLine;
};

#endif
