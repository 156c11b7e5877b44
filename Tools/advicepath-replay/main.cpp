// advicepath-replay: drives a route file with the advice-path render library
// drawing every frame, as a device's frame loop does, and writes the drive as
// an animation or measures it. See --help.
#include "AnimationJob.h"
#include "MeasureJob.h"
#include "ReplayOptions.h"

#include "ToolFront.h"

namespace
{

int Main(int argc, char** argv)
{
    tools::ReplayOptions options;
    if (auto code = tools::ParseReplayCommandLine(argc, argv, options))
        return *code;
    return options.measure ? tools::RunMeasureJob(options) : tools::RunAnimationJob(options);
}

} // namespace

int main(int argc, char** argv)
{
    return tools::RunTool("advicepath-replay", argc, argv, Main);
}
