#include "PointTimes.h"

#include <cctype>
#include <cstdint>

namespace refhost::routefiles
{

namespace
{

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsLeapYear(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

class TextCursor
{
public:
    explicit TextCursor(std::string_view text) : m_text(text) {}

    // Exactly `digits` decimal digits.
    bool Number(int digits, int64_t& value)
    {
        value = 0;
        for (int i = 0; i < digits; ++i, ++m_at)
        {
            if (m_at >= m_text.size() || !std::isdigit(static_cast<unsigned char>(m_text[m_at])))
                return false;
            value = value * 10 + (m_text[m_at] - '0');
        }
        return true;
    }
    bool Take(char c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c)
        {
            ++m_at;
            return true;
        }
        return false;
    }
    // A decimal fraction after the point just taken: at least one digit.
    bool Fraction(double& fraction)
    {
        fraction = 0.0;
        double scale = 0.1;
        const size_t start = m_at;
        while (m_at < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_at])))
        {
            fraction += (m_text[m_at++] - '0') * scale;
            scale *= 0.1;
        }
        return m_at > start;
    }
    bool AtEnd() const { return m_at == m_text.size(); }

private:
    std::string_view m_text;
    size_t m_at = 0;
};

// A date and time of day as written, before any zone.
struct CivilTime
{
    int64_t year = 0;
    int64_t month = 0;
    int64_t day = 0;
    int64_t hour = 0;
    int64_t minute = 0;
    int64_t second = 0;
};

// "YYYY-MM-DDThh:mm:ss" (T, t or a space between), each field in its range
// (a leap second allowed).
bool ReadCivilTime(TextCursor& in, CivilTime& time)
{
    if (!in.Number(4, time.year) || !in.Take('-') || !in.Number(2, time.month) || !in.Take('-') ||
        !in.Number(2, time.day) || !(in.Take('T') || in.Take('t') || in.Take(' ')) ||
        !in.Number(2, time.hour) || !in.Take(':') || !in.Number(2, time.minute) || !in.Take(':') ||
        !in.Number(2, time.second))
        return false;
    static const int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= kDaysInMonth[time.month - 1] &&
           !(time.month == 2 && time.day == 29 && !IsLeapYear(time.year)) && time.hour <= 23 &&
           time.minute <= 59 && time.second <= 60;
}

// The zone after the time into `zone`, seconds east of UTC: Z, z or nothing
// for UTC, else +hh or -hh with minutes after them (hh:mm or hhmm).
bool ReadZone(TextCursor& in, int64_t& zone)
{
    zone = 0;
    if (in.Take('Z') || in.Take('z') || in.AtEnd())
        return true;
    const bool east = in.Take('+');
    if (!east && !in.Take('-'))
        return false;
    int64_t zoneHours = 0;
    int64_t zoneMinutes = 0;
    if (!in.Number(2, zoneHours))
        return false;
    const bool colon = in.Take(':');
    if ((colon || !in.AtEnd()) && !in.Number(2, zoneMinutes))
        return false;
    if (zoneHours > 23 || zoneMinutes > 59)
        return false;
    zone = (east ? 1 : -1) * (zoneHours * 3600 + zoneMinutes * 60);
    return true;
}

} // namespace

bool ParseIsoTime(std::string_view text, double& seconds)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    TextCursor in(text);
    CivilTime time;
    if (!ReadCivilTime(in, time))
        return false;
    double fraction = 0.0;
    if ((in.Take('.') || in.Take(',')) && !in.Fraction(fraction))
        return false;
    int64_t zone = 0;
    if (!ReadZone(in, zone) || !in.AtEnd())
        return false;
    const int64_t whole = DaysFromCivil(time.year, time.month, time.day) * 86400 +
                          time.hour * 3600 + time.minute * 60 + time.second - zone;
    seconds = static_cast<double>(whole) + fraction;
    return true;
}

void AssignTrackTimes(RouteDescription& route, const std::vector<double>& times)
{
    size_t points = 1;
    for (const RoadLink& link : route.links)
        points += link.points.size() - 1;
    if (times.empty() || route.links.empty() || points != times.size())
        return;
    size_t start = 0;
    for (RoadLink& link : route.links)
    {
        link.times.clear();
        for (size_t i = 0; i < link.points.size(); ++i)
            link.times.push_back(times[start + i] - times.front());
        start += link.points.size() - 1;
    }
}

} // namespace refhost::routefiles
