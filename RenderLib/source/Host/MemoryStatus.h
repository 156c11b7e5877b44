// The platform's memory status call, which the operation probe reads before
// and after a measured call.
#ifndef ADVICEPATH_HOST_MEMORYSTATUS_H
#define ADVICEPATH_HOST_MEMORYSTATUS_H

#if defined(_WIN32)
#include <windows.h>
#else
#include <stdint.h>

// The platform record, with the 32-bit field widths of the device: 32 bytes.
// The probe sets dwLength to 32 before the first call and reads the physical
// and virtual totals and availabilities; a difference of two readings is taken
// in unsigned 32-bit arithmetic, so totals may wrap. The tag is the platform's.
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

extern "C" void GlobalMemoryStatus(LPMEMORYSTATUS status);
#endif

#endif
