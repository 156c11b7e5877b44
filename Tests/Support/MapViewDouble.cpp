#include "MapViewDouble.h"

namespace aptest
{

int64_t MapViewDouble::GetScale()
{
    return scale;
}

int32_t MapViewDouble::ScaleToLevel(int64_t value)
{
    return levelOf != nullptr ? levelOf(value) : level;
}

} // namespace aptest
