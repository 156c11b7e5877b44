#include "ScenarioText.h"

#include <sstream>

namespace apfuzz
{

namespace
{
const char* const kOpNames[OP_COUNT] = {"new",
                                        "close",
                                        "assign",
                                        "SetSize",
                                        "SetPath",
                                        "SetClr",
                                        "GetClr",
                                        "SetTurnInfo",
                                        "Draw",
                                        "Clear",
                                        "ClearBigArrow",
                                        "EnableDrawing",
                                        "EnableDrawRedLine",
                                        "SetDrawParm",
                                        "level",
                                        "fail allocations"};

std::string Point(const tagLonLat& p)
{
    std::ostringstream text;
    text.precision(17);
    text << "(" << p.lon << ", " << p.lat << ")";
    return text.str();
}

std::string Line(const std::vector<tagLonLat>& points)
{
    std::string text = "[";
    for (size_t i = 0; i < points.size(); ++i)
        text += (i ? " " : "") + Point(points[i]);
    return text + "]";
}

std::string Ref(const GuideRef& ref)
{
    std::ostringstream text;
    if (ref.kind == REF_ZERO)
        return "zeroes";
    text << "path " << ref.path << " guide " << ref.index;
    if (ref.kind == REF_MOVED)
        text << " at " << Point(ref.point);
    return text.str();
}

std::string Record(const SizeRecord& s)
{
    std::ostringstream text;
    text << "{path " << s.pathWidth << "/" << s.pathBorderWidth << " edge " << s.edgeWidth << "/"
         << s.edgeBorderWidth << " arrow params " << s.arrowFillParam << "/" << s.arrowBorderParam
         << " to " << s.toLength << " from " << s.fromLength << " tol " << s.lengthTolerance
         << " arrow " << s.arrowLength << "x" << s.arrowWidth << "}";
    return text.str();
}

void DescribeNew(std::ostream& text, const CallInput& op)
{
    text << (op.a == 0 ? " NewPathRender" : op.a == 1 ? " constructed" : " copy of ");
    if (op.a == 2)
        text << op.other;
    else
        text << " path " << op.path;
    if (op.a == 0)
        text << " view " << op.view;
}

void DescribeSetSize(std::ostream& text, const CallInput& op)
{
    text << (op.a == 0   ? " exact"
             : op.a == 1 ? " refused count"
                         : " null array")
         << " of " << op.sizes.size();
    if (op.a == 1)
        text << " passing " << kRefusedCounts[op.b];
    text << " maxTurnScale " << op.maxTurnScale;
    for (const SizeRecord& s : op.sizes)
        text << "\n      " << Record(s);
}

void DescribeFailAlloc(std::ostream& text, const CallInput& op)
{
    text << (op.a == 0 ? " none" : op.a == 1 ? " once, attempt " : " always, site ");
    if (op.a != 0)
        text << op.b;
}
} // namespace

std::string Describe(const CallInput& op)
{
    std::ostringstream text;
    text << (op.op >= 0 && op.op < OP_COUNT ? kOpNames[op.op] : "?");
    if (op.op != OP_SET_LEVEL && op.op != OP_FAIL_ALLOC)
        text << " [" << op.slot << "]";
    switch (op.op)
    {
    case OP_NEW:
        DescribeNew(text, op);
        break;
    case OP_ASSIGN:
        text << " = [" << op.other << "]";
        break;
    case OP_SET_SIZE:
        DescribeSetSize(text, op);
        break;
    case OP_SET_PATH:
        text << " path " << op.path;
        break;
    case OP_SET_CLR:
        text << std::hex << " " << op.colours[0] << " " << op.colours[1] << " " << op.colours[2]
             << " " << op.colours[3] << std::dec;
        break;
    case OP_SET_TURN:
        text << " type " << op.a << " path " << op.path;
        if (op.flag)
            text << " no guides";
        else
            text << " enter " << Ref(op.enter) << ", exit " << Ref(op.exit);
        break;
    case OP_DRAW:
        text << " path " << op.flag << " turn " << op.flag2;
        break;
    case OP_ENABLE_DRAWING:
    case OP_ENABLE_RED_LINE:
        text << " " << op.flag;
        break;
    case OP_SET_DRAW_PARM:
        text << " view " << op.view;
        break;
    case OP_SET_LEVEL:
        text << " view " << op.view << " = " << op.a;
        break;
    case OP_FAIL_ALLOC:
        DescribeFailAlloc(text, op);
        break;
    default:
        break;
    }
    return text.str();
}

std::string Describe(const Scenario& scenario)
{
    std::ostringstream text;
    text << "units per degree " << kUnitsPerDegreeChoices[scenario.unitsPerDegree]
         << ", default view " << scenario.defaultView << ", levels " << scenario.levelA << "/"
         << scenario.levelB << "\n";
    text << "origin " << (scenario.hasOrigin ? Point(scenario.origin) : "none") << ", destinations "
         << Line(scenario.destinations) << (scenario.failDestPoint ? " (GetDestPoint fails)" : "")
         << "\n";
    for (size_t p = 0; p < scenario.paths.size(); ++p)
    {
        const PathInput& path = scenario.paths[p];
        text << "path " << p << " flags " << path.flags << "\n";
        for (const std::vector<tagLonLat>& edge : path.edges)
            text << "  edge " << Line(edge) << "\n";
        for (size_t g = 0; g < path.guides.size(); ++g)
        {
            const GuideInput& guide = path.guides[g];
            text << "  guide " << g << " kind " << guide.kind;
            if (guide.kind != GUIDE_NO_POINTS)
                text << " " << Line(guide.points);
            if (guide.kind == GUIDE_LENGTH || guide.kind == GUIDE_NO_POINTS)
                text << " length " << guide.length;
            if (guide.kind == GUIDE_NO_POINTS || guide.kind == GUIDE_ELSEWHERE)
                text << " point " << Point(guide.guidePoint);
            text << "\n";
        }
    }
    for (const CallInput& op : scenario.ops)
        text << "  " << Describe(op) << "\n";
    return text.str();
}

} // namespace apfuzz
