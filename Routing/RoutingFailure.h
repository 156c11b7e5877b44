// The one way the routing steps report a problem inside the component: a
// RoutingFailure thrown with one line that names the input and the problem,
// turned into RoutingResult::error at the public entry points, which catch
// everything.
#ifndef ADVICEPATH_ROUTING_ROUTINGFAILURE_H
#define ADVICEPATH_ROUTING_ROUTINGFAILURE_H

#include <stdexcept>
#include <string>

namespace refhost::routing
{

class RoutingFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void Fail(const std::string& message)
{
    throw RoutingFailure(message);
}

} // namespace refhost::routing

#endif
