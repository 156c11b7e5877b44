// A host that reaches for one of the library's internal headers. The host
// headers before it must be found; the internal one must not.
#include "AdvicePathRenderEx.h"
#include "MapService.h"
#include "Render/AdvicePathRender.h"
