#include "RasterMapView.h"

#include "AtomicFile.h"
#include "MapDecorations.h"
#include "MapPainter.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

namespace refhost
{

namespace
{

bool HasFinitePoint(const std::vector<tagLonLat>& points)
{
    return std::any_of(points.begin(), points.end(),
                       [](const tagLonLat& point)
                       { return std::isfinite(point.lon) && std::isfinite(point.lat); });
}

// The polygon opacity of a DrawPolygon third argument (percent).
double OpacityOfPercent(int32_t percent)
{
    if (percent >= 1 && percent <= 99)
        return percent / 100.0;
    return 1.0;
}

cairo_status_t WriteToAtomicFile(void* closure, const unsigned char* data, unsigned int length)
{
    auto* file = static_cast<mapview::AtomicFile*>(closure);
    return file->Write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

std::string CairoReason(const std::string& what, cairo_status_t status)
{
    return what + ": " + cairo_status_to_string(status);
}

// Everything the picture shows, bottom to top, on a context whose units are
// device pixels.
void PaintPicture(cairo_t* cr, const MapViewport& viewport, const MapUnderlay* underlay,
                  const std::vector<std::vector<tagLonLat>>& backgroundRoads,
                  const std::vector<RasterMapView::Drawing>& drawings, const tagLonLat* vehicle,
                  double vehicleHeading, const std::vector<mapview::CaptionLine>& caption,
                  const std::string& credit)
{
    cairo_scale(cr, viewport.pixelRatio, viewport.pixelRatio);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);

    cairo_rectangle(cr, 0.0, 0.0, viewport.width, viewport.height);
    mapview::SetSourceColour(cr, RasterMapView::kBackgroundColour);
    cairo_fill(cr);
    if (underlay != nullptr)
        underlay->PaintUnder(cr, viewport);

    RasterMapView::Drawing road;
    road.colour = RasterMapView::kBackgroundRoadColour;
    road.width = RasterMapView::kBackgroundRoadWidth;
    for (const std::vector<tagLonLat>& points : backgroundRoads)
    {
        road.points = points;
        mapview::PaintDrawing(cr, viewport, road);
    }

    for (const RasterMapView::Drawing& drawing : drawings)
        mapview::PaintDrawing(cr, viewport, drawing);

    if (vehicle != nullptr)
        mapview::PaintVehicleMarker(cr, viewport, *vehicle, vehicleHeading);
    mapview::PaintScaleBar(cr, viewport);
    mapview::PaintCaption(cr, viewport, caption);
    if (underlay != nullptr)
        underlay->PaintOver(cr, viewport);
    mapview::PaintCredit(cr, viewport, credit);
}

} // namespace

bool ImageFormatFromPath(const std::string& path, ImageFormat& format)
{
    std::string::size_type dot = path.find_last_of('.');
    std::string::size_type slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "png")
        format = ImageFormat::Png;
    else if (extension == "svg")
        format = ImageFormat::Svg;
    else if (extension == "pdf")
        format = ImageFormat::Pdf;
    else
        return false;
    return true;
}

uint32_t RasterImage::ColourAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kNoPixel;
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

RasterMapView::RasterMapView(const MapViewport& viewport)
    : m_viewport(viewport.IsValid() ? viewport : MapViewport())
{
}

bool RasterMapView::SetViewport(const MapViewport& viewport)
{
    if (!viewport.IsValid())
        return false;
    m_viewport = viewport;
    return true;
}

void RasterMapView::SetCaption(const std::string& roadNames, const std::string& instruction)
{
    SetCaptionLines({{roadNames, mapview::CaptionLine::Style::Names},
                     {instruction, mapview::CaptionLine::Style::Plain}});
}

void RasterMapView::SetBannerCaption(const std::string& primary, const std::string& secondary,
                                     const std::string& instruction)
{
    SetCaptionLines({{primary, mapview::CaptionLine::Style::Banner},
                     {secondary, mapview::CaptionLine::Style::Plain},
                     {instruction, mapview::CaptionLine::Style::Plain}});
}

void RasterMapView::SetCaptionLines(std::vector<mapview::CaptionLine> lines)
{
    m_caption.clear();
    for (mapview::CaptionLine& line : lines)
        if (!line.text.empty())
            m_caption.push_back(std::move(line));
}

double RasterMapView::CaptionHeight() const
{
    return mapview::CaptionBandHeight(m_caption);
}

void RasterMapView::SetBackgroundRoads(std::vector<std::vector<tagLonLat>> roads)
{
    m_backgroundRoads = std::move(roads);
}

void RasterMapView::SetUnderlay(std::shared_ptr<const MapUnderlay> underlay)
{
    m_underlay = std::move(underlay);
}

void RasterMapView::SetCredit(std::string credit)
{
    m_credit = std::move(credit);
}

void RasterMapView::SetVehicle(const tagLonLat& position, double headingDegrees)
{
    m_hasVehicle = true;
    m_vehicle = position;
    m_vehicleHeading = headingDegrees;
}

void RasterMapView::ClearVehicle()
{
    m_hasVehicle = false;
}

void RasterMapView::Clear()
{
    m_drawings.clear();
}

int RasterMapView::Record(Drawing drawing)
{
    if (!HasFinitePoint(drawing.points))
        return 0;
    m_drawings.push_back(std::move(drawing));
    return 1;
}

int RasterMapView::DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                            int32_t fifth)
{
    if (points == nullptr || count <= 0)
        return 0;
    Drawing drawing;
    drawing.colour = colour;
    if (third == 0)
    {
        if (fifth <= 0)
            return 0;
        drawing.kind = Drawing::Kind::Line;
        drawing.width = fifth;
    }
    else
    {
        if (third < 0)
            return 0;
        drawing.kind = Drawing::Kind::Outline;
        drawing.width = third;
    }
    drawing.points.assign(points, points + count);
    return Record(std::move(drawing));
}

int RasterMapView::DrawPolygon(const tagLonLat* points, int32_t count, int32_t third,
                               uint32_t colour, int32_t /*fifth*/)
{
    if (points == nullptr || count <= 0)
        return 0;
    Drawing drawing;
    drawing.kind = Drawing::Kind::Polygon;
    drawing.colour = colour;
    drawing.opacity = OpacityOfPercent(third);
    drawing.points.assign(points, points + count);
    return Record(std::move(drawing));
}

int64_t RasterMapView::GetScale()
{
    return ScaleOfViewport(m_viewport);
}

int32_t RasterMapView::ScaleToLevel(int64_t scale)
{
    return LevelOfScale(scale);
}

bool RasterMapView::RenderImage(RasterImage& image, std::string* error) const
{
    int width = m_viewport.DeviceWidth();
    int height = m_viewport.DeviceHeight();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        if (error != nullptr)
            *error = CairoReason("cannot make the image", status);
        return false;
    }
    cairo_t* cr = cairo_create(surface);
    PaintPicture(cr, m_viewport, m_underlay.get(), m_backgroundRoads, m_drawings,
                 m_hasVehicle ? &m_vehicle : nullptr, m_vehicleHeading, m_caption, m_credit);
    status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        if (error != nullptr)
            *error = CairoReason("cannot paint the image", status);
        return false;
    }

    // Cairo's ARGB32 is premultiplied native-endian 0xAARRGGBB; the opaque
    // background makes every pixel opaque, so no un-premultiplying is needed.
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    image.m_width = width;
    image.m_height = height;
    image.m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y)
    {
        const auto* row =
            reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x)
        {
            uint32_t argb = row[x];
            uint32_t bgr = ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
            image.m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)] = bgr;
        }
    }
    cairo_surface_destroy(surface);
    return true;
}

bool RasterMapView::Write(const std::string& path, std::string* error) const
{
    ImageFormat format = ImageFormat::Png;
    if (!ImageFormatFromPath(path, format))
    {
        if (error != nullptr)
            *error = path + ": cannot write: unknown picture format (use .png, .svg or .pdf)";
        return false;
    }
    return Write(path, format, error);
}

bool RasterMapView::Write(const std::string& path, ImageFormat format, std::string* error) const
{
    std::string reason;
    mapview::AtomicFile file(path);
    if (!file.Open(reason))
    {
        if (error != nullptr)
            *error = reason;
        return false;
    }

    int width = m_viewport.DeviceWidth();
    int height = m_viewport.DeviceHeight();
    cairo_surface_t* surface = nullptr;
    switch (format)
    {
    case ImageFormat::Png:
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        break;
    case ImageFormat::Svg:
        surface = cairo_svg_surface_create_for_stream(WriteToAtomicFile, &file, width, height);
        if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
            cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
        break;
    case ImageFormat::Pdf:
        surface = cairo_pdf_surface_create_for_stream(WriteToAtomicFile, &file, width, height);
        break;
    }

    cairo_t* cr = cairo_create(surface);
    PaintPicture(cr, m_viewport, m_underlay.get(), m_backgroundRoads, m_drawings,
                 m_hasVehicle ? &m_vehicle : nullptr, m_vehicleHeading, m_caption, m_credit);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status == CAIRO_STATUS_SUCCESS && format == ImageFormat::Png)
        status = cairo_surface_write_to_png_stream(surface, WriteToAtomicFile, &file);
    // Finishing a vector surface writes the rest of the document.
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);

    if (status != CAIRO_STATUS_SUCCESS)
    {
        if (error != nullptr)
            *error = CairoReason(path + ": cannot write", status);
        return false; // the AtomicFile removes its temporary file
    }
    if (!file.Commit(reason))
    {
        if (error != nullptr)
            *error = reason;
        return false;
    }
    return true;
}

} // namespace refhost
