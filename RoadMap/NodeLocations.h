// The locations of the nodes a road map needs, looked up by node id: a sorted
// table, 16 bytes a node, holding only the nodes asked for.
#ifndef ROADMAP_NODELOCATIONS_H
#define ROADMAP_NODELOCATIONS_H

#include "LonLat.h"

#include <osmium/osm/location.hpp>
#include <osmium/osm/types.hpp>

#include <vector>

namespace roadmap
{

class NodeLocations
{
public:
    // Records a node's location; Sort must follow before Find.
    void Add(osmium::object_id_type id, const osmium::Location& location)
    {
        m_entries.push_back({id, location});
    }
    // Orders the table by id; of a node added twice the first location stays.
    void Sort();
    // Adds the (sorted) entries of `other`, keeping the table sorted.
    void Merge(const NodeLocations& other);

    bool Contains(osmium::object_id_type id) const { return Lookup(id) != nullptr; }
    // The node's location as a point; false when the table does not have it.
    bool Find(osmium::object_id_type id, tagLonLat& point) const;

    std::size_t Size() const { return m_entries.size(); }

private:
    struct Entry
    {
        osmium::object_id_type id;
        osmium::Location location;
    };
    const Entry* Lookup(osmium::object_id_type id) const;

    std::vector<Entry> m_entries;
};

} // namespace roadmap

#endif
