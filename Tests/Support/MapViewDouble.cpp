#include "MapViewDouble.h"

namespace aptest
{

int64_t MapViewDouble::GetScale()
{
    return rule != nullptr ? rule->Scale() : scale;
}

int32_t MapViewDouble::ScaleToLevel(int64_t value)
{
    return rule != nullptr ? rule->Level(value) : level;
}

} // namespace aptest
