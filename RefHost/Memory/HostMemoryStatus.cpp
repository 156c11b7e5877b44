// The library's memory status call on the reference host.
#include "MemoryStatus.h"

#include "Memory/ProcessMemoryStatus.h"

extern "C" void GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    if (status == nullptr)
        return;
    refhost::memory::FillMemoryStatus(refhost::memory::ReadHeapFigures(), *status);
}
