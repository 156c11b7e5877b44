// advicepath-replay: drives a route file with the advice-path render library
// drawing every frame, as a device's frame loop does, and writes the drive as
// an animation or measures it. See --help.
#include "AnimationJob.h"
#include "MeasureJob.h"
#include "ReplayOptions.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    try
    {
        tools::ReplayOptions options;
        if (auto code = tools::ParseReplayCommandLine(argc, argv, options))
            return *code;
        return options.measure ? tools::RunMeasureJob(options) : tools::RunAnimationJob(options);
    }
    catch (const std::exception& e)
    {
        std::cerr << "advicepath-replay: " << e.what() << "\n";
        return 1;
    }
}
