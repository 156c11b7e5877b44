#include "GeoJsonReader.h"

#include "PointTimes.h"
#include "RouteAssembly.h"
#include "RouteFileError.h"
#include "TrackRoute.h"

#include <cmath>

namespace refhost::routefiles
{

namespace
{

// Collections nest: GeometryCollection in a Feature in a FeatureCollection is
// the deepest sensible case.
constexpr int kMaxNesting = 8;

// A Feature's point times ("coordTimes" or "times" of its properties): one
// per position of its geometry; for a MultiLineString one list per line or
// one list for all.
struct FeatureTimes
{
    const Json* list = nullptr;
    std::string path;
};

// Seconds of one time: an ISO 8601 text or a number of seconds.
double ReadTime(const Json& value, const std::string& path)
{
    double seconds = 0.0;
    if (value.is_number() && std::isfinite(value.get<double>()))
        return value.get<double>();
    if (value.is_string() && ParseIsoTime(value.get<std::string>(), seconds))
        return seconds;
    Fail(path +
         ": expected an ISO 8601 time (2014-09-10T06:54:00Z) or a number of seconds, "
         "found " +
         (value.is_string() ? "\"" + value.get<std::string>() + "\"" : Describe(value)));
}

class Collector
{
public:
    explicit Collector(size_t maxPoints) : m_maxPoints(maxPoints) {}

    void Read(const Json& object, const std::string& path, int nesting,
              const FeatureTimes& times = FeatureTimes())
    {
        if (!object.is_object())
            Fail((path.empty() ? std::string("top level") : path) +
                 ": expected a GeoJSON object, found " + Describe(object));
        if (nesting > kMaxNesting)
            Fail(path + ": collections nested deeper than " + std::to_string(kMaxNesting));
        const Json& typeValue = Require(object, path, "type");
        if (!typeValue.is_string())
            Fail(Member(path, "type") + ": expected a string, found " + Describe(typeValue));
        const std::string type = typeValue.get<std::string>();

        if (type == "FeatureCollection")
            ReadCollection(object, path, "features", nesting);
        else if (type == "Feature")
            ReadFeature(object, path, nesting);
        else if (type == "GeometryCollection")
            ReadCollection(object, path, "geometries", nesting);
        else if (type == "LineString" || type == "MultiPoint")
        {
            const Json& positions = RequireArray(object, path, "coordinates");
            ReadLine(positions, Member(path, "coordinates"), times);
            CheckTimeCount(times, positions.size());
        }
        else if (type == "MultiLineString")
            ReadLines(RequireArray(object, path, "coordinates"), Member(path, "coordinates"),
                      times);
        else if (type == "Point")
        {
            const tagLonLat point =
                ReadPosition(Require(object, path, "coordinates"), Member(path, "coordinates"));
            Count(1);
            AppendDistinct(m_points, point);
        }
        else
        {
            Fail(Member(path, "type") + ": unsupported GeoJSON type \"" + type +
                 "\" (a route is a LineString, MultiLineString, MultiPoint or Point features)");
        }
    }

    // Lines when there are any (lone Points beside them are places, not
    // track), else the Points in order as a recorded track.
    std::vector<tagLonLat> TakePoints()
    {
        return m_line.empty() ? std::move(m_points) : std::move(m_line);
    }
    // The times of the lines' points when every point has one, else none.
    std::vector<double> TakeTimes()
    {
        for (const double time : m_lineTimes)
            if (std::isnan(time))
                return {};
        return std::move(m_lineTimes);
    }
    const std::string& Name() const { return m_name; }

private:
    // The members of a collection's list `key`, each as an object on its own.
    void ReadCollection(const Json& object, const std::string& path, const char* key, int nesting)
    {
        const std::string listPath = Member(path, key);
        const Json& list = RequireArray(object, path, key);
        for (size_t i = 0; i < list.size(); ++i)
            Read(list[i], Element(listPath, i), nesting + 1);
    }

    void ReadFeature(const Json& object, const std::string& path, int nesting)
    {
        const Json* properties = Find(object, "properties");
        const std::string propertiesPath = Member(path, "properties");
        if (m_name.empty() && properties)
            m_name = OptionalString(*properties, propertiesPath, "name");
        FeatureTimes featureTimes;
        for (const char* key : {"coordTimes", "times"})
        {
            const Json* list = properties ? Find(*properties, key) : nullptr;
            if (list && !list->is_null() && !featureTimes.list)
                featureTimes = {list, Member(propertiesPath, key)};
        }
        const Json* geometry = Find(object, "geometry");
        if (geometry && !geometry->is_null()) // a Feature may be unlocated
            Read(*geometry, Member(path, "geometry"), nesting + 1, featureTimes);
    }

    // A MultiLineString's lines, with one list of times per line or one for
    // all the lines' positions.
    void ReadLines(const Json& lines, const std::string& linesPath, const FeatureTimes& times)
    {
        const bool perLine = times.list && times.list->is_array() && !times.list->empty() &&
                             (*times.list)[0].is_array();
        size_t first = 0;
        for (size_t i = 0; i < lines.size(); ++i)
        {
            if (!lines[i].is_array())
                Fail(Element(linesPath, i) + ": expected an array of positions, found " +
                     Describe(lines[i]));
            if (perLine && i >= times.list->size())
                Fail(times.path + ": " + std::to_string(times.list->size()) +
                     " lists of times for " + std::to_string(lines.size()) + " lines");
            if (perLine)
            {
                const FeatureTimes lineTimes{&(*times.list)[i], Element(times.path, i)};
                ReadLine(lines[i], Element(linesPath, i), lineTimes);
                CheckTimeCount(lineTimes, lines[i].size());
            }
            else
                ReadLine(lines[i], Element(linesPath, i), times, first);
            first += lines[i].size();
        }
        if (!perLine)
            CheckTimeCount(times, first);
    }

    static void CheckTimeCount(const FeatureTimes& times, size_t positions)
    {
        if (times.list && times.list->size() != positions)
            Fail(times.path + ": " + std::to_string(times.list->size()) + " times for " +
                 std::to_string(positions) + " positions");
    }

    void Count(size_t points)
    {
        m_read += points;
        CheckPointLimit(m_read, m_maxPoints);
    }

    // Appends the positions and their times (element `first` on of the
    // list in `times`, which must hold one per position); a repeated point
    // keeps the time it was first reached.
    void ReadLine(const Json& positions, const std::string& path, const FeatureTimes& times,
                  size_t first = 0)
    {
        Count(positions.size());
        if (times.list && !times.list->is_array())
            Fail(times.path + ": expected a list of times, found " + Describe(*times.list));
        m_line.reserve(m_line.size() + positions.size());
        for (size_t i = 0; i < positions.size(); ++i)
        {
            const size_t before = m_line.size();
            AppendDistinct(m_line, ReadPosition(positions[i], path, i));
            if (m_line.size() == before)
                continue;
            double time = std::nan("");
            if (times.list && first + i < times.list->size())
            {
                const std::string where = Element(times.path, first + i);
                time = ReadTime((*times.list)[first + i], where);
                if (!m_lineTimes.empty() && time < m_lineTimes.back())
                    Fail(where + ": earlier than the time before it");
            }
            m_lineTimes.push_back(time);
        }
    }

    size_t m_maxPoints;
    size_t m_read = 0;
    std::vector<tagLonLat> m_line;   // every line, joined in file order
    std::vector<double> m_lineTimes; // seconds at each point of m_line, NaN where none
    std::vector<tagLonLat> m_points; // Point features in file order
    std::string m_name;
};

} // namespace

RouteDescription ReadGeoJson(const Json& root, const RouteReadOptions& options)
{
    Collector collector(options.maxPoints);
    collector.Read(root, std::string(), 0);
    const std::string name = collector.Name();
    const std::vector<double> times = collector.TakeTimes();
    RouteDescription route = BuildTrackRoute(collector.TakePoints(), name, options);
    AssignTrackTimes(route, times);
    return route;
}

} // namespace refhost::routefiles
