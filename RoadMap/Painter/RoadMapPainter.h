// The road map painted under the library's drawings on the reference map
// view: install it with RasterMapView::SetUnderlay.
//
//     auto map = std::make_shared<roadmap::RoadMap>();
//     if (!roadmap::ReadRoadMap(extract, box, *map, error)) ...
//     view.SetUnderlay(std::make_shared<roadmap::RoadMapPainter>(map));
//
// Under the overlays, bottom to top: water areas, buildings (close views),
// rivers and streams, the roads in view (every casing, then every fill, the
// minor classes under the major ones; RoadStyle.h has the look at each level),
// and the road names along the roads in close views. Above everything, in
// the bottom-right corner: "© OpenStreetMap contributors", which every
// picture drawn over the map data must carry.
#ifndef ROADMAP_PAINTER_ROADMAPPAINTER_H
#define ROADMAP_PAINTER_ROADMAPPAINTER_H

#include "MapView/MapUnderlay.h"
#include "RoadMap/RoadMap.h"
#include "ViewProjection.h"

#include <memory>
#include <string>

namespace roadmap
{

// The attribution written on every picture of the map.
constexpr const char* kAttribution = "\xC2\xA9 OpenStreetMap contributors";

class RoadMapPainter : public refhost::MapUnderlay
{
public:
    // Projects the map's points once (ViewProjection.h); `map` must not
    // change while the painter lives.
    // `credit` is what PaintOver writes in the bottom-right corner (none when
    // empty: a host that paints the credit of the route and the map together
    // passes it empty).
    explicit RoadMapPainter(std::shared_ptr<const RoadMap> map, std::string credit = kAttribution);

    void PaintUnder(cairo_t* cr, const refhost::MapViewport& viewport) const override;
    void PaintOver(cairo_t* cr, const refhost::MapViewport& viewport) const override;

    // The ground the painter looks at for `viewport`: the box of the picture
    // turned by its bearing, grown by `marginPixels` on every side.
    static LonLatBox ViewBox(const refhost::MapViewport& viewport, double marginPixels);

    // The map painted.
    const RoadMap& Map() const { return *m_map; }

private:
    std::shared_ptr<const RoadMap> m_map;
    std::string m_credit;
    ViewProjection m_projection;
};

} // namespace roadmap

#endif
