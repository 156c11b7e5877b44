// The map view's calls of one Draw against the size record and the order the
// map view's header documents (MapService.h): the route line's borders, its
// fills, then the band's borders, the arrow's outline, the band's fills and
// the arrow's fill, each with the widths and arguments of its record.
#ifndef TOOLS_SURVEY_CALLCHECKS_H
#define TOOLS_SURVEY_CALLCHECKS_H

#include "BandChecks.h"
#include "DrawRecorder.h"

namespace survey
{

// The calls of `frame` drawn with `size` (the record of the frame's level):
// every call of a documented kind, in the documented order, the arrow's two
// calls once each with the band; route line widths the low 16 bits of
// m_PathBorderWidth and m_PathWidth, band widths m_EdgeBorderWidth and
// m_EdgeWidth, the arrow's outline m_ArrowBorderParam and its fill
// m_ArrowFillParam as third argument, each with its colour as fifth.
Finding CheckCalls(const DrawnFrame& frame, const AdvicePathSizeSetting& size,
                   const AdvicePathClrSetting& colours);

} // namespace survey

#endif
