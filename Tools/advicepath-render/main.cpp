// advicepath-render: draws a route file with the advice-path render library on
// the reference host. See --help.
#include "RenderJob.h"
#include "RenderOptions.h"

#include "ToolFront.h"

namespace
{

int Main(int argc, char** argv)
{
    tools::Options options;
    if (auto code = tools::ParseCommandLine(argc, argv, options))
        return *code;
    return tools::RunRenderJob(options);
}

} // namespace

int main(int argc, char** argv)
{
    return tools::RunTool("advicepath-render", argc, argv, Main);
}
