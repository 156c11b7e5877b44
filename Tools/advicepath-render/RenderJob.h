// One run of advicepath-render: read the route, draw the overview and every
// manoeuvre through the library, write the pictures and the page.
#ifndef TOOLS_ADVICEPATH_RENDER_RENDERJOB_H
#define TOOLS_ADVICEPATH_RENDER_RENDERJOB_H

#include "RenderOptions.h"

namespace tools
{

// Returns the process exit code; on failure one line naming the problem has
// been written to standard error.
int RunRenderJob(const Options& options);

} // namespace tools

#endif
