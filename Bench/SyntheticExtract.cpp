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

void Write(const std::string& path, int side)
{
    ExtractWriter out(path);
    auto crossing = [side](int row, int column)
    { return static_cast<osmium::object_id_type>(row) * side + column + 1; };
    const osmium::object_id_type firstCornerId = crossing(side, 0);
    auto corner = [firstCornerId](int block, int k) { return firstCornerId + 4LL * block + k; };
    auto buildingBlock = [](int row, int column) { return (row + column) % 3 == 0; };

    // Nodes in id order: the crossings, then the buildings' corners.
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
            osmium::builder::add_node(
                out.Buffer(), _id(crossing(row, column)),
                _location(kWest + column * kLonStep, kSouth + row * kLatStep));
    int block = 0;
    for (int row = 0; row + 1 < side; ++row)
        for (int column = 0; column + 1 < side; ++column, ++block)
        {
            if (!buildingBlock(row, column))
                continue;
            const double lon = kWest + (column + 0.3) * kLonStep;
            const double lat = kSouth + (row + 0.3) * kLatStep;
            const double corners[4][2] = {{0, 0}, {0.4, 0}, {0.4, 0.4}, {0, 0.4}};
            for (int k = 0; k < 4; ++k)
                osmium::builder::add_node(
                    out.Buffer(), _id(corner(block, k)),
                    _location(lon + corners[k][0] * kLonStep, lat + corners[k][1] * kLatStep));
        }

    // Ways: the rows' streets, the columns' streets, the buildings.
    osmium::object_id_type wayId = 1;
    for (int vertical = 0; vertical < 2; ++vertical)
        for (int line = 0; line < side; ++line)
            for (int first = 0; first + 1 < side; first += kCrossingsPerWay - 1)
            {
                std::vector<osmium::object_id_type> nodes;
                for (int k = first; k < side && k < first + kCrossingsPerWay; ++k)
                    nodes.push_back(vertical != 0 ? crossing(k, line) : crossing(line, k));
                const char* highway = line % kPrimaryEvery == 0 ? "primary" : "residential";
                const std::string name =
                    (vertical != 0 ? "Column " : "Row ") + std::to_string(line);
                osmium::builder::add_way(out.Buffer(), _id(wayId++), _nodes(nodes),
                                         _tag("highway", highway), _tag("name", name));
            }
    block = 0;
    for (int row = 0; row + 1 < side; ++row)
        for (int column = 0; column + 1 < side; ++column, ++block)
            if (buildingBlock(row, column))
                osmium::builder::add_way(
                    out.Buffer(), _id(wayId++),
                    _nodes({corner(block, 0), corner(block, 1), corner(block, 2), corner(block, 3),
                            corner(block, 0)}),
                    _tag("building", "yes"));
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
    const int side = argc == 3 ? std::atoi(argv[2]) : 1500;
    if (side < 2 || side > 20000)
    {
        (void)std::fprintf(stderr, "%s: SIDE must be 2 to 20000\n", argv[0]);
        return 2;
    }
    try
    {
        Write(argv[1], side);
    }
    catch (const std::exception& problem)
    {
        (void)std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], problem.what());
        return 4;
    }
    return 0;
}
