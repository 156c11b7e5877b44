// Roads for the junction tests: guides laid end to end along the axes, in a
// planar geodesy whose coordinates are exact binary fractions, so that every
// length the library measures comes out exact.
#ifndef AP_TESTS_JUNCTIONTESTSUPPORT_H
#define AP_TESTS_JUNCTIONTESTSUPPORT_H

#include "Edges/PathEdge.h"
#include "Support/TestHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace aptest
{

// Length units per degree of the planar test geodesy: a power of two, so that
// a coordinate given in length units converts to degrees without rounding.
const double kUnitsPerDegree = 1024.0;

// The point x, y given in length units east and north of (0, 0).
inline tagLonLat At(double x, double y)
{
    return tagLonLat{x / kUnitsPerDegree, y / kUnitsPerDegree};
}

// The x (east) and y (north) of a point, in length units.
inline double UnitsX(const tagLonLat& p)
{
    return p.lon * kUnitsPerDegree;
}
inline double UnitsY(const tagLonLat& p)
{
    return p.lat * kUnitsPerDegree;
}

enum class Heading
{
    East,
    North,
    West,
    South
};

// Builds a path's guides one after the other: each guide starts where the
// previous one ended. A guide's m_GuideLength is the length given (the length
// of its points unless a test sets another), and the guide's index in the path
// is its return value.
class Road
{
public:
    Road(TestPath& path, double x = 0.0, double y = 0.0) : m_path(path), m_x(x), m_y(y) {}

    // A straight guide `length` long in `heading`, made of `pieces` equal
    // segments.
    int Guide(double length, Heading heading = Heading::East, int pieces = 1)
    {
        return GuideWithLength(length, length, heading, pieces);
    }

    // A straight guide `drawn` long whose m_GuideLength is `recorded`.
    int GuideWithLength(double drawn, double recorded, Heading heading = Heading::East,
                        int pieces = 1)
    {
        double dx = 0.0;
        double dy = 0.0;
        switch (heading)
        {
        case Heading::East:
            dx = 1.0;
            break;
        case Heading::North:
            dy = 1.0;
            break;
        case Heading::West:
            dx = -1.0;
            break;
        case Heading::South:
            dy = -1.0;
            break;
        }
        std::vector<tagLonLat> points;
        points.push_back(At(m_x, m_y));
        for (int k = 1; k <= pieces; ++k)
        {
            double step = drawn * k / pieces;
            points.push_back(At(m_x + dx * step, m_y + dy * step));
        }
        m_x += dx * drawn;
        m_y += dy * drawn;
        m_path.AddGuide(points, recorded, "guide " + std::to_string(m_path.GuideCount()));
        return m_path.GuideCount() - 1;
    }

    double X() const { return m_x; }
    double Y() const { return m_y; }

private:
    TestPath& m_path;
    double m_x;
    double m_y;
};

// The index a test guide carries in its first head word, as an edge copies it.
inline int GuideIndexOf(const CPathEdge& edge)
{
    return static_cast<int>(edge.m_GuideWords[0]);
}
inline int GuideIndexOf(const PathGuid& guide)
{
    return static_cast<int>(guide.m_FirstHead[0]);
}

// The points of an edge, in length units.
inline std::vector<std::pair<double, double>> UnitPoints(const CPathEdge& edge)
{
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < edge.m_Count; ++i)
        points.emplace_back(UnitsX(edge.mp_Points[i]), UnitsY(edge.mp_Points[i]));
    return points;
}

inline double EdgeLength(const CPathEdge& edge)
{
    return LineLength(static_cast<unsigned short>(edge.m_Count), edge.mp_Points);
}

// Every log line recorded so far.
inline const std::vector<LogRecord>& LogLines()
{
    return RecordingLog::Instance().Records();
}

} // namespace aptest

#endif
