#include "DrawRecorder.h"

namespace survey
{

namespace
{

std::vector<tagLonLat> Copy(const tagLonLat* points, int32_t count)
{
    if (points == nullptr || count <= 0)
        return {};
    return {points, points + count};
}

std::optional<std::array<tagLonLat, 3>> Triangle(const tagLonLat* points, int32_t count)
{
    if (points == nullptr || count != 3)
        return std::nullopt;
    return {{points[0], points[1], points[2]}};
}

std::string Describe(const char* call, int32_t count, int32_t third, uint32_t colour, int32_t fifth)
{
    return std::string(call) + "(" + std::to_string(count) + " points, " + std::to_string(third) +
           ", colour " + std::to_string(colour) + ", " + std::to_string(fifth) + ")";
}

} // namespace

AdvicePathClrSetting SurveyColours()
{
    return {0x00C08040, 0x00603010, 0x00F0F0F0, 0x00101010};
}

int DrawRecorder::DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                           int32_t fifth)
{
    DrawnLine line{Copy(points, count), points, fifth};
    char call = '?';
    if (third != 0 && colour == m_colours.m_ArrowBorderClr && count == 3)
    {
        m_frame.arrowOutline = Triangle(points, count);
        m_frame.arrowOutlineThird = third;
        m_frame.arrowOutlineFifth = fifth;
        call = 'O';
    }
    else if (third == 0 && colour == m_colours.m_PathBorderClr)
    {
        m_frame.routeBorder.push_back(std::move(line));
        call = 'R';
    }
    else if (third == 0 && colour == m_colours.m_PathClr)
    {
        m_frame.routeFill.push_back(std::move(line));
        call = 'r';
    }
    else if (third == 0 && colour == m_colours.m_ArrowBorderClr)
    {
        m_frame.bandBorder.push_back(std::move(line));
        call = 'B';
    }
    else if (third == 0 && colour == m_colours.m_ArrowClr)
    {
        m_frame.bandFill.push_back(std::move(line));
        call = 'b';
    }
    else
    {
        m_frame.unexpected.push_back(Describe("DrawLine", count, third, colour, fifth));
    }
    m_frame.calls += call;
    return 1;
}

int DrawRecorder::DrawPolygon(const tagLonLat* points, int32_t count, int32_t third,
                              uint32_t colour, int32_t fifth)
{
    if (colour == m_colours.m_ArrowClr && count == 3)
    {
        m_frame.arrowFill = Triangle(points, count);
        m_frame.arrowFillThird = third;
        m_frame.arrowFillFifth = fifth;
        m_frame.calls += 'P';
    }
    else
    {
        m_frame.unexpected.push_back(Describe("DrawPolygon", count, third, colour, fifth));
        m_frame.calls += '?';
    }
    return 1;
}

int32_t DrawRecorder::ScaleToLevel(int64_t value)
{
    m_frame.level = MapViewDouble::ScaleToLevel(value);
    return m_frame.level;
}

} // namespace survey
