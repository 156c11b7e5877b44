// The size table the renderer tool hands the library: a built-in default that
// suits the reference map view's levels, or one read from a JSON file.
#ifndef TOOLS_PIECES_SIZETABLE_H
#define TOOLS_PIECES_SIZETABLE_H

#include "AdvicePathRenderEx.h"

#include <string>
#include <vector>

namespace tools
{

struct SizeTable
{
    std::vector<AdvicePathSizeSetting> levels; // element L is level L
    int maxTurnLevel = 3;                      // the turn is drawn at levels 0 ... maxTurnLevel
};

// The built-in table: 19 levels (0: finer than 1 m per pixel ... 18: the whole
// world), widths in pixels, lengths in metres. Band lengths follow what
// drivers know from navigation screens (about 30 m around the junction in a
// street close-up, 70 and 110 m further out), the band's shaft is about 0.7 of
// the route line's width and the arrow head's base about twice the band; the turn is
// hidden beyond level 3 (about 8 m per pixel, zoom 14). Each level is designed
// for its DesignResolution (MapView/ScaleLevels.h).
SizeTable DefaultSizeTable();

// Reads a size table from a JSON file:
//   { "maxTurnLevel": 3,
//     "levels": [ { "pathWidth": 12, "pathBorderWidth": 16, "edgeWidth": 9,
//                   "edgeBorderWidth": 13, "arrowFillParam": 100,
//                   "arrowBorderParam": 2, "toLength": 25, "fromLength": 25,
//                   "lengthTolerance": 3, "arrowLength": 12, "arrowWidth": 5 },
//                 ... ] }
// One record per level, element 0 the most detailed, every one of the eleven
// fields given by name as an integer within 32 bits. "maxTurnLevel" is
// optional (default: the last level). A top-level array of records is
// accepted too. Returns false with `error` naming the file and the problem.
bool ReadSizeTable(const std::string& path, SizeTable& table, std::string& error);

// The same from JSON text; `source` names it in error messages.
bool ParseSizeTable(const std::string& text, const std::string& source, SizeTable& table,
                    std::string& error);

// The table as ReadSizeTable reads it: "maxTurnLevel" and "levels", each
// record with its eleven fields by name, one record a line.
std::string WriteSizeTable(const SizeTable& table);

} // namespace tools

#endif
