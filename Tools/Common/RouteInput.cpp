#include "RouteInput.h"

#include "RouteFiles/RouteFiles.h"

bool ReadRouteModel(const std::string& file, int polylinePrecision, double turnThresholdDegrees,
                    std::optional<refhost::RouteModel>& model, std::string& message)
{
    model.reset();
    refhost::RouteReadOptions readOptions;
    readOptions.polylinePrecision = polylinePrecision;
    readOptions.turnThresholdDegrees = turnThresholdDegrees;
    const refhost::RouteReadResult read = refhost::ReadRouteFile(file, readOptions);
    if (!read.ok)
    {
        message = read.error;
        return false;
    }
    std::string error;
    model = refhost::RouteModel::FromDescription(read.route, error);
    if (!model)
        message = file + ": " + error;
    return model.has_value();
}
