// A map view that draws nothing and keeps what the library hands it in one
// Draw, sorted by what it is: the route line's edges, the band's lines and
// the arrow head. The colours the survey sets tell them apart (SurveyColours);
// its scale follows the viewport the drive sets, as the reference map view's
// does (Support/ViewportScale.h).
#ifndef TOOLS_SURVEY_DRAWRECORDER_H
#define TOOLS_SURVEY_DRAWRECORDER_H

#include "AdvicePathRenderEx.h"
#include "MapView/WebMercator.h"
#include "Support/ViewportScale.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace survey
{

// Four colours no two alike, so that every call says what it draws.
AdvicePathClrSetting SurveyColours();

// One polyline as handed over: its points copied, and the array it came in
// (the route line's edges are the route model's own arrays, but for the
// first, which starts at the vehicle).
struct DrawnLine
{
    std::vector<tagLonLat> points;
    const tagLonLat* array = nullptr;
    int32_t width = 0;
};

// What one Draw drew.
struct DrawnFrame
{
    int level = -1; // ScaleToLevel's answer; -1 before it was asked
    std::vector<DrawnLine> routeBorder;
    std::vector<DrawnLine> routeFill;
    std::vector<DrawnLine> bandBorder; // m_EdgeBorderWidth
    std::vector<DrawnLine> bandFill;   // m_EdgeWidth
    std::optional<std::array<tagLonLat, 3>> arrowOutline;
    std::optional<std::array<tagLonLat, 3>> arrowFill; // tip, right corner, left corner
    std::vector<std::string> unexpected;               // calls of no known kind
    // The arrow calls' third and fifth arguments.
    int32_t arrowOutlineThird = 0;
    int32_t arrowOutlineFifth = 0;
    int32_t arrowFillThird = 0;
    int32_t arrowFillFifth = 0;
    // Every call in order, one letter each: R and r the route line's border
    // and fill, B and b the band's, O the arrow's outline, P its fill, ? a
    // call of no known kind.
    std::string calls;

    bool HasTurn() const { return !bandFill.empty() || arrowFill.has_value(); }
};

class DrawRecorder : public aptest::FollowingViewport<aptest::MapViewDouble>
{
public:
    // The colours' class has assignment only.
    explicit DrawRecorder(const AdvicePathClrSetting& colours) { m_colours = colours; }

    // Forgets the last frame's calls.
    void StartFrame() { m_frame = DrawnFrame(); }
    const DrawnFrame& Frame() const { return m_frame; }

    int DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                 int32_t fifth) override;
    int DrawPolygon(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                    int32_t fifth) override;
    int32_t ScaleToLevel(int64_t value) override;

private:
    AdvicePathClrSetting m_colours;
    DrawnFrame m_frame;
};

} // namespace survey

#endif
