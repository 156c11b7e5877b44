// What the tags of an OpenStreetMap way or relation make it on a road map.
#ifndef ROADMAP_FEATURETAGS_H
#define ROADMAP_FEATURETAGS_H

#include "RoadMap.h"

#include <osmium/osm/tag.hpp>

namespace roadmap
{

enum class WayKind : uint8_t
{
    None,      // nothing the map draws
    Road,      // a highway of a RoadClass
    Waterway,  // a river, canal, stream, ditch or drain (a line)
    WaterArea, // a lake, a reservoir, a river's surface (an area when closed)
    Building,  // an area when closed
};

struct WayFeature
{
    WayKind kind = WayKind::None;
    Road road;                                    // attributes of a Road
    WaterwayKind waterway = WaterwayKind::Stream; // kind of a Waterway
};

// The feature a way's tags describe. A road keeps its class, link, roundabout,
// direction, name and ref (its line is left empty). A way that is several
// things at once is the first of: road, water area, waterway, building.
WayFeature FeatureOfWay(const osmium::TagList& tags);

// True for a multipolygon relation of water (natural=water, waterway=riverbank,
// landuse=reservoir or basin): its member ways are the rings of a water area.
bool IsWaterRelation(const osmium::TagList& tags);

} // namespace roadmap

#endif
