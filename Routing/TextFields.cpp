#include "TextFields.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace refhost::routing
{

namespace
{

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80)
        out.push_back(static_cast<char>(code));
    else if (code < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    else if (code < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Decodes the reference that starts at `text[0]` ('&'); the number of bytes it
// takes, or 0 when it is not one.
size_t DecodeReference(std::string_view text, std::string& out)
{
    const size_t end = text.find(';');
    if (end == std::string_view::npos || end > 10)
        return 0;
    const std::string_view name = text.substr(1, end - 1);
    static const std::array<std::pair<std::string_view, char>, 5> kNamed = {
        {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}}};
    for (const auto& [entity, character] : kNamed)
    {
        if (name == entity)
        {
            out.push_back(character);
            return end + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    uint32_t code = 0;
    const auto [rest, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (error != std::errc() || rest != digits.data() + digits.size() || code == 0 ||
        code > 0x10FFFF)
        return 0;
    AppendUtf8(out, code);
    return end + 1;
}

} // namespace

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty())
    {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool IsBlank(std::string_view text)
{
    return Trimmed(text).empty();
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitTrimmed(std::string_view text, char separator)
{
    std::vector<std::string> fields;
    for (;;)
    {
        const size_t end = text.find(separator);
        fields.emplace_back(Trimmed(text.substr(0, end)));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return fields;
}

bool ParseNumber(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double parsed = 0.0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc() || rest != text.data() + text.size() ||
        !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::string HtmlText(std::string_view html)
{
    std::string out;
    out.reserve(html.size());
    for (size_t i = 0; i < html.size();)
    {
        if (html[i] == '<')
        {
            const size_t close = html.find('>', i);
            if (close == std::string_view::npos)
                break;
            i = close + 1;
            continue;
        }
        if (html[i] == '&')
        {
            const size_t taken = DecodeReference(html.substr(i), out);
            if (taken > 0)
            {
                i += taken;
                continue;
            }
        }
        out.push_back(html[i]);
        ++i;
    }
    return out;
}

std::string FormatFixed(double value, int decimals)
{
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string("nan");
}

std::string DescribePoint(const tagLonLat& point)
{
    return "(" + FormatFixed(point.lat, 6) + ", " + FormatFixed(point.lon, 6) + ")";
}

} // namespace refhost::routing
