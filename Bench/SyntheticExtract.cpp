// Writes a synthetic extract the size of a whole region, for the road map's
// memory figures (roadmap-figures.sh): a square grid of SIDE x SIDE street
// crossings 100 m apart (residential streets, every twentieth row and column
// a primary road, each street cut into ways of ten crossings) and a building
// in every third block.
//
//   ap_bench_synthetic_extract OUT.osm.pbf [SIDE]     (default SIDE 1500)
//
// SIDE 1500 makes 2.25 million crossings, 750,000 buildings and 5.25 million
// nodes in all over 150 km by 150 km around 48 degrees north, about the size
// of a German state's extract.
#include <osmium/builder/attr.hpp>
#include <osmium/io/pbf_output.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/memory/buffer.hpp>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace
{

constexpr double kWest = 10.0;
constexpr double kSouth = 47.5;
constexpr double kLatStep = 0.0009; // about 100 m
constexpr double kLonStep = 0.0013; // about 100 m at 48 degrees north
constexpr int kCrossingsPerWay = 10;
constexpr int kPrimaryEvery = 20;
constexpr std::size_t kBufferBytes = std::size_t(1) << 24;

using namespace osmium::builder::attr; // NOLINT(google-build-using-namespace)

class ExtractWriter
{
public:
    explicit ExtractWriter(const std::string& path)
        : m_writer(path, osmium::io::overwrite::allow), m_buffer(kBufferBytes)
    {
    }

    osmium::memory::Buffer& Buffer()
    {
        if (m_buffer.committed() > kBufferBytes - 65536)
        {
            m_writer(std::move(m_buffer));
            m_buffer = osmium::memory::Buffer(kBufferBytes);
        }
        return m_buffer;
    }

    void Close()
    {
        m_writer(std::move(m_buffer));
        m_writer.close();
    }

private:
    osmium::io::Writer m_writer;
    osmium::memory::Buffer m_buffer;
};

// The grid's numbering: the crossings row by row, then the four corners of
// each building block by block.
struct Grid
{
    int side = 0;

    osmium::object_id_type Crossing(int row, int column) const
    {
        return static_cast<osmium::object_id_type>(row) * side + column + 1;
    }
    osmium::object_id_type Corner(int block, int k) const
    {
        return Crossing(side, 0) + 4LL * block + k;
    }
    static bool HasBuilding(int row, int column) { return (row + column) % 3 == 0; }
};

// Nodes in id order: the crossings, then the buildings' corners.
void WriteNodes(ExtractWriter& out, const Grid& grid)
{
    for (int row = 0; row < grid.side; ++row)
        for (int column = 0; column < grid.side; ++column)
            osmium::builder::add_node(
                out.Buffer(), _id(grid.Crossing(row, column)),
                _location(kWest + column * kLonStep, kSouth + row * kLatStep));
    int block = 0;
    for (int row = 0; row + 1 < grid.side; ++row)
        for (int column = 0; column + 1 < grid.side; ++column, ++block)
        {
            if (!Grid::HasBuilding(row, column))
                continue;
            const double lon = kWest + (column + 0.3) * kLonStep;
            const double lat = kSouth + (row + 0.3) * kLatStep;
            const double corners[4][2] = {{0, 0}, {0.4, 0}, {0.4, 0.4}, {0, 0.4}};
            for (int k = 0; k < 4; ++k)
                osmium::builder::add_node(
                    out.Buffer(), _id(grid.Corner(block, k)),
                    _location(lon + corners[k][0] * kLonStep, lat + corners[k][1] * kLatStep));
        }
}

// The rows' streets, then the columns' streets, from way id `wayId` on.
void WriteStreets(ExtractWriter& out, const Grid& grid, osmium::object_id_type& wayId)
{
    for (int vertical = 0; vertical < 2; ++vertical)
        for (int line = 0; line < grid.side; ++line)
            for (int first = 0; first + 1 < grid.side; first += kCrossingsPerWay - 1)
            {
                std::vector<osmium::object_id_type> nodes;
                for (int k = first; k < grid.side && k < first + kCrossingsPerWay; ++k)
                    nodes.push_back(vertical != 0 ? grid.Crossing(k, line)
                                                  : grid.Crossing(line, k));
                const char* highway = line % kPrimaryEvery == 0 ? "primary" : "residential";
                const std::string name =
                    (vertical != 0 ? "Column " : "Row ") + std::to_string(line);
                osmium::builder::add_way(out.Buffer(), _id(wayId++), _nodes(nodes),
                                         _tag("highway", highway), _tag("name", name));
            }
}

void WriteBuildings(ExtractWriter& out, const Grid& grid, osmium::object_id_type& wayId)
{
    int block = 0;
    for (int row = 0; row + 1 < grid.side; ++row)
        for (int column = 0; column + 1 < grid.side; ++column, ++block)
            if (Grid::HasBuilding(row, column))
                osmium::builder::add_way(
                    out.Buffer(), _id(wayId++),
                    _nodes({grid.Corner(block, 0), grid.Corner(block, 1), grid.Corner(block, 2),
                            grid.Corner(block, 3), grid.Corner(block, 0)}),
                    _tag("building", "yes"));
}

void Write(const std::string& path, int side)
{
    ExtractWriter out(path);
    const Grid grid{side};
    WriteNodes(out, grid);
    osmium::object_id_type wayId = 1;
    WriteStreets(out, grid, wayId);
    WriteBuildings(out, grid, wayId);
    out.Close();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
    {
        (void)std::fprintf(stderr, "usage: %s OUT.osm.pbf [SIDE]\n", argv[0]);
        return 2;
    }
    const long side = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 1500;
    if (side < 2 || side > 20000)
    {
        (void)std::fprintf(stderr, "%s: SIDE must be 2 to 20000\n", argv[0]);
        return 2;
    }
    try
    {
        Write(argv[1], static_cast<int>(side));
    }
    catch (const std::exception& problem)
    {
        (void)std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], problem.what());
        return 4;
    }
    return 0;
}
