// The platform's memory status call, which the operation probe reads before
// and after a measured call (its growth is the memory line of the probe,
// Logging.h). A host without such figures may zero the record: the library only
// logs them.
#ifndef ADVICEPATH_HOST_MEMORYSTATUS_H
#define ADVICEPATH_HOST_MEMORYSTATUS_H

#include "HostVisibility.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <stdint.h>

// The platform record, with the 32-bit field widths of the device: 32 bytes.
// Every size is in bytes; dwMemoryLoad is a percentage. The probe sets
// dwLength to 32 before the first call and reads the physical and virtual
// totals and availabilities; a difference of two readings is taken in unsigned
// 32-bit arithmetic, so totals may wrap. The probe's memory line shows the
// growth in kilobytes (bytes / 1024, rounded down; Logging.h): the use after
// the call minus the use before, the use being total minus available
// (dwTotalPhys - dwAvailPhys, dwTotalVirtual - dwAvailVirtual). With unchanged
// totals that is the available memory before minus the available memory
// after, so a call that takes memory shows a positive figure and one during
// which the use shrank a wrapped one (near 4194303 KB). The tag is the
// platform's.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
typedef struct _MEMORYSTATUS
{
    uint32_t dwLength;
    uint32_t dwMemoryLoad;
    uint32_t dwTotalPhys;
    uint32_t dwAvailPhys;
    uint32_t dwTotalPageFile;
    uint32_t dwAvailPageFile;
    uint32_t dwTotalVirtual;
    uint32_t dwAvailVirtual;
} MEMORYSTATUS, *LPMEMORYSTATUS;

// Fills `status` (never null; dwLength set by the caller). Must not fail.
extern "C" ADVICEPATH_HOST_API void GlobalMemoryStatus(LPMEMORYSTATUS status);
#endif

#endif
