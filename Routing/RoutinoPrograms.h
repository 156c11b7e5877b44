// Routino's programs on PATH, and what identifies the installation a
// database was built with.
#ifndef ADVICEPATH_ROUTING_ROUTINOPROGRAMS_H
#define ADVICEPATH_ROUTING_ROUTINOPROGRAMS_H

#include <string>

namespace refhost::routing
{

struct RoutinoPrograms
{
    std::string planetsplitter; // builds a database from an extract
    std::string router;         // "routino-router" (Debian's name) or "router"
    std::string filedumper;     // dumps a part of a database
};

// Throws RoutingFailure "Routino is not installed (Debian package routino)"
// when one of them is not on PATH.
RoutinoPrograms FindRoutino();

// "Routino version 3.3.3 ..." as planetsplitter --version says it; "" when it
// says nothing.
std::string RoutinoVersion(const RoutinoPrograms& programs, const std::string& scratchFolder);

} // namespace refhost::routing

#endif
