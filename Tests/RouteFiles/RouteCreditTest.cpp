// The credit a route's data asks for, as the readers find it and as a route's
// credit and the map's combine.
#include "RouteFiles/RouteCredit.h"
#include "RouteFiles/RouteFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const std::string kOsm = "\xC2\xA9 OpenStreetMap contributors";
const std::string kMapbox = "\xC2\xA9 Mapbox \xC2\xA9 OpenStreetMap contributors";

std::string CreditOf(const std::string& path)
{
    const refhost::RouteReadResult read = refhost::ReadRouteFile(path);
    EXPECT_TRUE(read.ok) << read.error;
    return read.route.credit;
}

} // namespace

TEST(RouteCredit, EachSourceAsksForItsOwn)
{
    // A response of Mapbox's service (it carries "uuid"), as samples/SOURCE.md asks.
    EXPECT_EQ(CreditOf(AP_SOURCE_DIR "/samples/sanfrancisco-urban-route.json"), kMapbox);
    // GraphHopper's GPX names its data's owner in <metadata><copyright>.
    EXPECT_EQ(CreditOf(AP_DATA_DIR "/routes/graphhopper-leipzig-13min-route-and-timed-track.gpx"),
              kOsm);
    // A recorded drive asks for none.
    EXPECT_EQ(CreditOf(AP_DATA_DIR "/routes/drive-munich-13km-1hz-linestring.geojson"), "");
    const std::string bare = R"({"code":"Ok","routes":[{"geometry":"_p~iF~ps|U_ulLnnqC",)"
                             R"("legs":[{"steps":[]}],"distance":1}],"waypoints":[]})";
    EXPECT_EQ(refhost::ParseRoute(bare).route.credit, kOsm);
}

TEST(RouteCredit, CombinedCreditsNameEachOwnerOnce)
{
    EXPECT_EQ(refhost::CombineCredits(kMapbox, kOsm), kMapbox);
    EXPECT_EQ(refhost::CombineCredits(kOsm, "\xC2\xA9 X"), kOsm + " \xC2\xA9 X");
    EXPECT_EQ(refhost::CombineCredits("", kOsm), kOsm);
    EXPECT_EQ(refhost::GpxCredit("  OpenStreetMap contributors "), kOsm);
    EXPECT_EQ(refhost::GpxCredit(""), "");
}
