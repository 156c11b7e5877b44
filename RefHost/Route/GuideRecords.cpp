#include "GuideRecords.h"

#include <cstring>

namespace refhost::route_detail
{

void CopyName(const std::string& text, char* field, size_t capacity)
{
    if (capacity == 0)
        return;
    size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    if (length < text.size())
    {
        // Cut before a continuation byte would leave half a character.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0u) == 0x80u)
            --length;
    }
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

void WriteGuide(const RouteData& route, size_t link, size_t rangeBegin, size_t rangeEnd,
                PathGuid& guide)
{
    const ModelLink& source = route.links[link];
    std::memset(&guide, 0, sizeof(guide));
    guide.m_FirstHead[0] = static_cast<uint32_t>(link);
    guide.m_FirstHead[1] = route.identity;
    guide.m_FirstHead[2] = static_cast<uint32_t>(rangeBegin);
    guide.m_FirstHead[3] = static_cast<uint32_t>(rangeEnd);
    CopyName(source.name, guide.m_FirstName, sizeof(guide.m_FirstName));
    guide.m_FirstAttr1 = source.attr1;
    guide.m_FirstAttr2 = source.attr2;
    guide.m_FirstCount = static_cast<uint16_t>(source.points.size());
    // The library only reads through this pointer; the array is never changed
    // after the route is built.
    guide.mp_FirstPoints = const_cast<tagLonLat*>(source.points.data());
    guide.m_GuideLength = source.length;
    guide.m_GuidePoint = source.points.back();
}

GuideHead ReadGuideHead(const PathGuid& guide)
{
    GuideHead head;
    head.link = guide.m_FirstHead[0];
    head.identity = guide.m_FirstHead[1];
    head.rangeBegin = guide.m_FirstHead[2];
    head.rangeEnd = guide.m_FirstHead[3];
    return head;
}

} // namespace refhost::route_detail
