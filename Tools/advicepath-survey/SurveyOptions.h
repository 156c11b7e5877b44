// The command line of advicepath-survey.
#ifndef TOOLS_SURVEY_SURVEYOPTIONS_H
#define TOOLS_SURVEY_SURVEYOPTIONS_H

#include <cstddef>
#include <cstdint>

#include "CommonOptions.h"
#include "LonLat.h"
#include <optional>
#include <string>
#include <vector>

namespace survey
{

// The logging options are the ones every tool takes alike.
struct SurveyOptions : tools::LogOptions
{
    std::vector<std::string> inputs; // extracts and route files
    std::size_t routes = 20;         // per extract
    // One route through these points over each extract instead of planned
    // ones (a failure looked at again).
    std::vector<tagLonLat> between;
    uint64_t seed = 1;
    std::string jsonFile;
    std::string outputDir; // pictures of the failures
    double framesPerSecond = 10.0;
    int polylinePrecision = 0;
    double turnThresholdDegrees = 30.0;
};

// Parses the command line: an exit code to stop with (help, version, or a
// usage error already reported), or nothing to go on.
std::optional<int> ParseCommandLine(int argc, char** argv, SurveyOptions& options);

} // namespace survey

#endif
