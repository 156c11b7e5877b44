#include "Colours.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace tools
{

AdvicePathClrSetting DefaultColours()
{
    // 0x00BBGGRR: fill rgb(43, 138, 224), border rgb(20, 60, 120), band white,
    // band border rgb(30, 30, 30).
    return {0x00E08A2Bu, 0x00783C14u, 0x00FFFFFFu, 0x001E1E1Eu};
}

bool ParseColour(const std::string& text, unsigned int& colour)
{
    if (text.empty())
        return false;
    if (text[0] == '#')
    {
        if (text.size() != 7)
            return false;
        for (size_t i = 1; i < 7; ++i)
            if (!std::isxdigit(static_cast<unsigned char>(text[i])))
                return false;
        unsigned long rgb = std::strtoul(text.c_str() + 1, nullptr, 16);
        unsigned int r = (rgb >> 16) & 0xFFu;
        unsigned int g = (rgb >> 8) & 0xFFu;
        unsigned int b = rgb & 0xFFu;
        colour = (b << 16) | (g << 8) | r;
        return true;
    }
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)) && c != 'x' && c != 'X')
            return false;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (end == nullptr || *end != '\0' || value > 0xFFFFFFFFull)
        return false;
    colour = static_cast<unsigned int>(value);
    return true;
}

bool ParseColourList(const std::string& text, AdvicePathClrSetting& colours, std::string& error)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ','))
        parts.push_back(part);
    if (parts.size() != 4)
    {
        error = "--colors: expected four colours separated by commas (route fill, route border, "
                "band fill, band border), got \"" +
                text + "\"";
        return false;
    }
    unsigned int values[4];
    for (size_t i = 0; i < 4; ++i)
    {
        if (!ParseColour(parts[i], values[i]))
        {
            error = "--colors: \"" + parts[i] + "\" is not a colour (use #RRGGBB or 0xBBGGRR)";
            return false;
        }
    }
    colours = AdvicePathClrSetting(values[0], values[1], values[2], values[3]);
    return true;
}

std::string FormatColourList(const AdvicePathClrSetting& colours)
{
    const unsigned int values[] = {colours.m_PathClr, colours.m_PathBorderClr, colours.m_ArrowClr,
                                   colours.m_ArrowBorderClr};
    std::string list;
    for (unsigned int value : values)
    {
        char text[8];
        static_cast<void>(std::snprintf(text, sizeof text, "#%02X%02X%02X", value & 0xFFu,
                                        (value >> 8) & 0xFFu, (value >> 16) & 0xFFu));
        list += (list.empty() ? "" : ",") + std::string(text);
    }
    return list;
}

bool ColoursOption(const std::string& text, AdvicePathClrSetting& colours, std::string& error)
{
    colours = DefaultColours();
    return text.empty() || ParseColourList(text, colours, error);
}

} // namespace tools
