#include "RoadLabels.h"

#include "Geodesy/Angles.h"

#include "MapView/MapDecorations.h"
#include "MapView/MapPainter.h"
#include "RoadStyle.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace roadmap
{

namespace
{

using refhost::PixelPoint;
using refhost::mapview::ClipBox;
using refhost::mapview::PixelLine;

// Room kept free at the picture's edges and at both ends of a name.
constexpr double kEdgeInset = 4.0;
constexpr double kEndRoom = 12.0;
// The largest turn of the line between neighbouring letters, radians.
constexpr double kMaxLetterTurn = 0.45;
// A name is not written again closer than this to where it stands already.
constexpr double kSameNameSpacing = 180.0;

struct Letter
{
    std::string text;
    double advance = 0.0;
};

struct Box
{
    double minX, minY, maxX, maxY;
    bool Overlaps(const Box& other) const
    {
        return minX < other.maxX && other.minX < maxX && minY < other.maxY && other.minY < maxY;
    }
};

struct Placed
{
    const std::string* text;
    PixelPoint centre;
    Box box;
};

double Distance(const PixelPoint& a, const PixelPoint& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

double LengthOf(const PixelLine& line)
{
    double length = 0.0;
    for (std::size_t i = 1; i < line.size(); ++i)
        length += Distance(line[i - 1], line[i]);
    return length;
}

// The point `distance` along `line` and the direction of the line there.
void PointAlong(const PixelLine& line, double distance, PixelPoint& point, double& angle)
{
    for (std::size_t i = 1; i < line.size(); ++i)
    {
        const double step = Distance(line[i - 1], line[i]);
        if (distance <= step || i + 1 == line.size())
        {
            const double t = step > 0.0 ? std::min(1.0, distance / step) : 0.0;
            point = {line[i - 1].x + t * (line[i].x - line[i - 1].x),
                     line[i - 1].y + t * (line[i].y - line[i - 1].y)};
            angle = std::atan2(line[i].y - line[i - 1].y, line[i].x - line[i - 1].x);
            return;
        }
        distance -= step;
    }
    point = line.empty() ? PixelPoint{0.0, 0.0} : line.front();
    angle = 0.0;
}

double TurnBetween(double a, double b)
{
    return std::fabs(std::remainder(b - a, 2.0 * refhost::geodesy::kPi));
}

// The longest stretch of `pieces` inside the picture less its edge inset.
PixelLine LongestStretch(const std::vector<PixelLine>& pieces, const ClipBox& inside)
{
    PixelLine longest;
    double longestLength = 0.0;
    for (const PixelLine& piece : pieces)
        for (PixelLine& stretch : refhost::mapview::ClipPolyline(piece, inside))
        {
            const double length = LengthOf(stretch);
            if (length > longestLength)
            {
                longestLength = length;
                longest = std::move(stretch);
            }
        }
    return longest;
}

// Where each letter of a name `total` wide goes, centred on `line` (which is
// turned round when it runs right to left); false when it does not fit or
// bends too much.
bool PlaceLetters(PixelLine& line, const std::vector<Letter>& letters, double total,
                  std::vector<PixelPoint>& points, std::vector<double>& angles)
{
    const double length = LengthOf(line);
    if (length < total + 2.0 * kEndRoom)
        return false;
    const double start = (length - total) / 2.0;
    PixelPoint first{};
    PixelPoint last{};
    double angle = 0.0;
    PointAlong(line, start, first, angle);
    PointAlong(line, start + total, last, angle);
    if (last.x < first.x)
        std::reverse(line.begin(), line.end());

    points.clear();
    angles.clear();
    double offset = start;
    for (const Letter& letter : letters)
    {
        PixelPoint point{};
        PointAlong(line, offset + letter.advance / 2.0, point, angle);
        if (!angles.empty() && TurnBetween(angles.back(), angle) > kMaxLetterTurn)
            return false;
        points.push_back(point);
        angles.push_back(angle);
        offset += letter.advance;
    }
    return true;
}

Box BoxAround(const std::vector<PixelPoint>& points, double room)
{
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const PixelPoint& point : points)
    {
        box.minX = std::min(box.minX, point.x);
        box.minY = std::min(box.minY, point.y);
        box.maxX = std::max(box.maxX, point.x);
        box.maxY = std::max(box.maxY, point.y);
    }
    return {box.minX - room, box.minY - room, box.maxX + room, box.maxY + room};
}

bool IsFree(const std::vector<Placed>& placed, const std::string& text, const PixelPoint& centre,
            const Box& box)
{
    return std::none_of(placed.begin(), placed.end(),
                        [&](const Placed& other)
                        {
                            return other.box.Overlaps(box) ||
                                   (*other.text == text &&
                                    Distance(other.centre, centre) < kSameNameSpacing);
                        });
}

// A letter where a label puts it: its centre on the line, turned along it.
struct PlacedLetter
{
    Letter letter;
    PixelPoint centre;
    double angle;
};

// The advances and outlines of the letters of the current font, each taken
// from Cairo once. The outlines are taken at the origin, unturned: taking them
// turned would make Cairo load a font for every angle.
class LetterShapes
{
public:
    explicit LetterShapes(cairo_t* cr) : m_cr(cr), m_font(cairo_get_scaled_font(cr)) {}
    ~LetterShapes()
    {
        for (auto& [text, path] : m_paths)
            cairo_path_destroy(path);
    }
    LetterShapes(const LetterShapes&) = delete;
    LetterShapes& operator=(const LetterShapes&) = delete;

    // The UTF-8 characters of `text` with their advances; `total` their sum.
    std::vector<Letter> LettersOf(const std::string& text, double& total)
    {
        std::vector<Letter> letters;
        total = 0.0;
        for (std::size_t i = 0; i < text.size();)
        {
            std::size_t next = i + 1;
            while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0u) == 0x80u)
                ++next;
            Letter letter{text.substr(i, next - i), Advance(text.substr(i, next - i))};
            total += letter.advance;
            letters.push_back(std::move(letter));
            i = next;
        }
        return letters;
    }

    // Takes the outline of `text` (the current path is cleared).
    void Load(const std::string& text)
    {
        if (m_paths.count(text) != 0)
            return;
        cairo_new_path(m_cr);
        cairo_move_to(m_cr, 0.0, 0.0);
        cairo_text_path(m_cr, text.c_str());
        m_paths[text] = cairo_copy_path(m_cr);
        cairo_new_path(m_cr);
    }

    // Appends the outline of `placed` (loaded before) to the current path,
    // moved and turned into place; `baseline` lowers it so that the letter's
    // middle runs along the line.
    void Append(const PlacedLetter& placed, double baseline) const
    {
        const cairo_path_t* path = m_paths.at(placed.letter.text);
        const double c = std::cos(placed.angle);
        const double s = std::sin(placed.angle);
        const double shiftX = -placed.letter.advance / 2.0;
        auto point = [&](const cairo_path_data_t& data, double& x, double& y)
        {
            const double px = data.point.x + shiftX;
            const double py = data.point.y + baseline;
            x = placed.centre.x + px * c - py * s;
            y = placed.centre.y + px * s + py * c;
        };
        double x[3] = {};
        double y[3] = {};
        for (int i = 0; i < path->num_data; i += path->data[i].header.length)
        {
            const cairo_path_data_t* data = &path->data[i];
            switch (data->header.type)
            {
            case CAIRO_PATH_MOVE_TO:
                point(data[1], x[0], y[0]);
                cairo_move_to(m_cr, x[0], y[0]);
                break;
            case CAIRO_PATH_LINE_TO:
                point(data[1], x[0], y[0]);
                cairo_line_to(m_cr, x[0], y[0]);
                break;
            case CAIRO_PATH_CURVE_TO:
                for (int k = 0; k < 3; ++k)
                    point(data[k + 1], x[k], y[k]);
                cairo_curve_to(m_cr, x[0], y[0], x[1], y[1], x[2], y[2]);
                break;
            case CAIRO_PATH_CLOSE_PATH:
                cairo_close_path(m_cr);
                break;
            }
        }
    }

private:
    double Advance(const std::string& text)
    {
        auto found = m_advances.find(text);
        if (found != m_advances.end())
            return found->second;
        cairo_text_extents_t extents;
        cairo_scaled_font_text_extents(m_font, text.c_str(), &extents);
        m_advances.emplace(text, extents.x_advance);
        return extents.x_advance;
    }

    cairo_t* m_cr;
    cairo_scaled_font_t* m_font; // the context's, not ours to release
    std::map<std::string, double> m_advances;
    std::map<std::string, cairo_path_t*> m_paths;
};

} // namespace

void PaintRoadLabels(cairo_t* cr, double width, double height,
                     const std::vector<LabelledLine>& lines)
{
    cairo_save(cr);
    refhost::mapview::SelectFont(cr, CAIRO_FONT_WEIGHT_NORMAL, kNameFontSize);
    const ClipBox inside{kEdgeInset, kEdgeInset, width - kEdgeInset, height - kEdgeInset};
    std::vector<Placed> placed;
    std::vector<PixelPoint> points;
    std::vector<double> angles;
    std::vector<PlacedLetter> letters;
    LetterShapes shapes(cr);
    for (const LabelledLine& line : lines)
    {
        double total = 0.0;
        const std::vector<Letter> name = shapes.LettersOf(*line.text, total);
        if (name.empty())
            continue;
        PixelLine stretch = LongestStretch(*line.pieces, inside);
        if (!PlaceLetters(stretch, name, total, points, angles))
            continue;
        const PixelPoint centre = points[points.size() / 2];
        const Box box = BoxAround(points, kNameFontSize * 0.7);
        if (!IsFree(placed, *line.text, centre, box))
            continue;
        placed.push_back({line.text, centre, box});
        for (std::size_t i = 0; i < points.size(); ++i)
            letters.push_back({name[i], points[i], angles[i]});
    }

    for (const PlacedLetter& letter : letters)
        shapes.Load(letter.letter.text);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    const double baseline = (font.ascent - font.descent) / 2.0;
    cairo_new_path(cr);
    for (const PlacedLetter& letter : letters)
        shapes.Append(letter, baseline);
    refhost::mapview::SetSourceColour(cr, kNameColour);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace roadmap
