// Reading the road map of a box from an OpenStreetMap extract (.osm.pbf,
// .osm, .osm.gz, .osm.bz2, with libosmium).
//
// Memory follows the box, not the extract: the extract is read in up to three
// passes, each keeping only what the box needs:
//   1. nodes: the locations of the nodes within reach of the box (the box
//      grown by kReachMetres); relations: the members of water multipolygons;
//   2. ways: roads, waterways, water areas and buildings with a node within
//      reach, and the ways of the water multipolygons;
//   3. nodes again, only when some of the kept ways have nodes beyond reach:
//      their locations.
// Then each kept feature is built and added when it touches the box itself
// (a point inside it or a segment across it). A way that crosses the box
// with no node within reach (a segment longer than twice kReachMetres) is
// missed; road and river segments are far shorter.
#ifndef ROADMAP_EXTRACTREADER_H
#define ROADMAP_EXTRACTREADER_H

#include "RoadMap.h"

#include <string>

namespace roadmap
{

constexpr double kReachMetres = 5000.0;

// Reads into `map` (which it replaces, and indexes) every road, waterway,
// water area and building of the extract at `path` that touches `box`
// (LonLatBox::World() for all of them). Nodes that the extract lacks are left
// out of the ways that use them. Returns false with one line naming the file
// and the problem in `error`, `map` left empty, when the file is missing,
// unreadable, truncated or not an OpenStreetMap extract. Never throws.
bool ReadRoadMap(const std::string& path, const LonLatBox& box, RoadMap& map,
                 std::string& error) noexcept;

} // namespace roadmap

#endif
