// A readable account of a library fuzzer scenario: for tracing an input that
// failed (LIBRARY_FUZZER_TRACE=1) and for the seed writer's report.
#ifndef AP_FUZZ_SCENARIOTEXT_H
#define AP_FUZZ_SCENARIOTEXT_H

#include "LibraryScenario.h"

#include <string>

namespace apfuzz
{

std::string Describe(const Scenario& scenario);
std::string Describe(const CallInput& op);

} // namespace apfuzz

#endif
