// Guide records of a route: one per link. The head words of the first record
// carry what the next guide follows from (the library copies records and
// advances one record in place, so nothing may be looked up by address):
//
//   m_FirstHead[0]  index of the link
//   m_FirstHead[1]  identity of the route
//   m_FirstHead[2]  first link of the range the record was handed out for
//   m_FirstHead[3]  end of that range (one past its last link)
//
// The second record is left empty (zeroed, no points): a link is one road
// stretch, and the library reads only the first record's polyline.
#ifndef REFHOST_ROUTE_GUIDERECORDS_H
#define REFHOST_ROUTE_GUIDERECORDS_H

#include "PathLibrary.h"
#include "RouteData.h"

#include <cstddef>
#include <cstdint>

namespace refhost::route_detail
{

struct GuideHead
{
    size_t link = 0;
    uint32_t identity = 0;
    size_t rangeBegin = 0;
    size_t rangeEnd = 0;
};

// Writes the whole record of `link` (which must be a link of `route`) for the
// link range [rangeBegin, rangeEnd). The point array stays the route's.
void WriteGuide(const RouteData& route, size_t link, size_t rangeBegin, size_t rangeEnd,
                PathGuid& guide);

// The head words of `guide`.
GuideHead ReadGuideHead(const PathGuid& guide);

// Copies `text` into a name field of `capacity` bytes, terminated, cut to at
// most capacity - 1 bytes without splitting a UTF-8 sequence.
void CopyName(const std::string& text, char* field, size_t capacity);

} // namespace refhost::route_detail

#endif
