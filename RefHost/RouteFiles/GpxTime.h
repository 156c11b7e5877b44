// The times of GPX points: xsd:dateTime as GPX writes it.
#ifndef REFHOST_ROUTEFILES_GPXTIME_H
#define REFHOST_ROUTEFILES_GPXTIME_H

#include <string_view>

namespace refhost::routefiles
{

// Reads "YYYY-MM-DDThh:mm:ss", optionally with a decimal fraction of the
// second and a zone ("Z", "+hh:mm", "-hh:mm"; none means UTC), blanks around
// it allowed, into seconds since 1970-01-01T00:00:00Z (negative before).
// Returns false, `seconds` unchanged, for any other text or a field out of
// range (month 1-12, day within the month, hour 0-23 or 24:00:00, minute
// 0-59, second 0-60).
bool ParseGpxTime(std::string_view text, double& seconds);

} // namespace refhost::routefiles

#endif
