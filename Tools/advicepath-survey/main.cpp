// advicepath-survey: drives routes over OpenStreetMap extracts and route
// files through the library and checks every manoeuvre. See --help.
#include "SurveyJob.h"
#include "SurveyOptions.h"

#include "ToolFront.h"

namespace
{

int Main(int argc, char** argv)
{
    survey::SurveyOptions options;
    if (auto code = survey::ParseCommandLine(argc, argv, options))
        return *code;
    return survey::RunSurvey(options);
}

} // namespace

int main(int argc, char** argv)
{
    return tools::RunTool("advicepath-survey", argc, argv, Main);
}
