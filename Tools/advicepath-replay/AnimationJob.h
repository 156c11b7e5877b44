// A replay written as an animation: drive.webp, frames.json, index.html.
#ifndef TOOLS_ADVICEPATH_REPLAY_ANIMATIONJOB_H
#define TOOLS_ADVICEPATH_REPLAY_ANIMATIONJOB_H

#include "ReplayOptions.h"

namespace tools
{

// Returns the process exit code; on failure one line naming the problem has
// been written to standard error and no file of the run is left.
int RunAnimationJob(const ReplayOptions& options);

} // namespace tools

#endif
