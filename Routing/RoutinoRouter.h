// The router and the database dumper run over a built database.
#ifndef ADVICEPATH_ROUTING_ROUTINOROUTER_H
#define ADVICEPATH_ROUTING_ROUTINOROUTER_H

#include "LonLat.h"
#include "RoutinoOutput.h"
#include "RoutinoPrograms.h"

#include <string>
#include <vector>

namespace refhost::routing
{

// The quickest car route through `points` (2 ... 99), its outputs written in
// `workFolder`. Throws RoutingFailure naming `extractName`: a point that is
// not near a road a car may use (Routino looks about a kilometre around it),
// no route between two consecutive points, or any other failure in the
// router's words.
RoutinoOutput RunRouter(const RoutinoPrograms& programs, const std::string& database,
                        const std::vector<tagLonLat>& points, const std::string& workFolder,
                        const std::string& extractName);

// The database's dump of a box (filedumper --dump-osm), or "" when it fails.
std::string DumpBox(const RoutinoPrograms& programs, const std::string& database,
                    const tagLonLat& southWest, const tagLonLat& northEast,
                    const std::string& workFolder);

// The database's count of segments at each junction in a box (filedumper
// --visualiser --data=junctions: "node<id> <lat> <lon> <count>" lines), or ""
// when it fails.
std::string JunctionCounts(const RoutinoPrograms& programs, const std::string& database,
                           const tagLonLat& southWest, const tagLonLat& northEast,
                           const std::string& workFolder);

} // namespace refhost::routing

#endif
