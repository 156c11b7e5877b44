// Compile-time checks of the records the host and the library share that their
// headers do not assert themselves: the pointer-width branch of the guide
// records, the point, the handle and the platform's memory status record.
#include "AdvicePathRenderEx.h"
#include "LonLat.h"
#include "MemoryStatus.h"

#include <stdint.h>

static_assert((UINTPTR_MAX > 0xFFFFFFFFu) == (sizeof(void*) > 4),
              "the guide record layout branch disagrees with the pointer width");

static_assert(sizeof(tagLonLat) == 16, "a point is two doubles");
static_assert(sizeof(AdvicePathRenderEx) == 2 * sizeof(void*),
              "a handle is its virtual table pointer and its renderer pointer");
static_assert(sizeof(void*) != 4 || sizeof(MEMORYSTATUS) == 32,
              "the memory status record has 32-bit fields on 32-bit targets");
