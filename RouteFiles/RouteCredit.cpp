#include "RouteCredit.h"

#include <vector>

namespace refhost
{

namespace
{

constexpr const char* kCopyright = "\xC2\xA9";

std::string Trimmed(const std::string& text)
{
    const std::string::size_type first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// "© A © B" into "© A" and "© B"; text before the first "©" is a part too.
std::vector<std::string> Parts(const std::string& credit)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start < credit.size())
    {
        std::string::size_type next = credit.find(kCopyright, start + 1);
        if (next == std::string::npos)
            next = credit.size();
        const std::string part = Trimmed(credit.substr(start, next - start));
        if (!part.empty())
            parts.push_back(part);
        start = next;
    }
    return parts;
}

} // namespace

std::string DirectionsCredit(bool mapbox)
{
    return mapbox ? kMapboxCredit : kOpenStreetMapCredit;
}

std::string GpxCredit(const std::string& author)
{
    std::string name = Trimmed(author);
    if (name.empty() || name.rfind(kCopyright, 0) == 0)
        return name;
    return std::string(kCopyright) + " " + name;
}

std::string CombineCredits(const std::string& first, const std::string& second)
{
    std::vector<std::string> parts = Parts(first);
    for (const std::string& part : Parts(second))
    {
        bool known = false;
        for (const std::string& have : parts)
            known = known || have == part;
        if (!known)
            parts.push_back(part);
    }
    std::string combined;
    for (const std::string& part : parts)
        combined += (combined.empty() ? "" : " ") + part;
    return combined;
}

} // namespace refhost
