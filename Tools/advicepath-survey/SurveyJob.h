// One run of the survey over its inputs.
#ifndef TOOLS_SURVEY_SURVEYJOB_H
#define TOOLS_SURVEY_SURVEYJOB_H

#include "SurveyOptions.h"

#include <string>

namespace survey
{

// The exit code when some manoeuvre failed (the others: CommonOptions.h).
constexpr int kExitFailures = 1;

// Whether `path` is an OpenStreetMap extract: by its name's ending (.osm,
// .osm.gz, .osm.bz2, .osm.pbf), else by its first bytes (an <osm> document,
// a PBF header block).
bool IsExtract(const std::string& path);

int RunSurvey(const SurveyOptions& options);

} // namespace survey

#endif
