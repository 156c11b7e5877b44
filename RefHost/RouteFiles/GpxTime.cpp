#include "GpxTime.h"

namespace refhost::routefiles
{

namespace
{

class Cursor
{
public:
    explicit Cursor(std::string_view text) : m_text(text) {}

    // Exactly `count` decimal digits.
    bool Digits(int count, int& value)
    {
        value = 0;
        for (int i = 0; i < count; ++i, ++m_at)
        {
            if (m_at >= m_text.size() || m_text[m_at] < '0' || m_text[m_at] > '9')
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
    // A decimal fraction after the '.', as a number below 1.
    bool Fraction(double& fraction)
    {
        fraction = 0.0;
        double scale = 0.1;
        const size_t start = m_at;
        for (; m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9'; ++m_at)
        {
            fraction += (m_text[m_at] - '0') * scale;
            scale *= 0.1;
        }
        return m_at > start;
    }
    bool AtEnd() const { return m_at == m_text.size(); }

private:
    std::string_view m_text;
    size_t m_at = 0;
};

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the date in the proleptic Gregorian calendar
// (H. Hinnant's days_from_civil).
long long DaysFromCivil(int year, int month, int day)
{
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

bool ParseGpxTime(std::string_view text, double& seconds)
{
    Cursor at(Trimmed(text));
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!at.Digits(4, year) || !at.Take('-') || !at.Digits(2, month) || !at.Take('-') ||
        !at.Digits(2, day) || !at.Take('T') || !at.Digits(2, hour) || !at.Take(':') ||
        !at.Digits(2, minute) || !at.Take(':') || !at.Digits(2, second))
        return false;
    double fraction = 0.0;
    if (at.Take('.') && !at.Fraction(fraction))
        return false;
    int zoneMinutes = 0;
    if (!at.Take('Z'))
    {
        const bool east = at.Take('+');
        if (east || at.Take('-'))
        {
            int zoneHour = 0, zoneMinute = 0;
            if (!at.Digits(2, zoneHour) || !at.Take(':') || !at.Digits(2, zoneMinute) ||
                zoneHour > 14 || zoneMinute > 59)
                return false;
            zoneMinutes = (east ? 1 : -1) * (zoneHour * 60 + zoneMinute);
        }
    }
    if (!at.AtEnd() || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        minute > 59 || second > 60 || hour > 24 ||
        (hour == 24 && (minute != 0 || second != 0 || fraction != 0.0)))
        return false;
    const long long minutes =
        (DaysFromCivil(year, month, day) * 24 + hour) * 60 + minute - zoneMinutes;
    seconds = static_cast<double>(minutes) * 60.0 + second + fraction;
    return true;
}

} // namespace refhost::routefiles
