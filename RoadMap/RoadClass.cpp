#include "RoadClass.h"

namespace roadmap
{

namespace
{

struct HighwayValue
{
    std::string_view value;
    RoadClass roadClass;
};

constexpr HighwayValue kHighwayValues[] = {
    {"motorway", RoadClass::Motorway},       {"trunk", RoadClass::Trunk},
    {"primary", RoadClass::Primary},         {"secondary", RoadClass::Secondary},
    {"tertiary", RoadClass::Tertiary},       {"unclassified", RoadClass::Unclassified},
    {"residential", RoadClass::Residential}, {"living_street", RoadClass::LivingStreet},
    {"service", RoadClass::Service},
};

constexpr std::string_view kLinkSuffix = "_link";

} // namespace

bool ClassOfHighway(std::string_view value, RoadClass& roadClass, bool& isLink)
{
    bool link = false;
    if (value.size() > kLinkSuffix.size() &&
        value.substr(value.size() - kLinkSuffix.size()) == kLinkSuffix)
    {
        value.remove_suffix(kLinkSuffix.size());
        link = true;
    }
    for (const HighwayValue& known : kHighwayValues)
    {
        if (known.value != value)
            continue;
        // Only the five classes of through roads have link ramps.
        if (link && known.roadClass > RoadClass::Tertiary)
            return false;
        roadClass = known.roadClass;
        isLink = link;
        return true;
    }
    return false;
}

} // namespace roadmap
