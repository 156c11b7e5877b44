#include "GpxReader.h"

#include "GuidedRoute.h"
#include "PointTimes.h"
#include "RouteAssembly.h"
#include "RouteCredit.h"
#include "RouteFileError.h"
#include "TrackRoute.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <optional>
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

// The text of the first child element `name`, blanks around it dropped.
std::string ChildText(const pugi::xml_node& parent, std::string_view name)
{
    for (const pugi::xml_node& child : Children(parent, name))
    {
        std::string_view text = child.text().get();
        const size_t first = text.find_first_not_of(" \t\r\n");
        if (first == std::string_view::npos)
            return {};
        return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
    }
    return {};
}

// A route point's instruction: its description, else its comment, else its
// name.
std::string InstructionOf(const pugi::xml_node& point)
{
    for (const std::string_view element : {"desc", "cmt", "name"})
    {
        std::string text = ChildText(point, element);
        if (!text.empty())
            return text;
    }
    return {};
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

    // Reads a point into `line` unless it repeats the line's last point.
    // With `times`, also its <time> (seconds since 1970): one per point of
    // the line while every point has one, none once one lacks it.
    void Read(const pugi::xml_node& point, std::vector<tagLonLat>& line,
              std::vector<double>* times = nullptr)
    {
        CheckPointLimit(++m_read, m_maxPoints);
        tagLonLat lonLat = {0.0, 0.0};
        if (!Coordinate(point, "lon", lonLat.lon))
            Fail(Where(point) + ": lon=\"" + point.attribute("lon").value() +
                 "\" is missing or not a number");
        if (!Coordinate(point, "lat", lonLat.lat))
            Fail(Where(point) + ": lat=\"" + point.attribute("lat").value() +
                 "\" is missing or not a number");
        if (!IsValidPosition(lonLat))
            CheckPoint(lonLat, Where(point));
        const bool repeated =
            !line.empty() && line.back().lon == lonLat.lon && line.back().lat == lonLat.lat;
        if (!repeated)
            line.push_back(lonLat);
        if (times)
            ReadTime(point, repeated, *times);
    }

    size_t Count() const { return m_read; }

private:
    void ReadTime(const pugi::xml_node& point, bool repeated, std::vector<double>& times)
    {
        const std::string text = ChildText(point, "time");
        if (text.empty())
        {
            m_untimed = true;
            times.clear();
            return;
        }
        double seconds = 0.0;
        if (!ParseIsoTime(text, seconds))
            Fail(Where(point) + ": <time> \"" + text + "\" is not a date and time");
        if (m_lastTime && seconds < *m_lastTime)
            Fail(Where(point) + ": <time> " + text + " is earlier than the point before");
        m_lastTime = seconds;
        // A repeated point keeps the time it was first reached at.
        if (!m_untimed && !repeated)
            times.push_back(seconds);
    }

    // "<trkpt> at 12:5", worked out only for a message.
    std::string Where(const pugi::xml_node& node) const
    {
        std::string where = "<" + std::string(node.name()) + ">";
        // The offset of the element's name (-1 when unknown): shown at its '<'.
        const ptrdiff_t name = node.offset_debug();
        if (name >= 0)
        {
            auto offset = static_cast<size_t>(name);
            if (offset > 0 && offset <= m_text.size() && m_text[offset - 1] == '<')
                --offset;
            where += " at " + LineColumn(m_text, offset);
        }
        return where;
    }

    std::string_view m_text;
    size_t m_maxPoints;
    size_t m_read = 0;
    bool m_untimed = false;
    std::optional<double> m_lastTime;
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

    // The track (all tracks and segments in order) with its times, and the
    // route points with their instructions. Names of the file, its creator,
    // tracks and routes are names of the recording, never of a road.
    PointReader reader(text, options.maxPoints);
    std::vector<tagLonLat> track;
    std::vector<double> times;
    for (const pugi::xml_node& trk : Children(root, "trk"))
        for (const pugi::xml_node& segment : Children(trk, "trkseg"))
            for (const pugi::xml_node& point : Children(segment, "trkpt"))
                reader.Read(point, track, &times);
    const size_t trackPoints = reader.Count();
    std::vector<tagLonLat> routeLine;
    std::vector<InstructionPoint> routePoints;
    bool instructed = false;
    for (const pugi::xml_node& rte : Children(root, "rte"))
    {
        for (const pugi::xml_node& point : Children(rte, "rtept"))
        {
            reader.Read(point, routeLine);
            routePoints.push_back({routeLine.back(), InstructionOf(point)});
            instructed = instructed || !routePoints.back().instruction.empty();
        }
    }
    if (reader.Count() == 0)
        Fail("no track points (trk/trkseg/trkpt) or route points (rte/rtept)");
    const double start = times.empty() ? 0.0 : times.front();
    for (double& time : times)
        time -= start;

    RouteDescription route;
    if (instructed)
        route = trackPoints > 0 ? BuildGuidedRoute(track, std::move(times), routePoints, options)
                                : BuildGuidedRoute(routeLine, {}, routePoints, options);
    else if (trackPoints == 0)
        route = BuildTrackRoute(std::move(routeLine), std::string(), options);
    else
    {
        route = BuildTrackRoute(track, std::string(), options);
        AssignTrackTimes(route, times);
    }
    // The data's owner, as the file names it (<metadata><copyright author>).
    for (const pugi::xml_node& metadata : Children(root, "metadata"))
        for (const pugi::xml_node& copyright : Children(metadata, "copyright"))
            route.credit =
                CombineCredits(route.credit, GpxCredit(copyright.attribute("author").as_string()));
    return route;
}

} // namespace refhost::routefiles
