// Encoded polylines of directions responses.
#ifndef ROUTEFILES_POLYLINE_H
#define ROUTEFILES_POLYLINE_H

#include "LonLat.h"

#include <string>
#include <string_view>
#include <vector>

namespace refhost
{

// Decodes an encoded polyline (pairs of latitude, longitude scaled by 10^5 or
// 10^6, zig-zag varints of 5-bit groups offset by 63) into points. Returns
// false with `error` set on a character outside '?'..'~', a value cut short, a
// latitude without its longitude, a value over 32 bits or a coordinate out of
// range; `points` is then left empty.
bool DecodePolyline(std::string_view encoded, int precision, std::vector<tagLonLat>& points,
                    std::string& error) noexcept;

} // namespace refhost

#endif
