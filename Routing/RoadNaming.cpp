#include "RoadNaming.h"

#include <array>
#include <string_view>
#include <utility>

namespace refhost::routing
{

std::string TypeOfUnnamed(const std::string& highway)
{
    // translations.xml, language "en", <highway type=... string=...>.
    static const std::array<std::pair<std::string_view, std::string_view>, 13> kWords = {{
        {"motorway", "motorway"},
        {"trunk road", "trunk"},
        {"primary road", "primary"},
        {"secondary road", "secondary"},
        {"tertiary road", "tertiary"},
        {"unclassified road", "unclassified"},
        {"residential road", "residential"},
        {"service road", "service"},
        {"track", "track"},
        {"cycleway", "cycleway"},
        {"path", "path"},
        {"steps", "steps"},
        {"ferry", "ferry"},
    }};
    for (const auto& [word, type] : kWords)
        if (highway == word)
            return std::string(type);
    return {};
}

RoadNaming NamingOf(const std::string& highway)
{
    RoadNaming naming;
    if (highway.empty() || !TypeOfUnnamed(highway).empty())
        return naming;
    const size_t open = highway.rfind(" (");
    if (open != std::string::npos && open > 0 && highway.back() == ')')
    {
        naming.name = highway.substr(0, open);
        naming.ref = highway.substr(open + 2, highway.size() - open - 3);
    }
    else
        naming.name = highway;
    return naming;
}

std::string CaptionName(const RoadNaming& naming)
{
    return naming.name.empty() ? naming.ref : naming.name;
}

bool IsFreewayType(const std::string& highwayType)
{
    return highwayType == "motorway" || highwayType == "trunk";
}

} // namespace refhost::routing
