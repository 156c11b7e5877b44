// advicepath-render: draws a route file with the advice-path render library on
// the reference host. See --help.
#include "RenderJob.h"
#include "RenderOptions.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    try
    {
        tools::Options options;
        if (auto code = tools::ParseCommandLine(argc, argv, options))
            return *code;
        return tools::RunRenderJob(options);
    }
    catch (const std::exception& e)
    {
        std::cerr << "advicepath-render: " << e.what() << "\n";
        return 1;
    }
}
