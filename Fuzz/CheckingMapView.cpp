#include "CheckingMapView.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstring>

namespace apfuzz
{

namespace
{
uint16_t Low16(int value)
{
    return static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
}

// The same double, NaNs included: the red line hands the route's points on
// unchanged.
uint64_t Bits(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

bool SameBits(const tagLonLat& a, const tagLonLat& b)
{
    return Bits(a.lon) == Bits(b.lon) && Bits(a.lat) == Bits(b.lat);
}
} // namespace

void CheckingMapView::Expect(const DrawExpectation& expectation)
{
    m_expect = expectation;
    lines = 0;
    polygons = 0;
}

void CheckingMapView::Forbid()
{
    m_expect = DrawExpectation();
    lines = 0;
    polygons = 0;
}

void CheckingMapView::Touch(const tagLonLat* points, int32_t count) const
{
    FUZZ_CHECK(count >= 0, "%s: negative count %d", m_name, count);
    FUZZ_CHECK(count == 0 || points != nullptr, "%s: %d points at null", m_name, count);
    volatile double sink = 0.0;
    for (int32_t i = 0; i < count; ++i)
        sink = sink + points[i].lon + points[i].lat;
    (void)sink;
}

bool CheckingMapView::IsRouteLine(const tagLonLat* points, int32_t count, uint32_t colour,
                                  int32_t fifth) const
{
    if (m_expect.routeEdges.count(std::make_pair(points, count)) == 0)
        return false;
    const bool border =
        colour == m_expect.pathBorderClr && fifth == Low16(m_expect.record.pathBorderWidth);
    const bool fill = colour == m_expect.pathClr && fifth == Low16(m_expect.record.pathWidth);
    return border || fill;
}

bool CheckingMapView::IsBandLine(uint32_t colour, int32_t fifth) const
{
    if (!m_expect.turn)
        return false;
    const bool border =
        colour == m_expect.arrowBorderClr && fifth == m_expect.record.edgeBorderWidth;
    const bool fill = colour == m_expect.arrowClr && fifth == m_expect.record.edgeWidth;
    return border || fill;
}

bool CheckingMapView::IsArrowOutline(int32_t count, int32_t third, uint32_t colour,
                                     int32_t fifth) const
{
    return m_expect.turn && count == 3 && third == m_expect.record.arrowBorderParam &&
           colour == m_expect.arrowBorderClr &&
           fifth == static_cast<int32_t>(m_expect.arrowBorderClr);
}

bool CheckingMapView::IsRedLine(const tagLonLat* points, int32_t count, uint32_t colour,
                                int32_t fifth) const
{
    return m_expect.redLine && colour == 255u && fifth == 2 && (count == 2 || count == 11) &&
           SameBits(points[0], m_expect.redFrom) && SameBits(points[count - 1], m_expect.redTo);
}

int CheckingMapView::DrawLine(const tagLonLat* points, int32_t count, int32_t third,
                              uint32_t colour, int32_t fifth)
{
    FUZZ_CHECK(m_expect.allowed, "%s: DrawLine(count %d) where nothing may be drawn", m_name,
               count);
    Touch(points, count);
    ++lines;
    bool known = IsArrowOutline(count, third, colour, fifth);
    if (third == 0)
    {
        known = known || IsRouteLine(points, count, colour, fifth) || IsBandLine(colour, fifth) ||
                (count > 0 && IsRedLine(points, count, colour, fifth));
    }
    FUZZ_CHECK(known,
               "%s: DrawLine(count %d, third %d, colour 0x%08X, fifth %d) matches no drawing of "
               "the record in force (path %d/%d, edge %d/%d, arrow %d/%d) turn %d red %d",
               m_name, count, third, colour, fifth, m_expect.record.pathWidth,
               m_expect.record.pathBorderWidth, m_expect.record.edgeWidth,
               m_expect.record.edgeBorderWidth, m_expect.record.arrowFillParam,
               m_expect.record.arrowBorderParam, m_expect.turn ? 1 : 0, m_expect.redLine ? 1 : 0);
    return 1;
}

int CheckingMapView::DrawPolygon(const tagLonLat* points, int32_t count, int32_t third,
                                 uint32_t colour, int32_t fifth)
{
    FUZZ_CHECK(m_expect.allowed && m_expect.turn,
               "%s: DrawPolygon where no arrow head may be drawn", m_name);
    FUZZ_CHECK(count == 3, "%s: a polygon of %d points", m_name, count);
    Touch(points, count);
    ++polygons;
    FUZZ_CHECK(polygons == 1, "%s: %d arrow heads in one Draw", m_name, polygons);
    FUZZ_CHECK(third == m_expect.record.arrowFillParam && colour == m_expect.arrowClr &&
                   fifth == static_cast<int32_t>(m_expect.arrowClr),
               "%s: DrawPolygon(third %d, colour 0x%08X, fifth %d), expected (%d, 0x%08X)", m_name,
               third, colour, fifth, m_expect.record.arrowFillParam, m_expect.arrowClr);
    return 1;
}

} // namespace apfuzz
