#include "GridIndex.h"

#include "Geodesy/Angles.h"

#include <algorithm>
#include <cmath>

namespace roadmap
{

namespace
{

} // namespace

void GridIndex::Build(const std::vector<LonLatBox>& boxes)
{
    m_boxes = boxes;
    m_bounds = LonLatBox();
    for (const LonLatBox& box : m_boxes)
        m_bounds.Extend(box);
    m_columns = m_rows = 0;
    m_cellStart.clear();
    m_entries.clear();
    if (m_bounds.IsEmpty())
        return;

    // Cells about square on the ground: a degree of longitude is shorter by
    // the cosine of the latitude.
    const double midLat = (m_bounds.south + m_bounds.north) / 2.0;
    const double groundWidth = std::max(1e-9, (m_bounds.east - m_bounds.west) *
                                                  std::cos(refhost::geodesy::Radians(midLat)));
    const double groundHeight = std::max(1e-9, m_bounds.north - m_bounds.south);
    const double cells =
        std::max(1.0, static_cast<double>(m_boxes.size()) / static_cast<double>(kEntriesPerCell));
    const double side = std::sqrt(groundWidth * groundHeight / cells);
    m_columns = std::clamp(static_cast<int>(std::ceil(groundWidth / side)), 1, kMaxSide);
    m_rows = std::clamp(static_cast<int>(std::ceil(groundHeight / side)), 1, kMaxSide);
    m_cellWidth = std::max(1e-12, (m_bounds.east - m_bounds.west) / m_columns);
    m_cellHeight = std::max(1e-12, (m_bounds.north - m_bounds.south) / m_rows);

    // Two sweeps: count the entries of each cell, then fill them in.
    const std::size_t cellCount = static_cast<std::size_t>(m_columns) * m_rows;
    std::vector<uint32_t> counts(cellCount + 1, 0);
    auto forEachCell = [this](const LonLatBox& box, auto&& visit)
    {
        const int lastRow = RowOf(box.north);
        const int lastColumn = ColumnOf(box.east);
        for (int row = RowOf(box.south); row <= lastRow; ++row)
            for (int column = ColumnOf(box.west); column <= lastColumn; ++column)
                visit(static_cast<std::size_t>(row) * m_columns + column);
    };
    for (const LonLatBox& box : m_boxes)
        if (!box.IsEmpty())
            forEachCell(box, [&counts](std::size_t cell) { ++counts[cell + 1]; });
    for (std::size_t cell = 0; cell < cellCount; ++cell)
        counts[cell + 1] += counts[cell];
    m_cellStart = counts;
    m_entries.resize(counts[cellCount]);
    for (uint32_t id = 0; id < m_boxes.size(); ++id)
        if (!m_boxes[id].IsEmpty())
            forEachCell(m_boxes[id], [&](std::size_t cell) { m_entries[counts[cell]++] = id; });
}

int GridIndex::ColumnOf(double lon) const
{
    const double column = std::floor((lon - m_bounds.west) / m_cellWidth);
    return static_cast<int>(std::clamp(column, 0.0, m_columns - 1.0));
}

int GridIndex::RowOf(double lat) const
{
    const double row = std::floor((lat - m_bounds.south) / m_cellHeight);
    return static_cast<int>(std::clamp(row, 0.0, m_rows - 1.0));
}

void GridIndex::Query(const LonLatBox& query, std::vector<uint32_t>& ids) const
{
    ids.clear();
    if (!query.Intersects(m_bounds))
        return;
    const int firstColumn = ColumnOf(query.west);
    const int lastColumn = ColumnOf(query.east);
    const int firstRow = RowOf(query.south);
    const int lastRow = RowOf(query.north);
    for (int row = firstRow; row <= lastRow; ++row)
    {
        for (int column = firstColumn; column <= lastColumn; ++column)
        {
            const std::size_t cell = static_cast<std::size_t>(row) * m_columns + column;
            for (uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k)
            {
                const uint32_t id = m_entries[k];
                const LonLatBox& box = m_boxes[id];
                if (!box.Intersects(query))
                    continue;
                // A box spanning several cells is reported once: from the cell
                // that holds the south-west corner of its overlap with the query.
                if (ColumnOf(std::max(box.west, query.west)) == column &&
                    RowOf(std::max(box.south, query.south)) == row)
                    ids.push_back(id);
            }
        }
    }
    std::sort(ids.begin(), ids.end());
}

} // namespace roadmap
