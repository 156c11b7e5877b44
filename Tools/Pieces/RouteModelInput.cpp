#include "RouteModelInput.h"

namespace tools
{

bool ModelOfRoute(const refhost::RouteDescription& route, const std::string& name,
                  std::optional<refhost::RouteModel>& model, std::string& message)
{
    std::string error;
    model = refhost::RouteModel::FromDescription(route, error);
    if (!model)
        message = name + ": " + error;
    return model.has_value();
}

bool ModelOfRead(const refhost::RouteReadResult& read, const std::string& name,
                 std::optional<refhost::RouteModel>& model, std::string& message)
{
    model.reset();
    if (!read.ok)
    {
        message = read.error;
        return false;
    }
    return ModelOfRoute(read.route, name, model, message);
}

} // namespace tools
