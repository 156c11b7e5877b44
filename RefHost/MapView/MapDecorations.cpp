#include "MapDecorations.h"

#include "Geodesy/Angles.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace refhost::mapview
{

namespace
{

constexpr const char* kFontFamily = "DejaVu Sans";

// Scale bar: room it may take and where it sits.
constexpr double kScaleBarMaxPixels = 120.0;
constexpr double kScaleBarInset = 10.0;
constexpr double kScaleBarFontSize = 11.0;

// Caption band: font weight, size and line height of each style, and padding.
struct LineLook
{
    cairo_font_weight_t weight;
    double fontSize;
    double lineHeight;
};
constexpr double kCaptionPadding = 8.0;

LineLook LookOf(CaptionLine::Style style)
{
    switch (style)
    {
    case CaptionLine::Style::Banner:
        return {CAIRO_FONT_WEIGHT_BOLD, 21.0, 26.0};
    case CaptionLine::Style::Names:
        return {CAIRO_FONT_WEIGHT_BOLD, 16.0, 20.0};
    case CaptionLine::Style::Plain:
        break;
    }
    return {CAIRO_FONT_WEIGHT_NORMAL, 13.0, 17.0};
}

// Vehicle marker: radius of its disc.
constexpr double kVehicleRadius = 11.0;

// Cairo's toy font faces keep fontconfig patterns in caches that live until
// the process ends, which leak checkers report as lost. The first text drawn
// arranges for both libraries to drop their caches at exit; no Cairo object
// of the map view outlives a rendering, so nothing uses them afterwards.
void ReleaseFontCaches()
{
    cairo_debug_reset_static_data();
    FcFini();
}

// Dark ink for text and the bar, a translucent white to lift it off the map.
void SetInk(cairo_t* cr)
{
    cairo_set_source_rgb(cr, 0.17, 0.17, 0.17);
}

void SetHalo(cairo_t* cr, double opacity)
{
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, opacity);
}

// The longest prefix of `text`, cut at a UTF-8 character boundary, that with
// an ellipsis fits `maxWidth` in the current font; `text` itself when it fits.
std::string FitText(cairo_t* cr, const std::string& text, double maxWidth)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    if (extents.x_advance <= maxWidth)
        return text;
    std::string cut = text;
    while (!cut.empty())
    {
        // Drop one character: continuation bytes (10xxxxxx), then its lead byte.
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0u) == 0x80u)
            cut.pop_back();
        if (!cut.empty())
            cut.pop_back();
        std::string candidate = cut + "\xE2\x80\xA6"; // U+2026 HORIZONTAL ELLIPSIS
        cairo_text_extents(cr, candidate.c_str(), &extents);
        if (extents.x_advance <= maxWidth)
            return candidate;
    }
    return {};
}

void ShowLine(cairo_t* cr, const std::string& text, double x, double baseline, double maxWidth)
{
    std::string shown = FitText(cr, text, maxWidth);
    if (shown.empty())
        return;
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, shown.c_str());
}

} // namespace

void SelectFont(cairo_t* cr, cairo_font_weight_t weight, double size)
{
    static const bool releaseAtExit = std::atexit(ReleaseFontCaches) == 0;
    (void)releaseAtExit;
    cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, weight);
    cairo_set_font_size(cr, size);
}

double ScaleBarMetres(double metresPerPixel, double maxPixels)
{
    if (!(metresPerPixel > 0.0) || !(maxPixels > 0.0) || !std::isfinite(metresPerPixel) ||
        !std::isfinite(maxPixels))
        return 0.0;
    double span = metresPerPixel * maxPixels;
    double power = std::pow(10.0, std::floor(std::log10(span)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= span)
            return step * power;
    return power; // not reached: power <= span
}

std::string ScaleBarLabel(double metres)
{
    char text[32]; // %g writes at most 13 characters
    if (metres >= 1000.0)
        (void)std::snprintf(text, sizeof text, "%g km", metres / 1000.0);
    else
        (void)std::snprintf(text, sizeof text, "%g m", metres);
    return text;
}

void PaintCredit(cairo_t* cr, const MapViewport& viewport, const std::string& credit)
{
    if (credit.empty())
        return;
    constexpr double kFontSize = 10.0;
    constexpr double kPadding = 3.0;
    cairo_save(cr);
    SelectFont(cr, CAIRO_FONT_WEIGHT_NORMAL, kFontSize);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, credit.c_str(), &extents);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    const double boxWidth = extents.x_advance + 2.0 * kPadding;
    const double boxHeight = font.ascent + font.descent + 2.0 * kPadding;
    const double left = viewport.width - boxWidth;
    const double top = viewport.height - boxHeight;
    cairo_rectangle(cr, left, top, boxWidth, boxHeight);
    SetHalo(cr, 0.75);
    cairo_fill(cr);
    cairo_move_to(cr, left + kPadding, top + kPadding + font.ascent);
    cairo_set_source_rgb(cr, 0x3A / 255.0, 0x3A / 255.0, 0x3A / 255.0);
    cairo_show_text(cr, credit.c_str());
    cairo_restore(cr);
}

void PaintScaleBar(cairo_t* cr, const MapViewport& viewport)
{
    double metresPerPixel = MetresPerPixel(viewport);
    double maxPixels = std::min(kScaleBarMaxPixels, viewport.width - 2.0 * kScaleBarInset);
    double metres = ScaleBarMetres(metresPerPixel, maxPixels);
    if (metres <= 0.0)
        return;
    double length = metres / metresPerPixel;
    std::string label = ScaleBarLabel(metres);

    cairo_save(cr);
    SelectFont(cr, CAIRO_FONT_WEIGHT_NORMAL, kScaleBarFontSize);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, label.c_str(), &extents);

    double left = kScaleBarInset;
    double bottom = viewport.height - kScaleBarInset;
    double barY = bottom - 3.0;
    double textBaseline = barY - 6.0;
    double boxWidth = std::max(length, extents.x_advance) + 8.0;
    double boxHeight = kScaleBarFontSize + 14.0;

    cairo_rectangle(cr, left - 4.0, bottom - boxHeight, boxWidth, boxHeight);
    SetHalo(cr, 0.75);
    cairo_fill(cr);

    // The bar with a tick at each end, like a ruler.
    cairo_move_to(cr, left, barY - 5.0);
    cairo_line_to(cr, left, barY);
    cairo_line_to(cr, left + length, barY);
    cairo_line_to(cr, left + length, barY - 5.0);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    SetInk(cr);
    cairo_stroke(cr);

    cairo_move_to(cr, left + 2.0, textBaseline);
    cairo_show_text(cr, label.c_str());
    cairo_restore(cr);
}

void PaintVehicleMarker(cairo_t* cr, const MapViewport& viewport, const tagLonLat& position,
                        double headingDegrees)
{
    const PixelPoint at = Project(viewport, position);
    if (!std::isfinite(at.x) || !std::isfinite(at.y) || !std::isfinite(headingDegrees))
        return;
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_arc(cr, 0.0, 0.0, kVehicleRadius, 0.0, 2.0 * geodesy::kPi);
    SetHalo(cr, 0.95);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // The arrow drawn pointing up, then turned to the heading on the image.
    cairo_rotate(cr, geodesy::Radians(headingDegrees - viewport.bearing));
    const double r = kVehicleRadius * 0.75;
    cairo_move_to(cr, 0.0, -r);
    cairo_line_to(cr, 0.72 * r, 0.72 * r);
    cairo_line_to(cr, 0.0, 0.36 * r);
    cairo_line_to(cr, -0.72 * r, 0.72 * r);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.10, 0.45, 0.91);
    cairo_fill(cr);
    cairo_restore(cr);
}

double CaptionBandHeight(const std::vector<CaptionLine>& lines)
{
    if (lines.empty())
        return 0.0;
    double height = 2.0 * kCaptionPadding;
    for (const CaptionLine& line : lines)
        height += LookOf(line.style).lineHeight;
    return height;
}

void PaintCaption(cairo_t* cr, const MapViewport& viewport, const std::vector<CaptionLine>& lines)
{
    double height = CaptionBandHeight(lines);
    if (height <= 0.0)
        return;
    cairo_save(cr);
    cairo_rectangle(cr, 0.0, 0.0, viewport.width, height);
    SetHalo(cr, 0.9);
    cairo_fill(cr);
    cairo_move_to(cr, 0.0, height - 0.5);
    cairo_line_to(cr, viewport.width, height - 0.5);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
    cairo_stroke(cr);

    SetInk(cr);
    double maxWidth = viewport.width - 2.0 * kCaptionPadding;
    double top = kCaptionPadding;
    for (const CaptionLine& line : lines)
    {
        const LineLook look = LookOf(line.style);
        SelectFont(cr, look.weight, look.fontSize);
        // Baselines sit about a fifth of the line height above its bottom.
        ShowLine(cr, line.text, kCaptionPadding, top + look.lineHeight * 0.8, maxWidth);
        top += look.lineHeight;
    }
    cairo_restore(cr);
}

} // namespace refhost::mapview
