#include "RoadMapPainter.h"

#include "MapView/MapDecorations.h"
#include "MapView/MapPainter.h"
#include "MapView/PixelClip.h"
#include "MapView/ScaleLevels.h"
#include "RoadLabels.h"
#include "RoadStyle.h"

#include <algorithm>
#include <utility>

namespace roadmap
{

namespace
{

using refhost::MapViewport;
using refhost::PixelPoint;
using refhost::mapview::ClipBox;
using refhost::mapview::PixelLine;

// How far beyond the picture's edges the map is looked at and kept: more
// than half the widest casing, so that nothing cut shows its ends.
constexpr double kViewMargin = 32.0;
// Points closer than this (pixels, on both axes) to the one before are left
// out: they change nothing a reader sees, and each costs Cairo time.
constexpr double kMinStep = 0.75;
// Cairo's flattening of round joins and caps, pixels (its default is 0.1).
constexpr double kTolerance = 0.25;
constexpr double kMinRoundWidth = 3.0;

// What one picture's painting shares.
struct Frame
{
    cairo_t* cr;
    const MapViewport& viewport;
    const RoadMap& map;
    const ViewProjection& projection;
    ViewProjection::Transform transform;
    ClipBox box; // the picture and its margin, pixels
    LonLatBox view;
    int level;
    std::vector<uint32_t> ids; // scratch for the queries
};

struct ProjectedRoad
{
    const Road* road;
    RoadLook look;
    std::vector<PixelLine> pieces; // pixels, cut to the frame's box
};

std::vector<PixelLine> ProjectLine(const Frame& frame, const PointSpan& span)
{
    return refhost::mapview::ClipPolyline(frame.projection.Project(span, frame.transform, kMinStep),
                                          frame.box);
}

void AppendPiece(cairo_t* cr, const PixelLine& piece)
{
    cairo_move_to(cr, piece[0].x, piece[0].y);
    for (std::size_t i = 1; i < piece.size(); ++i)
        cairo_line_to(cr, piece[i].x, piece[i].y);
}

void StrokeRound(cairo_t* cr, const Stroke& stroke)
{
    refhost::mapview::SetSourceColour(cr, stroke.colour);
    cairo_set_line_width(cr, stroke.width);
    const bool thin = stroke.width < kMinRoundWidth;
    cairo_set_line_cap(cr, thin ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, thin ? CAIRO_LINE_JOIN_BEVEL : CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// Adds the rings of `area`, each cut to the frame's box, to the current path.
void AppendArea(const Frame& frame, const Area& area)
{
    const PointSpan* rings = frame.map.RingsOf(area);
    for (uint32_t r = 0; r < area.ringCount; ++r)
    {
        const PixelLine ring = refhost::mapview::ClipPolygon(
            frame.projection.Project(rings[r], frame.transform, kMinStep), frame.box);
        if (ring.size() < 3)
            continue;
        AppendPiece(frame.cr, ring);
        cairo_close_path(frame.cr);
    }
}

void PaintWaterAreas(Frame& frame)
{
    frame.map.WaterAreasIn(frame.view, frame.ids);
    refhost::mapview::SetSourceColour(frame.cr, kWaterColour);
    // Each area alone: the even-odd rule makes its inner rings holes, and
    // overlapping areas must not cut holes in each other.
    cairo_set_fill_rule(frame.cr, CAIRO_FILL_RULE_EVEN_ODD);
    for (uint32_t id : frame.ids)
    {
        AppendArea(frame, frame.map.WaterAreas()[id]);
        cairo_fill(frame.cr);
    }
}

void PaintBuildings(Frame& frame)
{
    frame.map.BuildingsIn(frame.view, frame.ids);
    if (frame.ids.empty())
        return;
    cairo_set_fill_rule(frame.cr, CAIRO_FILL_RULE_WINDING);
    for (uint32_t id : frame.ids)
        AppendArea(frame, frame.map.Buildings()[id]);
    refhost::mapview::SetSourceColour(frame.cr, kBuildingColour);
    if (!BuildingOutlinesShown(frame.level))
    {
        cairo_fill(frame.cr);
        return;
    }
    cairo_fill_preserve(frame.cr);
    refhost::mapview::SetSourceColour(frame.cr, kBuildingOutlineColour);
    cairo_set_line_width(frame.cr, kBuildingOutlineWidth);
    cairo_set_line_join(frame.cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(frame.cr);
}

void PaintWaterways(Frame& frame)
{
    frame.map.WaterwaysIn(frame.view, frame.ids);
    for (WaterwayKind kind : {WaterwayKind::Stream, WaterwayKind::River})
    {
        const Stroke stroke = LookOfWaterway(kind, frame.level);
        if (stroke.width <= 0.0)
            continue;
        for (uint32_t id : frame.ids)
        {
            const Waterway& waterway = frame.map.Waterways()[id];
            if (waterway.kind == kind)
                for (const PixelLine& piece : ProjectLine(frame, waterway.line))
                    AppendPiece(frame.cr, piece);
        }
        StrokeRound(frame.cr, stroke);
    }
}

// The roads in view that show at the frame's level, projected, the most
// important last.
std::vector<ProjectedRoad> ProjectRoads(Frame& frame)
{
    frame.map.RoadsIn(frame.view, frame.ids);
    std::vector<ProjectedRoad> roads;
    for (uint32_t id : frame.ids)
    {
        const Road& road = frame.map.Roads()[id];
        const RoadLook look = LookOfRoad(road.roadClass, road.isLink, frame.level);
        if (!look.shown)
            continue;
        std::vector<PixelLine> pieces = ProjectLine(frame, road.line);
        if (!pieces.empty())
            roads.push_back({&road, look, std::move(pieces)});
    }
    // Minor classes first, links under their class; the file's order within.
    std::stable_sort(roads.begin(), roads.end(),
                     [](const ProjectedRoad& a, const ProjectedRoad& b)
                     {
                         if (a.road->roadClass != b.road->roadClass)
                             return a.road->roadClass > b.road->roadClass;
                         return a.road->isLink && !b.road->isLink;
                     });
    return roads;
}

// One pass over the roads: the casings or the fills. Consecutive roads of the
// same look are stroked together.
void StrokeRoads(cairo_t* cr, const std::vector<ProjectedRoad>& roads, bool casings)
{
    auto strokeOf = [casings](const ProjectedRoad& road) -> const Stroke&
    { return casings ? road.look.casing : road.look.fill; };
    std::size_t i = 0;
    while (i < roads.size())
    {
        const Stroke& stroke = strokeOf(roads[i]);
        std::size_t end = i;
        for (; end < roads.size(); ++end)
        {
            const Stroke& next = strokeOf(roads[end]);
            if (next.colour != stroke.colour || next.width != stroke.width)
                break;
            if (stroke.width > 0.0)
                for (const PixelLine& piece : roads[end].pieces)
                    AppendPiece(cr, piece);
        }
        if (stroke.width > 0.0)
            StrokeRound(cr, stroke);
        i = end;
    }
}

void PaintNames(const Frame& frame, const std::vector<ProjectedRoad>& roads)
{
    std::vector<LabelledLine> lines;
    // The major roads are named first: they are last in `roads`.
    for (auto road = roads.rbegin(); road != roads.rend(); ++road)
    {
        const std::string& text = road->road->name.empty() ? road->road->ref : road->road->name;
        if (!text.empty())
            lines.push_back({&text, &road->pieces});
    }
    PaintRoadLabels(frame.cr, frame.viewport.width, frame.viewport.height, lines);
}

} // namespace

RoadMapPainter::RoadMapPainter(std::shared_ptr<const RoadMap> map, std::string credit)
    : m_map(map ? std::move(map) : std::make_shared<const RoadMap>()), m_credit(std::move(credit)),
      m_projection(*m_map)
{
}

LonLatBox RoadMapPainter::ViewBox(const MapViewport& viewport, double marginPixels)
{
    const double left = -marginPixels;
    const double top = -marginPixels;
    const double right = viewport.width + marginPixels;
    const double bottom = viewport.height + marginPixels;
    LonLatBox box;
    for (const PixelPoint& corner : {PixelPoint{left, top}, PixelPoint{right, top},
                                     PixelPoint{left, bottom}, PixelPoint{right, bottom}})
        box.Extend(refhost::Unproject(viewport, corner));
    return box;
}

void RoadMapPainter::PaintUnder(cairo_t* cr, const MapViewport& viewport) const
{
    Frame frame{cr,
                viewport,
                *m_map,
                m_projection,
                m_projection.TransformOf(viewport),
                ClipBox{-kViewMargin, -kViewMargin, viewport.width + kViewMargin,
                        viewport.height + kViewMargin},
                ViewBox(viewport, kViewMargin),
                refhost::LevelOfScale(refhost::ScaleOfViewport(viewport)),
                {}};
    cairo_save(cr);
    cairo_new_path(cr);
    // Cairo's coarser antialiasing: half the time, no difference to be seen
    // on a map.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_FAST);
    cairo_set_tolerance(cr, kTolerance);
    PaintWaterAreas(frame);
    if (BuildingsShown(frame.level))
        PaintBuildings(frame);
    PaintWaterways(frame);
    const std::vector<ProjectedRoad> roads = ProjectRoads(frame);
    StrokeRoads(cr, roads, true);
    StrokeRoads(cr, roads, false);
    if (NamesShown(frame.level))
        PaintNames(frame, roads);
    cairo_restore(cr);
}

void RoadMapPainter::PaintOver(cairo_t* cr, const MapViewport& viewport) const
{
    refhost::mapview::PaintCredit(cr, viewport, m_credit);
}

} // namespace roadmap
