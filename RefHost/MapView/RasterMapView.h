// The reference host's map view: draws what the library hands it onto a plain
// Web Mercator image (WebMercator.h) with Cairo, and writes it as PNG, SVG or
// PDF.
//
// Drawing calls are recorded (points copied) and painted, in call order, every
// time an image is rendered or written, with the viewport in force then; so a
// host may set or change the viewport after drawing. Nothing is ever forgotten
// by itself: call Clear before drawing the next picture (a map view repaints
// from scratch).
//
// What the calls draw (colours are 0x00BBGGRR, red in the low byte, so 255 is
// red; the top byte is ignored; widths are CSS pixels and grow with the pixel
// ratio):
//
//   DrawLine(points, count, 0, colour, width)
//       A polyline `width` pixels wide, round joins and caps, antialiased. A
//       border pass drawn wide and a fill pass drawn narrow on top of it make
//       a cased road. A non-finite coordinate breaks the line: the points
//       before and after it are drawn as separate pieces. A piece of a single
//       point is a dot of the line's width. A width of 0 or less draws nothing.
//   DrawLine(points, count, outline, colour, ignored)   with outline != 0
//       The closed outline through the points (last joined to first), `outline`
//       pixels wide, round joins: the outline of the turn arrow head, for which
//       the library passes the colour again as the fifth argument. Non-finite
//       points are left out of the ring. A negative outline width draws
//       nothing.
//   DrawPolygon(points, count, opacity, colour, ignored)
//       The polygon filled (non-zero winding), antialiased. `opacity` is in
//       percent: 1 ... 99 blend the colour over what lies below; 0, 100 or more
//       and negative values paint it opaque. Non-finite points are left out.
//
// Every call with count <= 0 or null points draws nothing and answers 0; a call
// that leaves nothing to draw (no finite point, width out of range) answers 0
// too; a recorded call answers 1. The library ignores the answers.
//
// Each point's longitude is unwrapped relative to the viewport's centre, so a
// route across the 180th meridian is one continuous line. Geometry far outside
// the image is clipped before it reaches Cairo, whose fixed-point coordinates
// would otherwise wrap around.
//
// GetScale answers the ground resolution at the viewport's centre in
// millimetres per CSS pixel, ScaleToLevel the size-table level of such a value;
// ScaleLevels.h has the table of levels.
//
// On the image, below the drawings: a plain light background (no map data is
// pretended), the map of an underlay when the host installs one
// (MapUnderlay.h) and, when the host sets them, background roads in light grey
// (the junction's other roads, known from the route file). Above them: the
// vehicle marker when set, a scale bar in the bottom-left corner (metres or kilometres, 1, 2 or 5
// times a power of ten, true at the viewport's centre) and, when set, a caption band along the top
// edge with the manoeuvre's road names and instruction, or a device's banner above the instruction
// (DejaVu Sans through Cairo's toy text API).
//
// One thread at a time: nothing here takes a lock. Once text has been drawn,
// the process releases Cairo's and fontconfig's font caches at exit (so that
// leak checkers see nothing of them); a program must not use Cairo from its
// own exit handlers after that.
#ifndef REFHOST_MAPVIEW_RASTERMAPVIEW_H
#define REFHOST_MAPVIEW_RASTERMAPVIEW_H

#include "CaptionLine.h"
#include "MapService.h"
#include "MapUnderlay.h"
#include "ScaleLevels.h"
#include "WebMercator.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace refhost
{

// Output formats. PNG is the raster image of RenderImage; SVG and PDF draw the
// same picture as vectors (one SVG <path> per drawing call that shows),
// sized DeviceWidth x DeviceHeight (pixels in SVG, points in PDF).
enum class ImageFormat
{
    Png,
    Svg,
    Pdf,
};

// The format named by the extension of `path` (".png", ".svg", ".pdf", in any
// case) into `format`; false, `format` unchanged, for any other name.
bool ImageFormatFromPath(const std::string& path, ImageFormat& format);

// A rendered picture: opaque device pixels.
class RasterImage
{
public:
    // ColourAt's answer for a position outside the image.
    static constexpr uint32_t kNoPixel = 0xFFFFFFFFu;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel at column `x`, row `y` (device pixels from the top-left) as
    // 0x00BBGGRR, the colour convention of the drawing calls; kNoPixel outside.
    uint32_t ColourAt(int x, int y) const;

private:
    friend class RasterMapView;
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels; // 0x00BBGGRR, row by row
};

class RasterMapView : public CMapService
{
public:
    // The background colour (0x00BBGGRR): a light warm grey.
    static constexpr uint32_t kBackgroundColour = 0x00E6EEF2u;
    // Background roads: a light grey line this wide (CSS pixels).
    static constexpr uint32_t kBackgroundRoadColour = 0x00CACACAu;
    static constexpr double kBackgroundRoadWidth = 9.0;

    // One recorded drawing call.
    struct Drawing
    {
        enum class Kind
        {
            Line,    // DrawLine with third argument 0
            Outline, // DrawLine with a non-zero third argument
            Polygon, // DrawPolygon
        };
        Kind kind = Kind::Line;
        uint32_t colour = 0;           // as passed, 0x00BBGGRR
        double width = 0.0;            // CSS pixels (Line, Outline); 0 for Polygon
        double opacity = 1.0;          // 0 < opacity <= 1 (Polygon); 1 for lines
        std::vector<tagLonLat> points; // as passed, non-finite ones included
    };

    // A map view showing `viewport`, or the default MapViewport when it is not
    // valid.
    explicit RasterMapView(const MapViewport& viewport = MapViewport());

    // Shows `viewport` from now on (for GetScale and for the next rendering);
    // the recorded drawings stay. Returns false and keeps the current viewport
    // when `viewport` is not valid (MapViewport::IsValid).
    bool SetViewport(const MapViewport& viewport);
    const MapViewport& Viewport() const { return m_viewport; }

    // The caption: the manoeuvre's road names (first line, bold) and its
    // instruction (second line), UTF-8. Both empty (the default) hide the band.
    // A line too long for the image is cut and ends in an ellipsis.
    void SetCaption(const std::string& roadNames, const std::string& instruction);
    // The caption as a device's banner shows a manoeuvre: `primary` large and
    // bold, `secondary` below it, then the instruction. Empty lines are left
    // out; all three empty hide the band.
    void SetBannerCaption(const std::string& primary, const std::string& secondary,
                          const std::string& instruction);
    // Height of the caption band in CSS pixels (0 when there is no caption):
    // a host fitting the viewport keeps this much room at the top.
    double CaptionHeight() const;

    // Roads of the map under the library's drawings, each a polyline drawn in
    // the background road style; they replace any set before and, like the
    // caption, stay until set again (an empty list removes them).
    void SetBackgroundRoads(std::vector<std::vector<tagLonLat>> roads);

    // The map painted under everything else (MapUnderlay.h), and what it
    // paints above everything; it stays until set again, null (the default)
    // removes it.
    void SetUnderlay(std::shared_ptr<const MapUnderlay> underlay);

    // The attribution of the data drawn, painted in the bottom-right corner
    // above everything (MapDecorations.h PaintCredit); it stays until set
    // again, empty (the default) paints none.
    void SetCredit(std::string credit);
    const std::string& Credit() const { return m_credit; }

    // The vehicle marker (MapDecorations.h), painted above the drawings and
    // below the scale bar and caption; ClearVehicle hides it (the default).
    // A host shows where the vehicle is this way: the library never draws it.
    void SetVehicle(const tagLonLat& position, double headingDegrees);
    void ClearVehicle();

    // Forgets every recorded drawing; the viewport, the caption, the
    // background roads, the underlay and the vehicle marker stay.
    void Clear();
    const std::vector<Drawing>& Drawings() const { return m_drawings; }

    // The map view operations the library calls (see the top of this file).
    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;
    int64_t GetScale() override;
    int32_t ScaleToLevel(int64_t scale) override;

    // Paints the picture into `image`. Returns false, with a reason in `error`
    // when it is not null, only when Cairo cannot make the image (memory).
    bool RenderImage(RasterImage& image, std::string* error = nullptr) const;

    // Writes the picture to `path` in `format`: first to a temporary file in
    // the same folder, renamed to `path` once complete, so that `path` is
    // either the whole new picture or left as it was. Returns false, with a
    // reason naming the file in `error` when it is not null, when the folder
    // is not writable, the disk is full or Cairo fails; no file is left behind.
    bool Write(const std::string& path, ImageFormat format, std::string* error = nullptr) const;
    // The same, with the format named by the file's extension; an unknown
    // extension is an error.
    bool Write(const std::string& path, std::string* error = nullptr) const;

private:
    int Record(Drawing drawing);
    void SetCaptionLines(std::vector<mapview::CaptionLine> lines);

    MapViewport m_viewport;
    std::vector<mapview::CaptionLine> m_caption;
    std::vector<std::vector<tagLonLat>> m_backgroundRoads;
    std::shared_ptr<const MapUnderlay> m_underlay;
    std::string m_credit;
    bool m_hasVehicle = false;
    tagLonLat m_vehicle = AP_INVALID_POINT;
    double m_vehicleHeading = 0.0;
    std::vector<Drawing> m_drawings;
};

// The reference host's map view: what CMapCreate::GetMapService answers, one
// for the whole process, created on first use with the default viewport. A
// host program sets its viewport and caption before the library draws, and
// clears it before each new picture.
RasterMapView& DefaultMapView();

} // namespace refhost

#endif
