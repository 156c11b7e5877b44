// The road map (RoadMap/): reading the shipped extracts, finding the roads of
// a view in the grid index (against boost's R-tree on the same boxes), and
// painting one frame's map at 640 x 480 at several levels of the map view.
//
// A frame is what the map view adds under the overlays for each picture: the
// background filled, then the painter's PaintUnder (water, buildings,
// waterways, road casings and fills, names) and PaintOver (attribution), on
// a Cairo image surface.
#include "MapView/RasterMapView.h"
#include "MapView/ScaleLevels.h"
#include "RoadMap/ExtractReader.h"
#include "RoadMap/Painter/RoadMapPainter.h"

#include <benchmark/benchmark.h>
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <cairo.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

struct Extract
{
    const char* file;
    tagLonLat town; // the centre of the frames
};

// Andorra la Vella, the village of the north of Bayreuth with the B 85, the
// old town of Krems, the motorway junction near Bautzen.
const Extract kExtracts[] = {
    {"andorra.osm.pbf", {1.5218, 42.5075}},
    {"north-bayreuth.osm.gz", {11.5040, 49.9880}},
    {"krems.osm.gz", {15.6050, 48.4100}},
    {"bautzen.osm", {14.4120, 51.1895}},
};

std::string PathOf(const Extract& extract)
{
    return std::string(AP_DATA_DIR) + "/osm/" + extract.file;
}

// Each extract read once for the whole run.
std::shared_ptr<const roadmap::RoadMap> MapOf(const Extract& extract, std::string& error)
{
    static std::map<std::string, std::shared_ptr<const roadmap::RoadMap>> maps;
    auto found = maps.find(extract.file);
    if (found != maps.end())
        return found->second;
    auto map = std::make_shared<roadmap::RoadMap>();
    if (!roadmap::ReadRoadMap(PathOf(extract), roadmap::LonLatBox::World(), *map, error))
        return nullptr;
    maps[extract.file] = map;
    return map;
}

refhost::MapViewport FrameAt(const tagLonLat& centre, int level)
{
    refhost::MapViewport viewport;
    viewport.centre = centre;
    viewport.width = 640;
    viewport.height = 480;
    viewport.zoom = refhost::ZoomForMetresPerPixel(centre.lat, 0.75 * std::exp2(level));
    return viewport;
}

void BM_RoadMapRead(benchmark::State& state)
{
    const Extract& extract = kExtracts[state.range(0)];
    state.SetLabel(extract.file);
    roadmap::RoadMap map;
    std::string error;
    for (auto _ : state)
        if (!roadmap::ReadRoadMap(PathOf(extract), roadmap::LonLatBox::World(), map, error))
            state.SkipWithError(error.c_str());
    state.counters["roads"] = static_cast<double>(map.Roads().size());
    state.counters["points"] = static_cast<double>(map.PointCount());
}
BENCHMARK(BM_RoadMapRead)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// A route's box (4 km by 3 km around the town, 1.5 km of margin): the three
// passes, the last for the far nodes of the ways that leave the box.
void BM_RoadMapReadRouteBox(benchmark::State& state)
{
    const Extract& extract = kExtracts[state.range(0)];
    state.SetLabel(extract.file);
    const roadmap::LonLatBox box =
        roadmap::Expanded({extract.town.lon - 0.028, extract.town.lat - 0.014,
                           extract.town.lon + 0.028, extract.town.lat + 0.014},
                          1500.0);
    roadmap::RoadMap map;
    std::string error;
    for (auto _ : state)
        if (!roadmap::ReadRoadMap(PathOf(extract), box, map, error))
            state.SkipWithError(error.c_str());
    state.counters["roads"] = static_cast<double>(map.Roads().size());
}
BENCHMARK(BM_RoadMapReadRouteBox)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// One frame's map: arguments extract, level.
void BM_RoadMapFrame(benchmark::State& state)
{
    const Extract& extract = kExtracts[state.range(0)];
    const int level = static_cast<int>(state.range(1));
    std::string error;
    std::shared_ptr<const roadmap::RoadMap> map = MapOf(extract, error);
    if (!map)
    {
        state.SkipWithError(error.c_str());
        return;
    }
    state.SetLabel(extract.file);
    const refhost::MapViewport viewport = FrameAt(extract.town, level);
    const roadmap::RoadMapPainter painter(map);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 640, 480);
    cairo_t* cr = cairo_create(surface);
    for (auto _ : state)
    {
        cairo_set_source_rgb(cr, 0.95, 0.93, 0.90);
        cairo_paint(cr);
        painter.PaintUnder(cr, viewport);
        painter.PaintOver(cr, viewport);
        cairo_surface_flush(surface);
    }
    std::vector<uint32_t> ids;
    map->RoadsIn(roadmap::RoadMapPainter::ViewBox(viewport, 0.0), ids);
    state.counters["roads_in_view"] = static_cast<double>(ids.size());
    state.counters["level"] = refhost::LevelOfScale(refhost::ScaleOfViewport(viewport));
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_RoadMapFrame)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2, 3, 4, 6}})
    ->Unit(benchmark::kMillisecond);

// ---- the index: the grid against boost's R-tree -------------------------------

namespace bg = boost::geometry;
using RtreePoint = bg::model::point<double, 2, bg::cs::cartesian>;
using RtreeBox = bg::model::box<RtreePoint>;
using RtreeEntry = std::pair<RtreeBox, uint32_t>;

// 1000 view boxes of 640 x 480 pixels at `level` at random places of the map.
std::vector<roadmap::LonLatBox> RandomViews(const roadmap::RoadMap& map, int level)
{
    std::mt19937 random(7);
    const roadmap::LonLatBox& bounds = map.Bounds();
    std::uniform_real_distribution<double> lon(bounds.west, bounds.east);
    std::uniform_real_distribution<double> lat(bounds.south, bounds.north);
    std::vector<roadmap::LonLatBox> views;
    views.reserve(1000);
    for (int i = 0; i < 1000; ++i)
        views.push_back(
            roadmap::RoadMapPainter::ViewBox(FrameAt({lon(random), lat(random)}, level), 32.0));
    return views;
}

void BM_RoadQueryGrid(benchmark::State& state)
{
    std::string error;
    std::shared_ptr<const roadmap::RoadMap> map = MapOf(kExtracts[1], error);
    const std::vector<roadmap::LonLatBox> views =
        RandomViews(*map, static_cast<int>(state.range(0)));
    std::vector<uint32_t> ids;
    std::size_t found = 0;
    for (auto _ : state)
        for (const roadmap::LonLatBox& view : views)
        {
            map->RoadsIn(view, ids);
            found += ids.size();
        }
    state.counters["roads_per_view"] =
        static_cast<double>(found) / static_cast<double>(state.iterations() * views.size());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * views.size()));
}
BENCHMARK(BM_RoadQueryGrid)->Arg(2)->Arg(4)->Arg(6);

// The same queries on boost's R-tree of the roads' boxes (packed, quadratic
// nodes of 16), sorted as the grid answers.
void BM_RoadQueryRtree(benchmark::State& state)
{
    std::string error;
    std::shared_ptr<const roadmap::RoadMap> map = MapOf(kExtracts[1], error);
    std::vector<RtreeEntry> entries;
    for (uint32_t id = 0; id < map->Roads().size(); ++id)
    {
        const roadmap::PointSpan& line = map->Roads()[id].line;
        const roadmap::LonLatBox box = roadmap::BoxOf(map->PointsOf(line), line.count);
        entries.emplace_back(RtreeBox({box.west, box.south}, {box.east, box.north}), id);
    }
    const bg::index::rtree<RtreeEntry, bg::index::quadratic<16>> tree(entries);
    const std::vector<roadmap::LonLatBox> views =
        RandomViews(*map, static_cast<int>(state.range(0)));
    std::vector<RtreeEntry> hits;
    std::vector<uint32_t> ids;
    std::size_t found = 0;
    for (auto _ : state)
        for (const roadmap::LonLatBox& view : views)
        {
            hits.clear();
            ids.clear();
            tree.query(
                bg::index::intersects(RtreeBox({view.west, view.south}, {view.east, view.north})),
                std::back_inserter(hits));
            for (const RtreeEntry& hit : hits)
                ids.push_back(hit.second);
            std::sort(ids.begin(), ids.end());
            found += ids.size();
        }
    state.counters["roads_per_view"] =
        static_cast<double>(found) / static_cast<double>(state.iterations() * views.size());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * views.size()));
}
BENCHMARK(BM_RoadQueryRtree)->Arg(2)->Arg(4)->Arg(6);

} // namespace
