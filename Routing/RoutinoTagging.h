// The tagging rules the database is built with: Routino's installed rules
// with one rule of this project's added. OpenStreetMap marks roundabouts
// with junction=roundabout and also with junction=circular (a circular road
// whose traffic does not have right of way); Routino's rules know only the
// first, so a circular junction would be described as a plain road and its
// exits not counted. The added rule turns junction=circular into
// junction=roundabout at the start of the node and way rules, before any
// installed rule reads the tag.
#ifndef ADVICEPATH_ROUTING_ROUTINOTAGGING_H
#define ADVICEPATH_ROUTING_ROUTINOTAGGING_H

#include <string>
#include <vector>

namespace refhost::routing
{

// Where the installed rules may be, for the builder found at
// `planetsplitterPath`: <prefix>/share/routino/tagging.xml beside its
// <prefix>/bin, then the system's usual places.
std::vector<std::string> TaggingCandidates(const std::string& planetsplitterPath);

// The rules of `installed` (the text of a Routino tagging.xml) with the
// circular-junction rule added. Throws RoutingFailure naming `installedPath`
// when the text has no <node> or <way> rules to add it to.
std::string TaggingWithCircularJunctions(const std::string& installed,
                                         const std::string& installedPath);

} // namespace refhost::routing

#endif
