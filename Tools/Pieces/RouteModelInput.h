// A route, read from a file or from text, or computed, made into its model,
// with the one message every tool and the browser page give when that fails.
#ifndef TOOLS_PIECES_ROUTEMODELINPUT_H
#define TOOLS_PIECES_ROUTEMODELINPUT_H

#include "Route/RouteModel.h"
#include "RouteFiles/RouteFiles.h"

#include <optional>
#include <string>

namespace tools
{

// The model of `route`, which came from `name` (a file, a text held under
// that name, or a computed route's description). False, with `message`
// "NAME: the problem", when the route cannot be modelled; `model` is then
// left empty.
bool ModelOfRoute(const refhost::RouteDescription& route, const std::string& name,
                  std::optional<refhost::RouteModel>& model, std::string& message);

// The same for what a route reader gave: its own message (which names the
// input) when the read failed.
bool ModelOfRead(const refhost::RouteReadResult& read, const std::string& name,
                 std::optional<refhost::RouteModel>& model, std::string& message);

} // namespace tools

#endif
