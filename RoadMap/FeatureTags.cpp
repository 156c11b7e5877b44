#include "FeatureTags.h"

#include <string_view>

namespace roadmap
{

namespace
{

std::string_view TagValue(const osmium::TagList& tags, const char* key)
{
    const char* value = tags.get_value_by_key(key);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

bool IsWaterSurface(const osmium::TagList& tags)
{
    const std::string_view landuse = TagValue(tags, "landuse");
    return TagValue(tags, "natural") == "water" || TagValue(tags, "waterway") == "riverbank" ||
           landuse == "reservoir" || landuse == "basin";
}

bool WaterwayOf(std::string_view value, WaterwayKind& kind)
{
    if (value == "river" || value == "canal")
        kind = WaterwayKind::River;
    else if (value == "stream" || value == "ditch" || value == "drain")
        kind = WaterwayKind::Stream;
    else
        return false;
    return true;
}

} // namespace

WayFeature FeatureOfWay(const osmium::TagList& tags)
{
    WayFeature feature;
    Road& road = feature.road;
    if (ClassOfHighway(TagValue(tags, "highway"), road.roadClass, road.isLink))
    {
        feature.kind = WayKind::Road;
        const std::string_view junction = TagValue(tags, "junction");
        road.isRoundabout = IsRoundaboutJunction(junction);
        road.oneway = OnewayOf(TagValue(tags, "highway"), TagValue(tags, "oneway"), junction);
        road.name = TagValue(tags, "name");
        road.ref = TagValue(tags, "ref");
        return feature;
    }
    if (IsWaterSurface(tags))
        feature.kind = WayKind::WaterArea;
    else if (WaterwayOf(TagValue(tags, "waterway"), feature.waterway))
        feature.kind = WayKind::Waterway;
    else if (const std::string_view building = TagValue(tags, "building");
             !building.empty() && building != "no")
        feature.kind = WayKind::Building;
    return feature;
}

bool IsWaterRelation(const osmium::TagList& tags)
{
    return TagValue(tags, "type") == "multipolygon" && IsWaterSurface(tags);
}

} // namespace roadmap
