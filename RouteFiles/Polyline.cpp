// Encoded polylines: each value a zig-zag signed delta, written as 5-bit groups
// (least significant first, 0x20 marking "more follows") offset by 63 into
// printable characters; values alternate latitude, longitude.
#include "Polyline.h"

#include "RouteAssembly.h"
#include "RouteFileError.h"

#include <cstdint>
#include <new>

namespace refhost
{

namespace
{

// Seven groups hold 35 bits: more than any 32-bit value needs.
constexpr int kMaxGroups = 7;

// Reads one value starting at `at`; false with `error` set on a bad character
// or a value cut short.
bool ReadValue(std::string_view text, size_t& at, int64_t& value, std::string& error)
{
    uint64_t bits = 0;
    for (int group = 0;; ++group)
    {
        if (at >= text.size())
        {
            error = "value cut short at the end (offset " + std::to_string(text.size()) + ")";
            return false;
        }
        if (group == kMaxGroups)
        {
            error = "value longer than 32 bits at offset " + std::to_string(at);
            return false;
        }
        const int chunk = static_cast<unsigned char>(text[at]) - 63;
        if (chunk < 0 || chunk > 63)
        {
            error = "invalid character at offset " + std::to_string(at);
            return false;
        }
        ++at;
        bits |= static_cast<uint64_t>(chunk & 0x1f) << (5 * group);
        if (chunk < 0x20)
            break;
    }
    if (bits >> 32)
    {
        error = "value longer than 32 bits before offset " + std::to_string(at);
        return false;
    }
    value = (bits & 1) ? -static_cast<int64_t>(bits >> 1) - 1 : static_cast<int64_t>(bits >> 1);
    return true;
}

bool Decode(std::string_view encoded, int precision, std::vector<tagLonLat>& points,
            std::string& error)
{
    if (precision != 5 && precision != 6)
    {
        error = "polyline precision must be 5 or 6";
        return false;
    }
    const double factor = precision == 5 ? 1e5 : 1e6;
    int64_t lat = 0;
    int64_t lon = 0;
    size_t at = 0;
    std::vector<tagLonLat> decoded;
    while (at < encoded.size())
    {
        int64_t delta = 0;
        if (!ReadValue(encoded, at, delta, error))
            return false;
        lat += delta;
        if (at >= encoded.size())
        {
            error = "latitude without longitude at the end (offset " +
                    std::to_string(encoded.size()) + ")";
            return false;
        }
        if (!ReadValue(encoded, at, delta, error))
            return false;
        lon += delta;
        // Each delta is below 2^32 and a valid running value below 180 * 10^6,
        // so the sums cannot overflow before the range check stops them.
        const tagLonLat point = {static_cast<double>(lon) / factor,
                                 static_cast<double>(lat) / factor};
        if (!IsValidPosition(point))
        {
            // CheckPoint throws the message for the invalid point.
            routefiles::CheckPoint(point, "point " + std::to_string(decoded.size()));
        }
        decoded.push_back(point);
    }
    points.swap(decoded);
    return true;
}

} // namespace

bool DecodePolyline(std::string_view encoded, int precision, std::vector<tagLonLat>& points,
                    std::string& error) noexcept
{
    points.clear();
    try
    {
        try
        {
            return Decode(encoded, precision, points, error);
        }
        catch (const routefiles::RouteFileError& bad)
        {
            error = bad.what();
        }
        catch (const std::bad_alloc&)
        {
            error = "out of memory";
        }
    }
    catch (...)
    {
        // Setting the message itself failed: the result says enough.
    }
    return false;
}

} // namespace refhost
