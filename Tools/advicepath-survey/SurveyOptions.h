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
    // Every turn at every junction of each extract instead of routes.
    bool allJunctions = false;
    // This run's share of the junctions: shard `shard` (1 ... shards).
    std::size_t shard = 1;
    std::size_t shards = 1;
    // Only this junction (its number in the visit order, from 1).
    std::size_t junction = 0;
    // Reports to merge into one instead of a survey.
    std::vector<std::string> merge;
};

// "K/N" with 1 <= K <= N; false when `text` is not one.
bool ParseShard(const std::string& text, std::size_t& shard, std::size_t& shards);

// Parses the command line: an exit code to stop with (help, version, or a
// usage error already reported), or nothing to go on.
std::optional<int> ParseCommandLine(int argc, char** argv, SurveyOptions& options);

} // namespace survey

#endif
