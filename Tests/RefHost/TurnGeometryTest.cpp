// The turn drawn on real routes with the reference host: the band's entering
// part ends at the junction and measures the entering length, the leaving
// part starts there, the arrow's tip lies on the leaving road, and the arrow
// head is as wide and as long as the size record asks.
#include "AdvicePathRenderEx.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "Route/ActiveRoute.h"
#include "Route/RouteModel.h"
#include "RouteFiles/RouteFiles.h"
#include "Support/RecordingMapView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{

using aptest::DrawCall;
using refhost::RouteModel;

const int kFromLength = 100;
const int kToLength = 80;
const int kTolerance = 5;
const int kArrowLength = 20;
const int kArrowWidth = 8;
const unsigned kBorderColour = 0x000000AAu; // tells the band's calls apart
const unsigned kFillColour = 0x00BBBBBBu;

double Length(const tagLonLat& a, const tagLonLat& b)
{
    return refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
}

double PolylineLength(const std::vector<tagLonLat>& points)
{
    double total = 0.0;
    for (size_t i = 1; i < points.size(); ++i)
        total += Length(points[i - 1], points[i]);
    return total;
}

// Distance in metres from `p` to the polyline, through a local plane at `p`
// (fine for the few metres that matter here).
double DistanceToPolyline(const tagLonLat& p, const std::vector<tagLonLat>& line)
{
    double uLon = 0.0;
    double uLat = 0.0;
    refhost::geodesy::UnitDegree(p, uLon, uLat);
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = 1; i < line.size(); ++i)
    {
        double ax = (line[i - 1].lon - p.lon) / uLon;
        double ay = (line[i - 1].lat - p.lat) / uLat;
        double bx = (line[i].lon - p.lon) / uLon;
        double by = (line[i].lat - p.lat) / uLat;
        double dx = bx - ax;
        double dy = by - ay;
        double len2 = dx * dx + dy * dy;
        double t = len2 > 0.0 ? std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(ax + t * dx, ay + t * dy));
    }
    return best;
}

bool SamePoint(const tagLonLat& a, const tagLonLat& b)
{
    return std::fabs(a.lon - b.lon) < 3e-06 && std::fabs(a.lat - b.lat) < 3e-06;
}

struct DrawnTurn
{
    std::vector<std::vector<tagLonLat>> edges; // the band, in path order
    std::vector<tagLonLat> arrow;              // tip, right corner, left corner
};

class TurnGeometryTest : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        std::string path = std::string(AP_DATA_DIR) + "/routes/" + GetParam();
        refhost::RouteReadResult read = refhost::ReadRouteFile(path);
        ASSERT_TRUE(read.ok) << read.error;
        std::string error;
        model = RouteModel::FromDescription(read.route, error);
        ASSERT_TRUE(model) << error;
        refhost::SetActiveRoute(&*model);

        AdvicePathSizeSetting record;
        record.m_PathWidth = 10;
        record.m_PathBorderWidth = 14;
        record.m_EdgeWidth = 7;
        record.m_EdgeBorderWidth = 11;
        record.m_ArrowFillParam = 100;
        record.m_ArrowBorderParam = 2;
        record.m_ToLength = kToLength;
        record.m_FromLength = kFromLength;
        record.m_LengthTolerance = kTolerance;
        record.m_ArrowLength = kArrowLength;
        record.m_ArrowWidth = kArrowWidth;
        view.level = 0;
        render.SetDrawParm(&view);
        ASSERT_EQ(render.SetSize(&record, 1, 0), 1);
        render.SetClr(AdvicePathClrSetting(1, 2, kFillColour, kBorderColour));
    }
    void TearDown() override { refhost::SetActiveRoute(nullptr); }

    // Hands manoeuvre `m` over as a device does and draws the turn alone.
    DrawnTurn Draw(size_t m)
    {
        remaining = model->ViewForManeuver(m);
        render.SetTurnInfo(model->TurnInfoFor(m), &remaining);
        view.Reset();
        render.Draw(false, true);
        DrawnTurn turn;
        for (const DrawCall& call : view.calls)
        {
            if (call.IsLine() && call.third == 0 && call.colour == kBorderColour)
                turn.edges.push_back(call.points);
            if (call.IsPolygon())
                turn.arrow = call.points;
        }
        return turn;
    }

    std::optional<RouteModel> model;
    aptest::RecordingMapView view;
    AdvicePathRenderEx render;
    refhost::PathView remaining;
};

TEST_P(TurnGeometryTest, BandAndArrowFollowTheRoute)
{
    int checked = 0;
    for (size_t m = 0; m < model->ManeuverCount(); ++m)
    {
        const refhost::Maneuver& maneuver = model->ManeuverAt(m);
        if (maneuver.type == NAV_TURN_END)
            continue;
        SCOPED_TRACE("manoeuvre " + std::to_string(m + 1) + ": " + maneuver.instruction);
        DrawnTurn turn = Draw(m);
        ASSERT_GE(turn.edges.size(), 2u);
        ASSERT_EQ(turn.arrow.size(), 3u);

        // The entering part: the edges up to the one that ends where the
        // entering guide ends.
        const tagLonLat junction = model->LinkPoints(maneuver.enterLink).back();
        const tagLonLat leaving = model->LinkPoints(maneuver.exitLink).back();
        size_t entering = 0;
        while (entering < turn.edges.size() && !SamePoint(turn.edges[entering].back(), junction))
            ++entering;
        ASSERT_LT(entering, turn.edges.size()) << "no edge ends at the junction";
        double enteringLength = 0.0;
        for (size_t e = 0; e <= entering; ++e)
            enteringLength += PolylineLength(turn.edges[e]);
        double routeBefore =
            model->LinkStartDistance(maneuver.enterLink) + model->LinkLength(maneuver.enterLink);
        if (routeBefore > kFromLength + kTolerance + 1.0)
        {
            // Cut points lie on the quarter-degree direction: a few centimetres.
            EXPECT_NEAR(enteringLength, kFromLength, kTolerance + 0.1);
        }
        else
        {
            EXPECT_NEAR(enteringLength, routeBefore, 0.5) << "the whole road from the start";
        }

        // The leaving part starts where the leaving guide ends.
        size_t exitEdge = entering;
        while (exitEdge < turn.edges.size() && !SamePoint(turn.edges[exitEdge].back(), leaving))
            ++exitEdge;
        ASSERT_LT(exitEdge + 1, turn.edges.size()) << "nothing drawn after the junction";
        EXPECT_TRUE(SamePoint(turn.edges[exitEdge + 1].front(), leaving));

        // The arrow's tip lies on the road after the junction; where that road
        // ends sooner than the arrow (the route's end right after the turn),
        // the arrow points on beyond the road's last point.
        std::vector<tagLonLat> roadAfter;
        bool routeEnds = true;
        for (size_t link = maneuver.exitLink + 1; link < model->LinkCount(); ++link)
        {
            const std::vector<tagLonLat>& points = model->LinkPoints(link);
            roadAfter.insert(roadAfter.end(), points.begin(), points.end());
            if (PolylineLength(roadAfter) > 2.0 * (kToLength + 2 * kArrowLength))
            {
                routeEnds = false;
                break;
            }
        }
        if (routeEnds && PolylineLength(roadAfter) < kArrowLength)
            EXPECT_NEAR(Length(roadAfter.back(), turn.arrow[0]), kArrowLength, 0.01 * kArrowLength);
        else
            EXPECT_LT(DistanceToPolyline(turn.arrow[0], roadAfter), 0.5);

        // The base is 2 x width wide and the head is the arrow length long,
        // within the quarter-degree quantisation and the local scale.
        const tagLonLat& right = turn.arrow[1];
        const tagLonLat& left = turn.arrow[2];
        tagLonLat base{(right.lon + left.lon) / 2.0, (right.lat + left.lat) / 2.0};
        EXPECT_NEAR(Length(right, left), 2.0 * kArrowWidth, 0.02 * kArrowWidth);
        EXPECT_NEAR(Length(base, turn.arrow[0]), kArrowLength, 0.01 * kArrowLength);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(RealRoutes, TurnGeometryTest,
                         ::testing::Values("osrm-urban-sanfrancisco-polyline6.json",
                                           "osrm-roundabout-washingtondc-dupont-polyline6.json",
                                           "osrm-motorway-ramps-newjersey-nyc-polyline6.json"),
                         [](const ::testing::TestParamInfo<std::string>& param)
                         {
                             std::string name = param.param.substr(0, param.param.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
