// The underlay of the reference map view: its map lies under everything the
// view draws, what it paints over lies above the caption, and it stays across
// Clear until removed.
#include "MapView/RasterMapView.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using refhost::MapViewport;
using refhost::RasterImage;
using refhost::RasterMapView;

namespace
{

constexpr uint32_t kUnderColour = 0x0000C000; // green, 0x00BBGGRR
constexpr uint32_t kOverColour = 0x00C00000;  // blue
constexpr uint32_t kLineColour = 0x000000FF;  // red

// Paints the whole picture green under everything and a blue square over the
// top-left corner above everything; counts its calls.
class SquareUnderlay : public refhost::MapUnderlay
{
public:
    void PaintUnder(cairo_t* cr, const MapViewport& viewport) const override
    {
        ++under;
        cairo_rectangle(cr, 0, 0, viewport.width, viewport.height);
        cairo_set_source_rgb(cr, 0.0, 0xC0 / 255.0, 0.0);
        cairo_fill(cr);
    }
    void PaintOver(cairo_t* cr, const MapViewport& /*viewport*/) const override
    {
        ++over;
        cairo_rectangle(cr, 0, 0, 10, 10);
        cairo_set_source_rgb(cr, 0.0, 0.0, 0xC0 / 255.0);
        cairo_fill(cr);
    }
    mutable int under = 0;
    mutable int over = 0;
};

RasterImage Render(const RasterMapView& view)
{
    RasterImage image;
    std::string error;
    EXPECT_TRUE(view.RenderImage(image, &error)) << error;
    return image;
}

} // namespace

TEST(MapUnderlay, LiesUnderTheDrawingsAndPaintsOverTheCaption)
{
    MapViewport viewport;
    viewport.centre = {11.5, 50.0};
    viewport.width = 200;
    viewport.height = 120;
    RasterMapView view(viewport);
    auto underlay = std::make_shared<SquareUnderlay>();
    view.SetUnderlay(underlay);
    view.SetCaption("Bahnhofstrasse", "Turn right");
    const tagLonLat line[] = {refhost::Unproject(viewport, {20.0, 90.0}),
                              refhost::Unproject(viewport, {180.0, 90.0})};
    ASSERT_EQ(view.DrawLine(line, 2, 0, kLineColour, 6), 1);

    view.Clear(); // the underlay stays, the line goes
    ASSERT_EQ(view.DrawLine(line, 2, 0, kLineColour, 6), 1);
    RasterImage image = Render(view);
    EXPECT_EQ(underlay->under, 1);
    EXPECT_EQ(underlay->over, 1);
    EXPECT_EQ(image.ColourAt(100, 90), kLineColour);  // the drawing over the map
    EXPECT_EQ(image.ColourAt(100, 70), kUnderColour); // the map, not the background
    EXPECT_EQ(image.ColourAt(3, 3), kOverColour);     // above the caption band
    EXPECT_NE(image.ColourAt(100, 3), kUnderColour);  // the caption band over the map

    view.SetUnderlay(nullptr);
    image = Render(view);
    EXPECT_EQ(image.ColourAt(100, 70), RasterMapView::kBackgroundColour);
    EXPECT_EQ(underlay->under, 1);
}
