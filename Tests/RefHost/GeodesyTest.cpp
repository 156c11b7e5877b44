// The reference geodesy: published WGS84 distances, agreement of the fast
// model with the geodesic, unit degrees that round-trip through the lengths,
// and what invalid input gives.
#include "Geodesy.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "Geodesy/SinCosDegrees.h"
#include "Geodesy/Wgs84Radii.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Math.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace geo = refhost::geodesy;

namespace
{

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Restores the default model whatever a test chose.
class GeodesyTest : public ::testing::Test
{
protected:
    void TearDown() override { geo::SetModel(geo::Model::Fast); }
};

double GeodesicMetres(double lon1, double lat1, double lon2, double lat2)
{
    double metres = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, metres);
    return metres;
}

// The point `metres` away from (lon, lat) towards `azimuthDeg` (clockwise from
// north), on the geodesic.
tagLonLat Travel(double lon, double lat, double azimuthDeg, double metres)
{
    tagLonLat end{};
    GeographicLib::Geodesic::WGS84().Direct(lat, lon, azimuthDeg, metres, end.lat, end.lon);
    return end;
}

} // namespace

// Published WGS84 figures: one degree of latitude from the equator
// 110574.389 m; one degree at 45 degrees 111131.78 m (series
// 111132.954 - 559.822 cos 2φ + 1.175 cos 4φ); one degree of longitude on
// the equator 111319.491 m (a π / 180); the quarter meridian 10001965.729 m;
// a quarter of the equator a π / 2 = 10018754.171 m.
TEST_F(GeodesyTest, PublishedDistancesInBothModels)
{
    for (geo::Model model : {geo::Model::Fast, geo::Model::Exact})
    {
        geo::SetModel(model);
        EXPECT_NEAR(geo::SegmentLength(0.0, 0.0, 0.0, 1.0), 110574.389, 1e-3);
        EXPECT_NEAR(geo::SegmentLength(10.0, 44.5, 10.0, 45.5), 111131.78, 1e-2);
        EXPECT_NEAR(geo::SegmentLength(0.0, 0.0, 1.0, 0.0), 111319.491, 1e-3);
        EXPECT_NEAR(geo::SegmentLength(0.0, 0.0, 0.0, 90.0), 10001965.729, 1e-3);
        EXPECT_NEAR(geo::SegmentLength(0.0, 0.0, 90.0, 0.0), 10018754.171, 1e-3);
    }
}

// Short segments by hand: 1/3600 degree of longitude on the equator is
// a π / (180 · 3600) = 30.922080 m; with the fast model that is the plane
// formula itself (no curvature correction on the equator).
TEST_F(GeodesyTest, ShortSegmentOnTheEquatorByHand)
{
    EXPECT_NEAR(geo::SegmentLength(0.0, 0.0, 1.0 / 3600.0, 0.0), 30.922080, 1e-6);
    EXPECT_EQ(geo::SegmentLength(12.5, 48.1, 12.5, 48.1), 0.0);
}

// The fast model against the geodesic over latitudes 0..80 in both
// hemispheres, all azimuths, lengths 1 m .. 5 km: within 1e-6 relative (the
// plain mid-latitude formula alone reaches about 8e-7 at 80 degrees; with the
// curvature correction the worst case is far below).
TEST_F(GeodesyTest, FastModelAgreesWithGeodesicUpToFiveKilometres)
{
    const std::vector<double> lengths = {1.0, 10.0, 100.0, 500.0, 1000.0, 2500.0, 4999.0};
    double worst = 0.0;
    for (int lat = -80; lat <= 80; lat += 5)
        for (int azimuth = 0; azimuth < 360; azimuth += 15)
            for (double metres : lengths)
            {
                const double lon = 7.25;
                const tagLonLat end = Travel(lon, lat, azimuth, metres);
                const double fast = geo::SegmentLength(lon, lat, end.lon, end.lat);
                const double relative = std::fabs(fast - metres) / metres;
                worst = std::max(worst, relative);
                ASSERT_LT(relative, 1e-6)
                    << "lat " << lat << " azimuth " << azimuth << " length " << metres;
            }
    RecordProperty("worst_relative_error", ::testing::PrintToString(worst));
    EXPECT_LT(worst, 1e-8);
}

// The same over random segments anywhere: latitudes up to 89.9 degrees, any
// longitude and azimuth, lengths from 0.5 m to 5 km spread evenly over their
// logarithm (a road's segments are mostly short). Every one within 1e-6 of the
// geodesic, and a chain of them measures the sum of its segments.
TEST_F(GeodesyTest, FastModelWithinAMillionthOfTheGeodesicOnRandomSegments)
{
    // A fixed seed: the same segments in every run.
    // NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp)
    std::mt19937_64 random(20241208u);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    std::uniform_real_distribution<double> azimuth(0.0, 360.0);
    std::uniform_real_distribution<double> logMetres(std::log(0.5), std::log(5000.0));
    double worst = 0.0;
    std::vector<tagLonLat> chain(1, tagLonLat{10.0, 50.0});
    double chainSum = 0.0;
    for (int i = 0; i < 100000; ++i)
    {
        const tagLonLat start{longitude(random), latitude(random)};
        const tagLonLat end =
            Travel(start.lon, start.lat, azimuth(random), std::exp(logMetres(random)));
        const double geodesic = GeodesicMetres(start.lon, start.lat, end.lon, end.lat);
        const double fast = geo::SegmentLength(start.lon, start.lat, end.lon, end.lat);
        const double relative = std::fabs(fast - geodesic) / geodesic;
        worst = std::max(worst, relative);
        ASSERT_LT(relative, 1e-6) << "from " << start.lon << " " << start.lat << " to " << end.lon
                                  << " " << end.lat << ": " << fast << " m, geodesic " << geodesic;
        if (chain.size() < 65535)
        {
            // The same step from the chain's end (the geodesic's end point).
            const tagLonLat& last = chain.back();
            const tagLonLat next =
                Travel(last.lon, last.lat, azimuth(random), std::exp(logMetres(random)));
            chainSum += geo::SegmentLength(last.lon, last.lat, next.lon, next.lat);
            chain.push_back(next);
        }
    }
    RecordProperty("worst_relative_error", ::testing::PrintToString(worst));
    EXPECT_LT(worst, 1e-8);
    EXPECT_DOUBLE_EQ(geo::LineLength(static_cast<unsigned short>(chain.size()), chain.data()),
                     chainSum);
}

// The radii of curvature from their series against the closed forms
// N = a / sqrt(1 - e² sin²φ) and M = a (1 - e²) / (1 - e² sin²φ)^(3/2), from
// the equator to the pole: within the first term the series leave out,
// 63/256 e^10 of N and 693/256 e^10 of M (3.3e-12 and 3.6e-11).
TEST_F(GeodesyTest, RadiiSeriesAgreeWithTheClosedForms)
{
    const double a = geo::kWgs84EquatorialRadius;
    const double e2 = geo::kWgs84EccentricitySquared;
    for (int step = 0; step <= 1000; ++step)
    {
        const double sinLat = step / 1000.0;
        const double w2 = 1.0 - e2 * sinLat * sinLat;
        const geo::Radii radii = geo::RadiiAt(sinLat);
        EXPECT_NEAR(radii.primeVertical / (a / std::sqrt(w2)), 1.0, 4e-12) << sinLat;
        EXPECT_NEAR(radii.meridional / (a * (1.0 - e2) / (w2 * std::sqrt(w2))), 1.0, 4e-11)
            << sinLat;
    }
    EXPECT_EQ(geo::RadiiAt(0.0).primeVertical, a);
}

// Beyond the fast bound the fast model hands over to the geodesic, and every
// length of the exact model is the geodesic's.
TEST_F(GeodesyTest, LongSegmentsAndExactModelUseTheGeodesic)
{
    const double expected = GeodesicMetres(2.35, 48.85, 13.40, 52.52);
    EXPECT_DOUBLE_EQ(geo::SegmentLength(2.35, 48.85, 13.40, 52.52), expected);

    geo::SetModel(geo::Model::Exact);
    EXPECT_EQ(geo::GetModel(), geo::Model::Exact);
    const tagLonLat end = Travel(10.0, 60.0, 33.0, 1234.5);
    EXPECT_DOUBLE_EQ(geo::SegmentLength(10.0, 60.0, end.lon, end.lat),
                     GeodesicMetres(10.0, 60.0, end.lon, end.lat));
}

// Near the poles a short segment may span many degrees of longitude; the fast
// model must not measure that in its plane.
TEST_F(GeodesyTest, SegmentsNearAndAcrossThePole)
{
    EXPECT_NEAR(geo::SegmentLength(0.0, 89.99, 180.0, 89.99),
                GeodesicMetres(0.0, 89.99, 180.0, 89.99), 1e-6);
    EXPECT_NEAR(geo::SegmentLength(0.0, 89.999, 90.0, 89.999),
                GeodesicMetres(0.0, 89.999, 90.0, 89.999), 1e-6);
    EXPECT_NEAR(geo::SegmentLength(0.0, 90.0, 0.0, 89.0), 111693.9, 0.5);
}

// Longitudes wrap: across the antimeridian and with longitudes beyond ±180.
TEST_F(GeodesyTest, LongitudesWrap)
{
    const double across = geo::SegmentLength(179.999, 10.0, -179.999, 10.0);
    EXPECT_NEAR(across, geo::SegmentLength(-0.001, 10.0, 0.001, 10.0), 1e-6);
    EXPECT_LT(across, 300.0);
    EXPECT_NEAR(geo::SegmentLength(370.0, 5.0, 10.01, 5.0),
                geo::SegmentLength(10.0, 5.0, 10.01, 5.0), 1e-6);
}

// A unit-degree step of d metres north or east measures d metres.
TEST_F(GeodesyTest, UnitDegreeStepsMeasureTheirLength)
{
    for (int step = 0; step <= 16; ++step) // latitudes 0, 5, ..., 80
        for (double hemisphere : {1.0, -1.0})
            for (double metres : {1.0, 10.0, 250.0, 1000.0})
            {
                const tagLonLat start{-3.5, hemisphere * (5.0 * step)};
                double lonDeg = 0.0;
                double latDeg = 0.0;
                geo::UnitDegree(start, lonDeg, latDeg);
                const double north = geo::SegmentLength(start.lon, start.lat, start.lon,
                                                        start.lat + metres * latDeg);
                const double east = geo::SegmentLength(start.lon, start.lat,
                                                       start.lon + metres * lonDeg, start.lat);
                EXPECT_NEAR(north / metres, 1.0, 1e-6) << "lat " << start.lat << " d " << metres;
                EXPECT_NEAR(east / metres, 1.0, 1e-6) << "lat " << start.lat << " d " << metres;
            }
}

// By hand: on the equator N = a and M = a (1 - e²), so one metre spans
// 180 / (π a) degrees of longitude and 180 / (π a (1 - e²)) of latitude.
TEST_F(GeodesyTest, UnitDegreeOnTheEquatorByHand)
{
    double lonDeg = 0.0;
    double latDeg = 0.0;
    geo::UnitDegree(tagLonLat{100.0, 0.0}, lonDeg, latDeg);
    EXPECT_NEAR(lonDeg, 8.983152841e-6, 1e-15);
    EXPECT_NEAR(latDeg, 9.043694770e-6, 1e-15);
}

TEST_F(GeodesyTest, UnitDegreeAtThePolesAndForInvalidPoints)
{
    double lonDeg = 0.0;
    double latDeg = 0.0;
    geo::UnitDegree(tagLonLat{0.0, 90.0}, lonDeg, latDeg);
    EXPECT_EQ(lonDeg, kInf);
    EXPECT_TRUE(std::isfinite(latDeg));
    geo::UnitDegree(tagLonLat{0.0, -90.0}, lonDeg, latDeg);
    EXPECT_EQ(lonDeg, kInf);

    geo::UnitDegree(tagLonLat{0.0, 89.9999999}, lonDeg, latDeg);
    EXPECT_TRUE(std::isfinite(lonDeg));
    EXPECT_GT(lonDeg, 1.0);

    for (const tagLonLat& bad : {tagLonLat{kNaN, 10.0}, tagLonLat{10.0, kNaN},
                                 tagLonLat{kInf, 10.0}, tagLonLat{10.0, 90.5}})
    {
        geo::UnitDegree(bad, lonDeg, latDeg);
        EXPECT_TRUE(std::isnan(lonDeg));
        EXPECT_TRUE(std::isnan(latDeg));
    }
}

TEST_F(GeodesyTest, InvalidCoordinatesGiveNaN)
{
    for (geo::Model model : {geo::Model::Fast, geo::Model::Exact})
    {
        geo::SetModel(model);
        EXPECT_TRUE(std::isnan(geo::SegmentLength(kNaN, 0.0, 1.0, 1.0)));
        EXPECT_TRUE(std::isnan(geo::SegmentLength(0.0, 0.0, 1.0, kNaN)));
        EXPECT_TRUE(std::isnan(geo::SegmentLength(kInf, 0.0, 1.0, 1.0)));
        EXPECT_TRUE(std::isnan(geo::SegmentLength(0.0, -kInf, 1.0, 1.0)));
        EXPECT_TRUE(std::isnan(geo::SegmentLength(0.0, 91.0, 0.0, 89.0)));
        EXPECT_TRUE(std::isnan(geo::SegmentLength(0.0, 0.0, 0.0, -1e300)));
        EXPECT_TRUE(std::isfinite(geo::SegmentLength(1e300, 0.0, -1e300, 0.0)));
    }
}

// The bearing on the local plane agrees with the geodesic's azimuth for the
// steps it is meant for, and has no answer where there is no direction.
TEST_F(GeodesyTest, BearingFollowsTheGeodesicAzimuth)
{
    for (double lat : {-60.0, 0.0, 48.2, 78.0})
        for (double azimuth : {0.0, 1.0, 89.5, 135.0, 180.0, 269.0, 359.5})
        {
            const tagLonLat from{11.5, lat};
            const tagLonLat to = Travel(from.lon, from.lat, azimuth, 50.0);
            const double expected = azimuth >= 359.999 ? azimuth - 360.0 : azimuth;
            double bearing = geo::Bearing(from, to);
            if (bearing > 359.9 && expected < 1.0)
                bearing -= 360.0;
            EXPECT_NEAR(bearing, expected, 0.01) << lat << " " << azimuth;
            EXPECT_GE(geo::Bearing(from, to), 0.0);
            EXPECT_LT(geo::Bearing(from, to), 360.0);
        }
    const tagLonLat point{11.5, 48.2};
    EXPECT_TRUE(std::isnan(geo::Bearing(point, point)));
    EXPECT_TRUE(std::isnan(geo::Bearing(point, tagLonLat{kNaN, 48.2})));
    EXPECT_TRUE(std::isnan(geo::Bearing(tagLonLat{11.5, 91.0}, point)));
}

TEST_F(GeodesyTest, LineLengthSumsItsSegments)
{
    const tagLonLat line[] = {{11.0, 48.0}, {11.001, 48.0}, {11.001, 48.002}, {11.5, 48.3}};
    double expected = 0.0;
    for (int i = 1; i < 4; ++i)
        expected += geo::SegmentLength(line[i - 1].lon, line[i - 1].lat, line[i].lon, line[i].lat);
    EXPECT_DOUBLE_EQ(geo::LineLength(4, line), expected);
    EXPECT_EQ(geo::LineLength(1, line), 0.0);
    EXPECT_EQ(geo::LineLength(0, line), 0.0);
    EXPECT_EQ(geo::LineLength(5, nullptr), 0.0);

    const tagLonLat broken[] = {{11.0, 48.0}, {kNaN, 48.0}, {11.1, 48.0}};
    EXPECT_TRUE(std::isnan(geo::LineLength(3, broken)));
}

// The library's calls on the reference host are these functions.
TEST_F(GeodesyTest, HostBindingForwards)
{
    const tagLonLat a{8.5, 47.4};
    const tagLonLat b{8.52, 47.41};
    EXPECT_EQ(::SegmentLength(a, b), geo::SegmentLength(8.5, 47.4, 8.52, 47.41));
    EXPECT_EQ(::SegmentLength(8.5, 47.4, 8.52, 47.41),
              geo::SegmentLength(a.lon, a.lat, b.lon, b.lat));
    const tagLonLat line[] = {a, b};
    EXPECT_EQ(::LineLength(2, line), geo::LineLength(2, line));
    double lonDeg = 0.0;
    double latDeg = 0.0;
    ::GetUnitDegree(a, lonDeg, latDeg);
    double refLon = 0.0;
    double refLat = 0.0;
    geo::UnitDegree(a, refLon, refLat);
    EXPECT_EQ(lonDeg, refLon);
    EXPECT_EQ(latDeg, refLat);
}

// The fast model's sine and cosine (a table of whole degrees and series for
// the rest) against GeographicLib's sincosd, which reduces in degrees: over
// every 1/64 degree, on both sides of every half degree where the table row
// changes, and close to the poles, where the cosine is small and has to stay
// accurate relative to itself (it scales the east-west length).
TEST_F(GeodesyTest, TableSineAndCosineAgreeWithSincosd)
{
    std::vector<double> angles;
    for (int i = -90 * 64; i <= 90 * 64; ++i)
        angles.push_back(i / 64.0);
    for (int k = -90; k < 90; ++k)
        for (double offset : {0.4999999999, 0.5, 0.5000000001})
            angles.push_back(k + offset);
    for (double gap : {1e-3, 1e-7, 1e-12})
        for (double pole : {90.0, -90.0})
            angles.push_back(pole - std::copysign(gap, pole));
    for (double degrees : angles)
    {
        double sinRef = 0.0;
        double cosRef = 0.0;
        GeographicLib::Math::sincosd(degrees, sinRef, cosRef);
        const auto table = geo::SinCosDegrees(degrees);
        EXPECT_NEAR(table.sin, sinRef, 5e-16) << degrees;
        EXPECT_NEAR(table.cos, cosRef, 5e-16) << degrees;
        EXPECT_LE(std::fabs(table.cos - cosRef), 2e-15 * cosRef) << degrees;
    }
    EXPECT_EQ(geo::SinCosDegrees(90.0).cos, 0.0);
    EXPECT_EQ(geo::SinCosDegrees(-90.0).cos, 0.0);
    EXPECT_EQ(geo::SinCosDegrees(90.0).sin, 1.0);
    EXPECT_EQ(geo::SinCosDegrees(0.0).sin, 0.0);
    EXPECT_EQ(geo::SinCosDegrees(30.0).sin, 0.5);
}
