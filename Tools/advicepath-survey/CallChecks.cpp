#include "CallChecks.h"

#include <string>

namespace survey
{

namespace
{

// The rank of each kind of call in one Draw; a call may not come after one
// of a higher rank.
int Rank(char call)
{
    switch (call)
    {
    case 'R':
        return 0;
    case 'r':
        return 1;
    case 'B':
        return 2;
    case 'O':
        return 3;
    case 'b':
        return 4;
    case 'P':
        return 5;
    default:
        return -1;
    }
}

const char* Name(char call)
{
    switch (call)
    {
    case 'R':
        return "a route line border";
    case 'r':
        return "a route line fill";
    case 'B':
        return "a band border";
    case 'O':
        return "the arrow's outline";
    case 'b':
        return "a band fill";
    default:
        return "the arrow's fill";
    }
}

Finding Widths(const std::vector<DrawnLine>& lines, int32_t width, const char* what)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].width != width)
            return {std::string(what) + " " + std::to_string(i + 1) + " is drawn " +
                    std::to_string(lines[i].width) + " wide, the size record says " +
                    std::to_string(width)};
    return {};
}

int32_t Low16(int width)
{
    return static_cast<int32_t>(static_cast<unsigned int>(width) & 0xFFFFU);
}

} // namespace

Finding CheckCalls(const DrawnFrame& frame, const AdvicePathSizeSetting& size,
                   const AdvicePathClrSetting& colours)
{
    if (!frame.unexpected.empty())
        return {"a call the map view's header does not document: " + frame.unexpected.front()};
    int last = -1;
    for (std::size_t i = 0; i < frame.calls.size(); ++i)
    {
        const int rank = Rank(frame.calls[i]);
        if (rank < last || (rank == last && (rank == 3 || rank == 5)))
            return {std::string(Name(frame.calls[i])) + " comes after " + Name(frame.calls[i - 1]) +
                    " (call " + std::to_string(i + 1) + ")"};
        last = rank;
    }
    const bool turn = !frame.bandBorder.empty() || !frame.bandFill.empty() ||
                      frame.arrowOutline.has_value() || frame.arrowFill.has_value();
    if (turn && (frame.bandBorder.size() != frame.bandFill.size() || !frame.arrowOutline ||
                 !frame.arrowFill))
        return {"the turn is drawn without all four of its passes"};
    for (const Finding& finding :
         {Widths(frame.routeBorder, Low16(size.m_PathBorderWidth), "route line border"),
          Widths(frame.routeFill, Low16(size.m_PathWidth), "route line fill"),
          Widths(frame.bandBorder, size.m_EdgeBorderWidth, "band border"),
          Widths(frame.bandFill, size.m_EdgeWidth, "band fill")})
        if (!finding.Passed())
            return finding;
    if (frame.arrowOutline &&
        (frame.arrowOutlineThird != size.m_ArrowBorderParam ||
         frame.arrowOutlineFifth != static_cast<int32_t>(colours.m_ArrowBorderClr)))
        return {"the arrow's outline is drawn with " + std::to_string(frame.arrowOutlineThird) +
                ", the size record says " + std::to_string(size.m_ArrowBorderParam)};
    if (frame.arrowFill && (frame.arrowFillThird != size.m_ArrowFillParam ||
                            frame.arrowFillFifth != static_cast<int32_t>(colours.m_ArrowClr)))
        return {"the arrow's fill is drawn with " + std::to_string(frame.arrowFillThird) +
                ", the size record says " + std::to_string(size.m_ArrowFillParam)};
    return {};
}

} // namespace survey
