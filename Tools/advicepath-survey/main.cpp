// advicepath-survey: drives routes over OpenStreetMap extracts and route
// files through the library and checks every manoeuvre. See --help.
#include "SurveyJob.h"
#include "SurveyOptions.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    try
    {
        survey::SurveyOptions options;
        if (auto code = survey::ParseCommandLine(argc, argv, options))
            return *code;
        return survey::RunSurvey(options);
    }
    catch (const std::exception& e)
    {
        std::cerr << "advicepath-survey: " << e.what() << "\n";
        return 1;
    }
}
