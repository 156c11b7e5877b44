// Routino's outputs of one route, as written: what the route is read from.
// The router writes them (RoutinoRouter.h), the route is built from them
// (RoutinoRoute.h) and Routing.h hands them out.
#ifndef ADVICEPATH_ROUTING_ROUTINOOUTPUT_H
#define ADVICEPATH_ROUTING_ROUTINOOUTPUT_H

#include <string>

namespace refhost::routing
{

struct RoutinoOutput
{
    std::string textAll; // router --output-text-all (quickest-all.txt)
    std::string html;    // router --output-html (quickest.html)
};

} // namespace refhost::routing

#endif
