#include "GpxReader.h"

#include "RouteAssembly.h"
#include "RouteFileError.h"
#include "TrackRoute.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <string>

namespace refhost::routefiles
{

namespace
{

// The element name without a namespace prefix ("gpx:trkpt" -> "trkpt").
std::string_view LocalName(const pugi::xml_node& node)
{
    std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::vector<pugi::xml_node> Children(const pugi::xml_node& parent, std::string_view name)
{
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
    {
        if (child.type() == pugi::node_element && LocalName(child) == name)
            found.push_back(child);
    }
    return found;
}

std::string ChildText(const pugi::xml_node& parent, std::string_view name)
{
    for (const pugi::xml_node& child : Children(parent, name))
        return child.text().get();
    return std::string();
}

// The whole attribute as a decimal number, surrounding blanks allowed; false
// when it is missing or not a number.
bool Coordinate(const pugi::xml_node& point, const char* attribute, double& number)
{
    const pugi::xml_attribute value = point.attribute(attribute);
    if (!value)
        return false;
    const char* text = value.value();
    char* end = nullptr;
    number = std::strtod(text, &end);
    if (end == text)
        return false;
    while (*end == ' ' || *end == '\t' || *end == '\n' || *end == '\r')
        ++end;
    return *end == '\0';
}

class PointReader
{
public:
    PointReader(std::string_view text, size_t maxPoints) : m_text(text), m_maxPoints(maxPoints) {}

    void Read(const pugi::xml_node& point)
    {
        CheckPointLimit(++m_read, m_maxPoints);
        tagLonLat lonLat = {0.0, 0.0};
        if (!Coordinate(point, "lon", lonLat.lon))
            Fail(Where(point) + ": lon=\"" + point.attribute("lon").value() +
                 "\" is missing or not a number");
        if (!Coordinate(point, "lat", lonLat.lat))
            Fail(Where(point) + ": lat=\"" + point.attribute("lat").value() +
                 "\" is missing or not a number");
        if (!PointIsValid(lonLat))
            CheckPoint(lonLat, Where(point));
        AppendDistinct(m_points, lonLat);
    }

    size_t Count() const { return m_read; }
    std::vector<tagLonLat>& Points() { return m_points; }

private:
    // "<trkpt> at 12:5", worked out only for a message.
    std::string Where(const pugi::xml_node& node) const
    {
        std::string where = "<" + std::string(node.name()) + ">";
        // The offset of the element's name (-1 when unknown): shown at its '<'.
        const ptrdiff_t name = node.offset_debug();
        if (name >= 0)
        {
            size_t offset = static_cast<size_t>(name);
            if (offset > 0 && offset <= m_text.size() && m_text[offset - 1] == '<')
                --offset;
            where += " at " + LineColumn(m_text, offset);
        }
        return where;
    }

    std::string_view m_text;
    size_t m_maxPoints;
    size_t m_read = 0;
    std::vector<tagLonLat> m_points;
};

} // namespace

RouteDescription ReadGpx(std::string_view text, const RouteReadOptions& options)
{
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed)
    {
        throw RouteFileError(LineColumn(text, static_cast<size_t>(parsed.offset)),
                             std::string("invalid XML: ") + parsed.description());
    }
    const pugi::xml_node root = document.document_element();
    if (LocalName(root) != "gpx")
        Fail("not a GPX document (the root element is <" + std::string(root.name()) + ">)");

    PointReader reader(text, options.maxPoints);
    std::string name;
    for (const pugi::xml_node& track : Children(root, "trk"))
    {
        if (name.empty())
            name = ChildText(track, "name");
        for (const pugi::xml_node& segment : Children(track, "trkseg"))
        {
            for (const pugi::xml_node& point : Children(segment, "trkpt"))
                reader.Read(point);
        }
    }
    if (reader.Count() == 0)
    {
        name.clear();
        for (const pugi::xml_node& route : Children(root, "rte"))
        {
            if (name.empty())
                name = ChildText(route, "name");
            for (const pugi::xml_node& point : Children(route, "rtept"))
                reader.Read(point);
        }
    }
    if (reader.Count() == 0)
        Fail("no track points (trk/trkseg/trkpt) or route points (rte/rtept)");
    return BuildTrackRoute(std::move(reader.Points()), name, options);
}

} // namespace refhost::routefiles
