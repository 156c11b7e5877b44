#include "GeoJsonReader.h"

#include "RouteAssembly.h"
#include "RouteFileError.h"
#include "TrackRoute.h"

namespace refhost::routefiles
{

namespace
{

// Collections nest: GeometryCollection in a Feature in a FeatureCollection is
// the deepest sensible case.
constexpr int kMaxNesting = 8;

class Collector
{
public:
    explicit Collector(size_t maxPoints) : m_maxPoints(maxPoints) {}

    void Read(const Json& object, const std::string& path, int nesting)
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
        {
            const std::string featuresPath = Member(path, "features");
            const Json& features = RequireArray(object, path, "features");
            for (size_t i = 0; i < features.size(); ++i)
                Read(features[i], Element(featuresPath, i), nesting + 1);
        }
        else if (type == "Feature")
        {
            const Json* properties = Find(object, "properties");
            if (m_name.empty() && properties)
                m_name = OptionalString(*properties, Member(path, "properties"), "name");
            const Json* geometry = Find(object, "geometry");
            if (geometry && !geometry->is_null()) // a Feature may be unlocated
                Read(*geometry, Member(path, "geometry"), nesting + 1);
        }
        else if (type == "GeometryCollection")
        {
            const std::string geometriesPath = Member(path, "geometries");
            const Json& geometries = RequireArray(object, path, "geometries");
            for (size_t i = 0; i < geometries.size(); ++i)
                Read(geometries[i], Element(geometriesPath, i), nesting + 1);
        }
        else if (type == "LineString" || type == "MultiPoint")
        {
            ReadLine(RequireArray(object, path, "coordinates"), Member(path, "coordinates"));
        }
        else if (type == "MultiLineString")
        {
            const std::string linesPath = Member(path, "coordinates");
            const Json& lines = RequireArray(object, path, "coordinates");
            for (size_t i = 0; i < lines.size(); ++i)
            {
                if (!lines[i].is_array())
                    Fail(Element(linesPath, i) + ": expected an array of positions, found " +
                         Describe(lines[i]));
                ReadLine(lines[i], Element(linesPath, i));
            }
        }
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
    const std::string& Name() const { return m_name; }

private:
    void Count(size_t points)
    {
        m_read += points;
        CheckPointLimit(m_read, m_maxPoints);
    }

    void ReadLine(const Json& positions, const std::string& path)
    {
        Count(positions.size());
        m_line.reserve(m_line.size() + positions.size());
        for (size_t i = 0; i < positions.size(); ++i)
            AppendDistinct(m_line, ReadPosition(positions[i], path, i));
    }

    size_t m_maxPoints;
    size_t m_read = 0;
    std::vector<tagLonLat> m_line;   // every line, joined in file order
    std::vector<tagLonLat> m_points; // Point features in file order
    std::string m_name;
};

} // namespace

RouteDescription ReadGeoJson(const Json& root, const RouteReadOptions& options)
{
    Collector collector(options.maxPoints);
    collector.Read(root, std::string(), 0);
    const std::string name = collector.Name();
    return BuildTrackRoute(collector.TakePoints(), name, options);
}

} // namespace refhost::routefiles
