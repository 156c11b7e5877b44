// Fuzz target of the library through its exported interface. Each input is a
// Scenario (LibraryScenario.h): the test host's paths, route and two map
// views, then up to 64 calls on up to four handles, with allocation failures
// wherever the input asks for them.
//
// Checked besides the sanitizers: every drawing call reaches the map view of
// the renderer that draws, during a Draw that may draw it, with readable
// points, a polygon of 3 points, and widths, colours and parameters of the one
// size record that the map view's level selects (so the size table is never
// read outside its elements, and the host's array is never kept); SetSize,
// SetPath, SetDrawParm, GetClr and NewPathRender answer what their
// documentation says for the state the input built; every log line is one of
// the library's log table, whole. LeakSanitizer checks that every input
// releases what it allocated.
#include "AdvicePathRenderEx.h"
#include "AllocationPlan.h"
#include "CheckingMapView.h"
#include "FuzzCheck.h"
#include "Library/LogLines.h"
#include "LibraryScenario.h"
#include "ScenarioChannels.h"
#include "ScenarioText.h"
#include "Support/TestHost.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace apfuzz
{
namespace
{

// What the fuzzer knows of one renderer, shared by the handles on it.
struct RendererModel
{
    bool inert = false;
    CMapService* view = nullptr;
    CNavPath* path = nullptr;
    std::vector<SizeRecord> table;
    int maxTurnScale = 30;
    AdvicePathClrSetting colours;
    bool drawing = true;
    bool redLine = false;
};

struct HandleSlot
{
    AdvicePathRenderEx* handle = nullptr;
    bool fromNewPathRender = false;
    std::shared_ptr<RendererModel> model;
};

bool Tracing()
{
    static const bool trace = std::getenv("LIBRARY_FUZZER_TRACE") != nullptr;
    return trace;
}

// The largest size table count whose byte size fits 32 bits.
const unsigned kMaxSizeCount = 97612893u;

class FuzzHost
{
public:
    explicit FuzzHost(const Scenario& scenario);
    ~FuzzHost();
    FuzzHost(const FuzzHost&) = delete;
    FuzzHost& operator=(const FuzzHost&) = delete;

    void Run(const CallInput& op);

private:
    void BuildPath(const PathInput& input);
    CNavPath* PathArg(int index) const;
    CMapService* ViewArg(int view);
    NavGuid Resolve(const GuideRef& ref) const;
    static void Release(HandleSlot& slot);
    void New(HandleSlot& slot, const CallInput& op);
    void SetSize(HandleSlot& slot, const CallInput& op);
    void Draw(HandleSlot& slot, const CallInput& op);
    DrawExpectation Expected(const RendererModel& model, int level, const CallInput& op) const;
    static void CheckLog();

    const Scenario& m_scenario;
    CheckingMapView m_viewA{"view A"};
    CheckingMapView m_viewB{"view B"};
    std::vector<std::unique_ptr<aptest::TestPath>> m_paths;
    // The (points, count) of every route-line edge each path hands out.
    std::vector<std::set<std::pair<const tagLonLat*, int32_t>>> m_pathEdges;
    HandleSlot m_slots[kSlots];
    AllocationPlan m_plan;
};

FuzzHost::FuzzHost(const Scenario& scenario) : m_scenario(scenario)
{
    aptest::ResetTestHost();
    aptest::GeodesyControl::UsePlanar(kUnitsPerDegreeChoices[scenario.unitsPerDegree]);
    m_viewA.level = scenario.levelA;
    m_viewB.level = scenario.levelB;
    aptest::MapCreateControl::DefaultMapView() = ViewArg(scenario.defaultView);
    if (scenario.hasOrigin)
        aptest::RouteControl::SetOrigin(scenario.origin);
    aptest::RouteControl::SetDestinations(scenario.destinations);
    aptest::RouteControl::FailDestPoint(scenario.failDestPoint);
    for (const PathInput& input : scenario.paths)
        BuildPath(input);
}

FuzzHost::~FuzzHost()
{
    m_plan.FailNone();
    for (HandleSlot& slot : m_slots)
        Release(slot);
    CheckLog();
    aptest::ResetTestHost();
}

void FuzzHost::BuildPath(const PathInput& input)
{
    std::unique_ptr<aptest::TestPath> path(new aptest::TestPath());
    for (const std::vector<tagLonLat>& edge : input.edges)
        path->AddEdge(edge);
    for (const GuideInput& guide : input.guides)
    {
        switch (guide.kind)
        {
        case GUIDE_LENGTH:
            path->AddGuide(guide.points).m_GuideLength = guide.length;
            break;
        case GUIDE_NO_POINTS:
            path->AddGuideWithoutPoints(guide.guidePoint, guide.length);
            break;
        case GUIDE_ELSEWHERE:
            path->AddGuide(guide.points).m_GuidePoint = guide.guidePoint;
            break;
        default:
            path->AddGuide(guide.points);
            break;
        }
    }
    std::set<std::pair<const tagLonLat*, int32_t>> edges;
    const bool skipFirst = (input.flags & PATH_FAIL_FIRST_EDGE) != 0;
    int index = 0;
    for (POSITION position = path->GetFirstPosition(); position != nullptr;
         position = path->GetNext(position), ++index)
    {
        unsigned short count = 0;
        tagLonLat* points = nullptr;
        // Every edge the path fills is drawn as filled, one without points too.
        if (path->GetEdge(position, count, points) != 0 && !(skipFirst && index == 0))
            edges.insert(std::make_pair(points, static_cast<int32_t>(count)));
    }
    path->failFirstPosition = (input.flags & PATH_FAIL_FIRST_POSITION) != 0;
    path->failGetGuid = (input.flags & PATH_FAIL_GET_GUID) != 0;
    if (skipFirst)
        path->failingEdges.insert(0);
    m_pathEdges.push_back(std::move(edges));
    m_paths.push_back(std::move(path));
}

CNavPath* FuzzHost::PathArg(int index) const
{
    if (index < 0 || m_paths.empty())
        return nullptr;
    return m_paths[static_cast<size_t>(index) % m_paths.size()].get();
}

CMapService* FuzzHost::ViewArg(int view)
{
    return view == 1   ? static_cast<CMapService*>(&m_viewA)
           : view == 2 ? static_cast<CMapService*>(&m_viewB)
                       : nullptr;
}

NavGuid FuzzHost::Resolve(const GuideRef& ref) const
{
    NavGuid guide;
    std::memset(static_cast<void*>(&guide), 0, sizeof(guide));
    if (ref.kind == REF_ZERO || m_paths.empty())
        return guide;
    const aptest::TestPath& path = *m_paths[static_cast<size_t>(ref.path) % m_paths.size()];
    if (path.GuideCount() == 0)
        return guide;
    guide = path.GuideAsNav(ref.index % path.GuideCount());
    if (ref.kind == REF_MOVED)
        guide.m_GuidePoint = ref.point;
    return guide;
}

void FuzzHost::Release(HandleSlot& slot)
{
    if (slot.handle == nullptr)
        return;
    if (slot.fromNewPathRender)
        FUZZ_CHECK(ClosePathRender(slot.handle), "ClosePathRender refused a handle it made");
    else
        delete slot.handle;
    slot = HandleSlot();
}

void FuzzHost::New(HandleSlot& slot, const CallInput& op)
{
    HandleSlot made;
    made.model = std::make_shared<RendererModel>();
    if (op.a == 2)
    {
        const HandleSlot& source = m_slots[op.other];
        if (source.handle == nullptr)
            return;
        made.handle = new AdvicePathRenderEx(*source.handle);
        made.model = source.model;
    }
    else if (op.a == 1)
    {
        made.handle = new AdvicePathRenderEx(PathArg(op.path));
        made.model->inert = m_plan.Refused(AP_ALLOC_RENDERER);
        made.model->view = aptest::MapCreateControl::DefaultMapView();
        made.model->path = PathArg(op.path);
    }
    else
    {
        made.handle = NewPathRender(PathArg(op.path), ViewArg(op.view));
        made.fromNewPathRender = true;
        if (m_plan.Refused(AP_ALLOC_HANDLE))
        {
            FUZZ_CHECK(made.handle == nullptr, "NewPathRender without memory gave a handle");
            return;
        }
        FUZZ_CHECK(made.handle != nullptr, "NewPathRender gave null with memory to spare");
        made.model->inert = m_plan.Refused(AP_ALLOC_RENDERER);
        made.model->view =
            op.view != 0 ? ViewArg(op.view) : aptest::MapCreateControl::DefaultMapView();
        made.model->path = PathArg(op.path);
    }
    AdvicePathClrSetting colours;
    FUZZ_CHECK(made.handle->GetClr(colours) == !made.model->inert,
               "GetClr of a new handle disagrees with its renderer allocation");
    Release(slot);
    slot = made;
}

void FuzzHost::SetSize(HandleSlot& slot, const CallInput& op)
{
    // The host's array is allocated to its exact size and freed right after
    // the call: a read past it or a kept pointer is an ASan report.
    const size_t records = op.sizes.size();
    std::unique_ptr<AdvicePathSizeSetting[]> array;
    int count = static_cast<int>(records);
    if (op.a != 2)
    {
        array = std::make_unique<AdvicePathSizeSetting[]>(records);
        if (records > 0)
            std::memcpy(static_cast<void*>(array.get()), op.sizes.data(),
                        records * sizeof(SizeRecord));
    }
    if (op.a == 1)
        count = kRefusedCounts[op.b];
    const int result = slot.handle->SetSize(array.get(), count, op.maxTurnScale);
    const bool accepted = !slot.model->inert && array != nullptr && count != 0 &&
                          static_cast<unsigned>(count) <= kMaxSizeCount &&
                          !m_plan.Refused(AP_ALLOC_SIZE_TABLE);
    FUZZ_CHECK(result == (accepted ? 1 : 0), "SetSize(count %d) answered %d, expected %d", count,
               result, accepted ? 1 : 0);
    if (accepted)
    {
        slot.model->table.assign(op.sizes.begin(), op.sizes.begin() + count);
        slot.model->maxTurnScale = op.maxTurnScale;
    }
}

void FuzzHost::Draw(HandleSlot& slot, const CallInput& op)
{
    m_viewA.Forbid();
    m_viewB.Forbid();
    const RendererModel& model = *slot.model;
    if (!model.inert && model.view != nullptr)
    {
        CheckingMapView& view = model.view == &m_viewA ? m_viewA : m_viewB;
        const int count = static_cast<int>(model.table.size());
        int level = view.level;
        if (level < count)
            level = (level < 0 && count > 0) ? 0 : level;
        else
            level = count > 5 ? 5 : count - 1;
        if (model.drawing && count > 0)
            view.Expect(Expected(model, level, op));
    }
    slot.handle->Draw(op.flag, op.flag2);
    if (Tracing())
        (void)std::fprintf(stderr,
                           "    drawn: view A %d lines %d polygons, view B %d lines %d polygons\n",
                           m_viewA.lines, m_viewA.polygons, m_viewB.lines, m_viewB.polygons);
    m_viewA.Forbid();
    m_viewB.Forbid();
}

// What a Draw of `op` on a drawing handle with a size table may draw at
// `level`.
DrawExpectation FuzzHost::Expected(const RendererModel& model, int level, const CallInput& op) const
{
    DrawExpectation expect;
    expect.allowed = true;
    expect.record = model.table[static_cast<size_t>(level)];
    expect.pathClr = model.colours.m_PathClr;
    expect.pathBorderClr = model.colours.m_PathBorderClr;
    expect.arrowClr = model.colours.m_ArrowClr;
    expect.arrowBorderClr = model.colours.m_ArrowBorderClr;
    if (op.flag && model.path != nullptr)
    {
        for (size_t p = 0; p < m_paths.size(); ++p)
        {
            if (m_paths[p].get() == model.path)
                expect.routeEdges = m_pathEdges[p];
        }
    }
    expect.turn = op.flag2 && level <= model.maxTurnScale;
    expect.redLine = model.redLine && m_scenario.hasOrigin && !m_scenario.destinations.empty() &&
                     !m_scenario.failDestPoint;
    if (expect.redLine)
    {
        expect.redFrom = m_scenario.origin;
        expect.redTo = m_scenario.destinations.front();
    }
    return expect;
}

void FuzzHost::Run(const CallInput& op)
{
    m_plan.BeginCall();
    if (op.op == OP_SET_LEVEL)
    {
        (op.view == 1 ? m_viewA : m_viewB).level = op.a;
        return;
    }
    if (op.op == OP_FAIL_ALLOC)
    {
        if (op.a == 1)
            m_plan.FailNth(op.b);
        else if (op.a == 2)
            m_plan.FailSite(op.b);
        else
            m_plan.FailNone();
        return;
    }
    HandleSlot& slot = m_slots[op.slot];
    if (op.op == OP_NEW)
    {
        New(slot, op);
        return;
    }
    if (slot.handle == nullptr)
        return;
    RendererModel& model = *slot.model;
    switch (op.op)
    {
    case OP_CLOSE:
        Release(slot);
        break;
    case OP_ASSIGN:
        if (m_slots[op.other].handle != nullptr)
        {
            *slot.handle = *m_slots[op.other].handle;
            slot.model = m_slots[op.other].model;
        }
        break;
    case OP_SET_SIZE:
        SetSize(slot, op);
        break;
    case OP_SET_PATH:
    {
        CNavPath* path = PathArg(op.path);
        const bool accepted = !model.inert && path != nullptr;
        FUZZ_CHECK(slot.handle->SetPath(path) == accepted, "SetPath answer");
        if (accepted)
            model.path = path;
        break;
    }
    case OP_SET_CLR:
    {
        AdvicePathClrSetting colours(op.colours[0], op.colours[1], op.colours[2], op.colours[3]);
        slot.handle->SetClr(colours);
        if (!model.inert)
            model.colours = colours;
        break;
    }
    case OP_GET_CLR:
    {
        AdvicePathClrSetting colours(1, 2, 3, 4);
        const bool answered = slot.handle->GetClr(colours);
        FUZZ_CHECK(answered == !model.inert, "GetClr answer");
        if (answered)
        {
            FUZZ_CHECK(colours.m_PathClr == model.colours.m_PathClr &&
                           colours.m_PathBorderClr == model.colours.m_PathBorderClr &&
                           colours.m_ArrowClr == model.colours.m_ArrowClr &&
                           colours.m_ArrowBorderClr == model.colours.m_ArrowBorderClr,
                       "GetClr gave other colours than were set");
        }
        break;
    }
    case OP_SET_TURN:
    {
        const CTurnInfo turn = op.flag ? CTurnInfo()
                                       : aptest::MakeTurnInfo(static_cast<NAV_TURN_TYPE_tag>(op.a),
                                                              Resolve(op.enter), Resolve(op.exit));
        slot.handle->SetTurnInfo(turn, PathArg(op.path));
        break;
    }
    case OP_DRAW:
        Draw(slot, op);
        break;
    case OP_CLEAR:
        slot.handle->Clear();
        if (!model.inert)
            model.path = nullptr;
        break;
    case OP_CLEAR_BIG_ARROW:
        slot.handle->ClearBigArrow();
        break;
    case OP_ENABLE_DRAWING:
        slot.handle->EnableDrawing(op.flag);
        model.drawing = op.flag;
        break;
    case OP_ENABLE_RED_LINE:
        slot.handle->EnableDrawRedLine(op.flag);
        model.redLine = op.flag;
        break;
    case OP_SET_DRAW_PARM:
        FUZZ_CHECK(slot.handle->SetDrawParm(ViewArg(op.view)) == !model.inert,
                   "SetDrawParm answer");
        model.view = ViewArg(op.view);
        break;
    default:
        break;
    }
}

void FuzzHost::CheckLog()
{
    for (const aptest::LogRecord& record : aptest::RecordingLog::Instance().Records())
    {
        FUZZ_CHECK(aptest::LoggedMessage(record) != AP_MSG_COUNT,
                   "log line of no table entry: %s %d %s:%d %s \"%s\"%s", record.category.c_str(),
                   record.level, record.file.c_str(), record.line, record.function.c_str(),
                   aptest::Escaped(record.text).c_str(), record.info ? " (log4cpp_Info)" : "");
    }
}

} // namespace
} // namespace apfuzz

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // The shared handle is built once, before any allocation can be made to
    // fail, so that no input leaves state behind for the next one.
    aptest::ResetTestHost();
    FUZZ_CHECK(!ClosePathRender(&GetAdvicePath()), "ClosePathRender accepted the shared handle");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    apfuzz::DecodeChannel channel(data, size);
    apfuzz::Scenario scenario;
    apfuzz::Serialize(channel, scenario);
    if (apfuzz::Tracing())
        (void)std::fprintf(stderr, "%s", apfuzz::Describe(scenario).c_str());

    apfuzz::FuzzHost host(scenario);
    for (const apfuzz::CallInput& op : scenario.ops)
    {
        if (apfuzz::Tracing())
            (void)std::fprintf(stderr, "  %s\n", apfuzz::Describe(op).c_str());
        host.Run(op);
    }
    return 0;
}
