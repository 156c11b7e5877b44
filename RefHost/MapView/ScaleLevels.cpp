#include "ScaleLevels.h"

#include <cmath>

namespace refhost
{

int64_t ScaleOfViewport(const MapViewport& viewport)
{
    double millimetres = std::round(MetresPerPixel(viewport) * 1000.0);
    // A viewport outside its limits could give anything; the scale value stays
    // a positive integer all the same.
    if (!(millimetres >= 1.0))
        return 1;
    if (millimetres > 1e18)
        return static_cast<int64_t>(1e18);
    return static_cast<int64_t>(millimetres);
}

int32_t LevelOfScale(int64_t scaleMillimetres)
{
    int32_t level = 0;
    // Level L + 1 begins at kLevelBaseMillimetres * 2^(L + 1); halving the
    // scale instead of doubling the bound cannot overflow.
    int64_t scale = scaleMillimetres / kLevelBaseMillimetres;
    while (scale >= 2)
    {
        scale /= 2;
        ++level;
    }
    return level;
}

double LevelValueOfResolution(double metresPerPixel)
{
    return std::log2(metresPerPixel) + 0.5;
}

double ResolutionOfLevelValue(double levelValue)
{
    return std::exp2(levelValue - 0.5);
}

double DesignResolution(int level)
{
    if (level <= 0)
        return 0.35;
    return std::ldexp(1.0, level) / std::sqrt(2.0);
}

} // namespace refhost
