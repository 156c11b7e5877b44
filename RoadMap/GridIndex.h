// A spatial index of boxes: a regular grid of cells over the boxes' bounds,
// each cell listing the boxes that overlap it, so that a frame finds what is
// in view by looking at the few cells under the view.
#ifndef ROADMAP_GRIDINDEX_H
#define ROADMAP_GRIDINDEX_H

#include "LonLatBox.h"

#include <cstdint>
#include <vector>

namespace roadmap
{

class GridIndex
{
public:
    // Indexes `boxes`; box i is reported as id i. About kEntriesPerCell boxes
    // share a cell (at most kMaxSide cells a side); empty boxes are never
    // reported. Replaces what was indexed before.
    void Build(const std::vector<LonLatBox>& boxes);

    // The ids of the boxes that intersect `query` (edges included), ascending,
    // each once, into `ids` (cleared first).
    void Query(const LonLatBox& query, std::vector<uint32_t>& ids) const;

    std::size_t Size() const { return m_boxes.size(); }

    static constexpr std::size_t kEntriesPerCell = 4;
    static constexpr int kMaxSide = 1024;

private:
    int ColumnOf(double lon) const;
    int RowOf(double lat) const;

    std::vector<LonLatBox> m_boxes;
    LonLatBox m_bounds;
    int m_columns = 0;
    int m_rows = 0;
    double m_cellWidth = 1.0;
    double m_cellHeight = 1.0;
    // Cell c (row-major) lists m_entries[m_cellStart[c] .. m_cellStart[c + 1]).
    std::vector<uint32_t> m_cellStart;
    std::vector<uint32_t> m_entries;
};

} // namespace roadmap

#endif
