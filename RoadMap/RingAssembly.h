// Closed rings from the member ways of a multipolygon: ways that share end
// nodes are joined end to end until each ring closes.
#ifndef ROADMAP_RINGASSEMBLY_H
#define ROADMAP_RINGASSEMBLY_H

#include <cstdint>
#include <vector>

namespace roadmap
{

using NodeIds = std::vector<int64_t>;

// The closed rings that `ways` (node ids in way order) make, each without
// repeating its first node at the end. A closed way is a ring of its own;
// open ways are joined where one ends at a node where another starts or ends
// (turned round as needed), each way used once. A chain that cannot be closed
// (a member missing from the extract) is left out, as is any ring of fewer
// than three nodes.
std::vector<NodeIds> AssembleRings(const std::vector<NodeIds>& ways);

} // namespace roadmap

#endif
