// The routing database of an extract, built once and kept in the cache
// folder under the SHA-256 digest of the extract's bytes.
#ifndef ADVICEPATH_ROUTING_ROUTINGDATABASE_H
#define ADVICEPATH_ROUTING_ROUTINGDATABASE_H

#include "RoutinoPrograms.h"

#include <functional>
#include <string>

namespace refhost::routing
{

// The name of the file in a database folder that says what it was built
// from and with; a folder without it, or with other words in it, is not used.
constexpr const char* kDatabaseStamp = "advicepath-database.txt";

// The folder of the whole database of the extract in `cacheFolder`, built
// first when there is none (or only one of another Routino or other rules):
// in "<digest>.building-XXXXXX" beside its place, then renamed to
// "<digest>", so that no reader ever sees a part of one; when another process
// put a whole database there first, that one is used and this one removed.
// `progress` gets a line before and after a build; `workFolder` takes
// scratch files. Throws RoutingFailure naming the extract (or the cache
// folder) with the problem.
std::string EnsureDatabase(const RoutinoPrograms& programs, const std::string& extractPath,
                           const std::string& cacheFolder, const std::string& workFolder,
                           const std::function<void(const std::string&)>& progress);

} // namespace refhost::routing

#endif
