// The survey's checks on drawings made by hand, with positions worked out in
// metres on a straight road east and a road that turns north: a band as the
// size record puts it passes; one a metre off the road, one drawn backwards,
// one a link late and an arrow turned 15 degrees fail, as do turns and
// roundabout exits other than announced and a route line behind the vehicle.
#include "BandChecks.h"
#include "CallChecks.h"
#include "DriveChecks.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "JunctionClass.h"
#include "RouteTrack.h"
#include "TurnChecks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

using survey::DrawnFrame;
using survey::DrawnLine;
using survey::Finding;
using testing::HasSubstr;

const tagLonLat kOrigin{11.0, 48.0};
const double kPi = 3.14159265358979323846;

// The point `east` and `north` metres from kOrigin.
tagLonLat At(double east, double north)
{
    double lonDeg = 0.0;
    double latDeg = 0.0;
    refhost::geodesy::UnitDegree(kOrigin, lonDeg, latDeg);
    return {kOrigin.lon + east * lonDeg, kOrigin.lat + north * latDeg};
}

// The level 0 record of the tools' table: 30 m either side, tolerance 3, a
// 12 m arrow 10 m wide (its room: 13.2 m).
const AdvicePathSizeSetting& Size()
{
    static AdvicePathSizeSetting size{};
    size.m_FromLength = 30;
    size.m_ToLength = 30;
    size.m_LengthTolerance = 3;
    size.m_ArrowLength = 12;
    size.m_ArrowWidth = 5;
    return size;
}

// The model of a route over `links` (points in metres east and north).
refhost::RouteModel ModelOf(const std::vector<std::vector<std::pair<double, double>>>& links)
{
    refhost::RouteDescription description;
    for (const auto& points : links)
    {
        refhost::RoadLink link;
        for (const auto& [east, north] : points)
            link.points.push_back(At(east, north));
        description.links.push_back(link);
    }
    refhost::Maneuver arrival;
    arrival.enterLink = arrival.exitLink = links.size() - 1;
    arrival.type = NAV_TURN_END;
    description.maneuvers = {arrival};
    description.destinations = {description.links.back().points.back()};
    std::string error;
    std::optional<refhost::RouteModel> model =
        refhost::RouteModel::FromDescription(description, error);
    EXPECT_TRUE(model) << error;
    return *model;
}

// A road east from kOrigin: two links of 100 m, the junction between them.
// The band from 70 m to the base at 131.2 m, the tip at 143.2 m.
class StraightRoad : public testing::Test
{
protected:
    StraightRoad() : track(ModelOf({{{0, 0}, {100, 0}}, {{100, 0}, {200, 0}}}))
    {
        place.enterLink = place.exitLink = 0;
        place.junction = place.passed = 100.0;
        place.pathStart = 0.0;
        place.previousPassed = 0.0;
        place.nextJunction = track.Length();
    }

    // The band through `road` (metres east, metres north), ended at the base
    // of the arrow whose tip is `tip` and axis `axisDegrees` (clockwise from
    // north), as the library ends it.
    void DrawAt(std::vector<std::pair<double, double>> road, std::pair<double, double> tip,
                double axisDegrees, double length = 12.0, double halfWidth = 5.0)
    {
        const double a = axisDegrees * kPi / 180.0;
        const double baseEast = tip.first - length * std::sin(a);
        const double baseNorth = tip.second - length * std::cos(a);
        road.emplace_back(baseEast, baseNorth);
        DrawnLine line;
        for (const auto& [east, north] : road)
            line.points.push_back(At(east, north));
        frame.bandFill = {line};
        frame.bandBorder = {line};
        // Right of travel first: for an axis east, the south corner.
        frame.arrowFill = std::array<tagLonLat, 3>{
            At(tip.first, tip.second),
            At(baseEast + halfWidth * std::cos(a), baseNorth - halfWidth * std::sin(a)),
            At(baseEast - halfWidth * std::cos(a), baseNorth + halfWidth * std::sin(a))};
        frame.arrowOutline = frame.arrowFill;
    }
    void Draw(const std::vector<std::pair<double, double>>& road, double tipEast,
              double axisDegrees = 90.0)
    {
        DrawAt(road, {tipEast, 0.0}, axisDegrees);
    }

    Finding Band() { return survey::CheckBandOnTrack(track, frame, place, Size(), placed); }
    Finding Arrow() { return survey::CheckArrow(track, frame, place, Size(), placed, &bend); }

    survey::RouteTrack track;
    survey::TurnPlace place;
    DrawnFrame frame;
    survey::PlacedBand placed;
    double bend = -1.0;
};

TEST_F(StraightRoad, BandWhereTheSizeRecordPutsItPasses)
{
    Draw({{70.0, 0.0}, {100.0, 0.0}}, 143.2);
    EXPECT_TRUE(Band().Passed()) << Band().problem;
    EXPECT_TRUE(Arrow().Passed()) << Arrow().problem;
    EXPECT_NEAR(placed.Start(), 70.0, 0.01);
    EXPECT_NEAR(placed.End(), 100.0, 0.01); // P0; the base is the arrow's
    EXPECT_EQ(bend, -1.0);
}

TEST_F(StraightRoad, BandAMetreOffTheRoadFails)
{
    Draw({{70.0, 0.0}, {100.0, 1.0}}, 143.2);
    EXPECT_THAT(Band().problem, HasSubstr("band point 2 of 3 lies 1.00 m off the track"));
}

TEST_F(StraightRoad, BandDrawnBackwardsFails)
{
    Draw({{131.2, 0.0}, {100.0, 0.0}, {70.0, 0.0}}, 143.2);
    EXPECT_THAT(Band().problem, HasSubstr("back along the track"));
}

TEST_F(StraightRoad, BandALinkLateFails)
{
    // The band of the junction at 200 m, cut to the route's end.
    place.pathStart = 0.0;
    Draw({{170.0, 0.0}, {200.0, 0.0}}, 200.0);
    EXPECT_THAT(Band().problem, HasSubstr("past the junction"));
    Draw({{80.0, 0.0}, {100.0, 0.0}}, 143.2);
    EXPECT_THAT(Band().problem, HasSubstr("puts its start 30.00 m before it"));
}

TEST_F(StraightRoad, ArrowTurnedFifteenDegreesOrShortFails)
{
    Draw({{70.0, 0.0}, {100.0, 0.0}}, 143.2, 105.0);
    ASSERT_TRUE(Band().Passed()) << Band().problem;
    EXPECT_THAT(Arrow().problem, HasSubstr("points 15.0\xC2\xB0 away from its chord"));
    // Without the arrow's room the tip ends the leaving stretch 13.2 m early.
    Draw({{70.0, 0.0}, {100.0, 0.0}}, 130.0);
    ASSERT_TRUE(Band().Passed()) << Band().problem;
    EXPECT_THAT(Arrow().problem, HasSubstr("the size record puts it 43.20 m past it"));
}

TEST_F(StraightRoad, ArrowCornersTheWrongWayRoundFail)
{
    Draw({{70.0, 0.0}, {100.0, 0.0}}, 143.2);
    std::swap((*frame.arrowFill)[1], (*frame.arrowFill)[2]);
    frame.arrowOutline = frame.arrowFill;
    EXPECT_THAT(Arrow().problem, HasSubstr("wrong way round"));
}

TEST_F(StraightRoad, FlatShortOrNaNArrowHeadsFail)
{
    DrawAt({{70.0, 0.0}, {100.0, 0.0}}, {143.2, 0.0}, 90.0, 12.0, 0.0);
    EXPECT_THAT(Arrow().problem, HasSubstr("base is 0.00 m wide, the size record says 10.00 m"));
    DrawAt({{70.0, 0.0}, {100.0, 0.0}}, {143.2, 0.0}, 90.0, 6.0);
    EXPECT_THAT(Arrow().problem, HasSubstr("head is 6.00 m long, the size record says 12.00 m"));
    Draw({{70.0, 0.0}, {100.0, 0.0}}, 143.2);
    (*frame.arrowFill)[2].lat = std::nan("");
    frame.arrowOutline = frame.arrowFill;
    EXPECT_FALSE(Arrow().Passed());
}

// East to the junction at 100 m, on east to 130 m, north 10 m and back west:
// the tip, 43.2 m past the junction, lies at (126.8, 10). Walking back from
// it, 3.2 m to (130, 10) and 13.2 m > 12 m to (130, 0): P0 is (130, 0), and
// the arrow's chord from there points 17.7 degrees west of north, 72.3
// degrees off the road at the tip (west).
TEST_F(StraightRoad, HairpinArrowAlongTheChordFromP0PassesAndCountsTheBend)
{
    track = survey::RouteTrack(
        ModelOf({{{0, 0}, {100, 0}}, {{100, 0}, {130, 0}, {130, 10}, {110, 10}, {110, 60}}}));
    place.nextJunction = track.Length();
    const double chord = std::atan2(-3.2, 10.0) * 180.0 / kPi;
    DrawAt({{70.0, 0.0}, {100.0, 0.0}, {130.0, 0.0}}, {126.8, 10.0}, chord);
    EXPECT_TRUE(Band().Passed()) << Band().problem;
    EXPECT_TRUE(Arrow().Passed()) << Arrow().problem;
    EXPECT_NEAR(bend, 72.3, 0.1);
    // Aimed from the bend's corner, as a walk by straight-line distance
    // would: the band's last road point is not P0.
    DrawAt({{70.0, 0.0}, {100.0, 0.0}, {130.0, 0.0}, {130.0, 10.0}}, {126.8, 10.0}, 270.0);
    ASSERT_TRUE(Band().Passed()) << Band().problem;
    EXPECT_THAT(Arrow().problem,
                HasSubstr("aimed from 3.20 m before its tip, the walk back from the tip passes "
                          "the arrow's length on the segment from 13.20 m before it"));
}

// One Draw through the recording map view: the documented calls pass; a band
// fill as wide as its border, the arrow filled before the band and a call of
// no documented kind fail.
TEST(CallCheck, WidthsAndOrderAreTheSizeRecords)
{
    const AdvicePathClrSetting colours = survey::SurveyColours();
    AdvicePathSizeSetting size{};
    size.m_ArrowLength = 12;
    size.m_PathBorderWidth = 0x10009; // only the low 16 bits are drawn
    size.m_PathWidth = 7;
    size.m_EdgeBorderWidth = 12;
    size.m_EdgeWidth = 8;
    size.m_ArrowBorderParam = 2;
    size.m_ArrowFillParam = 200;
    const tagLonLat line[2] = {At(0, 0), At(10, 0)};
    const tagLonLat head[3] = {At(10, 0), At(0, -5), At(0, 5)};
    const auto draw = [&](int bandFill, bool arrowFirst, bool stray)
    {
        survey::DrawRecorder view(colours);
        view.DrawLine(line, 2, 0, colours.m_PathBorderClr, 9);
        view.DrawLine(line, 2, 0, colours.m_PathClr, 7);
        view.DrawLine(line, 2, 0, colours.m_ArrowBorderClr, 12);
        view.DrawLine(head, 3, 2, colours.m_ArrowBorderClr,
                      static_cast<int32_t>(colours.m_ArrowBorderClr));
        if (arrowFirst)
            view.DrawPolygon(head, 3, 200, colours.m_ArrowClr,
                             static_cast<int32_t>(colours.m_ArrowClr));
        view.DrawLine(line, 2, 0, colours.m_ArrowClr, bandFill);
        if (!arrowFirst)
            view.DrawPolygon(head, 3, 200, colours.m_ArrowClr,
                             static_cast<int32_t>(colours.m_ArrowClr));
        if (stray)
            view.DrawPolygon(line, 2, 0, 255, 2);
        return survey::CheckCalls(view.Frame(), size, colours);
    };
    EXPECT_TRUE(draw(8, false, false).Passed()) << draw(8, false, false).problem;
    EXPECT_THAT(draw(12, false, false).problem,
                HasSubstr("band fill 1 is drawn 12 wide, the size record says 8"));
    EXPECT_THAT(draw(8, true, false).problem,
                HasSubstr("a band fill comes after the arrow's fill"));
    EXPECT_THAT(draw(8, false, true).problem, HasSubstr("does not document: DrawPolygon"));
}

// East 100 m to the junction, then north 100 m: a left turn, 30 degrees from
// either boundary of its class.
TEST(TurnCheck, SideAndExactClassOfTheTurn)
{
    const survey::RouteTrack track({At(0, 0), At(100, 0), At(100, 100)});
    survey::TurnPlace place;
    place.junction = place.passed = 100.0;
    place.nextJunction = track.Length();
    survey::PlacedBand band;
    band.along = {70.0, 100.0, 131.2};
    survey::AnnouncedTurn turn;
    for (const auto& [type, passes] :
         std::vector<std::pair<NAV_TURN_TYPE_tag, bool>>{{NAV_TURN_LEFT, true},
                                                         {NAV_TURN_SLIGHT_LEFT, false},
                                                         {NAV_TURN_SHARP_LEFT, false},
                                                         {NAV_TURN_STRAIGHT, false},
                                                         {NAV_TURN_RIGHT, false},
                                                         {NAV_TURN_UTURN, false}})
    {
        turn.type = type;
        EXPECT_EQ(survey::CheckTurn(track, band, place, turn, std::nullopt).Passed(), passes)
            << type;
    }
    EXPECT_EQ(survey::TurnStep(-90.0), -2);
    EXPECT_EQ(survey::TurnStep(170.0), 4);
}

TEST(TurnCheck, RoundaboutPassesTheExitsBeforeTheOneNamed)
{
    refhost::Maneuver maneuver;
    maneuver.type = NAV_TURN_ROUNDABOUT;
    maneuver.instruction = "At the roundabout, take the 3rd exit onto Left Lane";
    const survey::AnnouncedTurn turn = survey::ReadAnnouncement(maneuver);
    EXPECT_EQ(turn.exitNumber, 3);
    EXPECT_EQ(survey::KindOf(turn), "roundabout exit 3");
    const survey::RouteTrack track({At(0, 0), At(100, 0)});
    const survey::TurnPlace place;
    const survey::PlacedBand band;
    EXPECT_TRUE(survey::CheckTurn(track, band, place, turn, 2).Passed());
    EXPECT_THAT(survey::CheckTurn(track, band, place, turn, 1).problem,
                HasSubstr("passes 1 exits"));
}

TEST(TurnCheck, RampAndForkWordsAreRead)
{
    refhost::Maneuver ramp;
    ramp.type = NAV_TURN_SLIGHT_LEFT;
    ramp.instruction = "Take the ramp on the left onto Right Road";
    const survey::AnnouncedTurn turn = survey::ReadAnnouncement(ramp);
    EXPECT_TRUE(turn.rampOn);
    EXPECT_EQ(turn.side, "left"); // not the road's "Right"
    EXPECT_EQ(survey::KindOf(turn), "motorway entry");
    ramp.instruction = "Keep right at the fork";
    ramp.type = NAV_TURN_FORK;
    EXPECT_EQ(survey::KindOf(survey::ReadAnnouncement(ramp)), "fork");
}

TEST(DriveCheck, RouteLineStartsAtTheVehicle)
{
    refhost::RouteDescription description;
    refhost::RoadLink link;
    link.points = {At(0, 0), At(100, 0)};
    description.links = {link};
    refhost::Maneuver arrival;
    arrival.type = NAV_TURN_END;
    description.maneuvers = {arrival};
    description.destinations = {At(100, 0)};
    std::string error;
    const std::optional<refhost::RouteModel> model =
        refhost::RouteModel::FromDescription(description, error);
    ASSERT_TRUE(model) << error;
    const survey::RouteLineCheck check(*model);
    refhost::MapViewport viewport;
    viewport.centre = At(50, 0);
    viewport.zoom = 18.0; // about 0.4 m per pixel
    drive::VehicleState vehicle;
    vehicle.position = At(40, 0);
    DrawnFrame frame;
    frame.routeBorder = {DrawnLine{{At(40, 0), At(100, 0)}, nullptr, 16}};
    frame.routeFill = frame.routeBorder;
    EXPECT_TRUE(check.Check(frame, viewport, vehicle).Passed());
    // The whole link, from behind the vehicle: 40 m, about 100 pixels off.
    frame.routeBorder = {DrawnLine{model->LinkPoints(0), model->LinkPoints(0).data(), 16}};
    frame.routeFill = frame.routeBorder;
    EXPECT_THAT(check.Check(frame, viewport, vehicle).problem, HasSubstr("the route line starts"));
}

TEST(DriveCheck, LevelMayGoInThenOutButNotOutThenIn)
{
    survey::LevelSteps steps;
    for (const int level : {2, 1, 1, 0, 0, 1})
        EXPECT_TRUE(steps.Add(level).Passed());
    steps.Reset();
    EXPECT_TRUE(steps.Add(0).Passed());
    EXPECT_TRUE(steps.Add(1).Passed());
    EXPECT_THAT(steps.Add(0).problem, HasSubstr("zooms out to level 1 and back in to level 0"));
}

TEST(JunctionPlaces, NeighboursAndEndsWithinABand)
{
    survey::Neighbourhood around;
    around.junction = around.passed = 100.0;
    around.before = 30.0;
    around.after = 43.2;
    around.routeLength = 1000.0;
    EXPECT_TRUE(survey::PlacesOf(around).empty());
    around.nextJunction = 140.0;
    EXPECT_THAT(survey::PlacesOf(around), testing::ElementsAre("closer than a band"));
    around.nextJunction = -1.0;
    around.junction = around.passed = 20.0;
    EXPECT_THAT(survey::PlacesOf(around), testing::ElementsAre("band reaches the start"));
}

} // namespace
