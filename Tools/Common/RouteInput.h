// The route file as both tools read it: through the reference host's readers
// into a route model.
#ifndef TOOLS_COMMON_ROUTEINPUT_H
#define TOOLS_COMMON_ROUTEINPUT_H

#include "Route/RouteModel.h"

#include <optional>
#include <string>

// Reads `file` with the given reading options (--polyline-precision,
// --turn-threshold) and builds its model into `model`. False, with `message`
// naming the file and the problem, when the file cannot be read or its route
// cannot be modelled; `model` is then left empty.
bool ReadRouteModel(const std::string& file, int polylinePrecision, double turnThresholdDegrees,
                    std::optional<refhost::RouteModel>& model, std::string& message);

#endif
