#include "RoadStyle.h"

#include <algorithm>
#include <cmath>

namespace roadmap
{

namespace
{

struct ClassLook
{
    uint32_t fill;
    uint32_t casing;
    double width;  // fill width at level 0, CSS pixels
    int lastLevel; // the widest level at which the class shows
};

// Indexed by RoadClass.
const ClassLook kClassLooks[kRoadClassCount] = {
    {Rgb(0xF0A050), Rgb(0xB8702A), 16.0, 12}, // motorway
    {Rgb(0xF6BE6E), Rgb(0xC08C44), 15.0, 11}, // trunk
    {Rgb(0xFAD88A), Rgb(0xBF9E58), 14.0, 10}, // primary
    {Rgb(0xFBEBA5), Rgb(0xB5A877), 13.0, 9},  // secondary
    {Rgb(0xFFFFFF), Rgb(0xB2ABA0), 12.0, 8},  // tertiary
    {Rgb(0xFFFFFF), Rgb(0xBBB4A9), 10.0, 6},  // unclassified
    {Rgb(0xFFFFFF), Rgb(0xBBB4A9), 10.0, 6},  // residential
    {Rgb(0xF4F4F4), Rgb(0xC3BDB3), 9.0, 5},   // living street
    {Rgb(0xFFFFFF), Rgb(0xC8C2B8), 6.0, 3},   // service
};

constexpr double kShrinkPerLevel = 0.72;
constexpr double kLinkWidthFactor = 0.65;
constexpr double kMinWidth = 0.8;      // thinner lines would vanish
constexpr double kMinCasedWidth = 2.5; // a casing needs this much fill
constexpr double kCloseCasing = 1.0;   // casing on each side, levels 0 to 3
constexpr double kFarCasing = 0.75;    // beyond
constexpr int kLastCloseCasingLevel = 3;

double LevelScale(int level)
{
    return std::pow(kShrinkPerLevel, std::max(0, level));
}

} // namespace

RoadLook LookOfRoad(RoadClass roadClass, bool isLink, int level)
{
    const ClassLook& look = kClassLooks[static_cast<int>(roadClass)];
    RoadLook result;
    result.shown = level <= look.lastLevel;
    if (!result.shown)
        return result;
    const double width =
        std::max(kMinWidth, look.width * LevelScale(level) * (isLink ? kLinkWidthFactor : 1.0));
    if (width < kMinCasedWidth)
    {
        result.fill = {look.casing, width};
        return result;
    }
    const double border = level <= kLastCloseCasingLevel ? kCloseCasing : kFarCasing;
    result.casing = {look.casing, width + 2.0 * border};
    result.fill = {look.fill, width};
    return result;
}

Stroke LookOfWaterway(WaterwayKind kind, int level)
{
    const bool river = kind == WaterwayKind::River;
    if (level > (river ? 9 : 4))
        return {};
    const double width = (river ? 10.0 : 4.0) * LevelScale(level);
    return {kWaterColour, std::max(kMinWidth, width)};
}

bool BuildingsShown(int level)
{
    return level <= 2;
}

bool BuildingOutlinesShown(int level)
{
    return level <= 0;
}

bool NamesShown(int level)
{
    return level <= 2;
}

} // namespace roadmap
