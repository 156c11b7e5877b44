// Compile-time checks of the records the host and the library share, for the
// target being built. The guide records choose their pointer offsets with
// UINTPTR_MAX; these checks make sure that choice agrees with the real pointer
// width, and pin the 32-bit offsets of the device layout explicitly.
#include "AdvicePathRenderEx.h"
#include "Host/LonLat.h"
#include "Host/MemoryStatus.h"
#include "Host/PathLibrary.h"
#include "Host/RouteLibrary.h"

#include <stddef.h>
#include <stdint.h>

#if defined(AP_EXPECTED_POINTER_BYTES)
static_assert(sizeof(void*) == AP_EXPECTED_POINTER_BYTES,
              "the compiler builds for another pointer width than this build expects");
#endif

static_assert((UINTPTR_MAX > 0xFFFFFFFFu) == (sizeof(void*) > 4),
              "the guide record layout branch disagrees with the pointer width");

static_assert(sizeof(tagLonLat) == 16, "a point is two doubles");
static_assert(sizeof(AdvicePathSizeSetting) == 44, "size record: eleven 32-bit fields");
static_assert(sizeof(AdvicePathClrSetting) == 16, "colour record: four 32-bit colours");
static_assert(sizeof(AdvicePathRenderEx) == 2 * sizeof(void*),
              "a handle is its virtual table pointer and its renderer pointer");
static_assert(sizeof(PathGuid) == 752 && sizeof(NavGuid) == 752, "guide records are 752 bytes");
static_assert(offsetof(PathGuid, m_GuideLength) == 344, "m_GuideLength");
static_assert(offsetof(PathGuid, m_GuidePoint) == 360, "m_GuidePoint");
static_assert(offsetof(NavDest, m_Position) == 560, "destination point");

// The device layout: 32-bit pointers in place, at 324 and 700.
static_assert(sizeof(void*) != 4 || offsetof(PathGuid, mp_FirstPoints) == 324,
              "first record points at 324 on 32-bit targets");
static_assert(sizeof(void*) != 4 || offsetof(PathGuid, mp_SecondPoints) == 700,
              "second record points at 700 on 32-bit targets");
static_assert(sizeof(void*) != 4 || sizeof(MEMORYSTATUS) == 32,
              "the memory status record has 32-bit fields on 32-bit targets");
// 64-bit hosts: the pointers move to the next 8-aligned offset inside the gap.
static_assert(sizeof(void*) != 8 || offsetof(PathGuid, mp_FirstPoints) == 328,
              "first record points at 328 on 64-bit targets");
static_assert(sizeof(void*) != 8 || offsetof(PathGuid, mp_SecondPoints) == 704,
              "second record points at 704 on 64-bit targets");
