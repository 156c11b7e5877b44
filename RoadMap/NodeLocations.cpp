#include "NodeLocations.h"

#include <algorithm>
#include <iterator>

namespace roadmap
{

void NodeLocations::Sort()
{
    auto byId = [](const Entry& a, const Entry& b) { return a.id < b.id; };
    // Extracts are ordered by id already; sorting is then one pass.
    if (!std::is_sorted(m_entries.begin(), m_entries.end(), byId))
        std::stable_sort(m_entries.begin(), m_entries.end(), byId);
    auto sameId = [](const Entry& a, const Entry& b) { return a.id == b.id; };
    m_entries.erase(std::unique(m_entries.begin(), m_entries.end(), sameId), m_entries.end());
}

void NodeLocations::Merge(const NodeLocations& other)
{
    std::vector<Entry> merged;
    merged.reserve(m_entries.size() + other.m_entries.size());
    std::merge(m_entries.begin(), m_entries.end(), other.m_entries.begin(), other.m_entries.end(),
               std::back_inserter(merged),
               [](const Entry& a, const Entry& b) { return a.id < b.id; });
    m_entries = std::move(merged);
}

const NodeLocations::Entry* NodeLocations::Lookup(osmium::object_id_type id) const
{
    auto found = std::lower_bound(m_entries.begin(), m_entries.end(), id,
                                  [](const Entry& entry, osmium::object_id_type wanted)
                                  { return entry.id < wanted; });
    return found != m_entries.end() && found->id == id ? &*found : nullptr;
}

bool NodeLocations::Find(osmium::object_id_type id, tagLonLat& point) const
{
    const Entry* entry = Lookup(id);
    if (entry == nullptr || !entry->location.valid())
        return false;
    point.lon = entry->location.lon();
    point.lat = entry->location.lat();
    return true;
}

} // namespace roadmap
